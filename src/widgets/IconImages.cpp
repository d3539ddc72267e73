#include "widgets/IconImages.h"

#include <QPainter>
#include <QSvgRenderer>
#include <array>
#include <cmath>

namespace {

// The files of the icon list, in image-index order.
constexpr std::array<QStringView, IconImageCount> iconFiles = {
    u"task", u"project",  u"goal", u"area",  u"idea",  u"notdone",  u"done",   u"notes", u"repeats",
    u"info", u"taskpage", u"pen",  u"blank", u"place", u"computer", u"person", u"phone"};

QString IconPath(int index)
{
    return u":/icons/" + iconFiles.at(std::size_t(index)) + u".svg";
}

bool IsIconIndex(int index)
{
    return index >= 0 && index < IconImageCount;
}

} // namespace

QPixmap TIconImages::Pixmap(int index, qreal devicePixelRatio) const
{
    if (!IsIconIndex(index))
        return {};
    const quint64 key = quint64(index) << 32 | quint32(std::lround(devicePixelRatio * 1000));
    auto cached = pixmaps_.constFind(key);
    if (cached == pixmaps_.constEnd()) {
        cached = pixmaps_.insert(
            key,
            QPixmap::fromImage(Render(IconPath(index), {IconSize, IconSize}, devicePixelRatio)));
    }
    return *cached;
}

QIcon TIconImages::Icon(int index) const
{
    return IsIconIndex(index) ? QIcon(IconPath(index)) : QIcon();
}

QImage TIconImages::IconBitmap(TIconKind kind, qreal scale) const
{
    return Render(IconPath(TIconProvider::IconIndex(kind)), {IconSize, IconSize}, scale);
}

QIcon TIconImages::ProgramIcon()
{
    return QIcon(u":/art/tavolin.svg"_qs);
}

QPixmap TIconImages::SplashPicture(qreal devicePixelRatio)
{
    return QPixmap::fromImage(Render(u":/art/splash.svg"_qs, SplashSize, devicePixelRatio));
}

QImage TIconImages::Render(const QString& path, QSize logicalSize, qreal devicePixelRatio)
{
    QImage image(logicalSize * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(path);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), logicalSize));
    return image;
}
