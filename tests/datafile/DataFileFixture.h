#pragma once

#include "app/AppCore.h"
#include "datafile/DataFileReader.h"
#include "datafile/DataFileWriter.h"
#include "model/Contexts.h"
#include "model/SubContexts.h"
#include "model/Tasks.h"
#include "platform/Error.h"
#include "platform/Guid.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <algorithm>

// Small data files written by hand, as a user or another program might leave them.
namespace Xml {

using TElements = QList<QPair<QString, QString>>; // element name, raw element content

inline QString Elements(const TElements& elements)
{
    QString text;
    for (const auto& [name, content] : elements)
        text += u'<' + name + u'>' + content + u"</" + name + u'>';
    return text;
}

// A task with the three elements a load cannot do without (id, importance, effort) and any
// more: an element named again replaces the default, "-name" leaves the element out.
inline QString Task(const QString& id, const TElements& more = {})
{
    TElements elements = {{u"id"_qs, id}, {u"importance"_qs, u"100"_qs}, {u"effort"_qs, u"50"_qs}};
    for (const auto& [name, content] : more) {
        const bool omit = name.startsWith(u'-');
        const QString bare = omit ? name.mid(1) : name;
        const auto existing =
            std::find_if(elements.begin(), elements.end(),
                         [&bare](const auto& element) { return element.first == bare; });
        if (omit && existing != elements.end())
            elements.erase(existing);
        else if (!omit && existing != elements.end())
            existing->second = content;
        else if (!omit)
            elements.append({bare, content});
    }
    return u"<task>" + Elements(elements) + u"</task>";
}

inline QString Context(const QString& id, const QString& name, const QString& type)
{
    return u"<context>" +
           Elements({{u"id"_qs, id}, {u"name"_qs, name}, {u"contexttype"_qs, type}}) +
           u"</context>";
}

inline QString SubContext(const QString& parentId, const QString& childId)
{
    return u"<subcontext>" + Elements({{u"parentid"_qs, parentId}, {u"childid"_qs, childId}}) +
           u"</subcontext>";
}

inline QString Header(const QString& nextBackupNo = u"3"_qs)
{
    return u"<header><application>Tavolin</application><nextbackupno>" + nextBackupNo +
           u"</nextbackupno></header>";
}

// A whole document with the four sections.
inline QByteArray Document(const QString& tasks, const QString& contexts = {},
                           const QString& subcontexts = {}, const QString& header = Header())
{
    return (u"<?xml version=\"1.0\" encoding=\"UTF-8\"?><document>" + header + u"<tasks>" + tasks +
            u"</tasks><contexts>" + contexts + u"</contexts><subcontexts>" + subcontexts +
            u"</subcontexts></document>")
        .toUtf8();
}

// Distinct ids that read well in a test: {00000000-0000-0000-0000-00000000000N}.
inline QString Id(int n)
{
    return u"{00000000-0000-0000-0000-" + QString::number(n).rightJustified(12, u'0') + u'}';
}

} // namespace Xml

// Every value of an item that the file keeps, in its own terms (no text forms), so that a round
// trip compares what was kept rather than how it was written. Stamps count whole seconds.
inline QString Snapshot(const TTask& item)
{
    const auto seconds = [](TDateTime value) { return QString::number(qRound64(value * 86400)); };
    const TTasks& tasks = *Core().Tasks();
    return QStringList{
        Guid::ToRegistryText(item.Id()),
        item.Parent() ? item.Parent()->Name() : u"(top)"_qs,
        QString::number(tasks.IndexAmongSiblings(item)),
        Guid::ToRegistryText(item.ContextId()),
        item.Name(),
        item.Note(),
        QString::number(item.Importance()),
        QString::number(item.Effort()),
        QString::number(int(item.TaskType())),
        QString::number(int(item.Status())),
        QString::number(int(item.AccomplishType())),
        QString::number(int(item.RepeatType())),
        QString::number(item.RepeatValue()),
        QString::number(int(item.LeadType())),
        QString::number(item.LeadValue()),
        seconds(item.NextDate()),
        seconds(item.Created()),
        seconds(item.LastModified()),
        item.Checked() ? u"done"_qs : u"open"_qs,
        item.DependOnPrevious() ? u"depends"_qs : u"free"_qs,
        item.Expanded() ? u"expanded"_qs : u"collapsed"_qs,
    }
        .join(u" | ");
}

inline QStringList OutlineSnapshot()
{
    QStringList lines;
    Core().Tasks()->ForEachInOutline([&lines](const TTask& item) { lines.append(Snapshot(item)); });
    return lines;
}

// "name (type, id)" of every context in list order, then "including > included" per relation.
inline QStringList ContextsSnapshot()
{
    QStringList lines;
    const TContexts& contexts = *Core().Contexts();
    for (int i = 0; i < contexts.Count(); ++i) {
        const TKavContext& context = *contexts.Get(i);
        lines.append(context.Name() + u" (" + context.TypeName() + u", " + context.IdText() + u')');
    }
    const TSubContexts& relation = *Core().SubContexts();
    for (int i = 0; i < relation.Count(); ++i)
        lines.append(relation.At(i).including->Name() + u" > " + relation.At(i).included->Name());
    return lines;
}

// As a load reads: inside the views' update bracket every step, then the outline takes the
// stored expanded states.
inline void ReadDocument(const QByteArray& content)
{
    struct TBracket {
        TBracket() { Core().BeginUpdateViews(); }
        ~TBracket() { Core().EndUpdateViews(); }
    } bracket;
    TDataFileReader(content).ReadAll();
    Core().Tasks()->RestoreExpanded();
}

// The message of the failure that ends the load; empty when it reads.
inline QString ReadFailure(const QByteArray& content)
{
    try {
        ReadDocument(content);
    } catch (const TError& error) {
        return error.Message().isEmpty() ? u"(no message)"_qs : error.Message();
    }
    return {};
}

inline QByteArray WrittenDocument()
{
    return TDataFileWriter::WriteAll().ToBytes();
}

inline QByteArray FileContent(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool WriteFileContent(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(content) == content.size();
}

// The items' names, each indented by its depth, in outline order.
inline QStringList IndentedNames()
{
    QStringList lines;
    Core().Tasks()->ForEachInOutline(
        [&lines](const TTask& item) { lines.append(QString(item.Depth(), u' ') + item.Name()); });
    return lines;
}
