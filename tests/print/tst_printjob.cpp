#include "support/WindowSession.h"

#include <QDir>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

// Prints through a real CUPS queue that writes PDF files (scripts/setup-cups-pdf.sh sets one
// up as the default printer) and reads the text of the printed file back.
class TestPrintJob : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void printedText();
};

namespace {

QString run(const QString &program, const QStringList &arguments, int *exitCode = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    if (exitCode != nullptr) {
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

const QString outputFolder = QDir::home().filePath(u"PDF"_qs);

QStringList printedFiles()
{
    return QDir(outputFolder).entryList({u"shopping-job_*.pdf"_qs}, QDir::Files);
}

} // namespace

void TestPrintJob::initTestCase()
{
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (printer.isNull()) {
        QSKIP("no default printer");
    }
    if (!run(u"lpstat"_qs, {u"-v"_qs, printer.printerName()}).contains(u"cups-pdf:")) {
        QSKIP("the default printer does not print to PDF files");
    }
    if (QStandardPaths::findExecutable(u"pdftotext"_qs).isEmpty()) {
        QSKIP("pdftotext is missing");
    }
}

void TestPrintJob::printedText()
{
    WindowSession session;
    session.start();
    appendRows(session.list(),
               {u"2|Milk|Dairy"_qs, u"1|Bread|Bakery"_qs, u"1|Cheese|Dairy"_qs, u"3|Candles|"_qs});
    const QStringList before = printedFiles();
    session.trigger(u"mnuFile(5)"_qs);
    QCOMPARE(session.platform.messages.size(), 0);

    // The script waits until the queue is empty and the newest file is complete.
    QString pdf;
    for (int attempt = 0; attempt < 6 && pdf.isEmpty(); ++attempt) {
        int exitCode = 0;
        const QString path = run(u"" SHOPPING_SCRIPTS_DIR "/wait-cups-pdf.sh"_qs,
                                 {u"shopping"_qs, u"20"_qs, outputFolder}, &exitCode)
                                 .trimmed();
        if (exitCode == 0 && !before.contains(QFileInfo(path).fileName())) {
            pdf = path;
        }
    }
    QVERIFY2(!pdf.isEmpty(), "no new PDF came out of the queue");
    const QString text = run(u"pdftotext"_qs, {u"-layout"_qs, pdf, u"-"_qs});
    // Grouped by category in order of first occurrence, the rows without one last.
    qsizetype at = 0;
    for (const char *line : {"Shopping List for", "Dairy", "Milk ( x2 )", "Cheese", "Bakery",
                             "Bread", "Candles ( x3 )"}) {
        at = text.indexOf(QString::fromLatin1(line), at);
        QVERIFY2(at >= 0, qPrintable(QString::fromLatin1(line) + u'\n' + text));
    }
    QVERIFY(!text.contains(u"Bread ( x1 )"));
}

QTEST_MAIN(TestPrintJob)
#include "tst_printjob.moc"
