#include "about/AboutBox.h"
#include "about/VersionInfo.h"
#include "support/WindowSession.h"

#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTest>

class TestAboutBox : public QObject
{
    Q_OBJECT

private slots:
    void userActions_data();
    void userActions();
};

void TestAboutBox::userActions_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("opened"); // the program's page, and the link turns red
    QTest::addColumn<bool>("details");
    QTest::addColumn<int>("closed"); // with this result; -1: still open
    QTest::newRow("link clicked") << u"lblURL"_qs << true << false << -1;
    QTest::newRow("link clicked with the right button")
        << u"lblURL right"_qs << false << false << -1;
    QTest::newRow("version line double clicked") << u"lblVersion"_qs << false << true << -1;
    QTest::newRow("OK clicked") << u"cmdOK"_qs << false << false << int(QDialog::Accepted);
    QTest::newRow("Return") << u"Return"_qs << false << false << int(QDialog::Accepted);
    QTest::newRow("Escape") << u"Escape"_qs << false << false << int(QDialog::Rejected);
}

// The box is opened from the main window's menu and acted on while it is open; the next time
// the menu shows a fresh one.
void TestAboutBox::userActions()
{
    QFETCH(QString, action);
    QFETCH(bool, opened);
    QFETCH(bool, details);
    QFETCH(int, closed);
    WindowSession session;
    session.start();
    QList<QColor> linkColours;
    int state = 0;
    auto look = [&](QDialog &box) {
        linkColours.append(
            box.findChild<QLabel *>(u"lblURL"_qs)->palette().color(QPalette::WindowText));
        return box.result();
    };
    session.platform.windowAnswers.append([&](QDialog &box) {
        box.show();
        QWidget *target = box.findChild<QWidget *>(action.section(u' ', 0, 0));
        if (action == u"Return" || action == u"Escape") {
            QTest::keyClick(&box, action == u"Return" ? Qt::Key_Return : Qt::Key_Escape);
        } else if (action == u"lblVersion") {
            QTest::mouseDClick(target, Qt::LeftButton);
        } else {
            QTest::mouseClick(target, action.endsWith(u"right") ? Qt::RightButton : Qt::LeftButton);
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
    QCOMPARE(linkColours,
             (QList<QColor>{opened ? QColor(255, 0, 0) : QColor(0, 0, 192), QColor(0, 0, 192)}));
    QCOMPARE(state, closed);
    QCOMPARE(session.platform.messages.size(), details ? 1 : 0);
    if (details) {
        QCOMPARE(session.platform.messages[0].text,
                 *BuildDetailsText(u"shopping"_qs, QCoreApplication::applicationFilePath(),
                                   QLocale::system()));
    }
    QVERIFY(session.window->findChildren<AboutBox *>().isEmpty());
}

QTEST_MAIN(TestAboutBox)
#include "tst_aboutbox.moc"
