#pragma once

#include "model/ViewRow.h"
#include "views/RankedList.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <functional>
#include <optional>
#include <utility>

class TRowList;

// One row of a list: markup cells and the item it shows. The list owns it.
class TListRow final : public TViewRow, public TRankedLink {
public:
    int ColumnCount() const { return int(cells_.size()); }
    // Empty for a column the row does not have.
    QString Cell(int column) const { return cells_.value(column); }
    // The cells joined in column order with ";": what the rows are ordered by.
    QString Text() const { return cells_.join(u';'); }
    std::optional<qint64> PrimaryKey() const { return primaryKey_; }

private:
    friend class TRowList;

    TListRow(TTask* item, int columnCount);
    ~TListRow() = default;

    QStringList cells_;
    std::optional<qint64> primaryKey_;
    std::optional<QCollatorSortKey> sortKey_; // of Text(); none until needed after a change
    bool written_ = false;                    // a row not yet written stays at the end
};

// Told of every change of a row list, in the terms a QAbstractItemModel passes on: the About
// calls come before the change, while the old positions still hold, the others after it.
class IRowListObserver {
public:
    virtual ~IRowListObserver() = default;
    virtual void RowAboutToBeInserted(int position) = 0;
    virtual void RowInserted() = 0;
    virtual void RowAboutToBeRemoved(int position) = 0;
    virtual void RowRemoved() = 0;
    // destination: the position before which the row goes, counted before the move (as
    // QAbstractItemModel::beginMoveRows takes it), so a row moving down names its new position + 1.
    virtual void RowAboutToBeMoved(int from, int destination) = 0;
    virtual void RowMoved() = 0;
    virtual void CellChanged(int position, int column) = 0;
    // Any row may have moved and any cell changed (the end of an update bracket).
    virtual void LayoutAboutToBeChanged() = 0;
    virtual void LayoutChanged() = 0;
    virtual void AboutToBeReset() = 0;
    virtual void Reset() = 0;
    virtual void SelectionChanged() = 0;
    virtual void HintChanged() = 0;
};

// The rows of one list, in ascending order of an optional number per row and then of the row
// text, compared with the user locale's case-sensitive collation. Rows without a number come
// before rows with one; rows that compare equal keep the order they had.
//
// A new row is appended at the end and moves to its place once written; each later write moves
// just its row, with O(log n) comparisons. Inside an update bracket writes only mark the order
// stale, and the outermost EndUpdate restores it with one stable sort.
class TRowList {
public:
    explicit TRowList(int columnCount);
    ~TRowList();
    TRowList(const TRowList&) = delete;
    TRowList& operator=(const TRowList&) = delete;

    void SetObserver(IRowListObserver* observer) { observer_ = observer; }
    int ColumnCount() const { return columnCount_; }

    TListRow* AppendRow(TTask* item);
    // Releases the row; a selected row leaves no selection behind.
    void RemoveRow(TListRow* row);
    void Clear();
    // Errors: a column outside 0 … ColumnCount() - 1.
    void SetCell(TListRow* row, int column, const QString& markup);
    void SetPrimaryKey(TListRow* row, std::optional<qint64> key);

    int RowCount() const { return rows_.Count(); }
    TListRow* RowAt(int position) const { return rows_.At(position); }
    static int PositionOf(const TListRow* row) { return TRankedList<TListRow>::PositionOf(row); }
    const TRankedList<TListRow>& Rows() const { return rows_; }

    void BeginUpdate();
    void EndUpdate();
    bool IsUpdating() const { return updateDepth_ > 0; }

    TListRow* SelectedRow() const { return selected_; }
    // Raises the selection change when the selection is another row than before.
    void SelectRow(TListRow* row);
    void SetOnSelectionChange(std::function<void()> handler)
    {
        onSelectionChange_ = std::move(handler);
    }

    // Raised by the presentation when the user clicks a link in a row.
    void ClickLink(TListRow* row);
    void SetOnLinkClick(std::function<void(TListRow*)> handler)
    {
        onLinkClick_ = std::move(handler);
    }

    const QString& Hint() const { return hint_; }
    void SetHint(const QString& hint);

private:
    bool Precedes(TListRow* row, TListRow* other) const;
    const QCollatorSortKey& SortKeyOf(TListRow* row) const;
    void RowWritten(TListRow* row, std::optional<int> column);
    void MoveToPlace(TListRow* row);
    void SortRows();
    void DeleteRows();
    void NotifySelection();

    const int columnCount_;
    QCollator collator_;
    TRankedList<TListRow> rows_;
    TListRow* selected_ = nullptr;
    QString hint_;
    int updateDepth_ = 0;
    bool changedInUpdate_ = false;
    IRowListObserver* observer_ = nullptr;
    std::function<void()> onSelectionChange_;
    std::function<void(TListRow*)> onLinkClick_;
};
