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

int CountOrOne(QStringView text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : 1;
}

int CurrentYear()
{
    return DateTime::ToDate(Core().Clock().Today()).year();
}

// The clock is asked only when the text is no stamp: reading a file would ask it for every item.
TDateTime StampOrNow(QStringView text)
{
    const std::optional<TDateTime> stamp = Core().Regional().ParseDateTime(text, CurrentYear());
    return stamp ? *stamp : Core().Clock().Now();
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

void TTask::SetContextIdText(QStringView text)
{
    if (const std::optional<QUuid> id = Guid::FromRegistryText(text))
        contextId_ = *id;
}

void TTask::SetTypeText(QStringView text)
{
    StoreType(TaskTypeFromName(text).value_or(taskType_));
}

void TTask::SetAccomplishText(QStringView text)
{
    accomplishType_ = AccomplishTypeFromName(text).value_or(TAccomplishType::Once);
}

void TTask::SetStatusText(QStringView text)
{
    status_ = TaskStatusFromName(text).value_or(status_);
}

void TTask::SetRepeatTypeText(QStringView text)
{
    repeatType_ = PeriodTypeFromName(text).value_or(TPeriodType::Days);
}

void TTask::SetLeadTypeText(QStringView text)
{
    leadType_ = PeriodTypeFromName(text).value_or(TPeriodType::Days);
}

void TTask::SetRepeatValueText(QStringView text)
{
    repeatValue_ = CountOrOne(text);
}

void TTask::SetLeadValueText(QStringView text)
{
    leadValue_ = CountOrOne(text);
}

void TTask::SetNextDateText(QStringView text)
{
    const std::optional<TDateTime> date = Core().Regional().ParseDate(text, CurrentYear());
    nextDate_ = date ? *date : Core().Clock().Today();
}

void TTask::SetCreatedText(QStringView text)
{
    created_ = StampOrNow(text);
}

void TTask::SetLastModifiedText(QStringView text)
{
    lastModified_ = StampOrNow(text);
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
