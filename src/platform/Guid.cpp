#include "platform/Guid.h"

namespace Guid {

QUuid Create()
{
    return QUuid::createUuid();
}

QString ToRegistryText(const QUuid& id)
{
    // Hex digits and punctuation only: the byte array's ASCII upper-casing does, and costs far
    // less than the string's, which knows all of Unicode. A save writes three ids per item.
    return QString::fromLatin1(id.toByteArray(QUuid::WithBraces).toUpper());
}

std::optional<QUuid> FromRegistryText(QStringView text)
{
    constexpr qsizetype length = 38;
    if (text.size() != length || text.front() != u'{' || text.back() != u'}')
        return std::nullopt;
    for (qsizetype i = 1; i < length - 1; ++i) {
        const bool hyphenSlot = i == 9 || i == 14 || i == 19 || i == 24;
        const char16_t c = text[i].unicode();
        const bool hex =
            (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
        if (hyphenSlot ? c != u'-' : !hex)
            return std::nullopt;
    }
    return QUuid::fromString(text);
}

} // namespace Guid
