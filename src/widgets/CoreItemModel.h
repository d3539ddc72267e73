#pragma once

#include <QAbstractItemModel>

// The role under which the models give a cell's or node's view markup; Qt::DisplayRole gives
// what it reads as (PlainText), for keyboard search and accessibility.
inline constexpr int MarkupRole = Qt::UserRole + 1;

// An item model that mirrors one of the core's lists or its outline, and bridges the core's
// selection to the view's, so that one selection helper serves every view.
class TCoreItemModel : public QAbstractItemModel {
    Q_OBJECT

public:
    using QAbstractItemModel::QAbstractItemModel;

    // The core's selected row or node as an index of column 0; invalid for none.
    virtual QModelIndex SelectedIndex() const = 0;
    // Selects the index's row or node in the core (none for an invalid index); the core then
    // raises its selection change, whose handler makes the item current.
    virtual void SelectIndex(const QModelIndex& index) = 0;

    // True while rows come, go or move: a view then moves its current index by itself, which
    // is not the user's choice and must not reach the core.
    bool IsChangingRows() const { return changingRows_; }

Q_SIGNALS:
    // The core's selection changed, by the user or by the program.
    void coreSelectionChanged();

protected:
    // A change of one row, as the core's observers announce them: begin before, end after.
    void BeginInsertRow(const QModelIndex& parent, int row);
    void EndInsertRow();
    void BeginRemoveRow(const QModelIndex& parent, int row);
    void EndRemoveRow();
    // destination: the row before which it goes, counted before the move.
    void BeginMoveRow(const QModelIndex& fromParent, int from, const QModelIndex& toParent,
                      int destination);
    void EndMoveRow();
    void BeginReset();
    void EndReset();
    void SetChangingRows(bool changing) { changingRows_ = changing; }

private:
    bool changingRows_ = false;
    bool moveAccepted_ = false;
};
