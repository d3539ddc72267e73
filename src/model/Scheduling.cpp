#include "model/Scheduling.h"

#include "app/AppCore.h"
#include "model/Tasks.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace Scheduling {

namespace {

constexpr int daysPerPeriod[] = {1, 7, 30, 365};

// Dates outside four-digit years cannot be written to the data file and read back.
bool IsStorable(TDateTime date)
{
    static const TDateTime first = DateTime::FromDate(QDate(1, 1, 1));
    static const TDateTime last = DateTime::FromDate(QDate(9999, 12, 31)) + 1;
    return date >= first && date < last;
}

// Months counted in 64 bits: a count from a damaged file must not wrap round.
std::optional<TDateTime> MovedByMonths(TDateTime date, qint64 months)
{
    constexpr qint64 storableMonths = 12 * 10000;
    if (months > storableMonths || months < -storableMonths)
        return std::nullopt;
    return DateTime::AddMonths(date, int(months));
}

std::optional<TDateTime> Advanced(const TTask& item)
{
    const TDateTime date = item.NextDate();
    const qint64 count = item.RepeatValue();
    switch (item.RepeatType()) {
    case TPeriodType::Days:
        return date + double(count);
    case TPeriodType::Weeks:
        return date + 7.0 * double(count);
    case TPeriodType::Months:
        return MovedByMonths(date, count);
    case TPeriodType::Years:
        return MovedByMonths(date, 12 * count);
    }
    return std::nullopt;
}

bool InLeadWindowOn(const TTask& item, TDateTime today)
{
    if (item.AccomplishType() == TAccomplishType::Once)
        return true;
    if (today >= item.NextDate())
        return true;
    const double daysAhead = std::trunc(item.NextDate() - today);
    return daysAhead <= 2.0 * double(LeadTimeDays(item));
}

} // namespace

void AdvanceNextDate(TTask& item)
{
    if (item.RepeatValue() == 0)
        return;
    const std::optional<TDateTime> next = Advanced(item);
    if (next && IsStorable(*next))
        item.SetNextDate(*next);
}

qint64 LeadTimeDays(const TTask& item)
{
    return qint64(item.LeadValue()) * daysPerPeriod[static_cast<int>(item.LeadType())];
}

bool InLeadWindow(const TTask& item)
{
    return InLeadWindowOn(item, Core().Clock().Today());
}

std::optional<TDateTime> LeadWindowOpens(const TTask& item)
{
    if (item.AccomplishType() == TAccomplishType::Once)
        return std::nullopt;
    // Twice the lead time before the next date's day (that day itself for a negative lead
    // time) is at most a day off; the window's own test settles the boundary, so that the
    // date given and the list always agree.
    const double lead = 2.0 * double(std::max<qint64>(LeadTimeDays(item), 0));
    TDateTime day = DateTime::DayOf(item.NextDate()) - lead;
    for (int step = 0; step < 2 && !InLeadWindowOn(item, day); ++step)
        day += 1;
    for (int step = 0; step < 2 && InLeadWindowOn(item, day - 1); ++step)
        day -= 1;
    return day;
}

bool IsBlocked(const TTask& item)
{
    return BlockedBy(item) != nullptr;
}

const TTask* BlockedBy(const TTask& item)
{
    if (!item.DependOnPrevious())
        return nullptr;
    const TTasks& tasks = *Core().Tasks();
    if (tasks.IndexAmongSiblings(item) == 0)
        return nullptr;
    const TTask* previous = tasks.PreviousInOutline(item);
    return previous && !previous->Checked() ? previous : nullptr;
}

} // namespace Scheduling
