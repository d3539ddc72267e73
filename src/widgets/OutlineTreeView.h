#pragma once

#include <QTreeView>

class TIconImages;
class TOutlineModel;
class TSelectionSync;

// The outline's tree control: shows the outline model drawn by a markup delegate, one line per
// node, whole rows selected one at a time, with the node's check box (a click or Space ticks
// it through the model) and drag and drop of one node onto another. Its expanded nodes and the
// nodes' expanded flags stay the same both ways, and so do its current node and the core's
// selected node. While the core's update bracket is open it neither paints nor lays out.
class TOutlineTreeView final : public QTreeView {
    Q_OBJECT

public:
    TOutlineTreeView(TOutlineModel* model, const TIconImages& icons, QWidget* parent = nullptr);

    TOutlineModel* OutlineModel() const { return model_; }

private:
    void ShowExpanded(const QModelIndex& index, bool expanded);
    void ShowAllExpanded();
    void HoldForUpdate();
    void ResumeAfterUpdate();

    TOutlineModel* model_;
    TSelectionSync* selection_;
};
