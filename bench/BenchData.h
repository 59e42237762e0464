#pragma once

#include <QString>

// Writes the benchmark's program folders: a catalogue of 32767 nodes (100 headings, one of
// them with 30000 items) with list files whose first 32767 rows are all in it, and a copy of
// the bundled catalogue.
namespace BenchData {

inline constexpr int BigHeadingItems = 30000;

void writeLargeCatalogue(const QString &folder);
// Rows past the first 32767 are items of the user's own, in categories of 1,000 rows each.
void writeLargeListFile(const QString &fileName, int rows = 32767);
void copyBundledCatalogue(const QString &folder);

} // namespace BenchData
