#include "widgets/MarkupDelegate.h"

#include "widgets/CoreItemModel.h"
#include "widgets/IconImages.h"
#include "widgets/MarkupInks.h"
#include "widgets/MarkupLayout.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintDevice>
#include <QPainter>
#include <QStyle>
#include <algorithm>
#include <cmath>

namespace {

constexpr int HorizontalMargin = 3;
constexpr int VerticalMargin = 2;
constexpr int CheckSpacing = 4;

QStyle* StyleOf(const QStyleOptionViewItem& option)
{
    return option.widget ? option.widget->style() : QApplication::style();
}

QPalette::ColorGroup GroupOf(const QStyleOptionViewItem& option)
{
    if (!(option.state & QStyle::State_Enabled))
        return QPalette::Disabled;
    return option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
}

QVariant CheckStateOf(const QModelIndex& index)
{
    if (!(index.flags() & Qt::ItemIsUserCheckable))
        return {};
    return index.data(Qt::CheckStateRole);
}

} // namespace

TMarkupDelegate::TMarkupDelegate(const TIconImages& icons, QObject* parent)
    : QAbstractItemDelegate(parent), icons_(icons)
{}

TMarkupDelegate::TCellGeometry TMarkupDelegate::Geometry(const QStyleOptionViewItem& option,
                                                         const QModelIndex& index)
{
    TCellGeometry geometry;
    QRect content = option.rect.adjusted(HorizontalMargin, 0, -HorizontalMargin, 0);
    if (CheckStateOf(index).isValid()) {
        constexpr int size = TIconImages::IconSize;
        const QRect check(content.left(), content.top() + (content.height() - size) / 2, size,
                          size);
        geometry.check = check;
        content.setLeft(check.right() + 1 + CheckSpacing);
    }
    geometry.markup = content;
    return geometry;
}

void TMarkupDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const
{
    QStyle* style = StyleOf(option);
    QStyleOptionViewItem panel(option);
    panel.text.clear();
    panel.icon = QIcon();
    panel.features &= ~(QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasDecoration |
                        QStyleOptionViewItem::HasCheckIndicator);
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &panel, painter, option.widget);

    const TCellGeometry geometry = Geometry(option, index);
    painter->save();
    painter->setClipRect(option.rect);
    if (geometry.check) {
        // The pictures of the lists' done links, so that a box reads alike everywhere and on
        // every scheme.
        const bool ticked = CheckStateOf(index).toInt() == Qt::Checked;
        const TIconKind kind = ticked ? TIconKind::Done : TIconKind::NotDone;
        painter->drawPixmap(
            geometry.check->topLeft(),
            icons_.Pixmap(TIconProvider::IconIndex(kind), painter->device()->devicePixelRatioF()));
    }
    const bool selected = option.state & QStyle::State_Selected;
    const TMarkupInks inks = TMarkupInks::FromPalette(
        option.palette, GroupOf(option), selected ? QPalette::HighlightedText : QPalette::Text,
        selected ? QPalette::Highlight : QPalette::Base);
    TMarkupLayout(index.data(MarkupRole).toString(), option.font, geometry.markup)
        .Paint(*painter, inks, icons_);
    painter->restore();
}

QSize TMarkupDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QSizeF markup =
        TMarkupLayout::NaturalSize(index.data(MarkupRole).toString(), option.font);
    int width = int(std::ceil(markup.width())) + 2 * HorizontalMargin;
    if (CheckStateOf(index).isValid())
        width += TIconImages::IconSize + CheckSpacing;
    return {width,
            std::max(int(std::ceil(markup.height())) + 2 * VerticalMargin, RowHeight(option.font))};
}

int TMarkupDelegate::RowHeight(const QFont& font)
{
    return int(std::ceil(TMarkupLayout::LineHeight(font))) + 2 * VerticalMargin;
}

bool TMarkupDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                  const QStyleOptionViewItem& option, const QModelIndex& index)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        const QPoint point = mouse->position().toPoint();
        const TCellGeometry geometry = Geometry(option, index);
        if (geometry.check && geometry.check->contains(point)) {
            // Press and double click stay here, so that only a release flips the box.
            return event->type() != QEvent::MouseButtonRelease || ToggleCheck(model, index);
        }
        if (event->type() != QEvent::MouseButtonRelease)
            return false;
        if (const std::optional<QString> target = LinkAt(option, index, point)) {
            Q_EMIT linkActivated(index, *target);
            return true;
        }
        return false;
    }
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        return (key == Qt::Key_Space || key == Qt::Key_Select) && ToggleCheck(model, index);
    }
    default:
        return false;
    }
}

bool TMarkupDelegate::ToggleCheck(QAbstractItemModel* model, const QModelIndex& index)
{
    const QVariant state = CheckStateOf(index);
    if (!state.isValid() || !(index.flags() & Qt::ItemIsEnabled))
        return false;
    const int next = state.toInt() == Qt::Checked ? Qt::Unchecked : Qt::Checked;
    return model->setData(index, next, Qt::CheckStateRole);
}

std::optional<QString> TMarkupDelegate::LinkAt(const QStyleOptionViewItem& option,
                                               const QModelIndex& index, const QPoint& point) const
{
    return TMarkupLayout(index.data(MarkupRole).toString(), option.font,
                         Geometry(option, index).markup)
        .LinkAt(point);
}

std::optional<QString> TMarkupDelegate::LinkAt(const QAbstractItemView& view,
                                               const QPoint& point) const
{
    const QModelIndex index = view.indexAt(point);
    if (!index.isValid())
        return std::nullopt;
    QStyleOptionViewItem option;
    option.initFrom(&view);
    option.widget = &view;
    option.font = view.font();
    option.rect = view.visualRect(index);
    return LinkAt(option, index, point);
}
