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
    void linesAreAppendedFromTheThresholdOn()
    {
        TestFolder folder;
        const Log log(folder.path(), u"shopping"_qs);
        QCOMPARE(LogLevel, qint16(0));
        log.LogMessage(u"level one"_qs, 1);
        QVERIFY(!folder.exists(u"shopping.log"_qs));
        QVERIFY(!folder.exists(u"error.log"_qs));
        // The login and machine names are asked once only.
        QCOMPARE(SysInfoQueryCount(), 2);

        folder.write(u"shopping.log"_qs, "earlier line\r\n");
        log.LogMessage(u"a, b,c "_qs, 0);
        log.LogMessage(u"Crème"_qs, -1);
        QCOMPARE(SysInfoQueryCount(), 2);
        const QString date = QDate::currentDate().toString(u"yyyyMMdd"_qs);
        const QString who = GetLoginName() + u',' + GetMachineName() + u',';
        auto line = [&](const QString &message) {
            return date + u",\\d\\d:\\d\\d:\\d\\d,"_qs + QRegularExpression::escape(who + message) +
                   u"\r\n"_qs;
        };
        const QString text = QString::fromUtf8(folder.read(u"shopping.log"_qs));
        const QRegularExpression lines(u"^earlier line\r\n"_qs + line(u"a, b,c "_qs) +
                                       line(u"Crème"_qs) + u'$');
        QVERIFY2(lines.match(text).hasMatch(), qPrintable(text));
    }

    void unwritableLogFallsBackToErrorLog()
    {
        TestFolder folder;
        // A folder where the log file should be cannot be opened for appending, even by root.
        QVERIFY(QDir(folder.path()).mkdir(u"shopping.log"_qs));
        Log(folder.path(), u"shopping"_qs).LogMessage(u"lost, line"_qs, 0);
        const QString text = QString::fromUtf8(folder.read(u"error.log"_qs));
        QVERIFY2(text.startsWith(u"LOGGING ERROR "_qs), qPrintable(text));
        QVERIFY(text.endsWith(u" - text = lost, line\r\n"_qs));

        // When the error log cannot be written either, nothing happens at all.
        QVERIFY(QFile::remove(folder.filePath(u"error.log"_qs)));
        QVERIFY(QDir(folder.path()).mkdir(u"error.log"_qs));
        Log(folder.path(), u"shopping"_qs).LogMessage(u"x"_qs, 0);
    }
};

QTEST_GUILESS_MAIN(TestLog)
#include "tst_log.moc"
