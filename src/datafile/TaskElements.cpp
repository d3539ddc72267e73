#include "datafile/TaskElements.h"

#include "app/AppCore.h"
#include "model/Tasks.h"
#include "platform/Error.h"
#include "views/OutlineTree.h"

#include <optional>

namespace {

QString Flag(bool on)
{
    return on ? u"true"_qs : u"false"_qs;
}

bool FlagOf(QStringView text)
{
    return text == u"true";
}

int RequiredIntegerOf(QStringView text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok)
        throw TError(u"'" + text.toString() + u"' is not a valid integer value");
    return value;
}

// While the program runs the expanded state lives in the outline; an item that has no node (the
// views are not there) keeps the state it was read with.
bool IsExpandedInOutline(const TTask& item)
{
    const TOutlineNode* node = item.OutlineNode();
    return node ? node->IsExpanded() : item.Expanded();
}

} // namespace

const QList<const char*> readTaskElements = {
    "id",       "context_id",     "name",    "importance",       "effort",      "note",
    "tasktype", "accomplishtype", "checked", "repeattype",       "repeatvalue", "nextdate",
    "leadtype", "leadvalue",      "status",  "dependonprevious", "created",     "lastmodified",
    "expanded"};

QList<TTaskElement> TaskElements(const TTask& item)
{
    const TTask* parent = item.Parent();
    QList<TTaskElement> elements = {
        {"id", item.IdText()},
        {"parentid", parent ? parent->IdText() : u"root"_qs},
        {"context_id", item.ContextIdText()},
        {"name", item.Name()},
        {"importance", QString::number(item.Importance())},
        {"effort", QString::number(item.Effort())},
        {"note", item.Note()},
        {"tasktype", item.TypeName()},
        {"accomplishtype", item.AccomplishName()},
        {"repeattype", item.RepeatTypeName()},
        {"repeatvalue", QString::number(item.RepeatValue())},
        {"nextdate", item.NextDateText()},
        {"leadtype", item.LeadTypeName()},
        {"leadvalue", QString::number(item.LeadValue())},
        {"status", item.StatusName()},
        {"created", item.CreatedText()},
        {"lastmodified", item.LastModifiedText()},
        {"checked", Flag(item.Checked())},
        {"dependonprevious", Flag(item.DependOnPrevious())},
    };
    if (parent)
        elements.append({"parentexpanded", Flag(IsExpandedInOutline(*parent))});
    elements.append({"expanded", Flag(IsExpandedInOutline(item))});
    elements.append({"sortorder", QString::number(Core().Tasks()->IndexAmongSiblings(item))});
    return elements;
}

void SetTaskElement(TTask& item, QStringView element, QStringView text)
{
    if (element == u"id")
        item.SetIdText(text);
    else if (element == u"context_id")
        item.SetContextIdText(text);
    else if (element == u"name")
        item.SetName(text.toString());
    else if (element == u"importance")
        item.SetImportance(RequiredIntegerOf(text));
    else if (element == u"effort")
        item.SetEffort(RequiredIntegerOf(text));
    else if (element == u"note")
        item.SetNote(text.toString());
    else if (element == u"tasktype")
        item.SetTypeText(text);
    else if (element == u"accomplishtype")
        item.SetAccomplishText(text);
    else if (element == u"checked")
        item.SetChecked(FlagOf(text));
    else if (element == u"repeattype")
        item.SetRepeatTypeText(text);
    else if (element == u"repeatvalue")
        item.SetRepeatValueText(text);
    else if (element == u"nextdate")
        item.SetNextDateText(text);
    else if (element == u"leadtype")
        item.SetLeadTypeText(text);
    else if (element == u"leadvalue")
        item.SetLeadValueText(text);
    else if (element == u"status")
        item.SetStatusText(text);
    else if (element == u"dependonprevious")
        item.SetDependOnPrevious(FlagOf(text));
    else if (element == u"created")
        item.SetCreatedText(text);
    else if (element == u"lastmodified")
        item.SetLastModifiedText(text);
    else if (element == u"expanded")
        item.SetExpanded(FlagOf(text));
}

bool IsSettableTaskElement(QStringView element)
{
    if (element == u"id")
        return false;
    for (const char* name : readTaskElements) {
        if (element == QLatin1String(name))
            return true;
    }
    return false;
}
