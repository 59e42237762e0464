// Start-up and shut-down over a settings file of any bytes, read and written as the main
// window does it: its place and size, the list's column widths, font and colours, and the
// printer font (written back unchanged, as an untouched printer font dialog does). The window
// is taken to stay where the start put it and nothing is changed before the close. Then:
// - a second start finds what the first close wrote: the window, the columns and the look
//   come back as the first start left them, the font size to the four decimals written;
// - a second close changes no byte of the file.
#include "FuzzCheck.h"
#include "common/NumberText.h"
#include "common/Twips.h"
#include "config/ColorValue.h"
#include "config/PrinterFontSettings.h"
#include "config/Settings.h"
#include "config/ViewSettings.h"
#include "log/Log.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QPalette>
#include <QRect>
#include <QTemporaryDir>

#include <array>
#include <cmath>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

const QString window = QStringLiteral("frmShopping");
const QString display = QStringLiteral("display");
const QString font = QStringLiteral("font");

// A screen of 1920 x 1080 pixels, and the window's designed outer size on it.
const QSizeF screenTwips(1920 * 15, 1080 * 15);
const QRect designedWindow(0, 0, 628, 372);

// What a start gives the window and the list, and what the close writes back from.
struct Session
{
    QRect outer = designedWindow;
    std::array<KeptLength, 4> place{{{0, -1}, {0, -1}, {0, -1}, {0, -1}}}; // height width left top
    std::array<KeptLength, 3> columns;
    QString fontName = QStringLiteral("Designed Sans");
    double fontSize = 9;
    bool bold = false;
    bool italic = false;
    qint32 foreColor = SystemWindowTextColor;
    qint32 backColor = WhiteColor;
    PrinterFontSettings printer;
};

std::optional<int> pixels(double twips, double twipsPerPixel)
{
    const double value = std::nearbyint(twips / twipsPerPixel);
    if (!(std::abs(value) <= 16777215)) {
        return std::nullopt;
    }
    return int(value);
}

bool isColor(qint32 value)
{
    return ColorFromValue(value, QPalette()).has_value();
}

Session start(const QString &file, const QLocale &locale, const Log &log)
{
    Session s;
    const PlacementTwips placement = ReadPlacement(file, window, screenTwips, log);
    const std::optional<int> height = pixels(placement.height, TwipsPerPixelY());
    const std::optional<int> width = pixels(placement.width, TwipsPerPixelX());
    const std::optional<int> left = pixels(placement.left, TwipsPerPixelX());
    const std::optional<int> top = pixels(placement.top, TwipsPerPixelY());
    // A size that is not positive or beyond 16-bit coordinates leaves the designed window.
    if (height && width && left && top && *height > 0 && *width > 0 && *height <= 32767 &&
        *width <= 32767) {
        s.outer = QRect(*left, *top, *width, *height);
        s.place = {{{placement.height, *height},
                    {placement.width, *width},
                    {placement.left, *left},
                    {placement.top, *top}}};
    }

    for (int column = 0; column < 3; ++column) {
        const double twips = ColumnWidthFromText(
            ReadIniValue(file, display, QStringLiteral("listCol%1").arg(column + 1), log),
            DefaultColumnWidths[column]);
        s.columns[size_t(column)] = {twips, TwipsToPixelsX(twips)};
    }

    auto read = [&](const char *key) {
        return ReadIniValue(file, font, QString::fromLatin1(key), log);
    };
    if (const QString name = read("name"); !name.trimmed().isEmpty()) {
        s.fontName = name;
    }
    if (const std::optional<double> size = FontSizeFromText(read("size"), locale)) {
        s.fontSize = *size;
    }
    if (const std::optional<qint32> color = ColorValueFromText(read("forecolor"));
        color && isColor(*color)) {
        s.foreColor = *color;
    }
    s.bold = FlagSwitchesOn(read("bold"));
    s.italic = FlagSwitchesOn(read("italic"));
    if (const std::optional<qint32> color = ColorValueFromText(read("backcolor"));
        color && isColor(*color)) {
        s.backColor = *color;
    }

    s.printer = ReadPrinterFontSettings(file, log);
    return s;
}

void close(const QString &file, const Session &s, const QLocale &locale)
{
    SettingsWrites writes(file);
    WritePlacement(writes, window, s.place[0].twipsFor(s.outer.height(), TwipsPerPixelY()),
                   s.place[1].twipsFor(s.outer.width(), TwipsPerPixelX()),
                   s.place[2].twipsFor(s.outer.x(), TwipsPerPixelX()),
                   s.place[3].twipsFor(s.outer.y(), TwipsPerPixelY()));
    for (int column = 0; column < 3; ++column) {
        const KeptLength &kept = s.columns[size_t(column)];
        writes.write(display, QStringLiteral("listCol%1").arg(column + 1),
                     LengthText(kept.twipsFor(kept.pixels, TwipsPerPixelX())));
    }
    auto write = [&](const char *key, const QString &value) {
        writes.write(font, QString::fromLatin1(key), value);
    };
    write("bold", FlagText(s.bold));
    write("italic", FlagText(s.italic));
    write("name", s.fontName);
    write("forecolor", QString::number(s.foreColor));
    write("size", FontSizeText(s.fontSize, locale));
    write("backcolor", QString::number(s.backColor));

    WritePrinterFontSettings(writes, s.printer);
    QString reason;
    check(writes.commit(reason));
}

QByteArray contents(const QString &file)
{
    QFile in(file);
    check(in.open(QIODevice::ReadOnly));
    return in.readAll();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static const Log log(dir.path(), QStringLiteral("fuzz"));
    static const std::array<QLocale, 4> locales = {
        QLocale::c(), QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::French, QLocale::Switzerland), QLocale(QLocale::Arabic, QLocale::Egypt)};
    const QString file = SettingsFilePath(dir.path());

    FuzzedDataProvider input(data, size);
    const QLocale &locale = locales[input.ConsumeIntegralInRange<size_t>(0, locales.size() - 1)];
    {
        const std::string bytes = input.ConsumeRemainingBytesAsString();
        QFile out(file);
        check(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(bytes.data(), qint64(bytes.size()));
    }

    const Session first = start(file, locale, log);
    close(file, first, locale);
    const QByteArray written = contents(file);

    const Session second = start(file, locale, log);
    check(second.outer == first.outer);
    for (size_t column = 0; column < 3; ++column) {
        check(second.columns[column].pixels == first.columns[column].pixels);
    }
    check(second.fontName == first.fontName);
    check(std::fabs(second.fontSize - first.fontSize) <= 0.00005 + 1e-9);
    check(second.bold == first.bold && second.italic == first.italic);
    check(second.foreColor == first.foreColor && second.backColor == first.backColor);
    check(second.printer.name == first.printer.name && second.printer.size == first.printer.size &&
          second.printer.forecolor == first.printer.forecolor &&
          second.printer.bold == first.printer.bold &&
          second.printer.italic == first.printer.italic);

    close(file, second, locale);
    check(contents(file) == written);
    return 0;
}
