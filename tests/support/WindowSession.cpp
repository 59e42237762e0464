#include "WindowSession.h"

#include "catalogue/CatalogueModel.h"

#include <QAction>
#include <QLabel>
#include <QMimeData>
#include <QStatusBar>
#include <QTest>

WindowSession::WindowSession(CatalogueFiles files)
{
    if (files == WithCatalogue) {
        folder.write(QStringLiteral("headings.txt"), "Dairy\r\nFruit\r\n");
        folder.write(QStringLiteral("Dairy.txt"), ";Dairy\r\nMilk\r\nButter\r\nMilk\r\n");
        folder.write(QStringLiteral("Fruit.txt"), ";Fruit and Veg\r\nApples\r\nPears\r\nMilk\r\n");
    }
    window =
        std::make_unique<ShoppingWindow>(ProgramFolders::inProgramFolder(folder.path()), platform);
}

void WindowSession::start()
{
    window->Form_Load();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get())) {
        qWarning("the main window did not become active");
    }
}

void WindowSession::trigger(const QString &action)
{
    auto *found = window->findChild<QAction *>(action);
    if (found == nullptr) {
        qFatal("no action %s", qPrintable(action));
    }
    found->trigger();
}

void WindowSession::fileCommand(const QString &action, const QString &name)
{
    platform.answerFileName(folder.filePath(name));
    trigger(action);
}

QByteArray WindowSession::closeAndRead(const QString &name)
{
    window->close();
    return folder.read(name);
}

QString WindowSession::panel(int n) const
{
    return window->statusBar()->findChild<QLabel *>(QStringLiteral("panel%1").arg(n))->text();
}

static QModelIndex nodeIndex(const CatalogueView &tree, int position)
{
    return static_cast<const CatalogueModel *>(tree.model())->indexOf(position);
}

void WindowSession::tick(int position, bool ticked)
{
    tree().model()->setData(nodeIndex(tree(), position), ticked ? Qt::Checked : Qt::Unchecked,
                            Qt::CheckStateRole);
}

void WindowSession::clickNode(int position, bool twice)
{
    tree().scrollTo(nodeIndex(tree(), position));
    const QPoint at = tree().visualRect(nodeIndex(tree(), position)).center();
    QTest::mouseClick(tree().viewport(), Qt::LeftButton, {}, at);
    if (twice) {
        QTest::mouseDClick(tree().viewport(), Qt::LeftButton, {}, at);
    }
}

void WindowSession::clickRow(int row)
{
    const QModelIndex index = listView().model()->index(row - 1, 1);
    listView().scrollTo(index);
    QTest::mouseClick(listView().viewport(), Qt::LeftButton, {},
                      listView().visualRect(index).center());
}

bool WindowSession::dropOnList(const QString &text)
{
    QMimeData data;
    data.setText(text);
    QWidget *viewport = listView().viewport();
    const QPoint at = viewport->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &drop);
    return enter.isAccepted() && drop.isAccepted();
}

void appendRows(ShoppingList &list, const QStringList &rows)
{
    for (const QString &row : rows) {
        const QStringList cells = row.split(u'|');
        list.append({cells.value(0), cells.value(1), cells.value(2)});
    }
}

QStringList rows(const ShoppingList &list)
{
    QStringList out;
    for (int p = 1; p <= list.count(); ++p) {
        out << list.row(p).quantity + u'|' + list.row(p).item + u'|' + list.row(p).category;
    }
    return out;
}
