#pragma once

#include "platform/DateTime.h"

#include <QtGlobal>

// Fills the registry's item tree, contexts and included contexts with a realistic outline:
// areas, goals, projects and tasks nested several levels, some ideas, twenty contexts with some
// inclusions, every accomplish mode, dates around today, notes on a fifth of the items and a
// tenth done. The same count and seed always give the same data, ids included.
class TOutlineGenerator {
public:
    TOutlineGenerator(int itemCount, quint32 seed, TDateTime today);
    void Generate() const;

private:
    int itemCount_;
    quint32 seed_;
    TDateTime today_;
};
