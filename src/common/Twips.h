#pragma once

#include <QtGlobal>

// Lengths on the screen are kept in twips (1/1440 inch) and turned into pixels through the
// screen's logical DPI (15 twips a pixel at 96 DPI).
double TwipsPerPixelX();
double TwipsPerPixelY();
int TwipsToPixelsX(double twips);
int TwipsToPixelsY(double twips);
