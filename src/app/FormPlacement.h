#pragma once

#include "config/ViewSettings.h"

#include <QList>
#include <QObject>
#include <QRect>
#include <QSizeF>
#include <QString>

class Log;
class SettingsWrites;
class QWidget;

// The outer rectangle of a window as given, when a part of its title bar (the top strip) lies
// on one of the screens' available areas; otherwise moved onto the nearest of them, keeping its
// size where it fits.
QRect ReachablePlace(const QRect &outer, const QList<QRect> &screens);

// The window comes back where the user left it: its outer size and place, in twips, kept in
// the settings file's section named after the window (Height, Width, Left, Top). The window
// owns one keeper, which remembers what was read, so that unchanged pixels are written back as
// the very twips they came from.
class FormPlacement final : public QObject
{
    Q_OBJECT

public:
    explicit FormPlacement(QWidget &window);

    // Reads the placement and moves and sizes the window in one go, its frame included, before
    // it is shown. A height or width of 0 is three quarters of the screen's. Places off the
    // screen are applied as they are; a size the window cannot take (not positive, or absurdly
    // large) leaves the window at its designed size and place. The frame that a window manager
    // adds after the window is shown is taken off the inner size as soon as it is known, so the
    // outer size is the stored one. A place that would leave the title bar off every screen is
    // moved onto the nearest one (ReachablePlace); what is stored changes only at the next save.
    void RestoreFormPlacement(const QString &file, const QSizeF &screenTwips, const Log &log);

    // Writes the window's outer size and place as it reports them, whatever its state. A value
    // whose pixels have not changed since the restore is written back exactly as it was read.
    void SaveFormPlacement(SettingsWrites &writes) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void correctForFrame();

    QWidget &m_window;
    // Until a restore, every length counts as changed.
    KeptLength m_height{0, -1};
    KeptLength m_width{0, -1};
    KeptLength m_left{0, -1};
    KeptLength m_top{0, -1};
    QRect m_outer;
    bool m_corrected = true; // nothing to correct before a restore
};
