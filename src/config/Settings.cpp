#include "Settings.h"

#include "IniFile.h"
#include "common/Blanks.h"
#include "log/Log.h"

#include <QDir>

namespace {

// The value as a profile read finds it; the empty text when the file, section or key is
// missing.
QString readProfileString(const QString &file, const QString &section, const QString &key)
{
    const std::optional<IniFile> ini = IniFile::load(file);
    if (!ini) {
        return {};
    }
    return ini->value(section, key).value_or(QString());
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// Every read drops blanks and one pair of quotes around a value, and ReadIniValue drops the
// spaces around what is left. A value whose text would lose more than its spaces that way (a
// tab at either end, or quotes around it) is written inside quotes so that it reads back as
// written. Everything else is written as it is, so the file reads as plain as ever.
QString profileText(const QString &value)
{
    const QString read = TrimBlanks(value);
    if (read.isEmpty()) {
        return value;
    }
    const bool tabAtEdge = isBlank(read.front()) || isBlank(read.back());
    const bool quoted = read.size() >= 2 && (read.front() == u'"' || read.front() == u'\'') &&
                        read.back() == read.front();
    return tabAtEdge || quoted ? u'"' + value + u'"' : value;
}

} // namespace

QString SettingsFilePath(const QString &programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("shopping.ini"));
}

QString ReadIniValue(const QString &file, const QString &section, const QString &key,
                     const Log &log)
{
    QString buffer = readProfileString(file, section, key);
    if (buffer.isEmpty()) {
        buffer = readProfileString(file, section, key);
    }
    if (buffer.isEmpty()) {
        log.LogMessage(QStringLiteral("Warning - failed to read INI :file=") + file +
                           QStringLiteral("    sect=") + section + QStringLiteral("   key=") + key,
                       3);
        return {};
    }
    return TrimBlanks(TextBeforeNull(buffer));
}

void WriteIniValue(const QString &section, const QString &key, const QString &value,
                   const QString &file)
{
    std::optional<IniFile> ini = IniFile::load(file);
    if (!ini) {
        return;
    }
    const QByteArray before = ini->bytes();
    // Like any C string, the value ends at its first NUL.
    if (!ini->setValue(section, key, profileText(TextBeforeNull(value)))) {
        return;
    }
    if (ini->bytes() != before && !ini->save(file)) {
        // Where the folder allows no temporary file the file is written in place, so a write
        // that fails half-way has already cut it short: put back what was there.
        const std::optional<IniFile> now = IniFile::load(file);
        if (!now || now->bytes() != before) {
            IniFile(before).save(file);
        }
    }
}

QString TextBeforeNull(const QString &text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}
