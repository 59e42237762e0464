#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What the program is asked for when it starts: `shopping [FILE]`, or `--help` or `--version`.
struct CommandLine
{
    QString file; // the list file to open at start, as an absolute path; empty for none
    // Set when the program ends before it makes any window: 0 after the help or the version,
    // 2 after a mistake. What it prints then goes to the standard output after the help or
    // the version, to the standard error after a mistake.
    std::optional<int> exitCode;
    QString output;

    // The arguments as the program got them, its own name first.
    static CommandLine parse(const QStringList &arguments);
};
