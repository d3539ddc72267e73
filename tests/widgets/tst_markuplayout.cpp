#include "widgets/ColourScheme.h"
#include "widgets/CoreItemModel.h"
#include "widgets/IconImages.h"
#include "widgets/MarkupDelegate.h"
#include "widgets/MarkupInks.h"
#include "widgets/MarkupLayout.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QStandardItemModel>
#include <QStyleFactory>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The pieces in a form tables can spell: text, or #N for image N, with what is special about
// it in braces.
QStringList Describe(const TMarkupLayout& layout)
{
    // Lines without images are all one height.
    const qreal lineHeight = QFontMetricsF(QFont()).height();
    QStringList pieces;
    int line = 0;
    for (const TMarkupPiece& piece : layout.Pieces()) {
        for (; line < int(piece.rect.center().y() / lineHeight); ++line)
            pieces.append(u"/"_s);
        QStringList traits;
        if (piece.kind == TMarkupPiece::TKind::Text && piece.font.bold())
            traits.append(u"bold"_s);
        if (piece.kind == TMarkupPiece::TKind::Text &&
            piece.font.pointSizeF() < QFont().pointSizeF())
            traits.append(u"small"_s);
        const QStringList colours{QString(), u"black"_s, u"silver"_s, u"red"_s, u"green"_s};
        if (piece.color != TMarkupColor::Default)
            traits.append(colours.at(int(piece.color)));
        if (piece.link)
            traits.append(u"link="_s + *piece.link);
        const QString what = piece.kind == TMarkupPiece::TKind::Image
                                 ? u'#' + QString::number(piece.image)
                                 : piece.text;
        pieces.append(traits.isEmpty() ? what : what + u'{' + traits.join(u',') + u'}');
    }
    return pieces;
}

const QRectF Wide(0, 0, 600, 40);

} // namespace

// The one layout of view markup that painting and the link hit test share, and the delegate
// that paints it into the views.
class TestMarkupLayout : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void pieces_data();
    void pieces();
    void linkHit_data();
    void linkHit();
    void elision_data();
    void elision();

    void delegate_drawsIconsWhereTheMarkupPutsThem_data();
    void delegate_drawsIconsWhereTheMarkupPutsThem();
    void delegate_inkStaysReadable_data();
    void delegate_inkStaysReadable();

private:
    QImage PaintCell(const QString& markup, qreal ratio, const QPalette& palette, bool selected,
                     const QFont& font = QFont()) const;

    TIconImages icons_;
};

void TestMarkupLayout::initTestCase()
{
    QApplication::setStyle(QStyleFactory::create(u"Fusion"_s));
}

void TestMarkupLayout::pieces_data()
{
    QTest::addColumn<QString>("markup");
    QTest::addColumn<QStringList>("pieces");

    QTest::newRow("outline node")
        << u"<img src=\"idx:0\"> <font color=\"clBlack\">Paint</font> <font size=\"6\">*</font>"_s
        << QStringList{u"#0"_s, u" "_s, u"Paint{black}"_s, u" "_s, u"*{small}"_s};
    QTest::newRow("done link and overdue date")
        << u"<a href=\"done\"><img src=\"idx:5\"></a><font color=\"clRed\">3/1/2026</font>"_s
        << QStringList{u"#5{link=done}"_s, u"3/1/2026{red}"_s};
    QTest::newRow("bold link in a label")
        << u"Importance for project <a href=\"nil\"><b>Garden</b></a>"_s
        << QStringList{u"Importance for project "_s, u"Garden{bold,link=nil}"_s};
    QTest::newRow("line breaks") << u"Items: 3<br><br>Tasks: 1<br>"_s
                                 << QStringList{u"Items: 3"_s, u"/"_s, u"/"_s, u"Tasks: 1"_s};
    // User text is shown as typed: nothing but the six constructs is markup.
    QTest::newRow("an image that is no icon")
        << u"<img src=x onerror=alert(1)>"_s << QStringList{u"<img src=x onerror=alert(1)>"_s};
    QTest::newRow("an index past the icon list")
        << u"<img src=\"idx:17\">"_s << QStringList{u"<img src=\"idx:17\">"_s};
    QTest::newRow("rich text tags")
        << u"<i>x</i> <u>y</u> <table>"_s << QStringList{u"<i>x</i> <u>y</u> <table>"_s};
    QTest::newRow("entities stay entities")
        << u"&lt;b&gt; &amp; &#65;"_s << QStringList{u"&lt;b&gt; &amp; &#65;"_s};
    QTest::newRow("an unclosed bold") << u"<b>bold"_s << QStringList{u"<b>bold"_s};
    QTest::newRow("an unknown colour")
        << u"<font color=\"red\">x</font>"_s << QStringList{u"<font color=\"red\">x</font>"_s};
}

void TestMarkupLayout::pieces()
{
    QFETCH(QString, markup);
    QFETCH(QStringList, pieces);

    QCOMPARE(Describe(TMarkupLayout(markup, QFont(), Wide, Qt::AlignTop)), pieces);
}

void TestMarkupLayout::linkHit_data()
{
    QTest::addColumn<QString>("markup");
    QTest::addColumn<qreal>("width");
    QTest::addColumn<QStringList>("hits"); // at each piece's centre, "-" for none

    QTest::newRow("done link before the name")
        << u"<a href=\"done\"><img src=\"idx:5\"></a> Buy paint"_s << 600.0
        << QStringList{u"done"_s, u"-"_s};
    QTest::newRow("text link after text")
        << u"Importance for project <a href=\"nil\"><b>Garden</b></a>"_s << 600.0
        << QStringList{u"-"_s, u"nil"_s};
    QTest::newRow("a link cut away is no link")
        << u"Buy paint for the fence and the gate<a href=\"done\"><img src=\"idx:5\"></a>"_s << 80.0
        << QStringList{u"-"_s};
}

void TestMarkupLayout::linkHit()
{
    QFETCH(QString, markup);
    QFETCH(qreal, width);
    QFETCH(QStringList, hits);
    const TMarkupLayout layout(markup, QFont(), QRectF(10, 5, width, 30));

    QStringList found;
    for (const TMarkupPiece& piece : layout.Pieces())
        found.append(layout.LinkAt(piece.rect.center()).value_or(u"-"_s));
    QCOMPARE(found, hits);
    const QRectF last = layout.Pieces().last().rect;
    QCOMPARE(layout.LinkAt(QPointF(last.right() + 5, last.center().y())), std::nullopt);
    QCOMPARE(layout.LinkAt(QPointF(last.center().x(), last.bottom() + 5)), std::nullopt);
}

void TestMarkupLayout::elision_data()
{
    QTest::addColumn<QString>("markup");
    QTest::addColumn<qreal>("width");
    QTest::addColumn<bool>("elided");
    QTest::addColumn<QString>("ending"); // of the last piece, or #N for an image

    QTest::newRow("fits") << u"<img src=\"idx:0\">Paint"_s << 300.0 << false << u"Paint"_s;
    QTest::newRow("text cut") << u"<img src=\"idx:0\">Buy paint for the fence and the gate"_s
                              << 90.0 << true << u"\u2026"_s;
    QTest::newRow("image cut") << u"Paint the fence<img src=\"idx:7\">"_s << 100.0 << true
                               << u"\u2026"_s;
    QTest::newRow("each line on its own")
        << u"Items: 1234567890 (1234567890 active)<br>Tasks: 1"_s << 100.0 << true << u"Tasks: 1"_s;
}

void TestMarkupLayout::elision()
{
    QFETCH(QString, markup);
    QFETCH(qreal, width);
    QFETCH(bool, elided);
    QFETCH(QString, ending);
    const QRectF rect(4, 0, width, 60);

    const TMarkupLayout layout(markup, QFont(), rect, Qt::AlignTop);

    QCOMPARE(layout.IsElided(), elided);
    const TMarkupPiece& last = layout.Pieces().last();
    QVERIFY(last.kind == TMarkupPiece::TKind::Image ? ending == u'#' + QString::number(last.image)
                                                    : last.text.endsWith(ending));
    for (const TMarkupPiece& piece : layout.Pieces())
        QVERIFY(piece.rect.left() >= rect.left() && piece.rect.right() <= rect.right() + 0.01);
}

QImage TestMarkupLayout::PaintCell(const QString& markup, qreal ratio, const QPalette& palette,
                                   bool selected, const QFont& font) const
{
    QStandardItemModel model(1, 1);
    model.setData(model.index(0, 0), markup, MarkupRole);
    TMarkupDelegate delegate(icons_);
    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, 240, 24);
    option.font = font;
    option.palette = palette;
    option.state = QStyle::State_Enabled | QStyle::State_Active;
    if (selected)
        option.state |= QStyle::State_Selected;
    option.showDecorationSelected = true;

    QImage image(option.rect.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(palette.color(QPalette::Base));
    QPainter painter(&image);
    delegate.paint(&painter, option, model.index(0, 0));
    return image;
}

void TestMarkupLayout::delegate_drawsIconsWhereTheMarkupPutsThem_data()
{
    QTest::addColumn<qreal>("ratio");

    QTest::newRow("100 %") << 1.0;
    QTest::newRow("200 %") << 2.0;
}

// The goal icon is red, the tick of the done icon green: each must stand where its tag stands
// in the text, at any scale, and the hit test must find the link where the tick is drawn.
void TestMarkupLayout::delegate_drawsIconsWhereTheMarkupPutsThem()
{
    QFETCH(qreal, ratio);
    const QString markup =
        u"<img src=\"idx:2\"> Goal <a href=\"done\"><img src=\"idx:6\"></a> end"_s;
    const QImage image = PaintCell(markup, ratio, QApplication::palette(), false);

    // Bounding boxes, in logical pixels, of the pixels near a colour.
    const auto boxOf = [&image, ratio](QRgb target) {
        QRect box;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                const QColor wanted(target);
                if (std::abs(pixel.red() - wanted.red()) +
                        std::abs(pixel.green() - wanted.green()) +
                        std::abs(pixel.blue() - wanted.blue()) <
                    60)
                    box |= QRect(int(x / ratio), int(y / ratio), 1, 1);
            }
        }
        return box;
    };
    const QRect red = boxOf(0xDC2626);
    const QRect green = boxOf(0x16A34A);
    QVERIFY(!red.isEmpty());
    QVERIFY(!green.isEmpty());

    const int margin = 3; // the delegate's, before the markup
    const qreal textWidth = QFontMetricsF(QFont()).horizontalAdvance(u" Goal "_s);
    const int iconTop = (24 - TIconImages::IconSize) / 2;
    const QRect goalIcon(margin, iconTop, TIconImages::IconSize, TIconImages::IconSize);
    const QRect doneIcon(margin + TIconImages::IconSize + int(std::ceil(textWidth)), iconTop,
                         TIconImages::IconSize, TIconImages::IconSize);
    QVERIFY2(goalIcon.contains(red), qPrintable(QDebug::toString(red)));
    QVERIFY2(doneIcon.contains(green), qPrintable(QDebug::toString(green)));

    QStandardItemModel model(1, 1);
    model.setData(model.index(0, 0), markup, MarkupRole);
    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, 240, 24);
    TMarkupDelegate delegate(icons_);
    QCOMPARE(delegate.LinkAt(option, model.index(0, 0), green.center()), u"done"_s);
    QCOMPARE(delegate.LinkAt(option, model.index(0, 0), red.center()), std::nullopt);
}

void TestMarkupLayout::delegate_inkStaysReadable_data()
{
    QTest::addColumn<int>("scheme");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QString>("colour");

    for (const int scheme : {0, 1, 5}) {
        for (const bool selected : {false, true}) {
            for (const QString& colour : {u"clBlack"_s, u"clRed"_s, u"clGreen"_s}) {
                QTest::addRow("%d %s %s", scheme, selected ? "selected" : "plain",
                              qPrintable(colour))
                    << scheme << selected << colour;
            }
        }
    }
}

// Black on the dark scheme would vanish: what reaches the screen must stand out from its ground.
void TestMarkupLayout::delegate_inkStaysReadable()
{
    QFETCH(int, scheme);
    QFETCH(bool, selected);
    QFETCH(QString, colour);
    const QPalette palette = ColourSchemePalette(scheme);
    QFont font;
    font.setPixelSize(18);
    font.setBold(true);

    const QImage image =
        PaintCell(u"<font color=\"" + colour + u"\">MMMM</font>", 1, palette, selected, font);

    const QColor ground = image.pixelColor(image.width() - 2, image.height() / 2);
    QCOMPARE(ground, palette.color(selected ? QPalette::Highlight : QPalette::Base));
    qreal best = 1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < 60; ++x)
            best = std::max(best, ContrastRatio(image.pixelColor(x, y), ground));
    }
    QVERIFY2(best >= 3, qPrintable(QString::number(best)));
}

QTEST_MAIN(TestMarkupLayout)
#include "tst_markuplayout.moc"
