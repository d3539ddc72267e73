#pragma once

#include "app/AppCore.h"
#include "app/AppStatus.h"
#include "printing/PrintOutRows.h"
#include "printing/PrintPorts.h"
#include "views/Icons.h"

#include <QBuffer>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QStringList>
#include <array>
#include <functional>
#include <limits>

using namespace Qt::StringLiterals;

// Seventeen pictures that tell each other apart: a checkerboard of the picture's own colour
// (top-left pixel) and grey, so that any smoothing of a magnified icon shows.
class TTestIcons final : public IIconImages {
public:
    static QRgb ColourOf(int index) { return qRgb(40 + 12 * index, 200 - 11 * index, 15 * index); }
    static QRgb Grey() { return qRgb(128, 128, 128); }
    // The picture whose colour stands at the image's top-left pixel; -1 for none.
    static int IndexOf(const QImage& image)
    {
        for (int index = 0; index < IconImageCount; ++index) {
            if (image.pixel(0, 0) == ColourOf(index))
                return index;
        }
        return -1;
    }

    QImage Image(int index) const override
    {
        QImage image(16, 16, QImage::Format_RGB32);
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x)
                image.setPixel(x, y, (x + y) % 2 == 0 ? ColourOf(index) : Grey());
        }
        return image;
    }
};

// A printer whose printable area is exactly width × height device pixels at the resolution,
// writing its PDF into memory.
class TTestPrinter {
public:
    TTestPrinter(int width, int height, int resolution = 72) : writer_(&buffer_)
    {
        buffer_.open(QIODevice::WriteOnly);
        writer_.setResolution(resolution);
        const double points = 72.0 / resolution;
        writer_.setPageLayout(
            QPageLayout(QPageSize(QSizeF(width * points, height * points), QPageSize::Point),
                        QPageLayout::Portrait, QMarginsF()));
        Q_ASSERT(writer_.width() == width && writer_.height() == height);
    }
    QPdfWriter& device() { return writer_; }
    // The pages of the PDF written so far (complete once the job has ended).
    int PageCount() const
    {
        static const QRegularExpression pageObject(u"/Type /Page\\b(?!s)"_s);
        return int(QString::fromLatin1(buffer_.data()).count(pageObject));
    }

private:
    QBuffer buffer_;
    QPdfWriter writer_;
};

// A canvas that keeps what is drawn on it instead of pixels: each text with its base line, each
// image with its rectangle.
class TRecordingCanvas final : public QPaintDevice {
public:
    struct TText {
        QPointF baseline;
        QString text;
        QFont font;
    };
    struct TImage {
        QRect rect;
        QImage image;
    };

    TRecordingCanvas(int width, int height, int resolution)
        : width_(width), height_(height), resolution_(resolution)
    {}

    const QList<TText>& Texts() const { return engine_.texts; }
    const QList<TImage>& Images() const { return engine_.images; }
    QStringList TextStrings() const
    {
        QStringList strings;
        for (const TText& text : engine_.texts)
            strings.append(text.text);
        return strings;
    }
    // The top of a text: its base line less the ascent of its font on this canvas.
    double TopOf(const TText& text) const
    {
        return text.baseline.y() - QFontMetricsF(text.font, this).ascent();
    }
    void Clear()
    {
        engine_.texts.clear();
        engine_.images.clear();
    }

    QPaintEngine* paintEngine() const override { return &engine_; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return width_;
        case PdmHeight:
            return height_;
        case PdmWidthMM:
            return qRound(width_ * 25.4 / resolution_);
        case PdmHeightMM:
            return qRound(height_ * 25.4 / resolution_);
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return resolution_;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return std::numeric_limits<int>::max();
        case PdmDevicePixelRatio:
            return 1;
        default:
            return QPaintDevice::metric(metric);
        }
    }

private:
    class TEngine final : public QPaintEngine {
    public:
        TEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF& rect, const QPixmap& pixmap, const QRectF&) override
        {
            images.append({rect.toRect(), pixmap.toImage()});
        }
        void drawImage(const QRectF& rect, const QImage& image, const QRectF&,
                       Qt::ImageConversionFlags) override
        {
            images.append({rect.toRect(), image});
        }
        void drawTextItem(const QPointF& baseline, const QTextItem& item) override
        {
            texts.append({baseline, item.text(), item.font()});
        }
        Type type() const override { return QPaintEngine::User; }

        QList<TText> texts;
        QList<TImage> images;
    };

    int width_;
    int height_;
    int resolution_;
    mutable TEngine engine_;
};

// A progress bar that writes down what it is told: "maximum 65", "percent on", "at 3".
class TRecordingProgress final : public IPrintProgress {
public:
    void SetMaximum(int maximum) override
    {
        calls.append(u"maximum "_s + QString::number(maximum));
    }
    void SetPosition(int position) override { calls.append(u"at "_s + QString::number(position)); }
    void SetPercentShown(bool shown) override
    {
        calls.append(shown ? u"percent on"_s : u"percent off"_s);
    }

    QStringList calls;
};

// Listens to the status broadcaster, keeping every text and telling each one to a handler.
class TStatusRecorder {
public:
    explicit TStatusRecorder(std::function<void(const QString&)> onStatus = {})
        : onStatus_(std::move(onStatus)), listener_(new TAppStatusListener)
    {
        listener_->SetHandler(
            [this](void*, const TAppStatus& status) {
                texts.append(status.Text());
                if (onStatus_)
                    onStatus_(status.Text());
            },
            nullptr);
        Core().StatusProvider()->AddListener(listener_);
    }
    ~TStatusRecorder() { Core().StatusProvider()->RemoveListener(listener_); }
    TStatusRecorder(const TStatusRecorder&) = delete;
    TStatusRecorder& operator=(const TStatusRecorder&) = delete;

    QStringList texts;

private:
    std::function<void(const QString&)> onStatus_;
    TAppStatusListener* listener_; // the broadcaster's
};

// A printed row in a form a table can spell: icons as "#kind@position", texts as
// "text@position", separated by blanks.
inline QString Describe(const TPrintOutRow& row)
{
    QStringList elements;
    for (const TPrintOutObject& object : row.Objects()) {
        const QString what = object.kind == TPrintOutObject::Kind::Icon
                                 ? u'#' + QString::number(int(object.icon))
                                 : object.text;
        elements.append(what + u'@' + QString::number(object.position));
    }
    return elements.join(u' ');
}

inline QStringList Describe(const TPrintOutRows& rows)
{
    QStringList described;
    for (int index = 0; index < rows.Count(); ++index)
        described.append(Describe(rows.At(index)));
    return described;
}
