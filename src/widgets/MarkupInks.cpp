#include "widgets/MarkupInks.h"

#include <cmath>

namespace {

qreal RelativeLuminance(const QColor& color)
{
    const auto linear = [](qreal channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) +
           0.0722 * linear(color.blueF());
}

// The named colours were chosen for white, where red reaches 4:1; on a dark ground they are
// held to the contrast of body text.
constexpr qreal MinimumColourContrast = 3.0;
constexpr qreal MinimumColourContrastOnDark = 4.5;
constexpr qreal MinimumSilverContrast = 1.5;

QColor Legible(const QColor& named, const QColor& ground)
{
    const bool dark = IsDark(ground);
    const QColor away = dark ? QColor(Qt::white) : QColor(Qt::black);
    const qreal minimum = dark ? MinimumColourContrastOnDark : MinimumColourContrast;
    QColor color = named;
    for (int step = 1; step <= 10 && ContrastRatio(color, ground) < minimum; ++step)
        color = Mix(named, away, step / 10.0);
    return color;
}

} // namespace

TMarkupInks TMarkupInks::FromPalette(const QPalette& palette, QPalette::ColorGroup group,
                                     QPalette::ColorRole text, QPalette::ColorRole ground)
{
    const bool onHighlight = text == QPalette::HighlightedText;
    return {palette.color(group, text),
            onHighlight ? palette.color(group, text) : palette.color(group, QPalette::Link),
            palette.color(group, ground)};
}

QColor MarkupInk(TMarkupColor color, const TMarkupInks& inks)
{
    const std::optional<quint32> rgb = MarkupColorRgb(color);
    if (!rgb || color == TMarkupColor::Black)
        return inks.text;
    const QColor named = QColor::fromRgb(*rgb);
    if (color != TMarkupColor::Silver)
        return Legible(named, inks.ground);
    if (!IsDark(inks.ground) && ContrastRatio(named, inks.ground) >= MinimumSilverContrast)
        return named;
    return Mix(inks.text, inks.ground, 0.5);
}

qreal ContrastRatio(const QColor& one, const QColor& other)
{
    const qreal first = RelativeLuminance(one) + 0.05;
    const qreal second = RelativeLuminance(other) + 0.05;
    return first > second ? first / second : second / first;
}

bool IsDark(const QColor& color)
{
    // Below this, white text reads better on the colour than black text does.
    return RelativeLuminance(color) < 0.18;
}

QColor Mix(const QColor& from, const QColor& to, qreal share)
{
    return QColor::fromRgbF(float(from.redF() + (to.redF() - from.redF()) * share),
                            float(from.greenF() + (to.greenF() - from.greenF()) * share),
                            float(from.blueF() + (to.blueF() - from.blueF()) * share));
}
