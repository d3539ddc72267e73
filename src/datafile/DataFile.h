#pragma once

#include "app/Ports.h"
#include "datafile/FileIdentity.h"

#include <QString>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <memory>

class TWriterLock;

// The open data file: its folder and name, the unsaved-changes flag, and everything done to it
// as a whole: choosing, opening, starting anew, saving, backups, auto-save and the question
// before changes would be dropped.
//
// A load or save lets pending events run while it shows its status; a tick or command that
// arrives meanwhile never starts a second one inside it: the auto-save tick is skipped (the next
// one saves) and any other load, new file or save is refused with a log line.
//
// Two programs on one file never lose each other's changes. Every write beside the data file
// (a save, a backup) holds the file's writer's lock (TWriterLock), and the data file remembers
// the identity of what it last read or wrote there (TFileIdentity): a save never silently
// replaces a file that another program changed since.
class TDataFile {
public:
    static constexpr int AutoSaveInterval = 300000; // five minutes, in ms

    TDataFile();
    ~TDataFile();
    TDataFile(const TDataFile&) = delete;
    TDataFile& operator=(const TDataFile&) = delete;

    // The folder ends in its path separator; folder and name together are the path.
    const QString& Folder() const { return folder_; }
    void SetFolder(const QString& folder) { folder_ = folder; }
    const QString& FileName() const { return name_; }
    void SetFileName(const QString& name) { name_ = name; }
    QString Path() const { return folder_ + name_; }
    bool IsUntitled() const { return name_.isEmpty(); }
    // The name, or the translation of "Untitled".
    QString GetDisplayName() const;

    bool IsModified() const { return modified_; }
    // Then the window adjusts its title and Save controls.
    void SetModified(bool modified);

    // arguments: the command-line parameters, without the program's own path. Exactly one
    // names the data file; otherwise the configured one is used.
    void ChooseStartupFile(const QStringList& arguments);
    void UseConfiguredFile();

    // Reads the file at the path; a new blank data file when there is none. A file that fails
    // to load is reported and left untouched, and a new blank untitled data file takes its place,
    // so that nothing half read can be saved over it. False for such a failure and for a refusal.
    bool Load();
    // An untitled data file with one item, selected.
    void NewBlank();
    // Replaces the file at the path as a whole; a failure is reported and the data stay
    // modified. An untitled data file is saved as the user names it (SaveAs). When another
    // program has changed the file since it was read or written here, the user is asked first
    // (AskChangedFile): overwrite it, read it again dropping the unsaved changes (after saying
    // so), or save under another name. True when the file was written.
    bool Save();
    bool SaveAs();
    // When modified: asks whether to save, and saves (with a name asked for when untitled).
    void AskSaveChanges();
    // The file dialogs: true when the user chose a path, which becomes the data file's and the
    // configured one.
    bool ChooseFileToOpen();
    bool ChooseFileToSave();
    // Copies the file on disk into the next slot of its backup cycle. False, after the failure
    // was shown, when no copy was made.
    bool MakeBackup();
    // Before a new data file replaces the file at the path: copies that file into its own
    // backup cycle, continuing the number in its header, whatever AutoBackup says. False, after
    // the failure is shown, when no copy could be made.
    bool BackUpFileToReplace();

    // How long a write waits for another program's writer's lock before it gives up.
    void SetLockWait(std::chrono::milliseconds wait) { lockWait_ = wait; }
    // Holds the writer's lock of the file at the path from now until the data file ends, so
    // that reading the file, changing it and saving it form one step that no other writer comes
    // between. TError, with the message for the user, when another program keeps the lock
    // longer than the lock wait or the lock file cannot be made.
    void HoldWriterLock();

    // Whether the file at the path is no longer what was last read or written there. A file
    // that is gone is no change: the next save writes it again.
    bool IsChangedOnDisk();
    // For the window's file watcher, when another program may have changed the file. Without
    // unsaved changes here the file is read again at once, keeping the current item and the
    // to-do context; with unsaved changes the user is told once (status and message), and the
    // next save asks what to do.
    void CheckFileOnDisk();

    // The main window and the companion start the timer; its ticks run AutoSaveTick.
    void StartAutoSave();
    // Saves when auto-save is on and the data file has a name and unsaved changes. A file that
    // another program has changed, or is writing at the moment, is not overwritten: the tick
    // says so in the status and the next Save asks.
    void AutoSaveTick();

private:
    using TFileDialog = std::optional<QString> (IUserPrompts::*)(const TFileDialogRequest&);
    // UserAsked and Automatic never replace a file that another program has changed;
    // Overwrite is the user's answer that it may.
    enum class TWriteMode : quint8 { UserAsked, Automatic, Overwrite };
    enum class TWriteResult : quint8 { Written, Failed, ChangedOnDisk };

    bool ChooseFile(TFileDialog dialog, const QString& errorKey);
    void SetPath(const QString& path);
    // A load or save is running: logs the refusal of the operation.
    bool RefusedWhileBusy(QStringView operation) const;
    bool Open(bool makeBackup);
    // Reads the file at the path into the registry; TError when it cannot. With keepOnFailure,
    // a file that fails half way leaves the data as they were before.
    void ReadFile(bool makeBackup, bool keepOnFailure);
    void StartBlank();
    // Reads the file again, keeping the current item and the to-do context where they still
    // exist; no backup, as the one made when the file was opened is still there. A file that
    // cannot be read leaves everything as it was, unsaved changes included: the failure is
    // shown and the next save asks. False for such a failure and for a refusal.
    bool Reload();
    // After the item tree was read anew: the to-do chooser, every item's rows and the current
    // item, by the ids they had, else "All contexts" and the first item.
    static void RestoreSelection(const QString& itemId, const QString& contextId);
    TWriteResult Write(TWriteMode mode);
    bool AnswerChangedFile();
    // "The file tasks.kav was changed by another program since it was opened or saved."
    QString ChangedOnDiskText() const;
    // The writer's lock for one write; none when the held one covers the path already.
    // TWriterLock::TBusy with the message for the user, TError.
    std::unique_ptr<TWriterLock> LockForWriting(std::chrono::milliseconds wait) const;
    std::unique_ptr<TWriterLock> TakeWriterLock(std::chrono::milliseconds wait) const;
    void RememberIdentity(const TFileIdentity& identity);

    QString folder_;
    QString name_;
    bool modified_ = false;
    bool busy_ = false;
    QTimer autoSaveTimer_;
    TFileIdentity identity_;
    QString identityPath_;    // where identity_ was taken
    bool changeTold_ = false; // the user heard of the change on disk since identity_ was taken
    std::unique_ptr<TWriterLock> heldLock_;
    std::chrono::milliseconds lockWait_;
};
