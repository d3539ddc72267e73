#pragma once

#include <QString>
#include <QtGlobal>

class TTask;

// The order of the to-do, projects and goals lists: by the sort key, as text, ascending.
namespace Priority {

// Importance / 100, times the direct parent's importance when the parent is found by id.
double PriorityWeight(const TTask& item);
// 1000000 - round(weight x 1000), halves to even; smaller means more urgent. A weight too large
// for 32 bits gives the smallest score rather than wrapping round.
qint32 PriorityScore(const TTask& item);
// The score's decimal text, widened by "99" pairs to at least six characters.
QString SortKey(const TTask& item);

} // namespace Priority
