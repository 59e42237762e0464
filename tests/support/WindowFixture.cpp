#include "WindowFixture.h"

#include <QLabel>
#include <QStatusBar>
#include <QTest>

WindowFixture::WindowFixture(bool withCatalogue)
{
    if (withCatalogue) {
        folder.write(QStringLiteral("headings.txt"), "Dairy\r\nFruit\r\n");
        folder.write(QStringLiteral("Dairy.txt"), ";Dairy\r\nMilk\r\nButter\r\nMilk\r\n");
        folder.write(QStringLiteral("Fruit.txt"), ";Fruit and Veg\r\nApples\r\nPears\r\nMilk\r\n");
    }
    window = std::make_unique<ShoppingWindow>(folder.path(), platform);
}

void WindowFixture::start()
{
    window->Form_Load();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get())) {
        qWarning("the main window did not become active");
    }
}

QString panel(const ShoppingWindow &window, int n)
{
    return window.statusBar()->findChild<QLabel *>(QStringLiteral("panel%1").arg(n))->text();
}

QTreeView *view(const ShoppingWindow &window, const char *name)
{
    return window.findChild<QTreeView *>(QString::fromLatin1(name));
}
