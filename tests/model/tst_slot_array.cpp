#include "game_limits.h"
#include "slot_array.h"

#include <QString>
#include <QTest>

class TestSlotArray : public QObject
{
    Q_OBJECT

private slots:
    void anIndexOutsideTheSlotsReadsAsNothingAndWritesNowhere_data();
    void anIndexOutsideTheSlotsReadsAsNothingAndWritesNowhere();
};

void TestSlotArray::anIndexOutsideTheSlotsReadsAsNothingAndWritesNowhere_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("inside");
    QTest::newRow("below") << -1 << false;
    QTest::newRow("first") << 0 << true;
    QTest::newRow("last") << TeamSlots - 1 << true;
    QTest::newRow("one past the last") << TeamSlots << false;
}

void TestSlotArray::anIndexOutsideTheSlotsReadsAsNothingAndWritesNowhere()
{
    QFETCH(int, index);
    QFETCH(bool, inside);
    SlotArray<QString, TeamSlots> names;
    QCOMPARE(names.set(index, QStringLiteral("team")), inside);
    QCOMPARE(names.at(index), inside ? std::optional<QString>(QStringLiteral("team")) : std::nullopt);
    QCOMPARE(names.value(index, QStringLiteral("none")), inside ? QStringLiteral("team") : QStringLiteral("none"));
    QCOMPARE(names.update(index, [](QString &name) { name += u'!'; return true; }), inside);
    QCOMPARE(names.value(index), inside ? QStringLiteral("team!") : QString());
    // The neighbours were not touched.
    for (int other = 0; other < TeamSlots; ++other) {
        if (other != index)
            QVERIFY(names.value(other).isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestSlotArray)
#include "tst_slot_array.moc"
