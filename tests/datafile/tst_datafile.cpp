#include "DataFileFixture.h"

#include "app/AppStatus.h"
#include "app/Config.h"
#include "datafile/DataFile.h"
#include "datafile/SideFiles.h"
#include "datafile/WriterLock.h"
#include "languages/LanguagesEngine.h"
#include "platform/Error.h"
#include "support/TestCore.h"
#include "views/Outline.h"
#include "views/ToDo.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

// The open data file's life: which file, load, new, save, save as, the question before changes
// are dropped, the dialogs, backups, auto-save, and what happens when the disk says no.
class TstDataFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void chooseStartupFile_data();
    void chooseStartupFile();
    void load_noFile_givesUntitledBlank_data();
    void load_noFile_givesUntitledBlank();
    void load_readsFileAndRestoresExpandedRows();
    void load_failure_leavesFileAndStartsUntitledBlank_data();
    void load_failure_leavesFileAndStartsUntitledBlank();
    void load_unreadDates_saysHowMany_data();
    void load_unreadDates_saysHowMany();
    void newBlank_oneSelectedItemKeepsBackupNo();
    void save_writesFileAndClearsModified();
    void save_untitled_asksForAName();
    void setModified_adjustsTheWindow();

    void backup_cycle_data();
    void backup_cycle();
    void backup_failureIsReportedAndLoadStands();
    void autoSave_data();
    void autoSave();
    void askSaveChanges_data();
    void askSaveChanges();
    void fileDialogs_request();
    void fileDialogs_confirmCancelFail_data();
    void fileDialogs_confirmCancelFail();
    void open_nameThatDoesNotExist_givesUntitledBlank();

    void save_refusedByTheDisk_data();
    void save_refusedByTheDisk();
    void save_keepsPermissionsAndLinks();
    void reentry_tickAndCommandsDuringLoad_areRefused();
    void reentry_tickAndCommandsDuringSave_areRefused();

    void changedOnDisk_saveAsks_data();
    void changedOnDisk_saveAsks();
    void changedOnDisk_autoSaveSkipsAndTheNextSaveAsks();
    void changedOnDisk_byIdentityNotTime_data();
    void changedOnDisk_byIdentityNotTime();
    void checkFileOnDisk_data();
    void checkFileOnDisk();
    void checkFileOnDisk_keepsTheToDoContextAndFillsTheLists();
    void save_anotherWriterHoldsTheLock_nothingWritten();
    void autoSave_anotherWriterAtWork_skips();
    void save_removesLeftoversOfDeadWriters();
    void longName_savesWithBackup_data();
    void longName_savesWithBackup();
    void notARegularFile_isRefused_data();
    void notARegularFile_isRefused();
};

namespace {

// Counts what the core asks of the window.
class TRecordingWindow final : public IMainWindowPort {
public:
    void AdjustControls() override { ++adjustments; }
    void SelectItem(TTask*) override {}
    void ShowHint(const QString&) override {}
    void ApplyStyle() override {}
    void ShowSettings() override {}
    void ShowOutlinePage() override {}
    void LoadEditorControls() override {}

    int adjustments = 0;
};

// One registry in English with a data-file folder of its own.
class TFixture {
public:
    TFixture() : folder_(test_.folder().filePath(u"data"_qs))
    {
        QDir().mkpath(folder_);
        Core().LanguagesEngine()->SetLanguage(TLanguage::English);
        Core().SetMainWindow(&window_);
    }
    ~TFixture() { Core().SetMainWindow(nullptr); }

    TTestCore& test() { return test_; }
    TScriptedPrompts& prompts() { return test_.prompts(); }
    TDataFile& dataFile() { return *Core().DataFile(); }
    TRecordingWindow& window() { return window_; }
    QString Folder() const { return folder_ + u'/'; }
    QString PathOf(const QString& name) const { return Folder() + name; }
    QString DataPath() const { return PathOf(u"tasks.kav"_qs); }

    // Writes the file and makes it the data file, without loading it.
    void PlaceFile(const QByteArray& content, const QString& name = u"tasks.kav"_qs)
    {
        QVERIFY(WriteFileContent(PathOf(name), content));
        dataFile().SetFolder(Folder());
        dataFile().SetFileName(name);
    }
    // A data file of a few items, saved and loaded again.
    void LoadSample()
    {
        PlaceFile(Xml::Document(
            Xml::Task(Xml::Id(1), {{u"name"_qs, u"Home"_qs}}) +
            Xml::Task(Xml::Id(2), {{u"name"_qs, u"Fence"_qs}, {u"parentid"_qs, Xml::Id(1)}})));
        dataFile().Load();
    }
    bool Logged(const QString& message) const { return test_.logMessages().contains(message); }
    // Marks the log, so that a test can look at what came after (newest first).
    void MarkLog() { mark_ = int(test_.logLines().size()); }
    QStringList LogSinceMark() const
    {
        const QStringList messages = test_.logMessages();
        return messages.mid(0, messages.size() - mark_);
    }
    QStringList FilesInFolder() const
    {
        return QDir(folder_).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }

private:
    TTestCore test_;
    QString folder_;
    TRecordingWindow window_;
    int mark_ = 0;
};

QString NextBackupNoIn(const QByteArray& document)
{
    const qsizetype from = document.indexOf("<nextbackupno>") + 14;
    return QString::fromUtf8(document.mid(from, document.indexOf("</nextbackupno>") - from));
}

// Permissions do not bind the superuser: for as long as this lives, root acts as nobody.
class TAsOrdinaryUser {
public:
    TAsOrdinaryUser() : wasRoot_(::geteuid() == 0)
    {
        if (wasRoot_)
            QVERIFY(::seteuid(65534) == 0);
    }
    ~TAsOrdinaryUser()
    {
        if (wasRoot_)
            QVERIFY(::seteuid(0) == 0);
    }

private:
    bool wasRoot_;
};

// A file-size limit makes every write past it fail as a full disk would.
class TDiskLimit {
public:
    explicit TDiskLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TDiskLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

// Runs an action whenever the status shows the text, for as long as it lives.
class TStatusHook {
public:
    TStatusHook(const QString& text, std::function<void()> action)
        : listener_(new TAppStatusListener)
    {
        listener_->SetHandler(
            [text, action](void*, const TAppStatus& status) {
                if (status.Text() == text)
                    action();
            },
            nullptr);
        Core().StatusProvider()->AddListener(listener_);
    }
    ~TStatusHook() { Core().StatusProvider()->RemoveListener(listener_); }
    TStatusHook(const TStatusHook&) = delete;
    TStatusHook& operator=(const TStatusHook&) = delete;

private:
    TAppStatusListener* listener_;
};

// What another program leaves in the data file: a save of its own, through a new file.
const QByteArray theirs = Xml::Document(Xml::Task(Xml::Id(1), {{u"name"_qs, u"Theirs"_qs}}) +
                                        Xml::Task(Xml::Id(9), {{u"name"_qs, u"Added by them"_qs}}));

void ReplaceFile(const QString& path, const QByteArray& content)
{
    const QString next = path + u".next"_qs;
    QVERIFY(WriteFileContent(next, content));
    QVERIFY(::rename(QFile::encodeName(next).constData(), QFile::encodeName(path).constData()) ==
            0);
}

// Sets the file's modification time, as a clock that jumps would.
void SetFileTime(const QString& path, timespec when)
{
    const timespec times[2] = {when, when};
    QVERIFY(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0);
}

timespec ModifiedOf(const QString& path)
{
    struct stat status {};
    ::stat(QFile::encodeName(path).constData(), &status);
    return status.st_mtim;
}

// The sample loaded, its first item renamed "Mine" and not saved yet.
void LoadSampleAndChangeIt(TFixture& fixture)
{
    fixture.LoadSample();
    Core().Tasks()->FirstInOutline()->SetName(u"Mine"_qs);
    fixture.dataFile().SetModified(true);
}

} // namespace

void TstDataFile::chooseStartupFile_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("log");

    const QString configured = u"/home/jana/work.kav"_qs;
    QTest::newRow("one parameter") << QStringList{u"/tmp/x/tasks.kav"_qs} << u"/tmp/x/tasks.kav"_qs
                                   << QStringList{u"Launched with param /tmp/x/tasks.kav"_qs};
    QTest::newRow("a relative parameter becomes absolute")
        << QStringList{u"tasks.kav"_qs} << QDir::current().absoluteFilePath(u"tasks.kav"_qs)
        << QStringList{u"Launched with param tasks.kav"_qs};
    QTest::newRow("none: the configured file")
        << QStringList() << configured
        << QStringList{u"Data file set to "_qs + configured,
                       u"Launched without param - data file will open by ini"_qs};
    QTest::newRow("two: the configured file")
        << QStringList{u"a.kav"_qs, u"b.kav"_qs} << configured
        << QStringList{u"Data file set to "_qs + configured,
                       u"Launched without param - data file will open by ini"_qs};
}

void TstDataFile::chooseStartupFile()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, path);
    QFETCH(QStringList, log);
    TFixture fixture;
    Core().Config()->SetFileName(u"/home/jana/work.kav"_qs);
    fixture.dataFile().ChooseStartupFile(arguments);
    QCOMPARE(fixture.dataFile().Path(), path);
    QCOMPARE(fixture.dataFile().Folder(), path.left(path.lastIndexOf(u'/') + 1));
    QCOMPARE(fixture.LogSinceMark().mid(0, log.size()), log);
    QCOMPARE(Core().Config()->FileName(), u"/home/jana/work.kav"_qs);
}

void TstDataFile::load_noFile_givesUntitledBlank_data()
{
    QTest::addColumn<QString>("configured");
    QTest::newRow("nothing configured") << QString();
    QTest::newRow("a configured file that is gone") << u"/nonexistent/folder/gone.kav"_qs;
    QTest::newRow("a name of blanks") << u"/tmp/   "_qs;
}

void TstDataFile::load_noFile_givesUntitledBlank()
{
    QFETCH(QString, configured);
    TFixture fixture;
    Core().Config()->SetFileName(configured);
    fixture.dataFile().SetModified(true);
    fixture.dataFile().ChooseStartupFile({});
    QVERIFY(fixture.dataFile().Load());
    QVERIFY(fixture.dataFile().IsUntitled());
    QCOMPARE(fixture.dataFile().GetDisplayName(), u"Untitled"_qs);
    QVERIFY(!fixture.dataFile().IsModified());
    QCOMPARE(Core().Tasks()->Count(), 1);
    QVERIFY(fixture.prompts().Errors().isEmpty());
}

void TstDataFile::load_readsFileAndRestoresExpandedRows()
{
    TFixture fixture;
    fixture.dataFile().SetModified(true);
    fixture.PlaceFile(Xml::Document(
        Xml::Task(Xml::Id(1), {{u"name"_qs, u"Home"_qs}, {u"expanded"_qs, u"true"_qs}}) +
        Xml::Task(Xml::Id(2), {{u"name"_qs, u"Fence"_qs}, {u"parentid"_qs, Xml::Id(1)}}) +
        Xml::Task(Xml::Id(3), {{u"name"_qs, u"Paint"_qs}, {u"parentid"_qs, Xml::Id(2)}})));
    QVERIFY(fixture.dataFile().Load());

    QCOMPARE(fixture.prompts().Errors(), QStringList());
    QCOMPARE(IndentedNames(), (QStringList{u"Home"_qs, u" Fence"_qs, u"  Paint"_qs}));
    QVERIFY(!fixture.dataFile().IsModified());
    QCOMPARE(fixture.dataFile().GetDisplayName(), u"tasks.kav"_qs);
    QVERIFY(fixture.Logged(u"Status update: Reading file tasks.kav"_qs));
    // Adding Paint opened Fence; the stored state closes it again.
    const TTask* home = Core().Tasks()->FirstInOutline();
    const TTask* fence = Core().Tasks()->Children(home).first();
    QVERIFY(home->OutlineNode()->IsExpanded());
    QVERIFY(!fence->OutlineNode()->IsExpanded());
    QVERIFY(!Core().Outline()->IsUpdating());
}

void TstDataFile::load_failure_leavesFileAndStartsUntitledBlank_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("detail");

    const QByteArray valid = Xml::Document(Xml::Task(Xml::Id(1)) + Xml::Task(Xml::Id(2)));
    QTest::newRow("truncated") << valid.left(valid.size() - 40) << u"line 1, column"_qs;
    QTest::newRow("not XML") << QByteArray("just some words") << u"No document element"_qs;
    QTest::newRow("a bad id after good items")
        << Xml::Document(Xml::Task(Xml::Id(1)) + Xml::Task(u"{bad}"_qs))
        << u"'{bad}' is not a valid GUID value"_qs;
    QTest::newRow("an importance that is no number")
        << Xml::Document(Xml::Task(Xml::Id(1), {{u"importance"_qs, u"high"_qs}}))
        << u"'high' is not a valid integer value"_qs;
    QTest::newRow("no subcontexts") << QByteArray("<document><tasks/><contexts/></document>")
                                    << u"The element \"subcontexts\" is missing"_qs;
}

void TstDataFile::load_failure_leavesFileAndStartsUntitledBlank()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, detail);
    TFixture fixture;
    fixture.PlaceFile(content);
    QVERIFY(!fixture.dataFile().Load());

    QCOMPARE(fixture.prompts().Errors().size(), 1);
    const QString error = fixture.prompts().Errors().first();
    QVERIFY2(error.startsWith(u"Error during loading file | ") && error.contains(detail),
             qPrintable(error));
    // Nothing half read can reach the file: the data file is a new untitled one.
    QVERIFY(fixture.dataFile().IsUntitled());
    QVERIFY(!fixture.dataFile().IsModified());
    QCOMPARE(Core().Tasks()->Count(), 1);
    QCOMPARE(Core().Contexts()->Count(), 1);
    QCOMPARE(FileContent(fixture.DataPath()), content);
    QCOMPARE(fixture.FilesInFolder(), QStringList{u"tasks.kav"_qs});
    QVERIFY(!Core().Outline()->IsUpdating());
    QCOMPARE(Core().StatusProvider()->Status().Text(), QString());
}

void TstDataFile::load_unreadDates_saysHowMany_data()
{
    QTest::addColumn<bool>("czech");
    QTest::addColumn<QString>("created"); // of the second item; the first is a good Czech date
    QTest::addColumn<QString>("message");

    QTest::newRow("every date read") << false << u"2.3.2026 8:00:00"_qs << QString();
    QTest::newRow("a missing date is no damage") << false << QString() << QString();
    QTest::newRow("one damaged")
        << false << u"2.33.2026 8:00:00"_qs
        << u"Dates in the file %1 that could not be read were replaced by today's date: 1"_qs;
    QTest::newRow("one damaged, in Czech")
        << true << u"yesterday"_qs
        << u"Data v souboru %1, která nešlo přečíst, byla nahrazena dnešním datem: 1"_qs;
}

// Before the user can save over them, the user hears of the dates that became today.
void TstDataFile::load_unreadDates_saysHowMany()
{
    QFETCH(bool, czech);
    QFETCH(QString, created);
    QFETCH(QString, message);
    TFixture fixture;
    Core().LanguagesEngine()->SetLanguage(czech ? TLanguage::Czech : TLanguage::English);
    const QByteArray content = Xml::Document(
        Xml::Task(Xml::Id(1), {{u"nextdate"_qs, u"15.3.2026"_qs}}) +
        Xml::Task(Xml::Id(2), {{u"nextdate"_qs, u"16.3.2026"_qs}, {u"created"_qs, created}}));
    fixture.PlaceFile(content);
    QVERIFY(fixture.dataFile().Load());

    const QStringList expected =
        message.isEmpty() ? QStringList() : QStringList{message.arg(fixture.DataPath())};
    QCOMPARE(fixture.prompts().Messages(), expected);
    QCOMPARE(fixture.prompts().Errors(), QStringList());
    QVERIFY(!fixture.dataFile().IsModified());
    QCOMPARE(FileContent(fixture.DataPath()), content);
}

void TstDataFile::newBlank_oneSelectedItemKeepsBackupNo()
{
    TFixture fixture;
    fixture.PlaceFile(Xml::Document(Xml::Task(Xml::Id(1)) + Xml::Task(Xml::Id(2)),
                                    Xml::Context(Xml::Id(5), u"Desk"_qs, u"Place"_qs),
                                    Xml::SubContext(TContexts::AnywhereId(), Xml::Id(5)),
                                    Xml::Header(u"4"_qs)));
    fixture.dataFile().Load();
    fixture.dataFile().SetModified(true);
    fixture.MarkLog();

    fixture.dataFile().NewBlank();
    QVERIFY(fixture.dataFile().IsUntitled());
    QVERIFY(fixture.dataFile().Folder().isEmpty());
    QVERIFY(!fixture.dataFile().IsModified());
    QCOMPARE(Core().Tasks()->Count(), 1);
    QCOMPARE(ContextsSnapshot(),
             QStringList{u"Anywhere (Anywhere, " + TContexts::AnywhereId() + u')'});
    TTask* item = Core().Tasks()->FirstInOutline();
    QCOMPARE(Core().CurrentItem(), item);
    QCOMPARE(Core().Outline()->Tree().SelectedNode(), item->OutlineNode());
    QCOMPARE(item->Name(), u"New area"_qs);
    QCOMPARE(Core().Config()->NextBackupNo(), 5);
    QCOMPARE(fixture.LogSinceMark().last(), u"Creating new blank data file"_qs);
    QCOMPARE(fixture.LogSinceMark().first(), u"New blank data file sucesfully created "_qs);
}

void TstDataFile::save_writesFileAndClearsModified()
{
    TFixture fixture;
    fixture.LoadSample();
    Core().Tasks()->FirstInOutline()->SetName(u"Garden"_qs);
    fixture.dataFile().SetModified(true);
    fixture.MarkLog();
    const int adjustments = fixture.window().adjustments;

    QVERIFY(fixture.dataFile().Save());
    QCOMPARE(fixture.prompts().Errors(), QStringList());
    QVERIFY(!fixture.dataFile().IsModified());
    QVERIFY(fixture.window().adjustments > adjustments);
    QCOMPARE(fixture.LogSinceMark(), (QStringList{
                                         u"Status update: "_qs,
                                         u"Status update: Saving file ..."_qs,
                                         u"TDataFile.Save start"_qs,
                                     }));
    const QByteArray saved = FileContent(fixture.DataPath());
    QVERIFY(saved.contains("<name>Garden</name>"));
    QCOMPARE(NextBackupNoIn(saved), u"4"_qs); // the file said 3; the opening made backup 4
    QCOMPARE(fixture.FilesInFolder(),
             (QStringList{u"tasks.kav"_qs, u"tasks.kav - backup 4.ka~"_qs}));
}

void TstDataFile::save_untitled_asksForAName()
{
    TFixture fixture;
    fixture.dataFile().NewBlank();
    fixture.dataFile().SetModified(true);
    fixture.prompts().QueueFileName(QString());
    QVERIFY(!fixture.dataFile().Save());
    QCOMPARE(fixture.prompts().FileDialogs().size(), 1);
    QVERIFY(fixture.dataFile().IsModified());
    QCOMPARE(fixture.FilesInFolder(), QStringList());

    fixture.prompts().QueueFileName(fixture.DataPath());
    QVERIFY(fixture.dataFile().Save());
    QVERIFY(!fixture.dataFile().IsModified());
    QCOMPARE(fixture.FilesInFolder(), QStringList{u"tasks.kav"_qs});
}

void TstDataFile::setModified_adjustsTheWindow()
{
    TFixture fixture;
    const int adjustments = fixture.window().adjustments;
    Core().SetModified(true);
    QVERIFY(fixture.dataFile().IsModified());
    QCOMPARE(fixture.window().adjustments, adjustments + 1);
    Core().SetModified(false);
    QVERIFY(!fixture.dataFile().IsModified());
    QCOMPARE(fixture.window().adjustments, adjustments + 2);
}

void TstDataFile::backup_cycle_data()
{
    QTest::addColumn<int>("backupsCount");
    QTest::addColumn<QString>("header");
    QTest::addColumn<int>("backupNo");
    QTest::addColumn<QString>("unableLogged"); // the line about a missing counter, or none

    const QString unable = u"Unable to get NextBackupNo from data file - set to 1"_qs;
    QTest::newRow("5 of 5: back to 1") << 5 << Xml::Header(u"5"_qs) << 1 << QString();
    QTest::newRow("2 of 5: 3") << 5 << Xml::Header(u"2"_qs) << 3 << QString();
    QTest::newRow("count 0: always 1") << 0 << Xml::Header(u"4"_qs) << 1 << QString();
    QTest::newRow("no header: 2") << 5 << QString() << 2 << unable;
    QTest::newRow("no header, count 1: 1") << 1 << QString() << 1 << unable;
    QTest::newRow("a counter past the count: 1") << 3 << Xml::Header(u"9"_qs) << 1 << QString();
}

void TstDataFile::backup_cycle()
{
    QFETCH(int, backupsCount);
    QFETCH(QString, header);
    QFETCH(int, backupNo);
    QFETCH(QString, unableLogged);
    TFixture fixture;
    Core().Config()->SetBackupsCount(backupsCount);
    const QByteArray content = Xml::Document(Xml::Task(Xml::Id(1)), {}, {}, header);
    fixture.PlaceFile(content);
    // A backup of this number from an earlier opening is replaced; other slots stay.
    const QString backup =
        fixture.PathOf(u"tasks.kav - backup "_qs + QString::number(backupNo) + u".ka~"_qs);
    QVERIFY(WriteFileContent(backup, "older backup"));
    QVERIFY(WriteFileContent(fixture.PathOf(u"tasks.kav - backup 7.ka~"_qs), "other slot"));

    fixture.dataFile().Load();
    QCOMPARE(fixture.prompts().Errors(), QStringList());
    QCOMPARE(FileContent(backup), content);
    QCOMPARE(FileContent(fixture.PathOf(u"tasks.kav - backup 7.ka~"_qs)), QByteArray("other slot"));
    QVERIFY(fixture.Logged(u"Creating backup file "_qs + backup));
    QVERIFY(fixture.Logged(u"NextBackupNo changed to "_qs + QString::number(backupNo)));
    if (!unableLogged.isEmpty())
        QVERIFY(fixture.Logged(unableLogged));

    // The save stores the number and makes no backup of its own.
    fixture.dataFile().Save();
    QCOMPARE(NextBackupNoIn(FileContent(fixture.DataPath())), QString::number(backupNo));
    QCOMPARE(FileContent(backup), content);
    QCOMPARE(fixture.FilesInFolder().size(), 3);
}

void TstDataFile::backup_failureIsReportedAndLoadStands()
{
    TFixture fixture;
    // A folder where the backup should go cannot be replaced by a file.
    QVERIFY(QDir().mkpath(fixture.PathOf(u"tasks.kav - backup 4.ka~/inside"_qs)));
    fixture.PlaceFile(Xml::Document(Xml::Task(Xml::Id(1), {{u"name"_qs, u"Home"_qs}}), {}, {},
                                    Xml::Header(u"3"_qs)));
    fixture.dataFile().Load();
    QCOMPARE(fixture.prompts().Errors().size(), 1);
    QVERIFY2(fixture.prompts().Errors().first().startsWith(u"Error creating backup file | "),
             qPrintable(fixture.prompts().Errors().first()));
    QCOMPARE(IndentedNames(), QStringList{u"Home"_qs});
    QVERIFY(!fixture.dataFile().IsUntitled());
    QVERIFY(!fixture.dataFile().IsModified());
    // No stray temporary file is left beside it.
    QCOMPARE(fixture.FilesInFolder(), QStringList{u"tasks.kav"_qs});
}

void TstDataFile::autoSave_data()
{
    QTest::addColumn<bool>("autoSave");
    QTest::addColumn<bool>("titled");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("saves");
    QTest::newRow("on, titled, modified: saves") << true << true << true << true;
    QTest::newRow("on, untitled, modified: never") << true << false << true << false;
    QTest::newRow("on, titled, unmodified: never") << true << true << false << false;
    QTest::newRow("off, titled, modified: never") << false << true << true << false;
}

void TstDataFile::autoSave()
{
    QFETCH(bool, autoSave);
    QFETCH(bool, titled);
    QFETCH(bool, modified);
    TFixture fixture;
    Core().Config()->SetAutoSave(autoSave);
    if (titled)
        fixture.LoadSample();
    else
        fixture.dataFile().NewBlank();
    Core().Tasks()->FirstInOutline()->SetName(u"Changed"_qs);
    fixture.dataFile().SetModified(modified);
    fixture.MarkLog();

    fixture.dataFile().AutoSaveTick();
    QCOMPARE(fixture.LogSinceMark().last(), u"AutoSaveTimer started"_qs);
    QTEST(fixture.Logged(u"TDataFile.Save start"_qs), "saves");
    QTEST(FileContent(fixture.DataPath()).contains("<name>Changed</name>"), "saves");
}

void TstDataFile::askSaveChanges_data()
{
    QTest::addColumn<bool>("titled");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("dialogAnswer"); // empty: cancelled
    QTest::addColumn<QString>("question");     // empty: none asked
    QTest::addColumn<int>("dialogs");
    QTest::addColumn<QString>("savedAs"); // the file saved, empty for none

    QTest::newRow("unmodified: nothing asked")
        << true << false << true << QString() << QString() << 0 << QString();
    QTest::newRow("titled, No: nothing saved")
        << true << true << false << QString() << u"Save changes in file tasks.kav?"_qs << 0
        << QString();
    QTest::newRow("titled, Yes: saved")
        << true << true << true << QString() << u"Save changes in file tasks.kav?"_qs << 0
        << u"tasks.kav"_qs;
    QTest::newRow("untitled, Yes: the save dialog, cancelled")
        << false << true << true << QString() << u"Save changes in file ?"_qs << 1 << QString();
    QTest::newRow("untitled, Yes: the save dialog, a name")
        << false << true << true << u"new.kav"_qs << u"Save changes in file ?"_qs << 1
        << u"new.kav"_qs;
}

void TstDataFile::askSaveChanges()
{
    QFETCH(bool, titled);
    QFETCH(bool, modified);
    QFETCH(bool, answer);
    QFETCH(QString, dialogAnswer);
    QFETCH(QString, question);
    QFETCH(QString, savedAs);
    TFixture fixture;
    if (titled)
        fixture.LoadSample();
    else
        fixture.dataFile().NewBlank();
    Core().Tasks()->FirstInOutline()->SetName(u"Changed"_qs);
    fixture.dataFile().SetModified(modified);
    fixture.prompts().QueueAnswer(answer);
    fixture.prompts().QueueFileName(dialogAnswer.isEmpty() ? QString()
                                                           : fixture.PathOf(dialogAnswer));

    fixture.dataFile().AskSaveChanges();
    const QList<TScriptedPrompts::Question>& questions = fixture.prompts().Questions();
    QCOMPARE(questions.size(), question.isEmpty() ? 0 : 1);
    if (!question.isEmpty()) {
        QCOMPARE(questions.first().caption, u"Confirmation"_qs);
        QCOMPARE(questions.first().text, question);
    }
    QTEST(int(fixture.prompts().FileDialogs().size()), "dialogs");
    QCOMPARE(fixture.dataFile().IsModified(), modified && savedAs.isEmpty());
    if (!savedAs.isEmpty()) {
        QVERIFY(FileContent(fixture.PathOf(savedAs)).contains("<name>Changed</name>"));
        QCOMPARE(fixture.dataFile().FileName(), savedAs);
    } else if (titled) {
        QVERIFY(!FileContent(fixture.DataPath()).contains("<name>Changed</name>"));
    }
    QCOMPARE(fixture.prompts().Errors(), QStringList());
}

void TstDataFile::fileDialogs_request()
{
    TFixture fixture;
    fixture.dataFile().ChooseFileToOpen();
    fixture.LoadSample();
    fixture.dataFile().ChooseFileToSave();
    Core().LanguagesEngine()->SetLanguage(TLanguage::Czech);
    fixture.dataFile().NewBlank();
    fixture.dataFile().ChooseFileToSave();

    const QList<TFileDialogRequest>& dialogs = fixture.prompts().FileDialogs();
    QCOMPARE(dialogs.size(), 3);
    QCOMPARE(dialogs[0].filterDescription, u"Tavolin data file"_qs);
    QCOMPARE(dialogs[0].pattern, u"*.kav"_qs);
    QCOMPARE(dialogs[0].defaultExtension, u".kav"_qs);
    QCOMPARE(dialogs[0].proposedName, u"Untitled"_qs);
    QCOMPARE(dialogs[1].proposedName, fixture.DataPath());
    QCOMPARE(dialogs[2].filterDescription, u"Tavolin datový soubor"_qs);
    QCOMPARE(dialogs[2].proposedName, u"Nepojmenovaný"_qs);
}

void TstDataFile::fileDialogs_confirmCancelFail_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<int>("outcome"); // 0 confirmed, 1 cancelled, 2 the dialog fails
    QTest::addColumn<QString>("error");
    QTest::newRow("open, confirmed") << false << 0 << QString();
    QTest::newRow("open, cancelled") << false << 1 << QString();
    QTest::newRow("open, failing") << false << 2 << u"Error during opening file | "_qs;
    QTest::newRow("save, confirmed") << true << 0 << QString();
    QTest::newRow("save, cancelled") << true << 1 << QString();
    QTest::newRow("save, failing") << true << 2 << u"Error during saving file | "_qs;
}

void TstDataFile::fileDialogs_confirmCancelFail()
{
    // Answers like the scripted prompts, but its dialogs can break.
    class TBreakingPrompts final : public IUserPrompts {
    public:
        TBreakingPrompts(TScriptedPrompts& script, bool breaks) : script_(script), breaks_(breaks)
        {}
        void ShowError(const QString& text) override { script_.ShowError(text); }
        void ShowMessage(const QString& text) override { script_.ShowMessage(text); }
        bool AskYesNo(const QString& caption, const QString& text) override
        {
            return script_.AskYesNo(caption, text);
        }
        TChangedFileAnswer AskChangedFile(const TChangedFileQuestion& question) override
        {
            return script_.AskChangedFile(question);
        }
        std::optional<QString> ChooseFileToOpen(const TFileDialogRequest& request) override
        {
            return Answer(request, &TScriptedPrompts::ChooseFileToOpen);
        }
        std::optional<QString> ChooseFileToSave(const TFileDialogRequest& request) override
        {
            return Answer(request, &TScriptedPrompts::ChooseFileToSave);
        }

    private:
        std::optional<QString>
        Answer(const TFileDialogRequest& request,
               std::optional<QString> (TScriptedPrompts::*dialog)(const TFileDialogRequest&))
        {
            if (breaks_)
                throw TError(u"no display"_qs);
            return (script_.*dialog)(request);
        }
        TScriptedPrompts& script_;
        bool breaks_;
    };

    QFETCH(bool, save);
    QFETCH(int, outcome);
    QFETCH(QString, error);
    TFixture fixture;
    fixture.LoadSample();
    TBreakingPrompts prompts(fixture.prompts(), outcome == 2);
    Core().SetPrompts(&prompts);
    const QString chosen = fixture.PathOf(u"chosen.kav"_qs);
    fixture.prompts().QueueFileName(outcome == 0 ? chosen : QString());

    const bool confirmed =
        save ? fixture.dataFile().ChooseFileToSave() : fixture.dataFile().ChooseFileToOpen();
    Core().SetPrompts(&fixture.prompts());
    QCOMPARE(confirmed, outcome == 0);
    QCOMPARE(fixture.dataFile().Path(), outcome == 0 ? chosen : fixture.DataPath());
    QCOMPARE(Core().Config()->FileName(), outcome == 0 ? chosen : QString());
    QCOMPARE(fixture.prompts().Errors(), error.isEmpty() ? QStringList() : QStringList{error});
    // The configured file name is in the ini file at once.
    QCOMPARE(TConfig(fixture.test().iniPath()).FileName(), outcome == 0 ? chosen : QString());
}

void TstDataFile::open_nameThatDoesNotExist_givesUntitledBlank()
{
    TFixture fixture;
    fixture.LoadSample();
    const QString typed = fixture.PathOf(u"typed.kav"_qs);
    fixture.prompts().QueueFileName(typed);
    QVERIFY(fixture.dataFile().ChooseFileToOpen());
    fixture.dataFile().Load();
    QVERIFY(fixture.dataFile().IsUntitled());
    QCOMPARE(Core().Tasks()->Count(), 1);
    QCOMPARE(Core().Config()->FileName(), typed);
    QVERIFY(!QFileInfo::exists(typed));
}

void TstDataFile::save_refusedByTheDisk_data()
{
    QTest::addColumn<int>("refusal"); // 0 folder removed, 1 read-only folder, 2 read-only
                                      // file, 3 the disk is full
    QTest::addColumn<QString>("reason");
    QTest::newRow("the folder was removed") << 0 << u"No such file or directory"_qs;
    QTest::newRow("a read-only folder") << 1 << u"Permission denied"_qs;
    QTest::newRow("a write-protected file") << 2 << u"Permission denied"_qs;
    QTest::newRow("a full disk") << 3 << u"File too large"_qs;
}

void TstDataFile::save_refusedByTheDisk()
{
    QFETCH(int, refusal);
    QFETCH(QString, reason);
    TFixture fixture;
    Core().Config()->SetAutoBackup(false);
    fixture.LoadSample();
    const QByteArray before = FileContent(fixture.DataPath());
    // Big enough to need many writes.
    for (int n = 0; n < 2000; ++n)
        Core().Tasks()->Add(nullptr)->SetNote(QString(200, u'x'));
    fixture.dataFile().SetModified(true);

    bool saved = true;
    switch (refusal) {
    case 0:
        QVERIFY(QDir(fixture.Folder()).removeRecursively());
        saved = fixture.dataFile().Save();
        break;
    case 1: {
        QFile::setPermissions(fixture.test().folder().path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                  QFile::ReadOther | QFile::ExeOther);
        QFile::setPermissions(fixture.Folder(), QFile::ReadOwner | QFile::ExeOwner |
                                                    QFile::ReadOther | QFile::ExeOther);
        QFile::setPermissions(fixture.DataPath(), QFile::ReadOwner | QFile::WriteOwner |
                                                      QFile::ReadOther | QFile::WriteOther);
        {
            const TAsOrdinaryUser ordinary;
            saved = fixture.dataFile().Save();
        }
        QFile::setPermissions(fixture.Folder(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        break;
    }
    case 2: {
        QFile::setPermissions(fixture.test().folder().path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                  QFile::ReadOther | QFile::ExeOther);
        QFile::setPermissions(fixture.Folder(), QFile::ReadOwner | QFile::WriteOwner |
                                                    QFile::ExeOwner | QFile::ReadOther |
                                                    QFile::WriteOther | QFile::ExeOther);
        QFile::setPermissions(fixture.DataPath(), QFile::ReadOwner | QFile::ReadOther);
        const TAsOrdinaryUser ordinary;
        saved = fixture.dataFile().Save();
        break;
    }
    case 3: {
        const TDiskLimit limit(16 * 1024);
        saved = fixture.dataFile().Save();
        break;
    }
    }
    QVERIFY(!saved);
    QCOMPARE(fixture.prompts().Errors(), QStringList{u"Error during saving file | "_qs + reason});
    QVERIFY(fixture.dataFile().IsModified());
    QCOMPARE(FileContent(fixture.DataPath()), refusal == 0 ? QByteArray() : before);
    // No temporary file is left behind.
    QCOMPARE(fixture.FilesInFolder(), refusal == 0 ? QStringList() : QStringList{u"tasks.kav"_qs});
    QCOMPARE(Core().StatusProvider()->Status().Text(), QString());
}

void TstDataFile::save_keepsPermissionsAndLinks()
{
    TFixture fixture;
    fixture.LoadSample();
    QVERIFY(QFile::setPermissions(fixture.DataPath(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    // The user's bits, the group's and everyone else's.
    const auto permissions = [&fixture] {
        return QFileInfo(fixture.DataPath()).permissions() & 0x0FFF;
    };
    const QFile::Permissions expected = QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup;
    fixture.dataFile().Save();
    QCOMPARE(permissions(), expected);

    // Saving through a link writes the file it points to and keeps the link.
    QVERIFY(QFile::link(fixture.DataPath(), fixture.PathOf(u"link.kav"_qs)));
    fixture.dataFile().SetFileName(u"link.kav"_qs);
    Core().Tasks()->FirstInOutline()->SetName(u"Through the link"_qs);
    fixture.dataFile().Save();
    QVERIFY(QFileInfo(fixture.PathOf(u"link.kav"_qs)).isSymLink());
    QVERIFY(FileContent(fixture.DataPath()).contains("Through the link"));
    QCOMPARE(permissions(), expected);
    // What was written through the link is what the next save finds there.
    fixture.dataFile().SetModified(true);
    QVERIFY(fixture.dataFile().Save());
    QVERIFY(fixture.prompts().ChangedFileQuestions().isEmpty());

    // A link to a file that does not exist yet stays a link too; the file appears behind it.
    QVERIFY(QFile::link(fixture.PathOf(u"later.kav"_qs), fixture.PathOf(u"dangling.kav"_qs)));
    fixture.dataFile().SetFileName(u"dangling.kav"_qs);
    QVERIFY(fixture.dataFile().Save());
    QVERIFY(QFileInfo(fixture.PathOf(u"dangling.kav"_qs)).isSymLink());
    QVERIFY(FileContent(fixture.PathOf(u"later.kav"_qs)).contains("Through the link"));
    QCOMPARE(fixture.prompts().Errors(), QStringList());
}

void TstDataFile::reentry_tickAndCommandsDuringLoad_areRefused()
{
    TFixture fixture;
    Core().Config()->SetAutoSave(true);
    const QByteArray content = Xml::Document(Xml::Task(Xml::Id(1), {{u"name"_qs, u"Home"_qs}}) +
                                             Xml::Task(Xml::Id(2), {{u"name"_qs, u"Gate"_qs}}));
    fixture.PlaceFile(content);
    fixture.dataFile().SetModified(true);
    int arrivals = 0;
    const TStatusHook hook(u"Reading items"_qs, [&fixture, &arrivals] {
        ++arrivals;
        fixture.dataFile().AutoSaveTick();
        QVERIFY(!fixture.dataFile().Save());
        QVERIFY(!fixture.dataFile().Load());
        fixture.dataFile().NewBlank();
    });
    fixture.dataFile().Load();

    QCOMPARE(arrivals, 1);
    QCOMPARE(IndentedNames(), (QStringList{u"Home"_qs, u"Gate"_qs}));
    QVERIFY(!fixture.dataFile().IsUntitled());
    QCOMPARE(FileContent(fixture.DataPath()), content);
    QVERIFY(!fixture.Logged(u"TDataFile.Save start"_qs));
    QVERIFY(!fixture.Logged(u"Creating new blank data file"_qs));
    QVERIFY(fixture.Logged(u"AutoSaveTimer started"_qs));
    for (const char16_t* operation : {u"Save", u"Load", u"NewBlank"}) {
        QVERIFY(fixture.Logged(u"TDataFile." + QString::fromUtf16(operation) +
                               u" refused: the data file is being read or saved"));
    }
}

void TstDataFile::reentry_tickAndCommandsDuringSave_areRefused()
{
    TFixture fixture;
    Core().Config()->SetAutoSave(true);
    fixture.LoadSample();
    fixture.dataFile().SetModified(true);
    const TStatusHook hook(u"Saving file ..."_qs, [&fixture] {
        fixture.dataFile().AutoSaveTick();
        QVERIFY(!fixture.dataFile().Save());
        fixture.dataFile().NewBlank();
    });
    fixture.MarkLog();
    fixture.dataFile().Save();

    QCOMPARE(fixture.LogSinceMark().count(u"TDataFile.Save start"_qs), 1);
    QVERIFY(!fixture.dataFile().IsModified());
    QVERIFY(!fixture.dataFile().IsUntitled());
    QCOMPARE(Core().Tasks()->Count(), 2);
}

void TstDataFile::changedOnDisk_saveAsks_data()
{
    QTest::addColumn<TChangedFileAnswer>("answer");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<bool>("mineOnDisk");   // else theirs stays
    QTest::addColumn<QStringList>("names"); // in memory afterwards
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QStringList>("messages");

    const QStringList mine = {u"Mine"_qs, u" Fence"_qs};
    QTest::newRow("overwrite with my version") << TChangedFileAnswer::Overwrite << true << true
                                               << mine << false << u"tasks.kav"_qs << QStringList();
    QTest::newRow("reload, dropping my changes")
        << TChangedFileAnswer::Reload << false << false
        << QStringList{u"Theirs"_qs, u"Added by them"_qs} << false << u"tasks.kav"_qs
        << QStringList{u"Your unsaved changes are dropped and the file is read again."_qs};
    QTest::newRow("save as another file") << TChangedFileAnswer::SaveAs << true << false << mine
                                          << false << u"mine.kav"_qs << QStringList();
    QTest::newRow("dismissed") << TChangedFileAnswer::Cancel << false << false << mine << true
                               << u"tasks.kav"_qs << QStringList();
}

void TstDataFile::changedOnDisk_saveAsks()
{
    QFETCH(TChangedFileAnswer, answer);
    QFETCH(bool, mineOnDisk);
    QFETCH(QString, fileName);
    TFixture fixture;
    LoadSampleAndChangeIt(fixture);
    ReplaceFile(fixture.DataPath(), theirs);
    const QStringList filesBefore = fixture.FilesInFolder();
    fixture.prompts().QueueChangedFileAnswer(answer);
    fixture.prompts().QueueFileName(fixture.PathOf(u"mine.kav"_qs));

    QTEST(fixture.dataFile().Save(), "saved");
    const QList<TChangedFileQuestion>& questions = fixture.prompts().ChangedFileQuestions();
    QCOMPARE(questions.size(), 1);
    QCOMPARE(questions[0].caption, u"Confirmation"_qs);
    QCOMPARE(questions[0].text,
             u"The file tasks.kav was changed by another program since it was opened or saved. "
             "Overwrite it with your version, read it again and drop your unsaved changes, or "
             "save your version as another file?"_qs);
    QCOMPARE(questions[0].overwrite, u"Overwrite"_qs);
    QCOMPARE(questions[0].reload, u"Reload"_qs);
    QCOMPARE(questions[0].saveAs, u"Save As..."_qs);

    const QByteArray onDisk = FileContent(fixture.DataPath());
    QCOMPARE(onDisk.contains("<name>Mine</name>"), mineOnDisk);
    if (!mineOnDisk)
        QCOMPARE(onDisk, theirs);
    QTEST(IndentedNames(), "names");
    QTEST(fixture.dataFile().IsModified(), "modified");
    QCOMPARE(fixture.dataFile().FileName(), fileName);
    if (fileName != u"tasks.kav")
        QVERIFY(FileContent(fixture.PathOf(fileName)).contains("<name>Mine</name>"));
    QTEST(fixture.prompts().Messages(), "messages");
    QCOMPARE(fixture.prompts().Errors(), QStringList());
    // Reading the file again makes no backup: the one from its opening is there.
    if (answer == TChangedFileAnswer::Reload)
        QCOMPARE(fixture.FilesInFolder(), filesBefore);

    // Whatever was decided is now what this program knows of the file: no second question.
    // Undecided, the next save asks again.
    const bool decided = answer != TChangedFileAnswer::Cancel;
    fixture.dataFile().SetModified(true);
    QCOMPARE(fixture.dataFile().Save(), decided);
    QCOMPARE(fixture.prompts().ChangedFileQuestions().size(), decided ? 1 : 2);
}

void TstDataFile::changedOnDisk_autoSaveSkipsAndTheNextSaveAsks()
{
    TFixture fixture;
    Core().Config()->SetAutoSave(true);
    LoadSampleAndChangeIt(fixture);
    ReplaceFile(fixture.DataPath(), theirs);

    fixture.dataFile().AutoSaveTick();
    QCOMPARE(FileContent(fixture.DataPath()), theirs);
    QVERIFY(fixture.dataFile().IsModified());
    QVERIFY(fixture.prompts().ChangedFileQuestions().isEmpty());
    QCOMPARE(Core().StatusProvider()->Status().Text(),
             u"Not saved automatically: another program changed the file. Save to decide what "
             "to do."_qs);
    // Every later tick skips it too, until the user decides.
    fixture.dataFile().AutoSaveTick();
    QCOMPARE(FileContent(fixture.DataPath()), theirs);

    fixture.prompts().QueueChangedFileAnswer(TChangedFileAnswer::Overwrite);
    QVERIFY(fixture.dataFile().Save());
    QCOMPARE(fixture.prompts().ChangedFileQuestions().size(), 1);
    QVERIFY(FileContent(fixture.DataPath()).contains("<name>Mine</name>"));
    QCOMPARE(fixture.prompts().Errors(), QStringList());
}

void TstDataFile::changedOnDisk_byIdentityNotTime_data()
{
    QTest::addColumn<int>("change");
    QTest::addColumn<bool>("asks");
    // 0 nothing, 1 touched, 2 rewritten as it was through a new file, 3 other content of the
    // same size written in place and its time set back, 4 another program's save stamped a day
    // before ours (a clock set back), 5 removed
    QTest::newRow("nothing") << 0 << false;
    QTest::newRow("only touched") << 1 << false;
    QTest::newRow("rewritten as it was") << 2 << false;
    QTest::newRow("same size, its time put back") << 3 << true;
    QTest::newRow("changed under a clock set back") << 4 << true;
    QTest::newRow("removed: written again") << 5 << false;
}

void TstDataFile::changedOnDisk_byIdentityNotTime()
{
    QFETCH(int, change);
    QFETCH(bool, asks);
    TFixture fixture;
    LoadSampleAndChangeIt(fixture);
    const QString path = fixture.DataPath();
    const QByteArray loaded = FileContent(path);
    const timespec loadedTime = ModifiedOf(path);
    QByteArray sameSize = loaded;
    sameSize.replace("<name>Home</name>", "<name>Hxme</name>");
    switch (change) {
    case 1:
        SetFileTime(path, {loadedTime.tv_sec + 60, 0});
        break;
    case 2:
        ReplaceFile(path, loaded);
        break;
    case 3:
        QVERIFY(WriteFileContent(path, sameSize));
        SetFileTime(path, loadedTime);
        break;
    case 4:
        ReplaceFile(path, theirs);
        SetFileTime(path, {loadedTime.tv_sec - 86400, loadedTime.tv_nsec});
        break;
    case 5:
        QVERIFY(QFile::remove(path));
        break;
    }
    const QByteArray before = FileContent(path);

    QCOMPARE(fixture.dataFile().Save(), !asks); // a question goes unanswered here
    QCOMPARE(fixture.prompts().ChangedFileQuestions().size(), asks ? 1 : 0);
    QCOMPARE(FileContent(path).contains("<name>Mine</name>"), !asks);
    if (asks)
        QCOMPARE(FileContent(path), before);
    QCOMPARE(fixture.prompts().Errors(), QStringList());
}

void TstDataFile::checkFileOnDisk_data()
{
    QTest::addColumn<QByteArray>("onDisk"); // empty: the file stays as it was loaded
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("errors");

    const QStringList ours = {u"Home"_qs, u" Fence"_qs};
    const QStringList reread = {u"Theirs"_qs, u"Added by them"_qs};
    // Fails half way, after the first item was read.
    const QByteArray damaged =
        Xml::Document(Xml::Task(Xml::Id(1), {{u"name"_qs, u"Theirs"_qs}}) +
                      Xml::Task(Xml::Id(9), {{u"importance"_qs, u"lots"_qs}}));
    const QString kept = u"Your data stay as they were; your next save asks what to do."_qs;

    QTest::newRow("unchanged") << QByteArray() << false << ours << QString() << QStringList()
                               << QStringList();
    QTest::newRow("changed, nothing unsaved: read again without a question")
        << theirs << false << reread << u"Another program changed the file; it was read again."_qs
        << QStringList() << QStringList();
    QTest::newRow("changed, with unsaved changes: told once, kept")
        << theirs << true << ours
        << u"Another program changed the file. Your next save asks what to do."_qs
        << QStringList{u"The file tasks.kav was changed by another program since it was "
                       "opened or saved. Your next save asks what to do."_qs}
        << QStringList();
    QTest::newRow("changed into a file that fails half way: kept")
        << damaged << false << ours << kept << QStringList()
        << QStringList{u"Error during loading file | 'lots' is not a valid integer value "_qs +
                       kept};
}

void TstDataFile::checkFileOnDisk()
{
    QFETCH(QByteArray, onDisk);
    QFETCH(bool, modified);
    TFixture fixture;
    fixture.LoadSample();
    Core().SelectItem(Core().Tasks()->FindByIdText(Xml::Id(1)));
    fixture.dataFile().SetModified(modified);
    if (!onDisk.isEmpty())
        ReplaceFile(fixture.DataPath(), onDisk);

    fixture.dataFile().CheckFileOnDisk();
    // The watcher hears of a change more than once; nothing more is said or done.
    fixture.dataFile().CheckFileOnDisk();

    QCOMPARE(fixture.prompts().Questions().size(), 0);
    QTEST(IndentedNames(), "names");
    QCOMPARE(fixture.dataFile().IsModified(), modified);
    QTEST(Core().StatusProvider()->Status().Text(), "status");
    QTEST(fixture.prompts().Messages(), "messages");
    QTEST(fixture.prompts().Errors(), "errors");
    // The item that was current is current again when it is still there.
    QCOMPARE(Core().CurrentItem(), Core().Tasks()->FindByIdText(Xml::Id(1)));
    QVERIFY(Core().CurrentItem());
    // Whatever stayed here, the file on disk stays the other program's until the user decides.
    if (!onDisk.isEmpty() && IndentedNames() == QStringList{u"Home"_qs, u" Fence"_qs}) {
        QVERIFY(!fixture.dataFile().Save());
        QCOMPARE(fixture.prompts().ChangedFileQuestions().size(), 1);
        QCOMPARE(FileContent(fixture.DataPath()), onDisk);
    }
}

void TstDataFile::checkFileOnDisk_keepsTheToDoContextAndFillsTheLists()
{
    TFixture fixture;
    const QString contexts = Xml::Context(Xml::Id(50), u"Office"_qs, u"Place"_qs) +
                             Xml::Context(Xml::Id(51), u"Home"_qs, u"Place"_qs);
    const auto task = [](int id, const QString& name, int context) {
        return Xml::Task(Xml::Id(id), {{u"name"_qs, name},
                                       {u"tasktype"_qs, u"Task"_qs},
                                       {u"context_id"_qs, Xml::Id(context)}});
    };
    fixture.PlaceFile(Xml::Document(task(1, u"Call"_qs, 50) + task(2, u"Cook"_qs, 51), contexts));
    fixture.dataFile().Load();
    Core().TodoView()->SelectContext(Core().Contexts()->FindByIdText(Xml::Id(50)));
    Core().Tasks()->UpdateViews();
    Core().SelectItem(Core().Tasks()->FindByIdText(Xml::Id(2)));

    ReplaceFile(
        fixture.DataPath(),
        Xml::Document(task(1, u"Call"_qs, 50) + task(2, u"Cook"_qs, 51) + task(3, u"Mail"_qs, 50),
                      contexts));
    fixture.dataFile().CheckFileOnDisk();

    QCOMPARE(Core().TodoView()->ChosenContext()->Name(), u"Office"_qs);
    QStringList toDo;
    for (const TListRow* row : Core().TodoView()->List().Rows())
        toDo.append(row->Item()->Name());
    QCOMPARE(toDo, (QStringList{u"Call"_qs, u"Mail"_qs}));
    QCOMPARE(Core().CurrentItem()->Name(), u"Cook"_qs);
}

void TstDataFile::save_anotherWriterHoldsTheLock_nothingWritten()
{
    TFixture fixture;
    LoadSampleAndChangeIt(fixture);
    const QByteArray before = FileContent(fixture.DataPath());
    fixture.dataFile().SetLockWait(std::chrono::milliseconds(0));
    {
        const TWriterLock another(fixture.DataPath(), std::chrono::milliseconds(0));
        QVERIFY(!fixture.dataFile().Save());
    }
    QCOMPARE(fixture.prompts().Errors(),
             QStringList{u"Error during saving file | Another program is writing the file "_qs +
                         fixture.DataPath()});
    QVERIFY(fixture.dataFile().IsModified());
    QCOMPARE(FileContent(fixture.DataPath()), before);
    // Once the other writer is done, the save goes through.
    QVERIFY(fixture.dataFile().Save());
}

void TstDataFile::autoSave_anotherWriterAtWork_skips()
{
    TFixture fixture;
    Core().Config()->SetAutoSave(true);
    LoadSampleAndChangeIt(fixture);
    const QByteArray before = FileContent(fixture.DataPath());
    {
        // The window does not wait for it, nor bother the user with an error.
        const TWriterLock another(fixture.DataPath(), std::chrono::milliseconds(0));
        fixture.dataFile().AutoSaveTick();
    }
    QCOMPARE(fixture.prompts().Errors(), QStringList());
    QCOMPARE(FileContent(fixture.DataPath()), before);
    QVERIFY(fixture.dataFile().IsModified());
    QCOMPARE(Core().StatusProvider()->Status().Text(),
             u"Not saved automatically: another program changed the file. Save to decide what "
             "to do."_qs);
    // Once the other is done, the next tick saves.
    fixture.dataFile().AutoSaveTick();
    QVERIFY(FileContent(fixture.DataPath()).contains("<name>Mine</name>"));
}

void TstDataFile::save_removesLeftoversOfDeadWriters()
{
    TFixture fixture;
    LoadSampleAndChangeIt(fixture);
    const QStringList leftovers = {u".tasks.kav.3v9kq1.tmp"_qs,
                                   u".tasks.kav - backup 2.ka~.x0a.tmp"_qs};
    for (const QString& name : leftovers)
        QVERIFY(WriteFileContent(fixture.PathOf(name), "half a file"));
    QByteArray running;
    const TFileDescriptor stillWriting =
        SideFiles::CreateTemporary(QFile::encodeName(fixture.DataPath()), running);

    QVERIFY(fixture.dataFile().Save());
    for (const QString& name : leftovers) {
        QVERIFY(!QFile::exists(fixture.PathOf(name)));
        QVERIFY(fixture.Logged(u"Removed the temporary file of an unfinished save: "_qs +
                               fixture.PathOf(name)));
    }
    QVERIFY(QFile::exists(QFile::decodeName(running)));
}

void TstDataFile::longName_savesWithBackup_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("250 bytes") << QString(246, u't') + u".kav";
    QTest::newRow("250 bytes of two-byte letters") << QString(123, u'ř') + u".kav";
    QTest::newRow("255 bytes") << QString(251, u't') + u".kav";
}

void TstDataFile::longName_savesWithBackup()
{
    QFETCH(QString, name);
    TFixture fixture;
    const QByteArray original = Xml::Document(Xml::Task(Xml::Id(1), {{u"name"_qs, u"Home"_qs}}));
    fixture.PlaceFile(original, name);
    QVERIFY(fixture.dataFile().Load());
    Core().Tasks()->FirstInOutline()->SetName(u"Changed"_qs);
    fixture.dataFile().SetModified(true);
    QVERIFY(fixture.dataFile().Save());

    QCOMPARE(fixture.prompts().Errors(), QStringList());
    QVERIFY(FileContent(fixture.PathOf(name)).contains("<name>Changed</name>"));
    const QStringList files = fixture.FilesInFolder();
    QCOMPARE(files.size(), 2);
    const QString backup = files.at(files.indexOf(name) == 0 ? 1 : 0);
    QVERIFY2(backup.endsWith(u" - backup 4.ka~"_qs), qPrintable(backup));
    QCOMPARE(FileContent(fixture.PathOf(backup)), original);
}

void TstDataFile::notARegularFile_isRefused_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<bool>("fifo"); // else a folder
    QTest::addColumn<QString>("error");
    QTest::newRow("load a FIFO") << false << true << u"Error during loading file | "_qs;
    QTest::newRow("load a folder") << false << false << u"Error during loading file | "_qs;
    QTest::newRow("save over a FIFO") << true << true << u"Error during saving file | "_qs;
}

void TstDataFile::notARegularFile_isRefused()
{
    QFETCH(bool, save);
    QFETCH(bool, fifo);
    QFETCH(QString, error);
    TFixture fixture;
    fixture.LoadSample();
    const QString path = fixture.PathOf(u"odd.kav"_qs);
    if (fifo)
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    else
        QVERIFY(QDir().mkdir(path));
    fixture.dataFile().SetFileName(u"odd.kav"_qs);
    fixture.dataFile().SetModified(true);

    // Neither waits for a writer that never comes.
    QVERIFY(!(save ? fixture.dataFile().Save() : fixture.dataFile().Load()));
    QCOMPARE(fixture.prompts().Errors(), QStringList{error + path + u" is not a regular file"_qs});
    QCOMPARE(QFileInfo(path).isDir(), !fifo);
    if (fifo) {
        struct stat status {};
        QVERIFY(::stat(QFile::encodeName(path).constData(), &status) == 0);
        QVERIFY(S_ISFIFO(status.st_mode));
    }
}

QTEST_GUILESS_MAIN(TstDataFile)
#include "tst_datafile.moc"
