#pragma once

class TTask;

// A row or node of a view that shows one item. The view owns it; the item links to it, and the
// row knows its item, so finding the item of a clicked row costs nothing.
class TViewRow {
public:
    explicit TViewRow(TTask* item) : item_(item) {}
    TTask* Item() const { return item_; }

protected:
    ~TViewRow() = default;

private:
    TTask* item_;
};
