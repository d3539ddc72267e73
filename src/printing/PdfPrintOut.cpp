#include "printing/PdfPrintOut.h"

#include "app/AppCore.h"
#include "platform/Error.h"
#include "printing/PrintOut.h"

#include <QDir>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>
#include <array>

namespace {

// The margins a printer keeps blank, in millimetres; the printout's own margins come inside.
constexpr double PrinterMargin = 10;

[[noreturn]] void ThrowUnableToWrite(const QString& path, const QString& reason)
{
    throw TError(u"Unable to write to "_qs + QDir::toNativeSeparators(path) + u" ("_qs + reason +
                 u')');
}

} // namespace

QPageSize DefaultPaperSize(const QLocale& locale)
{
    static constexpr std::array letterTerritories = {
        QLocale::UnitedStates, QLocale::Canada,     QLocale::Mexico,     QLocale::Bolivia,
        QLocale::Chile,        QLocale::Colombia,   QLocale::CostaRica,  QLocale::Guatemala,
        QLocale::Nicaragua,    QLocale::Panama,     QLocale::PuertoRico, QLocale::ElSalvador,
        QLocale::Venezuela,    QLocale::Philippines};
    const bool letter = std::find(letterTerritories.begin(), letterTerritories.end(),
                                  locale.territory()) != letterTerritories.end();
    return QPageSize(letter ? QPageSize::Letter : QPageSize::A4);
}

QPageLayout DefaultPageLayout(const QLocale& locale)
{
    return QPageLayout(DefaultPaperSize(locale), QPageLayout::Portrait,
                       QMarginsF(PrinterMargin, PrinterMargin, PrinterMargin, PrinterMargin),
                       QPageLayout::Millimeter);
}

bool PrintToPdfFile(TPrintOutKind kind, const QString& path, const IIconImages& icons,
                    const std::function<void(TPrintOut&)>& prepare, const QLocale& locale)
{
    // The pages go into a temporary file beside the target, which replaces it once complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        ThrowUnableToWrite(path, file.errorString());
    const QString title = PrintOutName(kind);
    QPdfWriter writer(&file);
    writer.setResolution(TPrintOut::DesignResolution);
    writer.setPageLayout(DefaultPageLayout(locale));
    writer.setTitle(title);
    writer.setCreator(TCore::GetAppName() + u' ' + TCore::GetVersion());

    TPrintOut printOut(writer, icons);
    if (prepare)
        prepare(printOut);
    printOut.SetTitle(title);
    printOut.BuildRows();
    printOut.SetScale(1);
    printOut.PrintDocument();
    if (printOut.IsAborted())
        return false;
    if (!file.commit())
        ThrowUnableToWrite(path, file.errorString());
    return true;
}
