#include "languages/LanguagesEngine.h"
#include "platform/Error.h"
#include "support/TestCore.h"

#include <QtTest>

// The registry's own services: messages, errors, the version and the ports.
class TstCore : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void nameAndVersion();
    void createModules_createsTheCoreModules();
    void modulesInitialized_isNotKept();
    void showError_data();
    void showError();
    void handleException_data();
    void handleException();
    void guarded_catchesAndGoesOn();
    void confirm_asksConfirmation_defaultNo();
    void oneRegistryAtATime();
};

void TstCore::nameAndVersion()
{
    QCOMPARE(TCore::GetAppName(), u"Tavolin"_qs);
    QCOMPARE(TCore::GetVersion(), u"0.8.0"_qs);
}

void TstCore::createModules_createsTheCoreModules()
{
    TTestCore test;
    TCore& core = test.core();
    QVERIFY(core.Debug());
    QVERIFY(core.StatusProvider());
    QVERIFY(core.Config());
    QVERIFY(core.LanguagesEngine());
    // The engine starts in Czech; the configured language is applied by the main window later.
    QCOMPARE(core.LanguagesEngine()->Language(), TLanguage::Czech);
}

void TstCore::modulesInitialized_isNotKept()
{
    TTestCore test;
    QVERIFY(!test.logMessages().contains(u"Modules initialized"_qs));
}

void TstCore::showError_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("detail");
    QTest::addColumn<QString>("expected");
    QTest::newRow("both") << u"Error during saving file"_qs << u"Disk full"_qs
                          << u"Error during saving file | Disk full"_qs;
    QTest::newRow("empty detail keeps the separator")
        << u"Error during opening file"_qs << QString() << u"Error during opening file | "_qs;
}

void TstCore::showError()
{
    QFETCH(QString, caption);
    QFETCH(QString, detail);
    TTestCore test;
    test.core().ShowError(caption, detail);
    QFETCH(QString, expected);
    QCOMPARE(test.prompts().Errors(), QStringList({expected}));
}

void TstCore::handleException_data()
{
    QTest::addColumn<TLanguage>("language");
    QTest::addColumn<QString>("expected");
    QTest::newRow("English") << TLanguage::English << u"General application error | boom"_qs;
    QTest::newRow("Czech") << TLanguage::Czech << u"Obecná chyba aplikace | boom"_qs;
}

void TstCore::handleException()
{
    QFETCH(TLanguage, language);
    TTestCore test;
    test.core().LanguagesEngine()->SetLanguage(language);
    test.core().HandleException(TError(u"boom"_qs));
    QTEST(test.prompts().Errors().value(0), "expected");
}

void TstCore::guarded_catchesAndGoesOn()
{
    TTestCore test;
    test.core().LanguagesEngine()->SetLanguage(TLanguage::English);
    bool after = false;
    test.core().Guarded([] { throw std::runtime_error("plain"); });
    test.core().Guarded([&] { after = true; });
    QVERIFY(after);
    QCOMPARE(test.prompts().Errors(), QStringList({u"General application error | plain"_qs}));
}

void TstCore::confirm_asksConfirmation_defaultNo()
{
    TTestCore test;
    QVERIFY(!test.core().Confirm(u"Really?"_qs));
    test.prompts().QueueAnswer(true);
    QVERIFY(test.core().Confirm(u"Really?"_qs));
    QCOMPARE(test.prompts().Questions().size(), 2);
    // "Confirmation" has no entry in the table, so it reads the same in both languages.
    QCOMPARE(test.prompts().Questions().at(0).caption, u"Confirmation"_qs);
}

void TstCore::oneRegistryAtATime()
{
    QVERIFY(!CoreExists());
    {
        TTestCore test;
        QVERIFY(CoreExists());
        QCOMPARE(&Core(), &test.core());
    }
    QVERIFY(!CoreExists());
}

QTEST_GUILESS_MAIN(TstCore)
#include "tst_core.moc"
