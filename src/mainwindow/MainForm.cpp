#include "mainwindow/MainForm.h"

#include "app/AppCore.h"
#include "app/AppStatus.h"
#include "app/Config.h"
#include "app/Debug.h"
#include "datafile/DataFile.h"
#include "languages/LanguagesEngine.h"
#include "mainwindow/DataFileWatcher.h"
#include "mainwindow/DebugPage.h"
#include "mainwindow/FormPlacement.h"
#include "mainwindow/ItemNamePage.h"
#include "mainwindow/ListPages.h"
#include "mainwindow/MainActions.h"
#include "mainwindow/StatusPanels.h"
#include "mainwindow/WidgetPrompts.h"
#include "model/Contexts.h"
#include "model/Tasks.h"
#include "views/ItemCommands.h"
#include "views/Outline.h"
#include "views/Projects.h"
#include "views/Statistics.h"
#include "views/ToDo.h"
#include "widgets/ColourScheme.h"
#include "widgets/OutlineTreeView.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <utility>

namespace {

// The window's client area at first, before a placement of its own is stored.
constexpr QSize DesignSize{929, 875};
constexpr int MinimumHeight = 500;
constexpr int ListsMinimumWidth = 250;
constexpr int DetailsWidth = 490;

bool IsTextBox(const QWidget* widget)
{
    return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QTextEdit*>(widget) ||
           qobject_cast<const QPlainTextEdit*>(widget) ||
           qobject_cast<const QAbstractSpinBox*>(widget);
}

} // namespace

TfrmMainForm::TfrmMainForm(const TMainFormOptions& options)
    : core_(std::make_unique<TCore>()), widgetPrompts_(std::make_unique<TWidgetPrompts>(this))
{
    TCore& core = *core_;
    core.SetPrompts(options.prompts ? options.prompts : widgetPrompts_.get());
    core.SetClock(options.clock);

    splash_ = new TfrmSplashScreen(TCore::GetVersion(), options.splashMinimumTime);
    splash_->show();
    try {
        core.CreateModules();
    } catch (...) {
        delete splash_;
        throw;
    }

    BuildLayout();
    splash_->Listen(*core.StatusProvider());
    debugMemo_ = std::make_unique<TDebugMemo>(*memDebug_);
    core.Debug()->AttachMemo(debugMemo_.get());
    ListenToStatus();
    editor_ = std::make_unique<TItemNamePage>(*pgrDetails_, icons_);
    core.SetMainWindow(this);
    ApplyConfiguredLanguage();
    ApplyStyle();
    core.DataFile()->ChooseStartupFile(options.arguments);
    OpenAndRestore();
    ApplyLanguage();
    AdjustControls();
    core.Log(u"Application started"_qs);
    if (!core.Config()->ShowDebug())
        pgrDetails_->removeTab(pgrDetails_->indexOf(pgDebug_));
    ConnectCommands();
    core.DataFile()->StartAutoSave();
}

TfrmMainForm::~TfrmMainForm()
{
    // What shows the core goes before it; the members below go after this, the core last.
    delete splash_;
    core_->SetMainWindow(nullptr);
    core_->SetPrompts(nullptr);
    core_->Debug()->AttachMemo(nullptr);
    editor_.reset();
    delete lists_;
    delete takeCentralWidget();
}

void TfrmMainForm::BuildLayout()
{
    setObjectName(u"frmMainForm"_qs);
    setWindowIcon(TIconImages::ProgramIcon());
    setMinimumHeight(MinimumHeight);
    resize(DesignSize);

    actions_ = new TMainActions(*this);
    lists_ = new TListPages(icons_, this);
    lists_->Pager()->setMinimumWidth(ListsMinimumWidth);

    splitter_ = new QSplitter(Qt::Horizontal);
    splitter_->setObjectName(u"splitter"_qs);
    splitter_->setChildrenCollapsible(false);
    splitter_->addWidget(lists_->Pager());
    splitter_->addWidget(BuildDetailsPager());
    // The details keep their width as the window grows; the lists take the rest.
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 0);
    splitter_->setSizes({DesignSize.width() - DetailsWidth, DetailsWidth});
    setCentralWidget(splitter_);

    statusBar()->setObjectName(u"StatusBar"_qs);
    panels_ = new TStatusPanels(*statusBar(), icons_);
    watcher_ = new TDataFileWatcher(
        [this] { core_->Guarded([this] { core_->DataFile()->CheckFileOnDisk(); }); }, this);
}

QWidget* TfrmMainForm::BuildDetailsPager()
{
    pgrDetails_ = new QTabWidget;
    pgrDetails_->setObjectName(u"pgrDetails"_qs);
    pgrDetails_->setDocumentMode(true);
    pgrDetails_->setMinimumWidth(ListsMinimumWidth);
    pgDebug_ = new QWidget;
    pgDebug_->setObjectName(u"pgDebug"_qs);
    memDebug_ = new QPlainTextEdit(pgDebug_);
    memDebug_->setObjectName(u"memDebug"_qs);
    memDebug_->setReadOnly(true);
    memDebug_->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* layout = new QVBoxLayout(pgDebug_);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(memDebug_);
    // Named alike in both languages.
    pgrDetails_->addTab(pgDebug_, u"Debug"_qs);
    return pgrDetails_;
}

void TfrmMainForm::ListenToStatus()
{
    auto* listener = new TAppStatusListener;
    listener->SetHandler(
        [this](void*, const TAppStatus& status) {
            panels_->SetStatusText(status.AsText());
            // Painted before the work that follows; the user's input waits till it is done.
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        },
        this);
    core_->StatusProvider()->AddListener(listener);
}

template <typename Work> void TfrmMainForm::Command(Work&& work)
{
    core_->Guarded([&] {
        editor_->CommitPendingEdit();
        work();
    });
}

void TfrmMainForm::ConnectCommands()
{
    TMainActions& a = *actions_;
    TCore& core = *core_;
    const auto on = [this](QAction* entry, auto handler) {
        connect(entry, &QAction::triggered, this, [this, handler] { Command(handler); });
    };
    const auto onClick = [this](QToolButton* button, auto handler) {
        connect(button, &QToolButton::clicked, this, [this, handler] { Command(handler); });
    };

    on(a.mnNewFile, [this] { mnNewFileClick(); });
    on(a.mnOpenFile, [this] { mnOpenFileClick(); });
    // The menu's Save runs the button's command.
    on(a.mnSaveFile, [this] { btnSaveClick(); });
    onClick(a.btnSave, [this] { btnSaveClick(); });
    on(a.mnSaveFileAs, [&core] { core.DataFile()->SaveAs(); });
    connect(a.mnExit, &QAction::triggered, this, &QWidget::close);

    // The menu's New item runs the pop-up's, and its New subitem runs the button's.
    on(a.mnNewItem, [this] { mnPopNewItemClick(); });
    on(a.mnPopNewItem, [this] { mnPopNewItemClick(); });
    on(a.mnNewSubitem, [this] { btnNewTaskClick(); });
    on(a.mnPopNewSubItem, [this] { btnNewTaskClick(); });
    onClick(a.btnNewTask, [this] { btnNewTaskClick(); });
    onClick(a.btnMoveTaskUp, [this] { btnMoveTaskUpClick(); });
    onClick(a.btnMoveTaskDown, [this] { btnMoveTaskDownClick(); });
    on(a.mnDeleteItem, [this] { btnDeletetaskClick(); });
    onClick(a.btnDeletetask, [this] { btnDeletetaskClick(); });
    on(a.mnClean, [this] { btnCleanClick(); });
    onClick(a.btnClean, [this] { btnCleanClick(); });
    on(a.mnCollapseAll, [&core] { core.Outline()->mnCollapseAll(); });
    on(a.mnExpandAll, [&core] { core.Outline()->mnExpandAll(); });
    on(a.mnCollapse, [&core] { core.Outline()->mnCollapse(); });
    on(a.mnExpand, [&core] { core.Outline()->mnExpand(); });

    on(a.mnEnglish, [this] { SwitchLanguage(TLanguage::English); });
    on(a.mnCzech, [this] { SwitchLanguage(TLanguage::Czech); });
    on(a.mnUserManual, [this] { OpenHelpPage(HelpPages::TPage::UserManual); });
    on(a.mnSupport, [this] { OpenHelpPage(HelpPages::TPage::Support); });

    // Find, Print and Settings come with their own windows.
    for (QAction* entry : {a.mnFind, a.mnFindAgain, a.mnPrint, a.mnSettings})
        entry->setEnabled(false);
    for (QToolButton* button : {a.btnFind, a.btnPrint, a.btnSettings})
        button->setEnabled(false);

    connect(lists_->Pager(), &QTabWidget::currentChanged, this,
            [this] { core_->Guarded([this] { AdjustControls(); }); });
    for (QWidget* view : lists_->ItemViews()) {
        connect(view, &QWidget::customContextMenuRequested, this,
                [this, view](const QPoint& point) { ShowPopup(view, point); });
    }
}

void TfrmMainForm::AdjustControls()
{
    TCore& core = *core_;
    const TDataFile& file = *core.DataFile();
    TMainActions& a = *actions_;
    a.mnSaveFile->setEnabled(!file.IsUntitled() && file.IsModified());
    a.btnSave->setEnabled(file.IsModified());
    const bool outlineInFront = lists_->IsOutlineInFront();
    a.btnMoveTaskUp->setEnabled(outlineInFront);
    a.btnMoveTaskDown->setEnabled(outlineInFront);
    const bool anyDone = core.Tasks()->CountDone() > 0;
    a.btnClean->setEnabled(anyDone);
    a.mnClean->setEnabled(anyDone);
    if (const TTask* current = core.CurrentItem())
        a.mnNewItem->setEnabled(current->Parent() != nullptr);
    a.mnPopNewItem->setEnabled(a.mnNewItem->isEnabled());
    a.ShowToolBarCaptions(core.Config()->ShowToolBarButtonCaptions());
    UpdateTitle();
    core.StatisticsView()->RefreshStats();
    watcher_->Follow(file.IsUntitled() ? QString() : file.Path());
    core.Log(u"Controls adjusting completed"_qs);
}

void TfrmMainForm::UpdateTitle()
{
    const TDataFile& file = *core_->DataFile();
    setWindowTitle(TCore::GetAppName() + u": " + file.GetDisplayName() +
                   (file.IsModified() ? u"*" : u""));
}

void TfrmMainForm::SelectItem(TTask* item)
{
    editor_->ShowItem(item);
}

void TfrmMainForm::ShowHint(const QString& text)
{
    panels_->ShowHint(text);
}

void TfrmMainForm::ApplyStyle()
{
    ApplyColourScheme(this, core_->Config()->StyleNo());
}

void TfrmMainForm::ShowSettings()
{
    // The settings dialog comes with its own window; until then its entries are disabled.
}

void TfrmMainForm::ShowOutlinePage()
{
    lists_->ShowOutlinePage();
}

void TfrmMainForm::LoadEditorControls()
{
    editor_->LoadControls();
}

void TfrmMainForm::OpenAndRestore()
{
    TCore& core = *core_;
    {
        actions_->MainToolBar->setEnabled(false);
        const auto enable = qScopeGuard([this] { actions_->MainToolBar->setEnabled(true); });
        core.DataFile()->Load();
    }
    RefreshContextLists();
    const TConfig& config = *core.Config();
    TTasks& tasks = *core.Tasks();
    if (TTask* item = tasks.FindByIdText(config.SelectedTaskID()))
        core.SelectItem(item);
    else if (TTask* first = tasks.FirstInOutline())
        core.SelectItem(first);
    if (const TKavContext* context = core.Contexts()->FindByIdText(config.SelectedContextID()))
        core.TodoView()->SelectContext(context);
    tasks.UpdateViews();
}

void TfrmMainForm::RefreshContextLists()
{
    editor_->RefreshContextChooser();
    core_->TodoView()->FillContextChooser();
}

void TfrmMainForm::ApplyConfiguredLanguage()
{
    const TLanguage language = LanguageFromConfigName(core_->Config()->Language());
    (language == TLanguage::Czech ? actions_->mnCzech : actions_->mnEnglish)->setChecked(true);
    core_->LanguagesEngine()->SetLanguage(language);
}

void TfrmMainForm::ApplyLanguage()
{
    TCore& core = *core_;
    qtTranslation_.Apply(core.LanguagesEngine()->Language());
    lists_->RetranslateCaptions();
    actions_->RetranslateCaptions();
    panels_->SetVersionText(TCore::GetAppName() + u' ' + TCore::GetVersion());
    core.Contexts()->RefreshAnywhereName();
    editor_->RefreshCaptions();
    core.ProjectsView()->RefreshFilterTexts();
    // "All contexts" and Anywhere in the new language too; the choice stays.
    core.TodoView()->SelectContext(core.TodoView()->ChosenContext());
    core.StatisticsView()->RefreshStats();
    UpdateTitle();
}

bool TfrmMainForm::event(QEvent* event)
{
    // Ctrl+C is Clean's key and Copy's. A text box that can be typed in claims Copy itself; one
    // that is read-only does not, so the window claims it for the box here: the key then goes
    // to the box, which copies.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy) &&
        IsTextBox(QApplication::focusWidget())) {
        event->accept();
        return true;
    }
    return QMainWindow::event(event);
}

void TfrmMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!std::exchange(shownOnce_, true))
        core_->Guarded([this] { FormShow(); });
}

void TfrmMainForm::FormShow()
{
    lists_->ShowOutlinePage();
    pgrDetails_->setCurrentIndex(0);
    TFormPlacement placement(*this);
    core_->Config()->RestoreForm(u"Main"_qs, placement);
    placement.KeepOnScreen();
    if (splash_)
        splash_->WaitAndClose();
}

void TfrmMainForm::closeEvent(QCloseEvent* event)
{
    FormClose();
    if (splash_)
        splash_->close();
    event->accept();
}

void TfrmMainForm::FormClose()
{
    TCore& core = *core_;
    Command([&core] { core.DataFile()->AskSaveChanges(); });
    // A configuration that cannot be written is shown, and the window closes all the same:
    // nothing the user can do here would write it.
    core.Guarded([this, &core] {
        TConfig& config = *core.Config();
        if (const TTask* current = core.CurrentItem())
            config.SetSelectedTaskID(current->IdText());
        config.SetToDoIncludedSubContexts(core.TodoView()->IncludeIncluded());
        if (const TKavContext* context = core.TodoView()->ChosenContext())
            config.SetSelectedContextID(context->IdText());
        const TFormPlacement placement(*this);
        config.StoreForm(u"Main"_qs, placement);
        config.Save();
    });
}

void TfrmMainForm::mnNewFileClick()
{
    TDataFile& file = *core_->DataFile();
    file.AskSaveChanges();
    file.NewBlank();
    RefreshContextLists();
}

void TfrmMainForm::mnOpenFileClick()
{
    TDataFile& file = *core_->DataFile();
    file.AskSaveChanges();
    if (file.ChooseFileToOpen())
        OpenAndRestore();
}

void TfrmMainForm::btnSaveClick()
{
    actions_->MainToolBar->setEnabled(false);
    const auto enable = qScopeGuard([this] { actions_->MainToolBar->setEnabled(true); });
    // An untitled file is saved under the name the user gives it.
    core_->DataFile()->Save();
}

void TfrmMainForm::btnNewTaskClick()
{
    ItemCommands::NewSubitem(core_->CurrentItem());
    editor_->StartNaming();
}

void TfrmMainForm::mnPopNewItemClick()
{
    // Without a current item (an empty outline) the new item starts the outline.
    TTask* current = core_->CurrentItem();
    if (current)
        ItemCommands::NewItem(*current);
    else
        ItemCommands::NewSubitem(nullptr);
    editor_->StartNaming();
}

void TfrmMainForm::btnDeletetaskClick()
{
    if (TTask* current = core_->CurrentItem())
        ItemCommands::Delete(*current);
}

void TfrmMainForm::btnMoveTaskUpClick()
{
    if (TTask* current = core_->CurrentItem())
        ItemCommands::MoveUp(*current);
}

void TfrmMainForm::btnMoveTaskDownClick()
{
    if (TTask* current = core_->CurrentItem())
        ItemCommands::MoveDown(*current);
}

void TfrmMainForm::btnCleanClick()
{
    ItemCommands::Clean();
}

void TfrmMainForm::SwitchLanguage(TLanguage language)
{
    TCore& core = *core_;
    core.LanguagesEngine()->SetLanguage(language);
    ApplyLanguage();
    core.Config()->SetLanguage(core.LanguagesEngine()->GetLanguageName());
}

void TfrmMainForm::OpenHelpPage(HelpPages::TPage page)
{
    TCore& core = *core_;
    const TLanguage language = core.LanguagesEngine()->Language();
    const QString path = HelpPages::Find(page, language);
    if (path.isEmpty()) {
        core.ShowMessage(core.Translate(u"HelpPageMissing"_qs) + u' ' +
                         HelpPages::FileName(page, language));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        core.ShowError(core.Translate(u"ErrorOpen"_qs), path);
}

void TfrmMainForm::ShowPopup(QWidget* view, const QPoint& point)
{
    const auto* scrollArea = qobject_cast<const QAbstractScrollArea*>(view);
    const QWidget* surface = scrollArea ? scrollArea->viewport() : view;
    actions_->popup->popup(surface->mapToGlobal(point));
}
