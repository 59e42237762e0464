#pragma once

#include "ShoppingList.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

// The list's undo history. Every change made through the list's own operations is kept, in
// steps named after the commands that made them ("Remove Milk"). A step holds only what its
// changes took away and brought: the rows removed or added, the quantities before and after,
// the new order of a sort. Undo and redo put the list back exactly; back at the state last
// saved, the list is unchanged again.
class ListHistory final : public QObject, private ShoppingList::Observer
{
    Q_OBJECT

public:
    // A change beside the list's own that belongs to its step, such as the catalogue's ticks;
    // undone and redone in its place among the step's changes.
    class Edit
    {
    public:
        virtual ~Edit() = default;
        virtual void undo() = 0;
        virtual void redo() = 0;
        // About how many bytes it holds.
        virtual qsizetype bytes() const = 0;
    };

    // Opened by a command around its changes, which become one step under its name. A step
    // opened inside another belongs to the outer one. A change made with no step open is a
    // step of its own; a step without a change of the list is not kept.
    class Step final
    {
    public:
        Step(ListHistory &history, const QString &name);
        ~Step();
        Q_DISABLE_COPY_MOVE(Step)

    private:
        ListHistory &m_history;
    };

    // The oldest steps go beyond either bound.
    static constexpr int MaxSteps = 10000;
    static constexpr qsizetype MaxBytes = 64 * 1024 * 1024;

    explicit ListHistory(ShoppingList &list, QObject *parent = nullptr);
    ~ListHistory() override;

    // The names of the steps that undo and redo would take back or make again; empty when none.
    QString undoName() const;
    QString redoName() const;
    void undo();
    void redo();
    int count() const { return int(m_steps.size()); }

    // Adds a change beside the list's to the open step; it is dropped when no step is open.
    void record(std::unique_ptr<Edit> edit);
    // The open step's last change, to be extended by the next of its kind; null when none.
    Edit *lastEdit() const;
    bool isRecording() const { return m_depth > 0 && !m_replaying; }

signals:
    // What undo and redo would do has changed.
    void changed();

private:
    struct StepData
    {
        QString name;
        std::vector<std::unique_ptr<Edit>> edits;
        qsizetype bytes = 0;
    };

    void inserted(int first, int last) override;
    void aboutToRemove(int first, int last) override;
    void aboutToSetQuantity(int position, const QString &quantity) override;
    void reordered(const QList<int> &newPosition) override;
    void madeUnchanged() override;

    void open(const QString &name);
    void close();
    void recordListEdit(std::unique_ptr<Edit> edit);
    void replay(bool forward);

    ShoppingList &m_list;
    std::vector<StepData> m_steps;
    int m_done = 0; // steps before the point undo goes back from
    // The number of steps done when the list was saved; -1 when that state is gone.
    int m_saved = 0;
    bool m_savedAtClose = false; // saved within the open step, after some of its changes
    StepData m_open;
    bool m_openChangesList = false;
    int m_depth = 0;
    bool m_replaying = false;
    qsizetype m_bytes = 0;
};
