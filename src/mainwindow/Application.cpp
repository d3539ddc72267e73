#include "mainwindow/Application.h"

#include "app/AppCore.h"
#include "languages/LanguagesEngine.h"
#include "platform/Error.h"

#include <QMessageBox>

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(TCore::GetAppName());
    setApplicationVersion(TCore::GetVersion());
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        if (!CoreExists())
            throw;
        Core().HandleException(error);
        return false;
    }
}

void ShowStartupFailure(const std::exception& error)
{
    TLanguagesEngine language;
    language.SetLanguage(TLanguage::English);
    QMessageBox box(QMessageBox::Critical, TCore::GetAppName(),
                    language.Translate(u"ErrorGeneral"_qs) + u" | " + ErrorMessage(error),
                    QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
