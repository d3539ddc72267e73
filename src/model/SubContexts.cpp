#include "model/SubContexts.h"

#include <algorithm>

bool TSubContexts::Includes(const TKavContext* including, const TKavContext* included) const
{
    return including && included && keys_.contains(Key(including, included));
}

void TSubContexts::Add(TKavContext& including, TKavContext& included)
{
    if (Includes(&including, &included))
        return;
    pairs_.push_back({&including, &included});
    keys_.insert(Key(&including, &included));
}

void TSubContexts::Remove(const TKavContext& including, const TKavContext& included)
{
    if (!keys_.remove(Key(&including, &included)))
        return;
    const auto pair = std::ranges::find_if(pairs_, [&](const TSubContext& candidate) {
        return candidate.including == &including && candidate.included == &included;
    });
    pairs_.erase(pair);
}

void TSubContexts::SetIncluded(TKavContext& including, TKavContext& included, bool on)
{
    if (on)
        Add(including, included);
    else
        Remove(including, included);
}

void TSubContexts::RemoveContext(const TKavContext& context)
{
    std::erase_if(pairs_, [this, &context](const TSubContext& pair) {
        const bool names = pair.including == &context || pair.included == &context;
        if (names)
            keys_.remove(Key(pair.including, pair.included));
        return names;
    });
}

void TSubContexts::Clear()
{
    pairs_.clear();
    keys_.clear();
}
