#pragma once

#include "ShoppingList.h"

#include <QList>
#include <QString>

#include <optional>

class Log;
class Platform;

// The File menu's Open and Save List commands, up to the point where the main window takes
// over. Both start their file dialog in startFolder and tell the user of their own failures.

// Asks for a list file to open: its name, nothing when the user cancels.
std::optional<QString> AskListFileToOpen(Platform &platform, const QString &startFolder);

// Reads the rows of the named list file, as Open does once its dialog has named it: nothing when
// the file cannot be read, and the user is told why.
std::optional<QList<ListRow>> ReadListFileTelling(Platform &platform, const QString &fileName);

// Asks for a file name and writes the list to it; the file's name when the list is on the disk.
// Rows whose quantity or item holds a comma cannot be read back as they are: the user is told which
// and may stop the save. A failed save is reported; the file that was there stays as it was.
std::optional<QString> SaveListFile(Platform &platform, const ShoppingList &list, const Log &log,
                                    const QString &startFolder);
