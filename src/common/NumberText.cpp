#include "NumberText.h"

#include <algorithm>
#include <cctype>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace {

bool isSkipped(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

double LeadingNumberValue(QStringView text)
{
    // Most quantities are a few plain digits.
    if (!text.isEmpty() && text.size() <= 9 &&
        std::all_of(text.begin(), text.end(), [](QChar c) { return isDigit(c); })) {
        int value = 0;
        for (const QChar c : text) {
            value = value * 10 + (c.unicode() - u'0');
        }
        return value;
    }
    // Collect the characters that form the number, dropping skipped ones, then let the C
    // library convert the clean text. The text is cut at the first character that cannot
    // continue the number.
    std::string number;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto skip = [&] {
        while (i < n && isSkipped(text[i])) {
            ++i;
        }
    };
    skip();
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        number += static_cast<char>(text[i].unicode());
        ++i;
    }
    bool digits = false;
    bool point = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (isSkipped(c)) {
            continue;
        }
        if (isDigit(c)) {
            digits = true;
            number += static_cast<char>(c.unicode());
        } else if (c == u'.' && !point) {
            point = true;
            number += '.';
        } else {
            break;
        }
    }
    if (!digits) {
        return 0.0;
    }
    // An exponent counts only when at least one digit follows it.
    if (i < n && (text[i] == u'e' || text[i] == u'E' || text[i] == u'd' || text[i] == u'D')) {
        std::string exponent = "e";
        qsizetype j = i + 1;
        auto skipInExponent = [&] {
            while (j < n && isSkipped(text[j])) {
                ++j;
            }
        };
        skipInExponent();
        if (j < n && (text[j] == u'+' || text[j] == u'-')) {
            exponent += static_cast<char>(text[j].unicode());
            ++j;
        }
        bool exponentDigits = false;
        for (; j < n; ++j) {
            const QChar c = text[j];
            if (isSkipped(c)) {
                continue;
            }
            if (!isDigit(c)) {
                break;
            }
            exponentDigits = true;
            // Leading zeros are left out, so that the digits kept are the significant ones;
            // ten of those already make any number overflow or vanish.
            const bool leadingZero =
                c == u'0' && !std::isdigit(static_cast<unsigned char>(exponent.back()));
            if (!leadingZero && exponent.size() < 12) {
                exponent += static_cast<char>(c.unicode());
            }
        }
        if (exponentDigits) {
            number += exponent;
        }
    }
    // The program runs under the user's locale; numbers in texts always use a full stop.
    static const locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", locale_t(nullptr));
    const double value = strtod_l(number.c_str(), nullptr, cLocale);
    // Too large a number stands for the largest one there is rather than for infinity.
    return std::clamp(value, std::numeric_limits<double>::lowest(),
                      std::numeric_limits<double>::max());
}

double RoundHalfEven(double value)
{
    // The default floating point rounding mode rounds halves to even.
    return std::nearbyint(value);
}

std::optional<qint16> ToInt16(double value)
{
    const double rounded = RoundHalfEven(value);
    if (!(rounded >= std::numeric_limits<qint16>::min() &&
          rounded <= std::numeric_limits<qint16>::max())) {
        return std::nullopt;
    }
    return static_cast<qint16>(rounded);
}

std::optional<qint32> ToInt32(double value)
{
    const double rounded = RoundHalfEven(value);
    if (!(rounded >= std::numeric_limits<qint32>::min() &&
          rounded <= std::numeric_limits<qint32>::max())) {
        return std::nullopt;
    }
    return static_cast<qint32>(rounded);
}

QString ShortestDecimal(double value)
{
    if (std::isnan(value)) {
        return QStringLiteral("0");
    }
    if (std::isinf(value)) {
        return value > 0 ? QStringLiteral("1.79769313486232E+308")
                         : QStringLiteral("-1.79769313486232E+308");
    }
    // Whole numbers below 1E+15 are their digits; the general form is only needed otherwise.
    if (std::fabs(value) < 1e15 && value == std::trunc(value)) {
        return QString::number(qint64(value));
    }
    QString text = QString::number(value, 'g', 15);
    // 'g' writes "1e+15" and "1e-05"; the program writes "1E+15" and "1E-05".
    const qsizetype e = text.indexOf(u'e');
    if (e >= 0) {
        text[e] = u'E';
    }
    if (text == QStringLiteral("-0")) {
        text = QStringLiteral("0");
    }
    return text;
}

QString LengthText(qint64 value)
{
    return value < 0 ? QString::number(value) : u' ' + QString::number(value);
}
