#include "views/Icons.h"

#include <array>

int TIconProvider::IconIndex(TIconKind kind)
{
    // The context kinds are listed by context type; their pictures stand in another order.
    static constexpr std::array<int, 16> imageOfKind = {0, 1, 2,  3,  4,  5,  6,  7,
                                                        8, 9, 10, 13, 15, 14, 16, 12};
    return imageOfKind.at(static_cast<std::size_t>(kind));
}

QString TIconProvider::IconMarkup(TIconKind kind)
{
    return u"<img src=\"idx:" + QString::number(IconIndex(kind)) + u"\">";
}
