#include "Settings.h"

#include <QDir>

// Placeholder until the settings file module lands: reads nothing, writes nothing.

QString SettingsFilePath(const QString &programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("shopping.ini"));
}

QString ReadIniValue(const QString &, const QString &, const QString &, const Log &)
{
    return {};
}

void WriteIniValue(const QString &, const QString &, const QString &, const QString &) {}

QString TextBeforeNull(const QString &text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}
