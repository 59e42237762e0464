#pragma once

#include <QString>

// Writes the benchmark's program folders: a catalogue of 32767 nodes (100 headings, one of
// them with 30000 items) with a 32767-row list file whose rows are all in it, and a catalogue
// the size of the bundled one.
namespace BenchData {

inline constexpr int BigHeadingItems = 30000;

void writeLargeCatalogue(const QString &folder);
void writeLargeListFile(const QString &fileName);
void writeDefaultSizeCatalogue(const QString &folder);

} // namespace BenchData
