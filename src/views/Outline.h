#pragma once

#include "views/OutlineTree.h"

class TTask;

// The outline: one node per item, nested as the items are, in their sibling order. Owns the
// tree that the presentation shows and handles the user's selection, check-box clicks and
// drops, which the presentation forwards to the tree.
class TOutline {
public:
    TOutline();
    TOutline(const TOutline&) = delete;
    TOutline& operator=(const TOutline&) = delete;

    TOutlineTree& Tree() { return tree_; }
    const TOutlineTree& Tree() const { return tree_; }

    // Set while the views' update bracket is open: a change of the selected node then leaves
    // the current item alone.
    bool IsUpdating() const { return updating_; }
    void SetUpdating(bool updating) { updating_ = updating; }

    // Gives a new item its node, as its parent's last child (the parent opens by one level) or
    // at the end of the top level, writes it and selects it. An item keeps a node it has.
    void AddItemNode(TTask& item);
    // Removes the item's node with every node below it, clearing each of their items' links.
    void DeleteItemNode(TTask& item);
    // Colour, name, check box, notes star and, if configured, the due date.
    void UpdateOutlineRow(TTask& item);
    // No box for an area; otherwise ticked exactly when the item is done.
    void UpdateOutlineCheck(TTask& item);
    void RestoreExpanded(TTask& item);
    bool IsNodeChecked(const TTask& item) const;
    // Selects the item's node (none for no item).
    void SelectItemNode(const TTask* item);

    // A node may go under any node but itself and those below it.
    static bool CanDrop(const TOutlineNode* dragged, const TOutlineNode* target);

    // The user's events, forwarded by the tree.
    void treeOutlineChange();
    void treeOutlineCheckBoxClick(TOutlineNode* node);
    // The dragged node with its subtree becomes the target's last child, in tree and model.
    void treeOutlineDragDrop(TOutlineNode* dragged, TOutlineNode* target);

    // The menu commands. The first two act on the first top-level node, the others on the
    // current item's node.
    void mnExpandAll();
    void mnCollapseAll();
    void mnExpand();
    void mnCollapse();

private:
    static QString NodeText(const TTask& item);
    TOutlineNode* CurrentNode() const;

    TOutlineTree tree_;
    bool updating_ = false;
};
