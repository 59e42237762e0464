#include "ShoppingList.h"

#include "common/NumberText.h"

#include <algorithm>
#include <numeric>

namespace {

// The texts of one column made into keys that compare the way QString::compare does ignoring
// case: unit by unit, each folded alone, except that a low surrogate right after a high one
// stands for its whole character, folded. A shorter text that begins another comes first.
class FoldedKeys final
{
public:
    template<typename Text> FoldedKeys(int count, Text text)
    {
        m_starts.reserve(size_t(count) + 1);
        m_starts.push_back(0);
        for (int index = 0; index < count; ++index) {
            const QString &t = text(index);
            const QChar *units = t.constData();
            bool same = true;
            for (qsizetype i = 0; i < t.size(); ++i) {
                char32_t unit = units[i].unicode();
                if (QChar::isLowSurrogate(unit) && i > 0 && units[i - 1].isHighSurrogate()) {
                    unit = QChar::surrogateToUcs4(units[i - 1], units[i]);
                }
                const char32_t folded = unit < 0x80
                                            ? (unit >= u'A' && unit <= u'Z' ? unit + 32 : unit)
                                            : QChar::toCaseFolded(unit);
                same = same && folded == units[i].unicode();
                m_units.push_back(folded);
            }
            m_starts.push_back(m_units.size());
            m_isText.push_back(same);
        }
    }

    // Whether the text is its own key: two such texts with equal keys are equal.
    bool isText(int index) const { return m_isText[size_t(index)]; }

    int compare(int a, int b) const
    {
        const char32_t *left = m_units.data() + m_starts[size_t(a)];
        const char32_t *right = m_units.data() + m_starts[size_t(b)];
        const size_t leftSize = m_starts[size_t(a) + 1] - m_starts[size_t(a)];
        const size_t rightSize = m_starts[size_t(b) + 1] - m_starts[size_t(b)];
        const size_t common = std::min(leftSize, rightSize);
        for (size_t i = 0; i < common; ++i) {
            if (left[i] != right[i]) {
                return left[i] < right[i] ? -1 : 1;
            }
        }
        return leftSize == rightSize ? 0 : leftSize < rightSize ? -1 : 1;
    }

private:
    std::vector<char32_t> m_units;
    std::vector<size_t> m_starts; // of each text's key, and the end of the last
    std::vector<bool> m_isText;
};

} // namespace

ShoppingList::ShoppingList(QObject *parent) : QObject(parent) {}

int ShoppingList::find(const QString &item) const
{
    return m_index.find(item, m_rows);
}

void ShoppingList::append(const ListRow &row)
{
    m_changed = true;
    m_rows.push_back(row);
    m_values.push_back(LeadingNumberValue(row.quantity));
    const int position = count();
    m_index.appended(m_rows, position - 1);
    if (m_observer != nullptr) {
        m_observer->inserted(position, position);
    }
    if (m_batchDepth > 0) {
        if (m_batchFirstNew == 0) {
            m_batchFirstNew = position;
        }
        return;
    }
    emit rowsAppended(position, position);
}

void ShoppingList::append(QList<ListRow> &&rows)
{
    if (rows.isEmpty()) {
        return;
    }
    m_changed = true;
    const int first = count() + 1;
    if (m_rows.isEmpty()) {
        m_rows = std::move(rows);
    } else {
        m_rows.append(rows);
    }
    m_values.reserve(size_t(m_rows.size()));
    for (int position = first; position <= count(); ++position) {
        m_values.push_back(LeadingNumberValue(std::as_const(m_rows)[position - 1].quantity));
    }
    m_index.appended(m_rows, first - 1);
    if (m_observer != nullptr) {
        m_observer->inserted(first, count());
    }
    if (m_batchDepth > 0) {
        if (m_batchFirstNew == 0) {
            m_batchFirstNew = first;
        }
        return;
    }
    emit rowsAppended(first, count());
}

void ShoppingList::insert(int position, QList<ListRow> rows)
{
    if (position > count()) {
        append(std::move(rows));
        return;
    }
    if (rows.isEmpty()) {
        return;
    }
    flushBatch();
    m_changed = true;
    const int last = position + int(rows.size()) - 1;
    emit rowsAboutToBeInserted(position, last);
    std::vector<double> values;
    values.reserve(size_t(rows.size()));
    for (const ListRow &row : std::as_const(rows)) {
        values.push_back(LeadingNumberValue(row.quantity));
    }
    m_values.insert(m_values.begin() + (position - 1), values.begin(), values.end());
    QList<ListRow> joined;
    joined.reserve(m_rows.size() + rows.size());
    joined.append(m_rows.first(position - 1));
    joined.append(std::move(rows));
    joined.append(m_rows.sliced(position - 1));
    m_rows = std::move(joined);
    m_index.inserted(m_rows, position - 1, last - position + 1);
    if (m_observer != nullptr) {
        m_observer->inserted(position, last);
    }
    emit rowsInserted();
}

void ShoppingList::remove(int position, int rows)
{
    flushBatch();
    const int last = position + rows - 1;
    if (m_observer != nullptr) {
        m_observer->aboutToRemove(position, last);
    }
    m_changed = true;
    emit rowsAboutToBeRemoved(position, last);
    m_rows.remove(position - 1, rows);
    m_values.erase(m_values.begin() + (position - 1), m_values.begin() + last);
    m_index.removed(m_rows, position - 1, rows);
    emit rowsRemoved();
}

void ShoppingList::setQuantity(int position, const QString &quantity)
{
    if (m_rows[position - 1].quantity == quantity) {
        return;
    }
    if (m_observer != nullptr) {
        m_observer->aboutToSetQuantity(position, quantity);
    }
    m_changed = true;
    m_rows[position - 1].quantity = quantity;
    m_values[size_t(position - 1)] = LeadingNumberValue(quantity);
    if (m_batchDepth == 0) {
        emit rowsChanged(position, position);
        return;
    }
    if (m_batchFirstNew != 0 && position >= m_batchFirstNew) {
        return; // announced with the appended rows
    }
    m_batchChangedFirst =
        m_batchChangedFirst == 0 ? position : std::min(m_batchChangedFirst, position);
    m_batchChangedLast = std::max(m_batchChangedLast, position);
}

void ShoppingList::clear()
{
    flushBatch();
    if (m_observer != nullptr && count() > 0) {
        m_observer->aboutToRemove(1, count());
    }
    emit aboutToClear();
    m_rows = {}; // not clear(): the undo history may share the rows
    m_values.clear();
    m_index.clear();
    emit cleared();
}

void ShoppingList::sort(Column column, Qt::SortOrder order)
{
    auto text = [this, column](int index) -> const QString & {
        const ListRow &r = std::as_const(m_rows)[index];
        return column == QuantityColumn ? r.quantity : column == ItemColumn ? r.item : r.category;
    };
    // Folded once for the whole sort, not again in every comparison.
    const FoldedKeys keys(count(), text);
    std::vector<int> order_(size_t(m_rows.size()));
    std::iota(order_.begin(), order_.end(), 0);
    std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
        if (order != Qt::AscendingOrder) {
            std::swap(a, b);
        }
        int c = keys.compare(a, b);
        if (c == 0 && !(keys.isText(a) && keys.isText(b))) {
            // Rows of one category mostly share one copy of its text.
            const QString &left = text(a);
            const QString &right = text(b);
            c = left.constData() == right.constData() && left.size() == right.size()
                    ? 0
                    : left.compare(right, Qt::CaseSensitive);
        }
        return c < 0;
    });
    QList<int> newPosition(count());
    for (size_t i = 0; i < order_.size(); ++i) {
        newPosition[order_[i]] = int(i) + 1;
    }
    reorder(newPosition);
}

void ShoppingList::reorder(const QList<int> &newPosition)
{
    flushBatch();
    m_changed = true;
    emit aboutToSort();
    QList<ListRow> rows(count());
    std::vector<double> values(m_values.size());
    for (qsizetype old = 0; old < newPosition.size(); ++old) {
        const qsizetype to = newPosition[old] - 1;
        rows[to] = std::move(m_rows[old]);
        values[size_t(to)] = m_values[size_t(old)];
    }
    m_rows = std::move(rows);
    m_values = std::move(values);
    m_index.reordered(m_rows, newPosition);
    if (m_observer != nullptr) {
        m_observer->reordered(newPosition);
    }
    emit sorted(newPosition);
}

void ShoppingList::setUnchanged()
{
    m_changed = false;
    if (m_observer != nullptr) {
        m_observer->madeUnchanged();
    }
}

ShoppingList::Batch::Batch(ShoppingList &list) : m_list(list)
{
    ++m_list.m_batchDepth;
}

ShoppingList::Batch::~Batch()
{
    if (--m_list.m_batchDepth == 0) {
        m_list.flushBatch();
    }
}

void ShoppingList::flushBatch()
{
    // Announces what a batch has changed so far; also before a removal, clear or sort inside
    // a batch, so that views never miss a change.
    if (m_batchChangedFirst != 0) {
        const int first = m_batchChangedFirst;
        const int last = m_batchChangedLast;
        m_batchChangedFirst = m_batchChangedLast = 0;
        emit rowsChanged(first, last);
    }
    if (m_batchFirstNew != 0) {
        const int first = m_batchFirstNew;
        m_batchFirstNew = 0;
        emit rowsAppended(first, count());
    }
}
