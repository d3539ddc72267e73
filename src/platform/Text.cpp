#include "platform/Text.h"

QString AsciiLower(const QString& text)
{
    // The copy stays shared with the text until a letter actually changes.
    QString result = text;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c >= u'A' && c <= u'Z')
            result[i] = QChar(char16_t(c + (u'a' - u'A')));
    }
    return result;
}
