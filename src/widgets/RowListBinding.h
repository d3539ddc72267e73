#pragma once

#include <QObject>

class QAbstractItemView;
class TIconImages;
class TListRow;
class TMarkupDelegate;
class TRowListModel;

// Makes a view (a QTreeView or a QTableView) show a row list as the lists want it: the model
// drawn by a markup delegate, one line per row, whole rows selected one at a time, read-only,
// no header, no tree lines. It keeps the selection in step with the core, passes a click on a
// row's link to the list (the press has selected the row already), shows the list's hint as
// the view's tool tip and the pointing hand over links. Column widths are the window's. Lives
// as long as the view.
class TRowListBinding final : public QObject {
    Q_OBJECT

public:
    TRowListBinding(QAbstractItemView* view, TRowListModel* model, const TIconImages& icons);

    TMarkupDelegate* Delegate() const { return delegate_; }

Q_SIGNALS:
    // The pointer moved over the list: onto the row, or (none) beside the rows.
    void rowHovered(const TListRow* row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetUpView();
    void PointerMoved(const QPoint& point);

    QAbstractItemView* view_;
    TRowListModel* model_;
    TMarkupDelegate* delegate_;
};
