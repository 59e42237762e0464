#pragma once

#include <QFont>
#include <QRect>

// Positions and sizes of the main window's controls, in twips, as the design has them; the
// resize rule changes some of them. Single precision, as the rule computes.
struct TwipsRect
{
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

struct FormLayout
{
    TwipsRect lblTreeView{30, 0, 4125, 495};
    TwipsRect lblListView{4260, 0, 4335, 495};
    TwipsRect tvShopping{30, 480, 4125, 4215};
    TwipsRect lvList{4260, 480, 4335, 4215};
    float statusBarHeight = 285;
};

// The rule run whenever the window's inner area (innerHeight x innerWidth twips, the status
// bar included) changes size: the tree and the list reach down to the status bar once the
// area is higher than 3000, and the list and its label reach the right edge once it is wider
// than the list's left edge plus 900. Nothing else moves; the tree never narrows.
void ApplyResizeRule(FormLayout &layout, float innerHeight, float innerWidth);

// A place of the design on the screen, in pixels.
QRect ToPixels(const TwipsRect &rect);
// A font of the design: a family and a size in points.
QFont DesignFont(const QString &family, double points);
