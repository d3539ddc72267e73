#include "ModelFixture.h"

#include "languages/LanguagesEngine.h"
#include "model/Find.h"
#include "support/TestCore.h"

#include <QtTest>

// Find and Find again over the outline order.
class TstFind : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void nextMatch_data();
    void nextMatch();
    void findNext_selectsMatchAndHints();
    void findAgain_pastLastMatch_saysNotFound_keepsCurrent();
    void blankText_doesNothing();
};

namespace {
const QStringList outline = {
    u"Home"_qs, u" My Garden Plan"_qs, u"  Zahrada"_qs, u"  Úkol"_qs, u" Fence"_qs,
    u"Work"_qs, u" garden tools"_qs,
};
} // namespace

void TstFind::nextMatch_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("includeNotes");
    QTest::addColumn<QString>("after"); // empty: from the top
    QTest::addColumn<QString>("expected");

    QTest::newRow("ASCII letters fold")
        << u"garden"_qs << false << QString() << u"My Garden Plan"_qs;
    QTest::newRow("searched text folds too")
        << u"ZAHRADA"_qs << false << QString() << u"Zahrada"_qs;
    QTest::newRow("accented capitals do not fold") << u"úkol"_qs << false << QString() << QString();
    QTest::newRow("accented text matches exactly")
        << u"Úkol"_qs << false << QString() << u"Úkol"_qs;
    QTest::newRow("search text is trimmed") << u"  fence "_qs << false << QString() << u"Fence"_qs;
    QTest::newRow("again goes on after the item")
        << u"garden"_qs << false << u"My Garden Plan"_qs << u"garden tools"_qs;
    QTest::newRow("never wraps around") << u"garden"_qs << false << u"garden tools"_qs << QString();
    QTest::newRow("notes only on request") << u"fertiliser"_qs << false << QString() << QString();
    QTest::newRow("notes found on request") << u"fertiliser"_qs << true << QString() << u"Fence"_qs;
}

void TstFind::nextMatch()
{
    QFETCH(QString, text);
    QFETCH(bool, includeNotes);
    QFETCH(QString, after);
    QFETCH(QString, expected);
    TTestCore test;
    TTasks& tasks = *test.core().Tasks();
    const auto items = BuildOutline(tasks, outline);
    items.value(u"Fence"_qs)->SetNote(u"Buy Fertiliser first"_qs);

    const TTask* match = TFind::NextMatch(tasks, items.value(after), text, includeNotes);
    QCOMPARE(match ? match->Name() : QString(), expected);
}

void TstFind::findNext_selectsMatchAndHints()
{
    TTestCore test;
    test.core().LanguagesEngine()->SetLanguage(TLanguage::English);
    const auto items = BuildOutline(*test.core().Tasks(), outline);
    TFind find;
    find.SetSearch(u"zahrada"_qs, false);
    find.FindNext(true);
    QCOMPARE(test.core().CurrentItem(), items.value(u"Zahrada"_qs));
    QVERIFY(test.prompts().Messages().isEmpty());
}

void TstFind::findAgain_pastLastMatch_saysNotFound_keepsCurrent()
{
    TTestCore test;
    test.core().LanguagesEngine()->SetLanguage(TLanguage::English);
    const auto items = BuildOutline(*test.core().Tasks(), outline);
    TFind find;
    find.SetSearch(u"garden"_qs, false);
    find.FindNext(true);
    find.FindNext(false);
    QCOMPARE(test.core().CurrentItem(), items.value(u"garden tools"_qs));
    find.FindNext(false);
    QCOMPARE(test.core().CurrentItem(), items.value(u"garden tools"_qs));
    QCOMPARE(test.prompts().Messages(), QStringList({u"Searched string not found"_qs}));
}

void TstFind::blankText_doesNothing()
{
    TTestCore test;
    BuildOutline(*test.core().Tasks(), outline);
    TFind find;
    find.SetSearch(u"   "_qs, true);
    find.FindNext(true);
    QVERIFY(!test.core().CurrentItem());
    QVERIFY(test.prompts().Messages().isEmpty());
}

QTEST_GUILESS_MAIN(TstFind)
#include "tst_find.moc"
