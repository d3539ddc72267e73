#include "printing/PrintOutRows.h"

void TPrintOutRow::AddText(int position, const QString& text)
{
    objects_.append({TPrintOutObject::Kind::Text, position, text, TIconKind::Task});
}

void TPrintOutRow::AddIcon(int position, TIconKind icon)
{
    objects_.append({TPrintOutObject::Kind::Icon, position, QString(), icon});
}
