#include "views/Statistics.h"

#include "app/AppCore.h"
#include "model/Tasks.h"
#include "platform/Text.h"

namespace {

QString TypeLine(const QString& key, TTaskType type)
{
    return Core().Translate(key) + u": " + QString::number(Core().Tasks()->CountByType(type)) +
           u"<br>";
}

} // namespace

void TStatisticsView::RefreshStats()
{
    const TTasks& tasks = *Core().Tasks();
    const int count = tasks.Count();
    const int done = tasks.CountDone();
    // Active means not done, whatever the status; areas count only in the total.
    label_.SetLines({
        Core().Translate(u"Items"_qs) + u": " + QString::number(count),
        u" (" + QString::number(count - done) + u' ' + Core().Translate(u"active"_qs) + u", ",
        QString::number(done) + u' ' + AsciiLower(Core().Translate(u"Done"_qs)) + u")<br><br>",
        TypeLine(u"Tasks"_qs, TTaskType::Task),
        TypeLine(u"Projects"_qs, TTaskType::Project),
        TypeLine(u"Goals"_qs, TTaskType::Goal),
        TypeLine(u"Ideas"_qs, TTaskType::Idea),
    });
}
