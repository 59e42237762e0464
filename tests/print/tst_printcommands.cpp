#include "common/Twips.h"
#include "print/PreviewSurface.h"
#include "print/PrintCommands.h"
#include "print/PrintoutWindow.h"
#include "support/WindowSession.h"

#include <QApplication>
#include <QPointer>
#include <QTest>

#include <algorithm>

namespace {

QList<PrintoutWindow *> previews()
{
    QList<PrintoutWindow *> found;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        found << qobject_cast<PrintoutWindow *>(widget);
    }
    found.removeAll(nullptr);
    return found;
}

// Whether any pixel in the area passes the test.
bool any(const QImage &image, const QRect &area, bool (*test)(QRgb))
{
    const QImage copy = image.copy(area).convertToFormat(QImage::Format_RGB32);
    const auto *pixels = reinterpret_cast<const QRgb *>(copy.constBits());
    return std::any_of(pixels, pixels + copy.width() * copy.height(), test);
}

const auto ink = [](QRgb pixel) { return pixel != qRgb(255, 255, 255); };
const auto red = [](QRgb pixel) {
    return qRed(pixel) > 200 && qGreen(pixel) < 80 && qBlue(pixel) < 80;
};

} // namespace

class TestPrintCommands : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { qDeleteAll(previews()); }
    void previewWindows_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QByteArray>("settings");
        // Text of the one message shown, if any: then nothing is drawn.
        QTest::addColumn<QString>("message");
        QTest::newRow("one row") << 1 << QByteArray() << QString();
        QTest::newRow("columns used up: marked") << 300 << QByteArray() << QString();
        QTest::newRow("a colour that is no number: reported, the window stays")
            << 1 << QByteArray("[PrinterFont]\r\nforecolor=red\r\n") << u"\"red\""_qs;
    }

    void previewWindows()
    {
        QFETCH(int, rows);
        QFETCH(QByteArray, settings);
        QFETCH(QString, message);
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
            const QRect corner(drawing.width() - 40, drawing.height() - 16, 40, 16);
            QCOMPARE(any(drawing, QRect(0, 0, drawing.width(), 30), ink), message.isEmpty());
            QCOMPARE(any(drawing, corner, ink), rows > 1); // "... more ..." in the corner
        }

        // The user may make it larger; the new area is white.
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
        session.platform.messageAnswers = {MessageAnswer::Discard};
        session.window->close();
        QVERIFY(previews().isEmpty());
    }

    // Cancel changes nothing; OK stores the choice and shows it in a preview.
    void printerFont()
    {
        WindowSession session;
        session.start();
        session.list().append({u"1"_qs, u"Milk"_qs, u"Dairy"_qs});
        for (const bool confirm : {false, true}) {
            session.platform.dialogAnswers.append([confirm](CommonDialog &dialog) {
                dialog.fontName = u"Liberation Serif"_qs;
                dialog.fontSize = 10.5;
                dialog.fontItalic = true;
                dialog.fontUnderline = true; // never stored
                dialog.color = 0x0000FF;     // red
                return confirm;
            });
            session.trigger(u"mnuOptionFontPrinter"_qs);
            QCOMPARE(session.platform.dialogs.last().kind, ScriptedPlatform::DialogKind::Font);
            QCOMPARE(previews().size(), confirm ? 1 : 0);
            QCOMPARE(session.folder.exists(u"shopping.ini"_qs), confirm);
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

    // A preview draws a text that comes again from a layout made once, and stops drawing it where
    // drawing it again changes nothing. Neither may change the picture.
    void textDrawnAgain()
    {
        PrintoutWindow window;
        window.resize(600, 60);
        {
            PreviewSurface surface(window);
            // Enough times at each place for the edges of the letters to reach their darkest.
            for (int time = 0; time < 120; ++time) {
                surface.setPenX(300 * (time / 60) * TwipsPerPixelX());
                surface.setPenY(0);
                surface.printLine(u"Milk and Eggs"_qs);
            }
        }
        const QImage first = window.drawing().copy(0, 0, 300, 60);
        QVERIFY(any(first, first.rect(), ink));
        QCOMPARE(window.drawing().copy(300, 0, 300, 60), first);
    }
};

QTEST_MAIN(TestPrintCommands)
#include "tst_printcommands.moc"
