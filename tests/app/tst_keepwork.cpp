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

// Nothing the user made is lost, nothing is hidden from view, and keys and the mouse work as
// on any list or tree.
class TestKeepWork : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_session = std::make_unique<WindowSession>();
        m_session->start();
    }
    void cleanup()
    {
        QCOMPARE(m_session->platform.unanswered, 0);
        m_session->list().setUnchanged(); // the session closes without a question
        m_session.reset();
    }
    void changedListIsOfferedForSaving_data();
    void changedListIsOfferedForSaving();
    void whatCountsAsAChange();
    void commasAreRefusedOrShown();
    void keysSelectTheRowTheyLandOn();
    void emptySpaceKeepsTheSelectedNode();
    void sortIndicatorOnlyWhileSorted();
    void listReadsOnADarkTheme();
    void fontDialogsStartFromWhatTheyChange();
    void helpAndPanelsSayTheTruth();
    void placeOffEveryScreenIsMoved();

private:
    // Whether a command asked to save the changed list first.
    bool asked() const
    {
        const QList<MessageBoxRequest> &shown = m_session->platform.messages;
        return std::any_of(shown.begin(), shown.end(), [](const MessageBoxRequest &question) {
            return question.title == u"Unsaved Shopping List" &&
                   question.text == u"Save the changes to the shopping list first?" &&
                   question.buttons == MessageButtons::SaveDiscardCancel &&
                   question.defaultAnswer == MessageAnswer::Save;
        });
    }
    std::unique_ptr<WindowSession> m_session;
};

void TestKeepWork::changedListIsOfferedForSaving_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<bool>("saved"); // the Save List dialog confirmed
    QTest::addColumn<bool>("goesOn");
    for (const char *command : {"mnuFile(0)", "mnuFile(1)", "mnuFile(7)"}) {
        const QByteArray name(command);
        const QString action = QString::fromLatin1(command);
        QTest::newRow(name + " discard") << action << MessageAnswer::Discard << false << true;
        QTest::newRow(name + " cancel") << action << MessageAnswer::Cancel << false << false;
        QTest::newRow(name + " save") << action << MessageAnswer::Save << true << true;
        QTest::newRow(name + " save cancelled") << action << MessageAnswer::Save << false << false;
    }
}

void TestKeepWork::changedListIsOfferedForSaving()
{
    QFETCH(QString, command);
    QFETCH(MessageAnswer, answer);
    QFETCH(bool, saved);
    QFETCH(bool, goesOn);
    ScriptedPlatform &platform = m_session->platform;
    m_session->tick(8, true);
    platform.messageAnswers = {answer};
    if (answer == MessageAnswer::Save) {
        saved ? platform.answerFileName(m_session->folder.filePath(u"saved.shp"_qs))
              : platform.cancelNextDialog();
    }
    if (goesOn && command == u"mnuFile(1)") {
        platform.cancelNextDialog(); // Open's own file dialog
    }
    m_session->trigger(command);
    QVERIFY(asked());
    QCOMPARE(m_session->folder.exists(u"saved.shp"_qs), saved);
    if (command == u"mnuFile(0)") {
        QCOMPARE(m_session->list().count(), goesOn ? 0 : 1);
    } else if (command == u"mnuFile(1)") {
        QCOMPARE(platform.dialogs.size(), (answer == MessageAnswer::Save) + int(goesOn));
    } else {
        QCOMPARE(m_session->window->isVisible(), !goesOn);
        QCOMPARE(m_session->folder.exists(u"shopping.ini"_qs), goesOn);
    }
}

void TestKeepWork::whatCountsAsAChange()
{
    ShoppingList &list = m_session->list();
    m_session->tick(8, true); // a pick
    QVERIFY(list.isChanged());
    m_session->tick(8, false); // its removal leaves an empty list: nothing to save
    QVERIFY(!list.isChanged());
    appendRows(list, {u"2|Milk|Dairy"_qs, u"1|Pears|Fruit and Veg"_qs});
    m_session->save(u"week.shp"_qs);
    QVERIFY(!list.isChanged());
    m_session->clickRow(1);
    m_session->platform.inputAnswers = {u"3"_qs};
    m_session->trigger(u"mnuItem(1)"_qs);
    QVERIFY(list.isChanged());
    m_session->platform.messageAnswers = {MessageAnswer::Discard};
    m_session->folder.write(u"in.shp"_qs, "\r\n2,Milk,Dairy,\r\n   \r\n\r\n1,Pears,,\r\n\r\n");
    m_session->open(u"in.shp"_qs);
    QVERIFY(asked());
    QCOMPARE(rows(list), QStringList({"2|Milk|Dairy", "1|Pears|"})); // blank lines give no row
    QVERIFY(!list.isChanged());
    emit m_session->listView().header()->sectionClicked(1); // a sort
    QVERIFY(list.isChanged());
}

void TestKeepWork::commasAreRefusedOrShown()
{
    appendRows(m_session->list(), {u"1|Salt, coarse|"_qs, u"2|Milk|Dairy"_qs, u"1,5|Rice|"_qs,
                                   u"1|a,b|"_qs, u"1|c,d|"_qs});
    m_session->clickRow(2);
    m_session->platform.inputAnswers = {u"1,5"_qs};
    m_session->trigger(u"mnuItem(1)"_qs);
    QCOMPARE(m_session->list().row(2).quantity, u"2"_qs);
    QVERIFY(m_session->platform.messages.value(0).text.contains(u"comma"));

    m_session->platform.messageAnswers = {MessageAnswer::No};
    m_session->trigger(u"mnuFile(2)"_qs); // No: no file dialog, nothing written
    QCOMPARE(m_session->platform.dialogs.size(), 0);
    const QString text = m_session->platform.messages.value(1).text;
    QVERIFY2(text.contains(u"\"Salt, coarse\", \"Rice\", \"a,b\" and 1 more"), qPrintable(text));
    m_session->platform.messageAnswers = {MessageAnswer::Yes};
    m_session->save(u"week.shp"_qs);
    QCOMPARE(m_session->folder.read(u"week.shp"_qs).left(15), QByteArray("1,Salt, coarse,"));
}

void TestKeepWork::keysSelectTheRowTheyLandOn()
{
    appendRows(m_session->list(), {u"1|Milk|"_qs, u"2|Pears|"_qs, u"3|Rice|"_qs});
    m_session->tree().setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), &m_session->listView());
    QCOMPARE(m_session->listView().selectedRow(), 1); // nothing was selected: the first row
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

void TestKeepWork::emptySpaceKeepsTheSelectedNode()
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

void TestKeepWork::sortIndicatorOnlyWhileSorted()
{
    appendRows(m_session->list(), {u"1|b|"_qs, u"1|a|"_qs});
    QHeaderView *header = m_session->listView().header();
    emit header->sectionClicked(1);
    QVERIFY(header->isSortIndicatorShown());
    m_session->tick(8, true);
    QVERIFY(!header->isSortIndicatorShown());
}

void TestKeepWork::listReadsOnADarkTheme()
{
    m_session.reset();
    const QPalette light = QApplication::palette();
    QPalette dark = light;
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

void TestKeepWork::fontDialogsStartFromWhatTheyChange()
{
    m_session->trigger(u"mnuOptionFontPrinter"_qs); // cancelled: no settings yet
    m_session->folder.write(u"shopping.ini"_qs,
                            "[PrinterFont]\r\nname=Liberation Serif\r\nsize=14\r\nbold=-1\r\n");
    m_session->trigger(u"mnuOptionFontPrinter"_qs);
    m_session->trigger(u"mnuOptionFont"_qs);
    m_session->platform.unanswered = 0;
    QStringList shown;
    for (const auto &dialog : std::as_const(m_session->platform.dialogs)) {
        const CommonDialog &font = dialog.properties;
        shown.append(u"%1 %2 %3 %4"_qs.arg(font.fontName)
                         .arg(font.fontSize)
                         .arg(font.fontBold)
                         .arg(font.color));
    }
    const QFont list = m_session->listView().font();
    const QColor text = m_session->listView().palette().color(QPalette::Text);
    QCOMPARE(
        shown,
        QStringList(
            {u"Arial 12 0 0"_qs, u"Liberation Serif 14 1 0"_qs,
             u"%1 %2 0 %3"_qs.arg(list.family()).arg(list.pointSizeF()).arg(ColorValue(text))}));
}

void TestKeepWork::helpAndPanelsSayTheTruth()
{
    m_session->trigger(u"mnuHelp(0)"_qs);
    const QString help = m_session->platform.messages.value(0).text;
    for (const char *part : {"choose Item -> Remove Item from List from the menu",
                             "simply use any text editor", "main file  'headings.txt'"}) {
        QVERIFY2(help.contains(QString::fromLatin1(part)), part);
    }
    QStatusBar *bar = m_session->window->statusBar();
    QCOMPARE(bar->findChild<QLabel *>(u"panel2"_qs)->toolTip(),
             u"Total number of things to get"_qs);
    QCOMPARE(bar->findChild<QLabel *>(u"panel3"_qs)->toolTip(), u"Number of Unique items"_qs);

    m_session.reset();
    const QFont usual = QApplication::font();
    QFont large = usual;
    large.setPointSize(24);
    QApplication::setFont(large);
    m_session = std::make_unique<WindowSession>(); // the bar is made with the window
    const auto *panel = m_session->window->statusBar()->findChild<QLabel *>(u"panel1"_qs);
    const int height = m_session->window->statusBar()->height();
    QApplication::setFont(usual);
    QVERIFY(height >= panel->sizeHint().height());
}

void TestKeepWork::placeOffEveryScreenIsMoved()
{
    const QList<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1160, 900)};
    const QList<std::pair<QRect, QRect>> storedAndPlaced = {
        {QRect(1900, 50, 600, 400), QRect(1900, 50, 600, 400)},      // title bar on the second
        {QRect(-590, 100, 600, 400), QRect(0, 100, 600, 400)},       // only a sliver showing
        {QRect(5000, 200, 600, 400), QRect(2480, 200, 600, 400)},    // the second is nearest
        {QRect(5000, 5000, 4000, 3000), QRect(1920, 0, 1160, 900)}}; // too large for it
    for (const auto &[stored, placed] : storedAndPlaced) {
        QCOMPARE(ReachablePlace(stored, screens), placed);
    }
}

QTEST_MAIN(TestKeepWork)
#include "tst_keepwork.moc"
