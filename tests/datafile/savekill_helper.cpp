// Saves a big outline over and over, announcing each finished save on its output, until it is
// killed. The kill test runs it and kills it at moments of its choosing.
//
// savekill_helper <data file> <items> <first generation>

#include "app/AppCore.h"
#include "datafile/DataFile.h"
#include "model/Tasks.h"
#include "support/TestCore.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 4)
        return 2;
    const QString path = arguments[1];
    const int items = arguments[2].toInt();
    const int firstGeneration = arguments[3].toInt();

    TTestCore test;
    TTasks& tasks = *Core().Tasks();
    TTask* top = tasks.Add(nullptr);
    for (int n = 1; n < items; ++n)
        tasks.Add(top)->SetNote(QString(200, QChar(u'a' + n % 26)));
    TDataFile& dataFile = *Core().DataFile();
    dataFile.SetFolder(QFileInfo(path).absolutePath() + u'/');
    dataFile.SetFileName(QFileInfo(path).fileName());

    for (int generation = firstGeneration;; ++generation) {
        top->SetName(u"generation "_qs + QString::number(generation));
        dataFile.SetModified(true);
        dataFile.Save();
        if (dataFile.IsModified())
            return 1;
        std::printf("saved %d\n", generation);
        std::fflush(stdout);
    }
}
