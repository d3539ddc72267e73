#pragma once

#include "printing/PrintOutKind.h"
#include "printing/PrintOutRows.h"
#include "views/Icons.h"

#include <QImage>
#include <QString>
#include <array>

class IIconImages;
class IPrintProgress;
class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

// Lays one list out in pages and draws them: on the printer as one job, or a page at a time on
// a canvas such as the preview's page image. Every length is in device pixels of the printer,
// whose printable area is the page; a canvas receives them divided by the scale.
//
// Printing: SetProgress, SetTitle (which chooses the kind and lays the pages out), BuildRows,
// SetScale(1), PrintDocument. Previewing: SetTitle, BuildRows, SetCanvas(image, true),
// SetScale(PageHeight() / image height), then DrawPage for any page up to PageCount().
class TPrintOut {
public:
    static constexpr int Margin = 20;
    static constexpr int HeaderHeight = 200;
    static constexpr int FooterHeight = 200;
    static constexpr int RowHeight = 100;
    // The resolution the layout is made for: a row is then 4.2 mm high and an icon 3.4 mm wide.
    // A printer or PDF writer set up for printouts uses it.
    static constexpr int DesignResolution = 600;
    // The row texts; the title is 4 points larger and bold.
    static constexpr int TextPointSize = 9;
    static constexpr int IconSize = 16; // pixels of a picture of the icon list
    // Printer pixels kept free between a text and the icon after it.
    static constexpr int TextGap = 20;

    // The printer gives the page metrics and takes PrintDocument's job; printer and icons
    // outlive the print-out. Lays the outline out.
    TPrintOut(QPagedPaintDevice& printer, const IIconImages& icons);
    TPrintOut(const TPrintOut&) = delete;
    TPrintOut& operator=(const TPrintOut&) = delete;

    // The bar shows no percentage until printing starts; none for no bar.
    void SetProgress(IPrintProgress* progress);
    // Chooses the printout whose name (PrintOutName) the title is and lays it out; a title that
    // names none lays the current kind out again.
    void SetTitle(const QString& title);
    // Takes the page metrics of the printer and the row count of the kind's view.
    void SetKind(TPrintOutKind kind);
    // The rows of the kind's view at this moment. The page count follows the rows built.
    void BuildRows();
    // Printer pixels per canvas pixel.
    void SetScale(double scale);
    // Where DrawPage draws outside a print job. With the preview flag an icon is drawn at its
    // own size; without it magnified as on the printer.
    void SetCanvas(QPaintDevice* canvas, bool preview);

    // Shows "Printing page n from m ..." on the status broadcaster, whose listeners let the
    // user's input through, then draws page n (from 1) unless the job has been aborted.
    void DrawPage(int page);
    // Prints every page as one job on the printer. Returns as soon as the job is aborted.
    // Throws TError when the printer cannot start the job or a page.
    void PrintDocument();
    // Stops the running job at the next page: nothing more is drawn.
    void Abort() { aborted_ = true; }
    bool IsAborted() const { return aborted_; }

    const QString& Title() const { return title_; }
    TPrintOutKind Kind() const { return kind_; }
    const TPrintOutRows& Rows() const { return rows_; }
    double Scale() const { return scale_; }

    // The layout, in printer pixels.
    int PageWidth() const { return pageWidth_; }
    int PageHeight() const { return pageHeight_; }
    int BodyHeight() const { return bodyHeight_; }
    int RowsPerPage() const { return rowsPerPage_; }
    int RowCount() const { return rowCount_; }
    int PageCount() const { return pageCount_; }
    // The rows on page n (from 1): indices from FirstRowOf up to EndRowOf, exclusive.
    int FirstRowOf(int page) const;
    int EndRowOf(int page) const;
    // The top of the j-th row of a page (from 0).
    static int RowTop(int indexOnPage) { return Margin + HeaderHeight + indexOnPage * RowHeight; }
    // The left edge of an element at a percentage of the printable width.
    int ElementLeft(int position) const;
    int FooterTop() const { return Margin + HeaderHeight + bodyHeight_ + 15; }
    // Printer pixels per icon pixel, each way: 0.2 mm.
    int IconMagnification() const { return iconMagnification_; }

    // "Page n from m", or with another key in front of n.
    QString PageOfPages(const QString& key, int page) const;

private:
    struct TCanvasFont;

    // The rows and the pages they take, at least one.
    void SetRowCount(int rowCount);
    void DrawOn(QPainter& painter, int page);
    void DrawRow(QPainter& painter, const TCanvasFont& font, const TPrintOutRow& row,
                 int top) const;
    // The text's top-left corner at canvas x and printer top; neither clipped nor wrapped.
    void DrawText(QPainter& painter, const TCanvasFont& font, double x, int top,
                  const QString& text) const;
    void DrawIcon(QPainter& painter, int left, int top, TIconKind icon) const;
    TCanvasFont CanvasFont(const QPaintDevice& canvas, int pointSize, bool bold) const;
    int ToCanvas(double printerPixels) const;

    QPagedPaintDevice& printer_;
    const IIconImages& icons_;
    IPrintProgress* progress_ = nullptr;
    TPrintOutKind kind_ = TPrintOutKind::Outline;
    QString title_;
    TPrintOutRows rows_;

    int pageWidth_ = 0;
    int pageHeight_ = 0;
    int resolutionY_ = 0;
    int bodyHeight_ = 0;
    int rowsPerPage_ = 1;
    int rowCount_ = 0;
    int pageCount_ = 1;
    int iconMagnification_ = 1;
    // The pictures at their own size, and magnified for the printer; by image index.
    std::array<QImage, IconImageCount> pictures_;
    std::array<QImage, IconImageCount> magnified_;

    QPaintDevice* canvas_ = nullptr;
    bool preview_ = false;
    double scale_ = 1;
    QPainter* job_ = nullptr; // the printer's painter while PrintDocument runs
    bool aborted_ = false;
};
