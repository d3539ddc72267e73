#include "app/AppCore.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments();
    if (args.contains(u"--version"_qs)) {
        out << TCore::GetAppName() << u' ' << TCore::GetVersion() << Qt::endl;
        return 0;
    }
    out << u"Usage: tavolin-cli [--help] [--version]"_qs << Qt::endl;
    return 0;
}
