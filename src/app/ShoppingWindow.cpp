#include "ShoppingWindow.h"

#include "FormPlacement.h"
#include "HelpText.h"
#include "ListAppearance.h"
#include "Platform.h"
#include "StatusPanels.h"
#include "about/AboutBox.h"
#include "about/ProductWindow.h"
#include "about/VersionInfo.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueLoader.h"
#include "catalogue/CatalogueModel.h"
#include "catalogue/CatalogueView.h"
#include "catalogue/Picking.h"
#include "common/Twips.h"
#include "common/WaitCursor.h"
#include "config/Settings.h"
#include "list/ListFileCommands.h"
#include "list/ListOperations.h"
#include "list/ShoppingList.h"
#include "list/ShoppingListModel.h"
#include "log/Log.h"
#include "print/PrintCommands.h"
#include "print/PrintoutWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTreeView>

namespace {

struct MenuEntry
{
    const char *name; // the object name; entries of a menu array carry their index
    int index;        // -1 for an entry that is not part of an array
    const char *caption;
    QKeySequence shortcut;
};

QFont designFont(const QString &family, double points)
{
    QFont font(family);
    font.setPointSizeF(points);
    return font;
}

QRect toPixels(const TwipsRect &r)
{
    return {TwipsToPixelsX(r.left), TwipsToPixelsY(r.top), TwipsToPixelsX(r.width),
            TwipsToPixelsY(r.height)};
}

} // namespace

ShoppingWindow::ShoppingWindow(const QString &programFolder, Platform &platform, QWidget *parent)
    : QMainWindow(parent), m_programFolder(programFolder), m_platform(platform),
      m_log(std::make_unique<Log>(programFolder, QStringLiteral("shopping"))),
      m_catalogue(new Catalogue(this)), m_list(new ShoppingList(this))
{
    setObjectName(QStringLiteral("frmShopping"));
    setWindowTitle(ProductName());
    setWindowIcon(QIcon(QStringLiteral(":/icons/shopping.png")));
    // Nothing on this system is called "MS Sans Serif"; its metric twin is.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));

    // Connected before the list's model, so that the selection is seen before the view moves
    // it. When the selected row goes, the view would select its neighbour, and a second Del would
    // remove a row the user never chose. Nothing is selected after a removal instead.
    connect(m_list, &ShoppingList::rowsAboutToBeRemoved, this, [this](int first, int last) {
        const int row = selectedRow();
        m_selectionRemoved = row >= first && row <= last;
    });
    connect(m_list, &ShoppingList::rowsRemoved, this, [this] {
        if (m_selectionRemoved) {
            m_lvList->selectionModel()->clearSelection();
        }
    });
    m_catalogueModel = new CatalogueModel(*m_catalogue, this);
    m_listModel = new ShoppingListModel(*m_list, this);
    createControls();
    createMenus();
    createStatusBar();
    // The designed inner area: 9420 x 5280 twips below the menu bar.
    resize(TwipsToPixelsX(9420), TwipsToPixelsY(5280) + menuBar()->sizeHint().height());
}

ShoppingWindow::~ShoppingWindow()
{
    delete m_productWindow;
    closePreviews();
}

void ShoppingWindow::closePreviews()
{
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
        label->setFont(designFont(QStringLiteral("Comic Sans MS"), 14.25));
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return label;
    };
    m_lblTreeView = makeLabel("lblTreeView", " Pick from this List of Items");
    m_lblListView = makeLabel("lblListView", " Todays Shopping List");

    const QFont listFont = designFont(QStringLiteral("MS Sans Serif"), 9.75);
    m_tvShopping = new CatalogueView(client);
    m_tvShopping->setObjectName(QStringLiteral("tvShopping"));
    m_tvShopping->setFont(listFont);
    m_tvShopping->setHeaderHidden(true);
    m_tvShopping->setUniformRowHeights(true);
    m_tvShopping->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tvShopping->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tvShopping->setDragEnabled(true);
    m_tvShopping->setDragDropMode(QAbstractItemView::DragOnly);
    m_tvShopping->setDefaultDropAction(Qt::CopyAction);
    m_tvShopping->setModel(m_catalogueModel);
    m_tvShopping->viewport()->installEventFilter(this);

    m_lvList = new QTreeView(client);
    m_lvList->setObjectName(QStringLiteral("lvList"));
    m_lvList->setFont(listFont);
    m_lvList->setRootIsDecorated(false);
    m_lvList->setItemsExpandable(false);
    m_lvList->setUniformRowHeights(true);
    m_lvList->setAllColumnsShowFocus(true);
    m_lvList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lvList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lvList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lvList->setAcceptDrops(true);
    m_lvList->setModel(m_listModel);
    m_lvList->header()->setStretchLastSection(false);
    m_lvList->header()->setSectionsClickable(true);
    m_lvList->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_lvList->viewport()->installEventFilter(this);
    m_lvList->setVisible(false); // shown at the end of start-up
    m_listAppearance = std::make_unique<ListAppearance>(*m_lvList);
    connect(m_lvList->header(), &QHeaderView::sectionClicked, this,
            [this](int section) { lvList_ColumnClick(section + 1); });

    setTabOrder(m_lvList, m_tvShopping);

    connect(m_catalogueModel, &CatalogueModel::nodeCheck, this,
            &ShoppingWindow::tvShopping_NodeCheck);
    connect(m_catalogue, &Catalogue::nodeExpanded, this,
            [this](int position) { m_tvShopping->expand(m_catalogueModel->indexOf(position)); });
    connect(m_catalogue, &Catalogue::rebuilt, this, [this] {
        // Only the root and headings have children to show.
        for (int position = 1; position <= m_catalogue->count(); ++position) {
            const CatalogueNode &node = m_catalogue->node(position);
            if (node.children.empty() && node.parent > 1) {
                break; // the first item: headings all come before
            }
            if (node.expanded) {
                m_tvShopping->expand(m_catalogueModel->indexOf(position));
            }
        }
    });
    applyLayout();
}

void ShoppingWindow::createMenus()
{
    struct Menu
    {
        const char *name;
        const char *caption;
        QList<MenuEntry> entries;
        std::function<void(int)> handler;
    };
    const QKeySequence none;
    const QList<Menu> menus = {
        {"mnuFileMain",
         "&File",
         {{"mnuFile", 0, "&New List", QKeySequence(Qt::CTRL | Qt::Key_N)},
          {"mnuFile", 1, "&Open", QKeySequence(Qt::CTRL | Qt::Key_O)},
          {"mnuFile", 2, "&Save List", QKeySequence(Qt::CTRL | Qt::Key_S)},
          {"mnuFile", 3, "-", none},
          {"mnuFile", 4, "Print Preview", QKeySequence(Qt::CTRL | Qt::Key_V)},
          {"mnuFile", 5, "Print", QKeySequence(Qt::CTRL | Qt::Key_P)},
          {"mnuFile", 6, "-", none},
          {"mnuFile", 7, "E&xit", none}},
         [this](int index) { mnuFile_Click(index); }},
        {"mnuItemMain",
         "&Item",
         {{"mnuItem", 0, "Add New item ", QKeySequence(Qt::CTRL | Qt::Key_Insert)},
          {"mnuItem", 1, "Change Quantity of item in list", QKeySequence(Qt::Key_F2)},
          {"mnuItem", 2, "Remove Item from List", QKeySequence(Qt::Key_Delete)},
          {"mnuItem", 3, "-", none},
          {"mnuItem", 4, "Show Totals", none}},
         [this](int index) { mnuItem_Click(index); }},
        {"mnuOptionsMain",
         "&Options",
         {{"mnuOptionFont", -1, "Choose Screen &Font ...", QKeySequence(Qt::CTRL | Qt::Key_F)},
          {"mnuOptionFontPrinter", -1, "Choose Printer F&ont...",
           QKeySequence(Qt::CTRL | Qt::Key_G)},
          {"mnuOptionDummy", -1, "-", none},
          {"optColorBack", -1, "Choose Background Colour for List...",
           QKeySequence(Qt::CTRL | Qt::Key_B)}},
         {}},
        {"mnuHelpMain",
         "&Help",
         {{"mnuHelp", 0, "How to use this program", QKeySequence(Qt::Key_F1)},
          {"mnuHelp", 1, "-", none},
          {"mnuHelp", 2, "&About", QKeySequence(Qt::SHIFT | Qt::Key_F1)},
          {"mnuDum4", -1, "-", none},
          {"mnuHelpCatalog", -1, "Other Products from Torvy Software...", none}},
         [this](int index) { mnuHelp_Click(index); }},
    };
    const QHash<QString, std::function<void()>> single = {
        {QStringLiteral("mnuOptionFont"), [this] { mnuOptionFont_Click(); }},
        {QStringLiteral("mnuOptionFontPrinter"), [this] { mnuOptionFontPrinter_Click(); }},
        {QStringLiteral("optColorBack"), [this] { optColorBack_Click(); }},
        {QStringLiteral("mnuHelpCatalog"), [this] { mnuHelpCatalog_Click(); }},
    };

    for (const Menu &menu : menus) {
        QMenu *qmenu = menuBar()->addMenu(QString::fromLatin1(menu.caption));
        qmenu->setObjectName(QString::fromLatin1(menu.name));
        for (const MenuEntry &entry : menu.entries) {
            const QString caption = QString::fromLatin1(entry.caption);
            QString name = QString::fromLatin1(entry.name);
            if (entry.index >= 0) {
                name += u'(' + QString::number(entry.index) + u')';
            }
            QAction *action = caption == u"-" ? qmenu->addSeparator() : qmenu->addAction(caption);
            action->setObjectName(name);
            action->setShortcut(entry.shortcut);
            action->setShortcutContext(Qt::WindowShortcut);
            addAction(action); // shortcuts work wherever the focus is in the window
            if (entry.index >= 0 && menu.handler) {
                const int index = entry.index;
                const auto handler = menu.handler;
                connect(action, &QAction::triggered, this, [handler, index] { handler(index); });
            } else if (single.contains(name)) {
                connect(action, &QAction::triggered, this, single.value(name));
            }
        }
    }
    // The Item menu's separator and "Show Totals" are switched off in the design.
    for (const char *name : {"mnuItem(3)", "mnuItem(4)"}) {
        QAction *action = findChild<QAction *>(QString::fromLatin1(name));
        action->setVisible(false);
        action->setEnabled(false);
    }
}

void ShoppingWindow::createStatusBar()
{
    m_panels = new StatusPanels(*statusBar(), m_layout.statusBarHeight);
}

void ShoppingWindow::Form_Load()
{
    const QString file = SettingsFilePath(m_programFolder);
    RestoreFormPlacement(*this, file, m_platform.screenSizeTwips(), *m_log);
    show();
    QCoreApplication::processEvents();
    m_listAppearance->ReadColumnWidths(file, *m_log);
    m_listAppearance->ReadFont(file, *m_log);
    QCoreApplication::processEvents();
    m_lvList->setVisible(true);
    loadCatalogue();
    UpdateTotals();
}

void ShoppingWindow::Form_Unload()
{
    const QString file = SettingsFilePath(m_programFolder);
    SaveFormPlacement(*this, file);
    m_listAppearance->WriteColumnWidths(file);
    m_listAppearance->WriteFont(file);
    m_ended = true;
    delete m_productWindow;
    closePreviews();
    emit programEnded();
}

void ShoppingWindow::closeEvent(QCloseEvent *event)
{
    if (!m_ended) {
        Form_Unload();
    }
    event->accept();
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
    m_lblTreeView->setGeometry(toPixels(m_layout.lblTreeView));
    m_lblListView->setGeometry(toPixels(m_layout.lblListView));
    m_tvShopping->setGeometry(toPixels(m_layout.tvShopping));
    m_lvList->setGeometry(toPixels(m_layout.lvList));
}

void ShoppingWindow::loadCatalogue()
{
    if (!LoadCatalogue(*m_catalogue, m_programFolder, *m_log)) {
        MessageBoxRequest request;
        request.text = MissingHeadingsText(m_programFolder);
        request.title = MissingHeadingsTitle();
        request.icon = MessageIcon::Critical;
        m_platform.messageBox(request);
    }
}

void ShoppingWindow::UpdateTotals()
{
    const ListTotals totals = ComputeTotals(*m_list);
    m_panels->setText(2, TotalQuantityText(totals.total));
    m_panels->setText(3, RowCountText(totals.rows));
}

void ShoppingWindow::mnuFile_Click(int index)
{
    const WaitCursor wait;
    switch (index) {
    case 0:
        m_list->clear();
        loadCatalogue();
        break;
    case 1:
        OpenList();
        break;
    case 2:
        cmdOK_Click();
        break;
    case 4:
        cmdPrint_Click(0);
        break;
    case 5:
        cmdPrint_Click(1);
        break;
    case 7:
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
    case 0: {
        const int node = selectedNode();
        if (node == 0) {
            break;
        }
        const ShoppingList::Batch batch(*m_list);
        if (m_catalogue->isItem(node)) {
            AddItemToList(*m_catalogue, node, *m_list);
        } else if (node > 1) {
            AddChildItems(*m_catalogue, node, *m_list);
        }
        break;
    }
    case 1: {
        if (!rowIsSelected()) {
            break;
        }
        const int row = selectedRow();
        const std::optional<QString> answer =
            m_platform.inputBox(QStringLiteral("Enter new Quantity for ") + m_list->row(row).item,
                                QStringLiteral("Changing Quantity"), m_list->row(row).quantity);
        if (answer && !answer->isEmpty()) {
            m_list->setQuantity(row, *answer);
        }
        break;
    }
    case 2:
        cmdDelete_Click();
        break;
    default:
        break;
    }
    UpdateTotals();
}

void ShoppingWindow::mnuHelp_Click(int index)
{
    if (index == 0) {
        showHowToUse();
    } else if (index == 2) {
        AboutBox about(m_platform, QCoreApplication::applicationFilePath(), this);
        about.exec();
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
    CommonDialog &dialog = m_platform.commonDialog();
    dialog.cancelError = true;
    dialog.flags = 259; // screen and printer fonts, effects
    if (!m_platform.showFont()) {
        return; // a cancelled dialog leaves the list as it was
    }
    // Each value the list cannot take is passed over; underline and strikeout are not used.
    m_listAppearance->setForeColor(qint32(dialog.color));
    m_listAppearance->setFontName(dialog.fontName);
    m_listAppearance->setFontSize(dialog.fontSize);
    m_listAppearance->setBold(dialog.fontBold);
    m_listAppearance->setItalic(dialog.fontItalic);
}

void ShoppingWindow::mnuOptionFontPrinter_Click()
{
    const QString file = SettingsFilePath(m_programFolder);
    const bool chosen =
        ChoosePrinterFont(m_platform, [&file](const QString &key, const QString &value) {
            WriteIniValue(QStringLiteral("PrinterFont"), key, value, file);
        });
    if (chosen) {
        cmdPrint_Click(0);
    }
}

QString ShoppingWindow::printerFontSetting(const QString &key) const
{
    return ReadIniValue(SettingsFilePath(m_programFolder), QStringLiteral("PrinterFont"), key,
                        *m_log);
}

void ShoppingWindow::optColorBack_Click()
{
    CommonDialog &dialog = m_platform.commonDialog();
    dialog.cancelError = true;
    dialog.color = quint32(m_listAppearance->backColor());
    dialog.dialogTitle = QStringLiteral("Choose Background Colour for the List");
    if (m_platform.showColor()) {
        m_listAppearance->setBackColor(qint32(dialog.color));
    }
}

void ShoppingWindow::cmdOK_Click()
{
    SaveListFile(listFileContext());
}

void ShoppingWindow::cmdPrint_Click(int index)
{
    const PrinterFontReader settings = [this](const QString &key) {
        return printerFontSetting(key);
    };
    if (index == 0) {
        m_previews.removeAll(nullptr);
        m_previews.append(ShowPrintPreview(*m_list, m_platform, settings));
    } else if (index == 1) {
        PrintList(*m_list, m_platform, settings, m_programFolder);
    }
}

void ShoppingWindow::OpenList()
{
    OpenListFile(listFileContext());
    UpdateTotals();
}

ListFileContext ShoppingWindow::listFileContext()
{
    return {m_platform, *m_list, *m_catalogue, *m_log, m_programFolder, m_tvShopping, [this] {
                loadCatalogue();
            }};
}

void ShoppingWindow::cmdDelete_Click()
{
    if (rowIsSelected()) {
        m_list->remove(selectedRow());
    }
    UpdateTotals();
}

void ShoppingWindow::showHowToUse()
{
    MessageBoxRequest request;
    request.text = HowToUseText();
    m_platform.messageBox(request);
}

int ShoppingWindow::selectedNode() const
{
    const QModelIndexList selected = m_tvShopping->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? 0 : m_catalogueModel->positionOf(selected.constFirst());
}

int ShoppingWindow::selectedRow() const
{
    const QModelIndexList selected = m_lvList->selectionModel()->selectedRows();
    return selected.isEmpty() ? 0 : selected.constFirst().row() + 1;
}

bool ShoppingWindow::rowIsSelected() const
{
    const int row = selectedRow();
    return row > 0 && !m_list->row(row).quantity.isEmpty();
}

void ShoppingWindow::tvShopping_MouseDown(const QPoint &point)
{
    const QModelIndex index = m_tvShopping->indexAt(point);
    if (index.isValid()) {
        m_tvShopping->setCurrentIndex(index);
    }
}

void ShoppingWindow::tvShopping_DblClick()
{
    const int node = selectedNode();
    if (node != 0 && m_catalogue->isItem(node)) {
        AddItemToList(*m_catalogue, node, *m_list);
        m_catalogue->setTicked(node, true);
    }
    UpdateTotals();
}

void ShoppingWindow::tvShopping_NodeCheck(int position)
{
    const CatalogueNode &node = m_catalogue->node(position);
    if (node.ticked) {
        if (m_catalogue->isItem(position)) {
            AddItemToList(*m_catalogue, position, *m_list);
        } else if (position > 1) {
            MessageBoxRequest request;
            request.title = QStringLiteral("Add Multiple Items");
            request.text =
                QStringLiteral("Adding all items in ") + node.text + QStringLiteral(" to List ?");
            request.buttons = MessageButtons::YesNo;
            request.defaultAnswer = MessageAnswer::Yes;
            if (m_platform.messageBox(request) == MessageAnswer::Yes) {
                const ShoppingList::Batch batch(*m_list);
                AddChildItems(*m_catalogue, position, *m_list);
            }
        }
    } else {
        const int row = FindListItem(node.text, *m_list);
        if (row > 0) {
            m_list->remove(row);
        }
    }
    UpdateTotals();
}

void ShoppingWindow::lvList_OLEDragDrop()
{
    const int node = selectedNode();
    if (node != 0 && m_catalogue->isItem(node)) {
        AddItemToList(*m_catalogue, node, *m_list);
    }
    UpdateTotals();
}

void ShoppingWindow::lvList_ColumnClick(int header)
{
    const int column = header - 1;
    m_sortOrder = m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    m_lvList->header()->setSortIndicatorShown(true);
    m_lvList->header()->setSortIndicator(column, m_sortOrder);
    m_list->sort(ShoppingList::Column(column), m_sortOrder);
}

void ShoppingWindow::lvList_DblClick()
{
    showHowToUse();
}

bool ShoppingWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_tvShopping->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            tvShopping_MouseDown(static_cast<QMouseEvent *>(event)->position().toPoint());
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            tvShopping_DblClick();
        }
    } else if (watched == m_lvList->viewport()) {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto *drag = static_cast<QDropEvent *>(event);
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
            return true;
        }
        case QEvent::Drop: {
            auto *drop = static_cast<QDropEvent *>(event);
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            lvList_OLEDragDrop();
            return true;
        }
        case QEvent::MouseButtonDblClick:
            lvList_DblClick();
            return true;
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
