#include "TextDecoding.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F. The five bytes it leaves undefined
// map to the control characters of the same number, as Windows does.
constexpr std::array<char16_t, 32> windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

bool IsValidUtf8(QByteArrayView bytes)
{
    // Stateless: bytes that end in the middle of a character are an error, not a character
    // still to come.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString ignored = utf8.decode(bytes);
    return !utf8.hasError();
}

QString DecodeText(const QByteArray &bytes)
{
    // Stateless: bytes that end in the middle of a character are an error, not a character
    // still to come.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        return text;
    }
    // Line by line: one line from an editor of another encoding spoils only itself.
    text.clear();
    text.reserve(bytes.size());
    const qsizetype n = bytes.size();
    qsizetype start = 0;
    while (start < n) {
        qsizetype end = start;
        while (end < n && bytes[end] != '\r' && bytes[end] != '\n') {
            ++end;
        }
        const QByteArrayView line(bytes.constData() + start, end - start);
        // Only the file's first line may open with a byte order mark that is dropped.
        QStringDecoder lineDecoder(QStringDecoder::Utf8,
                                   start == 0 ? QStringDecoder::Flag::Stateless
                                              : QStringDecoder::Flag::Stateless |
                                                    QStringDecoder::Flag::ConvertInitialBom);
        const QString decoded = lineDecoder.decode(line);
        text += lineDecoder.hasError() ? DecodeWindows1252(line) : decoded;
        for (; end < n && (bytes[end] == '\r' || bytes[end] == '\n'); ++end) {
            text += QLatin1Char(bytes[end]);
        }
        start = end;
    }
    return text;
}

QString DecodeWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        *out++ = (b >= 0x80 && b <= 0x9F) ? QChar(windows1252High[b - 0x80u]) : QChar(char16_t(b));
    }
    return text;
}

std::optional<QByteArray> EncodeWindows1252(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes.append(static_cast<char>(u));
            continue;
        }
        const auto found = std::find(windows1252High.cbegin(), windows1252High.cend(), u);
        if (found == windows1252High.cend()) {
            return std::nullopt;
        }
        bytes.append(static_cast<char>(0x80 + (found - windows1252High.cbegin())));
    }
    return bytes;
}

QStringList SplitLines(const QString &text)
{
    QStringList lines;
    ForEachLine(text, [&lines](QStringView line) {
        lines.append(line.toString());
        return true;
    });
    return lines;
}

qsizetype LineCount(const QByteArray &bytes)
{
    qsizetype lines = 0;
    const qsizetype n = bytes.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            ++lines;
            if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    return start < n ? lines + 1 : lines;
}
