#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

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

// Calendar months: the day is kept, lowered to the last day of a shorter month; the time is kept.
TDateTime AddMonths(TDateTime value, int months);

} // namespace DateTime
