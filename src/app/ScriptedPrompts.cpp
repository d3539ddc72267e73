#include "app/ScriptedPrompts.h"

void TScriptedPrompts::Forget()
{
    errors_.clear();
    messages_.clear();
    questions_.clear();
    fileDialogs_.clear();
    changedFileQuestions_.clear();
}

bool TScriptedPrompts::AskYesNo(const QString& caption, const QString& text)
{
    questions_.append({caption, text});
    return answers_.isEmpty() ? defaultAnswer_ : answers_.dequeue();
}

TChangedFileAnswer TScriptedPrompts::AskChangedFile(const TChangedFileQuestion& question)
{
    changedFileQuestions_.append(question);
    return changedFileAnswers_.isEmpty() ? TChangedFileAnswer::Cancel
                                         : changedFileAnswers_.dequeue();
}

std::optional<QString> TScriptedPrompts::ChooseFileToOpen(const TFileDialogRequest& request)
{
    return NextFileName(request);
}

std::optional<QString> TScriptedPrompts::ChooseFileToSave(const TFileDialogRequest& request)
{
    return NextFileName(request);
}

std::optional<QString> TScriptedPrompts::NextFileName(const TFileDialogRequest& request)
{
    fileDialogs_.append(request);
    if (fileNames_.isEmpty())
        return std::nullopt;
    QString path = fileNames_.dequeue();
    if (path.isEmpty())
        return std::nullopt;
    return path;
}
