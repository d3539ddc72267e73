#include "WidgetsFixture.h"

#include "datafile/DataFile.h"
#include "languages/LanguagesEngine.h"
#include "model/Scheduling.h"
#include "views/ItemCommands.h"
#include "widgets/IconImages.h"
#include "widgets/OutlineModel.h"
#include "widgets/OutlineTreeView.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QMimeData>
#include <QTest>
#include <memory>

// The tree model over the outline and the outline's tree view, driven by the item commands and
// the outline controller as the program drives them.
class TestOutlineModel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void itemCommand_data();
    void itemCommand();
    void clearingViews_resets();
    void checkState_data();
    void checkState();
    void checkClick_data();
    void checkClick();
    void emptyValuesAfterADrag_areNoClick();
    void drop_data();
    void drop();
    void drop_refusesWhatItDidNotDrag();

    void view_expandedFollowsBothWays_data();
    void view_expandedFollowsBothWays();
    void view_selectionFollowsBothWays();
    void view_deletingTheSelectedNode_keepsTheCoresChoice();
    void view_updateBracket_showsTheLastSelectionAtItsEnd();
    void view_spaceAndClickTickTheBox();

private:
    static TOutlineTree& tree() { return Core().Outline()->Tree(); }
    QModelIndex IndexOf(const QString& name) const
    {
        return model_->IndexOf(items_.value(name)->OutlineNode());
    }
    void VerifyMirror() const;
    void VerifyViewExpanded(const QTreeView& view) const;

    std::unique_ptr<TTestCore> test_;
    std::unique_ptr<TRecordingWindow> window_;
    std::unique_ptr<TOutlineModel> model_;
    std::unique_ptr<QAbstractItemModelTester> tester_;
    QHash<QString, TTask*> items_;
    TIconImages icons_;
};

void TestOutlineModel::init()
{
    test_ = std::make_unique<TTestCore>();
    Core().LanguagesEngine()->SetLanguage(TLanguage::English);
    window_ = std::make_unique<TRecordingWindow>(test_->core());
    model_ = std::make_unique<TOutlineModel>(tree());
    tester_ = std::make_unique<QAbstractItemModelTester>(
        model_.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    items_ =
        BuildOutline({u"Area Home"_s, u" Project Garden"_s, u"  Task Dig"_s, u"  Task Plant"_s,
                      u" Project Kitchen"_s, u"  Task Paint"_s, u" Idea Pool"_s, u"Area Work"_s});
    Core().DataFile()->SetModified(false);
    window_->calls.clear();
}

void TestOutlineModel::cleanup()
{
    tester_.reset();
    model_.reset();
    window_.reset();
    test_.reset();
}

// The model holds the tree's nodes, in its order, and their texts.
void TestOutlineModel::VerifyMirror() const
{
    QCOMPARE(model_->rowCount(), tree().TopLevel().Count());
    for (const TOutlineNode* node = tree().First(); node; node = node->NextInPreOrder()) {
        const QModelIndex index = model_->IndexOf(node);
        QCOMPARE(model_->NodeAt(index), node);
        QCOMPARE(model_->NodeAt(index.parent()), node->Parent());
        QCOMPARE(model_->index(index.row(), 0, index.parent()), index);
        QCOMPARE(index.data(MarkupRole).toString(), node->Text());
        QCOMPARE(model_->rowCount(index), node->Children().Count());
    }
}

void TestOutlineModel::VerifyViewExpanded(const QTreeView& view) const
{
    for (const TOutlineNode* node = tree().First(); node; node = node->NextInPreOrder())
        QCOMPARE(view.isExpanded(model_->IndexOf(node)), node->IsExpanded());
}

void TestOutlineModel::itemCommand_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("shape");

    QTest::newRow("new subitem") << u"NewSubitem"_s << u"inserted"_s
                                 << QStringList{u"Home"_s,    u" Garden"_s,    u"  Dig"_s,
                                                u"  Plant"_s, u"  New task"_s, u" Kitchen"_s,
                                                u"  Paint"_s, u" Pool"_s,      u"Work"_s};
    QTest::newRow("move up") << u"MoveUp"_s << u"moved"_s
                             << QStringList{u"Home"_s,     u" Garden"_s, u"  Plant"_s, u"  Dig"_s,
                                            u" Kitchen"_s, u"  Paint"_s, u" Pool"_s,   u"Work"_s};
    QTest::newRow("move down") << u"MoveDown"_s << u"moved"_s
                               << QStringList{u"Home"_s,  u" Kitchen"_s, u"  Paint"_s, u" Garden"_s,
                                              u"  Dig"_s, u"  Plant"_s,  u" Pool"_s,   u"Work"_s};
    QTest::newRow("rename") << u"Rename"_s << u"changed"_s
                            << QStringList{u"Home"_s,    u" Garden"_s,  u"  Dig"_s,
                                           u"  Plant"_s, u" Kitchen"_s, u"  Paint walls"_s,
                                           u" Pool"_s,   u"Work"_s};
    QTest::newRow("delete with its subitems")
        << u"Delete"_s << u"removed"_s
        << QStringList{u"Home"_s, u" Kitchen"_s, u"  Paint"_s, u" Pool"_s, u"Work"_s};
    QTest::newRow("clean") << u"Clean"_s << u"removed"_s
                           << QStringList{u"Home"_s,    u" Garden"_s, u"  Plant"_s, u" Kitchen"_s,
                                          u"  Paint"_s, u" Pool"_s,   u"Work"_s};
}

void TestOutlineModel::itemCommand()
{
    QFETCH(QString, command);
    QFETCH(QString, kind);
    QFETCH(QStringList, shape);
    TModelSignals signals_(model_.get());

    test_->prompts().SetDefaultAnswer(true);
    if (command == u"NewSubitem") {
        ItemCommands::NewSubitem(items_.value(u"Garden"_s));
    } else if (command == u"MoveUp") {
        ItemCommands::MoveUp(*items_.value(u"Plant"_s));
    } else if (command == u"MoveDown") {
        ItemCommands::MoveDown(*items_.value(u"Garden"_s));
    } else if (command == u"Rename") {
        items_.value(u"Paint"_s)->SetName(u"Paint walls"_s);
    } else if (command == u"Delete") {
        ItemCommands::Delete(*items_.value(u"Garden"_s));
    } else if (command == u"Clean") {
        items_.value(u"Dig"_s)->SetChecked(true);
        ItemCommands::Clean();
    }

    QCOMPARE(TreeShape(tree()), shape);
    VerifyMirror();
    QVERIFY2(signals_.names.contains(kind), qPrintable(signals_.names.join(u' ')));
    QVERIFY(!signals_.names.contains(u"reset"_s));
    QVERIFY(!signals_.names.contains(u"layout"_s));
}

void TestOutlineModel::clearingViews_resets()
{
    TModelSignals signals_(model_.get());

    Core().ClearViews();

    QCOMPARE(signals_.names, QStringList{u"reset"_s});
    QCOMPARE(model_->rowCount(), 0);
}

void TestOutlineModel::checkState_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("done");
    QTest::addColumn<QVariant>("state");
    QTest::addColumn<bool>("checkable");

    QTest::newRow("an area has no box") << u"Home"_s << false << QVariant() << false;
    QTest::newRow("an open task") << u"Dig"_s << false << QVariant(int(Qt::Unchecked)) << true;
    QTest::newRow("a done project") << u"Garden"_s << true << QVariant(int(Qt::Checked)) << true;
}

void TestOutlineModel::checkState()
{
    QFETCH(QString, name);
    QFETCH(bool, done);
    QFETCH(QVariant, state);
    QFETCH(bool, checkable);
    TTask* item = items_.value(name);
    item->SetChecked(done);
    item->UpdateRows();

    QCOMPARE(IndexOf(name).data(Qt::CheckStateRole), state);
    QCOMPARE(bool(IndexOf(name).flags() & Qt::ItemIsUserCheckable), checkable);
}

void TestOutlineModel::checkClick_data()
{
    QTest::addColumn<TAccomplishType>("accomplish");
    QTest::addColumn<bool>("done");
    QTest::addColumn<int>("daysMoved");

    QTest::newRow("once: done") << TAccomplishType::Once << true << 0;
    QTest::newRow("routinely: the next date moves, the box stays clear")
        << TAccomplishType::Routinely << false << 7;
}

void TestOutlineModel::checkClick()
{
    QFETCH(TAccomplishType, accomplish);
    QFETCH(bool, done);
    QFETCH(int, daysMoved);
    TTask* dig = items_.value(u"Dig"_s);
    dig->SetAccomplishType(accomplish);
    dig->SetRepeatType(TPeriodType::Weeks);
    dig->SetRepeatValue(1);
    dig->SetNextDate(test_->clock().Today());
    TModelSignals signals_(model_.get());

    QVERIFY(model_->setData(IndexOf(u"Dig"_s), int(Qt::Checked), Qt::CheckStateRole));

    QCOMPARE(dig->Checked(), done);
    QCOMPARE(IndexOf(u"Dig"_s).data(Qt::CheckStateRole).toInt(),
             int(done ? Qt::Checked : Qt::Unchecked));
    QCOMPARE(dig->NextDate(), test_->clock().Today() + daysMoved);
    QVERIFY(Core().DataFile()->IsModified());
    QVERIFY(signals_.names.contains(u"changed"_s));
}

// After a drag that ends in a move, a view clears the dragged cells by setting every role to
// nothing: the box must not flip.
void TestOutlineModel::emptyValuesAfterADrag_areNoClick()
{
    const QModelIndex dig = IndexOf(u"Dig"_s);
    QMap<int, QVariant> roles = model_->itemData(dig);
    QVERIFY(roles.contains(Qt::CheckStateRole));
    for (QVariant& value : roles)
        value = QVariant();

    model_->setItemData(dig, roles);

    QVERIFY(!items_.value(u"Dig"_s)->Checked());
    QVERIFY(!Core().DataFile()->IsModified());
}

void TestOutlineModel::drop_data()
{
    QTest::addColumn<QString>("dragged");
    QTest::addColumn<QString>("target"); // empty: empty space
    QTest::addColumn<QStringList>("shape");

    const QStringList unchanged{u"Home"_s,     u" Garden"_s, u"  Dig"_s, u"  Plant"_s,
                                u" Kitchen"_s, u"  Paint"_s, u" Pool"_s, u"Work"_s};
    QTest::newRow("onto another node")
        << u"Paint"_s << u"Garden"_s
        << QStringList{u"Home"_s,    u" Garden"_s,  u"  Dig"_s, u"  Plant"_s,
                       u"  Paint"_s, u" Kitchen"_s, u" Pool"_s, u"Work"_s};
    QTest::newRow("onto its own parent: to the end")
        << u"Dig"_s << u"Garden"_s
        << QStringList{u"Home"_s,     u" Garden"_s, u"  Plant"_s, u"  Dig"_s,
                       u" Kitchen"_s, u"  Paint"_s, u" Pool"_s,   u"Work"_s};
    QTest::newRow("onto itself") << u"Garden"_s << u"Garden"_s << unchanged;
    QTest::newRow("onto its own subitem") << u"Garden"_s << u"Dig"_s << unchanged;
    QTest::newRow("onto empty space") << u"Garden"_s << QString() << unchanged;
}

void TestOutlineModel::drop()
{
    QFETCH(QString, dragged);
    QFETCH(QString, target);
    QFETCH(QStringList, shape);
    const QModelIndex targetIndex = target.isEmpty() ? QModelIndex() : IndexOf(target);
    const bool moves = shape != TreeShape(tree());
    TModelSignals signals_(model_.get());

    const std::unique_ptr<QMimeData> data(model_->mimeData({IndexOf(dragged)}));
    QVERIFY(model_->canDropMimeData(data.get(), Qt::MoveAction, -1, -1, targetIndex));
    QVERIFY(model_->dropMimeData(data.get(), Qt::MoveAction, -1, -1, targetIndex));

    QCOMPARE(TreeShape(tree()), shape);
    QCOMPARE(ModelShape(*Core().Tasks()), shape);
    QCOMPARE(Core().DataFile()->IsModified(), moves);
    QCOMPARE(signals_.names, moves ? QStringList{u"moved"_s} : QStringList());
    VerifyMirror();
}

void TestOutlineModel::drop_refusesWhatItDidNotDrag()
{
    const QModelIndex garden = IndexOf(u"Garden"_s);
    QMimeData foreign;
    foreign.setData(model_->mimeTypes().first(), "another program's node");
    QVERIFY(!model_->canDropMimeData(&foreign, Qt::MoveAction, -1, -1, garden));
    QVERIFY(!model_->dropMimeData(&foreign, Qt::MoveAction, -1, -1, garden));

    TOutlineTree otherTree;
    TOutlineModel otherModel(otherTree);
    otherTree.AddNode(nullptr, nullptr);
    const std::unique_ptr<QMimeData> fromOtherModel(otherModel.mimeData({otherModel.index(0, 0)}));
    QVERIFY(!model_->canDropMimeData(fromOtherModel.get(), Qt::MoveAction, -1, -1, garden));

    // A node deleted while it is dragged is dropped nowhere.
    const std::unique_ptr<QMimeData> stale(model_->mimeData({IndexOf(u"Paint"_s)}));
    test_->prompts().SetDefaultAnswer(true);
    ItemCommands::Delete(*items_.value(u"Kitchen"_s));
    QVERIFY(!model_->dropMimeData(stale.get(), Qt::MoveAction, -1, -1, garden));
    QCOMPARE(TreeShape(tree()), QStringList({u"Home"_s, u" Garden"_s, u"  Dig"_s, u"  Plant"_s,
                                             u" Pool"_s, u"Work"_s}));
}

void TestOutlineModel::view_expandedFollowsBothWays_data()
{
    QTest::addColumn<QString>("command");

    QTest::newRow("the user collapses a node") << u"ViewCollapse"_s;
    QTest::newRow("the user expands a node") << u"ViewExpand"_s;
    QTest::newRow("expand all") << u"ExpandAll"_s;
    QTest::newRow("collapse all") << u"CollapseAll"_s;
    QTest::newRow("collapse the current node") << u"Collapse"_s;
    QTest::newRow("expand the current node") << u"Expand"_s;
}

void TestOutlineModel::view_expandedFollowsBothWays()
{
    QFETCH(QString, command);
    TOutlineTreeView view(model_.get(), icons_);
    VerifyViewExpanded(view); // as the view found them
    TOutlineNode* garden = items_.value(u"Garden"_s)->OutlineNode();
    Core().SelectItem(items_.value(u"Garden"_s));

    if (command == u"ViewCollapse") {
        view.collapse(IndexOf(u"Garden"_s));
        QVERIFY(!garden->IsExpanded());
    } else if (command == u"ViewExpand") {
        view.expand(IndexOf(u"Dig"_s));
        QVERIFY(items_.value(u"Dig"_s)->OutlineNode()->IsExpanded());
    } else if (command == u"ExpandAll") {
        Core().Outline()->mnExpandAll();
    } else if (command == u"CollapseAll") {
        Core().Outline()->mnCollapseAll();
    } else if (command == u"Collapse") {
        Core().Outline()->mnCollapse();
        QVERIFY(!garden->IsExpanded());
    } else if (command == u"Expand") {
        tree().SetExpanded(garden, false, false);
        Core().Outline()->mnExpand();
        QVERIFY(garden->IsExpanded());
    }

    VerifyViewExpanded(view);
}

void TestOutlineModel::view_selectionFollowsBothWays()
{
    TOutlineTreeView view(model_.get(), icons_);
    QCOMPARE(view.currentIndex(), model_->SelectedIndex()); // Work, added last

    view.setCurrentIndex(IndexOf(u"Plant"_s));
    QCOMPARE(tree().SelectedNode(), items_.value(u"Plant"_s)->OutlineNode());
    QCOMPARE(Core().CurrentItem(), items_.value(u"Plant"_s));
    QCOMPARE(window_->calls.first(), u"SelectItem Plant"_s);

    Core().SelectItem(items_.value(u"Pool"_s));
    QCOMPARE(view.currentIndex(), IndexOf(u"Pool"_s));
    QVERIFY(view.selectionModel()->isSelected(IndexOf(u"Pool"_s)));
    QCOMPARE(view.selectionModel()->selectedRows().size(), 1);
}

void TestOutlineModel::view_deletingTheSelectedNode_keepsTheCoresChoice()
{
    TOutlineTreeView view(model_.get(), icons_);
    view.setCurrentIndex(IndexOf(u"Plant"_s));
    window_->calls.clear();
    test_->prompts().SetDefaultAnswer(true);

    // The view would step to the row above, Dig; the core goes on to the item after Plant.
    ItemCommands::Delete(*items_.value(u"Plant"_s));

    QCOMPARE(Core().CurrentItem(), items_.value(u"Kitchen"_s));
    QCOMPARE(view.currentIndex(), IndexOf(u"Kitchen"_s));
    QVERIFY(!window_->calls.contains(u"SelectItem Dig"_s));
}

void TestOutlineModel::view_updateBracket_showsTheLastSelectionAtItsEnd()
{
    TOutlineTreeView view(model_.get(), icons_);
    view.setCurrentIndex(IndexOf(u"Dig"_s));

    Core().BeginUpdateViews();
    for (const QString& name : {u"Mow"_s, u"Rake"_s}) {
        TTask* item = AddItem(items_.value(u"Work"_s), name, TTaskType::Task);
        Core().Outline()->AddItemNode(*item);
        items_.insert(name, item);
    }
    QCOMPARE(view.currentIndex(), IndexOf(u"Dig"_s));
    QVERIFY(!view.updatesEnabled());
    Core().EndUpdateViews();

    QCOMPARE(view.currentIndex(), IndexOf(u"Rake"_s));
    QVERIFY(view.updatesEnabled());
    QCOMPARE(Core().CurrentItem(), items_.value(u"Dig"_s)); // the bracket leaves it alone
}

void TestOutlineModel::view_spaceAndClickTickTheBox()
{
    TOutlineTreeView view(model_.get(), icons_);
    view.resize(400, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    view.setCurrentIndex(IndexOf(u"Dig"_s));
    QTest::keyClick(&view, Qt::Key_Space);
    QVERIFY(items_.value(u"Dig"_s)->Checked());

    // The box stands at the start of the node, before its icon.
    const QRect plant = view.visualRect(IndexOf(u"Plant"_s));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                      QPoint(plant.left() + 3 + TIconImages::IconSize / 2, plant.center().y()));
    QVERIFY(items_.value(u"Plant"_s)->Checked());
    QCOMPARE(Core().CurrentItem(), items_.value(u"Plant"_s));

    // A click on the text selects and leaves the box alone.
    const QRect paint = view.visualRect(IndexOf(u"Paint"_s));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                      QPoint(paint.left() + 60, paint.center().y()));
    QVERIFY(!items_.value(u"Paint"_s)->Checked());
    QCOMPARE(Core().CurrentItem(), items_.value(u"Paint"_s));
}

QTEST_MAIN(TestOutlineModel)
#include "tst_outlinemodel.moc"
