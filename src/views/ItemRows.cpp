#include "views/ItemRows.h"

#include "app/AppCore.h"
#include "model/Tasks.h"
#include "views/Done.h"
#include "views/Goals.h"
#include "views/Outline.h"
#include "views/Projects.h"
#include "views/ToDo.h"

TItemRows::TItemRows(TOutline& outline, TTodoView& todo, TProjectsView& projects, TGoalsView& goals,
                     TDoneView& done)
    : outline_(outline), todo_(todo), projects_(projects), goals_(goals), done_(done)
{}

void TItemRows::UpdateRows(TTask& item)
{
    outline_.UpdateOutlineRow(item);
    todo_.UpdateToDoRow(item);
    projects_.UpdateProjectsRow(item);
    goals_.UpdateGoalsRow(item);
    done_.UpdateDoneRow(item);
}

void TItemRows::DeleteRows(TTask& item)
{
    outline_.DeleteItemNode(item);
    todo_.DeleteRow(item);
    projects_.DeleteRow(item);
    goals_.DeleteRow(item);
    done_.DeleteRow(item);
}

void TItemRows::UpdateOutlineRow(TTask& item)
{
    outline_.UpdateOutlineRow(item);
}

void TItemRows::UpdateOutlineCheck(TTask& item)
{
    outline_.UpdateOutlineCheck(item);
}

void TItemRows::RestoreExpanded(TTask& item)
{
    outline_.RestoreExpanded(item);
}

void TItemRows::Clear()
{
    for (TTask& item : Core().Tasks()->Items()) {
        item.SetOutlineNode(nullptr);
        item.SetToDoRow(nullptr);
        item.SetProjectsRow(nullptr);
        item.SetGoalsRow(nullptr);
        item.SetDoneRow(nullptr);
    }
    outline_.Tree().Clear();
    TKavView* const lists[] = {&todo_, &projects_, &goals_, &done_};
    for (TKavView* list : lists)
        list->List().Clear();
}
