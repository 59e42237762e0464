#pragma once

#include "PrintLayout.h"

#include <QLocale>
#include <QPageSize>
#include <QString>

#include <optional>

class Platform;
class PrintoutWindow;
class ShoppingList;

// The page size of paper sold where the locale is: Letter in the Americas that use it (the
// United States, Canada, Mexico, ...) and the Philippines, A4 elsewhere.
QPageSize PageSizeOfLocale(const QLocale &locale);
// The page size a printout gets when there is no default printer, or as a PDF file: that of
// the system's locale.
QPageSize LocalePageSize();

// The width of a page of the default printer in twips, or of the locale's page size when
// there is no default printer.
double DefaultPageWidthTwips();

// Preview: lays the list out on a new preview window at the top-left corner of the screen,
// as wide as a page and a third of the screen high, shown beside the main window. The window
// has no owner; the caller keeps it so that it closes with the program. A failure is
// reported in a message box; the window stays.
PrintoutWindow *ShowPrintPreview(const ShoppingList &list, Platform &platform,
                                 const PrinterFontSettings &settings);

// Where a printout went: the printer's name, or the path of the PDF file written.
struct PrintoutSent
{
    enum Kind { Printer, PdfFile };
    Kind kind = Printer;
    QString name;
};

// Print: lays the list out on the default printer, in its own page size and orientation,
// and hands the job to the printing system. Without a default printer it offers to save
// the printout as a PDF file instead. Failures are reported in message boxes; nothing when
// the printout went nowhere.
std::optional<PrintoutSent> PrintList(const ShoppingList &list, Platform &platform,
                                      const PrinterFontSettings &settings,
                                      const QString &startFolder);

// Save as PDF: asks for a file name in the save dialog and writes the printout to that PDF
// file in the locale's page size, whether or not there is a printer. The file's path, or
// nothing when the user cancelled or the file could not be written (the user is told).
std::optional<QString> SavePrintoutAsPdf(const ShoppingList &list, Platform &platform,
                                         const PrinterFontSettings &settings,
                                         const QString &startFolder);

// Choose printer font: asks for a font in the common dialog, which starts from the current
// settings (what the printout uses where they are empty), and gives the choice as the settings
// store it. Nothing when the user cancels.
std::optional<PrinterFontSettings> ChoosePrinterFont(Platform &platform,
                                                     const PrinterFontSettings &current);
