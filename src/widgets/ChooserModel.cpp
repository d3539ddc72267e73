#include "widgets/ChooserModel.h"

#include "views/ViewMarkup.h"
#include "widgets/CoreItemModel.h"

TChooserModel::TChooserModel(TChooser& chooser, QObject* parent)
    : QAbstractListModel(parent), chooser_(chooser)
{
    chooser_.SetObserver(this);
}

TChooserModel::~TChooserModel()
{
    chooser_.SetObserver(nullptr);
}

int TChooserModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : chooser_.Count();
}

QVariant TChooserModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role == MarkupRole)
        return chooser_.Entry(index.row());
    if (role == Qt::DisplayRole)
        return PlainText(chooser_.Entry(index.row()));
    return {};
}

void TChooserModel::AboutToBeCleared()
{
    beginResetModel();
}

void TChooserModel::Cleared()
{
    endResetModel();
}

void TChooserModel::EntryAboutToBeAdded(int index)
{
    beginInsertRows({}, index, index);
}

void TChooserModel::EntryAdded()
{
    endInsertRows();
}

void TChooserModel::EntryChanged(int index)
{
    const QModelIndex entry = this->index(index);
    Q_EMIT dataChanged(entry, entry, {Qt::DisplayRole, MarkupRole});
}

void TChooserModel::SelectionChanged(int index)
{
    Q_EMIT selectionChanged(index);
}
