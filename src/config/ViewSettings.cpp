#include "ViewSettings.h"

#include "Settings.h"
#include "common/NumberText.h"

#include <cmath>

double ColumnWidthFromText(const QString &text, double designedWidth)
{
    const std::optional<qint16> width = ToInt16(LeadingNumberValue(text));
    if (!width || *width <= 0) {
        return designedWidth;
    }
    return *width;
}

std::optional<double> FontSizeFromText(const QString &text, const QLocale &locale)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    double size = locale.toDouble(trimmed, &ok);
    if (!ok) {
        size = QLocale::c().toDouble(trimmed, &ok);
    }
    // A size written as 0 at four decimals would be refused at the next start.
    if (!ok || !(std::round(size * 10000) >= 1 && size <= 2160)) {
        return std::nullopt;
    }
    return size;
}

QString FontSizeText(double points, const QLocale &locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    QString text = plain.toString(points, 'f', 4);
    const QString point = plain.decimalPoint();
    if (text.contains(point)) {
        while (text.endsWith(plain.zeroDigit())) {
            text.chop(plain.zeroDigit().size());
        }
        if (text.endsWith(point)) {
            text.chop(point.size());
        }
    }
    return text;
}

std::optional<qint32> ColorValueFromText(const QString &text)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok) {
        return std::nullopt;
    }
    return ToInt32(value);
}

QString FlagText(bool on)
{
    return on ? QStringLiteral("-1") : QStringLiteral("0");
}

bool FlagSwitchesOn(const QString &text)
{
    return !text.isEmpty() && text != u"0";
}

qint64 KeptLength::twipsFor(int currentPixels, double twipsPerPixel) const
{
    if (currentPixels == pixels && twips == std::trunc(twips) && std::abs(twips) < 1e15) {
        return static_cast<qint64>(twips);
    }
    return static_cast<qint64>(RoundHalfEven(currentPixels * twipsPerPixel));
}

PlacementTwips ReadPlacement(const QString &file, const QString &section, const QSizeF &screenTwips,
                             const Log &log)
{
    PlacementTwips placement;
    placement.height =
        LeadingNumberValue(ReadIniValue(file, section, QStringLiteral("Height"), log));
    if (placement.height == 0) {
        placement.height = double(float(screenTwips.height()) / 4.0f * 3.0f);
    }
    placement.width = LeadingNumberValue(ReadIniValue(file, section, QStringLiteral("Width"), log));
    if (placement.width == 0) {
        placement.width = double(float(screenTwips.width()) / 4.0f * 3.0f);
    }
    placement.left = LeadingNumberValue(ReadIniValue(file, section, QStringLiteral("Left"), log));
    const std::optional<qint16> top =
        ToInt16(LeadingNumberValue(ReadIniValue(file, section, QStringLiteral("Top"), log)));
    placement.top = top.value_or(0);
    return placement;
}

void WritePlacement(SettingsWrites &writes, const QString &section, qint64 height, qint64 width,
                    qint64 left, qint64 top)
{
    writes.write(section, QStringLiteral("Height"), LengthText(height));
    writes.write(section, QStringLiteral("Width"), LengthText(width));
    writes.write(section, QStringLiteral("Left"), LengthText(left));
    writes.write(section, QStringLiteral("Top"), LengthText(top));
}
