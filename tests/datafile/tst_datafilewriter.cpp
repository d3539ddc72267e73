#include "DataFileFixture.h"

#include "app/Config.h"
#include "support/TestCore.h"

#include <QXmlStreamReader>
#include <QtTest>
#include <optional>

// The writer: the document's exact form, the outline order, the text that XML cannot hold, and
// round trips through the reader within one locale and across locales.
class TstDataFileWriter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void header_exactForm();
    void header_recordsFormsAndDesignators_data();
    void header_recordsFormsAndDesignators();
    void task_everyElementInOrder();
    void items_inOutlinePreOrder_withSortOrderAndParentExpanded();
    void contexts_withoutAnywhere_relationsInOrder();
    void text_isWellFormedAndReadsBack_data();
    void text_isWellFormedAndReadsBack();

    void roundTrip_reproducesOutlineFieldsContextsAndRelations();
    void roundTrip_acrossLocales_data();
    void roundTrip_acrossLocales();
    void emptyOutline_writesEmptyTasks();
};

namespace {

QLocale Locale(const QString& name)
{
    return QLocale(name);
}

// What an independent reader makes of the document: every element's name with its text, in
// document order, or the reader's complaint.
struct TParsed {
    QStringList elements; // "name=text" for elements without children, "name" for the others
    QString error;
};

TParsed Parse(const QByteArray& bytes)
{
    TParsed parsed;
    QXmlStreamReader reader(bytes);
    QStringList open;
    QString text;
    bool leaf = false;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            if (!open.isEmpty() && leaf)
                parsed.elements.last() = open.last();
            open.append(reader.name().toString());
            parsed.elements.append(open.last() + u'=');
            text.clear();
            leaf = true;
            break;
        case QXmlStreamReader::Characters:
            text += reader.text();
            break;
        case QXmlStreamReader::EndElement:
            if (leaf)
                parsed.elements.last() = open.last() + u'=' + text;
            open.removeLast();
            leaf = false;
            break;
        default:
            break;
        }
    }
    if (reader.hasError())
        parsed.error = reader.errorString();
    return parsed;
}

QString Chars(std::initializer_list<char16_t> units)
{
    QString text;
    for (char16_t unit : units)
        text += QChar(unit);
    return text;
}

TTask* AddNamed(TTask* parent, const QString& name)
{
    TTask* item = Core().Tasks()->Add(parent);
    item->SetName(name);
    return item;
}

TDateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return DateTime::Compose(QDate(year, month, day), QTime(hour, minute, second));
}

// Items, contexts and relations that use every field and every value the format knows.
void BuildVariedData()
{
    TContexts& contexts = *Core().Contexts();
    contexts.Reset();
    TKavContext* phone = contexts.Add();
    phone->SetName(u"phone"_qs);
    phone->SetContextType(TContextType::Phone);
    TKavContext* office = contexts.Add();
    office->SetName(u"Office"_qs);
    TKavContext* boss = contexts.Add();
    boss->SetName(u"Boss & <Co>"_qs);
    boss->SetContextType(TContextType::Person);
    TKavContext* laptop = contexts.Add();
    laptop->SetName(u"Laptop"_qs);
    laptop->SetContextType(TContextType::Computer);
    for (TKavContext* context : {phone, office, boss, laptop})
        contexts.InsertSorted(*context);
    Core().SubContexts()->Add(*office, *laptop);
    Core().SubContexts()->Add(*office, *phone);
    Core().SubContexts()->Add(*phone, *boss);

    TTask* home = AddNamed(nullptr, u"Home"_qs);
    home->SetExpanded(true);
    TTask* fence = AddNamed(home, u"Fence"_qs);
    fence->SetTaskType(TTaskType::Project);
    fence->SetNote(u"Two coats.\nBuy brushes first.\n"_qs);
    fence->SetContextId(boss->Id());
    fence->SetExpanded(true);
    TTask* paint = AddNamed(fence, u"Paint"_qs);
    paint->SetTaskType(TTaskType::Task);
    paint->SetAccomplishType(TAccomplishType::Routinely);
    paint->SetRepeatType(TPeriodType::Months);
    paint->SetRepeatValue(6);
    paint->SetLeadType(TPeriodType::Weeks);
    paint->SetLeadValue(2);
    paint->SetNextDate(At(2026, 4, 30));
    paint->SetImportance(-5);
    paint->SetEffort(1000);
    paint->SetDependOnPrevious(true);
    paint->SetCreated(At(2025, 12, 31, 23, 59, 59));
    paint->SetLastModified(At(2026, 1, 1, 0, 0, 1));
    paint->SetContextId(laptop->Id());
    TTask* gate = AddNamed(home, u"Gate"_qs);
    gate->SetTaskType(TTaskType::Goal);
    gate->SetStatus(TTaskStatus::Finished);
    gate->SetAccomplishType(TAccomplishType::ByDueDate);
    gate->SetLeadType(TPeriodType::Years);
    gate->SetCreated(At(2026, 3, 1));
    TTask* idea = AddNamed(gate, u"Idea"_qs);
    idea->SetTaskType(TTaskType::Idea);
    idea->SetStatus(TTaskStatus::Suspended);
    idea->SetChecked(true); // done, whatever its status says
    TTask* unclear = AddNamed(nullptr, u"Unclear"_qs);
    unclear->SetStatus(TTaskStatus::Unclear);
    unclear->SetRepeatType(TPeriodType::Weeks);
    AddNamed(unclear, u"Delegated"_qs)->SetStatus(TTaskStatus::Delegated);
    // Sibling order apart from the order of adding.
    Core().Tasks()->MoveUp(*gate);
}

} // namespace

void TstDataFileWriter::header_exactForm()
{
    TTestCore test;
    test.core().Config()->SetNextBackupNo(4);
    const QByteArray bytes = WrittenDocument();

    const QByteArray expectedStart =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><document><header>"
        "<application>Tavolin</application><appversion>" +
        TCore::GetVersion().toUtf8() +
        "</appversion><fileversion>1</fileversion><saved>3/15/2026 10:30:00 AM</saved>"
        "<nextbackupno>4</nextbackupno><dateform>M/d/yyyy</dateform>"
        "<timeform>h:mm:ss AP</timeform><amdesignator>AM</amdesignator>"
        "<pmdesignator>PM</pmdesignator></header><tasks";
    QCOMPARE(bytes.left(expectedStart.size()), expectedStart);
    QVERIFY(bytes.endsWith("</document>"));
    QCOMPARE(Parse(bytes).error, QString());
}

void TstDataFileWriter::header_recordsFormsAndDesignators_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("forms");
    QTest::newRow("Czech: 24 hours, no designators")
        << u"cs_CZ"_qs << QStringList{u"dateform=dd.MM.yyyy"_qs, u"timeform=H:mm:ss"_qs};
    QTest::newRow("Korean: the day period first, in Korean")
        << u"ko_KR"_qs
        << QStringList{u"dateform=yyyy.M.d."_qs, u"timeform=AP h:mm:ss"_qs, u"amdesignator=오전"_qs,
                       u"pmdesignator=오후"_qs};
    QTest::newRow("C locale: ISO forms")
        << u"C"_qs << QStringList{u"dateform=yyyy-MM-dd"_qs, u"timeform=HH:mm:ss"_qs};
}

void TstDataFileWriter::header_recordsFormsAndDesignators()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, forms);
    TTestCore test(Locale(locale));
    const TParsed parsed = Parse(WrittenDocument());
    const qsizetype first = parsed.elements.indexOf(u"nextbackupno=0"_qs) + 1;
    QCOMPARE(parsed.elements.mid(first, forms.size() + 1), forms + QStringList{u"tasks="_qs});
}

void TstDataFileWriter::task_everyElementInOrder()
{
    TTestCore test;
    TTask* home = AddNamed(nullptr, u"Home"_qs);
    home->SetId(*Guid::FromRegistryText(Xml::Id(1)));
    home->SetExpanded(true);
    TTask* paint = AddNamed(home, u"Paint"_qs);
    paint->SetId(*Guid::FromRegistryText(Xml::Id(2)));
    paint->SetTaskType(TTaskType::Task);
    paint->SetImportance(80);
    paint->SetEffort(20);
    paint->SetNote(u"Blue"_qs);
    paint->SetAccomplishType(TAccomplishType::Routinely);
    paint->SetRepeatType(TPeriodType::Weeks);
    paint->SetRepeatValue(2);
    paint->SetNextDate(At(2026, 3, 20));
    paint->SetLeadType(TPeriodType::Days);
    paint->SetLeadValue(3);
    paint->SetStatus(TTaskStatus::Delegated);
    paint->SetCreated(At(2026, 3, 1, 9));
    paint->SetLastModified(At(2026, 3, 1));
    paint->SetDependOnPrevious(true);

    const QByteArray bytes = WrittenDocument();
    const QByteArray expected =
        "<tasks><task><id>{00000000-0000-0000-0000-000000000001}</id><parentid>root</parentid>"
        "<context_id>{AC378A1A-C28D-4D18-8C75-43BE352DB025}</context_id><name>Home</name>"
        "<importance>100</importance><effort>50</effort><note></note><tasktype>Area</tasktype>"
        "<accomplishtype>Once</accomplishtype><repeattype>days</repeattype>"
        "<repeatvalue>0</repeatvalue><nextdate>3/15/2026</nextdate><leadtype>days</leadtype>"
        "<leadvalue>0</leadvalue><status>Active</status><created>3/15/2026 10:30:00 AM</created>"
        "<lastmodified>3/15/2026 10:30:00 AM</lastmodified><checked>false</checked>"
        "<dependonprevious>false</dependonprevious><expanded>true</expanded>"
        "<sortorder>0</sortorder></task>"
        "<task><id>{00000000-0000-0000-0000-000000000002}</id>"
        "<parentid>{00000000-0000-0000-0000-000000000001}</parentid>"
        "<context_id>{AC378A1A-C28D-4D18-8C75-43BE352DB025}</context_id><name>Paint</name>"
        "<importance>80</importance><effort>20</effort><note>Blue</note><tasktype>Task</tasktype>"
        "<accomplishtype>Routinely</accomplishtype><repeattype>weeks</repeattype>"
        "<repeatvalue>2</repeatvalue><nextdate>3/20/2026</nextdate><leadtype>days</leadtype>"
        "<leadvalue>3</leadvalue><status>Delegated</status>"
        "<created>3/1/2026 9:00:00 AM</created><lastmodified>3/1/2026</lastmodified>"
        "<checked>false</checked><dependonprevious>true</dependonprevious>"
        "<parentexpanded>true</parentexpanded><expanded>false</expanded>"
        "<sortorder>0</sortorder></task></tasks><contexts></contexts>"
        "<subcontexts></subcontexts></document>";
    const qsizetype tasks = bytes.indexOf("<tasks>");
    QCOMPARE(bytes.mid(tasks), expected);
}

void TstDataFileWriter::items_inOutlinePreOrder_withSortOrderAndParentExpanded()
{
    TTestCore test;
    TTask* home = AddNamed(nullptr, u"Home"_qs);
    TTask* fence = AddNamed(home, u"Fence"_qs);
    TTask* gate = AddNamed(home, u"Gate"_qs);
    TTask* work = AddNamed(nullptr, u"Work"_qs);
    AddNamed(fence, u"Paint"_qs);
    Core().Tasks()->MoveUp(*gate);
    Core().Tasks()->MoveUnder(*work, *fence); // a collapsed branch: still written
    fence->SetExpanded(false);
    home->SetExpanded(true);

    QStringList written;
    for (const QString& element : Parse(WrittenDocument()).elements) {
        if (element.startsWith(u"name=") || element.startsWith(u"parentexpanded=") ||
            element.startsWith(u"sortorder="))
            written.append(element);
    }
    QCOMPARE(written, (QStringList{
                          u"name=Home"_qs,
                          u"sortorder=0"_qs,
                          u"name=Gate"_qs,
                          u"parentexpanded=true"_qs,
                          u"sortorder=0"_qs,
                          u"name=Fence"_qs,
                          u"parentexpanded=true"_qs,
                          u"sortorder=1"_qs,
                          u"name=Paint"_qs,
                          u"parentexpanded=false"_qs,
                          u"sortorder=0"_qs,
                          u"name=Work"_qs,
                          u"parentexpanded=false"_qs,
                          u"sortorder=1"_qs,
                      }));
}

void TstDataFileWriter::contexts_withoutAnywhere_relationsInOrder()
{
    TTestCore test;
    TContexts& contexts = *Core().Contexts();
    contexts.Reset();
    TKavContext* phone = contexts.Add();
    phone->SetId(*Guid::FromRegistryText(Xml::Id(7)));
    phone->SetName(u"Phone"_qs);
    phone->SetContextType(TContextType::Phone);
    TKavContext* desk = contexts.Add();
    desk->SetId(*Guid::FromRegistryText(Xml::Id(8)));
    desk->SetName(u"Desk"_qs);
    Core().SubContexts()->Add(*desk, *phone);
    Core().SubContexts()->Add(*contexts.Get(0), *desk);

    const QByteArray bytes = WrittenDocument();
    const QByteArray expected =
        "<contexts><context><id>{00000000-0000-0000-0000-000000000007}</id><name>Phone</name>"
        "<contexttype>Phone</contexttype></context><context>"
        "<id>{00000000-0000-0000-0000-000000000008}</id><name>Desk</name>"
        "<contexttype>Place</contexttype></context></contexts><subcontexts><subcontext>"
        "<parentid>{00000000-0000-0000-0000-000000000008}</parentid>"
        "<childid>{00000000-0000-0000-0000-000000000007}</childid></subcontext><subcontext>"
        "<parentid>{AC378A1A-C28D-4D18-8C75-43BE352DB025}</parentid>"
        "<childid>{00000000-0000-0000-0000-000000000008}</childid></subcontext></subcontexts>"
        "</document>";
    QCOMPARE(bytes.mid(bytes.indexOf("<contexts>")), expected);
}

void TstDataFileWriter::text_isWellFormedAndReadsBack_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<QString>("readBack");

    QTest::newRow("markup characters")
        << u"<b>Tom & \"Jerry's\"</b> ]]>"_qs
        << QByteArray("&lt;b&gt;Tom &amp; \"Jerry's\"&lt;/b&gt; ]]&gt;")
        << u"<b>Tom & \"Jerry's\"</b> ]]>"_qs;
    QTest::newRow("entity lookalike")
        << u"&amp; &#60;"_qs << QByteArray("&amp;amp; &amp;#60;") << u"&amp; &#60;"_qs;
    QTest::newRow("carriage return survives as itself")
        << u"a\rb\r\nc"_qs << QByteArray("a&#13;b&#13;\nc") << u"a\rb\r\nc"_qs;
    QTest::newRow("tab and line feed stay")
        << u"a\tb\nc"_qs << QByteArray("a\tb\nc") << u"a\tb\nc"_qs;
    QTest::newRow("control characters dropped")
        << Chars({u'a', 0x01, u'b', 0x00, u'c', 0x1F, u'd', 0x0B, u'e', 0x0C, u'f', 0x7F})
        << QByteArray("abcdef\x7F") << Chars({u'a', u'b', u'c', u'd', u'e', u'f', 0x7F});
    QTest::newRow("lone surrogates dropped, pairs kept")
        << Chars({u'x', 0xD800, u'y', 0xDC00, u'z', 0xD83D, 0xDE00})
        << QByteArray("xyz\xF0\x9F\x98\x80") << Chars({u'x', u'y', u'z', 0xD83D, 0xDE00});
    QTest::newRow("non-characters U+FFFE and U+FFFF dropped")
        << Chars({u'a', 0xFFFE, u'b', 0xFFFF, u'c', 0xFFFD}) << QByteArray("abc\xEF\xBF\xBD")
        << Chars({u'a', u'b', u'c', 0xFFFD});
    QTest::newRow("letters of every kind")
        << u"Žluťoučký kůň 日本 Ω"_qs << u"Žluťoučký kůň 日本 Ω"_qs.toUtf8()
        << u"Žluťoučký kůň 日本 Ω"_qs;
    QTest::newRow("blanks only") << u"   "_qs << QByteArray("   ") << u"   "_qs;
}

void TstDataFileWriter::text_isWellFormedAndReadsBack()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, written);
    QFETCH(QString, readBack);
    QByteArray bytes;
    {
        TTestCore test;
        TTask* item = AddNamed(nullptr, name);
        item->SetNote(name);
        Core().Contexts()->Add()->SetName(name);
        bytes = WrittenDocument();
    }
    QVERIFY(bytes.contains(QByteArray("<name>" + written + "</name>")));
    QVERIFY(bytes.contains(QByteArray("<note>" + written + "</note>")));
    QCOMPARE(Parse(bytes).error, QString());

    TTestCore test;
    ReadDocument(bytes);
    const TTask* item = Core().Tasks()->FirstInOutline();
    QCOMPARE(item->Name(), readBack);
    QCOMPARE(item->Note(), readBack);
    QCOMPARE(Core().Contexts()->Get(1)->Name(), readBack);
}

void TstDataFileWriter::roundTrip_reproducesOutlineFieldsContextsAndRelations()
{
    QByteArray bytes;
    QStringList outline;
    QStringList contexts;
    {
        TTestCore test;
        BuildVariedData();
        test.core().Config()->SetNextBackupNo(3);
        outline = OutlineSnapshot();
        contexts = ContextsSnapshot();
        bytes = WrittenDocument();
    }
    TTestCore test(QLocale(QLocale::English, QLocale::UnitedStates),
                   TTestCore::DefaultNow() + 40.25);
    ReadDocument(bytes);
    QCOMPARE(OutlineSnapshot(), outline);
    QCOMPARE(ContextsSnapshot(), contexts);
    QCOMPARE(test.core().Config()->NextBackupNo(), 3);
    // And what was read writes the same document again, but for the moment of saving.
    const QByteArray again = WrittenDocument();
    const auto withoutSaved = [](QByteArray document) {
        const qsizetype from = document.indexOf("<saved>");
        return document.remove(from, document.indexOf("</saved>") - from);
    };
    QCOMPARE(withoutSaved(again), withoutSaved(bytes));
}

void TstDataFileWriter::roundTrip_acrossLocales_data()
{
    QTest::addColumn<QString>("writer");
    QTest::addColumn<QString>("reader");
    QTest::newRow("Czech file, US reader") << u"cs_CZ"_qs << u"en_US"_qs;
    QTest::newRow("US file, Czech reader") << u"en_US"_qs << u"cs_CZ"_qs;
    QTest::newRow("Korean file, US reader") << u"ko_KR"_qs << u"en_US"_qs;
    QTest::newRow("British file, US reader") << u"en_GB"_qs << u"en_US"_qs;
    QTest::newRow("C file, German reader") << u"C"_qs << u"de_DE"_qs;
}

void TstDataFileWriter::roundTrip_acrossLocales()
{
    QFETCH(QString, writer);
    QFETCH(QString, reader);
    QByteArray bytes;
    QStringList outline;
    {
        TTestCore test(Locale(writer));
        BuildVariedData();
        outline = OutlineSnapshot();
        bytes = WrittenDocument();
    }
    TTestCore test(Locale(reader));
    const TRegionalSettings readersOwn = test.core().Regional();
    ReadDocument(bytes);
    QCOMPARE(OutlineSnapshot(), outline);
    // The file's forms served the reading only.
    QCOMPARE(test.core().Regional().ShortDateForm(), readersOwn.ShortDateForm());
    QCOMPARE(test.core().Regional().LongTimeForm(), readersOwn.LongTimeForm());
}

void TstDataFileWriter::emptyOutline_writesEmptyTasks()
{
    TTestCore test;
    const QByteArray bytes = WrittenDocument();
    QVERIFY(bytes.contains("</header><tasks></tasks><contexts></contexts>"));
    ReadDocument(bytes);
    QCOMPARE(Core().Tasks()->Count(), 0);
}

QTEST_GUILESS_MAIN(TstDataFileWriter)
#include "tst_datafilewriter.moc"
