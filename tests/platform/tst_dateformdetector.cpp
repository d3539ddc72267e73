#include "platform/DateFormDetector.h"

#include <QtTest>

// Finding the forms of a data file's dates when its header records none.
class TstDateFormDetector : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void detect_data();
    void detect();
    void readsEveryDateOfAFileFromAnotherLocale_data();
    void readsEveryDateOfAFileFromAnotherLocale();
};

namespace {
constexpr int currentYear = 2026;

TRegionalSettings Settings(const QString& localeName)
{
    return TRegionalSettings::FromLocale(localeName == u"C" ? QLocale::c() : QLocale(localeName));
}

// The reader's order as a word the table can name.
QString OrderName(TDateOrder order)
{
    switch (order) {
    case TDateOrder::DayMonthYear:
        return u"DMY"_qs;
    case TDateOrder::MonthDayYear:
        return u"MDY"_qs;
    case TDateOrder::YearMonthDay:
        break;
    }
    return u"YMD"_qs;
}

// Dates written "D" and stamps "S text".
TDateFormDetector::TResult Detect(const QString& localeName, const QStringList& texts)
{
    TDateFormDetector detector(Settings(localeName), currentYear);
    for (const QString& text : texts) {
        if (text.startsWith(u"S "))
            detector.AddStamp(text.mid(2));
        else
            detector.AddDate(text);
    }
    return detector.Detect();
}
} // namespace

void TstDateFormDetector::detect_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<bool>("regional");
    QTest::addColumn<QString>("order");
    QTest::addColumn<QChar>("dateSeparator");
    QTest::addColumn<QChar>("timeSeparator");
    QTest::addColumn<int>("unreadable");

    const QString us = u"en_US"_qs;
    const QString cs = u"cs_CZ"_qs;
    const QChar colon(u':');
    const QChar dot(u'.');

    QTest::newRow("the regional forms read them all")
        << us << QStringList{u"3/15/2026"_qs, u"S 3/1/2026 9:05:07 PM"_qs} << true << u"MDY"_qs
        << QChar(u'/') << colon << 0;
    QTest::newRow("no dates: the regional forms")
        << us << QStringList{u"  "_qs} << true << u"MDY"_qs << QChar(u'/') << colon << 0;
    QTest::newRow("Czech in a US reader")
        << us << QStringList{u"15.3.2026"_qs, u"S 1.3.2026 21:05:07"_qs} << false << u"DMY"_qs
        << dot << colon << 0;
    QTest::newRow("Czech in a C reader")
        << u"C"_qs << QStringList{u"15.3.2026"_qs, u"S 1.3.2026 21:05:07"_qs} << false << u"DMY"_qs
        << dot << colon << 0;
    QTest::newRow("US in a Czech reader, English day periods")
        << cs << QStringList{u"3/15/2026"_qs, u"S 3/1/2026 9:05:07 PM"_qs} << false << u"MDY"_qs
        << QChar(u'/') << colon << 0;
    QTest::newRow("ISO in a US reader")
        << us << QStringList{u"2026-03-15"_qs, u"S 2026-03-01 21:05:07"_qs} << false << u"YMD"_qs
        << QChar(u'-') << colon << 0;
    QTest::newRow("Finnish clock dots in a US reader")
        << us << QStringList{u"15.3.2026"_qs, u"S 1.3.2026 21.05.07"_qs} << false << u"DMY"_qs
        << dot << dot << 0;
    QTest::newRow("two-digit years") << us << QStringList{u"15.3.26"_qs, u"S 1.3.26 21:05"_qs}
                                     << false << u"DMY"_qs << dot << colon << 0;
    // Where no day is above 12 the texts do not decide: the regional order does.
    QTest::newRow("ambiguous in a US reader: month first")
        << us << QStringList{u"5.3.2026"_qs, u"S 1.2.2026 21:05:07"_qs} << false << u"MDY"_qs << dot
        << colon << 0;
    QTest::newRow("ambiguous in a British reader: day first")
        << u"en_GB"_qs << QStringList{u"5-3-2026"_qs, u"S 1-2-2026 21:05:07"_qs} << false
        << u"DMY"_qs << QChar(u'-') << colon << 0;
    QTest::newRow("ambiguous US dates in a British reader: its own forms")
        << u"en_GB"_qs << QStringList{u"5/3/2026"_qs, u"S 1/2/2026 21:05:07"_qs} << true
        << u"DMY"_qs << QChar(u'/') << colon << 0;
    // A damaged date does not outvote the others.
    QTest::newRow("one damaged date") << us
                                      << QStringList{u"15.3.2026"_qs, u"S 1.3.2026 21:05:07"_qs,
                                                     u"32.3.2026"_qs, u"S 20.3.2026"_qs}
                                      << false << u"DMY"_qs << dot << colon << 1;
    QTest::newRow("nothing reads: the regional forms")
        << us << QStringList{u"soon"_qs, u"S later"_qs} << true << u"MDY"_qs << QChar(u'/') << colon
        << 2;
}

void TstDateFormDetector::detect()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, texts);
    const TDateFormDetector::TResult result = Detect(locale, texts);
    QTEST(result.regional, "regional");
    QTEST(OrderName(result.forms.DateOrder()), "order");
    QTEST(result.forms.DateSeparator(), "dateSeparator");
    QTEST(result.forms.TimeSeparator(), "timeSeparator");
    QTEST(int(result.unreadable), "unreadable");
}

void TstDateFormDetector::readsEveryDateOfAFileFromAnotherLocale_data()
{
    QTest::addColumn<QString>("writer");
    QTest::addColumn<QString>("reader");
    for (const char* writer :
         {"cs_CZ", "en_US", "en_GB", "de_DE", "fi_FI", "hu_HU", "ja_JP", "C"}) {
        for (const char* reader : {"en_US", "cs_CZ", "C"}) {
            QTest::addRow("%s written, %s read", writer, reader)
                << QString::fromLatin1(writer) << QString::fromLatin1(reader);
        }
    }
}

// A year of dates and stamps written in one locale's forms comes back whole in another's.
void TstDateFormDetector::readsEveryDateOfAFileFromAnotherLocale()
{
    QFETCH(QString, writer);
    QFETCH(QString, reader);
    const TRegionalSettings written = Settings(writer);
    TDateFormDetector detector(Settings(reader), currentYear);
    QList<TDateTime> stamps;
    for (int day = 0; day < 365; day += 3) {
        const TDateTime stamp =
            DateTime::Compose(QDate(2026, 1, 1).addDays(day), QTime(day % 24, day % 60, 7));
        stamps.append(stamp);
        detector.AddDate(written.FormatDate(stamp));
        detector.AddStamp(written.FormatDateTime(stamp));
    }
    const TDateFormDetector::TResult result = detector.Detect();
    QCOMPARE(result.unreadable, 0);
    for (TDateTime stamp : std::as_const(stamps)) {
        QCOMPARE(result.forms.ParseDate(written.FormatDate(stamp), currentYear).value_or(-1),
                 DateTime::DayOf(stamp));
        QCOMPARE(
            result.forms.ParseDateTime(written.FormatDateTime(stamp), currentYear).value_or(-1),
            stamp);
    }
}

QTEST_GUILESS_MAIN(TstDateFormDetector)
#include "tst_dateformdetector.moc"
