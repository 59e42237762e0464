#pragma once

#include "FormLayout.h"
#include "FormPlacement.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueLoadRecord.h"
#include "catalogue/TickHistory.h"
#include "common/ProgramFolders.h"
#include "list/ListHistory.h"
#include "list/ShoppingList.h"
#include "log/Log.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>

#include <memory>
#include <optional>

class CatalogueFindField;
class CatalogueView;
class ListAppearance;
class ListView;
class Platform;
class QLabel;
class SettingsWrites;
class StatusPanels;

// The main window, frmShopping: the catalogue tree on the left, the shopping list on the
// right, the status bar and the four menus. Every command of the program is one of its
// handlers, run from a menu entry, a shortcut or an event of the tree or the list; each calls
// the core and ends by refreshing the totals.
class ShoppingWindow final : public QMainWindow
{
    Q_OBJECT

public:
    ShoppingWindow(const ProgramFolders &folders, Platform &platform, QWidget *parent = nullptr);
    ~ShoppingWindow() override;

    // Start-up: places and shows the window, applies the list's saved view settings, loads
    // the catalogue and writes the totals.
    void Form_Load();
    void UpdateTotals();
    // Opens a list file named at start, as Open does once its dialog has named the file.
    void OpenListFile(const QString &fileName);
    // The system asks the program to end (the session ends, a signal): the settings are written
    // and the program ends at once, as after the last window closes; there is no one to ask.
    void endAtOnce();

    Catalogue &catalogue() { return m_catalogue; }
    ShoppingList &list() { return m_list; }
    const FormLayout &formLayout() const { return m_layout; }

signals:
    // Shut-down has written the settings; the program ends now.
    void programEnded();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void Form_Resize();
    void Form_Unload();
    // Writes the settings of one command, and logs it when they could not be written.
    void commitSettings(SettingsWrites &writes) const;
    void applyLayout();
    void loadCatalogue();
    void showHowToUse();
    bool rowIsSelected() const;
    // Asks to save a changed list before it is replaced or the program ends; false when the
    // user cancels or the save does not happen.
    bool listMayGo();
    QString settingsFile() const;
    void closeOtherWindows();

    // Menu handlers; the File, Item and Help menus dispatch on the entry's Index.
    void mnuFile_Click(int index);
    void mnuItem_Click(int index);
    void mnuHelp_Click(int index);
    void mnuHelpCatalog_Click();
    void mnuOptionFont_Click();
    void mnuOptionFontPrinter_Click();
    void optColorBack_Click();
    void mnuFilePdf_Click();
    void mnuEditFind_Click();
    void mnuEditAddOther_Click();
    void mnuEditCopyText_Click();
    // The routines of the design's hidden buttons, still run by menu commands.
    bool cmdOK_Click(); // true when the list was saved
    void cmdPrint_Click(int index);
    void cmdDelete_Click();
    void OpenList();
    void showListRead(const QString &fileName, std::optional<QList<ListRow>> rows);
    void addSelectedNode();
    void changeQuantity();
    // Edit menu: undo or redo one step; "+" and "-" on the selected row.
    void undoRedo(bool redo);
    void changeQuantityBy(int by);
    // The name of the undo step that adds a node: an item, or all the items of a heading.
    QString addStepName(int node) const;

    // Tree and list events.
    void tvShopping_DblClick();
    void tvShopping_NodeCheck(int position);
    void lvList_OLEDragDrop();
    void lvList_ColumnClick(int header);

    ProgramFolders m_folders;
    Platform &m_platform;
    Log m_log;
    Catalogue m_catalogue;
    CatalogueLoadRecord m_catalogueLoad; // lets a reload of unchanged files skip reading
    ShoppingList m_list;
    ListHistory m_history{m_list};
    TickHistory m_tickHistory{m_catalogue, m_history};
    FormLayout m_layout;
    FormPlacement m_placement{*this};
    bool m_ended = false;

    QLabel *m_lblTreeView = nullptr;
    QLabel *m_lblListView = nullptr;
    CatalogueView *m_tvShopping = nullptr;
    CatalogueFindField *m_txtFind = nullptr;
    ListView *m_lvList = nullptr;
    StatusPanels *m_panels = nullptr;
    std::unique_ptr<ListAppearance> m_listAppearance;
    // Windows of their own, without an owner, that close with the program: the product window,
    // made once and shown again on request, and the previews, each gone when the user closes it.
    QPointer<QWidget> m_productWindow;
    QList<QPointer<QWidget>> m_previews;
};
