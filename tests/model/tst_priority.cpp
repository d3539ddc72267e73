#include "ModelFixture.h"

#include "model/Priority.h"
#include "support/TestCore.h"

#include <QtTest>

// The priority score and the sort key that orders the to-do, projects and goals lists.
class TstPriority : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void scoreAndKey_data();
    void scoreAndKey();
    void parentIsFoundByParentId();
    void sortKeysOrderAsText();
};

namespace {

constexpr int topLevel = -1;

} // namespace

void TstPriority::scoreAndKey_data()
{
    QTest::addColumn<int>("importance");
    QTest::addColumn<int>("parentImportance");
    QTest::addColumn<double>("weight");
    QTest::addColumn<int>("score");
    QTest::addColumn<QString>("key");
    QTest::newRow("100, top level") << 100 << topLevel << 1.0 << 999000 << u"999000"_qs;
    QTest::newRow("40, top level") << 40 << topLevel << 0.4 << 999600 << u"999600"_qs;
    QTest::newRow("0, top level") << 0 << topLevel << 0.0 << 1000000 << u"1000000"_qs;
    QTest::newRow("100 under 100") << 100 << 100 << 100.0 << 900000 << u"900000"_qs;
    QTest::newRow("50 under 80") << 50 << 80 << 40.0 << 960000 << u"960000"_qs;
    QTest::newRow("100 under 30") << 100 << 30 << 30.0 << 970000 << u"970000"_qs;
    QTest::newRow("33 under 7") << 33 << 7 << 2.31 << 997690 << u"997690"_qs;
    QTest::newRow("75 under 0") << 75 << 0 << 0.0 << 1000000 << u"1000000"_qs;
    QTest::newRow("100 under 950, from a file") << 100 << 950 << 950.0 << 50000 << u"9950000"_qs;
    QTest::newRow("100 under 1000: score 0") << 100 << 1000 << 1000.0 << 0 << u"9999990"_qs;
    QTest::newRow("negative score") << 100 << 1001 << 1001.0 << -1000 << u"99-1000"_qs;
    QTest::newRow("negative importance") << -50 << topLevel << -0.5 << 1000500 << u"1000500"_qs;
    // Far beyond 32 bits the score stays the smallest instead of wrapping round.
    QTest::newRow("beyond 32 bits")
        << 2000000000 << 2000000000 << 4.0e16 << -2147483647 - 1 << u"-2147483648"_qs;
}

void TstPriority::scoreAndKey()
{
    QFETCH(int, importance);
    QFETCH(int, parentImportance);
    QFETCH(double, weight);
    TTestCore test;
    TTasks& tasks = *test.core().Tasks();
    TTask* parent = tasks.Add(nullptr);
    parent->SetImportance(parentImportance);
    TTask* item = tasks.Add(parentImportance == topLevel ? nullptr : parent);
    item->SetImportance(importance);

    QVERIFY(qFuzzyCompare(1.0 + Priority::PriorityWeight(*item), 1.0 + weight));
    QTEST(Priority::PriorityScore(*item), "score");
    QTEST(Priority::SortKey(*item), "key");
    // The figures that explain the score name the parent that counted.
    const Priority::TScoreTerms terms = Priority::ScoreTerms(*item);
    QCOMPARE(terms.importance, importance);
    QCOMPARE(terms.parent, parentImportance == topLevel ? nullptr : parent);
}

void TstPriority::parentIsFoundByParentId()
{
    TTestCore test;
    TTasks& tasks = *test.core().Tasks();
    auto items = BuildOutline(tasks, {u"Home"_qs, u" Fence"_qs, u"  Paint"_qs, u"Work"_qs});
    items[u"Home"_qs]->SetImportance(10);
    items[u"Fence"_qs]->SetImportance(80);
    items[u"Work"_qs]->SetImportance(30);
    TTask& paint = *items[u"Paint"_qs];
    paint.SetImportance(50);
    // The direct parent only, never the grandparent.
    QCOMPARE(Priority::PriorityScore(paint), 960000);

    paint.SetParentId(items[u"Work"_qs]->Id());
    QCOMPARE(Priority::PriorityScore(paint), 985000);
    paint.SetParentId(QUuid::createUuid());
    QCOMPARE(Priority::PriorityScore(paint), 999500);
}

void TstPriority::sortKeysOrderAsText()
{
    // A zero weight's seven-character key sorts before every ordinary six-character one.
    TTestCore test;
    TTasks& tasks = *test.core().Tasks();
    TTask* parent = tasks.Add(nullptr);
    QStringList keys;
    for (int importance : {0, 100, 40}) {
        TTask* item = tasks.Add(parent);
        item->SetImportance(importance);
        keys.append(Priority::SortKey(*item));
    }
    keys.sort();
    QCOMPARE(keys, QStringList({u"1000000"_qs, u"900000"_qs, u"960000"_qs}));
}

QTEST_GUILESS_MAIN(TstPriority)
#include "tst_priority.moc"
