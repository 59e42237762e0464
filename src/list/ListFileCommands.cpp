#include "ListFileCommands.h"

#include "ListFile.h"
#include "ShoppingList.h"
#include "app/Platform.h"
#include "catalogue/Catalogue.h"
#include "common/WaitCursor.h"

#include <QDir>
#include <QWidget>

namespace {

// The file dialogs are set up afresh each time; "*.SHP" is what the file name still holds
// when the user cancels.
const QString noFileChosen = QStringLiteral("*.SHP");

void setUpFileDialog(Platform &platform, const QString &title, const QString &programFolder)
{
    CommonDialog &dialog = platform.commonDialog();
    dialog.cancelError = true;
    dialog.dialogTitle = title;
    dialog.filter = QStringLiteral("*.shp");
    dialog.defaultExt = QStringLiteral("shp");
    dialog.fileName = noFileChosen;
    dialog.initDir = QDir::toNativeSeparators(programFolder);
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

void OpenListFile(const ListFileContext &context)
{
    setUpFileDialog(context.platform, QStringLiteral("Choose a shopping list to open"),
                    context.programFolder);
    if (!context.platform.showOpen()) {
        return;
    }
    const QString fileName = context.platform.commonDialog().fileName;
    if (!fileChosen(fileName)) {
        return;
    }
    const WaitCursor wait;
    // Read first: a file that cannot be read must not cost the user the list on screen.
    QList<ListRow> rows;
    FileError error;
    if (!ReadListFile(fileName, rows, error)) {
        tell(context.platform, QStringLiteral("The shopping list ") +
                                   QDir::toNativeSeparators(fileName) +
                                   QStringLiteral(" cannot be opened: ") + error.description +
                                   QStringLiteral(".\r\nThe list on screen is unchanged."));
        return;
    }
    context.tree->setVisible(false);
    context.list.clear();
    {
        // The tree is rebuilt and ticked at once: its view hears of it when it is done.
        const Catalogue::Rebuild rebuild(context.catalogue, Catalogue::Rebuild::KeepNodes);
        context.loadCatalogue();
        for (ListRow &row : rows) {
            const int node = TickCatalogueItem(context.catalogue, row.category, row.item);
            if (node != 0) {
                row.item = context.catalogue.node(node).text; // the same text, shared
            }
        }
        context.list.append(std::move(rows));
    }
    context.tree->setVisible(true);
}

void SaveListFile(const ListFileContext &context)
{
    setUpFileDialog(context.platform, QStringLiteral("Saving Shopping List"),
                    context.programFolder);
    const bool confirmed = context.platform.showSave();
    const WaitCursor wait;
    const QString fileName = context.platform.commonDialog().fileName;
    if (!confirmed || !fileChosen(fileName)) {
        return;
    }
    QString reason;
    if (!SaveListboxToFile(context.list, fileName, context.log, reason)) {
        tell(context.platform, QStringLiteral("The shopping list could not be saved to ") +
                                   QDir::toNativeSeparators(fileName) + QStringLiteral(": ") +
                                   reason +
                                   QStringLiteral(".\r\nAny file that was there is unchanged."));
    }
}
