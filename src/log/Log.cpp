#include "Log.h"

#include "SysInfo.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>

namespace {

bool appendLine(const QString &path, const QString &line)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        return false;
    }
    const QByteArray bytes = (line + QStringLiteral("\r\n")).toUtf8();
    return file.write(bytes) == bytes.size() && file.flush();
}

// The system's time format with seconds, without the time zone Qt adds to the long form.
QString timeFormat(const QLocale &locale)
{
    return locale.timeFormat(QLocale::LongFormat).remove(u't').trimmed();
}

} // namespace

Log::Log(const QString &programFolder, const QString &executableName)
    : m_logFile(QDir(programFolder).filePath(executableName + QStringLiteral(".log"))),
      m_errorLogFile(QDir(programFolder).filePath(QStringLiteral("error.log")))
{}

void Log::LogMessage(const QString &message, qint16 level) const
{
    // The names are fetched on every call, written or not.
    const QString who = GetLoginName() + u',' + GetMachineName();
    if (LogLevel < level) {
        return;
    }
    const QDateTime now = QDateTime::currentDateTime();
    const QString line = now.toString(QStringLiteral("yyyyMMdd,HH:mm:ss,")) + who + u',' + message;
    if (appendLine(m_logFile, line)) {
        return;
    }
    const QLocale locale = QLocale::system();
    appendLine(m_errorLogFile, QStringLiteral("LOGGING ERROR ") +
                                   locale.toString(now.date(), QLocale::ShortFormat) + u' ' +
                                   locale.toString(now.time(), timeFormat(locale)) +
                                   QStringLiteral(" - text = ") + message);
}
