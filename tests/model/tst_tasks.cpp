#include "ModelFixture.h"

#include "app/AppStatus.h"
#include "languages/LanguagesEngine.h"
#include "model/Tasks.h"
#include "support/TestCore.h"

#include <QtTest>

// The item tree: adding, lookups, counts, deleting, cleaning, moving and the outline order.
class TstTasks : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void add_appendsToListAndAsLastChild();
    void findByIdText_data();
    void findByIdText();
    void findById_firstAddedWins_nextTakesOver();
    void findByRow();
    void countSubitems_data();
    void countSubitems();
    void countDoneAndByType();
    void counts_followEveryChange_data();
    void counts_followEveryChange();

    void delete_removesSubtree_descendantsFirst();
    void delete_forgetsCurrentItem_data();
    void delete_forgetsCurrentItem();
    void clean_data();
    void clean();
    void clean_forgetsCurrentItem();
    void clear_releasesEverything();

    void moveUpDown_data();
    void moveUpDown();
    void moveUnder_data();
    void moveUnder();
    void previousInOutline_data();
    void previousInOutline();
    void outlineOrder_isSiblingOrder_listOrderIsAddingOrder();

    void restoreExpanded_visitsListOrder();
    void updateViews_rebuildsEveryItemUnderStatus();
    void updateViews_stopsAtFirstError();
};

namespace {

const QStringList familyOutline = {
    u"Home"_qs,    u" Fence"_qs, u"  Buy paint"_qs, u"  Paint"_qs,
    u"  Clean"_qs, u" Gate"_qs,  u"Work"_qs,
};
// The same items in list order, which is also their outline order.
const QStringList familyNames = {u"Home"_qs,  u"Fence"_qs, u"Buy paint"_qs, u"Paint"_qs,
                                 u"Clean"_qs, u"Gate"_qs,  u"Work"_qs};

} // namespace

void TstTasks::add_appendsToListAndAsLastChild()
{
    TTestCore test;
    TTasks& tasks = *test.core().Tasks();
    auto items = BuildOutline(tasks, {u"Home"_qs, u" Fence"_qs, u"Work"_qs});
    TTask* gate = AddNamed(tasks, items[u"Home"_qs], u"Gate"_qs);

    QCOMPARE(NamesOf(tasks.Children(items[u"Home"_qs])), QStringList({u"Fence"_qs, u"Gate"_qs}));
    QCOMPARE(NamesOf(tasks.Children(nullptr)), QStringList({u"Home"_qs, u"Work"_qs}));
    QCOMPARE(NamesInListOrder(tasks).last(), u"Gate"_qs);
    QCOMPARE(tasks.IndexAmongSiblings(*gate), 1);
    QCOMPARE(tasks.Count(), 4);
}

void TstTasks::findByIdText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("found");
    QTest::newRow("root") << u"root"_qs << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("not an id") << u"Home"_qs << false;
    QTest::newRow("an id no item has") << u"{00000000-0000-0000-0000-000000000007}"_qs << false;
    QTest::newRow("the item's id") << u"{3F2504E0-4F89-11D3-9A0C-0305E82C3301}"_qs << true;
    QTest::newRow("in lower case") << u"{3f2504e0-4f89-11d3-9a0c-0305e82c3301}"_qs << true;
    QTest::newRow("without braces") << u"3F2504E0-4F89-11D3-9A0C-0305E82C3301"_qs << false;
}

void TstTasks::findByIdText()
{
    QFETCH(QString, text);
    QFETCH(bool, found);
    TTestCore test;
    TTasks& tasks = *test.core().Tasks();
    tasks.Add(nullptr);
    TTask* item = tasks.Add(nullptr);
    item->SetIdText(u"{3F2504E0-4F89-11D3-9A0C-0305E82C3301}");
    QCOMPARE(tasks.FindByIdText(text), found ? item : nullptr);
}

void TstTasks::findById_firstAddedWins_nextTakesOver()
{
    // A damaged file may repeat an id; the item added first must win, whenever it got the id.
    TTestCore test;
    TTasks& tasks = *test.core().Tasks();
    auto items = BuildOutline(tasks, {u"First"_qs, u"Second"_qs, u"Third"_qs});
    const QUuid shared = QUuid::createUuid();
    items[u"Third"_qs]->SetId(shared);
    QCOMPARE(tasks.FindById(shared), items[u"Third"_qs]);
    items[u"Second"_qs]->SetId(shared);
    items[u"First"_qs]->SetId(shared);
    QCOMPARE(tasks.FindById(shared), items[u"First"_qs]);

    tasks.Delete(*items[u"First"_qs]);
    QCOMPARE(tasks.FindById(shared), items[u"Second"_qs]);

    const QUuid own = QUuid::createUuid();
    items[u"Second"_qs]->SetId(own);
    QCOMPARE(tasks.FindById(shared), items[u"Third"_qs]);
    QCOMPARE(tasks.FindById(own), items[u"Second"_qs]);
}

void TstTasks::findByRow()
{
    TTestCore test;
    TTasks& tasks = *test.core().Tasks();
    tasks.Add(nullptr);
    TTask* item = tasks.Add(nullptr);
    TStandInRow row(item);
    QCOMPARE(tasks.FindByRow(&row), item);
    QCOMPARE(tasks.FindByRow(nullptr), nullptr);
}

void TstTasks::countSubitems_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("direct");
    QTest::addColumn<int>("all");
    QTest::newRow("leaf") << u"Gate"_qs << 0 << 0;
    QTest::newRow("two children, one with three") << u"Home"_qs << 2 << 5;
    QTest::newRow("three leaves") << u"Fence"_qs << 3 << 3;
}

void TstTasks::countSubitems()
{
    QFETCH(QString, item);
    TTestCore test;
    TTasks& tasks = *test.core().Tasks();
    auto items = BuildOutline(tasks, familyOutline);
    QTEST(tasks.CountSubitems(*items[item], false), "direct");
    QTEST(tasks.CountSubitems(*items[item], true), "all");
}

void TstTasks::countDoneAndByType()
{
    TTestCore test;
    TTasks& tasks = *test.core().Tasks();
    auto items = BuildOutline(tasks, familyOutline);
    QCOMPARE(tasks.CountByType(TTaskType::Area), 2);    // the top-level items
    QCOMPARE(tasks.CountByType(TTaskType::Project), 2); // under an area
    QCOMPARE(tasks.CountByType(TTaskType::Task), 3);    // under a project
    QCOMPARE(tasks.CountByType(TTaskType::Idea), 0);
    QCOMPARE(tasks.CountDone(), 0);
    items[u"Paint"_qs]->SetChecked(true);
    items[u"Work"_qs]->SetChecked(true);
    QCOMPARE(tasks.CountDone(), 2);
}

void TstTasks::counts_followEveryChange_data()
{
    // Each step is "verb [item [value]]"; the counts must match a scan of the items after each.
    QTest::addColumn<QStringList>("steps");
    QTest::newRow("done flag set twice, then cleared")
        << QStringList{u"check Paint"_qs, u"check Paint"_qs, u"uncheck Paint"_qs};
    QTest::newRow("status couples the done flag") << QStringList{
        u"status Fence Finished"_qs, u"status Fence Finished"_qs, u"status Fence Suspended"_qs};
    QTest::newRow("type by value and by text, unknown text kept")
        << QStringList{u"type Gate Idea"_qs, u"typetext Gate Goal"_qs, u"typetext Gate Nonsense"_qs,
                       u"type Gate Goal"_qs};
    QTest::newRow("a deleted subtree takes its done items and types along")
        << QStringList{u"check Paint"_qs, u"check Home"_qs, u"delete Fence"_qs};
    QTest::newRow("clean, then new items")
        << QStringList{u"check Fence"_qs, u"check Work"_qs, u"clean"_qs, u"add Home"_qs, u"add"_qs};
    QTest::newRow("moving changes nothing") << QStringList{u"check Gate"_qs, u"move Gate Work"_qs};
    QTest::newRow("clear, then a new item")
        << QStringList{u"check Paint"_qs, u"type Home Idea"_qs, u"clear"_qs, u"add"_qs};
}

void TstTasks::counts_followEveryChange()
{
    QFETCH(QStringList, steps);
    TTestCore test;
    TTasks& tasks = *test.core().Tasks();
    auto items = BuildOutline(tasks, familyOutline);
    for (const QString& step : steps) {
        const QStringList words = step.split(u' ');
        const QString& verb = words.at(0);
        TTask* item = words.size() > 1 ? items.value(words.at(1)) : nullptr;
        if (verb == u"check" || verb == u"uncheck")
            item->SetChecked(verb == u"check");
        else if (verb == u"status")
            item->SetStatus(*TaskStatusFromName(words.at(2)));
        else if (verb == u"type")
            item->SetTaskType(*TaskTypeFromName(words.at(2)));
        else if (verb == u"typetext")
            item->SetTypeText(words.at(2));
        else if (verb == u"delete")
            tasks.Delete(*item);
        else if (verb == u"clean")
            tasks.Clean();
        else if (verb == u"move")
            tasks.MoveUnder(*item, *items.value(words.at(2)));
        else if (verb == u"clear")
            tasks.Clear();
        else if (verb == u"add")
            tasks.Add(item);
        else
            QFAIL(qPrintable(u"unknown step " + step));

        int done = 0;
        QHash<TTaskType, int> byType;
        for (const TTask& each : tasks.Items()) {
            done += each.Checked() ? 1 : 0;
            ++byType[each.TaskType()];
        }
        QCOMPARE(tasks.CountDone(), done);
        for (TTaskType type : AllTaskTypes)
            QCOMPARE(tasks.CountByType(type), byType.value(type));
    }
}

void TstTasks::delete_removesSubtree_descendantsFirst()
{
    TTestCore test;
    TTasks& tasks = *test.core().Tasks();
    auto items = BuildOutline(tasks, familyOutline);
    TRecordingViews views(test.core());
    const int expected = tasks.Count() - 1 - tasks.CountSubitems(*items[u"Fence"_qs], true);

    tasks.Delete(*items[u"Fence"_qs]);
    QCOMPARE(tasks.Count(), expected);
    QCOMPARE(NamesInListOrder(tasks), QStringList({u"Home"_qs, u"Gate"_qs, u"Work"_qs}));
    QCOMPARE(views.Calls(), QStringList({u"DeleteRows Clean"_qs, u"DeleteRows Paint"_qs,
                                         u"DeleteRows Buy paint"_qs, u"DeleteRows Fence"_qs}));
    // The sibling that stays has moved up and knows it.
    QCOMPARE(tasks.IndexAmongSiblings(*items[u"Gate"_qs]), 0);
    QCOMPARE(tasks.PreviousInOutline(*items[u"Gate"_qs]), items[u"Home"_qs]);
}

void TstTasks::delete_forgetsCurrentItem_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<bool>("forgotten");
    QTest::newRow("the deleted item") << u"Fence"_qs << true;
    QTest::newRow("below the deleted item") << u"Paint"_qs << true;
    QTest::newRow("its parent") << u"Home"_qs << false;
    QTest::newRow("its sibling") << u"Gate"_qs << false;
}

void TstTasks::delete_forgetsCurrentItem()
{
    QFETCH(QString, current);
    QFETCH(bool, forgotten);
    TTestCore test;
    TTasks& tasks = *test.core().Tasks();
    auto items = BuildOutline(tasks, familyOutline);
    test.core().SelectItem(items[current]);
    tasks.Delete(*items[u"Fence"_qs]);
    QCOMPARE(test.core().CurrentItem(), forgotten ? nullptr : items[current]);
}

void TstTasks::clean_data()
{
    QTest::addColumn<QStringList>("done");
    QTest::addColumn<QStringList>("remaining");
    QTest::newRow("nothing done") << QStringList()
                                  << QStringList({u"Home"_qs, u"Fence"_qs, u"Buy paint"_qs,
                                                  u"Paint"_qs, u"Clean"_qs, u"Gate"_qs,
                                                  u"Work"_qs});
    QTest::newRow("a done parent takes its undone subitems")
        << QStringList({u"Fence"_qs}) << QStringList({u"Home"_qs, u"Gate"_qs, u"Work"_qs});
    QTest::newRow("done leaves") << QStringList({u"Buy paint"_qs, u"Clean"_qs, u"Work"_qs})
                                 << QStringList({u"Home"_qs, u"Fence"_qs, u"Paint"_qs, u"Gate"_qs});
    QTest::newRow("done items inside a done subtree")
        << QStringList({u"Home"_qs, u"Paint"_qs, u"Gate"_qs}) << QStringList({u"Work"_qs});
    QTest::newRow("everything done")
        << QStringList({u"Home"_qs, u"Fence"_qs, u"Buy paint"_qs, u"Paint"_qs, u"Clean"_qs,
                        u"Gate"_qs, u"Work"_qs})
        << QStringList();
}

void TstTasks::clean()
{
    QFETCH(QStringList, done);
    QFETCH(QStringList, remaining);
    TTestCore test;
    TTasks& tasks = *test.core().Tasks();
    auto items = BuildOutline(tasks, familyOutline);
    for (const QString& name : done)
        items[name]->SetChecked(true);
    TRecordingViews views(test.core());

    tasks.Clean();
    QCOMPARE(NamesInListOrder(tasks), remaining);
    QCOMPARE(NamesInOutlineOrder(tasks), remaining);
    QCOMPARE(views.Calls().size(), familyOutline.size() - remaining.size());
    for (const TTask& item : tasks.Items()) {
        const QList<TTask*>& siblings = tasks.Children(item.Parent());
        QCOMPARE(siblings.at(tasks.IndexAmongSiblings(item)), &item);
    }
}

void TstTasks::clean_forgetsCurrentItem()
{
    TTestCore test;
    TTasks& tasks = *test.core().Tasks();
    auto items = BuildOutline(tasks, familyOutline);
    items[u"Fence"_qs]->SetChecked(true);
    test.core().SelectItem(items[u"Clean"_qs]);
    tasks.Clean();
    QCOMPARE(test.core().CurrentItem(), nullptr);
}

void TstTasks::clear_releasesEverything()
{
    TTestCore test;
    TTasks& tasks = *test.core().Tasks();
    auto items = BuildOutline(tasks, familyOutline);
    const QUuid id = items[u"Paint"_qs]->Id();
    test.core().SelectItem(items[u"Paint"_qs]);
    TRecordingViews views(test.core());

    tasks.Clear();
    QCOMPARE(tasks.Count(), 0);
    QVERIFY(tasks.Children(nullptr).isEmpty());
    QCOMPARE(tasks.FirstInOutline(), nullptr);
    QCOMPARE(tasks.FindById(id), nullptr);
    QCOMPARE(test.core().CurrentItem(), nullptr);
    QVERIFY(views.Calls().isEmpty()); // the caller empties the views
}

void TstTasks::moveUpDown_data()
{
    QTest::addColumn<QString>("moves"); // U or D for each move of the item
    QTest::addColumn<QString>("item");
    QTest::addColumn<QStringList>("order");
    const QStringList unchanged = {u"Buy paint"_qs, u"Paint"_qs, u"Clean"_qs};
    QTest::newRow("first child up") << u"U"_qs << u"Buy paint"_qs << unchanged;
    QTest::newRow("last child down") << u"D"_qs << u"Clean"_qs << unchanged;
    QTest::newRow("middle down then up") << u"DU"_qs << u"Paint"_qs << unchanged;
    QTest::newRow("middle up") << u"U"_qs << u"Paint"_qs
                               << QStringList({u"Paint"_qs, u"Buy paint"_qs, u"Clean"_qs});
    QTest::newRow("first down twice")
        << u"DD"_qs << u"Buy paint"_qs << QStringList({u"Paint"_qs, u"Clean"_qs, u"Buy paint"_qs});
}

void TstTasks::moveUpDown()
{
    QFETCH(QString, moves);
    QFETCH(QString, item);
    QFETCH(QStringList, order);
    TTestCore test;
    TTasks& tasks = *test.core().Tasks();
    auto items = BuildOutline(tasks, familyOutline);
    for (QChar move : moves) {
        if (move == u'U')
            tasks.MoveUp(*items[item]);
        else
            tasks.MoveDown(*items[item]);
    }
    const QList<TTask*>& children = tasks.Children(items[u"Fence"_qs]);
    QCOMPARE(NamesOf(children), order);
    QCOMPARE(tasks.IndexAmongSiblings(*items[item]), order.indexOf(item));
    QCOMPARE(NamesInListOrder(tasks), familyNames);
}

void TstTasks::moveUnder_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("outline");
    QTest::addColumn<QString>("parent");
    QTest::newRow("onto itself") << u"Fence"_qs << u"Fence"_qs << familyNames << u"Home"_qs;
    QTest::newRow("onto its child") << u"Fence"_qs << u"Paint"_qs << familyNames << u"Home"_qs;
    QTest::newRow("onto a deeper descendant")
        << u"Home"_qs << u"Clean"_qs << familyNames << QString();
    QTest::newRow("onto its own parent goes last")
        << u"Buy paint"_qs << u"Fence"_qs
        << QStringList({u"Home"_qs, u"Fence"_qs, u"Paint"_qs, u"Clean"_qs, u"Buy paint"_qs,
                        u"Gate"_qs, u"Work"_qs})
        << u"Fence"_qs;
    QTest::newRow("a subtree elsewhere")
        << u"Fence"_qs << u"Work"_qs
        << QStringList({u"Home"_qs, u"Gate"_qs, u"Work"_qs, u"Fence"_qs, u"Buy paint"_qs,
                        u"Paint"_qs, u"Clean"_qs})
        << u"Work"_qs;
}

void TstTasks::moveUnder()
{
    QFETCH(QString, item);
    QFETCH(QString, target);
    QFETCH(QString, parent);
    TTestCore test;
    TTasks& tasks = *test.core().Tasks();
    auto items = BuildOutline(tasks, familyOutline);

    tasks.MoveUnder(*items[item], *items[target]);
    QTEST(NamesInOutlineOrder(tasks), "outline");
    TTask* const newParent = items.value(parent);
    QCOMPARE(items[item]->Parent(), newParent);
    QCOMPARE(items[item]->ParentId(), newParent ? newParent->Id() : QUuid());
    QCOMPARE(NamesInListOrder(tasks), familyNames);
}

void TstTasks::previousInOutline_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("previous");
    QTest::newRow("the very first item") << u"Home"_qs << QString();
    QTest::newRow("a first child: its parent") << u"Fence"_qs << u"Home"_qs;
    QTest::newRow("after a leaf: the leaf") << u"Paint"_qs << u"Buy paint"_qs;
    QTest::newRow("after a subtree: its last item") << u"Gate"_qs << u"Clean"_qs;
    QTest::newRow("top level after a deep subtree") << u"Work"_qs << u"Gate"_qs;
}

void TstTasks::previousInOutline()
{
    QFETCH(QString, item);
    QFETCH(QString, previous);
    TTestCore test;
    TTasks& tasks = *test.core().Tasks();
    auto items = BuildOutline(tasks, familyOutline);
    QCOMPARE(tasks.PreviousInOutline(*items[item]), items.value(previous));
}

void TstTasks::outlineOrder_isSiblingOrder_listOrderIsAddingOrder()
{
    TTestCore test;
    TTasks& tasks = *test.core().Tasks();
    auto items = BuildOutline(tasks, familyOutline);
    tasks.MoveDown(*items[u"Fence"_qs]);
    tasks.MoveUp(*items[u"Work"_qs]);
    QCOMPARE(NamesInOutlineOrder(tasks),
             QStringList({u"Work"_qs, u"Home"_qs, u"Gate"_qs, u"Fence"_qs, u"Buy paint"_qs,
                          u"Paint"_qs, u"Clean"_qs}));
    QCOMPARE(NamesInListOrder(tasks), familyNames);
    QCOMPARE(NamesOf(tasks.Subtree(*items[u"Home"_qs])),
             QStringList(
                 {u"Home"_qs, u"Gate"_qs, u"Fence"_qs, u"Buy paint"_qs, u"Paint"_qs, u"Clean"_qs}));
}

void TstTasks::restoreExpanded_visitsListOrder()
{
    TTestCore test;
    TTasks& tasks = *test.core().Tasks();
    auto items = BuildOutline(tasks, {u"Home"_qs, u" Fence"_qs, u"Work"_qs});
    tasks.MoveUp(*items[u"Work"_qs]);
    TRecordingViews views(test.core());
    tasks.RestoreExpanded();
    QCOMPARE(views.Calls(), QStringList({u"RestoreExpanded Home"_qs, u"RestoreExpanded Fence"_qs,
                                         u"RestoreExpanded Work"_qs}));
}

namespace {

// Writes every status change into the views' record, so that its place among the calls shows.
class TStatusWatch {
public:
    TStatusWatch(TCore& core, TRecordingViews& views)
        : provider_(*core.StatusProvider()), listener_(new TAppStatusListener)
    {
        listener_->SetHandler(
            [&views](void*, const TAppStatus& status) { views.Note(u"Status " + status.Text()); },
            nullptr);
        provider_.AddListener(listener_);
    }
    ~TStatusWatch() { provider_.RemoveListener(listener_); }
    TStatusWatch(const TStatusWatch&) = delete;
    TStatusWatch& operator=(const TStatusWatch&) = delete;

private:
    TAppStatusProvider& provider_;
    TAppStatusListener* listener_; // the provider releases it
};

} // namespace

void TstTasks::updateViews_rebuildsEveryItemUnderStatus()
{
    TTestCore test;
    test.core().LanguagesEngine()->SetLanguage(TLanguage::English);
    TTasks& tasks = *test.core().Tasks();
    auto items = BuildOutline(tasks, {u"Home"_qs, u" Fence"_qs, u"Work"_qs});
    tasks.MoveUp(*items[u"Work"_qs]);
    TRecordingViews views(test.core());
    TStatusWatch watch(test.core(), views);

    tasks.UpdateViews();
    QCOMPARE(views.Calls(),
             QStringList({u"Status Updating views"_qs, u"UpdateRows Home"_qs,
                          u"UpdateRows Fence"_qs, u"UpdateRows Work"_qs, u"Status "_qs}));
    QVERIFY(test.prompts().Errors().isEmpty());
}

void TstTasks::updateViews_stopsAtFirstError()
{
    TTestCore test;
    TTasks& tasks = *test.core().Tasks();
    auto items = BuildOutline(tasks, {u"Home"_qs, u" Fence"_qs, u"Work"_qs});
    TRecordingViews views(test.core());
    TStatusWatch watch(test.core(), views);
    views.failOn = items[u"Fence"_qs];

    tasks.UpdateViews();
    // Czech status; the caption of the error stays English.
    QCOMPARE(views.Calls(), QStringList({u"Status Aktulizace pohledů"_qs, u"UpdateRows Home"_qs,
                                         u"UpdateRows Fence"_qs, u"Status "_qs}));
    QCOMPARE(test.prompts().Errors(),
             QStringList({u"Error updating tasks nodes | no row for Fence"_qs}));
}

QTEST_GUILESS_MAIN(TstTasks)
#include "tst_tasks.moc"
