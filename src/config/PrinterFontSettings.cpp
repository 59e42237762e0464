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

void WritePrinterFontSettings(SettingsWrites &writes, const PrinterFontSettings &settings)
{
    writes.write(section, QStringLiteral("bold"), settings.bold);
    writes.write(section, QStringLiteral("italic"), settings.italic);
    writes.write(section, QStringLiteral("name"), settings.name);
    writes.write(section, QStringLiteral("forecolor"), settings.forecolor);
    writes.write(section, QStringLiteral("size"), settings.size);
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
