#include "app/AppStatus.h"
#include "support/TestCore.h"

#include <QtTest>

// The status broadcaster, its listeners and the debug log they write to.
class TstAppStatus : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void asText_data();
    void asText();
    void showStatus_logsAndNotifiesInOrder();
    void showStatus_emptyTextClears();
    void duplicateListener_hearsTwice_firstRemovalKeepsIt();
    void removeUnknownListener_doesNothing();
    void listenerWithoutHandler_onlyTakesStatus();
    void handlerRemovingAnotherListener_isSafe();
    void debug_dropsLinesBeforeAttach_newestFirst();
};

namespace {
// A listener that records what it was shown, as a window's status display would.
TAppStatusListener* RecordingListener(QStringList& shown, const QString& name)
{
    auto* listener = new TAppStatusListener;
    listener->SetHandler(
        [&shown, name](void*, const TAppStatus& status) {
            shown.append(name + u':' + status.AsText());
        },
        nullptr);
    return listener;
}
} // namespace

void TstAppStatus::asText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("progressShown");
    QTest::addColumn<int>("progress");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << u"Reading items"_qs << false << 40 << u"Reading items"_qs;
    QTest::newRow("progress") << u"Printing"_qs << true << 40 << u"Printing (40%)"_qs;
    QTest::newRow("empty") << QString() << false << 0 << QString();
}

void TstAppStatus::asText()
{
    QFETCH(QString, text);
    QFETCH(bool, progressShown);
    QFETCH(int, progress);
    TAppStatus status;
    status.SetText(text);
    status.SetProgress(progress);
    status.SetProgressShown(progressShown);
    QTEST(status.AsText(), "expected");
}

void TstAppStatus::showStatus_logsAndNotifiesInOrder()
{
    TTestCore test;
    TAppStatusProvider& provider = *test.core().StatusProvider();
    QStringList shown;
    provider.AddListener(RecordingListener(shown, u"splash"_qs));
    provider.AddListener(nullptr); // empty entries are skipped
    provider.AddListener(RecordingListener(shown, u"main"_qs));

    provider.ShowStatus(u"Reading file tasks.kav"_qs);

    QCOMPARE(shown,
             QStringList({u"splash:Reading file tasks.kav"_qs, u"main:Reading file tasks.kav"_qs}));
    QCOMPARE(test.logMessages().value(0), u"Status update: Reading file tasks.kav"_qs);
    QCOMPARE(provider.Status().Text(), u"Reading file tasks.kav"_qs);
}

void TstAppStatus::showStatus_emptyTextClears()
{
    TTestCore test;
    TAppStatusProvider& provider = *test.core().StatusProvider();
    provider.ShowStatus(u"Saving file ..."_qs);
    provider.ShowStatus(QString());
    QVERIFY(provider.Status().Text().isEmpty());
    QCOMPARE(test.logMessages().value(0), u"Status update: "_qs);
}

void TstAppStatus::duplicateListener_hearsTwice_firstRemovalKeepsIt()
{
    TTestCore test;
    TAppStatusProvider& provider = *test.core().StatusProvider();
    QStringList shown;
    TAppStatusListener* twice = RecordingListener(shown, u"twice"_qs);
    provider.AddListener(twice);
    provider.AddListener(twice);

    provider.ShowStatus(u"a"_qs);
    QCOMPARE(shown.size(), 2);

    // One removal takes one entry; the listener lives on for the other (no dangling entry).
    provider.RemoveListener(twice);
    QCOMPARE(provider.ListenerCount(), 1);
    provider.ShowStatus(u"b"_qs);
    QCOMPARE(shown.size(), 3);
    QCOMPARE(shown.last(), u"twice:b"_qs);
    provider.RemoveListener(twice);
    QCOMPARE(provider.ListenerCount(), 0);
}

void TstAppStatus::removeUnknownListener_doesNothing()
{
    TTestCore test;
    TAppStatusProvider& provider = *test.core().StatusProvider();
    QStringList shown;
    TAppStatusListener stranger;
    provider.AddListener(RecordingListener(shown, u"main"_qs));
    provider.RemoveListener(&stranger); // not registered: neither removed nor destroyed
    QCOMPARE(provider.ListenerCount(), 1);
}

void TstAppStatus::listenerWithoutHandler_onlyTakesStatus()
{
    TTestCore test;
    TAppStatusProvider& provider = *test.core().StatusProvider();
    auto* silent = new TAppStatusListener;
    provider.AddListener(silent);
    QVERIFY(!silent->Status());
    provider.ShowStatus(u"Updating views"_qs);
    QVERIFY(silent->Status());
    QCOMPARE(silent->Status()->Text(), u"Updating views"_qs);
    provider.RemoveListener(silent);
}

void TstAppStatus::handlerRemovingAnotherListener_isSafe()
{
    TTestCore test;
    TAppStatusProvider& provider = *test.core().StatusProvider();
    QStringList shown;
    TAppStatusListener* second = RecordingListener(shown, u"second"_qs);
    auto* first = new TAppStatusListener;
    // The print dialog closes while a status is being shown: its listener goes mid-walk.
    first->SetHandler([&](void*, const TAppStatus&) { provider.RemoveListener(second); }, nullptr);
    provider.AddListener(first);
    provider.AddListener(second);
    provider.ShowStatus(u"x"_qs);
    QVERIFY(shown.isEmpty());
    QCOMPARE(provider.ListenerCount(), 1);
}

void TstAppStatus::debug_dropsLinesBeforeAttach_newestFirst()
{
    TTestCore test;
    TDebug& log = *test.core().Debug();
    TStringListMemo memo;
    log.AttachMemo(nullptr);
    log.AddLine(u"Modules initialized"_qs);
    memo.InsertFirstLine(u"left over"_qs);
    log.AttachMemo(&memo); // clears the box
    QVERIFY(memo.Lines().isEmpty());
    log.AddLine(u"first"_qs);
    test.clock().AdvanceDays(1.0 / 24);
    log.AddLine(u"Application started"_qs);
    QCOMPARE(memo.Lines(), QStringList({u"3/15/2026 11:30:00 AM Application started"_qs,
                                        u"3/15/2026 10:30:00 AM first"_qs}));
}

QTEST_GUILESS_MAIN(TstAppStatus)
#include "tst_appstatus.moc"
