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
};

void TestLog::nothingIsWrittenBelowTheThreshold()
{
    TestFolder folder;
    const Log log(folder.path(), u"shopping"_qs);
    QCOMPARE(LogLevel, qint16(0));
    log.LogMessage(u"level three"_qs, 3);
    QVERIFY(!folder.exists(u"shopping.log"_qs));
    QVERIFY(!folder.exists(u"error.log"_qs));
    log.LogMessage(u"level zero"_qs, 0);
    QVERIFY(folder.exists(u"shopping.log"_qs));
    // The login and machine names are asked once only.
    QCOMPARE(SysInfoQueryCount(), 2);
    log.LogMessage(u"again"_qs, 0);
    QCOMPARE(SysInfoQueryCount(), 2);
}

void TestLog::lineFormat_data()
{
    QTest::addColumn<QString>("message");
    QTest::newRow("commas and trailing blank") << u"a, b,c "_qs;
    QTest::newRow("empty") << u""_qs;
    QTest::newRow("non-ASCII") << QString::fromUtf8("Crème brûlée");
}

void TestLog::lineFormat()
{
    QFETCH(QString, message);
    TestFolder folder;
    Log(folder.path(), u"shopping"_qs).LogMessage(message, 0);
    const QByteArray bytes = folder.read(u"shopping.log"_qs);
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count("\r\n"), 1);
    const QString line = QString::fromUtf8(bytes.chopped(2));
    const QString prefix = GetLoginName() + u',' + GetMachineName() + u',';
    const QRegularExpression format(u"^(\\d{8}),(\\d\\d:\\d\\d:\\d\\d),(.*)$"_qs);
    const QRegularExpressionMatch match = format.match(line);
    QVERIFY2(match.hasMatch(), qPrintable(line));
    QCOMPARE(match.captured(1), QDate::currentDate().toString(u"yyyyMMdd"_qs));
    QCOMPARE(match.captured(3), prefix + message);
}

void TestLog::linesAreAppended()
{
    TestFolder folder;
    folder.write(u"shopping.log"_qs, "earlier line\r\n");
    const Log log(folder.path(), u"shopping"_qs);
    log.LogMessage(u"one"_qs, 0);
    log.LogMessage(u"two"_qs, -1);
    const QList<QByteArray> lines = folder.read(u"shopping.log"_qs).split('\n');
    QCOMPARE(lines.size(), 4); // three lines and the empty rest after the last line end
    QCOMPARE(lines[0], QByteArray("earlier line\r"));
    QVERIFY(lines[1].endsWith(",one\r"));
    QVERIFY(lines[2].endsWith(",two\r"));
}

void TestLog::unwritableLogFallsBackToErrorLog()
{
    TestFolder folder;
    // A folder where the log file should be cannot be opened for appending, even by root.
    QVERIFY(QDir(folder.path()).mkdir(u"shopping.log"_qs));
    Log(folder.path(), u"shopping"_qs).LogMessage(u"lost, line"_qs, 0);
    const QString text = QString::fromUtf8(folder.read(u"error.log"_qs));
    QVERIFY2(text.startsWith(u"LOGGING ERROR "_qs), qPrintable(text));
    QVERIFY(text.endsWith(u" - text = lost, line\r\n"_qs));

    // When the error log cannot be written either, nothing happens at all.
    TestFolder blocked;
    QVERIFY(QDir(blocked.path()).mkdir(u"shopping.log"_qs));
    QVERIFY(QDir(blocked.path()).mkdir(u"error.log"_qs));
    Log(blocked.path(), u"shopping"_qs).LogMessage(u"x"_qs, 0);
}

QTEST_GUILESS_MAIN(TestLog)
#include "tst_log.moc"
