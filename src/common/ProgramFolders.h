#pragma once

#include <QString>

// Where the program keeps its files, decided in this one place.
//
// Run from a folder that holds its catalogue ("headings.txt" beside the executable: a build, or
// a copy a user unpacked), the program keeps everything in that folder, the program folder:
// the settings, the log files and the catalogue, and the file dialogs start there.
//
// Installed (the executable in <prefix>/bin, the catalogue in <prefix>/share/shopping/catalogue),
// it keeps the same files in the user's own folders, as the XDG base directories say: the
// settings in $XDG_CONFIG_HOME/shopping, the log files in $XDG_STATE_HOME/shopping, the
// catalogue in $XDG_DATA_HOME/shopping (copied there at the first start), and the file dialogs
// start in the user's documents folder.
struct ProgramFolders
{
    // What the decision looks at.
    struct Environment
    {
        QString executableFolder;
        QString home;
        // The XDG variables as set; an empty or relative one counts as unset.
        QString configHome;
        QString stateHome;
        QString dataHome;
        QString documents; // the user's documents folder, which may not exist

        // The running program's.
        static Environment current();
    };

    bool installed = false;
    QString settings;  // holds shopping.ini
    QString log;       // holds the log files
    QString catalogue; // holds headings.txt and the category files
    // Installed only: the catalogue as installed, the copy a first start makes.
    QString installedCatalogue;
    QString dialogs; // where the Open and Save dialogs start

    // Everything in the one folder.
    static ProgramFolders inProgramFolder(const QString &folder);
    static ProgramFolders decide(const Environment &environment);

    // Installed only: makes the user's folders, and at a first start (no "headings.txt" in the
    // user's catalogue folder) copies into it every installed catalogue file it lacks, never
    // replacing a file that is there. When the user's folder still has no "headings.txt" after
    // that (it cannot be written), the catalogue is read where it was installed.
    void prepare();
};
