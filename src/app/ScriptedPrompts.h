#pragma once

#include "app/Ports.h"

#include <QList>
#include <QQueue>

// Answers questions from a script instead of a person: queued answers first, then a default.
// Records everything it was shown or asked, for tests and for the command-line companion.
class TScriptedPrompts final : public IUserPrompts {
public:
    struct Question {
        QString caption;
        QString text;
    };

    void QueueAnswer(bool yes) { answers_.enqueue(yes); }
    void SetDefaultAnswer(bool yes) { defaultAnswer_ = yes; }
    // Without one queued, a changed file's question is dismissed (Cancel).
    void QueueChangedFileAnswer(TChangedFileAnswer answer) { changedFileAnswers_.enqueue(answer); }
    // An empty name stands for a cancelled dialog.
    void QueueFileName(const QString& path) { fileNames_.enqueue(path); }

    const QStringList& Errors() const { return errors_; }
    const QStringList& Messages() const { return messages_; }
    const QList<Question>& Questions() const { return questions_; }
    const QList<TFileDialogRequest>& FileDialogs() const { return fileDialogs_; }
    const QList<TChangedFileQuestion>& ChangedFileQuestions() const
    {
        return changedFileQuestions_;
    }
    void Forget();

    void ShowError(const QString& text) override { errors_.append(text); }
    void ShowMessage(const QString& text) override { messages_.append(text); }
    bool AskYesNo(const QString& caption, const QString& text) override;
    TChangedFileAnswer AskChangedFile(const TChangedFileQuestion& question) override;
    std::optional<QString> ChooseFileToOpen(const TFileDialogRequest& request) override;
    std::optional<QString> ChooseFileToSave(const TFileDialogRequest& request) override;

private:
    std::optional<QString> NextFileName(const TFileDialogRequest& request);

    QQueue<bool> answers_;
    bool defaultAnswer_ = false;
    QQueue<TChangedFileAnswer> changedFileAnswers_;
    QQueue<QString> fileNames_;
    QStringList errors_;
    QStringList messages_;
    QList<Question> questions_;
    QList<TFileDialogRequest> fileDialogs_;
    QList<TChangedFileQuestion> changedFileQuestions_;
};
