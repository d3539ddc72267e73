#pragma once

#include "platform/DateTime.h"

#include <QString>

// A data file as someone would keep it after a few weeks: areas, projects, goals, tasks and
// ideas in several contexts, routines, due dates near today, notes, a few done and suspended
// items. In English or in Czech, the same shape either way.
namespace RealisticFile {

enum class TLanguageOfContent : quint8 { English, Czech };

// Writes the file at the path, with "today" as the dates' reference; needs a registry of its
// own and must run while no other exists.
void Write(const QString& path, TLanguageOfContent language, TDateTime today);

} // namespace RealisticFile
