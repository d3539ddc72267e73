#include "WidgetsFixture.h"

#include "languages/LanguagesEngine.h"
#include "views/Projects.h"
#include "views/Statistics.h"
#include "views/ToDo.h"
#include "views/ViewMarkup.h"
#include "widgets/ChooserModel.h"
#include "widgets/CoreItemModel.h"
#include "widgets/IconImages.h"
#include "widgets/MarkupComboBox.h"
#include "widgets/MarkupLabel.h"
#include "widgets/MarkupLayout.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <memory>

// The chooser's drop-down list and the markup label, bound to the core's chooser and label.
class TestMarkupWidgets : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void chooserModel_followsEveryChange();
    void comboBox_showsTheChoosersEntryAndFollowsIt();
    void comboBox_userChoiceGoesThroughTheHandler_data();
    void comboBox_userChoiceGoesThroughTheHandler();
    void comboBox_quickKeys_data();
    void comboBox_quickKeys();

    void label_followsTheCoreLabel();
    void label_clicksAndLinks();
    void label_showsUserTextAsTyped();

private:
    static TTodoView& todo() { return *Core().TodoView(); }
    static QString ChosenName()
    {
        return PlainText(todo().ContextChooser().Entry(todo().ContextChooser().SelectedIndex()))
            .trimmed();
    }

    std::unique_ptr<TTestCore> test_;
    std::unique_ptr<TRecordingWindow> window_;
    TIconImages icons_;
};

void TestMarkupWidgets::init()
{
    test_ = std::make_unique<TTestCore>();
    Core().LanguagesEngine()->SetLanguage(TLanguage::English);
    window_ = std::make_unique<TRecordingWindow>(test_->core());
    Core().Contexts()->Reset();
    for (const QString& name : {u"Hobby"_s, u"Home"_s, u"Work"_s})
        AddContext(name);
    todo().FillContextChooser();
}

void TestMarkupWidgets::cleanup()
{
    window_.reset();
    test_.reset();
}

void TestMarkupWidgets::chooserModel_followsEveryChange()
{
    TChooser& chooser = Core().ProjectsView()->FilterChooser();
    TChooserModel model(chooser);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy selection(&model, &TChooserModel::selectionChanged);

    Core().LanguagesEngine()->SetLanguage(TLanguage::Czech);
    Core().ProjectsView()->RefreshFilterTexts();
    QCOMPARE(model.index(1).data().toString(), chooser.Entry(1));
    QCOMPARE(model.index(1).data(MarkupRole).toString(), chooser.Entry(1));
    QCOMPARE(selection.count(), 0);

    chooser.Select(1);
    QCOMPARE(selection.takeFirst().at(0).toInt(), 1);

    chooser.Clear();
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(selection.takeFirst().at(0).toInt(), -1);
    chooser.Add(u"<b>one</b>"_s);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.index(0).data().toString(), u"one"_s);
}

void TestMarkupWidgets::comboBox_showsTheChoosersEntryAndFollowsIt()
{
    TChooser& chooser = todo().ContextChooser();
    TMarkupComboBox box(chooser, icons_);
    QCOMPARE(box.count(), 5);
    QCOMPARE(box.currentIndex(), 0);

    chooser.Select(3);
    QCOMPARE(box.currentIndex(), 3);
    QCOMPARE(box.accessibleName(), u" Home"_s);

    // A refill with a new context: the box shows the refill's choice, not one of its own.
    AddContext(u"Garage"_s);
    todo().FillContextChooser();
    QCOMPARE(box.count(), 6);
    QCOMPARE(box.currentIndex(), chooser.SelectedIndex());

    chooser.Clear();
    QCOMPARE(box.count(), 0);
    QCOMPARE(box.currentIndex(), -1);

    // The entry is drawn from its markup: the house of a place context shows in the box.
    todo().FillContextChooser();
    chooser.Select(3);
    box.resize(box.sizeHint());
    QVERIFY(box.sizeHint().width() >=
            TMarkupLayout::NaturalSize(chooser.Entry(3), box.font()).width());
    const QImage image = box.grab().toImage();
    bool roof = false;
    for (int y = 0; y < image.height() && !roof; ++y) {
        for (int x = 0; x < image.width() && !roof; ++x)
            roof = image.pixelColor(x, y).red() > 180 && image.pixelColor(x, y).green() < 80;
    }
    QVERIFY(roof);
}

void TestMarkupWidgets::comboBox_userChoiceGoesThroughTheHandler_data()
{
    QTest::addColumn<bool>("handled");
    QTest::newRow("to the view's handler") << true;
    QTest::newRow("nobody listens: the box goes back") << false;
}

void TestMarkupWidgets::comboBox_userChoiceGoesThroughTheHandler()
{
    QFETCH(bool, handled);
    TMarkupComboBox box(todo().ContextChooser(), icons_);
    QSignalSpy chosen(&box, &TMarkupComboBox::entryChosen);
    if (handled) {
        connect(&box, &TMarkupComboBox::entryChosen, &box, [](int index) {
            Core().Guarded([index] { todo().cboxToDoContextChange(index); });
        });
    }

    QTest::keyClick(&box, Qt::Key_Down);

    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0).at(0).toInt(), 1);
    QCOMPARE(todo().ContextChooser().SelectedIndex(), handled ? 1 : 0);
    QCOMPARE(box.currentIndex(), handled ? 1 : 0);
}

void TestMarkupWidgets::comboBox_quickKeys_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QStringList>("chosen"); // after each key

    QTest::newRow("steps through one letter and stops")
        << u"HHH"_s << QStringList({u"Hobby"_s, u"Home"_s, u"Home"_s});
    QTest::newRow("never anywhere") << u"A"_s << QStringList{u"All contexts"_s};
    QTest::newRow("another letter") << u"HW"_s << QStringList({u"Hobby"_s, u"Work"_s});
}

void TestMarkupWidgets::comboBox_quickKeys()
{
    QFETCH(QString, keys);
    QFETCH(QStringList, chosen);
    TMarkupComboBox box(todo().ContextChooser(), icons_);
    connect(&box, &TMarkupComboBox::quickKeyPressed, &box,
            [](QChar key) { Core().Guarded([key] { todo().cboxToDoContextKeyDown(key); }); });

    QStringList after;
    for (const QChar key : keys) {
        QTest::keyClick(&box, key.toLatin1());
        after.append(ChosenName());
        QCOMPARE(box.currentIndex(), todo().ContextChooser().SelectedIndex());
    }
    QCOMPARE(after, chosen);
}

void TestMarkupWidgets::label_followsTheCoreLabel()
{
    TMarkupLabel label(Core().StatisticsView()->Label(), icons_);

    AddItem(nullptr, u"Home"_s, TTaskType::Area);
    Core().StatisticsView()->RefreshStats();

    QCOMPARE(label.Markup(), Core().StatisticsView()->Label().Markup());
    QVERIFY(label.accessibleName().startsWith(u"Items: 1 (1 active, 0 done)\n\nTasks: 0\n"_s));
    QVERIFY(label.sizeHint().height() >= 6 * label.fontMetrics().height());
}

void TestMarkupWidgets::label_clicksAndLinks()
{
    TMarkupLabel label(icons_);
    label.SetMarkup(u"Importance for project <a href=\"nil\"><b>Garden</b></a>"_s);
    label.resize(label.sizeHint());
    label.show();
    QVERIFY(QTest::qWaitForWindowExposed(&label));
    QSignalSpy links(&label, &TMarkupLabel::linkClicked);
    QSignalSpy clicks(&label, &TMarkupLabel::clicked);
    QSignalSpy doubleClicks(&label, &TMarkupLabel::doubleClicked);
    const QPoint onLink(label.width() - 8, label.height() / 2);

    QTest::mouseClick(&label, Qt::LeftButton, {}, onLink);
    QCOMPARE(links.count(), 1);
    QCOMPARE(links.at(0).at(0).toString(), u"nil"_s);
    QCOMPARE(clicks.count(), 1);

    QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(3, label.height() / 2));
    QCOMPARE(links.count(), 1);
    QCOMPARE(clicks.count(), 2);

    QTest::mouseMove(&label, onLink);
    QTRY_COMPARE(label.cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(&label, QPoint(3, label.height() / 2));
    QTRY_COMPARE(label.cursor().shape(), Qt::ArrowCursor);

    // A double click as the platform sends it: a click, then a press that is a double click
    // and its release, which is no second click.
    clicks.clear();
    const QPoint point(3, label.height() / 2);
    QTest::mouseClick(&label, Qt::LeftButton, {}, point);
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, point, label.mapToGlobal(point),
                            Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(&label, &doubleClick);
    QTest::mouseRelease(&label, Qt::LeftButton, {}, point);
    QCOMPARE(doubleClicks.count(), 1);
    QCOMPARE(clicks.count(), 1);
}

void TestMarkupWidgets::label_showsUserTextAsTyped()
{
    TMarkupLabel label(icons_);
    const QString typed = u"<img src=x onerror=alert(1)> & <i>me</i>"_s;

    label.SetMarkup(typed);

    QCOMPARE(label.accessibleName(), typed);
    QCOMPARE(label.sizeHint().width(),
             int(std::ceil(QFontMetricsF(label.font()).horizontalAdvance(typed))));
}

QTEST_MAIN(TestMarkupWidgets)
#include "tst_markupwidgets.moc"
