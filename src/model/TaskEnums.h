#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <array>
#include <optional>

// The item's enumerations. Their English names are stored in the data file and are also the
// translation keys; they are never translated where they are stored.
enum class TTaskType : quint8 { Area = 0, Goal = 1, Project = 2, Task = 3, Idea = 4 };
enum class TTaskStatus : quint8 {
    Unclear = 0,
    Active = 1,
    Delegated = 2,
    Suspended = 3,
    Finished = 4
};
enum class TAccomplishType : quint8 { Once = 0, Routinely = 1, ByDueDate = 2 };
enum class TPeriodType : quint8 { Days = 0, Weeks = 1, Months = 2, Years = 3 };

// Every value in code order, for the choosers of the item editor.
inline constexpr std::array AllTaskTypes = {TTaskType::Area, TTaskType::Goal, TTaskType::Project,
                                            TTaskType::Task, TTaskType::Idea};
inline constexpr std::array AllTaskStatuses = {TTaskStatus::Unclear, TTaskStatus::Active,
                                               TTaskStatus::Delegated, TTaskStatus::Suspended,
                                               TTaskStatus::Finished};
inline constexpr std::array AllAccomplishTypes = {TAccomplishType::Once, TAccomplishType::Routinely,
                                                  TAccomplishType::ByDueDate};
inline constexpr std::array AllPeriodTypes = {TPeriodType::Days, TPeriodType::Weeks,
                                              TPeriodType::Months, TPeriodType::Years};

QString TaskTypeName(TTaskType type);
QString TaskStatusName(TTaskStatus status);
QString AccomplishTypeName(TAccomplishType type);
QString PeriodTypeName(TPeriodType period);

// Exact, case-sensitive matches of the names above; none for any other text.
std::optional<TTaskType> TaskTypeFromName(QStringView name);
std::optional<TTaskStatus> TaskStatusFromName(QStringView name);
std::optional<TAccomplishType> AccomplishTypeFromName(QStringView name);
std::optional<TPeriodType> PeriodTypeFromName(QStringView name);
