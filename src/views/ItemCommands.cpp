#include "views/ItemCommands.h"

#include "app/AppCore.h"
#include "model/Tasks.h"
#include "views/Outline.h"

namespace ItemCommands {

namespace {

TTask* AddWithNode(TTask* parent)
{
    TCore& core = Core();
    TTask* item = core.Tasks()->Add(parent);
    core.SelectItem(item);
    core.Outline()->AddItemNode(*item);
    core.SetModified(true);
    return item;
}

// The item shown after a delete: the first one after the item's subtree in outline order,
// else the one just before the item.
TTask* SuccessorAfterDelete(const TTasks& tasks, const TTask& item)
{
    const TTask* last = &item;
    while (!tasks.Children(last).isEmpty())
        last = tasks.Children(last).last();
    if (TTask* after = tasks.NextInOutline(*last))
        return after;
    return tasks.PreviousInOutline(item);
}

} // namespace

TTask* NewSubitem(TTask* parent)
{
    return AddWithNode(parent);
}

TTask* NewItem(TTask& sibling)
{
    return AddWithNode(sibling.Parent());
}

bool Delete(TTask& item)
{
    TCore& core = Core();
    TTasks& tasks = *core.Tasks();
    QString clause;
    if (const int below = tasks.CountSubitems(item, true); below > 0)
        clause = u' ' + core.Translate(u"IncludingAllSubitems1"_qs) + u' ' +
                 QString::number(below) + u' ' + core.Translate(u"IncludingAllSubitems2"_qs);
    if (!core.Confirm(core.Translate(u"Really delete selected item"_qs) + u" \"" + item.Name() +
                      u'"' + clause + u'?'))
        return false;
    TTask* next = SuccessorAfterDelete(tasks, item);
    tasks.Delete(item);
    core.SelectItem(next);
    core.SetModified(true);
    return true;
}

bool MoveUp(TTask& item)
{
    TCore& core = Core();
    TOutlineNode* node = item.OutlineNode();
    TOutlineNode* previous = node ? node->PreviousSibling() : nullptr;
    if (!previous)
        return false;
    core.Outline()->Tree().MoveBefore(node, previous);
    core.Tasks()->MoveUp(item);
    core.LoadEditorControls();
    core.SetModified(true);
    return true;
}

bool MoveDown(TTask& item)
{
    TCore& core = Core();
    TOutlineNode* node = item.OutlineNode();
    TOutlineNode* next = node ? node->NextSibling() : nullptr;
    if (!next)
        return false;
    core.Outline()->Tree().MoveBefore(next, node);
    core.Tasks()->MoveDown(item);
    core.LoadEditorControls();
    core.SetModified(true);
    return true;
}

bool Clean()
{
    TCore& core = Core();
    TTasks& tasks = *core.Tasks();
    if (!core.Confirm(core.Translate(u"Really clean? This will delete all"_qs) + u' ' +
                      QString::number(tasks.CountDone()) + u' ' +
                      core.Translate(u"items marked as done"_qs) + u'.'))
        return false;
    tasks.Clean();
    core.SelectItem(tasks.FirstInOutline());
    core.SetModified(true);
    return true;
}

} // namespace ItemCommands
