#pragma once

#include "app/Ports.h"

#include <QTextStream>

// The user at a terminal: messages and errors go to standard error; a question is asked on the
// terminal when there is one, and otherwise answered by --yes. Without either, the question
// counts as refused and the command that asked fails. A file changed behind the companion's
// back is overwritten only when the user at the terminal says so, never by --yes.
class TCliPrompts final : public IUserPrompts {
public:
    explicit TCliPrompts(bool assumeYes);

    bool ErrorShown() const { return !errors_.isEmpty(); }
    const QStringList& Errors() const { return errors_; }
    void ForgetErrors() { errors_.clear(); }
    // A question came without a terminal to ask and without --yes.
    bool QuestionRefused() const { return questionRefused_; }

    void ShowError(const QString& text) override;
    void ShowMessage(const QString& text) override;
    bool AskYesNo(const QString& caption, const QString& text) override;
    TChangedFileAnswer AskChangedFile(const TChangedFileQuestion& question) override;
    // The companion names its files on the command line: it never shows a file dialog.
    std::optional<QString> ChooseFileToOpen(const TFileDialogRequest& request) override;
    std::optional<QString> ChooseFileToSave(const TFileDialogRequest& request) override;

private:
    QString ReadAnswer();

    bool assumeYes_;
    bool interactive_;
    bool questionRefused_ = false;
    QStringList errors_;
    QTextStream err_;
};
