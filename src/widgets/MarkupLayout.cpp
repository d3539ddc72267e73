#include "widgets/MarkupLayout.h"

#include "widgets/IconImages.h"
#include "widgets/MarkupInks.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

constexpr qreal SmallPointSize = 6; // <font size="6">: the notes star
constexpr QChar Ellipsis = u'\u2026';

QFont FontOf(const QFont& base, const TMarkupStyle& style)
{
    QFont font = base;
    if (style.smallFont) {
        if (base.pointSizeF() > 0)
            font.setPointSizeF(std::min(SmallPointSize, base.pointSizeF()));
        else
            font.setPixelSize(std::max(1, base.pixelSize() * 2 / 3));
    }
    font.setBold(base.bold() || style.bold);
    font.setUnderline(base.underline() || style.link.has_value());
    return font;
}

// One line, its pieces placed from x = 0 and their baselines and tops still relative.
struct TLine {
    QList<TMarkupPiece> pieces;
    qreal width = 0;
    qreal ascent = 0;
    qreal descent = 0;
    bool hasImage = false;

    qreal Height() const
    {
        return std::max(ascent + descent, hasImage ? qreal(TIconImages::IconSize) : 0);
    }

    void AddText(const QString& text, const QFont& font, const TMarkupStyle& style)
    {
        const QFontMetricsF metrics(font);
        TMarkupPiece piece{TMarkupPiece::TKind::Text,
                           text,
                           -1,
                           font,
                           style.color,
                           style.link,
                           QRectF(width, 0, metrics.horizontalAdvance(text), metrics.height()),
                           metrics.ascent()};
        width += piece.rect.width();
        ascent = std::max(ascent, metrics.ascent());
        descent = std::max(descent, metrics.descent());
        pieces.append(piece);
    }

    void AddImage(int image, const TMarkupStyle& style)
    {
        width = std::ceil(width); // images stand on whole pixels
        constexpr qreal size = TIconImages::IconSize;
        pieces.append({TMarkupPiece::TKind::Image, QString(), image, QFont(), style.color,
                       style.link, QRectF(width, 0, size, size), 0});
        width += size;
        hasImage = true;
    }

    // Cuts the line to the width, ending it in an ellipsis. False when it fits as it is.
    bool Elide(qreal available, const QFont& font)
    {
        if (width <= available)
            return false;
        QList<TMarkupPiece> kept;
        for (TMarkupPiece piece : pieces) {
            const QFontMetricsF metrics(piece.kind == TMarkupPiece::TKind::Text ? piece.font
                                                                                : font);
            const qreal start = piece.rect.left();
            const qreal ellipsis = metrics.horizontalAdvance(Ellipsis);
            if (piece.rect.right() + ellipsis <= available) {
                kept.append(piece);
                continue;
            }
            if (piece.kind == TMarkupPiece::TKind::Text) {
                // A text that fits only without the ellipsis still gives up its end for it.
                const qreal room = std::min(available - start, piece.rect.width() - 0.5);
                piece.text = metrics.elidedText(piece.text, Qt::ElideRight, room);
                piece.rect.setWidth(metrics.horizontalAdvance(piece.text));
            } else {
                piece = {TMarkupPiece::TKind::Text,
                         QString(Ellipsis),
                         -1,
                         font,
                         piece.color,
                         std::nullopt,
                         QRectF(start, 0, ellipsis, metrics.height()),
                         metrics.ascent()};
            }
            if (!piece.text.isEmpty() && piece.rect.right() <= available)
                kept.append(piece);
            break;
        }
        pieces = kept;
        width = kept.isEmpty() ? 0 : kept.last().rect.right();
        return true;
    }
};

QList<TLine> BreakIntoLines(QStringView markup, const QFont& font)
{
    const QFontMetricsF metrics(font);
    const TLine empty{{}, 0, metrics.ascent(), metrics.descent(), false};
    QList<TLine> lines{empty};
    for (const TMarkupRun& run : ParseMarkup(markup)) {
        switch (run.kind) {
        case TMarkupRun::TKind::LineBreak:
            lines.append(empty);
            break;
        case TMarkupRun::TKind::Image:
            lines.last().AddImage(run.image, run.style);
            break;
        case TMarkupRun::TKind::Text:
            lines.last().AddText(run.text, FontOf(font, run.style), run.style);
            break;
        }
    }
    return lines;
}

} // namespace

TMarkupLayout::TMarkupLayout(QStringView markup, const QFont& font, const QRectF& rect,
                             Qt::Alignment alignment)
{
    QList<TLine> lines = BreakIntoLines(markup, font);
    qreal height = 0;
    for (TLine& line : lines) {
        elided_ = line.Elide(rect.width(), font) || elided_;
        height += line.Height();
    }
    qreal top = rect.top();
    if (alignment & Qt::AlignVCenter)
        top += (rect.height() - height) / 2;
    for (const TLine& line : lines) {
        const qreal spare = std::max<qreal>(0, rect.width() - line.width);
        qreal left = rect.left();
        if (alignment & Qt::AlignHCenter)
            left += spare / 2;
        else if (alignment & Qt::AlignRight)
            left += spare;
        left = std::round(left);
        const qreal lineHeight = line.Height();
        const qreal baseline = top + (lineHeight - line.ascent - line.descent) / 2 + line.ascent;
        const qreal imageTop = std::round(top + (lineHeight - TIconImages::IconSize) / 2);
        for (TMarkupPiece piece : line.pieces) {
            if (piece.kind == TMarkupPiece::TKind::Image) {
                piece.rect.moveTo(left + piece.rect.left(), imageTop);
            } else {
                piece.rect.moveTo(left + piece.rect.left(), baseline - piece.baseline);
                piece.baseline = baseline;
            }
            pieces_.append(piece);
        }
        top += lineHeight;
    }
}

QSizeF TMarkupLayout::NaturalSize(QStringView markup, const QFont& font)
{
    QSizeF size;
    for (const TLine& line : BreakIntoLines(markup, font))
        size = QSizeF(std::max(size.width(), line.width), size.height() + line.Height());
    return size;
}

qreal TMarkupLayout::LineHeight(const QFont& font)
{
    return std::max<qreal>(QFontMetricsF(font).height(), TIconImages::IconSize);
}

std::optional<QString> TMarkupLayout::LinkAt(const QPointF& point) const
{
    for (const TMarkupPiece& piece : pieces_) {
        if (piece.link && piece.rect.contains(point))
            return piece.link;
    }
    return std::nullopt;
}

void TMarkupLayout::Paint(QPainter& painter, const TMarkupInks& inks,
                          const TIconImages& icons) const
{
    painter.save();
    const qreal ratio = painter.device()->devicePixelRatioF();
    for (const TMarkupPiece& piece : pieces_) {
        if (piece.kind == TMarkupPiece::TKind::Image) {
            painter.drawPixmap(piece.rect.topLeft(), icons.Pixmap(piece.image, ratio));
            continue;
        }
        const bool plainLink = piece.link && piece.color == TMarkupColor::Default;
        painter.setPen(plainLink ? inks.link : MarkupInk(piece.color, inks));
        painter.setFont(piece.font);
        painter.drawText(QPointF(piece.rect.left(), piece.baseline), piece.text);
    }
    painter.restore();
}
