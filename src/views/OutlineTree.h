#pragma once

#include "model/ViewRow.h"
#include "views/RankedList.h"

#include <QString>
#include <QtGlobal>
#include <functional>
#include <utility>
#include <vector>

enum class TCheckState : quint8 { None, Clear, Ticked }; // None: the node shows no check box

// One node of the outline: markup text, check box and expanded state, and its place among its
// siblings. The tree owns it. Walking costs no recursion, however deep the outline.
class TOutlineNode final : public TViewRow, public TRankedLink {
public:
    const QString& Text() const { return text_; }
    TCheckState Check() const { return check_; }
    bool IsExpanded() const { return expanded_; }

    TOutlineNode* Parent() const { return parent_; } // none at the top level
    const TRankedList<TOutlineNode>& Children() const { return children_; }
    int IndexAmongSiblings() const { return TRankedList<TOutlineNode>::PositionOf(this); }
    TOutlineNode* PreviousSibling() const { return TRankedList<TOutlineNode>::Previous(this); }
    TOutlineNode* NextSibling() const { return TRankedList<TOutlineNode>::Next(this); }
    TOutlineNode* PreviousInPreOrder() const;
    TOutlineNode* NextInPreOrder() const { return NextWithin(nullptr); }
    // Whether the node is ancestor itself or lies below it; O(depth).
    bool IsWithin(const TOutlineNode* ancestor) const;

private:
    friend class TOutlineTree;

    TOutlineNode(TTask* item, TOutlineNode* parent) : TViewRow(item), parent_(parent) {}
    ~TOutlineNode() = default;
    // The next node in pre-order that still lies below root (anywhere when root is none).
    TOutlineNode* NextWithin(const TOutlineNode* root) const;

    QString text_;
    TOutlineNode* parent_;
    TRankedList<TOutlineNode> children_;
    TCheckState check_ = TCheckState::None;
    bool expanded_ = false;
    int preOrderPosition_ = -1; // valid while the tree's pre-order table is
};

// Told of every change of an outline, in the terms a QAbstractItemModel passes on: the About
// calls come before the change, while the old positions still hold, the others after it.
// A parent of none is the top level.
class IOutlineObserver {
public:
    virtual ~IOutlineObserver() = default;
    virtual void NodeAboutToBeInserted(TOutlineNode* parent, int index) = 0;
    virtual void NodeInserted() = 0;
    // The node goes with everything below it.
    virtual void NodeAboutToBeRemoved(TOutlineNode* parent, int index) = 0;
    virtual void NodeRemoved() = 0;
    // destination: the index before which the node goes, counted before the move (as
    // QAbstractItemModel::beginMoveRows takes it).
    virtual void NodeAboutToBeMoved(TOutlineNode* fromParent, int from, TOutlineNode* toParent,
                                    int destination) = 0;
    virtual void NodeMoved() = 0;
    virtual void TextChanged(TOutlineNode* node) = 0;
    virtual void CheckChanged(TOutlineNode* node) = 0;
    virtual void ExpandedChanged(TOutlineNode* node) = 0;
    virtual void AboutToBeReset() = 0;
    virtual void Reset() = 0;
    virtual void SelectionChanged() = 0;
    // The outermost update bracket opens and closes: a presentation may hold its repaints.
    virtual void UpdateBegun() = 0;
    virtual void UpdateEnded() = 0;
};

// The nodes of the outline in sibling order. Sibling lists count their members, so a node's
// index among its siblings costs O(log n); nothing here recurses, so an outline a hundred
// thousand levels deep builds, walks, collapses, clears and is destroyed safely.
class TOutlineTree {
public:
    TOutlineTree() = default;
    ~TOutlineTree();
    TOutlineTree(const TOutlineTree&) = delete;
    TOutlineTree& operator=(const TOutlineTree&) = delete;

    void SetObserver(IOutlineObserver* observer) { observer_ = observer; }

    // Appends a node as the last child of parent, or at the top level.
    TOutlineNode* AddNode(TTask* item, TOutlineNode* parent);
    // Releases the node with everything below it and gives their items, every node after the
    // nodes below it, so that the caller can clear the items' links.
    std::vector<TTask*> RemoveNode(TOutlineNode* node);
    void Clear();

    void SetText(TOutlineNode* node, const QString& markup);
    void SetCheck(TOutlineNode* node, TCheckState check);
    // One level, or the node with everything below it.
    void SetExpanded(TOutlineNode* node, bool expanded, bool recursive);

    // Moves the node, with everything below it, to be the last child of target (none: the last
    // top-level node), or to stand just before sibling. Both refuse, changing nothing and
    // answering false, to put a node inside itself; a node already in place stays untouched.
    bool MoveUnder(TOutlineNode* node, TOutlineNode* target);
    bool MoveBefore(TOutlineNode* node, TOutlineNode* sibling);

    int Count() const { return count_; }
    const TRankedList<TOutlineNode>& TopLevel() const { return topLevel_; }
    TOutlineNode* First() const { return topLevel_.First(); }
    // Pre-order positions: O(n) for the first question after the shape of the tree changed,
    // O(1) for the following ones.
    TOutlineNode* NodeAt(int position) const;
    int PreOrderPositionOf(const TOutlineNode* node) const;

    void BeginUpdate();
    void EndUpdate();
    bool IsUpdating() const { return updateDepth_ > 0; }

    TOutlineNode* SelectedNode() const { return selected_; }
    // Raises the selection change when the selection is another node than before.
    void SelectNode(TOutlineNode* node);
    void SetOnSelectionChange(std::function<void()> handler)
    {
        onSelectionChange_ = std::move(handler);
    }

    // Raised by the presentation when the user clicks a node's check box: the box flips first,
    // then the handler runs. A node without a box ignores the click.
    void ClickCheck(TOutlineNode* node);
    void SetOnCheckClick(std::function<void(TOutlineNode*)> handler)
    {
        onCheckClick_ = std::move(handler);
    }

    // Raised by the presentation when the user drops a node; target is none over empty space.
    void Drop(TOutlineNode* dragged, TOutlineNode* target);
    void SetOnDrop(std::function<void(TOutlineNode*, TOutlineNode*)> handler)
    {
        onDrop_ = std::move(handler);
    }

private:
    TRankedList<TOutlineNode>& SiblingsOf(TOutlineNode* parent);
    void MoveTo(TOutlineNode* node, TOutlineNode* parent, TOutlineNode* before);
    void ShapeChanged() { preOrderValid_ = false; }
    void RefreshPreOrder() const;
    void DeleteAll();
    void NotifySelection();

    TRankedList<TOutlineNode> topLevel_;
    int count_ = 0;
    mutable std::vector<TOutlineNode*> preOrder_;
    mutable bool preOrderValid_ = true;
    TOutlineNode* selected_ = nullptr;
    int updateDepth_ = 0;
    IOutlineObserver* observer_ = nullptr;
    std::function<void()> onSelectionChange_;
    std::function<void(TOutlineNode*)> onCheckClick_;
    std::function<void(TOutlineNode*, TOutlineNode*)> onDrop_;
};
