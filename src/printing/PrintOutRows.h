#pragma once

#include "printing/PrintOutObject.h"

#include <QString>
#include <QVarLengthArray>
#include <deque>

// One printed row: its elements in drawing order.
class TPrintOutRow {
public:
    // A row has at most five elements, held in place: building a long printout allocates
    // nothing per row.
    using TObjects = QVarLengthArray<TPrintOutObject, 5>;

    void AddText(int position, const QString& text);
    void AddIcon(int position, TIconKind icon);
    const TObjects& Objects() const { return objects_; }

private:
    TObjects objects_;
};

// The rows of a printout, in printing order.
class TPrintOutRows {
public:
    // The new row stays where it is while more rows are added.
    TPrintOutRow& AddRow() { return rows_.emplace_back(); }
    int Count() const { return int(rows_.size()); }
    const TPrintOutRow& At(int index) const { return rows_.at(std::size_t(index)); }
    void Clear() { rows_.clear(); }

private:
    std::deque<TPrintOutRow> rows_;
};
