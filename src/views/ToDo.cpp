#include "views/ToDo.h"

#include "app/AppCore.h"
#include "app/Config.h"
#include "model/Completion.h"
#include "model/Contexts.h"
#include "model/Scheduling.h"
#include "model/Tasks.h"
#include "platform/Error.h"

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
        UpdateRow(item, Belongs(item), [&](TListRow* row) { WriteCells(row, item); });
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

bool TTodoView::Belongs(const TTask& item) const
{
    // The cheap tests first: most items fail one of them.
    return !item.Checked() && item.Status() != TTaskStatus::Suspended &&
           item.TaskType() == TTaskType::Task && ContextAdmits(item) &&
           Scheduling::InLeadWindow(item) && !Scheduling::IsBlocked(item);
}

bool TTodoView::ContextAdmits(const TTask& item) const
{
    if (AllContextsChosen() || item.ContextId() == TContexts::AnywhereGuid())
        return true;
    const TKavContext* context = Core().Contexts()->FindById(item.ContextId());
    return context && context->Matches(ChosenContext(), includeIncluded_);
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
