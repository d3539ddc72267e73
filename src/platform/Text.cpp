#include "platform/Text.h"

QString AsciiLower(QStringView text)
{
    QString result = text.toString();
    for (QChar& c : result) {
        const char16_t u = c.unicode();
        if (u >= u'A' && u <= u'Z')
            c = QChar(char16_t(u + (u'a' - u'A')));
    }
    return result;
}
