#include "ListOperations.h"

#include "ShoppingList.h"
#include "common/NumberText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

namespace {

// Whole quantities below ten, the usual ones, share one copy of their text each.
QString quantityText(double quantity)
{
    static const std::array<QString, 10> digits = [] {
        std::array<QString, 10> texts;
        for (int i = 0; i < 10; ++i) {
            texts[size_t(i)] = QString::number(i);
        }
        return texts;
    }();
    if (quantity >= 0 && quantity <= 9 && quantity == std::trunc(quantity)) {
        return digits[size_t(quantity)];
    }
    return ShortestDecimal(quantity);
}

} // namespace

int FindListItem(const QString &item, const ShoppingList &list)
{
    return list.find(item);
}

void ChangeQuantityBy(ShoppingList &list, int position, int by)
{
    const double quantity = list.quantityValue(position) + by;
    if (by < 0 && quantity <= 0) {
        list.remove(position);
    } else {
        list.setQuantity(position, quantityText(quantity));
    }
}

void AddOtherItemToList(const ListRow &row, ShoppingList &list)
{
    const int found = FindListItem(row.item, list);
    if (found < 1) {
        list.append(row);
        return;
    }
    list.setQuantity(found,
                     quantityText(list.quantityValue(found) + LeadingNumberValue(row.quantity)));
}

namespace {

// The exact sum of doubles, kept as partial sums that do not overlap (smallest first), the
// way an exact summation does it. Each value is multiplied by scale (a power of two) first.
// Nothing when a partial sum goes beyond a double.
std::optional<std::vector<double>> exactPartials(const ShoppingList &list, double scale)
{
    std::vector<double> partials;
    for (int position = 1; position <= list.count(); ++position) {
        double x = list.quantityValue(position) * scale;
        size_t kept = 0;
        for (double y : partials) {
            if (std::fabs(x) < std::fabs(y)) {
                std::swap(x, y);
            }
            const double high = x + y;
            const double low = y - (high - x);
            if (low != 0) {
                partials[kept++] = low;
            }
            x = high;
        }
        if (!std::isfinite(x)) {
            return std::nullopt;
        }
        partials.resize(kept);
        partials.push_back(x);
    }
    return partials;
}

// The sum of whole quantities, the usual kind, when a double holds it exactly: added as
// integers, it is the exact sum at once.
std::optional<double> exactWholeSum(const ShoppingList &list)
{
    constexpr double exact = 9007199254740992.0; // 2^53: every whole number up to it is a double
    constexpr qint64 bound = qint64(1) << 62;    // no overflow while each value adds at most 2^53
    qint64 sum = 0;
    for (int position = 1; position <= list.count(); ++position) {
        const double value = list.quantityValue(position);
        if (!(std::fabs(value) <= exact) || value != std::trunc(value)) {
            return std::nullopt;
        }
        sum += qint64(value);
        if (sum > bound || sum < -bound) {
            return std::nullopt;
        }
    }
    if (sum > qint64(exact) || sum < -qint64(exact)) {
        return std::nullopt;
    }
    return double(sum);
}

// The exact sum rounded once to a whole number, halves to even; beyond a double, the largest
// double of its sign.
double ExactRoundedSum(const ShoppingList &list)
{
    if (const std::optional<double> whole = exactWholeSum(list)) {
        return *whole;
    }
    constexpr double largest = std::numeric_limits<double>::max();
    // Sums beyond a double are made again on values scaled down by a power of two; at such
    // sizes the fractions that scaling may lose no longer matter.
    double scale = 1;
    std::optional<std::vector<double>> partials = exactPartials(list, scale);
    while (!partials) {
        scale /= 65536;
        partials = exactPartials(list, scale);
    }
    // The sum from the largest part down, with what the rounding of it left over.
    double high = 0;
    double low = 0;
    for (auto part = partials->rbegin(); part != partials->rend(); ++part) {
        const double sum = high + *part;
        low = *part - (sum - high);
        high = sum;
        if (low != 0) {
            break;
        }
    }
    if (scale != 1) {
        return std::clamp(high / scale, -largest, largest);
    }
    double rounded = RoundHalfEven(high);
    // Exactly half way as a double, but not in truth: the rest decides.
    if (std::fabs(high - rounded) == 0.5 && low != 0) {
        rounded = std::floor(high) + (low > 0 ? 1 : 0);
    }
    return std::clamp(rounded, -largest, largest);
}

} // namespace

ListTotals ComputeTotals(const ShoppingList &list)
{
    ListTotals totals;
    totals.rows = list.count();
    totals.total = ExactRoundedSum(list);
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
