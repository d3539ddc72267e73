#include "views/Done.h"

#include "app/AppCore.h"
#include "model/Completion.h"
#include "model/Tasks.h"

TDoneView::TDoneView() : TKavView(ColumnCount, {&TTask::DoneRow, &TTask::SetDoneRow}, &Undo)
{
    List().SetOnSelectionChange([this] { Core().Guarded([this] { tlDoneChange(); }); });
}

void TDoneView::UpdateDoneRow(TTask& item)
{
    // No priority here: the equal blank keys leave the order to the name cells.
    UpdateRow(item, item.Checked(), [&](TListRow* row) {
        TRowList& list = List();
        list.SetCell(row, BlankColumn, u" "_qs);
        list.SetCell(row, DoneColumn, ItemCells::DoneLink(true));
        list.SetCell(row, NameColumn, ItemCells::NameCell(item));
        list.SetCell(row, ContextColumn, ItemCells::ContextName(item));
    });
}

void TDoneView::tlDoneChange()
{
    SelectedItemToCurrent();
}

void TDoneView::Undo(TTask& item)
{
    Completion::MarkDone(item, false);
}
