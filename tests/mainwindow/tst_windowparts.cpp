#include "mainwindow/FormPlacement.h"
#include "mainwindow/WidgetPrompts.h"
#include "support/TestCore.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

using namespace Qt::StringLiterals;

// The parts of the main window that stand on their own: the message boxes the core's questions
// become, answered by a user's keys and clicks, and the rule that keeps a window on a screen.
class TestWindowParts : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void yesNo_noIsTheDefault_data();
    void yesNo_noIsTheDefault();
    void changedFile_eachButtonAndEscape_data();
    void changedFile_eachButtonAndEscape();
    void messages_titledWithTheProgramAndPlain();
    void reachable_data();
    void reachable();

private:
    // Runs the action on the message box once it is up, while the box's own loop runs.
    static void WhenTheBoxShows(std::function<void(QMessageBox&)> action);

    std::unique_ptr<TTestCore> test_;
    QWidget parent_;
};

void TestWindowParts::init()
{
    test_ = std::make_unique<TTestCore>();
}

void TestWindowParts::cleanup()
{
    test_.reset();
}

void TestWindowParts::WhenTheBoxShows(std::function<void(QMessageBox&)> action)
{
    QTimer::singleShot(0, [action] {
        QTRY_VERIFY(qobject_cast<QMessageBox*>(QApplication::activeModalWidget()));
        action(*qobject_cast<QMessageBox*>(QApplication::activeModalWidget()));
    });
}

void TestWindowParts::yesNo_noIsTheDefault_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("answer");
    QTest::newRow("Enter keeps the data") << int(Qt::Key_Return) << false;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << false;
    QTest::newRow("Y chooses Yes") << int(Qt::Key_Y) << true;
}

void TestWindowParts::yesNo_noIsTheDefault()
{
    QFETCH(int, key);
    TWidgetPrompts prompts(&parent_);
    QString title;
    QString text;
    WhenTheBoxShows([&](QMessageBox& box) {
        title = box.windowTitle();
        text = box.text();
        QCOMPARE(box.defaultButton(), box.button(QMessageBox::No));
        QTest::keyClick(&box, Qt::Key(key));
    });

    QTEST(prompts.AskYesNo(u"Confirmation"_s, u"Really delete selected item \"<b>x</b>\"?"_s),
          "answer");
    QCOMPARE(title, u"Confirmation"_s);
    QCOMPARE(text, u"Really delete selected item \"<b>x</b>\"?"_s);
}

void TestWindowParts::changedFile_eachButtonAndEscape_data()
{
    QTest::addColumn<QString>("button"); // none: Escape
    QTest::addColumn<TChangedFileAnswer>("answer");
    QTest::newRow("overwrite") << u"btnOverwrite"_s << TChangedFileAnswer::Overwrite;
    QTest::newRow("reload") << u"btnReload"_s << TChangedFileAnswer::Reload;
    QTest::newRow("save as") << u"btnSaveAs"_s << TChangedFileAnswer::SaveAs;
    QTest::newRow("Escape cancels") << QString() << TChangedFileAnswer::Cancel;
}

void TestWindowParts::changedFile_eachButtonAndEscape()
{
    QFETCH(QString, button);
    TWidgetPrompts prompts(&parent_);
    const TChangedFileQuestion question{u"Confirmation"_s, u"The file tasks.kav was changed."_s,
                                        u"Overwrite"_s, u"Reload"_s, u"Save As..."_s};
    QStringList captions;
    WhenTheBoxShows([&](QMessageBox& box) {
        for (const QAbstractButton* each : box.buttons())
            captions.append(each->text());
        QCOMPARE(box.defaultButton()->objectName(), u"btnSaveAs"_s);
        if (button.isEmpty())
            QTest::keyClick(&box, Qt::Key_Escape);
        else
            box.findChild<QPushButton*>(button)->click();
    });

    QTEST(prompts.AskChangedFile(question), "answer");
    captions.sort();
    QCOMPARE(captions, (QStringList{u"Cancel"_s, u"Overwrite"_s, u"Reload"_s, u"Save As..."_s}));
}

void TestWindowParts::messages_titledWithTheProgramAndPlain()
{
    TWidgetPrompts prompts(&parent_);
    QStringList seen;
    const auto look = [&seen](QMessageBox& box) {
        seen.append(box.windowTitle() + u'|' + QString::number(box.icon()) + u'|' + box.text() +
                    u'|' + QString::number(box.textFormat()));
        box.accept();
    };
    WhenTheBoxShows(look);
    prompts.ShowError(u"Error during saving file | <i>disk</i> full"_s);
    WhenTheBoxShows(look);
    prompts.ShowMessage(u"Searched string not found"_s);

    QCOMPARE(seen, (QStringList{
                       u"Tavolin|3|Error during saving file | <i>disk</i> full|0"_s,
                       u"Tavolin|1|Searched string not found|0"_s,
                   }));
}

void TestWindowParts::reachable_data()
{
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<bool>("reachable");
    QTest::newRow("on the first screen") << QRect(100, 100, 800, 600) << true;
    QTest::newRow("on the second screen") << QRect(2000, 50, 800, 600) << true;
    QTest::newRow("across both") << QRect(1800, 10, 400, 300) << true;
    QTest::newRow("only its bottom shows") << QRect(100, -590, 800, 600) << false;
    QTest::newRow("a sliver at the right edge") << QRect(3790, 100, 800, 600) << false;
    QTest::newRow("where a detached screen was") << QRect(-1800, 100, 800, 600) << false;
    QTest::newRow("far away") << QRect(30000, 20000, 800, 600) << false;
}

void TestWindowParts::reachable()
{
    QFETCH(QRect, frame);
    const QList<QRect> screens = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1920, 1080)};
    QTEST(TFormPlacement::IsReachable(frame, screens), "reachable");
}

QTEST_MAIN(TestWindowParts)
#include "tst_windowparts.moc"
