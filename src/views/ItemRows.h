#pragma once

#include "model/ItemViews.h"

class TDoneView;
class TGoalsView;
class TOutline;
class TProjectsView;
class TTodoView;

// Every item's rows in the five views: runs the row builders, deletes and clears rows.
class TItemRows final : public IItemViews {
public:
    TItemRows(TOutline& outline, TTodoView& todo, TProjectsView& projects, TGoalsView& goals,
              TDoneView& done);

    void UpdateRows(TTask& item) override;
    void DeleteRows(TTask& item) override;
    void UpdateOutlineRow(TTask& item) override;
    void UpdateOutlineCheck(TTask& item) override;
    void RestoreExpanded(TTask& item) override;

    // Empties the outline, then the to-do, projects, goals and done lists. The rows are
    // dropped without a look at their items, which may be gone already; the links of the
    // items still in the item tree are cleared through the items.
    void Clear();

private:
    TOutline& outline_;
    TTodoView& todo_;
    TProjectsView& projects_;
    TGoalsView& goals_;
    TDoneView& done_;
};
