#pragma once

#include "FormLayout.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>

#include <memory>

class Catalogue;
struct ListFileContext;
class ListAppearance;
class CatalogueModel;
class Log;
class Platform;
class QAction;
class QLabel;
class QTreeView;
class ShoppingList;
class ShoppingListModel;
class StatusPanels;

// The main window, frmShopping: the catalogue tree on the left, the shopping list on the
// right, the status bar and the four menus. Every command of the program is one of its
// handlers; each handler calls the core and ends by refreshing the totals.
class ShoppingWindow final : public QMainWindow
{
    Q_OBJECT

public:
    ShoppingWindow(const QString &programFolder, Platform &platform, QWidget *parent = nullptr);
    ~ShoppingWindow() override;

    // Start-up: places and shows the window, applies the list's saved view settings, loads
    // the catalogue and writes the totals.
    void Form_Load();

    Catalogue &catalogue() { return *m_catalogue; }
    ShoppingList &list() { return *m_list; }
    QString programFolder() const { return m_programFolder; }
    const FormLayout &formLayout() const { return m_layout; }

    // Menu handlers; the File, Item and Help menus dispatch on the item's index.
    void mnuFile_Click(int index);
    void mnuItem_Click(int index);
    void mnuHelp_Click(int index);
    void mnuHelpCatalog_Click();
    void mnuOptionFont_Click();
    void mnuOptionFontPrinter_Click();
    void optColorBack_Click();

    // The routines of the design's hidden buttons, still run by menu commands.
    void cmdOK_Click();
    void cmdPrint_Click(int index);
    void cmdDelete_Click();

    void OpenList();
    void UpdateTotals();

    // Tree and list events.
    void tvShopping_MouseDown(const QPoint &point);
    void tvShopping_DblClick();
    void tvShopping_NodeCheck(int position);
    void lvList_OLEDragDrop();
    void lvList_ColumnClick(int header);
    void lvList_DblClick();

    // The position of the tree's selected node (0 when none) and of the list's selected row
    // (0 when none).
    int selectedNode() const;
    int selectedRow() const;

signals:
    // Shut-down has written the settings; the program ends now.
    void programEnded();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createMenus();
    void createStatusBar();
    void Form_Resize();
    void Form_Unload();
    void applyLayout();
    void loadCatalogue();
    void showHowToUse();
    bool rowIsSelected() const;
    ListFileContext listFileContext();
    QString printerFontSetting(const QString &key) const;
    void closePreviews();

    QString m_programFolder;
    Platform &m_platform;
    std::unique_ptr<Log> m_log;
    Catalogue *m_catalogue = nullptr;
    ShoppingList *m_list = nullptr;
    CatalogueModel *m_catalogueModel = nullptr;
    ShoppingListModel *m_listModel = nullptr;

    QLabel *m_lblTreeView = nullptr;
    QLabel *m_lblListView = nullptr;
    QTreeView *m_tvShopping = nullptr;
    QTreeView *m_lvList = nullptr;
    StatusPanels *m_panels = nullptr;
    FormLayout m_layout;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    bool m_ended = false;
    bool m_selectionRemoved = false;
    QPointer<QWidget> m_productWindow;
    std::unique_ptr<ListAppearance> m_listAppearance;
    // Preview windows have no owner but close with the program.
    QList<QPointer<QWidget>> m_previews;
};
