#include "ViewsFixture.h"

#include "views/Done.h"
#include "views/Goals.h"
#include "views/Projects.h"
#include "views/ToDo.h"

#include <QTest>
#include <memory>

// Every item's rows across the five views: the update bracket, deleting and clearing them.
class TestItemRows : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void bracket_holdsEveryViewAndTheFirstEndClearsTheFlag();
    void bracket_selectionLeavesTheCurrentItemAlone();
    void deleteRows_takesTheSubtreeFromEveryView();
    void clearViews_data();
    void clearViews();

private:
    QList<TKavView*> Lists() const
    {
        return {Core().TodoView(), Core().ProjectsView(), Core().GoalsView(), Core().DoneView()};
    }
    // An item in each list and one whose rows are only in the outline.
    QHash<QString, TTask*> BuildItemsInEveryView()
    {
        auto items = BuildOutline({u"Area Home"_s, u" Goal Health"_s, u"  Project Fence"_s,
                                   u"   Task Paint"_s, u"   Task Dig"_s});
        items.value(u"Dig"_s)->SetChecked(true);
        Core().Tasks()->UpdateViews();
        return items;
    }

    std::unique_ptr<TTestCore> test_;
};

void TestItemRows::init()
{
    test_ = std::make_unique<TTestCore>();
    Core().Contexts()->Reset();
}

void TestItemRows::cleanup()
{
    test_.reset();
}

void TestItemRows::bracket_holdsEveryViewAndTheFirstEndClearsTheFlag()
{
    const auto updating = [this] {
        QList<bool> states = {Core().Outline()->IsUpdating(),
                              Core().Outline()->Tree().IsUpdating()};
        for (const TKavView* view : Lists())
            states.append(view->List().IsUpdating());
        return states;
    };

    Core().BeginUpdateViews();
    Core().BeginUpdateViews();
    QCOMPARE(updating(), QList<bool>({true, true, true, true, true, true}));

    Core().EndUpdateViews();
    QCOMPARE(updating(), QList<bool>({false, true, true, true, true, true}));

    Core().EndUpdateViews();
    QCOMPARE(updating(), QList<bool>({false, false, false, false, false, false}));
}

void TestItemRows::bracket_selectionLeavesTheCurrentItemAlone()
{
    auto items = BuildOutline({u"Area Home"_s, u" Project Fence"_s});
    Core().SelectItem(items.value(u"Home"_s));

    Core().BeginUpdateViews();
    Core().Outline()->Tree().SelectNode(items.value(u"Fence"_s)->OutlineNode());
    Core().EndUpdateViews();
    QCOMPARE(Core().CurrentItem(), items.value(u"Home"_s));
}

void TestItemRows::deleteRows_takesTheSubtreeFromEveryView()
{
    auto items = BuildItemsInEveryView();
    TTask* health = items.value(u"Health"_s);
    QCOMPARE(Core().Outline()->Tree().Count(), 5);
    for (const TKavView* view : Lists())
        QCOMPARE(view->List().RowCount(), 1);

    // The item's own rows go, and with its node every node below it.
    health->DeleteRows();

    QCOMPARE(TreeShape(Core().Outline()->Tree()), QStringList{u"Home"_s});
    QCOMPARE(Core().GoalsView()->List().RowCount(), 0);
    QCOMPARE(health->GoalsRow(), nullptr);
    for (const QString& name : {u"Health"_s, u"Fence"_s, u"Paint"_s, u"Dig"_s})
        QCOMPARE(items.value(name)->OutlineNode(), nullptr);
    QCOMPARE(NamesOf(Core().TodoView()->List()), QStringList{u"Paint"_s});
    QVERIFY(items.value(u"Home"_s)->OutlineNode());

    // Deleting the item takes every row of its subtree.
    Core().Tasks()->Delete(*health);
    for (const TKavView* view : Lists())
        QCOMPARE(view->List().RowCount(), 0);
    QCOMPARE(Core().Outline()->Tree().Count(), 1);
}

void TestItemRows::clearViews_data()
{
    QTest::addColumn<bool>("itemsFirst");

    QTest::newRow("views, then items") << false;
    QTest::newRow("items, then views") << true;
}

void TestItemRows::clearViews()
{
    QFETCH(bool, itemsFirst);

    const auto items = BuildItemsInEveryView();
    const auto viewsAreEmpty = [this] {
        if (Core().Outline()->Tree().Count() != 0)
            return false;
        for (const TKavView* view : Lists()) {
            if (view->List().RowCount() != 0)
                return false;
        }
        return true;
    };

    if (itemsFirst) {
        // No row may go on naming a released item, not even until the views are cleared.
        Core().Tasks()->Clear();
        QVERIFY(viewsAreEmpty());
        Core().ClearViews();
    } else {
        Core().ClearViews();
        QVERIFY(viewsAreEmpty());
        for (const TTask* item : items) {
            QCOMPARE(item->OutlineNode(), nullptr);
            for (const TKavView* view : Lists())
                QCOMPARE(view->RowOf(*item), nullptr);
        }
        Core().Tasks()->Clear();
    }
    QVERIFY(viewsAreEmpty());
    QCOMPARE(Core().Tasks()->Count(), 0);

    // The views fill again as usual.
    BuildItemsInEveryView();
    QCOMPARE(Core().Outline()->Tree().Count(), 5);
    for (const TKavView* view : Lists())
        QCOMPARE(view->List().RowCount(), 1);
}

QTEST_GUILESS_MAIN(TestItemRows)
#include "tst_itemrows.moc"
