#pragma once

#include <QString>

// The text without the blanks (spaces only, not tabs or line ends) at its two ends: the
// trimming that settings values and printed quantities get.
inline QString TrimBlanks(const QString &text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text[from] == u' ') {
        ++from;
    }
    while (to > from && text[to - 1] == u' ') {
        --to;
    }
    return text.mid(from, to - from);
}
