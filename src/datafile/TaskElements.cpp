#include "datafile/TaskElements.h"

#include "app/AppCore.h"
#include "model/Tasks.h"
#include "platform/Error.h"
#include "views/OutlineTree.h"

#include <array>
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

// The setter of each element the reader takes, in the order it sets them.
struct TElementSetter {
    const char* name;
    void (*set)(TTask& item, QStringView text);
};

constexpr std::array<TElementSetter, readTaskElementCount> elementSetters = {{
    {"id", [](TTask& item, QStringView text) { item.SetIdText(text); }},
    {"context_id", [](TTask& item, QStringView text) { item.SetContextIdText(text); }},
    {"name", [](TTask& item, QStringView text) { item.SetName(text.toString()); }},
    {"importance",
     [](TTask& item, QStringView text) { item.SetImportance(RequiredIntegerOf(text)); }},
    {"effort", [](TTask& item, QStringView text) { item.SetEffort(RequiredIntegerOf(text)); }},
    {"note", [](TTask& item, QStringView text) { item.SetNote(text.toString()); }},
    {"tasktype", [](TTask& item, QStringView text) { item.SetTypeText(text); }},
    {"accomplishtype", [](TTask& item, QStringView text) { item.SetAccomplishText(text); }},
    {"checked", [](TTask& item, QStringView text) { item.SetChecked(FlagOf(text)); }},
    {"repeattype", [](TTask& item, QStringView text) { item.SetRepeatTypeText(text); }},
    {"repeatvalue", [](TTask& item, QStringView text) { item.SetRepeatValueText(text); }},
    {"nextdate", [](TTask& item, QStringView text) { item.SetNextDateText(text); }},
    {"leadtype", [](TTask& item, QStringView text) { item.SetLeadTypeText(text); }},
    {"leadvalue", [](TTask& item, QStringView text) { item.SetLeadValueText(text); }},
    {"status", [](TTask& item, QStringView text) { item.SetStatusText(text); }},
    {"dependonprevious",
     [](TTask& item, QStringView text) { item.SetDependOnPrevious(FlagOf(text)); }},
    {"created", [](TTask& item, QStringView text) { item.SetCreatedText(text); }},
    {"lastmodified", [](TTask& item, QStringView text) { item.SetLastModifiedText(text); }},
    {"expanded", [](TTask& item, QStringView text) { item.SetExpanded(FlagOf(text)); }},
}};

std::optional<std::size_t> SetterIndexOf(QStringView element)
{
    for (std::size_t index = 0; index < elementSetters.size(); ++index) {
        if (element == QLatin1StringView(elementSetters[index].name))
            return index;
    }
    return std::nullopt;
}

} // namespace

const char* ReadTaskElementName(std::size_t index)
{
    return elementSetters.at(index).name;
}

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

void SetTaskElement(TTask& item, std::size_t index, QStringView text)
{
    elementSetters.at(index).set(item, text);
}

void SetTaskElement(TTask& item, QStringView element, QStringView text)
{
    if (const std::optional<std::size_t> index = SetterIndexOf(element))
        SetTaskElement(item, *index, text);
}

bool IsSettableTaskElement(QStringView element)
{
    const std::optional<std::size_t> index = SetterIndexOf(element);
    return index && *index != 0; // the id names the item
}
