#include "app/ShoppingWindow.h"
#include "common/Twips.h"
#include "list/ShoppingList.h"
#include "print/PrintCommands.h"
#include "print/PrintoutWindow.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFolder.h"

#include <QAction>
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

void deleteClosedWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool hasInk(const QImage &image, const QRect &area)
{
    for (int y = area.top(); y <= area.bottom() && y < image.height(); ++y) {
        for (int x = area.left(); x <= area.right() && x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

class TestPrintCommands : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void previewWindows();
    void previewsCloseWithTheProgram();
    void previewFailureIsReported();
    void printerFont();
    void printerFontCommandOpensPreview_data();
    void printerFontCommandOpensPreview();
};

void TestPrintCommands::cleanup()
{
    qDeleteAll(previews());
}

void TestPrintCommands::previewWindows()
{
    TestFolder folder;
    ScriptedPlatform platform;
    ShoppingWindow window(folder.path(), platform);
    window.list().append({u"2"_qs, u"Milk"_qs, u"Dairy"_qs});
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    QTest::keyClick(&window, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(&window, Qt::Key_V, Qt::ControlModifier);
    const QList<PrintoutWindow *> open = previews();
    QCOMPARE(open.size(), 2);
    QCOMPARE(platform.messages.size(), 0);

    const QSize outer(TwipsToPixelsX(DefaultPageWidthTwips()), TwipsToPixelsY(11520.0 / 3));
    for (PrintoutWindow *preview : open) {
        QVERIFY(preview->isVisible());
        QVERIFY(!preview->isModal());
        QCOMPARE(preview->frameGeometry().topLeft(), QPoint(0, 0));
        QCOMPARE(preview->frameGeometry().size(), outer);
        // The title line is drawn near the top, the rest of the client area stays white.
        const QImage &drawing = preview->drawing();
        QCOMPARE(drawing.size(), preview->size());
        QVERIFY(hasInk(drawing, QRect(0, 0, drawing.width(), 30)));
        QVERIFY(!hasInk(drawing, QRect(0, drawing.height() - 10, drawing.width(), 10)));
    }

    // A click closes that window only.
    QPointer<PrintoutWindow> clicked = open[0];
    QTest::mouseClick(clicked, Qt::LeftButton, {}, QPoint(20, 20));
    deleteClosedWindows();
    QVERIFY(clicked.isNull());
    QCOMPARE(previews(), QList<PrintoutWindow *>{open[1]});
    QVERIFY(window.isVisible());
}

void TestPrintCommands::previewsCloseWithTheProgram()
{
    TestFolder folder;
    ScriptedPlatform platform;
    auto window = std::make_unique<ShoppingWindow>(folder.path(), platform);
    window->show();
    window->findChild<QAction *>(u"mnuFile(4)"_qs)->trigger();
    QPointer<PrintoutWindow> preview = previews().value(0);
    QVERIFY(!preview.isNull());
    window->close();
    QVERIFY(preview.isNull());

    // Also when it is simply destroyed.
    window = std::make_unique<ShoppingWindow>(folder.path(), platform);
    window->findChild<QAction *>(u"mnuFile(4)"_qs)->trigger();
    preview = previews().value(0);
    QVERIFY(!preview.isNull());
    window.reset();
    QVERIFY(preview.isNull());
}

void TestPrintCommands::previewFailureIsReported()
{
    ShoppingList list;
    list.append({u"1"_qs, u"Milk"_qs, u"Dairy"_qs});
    ScriptedPlatform platform;
    PrinterFontSettings settings;
    settings.forecolor = u"red"_qs;
    QPointer<PrintoutWindow> preview = ShowPrintPreview(list, platform, settings);
    QVERIFY(!preview.isNull());
    QCOMPARE(platform.messages.size(), 1);
    QVERIFY(platform.messages[0].text.contains(u"red"));
    delete preview;
}

void TestPrintCommands::printerFont()
{
    ScriptedPlatform platform;
    platform.dialogAnswers.append([&](CommonDialog &dialog) {
        dialog.fontName = u"Liberation Serif"_qs;
        dialog.fontSize = 10.5;
        dialog.fontItalic = true;
        dialog.color = 0xFF0000u;
        dialog.fontUnderline = true; // never stored
        return true;
    });
    const std::optional<PrinterFontSettings> chosen = ChoosePrinterFont(platform);
    QVERIFY(chosen);
    QCOMPARE(chosen->bold, u"0"_qs);
    QCOMPARE(chosen->italic, u"-1"_qs);
    QCOMPARE(chosen->name, u"Liberation Serif"_qs);
    QCOMPARE(chosen->forecolor, u"16711680"_qs);
    QCOMPARE(chosen->size, u"10.5"_qs); // a fraction only when there is one
}

void TestPrintCommands::printerFontCommandOpensPreview_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<int>("expectedPreviews");
    QTest::newRow("OK") << true << 1;
    QTest::newRow("Cancel changes nothing") << false << 0;
}

void TestPrintCommands::printerFontCommandOpensPreview()
{
    QFETCH(bool, confirm);
    QFETCH(int, expectedPreviews);

    TestFolder folder;
    ScriptedPlatform platform;
    if (confirm) {
        platform.dialogAnswers.append([](CommonDialog &dialog) {
            dialog.fontName = u"Arial"_qs;
            dialog.fontSize = 10;
            return true;
        });
    } else {
        platform.cancelNextDialog();
    }
    ShoppingWindow window(folder.path(), platform);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_G, Qt::ControlModifier);
    QCOMPARE(platform.dialogs.size(), 1);
    QCOMPARE(previews().size(), expectedPreviews);
    if (!confirm) {
        QVERIFY(!folder.exists(u"shopping.ini"_qs));
    }
}

QTEST_MAIN(TestPrintCommands)
#include "tst_printcommands.moc"
