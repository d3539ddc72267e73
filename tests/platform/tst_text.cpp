#include "platform/Text.h"

#include <QtTest>

// Lower-casing that touches A to Z only.
class TstText : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void asciiLower_data();
    void asciiLower();
};

void TstText::asciiLower_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ASCII") << u"Hello WORLD 42"_qs << u"hello world 42"_qs;
    QTest::newRow("accented capital kept") << u"ÚKOL Úkol"_qs << u"Úkol Úkol"_qs;
    QTest::newRow("other scripts kept") << u"ΑΒΓ ЖИЗНЬ İ"_qs << u"ΑΒΓ ЖИЗНЬ İ"_qs;
    QTest::newRow("neighbours of A and Z") << u"@AZ[`az{"_qs << u"@az[`az{"_qs;
    QTest::newRow("empty") << QString() << QString();
}

void TstText::asciiLower()
{
    QFETCH(QString, text);
    QTEST(AsciiLower(text), "expected");
}

QTEST_GUILESS_MAIN(TstText)
#include "tst_text.moc"
