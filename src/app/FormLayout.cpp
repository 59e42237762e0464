#include "FormLayout.h"

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
