#include "widgets/PlainToolTip.h"

QString PlainToolTip(const QString& text)
{
    if (text.isEmpty())
        return text;
    return u"<p style=\"white-space:pre\">" + text.toHtmlEscaped() + u"</p>";
}
