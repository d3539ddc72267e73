#include "DataFileFixture.h"

#include "app/Config.h"
#include "datafile/DataFile.h"
#include "support/TestCore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <QtTest>

// A program killed in the middle of a save leaves the data file whole: the old one or the new;
// the temporary file it leaves goes with the next save.
class TstSaveKill : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void killDuringSave_leavesOldOrNewFileWhole();
    void killWhileWriting_nextSaveRemovesTheLeftover();
};

namespace {

constexpr int items = 20000;

// The hidden temporary files of saves in the folder.
QStringList Temporaries(const QTemporaryDir& folder)
{
    return QDir(folder.path()).entryList({u".*.tmp"_qs}, QDir::Files | QDir::Hidden);
}

// The helper's announcements, "saved N", as they come.
class THelper {
public:
    THelper(const QString& path, int firstGeneration)
    {
        process_.start(QStringLiteral(SAVE_HELPER),
                       {path, QString::number(items), QString::number(firstGeneration)});
    }
    ~THelper()
    {
        process_.kill();
        process_.waitForFinished();
    }

    // The next generation announced, and how long after the previous one it came.
    std::optional<int> NextSaved()
    {
        while (!process_.canReadLine()) {
            if (!process_.waitForReadyRead(30000))
                return std::nullopt;
        }
        interval_ = clock_.restart();
        return Generation(process_.readLine());
    }
    qint64 Interval() const { return interval_; }

    // Kills the helper; the last generation it announced.
    int Kill(int lastAnnounced)
    {
        process_.kill();
        process_.waitForFinished();
        for (const QByteArray& line : process_.readAllStandardOutput().split('\n')) {
            if (const std::optional<int> generation = Generation(line))
                lastAnnounced = *generation;
        }
        return lastAnnounced;
    }

private:
    static std::optional<int> Generation(const QByteArray& line)
    {
        if (!line.startsWith("saved "))
            return std::nullopt;
        return line.mid(6).trimmed().toInt();
    }

    QProcess process_;
    QElapsedTimer clock_;
    qint64 interval_ = 0;
};

} // namespace

void TstSaveKill::killDuringSave_leavesOldOrNewFileWhole()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(u"tasks.kav"_qs);
    TTestCore test;
    Core().Config()->SetAutoBackup(false);
    // Moments spread over one save, from its very start to just before the rename.
    const QList<double> moments = {0.0, 0.05, 0.15, 0.3, 0.45, 0.6, 0.75, 0.85, 0.95, 0.99};
    for (qsizetype round = 0; round < moments.size(); ++round) {
        const int firstGeneration = int(round) * 1000;
        THelper helper(path, firstGeneration);
        std::optional<int> saved;
        for (int save = 0; save < 3; ++save) {
            saved = helper.NextSaved();
            QVERIFY2(saved, "the helper stopped saving");
        }
        QThread::msleep(static_cast<unsigned long>(moments[round] * double(helper.Interval())));
        const int announced = helper.Kill(*saved);

        const QByteArray content = FileContent(path);
        QVERIFY2(!content.isEmpty(), "the data file is gone");
        QCOMPARE(ReadFailure(content), QString());
        QCOMPARE(Core().Tasks()->Count(), items);
        const QString name = Core().Tasks()->FirstInOutline()->Name();
        // The save it announced last, or the one it finished just before the kill.
        QVERIFY2(name == u"generation " + QString::number(announced) ||
                     name == u"generation " + QString::number(announced + 1),
                 qPrintable(name + u" after generation " + QString::number(announced)));

        // The next save, here the next helper's, clears what the killed one left.
        QVERIFY(Temporaries(folder).size() <= 1);
    }
}

void TstSaveKill::killWhileWriting_nextSaveRemovesTheLeftover()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(u"tasks.kav"_qs);
    TTestCore test;
    Core().Config()->SetAutoBackup(false);
    // Killed the moment its temporary file shows, a save nearly always leaves it; a rename that
    // comes first just means another try.
    QStringList left;
    for (int attempt = 0; attempt < 50 && left.isEmpty(); ++attempt) {
        THelper helper(path, attempt * 1000);
        QVERIFY2(helper.NextSaved(), "the helper stopped saving");
        QElapsedTimer patience;
        patience.start();
        while (Temporaries(folder).isEmpty() && patience.elapsed() < 30000)
            QThread::usleep(200);
        helper.Kill(0);
        left = Temporaries(folder);
    }
    QCOMPARE(left.size(), 1);

    TDataFile& next = *Core().DataFile();
    next.ChooseStartupFile({path});
    QVERIFY(next.Load());
    next.SetModified(true);
    QVERIFY(next.Save());
    QCOMPARE(Temporaries(folder), QStringList());
    QVERIFY(test.logMessages().contains(u"Removed the temporary file of an unfinished save: "_qs +
                                        folder.filePath(left.first())));
}

QTEST_GUILESS_MAIN(TstSaveKill)
#include "tst_savekill.moc"
