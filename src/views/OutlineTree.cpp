#include "views/OutlineTree.h"

TOutlineNode* TOutlineNode::PreviousInPreOrder() const
{
    TOutlineNode* node = PreviousSibling();
    if (!node)
        return parent_;
    while (!node->children_.IsEmpty())
        node = node->children_.Last();
    return node;
}

bool TOutlineNode::IsWithin(const TOutlineNode* ancestor) const
{
    for (const TOutlineNode* node = this; node; node = node->parent_) {
        if (node == ancestor)
            return true;
    }
    return false;
}

TOutlineNode* TOutlineNode::NextWithin(const TOutlineNode* root) const
{
    if (!children_.IsEmpty())
        return children_.First();
    for (const TOutlineNode* node = this; node && node != root; node = node->parent_) {
        if (TOutlineNode* next = node->NextSibling())
            return next;
    }
    return nullptr;
}

TOutlineTree::~TOutlineTree()
{
    DeleteAll();
}

TOutlineNode* TOutlineTree::AddNode(TTask* item, TOutlineNode* parent)
{
    TRankedList<TOutlineNode>& siblings = SiblingsOf(parent);
    if (observer_)
        observer_->NodeAboutToBeInserted(parent, siblings.Count());
    auto* node = new TOutlineNode(item, parent);
    siblings.Append(node);
    ++count_;
    ShapeChanged();
    if (observer_)
        observer_->NodeInserted();
    return node;
}

std::vector<TTask*> TOutlineTree::RemoveNode(TOutlineNode* node)
{
    if (observer_)
        observer_->NodeAboutToBeRemoved(node->parent_, node->IndexAmongSiblings());
    std::vector<TOutlineNode*> subtree;
    for (TOutlineNode* member = node; member; member = member->NextWithin(node))
        subtree.push_back(member);
    SiblingsOf(node->parent_).Remove(node);
    count_ -= int(subtree.size());
    ShapeChanged();

    // Backwards through the pre-order, every node comes after the nodes below it.
    std::vector<TTask*> items;
    items.reserve(subtree.size());
    bool selectionGone = false;
    for (auto member = subtree.rbegin(); member != subtree.rend(); ++member) {
        selectionGone = selectionGone || *member == selected_;
        items.push_back((*member)->Item());
        delete *member;
    }
    if (selectionGone)
        selected_ = nullptr;
    if (observer_)
        observer_->NodeRemoved();
    if (selectionGone)
        NotifySelection();
    return items;
}

void TOutlineTree::Clear()
{
    if (observer_)
        observer_->AboutToBeReset();
    DeleteAll();
    const bool hadSelection = selected_;
    selected_ = nullptr;
    if (observer_)
        observer_->Reset();
    if (hadSelection)
        NotifySelection();
}

void TOutlineTree::SetText(TOutlineNode* node, const QString& markup)
{
    if (node->text_ == markup)
        return;
    node->text_ = markup;
    if (observer_)
        observer_->TextChanged(node);
}

void TOutlineTree::SetCheck(TOutlineNode* node, TCheckState check)
{
    if (node->check_ == check)
        return;
    node->check_ = check;
    if (observer_)
        observer_->CheckChanged(node);
}

void TOutlineTree::SetExpanded(TOutlineNode* node, bool expanded, bool recursive)
{
    for (TOutlineNode* member = node; member;
         member = recursive ? member->NextWithin(node) : nullptr) {
        if (member->expanded_ == expanded)
            continue;
        member->expanded_ = expanded;
        if (observer_)
            observer_->ExpandedChanged(member);
    }
}

bool TOutlineTree::MoveUnder(TOutlineNode* node, TOutlineNode* target)
{
    if (target && target->IsWithin(node))
        return false;
    MoveTo(node, target, nullptr);
    return true;
}

bool TOutlineTree::MoveBefore(TOutlineNode* node, TOutlineNode* sibling)
{
    if (sibling->IsWithin(node))
        return sibling == node;
    MoveTo(node, sibling->parent_, sibling);
    return true;
}

TOutlineNode* TOutlineTree::NodeAt(int position) const
{
    if (position < 0 || position >= count_)
        return nullptr;
    RefreshPreOrder();
    return preOrder_[std::size_t(position)];
}

int TOutlineTree::PreOrderPositionOf(const TOutlineNode* node) const
{
    RefreshPreOrder();
    return node->preOrderPosition_;
}

void TOutlineTree::BeginUpdate()
{
    if (updateDepth_++ == 0 && observer_)
        observer_->UpdateBegun();
}

void TOutlineTree::EndUpdate()
{
    if (updateDepth_ == 0 || --updateDepth_ > 0)
        return;
    if (observer_)
        observer_->UpdateEnded();
}

void TOutlineTree::SelectNode(TOutlineNode* node)
{
    if (node == selected_)
        return;
    selected_ = node;
    NotifySelection();
}

void TOutlineTree::ClickCheck(TOutlineNode* node)
{
    if (node->check_ == TCheckState::None)
        return;
    SetCheck(node, node->check_ == TCheckState::Ticked ? TCheckState::Clear : TCheckState::Ticked);
    if (onCheckClick_)
        onCheckClick_(node);
}

void TOutlineTree::Drop(TOutlineNode* dragged, TOutlineNode* target)
{
    if (onDrop_)
        onDrop_(dragged, target);
}

TRankedList<TOutlineNode>& TOutlineTree::SiblingsOf(TOutlineNode* parent)
{
    return parent ? parent->children_ : topLevel_;
}

void TOutlineTree::MoveTo(TOutlineNode* node, TOutlineNode* parent, TOutlineNode* before)
{
    TRankedList<TOutlineNode>& siblings = SiblingsOf(parent);
    const int from = node->IndexAmongSiblings();
    const int destination = before ? before->IndexAmongSiblings() : siblings.Count();
    if (node->parent_ == parent && (destination == from || destination == from + 1))
        return;
    if (observer_)
        observer_->NodeAboutToBeMoved(node->parent_, from, parent, destination);
    SiblingsOf(node->parent_).Remove(node);
    siblings.InsertBefore(node, before);
    node->parent_ = parent;
    ShapeChanged();
    if (observer_)
        observer_->NodeMoved();
}

void TOutlineTree::RefreshPreOrder() const
{
    if (preOrderValid_)
        return;
    preOrder_.clear();
    preOrder_.reserve(std::size_t(count_));
    for (TOutlineNode* node = First(); node; node = node->NextInPreOrder()) {
        node->preOrderPosition_ = int(preOrder_.size());
        preOrder_.push_back(node);
    }
    preOrderValid_ = true;
}

void TOutlineTree::DeleteAll()
{
    std::vector<TOutlineNode*> nodes;
    nodes.reserve(std::size_t(count_));
    for (TOutlineNode* node = First(); node; node = node->NextInPreOrder())
        nodes.push_back(node);
    for (TOutlineNode* node : nodes)
        delete node;
    topLevel_.Forget();
    count_ = 0;
    preOrder_.clear();
    preOrderValid_ = true;
}

void TOutlineTree::NotifySelection()
{
    if (observer_)
        observer_->SelectionChanged();
    if (onSelectionChange_)
        onSelectionChange_();
}
