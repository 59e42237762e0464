#include "ListOperations.h"

#include "ShoppingList.h"
#include "common/NumberText.h"

#include <algorithm>
#include <cmath>
#include <limits>

int FindListItem(const QString &item, const ShoppingList &list)
{
    return list.find(item);
}

ListTotals ComputeTotals(const ShoppingList &list)
{
    constexpr double largest = std::numeric_limits<double>::max();
    ListTotals totals;
    totals.rows = list.count();
    for (int position = 1; position <= totals.rows; ++position) {
        totals.total = std::clamp(RoundHalfEven(totals.total + list.quantityValue(position)),
                                  -largest, largest);
    }
    return totals;
}

QString TotalQuantityText(double total)
{
    // Whole numbers are shown with all their digits while a double holds them exactly.
    const QString number =
        std::fabs(total) < 1e15 ? QString::number(qint64(total)) : ShortestDecimal(total);
    return QStringLiteral("  Total Quantity = ") + number + QStringLiteral("  ");
}

QString RowCountText(int rows)
{
    return QStringLiteral("  ") + QString::number(rows) + QStringLiteral(" unique items ");
}
