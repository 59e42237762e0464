#pragma once

#include <QObject>

// The system's requests to end the program (SIGTERM when the session ends, SIGHUP when its
// terminal goes, SIGINT for Ctrl+C), turned into a signal of the event loop, where the
// program can end in its own way. One for the life of the process: its signal handlers stay.
class TerminationSignals final : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    Q_DISABLE_COPY_MOVE(TerminationSignals)

signals:
    void endRequested();
};
