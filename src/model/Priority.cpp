#include "model/Priority.h"

#include "app/AppCore.h"
#include "model/Tasks.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Priority {

TScoreTerms ScoreTerms(const TTask& item)
{
    TScoreTerms terms;
    terms.importance = item.Importance();
    terms.parent = Core().Tasks()->FindById(item.ParentId());
    terms.weight = terms.importance / 100.0;
    if (terms.parent)
        terms.weight *= terms.parent->Importance();
    // The default rounding mode sends halves to the even neighbour.
    terms.deduction = std::nearbyint(terms.weight * 1000.0);
    constexpr double lowest = std::numeric_limits<qint32>::min();
    constexpr double highest = std::numeric_limits<qint32>::max();
    terms.score = qint32(std::clamp(TScoreTerms::base - terms.deduction, lowest, highest));
    return terms;
}

double PriorityWeight(const TTask& item)
{
    return ScoreTerms(item).weight;
}

qint32 PriorityScore(const TTask& item)
{
    return ScoreTerms(item).score;
}

QString SortKey(const TTask& item)
{
    return SortKey(PriorityScore(item));
}

QString SortKey(qint32 score)
{
    QString key = QString::number(score);
    while (key.size() < 6)
        key.prepend(u"99");
    return key;
}

} // namespace Priority
