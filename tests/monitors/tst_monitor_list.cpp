#include "monitor_list.h"
#include "monitor_record.h"
#include "scripted_monitor_platform.h"

#include <QTest>

#include <limits>

using Scripted = ScriptedMonitorPlatform;

namespace {

const Scripted::Monitor Primary = Scripted::monitor(1, 0, 0, 1280, 1024);

std::shared_ptr<Scripted> platformWith(std::vector<Scripted::Monitor> monitors)
{
    auto platform = std::make_shared<Scripted>();
    platform->monitors = std::move(monitors);
    return platform;
}

QList<qint32> handlesOf(const MonitorList &list)
{
    QList<qint32> handles;
    for (const MonitorRecord &monitor : list.monitors())
        handles.append(monitor.handle);
    return handles;
}

// Every member in declaration order, so that a whole record compares at once
// and a mismatch shows which value differs.
QList<qint32> fieldsOf(const MonitorRecord &m)
{
    return {m.handle,   m.left,      m.right,   m.top,        m.bottom, m.workLeft,
            m.workRight, m.workTop, m.workBottom, m.width, m.height};
}

QList<QList<qint32>> recordsOf(const MonitorList &list)
{
    QList<QList<qint32>> records;
    for (const MonitorRecord &monitor : list.monitors())
        records.append(fieldsOf(monitor));
    return records;
}

// The two ways a platform look-up can fail.
enum class Failure { FunctionMissing, LookUpFails };

void addFailureRows()
{
    QTest::addColumn<Failure>("failure");
    QTest::newRow("function missing") << Failure::FunctionMissing;
    QTest::newRow("look-up fails") << Failure::LookUpFails;
}

void makeFail(Scripted &platform, Failure failure)
{
    platform.functionsMissing = failure == Failure::FunctionMissing;
    platform.lookupsFail = failure == Failure::LookUpFails;
}

} // namespace

class TestMonitorList : public QObject
{
    Q_OBJECT

private slots:
    void aNewRecordHoldsZeroEverywhere();
    void theCollectionRejectsATakenKeyAndKeepsTheFirst();

    void oneMonitorIsProbedExactlyAtTheFourCellCentres();
    void monitorsComeInProbeOrder_data();
    void monitorsComeInProbeOrder();
    void refreshingAgainGivesTheSameRecordsWithoutDuplicates();
    void refreshingFindsTheMonitorsAsTheyAreNow();
    void aMonitorSmallerThanACellCanBeMissed();
    void aFailedInfoQueryStillAddsTheMonitorWithZeroRectangles();
    void failingLookUpsFindNoMonitors_data();
    void failingLookUpsFindNoMonitors();

    void withoutMultiMonitorSupportOneRecordDescribesTheScreen();
    void theScreenSizeFallbackRoundsTwipsAndTruncatesPixels_data();
    void theScreenSizeFallbackRoundsTwipsAndTruncatesPixels();

    void aPointOnNoMonitorGivesNothingOrThePrimaryAsTheFlagSays_data();
    void aPointOnNoMonitorGivesNothingOrThePrimaryAsTheFlagSays();
    void failedLookUpsGiveMinusOne_data();
    void failedLookUpsGiveMinusOne();

    void theBoardMonitorIsTheFirstThatIsNotPrimary_data();
    void theBoardMonitorIsTheFirstThatIsNotPrimary();
};

void TestMonitorList::aNewRecordHoldsZeroEverywhere()
{
    const MonitorRecord m;
    QCOMPARE(fieldsOf(m), QList<qint32>(11, 0));
}

void TestMonitorList::theCollectionRejectsATakenKeyAndKeepsTheFirst()
{
    MonitorCollection monitors;
    MonitorRecord first;
    first.width = 1;
    MonitorRecord second;
    second.width = 2;
    QVERIFY(monitors.add(QStringLiteral("65537"), first));
    QVERIFY(monitors.add(QStringLiteral("65539"), second));
    QVERIFY(!monitors.add(QStringLiteral("65537"), MonitorRecord{}));

    QCOMPARE(monitors.count(), 2);
    QCOMPARE(monitors.keys(), QStringList({"65537", "65539"}));
    QVERIFY(monitors.value(QStringLiteral("65537")));
    QCOMPARE(monitors.value(QStringLiteral("65537"))->width, 1);
    QCOMPARE(monitors.value(QStringLiteral("1")), nullptr);
    QVERIFY(monitors.at(1));
    QCOMPARE(monitors.at(1)->width, 2);
    QCOMPARE(monitors.at(2), nullptr);
    QCOMPARE(monitors.at(-1), nullptr);
}

void TestMonitorList::oneMonitorIsProbedExactlyAtTheFourCellCentres()
{
    auto platform = platformWith({Scripted::monitor(65537, 0, 0, 1024, 768, 40)});
    const MonitorList list(platform);

    const std::vector<QPoint> expected{{320, 240}, {960, 240}, {320, 720}, {960, 720}};
    QCOMPARE(platform->probes, expected);

    QCOMPARE(list.monitors().count(), 1);
    QCOMPARE(list.monitors().keys(), QStringList{"65537"});
    const MonitorRecord *m = list.monitors().at(0);
    QVERIFY(m);
    QCOMPARE(m->handle, 65537);
    QCOMPARE(m->width, 1024);
    QCOMPARE(m->height, 768);
    QCOMPARE(m->right, 1024);
    QCOMPARE(m->bottom, 768);
    QCOMPARE(m->workBottom, 728);
    QCOMPARE(m->workRight, 1024);
}

void TestMonitorList::monitorsComeInProbeOrder_data()
{
    QTest::addColumn<std::vector<Scripted::Monitor>>("monitors");
    QTest::addColumn<QList<qint32>>("order");
    QTest::addColumn<QList<qint32>>("desktop"); // left, top, width, height

    QTest::newRow("second right") << std::vector{Primary, Scripted::monitor(2, 1280, 0, 1280, 1024)}
                                  << QList<qint32>{1, 2} << QList<qint32>{0, 0, 2560, 1024};
    QTest::newRow("second left") << std::vector{Primary, Scripted::monitor(2, -1280, 0, 1280, 1024)}
                                 << QList<qint32>{2, 1} << QList<qint32>{-1280, 0, 2560, 1024};
    QTest::newRow("second above") << std::vector{Primary, Scripted::monitor(2, 0, -1024, 1280, 1024)}
                                  << QList<qint32>{2, 1} << QList<qint32>{0, -1024, 1280, 2048};
    QTest::newRow("second below") << std::vector{Primary, Scripted::monitor(2, 0, 1024, 1280, 1024)}
                                  << QList<qint32>{1, 2} << QList<qint32>{0, 0, 1280, 2048};
    // The first row of probes (y 40) meets the primary before the taller
    // monitor on its right; the lower monitor on the left comes last.
    QTest::newRow("three, staggered")
        << std::vector{Primary, Scripted::monitor(2, 1280, -200, 1920, 1080),
                       Scripted::monitor(3, -1024, 300, 1024, 768)}
        << QList<qint32>{1, 2, 3} << QList<qint32>{-1024, -200, 4224, 1268};
}

void TestMonitorList::monitorsComeInProbeOrder()
{
    QFETCH(std::vector<Scripted::Monitor>, monitors);
    QFETCH(QList<qint32>, order);
    QFETCH(QList<qint32>, desktop);

    const MonitorList list(platformWith(monitors));
    QCOMPARE(handlesOf(list), order);
    QCOMPARE((QList<qint32>{list.desktopLeft(), list.desktopTop(), list.desktopWidth(),
                            list.desktopHeight()}),
             desktop);
    for (const MonitorRecord &m : list.monitors()) {
        QCOMPARE(m.width, m.right - m.left);
        QCOMPARE(m.height, m.bottom - m.top);
        QCOMPARE(list.monitors().value(QString::number(m.handle)), &m);
    }
}

void TestMonitorList::refreshingAgainGivesTheSameRecordsWithoutDuplicates()
{
    MonitorList list(platformWith({Scripted::monitor(65537, 0, 0, 1280, 1024),
                                   Scripted::monitor(65539, -1280, 0, 1280, 1024)}));
    const auto before = recordsOf(list);
    list.refresh();
    list.refresh();
    QCOMPARE(recordsOf(list), before);
    QCOMPARE(list.monitors().keys(), QStringList({"65539", "65537"}));
    QCOMPARE(list.monitors().at(0)->left, -1280);
}

void TestMonitorList::refreshingFindsTheMonitorsAsTheyAreNow()
{
    auto platform = platformWith({Primary, Scripted::monitor(2, 1280, 0, 1280, 1024)});
    MonitorList list(platform);
    QCOMPARE(handlesOf(list), (QList<qint32>{1, 2}));

    // The projector is unplugged and another one comes up on the left.
    platform->monitors = {Primary, Scripted::monitor(3, -1024, 0, 1024, 768)};
    QCOMPARE(handlesOf(list), (QList<qint32>{1, 2})); // until asked again
    list.refresh();
    QCOMPARE(handlesOf(list), (QList<qint32>{3, 1}));
    QCOMPARE(list.monitors().keys(), QStringList({"3", "1"}));
    QCOMPARE(list.secondaryMonitorIndex(), 0);
}

void TestMonitorList::aMonitorSmallerThanACellCanBeMissed()
{
    // 320 x 240 to the right of the primary: the probe at (1600, 240) lies
    // just beyond its exclusive corner.
    const MonitorList list(platformWith({Primary, Scripted::monitor(2, 1280, 0, 320, 240)}));
    QCOMPARE(handlesOf(list), QList<qint32>{1});
}

void TestMonitorList::aFailedInfoQueryStillAddsTheMonitorWithZeroRectangles()
{
    auto second = Scripted::monitor(2, 1280, 0, 1280, 1024);
    second.infoFails = true;
    const MonitorList list(platformWith({Primary, second}));
    QCOMPARE(handlesOf(list), (QList<qint32>{1, 2}));
    const MonitorRecord *m = list.monitors().at(1);
    QVERIFY(m);
    QCOMPARE(m->left, 0);
    QCOMPARE(m->right, 0);
    QCOMPARE(m->width, 0);
    QCOMPARE(m->workBottom, 0);
    // Such a record is no place for the board.
    QCOMPARE(list.secondaryMonitorIndex(), -1);
}

void TestMonitorList::failingLookUpsFindNoMonitors_data()
{
    addFailureRows();
}

void TestMonitorList::failingLookUpsFindNoMonitors()
{
    QFETCH(Failure, failure);
    auto platform = platformWith({Primary, Scripted::monitor(2, 1280, 0, 1280, 1024)});
    makeFail(*platform, failure);
    const MonitorList list(platform);
    QVERIFY(!platform->probes.empty());
    QCOMPARE(list.monitors().count(), 0);
    QCOMPARE(list.secondaryMonitorIndex(), -1);
}

void TestMonitorList::withoutMultiMonitorSupportOneRecordDescribesTheScreen()
{
    auto platform = platformWith({Primary, Scripted::monitor(2, -1280, 0, 1280, 1024)});
    platform->monitorCount = 0;
    platform->screenMetrics = {800 * 15, 600 * 15, 15, 15};
    MonitorList list(platform);
    list.refresh();

    QVERIFY(platform->probes.empty());
    QCOMPARE(list.desktopLeft(), 0);
    QCOMPARE(list.desktopTop(), 0);
    QCOMPARE(list.desktopWidth(), 800);
    QCOMPARE(list.desktopHeight(), 600);
    QCOMPARE(list.monitors().keys(), QStringList{"0"});
    const MonitorRecord *m = list.monitors().at(0);
    QVERIFY(m);
    // handle, left, right, top, bottom, work area, width, height
    QCOMPARE(fieldsOf(*m), (QList<qint32>{0, 0, 800, 0, 600, 0, 800, 0, 600, 800, 600}));
    // The single screen is the primary one: no board monitor to choose.
    QCOMPARE(list.secondaryMonitorIndex(), -1);
}

void TestMonitorList::theScreenSizeFallbackRoundsTwipsAndTruncatesPixels_data()
{
    QTest::addColumn<double>("twips");
    QTest::addColumn<double>("twipsPerPixel");
    QTest::addColumn<qint32>("pixels");

    QTest::newRow("96 dpi") << 15360.0 << 15.0 << 1024;
    QTest::newRow("120 dpi") << 12288.0 << 12.0 << 1024;
    QTest::newRow("remainder dropped") << 15374.0 << 15.0 << 1024;
    QTest::newRow("half twip to even, down") << 15374.5 << 15.0 << 1024;
    QTest::newRow("half twip to even, up") << 15374.5 + 1 << 15.0 << 1025;
    QTest::newRow("twips per pixel rounded first") << 15360.0 << 14.5 << 1097;
    QTest::newRow("no twips per pixel") << 15360.0 << 0.4 << 0;
}

void TestMonitorList::theScreenSizeFallbackRoundsTwipsAndTruncatesPixels()
{
    QFETCH(double, twips);
    QFETCH(double, twipsPerPixel);
    QFETCH(qint32, pixels);

    auto platform = std::make_shared<Scripted>();
    platform->monitorCount = 0;
    platform->screenMetrics = {twips, twips, twipsPerPixel, twipsPerPixel};
    const MonitorList list(platform);
    QCOMPARE(list.desktopWidth(), pixels);
    QCOMPARE(list.desktopHeight(), pixels);
    QCOMPARE(list.monitors().at(0)->width, pixels);
}

void TestMonitorList::aPointOnNoMonitorGivesNothingOrThePrimaryAsTheFlagSays_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<qint32>("flags");
    QTest::addColumn<qint32>("handle");

    QTest::newRow("off the desktop, nothing") << QPoint(5000, 5000) << MONITOR_DEFAULTTONULL << 0;
    QTest::newRow("off the desktop, the primary")
        << QPoint(5000, 5000) << MONITOR_DEFAULTTOPRIMARY << 5;
    QTest::newRow("last pixel of the left monitor") << QPoint(-1, 0) << MONITOR_DEFAULTTONULL << 7;
    QTest::newRow("last pixel of the primary") << QPoint(1279, 1023) << MONITOR_DEFAULTTONULL << 5;
    QTest::newRow("right edge is exclusive") << QPoint(1280, 0) << MONITOR_DEFAULTTONULL << 0;
    // The point's rectangle cannot be built at the edge of the coordinates.
    QTest::newRow("largest coordinate")
        << QPoint(std::numeric_limits<qint32>::max(), 0) << MONITOR_DEFAULTTOPRIMARY << -1;
}

void TestMonitorList::aPointOnNoMonitorGivesNothingOrThePrimaryAsTheFlagSays()
{
    QFETCH(QPoint, point);
    QFETCH(qint32, flags);
    QFETCH(qint32, handle);

    const MonitorList list(platformWith({Scripted::monitor(7, -1280, 0, 1280, 1024),
                                         Scripted::monitor(5, 0, 0, 1280, 1024)}));
    QCOMPARE(list.monitorAt(point.x(), point.y(), flags), handle);
}

void TestMonitorList::failedLookUpsGiveMinusOne_data()
{
    addFailureRows();
}

void TestMonitorList::failedLookUpsGiveMinusOne()
{
    QFETCH(Failure, failure);
    auto platform = platformWith({Primary});
    const MonitorList list(platform);
    QCOMPARE(list.monitorAt(10, 10, MONITOR_DEFAULTTOPRIMARY), 1);

    makeFail(*platform, failure);
    QCOMPARE(list.monitorAt(10, 10, MONITOR_DEFAULTTOPRIMARY), -1);
}

void TestMonitorList::theBoardMonitorIsTheFirstThatIsNotPrimary_data()
{
    QTest::addColumn<std::vector<Scripted::Monitor>>("monitors");
    QTest::addColumn<int>("index");
    QTest::addColumn<qint32>("handle");

    QTest::newRow("alone") << std::vector{Primary} << -1 << 0;
    QTest::newRow("right") << std::vector{Primary, Scripted::monitor(2, 1280, 0, 1280, 1024)} << 1 << 2;
    QTest::newRow("left") << std::vector{Primary, Scripted::monitor(2, -1280, 0, 1280, 1024)} << 0 << 2;
    QTest::newRow("above") << std::vector{Primary, Scripted::monitor(2, 0, -1024, 1280, 1024)} << 0 << 2;
    QTest::newRow("below") << std::vector{Primary, Scripted::monitor(2, 0, 1024, 1280, 1024)} << 1 << 2;
    QTest::newRow("above, offset left")
        << std::vector{Primary, Scripted::monitor(2, -1500, -1024, 1280, 1024)} << 0 << 2;
    QTest::newRow("three") << std::vector{Scripted::monitor(3, -1280, 0, 1280, 1024), Primary,
                                          Scripted::monitor(2, 1280, 0, 1280, 1024)}
                           << 0 << 3;
}

void TestMonitorList::theBoardMonitorIsTheFirstThatIsNotPrimary()
{
    QFETCH(std::vector<Scripted::Monitor>, monitors);
    QFETCH(int, index);
    QFETCH(qint32, handle);

    const MonitorList list(platformWith(monitors));
    QCOMPARE(list.secondaryMonitorIndex(), index);
    const MonitorRecord *board = list.monitors().at(index);
    QCOMPARE(board ? board->handle : 0, handle);
}

QTEST_GUILESS_MAIN(TestMonitorList)
#include "tst_monitor_list.moc"
