#pragma once

class TTask;

// The views' side of an item's rows. The views install it in the registry once they exist;
// until then an item's row operations do nothing.
class IItemViews {
public:
    virtual ~IItemViews() = default;
    // Rebuilds the item's rows in the order outline, to do, projects, goals, done.
    virtual void UpdateRows(TTask& item) = 0;
    // Removes every row of the item; its outline node takes the nodes below it along.
    virtual void DeleteRows(TTask& item) = 0;
    virtual void UpdateOutlineRow(TTask& item) = 0;
    virtual void UpdateOutlineCheck(TTask& item) = 0;
    // Expands or collapses the item's outline node as its expanded field says.
    virtual void RestoreExpanded(TTask& item) = 0;
};
