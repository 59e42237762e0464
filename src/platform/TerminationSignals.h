#pragma once

#include <QObject>

class QSocketNotifier;

// The system's requests to end the program (SIGTERM when the session ends, SIGHUP when its
// terminal goes, SIGINT for Ctrl+C), turned into a signal of the event loop, where the
// program can end in its own way. Only one may exist at a time.
class TerminationSignals final : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;
    Q_DISABLE_COPY_MOVE(TerminationSignals)

signals:
    void endRequested();

private:
    QSocketNotifier *m_notifier = nullptr;
};
