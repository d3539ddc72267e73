// Writes a generated data file: tavolin-generate COUNT FILE [SEED]

#include "Generator.h"

#include "app/AppCore.h"
#include "app/Config.h"
#include "datafile/DataFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    bool countOk = false;
    const int count = args.value(1).toInt(&countOk);
    if (args.size() < 3 || !countOk || count < 1) {
        err << u"Usage: tavolin-generate COUNT FILE [SEED]"_qs << Qt::endl;
        return 1;
    }
    const quint32 seed = args.size() > 3 ? args.at(3).toUInt() : 20261211u;

    // Its own ini, so that generating never touches the user's configuration.
    QTemporaryDir folder;
    qputenv("TAVOLIN_CONFIG", folder.filePath(u"generate.ini"_qs).toLocal8Bit());
    TCore core;
    core.CreateModules();
    TOutlineGenerator(count, seed, core.Clock().Today()).Generate();
    const QFileInfo target(args.at(2));
    core.DataFile()->SetFolder(target.absolutePath() + u'/');
    core.DataFile()->SetFileName(target.fileName());
    core.DataFile()->Save();
    return core.DataFile()->IsModified() ? 3 : 0;
}
