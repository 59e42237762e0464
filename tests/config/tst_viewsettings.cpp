#include "config/ColorValue.h"
#include "config/ViewSettings.h"

#include <QTest>

// How the view settings' texts read, as text, by the rule that opens the row's name: a column width
// (designed 2200), a font size in a locale as it is written back ("-": not taken), a colour as the
// colour it names ("none") and the colour text is drawn in ("-": not taken), and a kept length as
// the twips written for "twips read, pixels shown, pixels now" at 15 twips a pixel.
class TestViewSettings : public QObject
{
    Q_OBJECT

private slots:
    void rules_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("read");
        QTest::newRow("width: empty") << u""_qs << u"2200"_qs;
        QTest::newRow("width: zero") << u"0"_qs << u"2200"_qs;
        QTest::newRow("width: smallest, rounded") << u"0.6 twips"_qs << u"1"_qs;
        QTest::newRow("width: beyond 16 bits") << u"32767.5"_qs << u"2200"_qs;
        QTest::newRow("size en_US: fraction") << u" 9.75"_qs << u"9.75"_qs;
        QTest::newRow("size de_DE: locale comma") << u"9,75"_qs << u"9,75"_qs;
        QTest::newRow("size de_DE: full stop in comma locale") << u"9.5"_qs << u"9,5"_qs;
        QTest::newRow("size en_US: whole, no group separator") << u"2000.000"_qs << u"2000"_qs;
        QTest::newRow("size en_US: four decimals") << u"8.123456"_qs << u"8.1235"_qs;
        QTest::newRow("size en_US: number then text") << u"12pt"_qs << u"-"_qs;
        QTest::newRow("size en_US: zero") << u"0"_qs << u"-"_qs;
        QTest::newRow("size en_US: largest") << u"2160"_qs << u"2160"_qs;
        QTest::newRow("size en_US: too large") << u"2160.5"_qs << u"-"_qs;
        QTest::newRow("colour: red") << u"255"_qs << u"#ff0000 #ff0000"_qs;
        QTest::newRow("colour: blue, blanks around") << u" 16711680 "_qs << u"#0000ff #0000ff"_qs;
        // The system colours come from the test's own palette.
        QTest::newRow("colour: system window text") << u"-2147483640"_qs << u"#010203 #010203"_qs;
        QTest::newRow("colour: last system colour") << u"-2147483624"_qs << u"#070809 #070809"_qs;
        QTest::newRow("colour: no such system colour") << u"-2147483623"_qs << u"none #010203"_qs;
        QTest::newRow("colour: bits above 24") << u"16777471"_qs << u"none #ff0000"_qs;
        QTest::newRow("colour: number then text") << u"12abc"_qs << u"-"_qs;
        QTest::newRow("colour: beyond 32 bits") << u"4294967296"_qs << u"-"_qs;
        QTest::newRow("length: unchanged, not a pixel multiple") << u"1340 89 89"_qs << u"1340"_qs;
        QTest::newRow("length: changed") << u"1340 89 100"_qs << u"1500"_qs;
        QTest::newRow("length: never read") << u"0 -1 40"_qs << u"600"_qs;
        QTest::newRow("length: fraction read is not kept") << u"7000.4 467 467"_qs << u"7005"_qs;
        QTest::newRow("length: absurd read is not kept") << u"1e300 0 0"_qs << u"0"_qs;
        QTest::newRow("length: negative place") << u"-120 -8 -8"_qs << u"-120"_qs;
    }

    void rules()
    {
        const QString rule = QString::fromUtf8(QTest::currentDataTag()).section(u':', 0, 0);
        QFETCH(QString, text);
        QFETCH(QString, read);
        QString got = u"-"_qs;
        if (rule == u"width") {
            got = QString::number(ColumnWidthFromText(text, 2200));
        } else if (rule.startsWith(u"size")) {
            const QLocale locale(rule.section(u' ', 1));
            if (const std::optional<double> size = FontSizeFromText(text, locale)) {
                got = FontSizeText(*size, locale);
            }
        } else if (rule == u"colour") {
            QPalette palette;
            palette.setColor(QPalette::Text, QColor(1, 2, 3));
            palette.setColor(QPalette::WindowText, QColor(1, 2, 3));
            palette.setColor(QPalette::ToolTipBase, QColor(7, 8, 9));
            if (const std::optional<qint32> value = ColorValueFromText(text)) {
                const std::optional<QColor> color = ColorFromValue(*value, palette);
                got = (color ? color->name() : u"none"_qs) + u' ' +
                      DrawingColor(*value, palette).name();
                QVERIFY(!color || *value < 0 || ColorValue(*color) == *value);
            }
        } else {
            const QStringList numbers = text.split(u' ');
            const KeptLength kept{numbers[0].toDouble(), numbers[1].toInt()};
            got = QString::number(kept.twipsFor(numbers[2].toInt(), 15.0));
        }
        QCOMPARE(got, read);
    }
};

QTEST_GUILESS_MAIN(TestViewSettings)
#include "tst_viewsettings.moc"
