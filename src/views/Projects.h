#pragma once

#include "views/Chooser.h"
#include "views/KavView.h"

// The open projects, optionally only those not yet broken down into subitems. The filter
// chooser holds "All projects" (0) and "Projects without subitems" (1).
class TProjectsView final : public TKavView {
public:
    enum Column { SortKeyColumn, DoneColumn, NameColumn, SubitemsColumn, EmptyColumn };
    static constexpr int ColumnCount = 5;
    enum Filter { AllProjects, WithoutSubitems };

    // The filter starts on "All projects".
    TProjectsView();

    TChooser& FilterChooser() { return filterChooser_; }
    const TChooser& FilterChooser() const { return filterChooser_; }
    bool WithoutSubitemsOnly() const { return filterChooser_.SelectedIndex() == WithoutSubitems; }
    // The entries in the current language; the choice stays.
    void RefreshFilterTexts();

    void UpdateProjectsRow(TTask& item);

    // The user's events. Choosing a filter rebuilds every item's rows.
    void cboxProjectsFilterChange(int index);
    // The selected row's item becomes current, and its path the list's hint.
    void tlProjectsChange();

private:
    bool Belongs(const TTask& item) const;

    TChooser filterChooser_;
};
