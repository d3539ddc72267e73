#pragma once

#include "platform/DateTime.h"

#include <QLocale>
#include <QString>
#include <QStringView>
#include <optional>

// The order of day, month and year in a short date form, as the date reader takes it.
enum class TDateOrder : quint8 { DayMonthYear, MonthDayYear, YearMonthDay };

// The date and time forms of the user's regional settings, and the readers of dates written in
// them. Forms use Qt's letters (d, M, yyyy, h/H, mm, ss, AP). Qt's own short forms carry two-digit
// years, which would lose the century of every stored date, so the written date form takes the
// locale's order and separator with a four-digit year; the written time form is the locale's
// long time form with hours, minutes and seconds and without its time zone. Digits are always
// the ASCII ones, whatever the locale's own digits are, so that every reader can read them.
class TRegionalSettings {
public:
    // yyyy-MM-dd and HH:mm:ss: the forms of the C locale.
    TRegionalSettings();
    static TRegionalSettings FromLocale(const QLocale& locale);
    // Forms recorded elsewhere (a data file's header); separators are taken from the forms,
    // the decimal separator from the locale, and so are the designators unless they were recorded
    // too (empty: the locale's). A recorded form is kept in its order and separators; one that has
    // no day, month and year (or no hours) is replaced by the locale's own, so that a damaged
    // header cannot make every date unreadable.
    static TRegionalSettings FromForms(const QString& shortDateForm, const QString& longTimeForm,
                                       const QLocale& locale, const QString& amDesignator = {},
                                       const QString& pmDesignator = {});

    const QString& ShortDateForm() const { return shortDateForm_; }
    const QString& LongTimeForm() const { return longTimeForm_; }
    TDateOrder DateOrder() const;
    QChar DateSeparator() const { return dateSeparator_; }
    QChar TimeSeparator() const { return timeSeparator_; }
    QChar DecimalSeparator() const { return decimalSeparator_; }
    const QString& AmDesignator() const { return amDesignator_; }
    const QString& PmDesignator() const { return pmDesignator_; }
    // Whether times are written with a day period (a 12-hour clock), so the designators matter.
    bool UsesDayPeriod() const;
    // These settings with the written forms of the given forms, where they have them; the
    // designators and the decimal separator stay.
    TRegionalSettings WithForms(QStringView shortDateForm, QStringView longTimeForm) const;

    QString FormatDate(TDateTime value) const;
    QString FormatTime(TDateTime value) const;
    // The date, then a blank and the time unless the time is exactly midnight.
    QString FormatDateTime(TDateTime value) const;
    // The date, a blank and the time, always (the log's time stamp).
    QString FormatStamp(TDateTime value) const;

    // Two or three numbers in the order of the short date form; two numbers are in currentYear;
    // one- and two-digit years fall in the hundred years that begin 50 years before currentYear.
    std::optional<TDateTime> ParseDate(QStringView text, int currentYear) const;
    // A date, optionally followed by a time; or a time alone, read on day zero.
    std::optional<TDateTime> ParseDateTime(QStringView text, int currentYear) const;
    // Hours, optionally minutes, seconds and milliseconds, with an optional day period before or
    // after; read on day zero.
    std::optional<TDateTime> ParseTime(QStringView text) const;

private:
    QString shortDateForm_;
    QString longTimeForm_;
    QChar dateSeparator_;
    QChar timeSeparator_;
    QChar decimalSeparator_;
    QString amDesignator_;
    QString pmDesignator_;
};
