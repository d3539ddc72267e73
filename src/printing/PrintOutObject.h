#pragma once

#include "views/Icons.h"

#include <QString>
#include <QtGlobal>

// One element of a printed row: a text or an icon, placed at a percentage of the printable
// width.
struct TPrintOutObject {
    enum class Kind : quint8 { Text = 0, Icon = 1 };

    Kind kind = Kind::Text;
    int position =
        0;        // left edge, in percent of the printable width; more than 100 is off the paper
    QString text; // of a text element
    TIconKind icon = TIconKind::Task; // of an icon element
};
