#pragma once

#include "platform/DateTime.h"

#include <QtGlobal>
#include <optional>

class TTask;

// How items move through time: repetition, lead time and waiting for the item before.
namespace Scheduling {

// Moves the next date on by one repetition, always from the stored date. A repetition of 0,
// or one that would leave the years 1 to 9999, leaves the date as it is.
void AdvanceNextDate(TTask& item);
// The lead time in days: weeks count 7, months 30, years 365.
qint64 LeadTimeDays(const TTask& item);
// Once items always; otherwise from twice the lead time before the next date on.
bool InLeadWindow(const TTask& item);
// The first day on which InLeadWindow holds; none for a Once item.
std::optional<TDateTime> LeadWindowOpens(const TTask& item);
// Waits for the item just above it in the outline, which is not done yet.
bool IsBlocked(const TTask& item);
// The item a blocked item waits for; none when it is not blocked.
const TTask* BlockedBy(const TTask& item);

} // namespace Scheduling
