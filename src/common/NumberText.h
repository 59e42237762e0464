#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// Numbers as the program reads and writes them in texts: quantities, column widths, window
// places and settings all go through these.

// The number formed by the longest leading part of the text that reads as a decimal number:
// optional sign, digits, a full stop as decimal point, an optional exponent (E or D). Blanks,
// tabs and line feeds before and inside that part are skipped. A text without such a part is 0.
// "2 kg" is 2, "1,5" is 1, "two" is 0, " 1 2" is 12. Beyond the range of a double it gives the
// largest double of that sign.
double LeadingNumberValue(QStringView text);

// Rounds to the nearest whole number, halves to the even neighbour (2.5 gives 2, 3.5 gives 4).
double RoundHalfEven(double value);

// RoundHalfEven, then checked against the range of a signed 16- or 32-bit integer;
// nothing when the result (or the value itself, NaN) does not fit.
std::optional<qint16> ToInt16(double value);
std::optional<qint32> ToInt32(double value);

// The shortest decimal text of a value with up to 15 significant digits, full stop as
// decimal point: 2 is "2", 2.5 is "2.5", 1e15 is "1E+15", 0.00001 is "1E-05".
QString ShortestDecimal(double value);

// A length for the settings file: decimal digits, one leading blank when not negative.
QString LengthText(qint64 value);
