#pragma once

#include <QString>

// The program-wide logging threshold: a message is written when LogLevel is at least its
// level. It starts at 0 and nothing changes it, so the program's own level-3 messages are
// never written; tests log at level 0.
inline qint16 LogLevel = 0;

// Appends dated lines to "<executable name>.log" in the program folder, or, when that file
// cannot be written, a line to "error.log" beside it. Never shows anything and never
// passes a failure back.
class Log final
{
public:
    Log(const QString &programFolder, const QString &executableName);

    void LogMessage(const QString &message, qint16 level) const;

    QString logFilePath() const { return m_logFile; }
    QString errorLogFilePath() const { return m_errorLogFile; }

private:
    QString m_logFile;
    QString m_errorLogFile;
};
