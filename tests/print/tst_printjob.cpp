#include "app/ShoppingWindow.h"
#include "list/ShoppingList.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFolder.h"

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

private:
    QString waitForNewPdf(const QStringList &before);
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

QString outputFolder()
{
    return QDir::home().filePath(u"PDF"_qs);
}

QStringList printedFiles()
{
    return QDir(outputFolder()).entryList({u"shopping-job_*.pdf"_qs}, QDir::Files);
}

} // namespace

void TestPrintJob::initTestCase()
{
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (printer.isNull()) {
        QSKIP("no default printer");
    }
    const QString device = run(u"lpstat"_qs, {u"-v"_qs, printer.printerName()});
    if (!device.contains(u"cups-pdf:")) {
        QSKIP("the default printer does not print to PDF files");
    }
    if (QStandardPaths::findExecutable(u"pdftotext"_qs).isEmpty()) {
        QSKIP("pdftotext is missing");
    }
}

QString TestPrintJob::waitForNewPdf(const QStringList &before)
{
    // The script waits until the queue is empty and the newest file is complete.
    for (int attempt = 0; attempt < 6; ++attempt) {
        int exitCode = 0;
        const QString path = run(u"" SHOPPING_SCRIPTS_DIR "/wait-cups-pdf.sh"_qs,
                                 {u"shopping"_qs, u"20"_qs, outputFolder()}, &exitCode)
                                 .trimmed();
        if (exitCode == 0 && !before.contains(QFileInfo(path).fileName())) {
            return path;
        }
    }
    return {};
}

void TestPrintJob::printedText()
{
    TestFolder folder;
    ScriptedPlatform platform;
    ShoppingWindow window(folder.path(), platform);
    window.list().append({u"2"_qs, u"Milk"_qs, u"Dairy"_qs});
    window.list().append({u"1"_qs, u"Bread"_qs, u"Bakery"_qs});
    window.list().append({u"1"_qs, u"Cheese"_qs, u"Dairy"_qs});
    window.list().append({u"3"_qs, u"Candles"_qs, QString()});
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    const QStringList before = printedFiles();
    QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(platform.messages.size(), 0);

    const QString pdf = waitForNewPdf(before);
    QVERIFY2(!pdf.isEmpty(), "no new PDF came out of the queue");
    const QString text = run(u"pdftotext"_qs, {u"-layout"_qs, pdf, u"-"_qs});
    const QStringList lines = text.split(u'\n');
    auto lineOf = [&lines](const QString &needle) {
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (lines[i].contains(needle)) {
                return i;
            }
        }
        return qsizetype(-1);
    };
    for (const char *needle : {"Shopping List for", "Dairy", "Milk ( x2 )", "Cheese", "Bakery",
                               "Bread", "Candles ( x3 )"}) {
        QVERIFY2(lineOf(QString::fromLatin1(needle)) >= 0, qPrintable(text));
    }
    // Grouped by category in order of first occurrence, the rows without one last.
    QVERIFY(lineOf(u"Dairy"_qs) < lineOf(u"Milk ( x2 )"_qs));
    QVERIFY(lineOf(u"Milk ( x2 )"_qs) < lineOf(u"Cheese"_qs));
    QVERIFY(lineOf(u"Cheese"_qs) < lineOf(u"Bakery"_qs));
    QVERIFY(lineOf(u"Bread"_qs) < lineOf(u"Candles ( x3 )"_qs));
    QVERIFY(!text.contains(u"Bread ( x1 )"));
}

QTEST_MAIN(TestPrintJob)
#include "tst_printjob.moc"
