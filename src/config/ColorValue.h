#pragma once

#include <QColor>
#include <QPalette>

#include <optional>

// Colours as the settings file and the common dialog hold them: 32-bit values with red in the
// lowest byte (0x00BBGGRR). A value with the top bit set names the system colour in its low
// byte (0x80000008 is the window text colour), taken from the palette's matching role.

// The colour a value stands for; nothing for a value that names no colour (bits 24 to 30 set,
// or a system colour number that does not exist).
std::optional<QColor> ColorFromValue(qint32 value, const QPalette &palette);

// The colour text is drawn in, whatever the value: a value that names no colour draws in the
// colour of its low three bytes, or, for a system colour that does not exist, in window text.
QColor DrawingColor(qint32 value, const QPalette &palette);

// How well text of one colour reads on the other: the ratio of their relative luminances
// (each plus 0.05), from 1 for the same colour to 21 for black on white. Below 3 text is hard
// to read.
double ContrastRatio(const QColor &first, const QColor &second);
inline constexpr double ReadableContrast = 3.0;

// The value of a plain colour.
qint32 ColorValue(const QColor &color);

// The system colour values the designed list uses.
inline constexpr qint32 SystemWindowTextColor = qint32(0x80000008u);
inline constexpr qint32 WhiteColor = 0x00FFFFFF;
