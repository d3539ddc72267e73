#include "platform/RegionalSettings.h"

#include <QtTest>

// The written date and time forms of a locale, their writers and the readers of dates and times.
class TstRegionalSettings : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fromLocale_data();
    void fromLocale();
    void fromLocale_separatorsAndDesignators_data();
    void fromLocale_separatorsAndDesignators();
    void fromForms_keepsOrderAndSeparators_data();
    void fromForms_keepsOrderAndSeparators();
    void format_data();
    void format();
    void parseDate_data();
    void parseDate();
    void parseDateTime_data();
    void parseDateTime();
    void parseTime_data();
    void parseTime();
    void readers_surviveAnyText_data();
    void readers_surviveAnyText();
    void readers_agreeOnEveryShortText();
    void everyLocale_readsBackWhatItWrites();
    void recordedForms_readInAnotherLocale();
};

namespace {
constexpr int currentYear = 2026;

QLocale Locale(const QString& name)
{
    return name == u"C" ? QLocale::c() : QLocale(name);
}

TRegionalSettings Settings(const QString& localeName)
{
    return TRegionalSettings::FromLocale(Locale(localeName));
}

QDateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int ms = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second, ms));
}

// Day zero, where a time read alone lands.
QDateTime OnDayZero(int hour, int minute = 0, int second = 0, int ms = 0)
{
    return At(1899, 12, 30, hour, minute, second, ms);
}

QDateTime Read(const std::optional<TDateTime>& value)
{
    return value ? DateTime::ToQDateTime(*value) : QDateTime();
}

QDateTime ToSeconds(const QDateTime& value)
{
    const QTime time = value.time();
    return QDateTime(value.date(), QTime(time.hour(), time.minute(), time.second()));
}
} // namespace

void TstRegionalSettings::fromLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("dateForm");
    QTest::addColumn<QString>("timeForm");

    QTest::newRow("Czech") << u"cs_CZ"_qs << u"dd.MM.yyyy"_qs << u"H:mm:ss"_qs;
    QTest::newRow("US English") << u"en_US"_qs << u"M/d/yyyy"_qs << u"h:mm:ss AP"_qs;
    QTest::newRow("British English") << u"en_GB"_qs << u"dd/MM/yyyy"_qs << u"HH:mm:ss"_qs;
    QTest::newRow("German") << u"de_DE"_qs << u"dd.MM.yyyy"_qs << u"HH:mm:ss"_qs;
    QTest::newRow("C") << u"C"_qs << u"yyyy-MM-dd"_qs << u"HH:mm:ss"_qs;
    QTest::newRow("POSIX") << u"POSIX"_qs << u"yyyy-MM-dd"_qs << u"HH:mm:ss"_qs;
    // Blanks after the separators dropped, a closing separator kept.
    QTest::newRow("Slovak blanks") << u"sk_SK"_qs << u"d.M.yyyy"_qs << u"H:mm:ss"_qs;
    QTest::newRow("Hungarian closing dot") << u"hu_HU"_qs << u"yyyy.MM.dd."_qs << u"H:mm:ss"_qs;
    QTest::newRow("Korean year first, period first")
        << u"ko_KR"_qs << u"yyyy.M.d."_qs << u"AP h:mm:ss"_qs;
    // Quoted words and direction marks are no part of the written forms.
    QTest::newRow("Bulgarian words") << u"bg_BG"_qs << u"d.MM.yyyy"_qs << u"H:mm:ss"_qs;
    QTest::newRow("Arabic direction marks") << u"ar_EG"_qs << u"d/M/yyyy"_qs << u"h:mm:ss AP"_qs;
    QTest::newRow("Finnish dots") << u"fi_FI"_qs << u"d.M.yyyy"_qs << u"H.mm.ss"_qs;
    QTest::newRow("Japanese clock words") << u"ja_JP"_qs << u"yyyy/MM/dd"_qs << u"H:mm:ss"_qs;
    QTest::newRow("Chinese zone first") << u"zh_CN"_qs << u"yyyy/M/d"_qs << u"HH:mm:ss"_qs;
    QTest::newRow("Hong Kong period without gap")
        << u"zh_HK"_qs << u"d/M/yyyy"_qs << u"APh:mm:ss"_qs;
    QTest::newRow("Taiwanese flexible period") << u"zh_TW"_qs << u"yyyy/M/d"_qs << u"APh:mm:ss"_qs;
    QTest::newRow("Esperanto hour words") << u"eo"_qs << u"yyyy-MM-dd"_qs << u"H:mm:ss"_qs;
}

void TstRegionalSettings::fromLocale()
{
    QFETCH(QString, locale);
    const TRegionalSettings settings = Settings(locale);
    QTEST(settings.ShortDateForm(), "dateForm");
    QTEST(settings.LongTimeForm(), "timeForm");
}

void TstRegionalSettings::fromLocale_separatorsAndDesignators_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QChar>("dateSeparator");
    QTest::addColumn<QChar>("timeSeparator");
    QTest::addColumn<QChar>("decimalSeparator");
    QTest::addColumn<QString>("am");
    QTest::addColumn<QString>("pm");

    QTest::newRow("Czech") << u"cs_CZ"_qs << QChar(u'.') << QChar(u':') << QChar(u',') << u"dop."_qs
                           << u"odp."_qs;
    QTest::newRow("US English") << u"en_US"_qs << QChar(u'/') << QChar(u':') << QChar(u'.')
                                << u"AM"_qs << u"PM"_qs;
    QTest::newRow("C") << u"C"_qs << QChar(u'-') << QChar(u':') << QChar(u'.') << u"AM"_qs
                       << u"PM"_qs;
    QTest::newRow("Finnish") << u"fi_FI"_qs << QChar(u'.') << QChar(u'.') << QChar(u',')
                             << u"ap."_qs << u"ip."_qs;
}

void TstRegionalSettings::fromLocale_separatorsAndDesignators()
{
    QFETCH(QString, locale);
    const TRegionalSettings settings = Settings(locale);
    QTEST(settings.DateSeparator(), "dateSeparator");
    QTEST(settings.TimeSeparator(), "timeSeparator");
    QTEST(settings.DecimalSeparator(), "decimalSeparator");
    QTEST(settings.AmDesignator(), "am");
    QTEST(settings.PmDesignator(), "pm");
}

void TstRegionalSettings::fromForms_keepsOrderAndSeparators_data()
{
    QTest::addColumn<QString>("recordedDate");
    QTest::addColumn<QString>("recordedTime");
    QTest::addColumn<QString>("dateForm");
    QTest::addColumn<QString>("timeForm");
    QTest::addColumn<QChar>("dateSeparator");
    QTest::addColumn<QChar>("timeSeparator");

    // Read under US English: its own forms are M/d/yyyy and h:mm:ss AP.
    QTest::newRow("written forms kept") << u"dd.MM.yyyy"_qs << u"H:mm:ss"_qs << u"dd.MM.yyyy"_qs
                                        << u"H:mm:ss"_qs << QChar(u'.') << QChar(u':');
    QTest::newRow("ISO") << u"yyyy-MM-dd"_qs << u"HH:mm:ss"_qs << u"yyyy-MM-dd"_qs << u"HH:mm:ss"_qs
                         << QChar(u'-') << QChar(u':');
    QTest::newRow("Windows forms, two-digit year") << u"d.M.yy"_qs << u"H:mm"_qs << u"d.M.yyyy"_qs
                                                   << u"H:mm:ss"_qs << QChar(u'.') << QChar(u':');
    QTest::newRow("other time separator") << u"yyyy/MM/dd"_qs << u"HH.mm.ss"_qs << u"yyyy/MM/dd"_qs
                                          << u"HH.mm.ss"_qs << QChar(u'/') << QChar(u'.');
    QTest::newRow("missing forms: the locale's") << QString() << QString() << u"M/d/yyyy"_qs
                                                 << u"h:mm:ss AP"_qs << QChar(u'/') << QChar(u':');
    QTest::newRow("no month: the locale's") << u"dd.dd.yyyy"_qs << u"mm:ss"_qs << u"M/d/yyyy"_qs
                                            << u"h:mm:ss AP"_qs << QChar(u'/') << QChar(u':');
    QTest::newRow("no separator: the locale's")
        << u"yyyyMMdd"_qs << u"HH:mm:ss"_qs << u"M/d/yyyy"_qs << u"HH:mm:ss"_qs << QChar(u'/')
        << QChar(u':');
    QTest::newRow("two separators: the locale's")
        << u"dd.-MM.-yyyy"_qs << u"HH:mm:ss"_qs << u"M/d/yyyy"_qs << u"HH:mm:ss"_qs << QChar(u'/')
        << QChar(u':');
    QTest::newRow("garbage: the locale's") << u"'\u0000"_qs << u"\uFFFF'"_qs << u"M/d/yyyy"_qs
                                           << u"h:mm:ss AP"_qs << QChar(u'/') << QChar(u':');
}

void TstRegionalSettings::fromForms_keepsOrderAndSeparators()
{
    QFETCH(QString, recordedDate);
    QFETCH(QString, recordedTime);
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const TRegionalSettings settings = TRegionalSettings::FromForms(recordedDate, recordedTime, us);
    QTEST(settings.ShortDateForm(), "dateForm");
    QTEST(settings.LongTimeForm(), "timeForm");
    QTEST(settings.DateSeparator(), "dateSeparator");
    QTEST(settings.TimeSeparator(), "timeSeparator");
    QCOMPARE(settings.DecimalSeparator(), QChar(u'.'));
    QCOMPARE(settings.AmDesignator(), u"AM"_qs);
}

void TstRegionalSettings::format_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QDateTime>("value");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("dateTime");
    QTest::addColumn<QString>("stamp");

    QTest::newRow("Czech") << u"cs_CZ"_qs << At(2026, 3, 5, 9, 5, 7) << u"05.03.2026"_qs
                           << u"9:05:07"_qs << u"05.03.2026 9:05:07"_qs << u"05.03.2026 9:05:07"_qs;
    QTest::newRow("Czech midnight: no time")
        << u"cs_CZ"_qs << At(2026, 3, 15) << u"15.03.2026"_qs << u"0:00:00"_qs << u"15.03.2026"_qs
        << u"15.03.2026 0:00:00"_qs;
    QTest::newRow("a millisecond after midnight is a time")
        << u"cs_CZ"_qs << At(2026, 3, 15, 0, 0, 0, 1) << u"15.03.2026"_qs << u"0:00:00"_qs
        << u"15.03.2026 0:00:00"_qs << u"15.03.2026 0:00:00"_qs;
    QTest::newRow("US morning") << u"en_US"_qs << At(2026, 3, 15, 9, 5, 7) << u"3/15/2026"_qs
                                << u"9:05:07 AM"_qs << u"3/15/2026 9:05:07 AM"_qs
                                << u"3/15/2026 9:05:07 AM"_qs;
    QTest::newRow("US half past midnight")
        << u"en_US"_qs << At(2026, 12, 1, 0, 30) << u"12/1/2026"_qs << u"12:30:00 AM"_qs
        << u"12/1/2026 12:30:00 AM"_qs << u"12/1/2026 12:30:00 AM"_qs;
    QTest::newRow("US noon") << u"en_US"_qs << At(2026, 3, 15, 12, 0) << u"3/15/2026"_qs
                             << u"12:00:00 PM"_qs << u"3/15/2026 12:00:00 PM"_qs
                             << u"3/15/2026 12:00:00 PM"_qs;
    QTest::newRow("US last millisecond")
        << u"en_US"_qs << At(2026, 3, 15, 23, 59, 59, 999) << u"3/15/2026"_qs << u"11:59:59 PM"_qs
        << u"3/15/2026 11:59:59 PM"_qs << u"3/15/2026 11:59:59 PM"_qs;
    QTest::newRow("British") << u"en_GB"_qs << At(2026, 3, 5, 21, 5) << u"05/03/2026"_qs
                             << u"21:05:00"_qs << u"05/03/2026 21:05:00"_qs
                             << u"05/03/2026 21:05:00"_qs;
    QTest::newRow("Korean designator first")
        << u"ko_KR"_qs << At(2026, 3, 5, 15, 5) << u"2026.3.5."_qs << u"오후 3:05:00"_qs
        << u"2026.3.5. 오후 3:05:00"_qs << u"2026.3.5. 오후 3:05:00"_qs;
    QTest::newRow("Arabic in ASCII digits")
        << u"ar_EG"_qs << At(2026, 3, 5, 15, 5) << u"5/3/2026"_qs << u"3:05:00 م"_qs
        << u"5/3/2026 3:05:00 م"_qs << u"5/3/2026 3:05:00 م"_qs;
    QTest::newRow("C, early year in four digits")
        << u"C"_qs << At(7, 1, 2, 6, 0) << u"0007-01-02"_qs << u"06:00:00"_qs
        << u"0007-01-02 06:00:00"_qs << u"0007-01-02 06:00:00"_qs;
    QTest::newRow("C, before day zero")
        << u"C"_qs << At(1899, 12, 29, 6, 0) << u"1899-12-29"_qs << u"06:00:00"_qs
        << u"1899-12-29 06:00:00"_qs << u"1899-12-29 06:00:00"_qs;
}

void TstRegionalSettings::format()
{
    QFETCH(QString, locale);
    QFETCH(QDateTime, value);
    const TRegionalSettings settings = Settings(locale);
    const TDateTime v = DateTime::FromQDateTime(value);
    QTEST(settings.FormatDate(v), "date");
    QTEST(settings.FormatTime(v), "time");
    QTEST(settings.FormatDateTime(v), "dateTime");
    QTEST(settings.FormatStamp(v), "stamp");
}

void TstRegionalSettings::parseDate_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("year"); // the current year
    QTest::addColumn<QDate>("expected");

    const QString cs = u"cs_CZ"_qs;
    const QString us = u"en_US"_qs;
    const QString iso = u"C"_qs;
    const QString hu = u"hu_HU"_qs;
    const int y = currentYear;
    const QDate none;

    // Orders.
    QTest::newRow("day first") << cs << u"15.03.2026"_qs << y << QDate(2026, 3, 15);
    QTest::newRow("month first") << us << u"3/15/2026"_qs << y << QDate(2026, 3, 15);
    QTest::newRow("year first") << iso << u"2026-03-15"_qs << y << QDate(2026, 3, 15);
    QTest::newRow("year first, closing dot") << hu << u"2026.03.15."_qs << y << QDate(2026, 3, 15);
    QTest::newRow("single digits") << cs << u"5.3.2026"_qs << y << QDate(2026, 3, 5);
    QTest::newRow("leading zeros") << cs << u"0000000015.03.2026"_qs << y << QDate(2026, 3, 15);

    // Blanks.
    QTest::newRow("blanks everywhere") << cs << u"  15 . 3 .  2026  "_qs << y << QDate(2026, 3, 15);
    QTest::newRow("tab and no-break space")
        << cs << u"\t15.\u00A03.2026"_qs << y << QDate(2026, 3, 15);
    QTest::newRow("line break after") << cs << u"15.3.2026\n"_qs << y << QDate(2026, 3, 15);
    QTest::newRow("a million blanks before")
        << cs << QString(1000000, u' ') + u"1.2.2026"_qs << y << QDate(2026, 2, 1);
    QTest::newRow("blank inside a number") << cs << u"1 5.3.2026"_qs << y << none;

    // Two numbers are in the current year.
    QTest::newRow("two numbers, day first") << cs << u"15.3"_qs << y << QDate(2026, 3, 15);
    QTest::newRow("two numbers, month first") << us << u"3/15"_qs << y << QDate(2026, 3, 15);
    QTest::newRow("two numbers, year first form") << iso << u"3-15"_qs << y << QDate(2026, 3, 15);
    QTest::newRow("two numbers in another year") << cs << u"29.2"_qs << 2028 << QDate(2028, 2, 29);
    QTest::newRow("two numbers, no 29 February") << cs << u"29.2"_qs << y << none;

    // The trailing separator.
    QTest::newRow("trailing separator") << cs << u"15.3.2026."_qs << y << QDate(2026, 3, 15);
    QTest::newRow("trailing separator, two numbers")
        << cs << u"15.3. "_qs << y << QDate(2026, 3, 15);
    QTest::newRow("two trailing separators") << cs << u"15.3.2026.."_qs << y << none;
    QTest::newRow("two separators, two numbers") << cs << u"15.3.."_qs << y << none;

    // The 50-year window: 1976 to 2075 in 2026.
    QTest::newRow("76 is 1976") << cs << u"1.1.76"_qs << y << QDate(1976, 1, 1);
    QTest::newRow("75 is 2075") << cs << u"1.1.75"_qs << y << QDate(2075, 1, 1);
    QTest::newRow("26 is 2026") << cs << u"1.1.26"_qs << y << QDate(2026, 1, 1);
    QTest::newRow("00 is 2000") << cs << u"1.1.00"_qs << y << QDate(2000, 1, 1);
    QTest::newRow("one digit") << cs << u"1.1.9"_qs << y << QDate(2009, 1, 1);
    QTest::newRow("window of 2050: 00 is 2000") << cs << u"1.1.00"_qs << 2050 << QDate(2000, 1, 1);
    QTest::newRow("window of 2050: 99 is 2099") << cs << u"1.1.99"_qs << 2050 << QDate(2099, 1, 1);
    QTest::newRow("window of 2049: 99 is 1999") << cs << u"1.1.99"_qs << 2049 << QDate(1999, 1, 1);
    QTest::newRow("two-digit year first") << iso << u"26-3-15"_qs << y << QDate(2026, 3, 15);
    QTest::newRow("three digits are a year as it stands")
        << cs << u"1.1.026"_qs << y << QDate(26, 1, 1);
    QTest::newRow("year 0 does not exist") << cs << u"1.1.0000"_qs << y << none;

    // Days and months out of range.
    QTest::newRow("29 February in a leap year") << cs << u"29.2.2028"_qs << y << QDate(2028, 2, 29);
    QTest::newRow("29 February otherwise") << cs << u"29.2.2026"_qs << y << none;
    QTest::newRow("29 February 1900") << cs << u"29.2.1900"_qs << y << none;
    QTest::newRow("29 February 2000") << cs << u"29.2.2000"_qs << y << QDate(2000, 2, 29);
    QTest::newRow("31 April") << cs << u"31.4.2026"_qs << y << none;
    QTest::newRow("day 0") << cs << u"0.3.2026"_qs << y << none;
    QTest::newRow("day 32") << cs << u"32.1.2026"_qs << y << none;
    QTest::newRow("month 0") << cs << u"1.0.2026"_qs << y << none;
    QTest::newRow("month 13") << cs << u"1.13.2026"_qs << y << none;
    QTest::newRow("US order, day as month") << us << u"15/3/2026"_qs << y << none;

    // Not dates.
    QTest::newRow("empty") << cs << QString() << y << none;
    QTest::newRow("blanks") << cs << u"   "_qs << y << none;
    QTest::newRow("one number") << cs << u"15"_qs << y << none;
    QTest::newRow("one number and separator") << cs << u"15."_qs << y << none;
    QTest::newRow("four numbers") << cs << u"1.2.2026.4"_qs << y << none;
    QTest::newRow("empty field") << cs << u"15..2026"_qs << y << none;
    QTest::newRow("other separator") << cs << u"15/3/2026"_qs << y << none;
    QTest::newRow("letters") << cs << u"a.b.c"_qs << y << none;
    QTest::newRow("text after") << cs << u"15.3.2026x"_qs << y << none;
    QTest::newRow("time after") << cs << u"15.3.2026 10:00"_qs << y << none;
    QTest::newRow("control character") << cs << u"15.3.2026\u0001"_qs << y << none;
    QTest::newRow("other digits") << cs << u"١٥.٣.٢٠٢٦"_qs << y << none;
    // A number ends when it reaches 1000; the next digit is then no separator.
    QTest::newRow("five-digit year") << cs << u"15.3.20260"_qs << y << none;
    QTest::newRow("huge number") << cs << u"99999999999999999999999.3.2026"_qs << y << none;
    QTest::newRow("no separator") << cs << u"15032026"_qs << y << none;
}

void TstRegionalSettings::parseDate()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(int, year);
    QFETCH(QDate, expected);
    const std::optional<TDateTime> value = Settings(locale).ParseDate(text, year);
    QCOMPARE(value ? DateTime::ToDate(*value) : QDate(), expected);
    if (value)
        QCOMPARE(*value, DateTime::DayOf(*value));
}

void TstRegionalSettings::parseDateTime_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDateTime>("expected");

    const QString cs = u"cs_CZ"_qs;
    const QString us = u"en_US"_qs;
    const QDateTime none;

    // Optional parts.
    QTest::newRow("date alone") << cs << u"15.3.2026"_qs << At(2026, 3, 15);
    QTest::newRow("hours") << cs << u"15.3.2026 9"_qs << At(2026, 3, 15, 9);
    QTest::newRow("minutes") << cs << u"15.3.2026 9:05"_qs << At(2026, 3, 15, 9, 5);
    QTest::newRow("seconds") << cs << u"15.3.2026 9:05:07"_qs << At(2026, 3, 15, 9, 5, 7);
    QTest::newRow("milliseconds") << cs << u"15.3.2026 9:05:07,25"_qs
                                  << At(2026, 3, 15, 9, 5, 7, 25);
    QTest::newRow("blanks in the time")
        << cs << u"15.3.2026  9 : 05 : 07 , 250 "_qs << At(2026, 3, 15, 9, 5, 7, 250);
    // The year ends with its fourth digit.
    QTest::newRow("no blank before the time")
        << cs << u"15.3.202609:05"_qs << At(2026, 3, 15, 9, 5);
    QTest::newRow("two-number date") << cs << u"15.3 9:05"_qs << At(2026, 3, 15, 9, 5);
    QTest::newRow("trailing separator before the time")
        << u"hu_HU"_qs << u"2026.03.15. 9:05:07"_qs << At(2026, 3, 15, 9, 5, 7);
    QTest::newRow("not the decimal separator") << cs << u"15.3.2026 9:05:07.250"_qs << none;
    QTest::newRow("milliseconds without seconds") << cs << u"15.3.2026 9:05,250"_qs << none;
    QTest::newRow("separator without minutes") << cs << u"15.3.2026 9:"_qs << none;
    QTest::newRow("separator without seconds") << cs << u"15.3.2026 9:05:"_qs << none;

    // Day periods.
    QTest::newRow("PM after") << us << u"3/15/2026 9:05:07 PM"_qs << At(2026, 3, 15, 21, 5, 7);
    QTest::newRow("PM before") << us << u"3/15/2026 PM 9:05:07"_qs << At(2026, 3, 15, 21, 5, 7);
    QTest::newRow("AM after") << us << u"3/15/2026 9:05 AM"_qs << At(2026, 3, 15, 9, 5);
    QTest::newRow("any case") << us << u"3/15/2026 9:05pm"_qs << At(2026, 3, 15, 21, 5);
    QTest::newRow("12 AM is midnight") << us << u"3/15/2026 12:00:00 AM"_qs << At(2026, 3, 15);
    QTest::newRow("12:30 AM") << us << u"3/15/2026 12:30 AM"_qs << At(2026, 3, 15, 0, 30);
    QTest::newRow("12 PM is noon") << us << u"3/15/2026 12:00:00 PM"_qs << At(2026, 3, 15, 12);
    QTest::newRow("0 AM") << us << u"3/15/2026 0:30 AM"_qs << none;
    QTest::newRow("13 PM") << us << u"3/15/2026 13:00 PM"_qs << none;
    QTest::newRow("13 without a period") << us << u"3/15/2026 13:00"_qs << At(2026, 3, 15, 13);
    QTest::newRow("the locale's designator")
        << cs << u"15.3.2026 9:05 odp."_qs << At(2026, 3, 15, 21, 5);
    QTest::newRow("the locale's designator before, any case")
        << cs << u"15.3.2026 ODP. 9:05"_qs << At(2026, 3, 15, 21, 5);
    QTest::newRow("English designators in any locale")
        << cs << u"15.3.2026 9:05 PM"_qs << At(2026, 3, 15, 21, 5);
    QTest::newRow("Korean") << u"ko_KR"_qs << u"2026.3.15. 오후 3:05:00"_qs
                            << At(2026, 3, 15, 15, 5);
    // Swiss German afternoons begin like the English morning.
    QTest::newRow("the longest designator wins")
        << u"gsw_CH"_qs << u"15.03.2026 9:05 am Namittag"_qs << At(2026, 3, 15, 21, 5);
    QTest::newRow("the longest designator wins, morning")
        << u"gsw_CH"_qs << u"15.03.2026 9:05 am Vormittag"_qs << At(2026, 3, 15, 9, 5);
    QTest::newRow("two periods") << us << u"3/15/2026 AM 9:05 PM"_qs << none;
    QTest::newRow("period alone") << us << u"3/15/2026 PM"_qs << none;
    QTest::newRow("unknown period") << us << u"3/15/2026 9:05 XM"_qs << none;

    // Out of range.
    QTest::newRow("hour 24") << cs << u"15.3.2026 24:00"_qs << none;
    QTest::newRow("minute 60") << cs << u"15.3.2026 9:60"_qs << none;
    QTest::newRow("second 60") << cs << u"15.3.2026 9:05:60"_qs << none;
    QTest::newRow("millisecond 1000") << cs << u"15.3.2026 9:05:07,1000"_qs << none;
    QTest::newRow("date out of range") << cs << u"31.2.2026 9:05"_qs << none;
    QTest::newRow("text after the time") << cs << u"15.3.2026 9:05 x"_qs << none;

    // A time alone lands on day zero.
    QTest::newRow("time alone") << cs << u"9:05:07"_qs << OnDayZero(9, 5, 7);
    QTest::newRow("time alone with period") << us << u"9:05 PM"_qs << OnDayZero(21, 5);
    QTest::newRow("hours alone") << cs << u"9"_qs << OnDayZero(9);
    QTest::newRow("empty") << cs << QString() << none;

    // Files written under other settings of the same order and separators.
    QTest::newRow("Windows Czech form") << cs << u"15.3.2026 9:05:00"_qs << At(2026, 3, 15, 9, 5);
    QTest::newRow("two-digit year") << cs << u"15.03.26 09:05"_qs << At(2026, 3, 15, 9, 5);
    QTest::newRow("US two-digit year") << us << u"3/15/26 9:05 AM"_qs << At(2026, 3, 15, 9, 5);
    QTest::newRow("before day zero") << u"C"_qs << u"1899-12-29 06:00:00"_qs << At(1899, 12, 29, 6);
}

void TstRegionalSettings::parseDateTime()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QTEST(Read(Settings(locale).ParseDateTime(text, currentYear)), "expected");
}

void TstRegionalSettings::parseTime_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDateTime>("expected");

    QTest::newRow("hours and minutes") << u"9:05"_qs << OnDayZero(9, 5);
    QTest::newRow("every part, blanks") << u" 23 : 59 : 59 . 999 "_qs << OnDayZero(23, 59, 59, 999);
    QTest::newRow("12 AM") << u"12 AM"_qs << OnDayZero(0);
    QTest::newRow("PM first") << u"PM 12:30"_qs << OnDayZero(12, 30);
    QTest::newRow("a date is no time") << u"2026-03-15"_qs << QDateTime();
    QTest::newRow("empty") << QString() << QDateTime();
    QTest::newRow("hour 25") << u"25"_qs << QDateTime();
    QTest::newRow("huge hours") << u"99999999:00"_qs << QDateTime();
    QTest::newRow("minus") << u"-1:00"_qs << QDateTime();
}

void TstRegionalSettings::parseTime()
{
    QFETCH(QString, text);
    QTEST(Read(Settings(u"C"_qs).ParseTime(text)), "expected");
}

void TstRegionalSettings::readers_surviveAnyText_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("a million digits") << QString(1000000, u'7');
    QTest::newRow("a million separators") << QString(1000000, u'.');
    QTest::newRow("a million blanks") << QString(1000000, u' ');
    QTest::newRow("control characters") << u"\u0000\u0001\u001F\u007F\u0085"_qs;
    QTest::newRow("lone surrogate") << QString(QChar(char16_t(0xD800))) + u"1.1.2026"_qs;
    QTest::newRow("designators only") << u"dop.odp.AMPM"_qs;
}

// Texts no writer writes: every reader declines them, none fails on them.
void TstRegionalSettings::readers_surviveAnyText()
{
    QFETCH(QString, text);
    const TRegionalSettings settings = Settings(u"cs_CZ"_qs);
    QVERIFY(!settings.ParseDate(text, currentYear));
    QVERIFY(!settings.ParseDateTime(text, currentYear));
    QVERIFY(!settings.ParseTime(text));
}

// Every text of up to five pieces of dates and times: a date the date reader takes is the same
// date for the date-and-time reader, and a time it takes alone is a time on day zero.
void TstRegionalSettings::readers_agreeOnEveryShortText()
{
    const TRegionalSettings settings = Settings(u"en_US"_qs);
    const QStringList pieces = {u"1"_qs, u"12"_qs, u"/"_qs, u":"_qs, u" "_qs, u"PM"_qs, u"."_qs};
    QStringList texts = {QString()};
    qsizetype from = 0;
    for (int length = 1; length <= 5; ++length) {
        const qsizetype to = texts.size();
        for (qsizetype i = from; i < to; ++i) {
            for (const QString& piece : pieces)
                texts.append(texts[i] + piece);
        }
        from = to;
    }
    for (const QString& text : std::as_const(texts)) {
        const std::optional<TDateTime> date = settings.ParseDate(text, currentYear);
        const std::optional<TDateTime> dateTime = settings.ParseDateTime(text, currentYear);
        if (date)
            QVERIFY2(dateTime == date, qPrintable(text));
        if (const std::optional<TDateTime> time = settings.ParseTime(text)) {
            QVERIFY2(!date, qPrintable(text));
            QVERIFY2(dateTime == time, qPrintable(text));
            QVERIFY2(DateTime::ToDate(*time) == QDate(1899, 12, 30), qPrintable(text));
        }
    }
}

// In every locale Qt knows, what the writer writes the reader reads back (to the second), also
// through forms recorded in a data file's header.
void TstRegionalSettings::everyLocale_readsBackWhatItWrites()
{
    const QList<QDateTime> values = {
        At(2026, 3, 15),
        At(2026, 3, 15, 9, 5, 7),
        At(2026, 12, 31, 12, 0),
        At(2026, 1, 1, 0, 30),
        At(1999, 2, 28, 23, 59, 59, 999),
        At(1, 1, 1, 13, 1, 2),
        At(9999, 12, 31, 23, 59, 59),
        At(1899, 12, 29, 6, 0),
    };
    const QList<QLocale> locales =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    QVERIFY(locales.size() > 100);
    for (const QLocale& locale : locales) {
        const TRegionalSettings written = TRegionalSettings::FromLocale(locale);
        const TRegionalSettings recorded =
            TRegionalSettings::FromForms(written.ShortDateForm(), written.LongTimeForm(), locale);
        const QString where = locale.name() + u' ' + written.ShortDateForm() + u' ' +
                              written.LongTimeForm() + u": "_qs;
        QVERIFY2(recorded.ShortDateForm() == written.ShortDateForm() &&
                     recorded.LongTimeForm() == written.LongTimeForm(),
                 qPrintable(where + recorded.ShortDateForm() + u' ' + recorded.LongTimeForm()));
        for (const QDateTime& value : values) {
            const TDateTime v = DateTime::FromQDateTime(value);
            const QString text = written.FormatDateTime(v);
            QVERIFY2(Read(written.ParseDateTime(text, currentYear)) == ToSeconds(value),
                     qPrintable(where + text));
            const QString date = written.FormatDate(v);
            QVERIFY2(Read(written.ParseDate(date, currentYear)) == QDateTime(value.date(), {}),
                     qPrintable(where + date));
        }
    }
}

// A file carries the forms it was written in, so another locale reads its dates right.
void TstRegionalSettings::recordedForms_readInAnotherLocale()
{
    const TRegionalSettings czech = Settings(u"cs_CZ"_qs);
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const TRegionalSettings reader =
        TRegionalSettings::FromForms(czech.ShortDateForm(), czech.LongTimeForm(), us);
    const TDateTime value = DateTime::FromQDateTime(At(2026, 3, 5, 21, 5, 7));
    QCOMPARE(Read(reader.ParseDateTime(czech.FormatDateTime(value), currentYear)),
             At(2026, 3, 5, 21, 5, 7));
    // Without the recorded forms, 05.03 is neither a US date nor a time.
    QVERIFY(!Settings(u"en_US"_qs).ParseDateTime(czech.FormatDateTime(value), currentYear));
}

QTEST_GUILESS_MAIN(TstRegionalSettings)
#include "tst_regionalsettings.moc"
