#include "views/ViewMarkup.h"

#include <QRandomGenerator>
#include <QTest>
#include <array>

using namespace Qt::StringLiterals;

namespace {

// One bracketed group per run: its text, #N for an image or \n for a line break, then its style.
QString Describe(const QList<TMarkupRun>& runs)
{
    QString description;
    for (const TMarkupRun& run : runs) {
        description += u'[';
        switch (run.kind) {
        case TMarkupRun::TKind::Text:
            description += run.text;
            break;
        case TMarkupRun::TKind::Image:
            description += u'#' + QString::number(run.image);
            break;
        case TMarkupRun::TKind::LineBreak:
            description += u"\\n";
            break;
        }
        static constexpr std::array<QStringView, 5> colors = {u"", u"|black", u"|silver", u"|red",
                                                              u"|green"};
        description += colors.at(std::size_t(run.style.color));
        if (run.style.smallFont)
            description += u"|small";
        if (run.style.bold)
            description += u"|b";
        if (run.style.link)
            description += u"|a=" + *run.style.link;
        description += u']';
    }
    return description;
}

} // namespace

class TstViewMarkup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parse_data();
    void parse();
    void plainText_data();
    void plainText();
    void colorValues();
    void hugeInput_data();
    void hugeInput();
    void randomInput_neverBreaks();
};

void TstViewMarkup::parse_data()
{
    QTest::addColumn<QString>("markup");
    QTest::addColumn<QString>("runs");

    QTest::newRow("empty") << u""_s << u""_s;
    QTest::newRow("plain") << u"plain text"_s << u"[plain text]"_s;
    QTest::newRow("image") << u"<img src=\"idx:5\">"_s << u"[#5]"_s;
    QTest::newRow("last image") << u"<img src=\"idx:16\">"_s << u"[#16]"_s;
    QTest::newRow("images side by side")
        << u"<img src=\"idx:0\"><img src=\"idx:12\">x"_s << u"[#0][#12][x]"_s;
    QTest::newRow("black") << u"<font color=\"clBlack\">k</font>"_s << u"[k|black]"_s;
    QTest::newRow("silver") << u"a<font color=\"clSilver\">s</font>b"_s << u"[a][s|silver][b]"_s;
    QTest::newRow("red") << u"<font color=\"clRed\">r</font>"_s << u"[r|red]"_s;
    QTest::newRow("green") << u"<font color=\"clGreen\">g</font>"_s << u"[g|green]"_s;
    QTest::newRow("small") << u"x <font size=\"6\">*</font>"_s << u"[x ][*|small]"_s;
    QTest::newRow("bold") << u"<b>B</b>"_s << u"[B|b]"_s;
    QTest::newRow("line break") << u"a<br>b"_s << u"[a][\\n][b]"_s;
    QTest::newRow("done link") << u"<a href=\"done\"><img src=\"idx:5\"></a>"_s << u"[#5|a=done]"_s;
    QTest::newRow("empty link target") << u"<a href=\"\">x</a>"_s << u"[x|a=]"_s;
    QTest::newRow("link target with markup characters")
        << u"<a href=\"<b>\">x</a>"_s << u"[x|a=<b>]"_s;

    // Nesting.
    QTest::newRow("nested styles")
        << u"<font color=\"clRed\">r<b>rb<font size=\"6\">s</font></b></font>"_s
        << u"[r|red][rb|red|b][s|red|small|b]"_s;
    QTest::newRow("inner colour wins")
        << u"<font color=\"clRed\">a<font color=\"clGreen\">g</font>b</font>"_s
        << u"[a|red][g|green][b|red]"_s;
    QTest::newRow("size inside colour keeps colour")
        << u"<font color=\"clSilver\">n <font size=\"6\">*</font></font>"_s
        << u"[n |silver][*|silver|small]"_s;
    QTest::newRow("bold twice") << u"<b>a<b>b</b>c</b>d"_s << u"[abc|b][d]"_s;
    QTest::newRow("inner link wins")
        << u"<a href=\"x\">1<a href=\"y\">2</a>3</a>"_s << u"[1|a=x][2|a=y][3|a=x]"_s;
    QTest::newRow("kinds cross") << u"<b>x<font color=\"clRed\">y</b>z</font>"_s
                                 << u"[x|b][y|red|b][z|red]"_s;
    QTest::newRow("break keeps style") << u"<b>a<br>b</b>"_s << u"[a|b][\\n|b][b|b]"_s;

    // What a user may type shows as typed.
    QTest::newRow("unmatched bold") << u"a <b> c"_s << u"[a <b> c]"_s;
    QTest::newRow("outer bold unmatched") << u"<b>a<b>c</b>"_s << u"[<b>a][c|b]"_s;
    QTest::newRow("stray font close") << u"x</font>"_s << u"[x</font>]"_s;
    QTest::newRow("stray closes") << u"</b></a></font>"_s << u"[</b></a></font>]"_s;
    QTest::newRow("close before open") << u"</b>x<b>"_s << u"[</b>x<b>]"_s;
    QTest::newRow("ampersand") << u"x & y"_s << u"[x & y]"_s;
    QTest::newRow("entity") << u"&lt;b&gt;"_s << u"[&lt;b&gt;]"_s;
    QTest::newRow("lone angle") << u"<"_s << u"[<]"_s;
    QTest::newRow("angles") << u"a < b > c"_s << u"[a < b > c]"_s;
    QTest::newRow("trailing angle") << u"x<b>y</b><"_s << u"[x][y|b][<]"_s;
    QTest::newRow("huge image index")
        << u"<img src=\"idx:99999999999\">"_s << u"[<img src=\"idx:99999999999\">]"_s;
    QTest::newRow("index past the icons")
        << u"<img src=\"idx:17\">"_s << u"[<img src=\"idx:17\">]"_s;
    QTest::newRow("negative index") << u"<img src=\"idx:-1\">"_s << u"[<img src=\"idx:-1\">]"_s;
    QTest::newRow("empty index") << u"<img src=\"idx:\">"_s << u"[<img src=\"idx:\">]"_s;
    QTest::newRow("index with letters") << u"<img src=\"idx:1a\">"_s << u"[<img src=\"idx:1a\">]"_s;
    QTest::newRow("non-ASCII digit")
        << u"<img src=\"idx:\u0663\">"_s << u"[<img src=\"idx:\u0663\">]"_s;
    QTest::newRow("unknown colour with its close")
        << u"<font color=\"clBlue\">x</font>"_s << u"[<font color=\"clBlue\">x</font>]"_s;
    QTest::newRow("other size") << u"<font size=\"7\">x</font>"_s
                                << u"[<font size=\"7\">x</font>]"_s;
    QTest::newRow("upper-case tag") << u"<B>x</B>"_s << u"[<B>x</B>]"_s;
    QTest::newRow("blank in tag") << u"<b >x</b>"_s << u"[<b >x</b>]"_s;
    QTest::newRow("self-closing break") << u"a<br/>b"_s << u"[a<br/>b]"_s;
    QTest::newRow("single quotes") << u"<img src='idx:1'>"_s << u"[<img src='idx:1'>]"_s;
    QTest::newRow("unterminated link") << u"<a href=\"x>y</a>"_s << u"[<a href=\"x>y</a>]"_s;
    QTest::newRow("text after quote")
        << u"<a href=\"a\"b\">x</a>"_s << u"[<a href=\"a\"b\">x</a>]"_s;
    QTest::newRow("name closing the program's font")
        << u"<font color=\"clBlack\">a </font> b</font>"_s << u"[a |black][ b</font>]"_s;
}

void TstViewMarkup::parse()
{
    QFETCH(QString, markup);
    QFETCH(QString, runs);
    QCOMPARE(Describe(ParseMarkup(markup)), runs);
}

void TstViewMarkup::plainText_data()
{
    QTest::addColumn<QString>("markup");
    QTest::addColumn<QString>("plain");

    QTest::newRow("row") << u"<a href=\"done\"><img src=\"idx:5\"></a>"_s << u""_s;
    QTest::newRow("outline node")
        << u"<img src=\"idx:0\"> <font color=\"clSilver\">Call Anna</font> <font size=\"6\">*</font>"_s
        << u" Call Anna *"_s;
    QTest::newRow("lines") << u"<b>Tasks:</b> 4<br>Done: 2<br>"_s << u"Tasks: 4\nDone: 2\n"_s;
    QTest::newRow("literal tags kept") << u"a <b> c</font>"_s << u"a <b> c</font>"_s;
}

void TstViewMarkup::plainText()
{
    QFETCH(QString, markup);
    QFETCH(QString, plain);
    QCOMPARE(PlainText(markup), plain);
}

void TstViewMarkup::colorValues()
{
    QCOMPARE(MarkupColorRgb(TMarkupColor::Default), std::nullopt);
    QCOMPARE(MarkupColorRgb(TMarkupColor::Black), 0x000000u);
    QCOMPARE(MarkupColorRgb(TMarkupColor::Silver), 0xC0C0C0u);
    QCOMPARE(MarkupColorRgb(TMarkupColor::Red), 0xFF0000u);
    QCOMPARE(MarkupColorRgb(TMarkupColor::Green), 0x008000u);
}

// Inputs that would take hours with a parser that rescans, and overflow the stack of one that
// recurses; each is read as a whole.
void TstViewMarkup::hugeInput_data()
{
    constexpr int count = 200000;
    QTest::addColumn<QString>("markup");
    QTest::addColumn<QString>("runs");

    const QString opens = u"<b>"_s.repeated(count);
    QTest::newRow("unmatched opens") << opens << u'[' + opens + u']';
    const QString links = u"<a href=\"x"_s.repeated(count);
    QTest::newRow("unterminated links") << links << u'[' + links + u']';
    const QString closes = u"</font>"_s.repeated(count);
    QTest::newRow("stray closes") << closes << u'[' + closes + u']';
    QTest::newRow("deep nesting") << u"<font color=\"clRed\"><b>"_s.repeated(count) + u'x' +
                                         u"</b></font>"_s.repeated(count)
                                  << u"[x|red|b]"_s;
    QTest::newRow("long text") << u"x"_s.repeated(10 * count)
                               << u'[' + u"x"_s.repeated(10 * count) + u']';
}

void TstViewMarkup::hugeInput()
{
    QFETCH(QString, markup);
    QFETCH(QString, runs);
    QCOMPARE(Describe(ParseMarkup(markup)), runs);
}

void TstViewMarkup::randomInput_neverBreaks()
{
    // Fragments of every construct, glued at random: the parser must take anything and keep its
    // runs sound (no empty text, no neighbours of one style left unmerged).
    static const std::array<QString, 14> fragments = {u"<b>"_s,
                                                      u"</b>"_s,
                                                      u"<br>"_s,
                                                      u"</a>"_s,
                                                      u"<a href=\""_s,
                                                      u"\">"_s,
                                                      u"</font>"_s,
                                                      u"<font color=\"clRed\">"_s,
                                                      u"<font size=\"6\">"_s,
                                                      u"<img src=\"idx:"_s,
                                                      u"7"_s,
                                                      u"<"_s,
                                                      u"x"_s,
                                                      u"\""_s};
    QRandomGenerator random(20260315);
    for (int round = 0; round < 2000; ++round) {
        QString markup;
        const int length = random.bounded(40);
        for (int i = 0; i < length; ++i)
            markup += fragments.at(random.bounded(int(fragments.size())));
        const QList<TMarkupRun> runs = ParseMarkup(markup);
        QString text;
        for (qsizetype i = 0; i < runs.size(); ++i) {
            const TMarkupRun& run = runs.at(i);
            if (run.kind != TMarkupRun::TKind::Text)
                continue;
            QVERIFY2(!run.text.isEmpty(), qPrintable(markup));
            if (i > 0 && runs.at(i - 1).kind == TMarkupRun::TKind::Text)
                QVERIFY2(runs.at(i - 1).style != run.style, qPrintable(markup));
            text += run.text;
        }
        QVERIFY2(text.size() <= markup.size(), qPrintable(markup));
        QCOMPARE(PlainText(markup).remove(u'\n'), text);
    }
}

QTEST_GUILESS_MAIN(TstViewMarkup)
#include "tst_viewmarkup.moc"
