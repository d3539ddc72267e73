#include "platform/DateTime.h"

#include <cmath>

namespace DateTime {

namespace {
const QDate epoch(1899, 12, 30);
constexpr double msPerDay = 86400000.0;

// Negative values count whole days backwards while the fraction still runs forwards in the day
// (-1.25 is 29 December 1899, 06:00), so the day and the time are split on the integer part.
double DayPart(TDateTime value)
{
    return std::trunc(value);
}

double TimeFraction(TDateTime value)
{
    return std::fabs(value - std::trunc(value));
}

TDateTime Join(double day, double fraction)
{
    return day >= 0 ? day + fraction : day - fraction;
}
} // namespace

TDateTime FromDate(QDate date)
{
    return double(epoch.daysTo(date));
}

TDateTime FromTime(QTime time)
{
    return time.isValid() ? time.msecsSinceStartOfDay() / msPerDay : 0.0;
}

TDateTime Compose(QDate date, QTime time)
{
    return Join(FromDate(date), FromTime(time));
}

TDateTime FromQDateTime(const QDateTime& value)
{
    return Compose(value.date(), value.time());
}

QDate ToDate(TDateTime value)
{
    return epoch.addDays(qint64(DayPart(value)));
}

QTime ToTime(TDateTime value)
{
    auto ms = qint64(std::llround(TimeFraction(value) * msPerDay));
    if (ms >= qint64(msPerDay))
        ms = qint64(msPerDay) - 1;
    return QTime::fromMSecsSinceStartOfDay(int(ms));
}

QDateTime ToQDateTime(TDateTime value)
{
    return QDateTime(ToDate(value), ToTime(value));
}

TDateTime DayOf(TDateTime value)
{
    return DayPart(value);
}

bool IsMidnight(TDateTime value)
{
    return ToTime(value) == QTime(0, 0);
}

namespace {
QDate IsoDate(QStringView text)
{
    return QDate::fromString(text.toString(), u"yyyy-MM-dd");
}
} // namespace

std::optional<TDateTime> FromIsoDate(QStringView text)
{
    const QDate date = IsoDate(text);
    return date.isValid() ? std::optional(FromDate(date)) : std::nullopt;
}

std::optional<TDateTime> FromIsoStamp(QStringView text)
{
    constexpr qsizetype dateLength = 10; // yyyy-MM-dd
    if (text.size() <= dateLength)
        return FromIsoDate(text);
    const QDate date = IsoDate(text.left(dateLength));
    if (!date.isValid() || (text[dateLength] != u' ' && text[dateLength] != u'T'))
        return std::nullopt;
    // Date and time apart: a local time that a clock change skips is still a time of the day.
    const QString time = text.sliced(dateLength + 1).toString();
    for (const QString& form : {u"HH:mm"_qs, u"HH:mm:ss"_qs}) {
        if (const QTime parsed = QTime::fromString(time, form); parsed.isValid())
            return Compose(date, parsed);
    }
    return std::nullopt;
}

TDateTime AddMonths(TDateTime value, int months)
{
    const QDate date = ToDate(value);
    // QDate::addMonths keeps the day and clamps it to the end of a shorter month.
    return Join(FromDate(date.addMonths(months)), TimeFraction(value));
}

} // namespace DateTime
