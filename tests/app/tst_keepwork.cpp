#include "support/WindowSession.h"

#include "list/ListView.h"

#include <QHeaderView>
#include <QTest>

// Nothing the user made is lost: a changed list is offered for saving before it goes, and
// what a list file cannot hold is refused or pointed out.
class TestKeepWork : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void changedListIsOfferedForSaving_data();
    void changedListIsOfferedForSaving();
    void whatCountsAsAChange();
    void savedOrOpenedListIsUnchanged();
    void commaInQuantityIsRefused();
    void commasAreShownBeforeSaving();
    void blankLinesGiveNoRow();

private:
    // Whether the command asked about unsaved changes (and so was answered by the test).
    bool asked() const;
    std::unique_ptr<WindowSession> m_session;
};

void TestKeepWork::init()
{
    m_session = std::make_unique<WindowSession>();
    m_session->start();
}

void TestKeepWork::cleanup()
{
    QCOMPARE(m_session->platform.unanswered, 0);
    m_session.reset();
}

bool TestKeepWork::asked() const
{
    for (const MessageBoxRequest &request : m_session->platform.messages) {
        if (request.title == u"Unsaved Shopping List") {
            return request.text == u"Save the changes to the shopping list first?" &&
                   request.buttons == MessageButtons::SaveDiscardCancel &&
                   request.defaultAnswer == MessageAnswer::Save;
        }
    }
    return false;
}

void TestKeepWork::changedListIsOfferedForSaving_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<bool>("saveConfirmed");
    QTest::addColumn<bool>("goesOn");
    for (const char *command : {"mnuFile(0)", "mnuFile(1)", "mnuFile(7)"}) {
        const QByteArray name(command);
        QTest::newRow(name + " discard") << QString::fromLatin1(command) << MessageAnswer::Discard
                                         << false << true;
        QTest::newRow(name + " cancel") << QString::fromLatin1(command) << MessageAnswer::Cancel
                                        << false << false;
        QTest::newRow(name + " save") << QString::fromLatin1(command) << MessageAnswer::Save
                                      << true << true;
        QTest::newRow(name + " save cancelled")
            << QString::fromLatin1(command) << MessageAnswer::Save << false << false;
    }
}

void TestKeepWork::changedListIsOfferedForSaving()
{
    QFETCH(QString, command);
    QFETCH(MessageAnswer, answer);
    QFETCH(bool, saveConfirmed);
    QFETCH(bool, goesOn);
    m_session->tick(8, true);
    m_session->platform.messageAnswers = {answer};
    const QString saved = m_session->folder.filePath(u"saved.shp"_qs);
    if (answer == MessageAnswer::Save) {
        if (saveConfirmed) {
            m_session->platform.answerFileName(saved);
        } else {
            m_session->platform.cancelNextDialog();
        }
    }
    // Open goes on to its own file dialog, which the test cancels.
    if (goesOn && command == u"mnuFile(1)") {
        m_session->platform.cancelNextDialog();
    }
    m_session->trigger(command);
    QVERIFY(asked());
    QCOMPARE(m_session->folder.exists(u"saved.shp"_qs), saveConfirmed);
    if (command == u"mnuFile(0)") {
        QCOMPARE(m_session->list().count(), goesOn ? 0 : 1);
    } else if (command == u"mnuFile(1)") {
        QCOMPARE(m_session->platform.dialogs.size(),
                 (answer == MessageAnswer::Save ? 1 : 0) + (goesOn ? 1 : 0));
    } else {
        QCOMPARE(m_session->window->isVisible(), !goesOn);
        QCOMPARE(m_session->folder.exists(u"shopping.ini"_qs), goesOn);
    }
    if (!goesOn) {
        m_session->list().setUnchanged(); // so that the session can close
    }
}

void TestKeepWork::whatCountsAsAChange()
{
    QVERIFY(!m_session->list().isChanged());
    m_session->tick(8, true); // a pick
    QVERIFY(m_session->list().isChanged());
    m_session->tick(8, false); // its removal leaves an empty list: nothing to save
    QVERIFY(!m_session->list().isChanged());
    appendRows(m_session->list(), {u"2|Milk|Dairy"_qs, u"1|Pears|Fruit and Veg"_qs});
    m_session->list().setUnchanged();
    m_session->clickRow(1);
    m_session->platform.inputAnswers = {u"2"_qs}; // the same quantity changes nothing
    m_session->trigger(u"mnuItem(1)"_qs);
    QVERIFY(!m_session->list().isChanged());
    m_session->platform.inputAnswers = {u"3"_qs};
    m_session->trigger(u"mnuItem(1)"_qs);
    QVERIFY(m_session->list().isChanged());
    m_session->list().setUnchanged();
    emit m_session->listView().header()->sectionClicked(1); // a sort
    QVERIFY(m_session->list().isChanged());
    m_session->list().setUnchanged();
    m_session->clickNode(7);
    QVERIFY(m_session->dropOnList(u"Apples"_qs));
    QVERIFY(m_session->list().isChanged());
    m_session->list().setUnchanged();
}

void TestKeepWork::savedOrOpenedListIsUnchanged()
{
    m_session->tick(8, true);
    m_session->save(u"week.shp"_qs);
    QVERIFY(!m_session->list().isChanged());
    m_session->tick(7, true);
    m_session->platform.messageAnswers = {MessageAnswer::Discard};
    m_session->open(u"week.shp"_qs);
    QVERIFY(asked());
    QCOMPARE(rows(m_session->list()), QStringList{"1|Pears|Fruit and Veg"});
    QVERIFY(!m_session->list().isChanged());
    m_session->platform.messages.clear();
    m_session->trigger(u"mnuFile(0)"_qs); // nothing changed since: no question
    QVERIFY(!asked());
}

void TestKeepWork::commaInQuantityIsRefused()
{
    appendRows(m_session->list(), {u"2|Milk|Dairy"_qs});
    m_session->clickRow(1);
    m_session->platform.inputAnswers = {u"1,5"_qs};
    m_session->trigger(u"mnuItem(1)"_qs);
    QCOMPARE(rows(m_session->list()), QStringList{"2|Milk|Dairy"});
    QCOMPARE(m_session->platform.messages.size(), 1);
    QVERIFY(m_session->platform.messages[0].text.contains(u"comma"));
    m_session->list().setUnchanged();
}

void TestKeepWork::commasAreShownBeforeSaving()
{
    appendRows(m_session->list(), {u"1|Salt, coarse|"_qs, u"2|Milk|Dairy"_qs, u"1,5|Rice|"_qs,
                                   u"1|a,b|"_qs, u"1|c,d|"_qs});
    m_session->platform.messageAnswers = {MessageAnswer::No};
    m_session->trigger(u"mnuFile(2)"_qs); // No: no file dialog, nothing written
    QCOMPARE(m_session->platform.dialogs.size(), 0);
    const QString text = m_session->platform.messages.value(0).text;
    QVERIFY2(text.contains(u"\"Salt, coarse\", \"Rice\", \"a,b\" and 1 more"), qPrintable(text));
    QVERIFY(m_session->list().isChanged());

    m_session->platform.messageAnswers = {MessageAnswer::Yes};
    m_session->save(u"week.shp"_qs);
    QCOMPARE(m_session->folder.read(u"week.shp"_qs).left(15), QByteArray("1,Salt, coarse,"));
    QVERIFY(!m_session->list().isChanged());
}

void TestKeepWork::blankLinesGiveNoRow()
{
    m_session->folder.write(u"in.shp"_qs, "\r\n2,Milk,Dairy,\r\n   \r\n\r\n1,Pears,,\r\n\r\n");
    m_session->open(u"in.shp"_qs);
    QCOMPARE(rows(m_session->list()), QStringList({"2|Milk|Dairy", "1|Pears|"}));
}

QTEST_MAIN(TestKeepWork)
#include "tst_keepwork.moc"
