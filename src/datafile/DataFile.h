#pragma once

#include "app/Ports.h"

#include <QString>
#include <QStringList>
#include <QTimer>

// The open data file: its folder and name, the unsaved-changes flag, and everything done to it
// as a whole: choosing, opening, starting anew, saving, backups, auto-save and the question
// before changes would be dropped.
//
// A load or save lets pending events run while it shows its status; a tick or command that
// arrives meanwhile never starts a second one inside it: the auto-save tick is skipped (the next
// one saves) and any other load, new file or save is refused with a log line.
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
    // modified. An untitled data file is saved as the user names it (SaveAs). True when the
    // file was written.
    bool Save();
    bool SaveAs();
    // When modified: asks whether to save, and saves (with a name asked for when untitled).
    void AskSaveChanges();
    // The file dialogs: true when the user chose a path, which becomes the data file's and the
    // configured one.
    bool ChooseFileToOpen();
    bool ChooseFileToSave();
    // Copies the file on disk into the next slot of its backup cycle.
    void MakeBackup();

    // The main window and the companion start the timer; its ticks run AutoSaveTick.
    void StartAutoSave();
    // Saves when auto-save is on and the data file has a name and unsaved changes.
    void AutoSaveTick();

private:
    using TFileDialog = std::optional<QString> (IUserPrompts::*)(const TFileDialogRequest&);

    bool ChooseFile(TFileDialog dialog, const QString& errorKey);
    void SetPath(const QString& path);
    // A load or save is running: logs the refusal of the operation.
    bool RefusedWhileBusy(QStringView operation) const;
    // False when the file failed to load, after the failure was shown.
    bool ReadFile();
    void StartBlank();

    QString folder_;
    QString name_;
    bool modified_ = false;
    bool busy_ = false;
    QTimer autoSaveTimer_;
};
