#include "model/Priority.h"

#include "app/AppCore.h"
#include "model/Tasks.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Priority {

double PriorityWeight(const TTask& item)
{
    double weight = item.Importance() / 100.0;
    if (const TTask* parent = Core().Tasks()->FindById(item.ParentId()))
        weight *= parent->Importance();
    return weight;
}

qint32 PriorityScore(const TTask& item)
{
    // The default rounding mode sends halves to the even neighbour.
    const double score = 1000000.0 - std::nearbyint(PriorityWeight(item) * 1000.0);
    constexpr double lowest = std::numeric_limits<qint32>::min();
    constexpr double highest = std::numeric_limits<qint32>::max();
    return qint32(std::clamp(score, lowest, highest));
}

QString SortKey(const TTask& item)
{
    QString key = QString::number(PriorityScore(item));
    while (key.size() < 6)
        key.prepend(u"99");
    return key;
}

} // namespace Priority
