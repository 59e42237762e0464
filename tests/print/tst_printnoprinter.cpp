#include "common/Twips.h"
#include "print/PrintCommands.h"
#include "print/PrintoutWindow.h"
#include "support/WindowSession.h"

#include <QDir>
#include <QLocale>
#include <QPrinterInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTest>

// Runs with CUPS_SERVER pointing nowhere: the system has no printer at all.
class TestPrintNoPrinter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(QPrinterInfo::defaultPrinter().isNull(), "a default printer is reachable");
    }

    void print_data()
    {
        QTest::addColumn<bool>("savePdf");
        QTest::addColumn<bool>("chooseFile");
        QTest::newRow("declined") << false << false;
        QTest::newRow("save dialog cancelled") << true << false;
        QTest::newRow("saved as PDF") << true << true;
    }

    void print()
    {
        QFETCH(bool, savePdf);
        QFETCH(bool, chooseFile);
        WindowSession session;
        session.start();
        // A file name the dialog was not given would land in the folder too.
        const auto back = qScopeGuard([cwd = QDir::currentPath()] { QDir::setCurrent(cwd); });
        QDir::setCurrent(session.folder.path());
        session.platform.messageAnswers.append(savePdf ? MessageAnswer::Yes : MessageAnswer::No);
        const QString pdf = session.folder.filePath(u"list.pdf"_qs);
        chooseFile ? session.platform.answerFileName(pdf) : session.platform.cancelNextDialog();
        // Two pages, and a line drawn twice in a row.
        for (int i = 1; i <= 400; ++i) {
            session.list().append({u"1"_qs, u"Item%1"_qs.arg(i / 2), u"Dairy"_qs});
        }
        session.trigger(u"mnuFile(5)"_qs);

        QCOMPARE(session.platform.messages.size(), 1); // only the offer
        QCOMPARE(session.platform.messages[0].buttons, MessageButtons::YesNo);
        QVERIFY(session.platform.messages[0].text.contains(u"no default printer"));
        QCOMPARE(session.platform.dialogs.size(), savePdf ? 1 : 0);
        QVERIFY(!savePdf ||
                (session.platform.dialogs[0].kind == ScriptedPlatform::DialogKind::Save &&
                 session.platform.dialogs[0].properties.filter == u"*.pdf"));
        const QStringList written = QDir(session.folder.path()).entryList({u"*.pdf"_qs});
        QCOMPARE(written, chooseFile ? QStringList{u"list.pdf"_qs} : QStringList());
        QCOMPARE(session.panel(1),
                 chooseFile ? u"Saved list.pdf"_qs : u"Welcome to the Shopping List"_qs);
        QVERIFY(session.window->isVisible());

        // The preview still works, as wide as a page of the locale's size: Letter where that is
        // sold, else A4.
        const std::unique_ptr<PrintoutWindow> preview(
            ShowPrintPreview(session.list(), session.platform, {}));
        QCOMPARE(session.platform.messages.size(), 1);
        const bool letter = PageSizeOfLocale(QLocale::system()).id() == QPageSize::Letter;
        QCOMPARE(preview->frameGeometry().width(), TwipsToPixelsX(letter ? 12240 : 11900));
        if (!chooseFile || QStandardPaths::findExecutable(u"pdftotext"_qs).isEmpty()) {
            return;
        }
        QProcess text;
        text.start(u"pdftotext"_qs, {u"-layout"_qs, pdf, u"-"_qs});
        QVERIFY(text.waitForFinished());
        const QString out = QString::fromUtf8(text.readAllStandardOutput());
        QCOMPARE(out.count(u'\f'), 2); // pages
        QVERIFY2(out.contains(u"Shopping List for"), qPrintable(out));
        QCOMPARE(out.count(u"Item199"), 2);
        QVERIFY2(out.contains(u"Item200"), qPrintable(out));
    }
};

QTEST_MAIN(TestPrintNoPrinter)
#include "tst_printnoprinter.moc"
