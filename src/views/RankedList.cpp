#include "views/RankedList.h"

#include <algorithm>
#include <bit>

TRankedLink* TRankedLinks::At(int position) const
{
    if (position < 0)
        return nullptr;
    TRankedLink* link = root_;
    while (link) {
        const int leftSize = SizeOf(link->left_);
        if (position < leftSize) {
            link = link->left_;
        } else if (position == leftSize) {
            return link;
        } else {
            position -= leftSize + 1;
            link = link->right_;
        }
    }
    return nullptr;
}

TRankedLink* TRankedLinks::First() const
{
    return root_ ? Leftmost(root_) : nullptr;
}

TRankedLink* TRankedLinks::Last() const
{
    return root_ ? Rightmost(root_) : nullptr;
}

int TRankedLinks::PositionOf(const TRankedLink* link)
{
    int position = SizeOf(link->left_);
    for (; link->parent_; link = link->parent_) {
        if (link == link->parent_->right_)
            position += SizeOf(link->parent_->left_) + 1;
    }
    return position;
}

TRankedLink* TRankedLinks::Next(const TRankedLink* link)
{
    if (link->right_)
        return Leftmost(link->right_);
    while (link->parent_ && link == link->parent_->right_)
        link = link->parent_;
    return link->parent_;
}

TRankedLink* TRankedLinks::Previous(const TRankedLink* link)
{
    if (link->left_)
        return Rightmost(link->left_);
    while (link->parent_ && link == link->parent_->left_)
        link = link->parent_;
    return link->parent_;
}

void TRankedLinks::InsertBefore(TRankedLink* link, TRankedLink* before)
{
    *link = TRankedLink();
    if (!root_) {
        root_ = link;
        return;
    }
    TRankedLink* parent;
    if (!before) {
        parent = Rightmost(root_);
        parent->right_ = link;
    } else if (!before->left_) {
        parent = before;
        parent->left_ = link;
    } else {
        parent = Rightmost(before->left_);
        parent->right_ = link;
    }
    link->parent_ = parent;
    FixUpwards(parent);
}

void TRankedLinks::Remove(TRankedLink* link)
{
    TRankedLink* fixFrom;
    if (!link->left_ || !link->right_) {
        TRankedLink* child = link->left_ ? link->left_ : link->right_;
        if (child)
            child->parent_ = link->parent_;
        ReplaceChild(link->parent_, link, child);
        fixFrom = link->parent_;
    } else {
        // The successor, which has no left child, takes the link's place.
        TRankedLink* successor = Leftmost(link->right_);
        if (successor->parent_ == link) {
            fixFrom = successor;
        } else {
            fixFrom = successor->parent_;
            if (successor->right_)
                successor->right_->parent_ = successor->parent_;
            ReplaceChild(successor->parent_, successor, successor->right_);
            successor->right_ = link->right_;
            successor->right_->parent_ = successor;
        }
        successor->left_ = link->left_;
        successor->left_->parent_ = successor;
        successor->parent_ = link->parent_;
        ReplaceChild(link->parent_, link, successor);
    }
    *link = TRankedLink();
    FixUpwards(fixFrom);
}

void TRankedLinks::Assign(const std::vector<TRankedLink*>& links)
{
    // Each link takes the middle of its range; the ranges wait on a stack, not in recursion.
    struct TRange {
        int first;
        int end;
        TRankedLink* parent;
        bool isLeft;
    };
    root_ = nullptr;
    std::vector<TRange> pending = {{0, int(links.size()), nullptr, false}};
    while (!pending.empty()) {
        const TRange range = pending.back();
        pending.pop_back();
        const int count = range.end - range.first;
        if (count == 0)
            continue;
        const int middle = range.first + count / 2;
        TRankedLink* link = links[std::size_t(middle)];
        *link = TRankedLink();
        link->parent_ = range.parent;
        link->size_ = count;
        // Halving the range each level gives exactly this height, and siblings differ by one.
        link->height_ = std::bit_width(unsigned(count));
        if (!range.parent)
            root_ = link;
        else if (range.isLeft)
            range.parent->left_ = link;
        else
            range.parent->right_ = link;
        pending.push_back({range.first, middle, link, true});
        pending.push_back({middle + 1, range.end, link, false});
    }
}

TRankedLink* TRankedLinks::Leftmost(TRankedLink* link)
{
    while (link->left_)
        link = link->left_;
    return link;
}

TRankedLink* TRankedLinks::Rightmost(TRankedLink* link)
{
    while (link->right_)
        link = link->right_;
    return link;
}

void TRankedLinks::Refresh(TRankedLink* link)
{
    link->size_ = 1 + SizeOf(link->left_) + SizeOf(link->right_);
    link->height_ = 1 + std::max(HeightOf(link->left_), HeightOf(link->right_));
}

void TRankedLinks::ReplaceChild(TRankedLink* parent, TRankedLink* child, TRankedLink* replacement)
{
    if (!parent)
        root_ = replacement;
    else if (parent->left_ == child)
        parent->left_ = replacement;
    else
        parent->right_ = replacement;
}

TRankedLink* TRankedLinks::RotateLeft(TRankedLink* link)
{
    TRankedLink* pivot = link->right_;
    link->right_ = pivot->left_;
    if (pivot->left_)
        pivot->left_->parent_ = link;
    pivot->parent_ = link->parent_;
    ReplaceChild(link->parent_, link, pivot);
    pivot->left_ = link;
    link->parent_ = pivot;
    Refresh(link);
    Refresh(pivot);
    return pivot;
}

TRankedLink* TRankedLinks::RotateRight(TRankedLink* link)
{
    TRankedLink* pivot = link->left_;
    link->left_ = pivot->right_;
    if (pivot->right_)
        pivot->right_->parent_ = link;
    pivot->parent_ = link->parent_;
    ReplaceChild(link->parent_, link, pivot);
    pivot->right_ = link;
    link->parent_ = pivot;
    Refresh(link);
    Refresh(pivot);
    return pivot;
}

TRankedLink* TRankedLinks::Rebalance(TRankedLink* link)
{
    const int balance = HeightOf(link->left_) - HeightOf(link->right_);
    if (balance > 1) {
        if (HeightOf(link->left_->left_) < HeightOf(link->left_->right_))
            RotateLeft(link->left_);
        return RotateRight(link);
    }
    if (balance < -1) {
        if (HeightOf(link->right_->right_) < HeightOf(link->right_->left_))
            RotateRight(link->right_);
        return RotateLeft(link);
    }
    Refresh(link);
    return link;
}

void TRankedLinks::FixUpwards(TRankedLink* link)
{
    while (link)
        link = Rebalance(link)->parent_;
}
