#pragma once

#include "views/RowList.h"

#include <QString>

class TTask;

// The cell texts that several views share.
namespace ItemCells {

// The check box of a done link: ticked for a done item.
QString DoneLink(bool done);
// The type icon (none while outline icons are off), a blank and the name.
QString NameCell(const TTask& item);
// Notes of nothing but blanks are no notes.
bool HasNotes(const TTask& item);
// The plain name of the item's context; empty when its context id names none.
QString ContextName(const TTask& item);

} // namespace ItemCells

// The base of the four list views: owns the rows of its list, knows which of an item's links
// names its row, and handles the done links. The presentation shows List() and forwards the
// user's selection and link clicks to it.
class TKavView {
public:
    TKavView(const TKavView&) = delete;
    TKavView& operator=(const TKavView&) = delete;

    TRowList& List() { return list_; }
    const TRowList& List() const { return list_; }

    // What a click on a row's done link does to the row's item.
    using TLinkAction = void (*)(TTask& item);
    // The item changes by the action, then its rows, the item editor and the modified flag
    // follow: the done links of the lists, and the companion's accomplish and undone.
    static void FollowDoneLink(TTask& item, TLinkAction action);

    TListRow* RowOf(const TTask& item) const;
    // Removes the item's row, if it has one, and clears the item's link.
    void DeleteRow(TTask& item);

protected:
    // The getter and setter of the item's link to a row of this list.
    struct TRowLink {
        TListRow* (TTask::*get)() const;
        void (TTask::*set)(TListRow*);
    };

    TKavView(int columnCount, TRowLink link, TLinkAction linkAction);
    ~TKavView() = default;

    // The row builder's steps: an item that does not belong loses its row; one that belongs
    // gets a row at the end, if it has none, and write(row) puts its cells in column order.
    template <typename Write> void UpdateRow(TTask& item, bool belongs, Write&& write)
    {
        if (!belongs) {
            DeleteRow(item);
            return;
        }
        write(RowFor(item));
    }
    // The priority score as the order, then the sort key and the done link of an open item:
    // how the to-do, projects and goals rows begin.
    void WriteRankedCells(TListRow* row, const TTask& item);
    // A projects or goals row: ranked, then the name and the number of direct subitems.
    void WriteOverviewCells(TListRow* row, const TTask& item);

    // The selected row's item becomes the current item; none without a selected row.
    TTask* SelectedItemToCurrent();

private:
    TListRow* RowFor(TTask& item);
    // The row is selected first, as a click selects it, then the item changes: its rows, the
    // item editor and the modified flag follow.
    void LinkClicked(TListRow* row);

    TRowList list_;
    const TRowLink link_;
    const TLinkAction linkAction_;
};
