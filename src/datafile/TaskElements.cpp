#include "datafile/TaskElements.h"

#include "app/AppCore.h"
#include "datafile/DataFileWriter.h"
#include "model/Contexts.h"
#include "model/Tasks.h"
#include "platform/Error.h"
#include "platform/Guid.h"
#include "views/OutlineTree.h"

#include <QStringList>
#include <array>
#include <optional>

namespace {

QString Flag(bool on)
{
    return on ? u"true"_qs : u"false"_qs;
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

// Each element the reader takes, in the order it sets them: its text form and its setter, which
// returns false when the text did not fit and the field fell back.
struct TElementEntry {
    const char* name;
    TElementForm form;
    bool (*set)(TTask& item, QStringView text);
    // Dates and stamps: the value, whichever form it was read in.
    void (*setValue)(TTask& item, TDateTime value) = nullptr;
    // Integers: the range the item editor offers.
    int minimum = 0;
    int maximum = 0;
};

bool IsFlag(QStringView text)
{
    return text == u"true" || text == u"false";
}

// A flag is true exactly for "true"; a text that is neither word did not fit.
template <void (TTask::*setFlag)(bool)> bool SetFlagText(TTask& item, QStringView text)
{
    (item.*setFlag)(text == u"true");
    return IsFlag(text);
}

using TForm = TElementForm;

constexpr std::array<TElementEntry, readTaskElementCount> elementEntries = {{
    {"id", TForm::Id,
     [](TTask& item, QStringView text) {
         item.SetIdText(text);
         return true;
     }},
    {"context_id", TForm::ContextId,
     [](TTask& item, QStringView text) { return item.SetContextIdText(text); }},
    {"name", TForm::Text,
     [](TTask& item, QStringView text) {
         item.SetName(text.toString());
         return true;
     }},
    {"importance", TForm::Integer,
     [](TTask& item, QStringView text) {
         item.SetImportance(RequiredIntegerOf(text));
         return true;
     },
     nullptr, 0, 100},
    {"effort", TForm::Integer,
     [](TTask& item, QStringView text) {
         item.SetEffort(RequiredIntegerOf(text));
         return true;
     },
     nullptr, 0, 100},
    {"note", TForm::Text,
     [](TTask& item, QStringView text) {
         item.SetNote(text.toString());
         return true;
     }},
    {"tasktype", TForm::TaskType,
     [](TTask& item, QStringView text) { return item.SetTypeText(text); }},
    {"accomplishtype", TForm::AccomplishType,
     [](TTask& item, QStringView text) { return item.SetAccomplishText(text); }},
    {"checked", TForm::Flag, SetFlagText<&TTask::SetChecked>},
    {"repeattype", TForm::PeriodType,
     [](TTask& item, QStringView text) { return item.SetRepeatTypeText(text); }},
    {"repeatvalue", TForm::Integer,
     [](TTask& item, QStringView text) { return item.SetRepeatValueText(text); }, nullptr, 1, 99},
    {"nextdate", TForm::Date,
     [](TTask& item, QStringView text) { return item.SetNextDateText(text); },
     [](TTask& item, TDateTime value) { item.SetNextDate(value); }},
    {"leadtype", TForm::PeriodType,
     [](TTask& item, QStringView text) { return item.SetLeadTypeText(text); }},
    {"leadvalue", TForm::Integer,
     [](TTask& item, QStringView text) { return item.SetLeadValueText(text); }, nullptr, 0, 99},
    {"status", TForm::Status,
     [](TTask& item, QStringView text) { return item.SetStatusText(text); }},
    {"dependonprevious", TForm::Flag, SetFlagText<&TTask::SetDependOnPrevious>},
    {"created", TForm::Stamp,
     [](TTask& item, QStringView text) { return item.SetCreatedText(text); },
     [](TTask& item, TDateTime value) { item.SetCreated(value); }},
    {"lastmodified", TForm::Stamp,
     [](TTask& item, QStringView text) { return item.SetLastModifiedText(text); },
     [](TTask& item, TDateTime value) { item.SetLastModified(value); }},
    {"expanded", TForm::Flag, SetFlagText<&TTask::SetExpanded>},
}};

constexpr std::size_t idIndex = 0;

std::optional<std::size_t> EntryIndexOf(QStringView element)
{
    for (std::size_t index = 0; index < elementEntries.size(); ++index) {
        if (element == QLatin1StringView(elementEntries[index].name))
            return index;
    }
    return std::nullopt;
}

// "one of A, B or C", from the enumeration's words.
template <typename T, std::size_t N>
QString OneOf(const std::array<T, N>& values, QString (*nameOf)(T))
{
    QStringList words;
    for (T value : values)
        words.append(nameOf(value));
    const QString last = words.takeLast();
    return u"one of " + words.join(u", ") + u" or " + last;
}

// What the text of a strictly set element must be; empty when it is that.
QString Mismatch(const TElementEntry& entry, QStringView text)
{
    switch (entry.form) {
    case TForm::Flag:
        return IsFlag(text) ? QString() : u"true or false"_qs;
    case TForm::Integer: {
        bool ok = false;
        const int value = text.toInt(&ok);
        return ok && value >= entry.minimum && value <= entry.maximum
                   ? QString()
                   : u"a whole number from " + QString::number(entry.minimum) + u" to " +
                         QString::number(entry.maximum);
    }
    case TForm::TaskType:
        return TaskTypeFromName(text) ? QString() : OneOf(AllTaskTypes, TaskTypeName);
    case TForm::AccomplishType:
        return AccomplishTypeFromName(text) ? QString()
                                            : OneOf(AllAccomplishTypes, AccomplishTypeName);
    case TForm::PeriodType:
        return PeriodTypeFromName(text) ? QString() : OneOf(AllPeriodTypes, PeriodTypeName);
    case TForm::Status:
        return TaskStatusFromName(text) ? QString() : OneOf(AllTaskStatuses, TaskStatusName);
    case TForm::ContextId: {
        const std::optional<QUuid> id = Guid::FromRegistryText(text);
        return id && Core().Contexts()->FindById(*id) ? QString() : u"the id of a context"_qs;
    }
    case TForm::Id:
    case TForm::Text:
    case TForm::Date:
    case TForm::Stamp:
        break;
    }
    return {};
}

[[noreturn]] void Refuse(QStringView element, QStringView text, const QString& expected)
{
    throw TError(element + u": \"" + text + u"\" is not " + expected);
}

// A date or stamp in the regional form, else in the ISO form.
std::optional<TDateTime> DateValueOf(TElementForm form, QStringView text)
{
    const TRegionalSettings& regional = Core().Regional();
    if (form == TForm::Date) {
        const std::optional<TDateTime> date =
            regional.ParseDate(text, Core().Clock().CurrentYear());
        return date ? date : DateTime::FromIsoDate(text);
    }
    const std::optional<TDateTime> stamp =
        regional.ParseDateTime(text, Core().Clock().CurrentYear());
    return stamp ? stamp : DateTime::FromIsoStamp(text);
}

QString DateFormsOf(TElementForm form)
{
    const TRegionalSettings& regional = Core().Regional();
    if (form == TForm::Date)
        return u"a date in the form " + regional.ShortDateForm() + u" or yyyy-MM-dd";
    return u"a date and time in the form " + regional.ShortDateForm() + u' ' +
           regional.LongTimeForm() + u" or yyyy-MM-dd HH:mm:ss";
}

} // namespace

const char* ReadTaskElementName(std::size_t index)
{
    return elementEntries.at(index).name;
}

TElementForm ReadTaskElementForm(std::size_t index)
{
    return elementEntries.at(index).form;
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

bool SetTaskElement(TTask& item, std::size_t index, QStringView text)
{
    return elementEntries.at(index).set(item, text);
}

bool IsSettableTaskElement(QStringView element)
{
    const std::optional<std::size_t> index = EntryIndexOf(element);
    return index && *index != idIndex; // the id names the item
}

bool SetTaskElementStrictly(TTask& item, QStringView element, QStringView text)
{
    const std::optional<std::size_t> index = EntryIndexOf(element);
    if (!index || *index == idIndex)
        throw TError(u"Not an element that can be set: " + element);
    const TElementEntry& entry = elementEntries[*index];
    if (entry.setValue) {
        const std::optional<TDateTime> value = DateValueOf(entry.form, text);
        if (!value)
            Refuse(element, text, DateFormsOf(entry.form));
        entry.setValue(item, *value);
        return true;
    }
    if (const QString expected = Mismatch(entry, text); !expected.isEmpty())
        Refuse(element, text, expected);
    entry.set(item, text);
    return entry.form != TForm::Text || TDataFileWriter::Holds(text);
}
