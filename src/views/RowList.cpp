#include "views/RowList.h"

#include "platform/Error.h"

#include <QLocale>
#include <algorithm>
#include <vector>

TListRow::TListRow(TTask* item, int columnCount) : TViewRow(item)
{
    cells_.resize(columnCount);
}

TRowList::TRowList(int columnCount) : columnCount_(columnCount), collator_(QLocale::system())
{
    collator_.setCaseSensitivity(Qt::CaseSensitive);
}

TRowList::~TRowList()
{
    DeleteRows();
}

TListRow* TRowList::AppendRow(TTask* item)
{
    auto* row = new TListRow(item, columnCount_);
    if (observer_)
        observer_->RowAboutToBeInserted(RowCount());
    rows_.Append(row);
    if (observer_)
        observer_->RowInserted();
    return row;
}

void TRowList::RemoveRow(TListRow* row)
{
    if (observer_)
        observer_->RowAboutToBeRemoved(PositionOf(row));
    rows_.Remove(row);
    const bool wasSelected = row == selected_;
    if (wasSelected)
        selected_ = nullptr;
    delete row;
    if (observer_)
        observer_->RowRemoved();
    if (wasSelected)
        NotifySelection();
}

void TRowList::Clear()
{
    if (observer_)
        observer_->AboutToBeReset();
    DeleteRows();
    const bool hadSelection = selected_;
    selected_ = nullptr;
    changedInUpdate_ = false;
    if (observer_)
        observer_->Reset();
    if (hadSelection)
        NotifySelection();
}

void TRowList::SetCell(TListRow* row, int column, const QString& markup)
{
    if (column < 0 || column >= columnCount_)
        throw TError(u"List column " + QString::number(column) + u" out of range");
    if (row->written_ && row->cells_[column] == markup)
        return;
    row->cells_[column] = markup;
    RowWritten(row, column);
}

void TRowList::SetPrimaryKey(TListRow* row, std::optional<qint64> key)
{
    if (row->written_ && row->primaryKey_ == key)
        return;
    row->primaryKey_ = key;
    RowWritten(row, std::nullopt);
}

void TRowList::BeginUpdate()
{
    ++updateDepth_;
}

void TRowList::EndUpdate()
{
    if (updateDepth_ == 0 || --updateDepth_ > 0 || !changedInUpdate_)
        return;
    changedInUpdate_ = false;
    if (observer_)
        observer_->LayoutAboutToBeChanged();
    SortRows();
    if (observer_)
        observer_->LayoutChanged();
}

void TRowList::SelectRow(TListRow* row)
{
    if (row == selected_)
        return;
    selected_ = row;
    NotifySelection();
}

void TRowList::ClickLink(TListRow* row)
{
    if (onLinkClick_)
        onLinkClick_(row);
}

void TRowList::SetHint(const QString& hint)
{
    if (hint == hint_)
        return;
    hint_ = hint;
    if (observer_)
        observer_->HintChanged();
}

bool TRowList::Precedes(TListRow* row, TListRow* other) const
{
    if (row->written_ != other->written_)
        return row->written_;
    if (!row->written_)
        return false;
    if (row->primaryKey_ != other->primaryKey_)
        return row->primaryKey_ < other->primaryKey_; // no number comes first
    return SortKeyOf(row).compare(SortKeyOf(other)) < 0;
}

const QCollatorSortKey& TRowList::SortKeyOf(TListRow* row) const
{
    if (!row->sortKey_)
        row->sortKey_.emplace(collator_.sortKey(row->Text()));
    return *row->sortKey_;
}

void TRowList::RowWritten(TListRow* row, std::optional<int> column)
{
    row->written_ = true;
    row->sortKey_.reset();
    if (IsUpdating()) {
        changedInUpdate_ = true;
        return;
    }
    if (observer_ && column)
        observer_->CellChanged(PositionOf(row), *column);
    MoveToPlace(row);
}

// The other rows are in order, so the row only has to find its place among them. Rows equal to
// it stay on the side of it where they were, as a stable sort would leave them.
void TRowList::MoveToPlace(TListRow* row)
{
    TListRow* const previous = rows_.Previous(row);
    TListRow* const next = rows_.Next(row);
    TListRow* before; // the row it goes before; none for the end
    if (previous && Precedes(row, previous)) {
        before = rows_.PartitionPoint(
            [&](TListRow* other) { return other != row && !Precedes(row, other); });
    } else if (next && Precedes(next, row)) {
        before = rows_.PartitionPoint(
            [&](TListRow* other) { return other == row || Precedes(other, row); });
    } else {
        return;
    }
    if (observer_)
        observer_->RowAboutToBeMoved(PositionOf(row), before ? PositionOf(before) : RowCount());
    rows_.Remove(row);
    rows_.InsertBefore(row, before);
    if (observer_)
        observer_->RowMoved();
}

void TRowList::SortRows()
{
    std::vector<TListRow*> rows = rows_.ToVector();
    std::stable_sort(rows.begin(), rows.end(),
                     [this](TListRow* row, TListRow* other) { return Precedes(row, other); });
    rows_.Assign(rows);
}

void TRowList::DeleteRows()
{
    for (TListRow* row : rows_.ToVector())
        delete row;
    rows_.Forget();
}

void TRowList::NotifySelection()
{
    if (observer_)
        observer_->SelectionChanged();
    if (onSelectionChange_)
        onSelectionChange_();
}
