#include "platform/Clock.h"

TDateTime TSystemClock::Now() const
{
    return DateTime::FromQDateTime(QDateTime::currentDateTime());
}
