#include "log/Log.h"
#include "log/SysInfo.h"
#include "support/TestFolder.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>

class TestLog : public QObject
{
    Q_OBJECT

private slots:
    void nothingIsWrittenBelowTheThreshold();
    void lineFormat_data();
    void lineFormat();
    void linesAreAppended();
    void unwritableLogFallsBackToErrorLog();
    void namesAreAskedOnce();
};

void TestLog::nothingIsWrittenBelowTheThreshold()
{
    TestFolder folder;
    const Log log(folder.path(), QStringLiteral("shopping"));
    QCOMPARE(LogLevel, qint16(0));
    log.LogMessage(QStringLiteral("level three"), 3);
    QVERIFY(!folder.exists(QStringLiteral("shopping.log")));
    QVERIFY(!folder.exists(QStringLiteral("error.log")));
    log.LogMessage(QStringLiteral("level zero"), 0);
    QVERIFY(folder.exists(QStringLiteral("shopping.log")));
}

void TestLog::lineFormat_data()
{
    QTest::addColumn<QString>("message");
    QTest::newRow("plain") << "Saving List to file :/tmp/a.shp";
    QTest::newRow("commas and trailing blank") << "a, b,c ";
    QTest::newRow("empty") << "";
    QTest::newRow("non-ASCII") << QString::fromUtf8("Crème brûlée");
}

void TestLog::lineFormat()
{
    QFETCH(QString, message);
    TestFolder folder;
    Log(folder.path(), QStringLiteral("shopping")).LogMessage(message, 0);
    const QByteArray bytes = folder.read(QStringLiteral("shopping.log"));
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count("\r\n"), 1);
    const QString line = QString::fromUtf8(bytes.chopped(2));
    const QString prefix = GetLoginName() + u',' + GetMachineName() + u',';
    const QRegularExpression format(QStringLiteral("^(\\d{8}),(\\d\\d:\\d\\d:\\d\\d),(.*)$"));
    const QRegularExpressionMatch match = format.match(line);
    QVERIFY2(match.hasMatch(), qPrintable(line));
    QCOMPARE(match.captured(1), QDate::currentDate().toString(QStringLiteral("yyyyMMdd")));
    QCOMPARE(match.captured(3), prefix + message);
}

void TestLog::linesAreAppended()
{
    TestFolder folder;
    folder.write(QStringLiteral("shopping.log"), "earlier line\r\n");
    const Log log(folder.path(), QStringLiteral("shopping"));
    log.LogMessage(QStringLiteral("one"), 0);
    log.LogMessage(QStringLiteral("two"), -1);
    const QList<QByteArray> lines = folder.read(QStringLiteral("shopping.log")).split('\n');
    QCOMPARE(lines.size(), 4); // three lines and the empty rest after the last line end
    QCOMPARE(lines[0], QByteArray("earlier line\r"));
    QVERIFY(lines[1].endsWith(",one\r"));
    QVERIFY(lines[2].endsWith(",two\r"));
}

void TestLog::unwritableLogFallsBackToErrorLog()
{
    TestFolder folder;
    // A folder where the log file should be cannot be opened for appending, even by root.
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("shopping.log")));
    Log(folder.path(), QStringLiteral("shopping")).LogMessage(QStringLiteral("lost, line"), 0);
    const QString text = QString::fromUtf8(folder.read(QStringLiteral("error.log")));
    QVERIFY2(text.startsWith(QStringLiteral("LOGGING ERROR ")), qPrintable(text));
    QVERIFY(text.endsWith(QStringLiteral(" - text = lost, line\r\n")));

    // When the error log cannot be written either, nothing happens at all.
    TestFolder blocked;
    QVERIFY(QDir(blocked.path()).mkdir(QStringLiteral("shopping.log")));
    QVERIFY(QDir(blocked.path()).mkdir(QStringLiteral("error.log")));
    Log(blocked.path(), QStringLiteral("shopping")).LogMessage(QStringLiteral("x"), 0);
}

void TestLog::namesAreAskedOnce()
{
    TestFolder folder;
    const Log log(folder.path(), QStringLiteral("shopping"));
    log.LogMessage(QStringLiteral("first"), 3);
    const int asked = SysInfoQueryCount();
    QCOMPARE(asked, 2);
    log.LogMessage(QStringLiteral("second"), 3);
    log.LogMessage(QStringLiteral("third"), 0);
    QCOMPARE(SysInfoQueryCount(), asked);
    QVERIFY(!GetLoginName().isEmpty());
}

QTEST_GUILESS_MAIN(TestLog)
#include "tst_log.moc"
