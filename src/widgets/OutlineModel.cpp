#include "widgets/OutlineModel.h"

#include "views/ViewMarkup.h"

#include <QMimeData>
#include <QUuid>
#include <utility>

namespace {

const QString NodeMimeType = u"application/x-tavolin-outline-node"_qs;

QVariant CheckStateOf(const TOutlineNode* node)
{
    switch (node->Check()) {
    case TCheckState::None:
        return {};
    case TCheckState::Clear:
        return int(Qt::Unchecked);
    case TCheckState::Ticked:
        return int(Qt::Checked);
    }
    return {};
}

} // namespace

TOutlineModel::TOutlineModel(TOutlineTree& tree, QObject* parent)
    : TCoreItemModel(parent), tree_(tree), dragToken_(QUuid::createUuid().toRfc4122())
{
    tree_.SetObserver(this);
}

TOutlineModel::~TOutlineModel()
{
    tree_.SetObserver(nullptr);
}

TOutlineNode* TOutlineModel::NodeAt(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return nullptr;
    return static_cast<TOutlineNode*>(index.internalPointer());
}

QModelIndex TOutlineModel::IndexOf(const TOutlineNode* node) const
{
    if (!node)
        return {};
    return createIndex(node->IndexAmongSiblings(), 0, node);
}

void TOutlineModel::SetExpanded(const QModelIndex& index, bool expanded)
{
    if (TOutlineNode* node = NodeAt(index))
        tree_.SetExpanded(node, expanded, false);
}

const TRankedList<TOutlineNode>& TOutlineModel::ChildrenOf(const QModelIndex& parent) const
{
    const TOutlineNode* node = NodeAt(parent);
    return node ? node->Children() : tree_.TopLevel();
}

QModelIndex TOutlineModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || (parent.isValid() && parent.column() != 0))
        return {};
    return IndexOf(ChildrenOf(parent).At(row));
}

QModelIndex TOutlineModel::parent(const QModelIndex& child) const
{
    const TOutlineNode* node = NodeAt(child);
    return node ? IndexOf(node->Parent()) : QModelIndex();
}

int TOutlineModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() && parent.column() != 0)
        return 0;
    return ChildrenOf(parent).Count();
}

int TOutlineModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant TOutlineModel::data(const QModelIndex& index, int role) const
{
    const TOutlineNode* node = NodeAt(index);
    if (!node)
        return {};
    switch (role) {
    case MarkupRole:
        return node->Text();
    case Qt::DisplayRole:
        return PlainText(node->Text());
    case Qt::CheckStateRole:
        return CheckStateOf(node);
    default:
        return {};
    }
}

bool TOutlineModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    TOutlineNode* node = NodeAt(index);
    // A view that clears the cells it dragged away sends empty values: they are no click.
    if (!node || role != Qt::CheckStateRole || node->Check() == TCheckState::None ||
        !value.isValid())
        return false;
    const bool ticked = value.toInt() == Qt::Checked;
    if (ticked != (node->Check() == TCheckState::Ticked))
        tree_.ClickCheck(node);
    return true;
}

Qt::ItemFlags TOutlineModel::flags(const QModelIndex& index) const
{
    const TOutlineNode* node = NodeAt(index);
    if (!node)
        return Qt::ItemIsDropEnabled; // empty space takes a drop too, and ignores it
    Qt::ItemFlags flags =
        Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
    if (node->Check() != TCheckState::None)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QStringList TOutlineModel::mimeTypes() const
{
    return {NodeMimeType};
}

QMimeData* TOutlineModel::mimeData(const QModelIndexList& indexes) const
{
    TOutlineNode* node = indexes.isEmpty() ? nullptr : NodeAt(indexes.first());
    if (!node)
        return nullptr;
    dragged_ = node;
    auto* data = new QMimeData;
    data->setData(NodeMimeType, dragToken_);
    return data;
}

bool TOutlineModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int, int,
                                    const QModelIndex&) const
{
    return dragged_ && action == Qt::MoveAction && data && data->data(NodeMimeType) == dragToken_;
}

bool TOutlineModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                                 const QModelIndex& parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    tree_.Drop(std::exchange(dragged_, nullptr), NodeAt(parent));
    return true;
}

void TOutlineModel::NodeAboutToBeInserted(TOutlineNode* parent, int index)
{
    BeginInsertRow(IndexOf(parent), index);
}

void TOutlineModel::NodeInserted()
{
    EndInsertRow();
}

void TOutlineModel::NodeAboutToBeRemoved(TOutlineNode* parent, int index)
{
    const TOutlineNode* removed = (parent ? parent->Children() : tree_.TopLevel()).At(index);
    if (dragged_ && dragged_->IsWithin(removed))
        dragged_ = nullptr;
    BeginRemoveRow(IndexOf(parent), index);
}

void TOutlineModel::NodeRemoved()
{
    EndRemoveRow();
}

void TOutlineModel::NodeAboutToBeMoved(TOutlineNode* fromParent, int from, TOutlineNode* toParent,
                                       int destination)
{
    BeginMoveRow(IndexOf(fromParent), from, IndexOf(toParent), destination);
}

void TOutlineModel::NodeMoved()
{
    EndMoveRow();
}

void TOutlineModel::TextChanged(TOutlineNode* node)
{
    const QModelIndex index = IndexOf(node);
    Q_EMIT dataChanged(index, index, {Qt::DisplayRole, MarkupRole});
}

void TOutlineModel::CheckChanged(TOutlineNode* node)
{
    const QModelIndex index = IndexOf(node);
    Q_EMIT dataChanged(index, index, {Qt::CheckStateRole});
}

void TOutlineModel::ExpandedChanged(TOutlineNode* node)
{
    Q_EMIT expandedChanged(IndexOf(node), node->IsExpanded());
}

void TOutlineModel::AboutToBeReset()
{
    dragged_ = nullptr;
    BeginReset();
}

void TOutlineModel::Reset()
{
    EndReset();
}

void TOutlineModel::SelectionChanged()
{
    Q_EMIT coreSelectionChanged();
}

void TOutlineModel::UpdateBegun()
{
    Q_EMIT updateBegun();
}

void TOutlineModel::UpdateEnded()
{
    Q_EMIT updateEnded();
}
