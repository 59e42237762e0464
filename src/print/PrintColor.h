#pragma once

#include <QColor>

// The colour of a stored colour value: 0x00BBGGRR, or with the top bit set the system colour
// of that number (8 window text, 5 window, ...), taken from the application's palette.
QColor PrintColor(quint32 value);
