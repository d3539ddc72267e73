#pragma once

#include "views/OutlineTree.h"
#include "widgets/CoreItemModel.h"

#include <QByteArray>

// A tree model over the core's outline, node for node: the node is the index's internal
// pointer and its row is its index among its siblings, so nothing is copied and every question
// costs O(log n). It shows the node's check box, forwards the user's check-box clicks and the
// drop of a node onto another node (or onto empty space) to the tree, and tells the view of
// every change of a node's expanded flag. The tree must outlive the model.
class TOutlineModel final : public TCoreItemModel, private IOutlineObserver {
    Q_OBJECT

public:
    explicit TOutlineModel(TOutlineTree& tree, QObject* parent = nullptr);
    ~TOutlineModel() override;

    TOutlineTree& Tree() const { return tree_; }
    TOutlineNode* NodeAt(const QModelIndex& index) const;
    QModelIndex IndexOf(const TOutlineNode* node) const;
    // The view opened or closed the index's node (one level).
    void SetExpanded(const QModelIndex& index, bool expanded);

    QModelIndex SelectedIndex() const override { return IndexOf(tree_.SelectedNode()); }
    void SelectIndex(const QModelIndex& index) override { tree_.SelectNode(NodeAt(index)); }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Only the check state, and only to the other state: the tree's check-box click.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // A node is dragged within its own view only: the mime data carry a token of this model,
    // and the drop names the node under the pointer (the parent index; none over empty space).
    Qt::DropActions supportedDragActions() const override { return Qt::MoveAction; }
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

Q_SIGNALS:
    void expandedChanged(const QModelIndex& index, bool expanded);
    // The core's update bracket opens and closes: the view may hold its work till the end.
    void updateBegun();
    void updateEnded();

private:
    void NodeAboutToBeInserted(TOutlineNode* parent, int index) override;
    void NodeInserted() override;
    void NodeAboutToBeRemoved(TOutlineNode* parent, int index) override;
    void NodeRemoved() override;
    void NodeAboutToBeMoved(TOutlineNode* fromParent, int from, TOutlineNode* toParent,
                            int destination) override;
    void NodeMoved() override;
    void TextChanged(TOutlineNode* node) override;
    void CheckChanged(TOutlineNode* node) override;
    void ExpandedChanged(TOutlineNode* node) override;
    void AboutToBeReset() override;
    void Reset() override;
    void SelectionChanged() override;
    void UpdateBegun() override;
    void UpdateEnded() override;

    const TRankedList<TOutlineNode>& ChildrenOf(const QModelIndex& parent) const;

    TOutlineTree& tree_;
    const QByteArray dragToken_;
    mutable TOutlineNode* dragged_ = nullptr; // since mimeData, till the drop or its removal
};
