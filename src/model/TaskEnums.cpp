#include "model/TaskEnums.h"

namespace {

constexpr std::array<QStringView, 5> taskTypeNames = {u"Area", u"Goal", u"Project", u"Task",
                                                      u"Idea"};
constexpr std::array<QStringView, 5> taskStatusNames = {u"Unclear", u"Active", u"Delegated",
                                                        u"Suspended", u"Finished"};
constexpr std::array<QStringView, 3> accomplishTypeNames = {u"Once", u"Routinely", u"By due date"};
constexpr std::array<QStringView, 4> periodTypeNames = {u"days", u"weeks", u"months", u"years"};

template <typename Enum, std::size_t Count>
QString NameOf(const std::array<QStringView, Count>& names, Enum value)
{
    return names.at(static_cast<std::size_t>(value)).toString();
}

template <typename Enum, std::size_t Count>
std::optional<Enum> ValueOf(const std::array<QStringView, Count>& names, QStringView name)
{
    for (std::size_t code = 0; code < Count; ++code) {
        if (names[code] == name)
            return static_cast<Enum>(code);
    }
    return std::nullopt;
}

} // namespace

QString TaskTypeName(TTaskType type)
{
    return NameOf(taskTypeNames, type);
}

QString TaskStatusName(TTaskStatus status)
{
    return NameOf(taskStatusNames, status);
}

QString AccomplishTypeName(TAccomplishType type)
{
    return NameOf(accomplishTypeNames, type);
}

QString PeriodTypeName(TPeriodType period)
{
    return NameOf(periodTypeNames, period);
}

std::optional<TTaskType> TaskTypeFromName(QStringView name)
{
    return ValueOf<TTaskType>(taskTypeNames, name);
}

std::optional<TTaskStatus> TaskStatusFromName(QStringView name)
{
    return ValueOf<TTaskStatus>(taskStatusNames, name);
}

std::optional<TAccomplishType> AccomplishTypeFromName(QStringView name)
{
    return ValueOf<TAccomplishType>(accomplishTypeNames, name);
}

std::optional<TPeriodType> PeriodTypeFromName(QStringView name)
{
    return ValueOf<TPeriodType>(periodTypeNames, name);
}
