#pragma once

#include <QString>
#include <memory>

class TIniFile;

// The window whose placement RestoreForm and StoreForm keep.
class IFormPlacement {
public:
    virtual ~IFormPlacement() = default;
    virtual int Top() const = 0;
    virtual int Left() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool IsMaximized() const = 0;
    virtual void SetTop(int top) = 0;
    virtual void SetLeft(int left) = 0;
    virtual void SetWidth(int width) = 0;
    virtual void SetHeight(int height) = 0;
    virtual void Maximize() = 0;
};

// The user's preferences and the program's remembered state, kept in an ini file. Every value is
// read once at creation; writes go to the file at once. A write that fails throws
// TError("Unable to write to " + path).
class TConfig {
public:
    // The ini file: $TAVOLIN_CONFIG when set; else beside the executable, named after it plus
    // ".ini", when that folder is writable or the file exists there; else
    // $XDG_CONFIG_HOME/tavolin/tavolin.ini.
    static QString DefaultPath();

    explicit TConfig(const QString& iniPath);
    ~TConfig();

    const QString& Path() const;

    void Load();
    void Save();

    // [Preferences]
    const QString& Language() const { return language_; }
    void SetLanguage(const QString& language); // saves at once

    // [Environment]
    bool ShowOutlineIcons() const { return showOutlineIcons_; }
    void SetShowOutlineIcons(bool on) { showOutlineIcons_ = on; }
    bool ShowPriorityScore() const { return showPriorityScore_; }
    void SetShowPriorityScore(bool on) { showPriorityScore_ = on; }
    bool ShowToolBarButtonCaptions() const { return showToolBarButtonCaptions_; }
    void SetShowToolBarButtonCaptions(bool on) { showToolBarButtonCaptions_ = on; }
    bool ShowDueDatesInOutline() const { return showDueDatesInOutline_; }
    void SetShowDueDatesInOutline(bool on) { showDueDatesInOutline_ = on; }
    int StyleNo() const { return styleNo_; }
    void SetStyleNo(int style) { styleNo_ = style; }
    int BackupsCount() const { return backupsCount_; }
    void SetBackupsCount(int count) { backupsCount_ = count; }
    bool AutoSave() const { return autoSave_; }
    void SetAutoSave(bool on); // saves at once
    bool AutoBackup() const { return autoBackup_; }
    void SetAutoBackup(bool on) { autoBackup_ = on; }
    bool ToDoIncludedSubContexts() const { return toDoIncludedSubContexts_; }
    void SetToDoIncludedSubContexts(bool on) { toDoIncludedSubContexts_ = on; }
    bool AutoTypeForSubItems() const { return autoTypeForSubItems_; }
    void SetAutoTypeForSubItems(bool on) { autoTypeForSubItems_ = on; }

    // [Print], [Outline], [ToDo], [Debug], [Data]
    const QString& LastPrinter() const { return lastPrinter_; }
    void SetLastPrinter(const QString& printer) { lastPrinter_ = printer; }
    const QString& SelectedTaskID() const { return selectedTaskID_; }
    void SetSelectedTaskID(const QString& id) { selectedTaskID_ = id; }
    const QString& SelectedContextID() const { return selectedContextID_; }
    void SetSelectedContextID(const QString& id) { selectedContextID_ = id; }
    bool ShowDebug() const { return showDebug_; } // read, never written
    const QString& FileName() const { return fileName_; }
    void SetFileName(const QString& path); // saves at once

    // The backup counter of the open data file: in memory only, never in the ini file.
    int NextBackupNo() const { return nextBackupNo_; }
    void SetNextBackupNo(int number) { nextBackupNo_ = number; }
    // One step on, back to 1 past BackupsCount; logs the new number.
    void AdvanceBackupNo();

    // [Forms] name.Top, .Left, .Width, .Height, .Maximized
    void RestoreForm(const QString& name, IFormPlacement& window);
    void StoreForm(const QString& name, const IFormPlacement& window);

private:
    std::unique_ptr<TIniFile> ini_;

    QString language_;
    bool showOutlineIcons_ = true;
    bool showPriorityScore_ = false;
    bool showToolBarButtonCaptions_ = false;
    bool showDueDatesInOutline_ = false;
    int styleNo_ = 0;
    int backupsCount_ = 5;
    bool autoSave_ = false;
    bool autoBackup_ = true;
    bool toDoIncludedSubContexts_ = true;
    bool autoTypeForSubItems_ = true;
    QString lastPrinter_;
    QString selectedTaskID_;
    QString selectedContextID_;
    bool showDebug_ = false;
    QString fileName_;
    int nextBackupNo_ = 0;
};
