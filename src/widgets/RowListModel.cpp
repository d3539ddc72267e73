#include "widgets/RowListModel.h"

#include "views/ViewMarkup.h"

TRowListModel::TRowListModel(TRowList& list, QObject* parent) : TCoreItemModel(parent), list_(list)
{
    list_.SetObserver(this);
}

TRowListModel::~TRowListModel()
{
    list_.SetObserver(nullptr);
}

TListRow* TRowListModel::RowAt(const QModelIndex& index) const
{
    return index.isValid() && index.model() == this ? list_.RowAt(index.row()) : nullptr;
}

QModelIndex TRowListModel::IndexOf(const TListRow* row, int column) const
{
    return row ? createIndex(TRowList::PositionOf(row), column) : QModelIndex();
}

void TRowListModel::ClickLink(const QModelIndex& index)
{
    if (TListRow* row = RowAt(index))
        list_.ClickLink(row);
}

QModelIndex TRowListModel::index(int row, int column, const QModelIndex& parent) const
{
    return hasIndex(row, column, parent) ? createIndex(row, column) : QModelIndex();
}

QModelIndex TRowListModel::parent(const QModelIndex&) const
{
    return {};
}

int TRowListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : list_.RowCount();
}

int TRowListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : list_.ColumnCount();
}

QVariant TRowListModel::data(const QModelIndex& index, int role) const
{
    const TListRow* row = RowAt(index);
    if (!row)
        return {};
    if (role == MarkupRole)
        return row->Cell(index.column());
    if (role == Qt::DisplayRole)
        return PlainText(row->Cell(index.column()));
    return {};
}

Qt::ItemFlags TRowListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void TRowListModel::RowAboutToBeInserted(int position)
{
    BeginInsertRow({}, position);
}

void TRowListModel::RowInserted()
{
    EndInsertRow();
}

void TRowListModel::RowAboutToBeRemoved(int position)
{
    BeginRemoveRow({}, position);
}

void TRowListModel::RowRemoved()
{
    EndRemoveRow();
}

void TRowListModel::RowAboutToBeMoved(int from, int destination)
{
    BeginMoveRow({}, from, {}, destination);
}

void TRowListModel::RowMoved()
{
    EndMoveRow();
}

void TRowListModel::CellChanged(int position, int column)
{
    const QModelIndex cell = index(position, column);
    Q_EMIT dataChanged(cell, cell, {Qt::DisplayRole, MarkupRole});
}

void TRowListModel::LayoutAboutToBeChanged()
{
    SetChangingRows(true);
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    persistentIndexes_ = persistentIndexList();
    persistentRows_.clear();
    persistentRows_.reserve(persistentIndexes_.size());
    for (const QModelIndex& index : std::as_const(persistentIndexes_))
        persistentRows_.append(RowAt(index));
}

void TRowListModel::LayoutChanged()
{
    QModelIndexList moved;
    moved.reserve(persistentIndexes_.size());
    for (qsizetype position = 0; position < persistentIndexes_.size(); ++position) {
        moved.append(
            IndexOf(persistentRows_.at(position), persistentIndexes_.at(position).column()));
    }
    changePersistentIndexList(persistentIndexes_, moved);
    persistentIndexes_.clear();
    persistentRows_.clear();
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    // Inside the bracket the list wrote its cells without a word: every cell may be new.
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    SetChangingRows(false);
}

void TRowListModel::AboutToBeReset()
{
    BeginReset();
}

void TRowListModel::Reset()
{
    EndReset();
}

void TRowListModel::SelectionChanged()
{
    Q_EMIT coreSelectionChanged();
}

void TRowListModel::HintChanged()
{
    Q_EMIT hintChanged(list_.Hint());
}
