#include "PrintingFixture.h"

#include "app/Config.h"
#include "languages/LanguagesEngine.h"
#include "model/Contexts.h"
#include "model/Tasks.h"
#include "platform/Error.h"
#include "printing/PrintOut.h"
#include "views/Done.h"
#include "views/Goals.h"
#include "views/Outline.h"
#include "views/Projects.h"
#include "views/ToDo.h"
#include "views/ViewsFixture.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <memory>

// The print-out engine: layout, rows of the five lists, drawing, printing and aborting.
class TestPrintOut : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void layout_data();
    void layout();
    void iconMagnification_data();
    void iconMagnification();
    void pages_data();
    void pages();
    void title_data();
    void title();

    void outlineRows_everyNodeIndentedByDepth();
    void outlineRows_deeperThanThePageIsWide();
    void toDoRows_data();
    void toDoRows();
    void listRows_data();
    void listRows();

    void emptyList_onePageWithTitleAndFooter();
    void drawPage_placesEveryElement();
    void toDoDate_endsBeforeTheIconAfterIt_data();
    void toDoDate_endsBeforeTheIconAfterIt();
    void preview_scalesCoordinatesAndKeepsIconsAtTheirSize();
    void icons_eachPixelASharpSquare_data();
    void icons_eachPixelASharpSquare();
    void czech_footerAndStatus();

    void printDocument_pagesStatusAndProgress();
    void printDocument_abortStopsBeforeTheNextPage();
    void printDocument_printerThatCannotStart_throws();

private:
    // Top-level tasks "Item 1" to "Item count", each with its outline node.
    static void AddItems(int count);
    static QString VersionText() { return TCore::GetAppName() + u' ' + TCore::GetVersion(); }

    std::unique_ptr<TTestCore> test_;
    TTestIcons icons_;
};

void TestPrintOut::init()
{
    test_ = std::make_unique<TTestCore>();
    Core().LanguagesEngine()->SetLanguage(TLanguage::English);
    Core().Contexts()->Reset();
}

void TestPrintOut::cleanup()
{
    test_.reset();
}

void TestPrintOut::AddItems(int count)
{
    for (int number = 1; number <= count; ++number)
        Core().Outline()->AddItemNode(
            *AddItem(nullptr, u"Item "_s + QString::number(number), TTaskType::Task));
}

void TestPrintOut::layout_data()
{
    QTest::addColumn<int>("pageHeight");
    QTest::addColumn<int>("bodyHeight");
    QTest::addColumn<int>("rowsPerPage");

    // The last of 64 rows reaches 26 pixels past the body.
    QTest::newRow("64 rows, rounded up") << 6814 << 6374 << 64;
    QTest::newRow("half a row more, down to even") << 6890 << 6450 << 64;
    QTest::newRow("half a row less, up to even") << 6790 << 6350 << 64;
    QTest::newRow("just over half a row") << 6891 << 6451 << 65;
    QTest::newRow("half a row only: one row") << 490 << 50 << 1;
    QTest::newRow("no body at all: one row") << 300 << -140 << 1;
}

void TestPrintOut::layout()
{
    QFETCH(int, pageHeight);
    QFETCH(int, bodyHeight);
    QFETCH(int, rowsPerPage);
    AddItems(3);
    TTestPrinter printer(4000, pageHeight);

    TPrintOut printOut(printer.device(), icons_);
    printOut.SetTitle(u"Outline"_s);

    QCOMPARE(printOut.PageWidth(), 4000);
    QCOMPARE(printOut.PageHeight(), pageHeight);
    QCOMPARE(printOut.BodyHeight(), bodyHeight);
    QCOMPARE(printOut.RowsPerPage(), rowsPerPage);
    QCOMPARE(printOut.FooterTop(), pageHeight - 205);
    QCOMPARE(printOut.PageCount(), (3 + rowsPerPage - 1) / rowsPerPage);
    // 20 + 3 % of the 3960 printable pixels (118.8) + 1.
    QCOMPARE(printOut.ElementLeft(3), 140);
    QCOMPARE(printOut.ElementLeft(0), 21);
    QCOMPARE(TPrintOut::RowTop(2), 420);
}

void TestPrintOut::iconMagnification_data()
{
    QTest::addColumn<int>("resolution");
    QTest::addColumn<int>("magnification");

    QTest::newRow("600 dpi") << 600 << 5;
    QTest::newRow("300 dpi") << 300 << 2;
    QTest::newRow("1200 dpi") << 1200 << 9;
    QTest::newRow("72 dpi") << 72 << 1;
    QTest::newRow("50 dpi: one pixel, not none") << 50 << 1;
}

void TestPrintOut::iconMagnification()
{
    QFETCH(int, resolution);
    QFETCH(int, magnification);
    // Whole points at any of these resolutions.
    TTestPrinter printer(resolution * 4, resolution * 6, resolution);

    QCOMPARE(TPrintOut(printer.device(), icons_).IconMagnification(), magnification);
}

void TestPrintOut::pages_data()
{
    QTest::addColumn<int>("rows");
    // Per page, the numbers of its first and last item, "-" for a page without rows.
    QTest::addColumn<QStringList>("pages");

    QTest::newRow("none") << 0 << QStringList{u"-"_s};
    QTest::newRow("one") << 1 << QStringList{u"1-1"_s};
    QTest::newRow("64: one full page") << 64 << QStringList{u"1-64"_s};
    QTest::newRow("65: a second page with one row") << 65 << QStringList{u"1-64"_s, u"65-65"_s};
    QTest::newRow("129") << 129 << QStringList{u"1-64"_s, u"65-128"_s, u"129-129"_s};
}

void TestPrintOut::pages()
{
    QFETCH(int, rows);
    QFETCH(QStringList, pages);
    AddItems(rows);
    TTestPrinter printer(4000, 6814);
    TPrintOut printOut(printer.device(), icons_);
    printOut.SetTitle(u"Outline"_s);
    printOut.BuildRows();
    QCOMPARE(printOut.RowCount(), rows);
    QCOMPARE(printOut.PageCount(), pages.size());

    TRecordingCanvas canvas(4000, 6814, 72);
    printOut.SetCanvas(&canvas, false);
    for (int page = 1; page <= printOut.PageCount(); ++page) {
        QStringList expected;
        if (pages.at(page - 1) != u"-") {
            const QStringList range = pages.at(page - 1).split(u'-');
            for (int number = range.at(0).toInt(); number <= range.at(1).toInt(); ++number)
                expected.append(u"Item "_s + QString::number(number));
        }
        canvas.Clear();
        printOut.DrawPage(page);

        // Title, page number and version come first, then the rows from the top of the body.
        const QStringList texts = canvas.TextStrings();
        QCOMPARE(texts.mid(3), expected);
        QCOMPARE(texts.at(1), u"Page %1 from %2"_s.arg(page).arg(pages.size()));
        for (int row = 0; row < expected.size(); ++row)
            QCOMPARE(canvas.TopOf(canvas.Texts().at(3 + row)), double(TPrintOut::RowTop(row)));
    }
}

void TestPrintOut::title_data()
{
    QTest::addColumn<TLanguage>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<TPrintOutKind>("kind");

    const auto english = TLanguage::English;
    const auto czech = TLanguage::Czech;
    QTest::newRow("Outline") << english << u"Outline"_s << TPrintOutKind::Outline;
    QTest::newRow("To do") << english << u"To do"_s << TPrintOutKind::ToDo;
    QTest::newRow("Projects") << english << u"Projects"_s << TPrintOutKind::Projects;
    QTest::newRow("Goals") << english << u"Goals"_s << TPrintOutKind::Goals;
    QTest::newRow("Done") << english << u"Done"_s << TPrintOutKind::Done;
    QTest::newRow("Přehled") << czech << u"Přehled"_s << TPrintOutKind::Outline;
    QTest::newRow("Udělat") << czech << u"Udělat"_s << TPrintOutKind::ToDo;
    QTest::newRow("Projekty") << czech << u"Projekty"_s << TPrintOutKind::Projects;
    QTest::newRow("Cíle") << czech << u"Cíle"_s << TPrintOutKind::Goals;
    QTest::newRow("Hotovo") << czech << u"Hotovo"_s << TPrintOutKind::Done;
    QTest::newRow("English name in Czech: kind stays")
        << czech << u"Done"_s << TPrintOutKind::Goals;
    QTest::newRow("no list's name: kind stays") << english << u"Shopping"_s << TPrintOutKind::Goals;
}

void TestPrintOut::title()
{
    QFETCH(TLanguage, language);
    QFETCH(QString, title);
    QFETCH(TPrintOutKind, kind);
    Core().LanguagesEngine()->SetLanguage(language);
    const auto items = BuildOutline({u"Goal Garden"_s, u"Goal Lawn"_s, u"Task Paint"_s});
    items.value(u"Paint"_s)->SetChecked(true);
    Core().Tasks()->UpdateViews();
    TTestPrinter printer(4000, 6814);
    TPrintOut printOut(printer.device(), icons_);
    printOut.SetKind(TPrintOutKind::Goals);

    printOut.SetTitle(title);

    QCOMPARE(printOut.Title(), title);
    QCOMPARE(printOut.Kind(), kind);
    const QMap<TPrintOutKind, int> rowCounts = {{TPrintOutKind::Outline, 3},
                                                {TPrintOutKind::ToDo, 0},
                                                {TPrintOutKind::Projects, 0},
                                                {TPrintOutKind::Goals, 2},
                                                {TPrintOutKind::Done, 1}};
    QCOMPARE(printOut.RowCount(), rowCounts.value(kind));
}

void TestPrintOut::outlineRows_everyNodeIndentedByDepth()
{
    const auto items =
        BuildOutline({u"Area Home"_s, u" Project Fence"_s, u"  Task Paint"_s, u"   Task Brush"_s,
                      u" Goal Garden"_s, u"Area Work"_s, u" Idea Tea"_s});
    items.value(u"Paint"_s)->SetChecked(true);
    TOutlineTree& tree = Core().Outline()->Tree();
    tree.SetExpanded(items.value(u"Home"_s)->OutlineNode(), false, true);
    QVERIFY(!items.value(u"Fence"_s)->OutlineNode()->IsExpanded());
    TTestPrinter printer(4000, 6814);
    TPrintOut printOut(printer.device(), icons_);
    printOut.SetTitle(u"Outline"_s);

    printOut.BuildRows();

    // Areas have no check box; a done item's box is ticked (icon 6), as in the outline itself.
    QCOMPARE(Describe(printOut.Rows()), QStringList({
                                            u"#3@2 Home@4"_s,
                                            u"#5@3 #1@5 Fence@7"_s,
                                            u"#6@6 #0@8 Paint@10"_s,
                                            u"#5@9 #0@11 Brush@13"_s,
                                            u"#5@3 #2@5 Garden@7"_s,
                                            u"#3@2 Work@4"_s,
                                            u"#5@3 #4@5 Tea@7"_s,
                                        }));
    QCOMPARE(printOut.RowCount(), 7);
}

void TestPrintOut::outlineRows_deeperThanThePageIsWide()
{
    TTask* parent = nullptr;
    for (int level = 1; level <= 40; ++level) {
        parent = AddItem(parent, u"Level "_s + QString::number(level), TTaskType::Task);
        Core().Outline()->AddItemNode(*parent);
    }
    TTestPrinter printer(4000, 6814);
    TPrintOut printOut(printer.device(), icons_);
    printOut.SetTitle(u"Outline"_s);
    printOut.BuildRows();
    QCOMPARE(Describe(printOut.Rows().At(39)), u"#5@117 #0@119 Level 40@121"_s);
    TRecordingCanvas canvas(4000, 6814, 72);
    printOut.SetCanvas(&canvas, false);

    printOut.DrawPage(1);

    // Past 100 % an element starts off the paper and is not drawn at all: level 33's name at
    // 100 % is the last text to start on it, level 34's check box at 99 % the last icon.
    QCOMPARE(canvas.TextStrings().last(), u"Level 33"_s);
    for (const TRecordingCanvas::TImage& image : canvas.Images())
        QVERIFY(image.rect.left() < 4000);
    QCOMPARE(canvas.Images().last().rect.left(), printOut.ElementLeft(3 * 33));
}

void TestPrintOut::toDoRows_data()
{
    QTest::addColumn<TAccomplishType>("mode");
    QTest::addColumn<bool>("knownContext");
    QTest::addColumn<QString>("row");

    // Today is 3/15/2026; the item is due today, so every mode is on the list.
    QTest::newRow("once: no date, context icon")
        << TAccomplishType::Once << true << u"#5@0 Paint@3 @75 #15@82 Home@85"_s;
    QTest::newRow("by due date: date, context icon")
        << TAccomplishType::ByDueDate << true << u"#5@0 Paint@3 3/15/2026@75 #15@82 Home@85"_s;
    QTest::newRow("routinely: date, repeats icon")
        << TAccomplishType::Routinely << true << u"#5@0 Paint@3 3/15/2026@75 #8@82 Home@85"_s;
    QTest::newRow("context that is gone")
        << TAccomplishType::Once << false << u"#5@0 Paint@3 @75 #15@82 @85"_s;
}

void TestPrintOut::toDoRows()
{
    QFETCH(TAccomplishType, mode);
    QFETCH(bool, knownContext);
    QFETCH(QString, row);
    TTask* paint = AddItem(nullptr, u"Paint"_s, TTaskType::Task);
    paint->SetContextId(knownContext ? AddContext(u"Home"_s)->Id() : QUuid::createUuid());
    paint->SetAccomplishType(mode);
    paint->SetNextDate(test_->clock().Today());
    Core().Outline()->AddItemNode(*paint);
    Core().TodoView()->FillContextChooser();
    Core().Tasks()->UpdateViews();
    TTestPrinter printer(4000, 6814);
    TPrintOut printOut(printer.device(), icons_);
    printOut.SetTitle(u"To do"_s);

    printOut.BuildRows();

    QCOMPARE(Describe(printOut.Rows()), QStringList{row});
}

void TestPrintOut::listRows_data()
{
    QTest::addColumn<TPrintOutKind>("kind");
    QTest::addColumn<QStringList>("rows");

    // The done list orders tasks before areas; an area carries no check box.
    QTest::newRow("done") << TPrintOutKind::Done
                          << QStringList{u"#6@0 #0@2 Paint@4"_s, u"#3@2 Home@4"_s};
    // The more important goal first, as the goals list has it; direct subitems counted.
    QTest::newRow("goals") << TPrintOutKind::Goals
                           << QStringList{u"#5@0 #2@2 Lawn@4 0@90"_s, u"#5@0 #2@2 Garden@4 2@90"_s};
    QTest::newRow("projects") << TPrintOutKind::Projects
                              << QStringList{u"#5@0 #1@2 Fence@4 1@90"_s};
}

void TestPrintOut::listRows()
{
    QFETCH(TPrintOutKind, kind);
    QFETCH(QStringList, rows);
    const auto items = BuildOutline({u"Area Home"_s, u" Goal Garden"_s, u"  Project Fence"_s,
                                     u"   Task Paint"_s, u"  Task Dig"_s, u" Goal Lawn"_s});
    items.value(u"Home"_s)->SetChecked(true);
    items.value(u"Paint"_s)->SetChecked(true);
    items.value(u"Lawn"_s)->SetImportance(200);
    Core().Tasks()->UpdateViews();
    TTestPrinter printer(4000, 6814);
    TPrintOut printOut(printer.device(), icons_);
    printOut.SetKind(kind);

    printOut.BuildRows();

    QCOMPARE(Describe(printOut.Rows()), rows);
}

void TestPrintOut::emptyList_onePageWithTitleAndFooter()
{
    TTestPrinter printer(4000, 6814);
    TPrintOut printOut(printer.device(), icons_);
    printOut.SetTitle(u"Goals"_s);
    printOut.BuildRows();
    QCOMPARE(printOut.PageCount(), 1);
    TRecordingCanvas canvas(4000, 6814, 72);
    printOut.SetCanvas(&canvas, false);

    printOut.DrawPage(1);

    QCOMPARE(canvas.TextStrings(), QStringList({u"Goals"_s, u"Page 1 from 1"_s, VersionText()}));
    QVERIFY(canvas.Images().isEmpty());
}

void TestPrintOut::drawPage_placesEveryElement()
{
    TTask* paint = AddItem(nullptr, u"Paint"_s, TTaskType::Task);
    paint->SetContextId(AddContext(u"Home"_s)->Id());
    paint->SetAccomplishType(TAccomplishType::Routinely);
    paint->SetNextDate(test_->clock().Today());
    Core().Outline()->AddItemNode(*paint);
    Core().TodoView()->FillContextChooser();
    Core().Tasks()->UpdateViews();
    // 600 dpi: an icon pixel is 5 × 5 device pixels.
    TTestPrinter printer(5000, 6825, 600);
    TPrintOut printOut(printer.device(), icons_);
    printOut.SetTitle(u"To do"_s);
    printOut.BuildRows();
    TRecordingCanvas canvas(5000, 6825, 600);
    printOut.SetCanvas(&canvas, false);
    TStatusRecorder status;

    printOut.DrawPage(1);

    QCOMPARE(status.texts, QStringList{u"Printing page 1 from 1 ..."_s});
    const QList<TRecordingCanvas::TText>& texts = canvas.Texts();
    QCOMPARE(canvas.TextStrings(), QStringList({u"To do"_s, u"Page 1 from 1"_s, VersionText(),
                                                u"Paint"_s, u"3/15/2026"_s, u"Home"_s}));
    // Title: bold, 4 points larger, top-left corner at (20, 20).
    QVERIFY(texts.at(0).font.bold());
    QCOMPARE(texts.at(0).font.pointSizeF(), 13.0);
    QCOMPARE(texts.at(0).baseline.x(), 20.0);
    QCOMPARE(canvas.TopOf(texts.at(0)), 20.0);
    // Footer: the page on the left, the version ending 20 pixels before the right edge.
    QVERIFY(!texts.at(1).font.bold());
    QCOMPARE(texts.at(1).font.pointSizeF(), 9.0);
    QCOMPARE(texts.at(1).baseline.x(), 20.0);
    QCOMPARE(canvas.TopOf(texts.at(1)), double(6825 - 205));
    const double versionWidth =
        QFontMetricsF(texts.at(2).font, &canvas).horizontalAdvance(VersionText());
    QCOMPARE(texts.at(2).baseline.x() + versionWidth, 5000.0 - 20);
    QCOMPARE(canvas.TopOf(texts.at(2)), double(6825 - 205));
    // The row's texts at 3 % and 85 % of the 4960 printable pixels; the date, wider than its
    // 7 %, ends 20 pixels before the icon at 82 % instead of under it.
    for (int element = 3; element < 6; ++element)
        QCOMPARE(canvas.TopOf(texts.at(element)), 220.0);
    QCOMPARE(texts.at(3).baseline.x(), 20.0 + 149 + 1);
    QCOMPARE(texts.at(5).baseline.x(), 20.0 + 4216 + 1);
    const double dateWidth =
        QFontMetricsF(texts.at(4).font, &canvas).horizontalAdvance(u"3/15/2026"_s);
    QCOMPARE(texts.at(4).baseline.x() + dateWidth, 20.0 + 4067 + 1 - 20);
    // The icons: not done at 0 %, repeats at 82 %, each 16 × 5 pixels square.
    const QList<TRecordingCanvas::TImage>& images = canvas.Images();
    QCOMPARE(images.size(), 2);
    QCOMPARE(images.at(0).rect, QRect(21, 220, 80, 80));
    QCOMPARE(TTestIcons::IndexOf(images.at(0).image), TIconProvider::IconIndex(TIconKind::NotDone));
    QCOMPARE(images.at(1).rect, QRect(20 + 4067 + 1, 220, 80, 80));
    QCOMPARE(TTestIcons::IndexOf(images.at(1).image), TIconProvider::IconIndex(TIconKind::Repeats));
}

void TestPrintOut::toDoDate_endsBeforeTheIconAfterIt_data()
{
    QTest::addColumn<int>("pageWidth");
    QTest::addColumn<bool>("fits");

    QTest::newRow("a sheet of paper: moved left") << 5000 << false;
    QTest::newRow("a wide page: at 75 %") << 12000 << true;
}

void TestPrintOut::toDoDate_endsBeforeTheIconAfterIt()
{
    QFETCH(int, pageWidth);
    QFETCH(bool, fits);
    TTask* paint = AddItem(nullptr, u"Paint"_s, TTaskType::Task);
    paint->SetAccomplishType(TAccomplishType::ByDueDate);
    paint->SetNextDate(test_->clock().Today());
    Core().Outline()->AddItemNode(*paint);
    Core().Tasks()->UpdateViews();
    TTestPrinter printer(pageWidth, 6825, 600);
    TPrintOut printOut(printer.device(), icons_);
    printOut.SetTitle(u"To do"_s);
    printOut.BuildRows();
    TRecordingCanvas canvas(pageWidth, 6825, 600);
    printOut.SetCanvas(&canvas, false);

    printOut.DrawPage(1);

    const TRecordingCanvas::TText& date = canvas.Texts().at(4);
    QCOMPARE(date.text, u"3/15/2026"_s);
    const double right =
        date.baseline.x() + QFontMetricsF(date.font, &canvas).horizontalAdvance(date.text);
    const int iconLeft = printOut.ElementLeft(82);
    if (fits) {
        QCOMPARE(date.baseline.x(), double(printOut.ElementLeft(75)));
        QVERIFY(right < iconLeft - TPrintOut::TextGap);
    } else {
        QVERIFY(date.baseline.x() < printOut.ElementLeft(75));
        QCOMPARE(right, double(iconLeft - TPrintOut::TextGap));
    }
}

void TestPrintOut::preview_scalesCoordinatesAndKeepsIconsAtTheirSize()
{
    BuildOutline({u"Project Fence"_s});
    TTestPrinter printer(5000, 6825, 600);
    TPrintOut printOut(printer.device(), icons_);
    printOut.SetTitle(u"Outline"_s);
    printOut.BuildRows();
    // A page image 800 pixels wide at the screen's 96 dpi.
    TRecordingCanvas canvas(800, 1092, 96);
    printOut.SetCanvas(&canvas, true);
    printOut.SetScale(6825 / 1092.0); // 6.25

    printOut.DrawPage(1);

    const QList<TRecordingCanvas::TText>& texts = canvas.Texts();
    QCOMPARE(canvas.TextStrings(),
             QStringList({u"Outline"_s, u"Page 1 from 1"_s, VersionText(), u"Fence"_s}));
    // The sizes in points on the printer, carried over through the scale: the same proportions.
    QCOMPARE(texts.at(0).font.pointSizeF(), 13 * 600 / 6.25 / 96);
    QCOMPARE(texts.at(3).font.pointSizeF(), 9 * 600 / 6.25 / 96);
    // 20 / 6.25 = 3.2 and 220 / 6.25 = 35.2 round down; 6620 / 6.25 = 1059.2 too.
    QCOMPARE(texts.at(0).baseline.x(), 3.0);
    QCOMPARE(canvas.TopOf(texts.at(0)), 3.0);
    QCOMPARE(canvas.TopOf(texts.at(1)), 1059.0);
    // Fence's name at 4 %: 20 + 198 + 1 = 219 printer pixels, 35.04 on the page image.
    QCOMPARE(texts.at(3).baseline.x(), 35.0);
    QCOMPARE(canvas.TopOf(texts.at(3)), 35.0);
    const QList<TRecordingCanvas::TImage>& images = canvas.Images();
    QCOMPARE(images.size(), 2);
    QCOMPARE(images.at(0).rect, QRect(3, 35, 16, 16)); // check box at 21 / 6.25 = 3.36
    QCOMPARE(images.at(0).image.size(), QSize(16, 16));
    QCOMPARE(images.at(1).rect, QRect(19, 35, 16, 16)); // type icon at 120 / 6.25 = 19.2
    QCOMPARE(TTestIcons::IndexOf(images.at(1).image), TIconProvider::IconIndex(TIconKind::Project));
}

void TestPrintOut::icons_eachPixelASharpSquare_data()
{
    QTest::addColumn<int>("resolution");
    QTest::addColumn<int>("magnification");

    QTest::newRow("600 dpi") << 600 << 5;
    QTest::newRow("300 dpi") << 300 << 2;
}

void TestPrintOut::icons_eachPixelASharpSquare()
{
    QFETCH(int, resolution);
    QFETCH(int, magnification);
    BuildOutline({u"Task Paint"_s});
    // Eight inches wide, as paper is: the type icon at 2 % stays clear of the check box.
    const QSize page(resolution * 8, resolution * 3);
    TTestPrinter printer(page.width(), page.height(), resolution);
    TPrintOut printOut(printer.device(), icons_);
    printOut.SetTitle(u"Outline"_s);
    printOut.BuildRows();
    QImage canvas(page, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    printOut.SetCanvas(&canvas, false);

    printOut.DrawPage(1);

    // The check box of the one row, at (21, 220): every picture pixel a k × k square of its
    // colour, nothing blended, and nothing drawn beyond 16 k pixels.
    const QImage picture = icons_.Image(TIconProvider::IconIndex(TIconKind::NotDone));
    const int k = magnification;
    for (int y = 0; y < 16 * k; ++y) {
        for (int x = 0; x < 16 * k; ++x) {
            if (canvas.pixel(21 + x, 220 + y) != picture.pixel(x / k, y / k))
                QFAIL(qPrintable(u"device pixel (%1, %2) of the icon"_s.arg(x).arg(y)));
        }
    }
    QCOMPARE(canvas.pixel(21 + 16 * k, 220), qRgb(255, 255, 255));
    QCOMPARE(canvas.pixel(21, 220 + 16 * k), qRgb(255, 255, 255));
}

void TestPrintOut::czech_footerAndStatus()
{
    Core().LanguagesEngine()->SetLanguage(TLanguage::Czech);
    AddItems(150);
    TTestPrinter printer(4000, 6814);
    TPrintOut printOut(printer.device(), icons_);
    printOut.SetTitle(PrintOutName(TPrintOutKind::Outline));
    printOut.BuildRows();
    TRecordingCanvas canvas(4000, 6814, 72);
    printOut.SetCanvas(&canvas, false);
    TStatusRecorder status;

    printOut.DrawPage(1);

    QCOMPARE(printOut.Kind(), TPrintOutKind::Outline);
    QCOMPARE(status.texts, QStringList{u"Tiskne se strana 1 z 3 ..."_s});
    QCOMPARE(canvas.TextStrings().mid(0, 3),
             QStringList({u"Přehled"_s, u"Strana 1 z 3"_s, VersionText()}));
}

void TestPrintOut::printDocument_pagesStatusAndProgress()
{
    AddItems(65);
    TTestPrinter printer(4000, 6814);
    TPrintOut printOut(printer.device(), icons_);
    TRecordingProgress progress;
    printOut.SetProgress(&progress);
    QCOMPARE(progress.calls, QStringList{u"percent off"_s});
    printOut.SetTitle(u"Outline"_s);
    printOut.BuildRows();
    TStatusRecorder status;

    printOut.PrintDocument();

    QStringList expected = {u"percent off"_s, u"maximum 65"_s, u"percent on"_s};
    for (int row = 0; row < 65; ++row)
        expected.append(u"at "_s + QString::number(row));
    QCOMPARE(progress.calls, expected);
    QCOMPARE(status.texts, QStringList({u"Printing page 1 from 2 ..."_s,
                                        u"Printing page 2 from 2 ..."_s, QString()}));
    QVERIFY(!printOut.IsAborted());
    QCOMPARE(printer.PageCount(), 2);
}

void TestPrintOut::printDocument_abortStopsBeforeTheNextPage()
{
    AddItems(150);
    TTestPrinter printer(4000, 6814);
    TPrintOut printOut(printer.device(), icons_);
    TRecordingProgress progress;
    printOut.SetProgress(&progress);
    printOut.SetTitle(u"Outline"_s);
    printOut.BuildRows();
    // The user's Cancel gets through while the second page's status text is shown.
    TStatusRecorder status([&printOut](const QString& text) {
        if (text.startsWith(u"Printing page 2 "))
            printOut.Abort();
    });

    printOut.PrintDocument();

    QVERIFY(printOut.IsAborted());
    QCOMPARE(status.texts, QStringList({u"Printing page 1 from 3 ..."_s,
                                        u"Printing page 2 from 3 ..."_s, QString()}));
    QCOMPARE(progress.calls.last(), u"at 63"_s);
    QCOMPARE(printer.PageCount(), 1);
}

void TestPrintOut::printDocument_printerThatCannotStart_throws()
{
    QPdfWriter printer(test_->folder().filePath(u"no such folder/out.pdf"_s));
    TPrintOut printOut(printer, icons_);
    printOut.SetTitle(u"Outline"_s);
    printOut.BuildRows();
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");

    QVERIFY_THROWS_EXCEPTION(TError, printOut.PrintDocument());
}

QTEST_MAIN(TestPrintOut)
#include "tst_printout.moc"
