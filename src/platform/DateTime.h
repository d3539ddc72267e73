#pragma once

#include <QDate>
#include <QDateTime>
#include <QStringView>
#include <QTime>
#include <optional>

// The program's date-time: days since 1899-12-30, the fraction being the time of day.
using TDateTime = double;

namespace DateTime {

inline constexpr TDateTime Zero = 0.0; // 30 December 1899, 00:00

TDateTime FromDate(QDate date);
TDateTime FromTime(QTime time); // the time of day on day zero
TDateTime FromQDateTime(const QDateTime& value);
TDateTime Compose(QDate date, QTime time);

QDate ToDate(TDateTime value);
QTime ToTime(TDateTime value); // to the millisecond
QDateTime ToQDateTime(TDateTime value);

TDateTime DayOf(TDateTime value); // the date with its time part dropped
bool IsMidnight(TDateTime value);

// The ISO forms, which read the same under every regional setting: yyyy-MM-dd for a date; for a
// stamp that date alone or followed by a blank or "T" and HH:mm or HH:mm:ss.
std::optional<TDateTime> FromIsoDate(QStringView text);
std::optional<TDateTime> FromIsoStamp(QStringView text);

// Calendar months: the day is kept, lowered to the last day of a shorter month; the time is kept.
TDateTime AddMonths(TDateTime value, int months);

} // namespace DateTime
