#pragma once

// What the benchmarks share: timing, the table rows, peak memory and a registry of their own.

#include "app/AppCore.h"
#include "app/Config.h"
#include "app/ScriptedPrompts.h"
#include "languages/LanguagesEngine.h"
#include "model/Tasks.h"
#include "platform/Clock.h"

#include <QElapsedTimer>
#include <QString>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <sys/resource.h>
#include <vector>

// Milliseconds of each run; the table shows the median and the range.
struct TSamples {
    QString name;
    std::vector<double> ms;

    double Median() const
    {
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t n = sorted.size();
        return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    }
    double Min() const { return *std::min_element(ms.begin(), ms.end()); }
    double Max() const { return *std::max_element(ms.begin(), ms.end()); }
};

template <typename Work> double TimeMs(Work&& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

inline double PeakResidentMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

inline QString Figure(double ms)
{
    return ms < 1 ? QString::number(ms, 'f', 3) : QString::number(ms, 'f', 1);
}

inline void PrintRow(QTextStream& out, const TSamples& samples)
{
    out << u"| "_qs << samples.name << u" | "_qs << Figure(samples.Median()) << u" | "_qs
        << Figure(samples.Min()) << u"–"_qs << Figure(samples.Max()) << u" |\n"_qs;
}

// The median time of a commit (the item editor's: a value, the stamp, the rows, the modified
// flag, and whatever more `after` adds) of a thousand items spread over the whole list.
template <typename After> double MedianCommitMs(TCore& core, After&& after)
{
    std::vector<double> commits;
    const int step = qMax(1, core.Tasks()->Count() / 1000);
    int index = 0;
    for (TTask& item : core.Tasks()->Items()) {
        if (index++ % step != 0 || commits.size() == 1000)
            continue;
        commits.push_back(TimeMs([&] {
            item.SetImportance((item.Importance() + 7) % 101);
            item.SetLastModified(core.Clock().Now());
            item.UpdateRows();
            core.SetModified(true);
            after();
        }));
    }
    return TSamples{QString(), commits}.Median();
}

// A registry with its own ini in a temporary folder, English, no backups, a fixed today.
class TBenchCore {
public:
    explicit TBenchCore(const QTemporaryDir& folder, TDateTime now) : clock_(now)
    {
        qputenv("TAVOLIN_CONFIG", folder.filePath(u"bench.ini"_qs).toLocal8Bit());
        core_.SetClock(&clock_);
        core_.SetPrompts(&prompts_);
        core_.CreateModules();
        core_.LanguagesEngine()->SetLanguage(TLanguage::English);
        core_.Config()->SetAutoBackup(false);
    }
    TCore& core() { return core_; }
    TScriptedPrompts& prompts() { return prompts_; }

private:
    TFixedClock clock_;
    TScriptedPrompts prompts_;
    TCore core_;
};

// A function, not a constant: the date helpers' own constants may not be set up yet while other
// files' constants are.
inline TDateTime BenchToday()
{
    return DateTime::Compose(QDate(2026, 3, 15), QTime(9, 0));
}
