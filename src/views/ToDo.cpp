#include "views/ToDo.h"

#include "app/AppCore.h"
#include "app/Config.h"
#include "model/Completion.h"
#include "model/Contexts.h"
#include "model/Scheduling.h"
#include "model/Tasks.h"
#include "platform/Error.h"

#include <algorithm>
#include <iterator>

TToDoRules::TToDoRules(bool allContexts, const TKavContext* chosen, bool includeIncluded)
    : allContexts_(allContexts), chosen_(chosen), includeIncluded_(includeIncluded)
{}

inline bool TToDoRules::Passes(TToDoTest test, const TTask& item) const
{
    switch (test) {
    case TToDoTest::Context:
        return ContextAdmits(item);
    case TToDoTest::Done:
        return !item.Checked();
    case TToDoTest::Suspended:
        return item.Status() != TTaskStatus::Suspended;
    case TToDoTest::Type:
        return item.TaskType() == TTaskType::Task;
    case TToDoTest::LeadWindow:
        return Scheduling::InLeadWindow(item);
    case TToDoTest::Predecessor:
        return !Scheduling::IsBlocked(item);
    }
    return false;
}

bool TToDoRules::Admits(const TTask& item) const
{
    // The cheap tests first: most items fail one of them.
    return Passes(TToDoTest::Done, item) && Passes(TToDoTest::Suspended, item) &&
           Passes(TToDoTest::Type, item) && Passes(TToDoTest::Context, item) &&
           Passes(TToDoTest::LeadWindow, item) && Passes(TToDoTest::Predecessor, item);
}

QList<TToDoReason> TToDoRules::Reasons(const TTask& item) const
{
    static constexpr TToDoTest inOrder[] = {TToDoTest::Context,    TToDoTest::Done,
                                            TToDoTest::Suspended,  TToDoTest::Type,
                                            TToDoTest::LeadWindow, TToDoTest::Predecessor};
    QList<TToDoReason> reasons;
    for (const TToDoTest test : inOrder) {
        if (!Passes(test, item))
            reasons.append(ReasonFor(test, item));
    }
    return reasons;
}

bool TToDoRules::ContextAdmits(const TTask& item) const
{
    if (allContexts_ || item.ContextId() == TContexts::AnywhereGuid())
        return true;
    const TKavContext* context = Core().Contexts()->FindById(item.ContextId());
    return context && context->Matches(chosen_, includeIncluded_);
}

TToDoReason TToDoRules::ReasonFor(TToDoTest test, const TTask& item) const
{
    using TKind = TToDoReason::TKind;
    switch (test) {
    case TToDoTest::Context: {
        const TKavContext* context = Core().Contexts()->FindById(item.ContextId());
        if (!context)
            return {TKind::NoContext};
        const bool tickingLists =
            !includeIncluded_ && TToDoRules(allContexts_, chosen_, true).ContextAdmits(item);
        return {tickingLists ? TKind::IncludedContext : TKind::OtherContext, context};
    }
    case TToDoTest::Done:
        return {TKind::Done};
    case TToDoTest::Suspended:
        return {TKind::Suspended};
    case TToDoTest::Type:
        return {TKind::NotTask};
    case TToDoTest::LeadWindow:
        return {TKind::BeforeLeadWindow, nullptr, nullptr,
                Scheduling::LeadWindowOpens(item).value_or(0)};
    case TToDoTest::Predecessor:
        return {TKind::Waiting, nullptr, Scheduling::BlockedBy(item)};
    }
    return {TKind::OtherContext};
}

TTodoView::TTodoView()
    : TKavView(ColumnCount, {&TTask::ToDoRow, &TTask::SetToDoRow}, &Completion::Accomplish),
      includeIncluded_(Core().Config()->ToDoIncludedSubContexts())
{
    List().SetOnSelectionChange([this] { Core().Guarded([this] { tlToDoChange(); }); });
    FillContextChooser();
}

void TTodoView::UpdateToDoRow(TTask& item)
{
    try {
        UpdateRow(item, Rules().Admits(item), [&](TListRow* row) { WriteCells(row, item); });
    } catch (const std::exception& error) {
        const QString message = ErrorMessage(error);
        Core().Log(u"Exception \"" + message + u"\" in class TTask");
        throw TError(message);
    }
}

void TTodoView::FillContextChooser()
{
    Core().Contexts()->FillChooser(contextChooser_, true);
}

void TTodoView::SelectContext(const TKavContext* context)
{
    FillContextChooser();
    const int position = Core().Contexts()->IndexOf(context);
    if (position >= 0)
        contextChooser_.Select(position + 1);
}

TKavContext* TTodoView::ChosenContext() const
{
    const int entry = contextChooser_.SelectedIndex();
    return entry > 0 ? Core().Contexts()->Get(entry - 1) : nullptr;
}

TToDoRules TTodoView::Rules() const
{
    return TToDoRules(AllContextsChosen(), ChosenContext(), includeIncluded_);
}

void TTodoView::SetIncludeIncluded(bool include)
{
    if (include == includeIncluded_)
        return;
    includeIncluded_ = include;
    if (onIncludeIncludedChange_)
        onIncludeIncludedChange_();
}

void TTodoView::cboxToDoContextChange(int index)
{
    contextChooser_.Select(index);
    Core().Tasks()->UpdateViews();
}

void TTodoView::chkToDoSubContextsClick(bool include)
{
    SetIncludeIncluded(include);
    Core().Tasks()->UpdateViews();
}

void TTodoView::cboxToDoContextKeyDown(QChar key)
{
    const QString letter(key);
    const int selected = contextChooser_.SelectedIndex();
    const bool onThatLetter = QuickLetterOfEntry(selected) == letter;
    // Entry 1 is Anywhere, which no letter reaches.
    for (int entry = 2; entry < contextChooser_.Count(); ++entry) {
        if (QuickLetterOfEntry(entry) == letter && (!onThatLetter || entry > selected)) {
            cboxToDoContextChange(entry);
            return;
        }
    }
}

void TTodoView::tlToDoChange()
{
    if (const TTask* item = SelectedItemToCurrent())
        List().SetHint(item->Path());
}

void TTodoView::WriteCells(TListRow* row, const TTask& item)
{
    TRowList& list = List();
    WriteRankedCells(row, item);
    list.SetCell(row, NameColumn, item.TypeIcon() + item.Name());
    list.SetCell(row, DeadlineColumn, item.DeadlineText());
    list.SetCell(row, NotesColumn,
                 ItemCells::HasNotes(item) ? TIconProvider::IconMarkup(TIconKind::Notes)
                                           : QString());
    list.SetCell(row, ContextColumn, ItemCells::ContextName(item));
}

QString TTodoView::QuickLetterOfEntry(int index) const
{
    const TKavContext* context = index > 0 ? Core().Contexts()->Get(index - 1) : nullptr;
    return context ? context->QuickLetter() : QString();
}
