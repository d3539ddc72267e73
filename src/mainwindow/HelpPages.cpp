#include "mainwindow/HelpPages.h"

#include "languages/LanguagesEngine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace HelpPages {

QString FileName(TPage page, TLanguage language)
{
    const QString base = page == TPage::UserManual ? u"manual"_qs : u"support"_qs;
    return base + (language == TLanguage::Czech ? u".cs.html" : u".en.html");
}

QStringList Folders()
{
    const QString executable = QCoreApplication::applicationDirPath();
    return {QDir::cleanPath(executable + u"/help"),
            QDir::cleanPath(executable + u"/../share/tavolin/help")};
}

QString Find(TPage page, TLanguage language)
{
    for (const QString& folder : Folders()) {
        const QFileInfo file(folder + u'/' + FileName(page, language));
        if (file.isFile())
            return file.absoluteFilePath();
    }
    return {};
}

} // namespace HelpPages
