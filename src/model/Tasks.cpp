#include "model/Tasks.h"

#include "app/AppCore.h"
#include "model/ItemViews.h"
#include "model/ViewRow.h"
#include "platform/Error.h"
#include "platform/Guid.h"

#include <QSet>
#include <algorithm>

namespace {

// Keeps the views' update bracket closed on every way out.
class TUpdateBracket {
public:
    TUpdateBracket() { Core().BeginUpdateViews(); }
    ~TUpdateBracket() { Core().EndUpdateViews(); }
    TUpdateBracket(const TUpdateBracket&) = delete;
    TUpdateBracket& operator=(const TUpdateBracket&) = delete;
};

} // namespace

TTasks::TTasks() = default;

TTasks::~TTasks() = default;

TTask* TTasks::Add(TTask* parent)
{
    return Add(parent, Guid::Create());
}

TTask* TTasks::Add(TTask* parent, const QUuid& id)
{
    Q_ASSERT(!parent || parent->owner_ == this);
    std::unique_ptr<TTask> created = TTask::Create(parent, id);
    TTask* item = created.get();
    item->owner_ = this;
    item->listOrder_ = nextListOrder_++;
    items_.push_back(std::move(created));
    Attach(*item, parent);
    byId_.Insert(item->id_, item, item->listOrder_);
    counts_.Add(item->checked_, item->taskType_);
    return item;
}

void TTasks::Delete(TTask& item)
{
    Release({&item});
}

void TTasks::Clean()
{
    QList<TTask*> doneItems;
    for (auto item = items_.crbegin(); item != items_.crend(); ++item) {
        if ((*item)->checked_)
            doneItems.append(item->get());
    }
    Release(doneItems);
}

void TTasks::Clear()
{
    Core().ClearViews();
    for (const std::unique_ptr<TTask>& item : items_)
        Core().ForgetCurrentItem(item.get());
    byId_.Clear();
    counts_.Clear();
    topLevel_.clear();
    items_.clear();
}

TTask* TTasks::FindById(const QUuid& id) const
{
    return byId_.Find(id);
}

TTask* TTasks::FindByIdText(QStringView text) const
{
    const std::optional<QUuid> id = Guid::FromRegistryText(text);
    return id ? FindById(*id) : nullptr;
}

TTask* TTasks::FindByRow(const TViewRow* row) const
{
    return row ? row->Item() : nullptr;
}

int TTasks::CountSubitems(const TTask& item, bool recursive) const
{
    if (!recursive)
        return int(item.children_.size());
    int count = 0;
    for (const TTask* below = NextBelow(item, &item); below; below = NextBelow(*below, &item))
        ++count;
    return count;
}

void TTasks::MoveUp(TTask& item)
{
    if (item.siblingIndex_ > 0)
        SwapSiblings(SiblingsOf(item), item.siblingIndex_ - 1);
}

void TTasks::MoveDown(TTask& item)
{
    QList<TTask*>& siblings = SiblingsOf(item);
    if (item.siblingIndex_ + 1 < siblings.size())
        SwapSiblings(siblings, item.siblingIndex_);
}

void TTasks::MoveUnder(TTask& item, TTask& target)
{
    for (const TTask* ancestor = &target; ancestor; ancestor = ancestor->parent_) {
        if (ancestor == &item)
            return;
    }
    Detach(item);
    item.SetParent(&target);
    Attach(item, &target);
}

void TTasks::RestoreExpanded()
{
    IItemViews* views = Core().ItemViews();
    if (!views)
        return;
    for (const std::unique_ptr<TTask>& item : items_)
        views->RestoreExpanded(*item);
}

void TTasks::UpdateViews()
{
    Core().ShowStatus(Core().Translate(u"Updating views"_qs));
    {
        TUpdateBracket bracket;
        try {
            for (const std::unique_ptr<TTask>& item : items_)
                item->UpdateRows();
        } catch (const std::exception& error) {
            Core().ShowError(u"Error updating tasks nodes"_qs, ErrorMessage(error));
        }
    }
    Core().ShowStatus(QString());
}

TTask* TTasks::PreviousInOutline(const TTask& item) const
{
    if (item.siblingIndex_ == 0)
        return item.parent_;
    TTask* previous = SiblingsOf(item).at(item.siblingIndex_ - 1);
    while (!previous->children_.isEmpty())
        previous = previous->children_.last();
    return previous;
}

const QList<TTask*>& TTasks::Children(const TTask* item) const
{
    return item ? item->children_ : topLevel_;
}

TTask* TTasks::FirstInOutline() const
{
    return topLevel_.isEmpty() ? nullptr : topLevel_.first();
}

TTask* TTasks::NextInOutline(const TTask& item) const
{
    return NextBelow(item, nullptr);
}

QList<TTask*> TTasks::Subtree(TTask& item) const
{
    QList<TTask*> subtree;
    for (TTask* below = &item; below; below = NextBelow(*below, &item))
        subtree.append(below);
    return subtree;
}

QList<TTask*>& TTasks::SiblingsOf(const TTask& item)
{
    return item.parent_ ? item.parent_->children_ : topLevel_;
}

const QList<TTask*>& TTasks::SiblingsOf(const TTask& item) const
{
    return item.parent_ ? item.parent_->children_ : topLevel_;
}

TTask* TTasks::NextBelow(const TTask& item, const TTask* top) const
{
    if (!item.children_.isEmpty())
        return item.children_.first();
    for (const TTask* current = &item; current && current != top; current = current->parent_) {
        const QList<TTask*>& siblings = SiblingsOf(*current);
        if (current->siblingIndex_ + 1 < siblings.size())
            return siblings.at(current->siblingIndex_ + 1);
    }
    return nullptr;
}

void TTasks::Attach(TTask& item, TTask* parent)
{
    QList<TTask*>& siblings = parent ? parent->children_ : topLevel_;
    item.siblingIndex_ = siblings.size();
    siblings.append(&item);
}

void TTasks::Detach(TTask& item)
{
    QList<TTask*>& siblings = SiblingsOf(item);
    siblings.removeAt(item.siblingIndex_);
    Renumber(siblings, item.siblingIndex_);
}

void TTasks::SwapSiblings(QList<TTask*>& siblings, qsizetype first)
{
    siblings.swapItemsAt(first, first + 1);
    Renumber(siblings, first);
}

void TTasks::Release(const QList<TTask*>& roots)
{
    std::vector<TTask*> released;
    for (TTask* root : roots) {
        const std::size_t firstOfRoot = released.size();
        // Pre-order with a stack of our own: the outline may be as deep as it is long.
        std::vector<TTask*> pending{root};
        while (!pending.empty()) {
            TTask* item = pending.back();
            pending.pop_back();
            if (item->released_)
                continue;
            item->released_ = true;
            released.push_back(item);
            pending.insert(pending.end(), item->children_.crbegin(), item->children_.crend());
        }
        // Descendants before their ancestors, so no remaining row ever shows a released parent.
        for (std::size_t i = released.size(); i-- > firstOfRoot;)
            released[i]->DeleteRows();
    }
    if (released.empty())
        return;
    // Only now: removing a row may have moved the selection onto another item that goes.
    for (const TTask* item : released)
        Core().ForgetCurrentItem(item);

    // Each surviving child list is compacted once, however many of its entries go.
    QSet<TTask*> survivingParents;
    bool topLevelChanged = false;
    QSet<QUuid> ids;
    for (const TTask* item : released) {
        ids.insert(item->id_);
        if (!item->parent_)
            topLevelChanged = true;
        else if (!item->parent_->released_)
            survivingParents.insert(item->parent_);
    }
    const auto isReleased = [](const TTask* item) { return item->released_; };
    const auto compact = [&](QList<TTask*>& siblings) {
        siblings.removeIf(isReleased);
        Renumber(siblings, 0);
    };
    if (topLevelChanged)
        compact(topLevel_);
    for (TTask* parent : std::as_const(survivingParents))
        compact(parent->children_);
    byId_.RemoveReleased(ids, isReleased);
    std::erase_if(items_, [this](const std::unique_ptr<TTask>& item) {
        if (item->released_)
            counts_.Remove(item->checked_, item->taskType_);
        return item->released_;
    });
}

void TTasks::IdChanged(TTask& item, const QUuid& previous)
{
    byId_.Remove(previous, &item);
    byId_.Insert(item.id_, &item, item.listOrder_);
}

void TTasks::Renumber(QList<TTask*>& siblings, qsizetype from)
{
    for (qsizetype index = from; index < siblings.size(); ++index)
        siblings[index]->siblingIndex_ = index;
}
