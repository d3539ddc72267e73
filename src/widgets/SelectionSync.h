#pragma once

#include <QObject>

class QAbstractItemView;
class QModelIndex;
class TCoreItemModel;

// Keeps a view's selected row and the core's selected row or node the same, both ways: the
// user's choice goes to the core, whose selection handler makes the item current, and every
// change of the core's selection shows in the view. A change that one side makes because of
// the other is not sent back, and a view moving its current row because rows came or went is
// no choice of the user. Lives as long as the view, which must show the model already.
class TSelectionSync final : public QObject {
    Q_OBJECT

public:
    TSelectionSync(QAbstractItemView* view, TCoreItemModel* model);

    // While held (an update bracket selecting node after node), the core's changes wait and
    // the last one shows when released.
    void Hold();
    void Release();

private:
    void ShowCoreSelection();
    void SelectionChanged();

    QAbstractItemView* view_;
    TCoreItemModel* model_;
    bool showing_ = false;
    bool held_ = false;
    bool pending_ = false;
};
