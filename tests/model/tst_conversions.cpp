#include "checked.h"
#include "conversions.h"

#include <QTest>

#include <limits>

class TestConversions : public QObject
{
    Q_OBJECT

private slots:
    void textBecomesLongRoundingTiesToEven_data();
    void textBecomesLongRoundingTiesToEven();
    void textOutsideTheIntegerRangeGivesNothing();
    void flooringTakesTheLargestIntegerNotGreater_data();
    void flooringTakesTheLargestIntegerNotGreater();
    void numbersAreWrittenAsPlainDigits();
    void checkedArithmeticLeavesTheValueOnOverflow();
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

void TestConversions::textOutsideTheIntegerRangeGivesNothing()
{
    QCOMPARE(textToInteger("32767"), std::optional<qint16>(32767));
    QCOMPARE(textToInteger("-32768"), std::optional<qint16>(-32768));
    QVERIFY(!textToInteger("32768"));
    QVERIFY(!textToInteger("-32769"));
    // 32767.4 rounds into range, 32767.5 rounds to the even 32768, which does not fit
    QCOMPARE(textToInteger("32767.4"), std::optional<qint16>(32767));
    QVERIFY(!textToInteger("32767.5"));
    QCOMPARE(textToLong("2147483647"), std::optional<qint32>(2147483647));
    QVERIFY(!textToLong("2147483648"));
    QVERIFY(!textToLong("1e400"));
    QVERIFY(!roundToLong(std::numeric_limits<double>::quiet_NaN()));
}

void TestConversions::flooringTakesTheLargestIntegerNotGreater_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("floored");

    QTest::newRow("80.6") << 80.6 << 80;
    QTest::newRow("12.7") << 12.7 << 12;
    QTest::newRow("-3.5") << -3.5 << -4;
    QTest::newRow("-0.4") << -0.4 << -1;
    QTest::newRow("whole") << 42.0 << 42;
}

void TestConversions::flooringTakesTheLargestIntegerNotGreater()
{
    QFETCH(double, value);
    QFETCH(int, floored);
    QCOMPARE(floorToLong(value), std::optional<qint32>(floored));
}

void TestConversions::numbersAreWrittenAsPlainDigits()
{
    QCOMPARE(numberText(0), QStringLiteral("0"));
    QCOMPARE(numberText(120), QStringLiteral("120"));
    QCOMPARE(numberText(-45), QStringLiteral("-45"));
    QCOMPARE(numberText(1234567), QStringLiteral("1234567")); // no separators
}

void TestConversions::checkedArithmeticLeavesTheValueOnOverflow()
{
    qint32 value = std::numeric_limits<qint32>::max() - 1;
    QVERIFY(addInPlace(value, qint32(1)));
    QCOMPARE(value, std::numeric_limits<qint32>::max());
    QVERIFY(!addInPlace(value, qint32(1)));
    QCOMPARE(value, std::numeric_limits<qint32>::max());

    qint16 small = -32768;
    QVERIFY(!addInPlace(small, qint16(-1)));
    QCOMPARE(small, qint16(-32768));
    QVERIFY(!checkedSub(qint32(std::numeric_limits<qint32>::min()), qint32(1)));
}

QTEST_GUILESS_MAIN(TestConversions)
#include "tst_conversions.moc"
