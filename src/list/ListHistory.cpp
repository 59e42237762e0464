#include "ListHistory.h"

#include <algorithm>
#include <typeinfo>

namespace {

qsizetype rowBytes(const ListRow &row)
{
    return qsizetype(sizeof(ListRow)) +
           2 * (row.quantity.size() + row.item.size() + row.category.size());
}

// Rows that came (added) or went, at their position.
class RowsEdit final : public ListHistory::Edit
{
public:
    RowsEdit(ShoppingList &list, bool added, int position, QList<ListRow> rows)
        : m_list(list), m_added(added), m_position(position), m_rows(std::move(rows))
    {}

    // Takes in one more row added right after these.
    bool extend(int position, const ListRow &row)
    {
        if (!m_added || position != m_position + m_rows.size()) {
            return false;
        }
        m_rows.append(row);
        return true;
    }

    void undo() override { m_added ? take() : put(); }
    void redo() override { m_added ? put() : take(); }

    qsizetype bytes() const override
    {
        qsizetype total = sizeof(*this);
        for (const ListRow &row : m_rows) {
            total += rowBytes(row);
        }
        return total;
    }

private:
    void put() { m_list.insert(m_position, m_rows); }
    void take() { m_list.remove(m_position, int(m_rows.size())); }

    ShoppingList &m_list;
    bool m_added;
    int m_position;
    QList<ListRow> m_rows;
};

class QuantityEdit final : public ListHistory::Edit
{
public:
    explicit QuantityEdit(ShoppingList &list) : m_list(list) {}

    void add(int position, const QString &before, const QString &after)
    {
        m_changes.push_back({position, before, after});
    }

    void undo() override
    {
        for (auto change = m_changes.rbegin(); change != m_changes.rend(); ++change) {
            m_list.setQuantity(change->position, change->before);
        }
    }

    void redo() override
    {
        for (const Change &change : m_changes) {
            m_list.setQuantity(change.position, change.after);
        }
    }

    qsizetype bytes() const override
    {
        qsizetype total = sizeof(*this);
        for (const Change &change : m_changes) {
            total += qsizetype(sizeof(Change)) + 2 * (change.before.size() + change.after.size());
        }
        return total;
    }

private:
    struct Change
    {
        int position;
        QString before;
        QString after;
    };
    ShoppingList &m_list;
    std::vector<Change> m_changes;
};

class OrderEdit final : public ListHistory::Edit
{
public:
    OrderEdit(ShoppingList &list, const QList<int> &newPosition)
        : m_list(list), m_newPosition(newPosition)
    {}

    void undo() override
    {
        QList<int> oldPosition(m_newPosition.size());
        for (qsizetype old = 0; old < m_newPosition.size(); ++old) {
            oldPosition[m_newPosition[old] - 1] = int(old) + 1;
        }
        m_list.reorder(oldPosition);
    }

    void redo() override { m_list.reorder(m_newPosition); }

    qsizetype bytes() const override
    {
        return qsizetype(sizeof(*this)) + m_newPosition.size() * qsizetype(sizeof(int));
    }

private:
    ShoppingList &m_list;
    QList<int> m_newPosition;
};

// The edit as one of these final classes, or nothing: asked once for every row a command
// adds, where a cast through the class tree would cost more than the row itself.
template<typename EditClass> EditClass *lastEditOf(ListHistory::Edit *edit)
{
    return edit != nullptr && typeid(*edit) == typeid(EditClass) ? static_cast<EditClass *>(edit)
                                                                 : nullptr;
}

} // namespace

ListHistory::Step::Step(ListHistory &history, const QString &name) : m_history(history)
{
    if (m_history.m_depth++ == 0) {
        m_history.open(name);
    }
}

ListHistory::Step::~Step()
{
    if (--m_history.m_depth == 0) {
        m_history.close();
    }
}

ListHistory::ListHistory(ShoppingList &list, QObject *parent) : QObject(parent), m_list(list)
{
    m_list.setObserver(this);
}

ListHistory::~ListHistory()
{
    m_list.setObserver(nullptr);
}

QString ListHistory::undoName() const
{
    return m_done > 0 ? m_steps[size_t(m_done - 1)].name : QString();
}

QString ListHistory::redoName() const
{
    return m_done < count() ? m_steps[size_t(m_done)].name : QString();
}

void ListHistory::undo()
{
    if (m_depth == 0 && m_done > 0) {
        replay(false);
    }
}

void ListHistory::redo()
{
    if (m_depth == 0 && m_done < count()) {
        replay(true);
    }
}

void ListHistory::replay(bool forward)
{
    m_replaying = true;
    {
        const ShoppingList::Batch batch(m_list);
        StepData &step = m_steps[size_t(forward ? m_done : m_done - 1)];
        if (forward) {
            for (const std::unique_ptr<Edit> &edit : step.edits) {
                edit->redo();
            }
        } else {
            for (auto edit = step.edits.rbegin(); edit != step.edits.rend(); ++edit) {
                (*edit)->undo();
            }
        }
    }
    m_done += forward ? 1 : -1;
    if (m_done == m_saved) {
        m_list.setUnchanged();
    }
    m_replaying = false;
    emit changed();
}

void ListHistory::record(std::unique_ptr<Edit> edit)
{
    if (isRecording()) {
        m_open.edits.push_back(std::move(edit));
    }
}

ListHistory::Edit *ListHistory::lastEdit() const
{
    return isRecording() && !m_open.edits.empty() ? m_open.edits.back().get() : nullptr;
}

void ListHistory::open(const QString &name)
{
    m_open = StepData{name, {}, 0};
    m_openChangesList = false;
    m_savedAtClose = false;
}

void ListHistory::close()
{
    if (!m_openChangesList) {
        m_open = {};
        return;
    }
    // A new step ends the steps that redo would have made again.
    if (m_saved > m_done) {
        m_saved = -1;
    }
    for (size_t undone = size_t(m_done); undone < m_steps.size(); ++undone) {
        m_bytes -= m_steps[undone].bytes;
    }
    m_steps.erase(m_steps.begin() + m_done, m_steps.end());
    m_open.bytes = qsizetype(sizeof(StepData)) + 2 * m_open.name.size();
    for (const std::unique_ptr<Edit> &edit : m_open.edits) {
        m_open.bytes += edit->bytes();
    }
    m_bytes += m_open.bytes;
    m_steps.push_back(std::move(m_open));
    m_open = {};
    ++m_done;
    if (m_savedAtClose) {
        m_saved = m_done;
    }
    while (m_steps.size() > 1 && (count() > MaxSteps || m_bytes > MaxBytes)) {
        m_bytes -= m_steps.front().bytes;
        m_steps.erase(m_steps.begin());
        --m_done;
        m_saved = m_saved > 0 ? m_saved - 1 : -1;
    }
    emit changed();
}

void ListHistory::recordListEdit(std::unique_ptr<Edit> edit)
{
    if (m_depth == 0) {
        const Step loose(*this, tr("Change"));
        recordListEdit(std::move(edit));
        return;
    }
    if (m_savedAtClose) {
        m_saved = -1; // saved in the middle of the step: no step ends at that state
        m_savedAtClose = false;
    }
    m_openChangesList = true;
    m_open.edits.push_back(std::move(edit));
}

void ListHistory::inserted(int first, int last)
{
    if (m_replaying) {
        return;
    }
    if (auto *rows = lastEditOf<RowsEdit>(lastEdit());
        rows != nullptr && first == last && rows->extend(first, m_list.row(first))) {
        return;
    }
    recordListEdit(std::make_unique<RowsEdit>(m_list, true, first,
                                              m_list.rows().mid(first - 1, last - first + 1)));
}

void ListHistory::aboutToRemove(int first, int last)
{
    if (!m_replaying) {
        recordListEdit(std::make_unique<RowsEdit>(m_list, false, first,
                                                  m_list.rows().mid(first - 1, last - first + 1)));
    }
}

void ListHistory::aboutToSetQuantity(int position, const QString &quantity)
{
    if (m_replaying) {
        return;
    }
    const QString &before = m_list.row(position).quantity;
    if (auto *quantities = lastEditOf<QuantityEdit>(lastEdit())) {
        quantities->add(position, before, quantity);
        return;
    }
    auto edit = std::make_unique<QuantityEdit>(m_list);
    edit->add(position, before, quantity);
    recordListEdit(std::move(edit));
}

void ListHistory::reordered(const QList<int> &newPosition)
{
    // A sort that moves no row changes nothing to take back.
    if (!m_replaying && !std::is_sorted(newPosition.begin(), newPosition.end())) {
        recordListEdit(std::make_unique<OrderEdit>(m_list, newPosition));
    }
}

void ListHistory::madeUnchanged()
{
    if (m_replaying) {
        return;
    }
    if (m_depth > 0 && m_openChangesList) {
        m_savedAtClose = true;
    } else {
        m_saved = m_done;
    }
}
