#include "support/WindowSession.h"

#include <QDir>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

// Prints through the test's own print server, whose one queue keeps each job as the PDF file
// the program sent, and reads the printed text back.
class TestPrintJob : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_printed.setPath(qEnvironmentVariable("SHOPPING_PRINTED"));
        if (m_printed.path().isEmpty() || !m_printed.exists()) {
            QSKIP("no print server of the tests' own is running");
        }
        if (QPrinterInfo::defaultPrinter().printerName() != u"shopping-test") {
            QSKIP("the test's print queue is not the default printer");
        }
        if (QStandardPaths::findExecutable(u"pdftotext"_qs).isEmpty()) {
            QSKIP("pdftotext is missing");
        }
    }

    void printedText()
    {
        WindowSession session;
        session.start();
        appendRows(session.list(), {u"2|Milk|Dairy"_qs, u"1|Bread|Bakery"_qs, u"1|Cheese|Dairy"_qs,
                                    u"3|Candles|"_qs});
        session.trigger(u"mnuFile(5)"_qs);
        QCOMPARE(session.platform.messages.size(), 0);
        QCOMPARE(session.panel(1), u"Sent to printer shopping-test"_qs);

        const QStringList pattern{u"job-*.pdf"_qs};
        QTRY_VERIFY_WITH_TIMEOUT(!m_printed.entryList(pattern, QDir::Files).isEmpty(), 60000);
        QProcess pdftotext;
        pdftotext.start(
            u"pdftotext"_qs,
            {u"-layout"_qs, m_printed.filePath(m_printed.entryList(pattern).first()), u"-"_qs});
        QVERIFY(pdftotext.waitForFinished(60000));
        const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
        // Grouped by category in order of first occurrence, the rows without one last.
        qsizetype at = 0;
        for (const char *line : {"Shopping List for", "Dairy", "Milk ( x2 )", "Cheese", "Bakery",
                                 "Bread", "Candles ( x3 )"}) {
            at = text.indexOf(QString::fromLatin1(line), at);
            QVERIFY2(at >= 0, qPrintable(QString::fromLatin1(line) + u'\n' + text));
        }
    }

private:
    QDir m_printed;
};

QTEST_MAIN(TestPrintJob)
#include "tst_printjob.moc"
