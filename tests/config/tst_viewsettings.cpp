#include "config/ColorValue.h"
#include "config/ViewSettings.h"
#include "log/Log.h"
#include "support/TestFolder.h"

#include <QTest>

class TestViewSettings : public QObject
{
    Q_OBJECT

private slots:
    void columnWidth_data();
    void columnWidth();
    void fontSize_data();
    void fontSize();
    void fontSizeText_data();
    void fontSizeText();
    void colorValueFromText_data();
    void colorValueFromText();
    void colorFromValue_data();
    void colorFromValue();
    void keptLength_data();
    void keptLength();
};

void TestViewSettings::columnWidth_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("width");
    QTest::newRow("fraction rounds") << u"1200.6"_qs << 1201.0;
    QTest::newRow("half to even") << u"1200.5"_qs << 1200.0;
    QTest::newRow("empty") << u""_qs << 2200.0;
    QTest::newRow("zero") << u"0"_qs << 2200.0;
    QTest::newRow("negative") << u"-50"_qs << 2200.0;
    QTest::newRow("16-bit limit") << u"32767"_qs << 32767.0;
    QTest::newRow("beyond 16 bits") << u"32768"_qs << 2200.0;
}

void TestViewSettings::columnWidth()
{
    QFETCH(QString, text);
    QFETCH(double, width);
    QCOMPARE(ColumnWidthFromText(text, 2200), width);
}

void TestViewSettings::fontSize_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("size"); // 0: not taken
    const QLocale c = QLocale::c();
    const QLocale german(QLocale::German, QLocale::Germany);
    QTest::newRow("fraction") << u"9.75"_qs << c << 9.75;
    QTest::newRow("locale comma") << u"9,75"_qs << german << 9.75;
    QTest::newRow("full stop in comma locale") << u"9.75"_qs << german << 9.75;
    QTest::newRow("number then text") << u"12pt"_qs << c << 0.0;
    QTest::newRow("zero") << u"0"_qs << c << 0.0;
    QTest::newRow("negative") << u"-3"_qs << c << 0.0;
    QTest::newRow("too large") << u"5000"_qs << c << 0.0;
}

void TestViewSettings::fontSize()
{
    QFETCH(QString, text);
    QFETCH(QLocale, locale);
    QFETCH(double, size);
    QCOMPARE(FontSizeFromText(text, locale).value_or(0.0), size);
}

void TestViewSettings::fontSizeText_data()
{
    QTest::addColumn<double>("size");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QLocale german(QLocale::German, QLocale::Germany);
    QTest::newRow("quarter") << 9.75 << english << u"9.75"_qs;
    QTest::newRow("whole") << 12.0 << english << u"12"_qs;
    QTest::newRow("four decimals") << 8.123456 << english << u"8.1235"_qs;
    QTest::newRow("locale comma") << 9.75 << german << u"9,75"_qs;
    QTest::newRow("no group separator") << 2000.5 << english << u"2000.5"_qs;
}

void TestViewSettings::fontSizeText()
{
    QFETCH(double, size);
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QCOMPARE(FontSizeText(size, locale), text);
}

void TestViewSettings::colorValueFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<qint32>("value");
    QTest::newRow("red") << u"255"_qs << true << 255;
    QTest::newRow("system window text") << u"-2147483640"_qs << true << qint32(0x80000008u);
    QTest::newRow("blanks") << u" 65535 "_qs << true << 65535;
    QTest::newRow("fraction rounds") << u"254.5"_qs << true << 254;
    QTest::newRow("not a number") << u"red"_qs << false << 0;
    QTest::newRow("number then text") << u"12abc"_qs << false << 0;
    QTest::newRow("empty") << u""_qs << false << 0;
    QTest::newRow("beyond 32 bits") << u"4294967296"_qs << false << 0;
}

void TestViewSettings::colorValueFromText()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(qint32, value);
    const std::optional<qint32> read = ColorValueFromText(text);
    QCOMPARE(read.has_value(), valid);
    QCOMPARE(read.value_or(0), value);
}

void TestViewSettings::colorFromValue_data()
{
    QTest::addColumn<qint32>("value");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QColor>("color");
    // The system colours come from the test's own palette.
    QTest::newRow("red") << 0x0000FF << true << QColor(255, 0, 0);
    QTest::newRow("blue") << 0xFF0000 << true << QColor(0, 0, 255);
    QTest::newRow("window text") << qint32(0x80000008u) << true << QColor(1, 2, 3);
    QTest::newRow("button face") << qint32(0x8000000Fu) << true << QColor(7, 8, 9);
    QTest::newRow("no such system colour") << qint32(0x80000040u) << false << QColor();
    QTest::newRow("bits above 24") << 0x01000000 << false << QColor();
}

void TestViewSettings::colorFromValue()
{
    QFETCH(qint32, value);
    QFETCH(bool, valid);
    QFETCH(QColor, color);
    QPalette palette;
    palette.setColor(QPalette::Text, QColor(1, 2, 3));
    palette.setColor(QPalette::Base, QColor(4, 5, 6));
    palette.setColor(QPalette::Button, QColor(7, 8, 9));
    const std::optional<QColor> read = ColorFromValue(value, palette);
    QCOMPARE(read.has_value(), valid);
    if (valid) {
        QCOMPARE(*read, color);
        if (value >= 0) {
            QCOMPARE(ColorValue(color), value);
        }
    }
}

void TestViewSettings::keptLength_data()
{
    QTest::addColumn<double>("twips");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<int>("current");
    QTest::addColumn<qint64>("written");
    QTest::newRow("unchanged, not a pixel multiple") << 1340.0 << 89 << 89 << qint64(1340);
    QTest::newRow("unchanged, rounded on read") << 1201.0 << 80 << 80 << qint64(1201);
    QTest::newRow("changed") << 1340.0 << 89 << 100 << qint64(1500);
    QTest::newRow("never read") << 0.0 << -1 << 40 << qint64(600);
    QTest::newRow("fraction read is not kept") << 7000.4 << 467 << 467 << qint64(7005);
    QTest::newRow("negative place") << -120.0 << -8 << -8 << qint64(-120);
}

void TestViewSettings::keptLength()
{
    QFETCH(double, twips);
    QFETCH(int, pixels);
    QFETCH(int, current);
    QFETCH(qint64, written);
    QCOMPARE((KeptLength{twips, pixels}.twipsFor(current, 15.0)), written);
}

QTEST_GUILESS_MAIN(TestViewSettings)
#include "tst_viewsettings.moc"
