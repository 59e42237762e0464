// The leading-number value of any text: always a finite number, the same as the C library's
// reading of the cleaned-up text, and stable through the shortest decimal form.
#include "FuzzCheck.h"
#include "common/NumberText.h"

#include <QRegularExpression>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

// The C library's reading of the number the text starts with, once blanks, tabs and line feeds
// are taken out (the process runs in the C locale, so the decimal point is a full stop).
double libraryReading(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("[ \\t\\n]")));
    static const QRegularExpression number(
        QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eEdD][+-]?[0-9]+)?"));
    QString digits = number.match(text).captured();
    if (digits.isEmpty()) {
        return 0;
    }
    digits.replace(u'd', u'e').replace(u'D', u'e');
    const double value = std::strtod(digits.toLatin1().constData(), nullptr);
    return std::clamp(value, std::numeric_limits<double>::lowest(),
                      std::numeric_limits<double>::max());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const double value = LeadingNumberValue(text);
    check(std::isfinite(value));
    check(value == libraryReading(text));

    // Appending text after a number that ends in a letter other than an exponent never changes it.
    check(LeadingNumberValue(text + QStringLiteral("x")) == value || text.contains(u'e') ||
          text.contains(u'E') || text.contains(u'd') || text.contains(u'D'));

    // The shortest decimal form reads back to the same number at 15 significant digits.
    const QString written = ShortestDecimal(value);
    const double reread = LeadingNumberValue(written);
    check(std::isfinite(reread));
    check(value == 0 ? reread == 0 : std::fabs(reread - value) <= std::fabs(value) * 1e-14);
    check(ShortestDecimal(reread) == written);

    // Rounding half to even stays a whole number and within half of the value.
    const double rounded = RoundHalfEven(value);
    check(rounded == std::floor(rounded));
    check(std::fabs(rounded - value) <= 0.5);
    return 0;
}
