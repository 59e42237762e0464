#pragma once

#include <QString>

#include <functional>

class Catalogue;
class Log;
class Platform;
class QWidget;
class ShoppingList;

// What the File menu's Open and Save List commands work on.
struct ListFileContext
{
    Platform &platform;
    ShoppingList &list;
    Catalogue &catalogue;
    const Log &log;
    QString programFolder;
    QWidget *tree;                       // hidden while a file is read
    std::function<void()> loadCatalogue; // rebuilds the catalogue, telling the user of problems
};

// Asks for a list file and replaces the list with its rows, ticking the catalogue items they
// name. A file that cannot be read is reported and changes nothing.
void OpenListFile(const ListFileContext &context);

// Asks for a file name and writes the list to it. A failed save is reported; the file that was
// there stays as it was.
void SaveListFile(const ListFileContext &context);
