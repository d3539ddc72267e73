#include "datafile/DataFile.h"

#include "app/AppCore.h"
#include "app/Config.h"
#include "datafile/AtomicFile.h"
#include "datafile/DataFileReader.h"
#include "datafile/DataFileWriter.h"
#include "model/Contexts.h"
#include "model/SubContexts.h"
#include "model/Tasks.h"
#include "platform/Error.h"
#include "views/Outline.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Keeps the views' update bracket closed on every way out.
class TUpdateBracket {
public:
    TUpdateBracket() { Core().BeginUpdateViews(); }
    ~TUpdateBracket() { Core().EndUpdateViews(); }
    TUpdateBracket(const TUpdateBracket&) = delete;
    TUpdateBracket& operator=(const TUpdateBracket&) = delete;
};

class TBusyScope {
public:
    explicit TBusyScope(bool& busy) : busy_(busy) { busy_ = true; }
    ~TBusyScope() { busy_ = false; }
    TBusyScope(const TBusyScope&) = delete;
    TBusyScope& operator=(const TBusyScope&) = delete;

private:
    bool& busy_;
};

} // namespace

TDataFile::TDataFile()
{
    autoSaveTimer_.setInterval(AutoSaveInterval);
    QObject::connect(&autoSaveTimer_, &QTimer::timeout,
                     [this] { Core().Guarded([this] { AutoSaveTick(); }); });
}

TDataFile::~TDataFile() = default;

QString TDataFile::GetDisplayName() const
{
    return IsUntitled() ? Core().Translate(u"Untitled"_qs) : name_;
}

void TDataFile::SetModified(bool modified)
{
    modified_ = modified;
    Core().AdjustControls();
}

void TDataFile::ChooseStartupFile(const QStringList& arguments)
{
    if (arguments.size() == 1) {
        const QString& parameter = arguments.front();
        Core().Log(u"Launched with param " + parameter);
        // Absolute, so that the dialogs and the backups find the folder whatever happens to the
        // working folder later.
        SetPath(parameter.isEmpty() ? parameter : QFileInfo(parameter).absoluteFilePath());
    } else {
        Core().Log(u"Launched without param - data file will open by ini"_qs);
        UseConfiguredFile();
    }
}

void TDataFile::UseConfiguredFile()
{
    const QString& configured = Core().Config()->FileName();
    if (configured.isEmpty())
        return;
    SetPath(configured);
    Core().Log(u"Data file set to " + configured);
}

bool TDataFile::Load()
{
    if (RefusedWhileBusy(u"Load"))
        return false;
    if (name_.trimmed().isEmpty() || !QFileInfo::exists(Path())) {
        StartBlank();
        return true;
    }
    bool loaded = false;
    {
        const TBusyScope busy(busy_);
        loaded = ReadFile();
    }
    if (!loaded)
        StartBlank();
    return loaded;
}

bool TDataFile::ReadFile()
{
    try {
        Core().ShowStatus(Core().Translate(u"Reading file"_qs) + u' ' + name_);
        TDataFileReader reader = TDataFileReader::FromFile(Path());
        {
            const TUpdateBracket bracket;
            reader.ReadAll();
            Core().Tasks()->RestoreExpanded();
        }
        // Before anything is saved over the dates that are gone.
        if (const int unread = reader.UnreadDates(); unread > 0) {
            Core().ShowMessage(Core()
                                   .Translate(u"DatesReplacedByToday"_qs)
                                   .arg(QDir::toNativeSeparators(Path()), QString::number(unread)));
        }
        if (Core().Config()->AutoBackup())
            MakeBackup();
        SetModified(false);
        return true;
    } catch (const std::exception& error) {
        Core().ShowStatus(QString());
        Core().ShowError(Core().Translate(u"ErrorLoad"_qs), ErrorMessage(error));
        return false;
    }
}

void TDataFile::NewBlank()
{
    if (!RefusedWhileBusy(u"NewBlank"))
        StartBlank();
}

void TDataFile::StartBlank()
{
    Core().Log(u"Creating new blank data file"_qs);
    folder_.clear();
    name_.clear();
    modified_ = false;
    {
        const TUpdateBracket bracket;
        // The views link to the items, and the relation to the contexts: those go first.
        Core().ClearViews();
        Core().Tasks()->Clear();
        Core().SubContexts()->Clear();
        Core().Contexts()->Reset();
        TTask* item = Core().Tasks()->Add(nullptr);
        Core().Outline()->AddItemNode(*item);
        Core().SelectItem(item);
    }
    Core().Log(u"New blank data file sucesfully created "_qs);
}

bool TDataFile::Save()
{
    if (RefusedWhileBusy(u"Save"))
        return false;
    // Without a name there is nowhere to write: the user names the file first.
    if (IsUntitled())
        return SaveAs();
    const TBusyScope busy(busy_);
    Core().Log(u"TDataFile.Save start"_qs);
    Core().ShowStatus(Core().Translate(u"Saving file ..."_qs));
    bool saved = false;
    try {
        TDataFileWriter::WriteAll().SaveTo(Path());
        SetModified(false);
        saved = true;
    } catch (const std::exception& error) {
        Core().ShowError(Core().Translate(u"ErrorSave"_qs), ErrorMessage(error));
    }
    Core().ShowStatus(QString());
    return saved;
}

bool TDataFile::SaveAs()
{
    return ChooseFileToSave() && Save();
}

void TDataFile::AskSaveChanges()
{
    if (!modified_)
        return;
    const QString question = Core().Translate(u"Save changes"_qs) + u' ' +
                             Core().Translate(u"in file"_qs) + u' ' + name_ + u'?';
    if (!Core().Confirm(question))
        return;
    if (IsUntitled())
        SaveAs();
    else
        Save();
}

bool TDataFile::ChooseFileToOpen()
{
    return ChooseFile(&IUserPrompts::ChooseFileToOpen, u"ErrorOpen"_qs);
}

bool TDataFile::ChooseFileToSave()
{
    return ChooseFile(&IUserPrompts::ChooseFileToSave, u"ErrorSave"_qs);
}

bool TDataFile::ChooseFile(TFileDialog dialog, const QString& errorKey)
{
    const TFileDialogRequest request{
        TCore::GetAppName() + u' ' + Core().Translate(u"data file"_qs),
        u"*.kav"_qs,
        u".kav"_qs,
        folder_ + GetDisplayName(),
    };
    std::optional<QString> path;
    try {
        path = (Core().Prompts().*dialog)(request);
    } catch (const std::exception&) {
        Core().ShowError(Core().Translate(errorKey), QString());
        return false;
    }
    if (!path)
        return false;
    SetPath(*path);
    try {
        Core().Config()->SetFileName(*path);
    } catch (const std::exception& error) {
        // The configuration keeps the path in memory; the data file goes on regardless.
        Core().HandleException(error);
    }
    return true;
}

void TDataFile::MakeBackup()
{
    try {
        TConfig& config = *Core().Config();
        config.AdvanceBackupNo();
        const QString backup =
            Path() + u" - backup " + QString::number(config.NextBackupNo()) + u".ka~";
        Core().Log(u"Creating backup file " + backup);
        TAtomicFile::Copy(Path(), backup);
    } catch (const std::exception& error) {
        Core().ShowError(Core().Translate(u"Error creating backup file"_qs), ErrorMessage(error));
    }
}

void TDataFile::StartAutoSave()
{
    autoSaveTimer_.start();
}

void TDataFile::AutoSaveTick()
{
    Core().Log(u"AutoSaveTimer started"_qs);
    // A tick inside a running load or save waits for the next one.
    if (busy_)
        return;
    if (Core().Config()->AutoSave() && modified_ && !IsUntitled())
        Save();
}

void TDataFile::SetPath(const QString& path)
{
    const qsizetype separator = path.lastIndexOf(u'/');
    folder_ = path.left(separator + 1);
    name_ = path.mid(separator + 1);
}

bool TDataFile::RefusedWhileBusy(QStringView operation) const
{
    if (busy_)
        Core().Log(u"TDataFile." + operation + u" refused: the data file is being read or saved");
    return busy_;
}
