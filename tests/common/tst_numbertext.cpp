#include "common/NumberText.h"

#include <QTest>

#include <limits>

class TestNumberText : public QObject
{
    Q_OBJECT

private slots:
    void leadingNumberValue_data();
    void leadingNumberValue();
    void roundHalfEven_data();
    void roundHalfEven();
    void toInt16Range();
    void shortestDecimal_data();
    void shortestDecimal();
    void lengthText();
};

void TestNumberText::leadingNumberValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("fraction") << u"1.5"_qs << 1.5;
    QTest::newRow("unit after") << u"2 kg"_qs << 2.0;
    QTest::newRow("comma is no decimal point") << u"1,5"_qs << 1.0;
    QTest::newRow("word") << u"two"_qs << 0.0;
    QTest::newRow("empty") << u""_qs << 0.0;
    QTest::newRow("blanks inside") << u" 1 2"_qs << 12.0;
    QTest::newRow("tab and line feed skipped") << u"\t1\n2"_qs << 12.0;
    QTest::newRow("carriage return stops") << u"1\r2"_qs << 1.0;
    QTest::newRow("sign then blank") << u"- 3"_qs << -3.0;
    QTest::newRow("two signs") << u"+-4"_qs << 0.0;
    QTest::newRow("point first") << u".5"_qs << 0.5;
    QTest::newRow("second point stops") << u"1.2.3"_qs << 1.2;
    QTest::newRow("exponent D") << u"2D2"_qs << 200.0;
    QTest::newRow("negative exponent") << u"25E-1"_qs << 2.5;
    QTest::newRow("exponent without digits") << u"7e"_qs << 7.0;
    QTest::newRow("exponent sign only") << u"7e+x"_qs << 7.0;
    QTest::newRow("huge") << u"1e400"_qs << std::numeric_limits<double>::max();
    QTest::newRow("huge negative") << u"-1e400"_qs << std::numeric_limits<double>::lowest();
    QTest::newRow("tiny") << u"1e-400"_qs << 0.0;
}

void TestNumberText::leadingNumberValue()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(LeadingNumberValue(text), value);
}

void TestNumberText::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded");
    QTest::newRow("0.5") << 0.5 << 0.0;
    QTest::newRow("1.5") << 1.5 << 2.0;
    QTest::newRow("2.5") << 2.5 << 2.0;
    QTest::newRow("-2.5") << -2.5 << -2.0;
    QTest::newRow("1200.6") << 1200.6 << 1201.0;
}

void TestNumberText::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(double, rounded);
    QCOMPARE(RoundHalfEven(value), rounded);
}

void TestNumberText::toInt16Range()
{
    QCOMPARE(ToInt16(32767.4), std::optional<qint16>(32767));
    QCOMPARE(ToInt16(32767.5), std::optional<qint16>()); // rounds to 32768
    QCOMPARE(ToInt16(-32768.5), std::optional<qint16>(-32768));
    QCOMPARE(ToInt16(40000), std::optional<qint16>());
    QCOMPARE(ToInt16(std::numeric_limits<double>::quiet_NaN()), std::optional<qint16>());
    QCOMPARE(ToInt32(2147483647.0), std::optional<qint32>(2147483647));
    QCOMPARE(ToInt32(2147483648.0), std::optional<qint32>());
}

void TestNumberText::shortestDecimal_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 2.0 << u"2"_qs;
    QTest::newRow("negative") << -3.0 << u"-3"_qs;
    QTest::newRow("1e15") << 1e15 << u"1E+15"_qs;
    QTest::newRow("smaller") << 0.00001 << u"1E-05"_qs;
    QTest::newRow("binary fraction noise") << 0.1 + 0.2 << u"0.3"_qs;
    QTest::newRow("absurd") << 1e300 << u"1E+300"_qs;
}

void TestNumberText::shortestDecimal()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(ShortestDecimal(value), text);
}

void TestNumberText::lengthText()
{
    QCOMPARE(LengthText(900), u" 900"_qs);
    QCOMPARE(LengthText(0), u" 0"_qs);
    QCOMPARE(LengthText(-120), u"-120"_qs);
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
