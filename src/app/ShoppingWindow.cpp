#include "ShoppingWindow.h"

#include "HelpText.h"
#include "ListAppearance.h"
#include "MainMenu.h"
#include "StatusPanels.h"
#include "about/AboutBox.h"
#include "about/ProductWindow.h"
#include "about/VersionInfo.h"
#include "catalogue/CatalogueFindField.h"
#include "catalogue/CatalogueLoader.h"
#include "catalogue/CatalogueView.h"
#include "catalogue/OtherItemCommand.h"
#include "catalogue/Picking.h"
#include "common/Twips.h"
#include "common/WaitCursor.h"
#include "config/PrinterFontSettings.h"
#include "config/Settings.h"
#include "list/ListFileCommands.h"
#include "list/ListOperations.h"
#include "list/ListView.h"
#include "platform/Platform.h"
#include "print/ChecklistText.h"
#include "print/PrintCommands.h"
#include "print/PrintoutWindow.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

ShoppingWindow::ShoppingWindow(const ProgramFolders &folders, Platform &platform, QWidget *parent)
    : QMainWindow(parent), m_folders(folders), m_platform(platform),
      m_log(folders.log, QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName())
{
    setObjectName(QStringLiteral("frmShopping"));
    setWindowTitle(ProductName());
    setWindowIcon(QIcon(QStringLiteral(":/icons/shopping.png")));
    createControls();
    CreateMainMenus(*this,
                    {[this](int index) { mnuFile_Click(index); },
                     [this](int index) { mnuItem_Click(index); },
                     [this](int index) { mnuHelp_Click(index); }, [this] { mnuOptionFont_Click(); },
                     [this] { mnuOptionFontPrinter_Click(); }, [this] { optColorBack_Click(); },
                     [this] { mnuHelpCatalog_Click(); }, [this] { undoRedo(false); },
                     [this] { undoRedo(true); }, [this] { changeQuantityBy(1); },
                     [this] { changeQuantityBy(-1); }, [this] { mnuFilePdf_Click(); },
                     [this] { mnuEditFind_Click(); }, [this] { mnuEditAddOther_Click(); },
                     [this] { mnuEditCopyText_Click(); }});
    auto showUndoRedo = [this] { ShowUndoRedo(*this, m_history.undoName(), m_history.redoName()); };
    connect(&m_history, &ListHistory::changed, this, showUndoRedo);
    showUndoRedo();
    m_panels = new StatusPanels(*statusBar(), m_layout.statusBarHeight);
    // The designed inner area: 9420 x 5280 twips below the menu bar.
    resize(TwipsToPixelsX(9420), TwipsToPixelsY(5280) + menuBar()->sizeHint().height());
}

ShoppingWindow::~ShoppingWindow()
{
    closeOtherWindows();
    // The views go while the catalogue and the list they show are still there.
    delete takeCentralWidget();
}

void ShoppingWindow::closeOtherWindows()
{
    delete m_productWindow;
    for (const QPointer<QWidget> &preview : std::as_const(m_previews)) {
        delete preview;
    }
    m_previews.clear();
}

void ShoppingWindow::createControls()
{
    auto *client = new QWidget(this);
    setCentralWidget(client);

    auto makeLabel = [client](const char *name, const char *caption) {
        auto *label = new QLabel(QString::fromLatin1(caption), client);
        label->setObjectName(QString::fromLatin1(name));
        label->setFont(DesignFont(QStringLiteral("Comic Sans MS"), 14.25));
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return label;
    };
    m_lblTreeView = makeLabel("lblTreeView", " Pick from this List of Items");
    m_lblListView = makeLabel("lblListView", " Todays Shopping List");

    const QFont listFont = DesignFont(QStringLiteral("MS Sans Serif"), 9.75);
    m_tvShopping = new CatalogueView(m_catalogue, client);
    m_tvShopping->setFont(listFont);
    connect(m_tvShopping, &CatalogueView::nodeCheck, this, &ShoppingWindow::tvShopping_NodeCheck);
    connect(m_tvShopping, &CatalogueView::dblClick, this, &ShoppingWindow::tvShopping_DblClick);
    m_txtFind = new CatalogueFindField(m_catalogue, *m_tvShopping, client);
    m_txtFind->setFont(listFont);
    connect(m_txtFind, &CatalogueFindField::shownChanged, this, &ShoppingWindow::applyLayout);
    connect(m_txtFind, &CatalogueFindField::addFound, this, &ShoppingWindow::tvShopping_DblClick);

    m_lvList = new ListView(m_list, client);
    m_lvList->setFont(listFont);
    m_lvList->setVisible(false); // shown at the end of start-up
    m_listAppearance = std::make_unique<ListAppearance>(*m_lvList);
    connect(m_lvList, &ListView::oleDragDrop, this, &ShoppingWindow::lvList_OLEDragDrop);
    connect(m_lvList, &ListView::dblClick, this, &ShoppingWindow::showHowToUse);
    connect(m_lvList->header(), &QHeaderView::sectionClicked, this,
            [this](int section) { lvList_ColumnClick(section + 1); });

    setTabOrder(m_lvList, m_tvShopping);
    applyLayout();
}

QString ShoppingWindow::settingsFile() const
{
    return SettingsFilePath(m_folders.settings);
}

void ShoppingWindow::commitSettings(SettingsWrites &writes) const
{
    if (QString reason; !writes.commit(reason)) {
        m_log.LogMessage(QStringLiteral("Warning - settings not saved to ") + settingsFile() +
                             QStringLiteral(" : ") + reason,
                         3);
    }
}

void ShoppingWindow::Form_Load()
{
    m_placement.RestoreFormPlacement(settingsFile(), m_platform.screenSizeTwips(), m_log);
    show();
    QCoreApplication::processEvents();
    m_listAppearance->ReadColumnWidths(settingsFile(), m_log);
    m_listAppearance->ReadFont(settingsFile(), m_log);
    QCoreApplication::processEvents();
    m_lvList->setVisible(true);
    // Told once a start, over the window already in its place: every read and write of the settings
    // passes such a file by.
    if (const std::optional<QString> problem = SettingsFileProblem(settingsFile())) {
        MessageBoxRequest request;
        request.text = *problem;
        request.icon = MessageIcon::Exclamation;
        m_platform.messageBox(request);
    }
    loadCatalogue();
    UpdateTotals();
}

void ShoppingWindow::Form_Unload()
{
    SettingsWrites writes(settingsFile());
    m_placement.SaveFormPlacement(writes);
    m_listAppearance->WriteColumnWidths(writes);
    m_listAppearance->WriteFont(writes);
    commitSettings(writes);
    m_ended = true;
    closeOtherWindows();
    emit programEnded();
}

void ShoppingWindow::endAtOnce()
{
    if (!m_ended) {
        Form_Unload();
    }
}

void ShoppingWindow::closeEvent(QCloseEvent *event)
{
    if (!m_ended) {
        if (!listMayGo()) {
            event->ignore();
            return;
        }
        Form_Unload();
    }
    event->accept();
}

bool ShoppingWindow::listMayGo()
{
    if (!m_list.isChanged()) {
        return true;
    }
    MessageBoxRequest request;
    request.title = QStringLiteral("Unsaved Shopping List");
    request.text = QStringLiteral("Save the changes to the shopping list first?");
    request.icon = MessageIcon::Question;
    request.buttons = MessageButtons::SaveDiscardCancel;
    request.defaultAnswer = MessageAnswer::Save;
    switch (m_platform.messageBox(request)) {
    case MessageAnswer::Save:
        return cmdOK_Click();
    case MessageAnswer::Discard:
        return true;
    default:
        return false;
    }
}

void ShoppingWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void ShoppingWindow::Form_Resize()
{
    if (centralWidget() == nullptr) {
        return;
    }
    const float innerHeight =
        float((centralWidget()->height() + statusBar()->height()) * TwipsPerPixelY());
    const float innerWidth = float(centralWidget()->width() * TwipsPerPixelX());
    ApplyResizeRule(m_layout, innerHeight, innerWidth);
    applyLayout();
}

void ShoppingWindow::applyLayout()
{
    m_lblTreeView->setGeometry(ToPixels(m_layout.lblTreeView));
    m_lblListView->setGeometry(ToPixels(m_layout.lblListView));
    QRect tree = ToPixels(m_layout.tvShopping);
    if (m_txtFind->isVisibleTo(this)) {
        // The find field takes the top of the tree's place.
        const int height = m_txtFind->sizeHint().height();
        m_txtFind->setGeometry(tree.x(), tree.y(), tree.width(), height);
        tree.setTop(tree.top() + height);
    }
    m_tvShopping->setGeometry(tree);
    m_lvList->setGeometry(ToPixels(m_layout.lvList));
}

void ShoppingWindow::loadCatalogue()
{
    QStringList unreadFiles;
    if (!LoadCatalogue(m_catalogue, m_folders.catalogue, m_log, &unreadFiles, &m_catalogueLoad)) {
        MessageBoxRequest request;
        request.text = MissingHeadingsText(m_folders.catalogue);
        request.title = MissingHeadingsTitle();
        request.icon = MessageIcon::Critical;
        m_platform.messageBox(request);
    } else if (!unreadFiles.isEmpty()) {
        MessageBoxRequest request;
        request.text = UnreadCatalogueFilesText(unreadFiles);
        request.icon = MessageIcon::Exclamation;
        m_platform.messageBox(request);
    }
}

void ShoppingWindow::UpdateTotals()
{
    const ListTotals totals = ComputeTotals(m_list);
    m_panels->setText(StatusPanels::TotalQuantity, TotalQuantityText(totals.total));
    m_panels->setText(StatusPanels::RowCount, RowCountText(totals.rows));
}

void ShoppingWindow::mnuFile_Click(int index)
{
    const WaitCursor wait;
    switch (index) {
    case FileMenu::NewList:
        if (listMayGo()) {
            const ListHistory::Step step(m_history, QStringLiteral("New List"));
            m_list.clear();
            m_list.setUnchanged();
            loadCatalogue();
        }
        break;
    case FileMenu::Open:
        OpenList();
        break;
    case FileMenu::SaveList:
        cmdOK_Click();
        break;
    case FileMenu::PrintPreview:
        cmdPrint_Click(PrintButton::Preview);
        break;
    case FileMenu::Print:
        cmdPrint_Click(PrintButton::Printer);
        break;
    case FileMenu::Exit:
        close();
        return;
    default:
        break;
    }
    UpdateTotals();
}

void ShoppingWindow::mnuItem_Click(int index)
{
    switch (index) {
    case ItemMenu::AddNewItem:
        addSelectedNode();
        break;
    case ItemMenu::ChangeQuantity:
        changeQuantity();
        break;
    case ItemMenu::RemoveItem:
        cmdDelete_Click();
        break;
    default:
        break;
    }
    UpdateTotals();
}

void ShoppingWindow::addSelectedNode()
{
    const int node = m_tvShopping->selectedNode();
    if (node == 0) {
        return;
    }
    const ListHistory::Step step(m_history, addStepName(node));
    const ShoppingList::Batch batch(m_list);
    if (m_catalogue.isItem(node)) {
        AddItemToList(m_catalogue, node, m_list);
    } else if (node > 1) {
        AddChildItems(m_catalogue, node, m_list);
    }
}

void ShoppingWindow::changeQuantity()
{
    if (!rowIsSelected()) {
        return;
    }
    const int row = m_lvList->selectedRow();
    const std::optional<QString> answer =
        m_platform.inputBox(QStringLiteral("Enter new Quantity for ") + m_list.row(row).item,
                            QStringLiteral("Changing Quantity"), m_list.row(row).quantity);
    if (answer && answer->contains(u',')) {
        MessageBoxRequest request;
        request.title = QStringLiteral("Changing Quantity");
        request.text = QStringLiteral("A quantity cannot hold a comma: the list file separates "
                                      "its columns with commas. The quantity stays \"") +
                       m_list.row(row).quantity + QStringLiteral("\".");
        request.icon = MessageIcon::Exclamation;
        m_platform.messageBox(request);
    } else if (answer && !answer->isEmpty()) {
        const ListHistory::Step step(m_history,
                                     QStringLiteral("Change Quantity of ") + m_list.row(row).item);
        m_list.setQuantity(row, *answer);
    }
}

void ShoppingWindow::undoRedo(bool redo)
{
    redo ? m_history.redo() : m_history.undo();
    UpdateTotals();
}

void ShoppingWindow::changeQuantityBy(int by)
{
    if (rowIsSelected()) {
        const int row = m_lvList->selectedRow();
        const ListHistory::Step step(m_history, (by > 0 ? QStringLiteral("Raise Quantity of ")
                                                        : QStringLiteral("Lower Quantity of ")) +
                                                    m_list.row(row).item);
        ChangeQuantityBy(m_list, row, by);
    }
    UpdateTotals();
}

QString ShoppingWindow::addStepName(int node) const
{
    return (m_catalogue.isItem(node) ? QStringLiteral("Add ") : QStringLiteral("Add All in ")) +
           m_catalogue.node(node).text;
}

void ShoppingWindow::mnuHelp_Click(int index)
{
    if (index == HelpMenu::HowToUse) {
        showHowToUse();
    } else if (index == HelpMenu::About) {
        AboutBox about(m_platform, QCoreApplication::applicationFilePath(), this);
        m_platform.exec(about);
    }
}

void ShoppingWindow::mnuHelpCatalog_Click()
{
    const WaitCursor wait;
    if (m_productWindow == nullptr) {
        m_productWindow = new ProductWindow(m_platform);
    }
    m_productWindow->show();
    m_productWindow->raise();
}

void ShoppingWindow::mnuOptionFont_Click()
{
    m_listAppearance->ChooseScreenFont(m_platform);
}

void ShoppingWindow::mnuOptionFontPrinter_Click()
{
    if (const std::optional<PrinterFontSettings> chosen =
            ChoosePrinterFont(m_platform, ReadPrinterFontSettings(settingsFile(), m_log))) {
        SettingsWrites writes(settingsFile());
        WritePrinterFontSettings(writes, *chosen);
        commitSettings(writes);
        cmdPrint_Click(PrintButton::Preview);
    }
}

void ShoppingWindow::optColorBack_Click()
{
    m_listAppearance->ChooseBackColor(m_platform);
}

bool ShoppingWindow::cmdOK_Click()
{
    const std::optional<QString> saved = SaveListFile(m_platform, m_list, m_log, m_folders.dialogs);
    if (!saved) {
        return false;
    }
    m_list.setUnchanged();
    m_panels->tell(QStringLiteral("Saved ") + QFileInfo(*saved).fileName());
    return true;
}

void ShoppingWindow::cmdPrint_Click(int index)
{
    const PrinterFontSettings settings = ReadPrinterFontSettings(settingsFile(), m_log);
    if (index == PrintButton::Preview) {
        m_previews.removeAll(nullptr);
        m_previews.append(ShowPrintPreview(m_list, m_platform, settings));
    } else if (index == PrintButton::Printer) {
        const std::optional<PrintoutSent> sent =
            PrintList(m_list, m_platform, settings, m_folders.dialogs);
        if (sent && sent->kind == PrintoutSent::Printer) {
            m_panels->tell(QStringLiteral("Sent to printer ") + sent->name);
        } else if (sent) {
            m_panels->tell(QStringLiteral("Saved ") + QFileInfo(sent->name).fileName());
        }
    }
}

void ShoppingWindow::mnuFilePdf_Click()
{
    if (const std::optional<QString> file =
            SavePrintoutAsPdf(m_list, m_platform, ReadPrinterFontSettings(settingsFile(), m_log),
                              m_folders.dialogs)) {
        m_panels->tell(QStringLiteral("Saved ") + QFileInfo(*file).fileName());
    }
}

void ShoppingWindow::mnuEditFind_Click()
{
    m_txtFind->open();
}

void ShoppingWindow::mnuEditAddOther_Click()
{
    int kept = 0;
    if (const std::optional<ListRow> row = AskOtherItem(
            m_platform, m_catalogue, m_folders.catalogue, m_tvShopping->selectedNode(), kept)) {
        const ListHistory::Step step(m_history, QStringLiteral("Add ") + row->item);
        AddOtherItemToList(*row, m_list);
        if (kept != 0) {
            m_tvShopping->showNode(kept);
        }
    }
    UpdateTotals();
}

void ShoppingWindow::mnuEditCopyText_Click()
{
    QGuiApplication::clipboard()->setText(ListAsChecklist(m_list, QDate::currentDate()));
}

void ShoppingWindow::OpenList()
{
    if (!listMayGo()) {
        return;
    }
    if (const std::optional<QString> fileName = AskListFileToOpen(m_platform, m_folders.dialogs)) {
        showListRead(*fileName, ReadListFileTelling(m_platform, *fileName));
    }
}

void ShoppingWindow::OpenListFile(const QString &fileName)
{
    if (listMayGo()) {
        showListRead(fileName, ReadListFileTelling(m_platform, fileName));
    }
}

void ShoppingWindow::showListRead(const QString &fileName, std::optional<QList<ListRow>> rows)
{
    if (rows) {
        // Read first: a file that cannot be read must not cost the user the list on screen.
        // The tree is rebuilt and ticked at once; its view hears of it when it is done.
        m_tvShopping->setVisible(false);
        const ListHistory::Step step(m_history, QStringLiteral("Open List"));
        m_list.clear();
        {
            const Catalogue::Rebuild rebuild(m_catalogue, Catalogue::Rebuild::KeepNodes);
            loadCatalogue();
            TickListedItems(m_catalogue, *rows);
            m_list.append(std::move(*rows));
            m_list.setUnchanged();
        }
        m_tvShopping->setVisible(true);
        m_panels->tell(QStringLiteral("Opened ") + QFileInfo(fileName).fileName() +
                       QStringLiteral(": ") + QString::number(m_list.count()) +
                       (m_list.count() == 1 ? QStringLiteral(" item") : QStringLiteral(" items")));
    }
    UpdateTotals();
}

void ShoppingWindow::cmdDelete_Click()
{
    if (rowIsSelected()) {
        const int row = m_lvList->selectedRow();
        const ListHistory::Step step(m_history, QStringLiteral("Remove ") + m_list.row(row).item);
        m_list.remove(row);
    }
    UpdateTotals();
}

void ShoppingWindow::showHowToUse()
{
    MessageBoxRequest request;
    request.text = HowToUseText(m_folders);
    m_platform.messageBox(request);
}

bool ShoppingWindow::rowIsSelected() const
{
    const int row = m_lvList->selectedRow();
    return row > 0 && !m_list.row(row).quantity.isEmpty();
}

void ShoppingWindow::tvShopping_DblClick()
{
    const int node = m_tvShopping->selectedNode();
    if (node != 0 && m_catalogue.isItem(node)) {
        const ListHistory::Step step(m_history, addStepName(node));
        AddItemToList(m_catalogue, node, m_list);
        m_catalogue.setTicked(node, true);
    }
    UpdateTotals();
}

void ShoppingWindow::tvShopping_NodeCheck(int position)
{
    const CatalogueNode &node = m_catalogue.node(position);
    const ListHistory::Step step(m_history, node.ticked ? addStepName(position)
                                                        : QStringLiteral("Remove ") + node.text);
    m_tickHistory.userTicked(position);
    if (node.ticked) {
        if (m_catalogue.isItem(position)) {
            AddItemToList(m_catalogue, position, m_list);
        } else if (position > 1) {
            MessageBoxRequest request;
            request.title = QStringLiteral("Add Multiple Items");
            request.text =
                QStringLiteral("Adding all items in ") + node.text + QStringLiteral(" to List ?");
            request.buttons = MessageButtons::YesNo;
            request.defaultAnswer = MessageAnswer::Yes;
            if (m_platform.messageBox(request) == MessageAnswer::Yes) {
                const ShoppingList::Batch batch(m_list);
                AddChildItems(m_catalogue, position, m_list);
            }
        }
    } else {
        const int row = FindListItem(node.text, m_list);
        if (row > 0) {
            m_list.remove(row);
        }
    }
    UpdateTotals();
}

void ShoppingWindow::lvList_OLEDragDrop()
{
    const int node = m_tvShopping->selectedNode();
    if (node != 0 && m_catalogue.isItem(node)) {
        const ListHistory::Step step(m_history, addStepName(node));
        AddItemToList(m_catalogue, node, m_list);
    }
    UpdateTotals();
}

void ShoppingWindow::lvList_ColumnClick(int header)
{
    const int column = header - 1;
    const ListHistory::Step step(
        m_history, QStringLiteral("Sort by ") +
                       m_lvList->model()->headerData(column, Qt::Horizontal).toString());
    m_list.sort(ShoppingList::Column(column), m_lvList->flipSortIndicator(column));
}
