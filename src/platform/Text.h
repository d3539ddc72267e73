#pragma once

#include <QString>
#include <QStringView>

// Lower-cases the letters A to Z only; every other character, accented capitals included, stays.
QString AsciiLower(QStringView text);
