#pragma once

#include <QHash>
#include <QSet>
#include <QUuid>
#include <QVarLengthArray>
#include <functional>

class TTask;

// The items by id. Ids are meant to be distinct, but a damaged data file may repeat one: then
// the item that comes first in the item list wins, and when it goes the next one takes over.
class TItemIdIndex {
public:
    TTask* Find(const QUuid& id) const;
    // listOrder: the item's place in the item list; larger for items added later.
    void Insert(const QUuid& id, TTask* item, quint64 listOrder);
    void Remove(const QUuid& id, const TTask* item);
    // Drops every item under these ids for which released holds, in one pass per id.
    void RemoveReleased(const QSet<QUuid>& ids, const std::function<bool(const TTask*)>& released);
    void Clear() { entries_.clear(); }

private:
    struct Entry {
        quint64 listOrder;
        TTask* item;
    };
    // Kept in list order; one entry needs no allocation of its own.
    using Entries = QVarLengthArray<Entry, 1>;

    QHash<QUuid, Entries> entries_;
};
