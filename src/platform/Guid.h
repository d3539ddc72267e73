#pragma once

#include <QString>
#include <QStringView>
#include <QUuid>
#include <optional>

// Item and context ids. In text always the 38-character registry form:
// {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}, written in upper case, read in either case.
namespace Guid {

QUuid Create();
QString ToRegistryText(const QUuid& id);
// Accepts exactly the registry form; anything else (no braces, blanks, wrong groups) gives none.
std::optional<QUuid> FromRegistryText(QStringView text);

} // namespace Guid
