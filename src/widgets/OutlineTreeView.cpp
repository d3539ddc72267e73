#include "widgets/OutlineTreeView.h"

#include "widgets/MarkupDelegate.h"
#include "widgets/OutlineModel.h"
#include "widgets/SelectionSync.h"

namespace {

constexpr int Indentation = 19;

} // namespace

TOutlineTreeView::TOutlineTreeView(TOutlineModel* model, const TIconImages& icons, QWidget* parent)
    : QTreeView(parent), model_(model)
{
    setModel(model_);
    setItemDelegate(new TMarkupDelegate(icons, this));
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setIndentation(Indentation);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A node goes onto the node under the pointer, never between two.
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::InternalMove);
    setDragDropOverwriteMode(true);
    setDefaultDropAction(Qt::MoveAction);

    selection_ = new TSelectionSync(this, model_);
    connect(model_, &TOutlineModel::expandedChanged, this, &TOutlineTreeView::ShowExpanded);
    connect(model_, &QAbstractItemModel::modelReset, this, &TOutlineTreeView::ShowAllExpanded);
    connect(model_, &TOutlineModel::updateBegun, this, &TOutlineTreeView::HoldForUpdate);
    connect(model_, &TOutlineModel::updateEnded, this, &TOutlineTreeView::ResumeAfterUpdate);
    connect(this, &QTreeView::expanded, model_,
            [this](const QModelIndex& index) { model_->SetExpanded(index, true); });
    connect(this, &QTreeView::collapsed, model_,
            [this](const QModelIndex& index) { model_->SetExpanded(index, false); });
    ShowAllExpanded();
}

void TOutlineTreeView::ShowExpanded(const QModelIndex& index, bool expanded)
{
    // Expanding or collapsing a shown node lays out the rows below it at once, which over a
    // whole outline (expand all) costs the square of its size; with the layout pending, each
    // node is only marked, and the rows are laid out once when next needed.
    scheduleDelayedItemsLayout();
    setExpanded(index, expanded);
}

void TOutlineTreeView::ShowAllExpanded()
{
    scheduleDelayedItemsLayout();
    const TOutlineTree& tree = model_->Tree();
    for (const TOutlineNode* node = tree.First(); node; node = node->NextInPreOrder()) {
        if (node->IsExpanded())
            setExpanded(model_->IndexOf(node), true);
    }
}

void TOutlineTreeView::HoldForUpdate()
{
    setUpdatesEnabled(false);
    scheduleDelayedItemsLayout();
    selection_->Hold();
}

void TOutlineTreeView::ResumeAfterUpdate()
{
    selection_->Release();
    setUpdatesEnabled(true);
}
