#include "platform/Error.h"

QString ErrorMessage(const std::exception& error)
{
    if (const auto* own = dynamic_cast<const TError*>(&error))
        return own->Message();
    return QString::fromUtf8(error.what());
}
