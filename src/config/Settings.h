#pragma once

#include <QList>
#include <QString>

#include <optional>

class Log;

// The settings file, shopping.ini in the program folder. Callers build its path afresh for
// every access; nothing of the file is kept between accesses.
QString SettingsFilePath(const QString &programFolder);

// The value of key in section of file, without the blanks around it; the empty text when the
// file, section or key is missing or the value is empty (a warning then goes to the log).
QString ReadIniValue(const QString &file, const QString &section, const QString &key,
                     const Log &log);

// Sets key in section of file to value, creating the file, section and key as needed.
// A write that fails is silent and leaves the file as it was.
void WriteIniValue(const QString &section, const QString &key, const QString &value,
                   const QString &file);

// The writes of one command (all the settings of a shut-down, the printer font) go to the file
// as one replacement, so that it never holds some of them without the others. commit takes
// the lock file "<file>.lock", so that two copies of the program write one after the other,
// reads the file afresh, makes each write as WriteIniValue would, replaces the file once when
// anything changed and removes the temporary files a killed write left behind. False, with
// the reason, when the file was not written; it is then as it was.
class SettingsWrites final
{
public:
    explicit SettingsWrites(const QString &file);

    void write(const QString &section, const QString &key, const QString &value);
    bool commit(QString &reason);

private:
    struct Write
    {
        QString section;
        QString key;
        QString value;
    };
    QString m_file;
    QList<Write> m_writes;
};

// What is wrong with the settings file when it exists but will be neither read nor written
// (it cannot be read, or it is too large to have been written by the program); nothing when
// it is fine or missing.
std::optional<QString> SettingsFileProblem(const QString &file);

// The part of text before its first NUL character; the whole text when it has none.
QString TextBeforeNull(const QString &text);
