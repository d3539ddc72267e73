#include "platform/Guid.h"

#include <QtTest>

// Ids in their registry text: written in upper case, read in either case, nothing else read.
class TstGuid : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void toRegistryText_isUpperCaseWithBraces();
    void fromRegistryText_readsEitherCase_data();
    void fromRegistryText_readsEitherCase();
    void fromRegistryText_rejectsMalformed_data();
    void fromRegistryText_rejectsMalformed();
    void create_givesDistinctIdsThatReadBack();
};

namespace {
const QString anywhere = u"{AC378A1A-C28D-4D18-8C75-43BE352DB025}"_qs;
}

void TstGuid::toRegistryText_isUpperCaseWithBraces()
{
    const QUuid id = QUuid::fromString(u"ac378a1a-c28d-4d18-8c75-43be352db025");
    QCOMPARE(Guid::ToRegistryText(id), anywhere);
}

void TstGuid::fromRegistryText_readsEitherCase_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("upper case") << anywhere;
    QTest::newRow("lower case") << anywhere.toLower();
    QTest::newRow("mixed case") << u"{ac378A1A-c28D-4d18-8C75-43be352DB025}"_qs;
}

void TstGuid::fromRegistryText_readsEitherCase()
{
    QFETCH(QString, text);
    const std::optional<QUuid> id = Guid::FromRegistryText(text);
    QVERIFY(id);
    QCOMPARE(Guid::ToRegistryText(*id), anywhere);
}

void TstGuid::fromRegistryText_rejectsMalformed_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("no braces") << anywhere.mid(1, 36);
    QTest::newRow("no closing brace") << anywhere.chopped(1) + u'0';
    QTest::newRow("parentheses") << u'(' + anywhere.mid(1, 36) + u')';
    QTest::newRow("blank before") << u' ' + anywhere;
    QTest::newRow("blank after") << anywhere + u' ';
    QTest::newRow("blank inside") << u"{AC378A1A-C28D-4D18-8C75 43BE352DB025}"_qs;
    QTest::newRow("hyphen moved") << u"{AC378A1AC-28D-4D18-8C75-43BE352DB025}"_qs;
    QTest::newRow("no hyphens") << u"{AC378A1A0C28D04D1808C75043BE352DB025}"_qs;
    QTest::newRow("not hexadecimal") << u"{AC378A1A-C28D-4D18-8C75-43BE352DB02G}"_qs;
    QTest::newRow("full-width digit") << u"{AC378A1A-C28D-4D18-8C75-43BE352DB02\uFF15}"_qs;
    QTest::newRow("one digit short") << u"{AC378A1A-C28D-4D18-8C75-43BE352DB02}"_qs;
    QTest::newRow("one digit more") << u"{AC378A1A-C28D-4D18-8C75-43BE352DB0250}"_qs;
    QTest::newRow("the text root") << u"root"_qs;
}

void TstGuid::fromRegistryText_rejectsMalformed()
{
    QFETCH(QString, text);
    QVERIFY(!Guid::FromRegistryText(text));
}

void TstGuid::create_givesDistinctIdsThatReadBack()
{
    const QUuid first = Guid::Create();
    const QUuid second = Guid::Create();
    QVERIFY(!first.isNull());
    QVERIFY(first != second);
    QCOMPARE(Guid::FromRegistryText(Guid::ToRegistryText(first)), first);
}

QTEST_GUILESS_MAIN(TstGuid)
#include "tst_guid.moc"
