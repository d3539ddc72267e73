#include "printing/PrintOutKind.h"

#include "app/AppCore.h"

namespace {

QString NameKey(TPrintOutKind kind)
{
    switch (kind) {
    case TPrintOutKind::Outline:
        return u"Outline"_qs;
    case TPrintOutKind::ToDo:
        return u"To do"_qs;
    case TPrintOutKind::Done:
        return u"Done"_qs;
    case TPrintOutKind::Goals:
        return u"Goals"_qs;
    case TPrintOutKind::Projects:
        return u"Projects"_qs;
    }
    return u"Outline"_qs;
}

} // namespace

QString PrintOutName(TPrintOutKind kind)
{
    return Core().Translate(NameKey(kind));
}

std::optional<TPrintOutKind> PrintOutKindNamed(const QString& text)
{
    for (TPrintOutKind kind : PrintOutKinds) {
        if (PrintOutName(kind) == text)
            return kind;
    }
    return std::nullopt;
}
