#include "views/Goals.h"

#include "app/AppCore.h"
#include "model/Completion.h"
#include "model/Tasks.h"

TGoalsView::TGoalsView()
    : TKavView(ColumnCount, {&TTask::GoalsRow, &TTask::SetGoalsRow}, &Completion::Accomplish)
{
    List().SetOnSelectionChange([this] { Core().Guarded([this] { tlGoalsChange(); }); });
}

void TGoalsView::UpdateGoalsRow(TTask& item)
{
    UpdateRow(item, Belongs(item), [&](TListRow* row) { WriteOverviewCells(row, item); });
}

void TGoalsView::tlGoalsChange()
{
    SelectedItemToCurrent();
}

void TGoalsView::tlGoalsMouseMove(const TListRow* row)
{
    const TTask* item = Core().Tasks()->FindByRow(row);
    List().SetHint(item ? item->Path() : QString());
}

bool TGoalsView::Belongs(const TTask& item)
{
    return !item.Checked() && item.TaskType() == TTaskType::Goal &&
           item.Status() != TTaskStatus::Suspended;
}
