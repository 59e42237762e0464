#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The program's text files (catalogue, list files) are read as UTF-8 when their bytes are
// valid UTF-8 and as Windows-1252 otherwise, so files from older systems keep their accents.
// A UTF-8 byte order mark at the start is dropped.
QString DecodeText(const QByteArray &bytes);

// Splits a text into lines. Carriage return, carriage return + line feed and a lone line feed
// each end a line; the terminator is not part of the line. A last line without terminator
// is still a line; a terminator at the very end gives no extra empty line.
QStringList SplitLines(const QString &text);

// How many lines SplitLines gives for the text of these bytes, counted on the bytes: line ends
// are the same bytes in UTF-8 and in Windows-1252.
qsizetype LineCount(const QByteArray &bytes);
