#include "TextDecoding.h"

#include <QStringDecoder>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <bit>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F. The five bytes it leaves undefined
// map to the control characters of the same number, as Windows does.
constexpr std::array<char16_t, 32> windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Eight bytes at a time: a word holds 0x80 in each byte that equals the one looked for, and
// nothing elsewhere (a byte's neighbours never carry into it).
constexpr quint64 everyByte = 0x0101010101010101u;
constexpr quint64 lowSeven = 0x7F7F7F7F7F7F7F7Fu;

quint64 wordAt(const char *bytes)
{
    return qFromLittleEndian<quint64>(bytes); // byte i in bits 8 i to 8 i + 7
}

quint64 bytesEqual(quint64 word, unsigned char byte)
{
    const quint64 x = word ^ (everyByte * byte);
    return ~(((x & lowSeven) + lowSeven) | x | lowSeven);
}

// How many bytes of a word bytesEqual marked.
qsizetype marked(quint64 bits)
{
    return qsizetype(((bits >> 7) * everyByte) >> 56);
}

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

qsizetype LineCount(QByteArrayView bytes)
{
    // Every carriage return and line feed ends a line, but for the line feed of a pair.
    const char *data = bytes.data();
    const qsizetype n = bytes.size();
    qsizetype ends = 0;
    qsizetype i = 0;
    quint64 returnBefore = 0; // 0x80 when the byte before the word is a carriage return
    for (; i + 8 <= n; i += 8) {
        const quint64 word = wordAt(data + i);
        const quint64 returns = bytesEqual(word, '\r');
        const quint64 feeds = bytesEqual(word, '\n');
        if ((returns | feeds) != 0) {
            ends += marked(returns | feeds) - marked(((returns << 8) | returnBefore) & feeds);
        }
        returnBefore = returns >> 56;
    }
    for (; i < n; ++i) {
        if (data[i] == '\r' || (data[i] == '\n' && (i == 0 || data[i - 1] != '\r'))) {
            ++ends;
        }
    }
    return n > 0 && data[n - 1] != '\r' && data[n - 1] != '\n' ? ends + 1 : ends;
}

bool IsAscii(QByteArrayView bytes)
{
    const char *data = bytes.data();
    const qsizetype n = bytes.size();
    quint64 all = 0;
    qsizetype i = 0;
    for (; i + 8 <= n; i += 8) {
        all |= wordAt(data + i);
    }
    for (; i < n; ++i) {
        all |= static_cast<unsigned char>(data[i]);
    }
    return (all & ~lowSeven) == 0;
}

qsizetype FindLineEnd(QByteArrayView bytes, qsizetype from)
{
    const char *data = bytes.data();
    const qsizetype n = bytes.size();
    qsizetype i = from;
    for (; i + 8 <= n; i += 8) {
        const quint64 word = wordAt(data + i);
        const quint64 ends = bytesEqual(word, '\r') | bytesEqual(word, '\n');
        if (ends != 0) {
            return i + std::countr_zero(ends) / 8;
        }
    }
    for (; i < n; ++i) {
        if (data[i] == '\r' || data[i] == '\n') {
            return i;
        }
    }
    return n;
}
