#include "about/AboutBox.h"
#include "about/VersionInfo.h"
#include "support/WindowSession.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

// The version as the build stamped it, the about box and the product window.
class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void stampedFromProject()
    {
        // The version string itself is checked in the build details.
        const QStringList parts = QString::fromLatin1(SHOPPING_PROJECT_VERSION).split(u'.');
        QCOMPARE(
            VersionLine(ProgramVersion()),
            u"version %1.%2    Build (%3)"_qs.arg(parts.value(0), parts.value(1), parts.value(2)));
        QCOMPARE(ProductName(), QString::fromUtf8(SHOPPING_PROJECT_PRODUCT));
    }

    // The title, the version and the executable's date in the locale's general date format:
    // the short date and the long time without a time zone, only the date at midnight.
    void buildDetails_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QTime>("time"); // of the file, on 6 December 2026
        QTest::addColumn<QString>("date");
        const QLocale british(QLocale::English, QLocale::UnitedKingdom);
        QTest::newRow("british") << british << QTime(7, 15, 0) << u"06/12/2026 07:15:00"_qs;
        QTest::newRow("american afternoon") << QLocale(QLocale::English, QLocale::UnitedStates)
                                            << QTime(19, 5, 9) << u"12/6/26 7:05:09 PM"_qs;
        QTest::newRow("midnight") << british << QTime(0, 0, 0, 500) << u"06/12/2026"_qs;
        QTest::newRow("one second past midnight")
            << british << QTime(0, 0, 1) << u"06/12/2026 00:00:01"_qs;
    }

    void buildDetails()
    {
        QFETCH(QLocale, locale);
        QFETCH(QTime, time);
        QFETCH(QString, date);
        QTemporaryDir folder;
        QFile file(folder.filePath(u"shopping"_qs));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.setFileTime(QDateTime(QDate(2026, 12, 6), time),
                                 QFileDevice::FileModificationTime));
        QCOMPARE(BuildDetailsText(u"shopping"_qs, folder.filePath(u"shopping"_qs), locale),
                 std::optional(u"shopping\r\nv" SHOPPING_PROJECT_VERSION "\r\nEXE created on "_qs +
                               date));
        // No details for a missing file, nor for a folder.
        QCOMPARE(BuildDetailsText(u"shopping"_qs, folder.filePath(u"gone"_qs), locale),
                 std::nullopt);
        QCOMPARE(BuildDetailsText(u"shopping"_qs, folder.path(), locale), std::nullopt);
    }

    void userActions_data()
    {
        QTest::addColumn<QString>("action"); // a control's name, or a key
        QTest::addColumn<int>("closed");     // with this result; -1: still open
        QTest::newRow("link clicked") << u"lblURL"_qs << -1;
        QTest::newRow("link clicked with the right button") << u"lblURL right"_qs << -1;
        QTest::newRow("version line double clicked") << u"lblVersion"_qs << -1;
        QTest::newRow("OK clicked") << u"cmdOK"_qs << int(QDialog::Accepted);
        QTest::newRow("Return") << u"Return"_qs << int(QDialog::Accepted);
        QTest::newRow("Escape") << u"Escape"_qs << int(QDialog::Rejected);
    }

    // The box is acted on while it is open; the next time the menu shows a fresh one. Only a
    // left click on the link opens the program's page and turns the link red; only a double
    // click on the version line shows the build details.
    void userActions()
    {
        QFETCH(QString, action);
        QFETCH(int, closed);
        const bool opened = action == u"lblURL", details = action == u"lblVersion";
        WindowSession session;
        session.start();
        QList<QColor> linkColours;
        QString terms;
        int state = 0;
        auto look = [&](QDialog &box) {
            linkColours
                << box.findChild<QLabel *>(u"lblURL"_qs)->palette().color(QPalette::WindowText);
            terms = box.findChild<QLabel *>(u"lbl(0)"_qs)->text() + u' ' +
                    box.findChild<QLabel *>(u"lbl(4)"_qs)->text();
            return box.result();
        };
        session.platform.windowAnswers.append([&](QDialog &box) {
            box.show();
            QWidget *target = box.findChild<QWidget *>(action.section(u' ', 0, 0));
            if (target == nullptr) {
                QTest::keyClick(&box, QKeySequence(action)[0].key());
            } else if (action == u"lblVersion") {
                QTest::mouseDClick(target, Qt::LeftButton);
            } else {
                QTest::mouseClick(target,
                                  action.endsWith(u"right") ? Qt::RightButton : Qt::LeftButton);
            }
            state = box.isVisible() ? -1 : box.result();
            return look(box);
        });
        session.platform.windowAnswers.append(look);
        session.trigger(u"mnuHelp(2)"_qs);
        session.trigger(u"mnuHelp(2)"_qs);

        QCOMPARE(session.platform.windows, QStringList(2, u"frmAboutShopping"_qs));
        QCOMPARE(session.platform.openedUrls,
                 opened ? QList<QUrl>{QUrl(ProgramPage())} : QList<QUrl>());
        const QColor link(0, 0, 192);
        QCOMPARE(linkColours, (QList<QColor>{opened ? QColor(255, 0, 0) : link, link}));
        QCOMPARE(state, closed);
        QVERIFY(
            terms.startsWith(u"This program is free software. You may copy it and pass it on") &&
            terms.contains(u"GNU General Public License, version 3 or"));
        QCOMPARE(session.platform.messages.size(), details ? 1 : 0);
        if (details) {
            QCOMPARE(session.platform.messages[0].text,
                     *BuildDetailsText(u"shopping"_qs, QCoreApplication::applicationFilePath(),
                                       QLocale::system()));
        }
        QVERIFY(session.window->findChildren<AboutBox *>().isEmpty());
    }

    // The product window is made once, shown again, and goes with the program.
    void productWindow()
    {
        const auto productWindows = [] {
            QList<QWidget *> found = QApplication::topLevelWidgets();
            found.removeIf([](QWidget *widget) { return widget->objectName() != u"frmProducts"; });
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
        QVERIFY(products.isNull());
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
