#include "ModelFixture.h"

#include "model/Completion.h"
#include "model/Scheduling.h"
#include "support/TestCore.h"

#include <QtTest>

// An outline as deep as it is long: nothing may recurse once per level.
class TstDeepOutline : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void pathAndDepth();
    void walksAndCounts();
    void markDoneRecursive_reachesTheBottom();
    void delete_releasesTheWholeChain();
    void clean_releasesTheChainBelowADoneItem();

private:
    static constexpr int levels = 100000;

    std::unique_ptr<TTestCore> test_;
    TTasks* tasks_ = nullptr;
    TTask* top_ = nullptr;
    TTask* bottom_ = nullptr;
};

void TstDeepOutline::init()
{
    test_ = std::make_unique<TTestCore>();
    tasks_ = test_->core().Tasks();
    TTask* item = nullptr;
    for (int level = 0; level < levels; ++level) {
        item = tasks_->Add(item);
        item->SetName(u"x"_qs);
        if (level == 0)
            top_ = item;
    }
    bottom_ = item;
}

void TstDeepOutline::cleanup()
{
    test_.reset();
}

void TstDeepOutline::pathAndDepth()
{
    QCOMPARE(bottom_->Depth(), levels - 1);
    const QString path = bottom_->Path();
    QCOMPARE(path.size(), levels + (levels - 1) * 5);
    QVERIFY(path.startsWith(u"x >>> x >>> "));
}

void TstDeepOutline::walksAndCounts()
{
    QCOMPARE(tasks_->CountSubitems(*top_, true), levels - 1);
    QCOMPARE(tasks_->CountSubitems(*top_, false), 1);
    int visited = 0;
    const TTask* expectedParent = nullptr;
    tasks_->ForEachInOutline([&](const TTask& item) {
        if (item.Parent() == expectedParent)
            ++visited;
        expectedParent = &item;
    });
    QCOMPARE(visited, levels);
    QCOMPARE(tasks_->Subtree(*top_).size(), levels);
    QCOMPARE(tasks_->PreviousInOutline(*bottom_), bottom_->Parent());
    bottom_->SetDependOnPrevious(true);
    QVERIFY(!Scheduling::IsBlocked(*bottom_)); // the only child of its parent
}

void TstDeepOutline::markDoneRecursive_reachesTheBottom()
{
    TRecordingViews views(test_->core());
    Completion::MarkDoneRecursive(*top_, true);
    QCOMPARE(tasks_->CountDone(), levels);
    QCOMPARE(views.Calls().size(), levels);
}

void TstDeepOutline::delete_releasesTheWholeChain()
{
    TRecordingViews views(test_->core());
    test_->core().SelectItem(bottom_);
    tasks_->Delete(*top_);
    QCOMPARE(tasks_->Count(), 0);
    QCOMPARE(views.Calls().size(), levels);
    QCOMPARE(test_->core().CurrentItem(), nullptr);
}

void TstDeepOutline::clean_releasesTheChainBelowADoneItem()
{
    TTask* middle = tasks_->Children(tasks_->Children(top_).first()).first();
    middle->SetChecked(true);
    tasks_->Clean();
    QCOMPARE(tasks_->Count(), 2);
    QVERIFY(tasks_->Children(tasks_->Children(top_).first()).isEmpty());
}

QTEST_GUILESS_MAIN(TstDeepOutline)
#include "tst_deepoutline.moc"
