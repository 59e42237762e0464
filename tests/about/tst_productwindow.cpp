#include "about/VersionInfo.h"
#include "support/WindowSession.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTest>

class TestProductWindow : public QObject
{
    Q_OBJECT

private slots:
    void madeOnceShownAgainAndLinked();
};

void TestProductWindow::madeOnceShownAgainAndLinked()
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
    QPointer<QWidget> products;
    {
        WindowSession session;
        session.start();
        session.trigger(u"mnuHelpCatalog"_qs);
        QCOMPARE(productWindows().size(), 1);
        products = productWindows().constFirst();
        QVERIFY(products->isVisible() && !products->isModal());
        // The long texts wrap: the window fits on a small screen.
        QVERIFY(products->width() < 640);
        products->close();
        session.trigger(u"mnuHelpCatalog"_qs);
        QCOMPARE(productWindows(), QList<QWidget *>{products.data()});
        QVERIFY(products->isVisible());

        auto *link = products->findChild<QLabel *>(u"lblHomePage"_qs);
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(8, link->height() / 2));
        QCOMPARE(session.platform.openedUrls, QList<QUrl>{QUrl(MakerHomePage())});
    }
    QVERIFY(products.isNull()); // it goes with the program
}

QTEST_MAIN(TestProductWindow)
#include "tst_productwindow.moc"
