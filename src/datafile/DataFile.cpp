#include "datafile/DataFile.h"

#include "app/AppCore.h"
#include "app/Config.h"
#include "datafile/AtomicFile.h"
#include "datafile/DataFileReader.h"
#include "datafile/DataFileWriter.h"
#include "datafile/SideFiles.h"
#include "datafile/WriterLock.h"
#include "model/Contexts.h"
#include "model/SubContexts.h"
#include "model/Tasks.h"
#include "platform/Error.h"
#include "views/Outline.h"
#include "views/ToDo.h"

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

TDataFile::TDataFile() : lockWait_(TWriterLock::DefaultWait)
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
    return Open(Core().Config()->AutoBackup());
}

bool TDataFile::Open(bool makeBackup)
{
    if (RefusedWhileBusy(u"Load"))
        return false;
    if (name_.trimmed().isEmpty() || !QFileInfo::exists(Path())) {
        StartBlank();
        return true;
    }
    try {
        const TBusyScope busy(busy_);
        ReadFile(makeBackup, false);
        return true;
    } catch (const std::exception& error) {
        Core().ShowStatus(QString());
        Core().ShowError(Core().Translate(u"ErrorLoad"_qs), ErrorMessage(error));
    }
    StartBlank();
    return false;
}

void TDataFile::ReadFile(bool makeBackup, bool keepOnFailure)
{
    Core().ShowStatus(Core().Translate(u"Reading file"_qs) + u' ' + name_);
    TFileIdentity identity;
    TDataFileReader reader(TFileIdentity::Read(Path(), identity));
    // What the user sees gives way only to a file read in full: a copy waits to be put back.
    const QByteArray shown = keepOnFailure ? TDataFileWriter::WriteAll().ToBytes() : QByteArray();
    try {
        const TUpdateBracket bracket;
        reader.ReadAll();
        Core().Tasks()->RestoreExpanded();
    } catch (const std::exception&) {
        if (keepOnFailure) {
            const TUpdateBracket bracket;
            TDataFileReader(shown).ReadAll();
            Core().Tasks()->RestoreExpanded();
        }
        throw;
    }
    RememberIdentity(identity);
    // Before anything is saved over the dates that are gone.
    if (const int unread = reader.UnreadDates(); unread > 0) {
        Core().ShowMessage(Core()
                               .Translate(u"DatesReplacedByToday"_qs)
                               .arg(QDir::toNativeSeparators(Path()), QString::number(unread)));
    }
    if (makeBackup)
        MakeBackup();
    SetModified(false);
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
    RememberIdentity(TFileIdentity());
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

bool TDataFile::Reload()
{
    if (RefusedWhileBusy(u"Reload"))
        return false;
    const TTask* current = Core().CurrentItem();
    const TKavContext* context = Core().TodoView()->ChosenContext();
    const QString itemId = current ? current->IdText() : QString();
    const QString contextId = context ? context->IdText() : QString();
    Core().Log(u"Reading the data file again: " + Path());
    bool loaded = false;
    QString failure;
    try {
        const TBusyScope busy(busy_);
        ReadFile(false, true);
        loaded = true;
    } catch (const std::exception& error) {
        failure = ErrorMessage(error);
    }
    RestoreSelection(itemId, contextId);
    if (!loaded) {
        // Shown once the data are back, so that the box stands over what the user had.
        Core().ShowStatus(Core().Translate(u"ReloadFailedKept"_qs));
        Core().ShowError(Core().Translate(u"ErrorLoad"_qs),
                         failure + u' ' + Core().Translate(u"ReloadFailedKept"_qs));
    }
    return loaded;
}

void TDataFile::RestoreSelection(const QString& itemId, const QString& contextId)
{
    TCore& core = Core();
    core.TodoView()->SelectContext(core.Contexts()->FindByIdText(contextId));
    core.Tasks()->UpdateViews();
    TTask* item = core.Tasks()->FindByIdText(itemId);
    core.SelectItem(item ? item : core.Tasks()->FirstInOutline());
}

bool TDataFile::Save()
{
    if (RefusedWhileBusy(u"Save"))
        return false;
    // Without a name there is nowhere to write: the user names the file first.
    if (IsUntitled())
        return SaveAs();
    switch (Write(TWriteMode::UserAsked)) {
    case TWriteResult::Written:
        return true;
    case TWriteResult::Failed:
        return false;
    case TWriteResult::ChangedOnDisk:
        break;
    }
    return AnswerChangedFile();
}

TDataFile::TWriteResult TDataFile::Write(TWriteMode mode)
{
    const TBusyScope busy(busy_);
    Core().Log(u"TDataFile.Save start"_qs);
    Core().ShowStatus(Core().Translate(u"Saving file ..."_qs));
    TWriteResult result = TWriteResult::Failed;
    try {
        // Checked under the lock, so that no other writer comes between the check and the
        // rename; released before anyone is asked anything. Auto-save does not keep the
        // window waiting: another program at work means a file about to change.
        const std::unique_ptr<TWriterLock> lock = LockForWriting(
            mode == TWriteMode::Automatic ? std::chrono::milliseconds(0) : lockWait_);
        if (mode != TWriteMode::Overwrite && IsChangedOnDisk()) {
            Core().Log(u"Not saved: another program changed " + Path() +
                       u" since it was read or saved");
            result = TWriteResult::ChangedOnDisk;
        } else {
            RememberIdentity(TDataFileWriter::WriteAll().SaveTo(Path()));
            for (const QString& leftover : SideFiles::RemoveLeftovers(Path()))
                Core().Log(u"Removed the temporary file of an unfinished save: " + leftover);
            SetModified(false);
            result = TWriteResult::Written;
        }
    } catch (const TWriterLock::TBusy& busyLock) {
        if (mode == TWriteMode::Automatic) {
            Core().Log(u"Not saved: another program is writing " + Path());
            result = TWriteResult::ChangedOnDisk;
        } else {
            Core().ShowError(Core().Translate(u"ErrorSave"_qs), busyLock.Message());
        }
    } catch (const std::exception& error) {
        Core().ShowError(Core().Translate(u"ErrorSave"_qs), ErrorMessage(error));
    }
    Core().ShowStatus(QString());
    return result;
}

bool TDataFile::AnswerChangedFile()
{
    const TChangedFileQuestion question{
        Core().Translate(u"Confirmation"_qs),
        ChangedOnDiskText() + u' ' + Core().Translate(u"ChangedOnDiskSaveQuestion"_qs),
        Core().Translate(u"ChangedOnDiskOverwrite"_qs),
        Core().Translate(u"ChangedOnDiskReload"_qs),
        Core().Translate(u"Save As..."_qs),
    };
    switch (Core().Prompts().AskChangedFile(question)) {
    case TChangedFileAnswer::Overwrite:
        return Write(TWriteMode::Overwrite) == TWriteResult::Written;
    case TChangedFileAnswer::Reload:
        Core().ShowMessage(Core().Translate(u"ReloadDropsChanges"_qs));
        Reload();
        return false;
    case TChangedFileAnswer::SaveAs:
        return SaveAs();
    case TChangedFileAnswer::Cancel:
        break;
    }
    return false;
}

QString TDataFile::ChangedOnDiskText() const
{
    return Core().Translate(u"ChangedOnDisk1"_qs) + u' ' + name_ + u' ' +
           Core().Translate(u"ChangedOnDisk2"_qs);
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

bool TDataFile::MakeBackup()
{
    try {
        TConfig& config = *Core().Config();
        config.AdvanceBackupNo();
        const QString backup = SideFiles::BackupPath(Path(), config.NextBackupNo());
        Core().Log(u"Creating backup file " + backup);
        const std::unique_ptr<TWriterLock> lock = LockForWriting(lockWait_);
        TAtomicFile::Copy(Path(), backup);
        return true;
    } catch (const std::exception& error) {
        Core().ShowError(Core().Translate(u"Error creating backup file"_qs), ErrorMessage(error));
        return false;
    }
}

bool TDataFile::BackUpFileToReplace()
{
    try {
        // The file's own cycle goes on; a file that cannot be read starts one of its own.
        TFileIdentity replaced;
        TDataFileReader(TFileIdentity::Read(Path(), replaced)).ReadHeader();
    } catch (const std::exception& error) {
        Core().Log(u"No backup number in the file to be replaced: " + ErrorMessage(error));
    }
    return MakeBackup();
}

void TDataFile::HoldWriterLock()
{
    if (!heldLock_ || !heldLock_->Covers(Path()))
        heldLock_ = TakeWriterLock(lockWait_);
}

std::unique_ptr<TWriterLock> TDataFile::LockForWriting(std::chrono::milliseconds wait) const
{
    return heldLock_ && heldLock_->Covers(Path()) ? nullptr : TakeWriterLock(wait);
}

std::unique_ptr<TWriterLock> TDataFile::TakeWriterLock(std::chrono::milliseconds wait) const
{
    std::unique_ptr<TWriterLock> lock;
    try {
        lock = std::make_unique<TWriterLock>(Path(), wait);
    } catch (const TWriterLock::TBusy&) {
        throw TWriterLock::TBusy(Core().Translate(u"FileBusy"_qs) + u' ' +
                                 QDir::toNativeSeparators(Path()));
    }
    if (!lock->IsEffective())
        Core().Log(u"The file system cannot lock: " + Path() + u" is written unlocked");
    return lock;
}

void TDataFile::RememberIdentity(const TFileIdentity& identity)
{
    identity_ = identity;
    identityPath_ = Path();
    changeTold_ = false;
}

bool TDataFile::IsChangedOnDisk()
{
    return identity_.IsKnown() && identityPath_ == Path() &&
           identity_.Check(Path()) == TFileIdentity::TState::Changed;
}

void TDataFile::CheckFileOnDisk()
{
    // The watcher hears of every write the other program makes; the user hears of it once,
    // and after that the next save asks.
    if (busy_ || changeTold_ || !IsChangedOnDisk())
        return;
    if (!modified_) {
        Core().Log(u"Another program changed " + Path() + u", which is read again");
        if (Reload())
            Core().ShowStatus(Core().Translate(u"ReloadedAfterChange"_qs));
        else
            changeTold_ = true;
        return;
    }
    changeTold_ = true;
    Core().Log(u"Another program changed " + Path() + u" while changes here are unsaved");
    Core().ShowStatus(Core().Translate(u"ChangedOnDiskNextSaveAsks"_qs));
    Core().ShowMessage(ChangedOnDiskText() + u' ' + Core().Translate(u"NextSaveAsks"_qs));
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
    if (Core().Config()->AutoSave() && modified_ && !IsUntitled() &&
        Write(TWriteMode::Automatic) == TWriteResult::ChangedOnDisk)
        Core().ShowStatus(Core().Translate(u"AutoSaveSkipped"_qs));
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
