#include "app/ShoppingWindow.h"
#include "common/Twips.h"
#include "list/ShoppingList.h"
#include "print/PrintCommands.h"
#include "print/PrintoutWindow.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFolder.h"

#include <QApplication>
#include <QPointer>
#include <QTest>

using Writes = QList<QPair<QString, QString>>;

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
    void otherIndexesDoNothing();
    void printerFont_data();
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
    window->cmdPrint_Click(0);
    QPointer<PrintoutWindow> preview = previews().value(0);
    QVERIFY(!preview.isNull());
    window->close();
    QVERIFY(preview.isNull());

    // Also when the main window is simply destroyed.
    window = std::make_unique<ShoppingWindow>(folder.path(), platform);
    window->cmdPrint_Click(0);
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
    const PrinterFontReader settings = [](const QString &key) {
        return key == u"forecolor" ? u"red"_qs : QString();
    };
    QPointer<PrintoutWindow> preview = ShowPrintPreview(list, platform, settings);
    QVERIFY(!preview.isNull());
    QCOMPARE(platform.messages.size(), 1);
    QVERIFY(platform.messages[0].text.contains(u"red"));
    delete preview;
}

void TestPrintCommands::otherIndexesDoNothing()
{
    TestFolder folder;
    ScriptedPlatform platform;
    ShoppingWindow window(folder.path(), platform);
    for (const int index : {-1, 2, 3, 32767}) {
        window.cmdPrint_Click(index);
    }
    QCOMPARE(previews().size(), 0);
    QCOMPARE(platform.messages.size(), 0);
}

void TestPrintCommands::printerFont_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("size");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<quint32>("color");
    QTest::addColumn<QStringList>("written"); // bold, italic, name, forecolor, size

    QTest::newRow("a fraction only when there is one")
        << u"Liberation Serif"_qs << 10.5 << false << true << 0xFF0000u
        << QStringList{u"0"_qs, u"-1"_qs, u"Liberation Serif"_qs, u"16711680"_qs, u"10.5"_qs};
}

void TestPrintCommands::printerFont()
{
    QFETCH(QString, name);
    QFETCH(double, size);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(quint32, color);
    QFETCH(QStringList, written);

    ScriptedPlatform platform;
    platform.dialogAnswers.append([&](CommonDialog &dialog) {
        dialog.fontName = name;
        dialog.fontSize = size;
        dialog.fontBold = bold;
        dialog.fontItalic = italic;
        dialog.color = color;
        dialog.fontUnderline = true; // never stored
        return true;
    });
    Writes writes;
    QVERIFY(ChoosePrinterFont(platform, [&](const QString &key, const QString &value) {
        writes.append({key, value});
    }));
    QCOMPARE(platform.dialogs[0].properties.flags, 259);
    const QStringList keys{u"bold"_qs, u"italic"_qs, u"name"_qs, u"forecolor"_qs, u"size"_qs};
    QCOMPARE(writes.size(), keys.size());
    for (qsizetype i = 0; i < keys.size(); ++i) {
        QCOMPARE(writes[i].first, keys[i]);
        QCOMPARE(writes[i].second, written[i]);
    }
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
