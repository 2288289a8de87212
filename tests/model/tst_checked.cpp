#include "checked.h"

#include <QtTest>

#include <cstdint>
#include <limits>

// The checked helpers are range tests written out by hand (so MSVC builds
// them too); these tables pin every edge against the exact result computed in
// a wider type.
class TestChecked : public QObject
{
    Q_OBJECT

private slots:
    void sixteenBitSumsFitOrAreRefused_data();
    void sixteenBitSumsFitOrAreRefused();
    void sixteenBitDifferencesFitOrAreRefused_data();
    void sixteenBitDifferencesFitOrAreRefused();
    void thirtyTwoBitEdgesAreExact_data();
    void thirtyTwoBitEdgesAreExact();
    void unsignedValuesNeverWrap();
};

// The helpers also work in constant expressions; a break stops the build.
static_assert(checkedAdd(qint16(32766), qint16(1)) == qint16(32767));
static_assert(!checkedAdd(qint16(32767), qint16(1)));
static_assert(!checkedSub(qint16(-32768), qint16(1)));

namespace {

constexpr int kMin16 = std::numeric_limits<qint16>::min();
constexpr int kMax16 = std::numeric_limits<qint16>::max();
constexpr qint64 kMin32 = std::numeric_limits<qint32>::min();
constexpr qint64 kMax32 = std::numeric_limits<qint32>::max();

void addEdgeRows16()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    const int values[] = {kMin16, kMin16 + 1, -100, -1, 0, 1, 100, kMax16 - 1, kMax16};
    for (const int a : values) {
        for (const int b : values)
            QTest::addRow("%d,%d", a, b) << a << b;
    }
}

} // namespace

void TestChecked::sixteenBitSumsFitOrAreRefused_data()
{
    addEdgeRows16();
}

void TestChecked::sixteenBitSumsFitOrAreRefused()
{
    QFETCH(int, a);
    QFETCH(int, b);
    const int exact = a + b;
    const auto sum = checkedAdd(qint16(a), qint16(b));
    if (exact < kMin16 || exact > kMax16) {
        QVERIFY(!sum);
        qint16 value = qint16(a);
        QVERIFY(!addInPlace(value, qint16(b)));
        QCOMPARE(value, qint16(a));
    } else {
        QVERIFY(sum);
        QCOMPARE(int(*sum), exact);
    }
}

void TestChecked::sixteenBitDifferencesFitOrAreRefused_data()
{
    addEdgeRows16();
}

void TestChecked::sixteenBitDifferencesFitOrAreRefused()
{
    QFETCH(int, a);
    QFETCH(int, b);
    const int exact = a - b;
    const auto difference = checkedSub(qint16(a), qint16(b));
    if (exact < kMin16 || exact > kMax16) {
        QVERIFY(!difference);
    } else {
        QVERIFY(difference);
        QCOMPARE(int(*difference), exact);
    }
}

void TestChecked::thirtyTwoBitEdgesAreExact_data()
{
    QTest::addColumn<qint64>("a");
    QTest::addColumn<qint64>("b");
    const qint64 values[] = {kMin32, kMin32 + 1, -1, 0, 1, kMax32 - 1, kMax32};
    for (const qint64 a : values) {
        for (const qint64 b : values)
            QTest::addRow("%lld,%lld", qlonglong(a), qlonglong(b)) << a << b;
    }
}

void TestChecked::thirtyTwoBitEdgesAreExact()
{
    QFETCH(qint64, a);
    QFETCH(qint64, b);
    const auto fits = [](qint64 v) { return v >= kMin32 && v <= kMax32; };

    const auto sum = checkedAdd(qint32(a), qint32(b));
    QCOMPARE(bool(sum), fits(a + b));
    if (sum)
        QCOMPARE(qint64(*sum), a + b);
    // A sum that does not fit leaves the stored value as it was.
    qint32 value = qint32(a);
    QCOMPARE(addInPlace(value, qint32(b)), fits(a + b));
    QCOMPARE(qint64(value), fits(a + b) ? a + b : a);

    const auto difference = checkedSub(qint32(a), qint32(b));
    QCOMPARE(bool(difference), fits(a - b));
    if (difference)
        QCOMPARE(qint64(*difference), a - b);
}

void TestChecked::unsignedValuesNeverWrap()
{
    constexpr auto max = std::numeric_limits<std::uint32_t>::max();
    QCOMPARE(checkedAdd(max - 1, 1u), std::optional<std::uint32_t>(max));
    QVERIFY(!checkedAdd(max, 1u));
    QCOMPARE(checkedSub(1u, 1u), std::optional<std::uint32_t>(0u));
    QVERIFY(!checkedSub(0u, 1u));
}

QTEST_GUILESS_MAIN(TestChecked)
#include "tst_checked.moc"
