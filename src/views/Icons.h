#pragma once

#include <QString>
#include <QtGlobal>

// The icons the program asks for; the provider maps each to its fixed image index.
enum class TIconKind : quint8 {
    Task = 0,
    Project = 1,
    Goal = 2,
    Area = 3,
    Idea = 4, // also the hint mark of the status bar
    NotDone = 5,
    Done = 6,
    Notes = 7,
    Repeats = 8,
    Info = 9,
    TaskPage = 10,
    PlaceContext = 11,
    PersonContext = 12,
    ComputerContext = 13,
    PhoneContext = 14,
    AnywhereContext = 15, // also the "All contexts" entry
};

inline constexpr int IconImageCount = 17;

// Hands out the image index and the markup of each icon kind. The pictures themselves belong to
// the windows, which draw image N of their icon list wherever markup says <img src="idx:N">.
class TIconProvider {
public:
    static int IconIndex(TIconKind kind);
    // <img src="idx:N">, with no blank after it.
    static QString IconMarkup(TIconKind kind);
};
