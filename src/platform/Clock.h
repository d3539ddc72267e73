#pragma once

#include "platform/DateTime.h"

// Today and now. The program asks a clock instead of the system so that tests and the
// command-line companion's --now can fix the moment.
class IClock {
public:
    virtual ~IClock() = default;
    virtual TDateTime Now() const = 0;
    TDateTime Today() const { return DateTime::DayOf(Now()); }
    // The year that two-digit years are placed around.
    int CurrentYear() const { return DateTime::ToDate(Now()).year(); }
};

class TSystemClock final : public IClock {
public:
    TDateTime Now() const override;

private:
    mutable qint64 offsetMs_ = 0;
    mutable qint64 offsetValidFromMs_ = -1; // the start of the second the offset was taken in
};

class TFixedClock final : public IClock {
public:
    explicit TFixedClock(TDateTime now) : now_(now) {}
    TDateTime Now() const override { return now_; }
    void Set(TDateTime now) { now_ = now; }
    void AdvanceDays(double days) { now_ += days; }

private:
    TDateTime now_;
};
