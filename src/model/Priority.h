#pragma once

#include <QString>
#include <QtGlobal>

class TTask;

// The order of the to-do, projects and goals lists: by the sort key, as text, ascending.
namespace Priority {

// The figures a priority score is made of, so that a score can be explained by the very
// computation that made it.
struct TScoreTerms {
    static constexpr qint32 base = 1000000;

    int importance = 0;
    const TTask* parent = nullptr; // the direct parent found by id; none at the top level
    double weight = 0;             // importance / 100, times the parent's importance
    double deduction = 0;          // round(weight x 1000), halves to even
    qint32 score = base;           // base - deduction, held to 32 bits
};

TScoreTerms ScoreTerms(const TTask& item);
// Importance / 100, times the direct parent's importance when the parent is found by id.
double PriorityWeight(const TTask& item);
// 1000000 - round(weight x 1000), halves to even; smaller means more urgent. A weight too large
// for 32 bits gives the smallest score rather than wrapping round.
qint32 PriorityScore(const TTask& item);
// The score's decimal text, widened by "99" pairs to at least six characters.
QString SortKey(const TTask& item);
// The same for a score already computed.
QString SortKey(qint32 score);

} // namespace Priority
