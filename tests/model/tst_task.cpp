#include "ModelFixture.h"

#include "app/Config.h"
#include "languages/LanguagesEngine.h"
#include "model/Contexts.h"
#include "model/Tasks.h"
#include "support/TestCore.h"
#include "views/OutlineTree.h"

#include <QtTest>
#include <functional>

// The item record: its defaults, the coupled setters, its text forms and its parsers.
class TstTask : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void newTopLevelItem_hasEveryDefault();
    void newSubitem_takesItsParentsDefaults_data();
    void newSubitem_takesItsParentsDefaults();
    void newSubitem_takesNextDateOfRepeatingParent_data();
    void newSubitem_takesNextDateOfRepeatingParent();
    void newItemName_inBothLanguages_data();
    void newItemName_inBothLanguages();
    void parentId_followsTheTreeOnly();

    void setStatus_couplesDoneFlag_data();
    void setStatus_couplesDoneFlag();
    void setStatusText_leavesDoneFlag();
    void setName_rewritesOutlineNodeOnlyWhenThereIsOne();

    void enumParsers_data();
    void enumParsers();
    void countParsers_data();
    void countParsers();
    void setIdText_rejectsAnythingButRegistryForm_data();
    void setIdText_rejectsAnythingButRegistryForm();
    void setContextIdText_keepsContextOnBadText();
    void dateParsers_data();
    void dateParsers();

    void textForms();
    void deadlineText_data();
    void deadlineText();
    void path_data();
    void path();
    void typeIcon_data();
    void typeIcon();
    void rowOperations_reachTheViewsOnceTheyExist();
};

namespace {

TTask* AddTo(TTask* parent)
{
    return Core().Tasks()->Add(parent);
}

TDateTime Day(int year, int month, int day)
{
    return DateTime::FromDate(QDate(year, month, day));
}

} // namespace

void TstTask::newTopLevelItem_hasEveryDefault()
{
    TTestCore test;
    test.core().LanguagesEngine()->SetLanguage(TLanguage::English);
    const TTask* item = AddTo(nullptr);

    QVERIFY(!item->Id().isNull());
    QVERIFY(item->ParentId().isNull());
    QCOMPARE(item->Parent(), nullptr);
    QCOMPARE(item->ContextIdText(), TContexts::AnywhereId());
    QCOMPARE(item->Name(), u"New area"_qs);
    QCOMPARE(item->Note(), QString());
    QCOMPARE(item->Importance(), 100);
    QCOMPARE(item->Effort(), 50);
    QCOMPARE(item->RepeatValue(), 0);
    QCOMPARE(item->LeadValue(), 0);
    QCOMPARE(item->AccomplishType(), TAccomplishType::Once);
    QCOMPARE(item->TaskType(), TTaskType::Area);
    QCOMPARE(item->RepeatType(), TPeriodType::Days);
    QCOMPARE(item->LeadType(), TPeriodType::Days);
    QCOMPARE(item->Status(), TTaskStatus::Active);
    QCOMPARE(item->NextDate(), Day(2026, 3, 15));
    QCOMPARE(item->Created(), TTestCore::DefaultNow());
    QCOMPARE(item->LastModified(), TTestCore::DefaultNow());
    QVERIFY(!item->Checked());
    QVERIFY(!item->DependOnPrevious());
    QVERIFY(!item->Expanded());
    QCOMPARE(item->OutlineNode(), nullptr);
    QCOMPARE(item->ToDoRow(), nullptr);
    QCOMPARE(item->ProjectsRow(), nullptr);
    QCOMPARE(item->GoalsRow(), nullptr);
    QCOMPARE(item->DoneRow(), nullptr);
}

void TstTask::newSubitem_takesItsParentsDefaults_data()
{
    QTest::addColumn<TTaskType>("parentType");
    QTest::addColumn<bool>("autoType");
    QTest::addColumn<TTaskType>("type");
    QTest::addColumn<QString>("name");
    QTest::newRow("under an area")
        << TTaskType::Area << true << TTaskType::Project << u"New project"_qs;
    QTest::newRow("under a goal") << TTaskType::Goal << true << TTaskType::Project
                                  << u"New project"_qs;
    QTest::newRow("under a project")
        << TTaskType::Project << true << TTaskType::Task << u"New task"_qs;
    QTest::newRow("under a task") << TTaskType::Task << true << TTaskType::Task << u"New task"_qs;
    QTest::newRow("under an idea") << TTaskType::Idea << true << TTaskType::Idea << u"New idea"_qs;
    QTest::newRow("goal, automatic type off")
        << TTaskType::Goal << false << TTaskType::Task << u"New task"_qs;
    QTest::newRow("idea, automatic type off")
        << TTaskType::Idea << false << TTaskType::Task << u"New task"_qs;
}

void TstTask::newSubitem_takesItsParentsDefaults()
{
    QFETCH(TTaskType, parentType);
    QFETCH(bool, autoType);
    TTestCore test;
    test.core().LanguagesEngine()->SetLanguage(TLanguage::English);
    test.core().Config()->SetAutoTypeForSubItems(autoType);
    const QUuid office = QUuid::createUuid();
    TTask* parent = AddTo(nullptr);
    parent->SetTaskType(parentType);
    parent->SetEffort(70);
    parent->SetImportance(30);
    parent->SetContextId(office);

    const TTask* item = AddTo(parent);
    QTEST(item->TaskType(), "type");
    QTEST(item->Name(), "name");
    QCOMPARE(item->Effort(), 70);
    QCOMPARE(item->Importance(), 100);
    QCOMPARE(item->ContextId(), office);
    QCOMPARE(item->Parent(), parent);
    QCOMPARE(item->ParentId(), parent->Id());
}

void TstTask::newSubitem_takesNextDateOfRepeatingParent_data()
{
    QTest::addColumn<TAccomplishType>("parentMode");
    QTest::addColumn<TDateTime>("nextDate");
    const TDateTime inTenDays = Day(2026, 3, 25);
    QTest::newRow("routinely") << TAccomplishType::Routinely << inTenDays;
    QTest::newRow("by due date") << TAccomplishType::ByDueDate << inTenDays;
    QTest::newRow("once") << TAccomplishType::Once << Day(2026, 3, 15);
}

void TstTask::newSubitem_takesNextDateOfRepeatingParent()
{
    QFETCH(TAccomplishType, parentMode);
    TTestCore test;
    TTask* parent = AddTo(nullptr);
    parent->SetAccomplishType(parentMode);
    parent->SetNextDate(Day(2026, 3, 25));
    QTEST(AddTo(parent)->NextDate(), "nextDate");
}

void TstTask::newItemName_inBothLanguages_data()
{
    QTest::addColumn<TLanguage>("language");
    QTest::addColumn<TTaskType>("parentType");
    QTest::addColumn<QString>("name");
    QTest::newRow("English task") << TLanguage::English << TTaskType::Project << u"New task"_qs;
    // Only A to Z are lowered, so the accented capital stays.
    QTest::newRow("Czech task") << TLanguage::Czech << TTaskType::Project << u"Nový Úkol"_qs;
    QTest::newRow("Czech project") << TLanguage::Czech << TTaskType::Goal << u"Nový projekt"_qs;
    QTest::newRow("Czech idea") << TLanguage::Czech << TTaskType::Idea << u"Nový nápad"_qs;
}

void TstTask::newItemName_inBothLanguages()
{
    QFETCH(TLanguage, language);
    QFETCH(TTaskType, parentType);
    TTestCore test;
    test.core().LanguagesEngine()->SetLanguage(language);
    TTask* parent = AddTo(nullptr);
    parent->SetTaskType(parentType);
    QTEST(AddTo(parent)->Name(), "name");
}

void TstTask::parentId_followsTheTreeOnly()
{
    TTestCore test;
    TTasks& tasks = *test.core().Tasks();
    TTask* home = AddTo(nullptr);
    TTask* work = AddTo(nullptr);
    TTask* item = AddTo(home);
    QCOMPARE(item->ParentId(), home->Id());

    tasks.MoveUnder(*item, *work);
    QCOMPARE(item->Parent(), work);
    QCOMPARE(item->ParentId(), work->Id());

    // A plain store: the priority score follows it, the tree does not.
    const QUuid elsewhere = QUuid::createUuid();
    item->SetParentId(elsewhere);
    QCOMPARE(item->ParentId(), elsewhere);
    QCOMPARE(item->Parent(), work);
}

void TstTask::setStatus_couplesDoneFlag_data()
{
    QTest::addColumn<TTaskStatus>("status");
    QTest::addColumn<bool>("done");
    QTest::newRow("finished") << TTaskStatus::Finished << true;
    QTest::newRow("suspended") << TTaskStatus::Suspended << false;
    QTest::newRow("active") << TTaskStatus::Active << false;
    QTest::newRow("unclear") << TTaskStatus::Unclear << false;
}

void TstTask::setStatus_couplesDoneFlag()
{
    QFETCH(TTaskStatus, status);
    QFETCH(bool, done);
    TTestCore test;
    TTask* item = AddTo(nullptr);
    item->SetChecked(!done);
    item->SetStatus(status);
    QCOMPARE(item->Status(), status);
    QCOMPARE(item->Checked(), done);
}

void TstTask::setStatusText_leavesDoneFlag()
{
    TTestCore test;
    TTask* item = AddTo(nullptr);
    item->SetStatusText(u"Finished");
    QCOMPARE(item->Status(), TTaskStatus::Finished);
    QVERIFY(!item->Checked());
    item->SetChecked(true);
    item->SetStatusText(u"Delegated");
    QCOMPARE(item->Status(), TTaskStatus::Delegated);
    QVERIFY(item->Checked());
}

void TstTask::setName_rewritesOutlineNodeOnlyWhenThereIsOne()
{
    TTestCore test;
    TRecordingViews views(test.core());
    TTask* item = AddTo(nullptr);
    item->SetName(u"Paint the fence"_qs);
    QVERIFY(views.Calls().isEmpty());

    TOutlineTree outline;
    item->SetOutlineNode(outline.AddNode(item, nullptr));
    item->SetName(u"Paint the gate"_qs);
    QCOMPARE(views.Calls(), QStringList({u"UpdateOutlineRow Paint the gate"_qs}));
}

namespace {

// Each enumeration parser with the code it leaves in its field.
struct TEnumField {
    bool (TTask::*parse)(QStringView);
    std::function<int(const TTask&)> code;
};

TEnumField EnumField(const QString& parser)
{
    if (parser == u"type")
        return {&TTask::SetTypeText, [](const TTask& t) { return int(t.TaskType()); }};
    if (parser == u"status")
        return {&TTask::SetStatusText, [](const TTask& t) { return int(t.Status()); }};
    if (parser == u"accomplish")
        return {&TTask::SetAccomplishText, [](const TTask& t) { return int(t.AccomplishType()); }};
    if (parser == u"repeat type")
        return {&TTask::SetRepeatTypeText, [](const TTask& t) { return int(t.RepeatType()); }};
    return {&TTask::SetLeadTypeText, [](const TTask& t) { return int(t.LeadType()); }};
}

} // namespace

void TstTask::enumParsers_data()
{
    // Every item starts as a Delegated Goal, By due date, every 2 months with 1 year of lead.
    QTest::addColumn<QString>("parser");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("read"); // false: the parser fell back
    QTest::newRow("type Idea") << u"type"_qs << u"Idea"_qs << 4 << true;
    QTest::newRow("type Area") << u"type"_qs << u"Area"_qs << 0 << true;
    QTest::newRow("type in lower case stays") << u"type"_qs << u"task"_qs << 1 << false;
    QTest::newRow("type empty stays") << u"type"_qs << QString() << 1 << false;
    QTest::newRow("status Unclear") << u"status"_qs << u"Unclear"_qs << 0 << true;
    QTest::newRow("status Finished") << u"status"_qs << u"Finished"_qs << 4 << true;
    QTest::newRow("status unknown stays") << u"status"_qs << u"Done"_qs << 2 << false;
    QTest::newRow("accomplish Routinely") << u"accomplish"_qs << u"Routinely"_qs << 1 << true;
    QTest::newRow("accomplish By due date") << u"accomplish"_qs << u"By due date"_qs << 2 << true;
    QTest::newRow("accomplish Once") << u"accomplish"_qs << u"Once"_qs << 0 << true;
    QTest::newRow("accomplish unknown is Once")
        << u"accomplish"_qs << u"by due date"_qs << 0 << false;
    QTest::newRow("repeat years") << u"repeat type"_qs << u"years"_qs << 3 << true;
    QTest::newRow("repeat weeks") << u"repeat type"_qs << u"weeks"_qs << 1 << true;
    QTest::newRow("repeat unknown is days") << u"repeat type"_qs << u"Months"_qs << 0 << false;
    QTest::newRow("lead months") << u"lead type"_qs << u"months"_qs << 2 << true;
    QTest::newRow("lead unknown is days") << u"lead type"_qs << QString() << 0 << false;
}

void TstTask::enumParsers()
{
    QFETCH(QString, parser);
    QFETCH(QString, text);
    TTestCore test;
    TTask* item = AddTo(nullptr);
    item->SetTaskType(TTaskType::Goal);
    item->SetStatus(TTaskStatus::Delegated);
    item->SetAccomplishType(TAccomplishType::ByDueDate);
    item->SetRepeatType(TPeriodType::Months);
    item->SetLeadType(TPeriodType::Years);

    const TEnumField field = EnumField(parser);
    QTEST((item->*field.parse)(text), "read");
    QTEST(field.code(*item), "code");
}

void TstTask::countParsers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("read");
    QTest::newRow("number") << u"12"_qs << 12 << true;
    QTest::newRow("zero") << u"0"_qs << 0 << true;
    QTest::newRow("negative") << u"-3"_qs << -3 << true;
    QTest::newRow("empty") << QString() << 1 << false;
    QTest::newRow("words") << u"twelve"_qs << 1 << false;
    QTest::newRow("fraction") << u"1.5"_qs << 1 << false;
    QTest::newRow("beyond 32 bits") << u"99999999999"_qs << 1 << false;
}

void TstTask::countParsers()
{
    QFETCH(QString, text);
    TTestCore test;
    TTask* item = AddTo(nullptr);
    QTEST(item->SetRepeatValueText(text), "read");
    QTEST(item->SetLeadValueText(text), "read");
    QTEST(item->RepeatValue(), "count");
    QTEST(item->LeadValue(), "count");
}

void TstTask::setIdText_rejectsAnythingButRegistryForm_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("root") << u"root"_qs;
    QTest::newRow("no braces") << u"AC378A1A-C28D-4D18-8C75-43BE352DB025"_qs;
    QTest::newRow("blank inside") << u"{AC378A1A-C28D-4D18-8C75 43BE352DB025}"_qs;
}

void TstTask::setIdText_rejectsAnythingButRegistryForm()
{
    QFETCH(QString, text);
    TTestCore test;
    TTask* item = AddTo(nullptr);
    const QUuid before = item->Id();
    try {
        item->SetIdText(text);
        QFAIL("a text that is not an id was taken");
    } catch (const TError& error) {
        QCOMPARE(error.Message(), u"'" + text + u"' is not a valid GUID value");
    }
    QCOMPARE(item->Id(), before);

    item->SetIdText(u"{ac378a1a-c28d-4d18-8c75-43be352db025}");
    QCOMPARE(item->IdText(), u"{AC378A1A-C28D-4D18-8C75-43BE352DB025}"_qs);
}

void TstTask::setContextIdText_keepsContextOnBadText()
{
    TTestCore test;
    TTask* item = AddTo(nullptr);
    QVERIFY(item->SetContextIdText(u"{00000000-0000-0000-0000-000000000001}"));
    QCOMPARE(item->ContextIdText(), u"{00000000-0000-0000-0000-000000000001}"_qs);
    QVERIFY(!item->SetContextIdText(u"home"));
    QCOMPARE(item->ContextIdText(), u"{00000000-0000-0000-0000-000000000001}"_qs);
}

void TstTask::dateParsers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<TDateTime>("nextDate");
    QTest::addColumn<TDateTime>("stamp");
    QTest::addColumn<bool>("dateRead"); // false: the parsers fell back
    QTest::addColumn<bool>("stampRead");
    const TDateTime today = Day(2026, 3, 15);
    const TDateTime now = TTestCore::DefaultNow();
    QTest::newRow("empty") << QString() << today << now << false << false;
    QTest::newRow("words") << u"tomorrow"_qs << today << now << false << false;
    QTest::newRow("day out of range") << u"2/30/2026"_qs << today << now << false << false;
    QTest::newRow("a date") << u"12/24/2025"_qs << Day(2025, 12, 24) << Day(2025, 12, 24) << true
                            << true;
    QTest::newRow("no year is this year")
        << u"7/4"_qs << Day(2026, 7, 4) << Day(2026, 7, 4) << true << true;
    QTest::newRow("date and time")
        << u"12/24/2025 6:05:09 PM"_qs << today
        << DateTime::Compose(QDate(2025, 12, 24), QTime(18, 5, 9)) << false << true;
}

void TstTask::dateParsers()
{
    QFETCH(QString, text);
    TTestCore test;
    TTask* item = AddTo(nullptr);
    item->SetNextDate(Day(2000, 1, 1));
    QTEST(item->SetNextDateText(text), "dateRead");
    QTEST(item->NextDate(), "nextDate");
    QTEST(item->SetCreatedText(text), "stampRead");
    QTEST(item->SetLastModifiedText(text), "stampRead");
    QTEST(item->Created(), "stamp");
    QTEST(item->LastModified(), "stamp");
}

void TstTask::textForms()
{
    TTestCore test;
    TTask* project = AddTo(nullptr);
    project->SetTaskType(TTaskType::Project);
    project->SetName(u"Paint the fence"_qs);
    TTask* item = AddTo(project);
    item->SetAccomplishType(TAccomplishType::ByDueDate);
    item->SetRepeatType(TPeriodType::Weeks);
    item->SetLeadType(TPeriodType::Years);
    item->SetStatus(TTaskStatus::Suspended);
    item->SetNextDate(Day(2026, 4, 2));
    item->SetCreated(Day(2026, 1, 5));
    item->SetLastModified(DateTime::Compose(QDate(2026, 1, 5), QTime(14, 7, 3)));

    QCOMPARE(item->TypeName(), u"Task"_qs);
    QCOMPARE(item->StatusName(), u"Suspended"_qs);
    QCOMPARE(item->AccomplishName(), u"By due date"_qs);
    QCOMPARE(item->RepeatTypeName(), u"weeks"_qs);
    QCOMPARE(item->LeadTypeName(), u"years"_qs);
    QCOMPARE(item->ParentName(), u"Paint the fence"_qs);
    QCOMPARE(item->ParentTypeName(), u"Project"_qs);
    QCOMPARE(project->ParentName(), QString());
    QCOMPARE(project->ParentTypeName(), QString());
    QCOMPARE(item->NextDateText(), u"4/2/2026"_qs);
    // A stamp at midnight shows no time.
    QCOMPARE(item->CreatedText(), u"1/5/2026"_qs);
    QCOMPARE(item->LastModifiedText(), u"1/5/2026 2:07:03 PM"_qs);
}

void TstTask::deadlineText_data()
{
    QTest::addColumn<TAccomplishType>("mode");
    QTest::addColumn<TDateTime>("nextDate");
    QTest::addColumn<QString>("markup");
    const QString repeats = u" <img src=\"idx:8\">"_qs;
    const TDateTime todayAtNine = DateTime::Compose(QDate(2026, 3, 15), QTime(21, 0));
    QTest::newRow("due yesterday") << TAccomplishType::ByDueDate << Day(2026, 3, 14)
                                   << u"<font color=\"clRed\">3/14/2026</font>"_qs;
    QTest::newRow("due today, later in the day") << TAccomplishType::ByDueDate << todayAtNine
                                                 << u"<font color=\"clGreen\">3/15/2026</font>"_qs;
    QTest::newRow("due tomorrow") << TAccomplishType::ByDueDate << Day(2026, 3, 16)
                                  << u"3/16/2026"_qs;
    QTest::newRow("routine overdue") << TAccomplishType::Routinely << Day(2026, 1, 1)
                                     << u"<font color=\"clRed\">1/1/2026</font>"_qs + repeats;
    QTest::newRow("routine ahead")
        << TAccomplishType::Routinely << Day(2026, 5, 1) << u"5/1/2026"_qs + repeats;
    QTest::newRow("once, overdue date") << TAccomplishType::Once << Day(2026, 3, 14) << QString();
    QTest::newRow("once, today") << TAccomplishType::Once << Day(2026, 3, 15) << QString();
}

void TstTask::deadlineText()
{
    QFETCH(TAccomplishType, mode);
    QFETCH(TDateTime, nextDate);
    TTestCore test;
    TTask* item = AddTo(nullptr);
    item->SetAccomplishType(mode);
    item->SetNextDate(nextDate);
    QTEST(item->DeadlineText(), "markup");
}

void TstTask::path_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("path");
    QTest::newRow("top level") << QStringList{u"Home"_qs} << u"Home"_qs;
    QTest::newRow("three levels") << QStringList{u"Home"_qs, u"Paint the fence"_qs, u"Buy paint"_qs}
                                  << u"Home >>> Paint the fence >>> Buy paint"_qs;
    QTest::newRow("empty names keep their separators")
        << QStringList{QString(), QString()} << u" >>> "_qs;
}

void TstTask::path()
{
    QFETCH(QStringList, names);
    TTestCore test;
    TTask* item = nullptr;
    for (const QString& name : names)
        item = AddNamed(*test.core().Tasks(), item, name);
    QTEST(item->Path(), "path");
    QCOMPARE(item->Depth(), names.size() - 1);
}

void TstTask::typeIcon_data()
{
    QTest::addColumn<TTaskType>("type");
    QTest::addColumn<bool>("icons");
    QTest::addColumn<QString>("markup");
    QTest::newRow("task") << TTaskType::Task << true << u"<img src=\"idx:0\">"_qs;
    QTest::newRow("project") << TTaskType::Project << true << u"<img src=\"idx:1\">"_qs;
    QTest::newRow("goal") << TTaskType::Goal << true << u"<img src=\"idx:2\">"_qs;
    QTest::newRow("area") << TTaskType::Area << true << u"<img src=\"idx:3\">"_qs;
    QTest::newRow("idea") << TTaskType::Idea << true << u"<img src=\"idx:4\">"_qs;
    QTest::newRow("icons off") << TTaskType::Task << false << QString();
}

void TstTask::typeIcon()
{
    QFETCH(TTaskType, type);
    QFETCH(bool, icons);
    TTestCore test;
    test.core().Config()->SetShowOutlineIcons(icons);
    TTask* item = AddTo(nullptr);
    item->SetTaskType(type);
    QTEST(item->TypeIcon(), "markup");
}

void TstTask::rowOperations_reachTheViewsOnceTheyExist()
{
    TTestCore test;
    TTask* item = AddNamed(*test.core().Tasks(), nullptr, u"Report"_qs);
    item->UpdateRows(); // no views yet: nothing to reach, nothing fails

    TRecordingViews views(test.core());
    item->UpdateRows();
    item->UpdateOutlineCheck();
    item->DeleteRows();
    QCOMPARE(views.Calls(), QStringList({u"UpdateRows Report"_qs, u"UpdateOutlineCheck Report"_qs,
                                         u"DeleteRows Report"_qs}));
}

QTEST_GUILESS_MAIN(TstTask)
#include "tst_task.moc"
