#pragma once

#include <QString>

class Log;

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

// Reads name, size, forecolor, bold and italic, in this order.
PrinterFontSettings ReadPrinterFontSettings(const QString &file, const Log &log);

// Writes bold, italic, name, forecolor and size, in this order.
void WritePrinterFontSettings(const QString &file, const PrinterFontSettings &settings);
