#pragma once

#include <QString>

class Log;
class SettingsWrites;

// The printer font as the settings file keeps it, in section PrinterFont: each value the text
// stored, the empty text when its key is missing. The print layout decides what they mean.
struct PrinterFontSettings
{
    QString name;
    QString size;
    QString forecolor;
    QString bold;
    QString italic;
};

// The settings with what the printout uses where a value is empty: Arial, 12 points, black
// (0), neither bold nor italic (0).
PrinterFontSettings WithPrinterDefaults(PrinterFontSettings settings);

// Reads name, size, forecolor, bold and italic, in this order.
PrinterFontSettings ReadPrinterFontSettings(const QString &file, const Log &log);

// Writes bold, italic, name, forecolor and size, in this order.
void WritePrinterFontSettings(SettingsWrites &writes, const PrinterFontSettings &settings);
