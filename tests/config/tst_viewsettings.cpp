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
    void placement_data();
    void placement();
};

void TestViewSettings::columnWidth_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("width");
    QTest::newRow("plain") << "3000" << 3000.0;
    QTest::newRow("blank first") << " 3000" << 3000.0;
    QTest::newRow("fraction rounds") << "1200.6" << 1201.0;
    QTest::newRow("half to even") << "1200.5" << 1200.0;
    QTest::newRow("letters after") << "12abc" << 12.0;
    QTest::newRow("empty") << "" << 2200.0;
    QTest::newRow("zero") << "0" << 2200.0;
    QTest::newRow("no number") << "wide" << 2200.0;
    QTest::newRow("negative") << "-50" << 2200.0;
    QTest::newRow("16-bit limit") << "32767" << 32767.0;
    QTest::newRow("beyond 16 bits") << "32768" << 2200.0;
    QTest::newRow("huge") << "1e300" << 2200.0;
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
    QTest::newRow("whole") << "12" << c << 12.0;
    QTest::newRow("fraction") << "9.75" << c << 9.75;
    QTest::newRow("locale comma") << "9,75" << german << 9.75;
    QTest::newRow("full stop in comma locale") << "9.75" << german << 9.75;
    QTest::newRow("blanks") << " 8 " << c << 8.0;
    QTest::newRow("not a number") << "big" << c << 0.0;
    QTest::newRow("number then text") << "12pt" << c << 0.0;
    QTest::newRow("zero") << "0" << c << 0.0;
    QTest::newRow("negative") << "-3" << c << 0.0;
    QTest::newRow("too large") << "5000" << c << 0.0;
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
    QTest::newRow("quarter") << 9.75 << english << "9.75";
    QTest::newRow("whole") << 12.0 << english << "12";
    QTest::newRow("ten") << 10.0 << english << "10";
    QTest::newRow("four decimals") << 8.123456 << english << "8.1235";
    QTest::newRow("locale comma") << 9.75 << german << "9,75";
    QTest::newRow("no group separator") << 2000.5 << english << "2000.5";
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
    QTest::newRow("red") << "255" << true << 255;
    QTest::newRow("system window text") << "-2147483640" << true << qint32(0x80000008u);
    QTest::newRow("blanks") << " 65535 " << true << 65535;
    QTest::newRow("fraction rounds") << "254.5" << true << 254;
    QTest::newRow("not a number") << "red" << false << 0;
    QTest::newRow("number then text") << "12abc" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("beyond 32 bits") << "4294967296" << false << 0;
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
    QTest::newRow("mixed") << 0x123456 << true << QColor(0x56, 0x34, 0x12);
    QTest::newRow("window text") << qint32(0x80000008u) << true << QColor(1, 2, 3);
    QTest::newRow("window") << qint32(0x80000005u) << true << QColor(4, 5, 6);
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

void TestViewSettings::placement_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("top");
    QTest::newRow("no file") << QByteArray() << 8640.0 << 11520.0 << 0.0 << 0.0;
    QTest::newRow("stored") << QByteArray("[frmShopping]\r\nHeight= 6000\r\nWidth= 7000\r\n"
                                          "Left= 300\r\nTop= 450\r\n")
                            << 6000.0 << 7000.0 << 300.0 << 450.0;
    QTest::newRow("height 0, width 7000")
        << QByteArray("[frmShopping]\r\nHeight= 0\r\nWidth= 7000\r\n") << 8640.0 << 7000.0 << 0.0
        << 0.0;
    QTest::newRow("left of the screen")
        << QByteArray("[frmShopping]\r\nLeft=-120\r\n") << 8640.0 << 11520.0 << -120.0 << 0.0;
    QTest::newRow("top beyond 16 bits")
        << QByteArray("[frmShopping]\r\nTop= 40000\r\n") << 8640.0 << 11520.0 << 0.0 << 0.0;
    QTest::newRow("top rounded") << QByteArray("[frmShopping]\r\nTop= 100.5\r\n") << 8640.0
                                 << 11520.0 << 0.0 << 100.0;
    QTest::newRow("leading numbers")
        << QByteArray("[FRMSHOPPING]\r\nheight=5000px\r\n") << 5000.0 << 11520.0 << 0.0 << 0.0;
}

void TestViewSettings::placement()
{
    QFETCH(QByteArray, file);
    QFETCH(double, height);
    QFETCH(double, width);
    QFETCH(double, left);
    QFETCH(double, top);
    TestFolder folder;
    if (!file.isEmpty()) {
        folder.write(QStringLiteral("shopping.ini"), file);
    }
    const Log log(folder.path(), QStringLiteral("shopping"));
    const PlacementTwips placement =
        ReadPlacement(folder.filePath(QStringLiteral("shopping.ini")),
                      QStringLiteral("frmShopping"), QSizeF(15360, 11520), log);
    QCOMPARE(placement.height, height);
    QCOMPARE(placement.width, width);
    QCOMPARE(placement.left, left);
    QCOMPARE(placement.top, top);
}

QTEST_GUILESS_MAIN(TestViewSettings)
#include "tst_viewsettings.moc"
