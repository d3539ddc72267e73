#pragma once

#include <QSet>
#include <utility>
#include <vector>

class TKavContext;

// One inclusion: the including context includes the included one (not the other way round).
struct TSubContext {
    TKavContext* including;
    TKavContext* included;
};

// The included-contexts relation: its pairs in the order of adding, each pair once. Contexts are
// compared by identity. Not transitive: only direct pairs count.
class TSubContexts {
public:
    // False when either context is none. Asked for every item of the to-do list, so O(1).
    bool Includes(const TKavContext* including, const TKavContext* included) const;
    // Appends the pair unless it exists.
    void Add(TKavContext& including, TKavContext& included);
    void Remove(const TKavContext& including, const TKavContext& included);
    void SetIncluded(TKavContext& including, TKavContext& included, bool on);
    // Every pair that names the context on either side.
    void RemoveContext(const TKavContext& context);
    void Clear();

    int Count() const { return int(pairs_.size()); }
    const TSubContext& At(int position) const { return pairs_.at(std::size_t(position)); }

private:
    using Key = std::pair<const TKavContext*, const TKavContext*>;

    std::vector<TSubContext> pairs_;
    QSet<Key> keys_;
};
