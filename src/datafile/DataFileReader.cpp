#include "datafile/DataFileReader.h"

#include "app/AppCore.h"
#include "app/Config.h"
#include "datafile/TaskElements.h"
#include "model/Contexts.h"
#include "model/IdText.h"
#include "model/SubContexts.h"
#include "model/Tasks.h"
#include "platform/DateFormDetector.h"
#include "platform/Error.h"
#include "views/Outline.h"

#include <QLocale>
#include <pugixml.hpp>

#include <array>
#include <optional>
#include <string_view>
#include <unordered_map>

namespace {

// Escapes (the five predefined entities and character references) and line ends as XML wants;
// whitespace-only text is kept, so a name of blanks stays one. Without parse_doctype a document
// type, with any entities it defines, is skipped unread: pugixml never expands an entity of its
// own definition and never opens anything outside the buffer.
constexpr unsigned parseFlags =
    pugi::parse_cdata | pugi::parse_escapes | pugi::parse_eol | pugi::parse_ws_pcdata;

bool IsText(const pugi::xml_node& node)
{
    return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata;
}

// The element's text, also when character data sections or skipped comments split it.
QString TextOf(const pugi::xml_node& element)
{
    const pugi::xml_node first = element.first_child();
    if (!first)
        return {};
    if (!first.next_sibling())
        return IsText(first) ? QString::fromUtf8(first.value()) : QString();
    QByteArray joined;
    for (const pugi::xml_node& child : element.children()) {
        if (IsText(child))
            joined += child.value();
    }
    return QString::fromUtf8(joined);
}

// The text of the first child element of that name; the empty text when there is none.
QString ValueOf(const pugi::xml_node& parent, const char* name)
{
    return TextOf(parent.child(name));
}

std::optional<int> IntegerOf(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? std::optional(value) : std::nullopt;
}

// pugixml counts in bytes; a person counts lines.
QString Position(const QByteArray& content, std::ptrdiff_t offset)
{
    const QByteArray before = content.left(offset);
    const qsizetype line = before.count('\n') + 1;
    const qsizetype column = offset - (before.lastIndexOf('\n') + 1) + 1;
    return u"line " + QString::number(line) + u", column " + QString::number(column);
}

// The registry's regional settings for as long as an item's values are read; the item parsers
// take their forms from there, while its rows show dates in the user's own.
class TRegionalScope {
public:
    explicit TRegionalScope(const TRegionalSettings& settings) : previous_(Core().Regional())
    {
        Core().SetRegionalSettings(settings);
    }
    ~TRegionalScope() { Core().SetRegionalSettings(previous_); }
    TRegionalScope(const TRegionalScope&) = delete;
    TRegionalScope& operator=(const TRegionalScope&) = delete;

private:
    TRegionalSettings previous_;
};

// Each step shows what it does and clears the status at its end.
void StepBegins(const QString& key)
{
    Core().ShowStatus(Core().Translate(key));
}

void StepEnds()
{
    Core().ShowStatus(QString());
}

constexpr std::size_t idSlot = 0;
constexpr std::size_t parentIdSlot = readTaskElementCount;

// The slot of each element of a task that the reader looks at: the read elements by their
// number, then the parent's id.
const std::unordered_map<std::string_view, std::size_t>& TaskElementSlots()
{
    static const std::unordered_map<std::string_view, std::size_t> slotOf = [] {
        std::unordered_map<std::string_view, std::size_t> names{{"parentid", parentIdSlot}};
        for (std::size_t index = 0; index < readTaskElementCount; ++index)
            names.emplace(ReadTaskElementName(index), index);
        return names;
    }();
    return slotOf;
}

// The first child element of each name, as child(name) would find it, in one pass over the
// children instead of one per name; a null node for a name that is missing.
using TTaskChildren = std::array<pugi::xml_node, readTaskElementCount + 1>;

TTaskChildren ChildrenOf(const pugi::xml_node& task)
{
    const std::unordered_map<std::string_view, std::size_t>& slotOf = TaskElementSlots();
    TTaskChildren children;
    for (const pugi::xml_node& child : task.children()) {
        const auto slot = slotOf.find(child.name());
        if (slot != slotOf.end() && !children[slot->second])
            children[slot->second] = child;
    }
    return children;
}

bool IsDateForm(std::size_t index)
{
    const TElementForm form = ReadTaskElementForm(index);
    return form == TElementForm::Date || form == TElementForm::Stamp;
}

// Sets the element of the item; true when it held a date that could not be read. A missing date
// is no damage: it is today, as the format says.
bool SetElementLosingDate(TTask& item, std::size_t index, const QString& text)
{
    return !SetTaskElement(item, index, text) && IsDateForm(index) && !text.trimmed().isEmpty();
}

// The date elements of the items read, kept for a second look at the dates of a file that
// records no date forms: for each item in the order read, its element (or none) of each date slot.
class TItemDates {
public:
    void Keep(const TTaskChildren& children)
    {
        for (std::size_t slot : Slots())
            elements_.push_back(children[slot]);
    }

    TDateFormDetector::TResult FindForms() const
    {
        TDateFormDetector detector(Core().Regional(), Core().Clock().CurrentYear());
        detector.Reserve(qsizetype(elements_.size()));
        for (std::size_t i = 0; i < elements_.size(); ++i) {
            if (ReadTaskElementForm(SlotOf(i)) == TElementForm::Stamp)
                detector.AddStamp(TextOf(elements_[i]));
            else
                detector.AddDate(TextOf(elements_[i]));
        }
        return detector.Detect();
    }

    // Sets every item's dates again in the forms given; returns those not read.
    int ReadAgain(const TRegionalSettings& forms) const
    {
        int unread = 0;
        std::size_t i = 0;
        for (TTask& item : Core().Tasks()->Items()) {
            {
                const TRegionalScope scope(forms);
                for (std::size_t slot : Slots()) {
                    unread += SetElementLosingDate(item, slot, TextOf(elements_[i])) ? 1 : 0;
                    ++i;
                }
            }
            // The outline row shows the dates it was built with.
            Core().Outline()->UpdateOutlineRow(item);
        }
        return unread;
    }

private:
    static const std::vector<std::size_t>& Slots()
    {
        static const std::vector<std::size_t> slots = [] {
            std::vector<std::size_t> dateSlots;
            for (std::size_t index = idSlot + 1; index < readTaskElementCount; ++index) {
                if (IsDateForm(index))
                    dateSlots.push_back(index);
            }
            return dateSlots;
        }();
        return slots;
    }
    static std::size_t SlotOf(std::size_t element) { return Slots()[element % Slots().size()]; }

    std::vector<pugi::xml_node> elements_;
};

// Reads one item, its dates in the forms given, and keeps its date elements when asked; returns
// how many of its dates could not be read.
int ReadItem(const pugi::xml_node& task, const TRegionalSettings& forms, TItemDates* dates)
{
    TTasks& tasks = *Core().Tasks();
    const TTaskChildren children = ChildrenOf(task);
    // "root", text that is not an id and an id not read yet all give a top-level item.
    TTask* parent = tasks.FindByIdText(TextOf(children[parentIdSlot]));
    // The id, the first element set, comes with the item: no random id to make and replace.
    TTask& item = *tasks.Add(parent, IdFromText(TextOf(children[idSlot])));
    int unreadDates = 0;
    {
        const TRegionalScope scope(forms);
        for (std::size_t index = idSlot + 1; index < readTaskElementCount; ++index)
            unreadDates += SetElementLosingDate(item, index, TextOf(children[index])) ? 1 : 0;
    }
    if (dates)
        dates->Keep(children);
    Core().Outline()->AddItemNode(item);
    return unreadDates;
}

QString FormsText(const TRegionalSettings& forms)
{
    return forms.ShortDateForm() + u' ' + forms.LongTimeForm();
}

// The items of a file that records no date forms were read in the regional forms. Where those
// left dates unread, the dates may be written in other forms: then every date is read again in
// the forms that read the most of them. That is what finding the forms first would give, without
// a look at the dates of the files the regional forms read whole.
int ReadDatesInTheirForms(const TItemDates& dates, int unreadRegionally)
{
    const QString noForms = u"The data file records no date forms; "_qs;
    if (unreadRegionally == 0) {
        Core().Log(noForms + u"the regional forms " + FormsText(Core().Regional()) +
                   u" read all its dates");
        return 0;
    }
    const TDateFormDetector::TResult found = dates.FindForms();
    Core().Log(noForms + u"its dates are read in " + FormsText(found.forms) +
               (found.regional ? u" (the regional forms): "_qs : u": "_qs) +
               QString::number(found.texts - found.unreadable) + u" of " +
               QString::number(found.texts) + u" read");
    return found.regional ? unreadRegionally : dates.ReadAgain(found.forms);
}

} // namespace

struct TDataFileReader::TDocument {
    QByteArray content; // pugixml parses in place, so the text lives as long as the document
    pugi::xml_document xml;
    pugi::xml_node header;
    pugi::xml_node contexts;
    pugi::xml_node tasks;
    pugi::xml_node subcontexts;

    pugi::xml_node Required(const pugi::xml_node& section, const char* name) const
    {
        if (!section)
            throw TError(u"The element \"" + QString::fromLatin1(name) + u"\" is missing");
        return section;
    }

    // The forms recorded in the header; none for a file that records none.
    std::optional<TRegionalSettings> RecordedForms() const
    {
        const QString dateForm = ValueOf(header, "dateform");
        const QString timeForm = ValueOf(header, "timeform");
        if (dateForm.isEmpty() && timeForm.isEmpty())
            return std::nullopt;
        return TRegionalSettings::FromForms(dateForm, timeForm, QLocale::system(),
                                            ValueOf(header, "amdesignator"),
                                            ValueOf(header, "pmdesignator"));
    }
};

TDataFileReader::TDataFileReader(QByteArray content) : document_(std::make_unique<TDocument>())
{
    document_->content = std::move(content);
    QByteArray& buffer = document_->content;
    const pugi::xml_parse_result result = document_->xml.load_buffer_inplace(
        buffer.data(), std::size_t(buffer.size()), parseFlags, pugi::encoding_auto);
    if (!result) {
        throw TError(QString::fromUtf8(result.description()) + u" (" +
                     Position(buffer, result.offset) + u')');
    }
    const pugi::xml_node root = document_->xml.document_element();
    document_->header = root.child("header");
    document_->contexts = root.child("contexts");
    document_->tasks = root.child("tasks");
    document_->subcontexts = root.child("subcontexts");
}

TDataFileReader::~TDataFileReader() = default;

TDataFileReader::TDataFileReader(TDataFileReader&&) noexcept = default;

TDataFileReader& TDataFileReader::operator=(TDataFileReader&&) noexcept = default;

void TDataFileReader::ReadAll()
{
    ReadHeader();
    ReadContexts();
    ReadItems();
    ReadIncludedContexts();
}

void TDataFileReader::ReadHeader()
{
    if (const std::optional<int> number = IntegerOf(ValueOf(document_->header, "nextbackupno"))) {
        Core().Config()->SetNextBackupNo(*number);
        Core().Log(u"NextBackupNo set to " + QString::number(*number));
    } else {
        Core().Config()->SetNextBackupNo(1);
        Core().Log(u"Unable to get NextBackupNo from data file - set to 1"_qs);
    }
}

void TDataFileReader::ReadContexts()
{
    StepBegins(u"Reading contexts"_qs);
    const pugi::xml_node section = document_->Required(document_->contexts, "contexts");
    // The relation points at the contexts about to go.
    Core().SubContexts()->Clear();
    TContexts& contexts = *Core().Contexts();
    contexts.Reset();
    for (const pugi::xml_node& element : section.children("context")) {
        TKavContext& context = *contexts.Add();
        context.SetIdText(ValueOf(element, "id"));
        context.SetName(ValueOf(element, "name"));
        context.SetTypeText(ValueOf(element, "contexttype"));
    }
    // Where inserting each in its place would put them, in one sort.
    contexts.SortByName();
    StepEnds();
}

void TDataFileReader::ReadItems()
{
    StepBegins(u"Reading items"_qs);
    const pugi::xml_node section = document_->Required(document_->tasks, "tasks");
    Core().ClearViews();
    Core().Tasks()->Clear();
    const std::optional<TRegionalSettings> recorded = document_->RecordedForms();
    const TRegionalSettings forms = recorded.value_or(Core().Regional());
    std::optional<TItemDates> dates; // without recorded forms, for a second look
    if (!recorded)
        dates.emplace();
    unreadDates_ = 0;
    for (const pugi::xml_node& task : section.children("task"))
        unreadDates_ += ReadItem(task, forms, dates ? &*dates : nullptr);
    if (dates)
        unreadDates_ = ReadDatesInTheirForms(*dates, unreadDates_);
    StepEnds();
}

void TDataFileReader::ReadIncludedContexts()
{
    StepBegins(u"Reading included contexts"_qs);
    const pugi::xml_node section = document_->Required(document_->subcontexts, "subcontexts");
    TSubContexts& relation = *Core().SubContexts();
    relation.Clear();
    const TContexts& contexts = *Core().Contexts();
    for (const pugi::xml_node& element : section.children("subcontext")) {
        const QUuid includedId = IdFromText(ValueOf(element, "childid"));
        const QUuid includingId = IdFromText(ValueOf(element, "parentid"));
        TKavContext* including = contexts.FindById(includingId);
        TKavContext* included = contexts.FindById(includedId);
        if (including && included)
            relation.SetIncluded(*including, *included, true);
    }
    StepEnds();
}
