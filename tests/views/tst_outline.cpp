#include "ViewsFixture.h"

#include "app/Config.h"
#include "datafile/DataFile.h"
#include "model/Tasks.h"
#include "views/Done.h"
#include "views/Outline.h"

#include <QTest>
#include <memory>

class TestOutline : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void nodeText_data();
    void nodeText();
    void nodeText_greyWhileBlockedByItemAbove();
    void checkBox_data();
    void checkBox();

    void addItemNode_isLastChildAndOpensParentOneLevel();
    void addItemNode_selectsAndMakesCurrentOutsideBracketOnly();
    void selectItem_selectsTheNodeOnce();

    void checkBoxClick_onceItemIsDoneAndMovesToDoneList();
    void checkBoxClick_routineItemMovesOnAndBoxStaysClear();
    void checkBoxClick_asksAboutSubitems();

    void drop_data();
    void drop();

    void expandCollapse_data();
    void expandCollapse();
    void restoreExpanded_followsTheItemsField();

private:
    TOutline& outline() { return *Core().Outline(); }
    TOutlineTree& tree() { return Core().Outline()->Tree(); }
    bool modified() { return Core().DataFile()->IsModified(); }

    std::unique_ptr<TTestCore> test_;
    std::unique_ptr<TRecordingWindow> window_;
};

void TestOutline::init()
{
    test_ = std::make_unique<TTestCore>();
    window_ = std::make_unique<TRecordingWindow>(test_->core());
}

void TestOutline::cleanup()
{
    window_.reset();
    test_.reset();
}

void TestOutline::nodeText_data()
{
    QTest::addColumn<TTaskType>("type");
    QTest::addColumn<TTaskStatus>("status");
    QTest::addColumn<TAccomplishType>("accomplish");
    QTest::addColumn<int>("daysAhead"); // of the next date
    QTest::addColumn<QString>("note");
    QTest::addColumn<bool>("icons");
    QTest::addColumn<bool>("dueDates");
    QTest::addColumn<QString>("text");

    const auto task = TTaskType::Task;
    const auto active = TTaskStatus::Active;
    const auto once = TAccomplishType::Once;
    QTest::newRow("task") << task << active << once << 0 << QString() << true << false
                          << u"<img src=\"idx:0\"> <font color=\"clBlack\">Paint</font>"_s;
    QTest::newRow("without icons the blank leads")
        << task << active << once << 0 << QString() << false << false
        << u" <font color=\"clBlack\">Paint</font>"_s;
    QTest::newRow("idea is silver")
        << TTaskType::Idea << active << once << 0 << QString() << true << false
        << u"<img src=\"idx:4\"> <font color=\"clSilver\">Paint</font>"_s;
    QTest::newRow("suspended is silver")
        << task << TTaskStatus::Suspended << once << 0 << QString() << true << false
        << u"<img src=\"idx:0\"> <font color=\"clSilver\">Paint</font>"_s;
    QTest::newRow("finished is done and silver")
        << TTaskType::Project << TTaskStatus::Finished << once << 0 << QString() << true << false
        << u"<img src=\"idx:1\"> <font color=\"clSilver\">Paint</font>"_s;
    QTest::newRow("delegated area is black")
        << TTaskType::Area << TTaskStatus::Delegated << once << 0 << QString() << true << false
        << u"<img src=\"idx:3\"> <font color=\"clBlack\">Paint</font>"_s;
    QTest::newRow("notes give a star")
        << task << active << once << 0 << u" buy brushes"_s << true << false
        << u"<img src=\"idx:0\"> <font color=\"clBlack\">Paint</font> <font size=\"6\">*</font>"_s;
    QTest::newRow("blank notes give none")
        << task << active << once << 0 << u"   "_s << true << false
        << u"<img src=\"idx:0\"> <font color=\"clBlack\">Paint</font>"_s;
    QTest::newRow("due dates: four blanks even for once")
        << task << active << once << 0 << QString() << true << true
        << u"<img src=\"idx:0\"> <font color=\"clBlack\">Paint</font>    "_s;
    QTest::newRow("due dates: due today after the star")
        << task << active << TAccomplishType::ByDueDate << 0 << u"x"_s << true << true
        << u"<img src=\"idx:0\"> <font color=\"clBlack\">Paint</font> <font size=\"6\">*</font>"
           u"    <font color=\"clGreen\">3/15/2026</font>"_s;
    QTest::newRow("due dates: routine, ahead")
        << task << active << TAccomplishType::Routinely << 3 << QString() << true << true
        << u"<img src=\"idx:0\"> <font color=\"clBlack\">Paint</font>    3/18/2026 "
           u"<img src=\"idx:8\">"_s;
    QTest::newRow("due dates off: no date")
        << task << active << TAccomplishType::Routinely << -1 << QString() << true << false
        << u"<img src=\"idx:0\"> <font color=\"clBlack\">Paint</font>"_s;
}

void TestOutline::nodeText()
{
    QFETCH(TTaskType, type);
    QFETCH(TTaskStatus, status);
    QFETCH(TAccomplishType, accomplish);
    QFETCH(int, daysAhead);
    QFETCH(QString, note);
    QFETCH(bool, icons);
    QFETCH(bool, dueDates);
    QFETCH(QString, text);

    Core().Config()->SetShowOutlineIcons(icons);
    Core().Config()->SetShowDueDatesInOutline(dueDates);
    TTask* item = BuildOutline({u"Task Paint"_s}).value(u"Paint"_s);
    item->SetTaskType(type);
    item->SetStatus(status);
    item->SetAccomplishType(accomplish);
    item->SetNextDate(test_->clock().Today() + daysAhead);
    item->SetNote(note);
    outline().UpdateOutlineRow(*item);

    QCOMPARE(item->OutlineNode()->Text(), text);
}

void TestOutline::nodeText_greyWhileBlockedByItemAbove()
{
    auto items =
        BuildOutline({u"Project Fence"_s, u" Task Buy"_s, u"  Task Choose"_s, u" Task Paint"_s});
    TTask* paint = items.value(u"Paint"_s);
    paint->SetDependOnPrevious(true);
    const auto colourOf = [&] {
        outline().UpdateOutlineRow(*paint);
        return paint->OutlineNode()->Text().contains(u"clSilver"_s) ? u"silver"_s : u"black"_s;
    };

    // The item just above is the last one of the previous sibling's subtree.
    QCOMPARE(colourOf(), u"silver"_s);
    items.value(u"Buy"_s)->SetChecked(true);
    QCOMPARE(colourOf(), u"silver"_s);
    items.value(u"Choose"_s)->SetChecked(true);
    QCOMPARE(colourOf(), u"black"_s);
}

void TestOutline::checkBox_data()
{
    QTest::addColumn<TTaskType>("type");
    QTest::addColumn<bool>("done");
    QTest::addColumn<TCheckState>("check");

    QTest::newRow("area") << TTaskType::Area << false << TCheckState::None;
    QTest::newRow("done area") << TTaskType::Area << true << TCheckState::None;
    QTest::newRow("task") << TTaskType::Task << false << TCheckState::Clear;
    QTest::newRow("done task") << TTaskType::Task << true << TCheckState::Ticked;
    QTest::newRow("done project") << TTaskType::Project << true << TCheckState::Ticked;
    QTest::newRow("idea") << TTaskType::Idea << false << TCheckState::Clear;
    QTest::newRow("goal") << TTaskType::Goal << false << TCheckState::Clear;
}

void TestOutline::checkBox()
{
    QFETCH(TTaskType, type);
    QFETCH(bool, done);
    QFETCH(TCheckState, check);

    TTask* item = BuildOutline({u"Task Paint"_s}).value(u"Paint"_s);
    item->SetTaskType(type);
    item->SetChecked(done);
    item->UpdateRows();

    QCOMPARE(item->OutlineNode()->Check(), check);
    QCOMPARE(outline().IsNodeChecked(*item), check == TCheckState::Ticked);
}

void TestOutline::addItemNode_isLastChildAndOpensParentOneLevel()
{
    auto items = BuildOutline({u"Area Home"_s, u" Project Fence"_s, u"  Task Paint"_s});
    TTask* home = items.value(u"Home"_s);
    TTask* fence = items.value(u"Fence"_s);
    tree().SetExpanded(home->OutlineNode(), false, true);

    TTask* garden = AddItem(home, u"Garden"_s, TTaskType::Project);
    outline().AddItemNode(*garden);

    QCOMPARE(garden->OutlineNode()->Parent(), home->OutlineNode());
    QCOMPARE(home->OutlineNode()->Children().Last(), garden->OutlineNode());
    QVERIFY(home->OutlineNode()->IsExpanded());
    QVERIFY(!fence->OutlineNode()->IsExpanded());

    TTask* work = AddItem(nullptr, u"Work"_s, TTaskType::Area);
    outline().AddItemNode(*work);
    QCOMPARE(TreeShape(tree()),
             QStringList({u"Home"_s, u" Fence"_s, u"  Paint"_s, u" Garden"_s, u"Work"_s}));
}

void TestOutline::addItemNode_selectsAndMakesCurrentOutsideBracketOnly()
{
    TTask* home = BuildOutline({u"Area Home"_s}).value(u"Home"_s);
    QCOMPARE(Core().CurrentItem(), home);

    Core().BeginUpdateViews();
    TTask* fence = AddItem(home, u"Fence"_s, TTaskType::Project);
    outline().AddItemNode(*fence);
    Core().EndUpdateViews();

    QCOMPARE(tree().SelectedNode(), fence->OutlineNode());
    QCOMPARE(Core().CurrentItem(), home);
}

void TestOutline::selectItem_selectsTheNodeOnce()
{
    auto items = BuildOutline({u"Area Home"_s, u" Project Fence"_s});
    TTask* home = items.value(u"Home"_s);
    window_->calls.clear();

    Core().SelectItem(home);

    QCOMPARE(tree().SelectedNode(), home->OutlineNode());
    QCOMPARE(window_->calls, QStringList({u"SelectItem Home"_s, u"AdjustControls"_s}));

    // The user selects another node: its item becomes current.
    window_->calls.clear();
    tree().SelectNode(items.value(u"Fence"_s)->OutlineNode());
    QCOMPARE(Core().CurrentItem(), items.value(u"Fence"_s));
    QCOMPARE(window_->calls, QStringList({u"SelectItem Fence"_s, u"AdjustControls"_s}));
}

void TestOutline::checkBoxClick_onceItemIsDoneAndMovesToDoneList()
{
    auto items = BuildOutline({u"Area Home"_s, u" Task Paint"_s});
    TTask* paint = items.value(u"Paint"_s);
    Core().SelectItem(items.value(u"Home"_s));
    window_->calls.clear();

    tree().ClickCheck(paint->OutlineNode());

    QVERIFY(paint->Checked());
    QCOMPARE(paint->Status(), TTaskStatus::Finished);
    QCOMPARE(paint->OutlineNode()->Check(), TCheckState::Ticked);
    QVERIFY(paint->OutlineNode()->Text().contains(u"clSilver"_s));
    QCOMPARE(NamesOf(Core().DoneView()->List()), QStringList{u"Paint"_s});
    QVERIFY(modified());
    QCOMPARE(Core().CurrentItem(), paint);
    QCOMPARE(window_->calls.mid(window_->calls.indexOf(u"LoadEditorControls"_s)),
             QStringList({u"LoadEditorControls"_s, u"AdjustControls"_s}));

    tree().ClickCheck(paint->OutlineNode());
    QVERIFY(!paint->Checked());
    QCOMPARE(paint->OutlineNode()->Check(), TCheckState::Clear);
    QCOMPARE(Core().DoneView()->List().RowCount(), 0);
}

void TestOutline::checkBoxClick_routineItemMovesOnAndBoxStaysClear()
{
    TTask* water = BuildOutline({u"Task Water"_s}).value(u"Water"_s);
    water->SetAccomplishType(TAccomplishType::Routinely);
    water->SetRepeatType(TPeriodType::Weeks);
    water->SetRepeatValue(1);
    const TDateTime next = water->NextDate();

    tree().ClickCheck(water->OutlineNode());

    QVERIFY(!water->Checked());
    QCOMPARE(water->NextDate(), next + 7);
    QCOMPARE(water->OutlineNode()->Check(), TCheckState::Clear);
    QVERIFY(modified());
}

void TestOutline::checkBoxClick_asksAboutSubitems()
{
    auto items = BuildOutline({u"Project Fence"_s, u" Task Buy"_s, u"  Task Choose"_s});
    test_->prompts().QueueAnswer(true);

    tree().ClickCheck(items.value(u"Fence"_s)->OutlineNode());

    QCOMPARE(test_->prompts().Questions().size(), 1);
    for (const QString& name : {u"Fence"_s, u"Buy"_s, u"Choose"_s})
        QCOMPARE(items.value(name)->OutlineNode()->Check(), TCheckState::Ticked);
    QCOMPARE(NamesOf(Core().DoneView()->List()), QStringList({u"Buy"_s, u"Choose"_s, u"Fence"_s}));
}

void TestOutline::drop_data()
{
    QTest::addColumn<QString>("dragged");
    QTest::addColumn<QString>("target"); // empty: over empty space
    QTest::addColumn<QStringList>("shape");

    const QStringList unchanged = {u"Home"_s, u" Fence"_s, u"  Paint"_s, u" Garden"_s, u"Work"_s};
    QTest::newRow("onto empty space") << u"Fence"_s << QString() << unchanged;
    QTest::newRow("onto itself") << u"Fence"_s << u"Fence"_s << unchanged;
    QTest::newRow("onto its own subitem") << u"Home"_s << u"Paint"_s << unchanged;
    QTest::newRow("onto its parent: to the end")
        << u"Fence"_s << u"Home"_s
        << QStringList({u"Home"_s, u" Garden"_s, u" Fence"_s, u"  Paint"_s, u"Work"_s});
    QTest::newRow("with its subtree")
        << u"Fence"_s << u"Work"_s
        << QStringList({u"Home"_s, u" Garden"_s, u"Work"_s, u" Fence"_s, u"  Paint"_s});
    QTest::newRow("onto a sibling")
        << u"Garden"_s << u"Fence"_s
        << QStringList({u"Home"_s, u" Fence"_s, u"  Paint"_s, u"  Garden"_s, u"Work"_s});
    QTest::newRow("up to an ancestor's sibling")
        << u"Paint"_s << u"Work"_s
        << QStringList({u"Home"_s, u" Fence"_s, u" Garden"_s, u"Work"_s, u" Paint"_s});
}

void TestOutline::drop()
{
    QFETCH(QString, dragged);
    QFETCH(QString, target);
    QFETCH(QStringList, shape);

    auto items = BuildOutline({u"Area Home"_s, u" Project Fence"_s, u"  Task Paint"_s,
                               u" Project Garden"_s, u"Area Work"_s});
    const QStringList before = TreeShape(tree());
    TOutlineNode* targetNode = target.isEmpty() ? nullptr : items.value(target)->OutlineNode();

    tree().Drop(items.value(dragged)->OutlineNode(), targetNode);

    QCOMPARE(TreeShape(tree()), shape);
    QCOMPARE(ModelShape(*Core().Tasks()), shape);
    QCOMPARE(modified(), shape != before);
    if (shape != before)
        QCOMPARE(items.value(dragged)->ParentId(), items.value(target)->Id());
}

void TestOutline::expandCollapse_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("expanded");

    // Every node with subitems starts expanded except Fence; Fence is the current item.
    QTest::newRow("collapse all") << u"CollapseAll"_s
                                  << QStringList({u"Home"_s, u"Work"_s, u"Desk"_s});
    QTest::newRow("expand all") << u"ExpandAll"_s
                                << QStringList({u"Home"_s, u"Fence"_s, u"Paint"_s, u"Garden"_s,
                                                u"Work"_s, u"Desk"_s});
    QTest::newRow("expand one level")
        << u"Expand"_s
        << QStringList({u"Home"_s, u"Fence"_s, u"Paint"_s, u"Garden"_s, u"Work"_s, u"Desk"_s});
    QTest::newRow("collapse with everything below")
        << u"Collapse"_s << QStringList({u"Home"_s, u"Garden"_s, u"Work"_s, u"Desk"_s});
}

void TestOutline::expandCollapse()
{
    QFETCH(QString, command);
    QFETCH(QStringList, expanded);

    auto items = BuildOutline({u"Area Home"_s, u" Project Fence"_s, u"  Project Paint"_s,
                               u"   Task Brush"_s, u" Project Garden"_s, u"  Task Dig"_s,
                               u"Area Work"_s, u" Project Desk"_s, u"  Task Tidy"_s});
    const QStringList parents = {u"Home"_s,   u"Fence"_s, u"Paint"_s,
                                 u"Garden"_s, u"Work"_s,  u"Desk"_s};
    for (const QString& name : parents)
        tree().SetExpanded(items.value(name)->OutlineNode(), true, false);
    tree().SetExpanded(items.value(u"Fence"_s)->OutlineNode(), false, false);
    Core().SelectItem(items.value(u"Fence"_s));

    if (command == u"CollapseAll")
        outline().mnCollapseAll();
    else if (command == u"ExpandAll")
        outline().mnExpandAll();
    else if (command == u"Expand")
        outline().mnExpand();
    else
        outline().mnCollapse();

    QStringList actual;
    for (const QString& name : parents) {
        if (items.value(name)->OutlineNode()->IsExpanded())
            actual.append(name);
    }
    QCOMPARE(actual, expanded);
}

void TestOutline::restoreExpanded_followsTheItemsField()
{
    auto items = BuildOutline({u"Area Home"_s, u" Project Fence"_s, u"  Task Paint"_s});
    items.value(u"Home"_s)->SetExpanded(false);
    items.value(u"Fence"_s)->SetExpanded(true);

    Core().Tasks()->RestoreExpanded();

    QVERIFY(!items.value(u"Home"_s)->OutlineNode()->IsExpanded());
    QVERIFY(items.value(u"Fence"_s)->OutlineNode()->IsExpanded());
}

QTEST_GUILESS_MAIN(TestOutline)
#include "tst_outline.moc"
