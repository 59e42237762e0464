#pragma once

#include <QList>
#include <QObject>

class QLabel;
class QStatusBar;
class QTimer;

// The main window's five status bar panels: a greeting, the total quantity, the number of
// rows, and the date and time, which keep themselves current.
class StatusPanels final : public QObject
{
    Q_OBJECT

public:
    // The panels the program writes to, counted from 1.
    enum Number { Greeting = 1, TotalQuantity = 2, RowCount = 3 };

    StatusPanels(QStatusBar &bar, double heightTwips);

    // Panel n, counted from 1.
    void setText(int panel, const QString &text);
    // Says what a command did in the greeting's panel for a few seconds, then greets again.
    void tell(const QString &text);

private:
    void showDateAndTime();

    QList<QLabel *> m_panels;
    QTimer *m_greetAgain = nullptr;
};
