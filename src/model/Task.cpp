#include "model/Task.h"

#include "app/AppCore.h"
#include "app/Config.h"
#include "model/Contexts.h"
#include "model/IdText.h"
#include "model/ItemViews.h"
#include "model/Tasks.h"
#include "platform/Guid.h"
#include "platform/Text.h"

#include <QStringList>
#include <optional>

namespace {

QString Coloured(const QString& text, QStringView colour)
{
    return u"<font color=\"" + colour + u"\">" + text + u"</font>";
}

TTaskType SubitemType(TTaskType parentType)
{
    switch (parentType) {
    case TTaskType::Area:
    case TTaskType::Goal:
        return TTaskType::Project;
    case TTaskType::Project:
    case TTaskType::Task:
        return TTaskType::Task;
    case TTaskType::Idea:
        return TTaskType::Idea;
    }
    return TTaskType::Area;
}

std::optional<int> IntegerOf(QStringView text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? std::optional(value) : std::nullopt;
}

// Stores the value that was read, else the fallback; false for the fallback. The fallback is
// made only when needed: reading a file would otherwise ask the clock for every item.
template <typename T, typename Fallback>
bool StoreOr(T& field, const std::optional<T>& value, Fallback&& fallback)
{
    field = value ? *value : fallback();
    return value.has_value();
}

} // namespace

std::unique_ptr<TTask> TTask::Create(TTask* parent, const QUuid& id)
{
    std::unique_ptr<TTask> item(new TTask);
    item->id_ = id;
    item->StoreType(TTaskType::Area);
    item->contextId_ = TContexts::AnywhereGuid();
    item->importance_ = 100;
    item->effort_ = 50;
    item->SetStatus(TTaskStatus::Active);
    item->SetParent(parent);
    item->nextDate_ = Core().Clock().Today();
    if (parent)
        item->ApplySubitemDefaults(*parent);
    item->name_ =
        Core().Translate(u"New"_qs) + u' ' + AsciiLower(Core().Translate(item->TypeName()));
    item->created_ = Core().Clock().Now();
    item->lastModified_ = Core().Clock().Now();
    return item;
}

void TTask::ApplySubitemDefaults(const TTask& parent)
{
    effort_ = parent.effort_;
    StoreType(Core().Config()->AutoTypeForSubItems() ? SubitemType(parent.taskType_)
                                                     : TTaskType::Task);
    contextId_ = parent.contextId_;
    if (parent.accomplishType_ != TAccomplishType::Once)
        nextDate_ = parent.nextDate_;
}

void TTask::SetId(const QUuid& id)
{
    const QUuid previous = id_;
    id_ = id;
    if (owner_)
        owner_->IdChanged(*this, previous);
}

void TTask::SetName(const QString& name)
{
    name_ = name;
    if (outlineNode_) {
        if (IItemViews* views = Core().ItemViews())
            views->UpdateOutlineRow(*this);
    }
}

void TTask::SetTaskType(TTaskType type)
{
    StoreType(type);
}

void TTask::SetStatus(TTaskStatus status)
{
    status_ = status;
    StoreChecked(status == TTaskStatus::Finished);
}

void TTask::SetChecked(bool done)
{
    StoreChecked(done);
}

void TTask::StoreChecked(bool done)
{
    if (owner_ && done != checked_)
        owner_->counts_.DoneChanged(done);
    checked_ = done;
}

void TTask::StoreType(TTaskType type)
{
    if (owner_ && type != taskType_)
        owner_->counts_.TypeChanged(taskType_, type);
    taskType_ = type;
}

void TTask::SetParent(TTask* parent)
{
    parent_ = parent;
    if (parent)
        parentId_ = parent->id_;
}

QString TTask::IdText() const
{
    return Guid::ToRegistryText(id_);
}

QString TTask::ContextIdText() const
{
    return Guid::ToRegistryText(contextId_);
}

QString TTask::TypeName() const
{
    return TaskTypeName(taskType_);
}

QString TTask::StatusName() const
{
    return TaskStatusName(status_);
}

QString TTask::AccomplishName() const
{
    return AccomplishTypeName(accomplishType_);
}

QString TTask::RepeatTypeName() const
{
    return PeriodTypeName(repeatType_);
}

QString TTask::LeadTypeName() const
{
    return PeriodTypeName(leadType_);
}

QString TTask::NextDateText() const
{
    return Core().Regional().FormatDate(nextDate_);
}

QString TTask::CreatedText() const
{
    return Core().Regional().FormatDateTime(created_);
}

QString TTask::LastModifiedText() const
{
    return Core().Regional().FormatDateTime(lastModified_);
}

QString TTask::ParentName() const
{
    return parent_ ? parent_->name_ : QString();
}

QString TTask::ParentTypeName() const
{
    return parent_ ? parent_->TypeName() : QString();
}

QString TTask::Path() const
{
    // Climbs instead of recursing: an outline may be as deep as it is long.
    QStringList names;
    for (const TTask* item = this; item; item = item->parent_)
        names.prepend(item->name_);
    return names.join(u" >>> ");
}

int TTask::Depth() const
{
    int depth = 0;
    for (const TTask* ancestor = parent_; ancestor; ancestor = ancestor->parent_)
        ++depth;
    return depth;
}

TIconKind TTask::TypeIconKind() const
{
    switch (taskType_) {
    case TTaskType::Task:
        return TIconKind::Task;
    case TTaskType::Project:
        return TIconKind::Project;
    case TTaskType::Goal:
        return TIconKind::Goal;
    case TTaskType::Area:
        return TIconKind::Area;
    case TTaskType::Idea:
        return TIconKind::Idea;
    }
    return TIconKind::Area;
}

QString TTask::TypeIcon() const
{
    return Core().Config()->ShowOutlineIcons() ? TIconProvider::IconMarkup(TypeIconKind())
                                               : QString();
}

QString TTask::DeadlineText() const
{
    if (accomplishType_ == TAccomplishType::Once)
        return {};
    QString text = NextDateText();
    const TDateTime today = Core().Clock().Today();
    const TDateTime day = DateTime::DayOf(nextDate_);
    if (today > day)
        text = Coloured(text, u"clRed");
    else if (today == day)
        text = Coloured(text, u"clGreen");
    if (accomplishType_ == TAccomplishType::Routinely)
        text += u' ' + TIconProvider::IconMarkup(TIconKind::Repeats);
    return text;
}

void TTask::SetIdText(QStringView text)
{
    SetId(IdFromText(text));
}

bool TTask::SetContextIdText(QStringView text)
{
    return StoreOr(contextId_, Guid::FromRegistryText(text), [this] { return contextId_; });
}

bool TTask::SetTypeText(QStringView text)
{
    const std::optional<TTaskType> type = TaskTypeFromName(text);
    StoreType(type.value_or(taskType_));
    return type.has_value();
}

bool TTask::SetAccomplishText(QStringView text)
{
    return StoreOr(accomplishType_, AccomplishTypeFromName(text),
                   [] { return TAccomplishType::Once; });
}

bool TTask::SetStatusText(QStringView text)
{
    return StoreOr(status_, TaskStatusFromName(text), [this] { return status_; });
}

bool TTask::SetRepeatTypeText(QStringView text)
{
    return StoreOr(repeatType_, PeriodTypeFromName(text), [] { return TPeriodType::Days; });
}

bool TTask::SetLeadTypeText(QStringView text)
{
    return StoreOr(leadType_, PeriodTypeFromName(text), [] { return TPeriodType::Days; });
}

bool TTask::SetRepeatValueText(QStringView text)
{
    return StoreOr(repeatValue_, IntegerOf(text), [] { return 1; });
}

bool TTask::SetLeadValueText(QStringView text)
{
    return StoreOr(leadValue_, IntegerOf(text), [] { return 1; });
}

bool TTask::SetNextDateText(QStringView text)
{
    return StoreOr(nextDate_, Core().Regional().ParseDate(text, Core().Clock().CurrentYear()),
                   [] { return Core().Clock().Today(); });
}

bool TTask::SetCreatedText(QStringView text)
{
    return StoreOr(created_, Core().Regional().ParseDateTime(text, Core().Clock().CurrentYear()),
                   [] { return Core().Clock().Now(); });
}

bool TTask::SetLastModifiedText(QStringView text)
{
    return StoreOr(lastModified_,
                   Core().Regional().ParseDateTime(text, Core().Clock().CurrentYear()),
                   [] { return Core().Clock().Now(); });
}

void TTask::UpdateRows()
{
    if (IItemViews* views = Core().ItemViews())
        views->UpdateRows(*this);
}

void TTask::DeleteRows()
{
    if (IItemViews* views = Core().ItemViews())
        views->DeleteRows(*this);
}

void TTask::UpdateOutlineCheck()
{
    if (IItemViews* views = Core().ItemViews())
        views->UpdateOutlineCheck(*this);
}
