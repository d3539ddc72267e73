#include "platform/Clock.h"

#include <QDateTime>

TDateTime TSystemClock::Now() const
{
    // Asking the C library for the local time looks the time zone up on disk every time; a
    // hundred thousand items read or refreshed ask for now and today that often. The offset
    // from UTC is taken anew once a second, which follows a change of summer time closely
    // enough for stamps kept to the second.
    const qint64 utcMs = QDateTime::currentMSecsSinceEpoch();
    if (utcMs < offsetValidFromMs_ || utcMs >= offsetValidFromMs_ + 1000) {
        offsetMs_ = qint64(QDateTime::fromMSecsSinceEpoch(utcMs).offsetFromUtc()) * 1000;
        offsetValidFromMs_ = utcMs;
    }
    constexpr qint64 msPerDay = 86400000;
    // 1899-12-30 lies 25569 days before 1970-01-01.
    const qint64 localMs = utcMs + offsetMs_;
    const qint64 days = localMs >= 0 ? localMs / msPerDay : -((-localMs - 1) / msPerDay) - 1;
    return DateTime::Compose(QDate(1970, 1, 1).addDays(days),
                             QTime::fromMSecsSinceStartOfDay(int(localMs - days * msPerDay)));
}
