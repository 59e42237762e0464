#include "common/Twips.h"
#include "print/PreviewSurface.h"
#include "print/PrintoutWindow.h"

#include <QTest>

// A preview draws a text that comes again from a layout made once, and stops drawing it where
// drawing it again changes nothing. Neither may change the picture.
class TestPreviewDrawing : public QObject
{
    Q_OBJECT

private slots:
    void textDrawnAgain();
};

void TestPreviewDrawing::textDrawnAgain()
{
    PrintoutWindow window;
    window.resize(600, 60);
    {
        PreviewSurface surface(window);
        // Enough times for the edges of the letters to reach their darkest.
        for (const int place : {0, 1}) {
            for (int time = 0; time < 60; ++time) {
                surface.setPenX(300 * place * TwipsPerPixelX());
                surface.setPenY(0);
                surface.printLine(u"Milk and Eggs"_qs);
            }
        }
    }
    const QImage first = window.drawing().copy(0, 0, 300, 60);
    QImage white(first.size(), first.format());
    white.fill(Qt::white);
    QVERIFY(first != white);
    QCOMPARE(window.drawing().copy(300, 0, 300, 60), first);
}

QTEST_MAIN(TestPreviewDrawing)
#include "tst_previewdrawing.moc"
