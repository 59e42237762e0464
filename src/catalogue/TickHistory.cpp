#include "TickHistory.h"

#include "Catalogue.h"
#include "list/ListHistory.h"

#include <utility>

namespace {

void setTick(Catalogue &catalogue, int position, bool ticked)
{
    if (position <= catalogue.count()) {
        catalogue.setTicked(position, ticked);
    }
}

void setTicks(Catalogue &catalogue, const std::vector<int> &positions, bool ticked)
{
    for (const int position : positions) {
        setTick(catalogue, position, ticked);
    }
}

// Single ticks, each turned to the state it was given.
class TicksEdit final : public ListHistory::Edit
{
public:
    explicit TicksEdit(Catalogue &catalogue) : m_catalogue(catalogue) {}

    void add(int position, bool ticked) { m_ticks.emplace_back(position, ticked); }

    void undo() override
    {
        for (auto tick = m_ticks.rbegin(); tick != m_ticks.rend(); ++tick) {
            setTick(m_catalogue, tick->first, !tick->second);
        }
    }

    void redo() override
    {
        for (const auto &[position, ticked] : m_ticks) {
            setTick(m_catalogue, position, ticked);
        }
    }

    qsizetype bytes() const override
    {
        return qsizetype(sizeof(*this) + m_ticks.size() * sizeof(m_ticks.front()));
    }

private:
    Catalogue &m_catalogue;
    std::vector<std::pair<int, bool>> m_ticks;
};

// All ticks, before and after a rebuild of the tree.
class RebuildEdit final : public ListHistory::Edit
{
public:
    RebuildEdit(Catalogue &catalogue, std::vector<int> before, std::vector<int> after)
        : m_catalogue(catalogue), m_before(std::move(before)), m_after(std::move(after))
    {}

    void undo() override
    {
        setTicks(m_catalogue, m_after, false);
        setTicks(m_catalogue, m_before, true);
    }

    void redo() override
    {
        setTicks(m_catalogue, m_before, false);
        setTicks(m_catalogue, m_after, true);
    }

    qsizetype bytes() const override
    {
        return qsizetype(sizeof(*this) + (m_before.size() + m_after.size()) * sizeof(int));
    }

private:
    Catalogue &m_catalogue;
    std::vector<int> m_before;
    std::vector<int> m_after;
};

} // namespace

TickHistory::TickHistory(Catalogue &catalogue, ListHistory &history, QObject *parent)
    : QObject(parent), m_catalogue(catalogue), m_history(history)
{
    connect(&catalogue, &Catalogue::tickChanged, this, &TickHistory::tickChanged);
    connect(&catalogue, &Catalogue::aboutToRebuild, this,
            [this] { m_tickedBeforeRebuild = tickedNodes(); });
    connect(&catalogue, &Catalogue::rebuilt, this, [this] {
        std::vector<int> after = tickedNodes();
        if (after != m_tickedBeforeRebuild) {
            m_history.record(std::make_unique<RebuildEdit>(
                m_catalogue, std::move(m_tickedBeforeRebuild), std::move(after)));
        }
        m_tickedBeforeRebuild.clear();
    });
}

void TickHistory::userTicked(int position)
{
    tickChanged(position);
}

void TickHistory::tickChanged(int position)
{
    const bool ticked = m_catalogue.node(position).ticked;
    if (auto *ticks = dynamic_cast<TicksEdit *>(m_history.lastEdit())) {
        ticks->add(position, ticked);
    } else if (m_history.isRecording()) {
        auto edit = std::make_unique<TicksEdit>(m_catalogue);
        edit->add(position, ticked);
        m_history.record(std::move(edit));
    }
}

std::vector<int> TickHistory::tickedNodes() const
{
    std::vector<int> ticked;
    for (int position = 1; position <= m_catalogue.count(); ++position) {
        if (m_catalogue.node(position).ticked) {
            ticked.push_back(position);
        }
    }
    return ticked;
}
