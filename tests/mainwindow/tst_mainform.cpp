#include "MainFormFixture.h"

#include "languages/LanguagesEngine.h"
#include "mainwindow/ListPages.h"
#include "mainwindow/SplashScreen.h"
#include "model/Contexts.h"
#include "views/Done.h"
#include "views/Projects.h"
#include "views/ToDo.h"
#include "widgets/MarkupComboBox.h"
#include "widgets/MarkupLabel.h"
#include "widgets/OutlineModel.h"
#include "widgets/OutlineTreeView.h"
#include "widgets/RowListModel.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextDocument>
#include <QTimer>
#include <QToolBar>
#include <QtTest>
#include <sys/stat.h>

// The main window driven as a user drives it: widgets found by their names, clicks and keys,
// the questions answered from a script, the data file looked at on disk.
class TestMainForm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startup_withoutFile_untitledWithOneItem();
    void startup_commandLine_data();
    void startup_commandLine();
    void startup_restoresCurrentItemAndContext();
    void startup_debugPage_data();
    void startup_debugPage();
    void startup_iniThatIsNotAFile_failsClearly();
    void splash_staysForItsMinimumTime();

    void newSubitem_data();
    void newSubitem();
    void newItem_onlyBelowAParent();
    void delete_asksAndSelectsTheNextItem_data();
    void delete_asksAndSelectsTheNextItem();
    void moveButtons_onlyWithTheOutlineInFront_data();
    void moveButtons_onlyWithTheOutlineInFront();
    void clean_enabledWithDoneItemsAndAsks();
    void expandAndCollapseKeys_data();
    void expandAndCollapseKeys();
    void findPrintSettings_standDisabled();
    void popup_onRightClickInTheViews();

    void doneLink_thenSave_writesTheFile();
    void dragAndDrop_movesUnderTheTarget();
    void quickContextSelection_byFirstLetter();
    void selectingARow_makesItsItemCurrent();
    void listTakingTheFocus_leavesTheCurrentItem_data();
    void listTakingTheFocus_leavesTheCurrentItem();
    void hint_showsForFiveSeconds();

    void save_untitledAsksForAName();
    void newAndOpen_askAboutUnsavedChanges();
    void language_switchesEveryCaptionAndBack();
    void close_asksAndStoresTheState_data();
    void close_asksAndStoresTheState();
    void close_iniThatCannotBeWritten_showsTheErrorAndCloses();
    void uncaughtError_isShownAndTheProgramGoesOn();

    void outsideChange_readAgainKeepingItemAndContext();
    void outsideChange_withUnsavedChanges_toldAndKept();
    void outsideChange_thatFailsToLoad_keepsTheData();
    void ctrlC_copiesInATextBoxAndCleansElsewhere();
    void placement_offEveryScreen_movesOntoThePrimary();
    void helpPages_openThePageOfTheLanguage_data();
    void helpPages_openThePageOfTheLanguage();
    void models_passTheModelTester_whileCommandsRun();
};

namespace {

QStringList TabTexts(const QTabWidget* pager)
{
    QStringList texts;
    for (int index = 0; index < pager->count(); ++index)
        texts.append(pager->tabText(index));
    return texts;
}

QStringList PageNames(const QTabWidget* pager)
{
    QStringList names;
    for (int index = 0; index < pager->count(); ++index)
        names.append(pager->widget(index)->objectName());
    return names;
}

// What a tool tip shows.
QString Shown(const QString& toolTip)
{
    QTextDocument document;
    document.setHtml(toolTip);
    return document.toPlainText();
}

QStringList Names(const TRowList& list)
{
    QStringList names;
    for (const TListRow* row : list.Rows())
        names.append(row->Item()->Name());
    return names;
}

// Records the pages the program asked the system to open.
class TUrlRecorder final : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;

public Q_SLOTS:
    void Open(const QUrl& url) { opened.append(url); }
};

} // namespace

void TestMainForm::startup_withoutFile_untitledWithOneItem()
{
    TMainFormFixture fixture;
    TfrmMainForm& window = fixture.Start();

    QCOMPARE(window.windowTitle(), u"Tavolin: Untitled"_s);
    QCOMPARE(fixture.core().Tasks()->Count(), 1);
    QVERIFY(fixture.core().CurrentItem());
    QVERIFY(!fixture.Action(u"mnSaveFile"_s)->isEnabled());
    QVERIFY(!fixture.Button(u"btnSave"_s)->isEnabled());
    // No calendar, whatever the configuration; no Debug page unless asked for.
    const auto* lists = fixture.Find<QTabWidget>(u"pgrLists"_s);
    QCOMPARE(PageNames(lists), (QStringList{u"pgOutline"_s, u"pgToDo"_s, u"pgProjects"_s,
                                            u"pgGoals"_s, u"pgStatistics"_s, u"pgDone"_s}));
    QCOMPARE(TabTexts(lists), (QStringList{u"Outline"_s, u"To do"_s, u"Projects"_s, u"Goals"_s,
                                           u"Statistics"_s, u"Done"_s}));
    QCOMPARE(lists->currentWidget()->objectName(), u"pgOutline"_s);
    QVERIFY(!PageNames(fixture.Find<QTabWidget>(u"pgrDetails"_s)).contains(u"pgDebug"_s));
    QCOMPARE(fixture.Find<QLabel>(u"panVersion"_s)->text(), u"Tavolin 0.8.0"_s);
    QCOMPARE(
        fixture.Find<TMarkupLabel>(u"labStats"_s)->Markup(),
        u"Items: 1 (1 active, 0 done)<br><br>Tasks: 0<br>Projects: 0<br>Goals: 0<br>Ideas: 0<br>"_s);
    QCOMPARE(fixture.prompts().Errors(), QStringList());
}

void TestMainForm::startup_commandLine_data()
{
    QTest::addColumn<int>("parameters"); // how many the command line holds
    QTest::addColumn<QString>("title");
    QTest::newRow("one parameter: that file") << 1 << u"Tavolin: small.kav"_s;
    QTest::newRow("two parameters: the configured file") << 2 << u"Tavolin: configured.kav"_s;
}

void TestMainForm::startup_commandLine()
{
    QFETCH(int, parameters);
    TMainFormFixture probe;
    const QString configured = probe.CopySmallFile(u"configured.kav"_s);
    TMainFormFixture fixture(u"[Data]\nFileName="_s + configured + u'\n');
    const QString named = fixture.CopySmallFile();
    const QStringList arguments = parameters == 1 ? QStringList{named} : QStringList{named, named};

    TfrmMainForm& window = fixture.Start(arguments);

    QTEST(window.windowTitle(), "title");
    QCOMPARE(fixture.core().Tasks()->Count(), 10);
    QCOMPARE(fixture.core().Config()->FileName(), configured);
    QCOMPARE(fixture.CurrentName(), u"Home"_s);
    QCOMPARE(Names(fixture.core().TodoView()->List()),
             (QStringList{u"Sweep"_s, u"Send report"_s, u"Buy paint"_s}));
}

void TestMainForm::startup_restoresCurrentItemAndContext()
{
    TMainFormFixture fixture(
        u"[Outline]\nSelectedTaskID={00000000-0000-0000-0000-0000000000B3}\n"
        "[ToDo]\nSelectedContextID={00000000-0000-0000-0000-0000000000C1}\n"_s);
    fixture.Start({fixture.CopySmallFile()});

    QCOMPARE(fixture.CurrentName(), u"Paint the fence"_s);
    QCOMPARE(fixture.core().TodoView()->ChosenContext()->Name(), u"Errands"_s);
    QCOMPARE(Names(fixture.core().TodoView()->List()), (QStringList{u"Sweep"_s, u"Buy paint"_s}));
    QVERIFY(fixture.Find<QTreeView>(u"treeOutline"_s)->currentIndex().isValid());
}

void TestMainForm::startup_debugPage_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<bool>("shown");
    QTest::newRow("ShowDebug=1") << u"[Debug]\nShowDebug=1\n"_s << true;
    QTest::newRow("no ShowDebug") << QString() << false;
}

void TestMainForm::startup_debugPage()
{
    QFETCH(QString, ini);
    QFETCH(bool, shown);
    TMainFormFixture fixture(ini);
    fixture.Start();

    QCOMPARE(PageNames(fixture.Find<QTabWidget>(u"pgrDetails"_s)).contains(u"pgDebug"_s), shown);
    // Kept either way, newest first, from the moment the page was there.
    const QStringList lines =
        fixture.Find<QPlainTextEdit>(u"memDebug"_s)->toPlainText().split(u'\n');
    const auto at = [&lines](const QString& message) {
        for (qsizetype index = 0; index < lines.size(); ++index) {
            if (lines.at(index).endsWith(message))
                return index;
        }
        return qsizetype(-1);
    };
    const qsizetype started = at(u"Application started"_s);
    const qsizetype adjusted = at(u"Controls adjusting completed"_s);
    const qsizetype launched = at(u"Launched without param - data file will open by ini"_s);
    QVERIFY(started >= 0);
    QVERIFY(started < adjusted);
    QVERIFY(adjusted < launched);
    QCOMPARE(at(u"Modules initialized"_s), -1);
}

void TestMainForm::startup_iniThatIsNotAFile_failsClearly()
{
    TMainFormFixture fixture;
    QFile::remove(fixture.iniPath());
    QVERIFY(::mkfifo(QFile::encodeName(fixture.iniPath()).constData(), 0600) == 0);

    QVERIFY_THROWS_EXCEPTION(std::exception, fixture.Start());
    // Nothing is left on the screen, and the message names the file.
    QTRY_VERIFY(std::none_of(QApplication::topLevelWidgets().cbegin(),
                             QApplication::topLevelWidgets().cend(),
                             [](const QWidget* widget) { return widget->isVisible(); }));
    try {
        fixture.Start();
    } catch (const std::exception& error) {
        QVERIFY2(QString::fromUtf8(error.what()).contains(fixture.iniPath()), error.what());
    }
}

void TestMainForm::splash_staysForItsMinimumTime()
{
    TMainFormFixture fixture;
    QElapsedTimer clock;
    clock.start();
    fixture.Start({}, std::chrono::milliseconds(300));
    QPointer<TfrmSplashScreen> splash = fixture.window().SplashScreen();

    QVERIFY(splash);
    QVERIFY(splash->isVisible());
    QCOMPARE(splash->findChild<QLabel*>(u"labName"_s)->text(), u"v. 0.8.0"_s);
    QCOMPARE(splash->size(), QSize(320, 175));
    QTRY_VERIFY(!splash);
    QVERIFY(clock.elapsed() >= 300);
}

void TestMainForm::newSubitem_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("named"); // the data file has a name
    QTest::newRow("button, named file") << u"button"_s << true;
    QTest::newRow("Ctrl+N, named file") << u"Ctrl+N"_s << true;
    QTest::newRow("pop-up, untitled file") << u"pop-up"_s << false;
}

void TestMainForm::newSubitem()
{
    QFETCH(QString, how);
    QFETCH(bool, named);
    TMainFormFixture fixture;
    TfrmMainForm& window =
        fixture.Start(named ? QStringList{fixture.CopySmallFile()} : QStringList());
    const QString parent = named ? u"Fitness"_s : fixture.CurrentName();
    fixture.Select(parent);

    if (how == u"button")
        QTest::mouseClick(fixture.Button(u"btnNewTask"_s), Qt::LeftButton);
    else if (how == u"Ctrl+N")
        QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
    else
        fixture.Action(u"mnPopNewSubItem"_s)->trigger();

    const TTask* added = fixture.core().CurrentItem();
    QVERIFY(added);
    QCOMPARE(added->Parent(), fixture.Item(parent));
    QCOMPARE(fixture.core().Tasks()->Children(fixture.Item(parent)).last(), added);
    QVERIFY(window.windowTitle().endsWith(u'*'));
    QVERIFY(fixture.Button(u"btnSave"_s)->isEnabled());
    QCOMPARE(fixture.Action(u"mnSaveFile"_s)->isEnabled(), named);
    // The name is what the user types next.
    QCOMPARE(QApplication::focusWidget(), fixture.Find<QWidget>(u"edTask"_s));
    QVERIFY(fixture.Find<QTreeView>(u"treeOutline"_s)
                ->isExpanded(fixture.Find<TOutlineTreeView>(u"treeOutline"_s)
                                 ->OutlineModel()
                                 ->IndexOf(fixture.Item(parent)->OutlineNode())));
}

void TestMainForm::newItem_onlyBelowAParent()
{
    TMainFormFixture fixture;
    TfrmMainForm& window = fixture.Start({fixture.CopySmallFile()});
    QAction* newItem = fixture.Action(u"mnNewItem"_s);

    fixture.Select(u"Home"_s);
    QVERIFY(!newItem->isEnabled());
    QVERIFY(!fixture.Action(u"mnPopNewItem"_s)->isEnabled());
    QTest::keyClick(&window, Qt::Key_Insert);
    QCOMPARE(fixture.core().Tasks()->Count(), 10);

    fixture.Select(u"Garden"_s);
    QVERIFY(newItem->isEnabled());
    QTest::keyClick(&window, Qt::Key_Insert);
    QCOMPARE(fixture.core().Tasks()->Count(), 11);
    QCOMPARE(fixture.core().CurrentItem()->Parent(), fixture.Item(u"Home"_s));
    QCOMPARE(fixture.core().Tasks()->Children(fixture.Item(u"Home"_s)).last(),
             fixture.core().CurrentItem());
}

void TestMainForm::delete_asksAndSelectsTheNextItem_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("next");
    QTest::addColumn<int>("count");

    QTest::newRow("with subitems: the item after them")
        << u"Garden"_s << true
        << u"Really delete selected item \"Garden\" including all 3 subitems?"_s << u"Fitness"_s
        << 6;
    QTest::newRow("without subitems: no clause")
        << u"Paint the fence"_s << true << u"Really delete selected item \"Paint the fence\"?"_s
        << u"Water plants"_s << 9;
    QTest::newRow("the last item: the one above")
        << u"Send report"_s << true << u"Really delete selected item \"Send report\"?"_s
        << u"Build a pond"_s << 9;
    QTest::newRow("No keeps it") << u"Garden"_s << false
                                 << u"Really delete selected item \"Garden\" including all 3 "
                                    "subitems?"_s
                                 << u"Garden"_s << 10;
}

void TestMainForm::delete_asksAndSelectsTheNextItem()
{
    QFETCH(QString, item);
    QFETCH(bool, yes);
    TMainFormFixture fixture;
    TfrmMainForm& window = fixture.Start({fixture.CopySmallFile()});
    fixture.Select(item);
    fixture.prompts().QueueAnswer(yes);

    QTest::keyClick(&window, Qt::Key_Delete, Qt::ShiftModifier);

    QCOMPARE(fixture.prompts().Questions().size(), 1);
    QCOMPARE(fixture.prompts().Questions().at(0).caption, u"Confirmation"_s);
    QTEST(fixture.prompts().Questions().at(0).text, "question");
    QTEST(fixture.CurrentName(), "next");
    QTEST(fixture.core().Tasks()->Count(), "count");
    QCOMPARE(window.windowTitle().endsWith(u'*'), yes);
    // The outline shows the new current item.
    const auto* tree = fixture.Find<TOutlineTreeView>(u"treeOutline"_s);
    QCOMPARE(tree->OutlineModel()->NodeAt(tree->currentIndex())->Item(),
             fixture.core().CurrentItem());
}

void TestMainForm::moveButtons_onlyWithTheOutlineInFront_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QStringList>("garden"); // Garden's children afterwards
    QTest::addColumn<bool>("modified");
    const QString paint = u"Buy paint"_s;
    const QString fence = u"Paint the fence"_s;
    const QString water = u"Water plants"_s;
    QTest::newRow("down") << u"btnMoveTaskDown"_s << paint << QStringList{fence, paint, water}
                          << true;
    QTest::newRow("up") << u"btnMoveTaskUp"_s << water << QStringList{paint, water, fence} << true;
    QTest::newRow("up on the first child")
        << u"btnMoveTaskUp"_s << paint << QStringList{paint, fence, water} << false;
    QTest::newRow("down on the last child")
        << u"btnMoveTaskDown"_s << water << QStringList{paint, fence, water} << false;
}

void TestMainForm::moveButtons_onlyWithTheOutlineInFront()
{
    QFETCH(QString, button);
    QFETCH(QString, item);
    TMainFormFixture fixture;
    fixture.Start({fixture.CopySmallFile()});
    auto* lists = fixture.Find<QTabWidget>(u"pgrLists"_s);
    QToolButton* move = fixture.Button(button);
    fixture.Select(item);

    lists->setCurrentWidget(fixture.Find<QWidget>(u"pgToDo"_s));
    QVERIFY(!move->isEnabled());
    lists->setCurrentWidget(fixture.Find<QWidget>(u"pgOutline"_s));
    QVERIFY(move->isEnabled());
    QTest::mouseClick(move, Qt::LeftButton);

    QStringList garden;
    for (const TTask* child : fixture.core().Tasks()->Children(fixture.Item(u"Garden"_s)))
        garden.append(child->Name());
    QTEST(garden, "garden");
    QTEST(fixture.core().DataFile()->IsModified(), "modified");
    QCOMPARE(fixture.CurrentName(), item);
}

void TestMainForm::clean_enabledWithDoneItemsAndAsks()
{
    TMainFormFixture fixture;
    fixture.Start({fixture.CopySmallFile()});
    QVERIFY(fixture.Button(u"btnClean"_s)->isEnabled());
    QVERIFY(fixture.Action(u"mnClean"_s)->isEnabled());
    fixture.prompts().QueueAnswer(true);

    QTest::mouseClick(fixture.Button(u"btnClean"_s), Qt::LeftButton);

    QCOMPARE(fixture.prompts().Questions().at(0).text,
             u"Really clean? This will delete all 1 items marked as done."_s);
    QVERIFY(!fixture.Item(u"Old chores"_s));
    QVERIFY(!fixture.Item(u"Sweep"_s));
    QCOMPARE(fixture.CurrentName(), u"Home"_s);
    QVERIFY(!fixture.Button(u"btnClean"_s)->isEnabled());
    QVERIFY(!fixture.Action(u"mnClean"_s)->isEnabled());
}

void TestMainForm::expandAndCollapseKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("expanded"); // of Home, Garden, Old chores, after the key
    QTest::newRow("F5 collapse all")
        << int(Qt::Key_F5) << QStringList{u"Home"_s}; // the first node opens one level
    QTest::newRow("F6 expand all")
        << int(Qt::Key_F6) << QStringList{u"Home"_s, u"Garden"_s, u"Old chores"_s};
    QTest::newRow("F7 collapse the current") << int(Qt::Key_F7) << QStringList{u"Home"_s};
    QTest::newRow("F8 expand the current")
        << int(Qt::Key_F8) << QStringList{u"Home"_s, u"Garden"_s};
}

void TestMainForm::expandAndCollapseKeys()
{
    QFETCH(int, key);
    TMainFormFixture fixture;
    TfrmMainForm& window = fixture.Start({fixture.CopySmallFile()});
    auto* tree = fixture.Find<TOutlineTreeView>(u"treeOutline"_s);
    // Garden open, Old chores closed; F7 and F8 work on Garden.
    fixture.Select(u"Garden"_s);
    if (key == Qt::Key_F8)
        fixture.core().Outline()->mnCollapse();

    QTest::keyClick(&window, Qt::Key(key));

    QStringList expanded;
    for (const QString& name : {u"Home"_s, u"Garden"_s, u"Old chores"_s}) {
        if (tree->isExpanded(tree->OutlineModel()->IndexOf(fixture.Item(name)->OutlineNode())))
            expanded.append(name);
    }
    QTEST(expanded, "expanded");
}

void TestMainForm::findPrintSettings_standDisabled()
{
    TMainFormFixture fixture;
    fixture.Start();
    for (const QString& name : {u"mnFind"_s, u"mnFindAgain"_s, u"mnPrint"_s, u"mnSettings"_s})
        QVERIFY2(!fixture.Action(name)->isEnabled(), qPrintable(name));
    for (const QString& name : {u"btnFind"_s, u"btnPrint"_s, u"btnSettings"_s})
        QVERIFY2(!fixture.Button(name)->isEnabled(), qPrintable(name));
}

void TestMainForm::popup_onRightClickInTheViews()
{
    TMainFormFixture fixture;
    fixture.Start({fixture.CopySmallFile()});
    auto* tree = fixture.Find<TOutlineTreeView>(u"treeOutline"_s);
    auto* popup = fixture.Find<QMenu>(u"pmPopup"_s);
    const QRect garden =
        tree->visualRect(tree->OutlineModel()->IndexOf(fixture.Item(u"Garden"_s)->OutlineNode()));

    QTest::mouseClick(tree->viewport(), Qt::RightButton, {}, garden.center());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, garden.center());
    Q_EMIT tree->customContextMenuRequested(garden.center());

    QTRY_VERIFY(popup->isVisible());
    QCOMPARE(popup->defaultAction(), fixture.Action(u"mnPopNewSubItem"_s));
    QCOMPARE(popup->actions(), (QList<QAction*>{fixture.Action(u"mnPopNewItem"_s),
                                                fixture.Action(u"mnPopNewSubItem"_s)}));
    QCOMPARE(fixture.CurrentName(), u"Garden"_s);
    popup->close();
    // The tool bar's arrow opens the same menu.
    QCOMPARE(fixture.Button(u"btnNewTask"_s)->menu(), popup);
}

void TestMainForm::doneLink_thenSave_writesTheFile()
{
    TMainFormFixture fixture;
    TfrmMainForm& window = fixture.Start({fixture.CopySmallFile()});
    auto* lists = fixture.Find<QTabWidget>(u"pgrLists"_s);
    lists->setCurrentWidget(fixture.Find<QWidget>(u"pgToDo"_s));
    auto* list = fixture.Find<QTreeView>(u"tlToDo"_s);
    auto* model = qobject_cast<TRowListModel*>(list->model());
    const QRect link = list->visualRect(model->IndexOf(fixture.Item(u"Buy paint"_s)->ToDoRow(), 1));

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      QPoint(link.left() + 11, link.center().y()));

    QVERIFY(fixture.Item(u"Buy paint"_s)->Checked());
    QCOMPARE(fixture.CurrentName(), u"Buy paint"_s);
    QVERIFY(!Names(fixture.core().TodoView()->List()).contains(u"Buy paint"_s));
    QVERIFY(Names(fixture.core().DoneView()->List()).contains(u"Buy paint"_s));
    QVERIFY(window.windowTitle().endsWith(u'*'));

    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);

    QCOMPARE(window.windowTitle(), u"Tavolin: small.kav"_s);
    const QByteArray onDisk = TMainFormFixture::ReadFile(fixture.FilePath(u"small.kav"_s));
    const qsizetype paint = onDisk.indexOf("<name>Buy paint</name>");
    QVERIFY(paint > 0);
    const qsizetype task = onDisk.lastIndexOf("<task>", paint);
    const QByteArray element = onDisk.mid(task, onDisk.indexOf("</task>", paint) - task);
    QVERIFY2(element.contains("<checked>true</checked>"), element.constData());
    QVERIFY(element.contains("<status>Finished</status>"));
    QCOMPARE(fixture.prompts().Errors(), QStringList());
}

void TestMainForm::dragAndDrop_movesUnderTheTarget()
{
    TMainFormFixture fixture;
    TfrmMainForm& window = fixture.Start({fixture.CopySmallFile()});
    auto* tree = fixture.Find<TOutlineTreeView>(u"treeOutline"_s);
    TOutlineModel* model = tree->OutlineModel();
    const auto indexOf = [&](const QString& name) {
        return model->IndexOf(fixture.Item(name)->OutlineNode());
    };
    const QRect dragged = tree->visualRect(indexOf(u"Send report"_s));

    // The press selects at once; the drop is the view's, as the drag would end.
    QTest::mousePress(tree->viewport(), Qt::LeftButton, {}, dragged.center());
    QCOMPARE(fixture.CurrentName(), u"Send report"_s);
    QTest::mouseRelease(tree->viewport(), Qt::LeftButton, {}, dragged.center());
    const std::unique_ptr<QMimeData> data(model->mimeData({indexOf(u"Send report"_s)}));
    QVERIFY(model->dropMimeData(data.get(), Qt::MoveAction, -1, -1, indexOf(u"Fitness"_s)));

    QCOMPARE(fixture.Item(u"Send report"_s)->Parent(), fixture.Item(u"Fitness"_s));
    QVERIFY(window.windowTitle().endsWith(u'*'));
    QCOMPARE(indexOf(u"Send report"_s).parent(), indexOf(u"Fitness"_s));

    // Onto one of its own subitems nothing moves.
    const std::unique_ptr<QMimeData> again(model->mimeData({indexOf(u"Garden"_s)}));
    model->dropMimeData(again.get(), Qt::MoveAction, -1, -1, indexOf(u"Buy paint"_s));
    QCOMPARE(fixture.Item(u"Garden"_s)->Parent(), fixture.Item(u"Home"_s));
}

void TestMainForm::quickContextSelection_byFirstLetter()
{
    TMainFormFixture fixture;
    fixture.Start({fixture.CopySmallFile()});
    fixture.Find<QTabWidget>(u"pgrLists"_s)->setCurrentWidget(fixture.Find<QWidget>(u"pgToDo"_s));
    auto* chooser = fixture.Find<TMarkupComboBox>(u"cboxToDoContext"_s);
    chooser->setFocus();
    const TTodoView& view = *fixture.core().TodoView();

    QTest::keyClick(chooser, Qt::Key_O);
    QCOMPARE(view.ChosenContext()->Name(), u"Office"_s);
    // Office includes Office PC, and the box is ticked.
    QCOMPARE(Names(view.List()), (QStringList{u"Sweep"_s, u"Send report"_s}));
    QTest::keyClick(chooser, Qt::Key_O);
    QCOMPARE(view.ChosenContext()->Name(), u"Office PC"_s);
    QTest::keyClick(chooser, Qt::Key_O);
    QCOMPARE(view.ChosenContext()->Name(), u"Office PC"_s);
    QTest::keyClick(chooser, Qt::Key_A); // Anywhere is never reached by a letter
    QCOMPARE(view.ChosenContext()->Name(), u"Office PC"_s);
    QCOMPARE(chooser->currentIndex(), 5);

    fixture.core().TodoView()->cboxToDoContextChange(4); // Office
    auto* box = fixture.Find<QCheckBox>(u"chkToDoSubContexts"_s);
    QVERIFY(box->isChecked());
    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(!view.IncludeIncluded());
    QCOMPARE(Names(view.List()), QStringList{u"Sweep"_s});
}

void TestMainForm::selectingARow_makesItsItemCurrent()
{
    TMainFormFixture fixture;
    fixture.Start({fixture.CopySmallFile()});
    auto* lists = fixture.Find<QTabWidget>(u"pgrLists"_s);
    // The goals list shows the path of the goal under the pointer, names as typed.
    TTask* fitness = fixture.Item(u"Fitness"_s);
    fitness->SetName(u"<i>Fitness</i>"_s);
    lists->setCurrentWidget(fixture.Find<QWidget>(u"pgGoals"_s));
    auto* goals = fixture.Find<QTreeView>(u"tlGoals"_s);
    auto* goalsModel = qobject_cast<TRowListModel*>(goals->model());
    QTest::mouseMove(goals->viewport(),
                     goals->visualRect(goalsModel->IndexOf(fitness->GoalsRow(), 2)).center());
    QTRY_COMPARE(Shown(goals->toolTip()), u"Home >>> <i>Fitness</i>"_s);
    lists->setCurrentWidget(fixture.Find<QWidget>(u"pgProjects"_s));
    auto* list = fixture.Find<QTreeView>(u"tlProjects"_s);
    auto* model = qobject_cast<TRowListModel*>(list->model());
    const QRect garden =
        list->visualRect(model->IndexOf(fixture.Item(u"Garden"_s)->ProjectsRow(), 2));

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, garden.center());

    QCOMPARE(fixture.CurrentName(), u"Garden"_s);
    QCOMPARE(Shown(list->toolTip()), u"Home >>> Garden"_s);
    QCOMPARE(fixture.Find<QLineEdit>(u"edTask"_s)->text(), u"Garden"_s);
    auto* tree = fixture.Find<TOutlineTreeView>(u"treeOutline"_s);
    QCOMPARE(tree->OutlineModel()->NodeAt(tree->currentIndex())->Item(), fixture.Item(u"Garden"_s));
}

void TestMainForm::listTakingTheFocus_leavesTheCurrentItem_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("list");
    QTest::newRow("to do") << u"pgToDo"_s << u"tlToDo"_s;
    QTest::newRow("projects") << u"pgProjects"_s << u"tlProjects"_s;
    QTest::newRow("done") << u"pgDone"_s << u"tlDone"_s;
}

// A list that takes the keyboard focus gets a current row from Qt; that is no choice of the
// user's, so the item the details pane shows stays.
void TestMainForm::listTakingTheFocus_leavesTheCurrentItem()
{
    QFETCH(QString, page);
    QFETCH(QString, list);
    TMainFormFixture fixture;
    fixture.Start({fixture.CopySmallFile()});
    fixture.core().SelectItem(fixture.Item(u"Fitness"_s));
    fixture.Find<QTabWidget>(u"pgrLists"_s)->setCurrentWidget(fixture.Find<QWidget>(page));
    auto* view = fixture.Find<QTreeView>(list);

    view->setFocus(Qt::TabFocusReason);
    QTest::keyClick(view, Qt::Key_Shift); // a key that moves nothing

    QTRY_VERIFY(view->hasFocus());
    QCOMPARE(fixture.CurrentName(), u"Fitness"_s);
    QCOMPARE(fixture.Find<QLineEdit>(u"edTask"_s)->text(), u"Fitness"_s);
    // Selecting with a key is a choice.
    QTest::keyClick(view, Qt::Key_Space);
    const auto* model = qobject_cast<TRowListModel*>(view->model());
    QCOMPARE(Core().CurrentItem(), model->RowAt(view->currentIndex())->Item());
}

void TestMainForm::hint_showsForFiveSeconds()
{
    TMainFormFixture fixture;
    fixture.Start();
    auto* timer = fixture.Find<QTimer>(u"HelpHintTimer"_s);
    auto* panel = fixture.Find<TMarkupLabel>(u"panHint"_s);
    QCOMPARE(timer->interval(), 5000);
    QVERIFY(timer->isSingleShot());

    timer->setInterval(50);
    fixture.core().ShowHint(u"Press F3 for Find Next"_s);
    QCOMPARE(panel->Markup(), u"<img src=\"idx:4\"> Press F3 for Find Next"_s);
    QVERIFY(timer->isActive());
    QTRY_COMPARE(panel->Markup(), QString());
    QVERIFY(!timer->isActive());
}

void TestMainForm::save_untitledAsksForAName()
{
    TMainFormFixture fixture;
    TfrmMainForm& window = fixture.Start();
    QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
    const QString path = fixture.FilePath(u"mine.kav"_s);
    fixture.prompts().QueueFileName(path);

    QTest::mouseClick(fixture.Button(u"btnSave"_s), Qt::LeftButton);

    QCOMPARE(fixture.prompts().FileDialogs().size(), 1);
    QCOMPARE(fixture.prompts().FileDialogs().at(0).filterDescription, u"Tavolin data file"_s);
    QCOMPARE(fixture.prompts().FileDialogs().at(0).pattern, u"*.kav"_s);
    QCOMPARE(window.windowTitle(), u"Tavolin: mine.kav"_s);
    QVERIFY(TMainFormFixture::ReadFile(path).contains("<tasks>"));
    QCOMPARE(fixture.core().Config()->FileName(), path);
    QVERIFY(fixture.IniContent().contains(
        QByteArray(QByteArray("FileName=") + QFile::encodeName(path))));
}

void TestMainForm::newAndOpen_askAboutUnsavedChanges()
{
    TMainFormFixture fixture;
    TfrmMainForm& window = fixture.Start({fixture.CopySmallFile()});
    fixture.Select(u"Fitness"_s);
    QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
    fixture.prompts().QueueAnswer(false);

    fixture.Action(u"mnNewFile"_s)->trigger();

    QCOMPARE(fixture.prompts().Questions().at(0).text, u"Save changes in file small.kav?"_s);
    QCOMPARE(window.windowTitle(), u"Tavolin: Untitled"_s);
    QCOMPARE(fixture.core().Tasks()->Count(), 1);
    QCOMPARE(fixture.core().TodoView()->ContextChooser().Count(), 2);

    const QString other = fixture.CopySmallFile(u"other.kav"_s);
    QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
    fixture.prompts().QueueAnswer(false);
    fixture.prompts().QueueFileName(other);
    fixture.Action(u"mnOpenFile"_s)->trigger();

    QCOMPARE(fixture.prompts().Questions().at(1).text, u"Save changes in file ?"_s);
    QCOMPARE(window.windowTitle(), u"Tavolin: other.kav"_s);
    QCOMPARE(fixture.core().Tasks()->Count(), 10);
    QCOMPARE(fixture.core().TodoView()->ContextChooser().Count(), 6);
    QCOMPARE(fixture.CurrentName(), u"Home"_s);
    QVERIFY(fixture.Find<QToolBar>(u"MainToolBar"_s)->isEnabled());
}

void TestMainForm::language_switchesEveryCaptionAndBack()
{
    TMainFormFixture fixture;
    TfrmMainForm& window = fixture.Start({fixture.CopySmallFile()});
    const auto captions = [&fixture, &window] {
        fixture.Find<QTabWidget>(u"pgrLists"_s)->setCurrentIndex(0);
        return QStringList{TabTexts(fixture.Find<QTabWidget>(u"pgrLists"_s)).join(u','),
                           TabTexts(fixture.Find<QTabWidget>(u"pgrDetails"_s)).join(u','),
                           fixture.Find<QMenu>(u"mnFile"_s)->title(),
                           fixture.Find<QMenu>(u"mnItems"_s)->title(),
                           fixture.Find<QMenu>(u"mnLanguage"_s)->title(),
                           fixture.Action(u"mnSaveFileAs"_s)->text(),
                           fixture.Action(u"mnPopNewSubItem"_s)->text(),
                           fixture.Action(u"mnClean"_s)->text(),
                           fixture.Button(u"btnNewTask"_s)->toolTip(),
                           fixture.Button(u"btnMoveTaskUp"_s)->toolTip(),
                           fixture.Find<QCheckBox>(u"chkToDoSubContexts"_s)->text(),
                           fixture.Find<QLabel>(u"labToDoContext"_s)->text(),
                           fixture.Find<QLabel>(u"labProjectsFilter"_s)->text(),
                           fixture.core().TodoView()->ContextChooser().Entry(0),
                           fixture.core().TodoView()->ContextChooser().Entry(1),
                           fixture.core().ProjectsView()->FilterChooser().Entry(1),
                           fixture.Find<TMarkupLabel>(u"labStats"_s)->Markup().left(30),
                           window.windowTitle(),
                           QCoreApplication::translate("QPlatformTheme", "&Yes")};
    };
    const QStringList english = captions();
    fixture.core().TodoView()->cboxToDoContextChange(4);

    fixture.Action(u"mnCzech"_s)->trigger();

    const QStringList czech = captions();
    QCOMPARE(czech.at(0), u"Přehled,Udělat,Projekty,Cíle,Statistika,Hotovo"_s);
    QCOMPARE(czech.at(2), u"Soubor"_s);
    QCOMPARE(czech.at(5), u"Uložit jako..."_s);
    QCOMPARE(czech.at(8), u"Nová podpoložka"_s);
    QCOMPARE(czech.at(10), u"Zahrnuté kontexty"_s);
    QCOMPARE(czech.at(13), u"<img src=\"idx:12\"> Všechny kontexty"_s);
    QCOMPARE(czech.at(14), u"<img src=\"idx:12\"> Kdekoliv"_s);
    QCOMPARE(czech.at(17), u"Tavolin: small.kav"_s);
    // Qt's own buttons and dialogs speak Czech too.
    QCOMPARE(czech.at(18), u"&Ano"_s);
    QVERIFY(fixture.Action(u"mnCzech"_s)->isChecked());
    QVERIFY(fixture.IniContent().contains("Language=Czech"));
    // The choice of context stays.
    QCOMPARE(fixture.core().TodoView()->ChosenContext()->Name(), u"Office"_s);

    fixture.Action(u"mnEnglish"_s)->trigger();

    QCOMPARE(captions(), english);
    QVERIFY(fixture.IniContent().contains("Language=English"));
    for (qsizetype index = 0; index + 1 < czech.size(); ++index)
        QVERIFY2(czech.at(index) != english.at(index) || index == 1 || index == 17,
                 qPrintable(english.at(index)));
}

void TestMainForm::close_asksAndStoresTheState_data()
{
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("savedOnDisk");
    QTest::newRow("unmodified: no question") << false << false << 0 << false;
    QTest::newRow("modified, No: not saved") << true << false << 1 << false;
    QTest::newRow("modified, Yes: saved") << true << true << 1 << true;
}

void TestMainForm::close_asksAndStoresTheState()
{
    QFETCH(bool, modified);
    QFETCH(bool, yes);
    TMainFormFixture fixture;
    TfrmMainForm& window = fixture.Start({fixture.CopySmallFile()});
    fixture.Select(u"Water plants"_s);
    fixture.core().TodoView()->cboxToDoContextChange(3); // Home
    if (modified) {
        fixture.Item(u"Fitness"_s)->SetName(u"Running"_s);
        fixture.core().SetModified(true);
    }
    fixture.prompts().QueueAnswer(yes);

    fixture.Action(u"mnExit"_s)->trigger();

    QVERIFY(!window.isVisible());
    QTEST(int(fixture.prompts().Questions().size()), "questions");
    QTEST(TMainFormFixture::ReadFile(fixture.FilePath(u"small.kav"_s)).contains("Running"),
          "savedOnDisk");
    const QByteArray ini = fixture.IniContent();
    QVERIFY(ini.contains("SelectedTaskID={00000000-0000-0000-0000-0000000000B4}"));
    QVERIFY(ini.contains("SelectedContextID={00000000-0000-0000-0000-0000000000C2}"));
    QVERIFY(ini.contains("ToDoIncludedSubContexts=1"));
    QVERIFY(ini.contains("Main.Width="));
}

namespace {

// Takes the ini file's place with a folder: every later write of the configuration fails.
void BlockTheIni(const TMainFormFixture& fixture)
{
    QFile::remove(fixture.iniPath());
    QVERIFY(QDir().mkdir(fixture.iniPath()));
}

} // namespace

void TestMainForm::close_iniThatCannotBeWritten_showsTheErrorAndCloses()
{
    TMainFormFixture fixture;
    TfrmMainForm& window = fixture.Start();
    BlockTheIni(fixture);

    window.close();

    QVERIFY(!window.isVisible());
    QCOMPARE(fixture.prompts().Errors().size(), 1);
    QVERIFY2(fixture.prompts().Errors().at(0).startsWith(
                 u"General application error | Unable to write to "_s),
             qPrintable(fixture.prompts().Errors().at(0)));
}

void TestMainForm::uncaughtError_isShownAndTheProgramGoesOn()
{
    TMainFormFixture fixture;
    TfrmMainForm& window = fixture.Start();
    const QString other = fixture.CopySmallFile();
    BlockTheIni(fixture);

    // Opening remembers the file in the configuration, which fails; the file opens all the same.
    fixture.prompts().QueueFileName(other);
    fixture.Action(u"mnOpenFile"_s)->trigger();
    QCOMPARE(window.windowTitle(), u"Tavolin: small.kav"_s);
    // Switching the language stores it, which fails; the window speaks Czech all the same.
    fixture.Action(u"mnCzech"_s)->trigger();
    QCOMPARE(fixture.Find<QMenu>(u"mnFile"_s)->title(), u"Soubor"_s);

    const QStringList errors = fixture.prompts().Errors();
    QCOMPARE(errors.size(), 2);
    QVERIFY2(errors.at(0).startsWith(u"General application error | Unable to write to "_s),
             qPrintable(errors.at(0)));
    QVERIFY2(errors.at(1).startsWith(u"Obecná chyba aplikace | Unable to write to "_s),
             qPrintable(errors.at(1)));
}

void TestMainForm::outsideChange_readAgainKeepingItemAndContext()
{
    TMainFormFixture fixture;
    const QString path = fixture.CopySmallFile();
    fixture.Start({path});
    fixture.Select(u"Water plants"_s);
    fixture.core().TodoView()->cboxToDoContextChange(2); // Errands
    QByteArray theirs = TMainFormFixture::ReadFile(path);
    theirs.replace("<name>Buy paint</name>", "<name>Buy green paint</name>");

    TMainFormFixture::ReplaceFile(path, theirs);

    QTRY_VERIFY(fixture.Item(u"Buy green paint"_s));
    QCOMPARE(fixture.CurrentName(), u"Water plants"_s);
    QCOMPARE(fixture.core().TodoView()->ChosenContext()->Name(), u"Errands"_s);
    QCOMPARE(Names(fixture.core().TodoView()->List()),
             (QStringList{u"Sweep"_s, u"Buy green paint"_s}));
    QCOMPARE(fixture.window().windowTitle(), u"Tavolin: small.kav"_s);
    QCOMPARE(fixture.prompts().Questions().size(), 0);
    QCOMPARE(fixture.Find<QLabel>(u"panStatus"_s)->text(),
             u"Another program changed the file; it was read again."_s);

    // And again: the watch goes on after the file was replaced.
    theirs.replace("<name>Buy green paint</name>", "<name>Buy red paint</name>");
    TMainFormFixture::ReplaceFile(path, theirs);
    QTRY_VERIFY(fixture.Item(u"Buy red paint"_s));
}

void TestMainForm::outsideChange_withUnsavedChanges_toldAndKept()
{
    TMainFormFixture fixture;
    const QString path = fixture.CopySmallFile();
    TfrmMainForm& window = fixture.Start({path});
    fixture.Select(u"Fitness"_s);
    QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
    QByteArray theirs = TMainFormFixture::ReadFile(path);
    theirs.replace("<name>Paint the fence</name>", "<name>Paint the gate</name>");

    TMainFormFixture::ReplaceFile(path, theirs);

    QTRY_COMPARE(fixture.prompts().Messages().size(), 1);
    QCOMPARE(fixture.prompts().Messages().at(0),
             u"The file small.kav was changed by another program since it was opened or saved. "
             "Your next save asks what to do."_s);
    QVERIFY(fixture.Item(u"Paint the fence"_s));
    QCOMPARE(fixture.core().Tasks()->Count(), 11);
    // The save asks; dismissed, the other program's file stays.
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(fixture.prompts().ChangedFileQuestions().size(), 1);
    QCOMPARE(TMainFormFixture::ReadFile(path), theirs);
    QVERIFY(window.windowTitle().endsWith(u'*'));
}

void TestMainForm::outsideChange_thatFailsToLoad_keepsTheData()
{
    TMainFormFixture fixture;
    const QString path = fixture.CopySmallFile();
    fixture.Start({path});
    fixture.Select(u"Water plants"_s);
    const QStringList before = fixture.Outline();
    QByteArray damaged = TMainFormFixture::ReadFile(path);
    damaged.replace("<importance>50</importance>", "<importance>much</importance>");

    TMainFormFixture::ReplaceFile(path, damaged);

    QTRY_COMPARE(fixture.prompts().Errors().size(), 1);
    QVERIFY(fixture.prompts().Errors().at(0).startsWith(u"Error during loading file | "_s));
    QCOMPARE(fixture.Outline(), before);
    QCOMPARE(fixture.CurrentName(), u"Water plants"_s);
    QCOMPARE(Names(fixture.core().TodoView()->List()).size(), 3);
    QCOMPARE(fixture.window().windowTitle(), u"Tavolin: small.kav"_s);
}

void TestMainForm::ctrlC_copiesInATextBoxAndCleansElsewhere()
{
    TMainFormFixture fixture(u"[Debug]\nShowDebug=1\n"_s);
    TfrmMainForm& window = fixture.Start({fixture.CopySmallFile()});
    fixture.Select(u"Garden"_s);
    QApplication::clipboard()->clear();

    auto* name = fixture.Find<QLineEdit>(u"edTask"_s);
    name->setFocus();
    name->selectAll();
    QTest::keyClick(name, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), u"Garden"_s);

    auto* log = fixture.Find<QPlainTextEdit>(u"memDebug"_s);
    fixture.Find<QTabWidget>(u"pgrDetails"_s)
        ->setCurrentWidget(fixture.Find<QWidget>(u"pgDebug"_s));
    log->setFocus();
    log->selectAll();
    QTest::keyClick(log, Qt::Key_C, Qt::ControlModifier);
    QVERIFY(QApplication::clipboard()->text().contains(u"Application started"_s));
    QCOMPARE(fixture.prompts().Questions().size(), 0);

    auto* tree = fixture.Find<QTreeView>(u"treeOutline"_s);
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(fixture.prompts().Questions().size(), 1);
    QVERIFY(fixture.prompts().Questions().at(0).text.startsWith(u"Really clean?"_s));
    Q_UNUSED(window);
}

void TestMainForm::placement_offEveryScreen_movesOntoThePrimary()
{
    TMainFormFixture fixture(u"[Forms]\nMain.Left=-30000\nMain.Top=20000\nMain.Width=700\n"
                             "Main.Height=500\n"_s);
    TfrmMainForm& window = fixture.Start();

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(screen.contains(window.pos()), qPrintable(u"%1,%2"_s.arg(window.x()).arg(window.y())));
    QCOMPARE(window.width(), std::min(700, screen.width()));
}

void TestMainForm::helpPages_openThePageOfTheLanguage_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("file");
    QTest::newRow("manual, English") << u"mnUserManual"_s << u"mnEnglish"_s << u"manual.en.html"_s;
    QTest::newRow("manual, Czech") << u"mnUserManual"_s << u"mnCzech"_s << u"manual.cs.html"_s;
    QTest::newRow("support, English") << u"mnSupport"_s << u"mnEnglish"_s << u"support.en.html"_s;
    QTest::newRow("support, Czech") << u"mnSupport"_s << u"mnCzech"_s << u"support.cs.html"_s;
}

void TestMainForm::helpPages_openThePageOfTheLanguage()
{
    QFETCH(QString, entry);
    QFETCH(QString, language);
    QFETCH(QString, file);
    TMainFormFixture fixture;
    fixture.Start();
    TUrlRecorder recorder;
    QDesktopServices::setUrlHandler(u"file"_s, &recorder, "Open");
    fixture.Action(language)->trigger();

    fixture.Action(entry)->trigger();

    QDesktopServices::unsetUrlHandler(u"file"_s);
    QCOMPARE(recorder.opened.size(), 1);
    const QString path = recorder.opened.at(0).toLocalFile();
    QVERIFY2(path.endsWith(u"/help/"_s + file), qPrintable(path));
    QVERIFY(QFileInfo(path).size() > 1000);
    QCOMPARE(fixture.prompts().Messages(), QStringList());
}

void TestMainForm::models_passTheModelTester_whileCommandsRun()
{
    TMainFormFixture fixture;
    const QString path = fixture.CopySmallFile();
    TfrmMainForm& window = fixture.Start({path});
    std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
    for (const QString& name :
         {u"treeOutline"_s, u"tlToDo"_s, u"tlProjects"_s, u"tlGoals"_s, u"tlDone"_s}) {
        testers.push_back(std::make_unique<QAbstractItemModelTester>(
            fixture.Find<QAbstractItemView>(name)->model(),
            QAbstractItemModelTester::FailureReportingMode::Fatal));
    }
    fixture.prompts().SetDefaultAnswer(true);

    fixture.Select(u"Garden"_s);
    QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(&window, Qt::Key_Insert);
    fixture.Select(u"Buy paint"_s);
    QTest::keyClick(&window, Qt::Key_F6);
    QTest::mouseClick(fixture.Button(u"btnMoveTaskDown"_s), Qt::LeftButton);
    fixture.core().Outline()->treeOutlineCheckBoxClick(fixture.Item(u"Buy paint"_s)->OutlineNode());
    fixture.core().TodoView()->cboxToDoContextChange(4);
    QTest::keyClick(&window, Qt::Key_F5);
    fixture.Select(u"Fitness"_s);
    QTest::keyClick(&window, Qt::Key_Delete, Qt::ShiftModifier);
    QTest::mouseClick(fixture.Button(u"btnClean"_s), Qt::LeftButton);
    fixture.Action(u"mnCzech"_s)->trigger();
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
    QByteArray theirs = TMainFormFixture::ReadFile(path);
    theirs.replace("<name>Send report</name>", "<name>Send the report</name>");
    TMainFormFixture::ReplaceFile(path, theirs);
    QTRY_VERIFY(fixture.Item(u"Send the report"_s));
    fixture.Action(u"mnNewFile"_s)->trigger();
    fixture.prompts().QueueFileName(path);
    fixture.Action(u"mnOpenFile"_s)->trigger();

    QCOMPARE(fixture.Outline().first(), u"Home"_s);
    QCOMPARE(fixture.prompts().Errors(), QStringList());
}

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
