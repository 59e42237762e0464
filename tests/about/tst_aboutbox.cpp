#include "about/AboutBox.h"
#include "about/VersionInfo.h"
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

QLabel *label(const QWidget &box, const char *name)
{
    return box.findChild<QLabel *>(QString::fromLatin1(name));
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
    void texts_data();
    void texts();
    void fonts_data();
    void fonts();
    void linkLooksLikeALink();
    void topToBottom();
    void linkClick_data();
    void linkClick();
    void buildDetails();
    void noBuildDetailsWithoutTheExecutable();
    void closes_data();
    void closes();
    void mainWindowShowsAFreshBoxEachTime();
};

void TestAboutBox::texts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("title") << "lblTitle"
                           << "Torvy Softwares Vendrel";
    QTest::newRow("version") << "lblVersion"
                             << "version 1.2    Build (28)";
    QTest::newRow("freeware line") << "lbl(0)"
                                   << "";
    QTest::newRow("distribution text") << "lbl(4)"
                                       << "";
    QTest::newRow("link") << "lblURL"
                          << "https://www.torvy.example/";
    QTest::newRow("logo top") << "Label1(0)"
                              << "Torvy";
    QTest::newRow("logo bottom") << "Label1(1)"
                                 << "Software";
}

void TestAboutBox::texts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    ScriptedPlatform platform;
    const AboutBox box(platform, QString());
    QCOMPARE(box.windowTitle(), QStringLiteral("License Information "));
    QVERIFY(box.isModal());
    const auto *control = box.findChild<QLabel *>(name);
    QVERIFY2(control != nullptr, qPrintable(name));
    QCOMPARE(control->text(), text);
}

void TestAboutBox::fonts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("underline");
    QTest::newRow("title") << "lblTitle" << 13.5 << true << false;
    QTest::newRow("version") << "lblVersion" << 8.25 << true << false;
    QTest::newRow("link") << "lblURL" << 9.75 << true << true;
}

void TestAboutBox::fonts()
{
    QFETCH(QString, name);
    QFETCH(double, points);
    QFETCH(bool, bold);
    QFETCH(bool, underline);
    ScriptedPlatform platform;
    const AboutBox box(platform, QString());
    const QFont font = box.findChild<QLabel *>(name)->font();
    QCOMPARE(font.pointSizeF(), points);
    QCOMPARE(font.bold(), bold);
    QCOMPARE(font.underline(), underline);
}

void TestAboutBox::linkLooksLikeALink()
{
    ScriptedPlatform platform;
    const AboutBox box(platform, QString());
    const QLabel *link = label(box, "lblURL");
    QCOMPARE(textColor(link), QColor(0, 0, 192));
    QCOMPARE(link->toolTip(), QStringLiteral("Click here to visit Torvy Softwares homepage"));
    QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
    auto *ok = box.findChild<QPushButton *>(QStringLiteral("cmdOK"));
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QVERIFY(ok->isDefault());
    QVERIFY(box.findChild<QFrame *>(QStringLiteral("Line2")) != nullptr);
    QVERIFY(box.findChild<QFrame *>(QStringLiteral("Line3")) != nullptr);
    QVERIFY(!label(box, "Label3")->text().isEmpty());
}

void TestAboutBox::topToBottom()
{
    ScriptedPlatform platform;
    AboutBox box(platform, QString());
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    const QStringList order = {QStringLiteral("lblTitle"), QStringLiteral("lblVersion"),
                               QStringLiteral("lbl(0)"),   QStringLiteral("lbl(4)"),
                               QStringLiteral("lblURL"),   QStringLiteral("Label1(0)"),
                               QStringLiteral("Label1(1)")};
    for (qsizetype i = 1; i < order.size(); ++i) {
        const QWidget *above = box.findChild<QWidget *>(order[i - 1]);
        const QWidget *below = box.findChild<QWidget *>(order[i]);
        QVERIFY2(above->geometry().top() <= below->geometry().top(),
                 qPrintable(order[i - 1] + u'/' + order[i]));
    }
    const QWidget *link = label(box, "lblURL");
    const QWidget *notice = label(box, "Label3");
    const QWidget *ok = box.findChild<QWidget *>(QStringLiteral("cmdOK"));
    QVERIFY(notice->geometry().top() > link->geometry().bottom());
    QVERIFY(ok->geometry().top() > link->geometry().bottom());
    QVERIFY(ok->geometry().left() > notice->geometry().right());
    QVERIFY(label(box, "Label1(0)")->geometry().right() < notice->geometry().left());
}

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
    QLabel *link = label(box, "lblURL");
    QTest::mouseClick(link, button);
    const QList<QUrl> expected =
        opened ? QList<QUrl>{QUrl(QStringLiteral("https://www.torvy.example/shopping/"))}
               : QList<QUrl>{};
    QCOMPARE(platform.openedUrls, expected);
    QCOMPARE(textColor(link), opened ? QColor(255, 0, 0) : QColor(0, 0, 192));
    QVERIFY(platform.messages.isEmpty());
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    QVERIFY(box.isVisible());
}

void TestAboutBox::buildDetails()
{
    const TestFolder folder;
    folder.write(QStringLiteral("shopping"), "binary");
    const QDateTime built(QDate(2001, 3, 4), QTime(7, 15, 9));
    {
        QFile file(folder.filePath(QStringLiteral("shopping")));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(built, QFileDevice::FileModificationTime));
    }
    ScriptedPlatform platform;
    AboutBox box(platform, folder.filePath(QStringLiteral("shopping")));
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::mouseDClick(label(box, "lblVersion"), Qt::LeftButton);

    QCOMPARE(platform.messages.size(), 1);
    const MessageBoxRequest &message = platform.messages.constFirst();
    QCOMPARE(message.title, QStringLiteral("shopping"));
    QCOMPARE(message.buttons, MessageButtons::Ok);
    QCOMPARE(message.icon, MessageIcon::None);
    const QStringList lines = message.text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0], QStringLiteral("shopping"));
    QCOMPARE(lines[1], QStringLiteral("v1.2.28"));
    // The system's own date format, whatever it is; the file's date, not today's.
    const QString date = QLocale::system().toString(built.date(), QLocale::ShortFormat);
    QVERIFY2(lines[2].startsWith(QStringLiteral("EXE created on ") + date + u' '),
             qPrintable(lines[2]));
    QVERIFY2(lines[2].contains(QStringLiteral("15:09")), qPrintable(lines[2]));
}

void TestAboutBox::noBuildDetailsWithoutTheExecutable()
{
    const TestFolder folder;
    ScriptedPlatform platform;
    AboutBox box(platform, folder.filePath(QStringLiteral("shopping")));
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::mouseDClick(label(box, "lblVersion"), Qt::LeftButton);
    QVERIFY(platform.messages.isEmpty());
    QVERIFY(box.isVisible());
}

void TestAboutBox::closes_data()
{
    QTest::addColumn<int>("key"); // 0: click OK
    QTest::newRow("Escape") << int(Qt::Key_Escape);
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("Enter") << int(Qt::Key_Enter);
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
        QTest::mouseClick(box.findChild<QPushButton *>(QStringLiteral("cmdOK")), Qt::LeftButton);
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
    QCOMPARE(window.windowTitle(), QStringLiteral("Torvy Softwares Vendrel"));
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    // The box is modal: look at it from inside its own event loop, then close it.
    QList<QColor> linkColours;
    auto inspect = [&linkColours](bool clickLink) {
        QTimer::singleShot(0, [&linkColours, clickLink] {
            auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (box == nullptr || box->objectName() != u"frmAboutShopping") {
                QFAIL("no about box");
            }
            QLabel *link = label(*box, "lblURL");
            if (clickLink) {
                QTest::mouseClick(link, Qt::LeftButton);
            }
            linkColours.append(textColor(link));
            box->reject();
        });
    };
    inspect(true);
    QTest::keyClick(&window, Qt::Key_F1, Qt::ShiftModifier);
    inspect(false);
    window.findChild<QAction *>(QStringLiteral("mnuHelp(2)"))->trigger();

    QCOMPARE(linkColours, (QList<QColor>{QColor(255, 0, 0), QColor(0, 0, 192)}));
    QCOMPARE(platform.openedUrls.size(), 1);
    QVERIFY(window.findChildren<AboutBox *>().isEmpty());
}

QTEST_MAIN(TestAboutBox)
#include "tst_aboutbox.moc"
