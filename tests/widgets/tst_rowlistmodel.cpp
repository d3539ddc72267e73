#include "WidgetsFixture.h"

#include "languages/LanguagesEngine.h"
#include "views/ToDo.h"
#include "views/ViewMarkup.h"
#include "widgets/RowListModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>
#include <memory>

// The table model over a row list, driven by the to-do view as the program drives it.
class TestRowListModel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void oneItemChange_data();
    void oneItemChange();
    void updateBracket_sortsOnceAndKeepsPersistentRows();
    void choosingContext_rebuildsInsideTheBracket();
    void clearingViews_resets();
    void selectionAndHint_areSignalled();

private:
    static TTodoView& view() { return *Core().TodoView(); }
    TTask* AddTask(const QString& name);
    void Change(const QString& change);
    void VerifyMirror() const;

    std::unique_ptr<TTestCore> test_;
    std::unique_ptr<TRecordingWindow> window_;
    std::unique_ptr<TRowListModel> model_;
    std::unique_ptr<QAbstractItemModelTester> tester_;
    QHash<QString, TTask*> tasks_;
};

void TestRowListModel::init()
{
    test_ = std::make_unique<TTestCore>();
    Core().LanguagesEngine()->SetLanguage(TLanguage::English);
    window_ = std::make_unique<TRecordingWindow>(test_->core());
    model_ = std::make_unique<TRowListModel>(view().List());
    tester_ = std::make_unique<QAbstractItemModelTester>(
        model_.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    for (const QString& name : {u"Bake"_s, u"Mow"_s, u"Paint"_s, u"Sweep"_s})
        AddTask(name);
    Core().Tasks()->UpdateViews();
}

void TestRowListModel::cleanup()
{
    tester_.reset();
    model_.reset();
    window_.reset();
    test_.reset();
    tasks_.clear();
}

TTask* TestRowListModel::AddTask(const QString& name)
{
    TTask* item = AddItem(nullptr, name, TTaskType::Task);
    tasks_.insert(name, item);
    return item;
}

// Every cell of the model is the list's, row for row.
void TestRowListModel::VerifyMirror() const
{
    const TRowList& list = view().List();
    QCOMPARE(model_->rowCount(), list.RowCount());
    QCOMPARE(model_->columnCount(), TTodoView::ColumnCount);
    for (int position = 0; position < list.RowCount(); ++position) {
        QCOMPARE(model_->RowAt(model_->index(position, 0)), list.RowAt(position));
        for (int column = 0; column < list.ColumnCount(); ++column) {
            const QModelIndex cell = model_->index(position, column);
            QCOMPARE(cell.data(MarkupRole).toString(), list.RowAt(position)->Cell(column));
            QCOMPARE(cell.data().toString(), PlainText(list.RowAt(position)->Cell(column)));
        }
    }
}

void TestRowListModel::Change(const QString& change)
{
    if (change == u"new task") {
        AddTask(u"Dig"_s)->UpdateRows();
    } else if (change == u"renamed to the end") {
        TTask* item = tasks_.value(u"Bake"_s);
        item->SetName(u"Zest"_s);
        item->UpdateRows();
    } else if (change == u"notes added") {
        TTask* item = tasks_.value(u"Mow"_s);
        item->SetNote(u"Sharpen the blade"_s);
        item->UpdateRows();
    } else if (change == u"done link clicked") {
        model_->ClickLink(
            model_->IndexOf(tasks_.value(u"Paint"_s)->ToDoRow(), TTodoView::DoneColumn));
    } else if (change == u"suspended") {
        TTask* item = tasks_.value(u"Sweep"_s);
        item->SetStatus(TTaskStatus::Suspended);
        item->UpdateRows();
    }
}

void TestRowListModel::oneItemChange_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("kinds"); // the kinds of signal that must come
    QTest::addColumn<QStringList>("names"); // the list afterwards

    QTest::newRow("a new row comes in and moves to its place")
        << u"new task"_s << QStringList{u"inserted"_s, u"moved"_s, u"changed"_s}
        << QStringList{u"Bake"_s, u"Dig"_s, u"Mow"_s, u"Paint"_s, u"Sweep"_s};
    QTest::newRow("a renamed row moves")
        << u"renamed to the end"_s << QStringList{u"changed"_s, u"moved"_s}
        << QStringList{u"Mow"_s, u"Paint"_s, u"Sweep"_s, u"Zest"_s};
    QTest::newRow("a row in place changes one cell")
        << u"notes added"_s << QStringList{u"changed"_s}
        << QStringList{u"Bake"_s, u"Mow"_s, u"Paint"_s, u"Sweep"_s};
    QTest::newRow("the done link takes its row away")
        << u"done link clicked"_s << QStringList{u"removed"_s}
        << QStringList{u"Bake"_s, u"Mow"_s, u"Sweep"_s};
    QTest::newRow("a row that no longer belongs goes")
        << u"suspended"_s << QStringList{u"removed"_s}
        << QStringList{u"Bake"_s, u"Mow"_s, u"Paint"_s};
}

void TestRowListModel::oneItemChange()
{
    QFETCH(QString, change);
    QFETCH(QStringList, kinds);
    QFETCH(QStringList, names);
    TModelSignals signals_(model_.get());

    Change(change);

    QCOMPARE(NamesOf(view().List()), names);
    VerifyMirror();
    for (const QString& kind : kinds)
        QVERIFY2(signals_.names.contains(kind), qPrintable(signals_.names.join(u' ')));
    QVERIFY(!signals_.names.contains(u"reset"_s));
    QVERIFY(!signals_.names.contains(u"layout"_s));
}

void TestRowListModel::updateBracket_sortsOnceAndKeepsPersistentRows()
{
    TTask* sweep = tasks_.value(u"Sweep"_s);
    const QPersistentModelIndex sweepCell = model_->IndexOf(sweep->ToDoRow(), 2);
    TModelSignals signals_(model_.get());

    Core().BeginUpdateViews();
    sweep->SetName(u"Apple"_s);
    sweep->UpdateRows();
    tasks_.value(u"Bake"_s)->SetName(u"Yeast"_s);
    tasks_.value(u"Bake"_s)->UpdateRows();
    QCOMPARE(signals_.names, QStringList()); // nothing moves inside the bracket
    Core().EndUpdateViews();

    QCOMPARE(NamesOf(view().List()), QStringList({u"Apple"_s, u"Mow"_s, u"Paint"_s, u"Yeast"_s}));
    QCOMPARE(signals_.Kinds(), QStringList({u"layout"_s, u"changed"_s}));
    QCOMPARE(sweepCell.row(), 0);
    QCOMPARE(sweepCell.column(), 2);
    QCOMPARE(model_->RowAt(sweepCell), sweep->ToDoRow());
    QVERIFY(sweepCell.data(MarkupRole).toString().endsWith(u"Apple"_s));
    VerifyMirror();
}

void TestRowListModel::choosingContext_rebuildsInsideTheBracket()
{
    TKavContext* home = AddContext(u"Home"_s);
    tasks_.value(u"Mow"_s)->SetContextId(home->Id());
    AddTask(u"Iron"_s)->SetContextId(AddContext(u"Office"_s)->Id());
    view().FillContextChooser();
    Core().Tasks()->UpdateViews();
    TModelSignals signals_(model_.get());

    view().cboxToDoContextChange(Core().Contexts()->IndexOf(home) + 1);

    QCOMPARE(NamesOf(view().List()), QStringList({u"Bake"_s, u"Mow"_s, u"Paint"_s, u"Sweep"_s}));
    QVERIFY(signals_.names.contains(u"removed"_s));
    QVERIFY(!signals_.names.contains(u"reset"_s));
    VerifyMirror();
}

void TestRowListModel::clearingViews_resets()
{
    TModelSignals signals_(model_.get());

    Core().ClearViews();

    QCOMPARE(signals_.names, QStringList{u"reset"_s});
    QCOMPARE(model_->rowCount(), 0);
}

void TestRowListModel::selectionAndHint_areSignalled()
{
    QSignalSpy selection(model_.get(), &TCoreItemModel::coreSelectionChanged);
    QSignalSpy hint(model_.get(), &TRowListModel::hintChanged);
    const QModelIndex paint = model_->IndexOf(tasks_.value(u"Paint"_s)->ToDoRow());
    window_->calls.clear();

    model_->SelectIndex(paint);

    QCOMPARE(selection.count(), 1);
    QCOMPARE(model_->SelectedIndex(), paint);
    QCOMPARE(hint.count(), 1);
    QCOMPARE(hint.at(0).at(0).toString(), u"Paint"_s);
    QCOMPARE(window_->calls.first(), u"SelectItem Paint"_s);

    Core().ClearViews();
    QCOMPARE(selection.count(), 2);
    QVERIFY(!model_->SelectedIndex().isValid());
}

QTEST_MAIN(TestRowListModel)
#include "tst_rowlistmodel.moc"
