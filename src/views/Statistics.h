#pragma once

#include "views/Chooser.h"

// The summary of the open data file on the Statistics page: items in all, open and done, and
// how many tasks, projects, goals and ideas. Computed afresh each time; nothing is cached.
class TStatisticsView {
public:
    TLabel& Label() { return label_; }
    const TLabel& Label() const { return label_; }

    // Seven lines, joined with nothing between them by the label.
    void RefreshStats();

private:
    TLabel label_;
};
