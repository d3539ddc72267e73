#pragma once

#include "views/KavView.h"

// The open goals.
class TGoalsView final : public TKavView {
public:
    enum Column { SortKeyColumn, DoneColumn, NameColumn, SubitemsColumn, EmptyColumn };
    static constexpr int ColumnCount = 5;

    TGoalsView();

    void UpdateGoalsRow(TTask& item);

    // The user's events.
    void tlGoalsChange();
    // The pointer moved over the list, onto a row or (none) beside them: the hint shows the
    // path of the row's item.
    void tlGoalsMouseMove(const TListRow* row);

private:
    static bool Belongs(const TTask& item);
};
