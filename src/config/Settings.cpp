#include "Settings.h"

#include "IniFile.h"
#include "common/Blanks.h"
#include "common/FileAccess.h"
#include "log/Log.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>

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

// How long a write waits for another copy of the program to finish its own.
constexpr int lockWait = 5000;

// A write killed between making its temporary file and renaming it leaves the file behind.
// Only writes that hold the lock make such files, so none is in use while the lock is held.
void removeStrayTemporaries(const QString &folder)
{
    static const QRegularExpression name(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(IniFile::TemporaryPrefix) + QStringLiteral("[A-Za-z0-9]{6}")));
    const QDir dir(folder);
    const QStringList entries = dir.entryList({IniFile::TemporaryPrefix + u'*'},
                                              QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QString &entry : entries) {
        if (name.match(entry).hasMatch()) {
            QFile::remove(dir.filePath(entry));
        }
    }
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
    SettingsWrites writes(file);
    writes.write(section, key, value);
    QString ignored;
    writes.commit(ignored);
}

SettingsWrites::SettingsWrites(const QString &file) : m_file(file) {}

void SettingsWrites::write(const QString &section, const QString &key, const QString &value)
{
    m_writes.append({section, key, value});
}

bool SettingsWrites::commit(QString &reason)
{
    if (m_writes.isEmpty()) {
        return true;
    }
    QLockFile lock(m_file + QStringLiteral(".lock"));
    // A lock whose holder has gone is taken over; a live holder writes within milliseconds.
    if (!lock.tryLock(lockWait)) {
        reason = QStringLiteral("The lock file ") + lock.fileName() +
                 QStringLiteral(" could not be taken");
        return false;
    }
    removeStrayTemporaries(QFileInfo(m_file).absolutePath());
    std::optional<IniFile> ini = IniFile::load(m_file);
    if (!ini) {
        reason = SettingsFileProblem(m_file).value_or(QStringLiteral("It cannot be read"));
        return false;
    }
    const QByteArray before = ini->bytes();
    for (const Write &write : std::as_const(m_writes)) {
        // Like any C string, the value ends at its first NUL; a write of a name that cannot
        // be written is dropped alone.
        ini->setValue(write.section, write.key, profileText(TextBeforeNull(write.value)));
    }
    return ini->bytes() == before || ini->save(m_file, reason);
}

std::optional<QString> SettingsFileProblem(const QString &file)
{
    QByteArray bytes;
    FileError error;
    if (ReadRegularFile(file, bytes, error, IniFile::MaximumFileSize) ||
        (!QFileInfo::exists(file) && !QFileInfo(file).isSymLink())) {
        return std::nullopt;
    }
    return QStringLiteral("The settings file ") + QDir::toNativeSeparators(file) +
           QStringLiteral(" cannot be read (") + error.description +
           QStringLiteral("). The program starts with its usual settings and does not save "
                          "its settings there.");
}

QString TextBeforeNull(const QString &text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}
