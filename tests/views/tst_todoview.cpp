#include "ViewsFixture.h"

#include "app/Config.h"
#include "datafile/DataFile.h"
#include "languages/LanguagesEngine.h"
#include "model/SubContexts.h"
#include "platform/Clock.h"
#include "platform/Error.h"
#include "platform/Guid.h"
#include "views/Done.h"
#include "views/ToDo.h"

#include <QTest>
#include <memory>

namespace {

// A clock that fails once when armed, so that the log can still stamp the line about it.
class TFailingClock final : public IClock {
public:
    explicit TFailingClock(TDateTime now) : now_(now) {}
    TDateTime Now() const override
    {
        if (armed) {
            armed = false;
            throw TError(u"clock stopped"_s);
        }
        return now_;
    }
    mutable bool armed = false;

private:
    TDateTime now_;
};

} // namespace

class TestTodoView : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void membershipByContext_data();
    void membershipByContext();
    void membershipByItem_data();
    void membershipByItem();
    void membership_waitsForTheItemAbove();
    void reasons_data();
    void reasons();
    void reasons_agreeWithTheRowsForEveryChoice();
    void cells_data();
    void cells();
    void order_data();
    void order();

    void chooser_fillSelectAndChosen();
    void quickSelection_data();
    void quickSelection();
    void chooserAndCheckBox_rebuildTheList();

    void selectingRow_makesItemCurrentAndShowsItsPath();
    void doneLink_data();
    void doneLink();
    void rowBuilderError_isLoggedAndRaisedAgain();

private:
    TTodoView& view() { return *Core().TodoView(); }
    TTask* AddTask(const QString& name, const TKavContext* context)
    {
        TTask* item = AddItem(nullptr, name, TTaskType::Task);
        item->SetContextId(context ? context->Id() : Guid::Create());
        return item;
    }
    void Choose(const TKavContext* context)
    {
        view().cboxToDoContextChange(context ? Core().Contexts()->IndexOf(context) + 1 : 0);
    }
    QHash<QString, TTask*> BuildReasonsFixture();

    std::unique_ptr<TTestCore> test_;
    std::unique_ptr<TRecordingWindow> window_;
};

void TestTodoView::init()
{
    test_ = std::make_unique<TTestCore>();
    Core().LanguagesEngine()->SetLanguage(TLanguage::English);
    Core().Contexts()->Reset();
    view().FillContextChooser();
    window_ = std::make_unique<TRecordingWindow>(test_->core());
}

void TestTodoView::cleanup()
{
    window_.reset();
    test_.reset();
}

void TestTodoView::membershipByContext_data()
{
    QTest::addColumn<QString>("chosen"); // empty: all contexts
    QTest::addColumn<bool>("include");
    QTest::addColumn<QStringList>("listed");

    QTest::newRow("all contexts, even a lost one")
        << QString() << true
        << QStringList({u"Anywhere task"_s, u"Home task"_s, u"Lost task"_s, u"Phone task"_s,
                        u"Work task"_s});
    QTest::newRow("one context and anywhere")
        << u"Home"_s << false << QStringList({u"Anywhere task"_s, u"Home task"_s});
    QTest::newRow("with the contexts it includes")
        << u"Home"_s << true << QStringList({u"Anywhere task"_s, u"Home task"_s, u"Phone task"_s});
    QTest::newRow("inclusion has a direction")
        << u"Phone"_s << true << QStringList({u"Anywhere task"_s, u"Phone task"_s});
    QTest::newRow("inclusion is not a chain")
        << u"Work"_s << true << QStringList({u"Anywhere task"_s, u"Home task"_s, u"Work task"_s});
}

void TestTodoView::membershipByContext()
{
    QFETCH(QString, chosen);
    QFETCH(bool, include);
    QFETCH(QStringList, listed);

    QHash<QString, TKavContext*> contexts;
    for (const QString& name : {u"Home"_s, u"Phone"_s, u"Work"_s})
        contexts.insert(name, AddContext(name));
    Core().SubContexts()->Add(*contexts.value(u"Home"_s), *contexts.value(u"Phone"_s));
    Core().SubContexts()->Add(*contexts.value(u"Work"_s), *contexts.value(u"Home"_s));
    AddTask(u"Anywhere task"_s, Core().Contexts()->Get(0));
    AddTask(u"Home task"_s, contexts.value(u"Home"_s));
    AddTask(u"Phone task"_s, contexts.value(u"Phone"_s));
    AddTask(u"Work task"_s, contexts.value(u"Work"_s));
    AddTask(u"Lost task"_s, nullptr);
    view().FillContextChooser();
    view().SetIncludeIncluded(include);

    Choose(contexts.value(chosen));

    QCOMPARE(NamesOf(view().List()), listed);
}

void TestTodoView::membershipByItem_data()
{
    QTest::addColumn<TTaskType>("type");
    QTest::addColumn<TTaskStatus>("status");
    QTest::addColumn<TAccomplishType>("accomplish");
    QTest::addColumn<int>("daysAhead");
    QTest::addColumn<int>("lead");
    QTest::addColumn<TPeriodType>("leadUnit");
    QTest::addColumn<bool>("listed");

    const auto task = TTaskType::Task;
    const auto active = TTaskStatus::Active;
    const auto once = TAccomplishType::Once;
    const auto due = TAccomplishType::ByDueDate;
    const auto days = TPeriodType::Days;
    QTest::newRow("task") << task << active << once << 0 << 0 << days << true;
    QTest::newRow("delegated") << task << TTaskStatus::Delegated << once << 0 << 0 << days << true;
    QTest::newRow("unclear") << task << TTaskStatus::Unclear << once << 0 << 0 << days << true;
    QTest::newRow("suspended") << task << TTaskStatus::Suspended << once << 0 << 0 << days << false;
    QTest::newRow("finished") << task << TTaskStatus::Finished << once << 0 << 0 << days << false;
    QTest::newRow("idea") << TTaskType::Idea << active << once << 0 << 0 << days << false;
    QTest::newRow("project") << TTaskType::Project << active << once << 0 << 0 << days << false;
    QTest::newRow("goal") << TTaskType::Goal << active << once << 0 << 0 << days << false;
    QTest::newRow("area") << TTaskType::Area << active << once << 0 << 0 << days << false;
    QTest::newRow("once, far ahead") << task << active << once << 100 << 0 << days << true;
    QTest::newRow("10 days ahead, lead a week")
        << task << active << due << 10 << 1 << TPeriodType::Weeks << true;
    QTest::newRow("10 days ahead, lead 4 days")
        << task << active << due << 10 << 4 << days << false;
    QTest::newRow("10 days ahead, lead 5 days") << task << active << due << 10 << 5 << days << true;
    QTest::newRow("tomorrow, lead 0") << task << active << due << 1 << 0 << days << false;
    QTest::newRow("today, lead 0") << task << active << due << 0 << 0 << days << true;
    QTest::newRow("overdue, lead 0") << task << active << due << -5 << 0 << days << true;
    QTest::newRow("routinely, 7 ahead, lead 3 days")
        << task << active << TAccomplishType::Routinely << 7 << 3 << days << false;
    QTest::newRow("routinely, 6 ahead, lead 3 days")
        << task << active << TAccomplishType::Routinely << 6 << 3 << days << true;
}

void TestTodoView::membershipByItem()
{
    QFETCH(TTaskType, type);
    QFETCH(TTaskStatus, status);
    QFETCH(TAccomplishType, accomplish);
    QFETCH(int, daysAhead);
    QFETCH(int, lead);
    QFETCH(TPeriodType, leadUnit);
    QFETCH(bool, listed);

    TTask* item = AddTask(u"Paint"_s, Core().Contexts()->Get(0));
    item->SetTaskType(type);
    item->SetStatus(status);
    item->SetAccomplishType(accomplish);
    // The next date keeps a time of day: whole days count, not the fraction.
    item->SetNextDate(test_->clock().Now() + daysAhead);
    item->SetLeadValue(lead);
    item->SetLeadType(leadUnit);

    item->UpdateRows();

    QCOMPARE(item->ToDoRow() != nullptr, listed);
    QCOMPARE(view().List().RowCount(), listed ? 1 : 0);
}

void TestTodoView::membership_waitsForTheItemAbove()
{
    auto items = BuildOutline({u"Project Fence"_s, u" Task Buy"_s, u"  Task Choose"_s,
                               u" Task Paint"_s, u" Task Clean"_s});
    TTask* paint = items.value(u"Paint"_s);
    paint->SetDependOnPrevious(true);
    items.value(u"Buy"_s)->SetDependOnPrevious(true); // a first child waits for nothing
    items.value(u"Buy"_s)->SetChecked(true);
    Core().Tasks()->UpdateViews();
    QCOMPARE(NamesOf(view().List()), QStringList({u"Choose"_s, u"Clean"_s}));

    // Marking the item above done does not list the waiting one until its rows are rebuilt.
    items.value(u"Choose"_s)->SetChecked(true);
    items.value(u"Choose"_s)->UpdateRows();
    QCOMPARE(NamesOf(view().List()), QStringList({u"Clean"_s}));
    paint->UpdateRows();
    QCOMPARE(NamesOf(view().List()), QStringList({u"Clean"_s, u"Paint"_s}));
}

// Every reason on one small outline: Home includes Phone, Work stands alone.
QHash<QString, TTask*> TestTodoView::BuildReasonsFixture()
{
    TKavContext* home = AddContext(u"Home"_s);
    TKavContext* phone = AddContext(u"Phone"_s, TContextType::Phone);
    TKavContext* work = AddContext(u"Work"_s);
    Core().SubContexts()->Add(*home, *phone);
    view().FillContextChooser();
    auto items = BuildOutline({u"Project Fence"_s, u" Task Buy"_s, u" Task Paint"_s,
                               u" Task Sand"_s, u"Task Call"_s, u"Task Nap"_s, u"Task Lost"_s,
                               u"Task Later"_s, u"Idea Everything"_s});
    for (TTask* item : items)
        item->SetContextId(home->Id());
    items.value(u"Call"_s)->SetContextId(phone->Id());
    items.value(u"Lost"_s)->SetContextId(Guid::Create());
    items.value(u"Paint"_s)->SetDependOnPrevious(true);
    items.value(u"Sand"_s)->SetChecked(true);
    items.value(u"Nap"_s)->SetStatus(TTaskStatus::Suspended);
    TTask* later = items.value(u"Later"_s);
    later->SetAccomplishType(TAccomplishType::ByDueDate);
    later->SetNextDate(test_->clock().Today() + 10);
    later->SetLeadValue(2);
    // Fails every test at once.
    TTask* everything = items.value(u"Everything"_s);
    everything->SetContextId(work->Id());
    everything->SetStatus(TTaskStatus::Suspended);
    everything->SetChecked(true);
    everything->SetAccomplishType(TAccomplishType::Routinely);
    everything->SetNextDate(test_->clock().Today() + 30);
    everything->SetLeadValue(1);
    everything->SetDependOnPrevious(true);
    return items;
}

namespace {

TKavContext* ContextNamed(const QString& name)
{
    const TContexts& contexts = *Core().Contexts();
    for (int i = 0; i < contexts.Count(); ++i) {
        if (contexts.Get(i)->Name() == name)
            return contexts.Get(i);
    }
    return nullptr;
}

// A reason in a form a table can spell: its kind and what it names.
QString Spelled(const TToDoReason& reason)
{
    using TKind = TToDoReason::TKind;
    switch (reason.kind) {
    case TKind::OtherContext:
        return u"other context "_s + reason.context->Name();
    case TKind::IncludedContext:
        return u"included context "_s + reason.context->Name();
    case TKind::NoContext:
        return u"no context"_s;
    case TKind::Done:
        return u"done"_s;
    case TKind::Suspended:
        return u"suspended"_s;
    case TKind::NotTask:
        return u"not a task"_s;
    case TKind::BeforeLeadWindow:
        return u"listed from "_s + DateTime::ToDate(reason.listedFrom).toString(Qt::ISODate);
    case TKind::Waiting:
        return u"waits for "_s + reason.waitsFor->Name();
    }
    return {};
}

} // namespace

void TestTodoView::reasons_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("chosen"); // empty: all contexts
    QTest::addColumn<bool>("include");
    QTest::addColumn<QStringList>("reasons");

    QTest::newRow("listed") << u"Buy"_s << u"Home"_s << false << QStringList();
    QTest::newRow("another context")
        << u"Buy"_s << u"Work"_s << false << QStringList{u"other context Home"_s};
    QTest::newRow("another context, box ticked")
        << u"Buy"_s << u"Work"_s << true << QStringList{u"other context Home"_s};
    QTest::newRow("inclusion has a direction")
        << u"Buy"_s << u"Phone"_s << false << QStringList{u"other context Home"_s};
    QTest::newRow("an included context, box clear")
        << u"Call"_s << u"Home"_s << false << QStringList{u"included context Phone"_s};
    QTest::newRow("an included context, box ticked")
        << u"Call"_s << u"Home"_s << true << QStringList();
    QTest::newRow("no context") << u"Lost"_s << u"Home"_s << true << QStringList{u"no context"_s};
    QTest::newRow("no context, all contexts") << u"Lost"_s << QString() << true << QStringList();
    QTest::newRow("done") << u"Sand"_s << QString() << true << QStringList{u"done"_s};
    QTest::newRow("suspended") << u"Nap"_s << QString() << true << QStringList{u"suspended"_s};
    QTest::newRow("not a task") << u"Fence"_s << QString() << true << QStringList{u"not a task"_s};
    QTest::newRow("before its lead window")
        << u"Later"_s << QString() << true << QStringList{u"listed from 2026-03-21"_s};
    QTest::newRow("waits for the item above")
        << u"Paint"_s << QString() << true << QStringList{u"waits for Buy"_s};
    QTest::newRow("every reason, in order")
        << u"Everything"_s << u"Home"_s << false
        << QStringList{
               u"other context Work"_s,     u"done"_s,           u"suspended"_s, u"not a task"_s,
               u"listed from 2026-04-12"_s, u"waits for Later"_s};
}

void TestTodoView::reasons()
{
    QFETCH(QString, item);
    QFETCH(QString, chosen);
    QFETCH(bool, include);
    QFETCH(QStringList, reasons);
    const auto items = BuildReasonsFixture();
    view().SetIncludeIncluded(include);
    Choose(ContextNamed(chosen));

    const TTask& subject = *items.value(item);
    QStringList spelled;
    for (const TToDoReason& reason : view().Rules().Reasons(subject))
        spelled.append(Spelled(reason));
    QCOMPARE(spelled, reasons);
    QCOMPARE(view().Rules().Admits(subject), reasons.isEmpty());
    QCOMPARE(subject.ToDoRow() != nullptr, reasons.isEmpty());
}

void TestTodoView::reasons_agreeWithTheRowsForEveryChoice()
{
    BuildReasonsFixture();
    // A tie, an urgent item and a top-level one besides the fixture's own.
    auto more = BuildOutline({u"Area Big"_s, u" Task Urgent"_s, u"Task Atie"_s, u"Task Btie"_s});
    more.value(u"Big"_s)->SetImportance(950);
    const int entries = view().ContextChooser().Count();
    for (const bool include : {false, true}) {
        view().SetIncludeIncluded(include);
        for (int entry = 0; entry < entries; ++entry) {
            view().cboxToDoContextChange(entry);
            const TToDoRules rules = view().Rules();
            for (const TTask& item : Core().Tasks()->Items()) {
                const bool listed = rules.Reasons(item).isEmpty();
                QVERIFY2(listed == (item.ToDoRow() != nullptr), qPrintable(item.Name()));
            }
        }
    }
}

void TestTodoView::cells_data()
{
    QTest::addColumn<TAccomplishType>("accomplish");
    QTest::addColumn<int>("daysAhead");
    QTest::addColumn<QString>("note");
    QTest::addColumn<bool>("knownContext");
    QTest::addColumn<bool>("icons");
    QTest::addColumn<QString>("row");

    QTest::newRow("once") << TAccomplishType::Once << 0 << QString() << true << true
                          << u"999000|[ ]|#0Paint|||Home"_s;
    QTest::newRow("without icons")
        << TAccomplishType::Once << 0 << QString() << true << false << u"999000|[ ]|Paint|||Home"_s;
    QTest::newRow("routine, due today, with notes")
        << TAccomplishType::Routinely << 0 << u"brushes"_s << true << true
        << u"999000|[ ]|#0Paint|<font color=\"clGreen\">3/15/2026</font> #8|#7|Home"_s;
    QTest::newRow("overdue")
        << TAccomplishType::ByDueDate << -2 << QString() << true << true
        << u"999000|[ ]|#0Paint|<font color=\"clRed\">3/13/2026</font>||Home"_s;
    QTest::newRow("blank notes, lost context")
        << TAccomplishType::Once << 0 << u"  "_s << false << true << u"999000|[ ]|#0Paint|||"_s;
}

void TestTodoView::cells()
{
    QFETCH(TAccomplishType, accomplish);
    QFETCH(int, daysAhead);
    QFETCH(QString, note);
    QFETCH(bool, knownContext);
    QFETCH(bool, icons);
    QFETCH(QString, row);

    Core().Config()->SetShowOutlineIcons(icons);
    TTask* item = AddTask(u"Paint"_s, knownContext ? AddContext(u"Home"_s) : nullptr);
    item->SetAccomplishType(accomplish);
    item->SetNextDate(test_->clock().Today() + daysAhead);
    item->SetNote(note);

    item->UpdateRows();

    QCOMPARE(RowsOf(view().List()), QStringList{row});
    QCOMPARE(view().List().RowAt(0)->Cell(TTodoView::DoneColumn),
             u"<a href=\"done\"><img src=\"idx:5\"></a>"_s);
}

void TestTodoView::order_data()
{
    QTest::addColumn<bool>("inBracket");
    QTest::addColumn<bool>("icons");

    QTest::newRow("one by one") << false << true;
    QTest::newRow("one by one, no icons") << false << false;
    QTest::newRow("all at once") << true << true;
}

void TestTodoView::order()
{
    QFETCH(bool, inBracket);
    QFETCH(bool, icons);

    Core().Config()->SetShowOutlineIcons(icons);
    const TKavContext* anywhere = Core().Contexts()->Get(0);
    TTask* big = AddItem(nullptr, u"Big"_s, TTaskType::Area);
    big->SetImportance(950);
    TTask* urgent = AddItem(big, u"Urgent"_s, TTaskType::Task); // score 50000
    AddTask(u"Zero"_s, anywhere)->SetImportance(0);             // score 1000000
    AddTask(u"Plain b"_s, anywhere);                            // score 999000
    AddTask(u"Half"_s, anywhere)->SetImportance(50);            // score 999500
    AddTask(u"Plain a"_s, anywhere);

    if (inBracket) {
        Core().Tasks()->UpdateViews();
    } else {
        for (TTask& item : Core().Tasks()->Items())
            item.UpdateRows();
    }

    // The keys keep their text; the rows go by the scores as numbers.
    QCOMPARE(NamesOf(view().List()),
             QStringList({u"Urgent"_s, u"Plain a"_s, u"Plain b"_s, u"Half"_s, u"Zero"_s}));
    QCOMPARE(urgent->ToDoRow()->Cell(TTodoView::SortKeyColumn), u"9950000"_s);
    QCOMPARE(view().List().RowAt(4)->Cell(TTodoView::SortKeyColumn), u"1000000"_s);

    // A change of score moves the row at once.
    urgent->SetImportance(0);
    urgent->UpdateRows();
    QCOMPARE(NamesOf(view().List()),
             QStringList({u"Plain a"_s, u"Plain b"_s, u"Half"_s, u"Urgent"_s, u"Zero"_s}));
}

void TestTodoView::chooser_fillSelectAndChosen()
{
    TKavContext* home = AddContext(u"Home"_s);
    TKavContext* phone = AddContext(u"Mobile"_s, TContextType::Phone);
    view().FillContextChooser();

    QCOMPARE(
        view().ContextChooser().Entries(),
        QStringList({u"<img src=\"idx:12\"> All contexts"_s, u"<img src=\"idx:12\"> Anywhere"_s,
                     u"<img src=\"idx:13\"> Home"_s, u"<img src=\"idx:16\"> Mobile"_s}));
    QVERIFY(view().AllContextsChosen());
    QCOMPARE(view().ChosenContext(), nullptr);

    view().SelectContext(phone);
    QCOMPARE(view().ContextChooser().SelectedIndex(), 3);
    QCOMPARE(view().ChosenContext(), phone);
    QVERIFY(!view().AllContextsChosen());

    // A refill chooses "All contexts"; a context outside the list leaves that choice.
    view().SelectContext(home);
    const std::unique_ptr<TKavContext> stray = TKavContext::Create();
    view().SelectContext(stray.get());
    QVERIFY(view().AllContextsChosen());
}

void TestTodoView::quickSelection_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QStringList>("chosen"); // after each key; empty for all contexts

    QTest::newRow("steps through one letter and stops")
        << u"HHH"_s << QStringList({u"Hobby"_s, u"Home"_s, u"Home"_s});
    QTest::newRow("never anywhere") << u"A"_s << QStringList{QString()};
    QTest::newRow("another letter starts over") << u"WH"_s << QStringList({u"Work"_s, u"Hobby"_s});
    QTest::newRow("last of its letter stays") << u"WW"_s << QStringList({u"Work"_s, u"Work"_s});
    QTest::newRow("a lower-case name cannot be reached")
        << u"GH"_s << QStringList({QString(), u"Hobby"_s});
    QTest::newRow("skips blanks and @") << u"P"_s << QStringList{u" @Phone"_s};
    QTest::newRow("no letter of any context") << u"Z"_s << QStringList{QString()};
}

void TestTodoView::quickSelection()
{
    QFETCH(QString, keys);
    QFETCH(QStringList, chosen);

    for (const QString& name : {u"Hobby"_s, u"Home"_s, u"Work"_s, u"garden"_s, u" @Phone"_s})
        AddContext(name);
    view().FillContextChooser();

    QStringList actual;
    for (QChar key : keys) {
        view().cboxToDoContextKeyDown(key);
        const TKavContext* context = view().ChosenContext();
        actual.append(context ? context->Name() : QString());
    }
    QCOMPARE(actual, chosen);
}

void TestTodoView::chooserAndCheckBox_rebuildTheList()
{
    TKavContext* hobby = AddContext(u"Hobby"_s);
    TKavContext* home = AddContext(u"Home"_s);
    Core().SubContexts()->Add(*hobby, *home);
    AddTask(u"Read"_s, hobby);
    AddTask(u"Cook"_s, home);
    view().FillContextChooser();
    Core().Tasks()->UpdateViews();
    QCOMPARE(NamesOf(view().List()), QStringList({u"Cook"_s, u"Read"_s}));
    int notified = 0;
    view().SetOnIncludeIncludedChange([&] { ++notified; });

    view().cboxToDoContextKeyDown(u'H');
    QCOMPARE(NamesOf(view().List()), QStringList({u"Cook"_s, u"Read"_s}));

    view().chkToDoSubContextsClick(false);
    QVERIFY(!view().IncludeIncluded());
    QCOMPARE(notified, 1);
    QCOMPARE(NamesOf(view().List()), QStringList({u"Read"_s}));

    view().SetIncludeIncluded(false);
    QCOMPARE(notified, 1);

    view().cboxToDoContextKeyDown(u'H');
    QCOMPARE(NamesOf(view().List()), QStringList({u"Cook"_s}));
}

void TestTodoView::selectingRow_makesItemCurrentAndShowsItsPath()
{
    auto items = BuildOutline({u"Area Home"_s, u" Project Fence"_s, u"  Task Paint"_s});
    TTask* paint = items.value(u"Paint"_s);
    Core().SelectItem(items.value(u"Home"_s));
    paint->UpdateRows();

    view().List().SelectRow(paint->ToDoRow());
    QCOMPARE(Core().CurrentItem(), paint);
    QCOMPARE(view().List().Hint(), u"Home >>> Fence >>> Paint"_s);
    QCOMPARE(Core().Outline()->Tree().SelectedNode(), paint->OutlineNode());

    view().List().SelectRow(nullptr);
    QCOMPARE(Core().CurrentItem(), paint);
    QCOMPARE(view().List().Hint(), u"Home >>> Fence >>> Paint"_s);
}

void TestTodoView::doneLink_data()
{
    QTest::addColumn<TAccomplishType>("accomplish");
    QTest::addColumn<int>("lead");
    QTest::addColumn<bool>("staysListed");
    QTest::addColumn<bool>("done");
    QTest::addColumn<int>("nextDateMoves");

    QTest::newRow("once is done") << TAccomplishType::Once << 0 << false << true << 0;
    QTest::newRow("by due date is done") << TAccomplishType::ByDueDate << 0 << false << true << 0;
    QTest::newRow("routine moves on and stays")
        << TAccomplishType::Routinely << 7 << true << false << 7;
    QTest::newRow("routine moves out of its lead window")
        << TAccomplishType::Routinely << 0 << false << false << 7;
}

void TestTodoView::doneLink()
{
    QFETCH(TAccomplishType, accomplish);
    QFETCH(int, lead);
    QFETCH(bool, staysListed);
    QFETCH(bool, done);
    QFETCH(int, nextDateMoves);

    TTask* item = AddTask(u"Water"_s, Core().Contexts()->Get(0));
    item->SetAccomplishType(accomplish);
    item->SetRepeatType(TPeriodType::Weeks);
    item->SetRepeatValue(1);
    item->SetLeadValue(lead);
    const TDateTime next = item->NextDate();
    item->UpdateRows();
    window_->calls.clear();

    view().List().ClickLink(item->ToDoRow());

    QCOMPARE(Core().CurrentItem(), item);
    QCOMPARE(item->Checked(), done);
    QCOMPARE(item->NextDate(), next + nextDateMoves);
    QCOMPARE(view().List().RowCount(), staysListed ? 1 : 0);
    QCOMPARE(NamesOf(Core().DoneView()->List()), done ? QStringList{u"Water"_s} : QStringList());
    QVERIFY(Core().DataFile()->IsModified());
    QVERIFY(window_->calls.contains(u"LoadEditorControls"_s));
    QVERIFY(window_->calls.indexOf(u"SelectItem Water"_s) <
            window_->calls.indexOf(u"LoadEditorControls"_s));
}

void TestTodoView::rowBuilderError_isLoggedAndRaisedAgain()
{
    TTask* item = AddTask(u"Water"_s, Core().Contexts()->Get(0));
    item->SetAccomplishType(TAccomplishType::Routinely);
    TFailingClock clock(test_->clock().Now());
    Core().SetClock(&clock);
    clock.armed = true;

    try {
        view().UpdateToDoRow(*item);
        QFAIL("no error raised");
    } catch (const TError& error) {
        QCOMPARE(error.Message(), u"clock stopped"_s);
    }
    Core().SetClock(&test_->clock());
    QCOMPARE(test_->logMessages().value(0), u"Exception \"clock stopped\" in class TTask"_s);
    QCOMPARE(view().List().RowCount(), 0);
}

QTEST_GUILESS_MAIN(TestTodoView)
#include "tst_todoview.moc"
