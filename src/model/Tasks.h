#pragma once

#include "model/ItemCounts.h"
#include "model/ItemIdIndex.h"
#include "model/Task.h"

#include <QList>
#include <QStringView>
#include <QUuid>
#include <memory>
#include <vector>

class TViewRow;

// The item tree: owns every item of the open data file, in the order of adding (the item list),
// and the order of each item's children (the outline order). The only place where items are
// created, moved and released.
class TTasks {
public:
    TTasks();
    ~TTasks();
    TTasks(const TTasks&) = delete;
    TTasks& operator=(const TTasks&) = delete;

    // A new item, appended to the item list and as the last child of the parent (or the root).
    TTask* Add(TTask* parent);
    // The same with an id of the caller's (the reader's, which has it already).
    TTask* Add(TTask* parent, const QUuid& id);
    // Removes the item with all its descendants, their rows first.
    void Delete(TTask& item);
    // Removes every done item with all its descendants, done or not.
    void Clean();
    // Releases every item. The views are emptied first, so that no row outlives its item
    // whichever order the caller clears the views and the items in.
    void Clear();

    // The first item in list order with the id; none when there is none.
    TTask* FindById(const QUuid& id) const;
    // None for "root" and for text that is not an id in registry form.
    TTask* FindByIdText(QStringView text) const;
    // The item of any of its five rows; none for no row.
    TTask* FindByRow(const TViewRow* row) const;

    int CountSubitems(const TTask& item, bool recursive) const;
    int CountDone() const { return counts_.Done(); }
    int CountByType(TTaskType type) const { return counts_.OfType(type); }
    int Count() const { return int(items_.size()); }

    // Swap the item with its previous or next sibling; nothing at the ends.
    void MoveUp(TTask& item);
    void MoveDown(TTask& item);
    // Makes the item, with its subtree, the target's last child; nothing when the target is the
    // item itself or lies below it.
    void MoveUnder(TTask& item, TTask& target);

    // Each item's outline node takes the item's expanded state.
    void RestoreExpanded();
    // Rebuilds every item's rows in list order; the first failure is shown and ends the run.
    void UpdateViews();

    // The item just above this one in the fully expanded outline; none for the very first.
    TTask* PreviousInOutline(const TTask& item) const;
    int IndexAmongSiblings(const TTask& item) const { return int(item.siblingIndex_); }
    // The children of an item, or the top-level items for none, in outline order.
    const QList<TTask*>& Children(const TTask* item) const;

    // The whole outline in pre-order: a parent, then each child with its subtree.
    TTask* FirstInOutline() const;
    TTask* NextInOutline(const TTask& item) const;
    template <typename Visit> void ForEachInOutline(Visit&& visit) const
    {
        for (TTask* item = FirstInOutline(); item; item = NextInOutline(*item))
            visit(*item);
    }
    // The item and everything below it, in pre-order.
    QList<TTask*> Subtree(TTask& item) const;

    // Every item in list order: for (TTask& item : Core().Tasks()->Items()).
    class TItemRange {
    public:
        using TOwned = std::vector<std::unique_ptr<TTask>>;
        class iterator {
        public:
            explicit iterator(TOwned::const_iterator at) : at_(at) {}
            TTask& operator*() const { return **at_; }
            iterator& operator++()
            {
                ++at_;
                return *this;
            }
            bool operator==(const iterator&) const = default;

        private:
            TOwned::const_iterator at_;
        };

        explicit TItemRange(const TOwned& items) : items_(items) {}
        iterator begin() const { return iterator(items_.begin()); }
        iterator end() const { return iterator(items_.end()); }

    private:
        const TOwned& items_;
    };
    TItemRange Items() const { return TItemRange(items_); }

private:
    friend class TTask;

    QList<TTask*>& SiblingsOf(const TTask& item);
    const QList<TTask*>& SiblingsOf(const TTask& item) const;
    // The next item in pre-order that still lies below top; none past top's subtree.
    TTask* NextBelow(const TTask& item, const TTask* top) const;
    void Attach(TTask& item, TTask* parent);
    void Detach(TTask& item);
    static void SwapSiblings(QList<TTask*>& siblings, qsizetype first);
    // Siblings know their positions, so that an item's index costs nothing to find.
    static void Renumber(QList<TTask*>& siblings, qsizetype from);
    // Deletes the rows of each unreleased item below the roots, taken in order, descendants
    // before their ancestors, then releases them all at once.
    void Release(const QList<TTask*>& roots);
    void IdChanged(TTask& item, const QUuid& previous);

    std::vector<std::unique_ptr<TTask>> items_;
    QList<TTask*> topLevel_;
    TItemIdIndex byId_;
    TItemCounts counts_;
    quint64 nextListOrder_ = 0;
};
