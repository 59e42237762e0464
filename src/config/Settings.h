#pragma once

#include <QString>

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

// The part of text before its first NUL character; the whole text when it has none.
QString TextBeforeNull(const QString &text);
