#include "views/OutlineTree.h"

#include <QRandomGenerator>
#include <QTest>
#include <QThread>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// Stand-ins for items: the tree only stores and hands back their addresses.
TTask* FakeItem(int number)
{
    static std::array<char, 256> items;
    return reinterpret_cast<TTask*>(&items.at(std::size_t(number)));
}

// Builds "A(B(C D) E) F": names are node texts, parentheses hold children.
void Build(TOutlineTree& tree, const QString& shape)
{
    std::vector<TOutlineNode*> parents = {nullptr};
    TOutlineNode* last = nullptr;
    QString name;
    int number = 0;
    const auto flush = [&] {
        if (name.isEmpty())
            return;
        last = tree.AddNode(FakeItem(number++), parents.back());
        tree.SetText(last, name);
        name.clear();
    };
    for (const QChar c : shape) {
        if (c == u'(') {
            flush();
            parents.push_back(last);
        } else if (c == u')') {
            flush();
            parents.pop_back();
        } else if (c == u' ') {
            flush();
        } else {
            name += c;
        }
    }
    flush();
}

int Depth(const TOutlineNode* node)
{
    int depth = 0;
    for (; node; node = node->Parent())
        ++depth;
    return depth;
}

// The tree written as Build reads it.
QString Describe(const TOutlineTree& tree)
{
    QString shape;
    const TOutlineNode* previous = nullptr;
    for (const TOutlineNode* node = tree.First(); node; node = node->NextInPreOrder()) {
        if (previous && node->Parent() == previous)
            shape += u'(';
        else if (previous)
            shape += QString(Depth(previous) - Depth(node), u')') + u' ';
        shape += node->Text();
        previous = node;
    }
    if (previous)
        shape += QString(Depth(previous) - 1, u')');
    return shape;
}

TOutlineNode* Find(const TOutlineTree& tree, const QString& name)
{
    for (TOutlineNode* node = tree.First(); node; node = node->NextInPreOrder()) {
        if (node->Text() == name)
            return node;
    }
    return nullptr;
}

QString NameOf(const TOutlineNode* node)
{
    return node ? node->Text() : u"-"_s;
}

// Follows the tree through its notifications alone, as an item model must, and checks each
// position against the tree at the moment it is told.
class TMirror : public IOutlineObserver {
public:
    explicit TMirror(TOutlineTree& tree) : tree_(tree)
    {
        Reload();
        tree.SetObserver(this);
    }
    ~TMirror() override { tree_.SetObserver(nullptr); }

    QStringList log;
    bool failed = false;

    // Whether every node's children are those the notifications left.
    bool Matches() const
    {
        std::size_t parents = 1;
        if (!SameChildren(nullptr, tree_.TopLevel()))
            return false;
        for (TOutlineNode* node = tree_.First(); node; node = node->NextInPreOrder()) {
            if (!SameChildren(node, node->Children()))
                return false;
            parents += children_.count(node);
        }
        return parents == children_.size();
    }

    void NodeAboutToBeInserted(TOutlineNode* parent, int index) override
    {
        Expect(index == int(children_[parent].size()));
        pending_ = {parent, index};
        log.append(u"insert "_s + NameOf(parent) + u':' + QString::number(index));
    }
    void NodeInserted() override
    {
        const auto [parent, index] = pending_;
        TOutlineNode* node = Siblings(parent).At(index);
        children_[parent].push_back(node);
    }
    void NodeAboutToBeRemoved(TOutlineNode* parent, int index) override
    {
        Expect(index < int(children_[parent].size()) &&
               children_[parent][std::size_t(index)] == Siblings(parent).At(index));
        pending_ = {parent, index};
        log.append(u"remove "_s + NameOf(Siblings(parent).At(index)));
    }
    void NodeRemoved() override
    {
        const auto [parent, index] = pending_;
        std::vector<TOutlineNode*>& siblings = children_[parent];
        std::vector<TOutlineNode*> gone = {siblings[std::size_t(index)]};
        siblings.erase(siblings.begin() + index);
        while (!gone.empty()) {
            TOutlineNode* node = gone.back();
            gone.pop_back();
            if (const auto entry = children_.find(node); entry != children_.end()) {
                gone.insert(gone.end(), entry->second.begin(), entry->second.end());
                children_.erase(entry);
            }
        }
    }
    void NodeAboutToBeMoved(TOutlineNode* fromParent, int from, TOutlineNode* toParent,
                            int destination) override
    {
        // What QAbstractItemModel::beginMoveRows refuses: a move to where the node stands, a
        // move into itself, positions out of range.
        const std::vector<TOutlineNode*>& source = children_[fromParent];
        Expect(from >= 0 && from < int(source.size()) &&
               source[std::size_t(from)] == Siblings(fromParent).At(from));
        Expect(destination >= 0 && destination <= int(children_[toParent].size()));
        Expect(fromParent != toParent || (destination != from && destination != from + 1));
        Expect(!toParent || !toParent->IsWithin(source[std::size_t(from)]));
        pendingMove_ = {fromParent, from, toParent, destination};
        log.append(u"move "_s + NameOf(fromParent) + u':' + QString::number(from) + u" to "_s +
                   NameOf(toParent) + u':' + QString::number(destination));
    }
    void NodeMoved() override
    {
        const auto [fromParent, from, toParent, destination] = pendingMove_;
        std::vector<TOutlineNode*>& source = children_[fromParent];
        TOutlineNode* node = source[std::size_t(from)];
        source.erase(source.begin() + from);
        const bool sameParent = fromParent == toParent;
        std::vector<TOutlineNode*>& target = children_[toParent];
        target.insert(target.begin() +
                          (sameParent && destination > from ? destination - 1 : destination),
                      node);
    }
    void TextChanged(TOutlineNode* node) override { log.append(u"text "_s + node->Text()); }
    void CheckChanged(TOutlineNode* node) override { log.append(u"check "_s + node->Text()); }
    void ExpandedChanged(TOutlineNode* node) override
    {
        log.append((node->IsExpanded() ? u"expand "_s : u"collapse "_s) + node->Text());
    }
    void AboutToBeReset() override { log.append(u"reset"_s); }
    void Reset() override { Reload(); }
    void SelectionChanged() override { log.append(u"selection "_s + NameOf(tree_.SelectedNode())); }
    void UpdateBegun() override { log.append(u"begin"_s); }
    void UpdateEnded() override { log.append(u"end"_s); }

private:
    struct TMove {
        TOutlineNode* fromParent;
        int from;
        TOutlineNode* toParent;
        int destination;
    };

    void Expect(bool condition) { failed = failed || !condition; }
    const TRankedList<TOutlineNode>& Siblings(TOutlineNode* parent) const
    {
        return parent ? parent->Children() : tree_.TopLevel();
    }
    bool SameChildren(TOutlineNode* parent, const TRankedList<TOutlineNode>& actual) const
    {
        const auto entry = children_.find(parent);
        const std::vector<TOutlineNode*> none;
        return (entry == children_.end() ? none : entry->second) == actual.ToVector();
    }
    void Reload()
    {
        children_.clear();
        children_[nullptr] = tree_.TopLevel().ToVector();
        for (TOutlineNode* node = tree_.First(); node; node = node->NextInPreOrder()) {
            if (!node->Children().IsEmpty())
                children_[node] = node->Children().ToVector();
        }
    }

    TOutlineTree& tree_;
    std::map<TOutlineNode*, std::vector<TOutlineNode*>> children_;
    std::pair<TOutlineNode*, int> pending_;
    TMove pendingMove_{};
};

const QString Sample = u"A(B(C D) E) F"_s;

} // namespace

class TstOutlineTree : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void navigation_data();
    void navigation();
    void preOrderPositions_followChanges();
    void moves_data();
    void moves();
    void removeNode_releasesSubtreeDeepestFirst();
    void removeNode_clearsSelectionInsideIt();
    void check_threeStatesAndClick();
    void expansion_oneLevelOrRecursive();
    void updateBracket_toldAtTheOuterEdges();
    void clear_resetsEverything();
    void observer_canFollowEveryChange();
    void deepChain_withoutRecursion();
    void wideLevel_indexesStayCheap();
};

void TstOutlineTree::navigation_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("children");
    QTest::addColumn<QString>("previous"); // in pre-order
    QTest::addColumn<QString>("next");

    // A(B(C D) E) F
    QTest::newRow("first top-level") << u"A"_s << u"-"_s << 0 << u"BE"_s << u"-"_s << u"B"_s;
    QTest::newRow("first child") << u"B"_s << u"A"_s << 0 << u"CD"_s << u"A"_s << u"C"_s;
    QTest::newRow("leaf") << u"C"_s << u"B"_s << 0 << u""_s << u"B"_s << u"D"_s;
    QTest::newRow("last leaf of a branch") << u"D"_s << u"B"_s << 1 << u""_s << u"C"_s << u"E"_s;
    QTest::newRow("after a branch") << u"E"_s << u"A"_s << 1 << u""_s << u"D"_s << u"F"_s;
    QTest::newRow("last top-level") << u"F"_s << u"-"_s << 1 << u""_s << u"E"_s << u"-"_s;
}

void TstOutlineTree::navigation()
{
    QFETCH(QString, node);
    QFETCH(QString, parent);
    QFETCH(int, index);
    QFETCH(QString, children);
    QFETCH(QString, previous);
    QFETCH(QString, next);

    TOutlineTree tree;
    Build(tree, Sample);
    QCOMPARE(Describe(tree), Sample);
    const TOutlineNode* subject = Find(tree, node);
    QCOMPARE(NameOf(subject->Parent()), parent);
    QCOMPARE(subject->IndexAmongSiblings(), index);
    QString names;
    for (const TOutlineNode* child : subject->Children())
        names += child->Text();
    QCOMPARE(names, children);
    QCOMPARE(NameOf(subject->PreviousInPreOrder()), previous);
    QCOMPARE(NameOf(subject->NextInPreOrder()), next);
}

void TstOutlineTree::preOrderPositions_followChanges()
{
    TOutlineTree tree;
    Build(tree, Sample);
    QCOMPARE(tree.Count(), 6);
    const auto names = [&]() -> QString {
        QString order;
        for (int position = 0; position < tree.Count(); ++position) {
            order += tree.NodeAt(position)->Text();
            if (tree.PreOrderPositionOf(tree.NodeAt(position)) != position)
                return u"position of "_s + tree.NodeAt(position)->Text() + u" wrong"_s;
        }
        return order;
    };
    QCOMPARE(names(), u"ABCDEF"_s);
    QCOMPARE(tree.NodeAt(-1), nullptr);
    QCOMPARE(tree.NodeAt(6), nullptr);

    QVERIFY(tree.MoveUnder(Find(tree, u"B"_s), Find(tree, u"F"_s)));
    QCOMPARE(names(), u"AEFBCD"_s);
    tree.AddNode(FakeItem(9), Find(tree, u"A"_s));
    tree.SetText(tree.NodeAt(2), u"G"_s);
    QCOMPARE(names(), u"AEGFBCD"_s);
    tree.RemoveNode(Find(tree, u"B"_s));
    QCOMPARE(names(), u"AEGF"_s);
    QCOMPARE(tree.Count(), 4);
}

void TstOutlineTree::moves_data()
{
    QTest::addColumn<bool>("before"); // MoveBefore, else MoveUnder
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("target"); // "-": none
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QStringList>("log");

    // A(B(C D) E) F
    QTest::newRow("under a leaf") << false << u"C"_s << u"F"_s << true << u"A(B(D) E) F(C)"_s
                                  << QStringList{u"move B:0 to F:0"_s};
    QTest::newRow("under its own parent: to the end")
        << false << u"C"_s << u"B"_s << true << u"A(B(D C) E) F"_s
        << QStringList{u"move B:0 to B:2"_s};
    QTest::newRow("already last child")
        << false << u"D"_s << u"B"_s << true << Sample << QStringList{};
    QTest::newRow("under the top level") << false << u"C"_s << u"-"_s << true << u"A(B(D) E) F C"_s
                                         << QStringList{u"move B:0 to -:2"_s};
    QTest::newRow("branch with its subtree")
        << false << u"B"_s << u"E"_s << true << u"A(E(B(C D))) F"_s
        << QStringList{u"move A:0 to E:0"_s};
    QTest::newRow("under itself") << false << u"B"_s << u"B"_s << false << Sample << QStringList{};
    QTest::newRow("under its own descendant")
        << false << u"A"_s << u"C"_s << false << Sample << QStringList{};
    QTest::newRow("before an earlier sibling")
        << true << u"E"_s << u"B"_s << true << u"A(E B(C D)) F"_s
        << QStringList{u"move A:1 to A:0"_s};
    QTest::newRow("before a later sibling")
        << true << u"C"_s << u"D"_s << true << Sample << QStringList{};
    QTest::newRow("before a node of another parent")
        << true << u"F"_s << u"C"_s << true << u"A(B(F C D) E)"_s
        << QStringList{u"move -:1 to B:0"_s};
    QTest::newRow("before a top-level node")
        << true << u"B"_s << u"F"_s << true << u"A(E) B(C D) F"_s
        << QStringList{u"move A:0 to -:1"_s};
    QTest::newRow("before itself") << true << u"B"_s << u"B"_s << true << Sample << QStringList{};
    QTest::newRow("before its own descendant")
        << true << u"A"_s << u"D"_s << false << Sample << QStringList{};
}

void TstOutlineTree::moves()
{
    QFETCH(bool, before);
    QFETCH(QString, node);
    QFETCH(QString, target);
    QFETCH(bool, accepted);
    QFETCH(QString, shape);
    QFETCH(QStringList, log);

    TOutlineTree tree;
    Build(tree, Sample);
    TMirror mirror(tree);
    TOutlineNode* moved = Find(tree, node);
    TOutlineNode* to = Find(tree, target);
    QCOMPARE(before ? tree.MoveBefore(moved, to) : tree.MoveUnder(moved, to), accepted);
    QCOMPARE(Describe(tree), shape);
    QCOMPARE(mirror.log, log);
    QVERIFY(!mirror.failed);
    QVERIFY(mirror.Matches());
}

void TstOutlineTree::removeNode_releasesSubtreeDeepestFirst()
{
    TOutlineTree tree;
    Build(tree, u"A(B(C(D) E) F)"_s); // items 0 … 5 in this order
    TMirror mirror(tree);
    const std::vector<TTask*> items = tree.RemoveNode(Find(tree, u"B"_s));

    // Every node's item comes after the items of the nodes below it.
    QCOMPARE(items, (std::vector<TTask*>{FakeItem(4), FakeItem(3), FakeItem(2), FakeItem(1)}));
    QCOMPARE(Describe(tree), u"A(F)"_s);
    QCOMPARE(tree.Count(), 2);
    QCOMPARE(mirror.log, QStringList{u"remove B"_s});
    QVERIFY(!mirror.failed);
    QVERIFY(mirror.Matches());
}

void TstOutlineTree::removeNode_clearsSelectionInsideIt()
{
    TOutlineTree tree;
    Build(tree, Sample);
    int changes = 0;
    tree.SetOnSelectionChange([&] { ++changes; });
    tree.SelectNode(Find(tree, u"D"_s));
    tree.SelectNode(Find(tree, u"D"_s));
    QCOMPARE(changes, 1);

    tree.RemoveNode(Find(tree, u"F"_s));
    QCOMPARE(NameOf(tree.SelectedNode()), u"D"_s);
    QCOMPARE(changes, 1);

    tree.RemoveNode(Find(tree, u"B"_s));
    QCOMPARE(tree.SelectedNode(), nullptr);
    QCOMPARE(changes, 2);
}

void TstOutlineTree::check_threeStatesAndClick()
{
    TOutlineTree tree;
    Build(tree, u"Area Task"_s);
    TOutlineNode* area = Find(tree, u"Area"_s);
    TOutlineNode* task = Find(tree, u"Task"_s);
    QCOMPARE(task->Check(), TCheckState::None);
    TMirror mirror(tree);
    QStringList clicks;
    tree.SetOnCheckClick([&](TOutlineNode* node) {
        clicks.append(node->Text() +
                      (node->Check() == TCheckState::Ticked ? u" ticked"_s : u" clear"_s));
    });

    tree.SetCheck(task, TCheckState::Clear);
    tree.SetCheck(task, TCheckState::Clear);
    // The box flips before the handler runs, and flips back on the next click.
    tree.ClickCheck(task);
    tree.ClickCheck(task);
    // A node without a box takes no click.
    tree.ClickCheck(area);

    QCOMPARE(clicks, (QStringList{u"Task ticked"_s, u"Task clear"_s}));
    QCOMPARE(area->Check(), TCheckState::None);
    QCOMPARE(mirror.log, (QStringList{u"check Task"_s, u"check Task"_s, u"check Task"_s}));
    tree.SetCheck(task, TCheckState::None);
    QCOMPARE(task->Check(), TCheckState::None);
}

void TstOutlineTree::expansion_oneLevelOrRecursive()
{
    TOutlineTree tree;
    Build(tree, u"A(B(C(D)) E) F"_s);
    const auto expanded = [&] {
        QString names;
        for (const TOutlineNode* node = tree.First(); node; node = node->NextInPreOrder())
            names += node->IsExpanded() ? node->Text() : u"."_s;
        return names;
    };
    TMirror mirror(tree);

    tree.SetExpanded(Find(tree, u"A"_s), true, false);
    QCOMPARE(expanded(), u"A....."_s);
    tree.SetExpanded(Find(tree, u"B"_s), true, true);
    QCOMPARE(expanded(), u"ABCD.."_s);
    tree.SetExpanded(Find(tree, u"A"_s), true, true);
    QCOMPARE(expanded(), u"ABCDE."_s);
    tree.SetExpanded(Find(tree, u"C"_s), false, true);
    QCOMPARE(expanded(), u"AB..E."_s);
    tree.SetExpanded(Find(tree, u"A"_s), false, false);
    QCOMPARE(expanded(), u".B..E."_s);

    // Only real changes are told.
    QCOMPARE(mirror.log,
             (QStringList{u"expand A"_s, u"expand B"_s, u"expand C"_s, u"expand D"_s, u"expand E"_s,
                          u"collapse C"_s, u"collapse D"_s, u"collapse A"_s}));
}

void TstOutlineTree::updateBracket_toldAtTheOuterEdges()
{
    TOutlineTree tree;
    TMirror mirror(tree);
    tree.BeginUpdate();
    tree.BeginUpdate();
    tree.AddNode(FakeItem(0), nullptr);
    tree.EndUpdate();
    QVERIFY(tree.IsUpdating());
    tree.EndUpdate();
    tree.EndUpdate();
    QVERIFY(!tree.IsUpdating());
    QCOMPARE(mirror.log, (QStringList{u"begin"_s, u"insert -:0"_s, u"end"_s}));
}

void TstOutlineTree::clear_resetsEverything()
{
    TOutlineTree tree;
    Build(tree, Sample);
    TMirror mirror(tree);
    tree.SelectNode(Find(tree, u"C"_s));
    tree.Clear();
    QCOMPARE(tree.Count(), 0);
    QCOMPARE(tree.First(), nullptr);
    QCOMPARE(tree.SelectedNode(), nullptr);
    QCOMPARE(tree.NodeAt(0), nullptr);
    QCOMPARE(mirror.log, (QStringList{u"selection C"_s, u"reset"_s, u"selection -"_s}));
    QVERIFY(mirror.Matches());

    Build(tree, u"X(Y)"_s);
    QCOMPARE(Describe(tree), u"X(Y)"_s);
    QCOMPARE(tree.PreOrderPositionOf(Find(tree, u"Y"_s)), 1);
}

void TstOutlineTree::observer_canFollowEveryChange()
{
    TOutlineTree tree;
    TMirror mirror(tree);
    QRandomGenerator random(5);
    const auto someNode = [&]() -> TOutlineNode* {
        return tree.Count() == 0 ? nullptr : tree.NodeAt(int(random.bounded(tree.Count())));
    };
    for (int step = 0; step < 3000; ++step) {
        const int action = int(random.bounded(100));
        if (action < 40 || tree.Count() < 2) {
            tree.AddNode(FakeItem(0), random.bounded(4) == 0 ? nullptr : someNode());
        } else if (action < 50) {
            tree.RemoveNode(someNode());
        } else if (action < 75) {
            TOutlineNode* node = someNode();
            TOutlineNode* target = random.bounded(5) == 0 ? nullptr : someNode();
            QCOMPARE(tree.MoveUnder(node, target), !target || !target->IsWithin(node));
        } else if (action < 99) {
            TOutlineNode* node = someNode();
            TOutlineNode* sibling = someNode();
            QCOMPARE(tree.MoveBefore(node, sibling), sibling == node || !sibling->IsWithin(node));
        } else {
            tree.Clear();
        }
        QVERIFY2(!mirror.failed, qPrintable(QString::number(step)));
        QVERIFY2(mirror.Matches(), qPrintable(QString::number(step)));
    }
    int count = 0;
    for (const TOutlineNode* node = tree.First(); node; node = node->NextInPreOrder()) {
        QCOMPARE(tree.PreOrderPositionOf(node), count);
        const TOutlineNode* previous = node->PreviousInPreOrder();
        QCOMPARE(previous, count == 0 ? nullptr : tree.NodeAt(count - 1));
        ++count;
    }
    QCOMPARE(count, tree.Count());
}

// Runs work on a thread whose stack is far too small for anything that recurses as deep as the
// outline, and gives the checks that failed there.
QStringList RunOnSmallStack(const std::function<void(QStringList&)>& work)
{
    QStringList failures;
    std::unique_ptr<QThread> thread(QThread::create([&] { work(failures); }));
    thread->setStackSize(256 * 1024);
    thread->start();
    thread->wait();
    return failures;
}

void TstOutlineTree::deepChain_withoutRecursion()
{
    const QStringList failures = RunOnSmallStack([](QStringList& failed) {
        const auto check = [&](bool condition, const char* what) {
            if (!condition)
                failed.append(QString::fromLatin1(what));
        };
        constexpr int depth = 100000;
        TOutlineTree tree;
        TOutlineNode* node = nullptr;
        for (int level = 0; level < depth; ++level) {
            node = tree.AddNode(FakeItem(level % 200), node);
            tree.SetText(node, QString::number(level));
        }
        TOutlineNode* const deepest = node;
        TOutlineNode* const top = tree.First();
        check(tree.Count() == depth, "count");

        int walked = 1;
        for (node = top; node->NextInPreOrder(); node = node->NextInPreOrder())
            ++walked;
        check(walked == depth && node == deepest, "walk down");
        for (walked = 1; node->PreviousInPreOrder(); node = node->PreviousInPreOrder())
            ++walked;
        check(walked == depth && node == top, "walk up");
        check(tree.NodeAt(depth - 1) == deepest, "node at the last position");
        check(tree.PreOrderPositionOf(deepest) == depth - 1, "position of the deepest");
        check(deepest->IsWithin(top), "deepest within top");

        tree.SetExpanded(top, true, true);
        check(deepest->Parent()->IsExpanded(), "expand all");
        tree.SetExpanded(top, false, true);
        check(!deepest->Parent()->IsExpanded() && !top->IsExpanded(), "collapse all");

        // The top cannot go under the deepest node; the deepest can go under the top.
        check(!tree.MoveUnder(top, deepest), "move into itself refused");
        check(tree.MoveUnder(deepest, top) && deepest->Parent() == top &&
                  deepest->IndexAmongSiblings() == 1,
              "deepest moved up");

        // Levels 50000 … 99998 go, the deepest of them first.
        const std::vector<TTask*> items = tree.RemoveNode(tree.NodeAt(depth / 2));
        check(int(items.size()) == depth - 1 - depth / 2, "removed count");
        check(!items.empty() && items.front() == FakeItem((depth - 2) % 200), "deepest first");
        check(tree.Count() == depth / 2 + 1, "count after removal");

        tree.Clear();
        check(tree.Count() == 0 && !tree.First(), "cleared");
        // Built once more and left for the destructor.
        node = nullptr;
        for (int level = 0; level < depth; ++level)
            node = tree.AddNode(FakeItem(0), node);
    });
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(u", ")));
}

void TstOutlineTree::wideLevel_indexesStayCheap()
{
    constexpr int width = 100000;
    TOutlineTree tree;
    TOutlineNode* parent = tree.AddNode(FakeItem(0), nullptr);
    std::vector<TOutlineNode*> children;
    for (int i = 0; i < width; ++i)
        children.push_back(tree.AddNode(FakeItem(1), parent));
    QCOMPARE(children.back()->IndexAmongSiblings(), width - 1);
    QVERIFY(tree.MoveBefore(children.back(), children.front()));
    QCOMPARE(children.back()->IndexAmongSiblings(), 0);
    QCOMPARE(children.front()->IndexAmongSiblings(), 1);
    QCOMPARE(parent->Children().At(width - 1), children[width - 2]);
    for (int i = 0; i < width; i += 997)
        QCOMPARE(children[std::size_t(i)]->IndexAmongSiblings(), i + 1);
}

QTEST_GUILESS_MAIN(TstOutlineTree)
#include "tst_outlinetree.moc"
