#include "about/ProductWindow.h"
#include "app/ShoppingWindow.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFolder.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTest>

namespace {

QList<QWidget *> productWindows()
{
    QList<QWidget *> found;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == u"frmProducts") {
            found.append(widget);
        }
    }
    return found;
}

} // namespace

class TestProductWindow : public QObject
{
    Q_OBJECT

private slots:
    void madeOnceAndShownAgain();
    void linkOpensTheHomePage();
};

void TestProductWindow::madeOnceAndShownAgain()
{
    const TestFolder folder;
    ScriptedPlatform platform;
    QPointer<QWidget> products;
    {
        ShoppingWindow window(folder.path(), platform);
        window.show();
        QVERIFY(productWindows().isEmpty());
        QAction *command = window.findChild<QAction *>(QStringLiteral("mnuHelpCatalog"));

        command->trigger();
        QCOMPARE(productWindows().size(), 1);
        products = productWindows().constFirst();
        QVERIFY(products->isVisible());
        QVERIFY(products->isWindow());
        QVERIFY(!products->isModal());
        QVERIFY(window.isEnabled());
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);

        products->close();
        QVERIFY(!products->isVisible());
        command->trigger();
        QCOMPARE(productWindows(), QList<QWidget *>{products.data()});
        QVERIFY(products->isVisible());
    }
    // It goes with the program.
    QVERIFY(products.isNull());
}

void TestProductWindow::linkOpensTheHomePage()
{
    ScriptedPlatform platform;
    ProductWindow window(platform);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *link = window.findChild<QLabel *>(QStringLiteral("lblHomePage"));
    QVERIFY(link != nullptr);
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(8, link->height() / 2));
    QCOMPARE(platform.openedUrls, QList<QUrl>{QUrl(QStringLiteral("https://www.torvy.example/"))});

    const QString shown = window.findChild<QLabel *>(QStringLiteral("lblProduct"))->text();
    QCOMPARE(shown, QStringLiteral("Torvy Softwares Vendrel"));
}

QTEST_MAIN(TestProductWindow)
#include "tst_productwindow.moc"
