#pragma once

#include <QPalette>
#include <QStringList>

class QWidget;

// The eight colour schemes of the StyleNo setting, all on the Fusion style: a palette each and
// a small style sheet that gives the tool bars, menu bar and status bar their gradient.
// 0 "Office2007 Luna" (light blue), 1 "Office2007 Obsidian" (dark), 2 "Office2007 Silver",
// 3 "Office2003 Blue", 4 "Office2003 Olive", 5 "Office2003 Classic" (grey),
// 6 "Whidbey" (warm), 7 "WindowsXP" (beige and blue). A number outside 0 to 7 means 0.
inline constexpr int ColourSchemeCount = 8;

// The names by StyleNo, as the settings dialog lists them.
QStringList ColourSchemeNames();
QPalette ColourSchemePalette(int styleNo);
QString ColourSchemeStyleSheet(int styleNo);

// What every window calls when it is set up and again when StyleNo changes. The palette and
// the Fusion style belong to the application, so that the window's pop-ups, menus, tool tips,
// message boxes and file dialogs follow them; the style sheet goes to the window. The widgets
// take the new palette from posted events, before they next paint.
void ApplyColourScheme(QWidget* window, int styleNo);
