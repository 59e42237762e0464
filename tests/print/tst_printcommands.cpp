#include "common/Twips.h"
#include "print/PrintCommands.h"
#include "print/PrintoutWindow.h"
#include "support/WindowSession.h"

#include <QApplication>
#include <QPointer>
#include <QTest>

namespace {

QList<PrintoutWindow *> previews()
{
    QList<PrintoutWindow *> result;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *preview = qobject_cast<PrintoutWindow *>(widget)) {
            result.append(preview);
        }
    }
    return result;
}

// Whether any pixel in the area passes the test.
bool any(const QImage &image, const QRect &area, bool (*test)(QRgb))
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (test(image.pixel(x, y))) {
                return true;
            }
        }
    }
    return false;
}

bool ink(QRgb pixel)
{
    return pixel != qRgb(255, 255, 255);
}

bool red(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) < 80 && qBlue(pixel) < 80;
}

} // namespace

class TestPrintCommands : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { qDeleteAll(previews()); }
    void previewWindows_data();
    void previewWindows();
    void printerFont_data();
    void printerFont();
};

void TestPrintCommands::previewWindows_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("message"); // part of the one message shown, if any
    QTest::addColumn<bool>("drawn");
    QTest::addColumn<bool>("marked"); // "... more ..." in the bottom right corner
    QTest::newRow("one row") << 1 << QByteArray() << QString() << true << false;
    QTest::newRow("columns used up") << 300 << QByteArray() << QString() << true << true;
    QTest::newRow("a colour that is no number: reported, the window stays")
        << 1 << QByteArray("[PrinterFont]\r\nforecolor=red\r\n") << u"\"red\""_qs << false << false;
}

void TestPrintCommands::previewWindows()
{
    QFETCH(int, rows);
    QFETCH(QByteArray, settings);
    QFETCH(QString, message);
    QFETCH(bool, drawn);
    QFETCH(bool, marked);
    WindowSession session;
    session.folder.write(u"shopping.ini"_qs, settings);
    session.start();
    for (int i = 1; i <= rows; ++i) {
        session.list().append({u"1"_qs, u"Item%1"_qs.arg(i), u"Dairy"_qs});
    }
    session.trigger(u"mnuFile(4)"_qs);
    session.trigger(u"mnuFile(4)"_qs);

    const QList<PrintoutWindow *> open = previews();
    QCOMPARE(open.size(), 2);
    QCOMPARE(session.platform.messages.size(), message.isEmpty() ? 0 : 2);
    QVERIFY(message.isEmpty() || session.platform.messages[0].text.contains(message));
    // As wide as a page, a third of the screen high, in the top left corner.
    const QSize outer(TwipsToPixelsX(DefaultPageWidthTwips()), TwipsToPixelsY(11520.0 / 3));
    for (PrintoutWindow *preview : open) {
        QVERIFY(preview->isVisible() && !preview->isModal());
        QCOMPARE(preview->frameGeometry(), QRect(QPoint(0, 0), outer));
        const QImage &drawing = preview->drawing();
        QCOMPARE(drawing.size(), preview->size());
        const int width = drawing.width();
        const int height = drawing.height();
        QCOMPARE(any(drawing, QRect(0, 0, width, 30), ink), drawn);
        QCOMPARE(any(drawing, QRect(width - 40, height - 16, 40, 16), ink), marked);
    }

    // The user may make it larger; the new part is white.
    const QSize larger = open[1]->size() + QSize(50, 50);
    open[1]->resize(larger);
    QCoreApplication::processEvents();
    QCOMPARE(open[1]->size(), larger);
    const QImage shown = open[1]->grab().toImage();
    QVERIFY(!any(shown, QRect(shown.width() - 50, 0, 50, shown.height()), ink));

    // A click closes that window only; the others close with the program.
    QPointer<PrintoutWindow> clicked = open[0];
    QTest::mouseClick(clicked, Qt::LeftButton, {}, QPoint(20, 20));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(clicked.isNull());
    QCOMPARE(previews(), QList<PrintoutWindow *>{open[1]});
    QVERIFY(session.window->isVisible());
    session.window->close();
    QVERIFY(previews().isEmpty());
}

void TestPrintCommands::printerFont_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::newRow("OK: stored, and shown in a preview") << true;
    QTest::newRow("Cancel changes nothing") << false;
}

void TestPrintCommands::printerFont()
{
    QFETCH(bool, confirm);
    WindowSession session;
    session.start();
    session.list().append({u"1"_qs, u"Milk"_qs, u"Dairy"_qs});
    session.platform.dialogAnswers.append([confirm](CommonDialog &dialog) {
        dialog.fontName = u"Liberation Serif"_qs;
        dialog.fontSize = 10.5;
        dialog.fontItalic = true;
        dialog.fontUnderline = true; // never stored
        dialog.color = 0x0000FF;     // red
        return confirm;
    });
    session.trigger(u"mnuOptionFontPrinter"_qs);
    QCOMPARE(session.platform.dialogs.size(), 1);
    QCOMPARE(session.platform.dialogs[0].kind, ScriptedPlatform::DialogKind::Font);
    QCOMPARE(previews().size(), confirm ? 1 : 0);
    if (!confirm) {
        QVERIFY(!session.folder.exists(u"shopping.ini"_qs));
        return;
    }
    const QByteArray stored = session.folder.read(u"shopping.ini"_qs);
    for (const char *line : {"bold=0\r\n", "italic=-1\r\n", "name=Liberation Serif\r\n",
                             "forecolor=255\r\n", "size=10.5\r\n"}) {
        QVERIFY2(stored.contains(line), stored.constData());
    }
    QVERIFY(!stored.contains("underline"));
    const QImage &drawing = previews()[0]->drawing();
    QVERIFY(any(drawing, drawing.rect(), red));
}

QTEST_MAIN(TestPrintCommands)
#include "tst_printcommands.moc"
