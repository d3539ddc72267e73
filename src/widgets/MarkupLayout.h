#pragma once

#include "views/ViewMarkup.h"

#include <QFont>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringView>
#include <optional>

class QPainter;
class TIconImages;
struct TMarkupInks;

// One piece of laid-out markup: a text in one font and colour, or an image.
struct TMarkupPiece {
    enum class TKind : quint8 { Text, Image };

    TKind kind = TKind::Text;
    QString text; // as typed: nothing in it is markup any more
    int image = -1;
    QFont font;
    TMarkupColor color = TMarkupColor::Default;
    std::optional<QString> link;
    QRectF rect;        // where it stands
    qreal baseline = 0; // of a text
};

// Markup laid out in a rectangle, the one place that decides where each run of the core's
// markup parser stands: painting and the link hit test both read it. Lines follow one another
// from the top; a line too wide for the rectangle is cut and ends in an ellipsis. Images are
// the icon list's, IconSize square, and stand on whole pixels so that they stay crisp.
class TMarkupLayout {
public:
    // alignment: vertically top or centre, horizontally left, centre or right.
    TMarkupLayout(QStringView markup, const QFont& font, const QRectF& rect,
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

    // The size the markup takes when nothing is cut.
    static QSizeF NaturalSize(QStringView markup, const QFont& font);
    // The height of a line of plain text or an image in the font.
    static qreal LineHeight(const QFont& font);

    const QList<TMarkupPiece>& Pieces() const { return pieces_; }
    bool IsElided() const { return elided_; }
    // The target of the link under the point, if any.
    std::optional<QString> LinkAt(const QPointF& point) const;

    void Paint(QPainter& painter, const TMarkupInks& inks, const TIconImages& icons) const;

private:
    QList<TMarkupPiece> pieces_;
    bool elided_ = false;
};
