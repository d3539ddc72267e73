#include "printing/PrintOutSource.h"

#include "app/AppCore.h"
#include "model/Task.h"
#include "model/Tasks.h"
#include "printing/PrintOutRows.h"
#include "views/Done.h"
#include "views/Goals.h"
#include "views/Outline.h"
#include "views/Projects.h"
#include "views/ToDo.h"

#include <vector>

namespace PrintOutSource {
namespace {

const TRowList& ListOf(TPrintOutKind kind)
{
    switch (kind) {
    case TPrintOutKind::ToDo:
        return Core().TodoView()->List();
    case TPrintOutKind::Done:
        return Core().DoneView()->List();
    case TPrintOutKind::Goals:
        return Core().GoalsView()->List();
    case TPrintOutKind::Projects:
    case TPrintOutKind::Outline: // a tree, never asked for here
        break;
    }
    return Core().ProjectsView()->List();
}

// The check box (none for an area), the type icon and the name, from the left edge on.
void AddCheckTypeAndName(TPrintOutRow& row, const TTask& item, TIconKind check, int left)
{
    if (item.TaskType() != TTaskType::Area)
        row.AddIcon(left, check);
    row.AddIcon(left + 2, item.TypeIconKind());
    row.AddText(left + 4, item.Name());
}

void AddToDoElements(TPrintOutRow& row, const TTask& item)
{
    const bool routine = item.AccomplishType() == TAccomplishType::Routinely;
    const bool dated = routine || item.AccomplishType() == TAccomplishType::ByDueDate;
    row.AddIcon(0, TIconKind::NotDone);
    row.AddText(3, item.Name());
    row.AddText(75, dated ? item.NextDateText() : QString());
    row.AddIcon(82, routine ? TIconKind::Repeats : TIconKind::AnywhereContext);
    row.AddText(85, ItemCells::ContextName(item));
}

void AddListElements(TPrintOutKind kind, TPrintOutRow& row, const TTask& item)
{
    switch (kind) {
    case TPrintOutKind::ToDo:
        AddToDoElements(row, item);
        return;
    case TPrintOutKind::Done:
        AddCheckTypeAndName(row, item, TIconKind::Done, 0);
        return;
    case TPrintOutKind::Goals:
    case TPrintOutKind::Projects:
        AddCheckTypeAndName(row, item, TIconKind::NotDone, 0);
        row.AddText(90, QString::number(Core().Tasks()->CountSubitems(item, false)));
        return;
    case TPrintOutKind::Outline:
        break;
    }
}

void BuildOutlineRows(TPrintOutRows& rows)
{
    // The nodes from the top level down to the parent of the node at hand: its depth without
    // walking up from every node, however deep the outline.
    std::vector<const TOutlineNode*> ancestors;
    for (const TOutlineNode* node = Core().Outline()->Tree().First(); node;
         node = node->NextInPreOrder()) {
        while (!ancestors.empty() && ancestors.back() != node->Parent())
            ancestors.pop_back();
        const TTask& item = *node->Item();
        // A done item shows its box ticked, as the outline itself does.
        AddCheckTypeAndName(rows.AddRow(), item,
                            item.Checked() ? TIconKind::Done : TIconKind::NotDone,
                            3 * int(ancestors.size()));
        ancestors.push_back(node);
    }
}

} // namespace

int RowCount(TPrintOutKind kind)
{
    return kind == TPrintOutKind::Outline ? Core().Outline()->Tree().Count()
                                          : ListOf(kind).RowCount();
}

void BuildRows(TPrintOutKind kind, TPrintOutRows& rows)
{
    rows.Clear();
    if (kind == TPrintOutKind::Outline) {
        BuildOutlineRows(rows);
        return;
    }
    for (const TListRow* row : ListOf(kind).Rows())
        AddListElements(kind, rows.AddRow(), *row->Item());
}

} // namespace PrintOutSource
