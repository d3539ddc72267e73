#include "ViewsFixture.h"

#include "app/Config.h"
#include "datafile/DataFile.h"
#include "languages/LanguagesEngine.h"
#include "views/Done.h"
#include "views/Goals.h"
#include "views/Projects.h"
#include "views/ToDo.h"

#include <QTest>
#include <memory>

// The projects, goals and done lists.
class TestListViews : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void membership_data();
    void membership();
    void projectsFilter_withoutSubitems();
    void projectsFilter_textsFollowTheLanguage();
    void cells_data();
    void cells();
    void doneOrder_data();
    void doneOrder();
    void goalsOrder_byScoreThenName();

    void doneLink_projectIsDoneWithItsSubitemsAsked();
    void doneLink_routineProjectMovesOnAndStays();
    void undoLink_returnsItemToItsLists();

    void selectingRows_data();
    void selectingRows();
    void goalsHint_followsThePointer();

private:
    TProjectsView& projects() { return *Core().ProjectsView(); }
    TGoalsView& goals() { return *Core().GoalsView(); }
    TDoneView& done() { return *Core().DoneView(); }
    TKavView& ListNamed(const QString& name);

    std::unique_ptr<TTestCore> test_;
    std::unique_ptr<TRecordingWindow> window_;
};

void TestListViews::init()
{
    test_ = std::make_unique<TTestCore>();
    Core().LanguagesEngine()->SetLanguage(TLanguage::English);
    Core().Contexts()->Reset();
    window_ = std::make_unique<TRecordingWindow>(test_->core());
}

void TestListViews::cleanup()
{
    window_.reset();
    test_.reset();
}

TKavView& TestListViews::ListNamed(const QString& name)
{
    if (name == u"to do")
        return *Core().TodoView();
    if (name == u"projects")
        return projects();
    if (name == u"goals")
        return goals();
    return done();
}

void TestListViews::membership_data()
{
    QTest::addColumn<TTaskType>("type");
    QTest::addColumn<TTaskStatus>("status");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<QStringList>("lists");

    const auto active = TTaskStatus::Active;
    const auto suspended = TTaskStatus::Suspended;
    QTest::newRow("project") << TTaskType::Project << active << false << QStringList{u"projects"_s};
    QTest::newRow("delegated project")
        << TTaskType::Project << TTaskStatus::Delegated << false << QStringList{u"projects"_s};
    QTest::newRow("finished but not done project")
        << TTaskType::Project << TTaskStatus::Finished << false << QStringList{u"projects"_s};
    QTest::newRow("suspended project") << TTaskType::Project << suspended << false << QStringList();
    QTest::newRow("done suspended project")
        << TTaskType::Project << suspended << true << QStringList{u"done"_s};
    QTest::newRow("goal") << TTaskType::Goal << active << false << QStringList{u"goals"_s};
    QTest::newRow("suspended goal") << TTaskType::Goal << suspended << false << QStringList();
    QTest::newRow("done goal") << TTaskType::Goal << active << true << QStringList{u"done"_s};
    QTest::newRow("task") << TTaskType::Task << active << false << QStringList{u"to do"_s};
    QTest::newRow("done task") << TTaskType::Task << active << true << QStringList{u"done"_s};
    QTest::newRow("area") << TTaskType::Area << active << false << QStringList();
    QTest::newRow("done area") << TTaskType::Area << active << true << QStringList{u"done"_s};
    QTest::newRow("done idea") << TTaskType::Idea << suspended << true << QStringList{u"done"_s};
}

void TestListViews::membership()
{
    QFETCH(TTaskType, type);
    QFETCH(TTaskStatus, status);
    QFETCH(bool, checked);
    QFETCH(QStringList, lists);

    TTask* item = AddItem(nullptr, u"Fence"_s, type);
    item->SetStatus(status);
    item->SetChecked(checked);
    item->UpdateRows();

    QStringList actual;
    for (const QString& name : {u"to do"_s, u"projects"_s, u"goals"_s, u"done"_s}) {
        if (ListNamed(name).RowOf(*item))
            actual.append(name);
    }
    QCOMPARE(actual, lists);

    // Leaving every list leaves no row behind.
    item->SetTaskType(TTaskType::Area);
    item->SetChecked(false);
    item->UpdateRows();
    for (const QString& name : {u"to do"_s, u"projects"_s, u"goals"_s, u"done"_s})
        QCOMPARE(ListNamed(name).List().RowCount(), 0);
}

void TestListViews::projectsFilter_withoutSubitems()
{
    TTask* fence = AddItem(nullptr, u"Fence"_s, TTaskType::Project);
    AddItem(fence, u"Paint"_s, TTaskType::Task)->SetChecked(true);
    AddItem(nullptr, u"Garden"_s, TTaskType::Project);
    Core().Tasks()->UpdateViews();
    QVERIFY(!projects().WithoutSubitemsOnly());
    QCOMPARE(NamesOf(projects().List()), QStringList({u"Fence"_s, u"Garden"_s}));

    projects().cboxProjectsFilterChange(TProjectsView::WithoutSubitems);
    QVERIFY(projects().WithoutSubitemsOnly());
    QCOMPARE(NamesOf(projects().List()), QStringList({u"Garden"_s}));

    projects().cboxProjectsFilterChange(TProjectsView::AllProjects);
    QCOMPARE(NamesOf(projects().List()), QStringList({u"Fence"_s, u"Garden"_s}));
}

void TestListViews::projectsFilter_textsFollowTheLanguage()
{
    QCOMPARE(projects().FilterChooser().Entries(),
             QStringList({u"Všechny projekty"_s, u"Projekty bez podpoložek"_s}));
    QCOMPARE(projects().FilterChooser().SelectedIndex(), 0);
    projects().FilterChooser().Select(TProjectsView::WithoutSubitems);

    projects().RefreshFilterTexts();

    QCOMPARE(projects().FilterChooser().Entries(),
             QStringList({u"All projects"_s, u"Projects without subitems"_s}));
    QCOMPARE(projects().FilterChooser().SelectedIndex(), 1);
}

void TestListViews::cells_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<TTaskType>("type");
    QTest::addColumn<bool>("icons");
    QTest::addColumn<bool>("knownContext");
    QTest::addColumn<QString>("row");

    QTest::newRow("project") << u"projects"_s << TTaskType::Project << true << true
                             << u"999000|[ ]|#1 Fence|2|"_s;
    QTest::newRow("project without icons")
        << u"projects"_s << TTaskType::Project << false << true << u"999000|[ ]| Fence|2|"_s;
    QTest::newRow("goal") << u"goals"_s << TTaskType::Goal << true << true
                          << u"999000|[ ]|#2 Fence|2|"_s;
    QTest::newRow("done") << u"done"_s << TTaskType::Project << true << true
                          << u" |[x]|#1 Fence|Home|"_s;
    QTest::newRow("done, lost context")
        << u"done"_s << TTaskType::Idea << true << false << u" |[x]|#4 Fence||"_s;
}

void TestListViews::cells()
{
    QFETCH(QString, list);
    QFETCH(TTaskType, type);
    QFETCH(bool, icons);
    QFETCH(bool, knownContext);
    QFETCH(QString, row);

    Core().Config()->SetShowOutlineIcons(icons);
    TTask* fence = AddItem(nullptr, u"Fence"_s, type);
    fence->SetContextId(knownContext ? AddContext(u"Home"_s)->Id() : QUuid());
    TTask* paint = AddItem(fence, u"Paint"_s, TTaskType::Task);
    AddItem(paint, u"Brush"_s, TTaskType::Task); // below a subitem: not counted
    AddItem(fence, u"Dig"_s, TTaskType::Task)->SetChecked(true);
    fence->SetChecked(list == u"done");

    fence->UpdateRows();

    QCOMPARE(RowsOf(ListNamed(list).List()), QStringList{row});
}

void TestListViews::doneOrder_data()
{
    QTest::addColumn<bool>("icons");
    QTest::addColumn<QStringList>("order");

    QTest::newRow("by type, then name")
        << true << QStringList({u"Wash"_s, u"Fence"_s, u"Garden"_s, u"Health"_s, u"Boat"_s});
    QTest::newRow("by name alone")
        << false << QStringList({u"Boat"_s, u"Fence"_s, u"Garden"_s, u"Health"_s, u"Wash"_s});
}

void TestListViews::doneOrder()
{
    QFETCH(bool, icons);
    QFETCH(QStringList, order);

    Core().Config()->SetShowOutlineIcons(icons);
    AddItem(nullptr, u"Boat"_s, TTaskType::Idea)->SetImportance(0);
    AddItem(nullptr, u"Health"_s, TTaskType::Area);
    AddItem(nullptr, u"Garden"_s, TTaskType::Goal);
    AddItem(nullptr, u"Wash"_s, TTaskType::Task)->SetImportance(100000);
    AddItem(nullptr, u"Fence"_s, TTaskType::Project);
    for (TTask& item : Core().Tasks()->Items()) {
        item.SetChecked(true);
        item.UpdateRows();
    }

    QCOMPARE(NamesOf(done().List()), order);
}

void TestListViews::goalsOrder_byScoreThenName()
{
    TTask* life = AddItem(nullptr, u"Life"_s, TTaskType::Area);
    life->SetImportance(950);
    AddItem(nullptr, u"Travel"_s, TTaskType::Goal)->SetImportance(0);
    AddItem(nullptr, u"Read"_s, TTaskType::Goal);
    AddItem(life, u"Health"_s, TTaskType::Goal);
    AddItem(nullptr, u"Learn"_s, TTaskType::Goal);

    Core().Tasks()->UpdateViews();

    QCOMPARE(NamesOf(goals().List()),
             QStringList({u"Health"_s, u"Learn"_s, u"Read"_s, u"Travel"_s}));
}

void TestListViews::doneLink_projectIsDoneWithItsSubitemsAsked()
{
    TTask* fence = AddItem(nullptr, u"Fence"_s, TTaskType::Project);
    TTask* paint = AddItem(fence, u"Paint"_s, TTaskType::Task);
    Core().Tasks()->UpdateViews();
    test_->prompts().QueueAnswer(true);

    projects().List().ClickLink(fence->ProjectsRow());

    QCOMPARE(test_->prompts().Questions().size(), 1);
    QVERIFY(fence->Checked());
    QVERIFY(paint->Checked());
    QCOMPARE(projects().List().RowCount(), 0);
    QCOMPARE(Core().TodoView()->List().RowCount(), 0);
    QCOMPARE(NamesOf(done().List()), QStringList({u"Paint"_s, u"Fence"_s}));
    QVERIFY(Core().DataFile()->IsModified());
}

void TestListViews::doneLink_routineProjectMovesOnAndStays()
{
    TTask* report = AddItem(nullptr, u"Report"_s, TTaskType::Project);
    report->SetAccomplishType(TAccomplishType::Routinely);
    report->SetRepeatType(TPeriodType::Months);
    report->SetRepeatValue(1);
    report->UpdateRows();
    TListRow* row = report->ProjectsRow();

    projects().List().ClickLink(row);

    QVERIFY(!report->Checked());
    QCOMPARE(report->NextDate(), DateTime::FromDate(QDate(2026, 4, 15)));
    QCOMPARE(report->ProjectsRow(), row);
    QCOMPARE(done().List().RowCount(), 0);
    QVERIFY(Core().DataFile()->IsModified());
}

void TestListViews::undoLink_returnsItemToItsLists()
{
    TTask* fence = AddItem(nullptr, u"Fence"_s, TTaskType::Project);
    TTask* paint = AddItem(fence, u"Paint"_s, TTaskType::Task);
    fence->SetStatus(TTaskStatus::Finished);
    paint->SetChecked(true);
    Core().Tasks()->UpdateViews();
    QCOMPARE(NamesOf(done().List()), QStringList({u"Paint"_s, u"Fence"_s}));
    window_->calls.clear();

    done().List().ClickLink(fence->DoneRow());

    QVERIFY(!fence->Checked());
    QCOMPARE(fence->Status(), TTaskStatus::Active);
    QVERIFY(paint->Checked());
    QCOMPARE(NamesOf(done().List()), QStringList({u"Paint"_s}));
    QCOMPARE(NamesOf(projects().List()), QStringList({u"Fence"_s}));
    QCOMPARE(Core().CurrentItem(), fence);
    QVERIFY(window_->calls.contains(u"LoadEditorControls"_s));
    QVERIFY(Core().DataFile()->IsModified());
}

void TestListViews::selectingRows_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("hint");

    QTest::newRow("projects show the path") << u"projects"_s << u"Home >>> Fence"_s;
    QTest::newRow("goals") << u"goals"_s << QString();
    QTest::newRow("done") << u"done"_s << QString();
}

void TestListViews::selectingRows()
{
    QFETCH(QString, list);
    QFETCH(QString, hint);

    auto items = BuildOutline({u"Area Home"_s, u" Project Fence"_s});
    TTask* fence = items.value(u"Fence"_s);
    fence->SetTaskType(list == u"goals" ? TTaskType::Goal : TTaskType::Project);
    fence->SetChecked(list == u"done");
    fence->UpdateRows();
    Core().SelectItem(items.value(u"Home"_s));
    TRowList& rows = ListNamed(list).List();

    rows.SelectRow(rows.RowAt(0));
    QCOMPARE(Core().CurrentItem(), fence);
    QCOMPARE(Core().Outline()->Tree().SelectedNode(), fence->OutlineNode());
    QCOMPARE(rows.Hint(), hint);

    rows.SelectRow(nullptr);
    QCOMPARE(Core().CurrentItem(), fence);
}

void TestListViews::goalsHint_followsThePointer()
{
    TTask* life = AddItem(nullptr, u"Life"_s, TTaskType::Area);
    TTask* health = AddItem(life, u"Health"_s, TTaskType::Goal);
    health->UpdateRows();

    goals().tlGoalsMouseMove(health->GoalsRow());
    QCOMPARE(goals().List().Hint(), u"Life >>> Health"_s);
    goals().tlGoalsMouseMove(nullptr);
    QCOMPARE(goals().List().Hint(), QString());
    QCOMPARE(Core().CurrentItem(), nullptr);
}

QTEST_GUILESS_MAIN(TestListViews)
#include "tst_listviews.moc"
