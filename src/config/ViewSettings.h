#pragma once

#include <QLocale>
#include <QSizeF>
#include <QString>

#include <optional>

class Log;
class SettingsWrites;

// How the saved view settings turn from the settings file's texts into values and back.
// Lengths are twips, font sizes points, colours 32-bit values with red in the lowest byte.

// The designed widths of the list's three columns.
inline constexpr double DefaultColumnWidths[3] = {900, 2200, 1340};

// A column width read from its text: the leading number, rounded to a 16-bit whole number.
// 0, a negative width and one beyond the 16-bit range all give the designed width.
double ColumnWidthFromText(const QString &text, double designedWidth);

// A font size as the list takes it: the text read as a number in the locale's notation (or,
// failing that, with a full stop), at least 0.0001 points when rounded to four decimals and at
// most 2160 points; nothing otherwise.
std::optional<double> FontSizeFromText(const QString &text, const QLocale &locale);

// A font size as written: in the locale's notation, at most four decimals, no trailing zeros.
QString FontSizeText(double points, const QLocale &locale);

// A colour read from its text: a signed 32-bit whole number (a decimal fraction is rounded);
// nothing when the text is not a number or lies beyond that range.
std::optional<qint32> ColorValueFromText(const QString &text);

// "-1" on, "0" off. A stored text that is neither empty nor "0" switches a flag on; the empty
// text (a missing key) leaves it as it is.
QString FlagText(bool on);
bool FlagSwitchesOn(const QString &text);

// A length as read from the settings and shown in whole pixels. Written back, it gives the
// stored twips again as long as the pixels are unchanged, so that a start and a close without
// changes leave the file as it was, whatever twips a pixel holds.
struct KeptLength
{
    double twips = 0;
    int pixels = 0;

    qint64 twipsFor(int currentPixels, double twipsPerPixel) const;
};

// The outer place and size of a window in twips, as its section of the settings file holds them.
struct PlacementTwips
{
    double height = 0;
    double width = 0;
    double left = 0;
    double top = 0;
};

// Reads Height, Width, Left and Top from the section, in this order. A height or width of 0
// (or missing) is three quarters of the screen's, computed in single precision; Top is rounded
// to a 16-bit whole number and stays 0 beyond that range.
PlacementTwips ReadPlacement(const QString &file, const QString &section, const QSizeF &screenTwips,
                             const Log &log);

// Writes Height, Width, Left and Top to the section, in this order, as lengths.
void WritePlacement(SettingsWrites &writes, const QString &section, qint64 height, qint64 width,
                    qint64 left, qint64 top);
