#pragma once

#include <QString>

struct ProgramFolders;

// The how-to text of Help > "How to use this program" and of a double click in the list. It
// names the folder of the catalogue files.
QString HowToUseText(const ProgramFolders &folders);
