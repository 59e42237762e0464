#include "about/ProductWindow.h"
#include "app/ShoppingWindow.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFolder.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTest>

class TestProductWindow : public QObject
{
    Q_OBJECT

private slots:
    void madeOnceAndShownAgain();
    void linkOpensTheHomePage();
};

void TestProductWindow::madeOnceAndShownAgain()
{
    const auto productWindows = [] {
        QList<QWidget *> found;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == u"frmProducts") {
                found.append(widget);
            }
        }
        return found;
    };
    const TestFolder folder;
    ScriptedPlatform platform;
    QPointer<QWidget> products;
    {
        ShoppingWindow window(folder.path(), platform);
        window.show();
        QAction *command = window.findChild<QAction *>(u"mnuHelpCatalog"_qs);
        command->trigger();
        QCOMPARE(productWindows().size(), 1);
        products = productWindows().constFirst();
        QVERIFY(products->isVisible());
        QVERIFY(!products->isModal());
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        products->close();
        command->trigger();
        QCOMPARE(productWindows(), QList<QWidget *>{products.data()});
        QVERIFY(products->isVisible());
    }
    QVERIFY(products.isNull()); // it goes with the program
}

void TestProductWindow::linkOpensTheHomePage()
{
    ScriptedPlatform platform;
    ProductWindow window(platform);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *link = window.findChild<QLabel *>(u"lblHomePage"_qs);
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(8, link->height() / 2));
    QCOMPARE(platform.openedUrls, QList<QUrl>{QUrl(u"https://www.torvy.example/"_qs)});
}

QTEST_MAIN(TestProductWindow)
#include "tst_productwindow.moc"
