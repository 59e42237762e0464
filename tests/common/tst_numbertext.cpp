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
    QTest::newRow("plain") << "3" << 3.0;
    QTest::newRow("fraction") << "1.5" << 1.5;
    QTest::newRow("unit after") << "2 kg" << 2.0;
    QTest::newRow("comma is no decimal point") << "1,5" << 1.0;
    QTest::newRow("word") << "two" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("leading blanks") << " 3000" << 3000.0;
    QTest::newRow("blanks inside") << " 1 2" << 12.0;
    QTest::newRow("tab and line feed skipped") << "\t1\n2" << 12.0;
    QTest::newRow("carriage return stops") << "1\r2" << 1.0;
    QTest::newRow("negative") << "-120" << -120.0;
    QTest::newRow("sign then blank") << "- 3" << -3.0;
    QTest::newRow("plus") << "+4" << 4.0;
    QTest::newRow("two signs") << "+-4" << 0.0;
    QTest::newRow("point first") << ".5" << 0.5;
    QTest::newRow("lone point") << "." << 0.0;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("exponent D") << "2D2" << 200.0;
    QTest::newRow("negative exponent") << "25E-1" << 2.5;
    QTest::newRow("exponent without digits") << "7e" << 7.0;
    QTest::newRow("exponent sign only") << "7e+x" << 7.0;
    QTest::newRow("letters after") << "12abc" << 12.0;
    QTest::newRow("decimal width") << "1200.6" << 1200.6;
    QTest::newRow("huge") << "1e400" << std::numeric_limits<double>::max();
    QTest::newRow("huge negative") << "-1e400" << std::numeric_limits<double>::lowest();
    QTest::newRow("tiny") << "1e-400" << 0.0;
    QTest::newRow("absurd") << "1e300" << 1e300;
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
    QTest::newRow("3.5") << 3.5 << 4.0;
    QTest::newRow("-2.5") << -2.5 << -2.0;
    QTest::newRow("1200.6") << 1200.6 << 1201.0;
    QTest::newRow("2.4999") << 2.4999 << 2.0;
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
    QTest::newRow("whole") << 2.0 << "2";
    QTest::newRow("half") << 2.5 << "2.5";
    QTest::newRow("negative") << -3.0 << "-3";
    QTest::newRow("15 digits") << 123456789012345.0 << "123456789012345";
    QTest::newRow("1e15") << 1e15 << "1E+15";
    QTest::newRow("small") << 0.0001 << "0.0001";
    QTest::newRow("smaller") << 0.00001 << "1E-05";
    QTest::newRow("binary fraction noise") << 0.1 + 0.2 << "0.3";
    QTest::newRow("absurd") << 1e300 << "1E+300";
}

void TestNumberText::shortestDecimal()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(ShortestDecimal(value), text);
}

void TestNumberText::lengthText()
{
    QCOMPARE(LengthText(900), QStringLiteral(" 900"));
    QCOMPARE(LengthText(0), QStringLiteral(" 0"));
    QCOMPARE(LengthText(-120), QStringLiteral("-120"));
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
