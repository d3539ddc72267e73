#pragma once

#include <QString>

// Lower-cases the letters A to Z only; every other character, accented capitals included, stays.
QString AsciiLower(const QString& text);
