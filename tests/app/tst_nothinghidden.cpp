#include "app/FormPlacement.h"
#include "catalogue/CatalogueView.h"
#include "config/ColorValue.h"
#include "list/ListView.h"
#include "support/WindowSession.h"

#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QStatusBar>
#include <QTest>

// Nothing is hidden from the user, and the keys and the mouse work as on any list or tree.
class TestNothingHidden : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void keysSelectTheRowTheyLandOn();
    void emptySpaceKeepsTheSelectedNode();
    void sortIndicatorOnlyWhileSorted();
    void listReadsOnADarkTheme();
    void fontDialogsStartFromWhatTheyChange();
    void helpAndPanelsSayTheTruth();
    void aboutBoxSaysTheTerms();
    void placeOffEveryScreenIsMoved_data();
    void placeOffEveryScreenIsMoved();

private:
    std::unique_ptr<WindowSession> m_session;
};

void TestNothingHidden::init()
{
    m_session = std::make_unique<WindowSession>();
    m_session->start();
}

void TestNothingHidden::cleanup()
{
    QCOMPARE(m_session->platform.unanswered, 0);
    m_session->list().setUnchanged();
    m_session.reset();
}

void TestNothingHidden::keysSelectTheRowTheyLandOn()
{
    appendRows(m_session->list(), {u"1|Milk|"_qs, u"2|Pears|"_qs, u"3|Rice|"_qs});
    m_session->tree().setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), &m_session->listView());
    QCOMPARE(m_session->listView().selectedRow(), 1); // nothing was selected: the first row
    QTest::keyClick(&m_session->listView(), Qt::Key_Down);
    QCOMPARE(m_session->listView().selectedRow(), 2);
    m_session->listView().clearSelection();
    QTest::keyClick(&m_session->listView(), Qt::Key_Home);
    m_session->platform.inputAnswers = {u"7"_qs};
    QTest::keyClick(m_session->window.get(), Qt::Key_F2);
    QTest::keyClick(&m_session->listView(), Qt::Key_End);
    QTest::keyClick(m_session->window.get(), Qt::Key_Delete);
    QCOMPARE(rows(m_session->list()), QStringList({"7|Milk|", "2|Pears|"}));
    m_session->listView().clearSelection();
    QTest::keyClick(&m_session->listView(), Qt::Key_End); // already the current row
    QCOMPARE(m_session->listView().selectedRow(), 2);
}

void TestNothingHidden::emptySpaceKeepsTheSelectedNode()
{
    m_session->clickNode(7); // Apples
    QWidget *space = m_session->tree().viewport();
    const QPoint below(5, space->height() - 3);
    QTest::mouseClick(space, Qt::LeftButton, {}, below);
    QCOMPARE(m_session->tree().selectedNode(), 7);
    QTest::mouseDClick(space, Qt::LeftButton, {}, below);
    QCOMPARE(rows(m_session->list()), QStringList{"1|Apples|Fruit and Veg"});
    QTest::keyClick(m_session->window.get(), Qt::Key_Insert, Qt::ControlModifier);
    QCOMPARE(rows(m_session->list()), QStringList{"2|Apples|Fruit and Veg"});
}

void TestNothingHidden::sortIndicatorOnlyWhileSorted()
{
    appendRows(m_session->list(), {u"1|b|"_qs, u"1|a|"_qs});
    QHeaderView *header = m_session->listView().header();
    emit header->sectionClicked(1);
    QVERIFY(header->isSortIndicatorShown());
    m_session->clickRow(1);
    QTest::keyClick(m_session->window.get(), Qt::Key_Delete); // removing keeps the order
    QVERIFY(header->isSortIndicatorShown());
    m_session->tick(8, true);
    QVERIFY(!header->isSortIndicatorShown());
    emit header->sectionClicked(0);
    QVERIFY(header->isSortIndicatorShown());
    m_session->clickRow(1);
    m_session->platform.inputAnswers = {u"5"_qs};
    QTest::keyClick(m_session->window.get(), Qt::Key_F2);
    QVERIFY(!header->isSortIndicatorShown());
}

void TestNothingHidden::listReadsOnADarkTheme()
{
    m_session.reset();
    const QPalette light = QApplication::palette();
    QPalette dark = light;
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Text, QColor(220, 220, 220));
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    QApplication::setPalette(dark);
    m_session = std::make_unique<WindowSession>();
    m_session->folder.write(u"shopping.ini"_qs, "[font]\r\nforecolor=-2147483640\r\n");
    m_session->start();
    const QPalette drawn = m_session->listView().palette();
    QCOMPARE(drawn.color(QPalette::Text), QColor(220, 220, 220));
    QCOMPARE(drawn.color(QPalette::Base), QColor(30, 30, 30));
    // A text colour chosen like the background is not drawn either.
    m_session->platform.dialogAnswers = {[](CommonDialog &dialog) {
        dialog.color = 0xFFFFFF;
        return true;
    }};
    m_session->trigger(u"mnuOptionFont"_qs);
    QCOMPARE(m_session->listView().palette().color(QPalette::Text), QColor(220, 220, 220));
    const QByteArray ini = m_session->closeAndRead();
    QApplication::setPalette(light);
    QVERIFY(ini.contains("backcolor=16777215")); // the stored values stay
    QVERIFY(ini.contains("forecolor=16777215"));
}

void TestNothingHidden::fontDialogsStartFromWhatTheyChange()
{
    m_session->trigger(u"mnuOptionFontPrinter"_qs); // cancelled: no settings yet
    m_session->folder.write(u"shopping.ini"_qs,
                            "[PrinterFont]\r\nname=Liberation Serif\r\nsize=14\r\nbold=-1\r\n");
    m_session->trigger(u"mnuOptionFontPrinter"_qs);
    m_session->trigger(u"mnuOptionFont"_qs);
    m_session->platform.unanswered = 0;
    const auto &shown = m_session->platform.dialogs;
    QCOMPARE(shown.size(), 3);
    QCOMPARE(shown[0].properties.fontName, u"Arial"_qs);
    QCOMPARE(shown[0].properties.fontSize, 12.0);
    QVERIFY(!shown[0].properties.fontBold);
    QCOMPARE(shown[1].properties.fontName, u"Liberation Serif"_qs);
    QCOMPARE(shown[1].properties.fontSize, 14.0);
    QVERIFY(shown[1].properties.fontBold); // not carried over to the screen font
    const QFont listFont = m_session->listView().font();
    QCOMPARE(shown[2].properties.fontName, listFont.family());
    QCOMPARE(shown[2].properties.fontSize, listFont.pointSizeF());
    QVERIFY(!shown[2].properties.fontBold);
    const QColor drawn = m_session->listView().palette().color(QPalette::Text);
    QCOMPARE(shown[2].properties.color, quint32(ColorValue(drawn)));
}

void TestNothingHidden::helpAndPanelsSayTheTruth()
{
    m_session->trigger(u"mnuHelp(0)"_qs);
    const QString help = m_session->platform.messages.value(0).text;
    for (const char *part : {"choose Item -> Remove Item from List from the menu",
                             "simply use any text editor", "main file  'headings.txt'"}) {
        QVERIFY2(help.contains(QString::fromLatin1(part)), part);
    }
    QStatusBar *bar = m_session->window->statusBar();
    QCOMPARE(bar->findChild<QLabel *>(u"panel2"_qs)->toolTip(), u"Total number of things to get"_qs);
    QCOMPARE(bar->findChild<QLabel *>(u"panel3"_qs)->toolTip(), u"Number of Unique items"_qs);

    m_session.reset();
    const QFont usual = QApplication::font();
    QFont large = usual;
    large.setPointSize(24);
    QApplication::setFont(large);
    m_session = std::make_unique<WindowSession>();
    m_session->start();
    const auto *panel = m_session->window->statusBar()->findChild<QLabel *>(u"panel1"_qs);
    const int height = m_session->window->statusBar()->height();
    QApplication::setFont(usual);
    QVERIFY(height >= panel->sizeHint().height());
}

void TestNothingHidden::aboutBoxSaysTheTerms()
{
    QStringList terms;
    m_session->platform.windowAnswers = {[&terms](QDialog &about) {
        for (const char *name : {"lbl(0)", "lbl(4)"}) {
            terms.append(about.findChild<QLabel *>(QString::fromLatin1(name))->text());
        }
        return int(QDialog::Accepted);
    }};
    m_session->trigger(u"mnuHelp(2)"_qs);
    QCOMPARE(terms.value(0), u"This program is free software."_qs);
    QVERIFY(terms.value(1).contains(u"GNU General Public License, version 3 or"));
}

void TestNothingHidden::placeOffEveryScreenIsMoved_data()
{
    QTest::addColumn<QRect>("stored");
    QTest::addColumn<QRect>("placed");
    const QRect inside(100, 100, 600, 400);
    QTest::newRow("on the first screen") << inside << inside;
    QTest::newRow("title bar on the second") << QRect(1900, 50, 600, 400) << QRect(1900, 50, 600, 400);
    QTest::newRow("only a sliver showing") << QRect(-590, 100, 600, 400) << QRect(0, 100, 600, 400);
    QTest::newRow("above the screens") << QRect(100, -300, 600, 400) << QRect(100, 0, 600, 400);
    QTest::newRow("far right: the second") << QRect(5000, 200, 600, 400) << QRect(2480, 200, 600, 400);
    QTest::newRow("too large for it") << QRect(5000, 5000, 4000, 3000) << QRect(1920, 0, 1160, 900);
}

void TestNothingHidden::placeOffEveryScreenIsMoved()
{
    QFETCH(QRect, stored);
    QFETCH(QRect, placed);
    const QList<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1160, 900)};
    QCOMPARE(ReachablePlace(stored, screens), placed);
}

QTEST_MAIN(TestNothingHidden)
#include "tst_nothinghidden.moc"
