#pragma once

#include <QString>
#include <QStringList>

enum class TLanguage : quint8;

// The help pages that ship with the program: the user manual and the support page, one of each
// per language. They live beside the executable in the build tree (help/) and in the installed
// share folder (../share/tavolin/help/ from the executable's folder).
namespace HelpPages {

enum class TPage : quint8 { UserManual, Support };

// "manual.en.html", "support.cs.html".
QString FileName(TPage page, TLanguage language);
// The folders looked in, first match wins.
QStringList Folders();
// The page's file, or none when it is not installed.
QString Find(TPage page, TLanguage language);

} // namespace HelpPages
