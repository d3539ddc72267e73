#include "widgets/MarkupLabel.h"

#include "views/ViewMarkup.h"
#include "widgets/MarkupInks.h"
#include "widgets/MarkupLayout.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <utility>

TMarkupLabel::TMarkupLabel(const TIconImages& icons, QWidget* parent)
    : QFrame(parent), icons_(icons)
{
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

TMarkupLabel::TMarkupLabel(TLabel& label, const TIconImages& icons, QWidget* parent)
    : TMarkupLabel(icons, parent)
{
    label_ = &label;
    label_->SetObserver(this);
    LinesChanged();
}

TMarkupLabel::~TMarkupLabel()
{
    if (label_)
        label_->SetObserver(nullptr);
}

void TMarkupLabel::SetMarkup(const QString& markup)
{
    if (markup == markup_)
        return;
    markup_ = markup;
    setAccessibleName(PlainText(markup_));
    updateGeometry();
    update();
}

void TMarkupLabel::SetAlignment(Qt::Alignment alignment)
{
    alignment_ = alignment;
    update();
}

void TMarkupLabel::LinesChanged()
{
    SetMarkup(label_->Markup());
}

TMarkupLayout TMarkupLabel::Layout() const
{
    return TMarkupLayout(markup_, font(), contentsRect(), alignment_);
}

QSize TMarkupLabel::sizeHint() const
{
    const QSizeF natural = TMarkupLayout::NaturalSize(markup_, font());
    const QMargins margins = contentsMargins();
    return QSize(int(std::ceil(natural.width())), int(std::ceil(natural.height()))) +
           QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
}

QSize TMarkupLabel::minimumSizeHint() const
{
    // As narrow as the window wants, cut with an ellipsis; as high as its lines.
    return {0, sizeHint().height()};
}

void TMarkupLabel::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QPalette::ColorGroup group = !isEnabled()       ? QPalette::Disabled
                                       : isActiveWindow() ? QPalette::Active
                                                          : QPalette::Inactive;
    Layout().Paint(painter,
                   TMarkupInks::FromPalette(palette(), group, foregroundRole(), backgroundRole()),
                   icons_);
}

void TMarkupLabel::mouseMoveEvent(QMouseEvent* event)
{
    if (Layout().LinkAt(event->position()))
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
    QFrame::mouseMoveEvent(event);
}

void TMarkupLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || std::exchange(inDoubleClick_, false) ||
        !rect().contains(event->position().toPoint())) {
        QFrame::mouseReleaseEvent(event);
        return;
    }
    if (const std::optional<QString> target = Layout().LinkAt(event->position()))
        Q_EMIT linkClicked(*target);
    Q_EMIT clicked();
}

void TMarkupLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QFrame::mouseDoubleClickEvent(event);
        return;
    }
    inDoubleClick_ = true;
    Q_EMIT doubleClicked();
}
