#include "app/AppCore.h"

#include "Version.h"
#include "app/AppStatus.h"
#include "app/Config.h"
#include "app/Debug.h"
#include "app/Ports.h"
#include "app/ScriptedPrompts.h"
#include "datafile/DataFile.h"
#include "languages/LanguagesEngine.h"
#include "model/Contexts.h"
#include "model/SubContexts.h"
#include "model/Tasks.h"
#include "platform/Error.h"
#include "views/Done.h"
#include "views/Goals.h"
#include "views/Icons.h"
#include "views/ItemRows.h"
#include "views/Outline.h"
#include "views/Projects.h"
#include "views/Statistics.h"
#include "views/ToDo.h"

namespace {
TCore* theCore = nullptr;
}

TCore& Core()
{
    Q_ASSERT_X(theCore, "Core", "no module registry exists");
    return *theCore;
}

bool CoreExists()
{
    return theCore != nullptr;
}

TCore::TCore()
    : nullWindow_(std::make_unique<TNullMainWindow>()),
      defaultPrompts_(std::make_unique<TScriptedPrompts>()), mainWindow_(nullWindow_.get()),
      prompts_(defaultPrompts_.get()), clock_(&systemClock_),
      regional_(TRegionalSettings::FromLocale(QLocale::system()))
{
    Q_ASSERT_X(!theCore, "TCore", "a second module registry");
    theCore = this;
}

TCore::~TCore()
{
    // Reverse creation order; the registry stays reachable while the modules go.
    dataFile_.reset();
    SetItemViews(nullptr);
    itemRows_.reset();
    statisticsView_.reset();
    doneView_.reset();
    goalsView_.reset();
    projectsView_.reset();
    todoView_.reset();
    outline_.reset();
    subContexts_.reset();
    contexts_.reset();
    tasks_.reset();
    languagesEngine_.reset();
    config_.reset();
    statusProvider_.reset();
    iconProvider_.reset();
    debug_.reset();
    theCore = nullptr;
}

void TCore::CreateModules()
{
    debug_ = std::make_unique<TDebug>();
    iconProvider_ = std::make_unique<TIconProvider>();
    statusProvider_ = std::make_unique<TAppStatusProvider>();
    config_ = std::make_unique<TConfig>(TConfig::DefaultPath());
    languagesEngine_ = std::make_unique<TLanguagesEngine>();
    languagesEngine_->SetLanguage(TLanguage::Czech);
    tasks_ = std::make_unique<TTasks>();
    contexts_ = std::make_unique<TContexts>();
    subContexts_ = std::make_unique<TSubContexts>();
    outline_ = std::make_unique<TOutline>();
    todoView_ = std::make_unique<TTodoView>();
    projectsView_ = std::make_unique<TProjectsView>();
    goalsView_ = std::make_unique<TGoalsView>();
    doneView_ = std::make_unique<TDoneView>();
    statisticsView_ = std::make_unique<TStatisticsView>();
    itemRows_ =
        std::make_unique<TItemRows>(*outline_, *todoView_, *projectsView_, *goalsView_, *doneView_);
    SetItemViews(itemRows_.get());
    dataFile_ = std::make_unique<TDataFile>();
    Log(u"Modules initialized"_qs);
}

void TCore::Log(const QString& message) const
{
    if (debug_)
        debug_->AddLine(message);
}

void TCore::ShowError(const QString& caption, const QString& detail) const
{
    prompts_->ShowError(caption + u" | " + detail);
}

void TCore::ShowMessage(const QString& text) const
{
    prompts_->ShowMessage(text);
}

bool TCore::Confirm(const QString& text) const
{
    return prompts_->AskYesNo(Translate(u"Confirmation"_qs), text);
}

QString TCore::Translate(const QString& key) const
{
    return languagesEngine_ ? languagesEngine_->Translate(key) : key;
}

void TCore::ShowStatus(const QString& text) const
{
    if (statusProvider_)
        statusProvider_->ShowStatus(text);
}

QString TCore::GetAppName()
{
    return u"Tavolin"_qs;
}

QString TCore::GetVersion()
{
    return QString::asprintf("%d.%d.%d", tavolin::version::Major, tavolin::version::Minor,
                             tavolin::version::Release);
}

TKavView* TCore::ListView(int position) const
{
    TKavView* const lists[] = {todoView_.get(), projectsView_.get(), goalsView_.get(),
                               doneView_.get()};
    return lists[position];
}

void TCore::BeginUpdateViews()
{
    if (!outline_)
        return;
    outline_->Tree().BeginUpdate();
    outline_->SetUpdating(true);
    for (int position = 0; position < ListViewCount; ++position)
        ListView(position)->List().BeginUpdate();
}

void TCore::EndUpdateViews()
{
    if (!outline_)
        return;
    // The brackets of the controls nest; the updating flag does not, the first end clears it.
    outline_->Tree().EndUpdate();
    outline_->SetUpdating(false);
    for (int position = 0; position < ListViewCount; ++position)
        ListView(position)->List().EndUpdate();
}

void TCore::ClearViews()
{
    if (itemRows_)
        itemRows_->Clear();
}

void TCore::ForgetCurrentItem(const TTask* released)
{
    if (currentItem_ == released)
        currentItem_ = nullptr;
}

void TCore::SetModified(bool modified)
{
    // The data file keeps the flag and adjusts the window.
    if (dataFile_)
        dataFile_->SetModified(modified);
}

void TCore::AdjustControls()
{
    mainWindow_->AdjustControls();
}

void TCore::SelectItem(TTask* item)
{
    currentItem_ = item;
    mainWindow_->SelectItem(item);
    if (outline_)
        outline_->SelectItemNode(item);
    AdjustControls();
}

void TCore::ShowHint(const QString& text)
{
    mainWindow_->ShowHint(text);
}

void TCore::ApplyStyle()
{
    mainWindow_->ApplyStyle();
}

void TCore::ShowSettings()
{
    mainWindow_->ShowSettings();
}

void TCore::ShowOutlinePage()
{
    mainWindow_->ShowOutlinePage();
}

void TCore::LoadEditorControls()
{
    mainWindow_->LoadEditorControls();
}

void TCore::HandleException(const std::exception& error) const
{
    ShowError(Translate(u"ErrorGeneral"_qs), ErrorMessage(error));
}

void TCore::SetMainWindow(IMainWindowPort* window)
{
    mainWindow_ = window ? window : nullWindow_.get();
}

void TCore::SetPrompts(IUserPrompts* prompts)
{
    prompts_ = prompts ? prompts : defaultPrompts_.get();
}

void TCore::SetClock(const IClock* clock)
{
    clock_ = clock ? clock : &systemClock_;
}
