#pragma once

#include "PrintLayout.h"

#include <QPageSize>
#include <QString>

#include <functional>

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
                                 const PrinterFontReader &settings);

// Print: lays the list out on the default printer, in its own page size and orientation,
// and hands the job to the printing system. Without a default printer it offers to save
// the printout as a PDF file instead. Failures are reported in message boxes.
void PrintList(const ShoppingList &list, Platform &platform, const PrinterFontReader &settings,
               const QString &programFolder);

// Choose printer font: asks for a font in the common dialog and stores it through write
// (key, value) as bold, italic, name, forecolor and size. False, and nothing written, when
// the user cancels.
using PrinterFontWriter = std::function<void(const QString &key, const QString &value)>;
bool ChoosePrinterFont(Platform &platform, const PrinterFontWriter &write);
