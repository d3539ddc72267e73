#include "DataFileFixture.h"

#include "app/Config.h"
#include "support/TestCore.h"
#include "views/OutlineTree.h"

#include <QtTest>

// The reader: every fallback of an item's values, parents, the failures that end a load, the
// header, where the sections stand, contexts and relations, status and log, and input that is
// damaged, hostile or very large.
class TstDataFileReader : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void item_valuesAndFallbacks_data();
    void item_valuesAndFallbacks();
    void item_parents_data();
    void item_parents();
    void failures_endTheLoad_data();
    void failures_endTheLoad();
    void header_nextBackupNo_data();
    void header_nextBackupNo();
    void header_recordedForms_data();
    void header_recordedForms();
    void foreignDates_keptWithoutRecordedForms_data();
    void foreignDates_keptWithoutRecordedForms();
    void sections_foundByName_data();
    void sections_foundByName();
    void contexts_sortedAndTyped_relationsKnownOnly();
    void steps_showAndClearTheirStatus();

    void documentType_neverExpandsOrFetches_data();
    void documentType_neverExpandsOrFetches();
    void damagedText_readsAndWritesBackReadable_data();
    void damagedText_readsAndWritesBackReadable();
    void chainOfHundredThousandLevels();
    void hundredThousandSiblings();
    void tenMegabyteNote();
};

namespace {

using Xml::Id;

QString Text(TDateTime value)
{
    return DateTime::ToQDateTime(value).toString(u"yyyy-MM-dd HH:mm:ss");
}

QString Flag(bool value)
{
    return value ? u"true"_qs : u"false"_qs;
}

// A value of the item as the test names it, independent of the file's text forms.
QString Field(const TTask& item, const QString& field)
{
    if (field == u"name")
        return item.Name();
    if (field == u"note")
        return item.Note();
    if (field == u"context_id")
        return item.ContextIdText();
    if (field == u"importance")
        return QString::number(item.Importance());
    if (field == u"effort")
        return QString::number(item.Effort());
    if (field == u"tasktype")
        return item.TypeName();
    if (field == u"status")
        return item.StatusName();
    if (field == u"accomplishtype")
        return item.AccomplishName();
    if (field == u"repeattype")
        return item.RepeatTypeName();
    if (field == u"repeatvalue")
        return QString::number(item.RepeatValue());
    if (field == u"leadtype")
        return item.LeadTypeName();
    if (field == u"leadvalue")
        return QString::number(item.LeadValue());
    if (field == u"nextdate")
        return Text(item.NextDate());
    if (field == u"created")
        return Text(item.Created());
    if (field == u"lastmodified")
        return Text(item.LastModified());
    if (field == u"checked")
        return Flag(item.Checked());
    if (field == u"dependonprevious")
        return Flag(item.DependOnPrevious());
    if (field == u"expanded")
        return Flag(item.Expanded());
    qFatal("unknown field");
}

const QString anywhere = u"{AC378A1A-C28D-4D18-8C75-43BE352DB025}"_qs;

} // namespace

void TstDataFileReader::item_valuesAndFallbacks_data()
{
    QTest::addColumn<QString>("parentType"); // empty: a top-level item
    QTest::addColumn<Xml::TElements>("elements");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");

    const auto row = [](const char* name, const QString& parentType, const Xml::TElements& elements,
                        const QString& field, const QString& expected) {
        QTest::newRow(name) << parentType << elements << field << expected;
    };
    const QString top;
    row("no repeatvalue: 1", top, {}, u"repeatvalue"_qs, u"1"_qs);
    row("repeatvalue not a number: 1", top, {{u"repeatvalue"_qs, u"often"_qs}}, u"repeatvalue"_qs,
        u"1"_qs);
    row("repeatvalue negative", top, {{u"repeatvalue"_qs, u"-3"_qs}}, u"repeatvalue"_qs, u"-3"_qs);
    row("no leadvalue: 1", top, {}, u"leadvalue"_qs, u"1"_qs);
    row("leadvalue", top, {{u"leadvalue"_qs, u"4"_qs}}, u"leadvalue"_qs, u"4"_qs);
    row("no nextdate: today", top, {}, u"nextdate"_qs, u"2026-03-15 00:00:00"_qs);
    row("nextdate", top, {{u"nextdate"_qs, u"3/20/2027"_qs}}, u"nextdate"_qs,
        u"2027-03-20 00:00:00"_qs);
    row("nextdate of two numbers: this year", top, {{u"nextdate"_qs, u"4/1"_qs}}, u"nextdate"_qs,
        u"2026-04-01 00:00:00"_qs);
    row("nextdate two-digit year", top, {{u"nextdate"_qs, u"4/1/99"_qs}}, u"nextdate"_qs,
        u"1999-04-01 00:00:00"_qs);
    row("nextdate out of range: today", top, {{u"nextdate"_qs, u"13/40/2026"_qs}}, u"nextdate"_qs,
        u"2026-03-15 00:00:00"_qs);
    row("no created: now", top, {}, u"created"_qs, u"2026-03-15 10:30:00"_qs);
    row("created", top, {{u"created"_qs, u"3/1/2026 1:02:03 PM"_qs}}, u"created"_qs,
        u"2026-03-01 13:02:03"_qs);
    row("created at midnight: the date alone", top, {{u"created"_qs, u"3/1/2026"_qs}},
        u"created"_qs, u"2026-03-01 00:00:00"_qs);
    row("created a time alone: day zero", top, {{u"created"_qs, u"13:05"_qs}}, u"created"_qs,
        u"1899-12-30 13:05:00"_qs);
    row("lastmodified not a date: now", top, {{u"lastmodified"_qs, u"yesterday"_qs}},
        u"lastmodified"_qs, u"2026-03-15 10:30:00"_qs);
    row("checked TRUE: not done", top, {{u"checked"_qs, u"TRUE"_qs}}, u"checked"_qs, u"false"_qs);
    row("checked true", top, {{u"checked"_qs, u"true"_qs}}, u"checked"_qs, u"true"_qs);
    row("dependonprevious True: false", top, {{u"dependonprevious"_qs, u"True"_qs}},
        u"dependonprevious"_qs, u"false"_qs);
    row("dependonprevious true", top, {{u"dependonprevious"_qs, u"true"_qs}},
        u"dependonprevious"_qs, u"true"_qs);
    row("expanded true", top, {{u"expanded"_qs, u"true"_qs}}, u"expanded"_qs, u"true"_qs);
    row("no expanded: collapsed", top, {}, u"expanded"_qs, u"false"_qs);
    row("accomplishtype unknown: Once", top, {{u"accomplishtype"_qs, u"Sometimes"_qs}},
        u"accomplishtype"_qs, u"Once"_qs);
    row("accomplishtype by due date", top, {{u"accomplishtype"_qs, u"By due date"_qs}},
        u"accomplishtype"_qs, u"By due date"_qs);
    row("repeattype in capitals: days", top, {{u"repeattype"_qs, u"Months"_qs}}, u"repeattype"_qs,
        u"days"_qs);
    row("repeattype", top, {{u"repeattype"_qs, u"months"_qs}}, u"repeattype"_qs, u"months"_qs);
    row("leadtype", top, {{u"leadtype"_qs, u"years"_qs}}, u"leadtype"_qs, u"years"_qs);
    row("tasktype unknown at the top: a new item's", top, {{u"tasktype"_qs, u"Chore"_qs}},
        u"tasktype"_qs, u"Area"_qs);
    row("tasktype unknown below a project: a new subitem's", u"Project"_qs,
        {{u"tasktype"_qs, u"Chore"_qs}}, u"tasktype"_qs, u"Task"_qs);
    row("tasktype", top, {{u"tasktype"_qs, u"Goal"_qs}}, u"tasktype"_qs, u"Goal"_qs);
    row("status unknown: a new item's", top, {{u"status"_qs, u"Done"_qs}}, u"status"_qs,
        u"Active"_qs);
    row("status Finished", top, {{u"status"_qs, u"Finished"_qs}}, u"status"_qs, u"Finished"_qs);
    row("status Finished leaves the done flag", top, {{u"status"_qs, u"Finished"_qs}},
        u"checked"_qs, u"false"_qs);
    row("context_id not an id at the top: Anywhere", top, {{u"context_id"_qs, u"@home"_qs}},
        u"context_id"_qs, anywhere);
    row("context_id not an id below a parent: the parent's", u"Task"_qs,
        {{u"context_id"_qs, u"@home"_qs}}, u"context_id"_qs, Id(9));
    row("context_id in lower case, of no context: kept", top,
        {{u"context_id"_qs, Id(77).toLower()}}, u"context_id"_qs, Id(77));
    row("importance negative", top, {{u"importance"_qs, u"-7"_qs}}, u"importance"_qs, u"-7"_qs);
    row("importance between blanks", top, {{u"importance"_qs, u" 7 "_qs}}, u"importance"_qs,
        u"7"_qs);
    row("effort", top, {{u"effort"_qs, u"250"_qs}}, u"effort"_qs, u"250"_qs);
    row("name with markup", top, {{u"name"_qs, u"&lt;b&gt;Tom &amp; Jerry&lt;/b&gt;"_qs}},
        u"name"_qs, u"<b>Tom & Jerry</b>"_qs);
    row("name in character data", top, {{u"name"_qs, u"<![CDATA[<i>it</i>]]> &amp; more"_qs}},
        u"name"_qs, u"<i>it</i> & more"_qs);
    row("name split by a comment", top, {{u"name"_qs, u"Ho<!-- x -->me"_qs}}, u"name"_qs,
        u"Home"_qs);
    row("name of blanks", top, {{u"name"_qs, u"   "_qs}}, u"name"_qs, u"   "_qs);
    row("name with child elements: only its own text", top, {{u"name"_qs, u"Home<b>bold</b>"_qs}},
        u"name"_qs, u"Home"_qs);
    row("no name: empty", top, {{u"-name"_qs, {}}}, u"name"_qs, QString());
    row("note line ends as XML reads them", top, {{u"note"_qs, u"a\r\nb\rc\nd"_qs}}, u"note"_qs,
        u"a\nb\nc\nd"_qs);
    row("note carriage return by reference", top, {{u"note"_qs, u"a&#13;&#10;b"_qs}}, u"note"_qs,
        u"a\r\nb"_qs);
    row("note first element counts", top, {{u"note"_qs, u"first</note><note>second"_qs}},
        u"note"_qs, u"first"_qs);
}

void TstDataFileReader::item_valuesAndFallbacks()
{
    QFETCH(QString, parentType);
    QFETCH(Xml::TElements, elements);
    QFETCH(QString, field);
    TTestCore test;
    QString tasks;
    if (!parentType.isEmpty()) {
        tasks = Xml::Task(
            Id(1),
            {{u"name"_qs, u"Parent"_qs}, {u"tasktype"_qs, parentType}, {u"context_id"_qs, Id(9)}});
        elements.prepend({u"parentid"_qs, Id(1)});
    }
    elements.prepend({u"name"_qs, u"Item"_qs});
    tasks += Xml::Task(Id(2), elements);
    ReadDocument(Xml::Document(tasks));

    const TTask* item = Core().Tasks()->FindById(*Guid::FromRegistryText(Id(2)));
    QVERIFY(item);
    QTEST(Field(*item, field), "expected");
}

void TstDataFileReader::item_parents_data()
{
    QTest::addColumn<QString>("tasks");
    QTest::addColumn<QStringList>("outline");

    const auto task = [](int id, const QString& name, const QString& parent) {
        return Xml::Task(Id(id), {{u"name"_qs, name}, {u"parentid"_qs, parent}});
    };
    QTest::newRow("root, not an id, an id of no item: top level")
        << task(1, u"A"_qs, u"root"_qs) + task(2, u"B"_qs, u"Home"_qs) + task(3, u"C"_qs, Id(42)) +
               task(4, u"D"_qs, QString())
        << QStringList{u"A"_qs, u"B"_qs, u"C"_qs, u"D"_qs};
    QTest::newRow("an earlier item, in either case; children in document order")
        << task(1, u"Home"_qs, u"root"_qs) + task(2, u"Gate"_qs, Id(1)) +
               task(3, u"Fence"_qs, Id(1).toLower()) + task(4, u"Paint"_qs, Id(3))
        << QStringList{u"Home"_qs, u" Gate"_qs, u" Fence"_qs, u"  Paint"_qs};
    QTest::newRow("a later item: top level")
        << task(2, u"Child"_qs, Id(1)) + task(1, u"Parent"_qs, u"root"_qs)
        << QStringList{u"Child"_qs, u"Parent"_qs};
    QTest::newRow("its own id: top level") << task(1, u"Self"_qs, Id(1)) << QStringList{u"Self"_qs};
    QTest::newRow("a repeated id: the first item with it")
        << task(1, u"First"_qs, u"root"_qs) + task(1, u"Second"_qs, u"root"_qs) +
               task(2, u"Child"_qs, Id(1))
        << QStringList{u"First"_qs, u" Child"_qs, u"Second"_qs};
    QTest::newRow("no tasks at all") << QString() << QStringList();
}

void TstDataFileReader::item_parents()
{
    QFETCH(QString, tasks);
    TTestCore test;
    ReadDocument(Xml::Document(tasks));
    QTEST(IndentedNames(), "outline");
}

void TstDataFileReader::failures_endTheLoad_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");

    const QByteArray valid =
        Xml::Document(Xml::Task(Id(1)), Xml::Context(Id(5), u"Desk"_qs, u"Place"_qs));
    QTest::newRow("empty file") << QByteArray()
                                << u"No document element found (line 1, column 1)"_qs;
    QTest::newRow("plain text") << QByteArray("Shopping list:\n- milk\n")
                                << u"No document element found"_qs;
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)
                            << u"No document element found"_qs;
    QTest::newRow("truncated") << valid.left(valid.size() / 2) << u"line 1, column"_qs;
    QTest::newRow("end tag mismatch") << QByteArray("<document>\n<tasks></task>\n</document>")
                                      << u"Start-end tags mismatch (line 2, column 10)"_qs;
    QTest::newRow("no contexts") << QByteArray("<document><tasks/><subcontexts/></document>")
                                 << u"The element \"contexts\" is missing"_qs;
    QTest::newRow("no tasks") << QByteArray("<document><contexts/><subcontexts/></document>")
                              << u"The element \"tasks\" is missing"_qs;
    QTest::newRow("no subcontexts") << QByteArray("<document><tasks/><contexts/></document>")
                                    << u"The element \"subcontexts\" is missing"_qs;
    QTest::newRow("task id garbage") << Xml::Document(Xml::Task(u"{not-a-guid}"_qs))
                                     << u"'{not-a-guid}' is not a valid GUID value"_qs;
    QTest::newRow("task id without braces")
        << Xml::Document(Xml::Task(Id(1).mid(1, 36)))
        << u"'00000000-0000-0000-0000-000000000001' is not a valid GUID value"_qs;
    QTest::newRow("task without id")
        << Xml::Document(Xml::Task(Id(1), {{u"-id"_qs, {}}})) << u"'' is not a valid GUID value"_qs;
    QTest::newRow("context id garbage")
        << Xml::Document({}, Xml::Context(u"home"_qs, u"Home"_qs, u"Place"_qs))
        << u"'home' is not a valid GUID value"_qs;
    QTest::newRow("relation childid garbage")
        << Xml::Document({}, {}, Xml::SubContext(anywhere, u"x"_qs))
        << u"'x' is not a valid GUID value"_qs;
    QTest::newRow("relation parentid garbage")
        << Xml::Document({}, {}, Xml::SubContext(u"y"_qs, anywhere))
        << u"'y' is not a valid GUID value"_qs;
    QTest::newRow("importance not a number")
        << Xml::Document(Xml::Task(Id(1), {{u"importance"_qs, u"ten"_qs}}))
        << u"'ten' is not a valid integer value"_qs;
    QTest::newRow("no importance") << Xml::Document(Xml::Task(Id(1), {{u"-importance"_qs, {}}}))
                                   << u"'' is not a valid integer value"_qs;
    QTest::newRow("effort fractional")
        << Xml::Document(Xml::Task(Id(1), {{u"effort"_qs, u"1.5"_qs}}))
        << u"'1.5' is not a valid integer value"_qs;
    QTest::newRow("effort beyond an integer")
        << Xml::Document(Xml::Task(Id(1), {{u"effort"_qs, u"99999999999"_qs}}))
        << u"'99999999999' is not a valid integer value"_qs;
}

void TstDataFileReader::failures_endTheLoad()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    TTestCore test;
    const QString failure = ReadFailure(content);
    QVERIFY2(!failure.isEmpty(), "the load went through");
    QVERIFY2(failure.contains(message), qPrintable(failure));
}

void TstDataFileReader::header_nextBackupNo_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("logLine");

    const QString unable = u"Unable to get NextBackupNo from data file - set to 1"_qs;
    QTest::newRow("a number") << Xml::Header(u"5"_qs) << 5 << u"NextBackupNo set to 5"_qs;
    QTest::newRow("out of range, unchanged")
        << Xml::Header(u"-3"_qs) << -3 << u"NextBackupNo set to -3"_qs;
    QTest::newRow("empty") << Xml::Header(QString()) << 1 << unable;
    QTest::newRow("not a number") << Xml::Header(u"five"_qs) << 1 << unable;
    QTest::newRow("no header") << QString() << 1 << unable;
    QTest::newRow("header without the counter") << u"<header/>"_qs << 1 << unable;
}

void TstDataFileReader::header_nextBackupNo()
{
    QFETCH(QString, header);
    QFETCH(int, number);
    QFETCH(QString, logLine);
    TTestCore test;
    test.core().Config()->SetNextBackupNo(77);
    ReadDocument(Xml::Document({}, {}, {}, header));
    QCOMPARE(test.core().Config()->NextBackupNo(), number);
    QVERIFY(test.logMessages().contains(logLine));
}

void TstDataFileReader::header_recordedForms_data()
{
    QTest::addColumn<QString>("forms");
    QTest::addColumn<QString>("nextdate");
    QTest::addColumn<QString>("created");
    QTest::addColumn<QString>("expectedNextDate");
    QTest::addColumn<QString>("expectedCreated");

    QTest::newRow("Czech forms in a US reader")
        << u"<dateform>dd.MM.yyyy</dateform><timeform>H:mm:ss</timeform>"_qs << u"05.03.2026"_qs
        << u"05.03.2026 21:05:07"_qs << u"2026-03-05 00:00:00"_qs << u"2026-03-05 21:05:07"_qs;
    QTest::newRow("Korean forms with their day periods")
        << u"<dateform>yyyy.M.d.</dateform><timeform>AP h:mm:ss</timeform>"
           u"<amdesignator>오전</amdesignator><pmdesignator>오후</pmdesignator>"_qs
        << u"2026.3.5."_qs << u"2026.3.5. 오후 1:02:03"_qs << u"2026-03-05 00:00:00"_qs
        << u"2026-03-05 13:02:03"_qs;
    QTest::newRow("no forms: the user's")
        << QString() << u"3/5/2026"_qs << u"3/5/2026 9:05:07 PM"_qs << u"2026-03-05 00:00:00"_qs
        << u"2026-03-05 21:05:07"_qs;
    QTest::newRow("damaged forms: the user's")
        << u"<dateform>yyyy</dateform><timeform>nonsense</timeform>"_qs << u"3/5/2026"_qs
        << u"3/5/2026 9:05:07 PM"_qs << u"2026-03-05 00:00:00"_qs << u"2026-03-05 21:05:07"_qs;
    QTest::newRow("Czech dates without their forms: found")
        << QString() << u"15.03.2026"_qs << u"05.03.2026 21:05:07"_qs << u"2026-03-15 00:00:00"_qs
        << u"2026-03-05 21:05:07"_qs;
    QTest::newRow("Czech dates that do not decide: the regional order")
        << QString() << u"05.03.2026"_qs << u"05.03.2026 21:05:07"_qs << u"2026-05-03 00:00:00"_qs
        << u"2026-05-03 21:05:07"_qs;
    QTest::newRow("no date can be read: today and now")
        << QString() << u"15.15.2026"_qs << u"15.15.2026 21:05:07"_qs << u"2026-03-15 00:00:00"_qs
        << u"2026-03-15 10:30:00"_qs;
}

void TstDataFileReader::header_recordedForms()
{
    QFETCH(QString, forms);
    QFETCH(QString, nextdate);
    QFETCH(QString, created);
    TTestCore test;
    ReadDocument(
        Xml::Document(Xml::Task(Id(1), {{u"nextdate"_qs, nextdate}, {u"created"_qs, created}}), {},
                      {}, u"<header><nextbackupno>1</nextbackupno>" + forms + u"</header>"));
    const TTask& item = *Core().Tasks()->FirstInOutline();
    QTEST(Text(item.NextDate()), "expectedNextDate");
    QTEST(Text(item.Created()), "expectedCreated");
    QCOMPARE(Core().Regional().ShortDateForm(), u"M/d/yyyy"_qs);
}

void TstDataFileReader::foreignDates_keptWithoutRecordedForms_data()
{
    QTest::addColumn<QLocale>("reader");
    QTest::addColumn<QString>("formsLogged");
    QTest::addColumn<QString>("damaged"); // the created text of the last item
    QTest::addColumn<int>("unread");

    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QLocale cs(QLocale::Czech, QLocale::CzechRepublic);
    const QString found = u"its dates are read in d.M.yyyy H:mm:ss: "_qs;
    QTest::newRow("en_US") << us << found + u"9 of 9 read" << u"1.3.2026 7:15"_qs << 0;
    QTest::newRow("C") << QLocale::c() << found + u"9 of 9 read" << u"1.3.2026 7:15"_qs << 0;
    QTest::newRow("cs_CZ, the regional forms")
        << cs << u"the regional forms dd.MM.yyyy H:mm:ss read all its dates"_qs
        << u"1.3.2026 7:15"_qs << 0;
    QTest::newRow("en_US, one date damaged")
        << us << found + u"8 of 9 read" << u"31.2.2026 7:15"_qs << 1;
    QTest::newRow("cs_CZ, one date damaged")
        << cs << u"its dates are read in dd.MM.yyyy H:mm:ss (the regional forms): 8 of 9 read"_qs
        << u"31.2.2026 7:15"_qs << 1;
}

// A file written under Czech regional settings before the header recorded its forms keeps every
// date wherever it is read, and says what it could not read.
void TstDataFileReader::foreignDates_keptWithoutRecordedForms()
{
    QFETCH(QLocale, reader);
    QFETCH(QString, damaged);
    TTestCore test(reader);
    test.core().Config()->SetShowDueDatesInOutline(true);
    const auto czechTask = [](int n, const QString& next, const QString& created,
                              const QString& modified) {
        return Xml::Task(Id(n), {{u"name"_qs, u"Item "_qs + QString::number(n)},
                                 {u"accomplishtype"_qs, u"By due date"_qs},
                                 {u"nextdate"_qs, next},
                                 {u"created"_qs, created},
                                 {u"lastmodified"_qs, modified}});
    };
    TDataFileReader file(Xml::Document(
        czechTask(1, u"24.12.2026"_qs, u"5.1.2026 9:15:00"_qs, u"1.3.2026 14:30:00"_qs) +
        czechTask(2, u"1.4.2026"_qs, u"13.1.2026"_qs, u"2.3.2026 0:05:09"_qs) +
        czechTask(3, u"2.2.2027"_qs, damaged, u"28.2.2026 23:59:59"_qs)));
    file.ReadAll();

    const auto dates = [](int n) {
        const TTask& item = *Core().Tasks()->FindById(*Guid::FromRegistryText(Id(n)));
        return QStringList{Text(item.NextDate()), Text(item.Created()), Text(item.LastModified())}
            .join(u" | ");
    };
    QCOMPARE(dates(1), u"2026-12-24 00:00:00 | 2026-01-05 09:15:00 | 2026-03-01 14:30:00"_qs);
    QCOMPARE(dates(2), u"2026-04-01 00:00:00 | 2026-01-13 00:00:00 | 2026-03-02 00:05:09"_qs);
    QFETCH(int, unread);
    const QString created3 = unread ? u"2026-03-15 10:30:00"_qs : u"2026-03-01 07:15:00"_qs;
    QCOMPARE(dates(3), u"2027-02-02 00:00:00 | " + created3 + u" | 2026-02-28 23:59:59");
    QTEST(file.UnreadDates(), "unread");
    // The outline shows the dates that were read, not those of a first try, in the user's forms.
    const TTask& first = *Core().Tasks()->FirstInOutline();
    QVERIFY2(first.OutlineNode()->Text().endsWith(u"    " + first.NextDateText()),
             qPrintable(first.OutlineNode()->Text()));
    QFETCH(QString, formsLogged);
    QVERIFY2(test.logMessages().contains(u"The data file records no date forms; " + formsLogged),
             qPrintable(test.logMessages().join(u'\n')));
    // The user's own forms are back for everything after the load.
    QCOMPARE(Core().Regional().ShortDateForm(),
             TRegionalSettings::FromLocale(reader).ShortDateForm());
}

void TstDataFileReader::sections_foundByName_data()
{
    QTest::addColumn<QByteArray>("content");

    const QString task = Xml::Task(Id(1), {{u"name"_qs, u"Home"_qs}});
    const QString context = Xml::Context(Id(5), u"Desk"_qs, u"Place"_qs);
    const QString relation = Xml::SubContext(anywhere, Id(5));
    QTest::newRow("the writer's order") << Xml::Document(task, context, relation);
    QTest::newRow("reversed, another root name")
        << (u"<tavolin><subcontexts>" + relation + u"</subcontexts><contexts>" + context +
            u"</contexts><tasks>" + task + u"</tasks>" + Xml::Header() + u"</tavolin>")
               .toUtf8();
    QTest::newRow("indented, with a byte-order mark and Windows line ends")
        << (u"\uFEFF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<document>\r\n  " +
            Xml::Header() + u"\r\n  <tasks>\r\n    " + task +
            u"\r\n  </tasks>\r\n  <contexts>\r\n    " + context +
            u"\r\n  </contexts>\r\n  <subcontexts>\r\n    " + relation +
            u"\r\n  </subcontexts>\r\n</document>\r\n")
               .toUtf8();
    QTest::newRow("comments, instructions and strangers among the elements")
        << (u"<?xml version=\"1.0\"?><!-- saved by hand --><document><?app hint?>" + Xml::Header() +
            u"<tasks><!-- one --><remark>later</remark>" + task +
            u"</tasks><extra><task>not an item</task></extra><contexts><x/>" + context +
            u"</contexts><subcontexts>" + relation + u"</subcontexts></document>")
               .toUtf8();
    QTest::newRow("another encoding declared")
        << (u"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><document><tasks>" + task +
            u"</tasks><contexts>" + context + u"</contexts><subcontexts>" + relation +
            u"</subcontexts></document>")
               .toLatin1();
}

void TstDataFileReader::sections_foundByName()
{
    QFETCH(QByteArray, content);
    TTestCore test;
    QCOMPARE(ReadFailure(content), QString());
    QCOMPARE(IndentedNames(), QStringList{u"Home"_qs});
    QCOMPARE(ContextsSnapshot().mid(1),
             (QStringList{u"Desk (Place, " + Id(5) + u')', u"Kdekoliv > Desk"_qs}));
}

void TstDataFileReader::contexts_sortedAndTyped_relationsKnownOnly()
{
    TTestCore test;
    Core().Contexts()->Reset();
    const QString contexts = Xml::Context(Id(1), u"phone"_qs, u"Phone"_qs) +
                             Xml::Context(Id(2), u"Žofie"_qs, u"Person"_qs) +
                             Xml::Context(Id(3), u"Desk"_qs, u"Anywhere"_qs) +
                             Xml::Context(Id(4), u"Laptop"_qs, u"Computer"_qs) +
                             Xml::Context(Id(5), u"attic"_qs, u"Attic"_qs) +
                             Xml::Context(Id(6).toLower(), u"Boss"_qs, u"person"_qs);
    const QString relations = Xml::SubContext(Id(4), Id(1)) + Xml::SubContext(Id(4), Id(99)) +
                              Xml::SubContext(Id(98), Id(1)) + Xml::SubContext(Id(1), Id(4)) +
                              Xml::SubContext(Id(4), Id(1)) +
                              Xml::SubContext(anywhere, Id(3).toLower());
    ReadDocument(Xml::Document({}, contexts, relations));
    QCOMPARE(ContextsSnapshot(), (QStringList{
                                     u"Kdekoliv (Anywhere, " + anywhere + u')',
                                     u"attic (Place, " + Id(5) + u')',
                                     u"Boss (Place, " + Id(6) + u')',
                                     u"Desk (Place, " + Id(3) + u')',
                                     u"Laptop (Computer, " + Id(4) + u')',
                                     u"phone (Phone, " + Id(1) + u')',
                                     u"Žofie (Person, " + Id(2) + u')',
                                     u"Laptop > phone"_qs,
                                     u"phone > Laptop"_qs,
                                     u"Kdekoliv > Desk"_qs,
                                 }));
    // What was dropped is not written again.
    const QByteArray written = WrittenDocument();
    QVERIFY(!written.contains(Id(99).toUtf8()));
    QVERIFY(!written.contains(Id(98).toUtf8()));
}

void TstDataFileReader::steps_showAndClearTheirStatus()
{
    TTestCore test;
    ReadDocument(Xml::Document(Xml::Task(Id(1))));
    QStringList statuses;
    for (const QString& line : test.logMessages()) {
        if (line.startsWith(u"Status update: "))
            statuses.prepend(line.mid(15));
    }
    const auto translated = [](const char16_t* key) {
        return Core().Translate(QString::fromUtf16(key));
    };
    QCOMPARE(statuses, (QStringList{
                           translated(u"Reading contexts"),
                           QString(),
                           translated(u"Reading items"),
                           QString(),
                           translated(u"Reading included contexts"),
                           QString(),
                       }));
    QCOMPARE(translated(u"Reading items"), u"Načítání položek"_qs);
}

void TstDataFileReader::documentType_neverExpandsOrFetches_data()
{
    QTest::addColumn<QString>("documentType");
    QTest::addColumn<QString>("name"); // as it stands in the file, and as it is read

    QTest::newRow("an internal entity")
        << u"<!DOCTYPE document [<!ENTITY e \"EXPANDED\">]>"_qs << u"&e;"_qs;
    QTest::newRow("a billion laughs") << u"<!DOCTYPE document [<!ENTITY a \"HAHAHAHAHA\"><!ENTITY "
                                         u"b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
                                         u"<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\"><!ENTITY "
                                         u"d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">"
                                         u"<!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\"><!ENTITY "
                                         u"f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\">"
                                         u"<!ENTITY g \"&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;\"><!ENTITY "
                                         u"h \"&g;&g;&g;&g;&g;&g;&g;&g;&g;&g;\">"
                                         u"<!ENTITY i \"&h;&h;&h;&h;&h;&h;&h;&h;&h;&h;\">]>"_qs
                                      << u"&i;"_qs;
    QTest::newRow("an external entity")
        << u"<!DOCTYPE document [<!ENTITY xxe SYSTEM \"file:///etc/passwd\">]>"_qs << u"&xxe;"_qs;
    QTest::newRow("an external parameter entity")
        << u"<!DOCTYPE document [<!ENTITY % remote SYSTEM \"http://127.0.0.1:9/x.dtd\"> %remote;]>"_qs
        << u"&remote;"_qs;
    QTest::newRow("an external document type")
        << u"<!DOCTYPE document SYSTEM \"/etc/passwd\">"_qs << u"Home"_qs;
}

void TstDataFileReader::documentType_neverExpandsOrFetches()
{
    QFETCH(QString, documentType);
    QFETCH(QString, name);
    TTestCore test;
    const QString body = QString::fromUtf8(Xml::Document(Xml::Task(Id(1), {{u"name"_qs, name}})));
    const qsizetype root = body.indexOf(u"<document>");
    ReadDocument((body.left(root) + documentType + body.mid(root)).toUtf8());
    // A reference to an entity of the document's own stays the text it is.
    QCOMPARE(Core().Tasks()->FirstInOutline()->Name(), name);
}

void TstDataFileReader::damagedText_readsAndWritesBackReadable_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("readAs");
    QTest::addColumn<QString>("readAgainAs");

    QTest::newRow("invalid UTF-8")
        << QByteArray("a\xC3\x28z\xFF\xFE") << QString::fromUtf8("a\xC3\x28z\xFF\xFE")
        << QString::fromUtf8("a\xC3\x28z\xFF\xFE");
    QTest::newRow("control characters by reference")
        << QByteArray("a&#1;b&#x1F;c&#27;d") << u"a\u0001b\u001Fc\u001Bd"_qs << u"abcd"_qs;
    QTest::newRow("raw control characters") << QByteArray("a\x01"
                                                          "b\x08"
                                                          "c")
                                            << u"a\u0001b\u0008c"_qs << u"abc"_qs;
    QTest::newRow("a null character by reference ends the text")
        << QByteArray("ab&#0;cd") << u"ab"_qs << u"ab"_qs;
}

void TstDataFileReader::damagedText_readsAndWritesBackReadable()
{
    QFETCH(QByteArray, name);
    QByteArray written;
    {
        TTestCore test;
        QByteArray content = Xml::Document(Xml::Task(Id(1), {{u"name"_qs, u"NAME"_qs}}));
        content.replace("NAME", name);
        ReadDocument(content);
        QTEST(Core().Tasks()->FirstInOutline()->Name(), "readAs");
        written = WrittenDocument();
    }
    TTestCore test;
    QCOMPARE(ReadFailure(written), QString());
    QTEST(Core().Tasks()->FirstInOutline()->Name(), "readAgainAs");
}

void TstDataFileReader::chainOfHundredThousandLevels()
{
    constexpr int depth = 100000;
    QString tasks;
    tasks.reserve(depth * 260);
    for (int level = 1; level <= depth; ++level) {
        tasks += Xml::Task(Id(level), {{u"name"_qs, QString::number(level)},
                                       {u"parentid"_qs, level == 1 ? u"root"_qs : Id(level - 1)},
                                       {u"expanded"_qs, u"true"_qs}});
    }
    QByteArray written;
    {
        TTestCore test;
        ReadDocument(Xml::Document(tasks));
        const TTask* deepest = Core().Tasks()->FindById(*Guid::FromRegistryText(Id(depth)));
        QVERIFY(deepest);
        QCOMPARE(deepest->Depth(), depth - 1);
        QCOMPARE(deepest->Parent()->Name(), QString::number(depth - 1));
        written = WrittenDocument();
    }
    TTestCore test;
    ReadDocument(written);
    QCOMPARE(Core().Tasks()->Count(), depth);
    const TTask* deepest = Core().Tasks()->FindById(*Guid::FromRegistryText(Id(depth)));
    QCOMPARE(deepest->Depth(), depth - 1);
}

void TstDataFileReader::hundredThousandSiblings()
{
    constexpr int count = 100000;
    QString tasks = Xml::Task(Id(0), {{u"name"_qs, u"Top"_qs}});
    tasks.reserve(count * 200);
    for (int n = 1; n <= count; ++n)
        tasks += Xml::Task(Id(n), {{u"name"_qs, QString::number(n)}, {u"parentid"_qs, Id(0)}});
    TTestCore test;
    ReadDocument(Xml::Document(tasks));
    const QList<TTask*>& children = Core().Tasks()->Children(Core().Tasks()->FirstInOutline());
    QCOMPARE(children.size(), count);
    QCOMPARE(children.first()->Name(), u"1"_qs);
    QCOMPARE(children.last()->Name(), QString::number(count));
    const QByteArray written = WrittenDocument();
    QVERIFY(written.contains("<name>100000</name>"));
    QVERIFY(written.contains("<sortorder>99999</sortorder>"));
}

void TstDataFileReader::tenMegabyteNote()
{
    const QString note = QString(u"<Lorem & ipsum>\r\n"_qs).repeated(10 * 1024 * 1024 / 17);
    QByteArray written;
    {
        TTestCore test;
        TTask* item = Core().Tasks()->Add(nullptr);
        item->SetNote(note);
        written = WrittenDocument();
    }
    QVERIFY(written.size() > 10 * 1000 * 1000);
    TTestCore test;
    ReadDocument(written);
    QCOMPARE(Core().Tasks()->FirstInOutline()->Note(), note);
}

QTEST_GUILESS_MAIN(TstDataFileReader)
#include "tst_datafilereader.moc"
