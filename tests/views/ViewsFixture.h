#pragma once

#include "app/AppCore.h"
#include "app/Ports.h"
#include "model/Contexts.h"
#include "model/Tasks.h"
#include "support/TestCore.h"
#include "views/Outline.h"
#include "views/OutlineTree.h"
#include "views/RowList.h"

#include <QHash>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

using namespace Qt::StringLiterals;

// The main window as the views reach it: keeps what they asked of it, in order.
class TRecordingWindow final : public IMainWindowPort {
public:
    explicit TRecordingWindow(TCore& core) : core_(core) { core_.SetMainWindow(this); }
    ~TRecordingWindow() override { core_.SetMainWindow(nullptr); }
    TRecordingWindow(const TRecordingWindow&) = delete;
    TRecordingWindow& operator=(const TRecordingWindow&) = delete;

    void AdjustControls() override { calls.append(u"AdjustControls"_s); }
    void SelectItem(TTask* item) override
    {
        calls.append(u"SelectItem "_s + (item ? item->Name() : u"(none)"_s));
    }
    void ShowHint(const QString&) override {}
    void ApplyStyle() override {}
    void ShowSettings() override {}
    void ShowOutlinePage() override {}
    void LoadEditorControls() override { calls.append(u"LoadEditorControls"_s); }

    QStringList calls;

private:
    TCore& core_;
};

// Markup in a short form that tables can spell: done links "[ ]" and "[x]", other images "#N".
inline QString Readable(QString markup)
{
    markup.replace(u"<a href=\"done\"><img src=\"idx:5\"></a>"_s, u"[ ]"_s);
    markup.replace(u"<a href=\"done\"><img src=\"idx:6\"></a>"_s, u"[x]"_s);
    static const QRegularExpression image(u"<img src=\"idx:(\\d+)\">"_s);
    return markup.replace(image, u"#\\1"_s);
}

// Each row's cells in readable form joined by "|", in row order.
inline QStringList RowsOf(const TRowList& list)
{
    QStringList rows;
    for (const TListRow* row : list.Rows()) {
        QStringList cells;
        for (int column = 0; column < row->ColumnCount(); ++column)
            cells.append(Readable(row->Cell(column)));
        rows.append(cells.join(u'|'));
    }
    return rows;
}

// The names of the rows' items, in row order.
inline QStringList NamesOf(const TRowList& list)
{
    QStringList names;
    for (const TListRow* row : list.Rows())
        names.append(row->Item()->Name());
    return names;
}

inline TTask* AddItem(TTask* parent, const QString& name, TTaskType type)
{
    TTask* item = Core().Tasks()->Add(parent);
    item->SetName(name);
    item->SetTaskType(type);
    return item;
}

inline TKavContext* AddContext(const QString& name, TContextType type = TContextType::Place)
{
    TKavContext* context = Core().Contexts()->Add();
    context->SetName(name);
    context->SetContextType(type);
    return context;
}

// Builds an outline from lines whose leading blanks give the depth and whose first word is the
// type, in list order, each item with its node: {"Area Home", " Project Fence", "  Task Paint"}.
// Returns the items by name.
inline QHash<QString, TTask*> BuildOutline(const QStringList& lines)
{
    static const QHash<QString, TTaskType> types = {{u"Area"_s, TTaskType::Area},
                                                    {u"Goal"_s, TTaskType::Goal},
                                                    {u"Project"_s, TTaskType::Project},
                                                    {u"Task"_s, TTaskType::Task},
                                                    {u"Idea"_s, TTaskType::Idea}};
    QHash<QString, TTask*> byName;
    QList<TTask*> ancestors; // ancestors[d] is the last item added at depth d
    for (const QString& line : lines) {
        qsizetype depth = 0;
        while (depth < line.size() && line.at(depth) == u' ')
            ++depth;
        const QStringList words = line.trimmed().split(u' ');
        ancestors.resize(depth);
        TTask* item = AddItem(depth > 0 ? ancestors.at(depth - 1) : nullptr, words.at(1),
                              types.value(words.at(0)));
        Core().Outline()->AddItemNode(*item);
        ancestors.append(item);
        byName.insert(item->Name(), item);
    }
    return byName;
}

// The outline's nodes in pre-order, a blank per level before each item's name.
inline QStringList TreeShape(const TOutlineTree& tree)
{
    QStringList lines;
    for (const TOutlineNode* node = tree.First(); node; node = node->NextInPreOrder()) {
        int depth = 0;
        for (const TOutlineNode* parent = node->Parent(); parent; parent = parent->Parent())
            ++depth;
        lines.append(QString(depth, u' ') + node->Item()->Name());
    }
    return lines;
}

// The item tree in the same form.
inline QStringList ModelShape(const TTasks& tasks)
{
    QStringList lines;
    tasks.ForEachInOutline(
        [&lines](const TTask& item) { lines.append(QString(item.Depth(), u' ') + item.Name()); });
    return lines;
}
