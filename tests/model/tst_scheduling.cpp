#include "ModelFixture.h"

#include "languages/LanguagesEngine.h"
#include "model/Completion.h"
#include "model/Scheduling.h"
#include "support/TestCore.h"

#include <QtTest>

// Repetition, lead time, waiting for the previous item and marking items done.
class TstScheduling : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void advanceNextDate_data();
    void advanceNextDate();
    void inLeadWindow_data();
    void inLeadWindow();
    void leadWindowOpens_data();
    void leadWindowOpens();
    void leadWindowOpens_none_forOnce();
    void isBlocked_data();
    void isBlocked();

    void accomplishAndToggle_data();
    void accomplishAndToggle();
    void markDone_asksAboutSubitems_data();
    void markDone_asksAboutSubitems();
    void markDone_rebuildsRowsOfMarkedItems();
    void markNotDone_asksNothingAndKeepsSubitems();
};

namespace {

QDateTime At(int year, int month, int day, QTime time = QTime(0, 0))
{
    return QDateTime(QDate(year, month, day), time);
}

TDateTime Today()
{
    return Core().Clock().Today();
}

} // namespace

void TstScheduling::advanceNextDate_data()
{
    QTest::addColumn<TPeriodType>("unit");
    QTest::addColumn<int>("count");
    QTest::addColumn<QDateTime>("from");
    QTest::addColumn<int>("times");
    QTest::addColumn<QDateTime>("to");
    QTest::newRow("monthly from 31 January")
        << TPeriodType::Months << 1 << At(2026, 1, 31) << 1 << At(2026, 2, 28);
    QTest::newRow("monthly twice from 31 January stays on the 28th")
        << TPeriodType::Months << 1 << At(2026, 1, 31) << 2 << At(2026, 3, 28);
    QTest::newRow("monthly from 31 January in a leap year")
        << TPeriodType::Months << 1 << At(2028, 1, 31) << 1 << At(2028, 2, 29);
    QTest::newRow("every 14 months carries into the year")
        << TPeriodType::Months << 14 << At(2026, 11, 30, QTime(8, 0)) << 1
        << At(2028, 1, 30, QTime(8, 0));
    QTest::newRow("yearly from 29 February")
        << TPeriodType::Years << 1 << At(2028, 2, 29) << 1 << At(2029, 2, 28);
    QTest::newRow("every two weeks keeps the time of day")
        << TPeriodType::Weeks << 2 << At(2026, 3, 16, QTime(9, 45)) << 1
        << At(2026, 3, 30, QTime(9, 45));
    QTest::newRow("every 3 days, three times overdue")
        << TPeriodType::Days << 3 << At(2026, 3, 1) << 3 << At(2026, 3, 10);
    QTest::newRow("repetition 0 in days")
        << TPeriodType::Days << 0 << At(2026, 3, 1) << 1 << At(2026, 3, 1);
    QTest::newRow("repetition 0 in years")
        << TPeriodType::Years << 0 << At(2026, 3, 1) << 1 << At(2026, 3, 1);
    // A count from a damaged file must neither wrap round nor leave dates a file can hold.
    QTest::newRow("years beyond any calendar")
        << TPeriodType::Years << 2147483647 << At(2026, 3, 1) << 1 << At(2026, 3, 1);
    QTest::newRow("days beyond year 9999")
        << TPeriodType::Weeks << 2147483647 << At(2026, 3, 1) << 1 << At(2026, 3, 1);
}

void TstScheduling::advanceNextDate()
{
    QFETCH(TPeriodType, unit);
    QFETCH(int, count);
    QFETCH(QDateTime, from);
    QFETCH(int, times);
    QFETCH(QDateTime, to);
    TTestCore test;
    TTask* item = test.core().Tasks()->Add(nullptr);
    item->SetRepeatType(unit);
    item->SetRepeatValue(count);
    item->SetNextDate(DateTime::FromQDateTime(from));
    for (int time = 0; time < times; ++time)
        Scheduling::AdvanceNextDate(*item);
    QCOMPARE(DateTime::ToQDateTime(item->NextDate()), to);
}

void TstScheduling::inLeadWindow_data()
{
    QTest::addColumn<TAccomplishType>("mode");
    QTest::addColumn<int>("lead");
    QTest::addColumn<TPeriodType>("unit");
    QTest::addColumn<double>("daysAhead");
    QTest::addColumn<bool>("inWindow");
    const auto due = TAccomplishType::ByDueDate;
    QTest::newRow("once, whatever the date")
        << TAccomplishType::Once << 0 << TPeriodType::Days << 400.0 << true;
    QTest::newRow("overdue") << due << 0 << TPeriodType::Days << -3.0 << true;
    QTest::newRow("due today") << due << 0 << TPeriodType::Days << 0.0 << true;
    QTest::newRow("lead 0, later today") << due << 0 << TPeriodType::Days << 0.75 << true;
    QTest::newRow("lead 0, tomorrow") << due << 0 << TPeriodType::Days << 1.0 << false;
    QTest::newRow("3 days, 6 ahead") << due << 3 << TPeriodType::Days << 6.0 << true;
    QTest::newRow("3 days, 6.9 ahead") << due << 3 << TPeriodType::Days << 6.9 << true;
    QTest::newRow("3 days, 7 ahead") << due << 3 << TPeriodType::Days << 7.0 << false;
    QTest::newRow("1 week, 14 ahead") << due << 1 << TPeriodType::Weeks << 14.0 << true;
    QTest::newRow("1 week, 15 ahead") << due << 1 << TPeriodType::Weeks << 15.0 << false;
    QTest::newRow("2 weeks, 28 ahead") << due << 2 << TPeriodType::Weeks << 28.0 << true;
    QTest::newRow("1 month is 30 days") << due << 1 << TPeriodType::Months << 60.0 << true;
    QTest::newRow("1 month, 61 ahead") << due << 1 << TPeriodType::Months << 61.0 << false;
    QTest::newRow("1 year is 365 days") << due << 1 << TPeriodType::Years << 730.0 << true;
    QTest::newRow("routine, 2 days, 5 ahead")
        << TAccomplishType::Routinely << 2 << TPeriodType::Days << 5.0 << false;
    QTest::newRow("lead beyond 32 bits of days")
        << due << 2147483647 << TPeriodType::Years << 1000000.0 << true;
}

void TstScheduling::inLeadWindow()
{
    QFETCH(TAccomplishType, mode);
    QFETCH(int, lead);
    QFETCH(TPeriodType, unit);
    QFETCH(double, daysAhead);
    TTestCore test;
    TTask* item = test.core().Tasks()->Add(nullptr);
    item->SetAccomplishType(mode);
    item->SetLeadValue(lead);
    item->SetLeadType(unit);
    item->SetNextDate(Today() + daysAhead);
    QTEST(Scheduling::InLeadWindow(*item), "inWindow");
}

void TstScheduling::leadWindowOpens_data()
{
    QTest::addColumn<TAccomplishType>("mode");
    QTest::addColumn<int>("lead");
    QTest::addColumn<TPeriodType>("unit");
    QTest::addColumn<double>("nextDate"); // days after today
    QTest::addColumn<int>("opens");       // days after today
    const auto due = TAccomplishType::ByDueDate;
    QTest::newRow("3 days, 10 ahead") << due << 3 << TPeriodType::Days << 10.0 << 4;
    QTest::newRow("3 days, next date in the afternoon")
        << due << 3 << TPeriodType::Days << 10.75 << 4;
    QTest::newRow("1 week, 30 ahead")
        << TAccomplishType::Routinely << 1 << TPeriodType::Weeks << 30.0 << 16;
    QTest::newRow("lead 0 opens on the day") << due << 0 << TPeriodType::Days << 5.0 << 5;
    QTest::newRow("lead 0, in the afternoon") << due << 0 << TPeriodType::Days << 5.5 << 5;
    // A negative lead time from a file waits for the next date itself, time of day included.
    QTest::newRow("negative lead") << due << -2 << TPeriodType::Days << 5.0 << 5;
    QTest::newRow("negative lead, in the afternoon") << due << -2 << TPeriodType::Days << 5.5 << 6;
    QTest::newRow("already open") << due << 3 << TPeriodType::Days << 2.0 << -4;
}

void TstScheduling::leadWindowOpens()
{
    QFETCH(TAccomplishType, mode);
    QFETCH(int, lead);
    QFETCH(TPeriodType, unit);
    QFETCH(double, nextDate);
    QFETCH(int, opens);
    TTestCore test;
    TTask* item = test.core().Tasks()->Add(nullptr);
    item->SetAccomplishType(mode);
    item->SetLeadValue(lead);
    item->SetLeadType(unit);
    const TDateTime today = Today();
    item->SetNextDate(today + nextDate);

    const std::optional<TDateTime> first = Scheduling::LeadWindowOpens(*item);
    QVERIFY(first);
    QCOMPARE(*first - today, double(opens));
    // The date given is where the list's own test turns.
    test.clock().Set(*first - 1);
    QVERIFY(!Scheduling::InLeadWindow(*item));
    test.clock().Set(*first);
    QVERIFY(Scheduling::InLeadWindow(*item));
}

void TstScheduling::leadWindowOpens_none_forOnce()
{
    TTestCore test;
    TTask* item = test.core().Tasks()->Add(nullptr);
    item->SetAccomplishType(TAccomplishType::Once);
    QVERIFY(!Scheduling::LeadWindowOpens(*item));
}

void TstScheduling::isBlocked_data()
{
    QTest::addColumn<QStringList>("done");
    QTest::addColumn<QString>("waiting");  // the item that waits for the one before it
    QTest::addColumn<QString>("waitsFor"); // empty: not blocked
    QTest::newRow("elder sibling, a leaf, not done") << QStringList() << u"Gate"_qs << u"Paint"_qs;
    QTest::newRow("elder sibling, a leaf, done")
        << QStringList({u"Paint"_qs}) << u"Gate"_qs << QString();
    QTest::newRow("elder sibling done, its last descendant not")
        << QStringList({u"Fence"_qs, u"Buy paint"_qs}) << u"Wall"_qs << u"Gate"_qs;
    QTest::newRow("only the last descendant counts")
        << QStringList({u"Gate"_qs}) << u"Wall"_qs << QString();
    QTest::newRow("a first child never waits") << QStringList() << u"Fence"_qs << QString();
    QTest::newRow("a first child below its undone parent")
        << QStringList() << u"Buy paint"_qs << QString();
}

void TstScheduling::isBlocked()
{
    QFETCH(QStringList, done);
    QFETCH(QString, waiting);
    QFETCH(QString, waitsFor);
    TTestCore test;
    TTasks& tasks = *test.core().Tasks();
    auto items = BuildOutline(tasks, {u"Home"_qs, u" Fence"_qs, u"  Buy paint"_qs, u"  Paint"_qs,
                                      u"  Gate"_qs, u" Wall"_qs});
    for (const QString& name : done)
        items[name]->SetChecked(true);
    TTask* item = items[waiting];
    QVERIFY(!Scheduling::IsBlocked(*item));
    QVERIFY(!Scheduling::BlockedBy(*item));
    item->SetDependOnPrevious(true);
    QCOMPARE(Scheduling::IsBlocked(*item), !waitsFor.isEmpty());
    const TTask* blocker = Scheduling::BlockedBy(*item);
    QCOMPARE(blocker ? blocker->Name() : QString(), waitsFor);
}

void TstScheduling::accomplishAndToggle_data()
{
    QTest::addColumn<TAccomplishType>("mode");
    QTest::addColumn<bool>("toggle"); // the outline check box instead of the done link
    QTest::addColumn<bool>("doneBefore");
    QTest::addColumn<bool>("doneAfter");
    QTest::addColumn<TTaskStatus>("status");
    QTest::addColumn<int>("daysMoved");
    QTest::newRow("done link, once")
        << TAccomplishType::Once << false << false << true << TTaskStatus::Finished << 0;
    QTest::newRow("done link, by due date")
        << TAccomplishType::ByDueDate << false << false << true << TTaskStatus::Finished << 0;
    QTest::newRow("done link, routine moves on")
        << TAccomplishType::Routinely << false << false << false << TTaskStatus::Delegated << 7;
    QTest::newRow("check box ticks")
        << TAccomplishType::Once << true << false << true << TTaskStatus::Finished << 0;
    QTest::newRow("check box clears")
        << TAccomplishType::ByDueDate << true << true << false << TTaskStatus::Active << 0;
    QTest::newRow("check box of a routine moves on")
        << TAccomplishType::Routinely << true << false << false << TTaskStatus::Delegated << 7;
}

void TstScheduling::accomplishAndToggle()
{
    QFETCH(TAccomplishType, mode);
    QFETCH(bool, toggle);
    QFETCH(bool, doneBefore);
    TTestCore test;
    TTask* item = test.core().Tasks()->Add(nullptr);
    item->SetAccomplishType(mode);
    item->SetRepeatType(TPeriodType::Weeks);
    item->SetRepeatValue(1);
    item->SetStatus(TTaskStatus::Delegated);
    item->SetChecked(doneBefore);
    const TDateTime before = item->NextDate();

    for (int time = 0; time < 3; ++time) {
        if (toggle)
            Completion::ToggleDone(*item);
        else
            Completion::Accomplish(*item);
        if (mode != TAccomplishType::Routinely)
            break; // the next click would undo it
    }
    QTEST(item->Checked(), "doneAfter");
    QTEST(item->Status(), "status");
    QFETCH(int, daysMoved);
    QCOMPARE(item->NextDate() - before, mode == TAccomplishType::Routinely ? 3 * daysMoved : 0);
    QVERIFY(test.prompts().Questions().isEmpty());
}

namespace {

// A project with two subitems, one of which has a subitem of its own.
QHash<QString, TTask*> ProjectWithSubitems(TTasks& tasks)
{
    return BuildOutline(tasks,
                        {u"Fence"_qs, u" Buy paint"_qs, u" Paint"_qs, u"  Brushes"_qs, u"Gate"_qs});
}

} // namespace

void TstScheduling::markDone_asksAboutSubitems_data()
{
    QTest::addColumn<TLanguage>("language");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QStringList>("done");
    const QStringList all = {u"Fence"_qs, u"Buy paint"_qs, u"Paint"_qs, u"Brushes"_qs};
    QTest::newRow("English, no") << TLanguage::English << false
                                 << u"Mark all 3 subitems as done?"_qs
                                 << QStringList({u"Fence"_qs});
    QTest::newRow("English, yes") << TLanguage::English << true
                                  << u"Mark all 3 subitems as done?"_qs << all;
    QTest::newRow("Czech, yes") << TLanguage::Czech << true
                                << u"Označit všechny 3 podpoložky jako hotové?"_qs << all;
}

void TstScheduling::markDone_asksAboutSubitems()
{
    QFETCH(TLanguage, language);
    QFETCH(bool, yes);
    TTestCore test;
    test.core().LanguagesEngine()->SetLanguage(language);
    TTasks& tasks = *test.core().Tasks();
    auto items = ProjectWithSubitems(tasks);
    items[u"Paint"_qs]->SetStatus(TTaskStatus::Suspended);
    test.prompts().QueueAnswer(yes);

    Completion::MarkDone(*items[u"Fence"_qs], true);
    QCOMPARE(test.prompts().Questions().size(), 1);
    QCOMPARE(test.prompts().Questions().first().caption, u"Confirmation"_qs);
    QTEST(test.prompts().Questions().first().text, "question");
    QStringList done;
    for (const TTask& item : tasks.Items()) {
        if (item.Checked())
            done.append(item.Name());
    }
    QTEST(done, "done");
    // Only the item marked itself becomes Finished.
    QCOMPARE(items[u"Fence"_qs]->Status(), TTaskStatus::Finished);
    QCOMPARE(items[u"Paint"_qs]->Status(), TTaskStatus::Suspended);
    QCOMPARE(items[u"Brushes"_qs]->Status(), TTaskStatus::Active);
}

void TstScheduling::markDone_rebuildsRowsOfMarkedItems()
{
    TTestCore test;
    TTasks& tasks = *test.core().Tasks();
    auto items = ProjectWithSubitems(tasks);
    items[u"Brushes"_qs]->SetChecked(true); // counted all the same
    TRecordingViews views(test.core());
    test.prompts().QueueAnswer(true);
    Completion::MarkDone(*items[u"Brushes"_qs], true); // a leaf: nothing to ask
    QVERIFY(test.prompts().Questions().isEmpty());
    QVERIFY(views.Calls().isEmpty());

    Completion::MarkDone(*items[u"Fence"_qs], true);
    QCOMPARE(test.prompts().Questions().first().text,
             u"Označit všechny 3 podpoložky jako hotové?"_qs);
    QCOMPARE(views.Calls(), QStringList({u"UpdateRows Fence"_qs, u"UpdateRows Buy paint"_qs,
                                         u"UpdateRows Paint"_qs, u"UpdateRows Brushes"_qs}));
}

void TstScheduling::markNotDone_asksNothingAndKeepsSubitems()
{
    TTestCore test;
    TTasks& tasks = *test.core().Tasks();
    auto items = ProjectWithSubitems(tasks);
    for (TTask& item : tasks.Items())
        item.SetStatus(TTaskStatus::Finished);
    Completion::MarkDone(*items[u"Fence"_qs], false);
    QVERIFY(test.prompts().Questions().isEmpty());
    QVERIFY(!items[u"Fence"_qs]->Checked());
    QCOMPARE(items[u"Fence"_qs]->Status(), TTaskStatus::Active);
    QVERIFY(items[u"Paint"_qs]->Checked());
    QVERIFY(items[u"Brushes"_qs]->Checked());
}

QTEST_GUILESS_MAIN(TstScheduling)
#include "tst_scheduling.moc"
