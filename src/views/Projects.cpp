#include "views/Projects.h"

#include "app/AppCore.h"
#include "model/Completion.h"
#include "model/Tasks.h"

TProjectsView::TProjectsView()
    : TKavView(ColumnCount, {&TTask::ProjectsRow, &TTask::SetProjectsRow}, &Completion::Accomplish)
{
    List().SetOnSelectionChange([this] { Core().Guarded([this] { tlProjectsChange(); }); });
    RefreshFilterTexts();
    filterChooser_.Select(AllProjects);
}

void TProjectsView::RefreshFilterTexts()
{
    const QString texts[] = {Core().Translate(u"All projects"_qs),
                             Core().Translate(u"Projects without subitems"_qs)};
    for (int entry = AllProjects; entry <= WithoutSubitems; ++entry) {
        if (entry < filterChooser_.Count())
            filterChooser_.SetEntry(entry, texts[entry]);
        else
            filterChooser_.Add(texts[entry]);
    }
}

void TProjectsView::UpdateProjectsRow(TTask& item)
{
    UpdateRow(item, Belongs(item), [&](TListRow* row) { WriteOverviewCells(row, item); });
}

void TProjectsView::cboxProjectsFilterChange(int index)
{
    filterChooser_.Select(index);
    Core().Tasks()->UpdateViews();
}

void TProjectsView::tlProjectsChange()
{
    if (const TTask* item = SelectedItemToCurrent())
        List().SetHint(item->Path());
}

bool TProjectsView::Belongs(const TTask& item) const
{
    // A project finished but not marked done stays.
    return !item.Checked() && item.TaskType() == TTaskType::Project &&
           item.Status() != TTaskStatus::Suspended &&
           (!WithoutSubitemsOnly() || Core().Tasks()->CountSubitems(item, false) == 0);
}
