#include "list/ShoppingList.h"
#include "print/PainterSurface.h"
#include "print/PrintLayout.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTest>

namespace {

// A preview-like surface on an image of its own. The plain kind draws every line with
// drawText and nothing else, as the layout asks; the other is the program's own surface with
// its shortcuts for texts drawn again and again.
class ImageSurface final : public PainterSurface
{
public:
    ImageSurface(QImage &image, bool plain)
        : PainterSurface(image), m_image(image), m_plain(plain), m_font(u"Arial"_qs)
    {
        m_image.fill(Qt::white);
    }
    ~ImageSurface() override { m_painter.end(); }

    Kind kind() const override { return Kind::Preview; }
    double drawableWidth() const override { return m_image.width() * 15.0; }
    double drawableHeight() const override { return m_image.height() * 15.0; }
    void newPage() override {}

    // The plain surface keeps its own font and draws everything.
    void setFontName(const QString &name) override
    {
        PainterSurface::setFontName(name);
        m_font.setFamily(name);
    }
    void setFontSize(double points) override
    {
        PainterSurface::setFontSize(points);
        m_font.setPixelSize(std::max(20, qRound(points * 20)));
    }
    void setFontBold(bool on) override
    {
        PainterSurface::setFontBold(on);
        m_font.setBold(on);
    }
    void setFontItalic(bool on) override
    {
        PainterSurface::setFontItalic(on);
        m_font.setItalic(on);
    }
    void setFontUnderline(bool on) override
    {
        PainterSurface::setFontUnderline(on);
        m_font.setUnderline(on);
    }
    void printLine(const QString &text) override
    {
        if (!m_plain) {
            PainterSurface::printLine(text);
            return;
        }
        m_font.setHintingPreference(QFont::PreferNoHinting);
        const QFontMetricsF metrics(m_font, &m_image);
        if (!text.isEmpty()) {
            painter().setFont(m_font);
            painter().setPen(Qt::black);
            painter().drawText(QPointF(penX(), penY() + metrics.ascent()), text);
        }
        setPenX(0);
        setPenY(penY() + metrics.height());
    }

protected:
    QPainter &painter() override
    {
        if (!m_painter.isActive()) {
            m_painter.begin(&m_image);
            m_painter.setRenderHint(QPainter::TextAntialiasing);
            m_painter.scale(1 / 15.0, 1 / 15.0);
        }
        return m_painter;
    }
    const QImage *image() const override { return &m_image; }

private:
    QImage &m_image;
    bool m_plain;
    QFont m_font;
    QPainter m_painter;
};

} // namespace

class TestPreviewDrawing : public QObject
{
    Q_OBJECT

private slots:
    void sameImageAsDrawingEveryLine_data();
    void sameImageAsDrawingEveryLine();
};

void TestPreviewDrawing::sameImageAsDrawingEveryLine_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("categories");
    QTest::newRow("fits") << 12 << 2;
    QTest::newRow("columns used up at rows") << 600 << 3;
    QTest::newRow("columns used up at headings") << 400 << 200;
}

void TestPreviewDrawing::sameImageAsDrawingEveryLine()
{
    QFETCH(int, rows);
    QFETCH(int, categories);
    ShoppingList list;
    for (int i = 0; i < rows; ++i) {
        list.append({QString::number(i % 3 + 1), u"Item %1"_qs.arg(i % 40),
                     u"Category %1"_qs.arg(i % categories)});
    }
    const PrinterFontSettings settings;
    QImage plain(600, 200, QImage::Format_ARGB32_Premultiplied);
    QImage quick(600, 200, QImage::Format_ARGB32_Premultiplied);
    {
        ImageSurface surface(plain, true);
        QVERIFY(!PrintShoppingList(surface, list, settings));
    }
    {
        ImageSurface surface(quick, false);
        QVERIFY(!PrintShoppingList(surface, list, settings));
    }
    QVERIFY(plain != QImage(600, 200, QImage::Format_ARGB32_Premultiplied));
    QCOMPARE(quick, plain);
}

QTEST_MAIN(TestPreviewDrawing)
#include "tst_previewdrawing.moc"
