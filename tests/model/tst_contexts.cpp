#include "ModelFixture.h"

#include "languages/LanguagesEngine.h"
#include "model/Contexts.h"
#include "model/SubContexts.h"
#include "platform/Guid.h"
#include "support/TestCore.h"
#include "views/Chooser.h"

#include <QtTest>

// Contexts: the built-in Anywhere context, the order by name, lookups, choosers and replacing a
// context before it goes.
class TstContexts : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void reset_leavesOnlyAnywhere_data();
    void reset_leavesOnlyAnywhere();
    void add_appendsNewPlace_data();
    void add_appendsNewPlace();
    void insertSorted_data();
    void insertSorted();
    void setTypeText_data();
    void setTypeText();
    void markupAndIcon_data();
    void markupAndIcon();
    void quickLetter_data();
    void quickLetter();
    void setName_refreshesItsRows();
    void lookups();
    void findById_followsTheList();
    void matches_data();
    void matches();

    void replaceAndDelete_movesItemsAndDropsPairs();
    void replaceAndDelete_refusesItselfAndAnywhere();
    void fillChooser_data();
    void fillChooser();
    void selectInChooser_data();
    void selectInChooser();
};

namespace {

// Reads a data file's contexts: appended, named, typed and sorted one by one.
QList<TKavContext*> ReadContexts(TContexts& contexts, const QStringList& names)
{
    QList<TKavContext*> read;
    for (const QString& name : names) {
        TKavContext* context = contexts.Add();
        context->SetName(name);
        contexts.InsertSorted(*context);
        read.append(context);
    }
    return read;
}

QStringList NamesOf(const TContexts& contexts)
{
    QStringList names;
    for (int index = 0; index < contexts.Count(); ++index)
        names.append(contexts.Get(index)->Name());
    return names;
}

class TRecordingContextRow final : public IContextRow {
public:
    void SetCaption(const QString& caption) override { calls.append(u"caption " + caption); }
    void SetImageIndex(int index) override { calls.append(u"image " + QString::number(index)); }
    QStringList calls;
};

} // namespace

void TstContexts::reset_leavesOnlyAnywhere_data()
{
    QTest::addColumn<TLanguage>("language");
    QTest::addColumn<QString>("name");
    QTest::newRow("English") << TLanguage::English << u"Anywhere"_qs;
    QTest::newRow("Czech") << TLanguage::Czech << u"Kdekoliv"_qs;
}

void TstContexts::reset_leavesOnlyAnywhere()
{
    QFETCH(TLanguage, language);
    TTestCore test;
    TContexts& contexts = *test.core().Contexts();
    QCOMPARE(contexts.Count(), 0);
    test.core().LanguagesEngine()->SetLanguage(language);
    contexts.Reset();
    ReadContexts(contexts, {u"Office"_qs});
    contexts.Reset();

    QCOMPARE(contexts.Count(), 1);
    const TKavContext* anywhere = contexts.Get(0);
    QCOMPARE(anywhere->IdText(), u"{AC378A1A-C28D-4D18-8C75-43BE352DB025}"_qs);
    QCOMPARE(anywhere->IdText(), TContexts::AnywhereId());
    QCOMPARE(anywhere->ContextType(), TContextType::Anywhere);
    QTEST(anywhere->Name(), "name");

    // After a switch of language the caption refresh renames it.
    test.core().LanguagesEngine()->SetLanguage(language == TLanguage::Czech ? TLanguage::English
                                                                            : TLanguage::Czech);
    contexts.RefreshAnywhereName();
    QCOMPARE(anywhere->Name(), language == TLanguage::Czech ? u"Anywhere"_qs : u"Kdekoliv"_qs);
}

void TstContexts::add_appendsNewPlace_data()
{
    QTest::addColumn<TLanguage>("language");
    QTest::addColumn<QString>("name");
    QTest::newRow("English") << TLanguage::English << u"New context"_qs;
    QTest::newRow("Czech") << TLanguage::Czech << u"Nový kontext"_qs;
}

void TstContexts::add_appendsNewPlace()
{
    QFETCH(TLanguage, language);
    TTestCore test;
    test.core().LanguagesEngine()->SetLanguage(language);
    TContexts& contexts = *test.core().Contexts();
    contexts.Reset();
    ReadContexts(contexts, {u"Zoo"_qs, u"Attic"_qs});

    const TKavContext* added = contexts.Add();
    QCOMPARE(contexts.IndexOf(added), 3);
    QCOMPARE(added->ContextType(), TContextType::Place);
    QTEST(added->Name(), "name");
    QVERIFY(!added->Id().isNull());
    QVERIFY(added->Id() != contexts.Get(1)->Id());
}

void TstContexts::insertSorted_data()
{
    QTest::addColumn<QStringList>("fileOrder");
    QTest::addColumn<QStringList>("listOrder");
    QTest::newRow("ignoring case") << QStringList({u"work"_qs, u"Errands"_qs, u"home"_qs})
                                   << QStringList({u"Errands"_qs, u"home"_qs, u"work"_qs});
    QTest::newRow("Anywhere keeps the first place")
        << QStringList({u"zoo"_qs, u"AAA"_qs}) << QStringList({u"AAA"_qs, u"zoo"_qs});
    QTest::newRow("already sorted")
        << QStringList({u"a"_qs, u"b"_qs, u"c"_qs}) << QStringList({u"a"_qs, u"b"_qs, u"c"_qs});
    QTest::newRow("reversed") << QStringList({u"c"_qs, u"b"_qs, u"a"_qs})
                              << QStringList({u"a"_qs, u"b"_qs, u"c"_qs});
    QTest::newRow("equal names keep the file order")
        << QStringList({u"home"_qs, u"Errands"_qs, u"Home"_qs, u"HOME"_qs})
        << QStringList({u"Errands"_qs, u"home"_qs, u"Home"_qs, u"HOME"_qs});
    QTest::newRow("accents and numbers")
        << QStringList({u"Žofie"_qs, u"zoo"_qs, u"ábc"_qs, u"abd"_qs, u"10"_qs, u"9"_qs, u""_qs})
        << QStringList({u""_qs, u"10"_qs, u"9"_qs, u"ábc"_qs, u"abd"_qs, u"Žofie"_qs, u"zoo"_qs});
}

// One by one as the format describes it, and in one sort as the reader does it: the same order.
void TstContexts::insertSorted()
{
    QFETCH(QStringList, fileOrder);
    QFETCH(QStringList, listOrder);
    TTestCore test;
    test.core().LanguagesEngine()->SetLanguage(TLanguage::English);
    TContexts& contexts = *test.core().Contexts();
    contexts.Reset();
    ReadContexts(contexts, fileOrder);
    QCOMPARE(NamesOf(contexts), QStringList({u"Anywhere"_qs}) + listOrder);

    contexts.Reset();
    for (const QString& name : std::as_const(fileOrder))
        contexts.Add()->SetName(name);
    contexts.SortByName();
    QCOMPARE(NamesOf(contexts), QStringList({u"Anywhere"_qs}) + listOrder);
}

// The index by id follows every change of the list and of an id, and a repeated id finds the
// context that stands first.
void TstContexts::findById_followsTheList()
{
    TTestCore test;
    TContexts& contexts = *test.core().Contexts();
    contexts.Reset();
    const QList<TKavContext*> read = ReadContexts(contexts, {u"C"_qs, u"B"_qs, u"A"_qs});
    TKavContext& c = *read.at(0);
    TKavContext& b = *read.at(1);
    TKavContext& a = *read.at(2);
    const QUuid first = c.Id();
    const QUuid shared = QUuid::createUuid();

    c.SetId(shared);
    QCOMPARE(contexts.FindById(first), nullptr);
    QCOMPARE(contexts.FindById(shared), &c);
    b.SetId(shared);
    QCOMPARE(contexts.FindById(shared), &b); // B stands before C
    a.SetIdText(Guid::ToRegistryText(shared));
    QCOMPARE(contexts.FindById(shared), &a);
    contexts.ReplaceAndDelete(a, *contexts.Get(0));
    QCOMPARE(contexts.FindById(shared), &b);
    contexts.ReplaceAndDelete(b, *contexts.Get(0));
    QCOMPARE(contexts.FindById(shared), &c);
    QCOMPARE(contexts.FindByIdText(Guid::ToRegistryText(shared)), &c);

    contexts.Reset();
    QCOMPARE(contexts.FindById(shared), nullptr);
    QCOMPARE(contexts.FindById(TContexts::AnywhereGuid()), contexts.Get(0));
}

void TstContexts::setTypeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<TContextType>("type");
    QTest::newRow("Person") << u"Person"_qs << TContextType::Person;
    QTest::newRow("Computer") << u"Computer"_qs << TContextType::Computer;
    QTest::newRow("Phone") << u"Phone"_qs << TContextType::Phone;
    QTest::newRow("Place") << u"Place"_qs << TContextType::Place;
    QTest::newRow("Anywhere is a Place") << u"Anywhere"_qs << TContextType::Place;
    QTest::newRow("lower case is a Place") << u"person"_qs << TContextType::Place;
}

void TstContexts::setTypeText()
{
    QFETCH(QString, text);
    TTestCore test;
    TKavContext* context = test.core().Contexts()->Add();
    context->SetContextType(TContextType::Phone);
    context->SetTypeText(text);
    QTEST(context->ContextType(), "type");
    QCOMPARE(context->TypeName(), ContextTypeName(context->ContextType()));
}

void TstContexts::markupAndIcon_data()
{
    QTest::addColumn<TContextType>("type");
    QTest::addColumn<int>("image");
    QTest::newRow("Place") << TContextType::Place << 13;
    QTest::newRow("Person") << TContextType::Person << 15;
    QTest::newRow("Computer") << TContextType::Computer << 14;
    QTest::newRow("Phone") << TContextType::Phone << 16;
    QTest::newRow("Anywhere") << TContextType::Anywhere << 12;
}

void TstContexts::markupAndIcon()
{
    QFETCH(TContextType, type);
    QFETCH(int, image);
    TTestCore test;
    TKavContext* context = test.core().Contexts()->Add();
    context->SetContextType(type);
    context->SetName(u"Anna"_qs);
    QCOMPARE(context->IconIndex(), image);
    QCOMPARE(context->Markup(), u"<img src=\"idx:" + QString::number(image) + u"\"> Anna");
}

void TstContexts::quickLetter_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("letter");
    QTest::newRow("plain") << u"Work"_qs << u"W"_qs;
    QTest::newRow("at sign") << u"@home"_qs << u"h"_qs;
    QTest::newRow("blank, at sign") << u" @Office"_qs << u"O"_qs;
    QTest::newRow("only blanks") << u"   "_qs << QString();
    QTest::newRow("only at signs and blanks") << u"@ @"_qs << QString();
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("a letter beyond the basic plane") << u"@\U0001F3E0 home"_qs << u"\U0001F3E0"_qs;
}

void TstContexts::quickLetter()
{
    QFETCH(QString, name);
    TTestCore test;
    TKavContext* context = test.core().Contexts()->Add();
    context->SetName(name);
    QTEST(context->QuickLetter(), "letter");
}

void TstContexts::setName_refreshesItsRows()
{
    TTestCore test;
    TKavContext* context = test.core().Contexts()->Add();
    context->SetContextType(TContextType::Computer);
    TRecordingContextRow row;
    context->SetSubContextsRow(&row);
    context->SetName(u"Laptop"_qs);
    QCOMPARE(row.calls, QStringList({u"caption Laptop"_qs, u"image 14"_qs}));
    QCOMPARE(test.core().Contexts()->FindBySubContextsRow(&row), context);
    QCOMPARE(test.core().Contexts()->FindBySubContextsRow(nullptr), nullptr);
}

void TstContexts::lookups()
{
    TTestCore test;
    TContexts& contexts = *test.core().Contexts();
    contexts.Reset();
    const QList<TKavContext*> read = ReadContexts(contexts, {u"Home"_qs, u"Home"_qs});
    TKavContext* first = read.at(0);
    TKavContext* second = read.at(1);
    second->SetIdText(u"{3f2504e0-4f89-11d3-9a0c-0305e82c3301}");

    QCOMPARE(contexts.FindById(first->Id()), first);
    QCOMPARE(contexts.FindByIdText(u"{3F2504E0-4F89-11D3-9A0C-0305E82C3301}"), second);
    QCOMPARE(contexts.FindByIdText(u"root"), nullptr);
    QCOMPARE(contexts.FindByIdText(TContexts::AnywhereId()), contexts.Get(0));
    // Equal markups are told apart only by position: the first wins.
    QCOMPARE(contexts.FindByMarkup(u"<img src=\"idx:13\"> Home"), first);
    QCOMPARE(contexts.FindByMarkup(u"<img src=\"idx:13\"> home"), nullptr);
    QCOMPARE(contexts.Get(-1), nullptr);
    QCOMPARE(contexts.Get(contexts.Count()), nullptr);
    QCOMPARE(contexts.IndexOf(second), 2);
    QCOMPARE(contexts.IndexOf(nullptr), -1);
    try {
        second->SetIdText(u"not an id");
        QFAIL("a text that is not an id was taken");
    } catch (const TError&) {
    }
    QCOMPARE(second->IdText(), u"{3F2504E0-4F89-11D3-9A0C-0305E82C3301}"_qs);
}

void TstContexts::matches_data()
{
    // Office includes Computer, Computer includes Phone.
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<bool>("include");
    QTest::addColumn<bool>("matches");
    QTest::newRow("itself") << u"Office"_qs << u"Office"_qs << false << true;
    QTest::newRow("included, switch on") << u"Computer"_qs << u"Office"_qs << true << true;
    QTest::newRow("included, switch off") << u"Computer"_qs << u"Office"_qs << false << false;
    QTest::newRow("not transitive") << u"Phone"_qs << u"Office"_qs << true << false;
    QTest::newRow("not symmetric") << u"Office"_qs << u"Computer"_qs << true << false;
    QTest::newRow("nothing selected") << u"Office"_qs << QString() << true << false;
}

void TstContexts::matches()
{
    QFETCH(QString, context);
    QFETCH(QString, selected);
    QFETCH(bool, include);
    TTestCore test;
    TContexts& contexts = *test.core().Contexts();
    contexts.Reset();
    const QList<TKavContext*> read =
        ReadContexts(contexts, {u"Office"_qs, u"Computer"_qs, u"Phone"_qs});
    QHash<QString, TKavContext*> byName;
    for (TKavContext* each : read)
        byName.insert(each->Name(), each);
    test.core().SubContexts()->Add(*byName[u"Office"_qs], *byName[u"Computer"_qs]);
    test.core().SubContexts()->Add(*byName[u"Computer"_qs], *byName[u"Phone"_qs]);
    QTEST(byName[context]->Matches(byName.value(selected), include), "matches");
}

void TstContexts::replaceAndDelete_movesItemsAndDropsPairs()
{
    TTestCore test;
    TContexts& contexts = *test.core().Contexts();
    TSubContexts& pairs = *test.core().SubContexts();
    TTasks& tasks = *test.core().Tasks();
    contexts.Reset();
    const QList<TKavContext*> read = ReadContexts(contexts, {u"A"_qs, u"B"_qs, u"C"_qs, u"D"_qs});
    TKavContext& b = *read.at(1);
    TKavContext& d = *read.at(3);
    auto items = BuildOutline(tasks, {u"Home"_qs, u" Fence"_qs, u"Work"_qs});
    items[u"Home"_qs]->SetContextId(b.Id());
    items[u"Fence"_qs]->SetContextId(b.Id());
    items[u"Work"_qs]->SetContextId(read.at(2)->Id());
    pairs.Add(*read.at(0), b);
    pairs.Add(b, *read.at(2));
    pairs.Add(d, *read.at(0));

    contexts.ReplaceAndDelete(b, d);
    QCOMPARE(NamesOf(contexts), QStringList({u"Kdekoliv"_qs, u"A"_qs, u"C"_qs, u"D"_qs}));
    QCOMPARE(items[u"Home"_qs]->ContextId(), d.Id());
    QCOMPARE(items[u"Fence"_qs]->ContextId(), d.Id());
    QCOMPARE(items[u"Work"_qs]->ContextId(), read.at(2)->Id());
    QCOMPARE(pairs.Count(), 1);
    QCOMPARE(pairs.At(0).including, &d);
    QCOMPARE(pairs.At(0).included, read.at(0));
}

void TstContexts::replaceAndDelete_refusesItselfAndAnywhere()
{
    TTestCore test;
    TContexts& contexts = *test.core().Contexts();
    contexts.Reset();
    TKavContext& office = *ReadContexts(contexts, {u"Office"_qs}).first();
    TTask* item = test.core().Tasks()->Add(nullptr);
    item->SetContextId(office.Id());

    contexts.ReplaceAndDelete(office, office);
    QCOMPARE(contexts.Count(), 2);
    QCOMPARE(contexts.FindById(item->ContextId()), &office);

    contexts.ReplaceAndDelete(*contexts.Get(0), office);
    QCOMPARE(contexts.Count(), 2);
    QCOMPARE(contexts.Get(0)->ContextType(), TContextType::Anywhere);
}

void TstContexts::fillChooser_data()
{
    QTest::addColumn<TLanguage>("language");
    QTest::addColumn<bool>("withAll");
    QTest::addColumn<QStringList>("entries");
    const QString home = u"<img src=\"idx:13\"> Home"_qs;
    const QString anna = u"<img src=\"idx:15\"> Anna"_qs;
    QTest::newRow("with all contexts, English")
        << TLanguage::English << true
        << QStringList({u"<img src=\"idx:12\"> All contexts"_qs,
                        u"<img src=\"idx:12\"> Anywhere"_qs, anna, home});
    QTest::newRow("with all contexts, Czech")
        << TLanguage::Czech << true
        << QStringList({u"<img src=\"idx:12\"> Všechny kontexty"_qs,
                        u"<img src=\"idx:12\"> Kdekoliv"_qs, anna, home});
    QTest::newRow("contexts only")
        << TLanguage::English << false
        << QStringList({u"<img src=\"idx:12\"> Anywhere"_qs, anna, home});
}

void TstContexts::fillChooser()
{
    QFETCH(TLanguage, language);
    QFETCH(bool, withAll);
    TTestCore test;
    test.core().LanguagesEngine()->SetLanguage(language);
    TContexts& contexts = *test.core().Contexts();
    contexts.Reset();
    ReadContexts(contexts, {u"Home"_qs, u"Anna"_qs}).at(1)->SetContextType(TContextType::Person);
    TChooser chooser;
    chooser.Add(u"stale"_qs);
    chooser.Select(0);

    contexts.FillChooser(chooser, withAll);
    QTEST(chooser.Entries(), "entries");
    QCOMPARE(chooser.SelectedIndex(), 0);
}

void TstContexts::selectInChooser_data()
{
    QTest::addColumn<QStringList>("entries"); // context names standing in the chooser
    QTest::addColumn<int>("selectedBefore");
    QTest::addColumn<QString>("context");
    QTest::addColumn<int>("selected");
    const QStringList three = {u"Home"_qs, u"Work"_qs, u"Car"_qs};
    QTest::newRow("no context") << three << 2 << QString() << 0;
    QTest::newRow("a context") << three << 0 << u"Work"_qs << 1;
    QTest::newRow("the last of equal entries")
        << QStringList({u"Work"_qs, u"Home"_qs, u"Work"_qs}) << 0 << u"Work"_qs << 2;
    QTest::newRow("not there, nothing selected") << three << -1 << u"Garden"_qs << 0;
    QTest::newRow("not there, keeps the selection") << three << 2 << u"Garden"_qs << 2;
}

void TstContexts::selectInChooser()
{
    QFETCH(QStringList, entries);
    QFETCH(int, selectedBefore);
    QFETCH(QString, context);
    TTestCore test;
    TContexts& contexts = *test.core().Contexts();
    contexts.Reset();
    const QList<TKavContext*> read =
        ReadContexts(contexts, {u"Home"_qs, u"Work"_qs, u"Car"_qs, u"Garden"_qs});
    TChooser chooser;
    for (const QString& name : entries)
        chooser.Add(u"<img src=\"idx:13\"> " + name);
    chooser.Select(selectedBefore);

    const auto named = std::find_if(read.cbegin(), read.cend(), [&](const TKavContext* each) {
        return each->Name() == context;
    });
    contexts.SelectInChooser(chooser, named == read.cend() ? nullptr : *named);
    QTEST(chooser.SelectedIndex(), "selected");
}

QTEST_GUILESS_MAIN(TstContexts)
#include "tst_contexts.moc"
