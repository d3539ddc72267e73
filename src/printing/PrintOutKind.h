#pragma once

#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>

// The lists the program prints. The values are the ones the printout kind has always had.
enum class TPrintOutKind : quint8 { Outline = 0, ToDo = 1, Done = 2, Goals = 3, Projects = 4 };

// The printouts in the order the print dialog offers them.
inline constexpr std::array<TPrintOutKind, 5> PrintOutKinds = {
    TPrintOutKind::Outline, TPrintOutKind::ToDo, TPrintOutKind::Projects, TPrintOutKind::Goals,
    TPrintOutKind::Done};

// The name of a printout in the current language: the print dialog's entry and the title on
// paper ("Outline", "To do", "Projects", "Goals", "Done").
QString PrintOutName(TPrintOutKind kind);

// The printout whose name in the current language is exactly the text; none for other texts.
std::optional<TPrintOutKind> PrintOutKindNamed(const QString& text);
