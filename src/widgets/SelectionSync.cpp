#include "widgets/SelectionSync.h"

#include "widgets/CoreItemModel.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QScopedValueRollback>
#include <utility>

namespace {

bool SameRow(const QModelIndex& one, const QModelIndex& other)
{
    return one.isValid() == other.isValid() &&
           (!one.isValid() || (one.row() == other.row() && one.parent() == other.parent()));
}

} // namespace

TSelectionSync::TSelectionSync(QAbstractItemView* view, TCoreItemModel* model)
    : QObject(view), view_(view), model_(model)
{
    Q_ASSERT(view->model() == model);
    connect(model, &TCoreItemModel::coreSelectionChanged, this, &TSelectionSync::ShowCoreSelection);
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TSelectionSync::SelectionChanged);
    ShowCoreSelection();
}

void TSelectionSync::Hold()
{
    held_ = true;
}

void TSelectionSync::Release()
{
    held_ = false;
    if (std::exchange(pending_, false))
        ShowCoreSelection();
}

void TSelectionSync::ShowCoreSelection()
{
    if (held_) {
        pending_ = true;
        return;
    }
    const QModelIndex selected = model_->SelectedIndex();
    QItemSelectionModel* selection = view_->selectionModel();
    if (SameRow(selection->currentIndex(), selected) &&
        (!selected.isValid() || selection->isRowSelected(selected.row(), selected.parent())))
        return;
    const QScopedValueRollback guard(showing_, true);
    if (selected.isValid()) {
        selection->setCurrentIndex(selected,
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    } else {
        selection->clearSelection();
        selection->clearCurrentIndex();
    }
}

void TSelectionSync::SelectionChanged()
{
    if (showing_ || model_->IsChangingRows())
        return;
    // Only a row the user selects is a choice: a view taking the focus makes its first row
    // current without selecting it, and a row the user unselects leaves the core's choice.
    const QModelIndexList rows = view_->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    model_->SelectIndex(rows.first());
    // The core may keep another selection than the one offered: the view shows what it kept.
    ShowCoreSelection();
}
