#include "model/Contexts.h"

#include "app/AppCore.h"
#include "model/IdText.h"
#include "model/SubContexts.h"
#include "model/Tasks.h"
#include "platform/Guid.h"
#include "views/Chooser.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <array>
#include <optional>

namespace {

constexpr std::array<QStringView, 5> contextTypeNames = {u"Place", u"Person", u"Computer", u"Phone",
                                                         u"Anywhere"};

const QUuid anywhereGuid = QUuid::fromString(u"{AC378A1A-C28D-4D18-8C75-43BE352DB025}");

// Names compare ignoring case, in the user's collation.
QCollator NameCollator()
{
    QCollator collator(QLocale::system());
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

} // namespace

QString ContextTypeName(TContextType type)
{
    return contextTypeNames.at(static_cast<std::size_t>(type)).toString();
}

std::unique_ptr<TKavContext> TKavContext::Create()
{
    std::unique_ptr<TKavContext> context(new TKavContext);
    context->id_ = Guid::Create();
    context->name_ = Core().Translate(u"NewContext"_qs);
    return context;
}

QString TKavContext::IdText() const
{
    return Guid::ToRegistryText(id_);
}

void TKavContext::SetId(const QUuid& id)
{
    if (owner_)
        owner_->Unindex(*this, id_);
    id_ = id;
    if (owner_)
        owner_->Index(*this);
}

void TKavContext::SetIdText(QStringView text)
{
    SetId(IdFromText(text));
}

void TKavContext::SetName(const QString& name)
{
    name_ = name;
    RefreshRows();
}

void TKavContext::RefreshRows() const
{
    for (IContextRow* row : {contextsRow_, subContextsRow_}) {
        if (row) {
            row->SetCaption(name_);
            row->SetImageIndex(IconIndex());
        }
    }
}

QString TKavContext::TypeName() const
{
    return ContextTypeName(contextType_);
}

void TKavContext::SetTypeText(QStringView text)
{
    if (text == u"Person")
        contextType_ = TContextType::Person;
    else if (text == u"Computer")
        contextType_ = TContextType::Computer;
    else if (text == u"Phone")
        contextType_ = TContextType::Phone;
    else
        contextType_ = TContextType::Place;
}

TIconKind TKavContext::IconKind() const
{
    return static_cast<TIconKind>(int(TIconKind::PlaceContext) + int(contextType_));
}

int TKavContext::IconIndex() const
{
    return TIconProvider::IconIndex(IconKind());
}

QString TKavContext::Markup() const
{
    return TIconProvider::IconMarkup(IconKind()) + u' ' + name_;
}

QString TKavContext::QuickLetter() const
{
    const auto letter =
        std::find_if(name_.cbegin(), name_.cend(), [](QChar c) { return c != u' ' && c != u'@'; });
    if (letter == name_.cend())
        return {};
    // A letter outside the basic plane is two characters; never hand out half of it.
    const qsizetype at = letter - name_.cbegin();
    const bool pair =
        letter->isHighSurrogate() && at + 1 < name_.size() && name_.at(at + 1).isLowSurrogate();
    return name_.mid(at, pair ? 2 : 1);
}

bool TKavContext::Matches(const TKavContext* selected, bool include) const
{
    return selected == this || (include && Core().SubContexts()->Includes(selected, this));
}

TContexts::TContexts() = default;

TContexts::~TContexts() = default;

TKavContext* TContexts::Add()
{
    contexts_.push_back(TKavContext::Create());
    TKavContext& added = *contexts_.back();
    added.owner_ = this;
    Index(added);
    return &added;
}

void TContexts::Reset()
{
    contexts_.clear();
    byId_.clear();
    TKavContext* anywhere = Add();
    anywhere->SetId(anywhereGuid);
    anywhere->SetContextType(TContextType::Anywhere);
    anywhere->SetName(Core().Translate(u"Anywhere"_qs));
}

QString TContexts::AnywhereId()
{
    return u"{AC378A1A-C28D-4D18-8C75-43BE352DB025}"_qs;
}

const QUuid& TContexts::AnywhereGuid()
{
    return anywhereGuid;
}

void TContexts::RefreshAnywhereName()
{
    for (const std::unique_ptr<TKavContext>& context : contexts_) {
        if (context->ContextType() == TContextType::Anywhere)
            context->SetName(Core().Translate(u"Anywhere"_qs));
    }
}

void TContexts::InsertSorted(TKavContext& context)
{
    const auto current = std::ranges::find_if(
        contexts_, [&context](const auto& candidate) { return candidate.get() == &context; });
    if (current == contexts_.end() || current == contexts_.begin())
        return;
    const QCollator collator = NameCollator();
    std::unique_ptr<TKavContext> moving = std::move(*current);
    contexts_.erase(current);
    const auto place = std::find_if(contexts_.begin() + 1, contexts_.end(), [&](const auto& other) {
        return collator.compare(other->Name(), moving->Name()) > 0;
    });
    contexts_.insert(place, std::move(moving));
}

void TContexts::SortByName()
{
    if (contexts_.size() < 2)
        return;
    const QCollator collator = NameCollator();
    // Comparing sort keys is far cheaper than asking the collator every time. Qt's keys of the C
    // locale ignore the case setting, but there the collator compares cheaply anyway.
    const bool byKeys = collator.locale().language() != QLocale::C;
    struct TKeyed {
        std::optional<QCollatorSortKey> key;
        std::unique_ptr<TKavContext> context;
    };
    std::vector<TKeyed> keyed;
    keyed.reserve(contexts_.size() - 1);
    for (auto context = contexts_.begin() + 1; context != contexts_.end(); ++context) {
        keyed.push_back(
            {byKeys ? std::optional(collator.sortKey((*context)->Name())) : std::nullopt,
             std::move(*context)});
    }
    std::ranges::stable_sort(keyed, [&collator](const TKeyed& a, const TKeyed& b) {
        return a.key ? a.key->compare(*b.key) < 0
                     : collator.compare(a.context->Name(), b.context->Name()) < 0;
    });
    for (std::size_t i = 0; i < keyed.size(); ++i)
        contexts_[i + 1] = std::move(keyed[i].context);
}

TKavContext* TContexts::FindById(const QUuid& id) const
{
    const auto found = byId_.constFind(id);
    if (found == byId_.cend())
        return nullptr;
    if (found->size() == 1)
        return found->front();
    const auto first =
        std::ranges::find_if(contexts_, [&id](const auto& context) { return context->Id() == id; });
    return first->get();
}

void TContexts::Index(TKavContext& context)
{
    byId_[context.Id()].append(&context);
}

void TContexts::Unindex(const TKavContext& context, const QUuid& id)
{
    const auto entry = byId_.find(id);
    if (entry == byId_.end())
        return;
    entry->removeOne(&context);
    if (entry->isEmpty())
        byId_.erase(entry);
}

TKavContext* TContexts::FindByIdText(QStringView text) const
{
    const std::optional<QUuid> id = Guid::FromRegistryText(text);
    return id ? FindById(*id) : nullptr;
}

TKavContext* TContexts::FindByMarkup(QStringView markup) const
{
    const auto found = std::ranges::find_if(
        contexts_, [markup](const auto& context) { return context->Markup() == markup; });
    return found == contexts_.end() ? nullptr : found->get();
}

TKavContext* TContexts::FindBySubContextsRow(const IContextRow* row) const
{
    if (!row)
        return nullptr;
    const auto found = std::ranges::find_if(
        contexts_, [row](const auto& context) { return context->SubContextsRow() == row; });
    return found == contexts_.end() ? nullptr : found->get();
}

TKavContext* TContexts::Get(int index) const
{
    return index >= 0 && index < Count() ? contexts_[std::size_t(index)].get() : nullptr;
}

int TContexts::IndexOf(const TKavContext* context) const
{
    const auto found = std::ranges::find_if(
        contexts_, [context](const auto& candidate) { return candidate.get() == context; });
    return found == contexts_.end() ? -1 : int(found - contexts_.begin());
}

void TContexts::ReplaceAndDelete(TKavContext& context, TKavContext& replacement)
{
    if (&replacement == &context || context.ContextType() == TContextType::Anywhere)
        return;
    for (TTask& item : Core().Tasks()->Items()) {
        if (item.ContextId() == context.Id())
            item.SetContextId(replacement.Id());
    }
    Core().SubContexts()->RemoveContext(context);
    Unindex(context, context.Id());
    std::erase_if(contexts_,
                  [&context](const auto& candidate) { return candidate.get() == &context; });
}

void TContexts::FillChooser(TChooser& chooser, bool withAll) const
{
    chooser.Clear();
    if (withAll) {
        chooser.Add(TIconProvider::IconMarkup(TIconKind::AnywhereContext) + u' ' +
                    Core().Translate(u"All contexts"_qs));
    }
    for (const std::unique_ptr<TKavContext>& context : contexts_)
        chooser.Add(context->Markup());
    if (chooser.SelectedIndex() < 0)
        chooser.Select(0);
}

void TContexts::SelectInChooser(TChooser& chooser, const TKavContext* context) const
{
    if (!context) {
        chooser.Select(0);
        return;
    }
    const qsizetype entry = chooser.Entries().lastIndexOf(context->Markup());
    if (entry >= 0)
        chooser.Select(int(entry));
    else if (chooser.SelectedIndex() < 0)
        chooser.Select(0);
}
