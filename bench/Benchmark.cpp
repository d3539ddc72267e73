// The benchmark: load, save, refresh, commit and find at growing sizes, and the deep-outline
// cases, each as the median of several runs with their spread.

#include "BenchSupport.h"
#include "Generator.h"

#include "app/AppCore.h"
#include "app/Config.h"
#include "datafile/DataFile.h"
#include "datafile/FileIdentity.h"
#include "datafile/SideFiles.h"
#include "datafile/WriterLock.h"
#include "languages/LanguagesEngine.h"
#include "model/Completion.h"
#include "model/Contexts.h"
#include "model/Find.h"
#include "model/Priority.h"
#include "model/Scheduling.h"
#include "model/SubContexts.h"
#include "model/Tasks.h"
#include "views/Statistics.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <QXmlStreamReader>
#include <algorithm>
#include <fcntl.h>
#include <pugixml.hpp>
#include <random>
#include <sys/stat.h>

namespace {

QTextStream out(stdout);

// The median of a thousand runs of work that takes microseconds.
template <typename Work> double MedianOfThousandMs(Work&& work)
{
    std::vector<double> samples;
    for (int i = 0; i < 1000; ++i)
        samples.push_back(TimeMs(work));
    return TSamples{QString(), samples}.Median();
}

// The file as every file written before the header recorded its date forms.
void RemoveRecordedForms(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    QByteArray content = file.readAll();
    file.close();
    const qsizetype headerEnd = content.indexOf("</header>");
    for (const char* name : {"dateform", "timeform", "amdesignator", "pmdesignator"}) {
        const QByteArray open = '<' + QByteArray(name) + '>';
        const QByteArray close = "</" + QByteArray(name) + '>';
        const qsizetype from = content.indexOf(open);
        if (from >= 0 && from < headerEnd)
            content.remove(from, content.indexOf(close, from) + close.size() - from);
    }
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(content);
}

// Forms that the user's own cannot read: Czech ones, or US ones where the user's are Czech-like.
TRegionalSettings ForeignForms(const TRegionalSettings& own)
{
    const bool dotted = own.DateSeparator() == u'.';
    return TRegionalSettings::FromLocale(dotted ? QLocale(QLocale::English, QLocale::UnitedStates)
                                                : QLocale(QLocale::Czech, QLocale::CzechRepublic));
}

// Saves the data as a file that records no date forms, in the given ones; back to bench.kav.
void SaveWithoutForms(TDataFile& dataFile, const QString& name, const TRegionalSettings& forms)
{
    const TRegionalSettings own = Core().Regional();
    Core().SetRegionalSettings(forms);
    dataFile.SetFileName(name);
    dataFile.Save();
    Core().SetRegionalSettings(own);
    RemoveRecordedForms(dataFile.Path());
    dataFile.SetFileName(u"bench.kav"_qs);
}

void BenchSize(int itemCount, int runs)
{
    QTemporaryDir folder;
    TBenchCore bench(folder, BenchToday());
    TCore& core = bench.core();
    TDataFile& dataFile = *core.DataFile();
    TOutlineGenerator(itemCount, 20261211u, BenchToday()).Generate();
    dataFile.SetFolder(folder.path() + u'/');
    dataFile.SetFileName(u"bench.kav"_qs);
    dataFile.Save();
    const QString path = dataFile.Path();
    const QByteArray pathBytes = QFile::encodeName(path);
    const TRegionalSettings foreign = ForeignForms(core.Regional());
    SaveWithoutForms(dataFile, u"unrecorded.kav"_qs, core.Regional());
    SaveWithoutForms(dataFile, u"foreign.kav"_qs, foreign);

    TSamples load{u"load (parse, items, views, expanded)"_qs, {}};
    TSamples read{u"  of which Load (parse, items, expanded)"_qs, {}};
    TSamples firstUpdate{u"  of which the first UpdateViews (sort keys)"_qs, {}};
    TSamples readRecorded{u"Load again, beside the two below"_qs, {}};
    TSamples readUnrecorded{u"Load of a file that records no date forms, regional dates"_qs, {}};
    TSamples readForeign{u"Load of a file that records no date forms, dates in "_qs +
                             foreign.ShortDateForm() + u' ' + foreign.LongTimeForm(),
                         {}};
    TSamples parse{u"pugixml bare parse"_qs, {}};
    TSamples stream{u"QXmlStreamReader read of the same file"_qs, {}};
    TSamples save{u"save"_qs, {}};
    TSamples lock{u"  the writer's lock, taken and released, median of 1000"_qs, {}};
    TSamples check{u"  the identity check of the unchanged file, median of 1000"_qs, {}};
    TSamples hash{u"  the content hash of what the save writes"_qs, {}};
    TSamples leftovers{u"  the look for leftover temporary files, median of 1000"_qs, {}};
    TSamples recheck{u"identity check of a file only touched (reads and hashes it)"_qs, {}};
    TSamples refresh{u"UpdateViews over all items"_qs, {}};
    TSamples commit{u"one commit (UpdateRows, SetModified, statistics), median of 1000"_qs, {}};
    TSamples find{u"slowest Find (no match, notes included)"_qs, {}};
    std::vector<double> ratios;

    for (int run = 0; run < runs; ++run) {
        load.ms.push_back(TimeMs([&] {
            read.ms.push_back(TimeMs([&] { dataFile.Load(); }));
            firstUpdate.ms.push_back(TimeMs([&] { core.Tasks()->UpdateViews(); }));
        }));
        parse.ms.push_back(TimeMs([&] {
            pugi::xml_document document;
            document.load_file(pathBytes.constData());
        }));
        ratios.push_back(load.ms.back() / parse.ms.back());
        stream.ms.push_back(TimeMs([&] {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            QXmlStreamReader reader(&file);
            while (!reader.atEnd())
                reader.readNext();
        }));
        save.ms.push_back(TimeMs([&] { dataFile.Save(); }));
        lock.ms.push_back(MedianOfThousandMs([&] { TWriterLock(path, TWriterLock::DefaultWait); }));
        TFileIdentity identity;
        const QByteArray content = TFileIdentity::Read(path, identity);
        check.ms.push_back(MedianOfThousandMs([&] { identity.Check(path); }));
        hash.ms.push_back(TimeMs([&] {
            TContentHash contentHash;
            contentHash.Add(content);
            contentHash.Result();
        }));
        leftovers.ms.push_back(MedianOfThousandMs([&] { SideFiles::RemoveLeftovers(path); }));
        ::utimensat(AT_FDCWD, pathBytes.constData(), nullptr, 0);
        recheck.ms.push_back(TimeMs([&] { identity.Check(path); }));
        refresh.ms.push_back(TimeMs([&] { core.Tasks()->UpdateViews(); }));

        commit.ms.push_back(
            MedianCommitMs(core, [&core] { core.StatisticsView()->RefreshStats(); }));
        find.ms.push_back(TimeMs(
            [&] { TFind::NextMatch(*core.Tasks(), nullptr, u"no such text anywhere"_qs, true); }));

        for (const auto& [name, samples] : {std::pair(u"bench.kav"_qs, &readRecorded),
                                            std::pair(u"unrecorded.kav"_qs, &readUnrecorded),
                                            std::pair(u"foreign.kav"_qs, &readForeign)}) {
            dataFile.SetFileName(name);
            samples->ms.push_back(TimeMs([&] { dataFile.Load(); }));
        }
        dataFile.SetFileName(u"bench.kav"_qs);
    }

    out << u"\n### "_qs << itemCount << u" items ("_qs << QFile(path).size() / 1024
        << u" KiB file)\n\n"_qs << u"| operation | median ms | range ms |\n|---|---|---|\n"_qs;
    for (const TSamples* samples :
         {&load, &read, &firstUpdate, &readRecorded, &readUnrecorded, &readForeign, &parse, &stream,
          &save, &lock, &check, &hash, &leftovers, &recheck, &refresh, &commit, &find})
        PrintRow(out, *samples);
    std::sort(ratios.begin(), ratios.end());
    out << u"| load ÷ bare parse | "_qs << QString::number(ratios[ratios.size() / 2], 'f', 2)
        << u" | "_qs << QString::number(ratios.front(), 'f', 2) << u"–"_qs
        << QString::number(ratios.back(), 'f', 2) << u" |\n"_qs
        << u"| peak resident memory so far | "_qs << QString::number(PeakResidentMb(), 'f', 0)
        << u" MB | |\n"_qs;
    out.flush();
}

// Many contexts, each named by items and inclusions: reading and showing them must stay as
// fast as reading items.
void BenchContexts(int contextCount, int runs)
{
    QTemporaryDir folder;
    TBenchCore bench(folder, BenchToday());
    TCore& core = bench.core();
    constexpr int itemCount = 10000;
    TOutlineGenerator(itemCount, 20261211u, BenchToday()).Generate();
    std::mt19937 random(20261211u);
    const auto below = [&random](int n) { return int(random() % quint32(n)); };
    const QStringList words = {u"Office"_qs, u"home"_qs, u"Garage"_qs, u"Žofie"_qs,
                               u"phone"_qs,  u"Desk"_qs, u"attic"_qs,  u"Čajovna"_qs};
    TContexts& contexts = *core.Contexts();
    for (int i = 0; i < contextCount; ++i) {
        contexts.Add()->SetName(words.at(below(int(words.size()))) + u' ' +
                                QString::number(below(contextCount)));
    }
    for (TTask& item : core.Tasks()->Items())
        item.SetContextId(contexts.Get(1 + below(contextCount))->Id());
    const int inclusionCount = contextCount / 5;
    for (int i = 0; i < inclusionCount; ++i) {
        core.SubContexts()->Add(*contexts.Get(1 + below(contextCount)),
                                *contexts.Get(1 + below(contextCount)));
    }
    const int saved = contexts.Count();
    TDataFile& dataFile = *core.DataFile();
    dataFile.SetFolder(folder.path() + u'/');
    dataFile.SetFileName(u"contexts.kav"_qs);
    dataFile.Save();

    TSamples load{u"load (parse, contexts, items, inclusions, views)"_qs, {}};
    TSamples read{u"  of which Load"_qs, {}};
    for (int run = 0; run < runs; ++run) {
        load.ms.push_back(TimeMs([&] {
            read.ms.push_back(TimeMs([&] { dataFile.Load(); }));
            core.Tasks()->UpdateViews();
        }));
    }
    if (contexts.Count() != saved)
        qFatal("contexts came out wrong");
    out << u"\n### "_qs << contextCount << u" contexts, "_qs << inclusionCount
        << u" inclusions, "_qs << itemCount
        << u" items\n\n| operation | median ms | range ms |\n|---|---|---|\n"_qs;
    for (const TSamples* samples : {&load, &read})
        PrintRow(out, *samples);
    out.flush();
}

// An outline as deep as it is long, and as wide: nothing may recurse or scan all items.
void BenchDeepAndWide(int itemCount, int runs)
{
    QTemporaryDir folder;
    TSamples build{u"build a chain " + QString::number(itemCount) + u" deep"_qs, {}};
    TSamples path{u"Path and Depth of the deepest item"_qs, {}};
    TSamples walk{u"pre-order walk of the chain"_qs, {}};
    TSamples markDone{u"MarkDone of the top with all below"_qs, {}};
    TSamples remove{u"Delete of the top of the chain"_qs, {}};
    TSamples lookups{u"FindById, PriorityScore, IsBlocked, IndexAmongSiblings of " +
                         QString::number(itemCount) + u" siblings"_qs,
                     {}};
    for (int run = 0; run < runs; ++run) {
        TBenchCore bench(folder, BenchToday());
        TTasks& tasks = *bench.core().Tasks();
        TTask* top = nullptr;
        TTask* deepest = nullptr;
        build.ms.push_back(TimeMs([&] {
            top = deepest = tasks.Add(nullptr);
            for (int i = 1; i < itemCount; ++i)
                deepest = tasks.Add(deepest);
        }));
        int depth = 0;
        path.ms.push_back(TimeMs([&] { depth = int(deepest->Path().size()) + deepest->Depth(); }));
        int visited = 0;
        walk.ms.push_back(TimeMs([&] { tasks.ForEachInOutline([&](TTask&) { ++visited; }); }));
        bench.prompts().SetDefaultAnswer(true);
        markDone.ms.push_back(TimeMs([&] { Completion::MarkDone(*top, true); }));
        remove.ms.push_back(TimeMs([&] { tasks.Delete(*top); }));

        TTask* parent = tasks.Add(nullptr);
        QList<TTask*> siblings;
        for (int i = 0; i < itemCount; ++i) {
            siblings.append(tasks.Add(parent));
            siblings.back()->SetDependOnPrevious(true);
        }
        qint64 sum = 0;
        lookups.ms.push_back(TimeMs([&] {
            for (TTask* item : siblings) {
                sum += tasks.FindById(item->Id()) == item;
                sum += Priority::PriorityScore(*item);
                sum += Scheduling::IsBlocked(*item);
                sum += tasks.IndexAmongSiblings(*item);
            }
        }));
        if (visited != itemCount || depth <= 0 || sum == 0)
            qFatal("deep outline came out wrong");
    }
    out << u"\n### An outline "_qs << itemCount << u" levels deep and "_qs << itemCount
        << u" siblings wide\n\n| operation | median ms | range ms |\n|---|---|---|\n"_qs;
    for (const TSamples* samples : {&build, &path, &walk, &markDone, &remove, &lookups})
        PrintRow(out, *samples);
    out.flush();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Measures Tavolin's core at growing sizes."_qs);
    parser.addHelpOption();
    const QCommandLineOption sizes(u"sizes"_qs, u"Item counts, comma-separated."_qs, u"list"_qs,
                                   u"1000,10000,100000"_qs);
    const QCommandLineOption runs(u"runs"_qs, u"Runs per figure (at least 5)."_qs, u"n"_qs,
                                  u"5"_qs);
    const QCommandLineOption contextCount(u"contexts"_qs, u"Contexts of the context case."_qs,
                                          u"n"_qs, u"50000"_qs);
    parser.addOptions({sizes, runs, contextCount});
    parser.process(app);
    const int runCount = qMax(5, parser.value(runs).toInt());

    out << u"Tavolin "_qs << TCore::GetVersion() << u" benchmark, "_qs << runCount
        << u" runs per figure\n"_qs;
    int largest = 0;
    for (const QString& size : parser.value(sizes).split(u',')) {
        BenchSize(size.toInt(), runCount);
        largest = qMax(largest, size.toInt());
    }
    BenchContexts(parser.value(contextCount).toInt(), runCount);
    BenchDeepAndWide(largest, runCount);
    return 0;
}
