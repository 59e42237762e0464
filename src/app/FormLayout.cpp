#include "FormLayout.h"

#include "common/Twips.h"

void ApplyResizeRule(FormLayout &layout, float innerHeight, float innerWidth)
{
    if (innerHeight > 3000.0f) {
        layout.tvShopping.height =
            innerHeight - layout.tvShopping.top - 50.0f - layout.statusBarHeight;
        layout.lvList.height = innerHeight - layout.lvList.top - 50.0f - layout.statusBarHeight;
    }
    if (layout.lvList.left + 900.0f < innerWidth) {
        layout.lvList.width = innerWidth - layout.lvList.left - 150.0f;
        layout.lblListView.width = innerWidth - layout.lblListView.left - 150.0f;
    }
}

QRect ToPixels(const TwipsRect &rect)
{
    return {TwipsToPixelsX(rect.left), TwipsToPixelsY(rect.top), TwipsToPixelsX(rect.width),
            TwipsToPixelsY(rect.height)};
}

QFont DesignFont(const QString &family, double points)
{
    QFont font(family);
    font.setPointSizeF(points);
    return font;
}
