#include "cli/Cli.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"Tavolin"_qs);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return TCli().Run(arguments);
}
