#pragma once

#include "config/ViewSettings.h"

#include <QString>

#include <array>

class Log;
class SettingsWrites;
class Platform;
class QTreeView;

// The shopping list's look that the user chooses and the settings file keeps: the widths of
// its three columns, its font, its text and background colours. Colours are kept as the values
// they were given, so that a system colour is written back as the system colour it names.
// A value the list cannot take is passed over and the list keeps what it had.
class ListAppearance final
{
public:
    // Gives the list its designed colours: system window text on white.
    explicit ListAppearance(QTreeView &list);

    // Section display, listCol1 to listCol3: read all three, then set the widths in order.
    void ReadColumnWidths(const QString &file, const Log &log);
    void WriteColumnWidths(SettingsWrites &writes) const;

    // Section font: name, size, forecolor, bold, italic, backcolor, each applied as read.
    void ReadFont(const QString &file, const Log &log);
    // Section font: bold, italic, name, forecolor, size, backcolor.
    void WriteFont(SettingsWrites &writes) const;

    // Choose Screen Font: the font and text colour from the font dialog. A cancelled dialog
    // leaves the list as it was; each value the list cannot take is passed over.
    void ChooseScreenFont(Platform &platform);
    // Choose Background Colour: the background from the colour dialog, which starts from it.
    void ChooseBackColor(Platform &platform);

private:
    // Each leaves the list as it was when it cannot take the value.
    void setForeColor(qint32 value);
    void setBackColor(qint32 value);
    void setFontName(const QString &name);
    void setFontSize(double points);
    void setBold(bool on);
    void setItalic(bool on);
    void applyColors();

    QTreeView &m_list;
    qint32 m_foreColor = 0;
    qint32 m_backColor = 0;
    std::array<KeptLength, 3> m_columns;
};
