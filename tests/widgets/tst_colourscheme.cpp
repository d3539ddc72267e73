#include "widgets/ColourScheme.h"
#include "widgets/MarkupInks.h"

#include <QApplication>
#include <QLabel>
#include <QStyle>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

using namespace Qt::StringLiterals;

// The eight colour schemes: each its own look, every text readable on its ground.
class TestColourScheme : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void names_areTheSettingsDialogs();
    void schemes_areDistinctAndOnlyObsidianIsDark();
    void numbersOutsideTheRange_giveTheFirst_data();
    void numbersOutsideTheRange_giveTheFirst();
    void texts_areReadable_data();
    void texts_areReadable();
    void markupColours_areReadable_data();
    void markupColours_areReadable();
    void apply_givesTheApplicationAndTheWindowTheScheme();
};

void TestColourScheme::names_areTheSettingsDialogs()
{
    QCOMPARE(ColourSchemeNames(),
             QStringList({u"Office2007 Luna"_s, u"Office2007 Obsidian"_s, u"Office2007 Silver"_s,
                          u"Office2003 Blue"_s, u"Office2003 Olive"_s, u"Office2003 Classic"_s,
                          u"Whidbey"_s, u"WindowsXP"_s}));
}

void TestColourScheme::schemes_areDistinctAndOnlyObsidianIsDark()
{
    for (int one = 0; one < ColourSchemeCount; ++one) {
        const QPalette palette = ColourSchemePalette(one);
        QCOMPARE(IsDark(palette.color(QPalette::Window)), one == 1);
        QCOMPARE(IsDark(palette.color(QPalette::Base)), one == 1);
        for (int other = one + 1; other < ColourSchemeCount; ++other) {
            const QPalette otherPalette = ColourSchemePalette(other);
            QVERIFY2(palette.color(QPalette::Window) != otherPalette.color(QPalette::Window) ||
                         palette.color(QPalette::Highlight) !=
                             otherPalette.color(QPalette::Highlight),
                     qPrintable(QString::number(one) + u" and "_s + QString::number(other)));
            QVERIFY(ColourSchemeStyleSheet(one) != ColourSchemeStyleSheet(other));
        }
    }
}

void TestColourScheme::numbersOutsideTheRange_giveTheFirst_data()
{
    QTest::addColumn<int>("styleNo");
    QTest::newRow("-1") << -1;
    QTest::newRow("8") << 8;
    QTest::newRow("1000") << 1000;
}

void TestColourScheme::numbersOutsideTheRange_giveTheFirst()
{
    QFETCH(int, styleNo);
    QCOMPARE(ColourSchemePalette(styleNo), ColourSchemePalette(0));
    QCOMPARE(ColourSchemeStyleSheet(styleNo), ColourSchemeStyleSheet(0));
}

void TestColourScheme::texts_areReadable_data()
{
    QTest::addColumn<int>("styleNo");
    for (int styleNo = 0; styleNo < ColourSchemeCount; ++styleNo)
        QTest::addRow("%s", qPrintable(ColourSchemeNames().at(styleNo))) << styleNo;
}

void TestColourScheme::texts_areReadable()
{
    QFETCH(int, styleNo);
    const QPalette palette = ColourSchemePalette(styleNo);
    struct TPair {
        QPalette::ColorRole text;
        QPalette::ColorRole ground;
        qreal contrast;
    };
    const TPair pairs[] = {{QPalette::Text, QPalette::Base, 7},
                           {QPalette::Text, QPalette::AlternateBase, 7},
                           {QPalette::WindowText, QPalette::Window, 7},
                           {QPalette::ButtonText, QPalette::Button, 7},
                           {QPalette::HighlightedText, QPalette::Highlight, 4.5},
                           {QPalette::ToolTipText, QPalette::ToolTipBase, 7},
                           {QPalette::Link, QPalette::Base, 4.5}};
    for (const TPair& pair : pairs) {
        const qreal contrast = ContrastRatio(palette.color(QPalette::Active, pair.text),
                                             palette.color(QPalette::Active, pair.ground));
        QVERIFY2(contrast >= pair.contrast,
                 qPrintable(QString::number(pair.text) + u": "_s + QString::number(contrast)));
        // Disabled text is fainter, yet still there.
        const qreal disabled = ContrastRatio(palette.color(QPalette::Disabled, pair.text),
                                             palette.color(QPalette::Disabled, pair.ground));
        if (pair.text != QPalette::ToolTipText)
            QVERIFY(disabled < contrast && disabled >= 1.5);
    }
    // The selection stays as visible when the window is not active.
    QCOMPARE(palette.color(QPalette::Inactive, QPalette::Highlight),
             palette.color(QPalette::Active, QPalette::Highlight));
}

void TestColourScheme::markupColours_areReadable_data()
{
    QTest::addColumn<int>("styleNo");
    QTest::addColumn<bool>("selected");
    for (int styleNo = 0; styleNo < ColourSchemeCount; ++styleNo) {
        for (const bool selected : {false, true}) {
            QTest::addRow("%s, %s", qPrintable(ColourSchemeNames().at(styleNo)),
                          selected ? "selected" : "plain")
                << styleNo << selected;
        }
    }
}

// Names in black or silver, dates in red and green: legible on every ground, and silver
// dimmer than the plain text beside it.
void TestColourScheme::markupColours_areReadable()
{
    QFETCH(int, styleNo);
    QFETCH(bool, selected);
    const TMarkupInks inks =
        TMarkupInks::FromPalette(ColourSchemePalette(styleNo), QPalette::Active,
                                 selected ? QPalette::HighlightedText : QPalette::Text,
                                 selected ? QPalette::Highlight : QPalette::Base);
    const auto contrast = [&inks](TMarkupColor color) {
        return ContrastRatio(MarkupInk(color, inks), inks.ground);
    };

    QVERIFY(contrast(TMarkupColor::Default) >= 4.5);
    QCOMPARE(MarkupInk(TMarkupColor::Black, inks), inks.text);
    QVERIFY(contrast(TMarkupColor::Red) >= 3);
    QVERIFY(contrast(TMarkupColor::Green) >= 3);
    QVERIFY(contrast(TMarkupColor::Silver) >= 1.5);
    QVERIFY(contrast(TMarkupColor::Silver) < contrast(TMarkupColor::Default) / 1.5);
    // On white the colours are the named ones.
    if (!selected && inks.ground == Qt::white) {
        QCOMPARE(MarkupInk(TMarkupColor::Red, inks), QColor(255, 0, 0));
        QCOMPARE(MarkupInk(TMarkupColor::Green, inks), QColor(0, 128, 0));
        QCOMPARE(MarkupInk(TMarkupColor::Silver, inks), QColor(192, 192, 192));
    }
}

void TestColourScheme::apply_givesTheApplicationAndTheWindowTheScheme()
{
    QWidget window;
    auto* label = new QLabel(u"Items"_s, &window);
    (new QVBoxLayout(&window))->addWidget(label);

    ApplyColourScheme(&window, 1);
    QCoreApplication::processEvents();

    QCOMPARE(QApplication::style()->name(), u"fusion"_s);
    QCOMPARE(QApplication::palette().color(QPalette::Window),
             ColourSchemePalette(1).color(QPalette::Window));
    QCOMPARE(label->palette().color(QPalette::WindowText),
             ColourSchemePalette(1).color(QPalette::WindowText));
    QCOMPARE(window.styleSheet(), ColourSchemeStyleSheet(1));

    ApplyColourScheme(&window, 12);
    QCoreApplication::processEvents();
    QCOMPARE(label->palette().color(QPalette::Window),
             ColourSchemePalette(0).color(QPalette::Window));
}

QTEST_MAIN(TestColourScheme)
#include "tst_colourscheme.moc"
