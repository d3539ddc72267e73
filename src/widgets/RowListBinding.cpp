#include "widgets/RowListBinding.h"

#include "widgets/MarkupDelegate.h"
#include "widgets/PlainToolTip.h"
#include "widgets/RowListModel.h"
#include "widgets/SelectionSync.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QTableView>
#include <QTreeView>

TRowListBinding::TRowListBinding(QAbstractItemView* view, TRowListModel* model,
                                 const TIconImages& icons)
    : QObject(view), view_(view), model_(model), delegate_(new TMarkupDelegate(icons, view))
{
    view_->setModel(model_);
    view_->setItemDelegate(delegate_);
    SetUpView();
    new TSelectionSync(view_, model_);
    connect(delegate_, &TMarkupDelegate::linkActivated, this,
            [this](const QModelIndex& index) { model_->ClickLink(index); });
    connect(model_, &TRowListModel::hintChanged, view_,
            [this](const QString& hint) { view_->setToolTip(PlainToolTip(hint)); });
    view_->setToolTip(PlainToolTip(model_->List().Hint()));
    view_->viewport()->setMouseTracking(true);
    view_->viewport()->installEventFilter(this);
}

void TRowListBinding::SetUpView()
{
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    if (auto* tree = qobject_cast<QTreeView*>(view_)) {
        tree->setRootIsDecorated(false);
        tree->setItemsExpandable(false);
        tree->setUniformRowHeights(true);
        tree->setHeaderHidden(true);
        tree->setAllColumnsShowFocus(true);
    } else if (auto* table = qobject_cast<QTableView*>(view_)) {
        table->setShowGrid(false);
        table->horizontalHeader()->hide();
        QHeaderView* rows = table->verticalHeader();
        rows->hide();
        rows->setSectionResizeMode(QHeaderView::Fixed);
        rows->setDefaultSectionSize(TMarkupDelegate::RowHeight(table->font()));
    }
}

bool TRowListBinding::eventFilter(QObject* watched, QEvent* event)
{
    // The type first: the viewport also hears of its end, while the view is half destroyed.
    if (event->type() == QEvent::MouseMove && watched == view_->viewport())
        PointerMoved(static_cast<QMouseEvent*>(event)->position().toPoint());
    return QObject::eventFilter(watched, event);
}

void TRowListBinding::PointerMoved(const QPoint& point)
{
    if (delegate_->LinkAt(*view_, point))
        view_->viewport()->setCursor(Qt::PointingHandCursor);
    else
        view_->viewport()->unsetCursor();
    Q_EMIT rowHovered(model_->RowAt(view_->indexAt(point)));
}
