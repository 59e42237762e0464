#pragma once

#include "PrintLayout.h"

#include <QPageSize>
#include <QString>

#include <optional>

class Platform;
class PrintoutWindow;
class ShoppingList;

// The page size a printout gets when there is no default printer: Letter where the locale
// measures in US units, A4 elsewhere.
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

// Print: lays the list out on the default printer, in its own page size and orientation,
// and hands the job to the printing system. Without a default printer it offers to save
// the printout as a PDF file instead. Failures are reported in message boxes.
void PrintList(const ShoppingList &list, Platform &platform, const PrinterFontSettings &settings,
               const QString &startFolder);

// Choose printer font: asks for a font in the common dialog, which starts from the current
// settings (what the printout uses where they are empty), and gives the choice as the settings
// store it. Nothing when the user cancels.
std::optional<PrinterFontSettings> ChoosePrinterFont(Platform &platform,
                                                     const PrinterFontSettings &current);
