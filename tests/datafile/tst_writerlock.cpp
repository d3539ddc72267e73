#include "app/Config.h"
#include "datafile/DataFile.h"
#include "datafile/SideFiles.h"
#include "datafile/WriterLock.h"
#include "languages/LanguagesEngine.h"
#include "model/Tasks.h"
#include "support/TestCore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <dlfcn.h>
#include <future>
#include <sys/file.h>
#include <thread>

// The writer's lock and the files kept beside a data file: who waits for whom, what a killed
// writer leaves behind and who may clear it, and names that fit however long the data file's is.
class TstWriterLock : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();

    void lock_secondWriterWaitsForTheFirst();
    void lock_givesUpAfterItsWait_data();
    void lock_givesUpAfterItsWait();
    void lock_leftBehindIsNoObstacle();
    void lock_sameFileThroughALink();
    void lock_fileSystemWithoutLocking_savesUnlocked();

    void names_fitTheLimit_data();
    void names_fitTheLimit();
    void leftovers_onlyThoseWhoseWriterIsGone();

private:
    QString PathOf(const QString& name) const { return folder_->filePath(name); }
    QStringList Entries() const
    {
        return QDir(folder_->path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    std::unique_ptr<QTemporaryDir> folder_;
};

namespace {

using namespace std::chrono_literals;

// Stands in for a file system that cannot lock (some network mounts) while it is switched on:
// the core's calls to flock come here before the C library's.
bool lockingFails = false;

} // namespace

extern "C" int flock(int descriptor, int operation)
{
    if (lockingFails) {
        errno = ENOLCK;
        return -1;
    }
    using TFlock = int (*)(int, int);
    static const auto real = reinterpret_cast<TFlock>(::dlsym(RTLD_NEXT, "flock"));
    return real(descriptor, operation);
}

void TstWriterLock::init()
{
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(folder_->isValid());
}

void TstWriterLock::lock_secondWriterWaitsForTheFirst()
{
    const QString data = PathOf(u"tasks.kav"_qs);
    auto first = std::make_unique<TWriterLock>(data, 0ms);
    QVERIFY(first->IsEffective());
    QCOMPARE(Entries(), QStringList{u".tasks.kav.lock"_qs});
    // The second writer, in another thread as it would be in another program, gets the lock
    // only once the first has let go.
    std::atomic<bool> released = false;
    auto second = std::async(std::launch::async, [&] {
        const TWriterLock lock(data, 10s);
        return released.load();
    });
    QCOMPARE(second.wait_for(200ms), std::future_status::timeout);
    released = true;
    first.reset();
    QVERIFY(second.get());
    // The last holder takes the lock file with it.
    QCOMPARE(Entries(), QStringList());
}

void TstWriterLock::lock_givesUpAfterItsWait_data()
{
    QTest::addColumn<int>("waitMs");
    QTest::newRow("no waiting") << 0;
    QTest::newRow("a short wait") << 150;
}

void TstWriterLock::lock_givesUpAfterItsWait()
{
    QFETCH(int, waitMs);
    const QString data = PathOf(u"tasks.kav"_qs);
    const TWriterLock holder(data, 0ms);
    try {
        const TWriterLock late(data, std::chrono::milliseconds(waitMs));
        QFAIL("two writers held the lock at once");
    } catch (const TWriterLock::TBusy& busy) {
        QCOMPARE(busy.Message(), u"Another program is writing the file "_qs + data);
    }
}

void TstWriterLock::lock_leftBehindIsNoObstacle()
{
    // A killed writer leaves its lock file; the kernel took its lock with it.
    const QString data = PathOf(u"tasks.kav"_qs);
    QFile stale(PathOf(u".tasks.kav.lock"_qs));
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.close();
    {
        const TWriterLock lock(data, 0ms);
        QVERIFY(lock.IsEffective());
    }
    QCOMPARE(Entries(), QStringList());
}

void TstWriterLock::lock_sameFileThroughALink()
{
    const QString data = PathOf(u"tasks.kav"_qs);
    QVERIFY(QFile::link(data, PathOf(u"link.kav"_qs)));
    const TWriterLock lock(data, 0ms);
    QVERIFY(lock.Covers(PathOf(u"link.kav"_qs)));
    QVERIFY(!lock.Covers(PathOf(u"other.kav"_qs)));
    QVERIFY_THROWS_EXCEPTION(TWriterLock::TBusy, TWriterLock(PathOf(u"link.kav"_qs), 0ms));
}

void TstWriterLock::lock_fileSystemWithoutLocking_savesUnlocked()
{
    TTestCore test;
    Core().LanguagesEngine()->SetLanguage(TLanguage::English);
    TDataFile& dataFile = *Core().DataFile();
    dataFile.SetFolder(folder_->path() + u'/');
    dataFile.SetFileName(u"tasks.kav"_qs);
    Core().Tasks()->Add(nullptr)->SetName(u"Unlocked"_qs);
    dataFile.SetModified(true);

    lockingFails = true;
    const bool saved = dataFile.Save();
    lockingFails = false;
    QVERIFY(saved);
    QCOMPARE(test.prompts().Errors(), QStringList());
    QVERIFY(test.logMessages().contains(u"The file system cannot lock: "_qs + dataFile.Path() +
                                        u" is written unlocked"_qs));
    QFile file(dataFile.Path());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("<name>Unlocked</name>"));
    QCOMPARE(Entries(), QStringList{u"tasks.kav"_qs});
}

void TstWriterLock::names_fitTheLimit_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("backupName"); // empty: shortened, only its end is known
    QTest::newRow("short") << u"tasks.kav"_qs << u"tasks.kav - backup 12.ka~"_qs;
    QTest::newRow("220 bytes: as it is")
        << QString(216, u'a') + u".kav" << QString(216, u'a') + u".kav - backup 12.ka~";
    QTest::newRow("237 bytes") << QString(233, u'b') + u".kav" << QString();
    QTest::newRow("250 bytes") << QString(246, u'c') + u".kav" << QString();
    QTest::newRow("250 bytes of two-byte letters") << QString(123, u'č') + u".kav" << QString();
    QTest::newRow("255 bytes, the most there is") << QString(251, u'd') + u".kav" << QString();
}

void TstWriterLock::names_fitTheLimit()
{
    QFETCH(QString, name);
    QFETCH(QString, backupName);
    const QString data = PathOf(name);
    const QString backup = SideFiles::BackupPath(data, 12);
    const QString backupFile = QFileInfo(backup).fileName();
    QVERIFY(backupFile.endsWith(u" - backup 12.ka~"_qs));
    QVERIFY(!backupFile.contains(QChar::ReplacementCharacter)); // no letter cut in two
    if (!backupName.isEmpty())
        QCOMPARE(backupFile, backupName);
    // A different long name with the same beginning gets a backup of its own.
    QVERIFY(SideFiles::BackupPath(PathOf(u'x' + name.mid(1)), 12) != backup);

    // Each of them can be created, with the temporary file that replaces it.
    for (const QString& target : {data, backup}) {
        QByteArray temporary;
        const TFileDescriptor file =
            SideFiles::CreateTemporary(QFile::encodeName(target), temporary);
        QVERIFY(file.IsValid());
        QVERIFY(QFile::encodeName(QFileInfo(QFile::decodeName(temporary)).fileName()).size() <=
                255);
        QVERIFY(QFile::rename(QFile::decodeName(temporary), target));
    }
    QVERIFY(TWriterLock(data, 0ms).IsEffective());
    for (const QString& file : Entries())
        QVERIFY2(file.toUtf8().size() <= 255, qPrintable(file));
}

void TstWriterLock::leftovers_onlyThoseWhoseWriterIsGone()
{
    const QString data = PathOf(u"tasks.kav"_qs);
    const auto leave = [this](const QString& name) {
        QFile file(PathOf(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("half a file");
    };
    // Left by writers that died: of the data file and of a backup.
    leave(u".tasks.kav.k3j9x2.tmp"_qs);
    leave(u".tasks.kav - backup 2.ka~.0a1b.tmp"_qs);
    // Not ours: another data file's, names of another shape, a visible file.
    leave(u".tasks.kav.old.k3j9x2.tmp"_qs);
    leave(u".notes.kav.k3j9x2.tmp"_qs);
    leave(u".tasks.kav.K3J9X2.tmp"_qs);
    leave(u"tasks.kav.k3j9x2.tmp"_qs);
    // A save still at work: its writer holds the lock of its temporary file.
    QByteArray running;
    const TFileDescriptor writing = SideFiles::CreateTemporary(QFile::encodeName(data), running);
    QByteArray runningBackup;
    const TFileDescriptor backingUp = SideFiles::CreateTemporary(
        QFile::encodeName(SideFiles::BackupPath(data, 3)), runningBackup);

    const QStringList removed = SideFiles::RemoveLeftovers(data);
    QCOMPARE(QSet<QString>(removed.begin(), removed.end()),
             (QSet<QString>{PathOf(u".tasks.kav.k3j9x2.tmp"_qs),
                            PathOf(u".tasks.kav - backup 2.ka~.0a1b.tmp"_qs)}));
    QVERIFY(QFile::exists(QFile::decodeName(running)));
    QVERIFY(QFile::exists(QFile::decodeName(runningBackup)));
    QCOMPARE(Entries().size(), 6);
}

QTEST_GUILESS_MAIN(TstWriterLock)
#include "tst_writerlock.moc"
