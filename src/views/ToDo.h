#pragma once

#include "views/Chooser.h"
#include "views/KavView.h"

#include <QChar>
#include <functional>
#include <utility>

class TKavContext;

// The to-do list: the tasks that can be done now in the chosen context, best first. Besides
// its list it holds the context chooser (entry 0 "All contexts", entry i the context at
// position i - 1) and the state of the "Included contexts" check box.
class TTodoView final : public TKavView {
public:
    enum Column {
        SortKeyColumn,
        DoneColumn,
        NameColumn,
        DeadlineColumn,
        NotesColumn,
        ContextColumn
    };
    static constexpr int ColumnCount = 6;

    // The chooser starts filled, with "All contexts" chosen; the check box as configured.
    TTodoView();

    TChooser& ContextChooser() { return contextChooser_; }
    const TChooser& ContextChooser() const { return contextChooser_; }

    // The row builder: the row comes, changes or goes with the item's membership. An error is
    // logged and raised again.
    void UpdateToDoRow(TTask& item);

    // Refills the chooser from the contexts; "All contexts" is chosen afterwards.
    void FillContextChooser();
    // Refills the chooser and chooses the context; a context not in the list leaves the
    // refill's choice.
    void SelectContext(const TKavContext* context);
    // None while "All contexts" is chosen.
    TKavContext* ChosenContext() const;
    bool AllContextsChosen() const { return contextChooser_.SelectedIndex() == 0; }

    bool IncludeIncluded() const { return includeIncluded_; }
    // Stores the check box's state; the presentation follows through the notification.
    void SetIncludeIncluded(bool include);
    void SetOnIncludeIncludedChange(std::function<void()> handler)
    {
        onIncludeIncludedChange_ = std::move(handler);
    }

    // The user's events. Choosing an entry or clicking the box rebuilds every item's rows.
    void cboxToDoContextChange(int index);
    void chkToDoSubContextsClick(bool include);
    // A key pressed in the chooser, as its virtual-key character ("A" to "Z", "0" to "9"):
    // steps forward through the contexts whose quick letter it is, never to Anywhere, never
    // round again.
    void cboxToDoContextKeyDown(QChar key);
    // The selected row's item becomes current, and its path the list's hint.
    void tlToDoChange();

private:
    bool Belongs(const TTask& item) const;
    bool ContextAdmits(const TTask& item) const;
    void WriteCells(TListRow* row, const TTask& item);
    QString QuickLetterOfEntry(int index) const;

    TChooser contextChooser_;
    bool includeIncluded_;
    std::function<void()> onIncludeIncludedChange_;
};
