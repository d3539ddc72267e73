#pragma once

#include <QString>

// A tool tip shows as rich text whatever looks like a tag; user text (an item's name, a file's)
// goes in escaped inside rich text of its own, so that it shows exactly as typed.
QString PlainToolTip(const QString& text);
