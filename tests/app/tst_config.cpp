#include "app/Config.h"
#include "support/TestCore.h"
#include "tst_config_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <limits>
#include <memory>

namespace {

// Every value of the file, named by its key.
QVariantMap Values(const TConfig& config)
{
    return {
        {u"Language"_qs, config.Language()},
        {u"ShowOutlineIcons"_qs, config.ShowOutlineIcons()},
        {u"ShowPriorityScore"_qs, config.ShowPriorityScore()},
        {u"ShowToolBarButtonCaptions"_qs, config.ShowToolBarButtonCaptions()},
        {u"ShowDueDatesInOutline"_qs, config.ShowDueDatesInOutline()},
        {u"StyleNo"_qs, config.StyleNo()},
        {u"BackupsCount"_qs, config.BackupsCount()},
        {u"AutoSave"_qs, config.AutoSave()},
        {u"AutoBackup"_qs, config.AutoBackup()},
        {u"ToDoIncludedSubContexts"_qs, config.ToDoIncludedSubContexts()},
        {u"AutoTypeForSubItems"_qs, config.AutoTypeForSubItems()},
        {u"LastPrinter"_qs, config.LastPrinter()},
        {u"SelectedTaskID"_qs, config.SelectedTaskID()},
        {u"SelectedContextID"_qs, config.SelectedContextID()},
        {u"ShowDebug"_qs, config.ShowDebug()},
        {u"FileName"_qs, config.FileName()},
    };
}

QVariantMap Defaults()
{
    return {
        {u"Language"_qs, u"English"_qs},
        {u"ShowOutlineIcons"_qs, true},
        {u"ShowPriorityScore"_qs, false},
        {u"ShowToolBarButtonCaptions"_qs, false},
        {u"ShowDueDatesInOutline"_qs, false},
        {u"StyleNo"_qs, 0},
        {u"BackupsCount"_qs, 5},
        {u"AutoSave"_qs, false},
        {u"AutoBackup"_qs, true},
        {u"ToDoIncludedSubContexts"_qs, true},
        {u"AutoTypeForSubItems"_qs, true},
        {u"LastPrinter"_qs, QString()},
        {u"SelectedTaskID"_qs, QString()},
        {u"SelectedContextID"_qs, QString()},
        {u"ShowDebug"_qs, false},
        {u"FileName"_qs, QString()},
    };
}

const QByteArray FreshFile = "[Preferences]\n"
                             "Language=English\n"
                             "\n"
                             "[Environment]\n"
                             "ShowOutlineIcons=1\n"
                             "ShowPriorityScore=0\n"
                             "ShowToolBarButtonCaptions=0\n"
                             "ShowDueDatesInOutline=0\n"
                             "AutoSave=0\n"
                             "AutoBackup=1\n"
                             "ToDoIncludedSubContexts=1\n"
                             "AutoTypeForSubItems=1\n"
                             "StyleNo=0\n"
                             "BackupsCount=5\n"
                             "\n"
                             "[Print]\n"
                             "LastPrinter=\n"
                             "\n"
                             "[Outline]\n"
                             "SelectedTaskID=\n"
                             "\n"
                             "[ToDo]\n"
                             "SelectedContextID=\n"
                             "\n"
                             "[Data]\n"
                             "FileName=\n";

// A window that records what is done to it.
class TFakeWindow final : public IFormPlacement {
public:
    TFakeWindow(int top, int left, int width, int height, bool maximized = false)
        : top_(top), left_(left), width_(width), height_(height), maximized_(maximized)
    {}

    int Top() const override { return top_; }
    int Left() const override { return left_; }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    bool IsMaximized() const override { return maximized_; }
    void SetTop(int top) override { Record(u"Top", top_ = top); }
    void SetLeft(int left) override { Record(u"Left", left_ = left); }
    void SetWidth(int width) override { Record(u"Width", width_ = width); }
    void SetHeight(int height) override { Record(u"Height", height_ = height); }
    void Maximize() override
    {
        maximized_ = true;
        calls_.append(u"Maximize"_qs);
    }

    const QStringList& Calls() const { return calls_; }

private:
    void Record(QStringView what, int value)
    {
        calls_.append(what + u'=' + QString::number(value));
    }

    int top_;
    int left_;
    int width_;
    int height_;
    bool maximized_;
    QStringList calls_;
};

using TConfigChange = std::function<void(TConfig&)>;

} // namespace

Q_DECLARE_METATYPE(TConfigChange)

class TstConfig : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();

    void withoutFileEveryValueHasItsDefault();
    void loadReadsEachKeyFromItsSection_data();
    void loadReadsEachKeyFromItsSection();

    void saveWritesFreshFileInOrder();
    void saveKeepsHandEditsAndShowDebug();
    void settersThatSaveAtOnce_data();
    void settersThatSaveAtOnce();
    void failedSaveThrowsAndKeepsValues();

    void advanceBackupNo_data();
    void advanceBackupNo();

    void restoreFormAppliesStoredPlacement_data();
    void restoreFormAppliesStoredPlacement();
    void storeFormWritesPlacementInOrder();

    void defaultPathTakesEnvironmentFirst();
    void defaultPathFor_data();
    void defaultPathFor();

private:
    QString iniPath() const { return folder_->filePath(u"tavolin.ini"_qs); }

    std::unique_ptr<QTemporaryDir> folder_;
};

void TstConfig::init()
{
    QStandardPaths::setTestModeEnabled(true);
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(folder_->isValid());
}

void TstConfig::withoutFileEveryValueHasItsDefault()
{
    const TConfig config(iniPath());
    QCOMPARE(Values(config), Defaults());
    QCOMPARE(config.NextBackupNo(), 0);
    QCOMPARE(config.Path(), iniPath());
    QVERIFY(!QFile::exists(iniPath()));
}

void TstConfig::loadReadsEachKeyFromItsSection_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("expected");

    const auto row = [](const char* name, const QByteArray& file, const QString& key,
                        const QVariant& expected) {
        QTest::newRow(name) << file << key << expected;
    };
    row("Language", "[Preferences]\nLanguage=Czech\n", u"Language"_qs, u"Czech"_qs);
    row("Language kept as written", "[preferences]\nlanguage=czech\n", u"Language"_qs, u"czech"_qs);
    row("empty Language", "[Preferences]\nLanguage=\n", u"Language"_qs, QString());
    row("ShowOutlineIcons", "[Environment]\nShowOutlineIcons=0\n", u"ShowOutlineIcons"_qs, false);
    row("ShowPriorityScore", "[Environment]\nShowPriorityScore=1\n", u"ShowPriorityScore"_qs, true);
    row("ShowToolBarButtonCaptions", "[Environment]\nShowToolBarButtonCaptions=1\n",
        u"ShowToolBarButtonCaptions"_qs, true);
    row("ShowDueDatesInOutline", "[Environment]\nShowDueDatesInOutline=1\n",
        u"ShowDueDatesInOutline"_qs, true);
    row("StyleNo", "[Environment]\nStyleNo=7\n", u"StyleNo"_qs, 7);
    row("StyleNo out of range kept", "[Environment]\nStyleNo=-3\n", u"StyleNo"_qs, -3);
    row("BackupsCount", "[Environment]\nBackupsCount=12\n", u"BackupsCount"_qs, 12);
    row("BackupsCount in hexadecimal", "[Environment]\nBackupsCount=0x0A\n", u"BackupsCount"_qs,
        10);
    row("AutoSave", "[Environment]\nAutoSave=1\n", u"AutoSave"_qs, true);
    row("AutoSave=2 is true", "[Environment]\nAutoSave=2\n", u"AutoSave"_qs, true);
    row("AutoSave=yes is the default", "[Environment]\nAutoSave=yes\n", u"AutoSave"_qs, false);
    row("AutoBackup", "[Environment]\nAutoBackup=0\n", u"AutoBackup"_qs, false);
    row("ToDoIncludedSubContexts", "[Environment]\nToDoIncludedSubContexts=0\n",
        u"ToDoIncludedSubContexts"_qs, false);
    row("AutoTypeForSubItems", "[Environment]\nAutoTypeForSubItems=0\n", u"AutoTypeForSubItems"_qs,
        false);
    row("LastPrinter", "[Print]\nLastPrinter=HP LaserJet 4\n", u"LastPrinter"_qs,
        u"HP LaserJet 4"_qs);
    row("SelectedTaskID", "[Outline]\nSelectedTaskID={0E0C3C7A-3F59-4C5B-9A59-2F3B5C3B7E11}\n",
        u"SelectedTaskID"_qs, u"{0E0C3C7A-3F59-4C5B-9A59-2F3B5C3B7E11}"_qs);
    row("SelectedContextID", "[ToDo]\nSelectedContextID={AC378A1A-C28D-4D18-8C75-43BE352DB025}\n",
        u"SelectedContextID"_qs, u"{AC378A1A-C28D-4D18-8C75-43BE352DB025}"_qs);
    row("ShowDebug", "[Debug]\nShowDebug=1\n", u"ShowDebug"_qs, true);
    row("FileName", "[Data]\nFileName=/home/u/My Tasks/tasks.kav\n", u"FileName"_qs,
        u"/home/u/My Tasks/tasks.kav"_qs);
    row("key in the wrong section", "[Environment]\nLanguage=Czech\n", u"Language"_qs,
        u"English"_qs);
}

void TstConfig::loadReadsEachKeyFromItsSection()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, key);
    QFETCH(QVariant, expected);

    WriteFileContents(iniPath(), file);
    const TConfig config(iniPath());
    QVariantMap values = Defaults();
    values[key] = expected;
    QCOMPARE(Values(config), values);
}

void TstConfig::saveWritesFreshFileInOrder()
{
    TConfig config(iniPath());
    config.Save();
    QCOMPARE(FileContents(iniPath()), FreshFile);
}

void TstConfig::saveKeepsHandEditsAndShowDebug()
{
    WriteFileContents(iniPath(), "; written by hand\n"
                                 "[Debug]\n"
                                 "ShowDebug=1\n"
                                 "\n"
                                 "[Environment]\n"
                                 "MyOwnKey=abc\n"
                                 "AutoSave=1\n");
    TConfig config(iniPath());
    QVERIFY(config.ShowDebug());
    config.SetBackupsCount(9);
    config.Save();
    QCOMPARE(FileContents(iniPath()), QByteArray("; written by hand\n"
                                                 "[Debug]\n"
                                                 "ShowDebug=1\n"
                                                 "\n"
                                                 "[Environment]\n"
                                                 "MyOwnKey=abc\n"
                                                 "AutoSave=1\n"
                                                 "ShowOutlineIcons=1\n"
                                                 "ShowPriorityScore=0\n"
                                                 "ShowToolBarButtonCaptions=0\n"
                                                 "ShowDueDatesInOutline=0\n"
                                                 "AutoBackup=1\n"
                                                 "ToDoIncludedSubContexts=1\n"
                                                 "AutoTypeForSubItems=1\n"
                                                 "StyleNo=0\n"
                                                 "BackupsCount=9\n"
                                                 "\n"
                                                 "[Preferences]\n"
                                                 "Language=English\n"
                                                 "\n"
                                                 "[Print]\n"
                                                 "LastPrinter=\n"
                                                 "\n"
                                                 "[Outline]\n"
                                                 "SelectedTaskID=\n"
                                                 "\n"
                                                 "[ToDo]\n"
                                                 "SelectedContextID=\n"
                                                 "\n"
                                                 "[Data]\n"
                                                 "FileName=\n"));
    QVERIFY(TConfig(iniPath()).ShowDebug());
}

void TstConfig::settersThatSaveAtOnce_data()
{
    QTest::addColumn<TConfigChange>("change");
    QTest::addColumn<bool>("writesFile");

    // Each change comes after another that alone would not write, so that the file shows that a
    // save writes every value.
    const auto after = [](TConfigChange change) {
        return TConfigChange([change](TConfig& config) {
            config.SetStyleNo(4);
            change(config);
        });
    };
    QTest::newRow("Language") << after([](TConfig& c) { c.SetLanguage(u"Czech"_qs); }) << true;
    QTest::newRow("FileName") << after([](TConfig& c) { c.SetFileName(u"/tmp/a b.kav"_qs); })
                              << true;
    QTest::newRow("AutoSave") << after([](TConfig& c) { c.SetAutoSave(true); }) << true;
    QTest::newRow("StyleNo") << after([](TConfig&) {}) << false;
    QTest::newRow("ShowOutlineIcons")
        << after([](TConfig& c) { c.SetShowOutlineIcons(false); }) << false;
    QTest::newRow("BackupsCount") << after([](TConfig& c) { c.SetBackupsCount(2); }) << false;
    QTest::newRow("LastPrinter") << after([](TConfig& c) { c.SetLastPrinter(u"PDF"_qs); }) << false;
    QTest::newRow("SelectedTaskID")
        << after([](TConfig& c) { c.SetSelectedTaskID(u"{X}"_qs); }) << false;
    QTest::newRow("SelectedContextID")
        << after([](TConfig& c) { c.SetSelectedContextID(u"{Y}"_qs); }) << false;
    QTest::newRow("ToDoIncludedSubContexts")
        << after([](TConfig& c) { c.SetToDoIncludedSubContexts(false); }) << false;
    QTest::newRow("NextBackupNo") << after([](TConfig& c) { c.SetNextBackupNo(3); }) << false;
}

void TstConfig::settersThatSaveAtOnce()
{
    QFETCH(TConfigChange, change);
    QFETCH(bool, writesFile);

    TConfig config(iniPath());
    change(config);
    QCOMPARE(QFile::exists(iniPath()), writesFile);
    if (writesFile)
        QCOMPARE(Values(TConfig(iniPath())), Values(config));
}

void TstConfig::failedSaveThrowsAndKeepsValues()
{
    // A file where the folder should be stops every write, whoever runs the test.
    const QString blocker = folder_->filePath(u"config"_qs);
    WriteFileContents(blocker, "not a folder");
    const QString path = blocker + u"/tavolin.ini"_qs;

    TConfig config(path);
    config.SetStyleNo(4);
    QCOMPARE(ErrorOf([&] { config.SetLanguage(u"Czech"_qs); }), u"Unable to write to "_qs + path);
    QCOMPARE(ErrorOf([&] { config.Save(); }), u"Unable to write to "_qs + path);
    QCOMPARE(config.Language(), u"Czech"_qs);
    QCOMPARE(config.StyleNo(), 4);

    QVERIFY(QFile::remove(blocker));
    config.Save();
    QCOMPARE(Values(TConfig(path)), Values(config));
}

void TstConfig::advanceBackupNo_data()
{
    QTest::addColumn<int>("backupsCount");
    QTest::addColumn<int>("nextBackupNo");
    QTest::addColumn<int>("expected");

    QTest::newRow("steps on") << 5 << 2 << 3;
    QTest::newRow("reaches the count") << 3 << 2 << 3;
    QTest::newRow("wraps past the count") << 3 << 3 << 1;
    QTest::newRow("from zero") << 3 << 0 << 1;
    QTest::newRow("no backups from zero") << 0 << 0 << 1;
    QTest::newRow("no backups from one") << 0 << 1 << 1;
    QTest::newRow("count lowered below the number") << 3 << 7 << 1;
    QTest::newRow("negative number from a damaged file") << 3 << -4 << 1;
    QTest::newRow("largest number") << 5 << std::numeric_limits<int>::max() << 1;
}

void TstConfig::advanceBackupNo()
{
    QFETCH(int, backupsCount);
    QFETCH(int, nextBackupNo);
    QFETCH(int, expected);

    TTestCore test;
    TConfig& config = *test.core().Config();
    config.SetBackupsCount(backupsCount);
    config.SetNextBackupNo(nextBackupNo);
    config.AdvanceBackupNo();
    QCOMPARE(config.NextBackupNo(), expected);
    QCOMPARE(test.logMessages().value(0),
             u"NextBackupNo changed to "_qs + QString::number(expected));
    QVERIFY(!QFile::exists(test.iniPath()));
}

void TstConfig::restoreFormAppliesStoredPlacement_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("calls");

    // The window stands at top 100, left 200, 640 by 480.
    QTest::newRow("nothing stored keeps the window's own placement")
        << QByteArray()
        << QStringList{u"Top=100"_qs, u"Left=200"_qs, u"Width=640"_qs, u"Height=480"_qs};
    QTest::newRow("stored and maximised")
        << QByteArray("[Forms]\nMain.Top=10\nMain.Left=20\nMain.Width=800\nMain.Height=600\n"
                      "Main.Maximized=1\n")
        << QStringList{u"Top=10"_qs, u"Left=20"_qs, u"Width=800"_qs, u"Height=600"_qs,
                       u"Maximize"_qs};
    QTest::newRow("off the screen applied unchanged")
        << QByteArray("[Forms]\nMain.Top=-5000\nMain.Left=99999\nMain.Width=1\nMain.Height=0\n"
                      "Main.Maximized=0\n")
        << QStringList{u"Top=-5000"_qs, u"Left=99999"_qs, u"Width=1"_qs, u"Height=0"_qs};
    QTest::newRow("only the width stored")
        << QByteArray("[Forms]\nMain.Width=900\n")
        << QStringList{u"Top=100"_qs, u"Left=200"_qs, u"Width=900"_qs, u"Height=480"_qs};
    QTest::newRow("another window's keys")
        << QByteArray("[Forms]\nSettings.Top=1\nSettings.Maximized=1\n")
        << QStringList{u"Top=100"_qs, u"Left=200"_qs, u"Width=640"_qs, u"Height=480"_qs};
    QTest::newRow("unreadable value keeps the window's own")
        << QByteArray("[Forms]\nMain.Top=high\nMain.Left=$20\n")
        << QStringList{u"Top=100"_qs, u"Left=32"_qs, u"Width=640"_qs, u"Height=480"_qs};
}

void TstConfig::restoreFormAppliesStoredPlacement()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, calls);

    if (!file.isNull())
        WriteFileContents(iniPath(), file);
    TConfig config(iniPath());
    TFakeWindow window(100, 200, 640, 480);
    config.RestoreForm(u"Main"_qs, window);
    QCOMPARE(window.Calls(), calls);
}

void TstConfig::storeFormWritesPlacementInOrder()
{
    TConfig config(iniPath());
    config.StoreForm(u"Settings"_qs, TFakeWindow(-10, 20, 300, 200, true));
    QCOMPARE(FileContents(iniPath()),
             QByteArray("[Forms]\nSettings.Top=-10\nSettings.Left=20\nSettings.Width=300\n"
                        "Settings.Height=200\nSettings.Maximized=1\n"));

    TFakeWindow restored(0, 0, 100, 100);
    TConfig(iniPath()).RestoreForm(u"Settings"_qs, restored);
    QCOMPARE(restored.Calls(), (QStringList{u"Top=-10"_qs, u"Left=20"_qs, u"Width=300"_qs,
                                            u"Height=200"_qs, u"Maximize"_qs}));
}

void TstConfig::defaultPathTakesEnvironmentFirst()
{
    qputenv("TAVOLIN_CONFIG", "/somewhere/else.ini");
    QCOMPARE(TConfig::DefaultPath(), u"/somewhere/else.ini"_qs);

    // An empty variable counts as none: the choice goes by this test's own executable.
    qputenv("TAVOLIN_CONFIG", "");
    QCOMPARE(TConfig::DefaultPath(),
             TConfig::DefaultPathFor(QCoreApplication::applicationFilePath()));
    qunsetenv("TAVOLIN_CONFIG");
}

void TstConfig::defaultPathFor_data()
{
    QTest::addColumn<QString>("executable"); // within the test's folder
    QTest::addColumn<bool>("readOnlyFolder");
    QTest::addColumn<bool>("iniExists");
    QTest::addColumn<QString>("expected"); // within the test's folder; empty: the user's folder

    QTest::newRow("writable folder")
        << u"bin/tavolin"_qs << false << false << u"bin/tavolin.ini"_qs;
    QTest::newRow(".exe replaced")
        << u"bin/Tavolin.exe"_qs << false << false << u"bin/Tavolin.ini"_qs;
    QTest::newRow(".EXE replaced")
        << u"bin/TAVOLIN.EXE"_qs << false << false << u"bin/TAVOLIN.ini"_qs;
    QTest::newRow("other extension kept")
        << u"bin/tavolin.bin"_qs << false << false << u"bin/tavolin.bin.ini"_qs;
    QTest::newRow("existing file in a read-only folder")
        << u"bin/tavolin"_qs << true << true << u"bin/tavolin.ini"_qs;
    QTest::newRow("read-only folder without the file")
        << u"bin/tavolin"_qs << true << false << QString();
    QTest::newRow("missing folder") << u"gone/tavolin"_qs << false << false << QString();
}

void TstConfig::defaultPathFor()
{
    QFETCH(QString, executable);
    QFETCH(bool, readOnlyFolder);
    QFETCH(bool, iniExists);
    QFETCH(QString, expected);

    const QString bin = folder_->filePath(u"bin"_qs);
    QVERIFY(QDir().mkpath(bin));
    if (iniExists)
        WriteFileContents(bin + u"/tavolin.ini"_qs, "[Preferences]\n");
    std::unique_ptr<TWriteProtection> protection;
    if (readOnlyFolder) {
        protection = std::make_unique<TWriteProtection>(bin);
        if (!protection->Blocks() && !iniExists)
            QSKIP("This user writes whatever the permissions say");
    }

    const QString userFolder =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QCOMPARE(TConfig::DefaultPathFor(folder_->filePath(executable)),
             expected.isEmpty() ? userFolder + u"/tavolin/tavolin.ini"_qs
                                : folder_->filePath(expected));
}

QTEST_GUILESS_MAIN(TstConfig)
#include "tst_config.moc"
