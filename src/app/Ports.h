#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class TTask;

// What the core asks of the main window. The windows implement it; without them the registry
// uses TNullMainWindow, so the companion and the tests need no toolkit.
class IMainWindowPort {
public:
    virtual ~IMainWindowPort() = default;
    virtual void AdjustControls() = 0;
    // The item (or none) has become the current item: the item editor shows it.
    virtual void SelectItem(TTask* item) = 0;
    virtual void ShowHint(const QString& text) = 0;
    virtual void ApplyStyle() = 0;
    virtual void ShowSettings() = 0;
    virtual void ShowOutlinePage() = 0;
    // The item editor reloads its controls from the current item.
    virtual void LoadEditorControls() = 0;
};

class TNullMainWindow final : public IMainWindowPort {
public:
    void AdjustControls() override {}
    void SelectItem(TTask*) override {}
    void ShowHint(const QString&) override {}
    void ApplyStyle() override {}
    void ShowSettings() override {}
    void ShowOutlinePage() override {}
    void LoadEditorControls() override {}
};

// What a file dialog is set up with.
struct TFileDialogRequest {
    QString filterDescription; // "Tavolin data file"
    QString pattern;           // "*.kav"
    QString defaultExtension;  // ".kav"
    QString proposedName;      // folder followed by the display name
};

// The question before a save would replace a data file that another program has changed since
// this one opened or saved it. Every text comes translated; the window shows the text with one
// button per answer.
struct TChangedFileQuestion {
    QString caption;   // "Confirmation"
    QString text;      // "The file tasks.kav was changed by another program since ..."
    QString overwrite; // the button that overwrites the file with this program's version
    QString reload;    // the button that reads the file again, dropping the unsaved changes
    QString saveAs;    // the button that saves this program's version under another name
};

// Cancel: the question was dismissed (Escape, the window's close button, nobody to ask); nothing
// is saved and the changes stay.
enum class TChangedFileAnswer : quint8 { Overwrite, Reload, SaveAs, Cancel };

// Every question and message to the user. Yes/no questions default to No.
class IUserPrompts {
public:
    virtual ~IUserPrompts() = default;
    virtual void ShowError(const QString& text) = 0;
    virtual void ShowMessage(const QString& text) = 0;
    virtual bool AskYesNo(const QString& caption, const QString& text) = 0;
    virtual TChangedFileAnswer AskChangedFile(const TChangedFileQuestion& question) = 0;
    // The chosen path, or none when the user cancels. May throw when the dialog fails.
    virtual std::optional<QString> ChooseFileToOpen(const TFileDialogRequest& request) = 0;
    virtual std::optional<QString> ChooseFileToSave(const TFileDialogRequest& request) = 0;
};
