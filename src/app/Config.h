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
// TError("Unable to write to " + path) and the values stay in memory.
class TConfig {
public:
    // The ini file: $TAVOLIN_CONFIG when set and not empty; else DefaultPathFor the executable.
    static QString DefaultPath();
    // Beside the executable, named after it with ".ini" instead of ".exe" (or with ".ini" added),
    // when its folder is writable or that file exists there; else tavolin/tavolin.ini in the
    // user's configuration folder.
    static QString DefaultPathFor(const QString& executablePath);

    // Reads the file. Without one every value has its default and the first write creates it.
    explicit TConfig(const QString& iniPath);
    ~TConfig();

    const QString& Path() const;

    void Load();
    void Save();

    // [Preferences]
    const QString& Language() const { return values_.language; }
    void SetLanguage(const QString& language); // saves at once

    // [Environment]
    bool ShowOutlineIcons() const { return values_.showOutlineIcons; }
    void SetShowOutlineIcons(bool on) { values_.showOutlineIcons = on; }
    bool ShowPriorityScore() const { return values_.showPriorityScore; }
    void SetShowPriorityScore(bool on) { values_.showPriorityScore = on; }
    bool ShowToolBarButtonCaptions() const { return values_.showToolBarButtonCaptions; }
    void SetShowToolBarButtonCaptions(bool on) { values_.showToolBarButtonCaptions = on; }
    bool ShowDueDatesInOutline() const { return values_.showDueDatesInOutline; }
    void SetShowDueDatesInOutline(bool on) { values_.showDueDatesInOutline = on; }
    int StyleNo() const { return values_.styleNo; }
    void SetStyleNo(int style) { values_.styleNo = style; }
    int BackupsCount() const { return values_.backupsCount; }
    void SetBackupsCount(int count) { values_.backupsCount = count; }
    bool AutoSave() const { return values_.autoSave; }
    void SetAutoSave(bool on); // saves at once
    bool AutoBackup() const { return values_.autoBackup; }
    void SetAutoBackup(bool on) { values_.autoBackup = on; }
    bool ToDoIncludedSubContexts() const { return values_.toDoIncludedSubContexts; }
    void SetToDoIncludedSubContexts(bool on) { values_.toDoIncludedSubContexts = on; }
    bool AutoTypeForSubItems() const { return values_.autoTypeForSubItems; }
    void SetAutoTypeForSubItems(bool on) { values_.autoTypeForSubItems = on; }

    // [Print], [Outline], [ToDo], [Debug], [Data]
    const QString& LastPrinter() const { return values_.lastPrinter; }
    void SetLastPrinter(const QString& printer) { values_.lastPrinter = printer; }
    const QString& SelectedTaskID() const { return values_.selectedTaskID; }
    void SetSelectedTaskID(const QString& id) { values_.selectedTaskID = id; }
    const QString& SelectedContextID() const { return values_.selectedContextID; }
    void SetSelectedContextID(const QString& id) { values_.selectedContextID = id; }
    bool ShowDebug() const { return values_.showDebug; } // read, never written
    const QString& FileName() const { return values_.fileName; }
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
    // Every value kept in the ini file, initialised with its default.
    struct TValues {
        QString language = QStringLiteral("English");
        bool showOutlineIcons = true;
        bool showPriorityScore = false;
        bool showToolBarButtonCaptions = false;
        bool showDueDatesInOutline = false;
        int styleNo = 0;
        int backupsCount = 5;
        bool autoSave = false;
        bool autoBackup = true;
        bool toDoIncludedSubContexts = true;
        bool autoTypeForSubItems = true;
        QString lastPrinter;
        QString selectedTaskID;
        QString selectedContextID;
        bool showDebug = false;
        QString fileName;
    };

    std::unique_ptr<TIniFile> ini_;
    TValues values_;
    int nextBackupNo_ = 0;
};
