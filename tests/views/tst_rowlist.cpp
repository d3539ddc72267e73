#include "platform/Error.h"
#include "views/RowList.h"

#include <QCollator>
#include <QLocale>
#include <QRandomGenerator>
#include <QTest>
#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int Columns = 3;

// A row as the tables write it: "#N:" for a primary key, then the cells separated by "|".
void WriteRow(TRowList& list, TListRow* row, const QString& written)
{
    QString cells = written;
    if (cells.startsWith(u'#')) {
        const qsizetype colon = cells.indexOf(u':');
        list.SetPrimaryKey(row, cells.mid(1, colon - 1).toLongLong());
        cells = cells.mid(colon + 1);
    }
    const QStringList parts = cells.split(u'|');
    for (int column = 0; column < parts.size(); ++column)
        list.SetCell(row, column, parts.at(column));
}

std::vector<TListRow*> RowsOf(const TRowList& list)
{
    return list.Rows().ToVector();
}

// The rows' numbers in the order they were added.
QList<int> OrderOf(const TRowList& list, const std::vector<TListRow*>& added)
{
    QList<int> order;
    for (TListRow* row : RowsOf(list))
        order.append(int(std::find(added.begin(), added.end(), row) - added.begin()));
    return order;
}

// Follows the list through its notifications alone, as an item model must, and checks every
// position against the list at the moment it is told.
class TMirror : public IRowListObserver {
public:
    explicit TMirror(TRowList& list) : list_(list), rows_(RowsOf(list)) { list.SetObserver(this); }
    ~TMirror() override { list_.SetObserver(nullptr); }

    const std::vector<TListRow*>& Rows() const { return rows_; }
    QStringList log;
    bool failed = false;

    void RowAboutToBeInserted(int position) override
    {
        Expect(position == list_.RowCount() && position == int(rows_.size()));
        pending_ = position;
        log.append(u"insert "_s + QString::number(position));
    }
    void RowInserted() override { rows_.insert(rows_.begin() + pending_, list_.RowAt(pending_)); }
    void RowAboutToBeRemoved(int position) override
    {
        Expect(position < int(rows_.size()) &&
               rows_[std::size_t(position)] == list_.RowAt(position));
        pending_ = position;
        log.append(u"remove "_s + QString::number(position));
    }
    void RowRemoved() override { rows_.erase(rows_.begin() + pending_); }
    void RowAboutToBeMoved(int from, int destination) override
    {
        // What QAbstractItemModel::beginMoveRows refuses: no move at all, or out of range.
        Expect(from >= 0 && from < int(rows_.size()) && destination >= 0 &&
               destination <= int(rows_.size()) && destination != from && destination != from + 1 &&
               rows_[std::size_t(from)] == list_.RowAt(from));
        pendingMove_ = {from, destination};
        log.append(u"move "_s + QString::number(from) + u' ' + QString::number(destination));
    }
    void RowMoved() override
    {
        const auto [from, destination] = pendingMove_;
        TListRow* row = rows_[std::size_t(from)];
        rows_.erase(rows_.begin() + from);
        rows_.insert(rows_.begin() + (destination > from ? destination - 1 : destination), row);
    }
    void CellChanged(int position, int column) override
    {
        Expect(rows_.at(std::size_t(position)) == list_.RowAt(position));
        log.append(u"cell "_s + QString::number(position) + u' ' + QString::number(column));
    }
    void LayoutAboutToBeChanged() override { log.append(u"layout"_s); }
    void LayoutChanged() override { rows_ = RowsOf(list_); }
    void AboutToBeReset() override { log.append(u"reset"_s); }
    void Reset() override { rows_ = RowsOf(list_); }
    void SelectionChanged() override { log.append(u"selection"_s); }
    void HintChanged() override { log.append(u"hint"_s); }

private:
    void Expect(bool condition) { failed = failed || !condition; }

    TRowList& list_;
    std::vector<TListRow*> rows_;
    int pending_ = 0;
    std::pair<int, int> pendingMove_;
};

bool IsOrdered(const TRowList& list)
{
    QCollator collator{QLocale::system()};
    collator.setCaseSensitivity(Qt::CaseSensitive);
    const std::vector<TListRow*> rows = RowsOf(list);
    for (std::size_t i = 1; i < rows.size(); ++i) {
        if (rows[i - 1]->PrimaryKey() != rows[i]->PrimaryKey()) {
            if (rows[i - 1]->PrimaryKey() > rows[i]->PrimaryKey())
                return false;
        } else if (collator.compare(rows[i - 1]->Text(), rows[i]->Text()) > 0) {
            return false;
        }
    }
    return true;
}

} // namespace

class TstRowList : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void order_data();
    void order();
    void cellWrite_movesOnlyItsRow_data();
    void cellWrite_movesOnlyItsRow();
    void newRow_waitsAtTheEndUntilWritten();
    void bracket_restoresOrderOnceAtTheOutermostEnd();
    void bracket_withoutWrites_notifiesNoLayout();
    void selection_followsTheRowNotItsPosition();
    void hint_notifiesOnlyChanges();
    void setCell_columnOutOfRange_data();
    void setCell_columnOutOfRange();
    void observer_canFollowEveryChange();
    void manyRows_stayOrderedThroughSingleUpdates();
};

void TstRowList::order_data()
{
    QTest::addColumn<QString>("locale"); // empty: any
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QList<int>>("expected");

    QTest::newRow("by first cell")
        << QString() << QStringList{u"000300|a"_s, u"000100|c"_s, u"000200|b"_s}
        << QList<int>{1, 2, 0};
    QTest::newRow("ties fall to the next cell")
        << QString() << QStringList{u"000100|b"_s, u"000100|a"_s} << QList<int>{1, 0};
    QTest::newRow("by row text, not by number")
        << QString() << QStringList{u"1000000|a"_s, u"999000|b"_s} << QList<int>{0, 1};
    QTest::newRow("case-sensitive collation")
        << QString() << QStringList{u"Banana"_s, u"apple"_s, u"banana"_s, u"Apple"_s}
        << QList<int>{1, 3, 2, 0};
    QTest::newRow("capital and small are not equal")
        << QString() << QStringList{u"Apple"_s, u"apple"_s} << QList<int>{1, 0};
    QTest::newRow("accents by the alphabet, not by code")
        << QString() << QStringList{u"f"_s, u"\u00e9"_s, u"e"_s} << QList<int>{2, 1, 0};
    QTest::newRow("cells joined with a semicolon")
        << QString() << QStringList{u"ab|a"_s, u"a|z"_s} << QList<int>{1, 0};
    QTest::newRow("equal rows keep their order")
        << QString() << QStringList{u"x"_s, u"w"_s, u"x"_s, u"x"_s} << QList<int>{1, 0, 2, 3};
    QTest::newRow("number first") << QString() << QStringList{u"#2:a"_s, u"#1:b"_s, u"#3:0"_s}
                                  << QList<int>{1, 0, 2};
    QTest::newRow("negative numbers")
        << QString() << QStringList{u"#0:a"_s, u"#-3:z"_s} << QList<int>{1, 0};
    QTest::newRow("equal numbers fall to the text")
        << QString() << QStringList{u"#7:b"_s, u"#7:a"_s, u"#1:z"_s} << QList<int>{2, 1, 0};
    QTest::newRow("rows without a number first")
        << QString() << QStringList{u"#-5:a"_s, u"z"_s, u"#9:b"_s} << QList<int>{1, 0, 2};
    QTest::newRow("English ch") << u"en_US"_s << QStringList{u"i"_s, u"ch"_s, u"h"_s}
                                << QList<int>{1, 2, 0};
    QTest::newRow("Czech ch after h")
        << u"cs_CZ"_s << QStringList{u"i"_s, u"ch"_s, u"h"_s} << QList<int>{2, 1, 0};
}

void TstRowList::order()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, rows);
    QFETCH(QList<int>, expected);
    if (!locale.isEmpty() && QLocale::system().name() != locale)
        QSKIP("checked under another locale");

    // Row by row, each moving to its place as it is written.
    {
        TRowList list(Columns);
        std::vector<TListRow*> added;
        for (const QString& written : rows) {
            added.push_back(list.AppendRow(nullptr));
            WriteRow(list, added.back(), written);
        }
        QCOMPARE(OrderOf(list, added), expected);
    }
    // All rows added first and written inside one bracket, then sorted at once.
    {
        TRowList list(Columns);
        std::vector<TListRow*> added;
        list.BeginUpdate();
        for (int i = 0; i < rows.size(); ++i)
            added.push_back(list.AppendRow(nullptr));
        for (int i = 0; i < rows.size(); ++i)
            WriteRow(list, added[std::size_t(i)], rows.at(i));
        list.EndUpdate();
        QCOMPARE(OrderOf(list, added), expected);
    }
}

void TstRowList::cellWrite_movesOnlyItsRow_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QList<int>>("expected");

    // The rows a, b, c, d, e.
    QTest::newRow("down to the end")
        << 1 << u"z"_s << QStringList{u"cell 1 0"_s, u"move 1 5"_s} << QList<int>{0, 2, 3, 4, 1};
    QTest::newRow("up to the top")
        << 3 << u"0"_s << QStringList{u"cell 3 0"_s, u"move 3 0"_s} << QList<int>{3, 0, 1, 2, 4};
    QTest::newRow("one step down")
        << 1 << u"cc"_s << QStringList{u"cell 1 0"_s, u"move 1 3"_s} << QList<int>{0, 2, 1, 3, 4};
    QTest::newRow("in place") << 2 << u"cc"_s << QStringList{u"cell 2 0"_s}
                              << QList<int>{0, 1, 2, 3, 4};
    QTest::newRow("same text") << 2 << u"c"_s << QStringList{} << QList<int>{0, 1, 2, 3, 4};
    QTest::newRow("up, behind its equal")
        << 4 << u"b"_s << QStringList{u"cell 4 0"_s, u"move 4 2"_s} << QList<int>{0, 1, 4, 2, 3};
    QTest::newRow("down, ahead of its equal")
        << 0 << u"d"_s << QStringList{u"cell 0 0"_s, u"move 0 3"_s} << QList<int>{1, 2, 0, 3, 4};
}

void TstRowList::cellWrite_movesOnlyItsRow()
{
    QFETCH(int, row);
    QFETCH(QString, text);
    QFETCH(QStringList, log);
    QFETCH(QList<int>, expected);

    TRowList list(Columns);
    std::vector<TListRow*> added;
    for (const QString& name : {u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s}) {
        added.push_back(list.AppendRow(nullptr));
        list.SetCell(added.back(), 0, name);
    }
    TMirror mirror(list);
    list.SetCell(added[std::size_t(row)], 0, text);

    QCOMPARE(mirror.log, log);
    QCOMPARE(OrderOf(list, added), expected);
    QVERIFY(!mirror.failed);
    QCOMPARE(mirror.Rows(), RowsOf(list));
}

void TstRowList::newRow_waitsAtTheEndUntilWritten()
{
    TRowList list(Columns);
    TListRow* written = list.AppendRow(nullptr);
    list.SetCell(written, 0, u"b"_s);
    TListRow* fresh = list.AppendRow(nullptr);
    TListRow* other = list.AppendRow(nullptr);
    // Unwritten rows stand after the written ones, even though their empty text sorts first.
    list.SetCell(other, 0, u"a"_s);
    QCOMPARE(RowsOf(list), (std::vector<TListRow*>{other, written, fresh}));
    // An empty cell is a write too: the row takes its place.
    list.SetCell(fresh, 0, QString());
    QCOMPARE(RowsOf(list), (std::vector<TListRow*>{fresh, other, written}));
}

void TstRowList::bracket_restoresOrderOnceAtTheOutermostEnd()
{
    TRowList list(Columns);
    std::vector<TListRow*> added;
    for (const QString& name : {u"a"_s, u"b"_s, u"c"_s}) {
        added.push_back(list.AppendRow(nullptr));
        list.SetCell(added.back(), 0, name);
    }
    TMirror mirror(list);

    list.BeginUpdate();
    list.BeginUpdate();
    list.SetCell(added[0], 0, u"z"_s);
    added.push_back(list.AppendRow(nullptr));
    list.SetCell(added.back(), 0, u"0"_s);
    list.SetCell(added[1], 0, u"y"_s);
    list.EndUpdate();
    // The inner end changes nothing: the rows still stand as they were written.
    QCOMPARE(OrderOf(list, added), (QList<int>{0, 1, 2, 3}));
    QCOMPARE(mirror.log, QStringList{u"insert 3"_s});
    list.EndUpdate();

    QCOMPARE(OrderOf(list, added), (QList<int>{3, 2, 1, 0}));
    QCOMPARE(mirror.log, (QStringList{u"insert 3"_s, u"layout"_s}));
    QVERIFY(!mirror.failed);
    QCOMPARE(mirror.Rows(), RowsOf(list));

    // An unmatched end is harmless.
    list.EndUpdate();
    QVERIFY(!list.IsUpdating());
    list.SetCell(added[3], 0, u"x"_s);
    QCOMPARE(OrderOf(list, added), (QList<int>{2, 3, 1, 0}));
}

void TstRowList::bracket_withoutWrites_notifiesNoLayout()
{
    TRowList list(Columns);
    TListRow* row = list.AppendRow(nullptr);
    list.SetCell(row, 0, u"a"_s);
    TMirror mirror(list);
    list.BeginUpdate();
    list.SetCell(row, 0, u"a"_s); // unchanged
    list.RemoveRow(row);
    list.EndUpdate();
    QCOMPARE(mirror.log, QStringList{u"remove 0"_s});
}

void TstRowList::selection_followsTheRowNotItsPosition()
{
    TRowList list(Columns);
    TMirror mirror(list);
    int changes = 0;
    list.SetOnSelectionChange([&] { ++changes; });
    TListRow* a = list.AppendRow(nullptr);
    list.SetCell(a, 0, u"a"_s);
    TListRow* b = list.AppendRow(nullptr);
    list.SetCell(b, 0, u"b"_s);

    list.SelectRow(b);
    QCOMPARE(changes, 1);
    list.SelectRow(b);
    QCOMPARE(changes, 1);

    // Rewritten and moved to the top, the row stays selected.
    list.SetCell(b, 0, u"0"_s);
    QCOMPARE(list.RowAt(0), b);
    QCOMPARE(list.SelectedRow(), b);
    QCOMPARE(changes, 1);

    list.RemoveRow(a);
    QCOMPARE(list.SelectedRow(), b);
    QCOMPARE(changes, 1);

    list.RemoveRow(b);
    QCOMPARE(list.SelectedRow(), nullptr);
    QCOMPARE(changes, 2);

    TListRow* c = list.AppendRow(nullptr);
    list.SelectRow(c);
    list.Clear();
    QCOMPARE(list.SelectedRow(), nullptr);
    QCOMPARE(changes, 4);
    QCOMPARE(list.RowCount(), 0);
    // The presentation hears of each change as well, after the rows are settled.
    QCOMPARE(mirror.log.filter(u"selection"_s).size(), 4);
    QCOMPARE(mirror.log.mid(mirror.log.size() - 2), (QStringList{u"reset"_s, u"selection"_s}));
    QVERIFY(!mirror.failed);
}

void TstRowList::hint_notifiesOnlyChanges()
{
    TRowList list(Columns);
    TMirror mirror(list);
    list.SetHint(u"Home >>> Garden"_s);
    list.SetHint(u"Home >>> Garden"_s);
    QCOMPARE(list.Hint(), u"Home >>> Garden"_s);
    QCOMPARE(mirror.log, QStringList{u"hint"_s});
}

void TstRowList::setCell_columnOutOfRange_data()
{
    QTest::addColumn<int>("column");
    QTest::newRow("negative") << -1;
    QTest::newRow("past the last") << Columns;
}

void TstRowList::setCell_columnOutOfRange()
{
    QFETCH(int, column);
    TRowList list(Columns);
    TListRow* row = list.AppendRow(nullptr);
    QVERIFY_THROWS_EXCEPTION(TError, list.SetCell(row, column, u"x"_s));
    QCOMPARE(row->Cell(column), QString());
}

void TstRowList::observer_canFollowEveryChange()
{
    TRowList list(Columns);
    TMirror mirror(list);
    QRandomGenerator random(7);
    const auto someRow = [&] { return list.RowAt(int(random.bounded(list.RowCount()))); };
    for (int step = 0; step < 4000; ++step) {
        const int action = int(random.bounded(100));
        if (action < 30 || list.RowCount() == 0) {
            WriteRow(list, list.AppendRow(nullptr), QString::number(random.bounded(50)));
        } else if (action < 40) {
            list.RemoveRow(someRow());
        } else if (action < 75) {
            list.SetCell(someRow(), int(random.bounded(Columns)),
                         QString::number(random.bounded(50)));
        } else if (action < 85) {
            list.SetPrimaryKey(someRow(), random.bounded(3) == 0
                                              ? std::nullopt
                                              : std::optional<qint64>(random.bounded(5)));
        } else if (action < 95) {
            list.BeginUpdate();
            for (int i = 0; i < 10 && list.RowCount() > 0; ++i)
                list.SetCell(someRow(), 0, QString::number(random.bounded(50)));
            WriteRow(list, list.AppendRow(nullptr), QString::number(random.bounded(50)));
            list.RemoveRow(someRow());
            list.EndUpdate();
        } else if (action == 99) {
            list.Clear();
        }
        QVERIFY2(!mirror.failed, qPrintable(QString::number(step)));
        QVERIFY2(mirror.Rows() == RowsOf(list), qPrintable(QString::number(step)));
        QVERIFY2(IsOrdered(list), qPrintable(QString::number(step)));
    }
    for (int position = 0; position < list.RowCount(); ++position)
        QCOMPARE(TRowList::PositionOf(list.RowAt(position)), position);
}

void TstRowList::manyRows_stayOrderedThroughSingleUpdates()
{
    constexpr int count = 100000;
    TRowList list(Columns);
    QRandomGenerator random(11);
    std::vector<TListRow*> added;
    list.BeginUpdate();
    for (int i = 0; i < count; ++i) {
        added.push_back(list.AppendRow(nullptr));
        list.SetCell(added.back(), 0, QString::number(random.bounded(1000000)));
        list.SetCell(added.back(), 1, u"Task "_s + QString::number(i));
    }
    list.EndUpdate();
    QVERIFY(IsOrdered(list));

    for (int i = 0; i < 2000; ++i) {
        TListRow* row = added[random.bounded(std::uint32_t(added.size()))];
        list.SetCell(row, 0, QString::number(random.bounded(1000000)));
        QCOMPARE(list.RowAt(TRowList::PositionOf(row)), row);
        if (i % 2 == 0) {
            std::swap(added[random.bounded(std::uint32_t(added.size()))], added.back());
            list.RemoveRow(added.back());
            added.pop_back();
        }
    }
    QVERIFY(IsOrdered(list));
    QCOMPARE(list.RowCount(), count - 1000);
}

QTEST_GUILESS_MAIN(TstRowList)
#include "tst_rowlist.moc"
