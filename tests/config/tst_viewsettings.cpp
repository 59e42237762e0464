#include "config/ColorValue.h"
#include "config/ViewSettings.h"

#include <QTest>

class TestViewSettings : public QObject
{
    Q_OBJECT

private slots:
    void columnWidth_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("width");
        QTest::newRow("fraction rounds") << u"1200.6"_qs << 1201.0;
        QTest::newRow("half to even") << u"1200.5"_qs << 1200.0;
        QTest::newRow("empty") << u""_qs << 2200.0;
        QTest::newRow("zero") << u"0"_qs << 2200.0;
        QTest::newRow("smallest") << u"1"_qs << 1.0;
        QTest::newRow("negative") << u"-50"_qs << 2200.0;
        QTest::newRow("16-bit limit") << u"32767"_qs << 32767.0;
        QTest::newRow("beyond 16 bits") << u"32768"_qs << 2200.0;
    }

    void columnWidth()
    {
        QFETCH(QString, text);
        QFETCH(double, width);
        QCOMPARE(ColumnWidthFromText(text, 2200), width);
    }

    // A size read in the locale's notation or with a full stop (0: not taken), and written
    // back in the locale's notation.
    void fontSize_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<double>("size");
        QTest::addColumn<QString>("written");
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        const QLocale german(QLocale::German, QLocale::Germany);
        QTest::newRow("fraction") << u" 9.75"_qs << english << 9.75 << u"9.75"_qs;
        QTest::newRow("locale comma") << u"9,75"_qs << german << 9.75 << u"9,75"_qs;
        QTest::newRow("full stop in comma locale") << u"9.5"_qs << german << 9.5 << u"9,5"_qs;
        QTest::newRow("whole") << u"12.000"_qs << english << 12.0 << u"12"_qs;
        QTest::newRow("four decimals") << u"8.123456"_qs << english << 8.123456 << u"8.1235"_qs;
        QTest::newRow("no group separator") << u"2000.5"_qs << english << 2000.5 << u"2000.5"_qs;
        QTest::newRow("number then text") << u"12pt"_qs << english << 0.0 << QString();
        QTest::newRow("zero") << u"0"_qs << english << 0.0 << QString();
        QTest::newRow("largest") << u"2160"_qs << english << 2160.0 << u"2160"_qs;
        QTest::newRow("too large") << u"2160.5"_qs << english << 0.0 << QString();
    }

    void fontSize()
    {
        QFETCH(QString, text);
        QFETCH(QLocale, locale);
        QFETCH(double, size);
        QFETCH(QString, written);
        QCOMPARE(FontSizeFromText(text, locale).value_or(0.0), size);
        if (size > 0) {
            QCOMPARE(FontSizeText(size, locale), written);
        }
    }

    // From the text in the file to the colour it names and the colour text is drawn in; an
    // invalid colour means none. The system colours come from the test's own palette.
    void color_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("color");
        QTest::addColumn<QColor>("drawn");
        const QColor red(255, 0, 0);
        const QColor blue(0, 0, 255);
        const QColor windowText(1, 2, 3);
        const QColor tooltip(7, 8, 9);
        QTest::newRow("red") << u"255"_qs << red << red;
        QTest::newRow("blue, blanks around") << u" 16711680 "_qs << blue << blue;
        QTest::newRow("fraction rounds") << u"254.5"_qs << QColor(254, 0, 0) << QColor(254, 0, 0);
        QTest::newRow("system window text") << u"-2147483640"_qs << windowText << windowText;
        QTest::newRow("last system colour") << u"-2147483624"_qs << tooltip << tooltip;
        QTest::newRow("no such system colour") << u"-2147483623"_qs << QColor() << windowText;
        QTest::newRow("bits above 24") << u"16777471"_qs << QColor() << red;
        QTest::newRow("number then text") << u"12abc"_qs << QColor() << QColor();
        QTest::newRow("beyond 32 bits") << u"4294967296"_qs << QColor() << QColor();
    }

    void color()
    {
        QFETCH(QString, text);
        QFETCH(QColor, color);
        QFETCH(QColor, drawn);
        QPalette palette;
        palette.setColor(QPalette::Text, QColor(1, 2, 3));
        palette.setColor(QPalette::WindowText, QColor(1, 2, 3));
        palette.setColor(QPalette::ToolTipBase, QColor(7, 8, 9));
        const std::optional<qint32> value = ColorValueFromText(text);
        QCOMPARE(value.has_value(), drawn.isValid());
        if (value) {
            QCOMPARE(ColorFromValue(*value, palette).value_or(QColor()), color);
            QCOMPARE(DrawingColor(*value, palette), drawn);
            QVERIFY(!color.isValid() || *value < 0 || ColorValue(color) == *value);
        }
    }

    void keptLength_data()
    {
        QTest::addColumn<double>("twips");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<int>("current");
        QTest::addColumn<qint64>("written");
        QTest::newRow("unchanged, not a pixel multiple") << 1340.0 << 89 << 89 << qint64(1340);
        QTest::newRow("changed") << 1340.0 << 89 << 100 << qint64(1500);
        QTest::newRow("never read") << 0.0 << -1 << 40 << qint64(600);
        QTest::newRow("fraction read is not kept") << 7000.4 << 467 << 467 << qint64(7005);
        QTest::newRow("absurd read is not kept") << 1e300 << 0 << 0 << qint64(0);
        QTest::newRow("negative place") << -120.0 << -8 << -8 << qint64(-120);
    }

    void keptLength()
    {
        QFETCH(double, twips);
        QFETCH(int, pixels);
        QFETCH(int, current);
        QFETCH(qint64, written);
        QCOMPARE((KeptLength{twips, pixels}.twipsFor(current, 15.0)), written);
    }
};

QTEST_GUILESS_MAIN(TestViewSettings)
#include "tst_viewsettings.moc"
