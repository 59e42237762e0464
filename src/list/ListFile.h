#pragma once

#include "ShoppingList.h"
#include "common/FileAccess.h"

#include <QList>

class Log;

// A list file holds one row a line, in display order: the quantity, the item and the category,
// each followed by a comma, then carriage return and line feed. Nothing is quoted, so a comma
// inside the quantity or the item does not survive a save and an open. An empty list is an
// empty file. Written as UTF-8; read as UTF-8 when valid, Windows-1252 otherwise.

// Cuts one line into a row. The quantity is the text before the first comma, the item the text
// up to the next comma, and the category the rest of the line less its last character (the
// comma the writer puts there, whatever it really is). A line with one comma gives a quantity
// and an item, a line without comma only a quantity.
ListRow CutListLine(QStringView line);

// The largest list file an Open reads, in bytes and in lines: far more than a week's list,
// and small enough that no file can make the program run out of memory. A larger file is
// refused as too large and the list on screen stays.
constexpr qint64 MaximumListFileSize = 64 * 1024 * 1024;
constexpr qsizetype MaximumListFileRows = 1024 * 1024;

// Reads every row of a list file; false with the reason when it cannot be read.
bool ReadListFile(const QString &fileName, QList<ListRow> &rows, FileError &error);

// Writes the list to fileName, replacing the file only once the whole list is written: a
// failure leaves any file that was there as it was. Logs the save (level 3) first.
bool SaveListboxToFile(const ShoppingList &list, const QString &fileName, const Log &log,
                       QString &reason);
