#include "views/KavView.h"

#include "app/AppCore.h"
#include "model/Contexts.h"
#include "model/Priority.h"
#include "model/Tasks.h"
#include "views/Icons.h"

namespace ItemCells {

QString DoneLink(bool done)
{
    return u"<a href=\"done\">" +
           TIconProvider::IconMarkup(done ? TIconKind::Done : TIconKind::NotDone) + u"</a>";
}

QString NameCell(const TTask& item)
{
    return item.TypeIcon() + u' ' + item.Name();
}

bool HasNotes(const TTask& item)
{
    // A view, not a copy: notes may be megabytes long.
    return !QStringView(item.Note()).trimmed().isEmpty();
}

QString ContextName(const TTask& item)
{
    const TKavContext* context = Core().Contexts()->FindById(item.ContextId());
    return context ? context->Name() : QString();
}

} // namespace ItemCells

TKavView::TKavView(int columnCount, TRowLink link, TLinkAction linkAction)
    : list_(columnCount), link_(link), linkAction_(linkAction)
{
    list_.SetOnLinkClick([this](TListRow* row) { Core().Guarded([&] { LinkClicked(row); }); });
}

TListRow* TKavView::RowOf(const TTask& item) const
{
    return (item.*link_.get)();
}

void TKavView::DeleteRow(TTask& item)
{
    if (TListRow* row = RowOf(item)) {
        (item.*link_.set)(nullptr);
        list_.RemoveRow(row);
    }
}

TListRow* TKavView::RowFor(TTask& item)
{
    TListRow* row = RowOf(item);
    if (!row) {
        row = list_.AppendRow(&item);
        (item.*link_.set)(row);
    }
    return row;
}

void TKavView::WriteRankedCells(TListRow* row, const TTask& item)
{
    // The key's text stays in column 0, but as text it would put 1000000 before 999000 and
    // 9950000 after 999000: the rows go by the score as a number.
    const qint32 score = Priority::PriorityScore(item);
    list_.SetPrimaryKey(row, score);
    list_.SetCell(row, 0, Priority::SortKey(score));
    list_.SetCell(row, 1, ItemCells::DoneLink(false));
}

void TKavView::WriteOverviewCells(TListRow* row, const TTask& item)
{
    WriteRankedCells(row, item);
    list_.SetCell(row, 2, ItemCells::NameCell(item));
    list_.SetCell(row, 3, QString::number(Core().Tasks()->CountSubitems(item, false)));
}

TTask* TKavView::SelectedItemToCurrent()
{
    TTask* item = Core().Tasks()->FindByRow(list_.SelectedRow());
    if (item)
        Core().SelectItem(item);
    return item;
}

void TKavView::LinkClicked(TListRow* row)
{
    TTask* item = Core().Tasks()->FindByRow(row);
    if (!item)
        return;
    list_.SelectRow(row);
    FollowDoneLink(*item, linkAction_);
}

void TKavView::FollowDoneLink(TTask& item, TLinkAction action)
{
    action(item);
    item.UpdateRows();
    Core().LoadEditorControls();
    Core().SetModified(true);
}
