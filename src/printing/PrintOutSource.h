#pragma once

#include "printing/PrintOutKind.h"

class TPrintOutRows;

// What each printout prints: the rows its view holds at this moment, each turned into a row of
// elements at fixed percentages of the printable width.
namespace PrintOutSource {

// The rows of the kind's view; for the outline every node, also inside collapsed branches.
int RowCount(TPrintOutKind kind);

// One printed row for each row of the view, in the view's order: the outline in pre-order,
// indented 3 % per level; a list as it is displayed.
void BuildRows(TPrintOutKind kind, TPrintOutRows& rows);

} // namespace PrintOutSource
