// The printing benchmark: a generated list printed into a PDF file, in pages per second, with
// the memory the printing adds; and the drawing of one preview page.

#include "BenchSupport.h"
#include "Generator.h"

#include "app/AppStatus.h"
#include "datafile/DataFile.h"
#include "model/Tasks.h"
#include "printing/PdfPrintOut.h"
#include "printing/PrintOut.h"
#include "printing/PrintPorts.h"

#include <QBuffer>
#include <QColor>
#include <QCommandLineParser>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

namespace {

QTextStream out(stdout);

// Stand-ins for the icon list: a framed square in a colour of each picture's own.
class TPlainIcons final : public IIconImages {
public:
    QImage Image(int index) const override
    {
        QImage image(TPrintOut::IconSize, TPrintOut::IconSize, QImage::Format_ARGB32_Premultiplied);
        image.fill(QColor::fromHsv(index * 359 / IconImageCount, 150, 230));
        QPainter painter(&image);
        painter.setPen(Qt::black);
        painter.drawRect(2, 2, 11, 11);
        return image;
    }
};

std::optional<TPrintOutKind> KindNamed(const QString& name)
{
    const QStringList names = {u"outline"_qs, u"todo"_qs, u"projects"_qs, u"goals"_qs, u"done"_qs};
    const qsizetype index = names.indexOf(name);
    if (index < 0)
        return std::nullopt;
    return PrintOutKinds.at(std::size_t(index));
}

// A figure of /proc/self/status in megabytes: VmRSS now, VmHWM the peak since the last reset.
double StatusMb(const QByteArray& field)
{
    QFile status(u"/proc/self/status"_qs);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(QByteArray(field + ':')))
            return line.mid(field.size() + 1).trimmed().split(' ').value(0).toDouble() / 1024;
    }
    return 0;
}

// Lets VmHWM measure the printing alone, not the load before it (Linux 4.0 and later).
void ResetPeakResident()
{
    QFile clearRefs(u"/proc/self/clear_refs"_qs);
    if (clearRefs.open(QIODevice::WriteOnly))
        clearRefs.write("5");
}

// The generated outline, saved and loaded again, so that every view holds its rows.
void LoadGenerated(TCore& core, const QTemporaryDir& folder, int itemCount)
{
    TOutlineGenerator(itemCount, 20261211u, BenchToday()).Generate();
    TDataFile& dataFile = *core.DataFile();
    dataFile.SetFolder(folder.path() + u'/');
    dataFile.SetFileName(u"bench.kav"_qs);
    dataFile.Save();
    dataFile.Load();
    core.Tasks()->UpdateViews();
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Measures printing a generated list into a PDF file."_qs);
    parser.addHelpOption();
    const QCommandLineOption items(u"items"_qs, u"Items of the generated outline."_qs, u"n"_qs,
                                   u"100000"_qs);
    const QCommandLineOption kindOption(u"kind"_qs,
                                        u"The list: outline, todo, projects, goals or done."_qs,
                                        u"kind"_qs, u"outline"_qs);
    const QCommandLineOption runs(u"runs"_qs, u"Runs per figure (at least 3)."_qs, u"n"_qs,
                                  u"3"_qs);
    const QCommandLineOption keep(u"keep"_qs, u"Keep the PDF file of the last run here."_qs,
                                  u"file"_qs);
    parser.addOptions({items, kindOption, runs, keep});
    parser.process(app);
    const int itemCount = qMax(1, parser.value(items).toInt());
    const int runCount = qMax(3, parser.value(runs).toInt());
    const std::optional<TPrintOutKind> kind = KindNamed(parser.value(kindOption));
    if (!kind) {
        out << u"Unknown list: "_qs << parser.value(kindOption) << Qt::endl;
        return 1;
    }

    QTemporaryDir folder;
    TBenchCore bench(folder, BenchToday());
    TCore& core = bench.core();
    LoadGenerated(core, folder, itemCount);
    const double residentBefore = StatusMb("VmRSS");
    ResetPeakResident();
    const TPlainIcons icons;
    const QString path =
        parser.isSet(keep) ? parser.value(keep) : folder.filePath(u"printout.pdf"_qs);

    int pages = 0;
    auto* pageCounter = new TAppStatusListener; // the broadcaster owns it
    pageCounter->SetHandler(
        [&pages](void*, const TAppStatus& status) {
            pages += status.Text().startsWith(u"Printing page"_qs);
        },
        nullptr);
    core.StatusProvider()->AddListener(pageCounter);
    TSamples print{u"print into a PDF file"_qs, {}};
    for (int run = 0; run < runCount; ++run) {
        pages = 0;
        print.ms.push_back(TimeMs([&] { PrintToPdfFile(*kind, path, icons); }));
    }
    const double peakWhilePrinting = StatusMb("VmHWM");
    const int printedPages = pages; // the preview below shows its pages' status texts too

    // The preview's page image of the locale's paper, 800 pixels wide.
    QBuffer nowhere;
    QPdfWriter paper(&nowhere);
    paper.setResolution(TPrintOut::DesignResolution);
    paper.setPageLayout(DefaultPageLayout());
    TPrintOut preview(paper, icons);
    preview.SetTitle(PrintOutName(*kind));
    preview.BuildRows();
    QImage page(800, qRound(800.0 * preview.PageHeight() / preview.PageWidth()),
                QImage::Format_RGB32);
    preview.SetCanvas(&page, true);
    preview.SetScale(double(preview.PageHeight()) / page.height());
    TSamples previewPage{u"one preview page, 800 pixels wide"_qs, {}};
    for (int run = 0; run < 50; ++run) {
        page.fill(Qt::white);
        previewPage.ms.push_back(TimeMs([&] { preview.DrawPage(1 + run % preview.PageCount()); }));
    }

    const double seconds = print.Median() / 1000;
    out << u"Tavolin "_qs << TCore::GetVersion() << u" printing benchmark: "_qs
        << PrintOutName(*kind) << u" of "_qs << itemCount << u" generated items, "_qs
        << preview.RowCount() << u" rows, "_qs << printedPages << u" pages, "_qs
        << QFile(path).size() / 1024 << u" KiB of PDF, "_qs << runCount
        << u" runs\n\n| operation | median ms | range ms |\n|---|---|---|\n"_qs;
    PrintRow(out, print);
    PrintRow(out, previewPage);
    out << u"| pages per second | "_qs << QString::number(printedPages / seconds, 'f', 0)
        << u" | |\n| rows per second | "_qs << QString::number(preview.RowCount() / seconds, 'f', 0)
        << u" | |\n| resident memory before printing | "_qs
        << QString::number(residentBefore, 'f', 0)
        << u" MB | |\n| peak resident memory while printing | "_qs
        << QString::number(peakWhilePrinting, 'f', 0) << u" MB | |\n"_qs;
    return 0;
}
