#include "board_monitor.h"
#include "board_placement.h"
#include "monitor_list.h"
#include "monitor_record.h"
#include "qt_monitor_platform.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

// Runs once per screen layout file; the file's name says which layout the
// offscreen platform was given. The primary screen is called "primary", the
// one the board belongs on "projector".

namespace {

struct Layout
{
    QStringList order;     // screen names in monitors() order
    QList<qint32> desktop; // left, top, width, height
    QString boardScreen;   // where a board placed by placeOnBoardMonitor ends up
};

QString layoutName()
{
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    const qsizetype at = platform.indexOf(QLatin1String("configfile="));
    if (at < 0)
        return {};
    return QFileInfo(platform.mid(at + 11).section(u':', 0, 0)).baseName();
}

std::optional<Layout> expectedLayout()
{
    const QHash<QString, Layout> layouts{
        {"one", {{"primary"}, {0, 0, 1024, 768}, "primary"}},
        {"two_right", {{"primary", "projector"}, {0, 0, 2560, 1024}, "projector"}},
        {"two_left", {{"projector", "primary"}, {-1280, 0, 2560, 1024}, "projector"}},
        {"above", {{"projector", "primary"}, {0, -1024, 1280, 2048}, "projector"}},
        {"below", {{"primary", "projector"}, {0, 0, 1280, 2048}, "projector"}},
        {"three", {{"projector", "primary", "side"}, {-1280, 0, 4224, 1080}, "projector"}},
        {"primary_not_at_origin", {{"projector", "primary"}, {-1280, 0, 2560, 1024}, "projector"}},
    };
    const auto found = layouts.constFind(layoutName());
    if (found == layouts.cend())
        return std::nullopt;
    return *found;
}

QScreen *screenNamed(const QString &name)
{
    for (QScreen *screen : QGuiApplication::screens()) {
        if (screen->name() == name)
            return screen;
    }
    return nullptr;
}

// What the setup window records for the board: the first monitor that is not
// the primary one, or with a single monitor a count of 1.
BoardMonitor recordedBoardMonitor(const MonitorList &list)
{
    BoardMonitor monitor;
    monitor.monitorCount = list.monitors().count();
    monitor.useMonitor = true;
    if (const MonitorRecord *board = list.monitors().at(list.secondaryMonitorIndex())) {
        monitor.left = board->left;
        monitor.top = board->top;
        monitor.width = board->width;
        monitor.height = board->height;
    }
    return monitor;
}

enum class MaximizedOrder { ShownAfterPlacing, MarkedAfterPlacing };

// The board's own settings: its design size, centred on the primary screen.
constexpr QSize Board_Size(1024, 766);

void placeAsItsOwnSettingsDo(QWidget &board)
{
    board.resize(Board_Size);
    const QRect primary = QGuiApplication::primaryScreen()->availableGeometry();
    board.move(primary.center() - QPoint(Board_Size.width() / 2, Board_Size.height() / 2));
}

} // namespace

class TestQtMonitorPlatform : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void monitorsAreTheScreensInProbeOrder();
    void theDesktopSpansAllScreensFromThePrimaryCorner();
    void handlesStayTheSameForTheWholeRun();
    void lookUpsFindTheScreenUnderAPoint();
    void aMaximizedBoardLandsOnTheProjector_data();
    void aMaximizedBoardLandsOnTheProjector();
    void withoutTheMonitorSettingTheBoardStaysWhereItsSettingsPutIt();

private:
    Layout m_layout;
};

void TestQtMonitorPlatform::initTestCase()
{
    const auto layout = expectedLayout();
    if (!layout)
        QSKIP("Run with QT_QPA_PLATFORM=offscreen:configfile=<one of tests/monitors/layouts>");
    m_layout = *layout;
    QCOMPARE(QGuiApplication::screens().size(), m_layout.order.size());
    QCOMPARE(QGuiApplication::primaryScreen()->name(), QStringLiteral("primary"));
}

void TestQtMonitorPlatform::monitorsAreTheScreensInProbeOrder()
{
    const MonitorList list;
    const QPoint origin = QGuiApplication::primaryScreen()->geometry().topLeft();
    QStringList order;
    for (const MonitorRecord &m : list.monitors()) {
        QScreen *screen = QtMonitorPlatform::screenOf(m.handle);
        QVERIFY(screen);
        order.append(screen->name());
        const QRect expected = screen->geometry().translated(-origin);
        QCOMPARE(QRect(m.left, m.top, m.width, m.height), expected);
        QCOMPARE(m.right, expected.left() + expected.width());
        QCOMPARE(m.bottom, expected.top() + expected.height());
        const QRect work = screen->availableGeometry().translated(-origin);
        QCOMPARE(QRect(QPoint(m.workLeft, m.workTop), QPoint(m.workRight - 1, m.workBottom - 1)),
                 work);
        QCOMPARE(list.monitors().value(QString::number(m.handle)), &m);
    }
    QCOMPARE(order, m_layout.order);
}

void TestQtMonitorPlatform::theDesktopSpansAllScreensFromThePrimaryCorner()
{
    const MonitorList list;
    QCOMPARE((QList<qint32>{list.desktopLeft(), list.desktopTop(), list.desktopWidth(),
                            list.desktopHeight()}),
             m_layout.desktop);
}

void TestQtMonitorPlatform::handlesStayTheSameForTheWholeRun()
{
    MonitorList first;
    const MonitorList second;
    first.refresh();
    QCOMPARE(first.monitors().keys(), second.monitors().keys());
    QSet<qint32> handles;
    for (const MonitorRecord &m : second.monitors()) {
        QVERIFY(m.handle != 0 && m.handle != -1);
        handles.insert(m.handle);
    }
    QCOMPARE(handles.size(), m_layout.order.size());
}

void TestQtMonitorPlatform::lookUpsFindTheScreenUnderAPoint()
{
    const MonitorList list;
    const QPoint origin = QGuiApplication::primaryScreen()->geometry().topLeft();
    for (QScreen *screen : QGuiApplication::screens()) {
        const QPoint centre = screen->geometry().center() - origin;
        QCOMPARE(list.monitorAt(centre.x(), centre.y(), MONITOR_DEFAULTTONULL),
                 QtMonitorPlatform::handleOf(screen));
    }
    const qint32 primary = QtMonitorPlatform::handleOf(QGuiApplication::primaryScreen());
    QCOMPARE(list.monitorAt(0, 0, MONITOR_DEFAULTTONULL), primary);
    QCOMPARE(list.monitorAt(-20000, -20000, MONITOR_DEFAULTTONULL), 0);
    QCOMPARE(list.monitorAt(-20000, -20000, MONITOR_DEFAULTTOPRIMARY), primary);
}

void TestQtMonitorPlatform::aMaximizedBoardLandsOnTheProjector_data()
{
    QTest::addColumn<int>("order");
    QTest::newRow("placed, then shown maximized") << int(MaximizedOrder::ShownAfterPlacing);
    QTest::newRow("placed, marked maximized, shown") << int(MaximizedOrder::MarkedAfterPlacing);
}

void TestQtMonitorPlatform::aMaximizedBoardLandsOnTheProjector()
{
    QFETCH(int, order);
    MonitorList list;
    list.refresh();
    const BoardMonitor monitor = recordedBoardMonitor(list);
    QScreen *target = screenNamed(m_layout.boardScreen);
    QVERIFY(target);

    QWidget board;
    board.setWindowTitle(QStringLiteral("board"));
    placeAsItsOwnSettingsDo(board);
    placeOnBoardMonitor(monitor, board);
    const QRect placed = board.normalGeometry();
    QVERIFY(target->geometry().contains(placed.center()));
    QCOMPARE(placed.size(), Board_Size);

    if (order == int(MaximizedOrder::ShownAfterPlacing))
        board.showMaximized();
    else if (order == int(MaximizedOrder::MarkedAfterPlacing))
        board.setWindowState(Qt::WindowMaximized);
    board.show();
    QVERIFY(QTest::qWaitForWindowExposed(&board));
    QVERIFY(board.isMaximized());
    QCOMPARE(board.screen(), target);
    QCOMPARE(board.windowHandle()->screen(), target);
    QVERIFY(target->geometry().contains(board.frameGeometry().center()));
    QVERIFY(board.width() > target->geometry().width() * 9 / 10);
    QCOMPARE(board.normalGeometry().topLeft(), placed.topLeft());
}

void TestQtMonitorPlatform::withoutTheMonitorSettingTheBoardStaysWhereItsSettingsPutIt()
{
    const MonitorList list;
    BoardMonitor monitor = recordedBoardMonitor(list);
    monitor.useMonitor = false;

    QWidget board;
    placeAsItsOwnSettingsDo(board);
    const QPoint own = board.pos();
    placeOnBoardMonitor(monitor, board);
    board.showMaximized();
    QVERIFY(QTest::qWaitForWindowExposed(&board));
    QCOMPARE(board.screen(), QGuiApplication::primaryScreen());
    QCOMPARE(board.normalGeometry().topLeft(), own);
}

QTEST_MAIN(TestQtMonitorPlatform)
#include "tst_qt_monitor_platform.moc"
