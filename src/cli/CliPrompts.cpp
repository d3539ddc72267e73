#include "cli/CliPrompts.h"

#include <cstdio>
#include <unistd.h>

TCliPrompts::TCliPrompts(bool assumeYes)
    : assumeYes_(assumeYes), interactive_(isatty(STDIN_FILENO) && isatty(STDERR_FILENO)),
      err_(stderr)
{}

void TCliPrompts::ShowError(const QString& text)
{
    errors_.append(text);
    err_ << text << Qt::endl;
}

void TCliPrompts::ShowMessage(const QString& text)
{
    err_ << text << Qt::endl;
}

bool TCliPrompts::AskYesNo(const QString& caption, const QString& text)
{
    if (assumeYes_)
        return true;
    if (!interactive_) {
        questionRefused_ = true;
        return false;
    }
    err_ << caption << u": "_qs << text << u" [y/N] "_qs << Qt::flush;
    QTextStream in(stdin);
    const QString answer = in.readLine().trimmed();
    return answer.compare(u"y"_qs, Qt::CaseInsensitive) == 0 ||
           answer.compare(u"yes"_qs, Qt::CaseInsensitive) == 0;
}

std::optional<QString> TCliPrompts::ChooseFileToOpen(const TFileDialogRequest&)
{
    return std::nullopt;
}

std::optional<QString> TCliPrompts::ChooseFileToSave(const TFileDialogRequest&)
{
    return std::nullopt;
}
