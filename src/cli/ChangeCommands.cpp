#include "cli/CliOutput.h"
#include "cli/CliSession.h"
#include "cli/Commands.h"

#include "datafile/DataFile.h"
#include "datafile/DataFileWriter.h"
#include "datafile/TaskElements.h"
#include "model/Completion.h"
#include "model/Contexts.h"
#include "model/SubContexts.h"
#include "model/Tasks.h"
#include "platform/Error.h"
#include "views/Done.h"
#include "views/ItemCommands.h"
#include "views/KavView.h"
#include "views/Outline.h"
#include "views/ToDo.h"

#include <QFileInfo>

namespace {

[[noreturn]] void Usage(const QString& message)
{
    throw TCliFailure{TCliFailure::Usage, message};
}

// A question that could not be asked: no terminal and no --yes.
void RequireAnswer(TCliSession& session, const QString& command)
{
    if (session.prompts().QuestionRefused())
        Usage(command + u" asks for confirmation: run it on a terminal or add --yes");
}

// A text that loses characters on the way into the file is still saved, but not silently.
void WarnCharactersLeftOut(TCliSession& session, QStringView element)
{
    session.prompts().ShowMessage(u"Warning: " + element +
                                  u": characters that the data file cannot hold are left out");
}

void WarnIfNotHeld(TCliSession& session, QStringView element, const QString& text)
{
    if (!TDataFileWriter::Holds(text))
        WarnCharactersLeftOut(session, element);
}

void PrintId(TCliContext& context, const QString& id)
{
    if (context.output.Json())
        context.output.PrintJson({{u"id"_qs, id}});
    else
        context.output.PrintLine(id);
}

// The views hold what the windows would show, so that every operation finds its rows.
void Prepare(TCliContext& context)
{
    context.session.RefreshViews();
}

void New(TCliContext& context)
{
    context.arguments.Finish();
    TCliSession& session = context.session;
    const QString path = session.DataFilePath();
    TDataFile& dataFile = *session.core().DataFile();
    dataFile.NewBlank();
    const QFileInfo target(path);
    dataFile.SetFolder(target.absolutePath() + u'/');
    dataFile.SetFileName(target.fileName());
    // From the look at what is there to the new file in its place, no other writer comes in.
    session.HoldWriterLock();
    if (QFileInfo::exists(path)) {
        const bool replace =
            session.core().Confirm(u"Replace the existing file " + path + u" with a new one?");
        RequireAnswer(session, u"new"_qs);
        if (!replace)
            return;
        // The file replaced stays among its backups; without that copy nothing replaces it.
        if (!dataFile.BackUpFileToReplace())
            throw TCliFailure{TCliFailure::SaveFailed, QString()}; // the error is shown already
    }
    session.Save();
}

void Add(TCliContext& context)
{
    TCliSession& session = context.session;
    const QString name = context.arguments.Value(u"--name"_qs);
    const QString parentId = context.arguments.Value(u"--parent"_qs);
    const QString typeName = context.arguments.Value(u"--type"_qs);
    const QString contextName = context.arguments.Value(u"--context"_qs);
    context.arguments.Finish();
    TTask* parent = parentId.isEmpty() ? nullptr : &session.Item(parentId);
    const std::optional<TTaskType> type =
        typeName.isEmpty() ? std::nullopt : TaskTypeFromName(typeName);
    if (!typeName.isEmpty() && !type)
        Usage(u"--type takes Area, Goal, Project, Task or Idea"_qs);
    const TKavContext* itemContext =
        contextName.isEmpty() ? nullptr : &session.Context(contextName);
    Prepare(context);

    TTask& item = *ItemCommands::NewSubitem(parent);
    if (type)
        item.SetTaskType(*type);
    if (!name.isEmpty()) {
        item.SetName(name);
        WarnIfNotHeld(session, u"name", name);
    }
    if (itemContext)
        item.SetContextId(itemContext->Id());
    item.UpdateRows();
    session.Save();
    PrintId(context, item.IdText());
}

void Set(TCliContext& context)
{
    TCliSession& session = context.session;
    TTask& item = session.Item(context.arguments.Positional(u"item id"_qs));
    const QStringList assignments = context.arguments.RemainingPositionals();
    context.arguments.Finish();
    if (assignments.isEmpty())
        Usage(u"Missing ELEMENT=TEXT"_qs);
    Prepare(context);
    QStringList shortened;
    for (const QString& assignment : assignments) {
        const qsizetype equals = assignment.indexOf(u'=');
        if (equals <= 0)
            Usage(u"Not ELEMENT=TEXT: " + assignment);
        const QString element = assignment.left(equals);
        if (!IsSettableTaskElement(element))
            Usage(u"Not a field that can be set: " + element);
        // Nothing is saved unless every text is a value of its element.
        try {
            if (!SetTaskElementStrictly(item, element, QStringView(assignment).mid(equals + 1)))
                shortened.append(element);
        } catch (const TError& error) {
            Usage(error.Message());
        }
    }
    for (const QString& element : std::as_const(shortened))
        WarnCharactersLeftOut(session, element);
    item.SetLastModified(session.core().Clock().Now());
    item.UpdateRows();
    session.Save();
}

// The done link of the lists (accomplish) and of the done list (undone).
void FollowDoneLink(TCliContext& context, TKavView::TLinkAction action)
{
    TCliSession& session = context.session;
    TTask& item = session.Item(context.arguments.Positional(u"item id"_qs));
    context.arguments.Finish();
    Prepare(context);
    TKavView::FollowDoneLink(item, action);
    session.Save();
}

void Accomplish(TCliContext& context)
{
    FollowDoneLink(context, Completion::Accomplish);
}

void Undone(TCliContext& context)
{
    FollowDoneLink(context, TDoneView::Undo);
}

void Move(TCliContext& context)
{
    TCliSession& session = context.session;
    TTask& item = session.Item(context.arguments.Positional(u"item id"_qs));
    const QString targetId = context.arguments.Value(u"--under"_qs);
    const bool up = context.arguments.Flag(u"--up"_qs);
    const bool down = context.arguments.Flag(u"--down"_qs);
    context.arguments.Finish();
    if (int(!targetId.isEmpty()) + int(up) + int(down) != 1)
        Usage(u"move takes one of --under ID, --up, --down"_qs);
    TTask* target = targetId.isEmpty() ? nullptr : &session.Item(targetId);
    Prepare(context);
    TCore& core = session.core();
    if (target) {
        if (!TOutline::CanDrop(item.OutlineNode(), target->OutlineNode()))
            Usage(u"An item cannot move under itself or under an item below it"_qs);
        core.Outline()->treeOutlineDragDrop(item.OutlineNode(), target->OutlineNode());
    } else if (!(up ? ItemCommands::MoveUp(item) : ItemCommands::MoveDown(item))) {
        return; // already first or last: nothing changed, nothing to save
    }
    session.Save();
}

void Delete(TCliContext& context)
{
    TCliSession& session = context.session;
    TTask& item = session.Item(context.arguments.Positional(u"item id"_qs));
    context.arguments.Finish();
    Prepare(context);
    const bool deleted = ItemCommands::Delete(item);
    RequireAnswer(session, u"delete"_qs);
    if (deleted)
        session.Save();
}

void Clean(TCliContext& context)
{
    TCliSession& session = context.session;
    context.arguments.Finish();
    Prepare(context);
    if (session.core().Tasks()->CountDone() == 0)
        return; // the windows offer Clean only when something is done
    const bool cleaned = ItemCommands::Clean();
    RequireAnswer(session, u"clean"_qs);
    if (cleaned)
        session.Save();
}

std::optional<TContextType> ContextTypeFromName(const QString& name)
{
    for (TContextType type :
         {TContextType::Place, TContextType::Person, TContextType::Computer, TContextType::Phone}) {
        if (ContextTypeName(type) == name)
            return type;
    }
    return std::nullopt;
}

void ContextsAdd(TCliContext& context)
{
    TCliSession& session = context.session;
    const QString name = context.arguments.Positional(u"context name"_qs);
    const QString typeName = context.arguments.Value(u"--type"_qs);
    context.arguments.Finish();
    const std::optional<TContextType> type =
        typeName.isEmpty() ? TContextType::Place : ContextTypeFromName(typeName);
    if (!type)
        Usage(u"--type takes Place, Person, Computer or Phone"_qs);
    TKavContext& added = *session.core().Contexts()->Add();
    added.SetName(name);
    added.SetContextType(*type);
    WarnIfNotHeld(session, u"name", name);
    session.Save();
    PrintId(context, added.IdText());
}

void ContextsDelete(TCliContext& context)
{
    TCliSession& session = context.session;
    TKavContext& doomed = session.Context(context.arguments.Positional(u"context"_qs));
    const QString replacementName = context.arguments.Value(u"--replace-with"_qs);
    context.arguments.Finish();
    TContexts& contexts = *session.core().Contexts();
    TKavContext& replacement =
        replacementName.isEmpty() ? *contexts.Get(0) : session.Context(replacementName);
    if (doomed.ContextType() == TContextType::Anywhere)
        Usage(u"The Anywhere context cannot be deleted"_qs);
    if (&replacement == &doomed)
        Usage(u"A context cannot replace itself"_qs);
    contexts.ReplaceAndDelete(doomed, replacement);
    session.Save();
}

void SetIncluded(TCliContext& context, bool included)
{
    TCliSession& session = context.session;
    TKavContext& including = session.Context(context.arguments.Positional(u"including context"_qs));
    TKavContext& other = session.Context(context.arguments.Positional(u"included context"_qs));
    context.arguments.Finish();
    if (&including == &other)
        Usage(u"A context cannot include itself: name two different contexts"_qs);
    session.core().SubContexts()->SetIncluded(including, other, included);
    session.Save();
}

void ContextsInclude(TCliContext& context)
{
    SetIncluded(context, true);
}

void ContextsExclude(TCliContext& context)
{
    SetIncluded(context, false);
}

constexpr TCliCommand changingCommands[] = {
    {u"new", u"new", TCliCommand::TFile::Creates, New},
    {u"add", u"add [--name NAME] [--parent ID] [--type TYPE] [--context NAME|ID]",
     TCliCommand::TFile::Changes, Add},
    {u"set", u"set ID ELEMENT=TEXT ...", TCliCommand::TFile::Changes, Set},
    {u"accomplish", u"accomplish ID", TCliCommand::TFile::Changes, Accomplish},
    {u"undone", u"undone ID", TCliCommand::TFile::Changes, Undone},
    {u"move", u"move ID (--under ID | --up | --down)", TCliCommand::TFile::Changes, Move},
    {u"delete", u"delete ID", TCliCommand::TFile::Changes, Delete},
    {u"clean", u"clean", TCliCommand::TFile::Changes, Clean},
    {u"contexts add", u"contexts add NAME [--type TYPE]", TCliCommand::TFile::Changes, ContextsAdd},
    {u"contexts delete", u"contexts delete NAME|ID [--replace-with NAME|ID]",
     TCliCommand::TFile::Changes, ContextsDelete},
    {u"contexts include", u"contexts include A B", TCliCommand::TFile::Changes, ContextsInclude},
    {u"contexts exclude", u"contexts exclude A B", TCliCommand::TFile::Changes, ContextsExclude},
};

} // namespace

std::span<const TCliCommand> ChangingCommands()
{
    return changingCommands;
}
