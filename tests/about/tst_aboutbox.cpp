#include "about/AboutBox.h"
#include "app/ShoppingWindow.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFolder.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

QLabel *link(const QWidget &box)
{
    return box.findChild<QLabel *>(u"lblURL"_qs);
}

QColor textColor(const QLabel *label)
{
    return label->palette().color(QPalette::WindowText);
}

} // namespace

class TestAboutBox : public QObject
{
    Q_OBJECT

private slots:
    void linkClick_data();
    void linkClick();
    void buildDetails_data();
    void buildDetails();
    void closes_data();
    void closes();
    void mainWindowShowsAFreshBoxEachTime();
};

void TestAboutBox::linkClick_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("opened");
    QTest::newRow("left button") << Qt::LeftButton << true;
    QTest::newRow("right button") << Qt::RightButton << false;
}

void TestAboutBox::linkClick()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, opened);
    ScriptedPlatform platform;
    AboutBox box(platform, QString());
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QCOMPARE(textColor(link(box)), QColor(0, 0, 192));
    QTest::mouseClick(link(box), button);
    const QList<QUrl> expected{QUrl(u"https://www.torvy.example/shopping/"_qs)};
    QCOMPARE(platform.openedUrls, opened ? expected : QList<QUrl>());
    QCOMPARE(textColor(link(box)), opened ? QColor(255, 0, 0) : QColor(0, 0, 192));
    QVERIFY(platform.messages.isEmpty());
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    QVERIFY(box.isVisible());
}

void TestAboutBox::buildDetails_data()
{
    QTest::addColumn<bool>("present");
    QTest::newRow("executable there") << true;
    QTest::newRow("no executable") << false;
}

// A double click on the version line tells the executable's name, version and date.
void TestAboutBox::buildDetails()
{
    QFETCH(bool, present);
    const TestFolder folder;
    const QDateTime built(QDate(2001, 3, 4), QTime(7, 15, 9));
    if (present) {
        folder.write(u"shopping"_qs, "binary");
        QFile file(folder.filePath(u"shopping"_qs));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(built, QFileDevice::FileModificationTime));
    }
    ScriptedPlatform platform;
    AboutBox box(platform, folder.filePath(u"shopping"_qs));
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::mouseDClick(box.findChild<QLabel *>(u"lblVersion"_qs), Qt::LeftButton);
    QVERIFY(box.isVisible());
    QCOMPARE(platform.messages.size(), present ? 1 : 0);
    if (!present) {
        return;
    }
    const QStringList lines = platform.messages[0].text.split(u"\r\n"_qs);
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0], u"shopping"_qs);
    QCOMPARE(lines[1], u"v1.2.28"_qs);
    // The system's own date format, whatever it is; the file's date, not today's.
    const QString date = QLocale::system().toString(built.date(), QLocale::ShortFormat);
    QVERIFY2(lines[2].startsWith(u"EXE created on "_qs + date + u' '), qPrintable(lines[2]));
    QVERIFY2(lines[2].contains(u"15:09"_qs), qPrintable(lines[2]));
}

void TestAboutBox::closes_data()
{
    QTest::addColumn<int>("key"); // 0: click OK
    QTest::newRow("Escape") << int(Qt::Key_Escape);
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("OK clicked") << 0;
}

void TestAboutBox::closes()
{
    QFETCH(int, key);
    ScriptedPlatform platform;
    AboutBox box(platform, QString());
    box.show();
    box.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&box));
    if (key == 0) {
        QTest::mouseClick(box.findChild<QPushButton *>(u"cmdOK"_qs), Qt::LeftButton);
    } else {
        QTest::keyClick(&box, Qt::Key(key));
    }
    QVERIFY(!box.isVisible());
    QVERIFY(platform.messages.isEmpty());
    QVERIFY(platform.openedUrls.isEmpty());
}

void TestAboutBox::mainWindowShowsAFreshBoxEachTime()
{
    const TestFolder folder;
    ScriptedPlatform platform;
    ShoppingWindow window(folder.path(), platform);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    // The box is looked at while it is open, through the dialog layer.
    QList<QColor> linkColours;
    auto inspect = [&linkColours](bool clickLink) {
        return [&linkColours, clickLink](QDialog &box) {
            if (clickLink) {
                QTest::mouseClick(link(box), Qt::LeftButton);
            }
            linkColours.append(textColor(link(box)));
            return int(QDialog::Rejected);
        };
    };
    platform.windowAnswers << inspect(true) << inspect(false);
    QTest::keyClick(&window, Qt::Key_F1, Qt::ShiftModifier);
    window.findChild<QAction *>(u"mnuHelp(2)"_qs)->trigger();
    QCOMPARE(platform.windows, QStringList({u"frmAboutShopping"_qs, u"frmAboutShopping"_qs}));

    QCOMPARE(linkColours, (QList<QColor>{QColor(255, 0, 0), QColor(0, 0, 192)}));
    QCOMPARE(platform.openedUrls.size(), 1);
    QVERIFY(window.findChildren<AboutBox *>().isEmpty());
}

QTEST_MAIN(TestAboutBox)
#include "tst_aboutbox.moc"
