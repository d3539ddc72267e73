#pragma once

#include <QStringView>
#include <QUuid>

// The id in its registry form; throws TError when the text is not one.
QUuid IdFromText(QStringView text);
