#pragma once

#include <QAbstractItemDelegate>
#include <QRect>
#include <optional>

class QAbstractItemView;
class TIconImages;

// Draws the cells of the lists, the nodes of the outline and the entries of a chooser's pop-up
// from their view markup (MarkupRole), in the palette's colours (the selection's when selected),
// with the node's check box in front where the model gives one, drawn as the done links' boxes. All
// rows are one line high, so views can take uniform row heights. The user's check-box click (or
// Space) goes to the model as the check state; a click on a link is announced with the cell it fell
// in.
class TMarkupDelegate final : public QAbstractItemDelegate {
    Q_OBJECT

public:
    explicit TMarkupDelegate(const TIconImages& icons, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

    // The height of a row of one line in the font.
    static int RowHeight(const QFont& font);

    // The target of the link under the point of the cell, if any: where painting put it.
    std::optional<QString> LinkAt(const QStyleOptionViewItem& option, const QModelIndex& index,
                                  const QPoint& point) const;
    // The same for a point on the view's viewport.
    std::optional<QString> LinkAt(const QAbstractItemView& view, const QPoint& point) const;

Q_SIGNALS:
    void linkActivated(const QModelIndex& index, const QString& target);

private:
    struct TCellGeometry {
        std::optional<QRect> check;
        QRect markup;
    };
    static TCellGeometry Geometry(const QStyleOptionViewItem& option, const QModelIndex& index);
    static bool ToggleCheck(QAbstractItemModel* model, const QModelIndex& index);

    const TIconImages& icons_;
};
