#pragma once

#include "app/Ports.h"

class QWidget;

// The questions and messages of the core as message boxes and Qt's file dialogs, over the main
// window. Texts are plain text whatever they hold: item names are the user's.
class TWidgetPrompts final : public IUserPrompts {
public:
    explicit TWidgetPrompts(QWidget* parent) : parent_(parent) {}

    // Titled with the program's name.
    void ShowError(const QString& text) override;
    void ShowMessage(const QString& text) override;
    // Yes and No, No the default and the Escape key's.
    bool AskYesNo(const QString& caption, const QString& text) override;
    // One button per answer and Cancel, which Escape and the close button also give; Save As,
    // which keeps both versions, is the default.
    TChangedFileAnswer AskChangedFile(const TChangedFileQuestion& question) override;
    // Only an existing file opens; saving over an existing file asks first.
    std::optional<QString> ChooseFileToOpen(const TFileDialogRequest& request) override;
    std::optional<QString> ChooseFileToSave(const TFileDialogRequest& request) override;

private:
    QWidget* parent_;
};
