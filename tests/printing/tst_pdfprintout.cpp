#include "PrintingFixture.h"

#include "languages/LanguagesEngine.h"
#include "model/Contexts.h"
#include "platform/Error.h"
#include "printing/PdfPrintOut.h"
#include "printing/PrintOut.h"
#include "views/ViewsFixture.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <memory>

// Printouts as PDF files: the locale's paper, what the file holds, and a file that cannot be
// written or a printout that is aborted.
class TestPdfPrintOut : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void defaultPaper_data();
    void defaultPaper();
    void printToPdfFile_data();
    void printToPdfFile();
    void printToPdfFile_replacesAnOldFile();
    void printToPdfFile_abortedLeavesTheOldFile();
    void printToPdfFile_folderMissing_throws();

private:
    // The output of a poppler tool on the file; the PDF's text comes with its lines laid out.
    static QString Run(const QString& tool, const QString& path);
    QString PathOf(const QString& name) const { return test_->folder().filePath(name); }
    static bool WriteFile(const QString& path, const QByteArray& content)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
    }

    std::unique_ptr<TTestCore> test_;
    TTestIcons icons_;
};

void TestPdfPrintOut::initTestCase()
{
    for (const QString& tool : {u"pdftotext"_s, u"pdfinfo"_s})
        QVERIFY2(!QStandardPaths::findExecutable(tool).isEmpty(),
                 "pdftotext and pdfinfo come with poppler-utils: run scripts/setup.sh");
}

void TestPdfPrintOut::init()
{
    test_ = std::make_unique<TTestCore>();
    Core().LanguagesEngine()->SetLanguage(TLanguage::English);
    Core().Contexts()->Reset();
}

void TestPdfPrintOut::cleanup()
{
    test_.reset();
}

QString TestPdfPrintOut::Run(const QString& tool, const QString& path)
{
    QProcess process;
    QStringList arguments{path};
    if (tool == u"pdftotext")
        arguments = QStringList{u"-layout"_s, u"-enc"_s, u"UTF-8"_s, path, u"-"_s};
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return u"(%1 failed: %2)"_s.arg(tool, QString::fromUtf8(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput());
}

void TestPdfPrintOut::defaultPaper_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QPageSize::PageSizeId>("paper");

    QTest::newRow("United States") << u"en_US"_s << QPageSize::Letter;
    QTest::newRow("Canada, English") << u"en_CA"_s << QPageSize::Letter;
    QTest::newRow("Canada, French") << u"fr_CA"_s << QPageSize::Letter;
    QTest::newRow("Mexico") << u"es_MX"_s << QPageSize::Letter;
    QTest::newRow("Philippines") << u"fil_PH"_s << QPageSize::Letter;
    QTest::newRow("Czech Republic") << u"cs_CZ"_s << QPageSize::A4;
    QTest::newRow("United Kingdom") << u"en_GB"_s << QPageSize::A4;
    QTest::newRow("Spain") << u"es_ES"_s << QPageSize::A4;
    QTest::newRow("C locale") << u"C"_s << QPageSize::A4;
}

void TestPdfPrintOut::defaultPaper()
{
    QFETCH(QString, locale);
    QFETCH(QPageSize::PageSizeId, paper);

    QCOMPARE(DefaultPaperSize(QLocale(locale)).id(), paper);
    const QPageLayout layout = DefaultPageLayout(QLocale(locale));
    QCOMPARE(layout.pageSize().id(), paper);
    QCOMPARE(layout.orientation(), QPageLayout::Portrait);
}

void TestPdfPrintOut::printToPdfFile_data()
{
    QTest::addColumn<TLanguage>("language");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("paper");

    const QString version = TCore::GetAppName() + u' ' + TCore::GetVersion();
    QTest::newRow("English, Letter") << TLanguage::English << u"en_US"_s
                                     << QStringList{u"Outline"_s, u"Home"_s, u"Fence"_s, u"Paint"_s,
                                                    u"Page 1 from 1 "_s + version}
                                     << u"612 x 792 pts (letter)"_s;
    QTest::newRow("Czech, A4") << TLanguage::Czech << u"cs_CZ"_s
                               << QStringList{u"Přehled"_s, u"Home"_s, u"Fence"_s, u"Paint"_s,
                                              u"Strana 1 z 1 "_s + version}
                               << u"595 x 842 pts (A4)"_s;
}

void TestPdfPrintOut::printToPdfFile()
{
    QFETCH(TLanguage, language);
    QFETCH(QString, locale);
    QFETCH(QStringList, lines);
    QFETCH(QString, paper);
    Core().LanguagesEngine()->SetLanguage(language);
    BuildOutline({u"Area Home"_s, u" Project Fence"_s, u"  Task Paint"_s});
    const QString path = PathOf(u"outline.pdf"_s);

    QVERIFY(PrintToPdfFile(TPrintOutKind::Outline, path, icons_, {}, QLocale(locale)));

    QStringList text;
    for (const QString& line : Run(u"pdftotext"_s, path).split(u'\n')) {
        if (!line.trimmed().isEmpty())
            text.append(line.simplified());
    }
    QCOMPARE(text, lines);
    QHash<QString, QString> info;
    for (const QString& line : Run(u"pdfinfo"_s, path).split(u'\n'))
        info.insert(line.section(u':', 0, 0), line.section(u':', 1).trimmed());
    QCOMPARE(info.value(u"Page size"_s), paper);
    QCOMPARE(info.value(u"Pages"_s), u"1"_s);
    QCOMPARE(info.value(u"Title"_s), lines.first());
}

void TestPdfPrintOut::printToPdfFile_replacesAnOldFile()
{
    BuildOutline({u"Area Home"_s});
    const QString path = PathOf(u"outline.pdf"_s);
    QVERIFY(WriteFile(path, "an older file, longer than a short printout"));

    QVERIFY(PrintToPdfFile(TPrintOutKind::Goals, path, icons_));

    QVERIFY(Run(u"pdftotext"_s, path).startsWith(u"Goals"_s));
    QCOMPARE(QDir(test_->folder().path()).entryList(QDir::Files), QStringList{u"outline.pdf"_s});
}

void TestPdfPrintOut::printToPdfFile_abortedLeavesTheOldFile()
{
    BuildOutline({u"Area Home"_s});
    const QString path = PathOf(u"outline.pdf"_s);
    QVERIFY(WriteFile(path, "the old file"));
    TPrintOut* printing = nullptr;
    TStatusRecorder cancel([&printing](const QString& text) {
        if (printing && text.startsWith(u"Printing page"))
            printing->Abort();
    });

    const bool written = PrintToPdfFile(TPrintOutKind::Outline, path, icons_,
                                        [&printing](TPrintOut& printOut) { printing = &printOut; });

    QVERIFY(!written);
    QFile old(path);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("the old file"));
    QCOMPARE(QDir(test_->folder().path()).entryList(QDir::Files), QStringList{u"outline.pdf"_s});
}

void TestPdfPrintOut::printToPdfFile_folderMissing_throws()
{
    const QString path = PathOf(u"no such folder/outline.pdf"_s);
    try {
        PrintToPdfFile(TPrintOutKind::Outline, path, icons_);
        QFAIL("a file in a missing folder was reported written");
    } catch (const TError& error) {
        QVERIFY2(
            error.Message().startsWith(u"Unable to write to "_s + QDir::toNativeSeparators(path)),
            qPrintable(error.Message()));
    }
    QVERIFY(!QFile::exists(path));
}

QTEST_MAIN(TestPdfPrintOut)
#include "tst_pdfprintout.moc"
