#include "conversions.h"

#include <QLocale>
#include <QTest>

#include <cmath>
#include <limits>

class TestConversions : public QObject
{
    Q_OBJECT

private slots:
    void textBecomesLongRoundingTiesToEven_data();
    void textBecomesLongRoundingTiesToEven();
    void textBecomesIntegerOnlyWithinItsRange_data();
    void textBecomesIntegerOnlyWithinItsRange();
    void typedPointsTakeTheKoreanDigitGrouping_data();
    void typedPointsTakeTheKoreanDigitGrouping();
    void flooringTakesTheLargestIntegerNotGreater_data();
    void flooringTakesTheLargestIntegerNotGreater();
    void numbersAreWrittenAsPlainDigits_data();
    void numbersAreWrittenAsPlainDigits();
};

void TestConversions::textBecomesLongRoundingTiesToEven_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<int>("value");

    QTest::newRow("plain") << "30" << true << 30;
    QTest::newRow("spaces around") << "  30  " << true << 30;
    QTest::newRow("minus") << "-20" << true << -20;
    QTest::newRow("plus") << "+7" << true << 7;
    QTest::newRow("2.5 ties to 2") << "2.5" << true << 2;
    QTest::newRow("3.5 ties to 4") << "3.5" << true << 4;
    QTest::newRow("-2.5 ties to -2") << "-2.5" << true << -2;
    QTest::newRow("2.51 rounds up") << "2.51" << true << 3;
    QTest::newRow("leading point") << ".5" << true << 0;
    QTest::newRow("exponent") << "1e3" << true << 1000;
    QTest::newRow("top of the range") << "2147483647" << true << 2147483647;
    QTest::newRow("bottom of the range") << "-2147483648" << true << std::numeric_limits<int>::min();
    QTest::newRow("above the range") << "2147483648" << false << 0;
    QTest::newRow("beyond a double") << "1e400" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("letters") << "abc" << false << 0;
    QTest::newRow("trailing junk") << "12a" << false << 0;
    QTest::newRow("sign alone") << "-" << false << 0;
    QTest::newRow("inner space") << "1 2" << false << 0;
    QTest::newRow("hex is not a number") << "0x10" << false << 0;
}

void TestConversions::textBecomesLongRoundingTiesToEven()
{
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(int, value);

    const auto result = textToLong(text);
    QCOMPARE(result.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(*result, value);
}

void TestConversions::textBecomesIntegerOnlyWithinItsRange_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<int>("value");
    QTest::newRow("top") << "32767" << true << 32767;
    QTest::newRow("bottom") << "-32768" << true << -32768;
    QTest::newRow("above") << "32768" << false << 0;
    QTest::newRow("below") << "-32769" << false << 0;
    QTest::newRow("rounds into the range") << "32767.4" << true << 32767;
    // 32767.5 rounds to the even 32768, which does not fit.
    QTest::newRow("rounds out of the range") << "32767.5" << false << 0;
}

void TestConversions::textBecomesIntegerOnlyWithinItsRange()
{
    QFETCH(QString, text);
    QFETCH(bool, fits);
    QFETCH(int, value);
    QCOMPARE(textToInteger(text), fits ? std::optional<qint16>(qint16(value)) : std::nullopt);
}

void TestConversions::typedPointsTakeTheKoreanDigitGrouping_data()
{
    // Well formed: what the Korean locale reads as a number. Points must
    // also fit the entry's range.
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("wellFormed");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<int>("value");
    QTest::newRow("a thousand") << "1,000" << true << true << 1000;
    QTest::newRow("five digits") << "12,345" << true << true << 12345;
    QTest::newRow("negative") << "-1,000" << true << true << -1000;
    QTest::newRow("plus and spaces") << " +1,000 " << true << true << 1000;
    QTest::newRow("with a fraction, tie to even") << "1,000.5" << true << true << 1000;
    QTest::newRow("with an exponent") << "1,000e1" << true << true << 10000;
    QTest::newRow("a leading zero group") << "0,100" << true << true << 100;
    QTest::newRow("a million, out of range") << "1,000,000" << true << false << 0;
    QTest::newRow("a group of one") << "1,0" << false << false << 0;
    QTest::newRow("a group of two") << "1,00" << false << false << 0;
    QTest::newRow("a group of four") << "1,0000" << false << false << 0;
    QTest::newRow("a leading group of four") << "1000,000" << false << false << 0;
    QTest::newRow("a leading separator") << ",100" << false << false << 0;
    QTest::newRow("a trailing separator") << "1," << false << false << 0;
    QTest::newRow("two separators") << "1,,000" << false << false << 0;
    QTest::newRow("a separator in the fraction") << "1.000,5" << false << false << 0;
    QTest::newRow("a separator alone") << "," << false << false << 0;
}

void TestConversions::typedPointsTakeTheKoreanDigitGrouping()
{
    QFETCH(QString, text);
    QFETCH(bool, wellFormed);
    QFETCH(bool, fits);
    QFETCH(int, value);
    QCOMPARE(textToInteger(text), fits ? std::optional<qint16>(qint16(value)) : std::nullopt);
    bool localeTakesIt = false;
    QLocale(QLocale::Korean, QLocale::SouthKorea).toDouble(text, &localeTakesIt);
    QCOMPARE(localeTakesIt, wellFormed);
    // A score file's numbers stay plain digits.
    QVERIFY(!textToLong(text));
}

void TestConversions::flooringTakesTheLargestIntegerNotGreater_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<int>("floored");

    QTest::newRow("80.6") << 80.6 << true << 80;
    QTest::newRow("12.7") << 12.7 << true << 12;
    QTest::newRow("-3.5") << -3.5 << true << -4;
    QTest::newRow("-0.4") << -0.4 << true << -1;
    QTest::newRow("whole") << 42.0 << true << 42;
    QTest::newRow("just below the bottom") << -2147483648.5 << false << 0;
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << false << 0;
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << false << 0;
}

void TestConversions::flooringTakesTheLargestIntegerNotGreater()
{
    QFETCH(double, value);
    QFETCH(bool, fits);
    QFETCH(int, floored);
    QCOMPARE(floorToLong(value), fits ? std::optional<qint32>(floored) : std::nullopt);
    if (!std::isfinite(value))
        QVERIFY(!roundToLong(value));
}

void TestConversions::numbersAreWrittenAsPlainDigits_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << qint64(0) << "0";
    QTest::newRow("positive") << qint64(120) << "120";
    QTest::newRow("negative") << qint64(-45) << "-45";
    QTest::newRow("no separators") << qint64(1234567) << "1234567";
}

void TestConversions::numbersAreWrittenAsPlainDigits()
{
    QFETCH(qint64, value);
    QFETCH(QString, text);
    QCOMPARE(numberText(value), text);
}

QTEST_GUILESS_MAIN(TestConversions)
#include "tst_conversions.moc"
