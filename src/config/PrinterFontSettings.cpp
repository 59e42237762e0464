#include "PrinterFontSettings.h"

#include "Settings.h"

namespace {

const QString section = QStringLiteral("PrinterFont");

} // namespace

PrinterFontSettings ReadPrinterFontSettings(const QString &file, const Log &log)
{
    PrinterFontSettings settings;
    settings.name = ReadIniValue(file, section, QStringLiteral("name"), log);
    settings.size = ReadIniValue(file, section, QStringLiteral("size"), log);
    settings.forecolor = ReadIniValue(file, section, QStringLiteral("forecolor"), log);
    settings.bold = ReadIniValue(file, section, QStringLiteral("bold"), log);
    settings.italic = ReadIniValue(file, section, QStringLiteral("italic"), log);
    return settings;
}

void WritePrinterFontSettings(const QString &file, const PrinterFontSettings &settings)
{
    WriteIniValue(section, QStringLiteral("bold"), settings.bold, file);
    WriteIniValue(section, QStringLiteral("italic"), settings.italic, file);
    WriteIniValue(section, QStringLiteral("name"), settings.name, file);
    WriteIniValue(section, QStringLiteral("forecolor"), settings.forecolor, file);
    WriteIniValue(section, QStringLiteral("size"), settings.size, file);
}

PrinterFontSettings WithPrinterDefaults(PrinterFontSettings settings)
{
    auto orDefault = [](QString &value, const char *fallback) {
        if (value.isEmpty()) {
            value = QString::fromLatin1(fallback);
        }
    };
    orDefault(settings.name, "Arial");
    orDefault(settings.size, "12");
    orDefault(settings.forecolor, "0");
    orDefault(settings.bold, "0");
    orDefault(settings.italic, "0");
    return settings;
}
