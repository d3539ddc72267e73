#include "model/Completion.h"

#include "app/AppCore.h"
#include "model/Scheduling.h"
#include "model/Tasks.h"

namespace Completion {

void Accomplish(TTask& item)
{
    if (item.AccomplishType() == TAccomplishType::Routinely)
        Scheduling::AdvanceNextDate(item);
    else
        MarkDone(item, true);
}

void ToggleDone(TTask& item)
{
    if (item.AccomplishType() == TAccomplishType::Routinely)
        Scheduling::AdvanceNextDate(item);
    else
        MarkDone(item, !item.Checked());
}

void MarkDone(TTask& item, bool done)
{
    item.SetChecked(done);
    item.SetStatus(done ? TTaskStatus::Finished : TTaskStatus::Active);
    const TTasks& tasks = *Core().Tasks();
    if (!done || tasks.CountSubitems(item, false) == 0)
        return;
    const QString question = Core().Translate(u"Mark all"_qs) + u' ' +
                             QString::number(tasks.CountSubitems(item, true)) + u' ' +
                             Core().Translate(u"subitems as done"_qs) + u'?';
    if (Core().Confirm(question))
        MarkDoneRecursive(item, true);
}

void MarkDoneRecursive(TTask& item, bool done)
{
    // Parents before their children, each subtree before the next sibling.
    for (TTask* below : Core().Tasks()->Subtree(item)) {
        below->SetChecked(done);
        below->UpdateRows();
    }
}

} // namespace Completion
