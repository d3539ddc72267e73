#include "cli/CliOutput.h"
#include "cli/CliSession.h"
#include "cli/Commands.h"

#include "datafile/TaskElements.h"
#include "model/Contexts.h"
#include "model/Find.h"
#include "model/Priority.h"
#include "model/Scheduling.h"
#include "model/SubContexts.h"
#include "model/Tasks.h"
#include "views/Done.h"
#include "views/Goals.h"
#include "views/Outline.h"
#include "views/Projects.h"
#include "views/Statistics.h"
#include "views/ToDo.h"

#include <QHash>
#include <QJsonArray>

namespace {

// A list page: for people its visible columns (the first one, the sort key, is hidden), for
// programs every cell as the page holds it.
void PrintList(TCliContext& context, const QString& view, const TRowList& list)
{
    TCliOutput& output = context.output;
    if (output.Json()) {
        QJsonArray rows;
        for (int position = 0; position < list.RowCount(); ++position) {
            const TListRow* row = list.RowAt(position);
            QJsonArray cells;
            for (int column = 0; column < list.ColumnCount(); ++column)
                cells.append(row->Cell(column));
            rows.append(QJsonObject{{u"id"_qs, row->Item()->IdText()}, {u"cells"_qs, cells}});
        }
        output.PrintJson({{u"view"_qs, view}, {u"rows"_qs, rows}});
        return;
    }
    QList<QStringList> table;
    for (int position = 0; position < list.RowCount(); ++position) {
        const TListRow* row = list.RowAt(position);
        QStringList cells;
        for (int column = 1; column < list.ColumnCount(); ++column)
            cells.append(output.Readable(row->Cell(column)));
        while (!cells.isEmpty() && cells.last().isEmpty())
            cells.removeLast();
        table.append(cells);
    }
    output.PrintTable(table);
}

QString CheckName(TCheckState check)
{
    switch (check) {
    case TCheckState::None:
        return u"none"_qs;
    case TCheckState::Clear:
        return u"clear"_qs;
    case TCheckState::Ticked:
        return u"ticked"_qs;
    }
    return {};
}

void Outline(TCliContext& context)
{
    context.arguments.Finish();
    context.session.RefreshViews();
    const TOutlineTree& tree = context.session.core().Outline()->Tree();
    TCliOutput& output = context.output;
    QHash<const TOutlineNode*, int> depths; // the walk goes parents first
    QJsonArray rows;
    for (const TOutlineNode* node = tree.First(); node; node = node->NextInPreOrder()) {
        const int depth = node->Parent() ? depths.value(node->Parent()) + 1 : 0;
        depths.insert(node, depth);
        if (output.Json()) {
            rows.append(QJsonObject{{u"id"_qs, node->Item()->IdText()},
                                    {u"depth"_qs, depth},
                                    {u"text"_qs, node->Text()},
                                    {u"check"_qs, CheckName(node->Check())},
                                    {u"expanded"_qs, node->IsExpanded()}});
            continue;
        }
        const QString box = node->Check() == TCheckState::Ticked  ? u"[x] "_qs
                            : node->Check() == TCheckState::Clear ? u"[ ] "_qs
                                                                  : QString();
        output.PrintLine(QString(2 * depth, u' ') + box + output.Readable(node->Text()));
    }
    if (output.Json())
        output.PrintJson({{u"view"_qs, u"outline"_qs}, {u"rows"_qs, rows}});
}

void Todo(TCliContext& context)
{
    const TToDoChoice choice = TakeToDoChoice(context);
    context.arguments.Finish();
    context.session.RefreshViews(choice.context, choice.includeIncluded);
    PrintList(context, u"todo"_qs, context.session.core().TodoView()->List());
}

void Projects(TCliContext& context)
{
    const bool withoutSubitems = context.arguments.Flag(u"--without-subitems"_qs);
    context.arguments.Finish();
    TProjectsView& projects = *context.session.core().ProjectsView();
    projects.FilterChooser().Select(withoutSubitems ? TProjectsView::WithoutSubitems
                                                    : TProjectsView::AllProjects);
    context.session.RefreshViews();
    PrintList(context, u"projects"_qs, projects.List());
}

void Goals(TCliContext& context)
{
    context.arguments.Finish();
    context.session.RefreshViews();
    PrintList(context, u"goals"_qs, context.session.core().GoalsView()->List());
}

void Done(TCliContext& context)
{
    context.arguments.Finish();
    context.session.RefreshViews();
    PrintList(context, u"done"_qs, context.session.core().DoneView()->List());
}

void Stats(TCliContext& context)
{
    context.arguments.Finish();
    TStatisticsView& statistics = *context.session.core().StatisticsView();
    statistics.RefreshStats();
    const QString markup = statistics.Label().Markup();
    if (context.output.Json())
        context.output.PrintJson({{u"view"_qs, u"statistics"_qs}, {u"markup"_qs, markup}});
    else
        context.output.PrintLine(context.output.Readable(markup));
}

void Show(TCliContext& context)
{
    const QString id = context.arguments.Positional(u"item id"_qs);
    context.arguments.Finish();
    PrintItem(context, context.session.Item(id));
}

void Contexts(TCliContext& context)
{
    context.arguments.Finish();
    TCore& core = context.session.core();
    const TContexts& contexts = *core.Contexts();
    const TSubContexts& relation = *core.SubContexts();
    QJsonArray list;
    QList<QStringList> table;
    for (int i = 0; i < contexts.Count(); ++i) {
        const TKavContext& entry = *contexts.Get(i);
        QJsonArray includes;
        QStringList includedNames;
        for (int pair = 0; pair < relation.Count(); ++pair) {
            if (relation.At(pair).including == &entry) {
                includes.append(relation.At(pair).included->IdText());
                includedNames.append(relation.At(pair).included->Name());
            }
        }
        list.append(QJsonObject{{u"id"_qs, entry.IdText()},
                                {u"name"_qs, entry.Name()},
                                {u"type"_qs, entry.TypeName()},
                                {u"includes"_qs, includes}});
        table.append({entry.Name(), core.Translate(entry.TypeName()), entry.IdText(),
                      includedNames.join(u", ")});
    }
    if (context.output.Json())
        context.output.PrintJson({{u"contexts"_qs, list}});
    else
        context.output.PrintTable(table);
}

void Find(TCliContext& context)
{
    TCliSession& session = context.session;
    const QString text = context.arguments.Positional(u"text to find"_qs);
    const bool notes = context.arguments.Flag(u"--notes"_qs);
    const QString afterId = context.arguments.Value(u"--after"_qs);
    context.arguments.Finish();
    // As in the window, a blank text is no search at all.
    if (TFind::IsBlank(text))
        throw TCliFailure{TCliFailure::Usage, u"find needs a text that is not blank"_qs};
    const TTask* after = afterId.isEmpty() ? nullptr : &session.Item(afterId);
    const TTask* match = TFind::NextMatch(*session.core().Tasks(), after, text, notes);
    if (!match)
        throw TCliFailure{TCliFailure::NotFound,
                          session.core().Translate(u"Searched string not found"_qs)};
    PrintItem(context, *match);
}

constexpr TCliCommand readingCommands[] = {
    {u"outline", u"outline", TCliCommand::TFile::Reads, Outline},
    {u"todo", u"todo [--context NAME|ID] [--included | --no-included]", TCliCommand::TFile::Reads,
     Todo},
    {u"projects", u"projects [--without-subitems]", TCliCommand::TFile::Reads, Projects},
    {u"goals", u"goals", TCliCommand::TFile::Reads, Goals},
    {u"done", u"done", TCliCommand::TFile::Reads, Done},
    {u"stats", u"stats", TCliCommand::TFile::Reads, Stats},
    {u"show", u"show ID", TCliCommand::TFile::Reads, Show},
    {u"contexts", u"contexts", TCliCommand::TFile::Reads, Contexts},
    {u"find", u"find TEXT [--notes] [--after ID]", TCliCommand::TFile::Reads, Find},
    {u"why", u"why ID [--context NAME|ID] [--included | --no-included]", TCliCommand::TFile::Reads,
     Why},
};

} // namespace

void PrintItem(TCliContext& context, const TTask& item)
{
    const QList<TTaskElement> elements = TaskElements(item);
    const int score = Priority::PriorityScore(item);
    const QString sortKey = Priority::SortKey(item);
    const bool blocked = Scheduling::IsBlocked(item);
    const bool inLeadWindow = Scheduling::InLeadWindow(item);
    if (context.output.Json()) {
        QJsonObject fields;
        for (const TTaskElement& element : elements)
            fields.insert(QLatin1String(element.name), element.text);
        fields.insert(u"priorityscore"_qs, score);
        fields.insert(u"sortkey"_qs, sortKey);
        fields.insert(u"path"_qs, item.Path());
        fields.insert(u"depth"_qs, item.Depth());
        fields.insert(u"blocked"_qs, blocked);
        fields.insert(u"inleadwindow"_qs, inLeadWindow);
        context.output.PrintJson({{u"item"_qs, fields}});
        return;
    }
    const auto flag = [](bool on) { return on ? u"true"_qs : u"false"_qs; };
    QList<QStringList> table;
    for (const TTaskElement& element : elements)
        table.append({QString::fromLatin1(element.name), element.text});
    table.append({u"priorityscore"_qs, QString::number(score)});
    table.append({u"sortkey"_qs, sortKey});
    table.append({u"path"_qs, item.Path()});
    table.append({u"depth"_qs, QString::number(item.Depth())});
    table.append({u"blocked"_qs, flag(blocked)});
    table.append({u"inleadwindow"_qs, flag(inLeadWindow)});
    context.output.PrintTable(table);
}

TToDoChoice TakeToDoChoice(TCliContext& context)
{
    TToDoChoice choice;
    const QString contextName = context.arguments.Value(u"--context"_qs);
    if (!contextName.isEmpty())
        choice.context = &context.session.Context(contextName);
    if (context.arguments.Flag(u"--included"_qs))
        choice.includeIncluded = true;
    if (context.arguments.Flag(u"--no-included"_qs)) {
        if (choice.includeIncluded)
            throw TCliFailure{TCliFailure::Usage, u"--included or --no-included, not both"_qs};
        choice.includeIncluded = false;
    }
    return choice;
}

std::span<const TCliCommand> ReadingCommands()
{
    return readingCommands;
}

const TCliCommand* FindCommand(QStringView name)
{
    for (const auto commands : {ReadingCommands(), ChangingCommands()}) {
        for (const TCliCommand& command : commands) {
            if (command.name == name)
                return &command;
        }
    }
    return nullptr;
}
