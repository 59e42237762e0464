#pragma once

#include "Catalogue.h"
#include "CatalogueLoadRecord.h"

#include <QStringList>

class Log;

// Rebuilds the catalogue from the text files of the program folder: "headings.txt" names the
// categories, one line each, and "<category>.txt" lists the items of each. Every load starts
// from an empty tree, so all ticks are gone afterwards. Returns false when "headings.txt" is
// missing (the tree then holds only the root); the caller tells the user. A file that is
// there but could not be read whole (unreadable, too large, more items than the tree holds)
// goes to unreadFiles as "path: reason"; a missing category file is only logged.
//
// With a record, a load whose files are all as the recorded load found them, into the tree
// that load left unchanged since, gives the same tree, messages and result without reading.
bool LoadCatalogue(Catalogue &tree, const QString &programFolder, const Log &log,
                   QStringList *unreadFiles = nullptr, CatalogueLoadRecord *record = nullptr);

// What the user is told, once for a load, about the files it could not read.
QString UnreadCatalogueFilesText(const QStringList &unreadFiles);

// The largest catalogue file read; a larger one fails to load like an unreadable file. Far
// more than 32767 items of any sensible length, and small enough that no file renamed to
// ".txt" can make the program run out of memory.
constexpr qint64 MaximumCatalogueFileSize = 16 * 1024 * 1024;

// Reads one catalogue file from the program folder and adds a child with the given image
// under the first node whose text is parentText, one for each item line. Returns the file's
// caption (the text after ";" of its last caption line; empty when none). A failure is
// logged; the nodes added before it stay.
QString LoadTextIntoTree(Catalogue &tree, const QString &parentText, const QString &programFolder,
                         const QString &fileName, NodeImage image, const Log &log);

// What the user is told when "headings.txt" is missing.
QString MissingHeadingsText(const QString &programFolder);
QString MissingHeadingsTitle();
