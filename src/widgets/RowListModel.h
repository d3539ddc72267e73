#pragma once

#include "views/RowList.h"
#include "widgets/CoreItemModel.h"

#include <QList>
#include <QPersistentModelIndex>

// A table model over one of the core's row lists, row for row and cell for cell, told of every
// change by the list: no copy of the rows, and no reset but for the list's own clearing. The
// list must outlive the model.
class TRowListModel final : public TCoreItemModel, private IRowListObserver {
    Q_OBJECT

public:
    explicit TRowListModel(TRowList& list, QObject* parent = nullptr);
    ~TRowListModel() override;

    TRowList& List() const { return list_; }
    TListRow* RowAt(const QModelIndex& index) const;
    QModelIndex IndexOf(const TListRow* row, int column = 0) const;
    // The user clicked a link in the index's row.
    void ClickLink(const QModelIndex& index);

    QModelIndex SelectedIndex() const override { return IndexOf(list_.SelectedRow()); }
    void SelectIndex(const QModelIndex& index) override { list_.SelectRow(RowAt(index)); }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

Q_SIGNALS:
    // The list's hint text, which the view shows as its tool tip.
    void hintChanged(const QString& hint);

private:
    void RowAboutToBeInserted(int position) override;
    void RowInserted() override;
    void RowAboutToBeRemoved(int position) override;
    void RowRemoved() override;
    void RowAboutToBeMoved(int from, int destination) override;
    void RowMoved() override;
    void CellChanged(int position, int column) override;
    void LayoutAboutToBeChanged() override;
    void LayoutChanged() override;
    void AboutToBeReset() override;
    void Reset() override;
    void SelectionChanged() override;
    void HintChanged() override;

    TRowList& list_;
    // The rows of the persistent indexes while the list restores its order.
    QModelIndexList persistentIndexes_;
    QList<const TListRow*> persistentRows_;
};
