#pragma once

#include <QString>
#include <QStringList>

class Catalogue;

// Changes to the catalogue's own files, made for the user.

// The headings' texts as the tree shows them, in order, each once; empty ones left out.
QStringList HeadingTexts(const Catalogue &tree);

// Keeps item in the catalogue under the heading the tree shows as category: its line is
// appended to that heading's file (made, with its caption, when it is missing). For a category
// no heading shows, a line is appended to "headings.txt" and a new file made with the category
// as its caption and the item. An item the heading holds already is not added again. Each file
// keeps its encoding (UTF-8, or Windows-1252 when it is not valid UTF-8) and its line ends (a
// new file takes those of "headings.txt"), and is replaced safely. Then the tree gets the new
// nodes; ticks and everything else stay.
//
// Returns the position of the item's node. On failure returns 0 and the reason, and no file
// and no node has changed.
int KeepItemInCatalogue(Catalogue &tree, const QString &folder, const QString &category,
                        const QString &item, QString &reason);
