#include "placement.h"

#include "game_state.h"
#include "scripted_monitor_platform.h"

#include <QTest>
#include <QWidget>

namespace {

Module1 stateFor(qint32 count, qint32 left, qint32 top, qint32 width, qint32 height)
{
    Module1 state;
    state.Use_Monitor = true;
    state.Mon_Count = count;
    state.Mon_Left = left;
    state.Mon_Top = top;
    state.Mon_Width = width;
    state.Mon_Height = height;
    return state;
}

} // namespace

class TestPlacement : public QObject
{
    Q_OBJECT

private slots:
    void theBoardIsCentredOnTheChosenMonitor_data();
    void theBoardIsCentredOnTheChosenMonitor();
    void setFormPosMovesTheWindowWithoutResizingIt();
    void halfPixelsRoundToTheEvenPixel();
    void positionsAreTakenFromTheDesktopOrigin();
};

void TestPlacement::theBoardIsCentredOnTheChosenMonitor_data()
{
    QTest::addColumn<Module1>("state");
    QTest::addColumn<QSizeF>("window");
    QTest::addColumn<QSizeF>("screen");
    QTest::addColumn<QPointF>("position");

    const QSizeF window(640, 480); // 9600 x 7200 twips
    const QSizeF screen(1280, 1024);
    // 24000 / 4080 twips.
    QTest::newRow("right of the primary") << stateFor(2, 1280, 0, 1280, 1024) << window << screen
                                          << QPointF(1600, 272);
    // -14400 twips: on the left monitor.
    QTest::newRow("left of the primary") << stateFor(2, -1280, 0, 1280, 1024) << window << screen
                                         << QPointF(-960, 272);
    QTest::newRow("above the primary") << stateFor(2, 0, -1024, 1280, 1024) << window << screen
                                       << QPointF(320, -752);
    QTest::newRow("below the primary") << stateFor(2, 0, 1024, 1280, 1024) << window << screen
                                       << QPointF(320, 1296);
    QTest::newRow("above, offset left") << stateFor(3, -300, -768, 1024, 768) << window << screen
                                        << QPointF(-108, -624);
    QTest::newRow("one monitor: the screen, whatever is recorded")
        << stateFor(1, 1280, 500, 1920, 1080) << window << QSizeF(1024, 768) << QPointF(192, 144);
    // Rather than half off the top-left corner of the desktop.
    QTest::newRow("no monitor recorded: the screen")
        << stateFor(0, 0, 0, 0, 0) << window << QSizeF(1024, 768) << QPointF(192, 144);
    QTest::newRow("wider than the monitor: not clamped")
        << stateFor(2, 1280, 0, 1280, 1024) << QSizeF(1600, 1200) << screen << QPointF(1120, -88);
    QTest::newRow("fractions kept") << stateFor(2, 1280, 0, 1280, 1024) << QSizeF(641, 481)
                                    << screen << QPointF(1599.5, 271.5);
}

void TestPlacement::theBoardIsCentredOnTheChosenMonitor()
{
    QFETCH(Module1, state);
    QFETCH(QSizeF, window);
    QFETCH(QSizeF, screen);
    QFETCH(QPointF, position);

    QCOMPARE(boardPosition(state, window, screen), position);
}

void TestPlacement::setFormPosMovesTheWindowWithoutResizingIt()
{
    ScriptedMonitorPlatform platform;
    platform.screenMetrics = {1280 * 15, 1024 * 15, 15, 15};
    QWidget window;
    window.setGeometry(10, 10, 640, 480);

    Set_Form_Pos(stateFor(2, 1280, 0, 1280, 1024), window, platform);
    QCOMPARE(window.pos(), QPoint(1600, 272));
    QCOMPARE(window.size(), QSize(640, 480));

    Set_Form_Pos(stateFor(1, 1280, 0, 1280, 1024), window, platform);
    QCOMPARE(window.pos(), QPoint(320, 272));
}

void TestPlacement::halfPixelsRoundToTheEvenPixel()
{
    ScriptedMonitorPlatform platform;
    QWidget window;
    window.resize(641, 483);
    Set_Form_Pos(stateFor(2, 1280, 0, 1280, 1024), window, platform);
    // 1599.5 and 270.5
    QCOMPARE(window.pos(), QPoint(1600, 270));
}

void TestPlacement::positionsAreTakenFromTheDesktopOrigin()
{
    // Qt has the primary screen's corner at (1280, 0), the second screen left of it.
    ScriptedMonitorPlatform platform;
    platform.origin = QPoint(1280, 0);
    platform.screenMetrics = {1280 * 15, 1024 * 15, 15, 15};
    QWidget window;
    window.resize(640, 480);

    Set_Form_Pos(stateFor(2, -1280, 0, 1280, 1024), window, platform);
    QCOMPARE(window.pos(), QPoint(320, 272));
    Set_Form_Pos(stateFor(1, 0, 0, 0, 0), window, platform);
    QCOMPARE(window.pos(), QPoint(1280 + 320, 272));
}

QTEST_MAIN(TestPlacement)
#include "tst_placement.moc"
