#pragma once

#include "model/TaskEnums.h"

#include <array>
#include <cstddef>

// The number of done items and of items of each type, kept up to date as items come, go and
// change, so that the statistics never scan the item list.
class TItemCounts {
public:
    void Add(bool done, TTaskType type) { Count(done, type, 1); }
    void Remove(bool done, TTaskType type) { Count(done, type, -1); }
    void DoneChanged(bool done) { done_ += done ? 1 : -1; }
    void TypeChanged(TTaskType from, TTaskType to)
    {
        --byType_[Slot(from)];
        ++byType_[Slot(to)];
    }
    void Clear() { *this = TItemCounts(); }

    int Done() const { return done_; }
    int OfType(TTaskType type) const { return byType_[Slot(type)]; }

private:
    static std::size_t Slot(TTaskType type) { return static_cast<std::size_t>(type); }
    void Count(bool done, TTaskType type, int step)
    {
        if (done)
            done_ += step;
        byType_[Slot(type)] += step;
    }

    int done_ = 0;
    std::array<int, AllTaskTypes.size()> byType_{};
};
