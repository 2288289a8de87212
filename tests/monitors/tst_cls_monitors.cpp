#include "cls_monitors.h"
#include "clsmonitor.h"
#include "scripted_monitor_platform.h"

#include <QTest>
#include <QWidget>

using Scripted = ScriptedMonitorPlatform;

namespace {

std::shared_ptr<Scripted> platformWith(std::vector<Scripted::Monitor> monitors)
{
    auto platform = std::make_shared<Scripted>();
    platform->monitors = std::move(monitors);
    return platform;
}

QList<qint32> handlesOf(const CLSmonitors &list)
{
    QList<qint32> handles;
    for (const auto &monitor : list.Monitors())
        handles.append(monitor->Handle);
    return handles;
}

} // namespace

class TestClsMonitors : public QObject
{
    Q_OBJECT

private slots:
    void aNewRecordHoldsZeroEverywhere();
    void theCollectionRejectsATakenKeyAndKeepsTheFirst();

    void oneMonitorIsProbedExactlyAtTheFourCellCentres();
    void monitorsComeInProbeOrder_data();
    void monitorsComeInProbeOrder();
    void refreshingAgainGivesTheSameRecordsWithoutDuplicates();
    void aMonitorSmallerThanACellCanBeMissed();
    void aFailedInfoQueryStillAddsTheMonitorWithZeroRectangles();
    void failingLookUpsFindNoMonitors();

    void withoutMultiMonitorSupportOneRecordDescribesTheScreen();
    void theScreenSizeFallbackRoundsTwipsAndTruncatesPixels_data();
    void theScreenSizeFallbackRoundsTwipsAndTruncatesPixels();

    void aPointOnNoMonitorGivesNothingOrThePrimaryAsTheFlagSays();
    void lookUpsReportAMissingFunctionAsMinusOne();

    void theBoardMonitorIsTheFirstThatIsNotPrimary_data();
    void theBoardMonitorIsTheFirstThatIsNotPrimary();

    void centringWithoutReferenceUsesThePrimaryWorkArea();
    void centringFollowsTheReferenceWindowsMonitor();
    void centringWithAMissingFunctionCentresOnTheScreen();
    void centringStaysPutWhenTheInfoQueryFails();
};

void TestClsMonitors::aNewRecordHoldsZeroEverywhere()
{
    const clsmonitor m;
    const std::array values{m.Handle, m.Left, m.Right, m.Top, m.Bottom, m.WorkLeft,
                            m.WorkRight, m.WorkTop, m.WorkBottom, m.Width, m.Height};
    for (qint32 v : values)
        QCOMPARE(v, 0);
}

void TestClsMonitors::theCollectionRejectsATakenKeyAndKeepsTheFirst()
{
    MonitorCollection monitors;
    auto first = std::make_shared<clsmonitor>();
    first->Width = 1;
    auto second = std::make_shared<clsmonitor>();
    second->Width = 2;
    QVERIFY(monitors.add(QStringLiteral("65537"), first));
    QVERIFY(monitors.add(QStringLiteral("65539"), second));
    QVERIFY(!monitors.add(QStringLiteral("65537"), std::make_shared<clsmonitor>()));
    QVERIFY(!monitors.add(QStringLiteral("1"), nullptr));

    QCOMPARE(monitors.count(), 2);
    QCOMPARE(monitors.keys(), QStringList({"65537", "65539"}));
    QCOMPARE(monitors.value(QStringLiteral("65537")), first);
    QCOMPARE(monitors.at(1), second);
    QCOMPARE(monitors.at(2), nullptr);
    QCOMPARE(monitors.at(-1), nullptr);

    QVERIFY(monitors.remove(QStringLiteral("65537")));
    QCOMPARE(monitors.at(0), second);
    QVERIFY(monitors.add(QStringLiteral("65537"), first));
    QCOMPARE(monitors.at(1), first);
}

void TestClsMonitors::oneMonitorIsProbedExactlyAtTheFourCellCentres()
{
    auto platform = platformWith({Scripted::monitor(65537, 0, 0, 1024, 768, 40)});
    const CLSmonitors list(platform);

    const std::vector<QPoint> expected{{320, 240}, {960, 240}, {320, 720}, {960, 720}};
    QCOMPARE(platform->probes, expected);

    QCOMPARE(list.Monitors().count(), 1);
    QCOMPARE(list.Monitors().keys(), QStringList{"65537"});
    const auto m = list.Monitors().at(0);
    QCOMPARE(m->Handle, 65537);
    QCOMPARE(m->Width, 1024);
    QCOMPARE(m->Height, 768);
    QCOMPARE(m->Right, 1024);
    QCOMPARE(m->Bottom, 768);
    QCOMPARE(m->WorkBottom, 728);
    QCOMPARE(m->WorkRight, 1024);
}

void TestClsMonitors::monitorsComeInProbeOrder_data()
{
    QTest::addColumn<std::vector<Scripted::Monitor>>("monitors");
    QTest::addColumn<QList<qint32>>("order");
    QTest::addColumn<QList<qint32>>("desktop"); // left, top, width, height

    const auto primary = Scripted::monitor(1, 0, 0, 1280, 1024);
    QTest::newRow("second right") << std::vector{primary, Scripted::monitor(2, 1280, 0, 1280, 1024)}
                                  << QList<qint32>{1, 2} << QList<qint32>{0, 0, 2560, 1024};
    QTest::newRow("second left") << std::vector{primary, Scripted::monitor(2, -1280, 0, 1280, 1024)}
                                 << QList<qint32>{2, 1} << QList<qint32>{-1280, 0, 2560, 1024};
    QTest::newRow("second above") << std::vector{primary, Scripted::monitor(2, 0, -1024, 1280, 1024)}
                                  << QList<qint32>{2, 1} << QList<qint32>{0, -1024, 1280, 2048};
    QTest::newRow("second below") << std::vector{primary, Scripted::monitor(2, 0, 1024, 1280, 1024)}
                                  << QList<qint32>{1, 2} << QList<qint32>{0, 0, 1280, 2048};
    // The first row of probes (y 40) meets the primary before the taller
    // monitor on its right; the lower monitor on the left comes last.
    QTest::newRow("three, staggered")
        << std::vector{primary, Scripted::monitor(2, 1280, -200, 1920, 1080),
                       Scripted::monitor(3, -1024, 300, 1024, 768)}
        << QList<qint32>{1, 2, 3} << QList<qint32>{-1024, -200, 4224, 1268};
}

void TestClsMonitors::monitorsComeInProbeOrder()
{
    QFETCH(std::vector<Scripted::Monitor>, monitors);
    QFETCH(QList<qint32>, order);
    QFETCH(QList<qint32>, desktop);

    const CLSmonitors list(platformWith(monitors));
    QCOMPARE(handlesOf(list), order);
    QCOMPARE((QList<qint32>{list.DesktopLeft(), list.DesktopTop(), list.DesktopWidth(),
                            list.DesktopHeight()}),
             desktop);
    for (const auto &m : list.Monitors()) {
        QCOMPARE(m->Width, m->Right - m->Left);
        QCOMPARE(m->Height, m->Bottom - m->Top);
        QCOMPARE(list.Monitors().value(QString::number(m->Handle)), m);
    }
}

void TestClsMonitors::refreshingAgainGivesTheSameRecordsWithoutDuplicates()
{
    CLSmonitors list(platformWith({Scripted::monitor(65537, 0, 0, 1280, 1024),
                                   Scripted::monitor(65539, -1280, 0, 1280, 1024)}));
    const auto before = handlesOf(list);
    const auto firstRecord = list.Monitors().at(0);
    list.Refresh();
    list.Refresh();
    QCOMPARE(handlesOf(list), before);
    QCOMPARE(list.Monitors().keys(), QStringList({"65539", "65537"}));
    // The old records belong to whoever still holds them; the list has new ones.
    QVERIFY(list.Monitors().at(0) != firstRecord);
    QCOMPARE(firstRecord->Left, -1280);
}

void TestClsMonitors::aMonitorSmallerThanACellCanBeMissed()
{
    // 320 x 240 to the right of the primary: the probe at (1600, 240) lies
    // just beyond its exclusive corner.
    const CLSmonitors list(platformWith({Scripted::monitor(1, 0, 0, 1280, 1024),
                                         Scripted::monitor(2, 1280, 0, 320, 240)}));
    QCOMPARE(handlesOf(list), QList<qint32>{1});
}

void TestClsMonitors::aFailedInfoQueryStillAddsTheMonitorWithZeroRectangles()
{
    auto second = Scripted::monitor(2, 1280, 0, 1280, 1024);
    second.infoFails = true;
    const CLSmonitors list(platformWith({Scripted::monitor(1, 0, 0, 1280, 1024), second}));
    QCOMPARE(handlesOf(list), (QList<qint32>{1, 2}));
    const auto m = list.Monitors().at(1);
    QCOMPARE(m->Left, 0);
    QCOMPARE(m->Right, 0);
    QCOMPARE(m->Width, 0);
    QCOMPARE(m->WorkBottom, 0);
    // Such a record is no place for the board.
    QCOMPARE(list.secondaryMonitorIndex(), -1);
}

void TestClsMonitors::failingLookUpsFindNoMonitors()
{
    for (const bool missing : {true, false}) {
        auto platform = platformWith({Scripted::monitor(1, 0, 0, 1280, 1024),
                                      Scripted::monitor(2, 1280, 0, 1280, 1024)});
        platform->functionsMissing = missing;
        platform->lookupsFail = !missing;
        const CLSmonitors list(platform);
        QVERIFY(!platform->probes.empty());
        QCOMPARE(list.Monitors().count(), 0);
    }
}

void TestClsMonitors::withoutMultiMonitorSupportOneRecordDescribesTheScreen()
{
    auto platform = platformWith({Scripted::monitor(1, 0, 0, 1280, 1024),
                                  Scripted::monitor(2, -1280, 0, 1280, 1024)});
    platform->monitorCount = 0;
    platform->screenMetrics = {800 * 15, 600 * 15, 15, 15};
    CLSmonitors list(platform);
    list.Refresh();

    QVERIFY(platform->probes.empty());
    QCOMPARE(list.DesktopLeft(), 0);
    QCOMPARE(list.DesktopTop(), 0);
    QCOMPARE(list.DesktopWidth(), 800);
    QCOMPARE(list.DesktopHeight(), 600);
    QCOMPARE(list.Monitors().keys(), QStringList{"0"});
    const auto m = list.Monitors().at(0);
    QCOMPARE(m->Handle, 0);
    QCOMPARE(m->Left, 0);
    QCOMPARE(m->Top, 0);
    QCOMPARE(m->Right, 800);
    QCOMPARE(m->Bottom, 600);
    QCOMPARE(m->WorkRight, 800);
    QCOMPARE(m->WorkBottom, 600);
    QCOMPARE(m->Width, 800);
    QCOMPARE(m->Height, 600);
    // The single screen is the primary one: no board monitor to choose.
    QCOMPARE(list.secondaryMonitorIndex(), -1);
}

void TestClsMonitors::theScreenSizeFallbackRoundsTwipsAndTruncatesPixels_data()
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

void TestClsMonitors::theScreenSizeFallbackRoundsTwipsAndTruncatesPixels()
{
    QFETCH(double, twips);
    QFETCH(double, twipsPerPixel);
    QFETCH(qint32, pixels);

    auto platform = std::make_shared<Scripted>();
    platform->monitorCount = 0;
    platform->screenMetrics = {twips, twips, twipsPerPixel, twipsPerPixel};
    const CLSmonitors list(platform);
    QCOMPARE(list.DesktopWidth(), pixels);
    QCOMPARE(list.DesktopHeight(), pixels);
    QCOMPARE(list.Monitors().at(0)->Width, pixels);
}

void TestClsMonitors::aPointOnNoMonitorGivesNothingOrThePrimaryAsTheFlagSays()
{
    const CLSmonitors list(platformWith({Scripted::monitor(7, -1280, 0, 1280, 1024),
                                         Scripted::monitor(5, 0, 0, 1280, 1024)}));
    QCOMPARE(list.GetMonitorFromXYPoint(5000, 5000, MONITOR_DEFAULTTONULL), 0);
    QCOMPARE(list.GetMonitorFromXYPoint(5000, 5000, MONITOR_DEFAULTTOPRIMARY), 5);
    QCOMPARE(list.GetMonitorFromXYPoint(-1, 0, MONITOR_DEFAULTTONULL), 7);
    QCOMPARE(list.GetMonitorFromXYPoint(1279, 1023, MONITOR_DEFAULTTONULL), 5);
    QCOMPARE(list.GetMonitorFromXYPoint(1280, 0, MONITOR_DEFAULTTONULL), 0);
    // The point's rectangle cannot be built at the edge of the coordinates.
    QCOMPARE(list.GetMonitorFromXYPoint(std::numeric_limits<qint32>::max(), 0, 1), -1);

    QWidget window;
    window.setGeometry(-900, 100, 400, 300);
    QCOMPARE(list.GetMonitorFromWindow(&window, MONITOR_DEFAULTTONULL), 7);
    window.move(9000, 100);
    QCOMPARE(list.GetMonitorFromWindow(&window, MONITOR_DEFAULTTONULL), 0);
    QCOMPARE(list.GetMonitorFromWindow(&window, MONITOR_DEFAULTTOPRIMARY), 5);
}

void TestClsMonitors::lookUpsReportAMissingFunctionAsMinusOne()
{
    auto platform = platformWith({Scripted::monitor(1, 0, 0, 1280, 1024)});
    const CLSmonitors list(platform);
    QWidget window;

    platform->functionsMissing = true;
    QCOMPARE(list.GetMonitorFromXYPoint(10, 10, MONITOR_DEFAULTTOPRIMARY), -1);
    QCOMPARE(list.GetMonitorFromWindow(&window, MONITOR_DEFAULTTOPRIMARY), -1);

    platform->functionsMissing = false;
    platform->lookupsFail = true;
    QCOMPARE(list.GetMonitorFromXYPoint(10, 10, MONITOR_DEFAULTTOPRIMARY), -1);
    QCOMPARE(list.GetMonitorFromWindow(&window, MONITOR_DEFAULTTOPRIMARY), 0);
}

void TestClsMonitors::theBoardMonitorIsTheFirstThatIsNotPrimary_data()
{
    QTest::addColumn<std::vector<Scripted::Monitor>>("monitors");
    QTest::addColumn<int>("index");
    QTest::addColumn<qint32>("handle");

    const auto primary = Scripted::monitor(1, 0, 0, 1280, 1024);
    QTest::newRow("alone") << std::vector{primary} << -1 << 0;
    QTest::newRow("right") << std::vector{primary, Scripted::monitor(2, 1280, 0, 1280, 1024)} << 1 << 2;
    QTest::newRow("left") << std::vector{primary, Scripted::monitor(2, -1280, 0, 1280, 1024)} << 0 << 2;
    QTest::newRow("above") << std::vector{primary, Scripted::monitor(2, 0, -1024, 1280, 1024)} << 0 << 2;
    QTest::newRow("below") << std::vector{primary, Scripted::monitor(2, 0, 1024, 1280, 1024)} << 1 << 2;
    QTest::newRow("above, offset left")
        << std::vector{primary, Scripted::monitor(2, -1500, -1024, 1280, 1024)} << 0 << 2;
    QTest::newRow("three") << std::vector{Scripted::monitor(3, -1280, 0, 1280, 1024), primary,
                                          Scripted::monitor(2, 1280, 0, 1280, 1024)}
                           << 0 << 3;
}

void TestClsMonitors::theBoardMonitorIsTheFirstThatIsNotPrimary()
{
    QFETCH(std::vector<Scripted::Monitor>, monitors);
    QFETCH(int, index);
    QFETCH(qint32, handle);

    const CLSmonitors list(platformWith(monitors));
    QCOMPARE(list.secondaryMonitorIndex(), index);
    if (index >= 0)
        QCOMPARE(list.Monitors().at(index)->Handle, handle);
}

void TestClsMonitors::centringWithoutReferenceUsesThePrimaryWorkArea()
{
    auto platform = platformWith({Scripted::monitor(1, 0, 0, 1280, 1024, 40),
                                  Scripted::monitor(2, 1280, 0, 1280, 1024)});
    platform->origin = QPoint(100, 50); // where Qt has the primary's corner
    const CLSmonitors list(platform);
    QWidget form;
    form.resize(641, 480);

    QVERIFY(list.CenterFormOnMonitor(form));
    // (19200 - 9615) \ 2 = 4792 twips = 319.47 px; (14760 - 7200) \ 2 = 3780 = 252 px.
    QCOMPARE(form.pos(), QPoint(100 + 319, 50 + 252));
    QCOMPARE(form.size(), QSize(641, 480));
}

void TestClsMonitors::centringFollowsTheReferenceWindowsMonitor()
{
    auto platform = platformWith({Scripted::monitor(1, 0, 0, 1280, 1024),
                                  Scripted::monitor(2, -1024, -768, 1024, 768, 48)});
    platform->screenMetrics.TwipsPerPixelX = 12;
    platform->screenMetrics.TwipsPerPixelY = 12;
    const CLSmonitors list(platform);
    QWidget reference;
    reference.setGeometry(-800, -600, 300, 200);
    QWidget form;
    form.resize(400, 300);

    QVERIFY(list.CenterFormOnMonitor(form, &reference));
    // Offsets from the monitor's corner, sizes from its work area (720 high).
    QCOMPARE(form.pos(), QPoint(-1024 + 312, -768 + 210));
}

void TestClsMonitors::centringWithAMissingFunctionCentresOnTheScreen()
{
    auto platform = platformWith({Scripted::monitor(1, -1280, 0, 1280, 1024)});
    platform->screenMetrics = {1024 * 15, 768 * 15, 15, 15};
    const CLSmonitors list(platform);
    platform->functionsMissing = true;
    QWidget reference;
    QWidget form;
    form.resize(401, 300);

    QVERIFY(list.CenterFormOnMonitor(form, &reference));
    // (15360 - 6015) \ 2 = 4672 twips = 311.47 px.
    QCOMPARE(form.pos(), QPoint(311, 234));
    form.move(0, 0);
    QVERIFY(list.CenterFormOnMonitor(form));
    QCOMPARE(form.pos(), QPoint(311, 234));
}

void TestClsMonitors::centringStaysPutWhenTheInfoQueryFails()
{
    auto primary = Scripted::monitor(1, 0, 0, 1280, 1024);
    primary.infoFails = true;
    const CLSmonitors list(platformWith({primary}));
    QWidget form;
    form.setGeometry(7, 9, 400, 300);

    QVERIFY(!list.CenterFormOnMonitor(form));
    QCOMPARE(form.pos(), QPoint(7, 9));
}

QTEST_MAIN(TestClsMonitors)
#include "tst_cls_monitors.moc"
