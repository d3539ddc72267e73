// The main window's benchmark, on the offscreen platform: opening the generated file until the
// window is ready (against the companion's `todo` on the same file in the same run), one commit
// of an edited item until every model has been told, switching the to-do context, expanding
// the whole outline, and the peak memory with the window open.

#include "BenchSupport.h"
#include "Generator.h"

#include "datafile/DataFile.h"
#include "mainwindow/MainForm.h"
#include "model/Contexts.h"
#include "model/Tasks.h"
#include "views/Outline.h"
#include "views/Statistics.h"
#include "views/ToDo.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTreeView>
#include <memory>

namespace {

QTextStream out(stdout);

// The generated file, written by a registry of its own that is gone before the window's comes.
QString WriteGeneratedFile(const QTemporaryDir& folder, int itemCount)
{
    TBenchCore bench(folder, BenchToday());
    TOutlineGenerator(itemCount, 20261211u, BenchToday()).Generate();
    TDataFile& dataFile = *bench.core().DataFile();
    dataFile.SetFolder(folder.path() + u'/');
    dataFile.SetFileName(u"window.kav"_qs);
    if (!dataFile.Save())
        qFatal("The generated file could not be written");
    return dataFile.Path();
}

// The companion's whole run: start, load, print the to-do list, end.
double CompanionTodoMs(const QString& path)
{
    const QString companion = QApplication::applicationDirPath() + u"/../src/cli/tavolin-cli";
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return TimeMs([&] {
        process.start(companion, {u"--file"_qs, path, u"todo"_qs});
        if (!process.waitForFinished(-1) || process.exitCode() != 0)
            qFatal("The companion failed on %s", qPrintable(path));
    });
}

std::unique_ptr<TfrmMainForm> OpenWindow(const QString& path, TScriptedPrompts& prompts,
                                         const IClock& clock)
{
    TMainFormOptions options;
    options.arguments = {path};
    options.splashMinimumTime = std::chrono::milliseconds(0);
    options.prompts = &prompts;
    options.clock = &clock;
    auto window = std::make_unique<TfrmMainForm>(options);
    window->show();
    // Ready: shown, laid out and painted once.
    QApplication::processEvents();
    window->repaint();
    return window;
}

void Bench(int itemCount, int runs)
{
    QTemporaryDir folder;
    const QString path = WriteGeneratedFile(folder, itemCount);
    QFile ini(folder.filePath(u"window.ini"_qs));
    ini.open(QIODevice::WriteOnly);
    ini.write("[Environment]\nAutoBackup=0\n");
    ini.close();
    qputenv("TAVOLIN_CONFIG", QFile::encodeName(ini.fileName()));

    const TFixedClock clock(BenchToday());
    TScriptedPrompts prompts;
    TSamples open{u"open the file until the window is ready"_qs, {}};
    TSamples companion{u"the companion's todo on the same file (whole process)"_qs, {}};
    TSamples commit{u"one commit of an edited item until every model was told, median of 1000"_qs,
                    {}};
    TSamples context{u"switch the to-do context"_qs, {}};
    TSamples expand{u"expand all, laid out and painted"_qs, {}};
    TSamples collapse{u"collapse all, laid out and painted"_qs, {}};
    std::vector<double> ratios;
    double peakWithWindow = 0;

    for (int run = 0; run < runs; ++run) {
        companion.ms.push_back(CompanionTodoMs(path));
        std::unique_ptr<TfrmMainForm> window;
        open.ms.push_back(TimeMs([&] { window = OpenWindow(path, prompts, clock); }));
        ratios.push_back(open.ms.back() / companion.ms.back());
        peakWithWindow = std::max(peakWithWindow, PeakResidentMb());
        TCore& core = window->Registry();

        // SetModified tells the window, which adjusts its title, its Save controls and the
        // statistics.
        commit.ms.push_back(MedianCommitMs(core, [] {}));

        TTodoView& toDo = *core.TodoView();
        context.ms.push_back(TimeMs([&] {
            toDo.cboxToDoContextChange(run % 2 ? 0 : 3);
            QApplication::processEvents();
        }));
        auto* tree = window->findChild<QTreeView*>(u"treeOutline"_qs);
        const auto shown = [&](auto command) {
            return TimeMs([&] {
                command();
                QApplication::processEvents();
                tree->viewport()->repaint();
            });
        };
        expand.ms.push_back(shown([&] { core.Outline()->mnExpandAll(); }));
        collapse.ms.push_back(shown([&] { core.Outline()->mnCollapseAll(); }));
        core.DataFile()->SetModified(false);
        window.reset();
    }

    out << u"\n#### The main window, "_qs << itemCount << u" items ("_qs
        << QFile(path).size() / 1024 << u" KiB file)\n\n"_qs
        << u"| operation | median ms | range ms |\n|---|---|---|\n"_qs;
    for (const TSamples* samples : {&open, &companion, &commit, &context, &expand, &collapse})
        PrintRow(out, *samples);
    std::sort(ratios.begin(), ratios.end());
    out << u"| window ÷ companion | "_qs << QString::number(ratios[ratios.size() / 2], 'f', 2)
        << u" | "_qs << QString::number(ratios.front(), 'f', 2) << u"–"_qs
        << QString::number(ratios.back(), 'f', 2) << u" |\n"_qs
        << u"| peak resident memory with the window open | "_qs
        << QString::number(peakWithWindow, 'f', 0) << u" MB | |\n"_qs;
    out.flush();
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Measures Tavolin's main window."_qs);
    parser.addHelpOption();
    const QCommandLineOption items(u"items"_qs, u"Items in the generated file."_qs, u"n"_qs,
                                   u"100000"_qs);
    const QCommandLineOption runs(u"runs"_qs, u"Runs per figure (at least 5)."_qs, u"n"_qs,
                                  u"5"_qs);
    parser.addOptions({items, runs});
    parser.process(application);
    out << u"Tavolin "_qs << TCore::GetVersion() << u" window benchmark\n"_qs;
    Bench(parser.value(items).toInt(), qMax(5, parser.value(runs).toInt()));
    return 0;
}
