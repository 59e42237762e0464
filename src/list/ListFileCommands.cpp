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

} // namespace

std::optional<QList<ListRow>> AskAndReadListFile(Platform &platform, const QString &startFolder)
{
    setUpFileDialog(platform, QStringLiteral("Choose a shopping list to open"), startFolder);
    if (!platform.showOpen()) {
        return std::nullopt;
    }
    const QString fileName = platform.commonDialog().fileName;
    if (!fileChosen(fileName)) {
        return std::nullopt;
    }
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

void SaveListFile(Platform &platform, const ShoppingList &list, const Log &log,
                  const QString &startFolder)
{
    setUpFileDialog(platform, QStringLiteral("Saving Shopping List"), startFolder);
    const bool confirmed = platform.showSave();
    const WaitCursor wait;
    const QString fileName = platform.commonDialog().fileName;
    if (!confirmed || !fileChosen(fileName)) {
        return;
    }
    QString reason;
    if (!SaveListboxToFile(list, fileName, log, reason)) {
        tell(platform, QStringLiteral("The shopping list could not be saved to ") +
                           QDir::toNativeSeparators(fileName) + QStringLiteral(": ") + reason +
                           QStringLiteral(".\r\nAny file that was there is unchanged."));
    }
}
