#pragma once

#include "model/TaskEnums.h"
#include "platform/DateTime.h"
#include "views/Icons.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <QUuid>
#include <memory>

class TListRow;
class TOutlineNode;
class TTasks;

// One item of the outline, of any type. The record is passive: its setters store and trigger
// nothing, except SetName (rewrites the outline node) and SetStatus (couples the done flag).
// Items live in the item tree TTasks, which alone creates, moves and releases them.
class TTask {
public:
    // A new item with the id, every default, and the subitem defaults when there is a parent.
    // It is not yet in the item tree; TTasks::Add does both.
    static std::unique_ptr<TTask> Create(TTask* parent, const QUuid& id);

    TTask(const TTask&) = delete;
    TTask& operator=(const TTask&) = delete;

    const QUuid& Id() const { return id_; }
    void SetId(const QUuid& id);
    // The all-zero id while no parent was ever assigned.
    const QUuid& ParentId() const { return parentId_; }
    void SetParentId(const QUuid& id) { parentId_ = id; }
    TTask* Parent() const { return parent_; }
    const QUuid& ContextId() const { return contextId_; }
    void SetContextId(const QUuid& id) { contextId_ = id; }
    const QString& Name() const { return name_; }
    void SetName(const QString& name);
    const QString& Note() const { return note_; }
    void SetNote(const QString& note) { note_ = note; }
    int Importance() const { return importance_; }
    void SetImportance(int importance) { importance_ = importance; }
    int Effort() const { return effort_; }
    void SetEffort(int effort) { effort_ = effort; }
    int RepeatValue() const { return repeatValue_; }
    void SetRepeatValue(int value) { repeatValue_ = value; }
    int LeadValue() const { return leadValue_; }
    void SetLeadValue(int value) { leadValue_ = value; }
    TAccomplishType AccomplishType() const { return accomplishType_; }
    void SetAccomplishType(TAccomplishType type) { accomplishType_ = type; }
    TTaskType TaskType() const { return taskType_; }
    void SetTaskType(TTaskType type);
    TPeriodType RepeatType() const { return repeatType_; }
    void SetRepeatType(TPeriodType type) { repeatType_ = type; }
    TPeriodType LeadType() const { return leadType_; }
    void SetLeadType(TPeriodType type) { leadType_ = type; }
    TTaskStatus Status() const { return status_; }
    // Also sets the done flag exactly when the status is Finished.
    void SetStatus(TTaskStatus status);
    TDateTime NextDate() const { return nextDate_; }
    void SetNextDate(TDateTime date) { nextDate_ = date; }
    TDateTime Created() const { return created_; }
    void SetCreated(TDateTime stamp) { created_ = stamp; }
    TDateTime LastModified() const { return lastModified_; }
    void SetLastModified(TDateTime stamp) { lastModified_ = stamp; }
    // The done flag.
    bool Checked() const { return checked_; }
    void SetChecked(bool done);
    bool DependOnPrevious() const { return dependOnPrevious_; }
    void SetDependOnPrevious(bool depends) { dependOnPrevious_ = depends; }
    // The expanded state of the outline node as read from the data file.
    bool Expanded() const { return expanded_; }
    void SetExpanded(bool expanded) { expanded_ = expanded; }

    // The item's rows, owned by their views, which set and clear these links.
    TOutlineNode* OutlineNode() const { return outlineNode_; }
    void SetOutlineNode(TOutlineNode* node) { outlineNode_ = node; }
    TListRow* ToDoRow() const { return toDoRow_; }
    void SetToDoRow(TListRow* row) { toDoRow_ = row; }
    TListRow* ProjectsRow() const { return projectsRow_; }
    void SetProjectsRow(TListRow* row) { projectsRow_ = row; }
    TListRow* GoalsRow() const { return goalsRow_; }
    void SetGoalsRow(TListRow* row) { goalsRow_ = row; }
    TListRow* DoneRow() const { return doneRow_; }
    void SetDoneRow(TListRow* row) { doneRow_ = row; }

    // Text forms. Enumeration names are the untranslated keys.
    QString IdText() const;
    QString ContextIdText() const;
    QString TypeName() const;
    QString StatusName() const;
    QString AccomplishName() const;
    QString RepeatTypeName() const;
    QString LeadTypeName() const;
    QString NextDateText() const;
    QString CreatedText() const;
    QString LastModifiedText() const;
    QString ParentName() const;
    QString ParentTypeName() const;
    // The ancestors' names from the top down, then the item's own, joined by " >>> ".
    QString Path() const;
    int Depth() const;
    TIconKind TypeIconKind() const;
    // The type's icon markup; empty while outline icons are switched off.
    QString TypeIcon() const;
    // The next date in markup, red when overdue and green when due today; empty for Once.
    QString DeadlineText() const;

    // Text parsers for the data-file reader. Only SetIdText fails (TError); the others fall
    // back: an unknown type, status or context id leaves the field, an unknown accomplish mode
    // gives Once, an unknown unit days, a count that is not a number 1, a date that is not one
    // today and a stamp that is not one now. They return false when they fell back.
    void SetIdText(QStringView text);
    bool SetContextIdText(QStringView text);
    bool SetTypeText(QStringView text);
    bool SetAccomplishText(QStringView text);
    bool SetStatusText(QStringView text); // leaves the done flag alone
    bool SetRepeatTypeText(QStringView text);
    bool SetLeadTypeText(QStringView text);
    bool SetRepeatValueText(QStringView text);
    bool SetLeadValueText(QStringView text);
    bool SetNextDateText(QStringView text);
    bool SetCreatedText(QStringView text);
    bool SetLastModifiedText(QStringView text);

    // Forwarded to the views once they exist; nothing before.
    void UpdateRows();
    void DeleteRows();
    void UpdateOutlineCheck();

private:
    friend class TTasks;

    TTask() = default;
    // Only the tree moves items, so that an item's parent and its parent's children agree.
    void SetParent(TTask* parent);
    void ApplySubitemDefaults(const TTask& parent);
    // The tree counts done items and items by type; these two fields change only here.
    void StoreChecked(bool done);
    void StoreType(TTaskType type);

    QUuid id_;
    QUuid parentId_;
    TTask* parent_ = nullptr;
    QUuid contextId_;
    QString name_;
    QString note_;
    int importance_ = 100;
    int effort_ = 50;
    int repeatValue_ = 0;
    int leadValue_ = 0;
    TAccomplishType accomplishType_ = TAccomplishType::Once;
    TTaskType taskType_ = TTaskType::Area;
    TPeriodType repeatType_ = TPeriodType::Days;
    TPeriodType leadType_ = TPeriodType::Days;
    TTaskStatus status_ = TTaskStatus::Active;
    TDateTime nextDate_ = DateTime::Zero;
    TDateTime created_ = DateTime::Zero;
    TDateTime lastModified_ = DateTime::Zero;
    bool checked_ = false;
    bool dependOnPrevious_ = false;
    bool expanded_ = false;

    TOutlineNode* outlineNode_ = nullptr;
    TListRow* toDoRow_ = nullptr;
    TListRow* projectsRow_ = nullptr;
    TListRow* goalsRow_ = nullptr;
    TListRow* doneRow_ = nullptr;

    // The tree's bookkeeping, kept by TTasks.
    TTasks* owner_ = nullptr;
    QList<TTask*> children_;
    qsizetype siblingIndex_ = 0;
    quint64 listOrder_ = 0;
    bool released_ = false;
};
