#pragma once

#include <QString>

#include <optional>

class QDateTime;
class QLocale;

struct VersionNumbers
{
    int major = 0;
    int minor = 0;
    int revision = 0;
};

// This program's version and product name, as the build stamped them.
VersionNumbers ProgramVersion();
QString ProductName();

// "v" + major + "." + minor + "." + revision, e.g. "v1.2.28".
QString VersionString(const VersionNumbers &version);
QString GetVersionString();

// The about box's version line, e.g. "version 1.2    Build (28)".
QString VersionLine(const VersionNumbers &version);

// The maker's home page, and the page about this program.
QString MakerHomePage();
QString ProgramPage();

// A date and time in the locale's general date format: the short date, a blank and the long
// time without a time zone; only the date when the time is midnight.
QString GeneralDateText(const QDateTime &when, const QLocale &locale);

// The build details shown on a double click on the version line: the title, the version
// string and the date of the executable, one per line, joined by CR LF. Nothing when the
// executable's date cannot be had.
std::optional<QString> BuildDetailsText(const QString &title, const QString &executablePath,
                                        const QLocale &locale);
