#pragma once

#include "views/Chooser.h"
#include "views/KavView.h"

#include "platform/DateTime.h"

#include <QChar>
#include <QList>
#include <functional>
#include <utility>

class TKavContext;

// The tests an item must pass to be on the to-do list, in the order they are explained.
enum class TToDoTest : quint8 { Context, Done, Suspended, Type, LeadWindow, Predecessor };

// One reason that keeps an item off the to-do list, with what it names.
struct TToDoReason {
    enum class TKind : quint8 {
        OtherContext,    // its context is neither the chosen one nor included by it
        IncludedContext, // the chosen context includes its context, but the box is clear
        NoContext,       // its context id names no context
        Done,
        Suspended,
        NotTask,
        BeforeLeadWindow,
        Waiting
    };
    TKind kind;
    const TKavContext* context = nullptr; // the item's context, for the two context kinds
    const TTask* waitsFor = nullptr;      // the undone item before it, for Waiting
    TDateTime listedFrom = 0;             // the day it enters the list, for BeforeLeadWindow
};

// Which items the to-do list holds for one choice of context and of the "Included contexts"
// box. The view decides its rows by it, and the companion explains them by it, so the two
// never disagree.
class TToDoRules {
public:
    // chosen: none while "All contexts" is chosen.
    TToDoRules(bool allContexts, const TKavContext* chosen, bool includeIncluded);

    const TKavContext* Chosen() const { return chosen_; }
    bool IncludeIncluded() const { return includeIncluded_; }

    // All tests pass: the item has a row.
    bool Admits(const TTask& item) const;
    // A reason for every test the item fails, in the order of TToDoTest; none when admitted.
    QList<TToDoReason> Reasons(const TTask& item) const;

private:
    // Inline, as the row builder asks it for every item.
    inline bool Passes(TToDoTest test, const TTask& item) const;
    bool ContextAdmits(const TTask& item) const;
    TToDoReason ReasonFor(TToDoTest test, const TTask& item) const;

    bool allContexts_;
    const TKavContext* chosen_;
    bool includeIncluded_;
};

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
    // The rules of the list as the chooser and the check box stand now.
    TToDoRules Rules() const;
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
    void WriteCells(TListRow* row, const TTask& item);
    QString QuickLetterOfEntry(int index) const;

    TChooser contextChooser_;
    bool includeIncluded_;
    std::function<void()> onIncludeIncludedChange_;
};
