#include "widgets/CoreItemModel.h"

void TCoreItemModel::BeginInsertRow(const QModelIndex& parent, int row)
{
    changingRows_ = true;
    beginInsertRows(parent, row, row);
}

void TCoreItemModel::EndInsertRow()
{
    endInsertRows();
    changingRows_ = false;
}

void TCoreItemModel::BeginRemoveRow(const QModelIndex& parent, int row)
{
    changingRows_ = true;
    beginRemoveRows(parent, row, row);
}

void TCoreItemModel::EndRemoveRow()
{
    endRemoveRows();
    changingRows_ = false;
}

void TCoreItemModel::BeginMoveRow(const QModelIndex& fromParent, int from,
                                  const QModelIndex& toParent, int destination)
{
    changingRows_ = true;
    // The core names only real moves; should Qt still refuse one, the views start afresh.
    moveAccepted_ = beginMoveRows(fromParent, from, from, toParent, destination);
    if (!moveAccepted_)
        beginResetModel();
}

void TCoreItemModel::EndMoveRow()
{
    if (moveAccepted_)
        endMoveRows();
    else
        endResetModel();
    changingRows_ = false;
}

void TCoreItemModel::BeginReset()
{
    changingRows_ = true;
    beginResetModel();
}

void TCoreItemModel::EndReset()
{
    endResetModel();
    changingRows_ = false;
}
