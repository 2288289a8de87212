#include "board_monitor.h"
#include "board_placement.h"
#include "scripted_monitor_platform.h"

#include <QTest>
#include <QWidget>

namespace {

BoardMonitor boardMonitor(qint32 count, qint32 left, qint32 top, qint32 width, qint32 height)
{
    return {true, count, left, top, width, height};
}

ScreenMetrics screenOf(const QSize &pixels)
{
    return {pixels.width() * 15.0, pixels.height() * 15.0, 15, 15};
}

} // namespace

class TestBoardPlacement : public QObject
{
    Q_OBJECT

private slots:
    void theBoardIsCentredOnTheChosenMonitor_data();
    void theBoardIsCentredOnTheChosenMonitor();
    void placingMovesTheWindowWithoutResizingIt_data();
    void placingMovesTheWindowWithoutResizingIt();
    void aMonitorNotInUseLeavesTheWindowWhereItIs();
};

void TestBoardPlacement::theBoardIsCentredOnTheChosenMonitor_data()
{
    QTest::addColumn<BoardMonitor>("monitor");
    QTest::addColumn<QSizeF>("window");
    QTest::addColumn<QSizeF>("screen");
    QTest::addColumn<QPointF>("position");

    const QSizeF window(640, 480); // 9600 x 7200 twips
    const QSizeF screen(1280, 1024);
    // 24000 / 4080 twips.
    QTest::newRow("right of the primary") << boardMonitor(2, 1280, 0, 1280, 1024) << window << screen
                                          << QPointF(1600, 272);
    // -14400 twips: on the left monitor.
    QTest::newRow("left of the primary") << boardMonitor(2, -1280, 0, 1280, 1024) << window << screen
                                         << QPointF(-960, 272);
    QTest::newRow("above the primary") << boardMonitor(2, 0, -1024, 1280, 1024) << window << screen
                                       << QPointF(320, -752);
    QTest::newRow("below the primary") << boardMonitor(2, 0, 1024, 1280, 1024) << window << screen
                                       << QPointF(320, 1296);
    QTest::newRow("above, offset left") << boardMonitor(3, -300, -768, 1024, 768) << window << screen
                                        << QPointF(-108, -624);
    QTest::newRow("one monitor: the screen, whatever is recorded")
        << boardMonitor(1, 1280, 500, 1920, 1080) << window << QSizeF(1024, 768) << QPointF(192, 144);
    // Rather than half off the top-left corner of the desktop.
    QTest::newRow("no monitor recorded: the screen")
        << boardMonitor(0, 0, 0, 0, 0) << window << QSizeF(1024, 768) << QPointF(192, 144);
    QTest::newRow("wider than the monitor: not clamped")
        << boardMonitor(2, 1280, 0, 1280, 1024) << QSizeF(1600, 1200) << screen << QPointF(1120, -88);
    QTest::newRow("fractions kept") << boardMonitor(2, 1280, 0, 1280, 1024) << QSizeF(641, 481)
                                    << screen << QPointF(1599.5, 271.5);
}

void TestBoardPlacement::theBoardIsCentredOnTheChosenMonitor()
{
    QFETCH(BoardMonitor, monitor);
    QFETCH(QSizeF, window);
    QFETCH(QSizeF, screen);
    QFETCH(QPointF, position);

    QCOMPARE(boardPosition(monitor, window, screen), position);
}

void TestBoardPlacement::placingMovesTheWindowWithoutResizingIt_data()
{
    QTest::addColumn<BoardMonitor>("monitor");
    QTest::addColumn<QPoint>("origin"); // where Qt has the primary screen's corner
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QPoint>("position");

    const QSize screen(1280, 1024);
    const QSize window(640, 480);
    QTest::newRow("right of the primary") << boardMonitor(2, 1280, 0, 1280, 1024) << QPoint()
                                          << screen << window << QPoint(1600, 272);
    QTest::newRow("one monitor: the screen") << boardMonitor(1, 1280, 0, 1280, 1024) << QPoint()
                                             << screen << window << QPoint(320, 272);
    // 1599.5 and 270.5
    QTest::newRow("half pixels round to the even pixel")
        << boardMonitor(2, 1280, 0, 1280, 1024) << QPoint() << QSize(1024, 768) << QSize(641, 483)
        << QPoint(1600, 270);
    // The second screen left of the primary, which Qt has at (1280, 0).
    QTest::newRow("left monitor, from the desktop origin")
        << boardMonitor(2, -1280, 0, 1280, 1024) << QPoint(1280, 0) << screen << window
        << QPoint(320, 272);
    QTest::newRow("the screen, from the desktop origin")
        << boardMonitor(1, 0, 0, 0, 0) << QPoint(1280, 0) << screen << window
        << QPoint(1280 + 320, 272);
}

void TestBoardPlacement::placingMovesTheWindowWithoutResizingIt()
{
    QFETCH(BoardMonitor, monitor);
    QFETCH(QPoint, origin);
    QFETCH(QSize, screen);
    QFETCH(QSize, window);
    QFETCH(QPoint, position);

    ScriptedMonitorPlatform platform;
    platform.origin = origin;
    platform.screenMetrics = screenOf(screen);
    QWidget board;
    board.setGeometry(QRect(QPoint(10, 10), window));

    placeOnBoardMonitor(monitor, board, platform);
    QCOMPARE(board.pos(), position);
    QCOMPARE(board.size(), window);
}

void TestBoardPlacement::aMonitorNotInUseLeavesTheWindowWhereItIs()
{
    ScriptedMonitorPlatform platform;
    BoardMonitor monitor = boardMonitor(2, 1280, 0, 1280, 1024);
    monitor.useMonitor = false;
    QWidget board;
    board.setGeometry(10, 10, 640, 480);

    placeOnBoardMonitor(monitor, board, platform);
    QCOMPARE(board.geometry(), QRect(10, 10, 640, 480));
}

QTEST_MAIN(TestBoardPlacement)
#include "tst_board_placement.moc"
