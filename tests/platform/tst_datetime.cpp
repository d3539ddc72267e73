#include "platform/Clock.h"
#include "platform/DateTime.h"

#include <QtTest>
#include <ctime>

// The program's date-time, days since 30 December 1899 with the time of day as the fraction.
class TstDateTime : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void conversions_data();
    void conversions();
    void toTime_keepsMilliseconds_data();
    void toTime_keepsMilliseconds();
    void dayOf_andIsMidnight_data();
    void dayOf_andIsMidnight();
    void fromTime_invalidIsDayZero();
    void addMonths_data();
    void addMonths();
    void systemClock_followsLocalTime_data();
    void systemClock_followsLocalTime();
};

namespace {
QDateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int ms = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second, ms));
}
} // namespace

void TstDateTime::conversions_data()
{
    QTest::addColumn<QDateTime>("dateTime");
    QTest::addColumn<double>("value");

    QTest::newRow("day zero") << At(1899, 12, 30) << 0.0;
    QTest::newRow("day one") << At(1899, 12, 31) << 1.0;
    QTest::newRow("noon, 1 January 1900") << At(1900, 1, 1, 12) << 2.5;
    QTest::newRow("2026") << At(2026, 3, 15, 10, 30) << 46096.4375;
    // Before day zero the days count back while the time still runs forward.
    QTest::newRow("the day before, 06:00") << At(1899, 12, 29, 6) << -1.25;
    QTest::newRow("the day before, 18:00") << At(1899, 12, 29, 18) << -1.75;
    QTest::newRow("two days before, midnight") << At(1899, 12, 28) << -2.0;
}

void TstDateTime::conversions()
{
    QFETCH(QDateTime, dateTime);
    QFETCH(double, value);
    QCOMPARE(DateTime::FromQDateTime(dateTime), value);
    QCOMPARE(DateTime::Compose(dateTime.date(), dateTime.time()), value);
    QCOMPARE(DateTime::ToQDateTime(value), dateTime);
    QCOMPARE(DateTime::ToDate(value), dateTime.date());
    QCOMPARE(DateTime::FromDate(dateTime.date()), DateTime::DayOf(value));
}

void TstDateTime::toTime_keepsMilliseconds_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QTime>("time");

    const QList<QTime> times = {QTime(0, 0, 0, 1), QTime(12, 34, 56, 789), QTime(23, 59, 59, 999)};
    const QList<QDate> dates = {QDate(2026, 3, 15), QDate(1899, 12, 30), QDate(1899, 12, 29),
                                QDate(1, 1, 1), QDate(9999, 12, 31)};
    for (const QDate& date : dates) {
        for (const QTime& time : times) {
            QTest::addRow("%s %s", qPrintable(date.toString(Qt::ISODate)),
                          qPrintable(time.toString(Qt::ISODateWithMs)))
                << date << time;
        }
    }
}

void TstDateTime::toTime_keepsMilliseconds()
{
    QFETCH(QDate, date);
    QFETCH(QTime, time);
    const TDateTime value = DateTime::Compose(date, time);
    QCOMPARE(DateTime::ToDate(value), date);
    QCOMPARE(DateTime::ToTime(value), time);
}

void TstDateTime::dayOf_andIsMidnight_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("day");
    QTest::addColumn<bool>("midnight");

    QTest::newRow("midnight") << 46096.0 << 46096.0 << true;
    QTest::newRow("evening") << 46096.75 << 46096.0 << false;
    QTest::newRow("a millisecond after midnight")
        << DateTime::Compose(QDate(2026, 3, 15), QTime(0, 0, 0, 1)) << 46096.0 << false;
    QTest::newRow("before day zero, midnight") << -1.0 << -1.0 << true;
    QTest::newRow("before day zero, 06:00") << -1.25 << -1.0 << false;
    QTest::newRow("06:00 on day zero") << 0.25 << 0.0 << false;
}

void TstDateTime::dayOf_andIsMidnight()
{
    QFETCH(double, value);
    QTEST(DateTime::DayOf(value), "day");
    QTEST(DateTime::IsMidnight(value), "midnight");
    QCOMPARE(DateTime::ToDate(DateTime::DayOf(value)), DateTime::ToDate(value));
}

void TstDateTime::fromTime_invalidIsDayZero()
{
    QCOMPARE(DateTime::FromTime(QTime()), DateTime::Zero);
    QCOMPARE(DateTime::FromTime(QTime(6, 0)), 0.25);
}

void TstDateTime::addMonths_data()
{
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<int>("months");
    QTest::addColumn<QDateTime>("expected");

    QTest::newRow("plain month") << At(2026, 1, 15, 10, 30) << 1 << At(2026, 2, 15, 10, 30);
    QTest::newRow("31 January to 28 February") << At(2026, 1, 31) << 1 << At(2026, 2, 28);
    QTest::newRow("31 January to 29 February") << At(2028, 1, 31) << 1 << At(2028, 2, 29);
    QTest::newRow("29 February a year on") << At(2028, 2, 29) << 12 << At(2029, 2, 28);
    QTest::newRow("31 May to 30 June, time kept")
        << At(2026, 5, 31, 23, 59, 59, 999) << 1 << At(2026, 6, 30, 23, 59, 59, 999);
    QTest::newRow("over the year's end") << At(2026, 11, 30, 8) << 3 << At(2027, 2, 28, 8);
    QTest::newRow("backwards") << At(2026, 3, 31, 8) << -1 << At(2026, 2, 28, 8);
    QTest::newRow("zero months") << At(2026, 3, 31, 8) << 0 << At(2026, 3, 31, 8);
    QTest::newRow("from before day zero to after it")
        << At(1899, 12, 29, 6) << 1 << At(1900, 1, 29, 6);
    QTest::newRow("from after day zero to before it")
        << At(1900, 1, 29, 6) << -1 << At(1899, 12, 29, 6);
}

void TstDateTime::addMonths()
{
    QFETCH(QDateTime, start);
    QFETCH(int, months);
    QFETCH(QDateTime, expected);
    const TDateTime result = DateTime::AddMonths(DateTime::FromQDateTime(start), months);
    QCOMPARE(DateTime::ToQDateTime(result), expected);
    QCOMPARE(result, DateTime::FromQDateTime(expected));
}

void TstDateTime::systemClock_followsLocalTime_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::newRow("UTC") << QByteArray("UTC");
    QTest::newRow("Prague") << QByteArray("Europe/Prague");
    QTest::newRow("New York") << QByteArray("America/New_York");
    QTest::newRow("Kolkata, half an hour off") << QByteArray("Asia/Kolkata");
}

void TstDateTime::systemClock_followsLocalTime()
{
    QFETCH(QByteArray, zone);
    const QByteArray previous = qgetenv("TZ");
    qputenv("TZ", zone);
    tzset();
    const TSystemClock clock;
    const double difference = clock.Now() - DateTime::FromQDateTime(QDateTime::currentDateTime());
    qputenv("TZ", previous);
    tzset();
    // The clock keeps the offset for a second; two seconds allow for a slow machine.
    QVERIFY2(qAbs(difference) < 2.0 / 86400, qPrintable(QString::number(difference * 86400)));
}

QTEST_GUILESS_MAIN(TstDateTime)
#include "tst_datetime.moc"
