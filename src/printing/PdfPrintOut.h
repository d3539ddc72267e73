#pragma once

#include "printing/PrintOutKind.h"

#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <functional>

class IIconImages;
class TPrintOut;

// The paper of the locale's territory: Letter in North America and the Latin American and
// Philippine territories that use it, A4 everywhere else.
QPageSize DefaultPaperSize(const QLocale& locale = QLocale::system());

// The locale's paper, upright, with the blank margins of an ordinary printer: the page of a PDF
// printout, and of a preview when no printer is installed.
QPageLayout DefaultPageLayout(const QLocale& locale = QLocale::system());

// Prints one list into a PDF file on the locale's paper at the design resolution. The file at
// path is replaced only by a complete printout. prepare, when given, receives the print-out
// before it prints: to give it a progress bar, and to keep it for an Abort.
// Returns false when the printout was aborted, leaving whatever was at path untouched.
// Throws TError when the file cannot be written.
bool PrintToPdfFile(TPrintOutKind kind, const QString& path, const IIconImages& icons,
                    const std::function<void(TPrintOut&)>& prepare = {},
                    const QLocale& locale = QLocale::system());
