#include "HelpText.h"

#include "common/ProgramFolders.h"

#include <QDir>
#include <QStringList>

QString HowToUseText(const ProgramFolders &folders)
{
    const QStringList lines = {
        QStringLiteral("   To Add To This List"),
        QStringLiteral("   ") + QString(51, u'-'),
        QStringLiteral("1. Drag and drop from List of items, or "),
        QStringLiteral("2. Tick the check box, or"),
        QStringLiteral("3. Double click in the list of items."),
        QString(),
        QStringLiteral("To remove an item from this list"),
        QString(54, u'-'),
        QStringLiteral("1. Select the item and Press the Delete key , or"),
        QStringLiteral("2. choose Item -> Remove Item from List from the menu"),
        QString(54, u'-'),
        QStringLiteral("To edit the Lists which you pick from simply use any text editor"),
        folders.installed ? QStringLiteral("and edit the .txt files in your catalogue folder,")
                          : QStringLiteral("and edit the .txt files in the program directory,"),
        QStringLiteral("   ") + QDir::toNativeSeparators(folders.catalogue),
        QStringLiteral("You can add more categories, but if you do, you should edit the"),
        QStringLiteral("main file  'headings.txt'"),
        QString(),
    };
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}
