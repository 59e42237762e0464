#include "ListFileCommands.h"

#include "ListFile.h"
#include "common/WaitCursor.h"
#include "platform/Platform.h"

#include <QDir>

namespace {

// The file dialogs are set up afresh each time; "*.SHP" is what the file name still holds
// when the user cancels.
const QString noFileChosen = QStringLiteral("*.SHP");

void setUpFileDialog(Platform &platform, const QString &title, const QString &startFolder)
{
    CommonDialog &dialog = platform.commonDialog();
    dialog.cancelError = true;
    dialog.dialogTitle = title;
    dialog.filter = QStringLiteral("*.shp");
    dialog.defaultExt = QStringLiteral("shp");
    dialog.fileName = noFileChosen;
    dialog.initDir = QDir::toNativeSeparators(startFolder);
}

bool fileChosen(const QString &fileName)
{
    return !fileName.isEmpty() && fileName != noFileChosen;
}

void tell(Platform &platform, const QString &text)
{
    MessageBoxRequest request;
    request.text = text;
    request.icon = MessageIcon::Exclamation;
    platform.messageBox(request);
}

// The list file separates its columns with commas, so a comma inside a quantity or an item
// splits it on reading. True when no row has one or the user wants to save anyway.
bool acceptCommas(Platform &platform, const ShoppingList &list)
{
    constexpr int namesShown = 3;
    QStringList names;
    int rows = 0;
    for (int position = 1; position <= list.count(); ++position) {
        const ListRow &row = list.row(position);
        if (row.quantity.contains(u',') || row.item.contains(u',')) {
            if (++rows <= namesShown) {
                names.append(QStringLiteral("\"") + row.item + QStringLiteral("\""));
            }
        }
    }
    if (rows == 0) {
        return true;
    }
    QString which = names.join(QStringLiteral(", "));
    if (rows > namesShown) {
        which += QStringLiteral(" and %1 more").arg(rows - namesShown);
    }
    MessageBoxRequest request;
    request.title = QStringLiteral("Saving Shopping List");
    request.text = QStringLiteral("The quantity or item of ") + which +
                   QStringLiteral(" holds a comma. A list file separates its columns with "
                                  "commas, so these rows will not read back as they are.\r\n"
                                  "Save anyway?");
    request.icon = MessageIcon::Exclamation;
    request.buttons = MessageButtons::YesNo;
    request.defaultAnswer = MessageAnswer::No;
    return platform.messageBox(request) == MessageAnswer::Yes;
}

} // namespace

std::optional<QString> AskListFileToOpen(Platform &platform, const QString &startFolder)
{
    setUpFileDialog(platform, QStringLiteral("Choose a shopping list to open"), startFolder);
    if (!platform.showOpen()) {
        return std::nullopt;
    }
    const QString fileName = platform.commonDialog().fileName;
    if (!fileChosen(fileName)) {
        return std::nullopt;
    }
    return fileName;
}

std::optional<QList<ListRow>> ReadListFileTelling(Platform &platform, const QString &fileName)
{
    const WaitCursor wait;
    QList<ListRow> rows;
    FileError error;
    if (!ReadListFile(fileName, rows, error)) {
        tell(platform, QStringLiteral("The shopping list ") + QDir::toNativeSeparators(fileName) +
                           QStringLiteral(" cannot be opened: ") + error.description +
                           QStringLiteral(".\r\nThe list on screen is unchanged."));
        return std::nullopt;
    }
    return rows;
}

std::optional<QString> SaveListFile(Platform &platform, const ShoppingList &list, const Log &log,
                                    const QString &startFolder)
{
    if (!acceptCommas(platform, list)) {
        return std::nullopt;
    }
    setUpFileDialog(platform, QStringLiteral("Saving Shopping List"), startFolder);
    const bool confirmed = platform.showSave();
    const WaitCursor wait;
    const QString fileName = platform.commonDialog().fileName;
    if (!confirmed || !fileChosen(fileName)) {
        return std::nullopt;
    }
    QString reason;
    if (!SaveListboxToFile(list, fileName, log, reason)) {
        tell(platform, QStringLiteral("The shopping list could not be saved to ") +
                           QDir::toNativeSeparators(fileName) + QStringLiteral(": ") + reason +
                           QStringLiteral(".\r\nAny file that was there is unchanged."));
        return std::nullopt;
    }
    return fileName;
}
