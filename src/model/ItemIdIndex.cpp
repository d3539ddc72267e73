#include "model/ItemIdIndex.h"

#include <algorithm>

TTask* TItemIdIndex::Find(const QUuid& id) const
{
    const auto found = entries_.constFind(id);
    return found == entries_.cend() ? nullptr : found->front().item;
}

void TItemIdIndex::Insert(const QUuid& id, TTask* item, quint64 listOrder)
{
    Entries& entries = entries_[id];
    const auto place =
        std::upper_bound(entries.begin(), entries.end(), listOrder,
                         [](quint64 order, const Entry& entry) { return order < entry.listOrder; });
    entries.insert(place, Entry{listOrder, item});
}

void TItemIdIndex::Remove(const QUuid& id, const TTask* item)
{
    const auto found = entries_.find(id);
    if (found == entries_.end())
        return;
    Entries& entries = *found;
    const auto entry = std::find_if(entries.begin(), entries.end(), [item](const Entry& candidate) {
        return candidate.item == item;
    });
    if (entry != entries.end())
        entries.erase(entry);
    if (entries.isEmpty())
        entries_.erase(found);
}

void TItemIdIndex::RemoveReleased(const QSet<QUuid>& ids,
                                  const std::function<bool(const TTask*)>& released)
{
    for (const QUuid& id : ids) {
        const auto found = entries_.find(id);
        if (found == entries_.end())
            continue;
        Entries& entries = *found;
        entries.erase(std::remove_if(entries.begin(), entries.end(),
                                     [&](const Entry& entry) { return released(entry.item); }),
                      entries.end());
        if (entries.isEmpty())
            entries_.erase(found);
    }
}
