#include "app/IniFile.h"
#include "tst_config_files.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <sys/stat.h>

namespace {

const QString Missing = u"<missing>"_qs;

} // namespace

class TstIniFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();

    void readsValue_data();
    void readsValue();
    void readsInteger_data();
    void readsInteger();
    void readsBool_data();
    void readsBool();

    void writeChangesOnlyItsLine_data();
    void writeChangesOnlyItsLine();
    void readsBackWhatItWrote_data();
    void readsBackWhatItWrote();
    void writeCreatesFolders();
    void failedWriteThrowsAndKeepsValue_data();
    void failedWriteThrowsAndKeepsValue();
    void writableFileInReadOnlyFolderIsWritten();

    void binaryFileReadsAndRewrites();
    void enormousFileKeepsUnreadTail();
    void enormousLineWithoutBreak();
    void notARegularFileIsRefused_data();
    void notARegularFileIsRefused();

private:
    QString iniPath() const { return folder_->filePath(u"tavolin.ini"_qs); }

    std::unique_ptr<QTemporaryDir> folder_;
};

void TstIniFile::init()
{
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(folder_->isValid());
}

void TstIniFile::readsValue_data()
{
    QTest::addColumn<QByteArray>("file"); // a null array: no file at all
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QString s = u"S"_qs;
    const QString k = u"K"_qs;
    QTest::newRow("plain") << QByteArray("[Data]\nFileName=/tmp/a.kav\n") << u"Data"_qs
                           << u"FileName"_qs << u"/tmp/a.kav"_qs;
    QTest::newRow("names ignore case")
        << QByteArray("[DATA]\nfilename=x\n") << u"Data"_qs << u"FileName"_qs << u"x"_qs;
    QTest::newRow("blanks around names and values")
        << QByteArray("  [ Data ]  \n\t FileName \t=  /my tasks/a b.kav  \n") << u"Data"_qs
        << u"FileName"_qs << u"/my tasks/a b.kav"_qs;
    QTest::newRow("value holding =") << QByteArray("[S]\nK=a=b\n") << s << k << u"a=b"_qs;
    QTest::newRow("empty value is present") << QByteArray("[S]\nK=\n") << s << k << QString();
    QTest::newRow("missing key") << QByteArray("[S]\nOther=1\n") << s << k << Missing;
    QTest::newRow("key of another section") << QByteArray("[S]\n[T]\nK=1\n") << s << k << Missing;
    QTest::newRow("key before any section") << QByteArray("K=1\n[S]\n") << s << k << Missing;
    QTest::newRow("semicolon comment") << QByteArray("[S]\n;K=1\n") << s << k << Missing;
    QTest::newRow("hash comment") << QByteArray("[S]\n# K=1\nK=2\n") << s << k << u"2"_qs;
    QTest::newRow("line without =") << QByteArray("[S]\njunk line\nK=1\n") << s << k << u"1"_qs;
    QTest::newRow("comment after section name")
        << QByteArray("[S] ; main\nK=1\n") << s << k << u"1"_qs;
    QTest::newRow("duplicated section read as one")
        << QByteArray("[S]\nA=1\n[T]\nK=2\n[s]\nK=3\n") << s << k << u"3"_qs;
    QTest::newRow("duplicated key gives its first value")
        << QByteArray("[S]\nK=1\nK=2\n[S]\nK=3\n") << s << k << u"1"_qs;
    QTest::newRow("CRLF line ends") << QByteArray("[S]\r\nK=1\r\n") << s << k << u"1"_qs;
    QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF[S]\nK=1\n") << s << k << u"1"_qs;
    QTest::newRow("no final line break") << QByteArray("[S]\nK=1") << s << k << u"1"_qs;
    QTest::newRow("UTF-8") << QByteArray("[S]\nK=\xC3\x9Akoly\n") << s << k << u"Úkoly"_qs;
    QTest::newRow("invalid UTF-8") << QByteArray("[S]\nK=a\xFF"
                                                 "b\n")
                                   << s << k << u"a\uFFFDb"_qs;
    QTest::newRow("empty file") << QByteArray("") << s << k << Missing;
    QTest::newRow("no file") << QByteArray() << s << k << Missing;
}

void TstIniFile::readsValue()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    if (!file.isNull())
        WriteFileContents(iniPath(), file);
    const TIniFile ini(iniPath());
    QCOMPARE(ini.ReadString(section, key, Missing), expected);
}

void TstIniFile::readsInteger_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected"); // 42 is the fallback

    QTest::newRow("decimal") << u"10"_qs << 10;
    QTest::newRow("blanks around") << u" 5 "_qs << 5;
    QTest::newRow("leading zeros are not octal") << u"007"_qs << 7;
    QTest::newRow("negative") << u"-7"_qs << -7;
    QTest::newRow("plus sign") << u"+7"_qs << 7;
    QTest::newRow("0x") << u"0x0A"_qs << 10;
    QTest::newRow("0X") << u"0X0a"_qs << 10;
    QTest::newRow("dollar") << u"$ff"_qs << 255;
    QTest::newRow("dollar, capitals") << u"$FF"_qs << 255;
    QTest::newRow("negative hexadecimal") << u"-$10"_qs << -16;
    QTest::newRow("largest") << u"2147483647"_qs << 2147483647;
    QTest::newRow("smallest") << u"-2147483648"_qs << int(-2147483648LL);
    QTest::newRow("overflow") << u"2147483648"_qs << 42;
    QTest::newRow("negative overflow") << u"-2147483649"_qs << 42;
    QTest::newRow("hexadecimal overflow") << u"$80000000"_qs << 42;
    QTest::newRow("far too long") << u"99999999999999999999999"_qs << 42;
    QTest::newRow("word") << u"yes"_qs << 42;
    QTest::newRow("empty") << QString() << 42;
    QTest::newRow("prefix only") << u"0x"_qs << 42;
    QTest::newRow("dollar only") << u"$"_qs << 42;
    QTest::newRow("sign only") << u"-"_qs << 42;
    QTest::newRow("sign after prefix") << u"$-1"_qs << 42;
    QTest::newRow("blank inside") << u"1 2"_qs << 42;
    QTest::newRow("trailing letters") << u"12abc"_qs << 42;
    QTest::newRow("hexadecimal letter without prefix") << u"ff"_qs << 42;
    QTest::newRow("bad hexadecimal digit") << u"0xG"_qs << 42;
    QTest::newRow("decimal fraction") << u"1.5"_qs << 42;
    QTest::newRow("digits of another script") << u"\u0661\u0662"_qs << 42;
}

void TstIniFile::readsInteger()
{
    QFETCH(QString, text);
    QFETCH(int, expected);

    WriteFileContents(iniPath(), "[S]\nK=" + text.toUtf8() + '\n');
    const TIniFile ini(iniPath());
    QCOMPARE(ini.ReadInteger(u"S", u"K", 42), expected);
}

void TstIniFile::readsBool_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("fallback");
    QTest::addColumn<bool>("expected");

    QTest::newRow("1") << u"1"_qs << false << true;
    QTest::newRow("0") << u"0"_qs << true << false;
    QTest::newRow("any other number is true") << u"2"_qs << false << true;
    QTest::newRow("negative is true") << u"-1"_qs << false << true;
    QTest::newRow("hexadecimal zero") << u"0x0"_qs << true << false;
    QTest::newRow("hexadecimal") << u"$10"_qs << false << true;
    QTest::newRow("yes gives false fallback") << u"yes"_qs << false << false;
    QTest::newRow("yes gives true fallback") << u"yes"_qs << true << true;
    QTest::newRow("true is not a number") << u"true"_qs << false << false;
    QTest::newRow("empty") << QString() << true << true;
}

void TstIniFile::readsBool()
{
    QFETCH(QString, text);
    QFETCH(bool, fallback);
    QFETCH(bool, expected);

    WriteFileContents(iniPath(), "[S]\nK=" + text.toUtf8() + '\n');
    const TIniFile ini(iniPath());
    QCOMPARE(ini.ReadBool(u"S", u"K", fallback), expected);
}

void TstIniFile::writeChangesOnlyItsLine_data()
{
    QTest::addColumn<QByteArray>("before"); // a null array: no file at all
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    const QString a = u"A"_qs;
    const QString v = u"v"_qs;
    QTest::newRow("new file") << QByteArray() << a << v << QByteArray("[A]\nk=v\n");
    QTest::newRow("empty file") << QByteArray("") << a << v << QByteArray("[A]\nk=v\n");
    QTest::newRow("in place, other lines kept")
        << QByteArray("; notes\n[A]\nx = 1\nk=old\n# why\njunk\n\n[B]\ny=2\n") << a << v
        << QByteArray("; notes\n[A]\nx = 1\nk=v\n# why\njunk\n\n[B]\ny=2\n");
    QTest::newRow("in place, names ignore case and blanks")
        << QByteArray("[a]\n  K = old\n") << a << v << QByteArray("[a]\nk=v\n");
    QTest::newRow("first of duplicated keys")
        << QByteArray("[A]\nk=1\nk=2\n") << a << v << QByteArray("[A]\nk=v\nk=2\n");
    QTest::newRow("after the section's last value")
        << QByteArray("[A]\nx=1\n; about B\n\n[B]\ny=2\n") << a << v
        << QByteArray("[A]\nx=1\nk=v\n; about B\n\n[B]\ny=2\n");
    QTest::newRow("section without values")
        << QByteArray("[A]\n[B]\n") << a << v << QByteArray("[A]\nk=v\n[B]\n");
    QTest::newRow("duplicated section goes on in its last part")
        << QByteArray("[A]\nx=1\n[B]\n[A]\nz=1\n[C]\n") << a << v
        << QByteArray("[A]\nx=1\n[B]\n[A]\nz=1\nk=v\n[C]\n");
    QTest::newRow("new section after a blank line")
        << QByteArray("[B]\ny=2\n") << a << v << QByteArray("[B]\ny=2\n\n[A]\nk=v\n");
    QTest::newRow("new section after the file's own blank line")
        << QByteArray("[B]\ny=2\n\n") << a << v << QByteArray("[B]\ny=2\n\n[A]\nk=v\n");
    QTest::newRow("key before any section is another key")
        << QByteArray("k=1\n[A]\n") << a << v << QByteArray("k=1\n[A]\nk=v\n");
    QTest::newRow("no final line break")
        << QByteArray("[A]\nx=1") << a << v << QByteArray("[A]\nx=1\nk=v\n");
    QTest::newRow("CRLF rewritten with LF")
        << QByteArray("[A]\r\nx=1\r\n") << a << v << QByteArray("[A]\nx=1\nk=v\n");
    QTest::newRow("bytes of other lines kept") << QByteArray("\x01\xFF junk\n[A]\nk=\xFE\n") << a
                                               << v << QByteArray("\x01\xFF junk\n[A]\nk=v\n");
    QTest::newRow("blanks inside a value unchanged")
        << QByteArray() << a << u"/home/u/My Tasks/a b.kav"_qs
        << QByteArray("[A]\nk=/home/u/My Tasks/a b.kav\n");
    QTest::newRow("UTF-8") << QByteArray() << a << u"Úkoly"_qs
                           << QByteArray("[A]\nk=\xC3\x9Akoly\n");
    QTest::newRow("line breaks become blanks")
        << QByteArray("[A]\nk=1\nz=2\n") << a << u"one\ntwo\r\nthree\rfour"_qs
        << QByteArray("[A]\nk=one two three four\nz=2\n");
}

void TstIniFile::writeChangesOnlyItsLine()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);

    if (!before.isNull())
        WriteFileContents(iniPath(), before);
    TIniFile ini(iniPath());
    ini.WriteString(section, u"k", value);
    QCOMPARE(FileContents(iniPath()), after);
}

void TstIniFile::readsBackWhatItWrote_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("path with blanks") << u"C:\\My Tasks\\a b.kav"_qs << u"C:\\My Tasks\\a b.kav"_qs;
    QTest::newRow("=") << u"a=b"_qs << u"a=b"_qs;
    QTest::newRow("comment characters") << u"; # not a comment"_qs << u"; # not a comment"_qs;
    QTest::newRow("brackets") << u"[Data]"_qs << u"[Data]"_qs;
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("Czech") << u"Příliš žluťoučký kůň"_qs << u"Příliš žluťoučký kůň"_qs;
    // The file cannot tell outer blanks from the blanks around "=".
    QTest::newRow("outer blanks are lost") << u"  padded  "_qs << u"padded"_qs;
}

void TstIniFile::readsBackWhatItWrote()
{
    QFETCH(QString, value);
    QFETCH(QString, expected);

    TIniFile written(iniPath());
    written.WriteString(u"Data", u"FileName", value);
    written.WriteString(u"Data", u"Next", u"after"_qs);
    QCOMPARE(written.ReadString(u"Data", u"FileName", Missing), expected);

    const TIniFile reread(iniPath());
    QCOMPARE(reread.ReadString(u"Data", u"FileName", Missing), expected);
    QCOMPARE(reread.ReadString(u"Data", u"Next", Missing), u"after"_qs);
}

void TstIniFile::writeCreatesFolders()
{
    const QString path = folder_->filePath(u"one/two/tavolin.ini"_qs);
    TIniFile ini(path);
    ini.WriteInteger(u"Environment", u"StyleNo", 3);
    QCOMPARE(FileContents(path), QByteArray("[Environment]\nStyleNo=3\n"));
}

enum class TBlock { FolderIsAFile, ReadOnlyFolder, ReadOnlyFile };

void TstIniFile::failedWriteThrowsAndKeepsValue_data()
{
    QTest::addColumn<TBlock>("block");

    QTest::newRow("folder is a file") << TBlock::FolderIsAFile;
    QTest::newRow("read-only folder") << TBlock::ReadOnlyFolder;
    QTest::newRow("read-only file") << TBlock::ReadOnlyFile;
}

void TstIniFile::failedWriteThrowsAndKeepsValue()
{
    QFETCH(TBlock, block);

    const QString folder = folder_->filePath(u"config"_qs);
    const QString path = folder + u"/tavolin.ini"_qs;
    const QByteArray before = "[Data]\nFileName=old\n";
    std::unique_ptr<TWriteProtection> protection;
    switch (block) {
    case TBlock::FolderIsAFile:
        WriteFileContents(folder, "not a folder");
        break;
    case TBlock::ReadOnlyFolder:
        QVERIFY(QDir().mkpath(folder));
        protection = std::make_unique<TWriteProtection>(folder);
        break;
    case TBlock::ReadOnlyFile:
        QVERIFY(QDir().mkpath(folder));
        WriteFileContents(path, before);
        protection = std::make_unique<TWriteProtection>(path);
        break;
    }
    if (protection && !protection->Blocks())
        QSKIP("This user writes whatever the permissions say");

    const QByteArray onDisk = FileContents(path);
    TIniFile ini(path);
    QCOMPARE(ErrorOf([&] { ini.WriteString(u"Data", u"FileName", u"new"_qs); }),
             u"Unable to write to "_qs + path);
    QCOMPARE(ini.ReadString(u"Data", u"FileName", Missing), u"new"_qs);
    QCOMPARE(FileContents(path), onDisk);

    // Once the file can be written again, the next write carries the kept value along.
    protection.reset();
    if (block == TBlock::FolderIsAFile)
        QVERIFY(QFile::remove(folder));
    ini.WriteInteger(u"Environment", u"StyleNo", 2);
    const TIniFile reread(path);
    QCOMPARE(reread.ReadString(u"Data", u"FileName", Missing), u"new"_qs);
    QCOMPARE(reread.ReadInteger(u"Environment", u"StyleNo", 0), 2);
}

void TstIniFile::writableFileInReadOnlyFolderIsWritten()
{
    const QString folder = folder_->filePath(u"config"_qs);
    const QString path = folder + u"/tavolin.ini"_qs;
    QVERIFY(QDir().mkpath(folder));
    WriteFileContents(path, "[Data]\nFileName=old\n");
    const TWriteProtection protection(folder);
    if (!protection.Blocks())
        QSKIP("This user writes whatever the permissions say");

    TIniFile ini(path);
    ini.WriteString(u"Data", u"FileName", u"new"_qs);
    QCOMPARE(FileContents(path), QByteArray("[Data]\nFileName=new\n"));
}

void TstIniFile::binaryFileReadsAndRewrites()
{
    QRandomGenerator random(20260315);
    QByteArray junk(256 * 1024, Qt::Uninitialized);
    for (char& byte : junk)
        byte = char(random.bounded(256));
    WriteFileContents(iniPath(), junk);

    TIniFile ini(iniPath());
    QCOMPARE(ini.ReadString(u"Data", u"FileName", Missing), Missing);
    QCOMPARE(ini.ReadInteger(u"Environment", u"StyleNo", 42), 42);
    ini.WriteString(u"Data", u"FileName", u"/tmp/a.kav"_qs);

    const TIniFile reread(iniPath());
    QCOMPARE(reread.ReadString(u"Data", u"FileName", Missing), u"/tmp/a.kav"_qs);
}

void TstIniFile::enormousFileKeepsUnreadTail()
{
    QByteArray filler;
    while (filler.size() < 2 * TIniFile::MaxReadSize)
        filler += "a line nobody reads\n";
    const QByteArray late = "[Late]\nk=1\n";
    WriteFileContents(iniPath(), "[A]\nk=1\n" + filler + late);

    TIniFile ini(iniPath());
    QCOMPARE(ini.ReadString(u"A", u"k", Missing), u"1"_qs);
    QCOMPARE(ini.ReadString(u"Late", u"k", Missing), Missing);

    ini.WriteString(u"A", u"k", u"2"_qs);
    QCOMPARE(FileContents(iniPath()), "[A]\nk=2\n" + filler + late);

    // A new section lands among what was read, so that the next start finds it.
    ini.WriteString(u"New", u"k", u"3"_qs);
    ini.WriteString(u"A", u"k", u"4"_qs);
    const QByteArray contents = FileContents(iniPath());
    QCOMPARE(contents.size(),
             8 + filler.size() + QByteArray("\n[New]\nk=3\n").size() + late.size());
    QVERIFY(contents.startsWith("[A]\nk=4\n"));
    QVERIFY(contents.endsWith(late));
    const TIniFile reread(iniPath());
    QCOMPARE(reread.ReadString(u"New", u"k", Missing), u"3"_qs);
}

void TstIniFile::enormousLineWithoutBreak()
{
    const QByteArray line(TIniFile::MaxReadSize + 100, 'x');
    WriteFileContents(iniPath(), line);

    TIniFile ini(iniPath());
    QCOMPARE(ini.ReadString(u"A", u"k", Missing), Missing);
    ini.WriteString(u"A", u"k", u"v"_qs);
    QCOMPARE(FileContents(iniPath()), "[A]\nk=v\n" + line);
}

void TstIniFile::notARegularFileIsRefused_data()
{
    QTest::addColumn<bool>("fifo"); // else a folder
    QTest::newRow("a FIFO") << true;
    QTest::newRow("a folder") << false;
}

void TstIniFile::notARegularFileIsRefused()
{
    QFETCH(bool, fifo);
    if (fifo)
        QVERIFY(::mkfifo(QFile::encodeName(iniPath()).constData(), 0600) == 0);
    else
        QVERIFY(QDir().mkdir(iniPath()));
    // Refused at once: neither waiting for a FIFO's writer nor replacing it at the first write.
    QCOMPARE(ErrorOf([this] { TIniFile ini(iniPath()); }),
             iniPath() + u" is not a regular file"_qs);
    QCOMPARE(QFileInfo(iniPath()).isDir(), !fifo);
}

QTEST_GUILESS_MAIN(TstIniFile)
#include "tst_inifile.moc"
