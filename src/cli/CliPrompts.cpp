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
    const QString answer = ReadAnswer();
    return answer == u"y" || answer == u"yes";
}

TChangedFileAnswer TCliPrompts::AskChangedFile(const TChangedFileQuestion& question)
{
    err_ << question.caption << u": "_qs << question.text;
    if (!interactive_) {
        err_ << Qt::endl;
        return TChangedFileAnswer::Cancel;
    }
    // No file dialog here: saving under another name is for --file.
    err_ << u" [o = "_qs << question.overwrite << u", r = "_qs << question.reload
         << u", anything else leaves the file as it is] "_qs << Qt::flush;
    const QString answer = ReadAnswer();
    if (answer == u"o")
        return TChangedFileAnswer::Overwrite;
    if (answer == u"r")
        return TChangedFileAnswer::Reload;
    return TChangedFileAnswer::Cancel;
}

QString TCliPrompts::ReadAnswer()
{
    QTextStream in(stdin);
    return in.readLine().trimmed().toLower();
}

std::optional<QString> TCliPrompts::ChooseFileToOpen(const TFileDialogRequest&)
{
    return std::nullopt;
}

std::optional<QString> TCliPrompts::ChooseFileToSave(const TFileDialogRequest&)
{
    return std::nullopt;
}
