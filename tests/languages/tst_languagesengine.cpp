#include "languages/LanguagesEngine.h"
#include "support/TestCore.h"

#include <QRegularExpression>
#include <QSet>
#include <QtTest>
#include <optional>

namespace {

// The lookup as a plain reading of the rule: the whole list exactly, then the whole list with
// A to Z folded; none when neither pass matches.
std::optional<QString> ScanTranslate(const QList<TLocalString>& entries, TLanguage language,
                                     const QString& key)
{
    for (const TLocalString& entry : entries) {
        if (entry.language == language && entry.key == key)
            return entry.text;
    }
    const auto fold = [](QString text) {
        for (QChar& c : text) {
            if (c >= u'A' && c <= u'Z')
                c = QChar(char16_t(c.unicode() + (u'a' - u'A')));
        }
        return text;
    };
    const QString foldedKey = fold(key);
    for (const TLocalString& entry : entries) {
        if (entry.language == language && fold(entry.key) == foldedKey)
            return entry.text;
    }
    return std::nullopt;
}

// The 143 keys of the table, Czech then English; later texts follow them.
constexpr qsizetype tableEntries = 286;

QString NotFoundLine(const QString& key, const QString& language)
{
    return u"String \"" + key + u"\" was not found for " + language;
}

} // namespace

class TstLanguagesEngine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void table_hasCzechThenEnglishForEveryKey();
    void table_laterKeys_changeNoLookupOfTheTable();
    void table_rows_data();
    void table_rows();
    void translate_data();
    void translate();
    void translate_givesWhatAPlainScanGives();
    void translate_withoutRegistry_givesTextsAndLogsNothing();
    void getLanguageName_data();
    void getLanguageName();
    void languageFromConfigName_data();
    void languageFromConfigName();
};

void TstLanguagesEngine::table_hasCzechThenEnglishForEveryKey()
{
    const TLanguagesEngine engine;
    const QList<TLocalString>& entries = engine.Entries();
    QVERIFY(entries.size() >= tableEntries);
    QSet<QString> keys;
    for (qsizetype i = 0; i < tableEntries; i += 2) {
        const TLocalString& czech = entries.at(i);
        const TLocalString& english = entries.at(i + 1);
        QCOMPARE(czech.language, TLanguage::Czech);
        QCOMPARE(english.language, TLanguage::English);
        QCOMPARE(english.key, czech.key);
        QVERIFY2(!keys.contains(czech.key), qPrintable(czech.key));
        keys.insert(czech.key);
    }
}

void TstLanguagesEngine::table_laterKeys_changeNoLookupOfTheTable()
{
    const TLanguagesEngine engine;
    const QList<TLocalString>& entries = engine.Entries();
    QSet<QString> foldedKeys;
    for (qsizetype i = 0; i < tableEntries; ++i)
        foldedKeys.insert(entries.at(i).key.toLower());
    static const QRegularExpression placeholder(u"%\\d"_qs);
    const auto placeholders = [](const QString& text) {
        QStringList found;
        for (const QRegularExpressionMatch& match : placeholder.globalMatch(text))
            found.append(match.captured());
        found.sort();
        return found;
    };
    for (qsizetype i = tableEntries; i < entries.size(); i += 2) {
        const TLocalString& czech = entries.at(i);
        const TLocalString& english = entries.at(i + 1);
        QCOMPARE(czech.language, TLanguage::Czech);
        QCOMPARE(english.language, TLanguage::English);
        QCOMPARE(english.key, czech.key);
        // Neither exactly nor folded may a later key meet an earlier one.
        QVERIFY2(!foldedKeys.contains(czech.key.toLower()), qPrintable(czech.key));
        foldedKeys.insert(czech.key.toLower());
        // Both languages fill in the same blanks.
        QVERIFY2(placeholders(czech.text) == placeholders(english.text), qPrintable(czech.key));
    }
}

void TstLanguagesEngine::table_rows_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("czech");
    QTest::addColumn<QString>("english");
    QTest::newRow("first") << 1 << u"Outline"_qs << u"Přehled"_qs << u"Outline"_qs;
    QTest::newRow("misspelt Czech")
        << 32 << u"Updating views"_qs << u"Aktulizace pohledů"_qs << u"Updating views"_qs;
    QTest::newRow("key is not the English text")
        << 42 << u"Deadline"_qs << u"Termín"_qs << u"Due date"_qs;
    QTest::newRow("ellipsis") << 43 << u"Saving file ..."_qs << u"Ukládání souboru ..."_qs
                              << u"Saving file ..."_qs;
    QTest::newRow("misspelt Czech, capitals kept")
        << 89 << u"Press F3 for Find Next"_qs << u"Stisknětě F3 pro Hledat Další"_qs
        << u"Press F3 for Find Next"_qs;
    QTest::newRow("lower-case twin comes first")
        << 111 << u"active"_qs << u"aktivní"_qs << u"active"_qs;
    QTest::newRow("upper-case twin") << 113 << u"Active"_qs << u"Aktivní"_qs << u"Active"_qs;
    QTest::newRow("full stop only in the key")
        << 125 << u"Recommendation: Task description start by verb."_qs
        << u"Doporučení: Popis úkolu začněte slovesem"_qs
        << u"Recommendation: Task description start by verb"_qs;
    QTest::newRow("error key") << 136 << u"ErrorGeneral"_qs << u"Obecná chyba aplikace"_qs
                               << u"General application error"_qs;
    QTest::newRow("last of the original table")
        << 143 << u"Really delete selected item"_qs << u"Opravdu smazat označenou položku"_qs
        << u"Really delete selected item"_qs;
}

void TstLanguagesEngine::table_rows()
{
    QFETCH(int, row);
    QFETCH(QString, key);
    QFETCH(QString, czech);
    QFETCH(QString, english);
    const TLanguagesEngine engine;
    const TLocalString& czechEntry = engine.Entries().at(2 * (row - 1));
    const TLocalString& englishEntry = engine.Entries().at(2 * (row - 1) + 1);
    QCOMPARE(czechEntry.key, key);
    QCOMPARE(czechEntry.text, czech);
    QCOMPARE(englishEntry.key, key);
    QCOMPARE(englishEntry.text, english);
}

void TstLanguagesEngine::translate_data()
{
    QTest::addColumn<TLanguage>("language");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("notFound");
    const auto cz = TLanguage::Czech;
    const auto en = TLanguage::English;
    QTest::newRow("Czech text") << cz << u"Outline"_qs << u"Přehled"_qs << false;
    QTest::newRow("English text") << en << u"Outline"_qs << u"Outline"_qs << false;
    QTest::newRow("folded, Czech") << cz << u"To Do"_qs << u"Udělat"_qs << false;
    QTest::newRow("folded, English") << en << u"To Do"_qs << u"To do"_qs << false;
    QTest::newRow("all capitals") << cz << u"OUTLINE"_qs << u"Přehled"_qs << false;
    QTest::newRow("all lower case") << cz << u"for Project"_qs << u"pro projekt"_qs << false;
    QTest::newRow("misspelt text kept")
        << cz << u"Updating views"_qs << u"Aktulizace pohledů"_qs << false;
    QTest::newRow("own key, English") << en << u"Deadline"_qs << u"Due date"_qs << false;
    QTest::newRow("own key, Czech") << cz << u"Deadline"_qs << u"Termín"_qs << false;
    QTest::newRow("full stop dropped")
        << en << u"Recommendation: Task description start by verb."_qs
        << u"Recommendation: Task description start by verb"_qs << false;
    QTest::newRow("full stop belongs to the key")
        << cz << u"Recommendation: Task description start by verb"_qs
        << u"Recommendation: Task description start by verb"_qs << true;
    // "active" stands before "Active": the exact pass must win over the earlier folded match.
    QTest::newRow("exact beats earlier folded") << cz << u"Active"_qs << u"Aktivní"_qs << false;
    QTest::newRow("exact lower-case twin") << cz << u"active"_qs << u"aktivní"_qs << false;
    QTest::newRow("folded takes the first twin") << cz << u"ACTIVE"_qs << u"aktivní"_qs << false;
    QTest::newRow("Confirmation, Czech") << cz << u"Confirmation"_qs << u"Confirmation"_qs << true;
    QTest::newRow("Confirmation, English")
        << en << u"Confirmation"_qs << u"Confirmation"_qs << true;
    QTest::newRow("built key without entry") << cz << u"for idea"_qs << u"for idea"_qs << true;
    QTest::newRow("Kelvin sign is no K") << cz << u"Tas\u212A"_qs << u"Tas\u212A"_qs << true;
    QTest::newRow("a text is no key") << en << u"Přehled"_qs << u"Přehled"_qs << true;
    QTest::newRow("empty key") << en << QString() << QString() << true;
    QTest::newRow("program's own text, Czech")
        << cz << u"DatesReplacedByToday"_qs
        << u"Data v souboru %1, která nešlo přečíst, byla nahrazena dnešním datem: %2"_qs << false;
    QTest::newRow("program's own text, English")
        << en << u"DatesReplacedByToday"_qs
        << u"Dates in the file %1 that could not be read were replaced by today's date: %2"_qs
        << false;
}

void TstLanguagesEngine::translate()
{
    QFETCH(TLanguage, language);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QFETCH(bool, notFound);
    TTestCore test;
    TLanguagesEngine& engine = *test.core().LanguagesEngine();
    engine.SetLanguage(language);
    const QStringList before = test.logMessages();

    QCOMPARE(engine.Translate(key), expected);

    const QStringList after = test.logMessages();
    if (notFound) {
        QCOMPARE(after.size(), before.size() + 1);
        QCOMPARE(after.first(), NotFoundLine(key, engine.GetLanguageName()));
    } else {
        QCOMPARE(after, before);
    }
}

void TstLanguagesEngine::translate_givesWhatAPlainScanGives()
{
    TTestCore test;
    TLanguagesEngine& engine = *test.core().LanguagesEngine();
    QStringList probes = {u"Confirmation"_qs, u"for idea"_qs, QString(),  u"Outline "_qs,
                          u"Tas\u212A"_qs,    u"Přehled"_qs,  u"to-do"_qs};
    for (const TLocalString& entry : engine.Entries())
        probes << entry.key << entry.key.toUpper() << entry.key.toLower();

    // A value that names no language has no entries at all.
    const TLanguage languages[] = {TLanguage::Czech, TLanguage::English, TLanguage(2)};
    for (const TLanguage language : languages) {
        engine.SetLanguage(language);
        for (const QString& key : probes) {
            const qsizetype logged = test.logLines().size();
            const std::optional<QString> scanned = ScanTranslate(engine.Entries(), language, key);
            const QString context = engine.GetLanguageName() + u": " + key;
            QVERIFY2(engine.Translate(key) == scanned.value_or(key), qPrintable(context));
            QVERIFY2(test.logLines().size() == logged + (scanned ? 0 : 1), qPrintable(context));
        }
    }
}

void TstLanguagesEngine::translate_withoutRegistry_givesTextsAndLogsNothing()
{
    QVERIFY(!CoreExists());
    TLanguagesEngine engine;
    QCOMPARE(engine.Language(), TLanguage::Czech);
    QCOMPARE(engine.Translate(u"Outline"_qs), u"Přehled"_qs);
    // Reaching for the log here would hit the registry's assertion.
    QCOMPARE(engine.Translate(u"Confirmation"_qs), u"Confirmation"_qs);
}

void TstLanguagesEngine::getLanguageName_data()
{
    QTest::addColumn<TLanguage>("language");
    QTest::addColumn<QString>("name");
    QTest::newRow("Czech") << TLanguage::Czech << u"Czech"_qs;
    QTest::newRow("English") << TLanguage::English << u"English"_qs;
    QTest::newRow("neither") << TLanguage(2) << QString();
}

void TstLanguagesEngine::getLanguageName()
{
    QFETCH(TLanguage, language);
    QFETCH(QString, name);
    TLanguagesEngine engine;
    engine.SetLanguage(language);
    QCOMPARE(engine.GetLanguageName(), name);
}

void TstLanguagesEngine::languageFromConfigName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<TLanguage>("language");
    QTest::newRow("Czech") << u"Czech"_qs << TLanguage::Czech;
    QTest::newRow("English") << u"English"_qs << TLanguage::English;
    QTest::newRow("lower case") << u"czech"_qs << TLanguage::English;
    QTest::newRow("capitals") << u"CZECH"_qs << TLanguage::English;
    QTest::newRow("trailing blank") << u"Czech "_qs << TLanguage::English;
    QTest::newRow("menu caption") << u"Česky"_qs << TLanguage::English;
    QTest::newRow("empty") << QString() << TLanguage::English;
}

void TstLanguagesEngine::languageFromConfigName()
{
    QFETCH(QString, name);
    QFETCH(TLanguage, language);
    QCOMPARE(LanguageFromConfigName(name), language);
}

QTEST_GUILESS_MAIN(TstLanguagesEngine)
#include "tst_languagesengine.moc"
