#include "VersionInfo.h"

#include "about/Version.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <QStringList>

namespace {

// Qt's long time formats end in the time zone ("t"), which the general date format has not.
QString withoutTimeZone(const QString &format)
{
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'') {
            quoted = !quoted;
        }
        if (c == u't' && !quoted) {
            continue;
        }
        result += c;
    }
    return result.trimmed();
}

} // namespace

VersionNumbers ProgramVersion()
{
    return {ShoppingVersionMajor, ShoppingVersionMinor, ShoppingVersionRevision};
}

QString ProductName()
{
    return QString::fromUtf8(ShoppingProductName);
}

QString VersionString(const VersionNumbers &version)
{
    return QStringLiteral("v%1.%2.%3").arg(version.major).arg(version.minor).arg(version.revision);
}

QString GetVersionString()
{
    return VersionString(ProgramVersion());
}

QString VersionLine(const VersionNumbers &version)
{
    return QStringLiteral("version %1.%2    Build (%3)")
        .arg(version.major)
        .arg(version.minor)
        .arg(version.revision);
}

QString MakerHomePage()
{
    return QStringLiteral("https://www.torvy.example/");
}

QString ProgramPage()
{
    return QStringLiteral("https://www.torvy.example/shopping/");
}

QString GeneralDateText(const QDateTime &when, const QLocale &locale)
{
    const QString date = locale.toString(when.date(), QLocale::ShortFormat);
    const QTime time = when.time();
    if (time.hour() == 0 && time.minute() == 0 && time.second() == 0) {
        return date;
    }
    return date + u' ' +
           locale.toString(time, withoutTimeZone(locale.timeFormat(QLocale::LongFormat)));
}

std::optional<QString> BuildDetailsText(const QString &title, const QString &executablePath,
                                        const QLocale &locale)
{
    const QFileInfo executable(executablePath);
    if (executablePath.isEmpty() || !executable.isFile()) {
        return std::nullopt;
    }
    const QDateTime changed = executable.lastModified();
    if (!changed.isValid()) {
        return std::nullopt;
    }
    const QStringList lines = {title, GetVersionString(),
                               QStringLiteral("EXE created on ") +
                                   GeneralDateText(changed, locale)};
    return lines.join(QStringLiteral("\r\n"));
}
