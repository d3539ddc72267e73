#pragma once

#include "app/AppCore.h"
#include "model/ItemViews.h"
#include "model/Tasks.h"
#include "model/ViewRow.h"
#include "platform/Error.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <initializer_list>

// Stands in for the views: records which item each call was for, and can fail for one item.
class TRecordingViews final : public IItemViews {
public:
    explicit TRecordingViews(TCore& core) : core_(core) { core_.SetItemViews(this); }
    ~TRecordingViews() override { core_.SetItemViews(nullptr); }
    TRecordingViews(const TRecordingViews&) = delete;
    TRecordingViews& operator=(const TRecordingViews&) = delete;

    void UpdateRows(TTask& item) override
    {
        Record(u"UpdateRows"_qs, item);
        if (&item == failOn)
            throw TError(u"no row for " + item.Name());
    }
    void DeleteRows(TTask& item) override { Record(u"DeleteRows"_qs, item); }
    void UpdateOutlineRow(TTask& item) override { Record(u"UpdateOutlineRow"_qs, item); }
    void UpdateOutlineCheck(TTask& item) override { Record(u"UpdateOutlineCheck"_qs, item); }
    void RestoreExpanded(TTask& item) override { Record(u"RestoreExpanded"_qs, item); }

    // "Operation name" for every call, in order.
    const QStringList& Calls() const { return calls_; }
    // Something else that happened, in its place among the calls.
    void Note(const QString& event) { calls_.append(event); }
    void Forget() { calls_.clear(); }

    const TTask* failOn = nullptr;

private:
    void Record(const QString& operation, const TTask& item)
    {
        calls_.append(operation + u' ' + item.Name());
    }

    TCore& core_;
    QStringList calls_;
};

// A row of some view, as far as the item tree needs to know it.
class TStandInRow final : public TViewRow {
public:
    explicit TStandInRow(TTask* item) : TViewRow(item) {}
};

// An item with a name; the tree gives it the defaults of its place.
inline TTask* AddNamed(TTasks& tasks, TTask* parent, const QString& name)
{
    TTask* item = tasks.Add(parent);
    item->SetName(name);
    return item;
}

// Builds an outline from lines whose leading blanks give the depth, in list order:
// {"Home", " Fence", "  Paint", "Work"}. Returns the items by name.
inline QHash<QString, TTask*> BuildOutline(TTasks& tasks, const QStringList& lines)
{
    QHash<QString, TTask*> byName;
    QList<TTask*> ancestors; // ancestors[d] is the last item added at depth d
    for (const QString& line : lines) {
        qsizetype depth = 0;
        while (depth < line.size() && line.at(depth) == u' ')
            ++depth;
        ancestors.resize(depth);
        TTask* item =
            AddNamed(tasks, depth > 0 ? ancestors.at(depth - 1) : nullptr, line.trimmed());
        ancestors.append(item);
        byName.insert(item->Name(), item);
    }
    return byName;
}

// The names of a list of items, for readable comparisons.
inline QStringList NamesOf(const QList<TTask*>& items)
{
    QStringList names;
    for (const TTask* item : items)
        names.append(item ? item->Name() : u"(none)"_qs);
    return names;
}

inline QStringList NamesInListOrder(const TTasks& tasks)
{
    QStringList names;
    for (const TTask& item : tasks.Items())
        names.append(item.Name());
    return names;
}

inline QStringList NamesInOutlineOrder(const TTasks& tasks)
{
    QStringList names;
    tasks.ForEachInOutline([&names](const TTask& item) { names.append(item.Name()); });
    return names;
}
