#include "app/ShoppingWindow.h"
#include "common/Twips.h"
#include "list/ShoppingList.h"
#include "print/PrintCommands.h"
#include "print/PrintoutWindow.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFolder.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

// Runs with CUPS_SERVER pointing nowhere: the system has no printer at all.
class TestPrintNoPrinter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void print_data();
    void print();
    void previewStillWorks();
};

void TestPrintNoPrinter::initTestCase()
{
    QVERIFY2(QPrinterInfo::defaultPrinter().isNull(), "a default printer is reachable");
}

void TestPrintNoPrinter::print_data()
{
    QTest::addColumn<bool>("savePdf");
    QTest::addColumn<bool>("chooseFile");
    QTest::newRow("declined") << false << false;
    QTest::newRow("save dialog cancelled") << true << false;
    QTest::newRow("saved as PDF") << true << true;
}

void TestPrintNoPrinter::print()
{
    QFETCH(bool, savePdf);
    QFETCH(bool, chooseFile);

    TestFolder folder;
    ScriptedPlatform platform;
    platform.messageAnswers.append(savePdf ? MessageAnswer::Yes : MessageAnswer::No);
    const QString pdf = folder.filePath(u"list.pdf"_qs);
    if (chooseFile) {
        platform.answerFileName(pdf);
    } else {
        platform.cancelNextDialog();
    }
    ShoppingWindow window(folder.path(), platform);
    window.list().append({u"2"_qs, u"Milk"_qs, u"Dairy"_qs});
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);

    QCOMPARE(platform.messages.size(), 1);
    QCOMPARE(platform.messages[0].buttons, MessageButtons::YesNo);
    QVERIFY(platform.messages[0].text.contains(u"no default printer"));
    QCOMPARE(platform.dialogs.size(), savePdf ? 1 : 0);
    if (savePdf) {
        QCOMPARE(platform.dialogs[0].kind, ScriptedPlatform::DialogKind::Save);
        QCOMPARE(platform.dialogs[0].properties.filter, u"*.pdf"_qs);
    }
    QCOMPARE(QFile::exists(pdf), chooseFile);
    // The program goes on.
    QVERIFY(window.isVisible());
    QCOMPARE(window.list().count(), 1);

    if (chooseFile) {
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(5) == "%PDF-");
        if (QStandardPaths::findExecutable(u"pdftotext"_qs).isEmpty()) {
            return;
        }
        QProcess text;
        text.start(u"pdftotext"_qs, {u"-layout"_qs, pdf, u"-"_qs});
        QVERIFY(text.waitForFinished());
        const QString out = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(out.contains(u"Shopping List for"), qPrintable(out));
        QVERIFY2(out.contains(u"Milk ( x2 )"), qPrintable(out));
    }
}

void TestPrintNoPrinter::previewStillWorks()
{
    TestFolder folder;
    ScriptedPlatform platform;
    ShoppingWindow window(folder.path(), platform);
    window.findChild<QAction *>(u"mnuFile(4)"_qs)->trigger();
    QCOMPARE(platform.messages.size(), 0);
    QList<PrintoutWindow *> open;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *preview = qobject_cast<PrintoutWindow *>(widget)) {
            open.append(preview);
        }
    }
    QCOMPARE(open.size(), 1);
    const double width = LocalePageSize().sizePoints().width() * 20.0;
    QVERIFY(width == 12240 || width == 11900); // Letter or A4
    QCOMPARE(open[0]->frameGeometry().width(), TwipsToPixelsX(width));
}

QTEST_MAIN(TestPrintNoPrinter)
#include "tst_printnoprinter.moc"
