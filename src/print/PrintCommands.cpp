#include "PrintCommands.h"

#include "PreviewSurface.h"
#include "PrinterSurface.h"
#include "PrintoutWindow.h"
#include "common/NumberText.h"
#include "common/Twips.h"
#include "config/ViewSettings.h"
#include "platform/Platform.h"

#include <QLocale>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <iterator>

namespace {

const QString documentName = QStringLiteral("shopping");

void report(Platform &platform, const QString &text)
{
    MessageBoxRequest request;
    request.text = text;
    request.icon = MessageIcon::Exclamation;
    platform.messageBox(request);
}

// Lays the list out on printer and ends the job; reports what went wrong. True when the job
// was handed on whole.
bool printOn(QPrinter &printer, const ShoppingList &list, Platform &platform,
             const PrinterFontSettings &settings)
{
    printer.setDocName(documentName);
    PrinterSurface surface(printer);
    if (const std::optional<QString> failure = PrintShoppingList(surface, list, settings)) {
        surface.abortJob();
        report(platform, QStringLiteral("The list could not be printed.\n\n") + *failure);
        return false;
    }
    if (const std::optional<QString> failure = surface.endJob()) {
        report(platform, QStringLiteral("The list could not be printed.\n\n") + *failure);
        return false;
    }
    return true;
}

std::optional<PrintoutSent> offerPdf(const ShoppingList &list, Platform &platform,
                                     const PrinterFontSettings &settings,
                                     const QString &startFolder)
{
    MessageBoxRequest request;
    request.text = QStringLiteral("There is no default printer, so the list cannot be printed.\n\n"
                                  "Save the printout as a PDF file instead?");
    request.icon = MessageIcon::Question;
    request.buttons = MessageButtons::YesNo;
    request.defaultAnswer = MessageAnswer::Yes;
    if (platform.messageBox(request) != MessageAnswer::Yes) {
        return std::nullopt;
    }
    if (std::optional<QString> file = SavePrintoutAsPdf(list, platform, settings, startFolder)) {
        return PrintoutSent{PrintoutSent::PdfFile, *file};
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> SavePrintoutAsPdf(const ShoppingList &list, Platform &platform,
                                         const PrinterFontSettings &settings,
                                         const QString &startFolder)
{
    CommonDialog &dialog = platform.commonDialog();
    dialog.dialogTitle = QStringLiteral("Save Printout As");
    dialog.filter = QStringLiteral("*.pdf");
    dialog.defaultExt = QStringLiteral("pdf");
    dialog.initDir = startFolder;
    dialog.fileName = QStringLiteral("shopping.pdf");
    if (!platform.showSave() || dialog.fileName.isEmpty()) {
        return std::nullopt;
    }
    const QString fileName = dialog.fileName;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    printer.setPageSize(LocalePageSize());
    if (!printOn(printer, list, platform, settings)) {
        return std::nullopt;
    }
    return fileName;
}

QPageSize PageSizeOfLocale(const QLocale &locale)
{
    static constexpr QLocale::Territory letter[] = {
        QLocale::UnitedStates, QLocale::Canada,   QLocale::Mexico,      QLocale::Belize,
        QLocale::Chile,        QLocale::Colombia, QLocale::CostaRica,   QLocale::Guatemala,
        QLocale::Nicaragua,    QLocale::Panama,   QLocale::Philippines, QLocale::PuertoRico,
        QLocale::ElSalvador,   QLocale::Venezuela};
    const bool usesLetter =
        std::find(std::begin(letter), std::end(letter), locale.territory()) != std::end(letter);
    return QPageSize(usesLetter ? QPageSize::Letter : QPageSize::A4);
}

QPageSize LocalePageSize()
{
    return PageSizeOfLocale(QLocale::system());
}

double DefaultPageWidthTwips()
{
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    QPageSize size = printer.isNull() ? QPageSize() : printer.defaultPageSize();
    if (!size.isValid()) {
        size = LocalePageSize();
    }
    // A point is 20 twips.
    return size.sizePoints().width() * 20.0;
}

PrintoutWindow *ShowPrintPreview(const ShoppingList &list, Platform &platform,
                                 const PrinterFontSettings &settings)
{
    auto *window = new PrintoutWindow;
    window->placeAtCorner(QSize(TwipsToPixelsX(DefaultPageWidthTwips()),
                                TwipsToPixelsY(platform.screenSizeTwips().height() / 3)));
    window->show();
    const auto drawPage = [&list, settings](PrintoutWindow &preview) {
        PreviewSurface surface(preview);
        return PrintShoppingList(surface, list, settings);
    };
    // Drawn now, and again when the frame is known; a failure is told once.
    const std::optional<QString> failure = drawPage(*window);
    window->redrawWhenFramed([drawPage](PrintoutWindow &preview) { drawPage(preview); });
    if (failure) {
        report(platform, QStringLiteral("The print preview could not be made.\n\n") + *failure);
    }
    return window;
}

std::optional<PrintoutSent> PrintList(const ShoppingList &list, Platform &platform,
                                      const PrinterFontSettings &settings,
                                      const QString &startFolder)
{
    // Without a default printer Qt would quietly fall back to a PDF file of no name.
    if (QPrinterInfo::defaultPrinter().isNull()) {
        return offerPdf(list, platform, settings, startFolder);
    }
    QPrinter printer(QPrinter::HighResolution);
    if (!printOn(printer, list, platform, settings)) {
        return std::nullopt;
    }
    return PrintoutSent{PrintoutSent::Printer, printer.printerName()};
}

std::optional<PrinterFontSettings> ChoosePrinterFont(Platform &platform,
                                                     const PrinterFontSettings &current)
{
    CommonDialog &dialog = platform.commonDialog();
    // Screen and printer fonts, with effects (underline, strikeout, colour).
    dialog.flags = 259;
    dialog.cancelError = true;
    const PrinterFontSettings shown = WithPrinterDefaults(current);
    dialog.fontName = shown.name;
    dialog.fontSize = LeadingNumberValue(shown.size);
    dialog.fontBold = FlagSwitchesOn(shown.bold);
    dialog.fontItalic = FlagSwitchesOn(shown.italic);
    dialog.fontUnderline = false;
    dialog.fontStrikethru = false;
    dialog.color = quint32(ColorValueFromText(shown.forecolor).value_or(0));
    if (!platform.showFont()) {
        return std::nullopt;
    }
    PrinterFontSettings settings;
    settings.bold = FlagText(dialog.fontBold);
    settings.italic = FlagText(dialog.fontItalic);
    settings.name = dialog.fontName;
    settings.forecolor = QString::number(qint32(dialog.color));
    settings.size = ShortestDecimal(dialog.fontSize);
    return settings;
}
