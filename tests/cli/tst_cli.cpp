#include "datafile/WriterLock.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <thread>

// tavolin-cli run as a user runs it, on a copy of a small data file in a temporary folder.
class TstCli : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();

    void helpVersionAndUsage_data();
    void helpVersionAndUsage();
    void readingCommands_leaveNoTrace_data();
    void readingCommands_leaveNoTrace();
    void todo_data();
    void todo();
    void todo_plainText_isReadable();
    void outline_json();
    void statistics_inCzech();
    void show_everyFieldAndTheComputedOnes();
    void notFound_data();
    void notFound();
    void contexts_json();
    void why_eachReason_data();
    void why_eachReason();
    void why_json();
    void why_agreesWithTheList_data();
    void why_agreesWithTheList();

    void add_thenShow_savesWithBackup();
    void set_changesFieldsAndStamps();
    void set_rejectsBadInput_data();
    void set_rejectsBadInput();
    void set_takesIsoDatesAndWarnsOfLostCharacters();
    void usageErrors_leaveTheFileAlone_data();
    void usageErrors_leaveTheFileAlone();
    void foreignDates_keptUnderAnyLocale_data();
    void foreignDates_keptUnderAnyLocale();
    void foreignDates_damagedOneIsReported();
    void accomplishAndUndone();
    void move_data();
    void move();
    void deleteAndClean_needAnAnswerOffATerminal_data();
    void deleteAndClean_needAnAnswerOffATerminal();
    void contextCommands();
    void newFile_refusesToReplaceSilently();
    void failedLoad_neverSaves();

    void twentyWriters_eachItemKeptOnce();
    void tenWriters_mixedChanges_allKept();
    void anotherWriter_waitOrGiveUp_data();
    void anotherWriter_waitOrGiveUp();
    void newOverAFile_keepsItAsABackup();
    void links_stayLinks();
    void notARegularFile_isRefused_data();
    void notARegularFile_isRefused();

private:
    struct TRun {
        int status;
        QString out;
        QString err;
    };
    void Start(QProcess& process, const QStringList& arguments,
               const QString& language = u"en_US.UTF-8"_qs);
    static TRun Finish(QProcess& process);
    TRun Cli(const QStringList& arguments, const QString& language = u"en_US.UTF-8"_qs);
    // Starts every run at once and waits for them all.
    QList<TRun> CliTogether(const QList<QStringList>& runs);
    QStringList OutlineNames();
    QJsonObject CliJson(const QStringList& arguments);
    QString DataFile() const { return folder_->filePath(u"small.kav"_qs); }
    // A copy of a file written under Czech settings before the header recorded its forms.
    QString CzechFile(const QByteArray& replace = {}, const QByteArray& with = {}) const;
    // The arguments that open the copy of the fixture for why.
    QStringList WhyFile() const;
    QByteArray DataBytes() const;
    QStringList FolderEntries() const;

    std::unique_ptr<QTemporaryDir> folder_;
};

namespace {
const QString garden = u"{00000000-0000-0000-0000-0000000000B1}"_qs;
const QString buyPaint = u"{00000000-0000-0000-0000-0000000000B2}"_qs;
const QString paintFence = u"{00000000-0000-0000-0000-0000000000B3}"_qs;
const QString waterPlants = u"{00000000-0000-0000-0000-0000000000B4}"_qs;
const QString oldChores = u"{00000000-0000-0000-0000-0000000000B6}"_qs;
const QString sweep = u"{00000000-0000-0000-0000-0000000000B7}"_qs;
const QString sendReport = u"{00000000-0000-0000-0000-0000000000B9}"_qs;

// The items of why.kav.
QString WhyItem(const char* suffix)
{
    return u"{00000000-0000-0000-0000-0000000000"_qs + QLatin1String(suffix) + u'}';
}

QStringList RowIds(const QJsonObject& page)
{
    QStringList ids;
    for (const QJsonValue& row : page.value(u"rows"_qs).toArray())
        ids.append(row.toObject().value(u"id"_qs).toString());
    return ids;
}
} // namespace

void TstCli::init()
{
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(folder_->isValid());
    for (const QString& name : {u"small.kav"_qs, u"why.kav"_qs}) {
        const QString copy = folder_->filePath(name);
        QVERIFY(QFile::copy(QStringLiteral(TAVOLIN_CLI_FIXTURES "/") + name, copy));
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    }
}

QStringList TstCli::WhyFile() const
{
    return {u"--file"_qs, folder_->filePath(u"why.kav"_qs)};
}

void TstCli::Start(QProcess& process, const QStringList& arguments, const QString& language)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"LC_ALL"_qs, language);
    environment.insert(u"TAVOLIN_CONFIG"_qs, folder_->filePath(u"tavolin.ini"_qs));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder_->path());
    process.start(QStringLiteral(TAVOLIN_CLI),
                  QStringList{u"--file"_qs, DataFile(), u"--now"_qs, u"2026-03-15T10:00"_qs} +
                      arguments);
    process.closeWriteChannel();
}

TstCli::TRun TstCli::Finish(QProcess& process)
{
    if (!process.waitForFinished(120000))
        return {-1, {}, u"timed out"_qs};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

TstCli::TRun TstCli::Cli(const QStringList& arguments, const QString& language)
{
    QProcess process;
    Start(process, arguments, language);
    return Finish(process);
}

QList<TstCli::TRun> TstCli::CliTogether(const QList<QStringList>& runs)
{
    std::vector<std::unique_ptr<QProcess>> processes;
    for (const QStringList& arguments : runs) {
        processes.push_back(std::make_unique<QProcess>());
        Start(*processes.back(), arguments);
    }
    QList<TRun> results;
    for (const std::unique_ptr<QProcess>& process : processes)
        results.append(Finish(*process));
    return results;
}

QStringList TstCli::OutlineNames()
{
    QStringList names; // as the outline's markup holds them
    for (const QJsonValue& row : CliJson({u"outline"_qs}).value(u"rows"_qs).toArray())
        names.append(row.toObject().value(u"text"_qs).toString());
    return names;
}

QJsonObject TstCli::CliJson(const QStringList& arguments)
{
    const TRun run = Cli(QStringList{u"--json"_qs} + arguments);
    if (run.status != 0)
        qWarning() << "tavolin-cli" << arguments << "failed:" << run.err;
    return QJsonDocument::fromJson(run.out.toUtf8()).object();
}

QByteArray TstCli::DataBytes() const
{
    QFile file(DataFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString TstCli::CzechFile(const QByteArray& replace, const QByteArray& with) const
{
    QFile fixture(QStringLiteral(TAVOLIN_CLI_FIXTURES "/czech-no-forms.kav"));
    if (!fixture.open(QIODevice::ReadOnly))
        return {};
    QByteArray content = fixture.readAll();
    if (!replace.isEmpty())
        content.replace(replace, with);
    const QString path = folder_->filePath(u"czech.kav"_qs);
    QFile copy(path);
    if (!copy.open(QIODevice::WriteOnly) || copy.write(content) != content.size())
        return {};
    return path;
}

QStringList TstCli::FolderEntries() const
{
    return QDir(folder_->path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

void TstCli::helpVersionAndUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("expectedOut");
    QTest::newRow("version") << QStringList{u"--version"_qs} << 0 << u"Tavolin 0.8.0\n"_qs;
    QTest::newRow("help") << QStringList{u"--help"_qs} << 0 << u"Usage: tavolin-cli"_qs;
    QTest::newRow("no command") << QStringList{} << 1 << QString();
    QTest::newRow("unknown command") << QStringList{u"frobnicate"_qs} << 1 << QString();
    QTest::newRow("bad language") << QStringList{u"--lang"_qs, u"de"_qs, u"stats"_qs} << 1
                                  << QString();
    QTest::newRow("missing option value")
        << QStringList{u"todo"_qs, u"--context"_qs} << 1 << QString();
    QTest::newRow("unexpected argument") << QStringList{u"stats"_qs, u"extra"_qs} << 1 << QString();
    // As the window's Find, a blank text searches nothing.
    QTest::newRow("find an empty text") << QStringList{u"find"_qs, QString()} << 1 << QString();
    QTest::newRow("find blanks only") << QStringList{u"find"_qs, u" \t "_qs} << 1 << QString();
    QTest::newRow("why without an item") << QStringList{u"why"_qs} << 1 << QString();
    QTest::newRow("why, both ways of included contexts")
        << QStringList{u"why"_qs, buyPaint, u"--included"_qs, u"--no-included"_qs} << 1
        << QString();
}

void TstCli::helpVersionAndUsage()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, expectedOut);
    const TRun run = Cli(arguments);
    QCOMPARE(run.status, status);
    QVERIFY2(run.out.startsWith(expectedOut), qPrintable(run.out));
    if (status != 0)
        QVERIFY(!run.err.isEmpty());
}

void TstCli::readingCommands_leaveNoTrace_data()
{
    QTest::addColumn<QStringList>("arguments");
    for (const char* command :
         {"outline", "todo", "projects", "goals", "done", "stats", "contexts"})
        QTest::newRow(command) << QStringList{QString::fromLatin1(command)};
    QTest::newRow("show") << QStringList{u"show"_qs, garden};
    QTest::newRow("find") << QStringList{u"find"_qs, u"paint"_qs};
    QTest::newRow("why") << QStringList{u"why"_qs, paintFence};
}

void TstCli::readingCommands_leaveNoTrace()
{
    QFETCH(QStringList, arguments);
    const QByteArray before = DataBytes();
    const TRun run = Cli(arguments);
    QCOMPARE(run.status, 0);
    QVERIFY(!run.out.isEmpty());
    // No backup, no configuration, no data file written.
    QCOMPARE(FolderEntries(), QStringList({u"small.kav"_qs, u"why.kav"_qs}));
    QCOMPARE(DataBytes(), before);
}

void TstCli::todo_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("expectedIds");
    // Best first: Sweep 900000, Send report 910000, Buy paint 960000. Paint the fence waits for
    // Buy paint; Water plants is due tomorrow with no lead time.
    QTest::newRow("all contexts") << QStringList{u"todo"_qs}
                                  << QStringList{sweep, sendReport, buyPaint};
    QTest::newRow("a context without its inclusions")
        << QStringList{u"todo"_qs, u"--context"_qs, u"Office"_qs, u"--no-included"_qs}
        << QStringList{sweep};
    QTest::newRow("a context with the contexts it includes")
        << QStringList{u"todo"_qs, u"--context"_qs, u"Office"_qs, u"--included"_qs}
        << QStringList{sweep, sendReport};
    QTest::newRow("a context by id")
        << QStringList{u"todo"_qs, u"--context"_qs, u"{00000000-0000-0000-0000-0000000000C1}"_qs}
        << QStringList{sweep, buyPaint};
    QTest::newRow("tomorrow the routine task is due")
        << QStringList{u"--now"_qs, u"2026-03-16"_qs, u"todo"_qs, u"--context"_qs, u"Home"_qs}
        << QStringList{sweep, waterPlants};
}

void TstCli::todo()
{
    QFETCH(QStringList, arguments);
    const QJsonObject page = CliJson(arguments);
    QCOMPARE(page.value(u"view"_qs).toString(), u"todo"_qs);
    QTEST(RowIds(page), "expectedIds");
}

void TstCli::todo_plainText_isReadable()
{
    const TRun run = Cli({u"todo"_qs});
    QCOMPARE(run.status, 0);
    QVERIFY2(!run.out.contains(u'<') && !run.out.contains(u'\x1b'), qPrintable(run.out));
    const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines.at(2).simplified(), u"[ ] Buy paint (n) Errands"_qs);
}

void TstCli::outline_json()
{
    const QJsonArray rows = CliJson({u"outline"_qs}).value(u"rows"_qs).toArray();
    QCOMPARE(rows.size(), 10);
    const QJsonObject home = rows.at(0).toObject();
    QCOMPARE(home.value(u"depth"_qs).toInt(), 0);
    QCOMPARE(home.value(u"check"_qs).toString(), u"none"_qs);
    QCOMPARE(home.value(u"expanded"_qs).toBool(), true);
    const QJsonObject oldChoresRow = rows.at(6).toObject();
    QCOMPARE(oldChoresRow.value(u"id"_qs).toString(), oldChores);
    QCOMPARE(oldChoresRow.value(u"check"_qs).toString(), u"ticked"_qs);
    QCOMPARE(oldChoresRow.value(u"text"_qs).toString(),
             u"<img src=\"idx:1\"> <font color=\"clSilver\">Old chores</font>    "_qs.trimmed());
    QCOMPARE(rows.at(7).toObject().value(u"depth"_qs).toInt(), 2);
}

void TstCli::statistics_inCzech()
{
    const QJsonObject page = CliJson({u"--lang"_qs, u"cs"_qs, u"stats"_qs});
    QCOMPARE(page.value(u"markup"_qs).toString(),
             u"Položky: 10 (9 aktivní, 1 hotovo)<br><br>Úkoly: 5<br>Projekty: 2<br>Cíle: "
             "1<br>Nápady: 1<br>"_qs);
}

void TstCli::show_everyFieldAndTheComputedOnes()
{
    const QJsonObject item = CliJson({u"show"_qs, buyPaint}).value(u"item"_qs).toObject();
    QCOMPARE(item.value(u"name"_qs).toString(), u"Buy paint"_qs);
    QCOMPARE(item.value(u"parentid"_qs).toString(), garden);
    QCOMPARE(item.value(u"nextdate"_qs).toString(), u"3/1/2026"_qs);
    QCOMPARE(item.value(u"created"_qs).toString(), u"1/5/2026 9:15:00 AM"_qs);
    QCOMPARE(item.value(u"sortorder"_qs).toString(), u"0"_qs);
    QCOMPARE(item.value(u"priorityscore"_qs).toInt(), 960000);
    QCOMPARE(item.value(u"sortkey"_qs).toString(), u"960000"_qs);
    QCOMPARE(item.value(u"path"_qs).toString(), u"Home >>> Garden >>> Buy paint"_qs);
    QCOMPARE(item.value(u"depth"_qs).toInt(), 2);
    QCOMPARE(item.value(u"blocked"_qs).toBool(), false);
    QCOMPARE(CliJson({u"show"_qs, paintFence})
                 .value(u"item"_qs)
                 .toObject()
                 .value(u"blocked"_qs)
                 .toBool(),
             true);
}

void TstCli::notFound_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("expectedError");
    QTest::newRow("unknown id") << QStringList{u"show"_qs,
                                               u"{00000000-0000-0000-0000-000000000999}"_qs}
                                << u"en_US.UTF-8"_qs << u"No item with the id"_qs;
    QTest::newRow("not an id") << QStringList{u"show"_qs, u"garden"_qs} << u"en_US.UTF-8"_qs
                               << u"No item with the id"_qs;
    QTest::newRow("unknown context") << QStringList{u"todo"_qs, u"--context"_qs, u"Moon"_qs}
                                     << u"en_US.UTF-8"_qs << u"No context named Moon"_qs;
    QTest::newRow("find nothing") << QStringList{u"find"_qs, u"zzz"_qs} << u"en_US.UTF-8"_qs
                                  << u"Searched string not found"_qs;
    QTest::newRow("find nothing, in Czech")
        << QStringList{u"--lang"_qs, u"cs"_qs, u"find"_qs, u"zzz"_qs} << u"cs_CZ.UTF-8"_qs
        << u"Hledaný text nebyl nalezen"_qs;
    QTest::newRow("why, unknown id")
        << QStringList{u"why"_qs, u"{00000000-0000-0000-0000-000000000999}"_qs} << u"en_US.UTF-8"_qs
        << u"No item with the id"_qs;
    QTest::newRow("why, unknown context")
        << QStringList{u"why"_qs, buyPaint, u"--context"_qs, u"Moon"_qs} << u"en_US.UTF-8"_qs
        << u"No context named Moon"_qs;
    QTest::newRow("find again past the last match")
        << QStringList{u"find"_qs, u"paint"_qs, u"--after"_qs, paintFence} << u"en_US.UTF-8"_qs
        << u"Searched string not found"_qs;
}

void TstCli::notFound()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, language);
    QFETCH(QString, expectedError);
    const TRun run = Cli(arguments, language);
    QCOMPARE(run.status, 4);
    QVERIFY2(run.err.startsWith(expectedError), qPrintable(run.err));
}

void TstCli::contexts_json()
{
    const QJsonArray contexts = CliJson({u"contexts"_qs}).value(u"contexts"_qs).toArray();
    QStringList names;
    for (const QJsonValue& context : contexts)
        names.append(context.toObject().value(u"name"_qs).toString());
    QCOMPARE(names, QStringList({u"Anywhere"_qs, u"Errands"_qs, u"Home"_qs, u"Office"_qs,
                                 u"Office PC"_qs}));
    const QJsonObject office = contexts.at(3).toObject();
    QCOMPARE(office.value(u"includes"_qs).toArray(),
             QJsonArray({u"{00000000-0000-0000-0000-0000000000C4}"_qs}));
    QCOMPARE(contexts.at(4).toObject().value(u"type"_qs).toString(), u"Computer"_qs);
}

void TstCli::why_eachReason_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("czech");
    QTest::addColumn<QStringList>("lines");

    const QStringList office = {u"--context"_qs, u"Office"_qs};
    const auto both = [](const char* name, const QStringList& arguments, const QStringList& english,
                         const QStringList& czech) {
        QTest::newRow(name) << arguments << false << english;
        QTest::newRow(qPrintable(QLatin1String(name) + u", in Czech"))
            << arguments << true << czech;
    };
    both("listed", {u"why"_qs, WhyItem("D3")},
         {u"Home >>> Garden >>> Buy paint"_qs, u"To do: All contexts"_qs,
          u"Listed at position 2 of 7."_qs, u"Priority score: 960000"_qs, u"  Base: 1000000"_qs,
          u"  Importance: 50"_qs, u"  Importance of the parent \"Garden\": 80"_qs,
          u"  Weight: 50 / 100 × 80 = 40"_qs, u"  Deduction: round(40 × 1000) = 40000"_qs,
          u"Sort key \"960000\"; items with the same score stand in the order of their names."_qs},
         {u"Home >>> Garden >>> Buy paint"_qs, u"Udělat: Všechny kontexty"_qs,
          u"Je na seznamu na 2. místě z 7."_qs, u"Skóre priority: 960000"_qs,
          u"  Základ: 1000000"_qs, u"  Důležitost: 50"_qs,
          u"  Důležitost nadřazené položky „Garden“: 80"_qs, u"  Váha: 50 / 100 × 80 = 40"_qs,
          u"  Odečet: round(40 × 1000) = 40000"_qs,
          u"Klíč řazení „960000“; položky se stejným skóre jsou seřazeny podle názvu."_qs});
    both("another context, box clear",
         QStringList{u"why"_qs, WhyItem("D3"), u"--no-included"_qs} + office,
         {u"Home >>> Garden >>> Buy paint"_qs, u"To do: Office"_qs, u"Not listed:"_qs,
          u"  Its context \"Errands\" is neither the chosen context \"Office\" nor included by "
          "it. Ticking \"Included contexts\" would not list it either."_qs},
         {u"Home >>> Garden >>> Buy paint"_qs, u"Udělat: Office"_qs, u"Není na seznamu:"_qs,
          u"  Její kontext „Errands“ není zvolený kontext „Office“ ani jím zahrnutý. Ani "
          "zaškrtnutí „Zahrnuté kontexty“ by ji na seznam nepřidalo."_qs});
    both("another context, box ticked",
         QStringList{u"why"_qs, WhyItem("D3"), u"--included"_qs} + office,
         {u"Home >>> Garden >>> Buy paint"_qs, u"To do: Office + Included contexts"_qs,
          u"Not listed:"_qs,
          u"  Its context \"Errands\" is neither the chosen context \"Office\" nor included by "
          "it."_qs},
         {u"Home >>> Garden >>> Buy paint"_qs, u"Udělat: Office + Zahrnuté kontexty"_qs,
          u"Není na seznamu:"_qs,
          u"  Její kontext „Errands“ není zvolený kontext „Office“ ani jím zahrnutý."_qs});
    both("an included context, box clear",
         QStringList{u"why"_qs, WhyItem("DA"), u"--no-included"_qs} + office,
         {u"Send report"_qs, u"To do: Office"_qs, u"Not listed:"_qs,
          u"  Its context \"Office PC\" is included by the chosen context \"Office\", but "
          "\"Included contexts\" is not ticked; ticking it would list it."_qs},
         {u"Send report"_qs, u"Udělat: Office"_qs, u"Není na seznamu:"_qs,
          u"  Její kontext „Office PC“ je zahrnut ve zvoleném kontextu „Office“, ale „Zahrnuté "
          "kontexty“ není zaškrtnuto; zaškrtnutí by ji na seznam přidalo."_qs});
    both("no context", {u"why"_qs, WhyItem("D8"), u"--context"_qs, u"Home"_qs},
         {u"Home >>> Call the plumber"_qs, u"To do: Home + Included contexts"_qs, u"Not listed:"_qs,
          u"  Its context id names no context; only \"All contexts\" lists it."_qs},
         {u"Home >>> Call the plumber"_qs, u"Udělat: Home + Zahrnuté kontexty"_qs,
          u"Není na seznamu:"_qs,
          u"  Její kontext neexistuje; ukazuje ji jen „Všechny kontexty“."_qs});
    both("done", {u"why"_qs, WhyItem("D7")},
         {u"Home >>> Sweep"_qs, u"To do: All contexts"_qs, u"Not listed:"_qs, u"  It is done."_qs},
         {u"Home >>> Sweep"_qs, u"Udělat: Všechny kontexty"_qs, u"Není na seznamu:"_qs,
          u"  Je hotová."_qs});
    both("suspended", {u"why"_qs, WhyItem("D6")},
         {u"Home >>> Nap"_qs, u"To do: All contexts"_qs, u"Not listed:"_qs,
          u"  Its status is \"Suspended\"."_qs},
         {u"Home >>> Nap"_qs, u"Udělat: Všechny kontexty"_qs, u"Není na seznamu:"_qs,
          u"  Její stav je „Pozastaveno“."_qs});
    both("not a task", {u"why"_qs, WhyItem("D9")},
         {u"Home >>> Build a pond"_qs, u"To do: All contexts"_qs, u"Not listed:"_qs,
          u"  Its type is \"Idea\"; only tasks are listed."_qs},
         {u"Home >>> Build a pond"_qs, u"Udělat: Všechny kontexty"_qs, u"Není na seznamu:"_qs,
          u"  Její typ je „Nápad“; seznam ukazuje jen úkoly."_qs});
    both("before its lead window", {u"why"_qs, WhyItem("D5")},
         {u"Home >>> Garden >>> Water plants"_qs, u"To do: All contexts"_qs, u"Not listed:"_qs,
          u"  It is not yet in its lead window: it will be listed from 3/16/2026; its next date "
          "is 3/16/2026."_qs},
         {u"Home >>> Garden >>> Water plants"_qs, u"Udělat: Všechny kontexty"_qs,
          u"Není na seznamu:"_qs,
          u"  Její realizační doba ještě nezačala: na seznamu bude od 16.03.2026; její termín "
          "je 16.03.2026."_qs});
    both("waits for the item before it", {u"why"_qs, WhyItem("D4")},
         {u"Home >>> Garden >>> Paint the fence"_qs, u"To do: All contexts"_qs, u"Not listed:"_qs,
          u"  It waits for the item before it, \"Buy paint\", which is not done."_qs},
         {u"Home >>> Garden >>> Paint the fence"_qs, u"Udělat: Všechny kontexty"_qs,
          u"Není na seznamu:"_qs,
          u"  Čeká na předchozí položku „Buy paint“, která není hotová."_qs});
}

void TstCli::why_eachReason()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, czech);
    QFETCH(QStringList, lines);
    const QStringList language = czech ? QStringList{u"--lang"_qs, u"cs"_qs} : QStringList();
    const TRun run =
        Cli(WhyFile() + language + arguments, czech ? u"cs_CZ.UTF-8"_qs : u"en_US.UTF-8"_qs);
    QCOMPARE(run.status, 0);
    QCOMPARE(run.out.split(u'\n', Qt::SkipEmptyParts), lines);
}

void TstCli::why_json()
{
    const QJsonObject listed = CliJson(WhyFile() + QStringList{u"why"_qs, WhyItem("DB")});
    QCOMPARE(listed.value(u"item"_qs).toString(), WhyItem("DB"));
    QVERIFY(listed.value(u"listed"_qs).toBool());
    QVERIFY(listed.value(u"context"_qs).isNull());
    QCOMPARE(listed.value(u"reasons"_qs).toArray(), QJsonArray());
    // Equal scores: "File taxes" stands before "Send report" by its name.
    QCOMPARE(listed.value(u"position"_qs).toInt(), 4);
    QCOMPARE(listed.value(u"rows"_qs).toInt(), 7);
    const QJsonObject score = listed.value(u"score"_qs).toObject();
    QCOMPARE(score.value(u"total"_qs).toInt(), 999100);
    QCOMPARE(score.value(u"sortkey"_qs).toString(), u"999100"_qs);
    QCOMPARE(score.value(u"tiebreak"_qs).toString(), u"name"_qs);
    QStringList terms;
    for (const QJsonValue& term : score.value(u"terms"_qs).toArray())
        terms.append(term.toObject().value(u"code"_qs).toString() + u'=' +
                     QString::number(term.toObject().value(u"value"_qs).toDouble(), 'g', 15));
    // A top-level item: no parent's importance.
    QCOMPARE(terms, QStringList({u"base=1000000"_qs, u"importance=90"_qs, u"weight=0.9"_qs,
                                 u"deduction=900"_qs}));
    const QJsonArray parentTerms = CliJson(WhyFile() + QStringList{u"why"_qs, WhyItem("D3")})
                                       .value(u"score"_qs)
                                       .toObject()
                                       .value(u"terms"_qs)
                                       .toArray();
    QCOMPARE(parentTerms.at(2).toObject().value(u"code"_qs).toString(), u"parentimportance"_qs);
    QCOMPARE(parentTerms.at(2).toObject().value(u"item"_qs).toString(), WhyItem("D2"));

    const QJsonObject off =
        CliJson(WhyFile() + QStringList{u"why"_qs, WhyItem("D4"), u"--context"_qs, u"Office"_qs,
                                        u"--no-included"_qs});
    QVERIFY(!off.value(u"listed"_qs).toBool());
    QVERIFY(off.value(u"position"_qs).isNull());
    QVERIFY(off.value(u"score"_qs).isNull());
    QCOMPARE(off.value(u"context"_qs).toString(), u"{00000000-0000-0000-0000-0000000000C3}"_qs);
    QCOMPARE(off.value(u"included"_qs).toBool(), false);
    const QJsonArray reasons = off.value(u"reasons"_qs).toArray();
    QCOMPARE(reasons.size(), 2);
    QCOMPARE(reasons.at(0).toObject().value(u"code"_qs).toString(), u"othercontext"_qs);
    QCOMPARE(reasons.at(0).toObject().value(u"context"_qs).toString(),
             u"{00000000-0000-0000-0000-0000000000C2}"_qs);
    QCOMPARE(reasons.at(1).toObject().value(u"code"_qs).toString(), u"waiting"_qs);
    QCOMPARE(reasons.at(1).toObject().value(u"item"_qs).toString(), WhyItem("D3"));
    QVERIFY(reasons.at(1).toObject().value(u"text"_qs).toString().contains(u"Buy paint"_qs));

    const QJsonObject lead = CliJson(WhyFile() + QStringList{u"why"_qs, WhyItem("D5")});
    const QJsonObject leadReason = lead.value(u"reasons"_qs).toArray().at(0).toObject();
    QCOMPARE(leadReason.value(u"code"_qs).toString(), u"leadwindow"_qs);
    QCOMPARE(leadReason.value(u"date"_qs).toString(), u"2026-03-16"_qs);
}

void TstCli::why_agreesWithTheList_data()
{
    QTest::addColumn<QStringList>("page");
    QTest::newRow("all contexts") << QStringList();
    QTest::newRow("a context alone")
        << QStringList{u"--context"_qs, u"Office"_qs, u"--no-included"_qs};
    QTest::newRow("a context with those it includes")
        << QStringList{u"--context"_qs, u"Office"_qs, u"--included"_qs};
    QTest::newRow("another context") << QStringList{u"--context"_qs, u"Home"_qs};
    QTest::newRow("tomorrow") << QStringList{u"--now"_qs, u"2026-03-16"_qs};
}

void TstCli::why_agreesWithTheList()
{
    QFETCH(QStringList, page);
    const QStringList rows = RowIds(CliJson(WhyFile() + QStringList{u"todo"_qs} + page));
    QVERIFY(!rows.isEmpty());
    // Every item of the outline: listed exactly when it has a row, at that row's position.
    const QStringList items = RowIds(CliJson(WhyFile() + QStringList{u"outline"_qs}));
    QCOMPARE(items.size(), 14);
    QStringList byPosition(rows.size());
    for (const QString& id : items) {
        const QJsonObject answer = CliJson(WhyFile() + QStringList{u"why"_qs, id} + page);
        QCOMPARE(answer.value(u"item"_qs).toString(), id);
        const bool listed = answer.value(u"listed"_qs).toBool();
        QVERIFY2(listed == rows.contains(id), qPrintable(id));
        QVERIFY2(listed == answer.value(u"reasons"_qs).toArray().isEmpty(), qPrintable(id));
        if (!listed)
            continue;
        QCOMPARE(answer.value(u"rows"_qs).toInt(), rows.size());
        const int position = answer.value(u"position"_qs).toInt();
        QVERIFY(position >= 1 && position <= rows.size());
        byPosition[position - 1] = id;
    }
    QCOMPARE(byPosition, rows);
}

void TstCli::add_thenShow_savesWithBackup()
{
    const TRun added = Cli({u"--json"_qs, u"add"_qs, u"--parent"_qs, garden, u"--name"_qs,
                            u"Buy brushes"_qs, u"--context"_qs, u"Errands"_qs});
    QCOMPARE(added.status, 0);
    const QString id =
        QJsonDocument::fromJson(added.out.toUtf8()).object().value(u"id"_qs).toString();
    QVERIFY(!id.isEmpty());
    const QJsonObject item = CliJson({u"show"_qs, id}).value(u"item"_qs).toObject();
    QCOMPARE(item.value(u"name"_qs).toString(), u"Buy brushes"_qs);
    // A subitem of a project is a task with the project's effort and nothing else of it.
    QCOMPARE(item.value(u"tasktype"_qs).toString(), u"Task"_qs);
    QCOMPARE(item.value(u"parentid"_qs).toString(), garden);
    QCOMPARE(item.value(u"context_id"_qs).toString(), u"{00000000-0000-0000-0000-0000000000C1}"_qs);
    QCOMPARE(item.value(u"sortorder"_qs).toString(), u"3"_qs);
    // Opened for a change: backup number 3 after the header's 2.
    QVERIFY(FolderEntries().contains(u"small.kav - backup 3.ka~"_qs));
}

void TstCli::set_changesFieldsAndStamps()
{
    QCOMPARE(Cli({u"set"_qs, buyPaint, u"importance=10"_qs, u"note=Two tins"_qs,
                  u"accomplishtype=By due date"_qs, u"nextdate=3/20/2026"_qs})
                 .status,
             0);
    const QJsonObject item = CliJson({u"show"_qs, buyPaint}).value(u"item"_qs).toObject();
    QCOMPARE(item.value(u"importance"_qs).toString(), u"10"_qs);
    QCOMPARE(item.value(u"note"_qs).toString(), u"Two tins"_qs);
    QCOMPARE(item.value(u"accomplishtype"_qs).toString(), u"By due date"_qs);
    QCOMPARE(item.value(u"nextdate"_qs).toString(), u"3/20/2026"_qs);
    QCOMPARE(item.value(u"lastmodified"_qs).toString(), u"3/15/2026 10:00:00 AM"_qs);
}

void TstCli::set_rejectsBadInput_data()
{
    QTest::addColumn<QStringList>("assignments");
    QTest::addColumn<QString>("named"); // what the error must name

    const auto row = [](const char* name, const QString& assignment, const QString& named) {
        QTest::newRow(name) << QStringList{assignment} << named;
    };
    row("no equals sign", u"importance"_qs, u"importance"_qs);
    row("the id", u"id={00000000-0000-0000-0000-000000000777}"_qs, u"id"_qs);
    row("unknown element", u"colour=red"_qs, u"colour"_qs);
    QTest::newRow("nothing to set") << QStringList{} << u"ELEMENT=TEXT"_qs;

    row("flag in capitals", u"checked=True"_qs, u"checked: \"True\""_qs);
    row("flag as a digit", u"dependonprevious=1"_qs, u"dependonprevious"_qs);
    row("flag empty", u"expanded="_qs, u"expanded"_qs);
    row("month 13", u"nextdate=2031-13-06"_qs, u"nextdate: \"2031-13-06\""_qs);
    row("a stamp for a date", u"nextdate=3/20/2026 10:00 AM"_qs, u"nextdate"_qs);
    row("another locale's date", u"nextdate=20.3.2026"_qs, u"nextdate"_qs);
    row("a stamp of words", u"created=yesterday"_qs, u"created"_qs);
    row("hour 25", u"lastmodified=2026-03-15T25:00"_qs, u"lastmodified"_qs);
    row("accomplish weekly", u"accomplishtype=weekly"_qs, u"accomplishtype"_qs);
    row("type in lower case", u"tasktype=task"_qs, u"tasktype"_qs);
    row("unknown status", u"status=Done"_qs, u"status"_qs);
    row("period in capitals", u"repeattype=Months"_qs, u"repeattype"_qs);
    row("period empty", u"leadtype="_qs, u"leadtype"_qs);
    row("not a number", u"importance=lots"_qs, u"importance"_qs);
    row("importance above 100", u"importance=101"_qs, u"importance"_qs);
    row("effort below 0", u"effort=-1"_qs, u"effort"_qs);
    row("no repetition", u"repeatvalue=0"_qs, u"repeatvalue"_qs);
    row("lead time past 32 bits", u"leadvalue=99999999999"_qs, u"leadvalue"_qs);
    row("a context that is not there", u"context_id={00000000-0000-0000-0000-000000000999}"_qs,
        u"context_id"_qs);
    row("a context by name", u"context_id=Office"_qs, u"context_id"_qs);
    // A good value before a bad one is not saved either.
    QTest::newRow("good then bad")
        << QStringList{u"importance=10"_qs, u"checked=maybe"_qs} << u"checked"_qs;
}

// Each value must be one its element can hold: nothing is saved, and the error says which.
void TstCli::set_rejectsBadInput()
{
    QFETCH(QStringList, assignments);
    QFETCH(QString, named);
    const QByteArray before = DataBytes();
    const TRun run = Cli(QStringList{u"set"_qs, buyPaint} + assignments);
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.contains(named), qPrintable(run.err));
    QCOMPARE(DataBytes(), before);
}

void TstCli::set_takesIsoDatesAndWarnsOfLostCharacters()
{
    const TRun run =
        Cli({u"set"_qs, buyPaint, u"nextdate=2026-04-02"_qs, u"created=2026-01-06T07:08:09"_qs,
             u"name=Buy\u0001 paint\u0007"_qs, u"note=Two tins"_qs});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.err,
             u"Warning: name: characters that the data file cannot hold are left out\n"_qs);
    const QJsonObject item = CliJson({u"show"_qs, buyPaint}).value(u"item"_qs).toObject();
    QCOMPARE(item.value(u"nextdate"_qs).toString(), u"4/2/2026"_qs);
    QCOMPARE(item.value(u"created"_qs).toString(), u"1/6/2026 7:08:09 AM"_qs);
    QCOMPARE(item.value(u"name"_qs).toString(), u"Buy paint"_qs);
    QCOMPARE(item.value(u"note"_qs).toString(), u"Two tins"_qs);
}

void TstCli::usageErrors_leaveTheFileAlone_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("a context including itself")
        << QStringList{u"contexts"_qs, u"include"_qs, u"Office"_qs, u"Office"_qs};
    QTest::newRow("a context including itself, once by id")
        << QStringList{u"contexts"_qs, u"include"_qs, u"Office PC"_qs,
                       u"{00000000-0000-0000-0000-0000000000C4}"_qs};
    QTest::newRow("an empty parent") << QStringList{u"add"_qs, u"--parent"_qs, QString()};
    QTest::newRow("an empty now") << QStringList{u"--now"_qs, QString(), u"add"_qs};
    QTest::newRow("an empty name") << QStringList{u"add"_qs, u"--name"_qs, QString()};
}

// An empty value or a context named twice once quietly did something else.
void TstCli::usageErrors_leaveTheFileAlone()
{
    QFETCH(QStringList, arguments);
    const QByteArray before = DataBytes();
    const TRun run = Cli(arguments);
    QCOMPARE(run.status, 1);
    QVERIFY(run.err.contains(u"Run tavolin-cli --help"_qs));
    QCOMPARE(DataBytes(), before);
}

void TstCli::foreignDates_keptUnderAnyLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("garden"); // nextdate, created, lastmodified
    QTest::addColumn<QStringList>("paint");
    QTest::newRow("en_US") << u"en_US.UTF-8"_qs
                           << QStringList{u"12/24/2026"_qs, u"1/5/2026 9:15:00 AM"_qs,
                                          u"3/1/2026 2:30:00 PM"_qs}
                           << QStringList{u"4/1/2026"_qs, u"1/13/2026"_qs,
                                          u"3/2/2026 12:05:09 AM"_qs};
    QTest::newRow("C") << u"C.UTF-8"_qs
                       << QStringList{u"2026-12-24"_qs, u"2026-01-05 09:15:00"_qs,
                                      u"2026-03-01 14:30:00"_qs}
                       << QStringList{u"2026-04-01"_qs, u"2026-01-13"_qs,
                                      u"2026-03-02 00:05:09"_qs};
}

// A Czech file from before the header recorded its forms, read elsewhere, keeps every date.
void TstCli::foreignDates_keptUnderAnyLocale()
{
    QFETCH(QString, locale);
    const QString file = CzechFile();
    const auto dates = [&](const QString& id) {
        const TRun run = Cli({u"--file"_qs, file, u"--json"_qs, u"show"_qs, id}, locale);
        const QJsonObject item =
            QJsonDocument::fromJson(run.out.toUtf8()).object().value(u"item"_qs).toObject();
        return QStringList{item.value(u"nextdate"_qs).toString(),
                           item.value(u"created"_qs).toString(),
                           item.value(u"lastmodified"_qs).toString()};
    };
    QTEST(dates(u"{00000000-0000-0000-0000-0000000000D1}"_qs), "garden");
    QTEST(dates(u"{00000000-0000-0000-0000-0000000000D2}"_qs), "paint");
}

void TstCli::foreignDates_damagedOneIsReported()
{
    const QString file = CzechFile("<created>13.1.2026</created>", "<created>13.13.2026</created>");
    const TRun run = Cli({u"--file"_qs, file, u"--json"_qs, u"show"_qs,
                          u"{00000000-0000-0000-0000-0000000000D2}"_qs});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.err, u"Dates in the file " + file +
                          u" that could not be read were replaced by today's date: 1\n");
    const QJsonObject item =
        QJsonDocument::fromJson(run.out.toUtf8()).object().value(u"item"_qs).toObject();
    QCOMPARE(item.value(u"created"_qs).toString(), u"3/15/2026 10:00:00 AM"_qs);
    QCOMPARE(item.value(u"nextdate"_qs).toString(), u"4/1/2026"_qs);
}

void TstCli::accomplishAndUndone()
{
    // A routine task moves on by its period and stays open.
    QCOMPARE(Cli({u"accomplish"_qs, waterPlants}).status, 0);
    QJsonObject item = CliJson({u"show"_qs, waterPlants}).value(u"item"_qs).toObject();
    QCOMPARE(item.value(u"nextdate"_qs).toString(), u"3/23/2026"_qs);
    QCOMPARE(item.value(u"checked"_qs).toString(), u"false"_qs);
    // A task done once leaves the to-do list for the done list; undone brings it back Active.
    QCOMPARE(Cli({u"accomplish"_qs, buyPaint}).status, 0);
    QVERIFY(!RowIds(CliJson({u"todo"_qs})).contains(buyPaint));
    QVERIFY(RowIds(CliJson({u"done"_qs})).contains(buyPaint));
    QCOMPARE(Cli({u"undone"_qs, buyPaint}).status, 0);
    item = CliJson({u"show"_qs, buyPaint}).value(u"item"_qs).toObject();
    QCOMPARE(item.value(u"status"_qs).toString(), u"Active"_qs);
    QCOMPARE(item.value(u"checked"_qs).toString(), u"false"_qs);
}

void TstCli::move_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("movedParent");
    QTest::addColumn<QString>("movedSortOrder");
    QTest::newRow("under another item")
        << QStringList{buyPaint, u"--under"_qs, oldChores} << 0 << oldChores << u"1"_qs;
    QTest::newRow("down") << QStringList{buyPaint, u"--down"_qs} << 0 << garden << u"1"_qs;
    QTest::newRow("up at the top changes nothing")
        << QStringList{buyPaint, u"--up"_qs} << 0 << garden << u"0"_qs;
    QTest::newRow("under itself") << QStringList{garden, u"--under"_qs, garden} << 1 << QString()
                                  << QString();
    QTest::newRow("under its own subitem")
        << QStringList{garden, u"--under"_qs, buyPaint} << 1 << QString() << QString();
    QTest::newRow("two directions")
        << QStringList{buyPaint, u"--up"_qs, u"--down"_qs} << 1 << QString() << QString();
}

void TstCli::move()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, movedParent);
    QFETCH(QString, movedSortOrder);
    QCOMPARE(Cli(QStringList{u"move"_qs} + arguments).status, status);
    if (status != 0)
        return;
    const QJsonObject item = CliJson({u"show"_qs, buyPaint}).value(u"item"_qs).toObject();
    QCOMPARE(item.value(u"parentid"_qs).toString(), movedParent);
    QCOMPARE(item.value(u"sortorder"_qs).toString(), movedSortOrder);
}

void TstCli::deleteAndClean_needAnAnswerOffATerminal_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("gone");
    QTest::newRow("delete") << QStringList{u"delete"_qs, garden} << buyPaint;
    QTest::newRow("clean") << QStringList{u"clean"_qs} << sweep;
}

void TstCli::deleteAndClean_needAnAnswerOffATerminal()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, gone);
    const QByteArray before = DataBytes();
    const TRun refused = Cli(arguments);
    QCOMPARE(refused.status, 1);
    QVERIFY2(refused.err.contains(u"--yes"_qs), qPrintable(refused.err));
    QCOMPARE(DataBytes(), before);

    QCOMPARE(Cli(arguments + QStringList{u"--yes"_qs}).status, 0);
    QCOMPARE(Cli({u"show"_qs, gone}).status, 4);
    QCOMPARE(Cli({u"show"_qs, u"{00000000-0000-0000-0000-0000000000A1}"_qs}).status, 0);
}

void TstCli::contextCommands()
{
    const TRun added =
        Cli({u"contexts"_qs, u"add"_qs, u"Phone booth"_qs, u"--type"_qs, u"Phone"_qs});
    QCOMPARE(added.status, 0);
    const QString booth = added.out.trimmed();
    QCOMPARE(Cli({u"contexts"_qs, u"include"_qs, u"Office"_qs, booth}).status, 0);
    QCOMPARE(Cli({u"contexts"_qs, u"exclude"_qs, u"Office"_qs, u"Office PC"_qs}).status, 0);
    QCOMPARE(
        Cli({u"contexts"_qs, u"delete"_qs, u"Errands"_qs, u"--replace-with"_qs, u"Home"_qs}).status,
        0);
    QCOMPARE(Cli({u"contexts"_qs, u"delete"_qs, u"Anywhere"_qs}).status, 1);
    QCOMPARE(Cli({u"contexts"_qs, u"add"_qs, u"Moon"_qs, u"--type"_qs, u"Anywhere"_qs}).status, 1);

    const QJsonArray contexts = CliJson({u"contexts"_qs}).value(u"contexts"_qs).toArray();
    QStringList names;
    for (const QJsonValue& context : contexts)
        names.append(context.toObject().value(u"name"_qs).toString());
    // Contexts added later stand at the end until the file is read again, sorted.
    QCOMPARE(names, QStringList({u"Anywhere"_qs, u"Home"_qs, u"Office"_qs, u"Office PC"_qs,
                                 u"Phone booth"_qs}));
    QCOMPARE(contexts.at(2).toObject().value(u"includes"_qs).toArray(), QJsonArray({booth}));
    // The deleted context's items went to its replacement.
    QCOMPARE(CliJson({u"show"_qs, buyPaint}).value(u"item"_qs).toObject().value(u"context_id"_qs),
             QJsonValue(u"{00000000-0000-0000-0000-0000000000C2}"_qs));
}

void TstCli::newFile_refusesToReplaceSilently()
{
    const QByteArray before = DataBytes();
    QCOMPARE(Cli({u"new"_qs}).status, 1);
    QCOMPARE(DataBytes(), before);

    const QString fresh = folder_->filePath(u"fresh.kav"_qs);
    QCOMPARE(Cli({u"--file"_qs, fresh, u"new"_qs}).status, 0);
    const QJsonArray rows =
        CliJson({u"--file"_qs, fresh, u"outline"_qs}).value(u"rows"_qs).toArray();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.at(0).toObject().value(u"check"_qs).toString(), u"none"_qs); // a new area
}

void TstCli::failedLoad_neverSaves()
{
    QFile file(DataFile());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("<document><tasks><task><id>garbage</id></task></tasks>");
    file.close();
    const QByteArray before = DataBytes();
    const TRun run = Cli({u"add"_qs, u"--name"_qs, u"Lost?"_qs});
    QCOMPARE(run.status, 2);
    QVERIFY2(run.err.startsWith(u"Error during loading file | "_qs), qPrintable(run.err));
    QCOMPARE(DataBytes(), before);
    QCOMPARE(Cli({u"--file"_qs, folder_->filePath(u"missing.kav"_qs), u"stats"_qs}).status, 2);
}

void TstCli::twentyWriters_eachItemKeptOnce()
{
    // A script, a cron job and a shell at the same moment: each waits its turn.
    QList<QStringList> runs;
    for (int n = 1; n <= 20; ++n)
        runs.append(
            {u"--wait"_qs, u"120"_qs, u"add"_qs, u"--name"_qs, u"item "_qs + QString::number(n)});
    const QList<TRun> results = CliTogether(runs);
    for (const TRun& run : results)
        QVERIFY2(run.status == 0, qPrintable(run.err));

    const QStringList names = OutlineNames();
    for (int n = 1; n <= 20; ++n) {
        const QString name = u"item "_qs + QString::number(n);
        QCOMPARE(names.filter(QRegularExpression(u"\\b"_qs + name + u"\\b"_qs)).size(), 1);
    }
    QCOMPARE(names.size(), 10 + 20);
    // Nothing is left behind: no lock file, no temporary file.
    QCOMPARE(FolderEntries().filter(QRegularExpression(u"^\\."_qs)), QStringList());
}

void TstCli::tenWriters_mixedChanges_allKept()
{
    const QString fitness = u"{00000000-0000-0000-0000-0000000000B5}"_qs;
    const QString pond = u"{00000000-0000-0000-0000-0000000000B8}"_qs;
    const QStringList wait = {u"--wait"_qs, u"120"_qs};
    const QList<TRun> results = CliTogether({
        wait + QStringList{u"add"_qs, u"--name"_qs, u"mixed 1"_qs},
        wait + QStringList{u"set"_qs, sendReport, u"note=from the fifth writer"_qs},
        wait + QStringList{u"accomplish"_qs, buyPaint},
        wait + QStringList{u"move"_qs, pond, u"--under"_qs, garden},
        wait + QStringList{u"add"_qs, u"--name"_qs, u"mixed 2"_qs, u"--parent"_qs, garden},
        wait + QStringList{u"set"_qs, paintFence, u"importance=11"_qs},
        wait + QStringList{u"accomplish"_qs, sweep},
        wait + QStringList{u"move"_qs, fitness, u"--under"_qs, oldChores},
        wait + QStringList{u"set"_qs, waterPlants, u"name=Water the roses"_qs},
        wait + QStringList{u"add"_qs, u"--name"_qs, u"mixed 3"_qs},
    });
    for (const TRun& run : results)
        QVERIFY2(run.status == 0, qPrintable(run.err));

    const auto field = [this](const QString& id, const QString& name) {
        return CliJson({u"show"_qs, id}).value(u"item"_qs).toObject().value(name).toString();
    };
    QCOMPARE(field(sendReport, u"note"_qs), u"from the fifth writer"_qs);
    QCOMPARE(field(paintFence, u"importance"_qs), u"11"_qs);
    QCOMPARE(field(waterPlants, u"name"_qs), u"Water the roses"_qs);
    QCOMPARE(field(buyPaint, u"checked"_qs), u"true"_qs);
    QCOMPARE(field(sweep, u"checked"_qs), u"true"_qs);
    QCOMPARE(field(pond, u"parentid"_qs), garden);
    QCOMPARE(field(fitness, u"parentid"_qs), oldChores);
    const QStringList names = OutlineNames();
    for (const QString& name : {u"mixed 1"_qs, u"mixed 2"_qs, u"mixed 3"_qs})
        QCOMPARE(names.filter(QRegularExpression(u"\\b"_qs + name + u"\\b"_qs)).size(), 1);
    QCOMPARE(names.size(), 10 + 3);
}

void TstCli::anotherWriter_waitOrGiveUp_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("releaseAfterMs"); // -1: held to the end
    QTest::addColumn<int>("status");
    QTest::newRow("no waiting: nothing written")
        << QStringList{u"--wait"_qs, u"0"_qs, u"add"_qs, u"--name"_qs, u"Late"_qs} << -1 << 3;
    QTest::newRow("a short wait: nothing written")
        << QStringList{u"--wait"_qs, u"1"_qs, u"add"_qs, u"--name"_qs, u"Late"_qs} << -1 << 3;
    QTest::newRow("waits until the other is done")
        << QStringList{u"--wait"_qs, u"60"_qs, u"add"_qs, u"--name"_qs, u"Late"_qs} << 300 << 0;
    QTest::newRow("reading takes no lock")
        << QStringList{u"--wait"_qs, u"0"_qs, u"todo"_qs} << -1 << 0;
}

void TstCli::anotherWriter_waitOrGiveUp()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, releaseAfterMs);
    QFETCH(int, status);
    const QByteArray before = DataBytes();
    const QStringList entriesBefore = FolderEntries();
    auto another = std::make_unique<TWriterLock>(DataFile(), std::chrono::milliseconds(0));
    std::thread releaser([&another, releaseAfterMs] {
        if (releaseAfterMs >= 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(releaseAfterMs));
            another.reset();
        }
    });
    const TRun run = Cli(arguments);
    releaser.join();
    another.reset();

    QCOMPARE(run.status, status);
    if (status == 3) {
        QCOMPARE(run.err, u"Error during saving file | Another program is writing the file "_qs +
                              DataFile() + u'\n');
        QCOMPARE(DataBytes(), before);
        QCOMPARE(FolderEntries(), entriesBefore); // not even a backup
    } else if (arguments.contains(u"add"_qs)) {
        QVERIFY(OutlineNames().last().contains(u"Late"_qs));
    }
}

void TstCli::newOverAFile_keepsItAsABackup()
{
    // Whatever AutoBackup says.
    QFile ini(folder_->filePath(u"tavolin.ini"_qs));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[Environment]\nAutoBackup=0\n");
    ini.close();
    const QByteArray before = DataBytes();

    const TRun run = Cli({u"--yes"_qs, u"new"_qs});
    QCOMPARE(run.status, 0);
    // The file's own cycle goes on: its header said 2.
    QFile backup(folder_->filePath(u"small.kav - backup 3.ka~"_qs));
    QVERIFY(backup.open(QIODevice::ReadOnly));
    QCOMPARE(backup.readAll(), before);
    QCOMPARE(OutlineNames().size(), 1);
    QVERIFY(DataBytes().contains("<nextbackupno>3</nextbackupno>"));
}

void TstCli::links_stayLinks()
{
    const QString link = folder_->filePath(u"link.kav"_qs);
    QVERIFY(QFile::link(DataFile(), link));
    QCOMPARE(Cli({u"--file"_qs, link, u"add"_qs, u"--name"_qs, u"Through the link"_qs}).status, 0);
    QVERIFY(QFileInfo(link).isSymLink());
    QVERIFY(DataBytes().contains("<name>Through the link</name>"));

    // new on a link to nothing yet writes the file it leads to.
    const QString dangling = folder_->filePath(u"dangling.kav"_qs);
    const QString later = folder_->filePath(u"later.kav"_qs);
    QVERIFY(QFile::link(later, dangling));
    QCOMPARE(Cli({u"--file"_qs, dangling, u"new"_qs}).status, 0);
    QVERIFY(QFileInfo(dangling).isSymLink());
    QCOMPARE(Cli({u"--file"_qs, later, u"stats"_qs}).status, 0);
}

void TstCli::notARegularFile_isRefused_data()
{
    QTest::addColumn<QStringList>("arguments"); // "FIFO" stands for the FIFO's path
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("error");
    const QString fifo = u"FIFO"_qs;
    QTest::newRow("a data file to read")
        << QStringList{u"--file"_qs, fifo, u"stats"_qs} << 2 << u"Error during loading file | "_qs;
    QTest::newRow("a data file to change")
        << QStringList{u"--file"_qs, fifo, u"add"_qs} << 2 << u"Error during loading file | "_qs;
    QTest::newRow("a data file to replace")
        << QStringList{u"--file"_qs, fifo, u"--yes"_qs, u"new"_qs} << 3
        << u"Error creating backup file | "_qs;
    QTest::newRow("the ini file") << QStringList{u"--config"_qs, fifo, u"stats"_qs} << 1
                                  << QString();
}

void TstCli::notARegularFile_isRefused()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);
    const QString fifo = folder_->filePath(u"fifo"_qs);
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    arguments.replaceInStrings(QRegularExpression(u"^FIFO$"_qs), fifo);

    // Refused at once, instead of waiting for a writer that never comes.
    const TRun run = Cli(arguments);
    QTEST(run.status, "status");
    QVERIFY2(run.err.startsWith(error + fifo + u" is not a regular file"_qs), qPrintable(run.err));
    struct stat status {};
    QVERIFY(::stat(QFile::encodeName(fifo).constData(), &status) == 0 && S_ISFIFO(status.st_mode));
}

QTEST_GUILESS_MAIN(TstCli)
#include "tst_cli.moc"
