#include "WidgetsFixture.h"

#include "languages/LanguagesEngine.h"
#include "views/Done.h"
#include "views/ToDo.h"
#include "widgets/IconImages.h"
#include "widgets/RowListBinding.h"
#include "widgets/RowListModel.h"

#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTextDocument>
#include <QTreeView>
#include <memory>

Q_DECLARE_METATYPE(const TListRow*)

// A list on screen as the user meets it: a table or a tree view bound to the to-do list,
// clicked and pointed at with the mouse.
class TestRowListBinding : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void linkClick_selectsTheRowThenFollowsTheLink_data();
    void linkClick_selectsTheRowThenFollowsTheLink();
    void clickBesideTheLink_onlySelects_data();
    void clickBesideTheLink_onlySelects();
    void coreSelection_showsInTheView_data();
    void coreSelection_showsInTheView();
    void pointer_handOverLinksAndTheRowBelowIt();

private:
    static TTodoView& view() { return *Core().TodoView(); }
    void Show(const QString& kind);
    QPoint PointIn(const QString& name, int column, int x) const;

    std::unique_ptr<TTestCore> test_;
    std::unique_ptr<TRecordingWindow> window_;
    std::unique_ptr<TRowListModel> model_;
    std::unique_ptr<QAbstractItemView> view_;
    TRowListBinding* binding_ = nullptr;
    QHash<QString, TTask*> tasks_;
    TIconImages icons_;
};

void TestRowListBinding::init()
{
    test_ = std::make_unique<TTestCore>();
    Core().LanguagesEngine()->SetLanguage(TLanguage::English);
    window_ = std::make_unique<TRecordingWindow>(test_->core());
    model_ = std::make_unique<TRowListModel>(view().List());
    TTask* home = AddItem(nullptr, u"Home"_s, TTaskType::Area);
    for (const QString& name : {u"Bake"_s, u"Mow"_s, u"Paint"_s})
        tasks_.insert(name, AddItem(home, name, TTaskType::Task));
    Core().Tasks()->UpdateViews();
}

void TestRowListBinding::cleanup()
{
    view_.reset();
    model_.reset();
    window_.reset();
    test_.reset();
    tasks_.clear();
}

void TestRowListBinding::Show(const QString& kind)
{
    if (kind == u"table")
        view_ = std::make_unique<QTableView>();
    else
        view_ = std::make_unique<QTreeView>();
    binding_ = new TRowListBinding(view_.get(), model_.get(), icons_);
    view_->resize(500, 200);
    view_->show();
    QVERIFY(QTest::qWaitForWindowExposed(view_.get()));
    window_->calls.clear();
}

// A point in the cell of the item's row, x pixels from the cell's left, halfway down.
QPoint TestRowListBinding::PointIn(const QString& name, int column, int x) const
{
    const QRect cell = view_->visualRect(model_->IndexOf(tasks_.value(name)->ToDoRow(), column));
    return {cell.left() + x, cell.center().y()};
}

void TestRowListBinding::linkClick_selectsTheRowThenFollowsTheLink_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("table") << u"table"_s;
    QTest::newRow("tree") << u"tree"_s;
}

void TestRowListBinding::linkClick_selectsTheRowThenFollowsTheLink()
{
    QFETCH(QString, kind);
    Show(kind);
    TTask* paint = tasks_.value(u"Paint"_s);

    // The icon of the done link stands after the cell's margin.
    QTest::mouseClick(view_->viewport(), Qt::LeftButton, {},
                      PointIn(u"Paint"_s, TTodoView::DoneColumn, 3 + TIconImages::IconSize / 2));

    QVERIFY(paint->Checked());
    QCOMPARE(NamesOf(view().List()), QStringList({u"Bake"_s, u"Mow"_s}));
    QCOMPARE(NamesOf(Core().DoneView()->List()), QStringList{u"Paint"_s});
    QCOMPARE(model_->rowCount(), 2);
    const qsizetype selected = window_->calls.indexOf(u"SelectItem Paint"_s);
    QVERIFY(selected >= 0);
    QVERIFY(selected < window_->calls.indexOf(u"LoadEditorControls"_s));
}

void TestRowListBinding::clickBesideTheLink_onlySelects_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("x");
    QTest::newRow("table, the name") << u"table"_s << int(TTodoView::NameColumn) << 30;
    QTest::newRow("tree, the name") << u"tree"_s << int(TTodoView::NameColumn) << 30;
    QTest::newRow("table, beside the box") << u"table"_s << int(TTodoView::DoneColumn) << 1;
}

void TestRowListBinding::clickBesideTheLink_onlySelects()
{
    QFETCH(QString, kind);
    QFETCH(int, column);
    QFETCH(int, x);
    Show(kind);
    TTask* mow = tasks_.value(u"Mow"_s);

    QTest::mouseClick(view_->viewport(), Qt::LeftButton, {}, PointIn(u"Mow"_s, column, x));

    QVERIFY(!mow->Checked());
    QCOMPARE(view().List().SelectedRow(), mow->ToDoRow());
    QCOMPARE(Core().CurrentItem(), mow);
    QCOMPARE(view_->currentIndex().row(), TRowList::PositionOf(mow->ToDoRow()));
    // The list's hint, names shown as typed.
    QTextDocument shown;
    shown.setHtml(view_->toolTip());
    QCOMPARE(shown.toPlainText(), u"Home >>> Mow"_s);
}

void TestRowListBinding::coreSelection_showsInTheView_data()
{
    linkClick_selectsTheRowThenFollowsTheLink_data();
}

void TestRowListBinding::coreSelection_showsInTheView()
{
    QFETCH(QString, kind);
    Show(kind);
    TListRow* bake = tasks_.value(u"Bake"_s)->ToDoRow();

    view().List().SelectRow(bake);
    QCOMPARE(view_->currentIndex().row(), TRowList::PositionOf(bake));
    QCOMPARE(view_->selectionModel()->selectedRows().size(), 1);

    // The selected row leaves the list: the view shows no selection, and no other row
    // becomes the current item by the view's own stepping.
    window_->calls.clear();
    tasks_.value(u"Bake"_s)->SetStatus(TTaskStatus::Suspended);
    tasks_.value(u"Bake"_s)->UpdateRows();
    QVERIFY(!view_->selectionModel()->hasSelection());
    QVERIFY(!view().List().SelectedRow());
    QCOMPARE(window_->calls, QStringList());
}

void TestRowListBinding::pointer_handOverLinksAndTheRowBelowIt()
{
    Show(u"table"_s);
    qRegisterMetaType<const TListRow*>();
    QSignalSpy hovered(binding_, &TRowListBinding::rowHovered);

    QTest::mouseMove(view_->viewport(),
                     PointIn(u"Mow"_s, TTodoView::DoneColumn, 3 + TIconImages::IconSize / 2));
    QTRY_COMPARE(view_->viewport()->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(hovered.last().at(0).value<const TListRow*>(), tasks_.value(u"Mow"_s)->ToDoRow());

    QTest::mouseMove(view_->viewport(), PointIn(u"Paint"_s, TTodoView::NameColumn, 30));
    QTRY_COMPARE(view_->viewport()->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(hovered.last().at(0).value<const TListRow*>(), tasks_.value(u"Paint"_s)->ToDoRow());

    QTest::mouseMove(view_->viewport(), QPoint(30, view_->viewport()->height() - 5));
    QTRY_COMPARE(hovered.last().at(0).value<const TListRow*>(), nullptr);
}

QTEST_MAIN(TestRowListBinding)
#include "tst_rowlistbinding.moc"
