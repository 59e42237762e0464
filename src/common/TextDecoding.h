#pragma once

#include <QByteArray>
#include <QLatin1StringView>
#include <QString>
#include <QStringList>

#include <optional>

// The program's text files (catalogue, list files) are read as UTF-8 when their bytes are
// valid UTF-8. Otherwise each line is read as UTF-8 when it is valid UTF-8 and as
// Windows-1252 when not, so that files from older systems keep their accents and one stray
// byte changes only its own line. Line ends are kept. A UTF-8 byte order mark at the start is
// dropped.
QString DecodeText(const QByteArray &bytes);

// Whether the bytes are UTF-8 through and through; bytes that end in the middle of a
// character are not.
bool IsValidUtf8(QByteArrayView bytes);

// Windows-1252 both ways. The five bytes it leaves undefined stand for the control characters
// of the same number, as on Windows; a character it cannot hold gives nothing.
QString DecodeWindows1252(QByteArrayView bytes);
std::optional<QByteArray> EncodeWindows1252(QStringView text);

// Splits a text into lines. Carriage return, carriage return + line feed and a lone line feed
// each end a line; the terminator is not part of the line. A last line without terminator
// is still a line; a terminator at the very end gives no extra empty line.
QStringList SplitLines(const QString &text);

// How many lines SplitLines gives for the text of these bytes, counted on the bytes: line ends
// are the same bytes in UTF-8 and in Windows-1252.
qsizetype LineCount(QByteArrayView bytes);

// Whether every byte is below 0x80: such bytes read the same as UTF-8, Windows-1252 and Latin-1.
bool IsAscii(QByteArrayView bytes);

// The index of the first carriage return or line feed at or after from; the size when none.
qsizetype FindLineEnd(QByteArrayView bytes, qsizetype from);

// Calls fn(QStringView line) for each line of text, by the same rules as SplitLines, without
// copying the lines; fn returns false to stop.
template<typename Fn> void ForEachLine(QStringView text, Fn fn)
{
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            if (!fn(text.sliced(start, i - start))) {
                return;
            }
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < n) {
        fn(text.sliced(start));
    }
}

// The same over one-byte text, looking for line ends a machine word at a time.
template<typename Fn> void ForEachLine(QLatin1StringView text, Fn fn)
{
    const QByteArrayView bytes(text.data(), text.size());
    const qsizetype n = bytes.size();
    qsizetype start = 0;
    while (start < n) {
        qsizetype end = FindLineEnd(bytes, start);
        if (!fn(text.sliced(start, end - start)) || end == n) {
            return;
        }
        if (bytes[end] == '\r' && end + 1 < n && bytes[end + 1] == '\n') {
            ++end;
        }
        start = end + 1;
    }
}
