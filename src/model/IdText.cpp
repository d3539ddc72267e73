#include "model/IdText.h"

#include "platform/Error.h"
#include "platform/Guid.h"

QUuid IdFromText(QStringView text)
{
    const std::optional<QUuid> id = Guid::FromRegistryText(text);
    if (!id)
        throw TError(u"'" + text + u"' is not a valid GUID value");
    return *id;
}
