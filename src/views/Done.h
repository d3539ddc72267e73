#pragma once

#include "views/KavView.h"

// Every done item, whatever its type and status. Its done link undoes the done flag.
class TDoneView final : public TKavView {
public:
    enum Column { BlankColumn, DoneColumn, NameColumn, ContextColumn, EmptyColumn };
    static constexpr int ColumnCount = 5;

    TDoneView();

    void UpdateDoneRow(TTask& item);

    // The user's event.
    void tlDoneChange();

    // The done link's undo: the done flag is cleared and the status becomes Active; subitems
    // stay done.
    static void Undo(TTask& item);
};
