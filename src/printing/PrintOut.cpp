#include "printing/PrintOut.h"

#include "app/AppCore.h"
#include "platform/Error.h"
#include "printing/PrintOutSource.h"
#include "printing/PrintPorts.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QScopeGuard>
#include <algorithm>
#include <cmath>

namespace {

// Every rounding of the layout goes to the nearest integer, halves to the even one.
int RoundEven(double value)
{
    return int(std::nearbyint(value));
}

} // namespace

struct TPrintOut::TCanvasFont {
    QFont font;
    QFontMetricsF metrics; // on the canvas
};

TPrintOut::TPrintOut(QPagedPaintDevice& printer, const IIconImages& icons)
    : printer_(printer), icons_(icons)
{
    for (int index = 0; index < IconImageCount; ++index) {
        QImage picture = icons_.Image(index);
        if (!picture.isNull() && picture.size() != QSize(IconSize, IconSize))
            picture =
                picture.scaled(IconSize, IconSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        pictures_[std::size_t(index)] = picture;
    }
    SetKind(kind_);
}

void TPrintOut::SetProgress(IPrintProgress* progress)
{
    progress_ = progress;
    if (progress_)
        progress_->SetPercentShown(false);
}

void TPrintOut::SetTitle(const QString& title)
{
    title_ = title;
    SetKind(PrintOutKindNamed(title).value_or(kind_));
}

void TPrintOut::SetKind(TPrintOutKind kind)
{
    kind_ = kind;
    pageWidth_ = printer_.width();
    pageHeight_ = printer_.height();
    resolutionY_ = printer_.logicalDpiY();
    bodyHeight_ = pageHeight_ - Margin - HeaderHeight - FooterHeight - Margin;
    // A page too short for half a row still takes one, rather than none and no end of pages.
    rowsPerPage_ = std::max(1, RoundEven(double(bodyHeight_) / RowHeight));
    SetRowCount(PrintOutSource::RowCount(kind_));

    // Below 64 dpi the 0.2 mm of an icon pixel would round to nothing.
    iconMagnification_ = std::max(1, RoundEven(printer_.logicalDpiX() / 25.4 / 5));
    const int side = IconSize * iconMagnification_;
    for (std::size_t index = 0; index < pictures_.size(); ++index) {
        const QImage& picture = pictures_[index];
        magnified_[index] = picture.isNull() ? QImage()
                                             : picture.scaled(side, side, Qt::IgnoreAspectRatio,
                                                              Qt::FastTransformation);
    }
}

void TPrintOut::BuildRows()
{
    PrintOutSource::BuildRows(kind_, rows_);
    SetRowCount(rows_.Count());
}

void TPrintOut::SetRowCount(int rowCount)
{
    rowCount_ = rowCount;
    pageCount_ = std::max(1, (rowCount_ + rowsPerPage_ - 1) / rowsPerPage_);
}

void TPrintOut::SetScale(double scale)
{
    Q_ASSERT(scale > 0);
    scale_ = scale;
}

void TPrintOut::SetCanvas(QPaintDevice* canvas, bool preview)
{
    canvas_ = canvas;
    preview_ = preview;
}

int TPrintOut::FirstRowOf(int page) const
{
    return std::clamp((page - 1) * rowsPerPage_, 0, rowCount_);
}

int TPrintOut::EndRowOf(int page) const
{
    return std::clamp(page * rowsPerPage_, 0, rowCount_);
}

int TPrintOut::ElementLeft(int position) const
{
    const int printableWidth = pageWidth_ - 2 * Margin;
    return Margin + RoundEven(double(printableWidth) * position / 100) + 1;
}

QString TPrintOut::PageOfPages(const QString& key, int page) const
{
    return Core().Translate(key) + u' ' + QString::number(page) + u' ' +
           Core().Translate(u"from"_qs) + u' ' + QString::number(pageCount_);
}

void TPrintOut::DrawPage(int page)
{
    Core().ShowStatus(PageOfPages(u"Printing page"_qs, page) + u" ..."_qs);
    if (aborted_)
        return;
    if (job_) {
        if (page > 1 && !printer_.newPage())
            throw TError(u"The printer could not start page "_qs + QString::number(page));
        DrawOn(*job_, page);
        return;
    }
    Q_ASSERT_X(canvas_, "TPrintOut::DrawPage", "a page is drawn on the canvas set before");
    QPainter painter(canvas_);
    DrawOn(painter, page);
}

void TPrintOut::PrintDocument()
{
    if (progress_) {
        progress_->SetMaximum(rowCount_);
        progress_->SetPercentShown(true);
    }
    preview_ = false;
    QPainter painter;
    if (!painter.begin(&printer_))
        throw TError(u"The printer could not start the job"_qs);
    job_ = &painter;
    const auto jobEnded = qScopeGuard([this] { job_ = nullptr; });
    for (int page = 1; page <= pageCount_ && !aborted_; ++page)
        DrawPage(page);
    // An aborted job is not ended here; the painter lets go of the printer as it goes.
    if (!aborted_ && !painter.end())
        throw TError(u"The printer could not finish the job"_qs);
    // The text of the last page would otherwise stay in every status bar.
    Core().ShowStatus(QString());
}

void TPrintOut::DrawOn(QPainter& painter, int page)
{
    const QPaintDevice& canvas = *painter.device();
    const TCanvasFont textFont = CanvasFont(canvas, TextPointSize, false);

    DrawText(painter, CanvasFont(canvas, TextPointSize + 4, true), ToCanvas(Margin), Margin,
             title_);

    DrawText(painter, textFont, ToCanvas(Margin), FooterTop(), PageOfPages(u"Page"_qs, page));
    const QString version = TCore::GetAppName() + u' ' + TCore::GetVersion();
    DrawText(painter, textFont,
             ToCanvas(pageWidth_ - Margin) - textFont.metrics.horizontalAdvance(version),
             FooterTop(), version);

    const int first = FirstRowOf(page);
    // Rows not built yet have nothing to draw.
    const int end = std::min(EndRowOf(page), rows_.Count());
    for (int index = first; index < end; ++index) {
        if (progress_)
            progress_->SetPosition(index);
        DrawRow(painter, textFont, rows_.At(index), RowTop(index - first));
    }
}

void TPrintOut::DrawRow(QPainter& painter, const TCanvasFont& font, const TPrintOutRow& row,
                        int top) const
{
    const TPrintOutRow::TObjects& objects = row.Objects();
    for (qsizetype element = 0; element < objects.size(); ++element) {
        const TPrintOutObject& object = objects.at(element);
        const int left = ElementLeft(object.position);
        if (left >= pageWidth_)
            continue; // indented off the paper
        if (object.kind == TPrintOutObject::Kind::Icon) {
            DrawIcon(painter, left, top, object.icon);
            continue;
        }
        // A text runs on over the texts after it, but an icon would hide its end: a date wider
        // than its column ends before the icon that follows.
        double x = ToCanvas(left);
        if (element + 1 < objects.size() &&
            objects.at(element + 1).kind == TPrintOutObject::Kind::Icon) {
            const int iconLeft = ElementLeft(objects.at(element + 1).position);
            x = std::min(x, ToCanvas(iconLeft - TextGap) -
                                font.metrics.horizontalAdvance(object.text));
        }
        DrawText(painter, font, x, top, object.text);
    }
}

void TPrintOut::DrawText(QPainter& painter, const TCanvasFont& font, double x, int top,
                         const QString& text) const
{
    painter.setFont(font.font);
    painter.drawText(QPointF(x, ToCanvas(top) + font.metrics.ascent()), text);
}

void TPrintOut::DrawIcon(QPainter& painter, int left, int top, TIconKind icon) const
{
    const auto index = std::size_t(TIconProvider::IconIndex(icon));
    // One image per icon, scaled without smoothing: every icon pixel stays a sharp square.
    const QImage& image = preview_ ? pictures_[index] : magnified_[index];
    const int side = preview_ ? IconSize : ToCanvas(IconSize * iconMagnification_);
    painter.drawImage(QRect(ToCanvas(left), ToCanvas(top), side, side), image);
}

TPrintOut::TCanvasFont TPrintOut::CanvasFont(const QPaintDevice& canvas, int pointSize,
                                             bool bold) const
{
    // The size in points on the printer, carried over to the canvas through the scale, so that
    // the preview shows the same proportions as the paper.
    QFont font;
    font.setBold(bold);
    font.setPointSizeF(pointSize * double(resolutionY_) / scale_ / canvas.logicalDpiY());
    return {font, QFontMetricsF(font, &canvas)};
}

int TPrintOut::ToCanvas(double printerPixels) const
{
    return RoundEven(printerPixels / scale_);
}
