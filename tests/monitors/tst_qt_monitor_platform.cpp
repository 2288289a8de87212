#include "cls_monitors.h"
#include "clsmonitor.h"
#include "game_state.h"
#include "placement.h"
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
    QStringList order;           // screen names in Monitors order
    QList<qint32> desktop;       // left, top, width, height
    QString boardScreen;         // where a board placed by Set_Form_Pos ends up
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
Module1 recordedState(CLSmonitors &list)
{
    Module1 state;
    state.Mon_Count = list.Monitors().count();
    state.Use_Monitor = true;
    if (const auto board = list.Monitors().at(list.secondaryMonitorIndex())) {
        state.Mon_Left = board->Left;
        state.Mon_Top = board->Top;
        state.Mon_Width = board->Width;
        state.Mon_Height = board->Height;
    }
    return state;
}

enum class MaximizedOrder { ShownAfterPlacing, MarkedAfterPlacing, MarkedBeforePlacing };

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
    void lookUpsFindTheScreenUnderAPointOrAWindow();
    void aMaximizedBoardLandsOnTheProjector_data();
    void aMaximizedBoardLandsOnTheProjector();
    void withoutTheMonitorSettingTheBoardStaysWhereItsSettingsPutIt();
    void centringFollowsAReferenceWindowOnAnotherScreen();

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
    const CLSmonitors list;
    const QPoint origin = QGuiApplication::primaryScreen()->geometry().topLeft();
    QStringList order;
    for (const auto &m : list.Monitors()) {
        QScreen *screen = QtMonitorPlatform::screenOf(m->Handle);
        QVERIFY(screen);
        order.append(screen->name());
        const QRect expected = screen->geometry().translated(-origin);
        QCOMPARE(QRect(m->Left, m->Top, m->Width, m->Height), expected);
        QCOMPARE(m->Right, expected.left() + expected.width());
        QCOMPARE(m->Bottom, expected.top() + expected.height());
        const QRect work = screen->availableGeometry().translated(-origin);
        QCOMPARE(QRect(QPoint(m->WorkLeft, m->WorkTop), QPoint(m->WorkRight - 1, m->WorkBottom - 1)),
                 work);
        QCOMPARE(list.Monitors().value(QString::number(m->Handle)), m);
    }
    QCOMPARE(order, m_layout.order);
}

void TestQtMonitorPlatform::theDesktopSpansAllScreensFromThePrimaryCorner()
{
    const CLSmonitors list;
    QCOMPARE((QList<qint32>{list.DesktopLeft(), list.DesktopTop(), list.DesktopWidth(),
                            list.DesktopHeight()}),
             m_layout.desktop);
}

void TestQtMonitorPlatform::handlesStayTheSameForTheWholeRun()
{
    CLSmonitors first;
    const CLSmonitors second;
    first.Refresh();
    QCOMPARE(first.Monitors().keys(), second.Monitors().keys());
    QSet<qint32> handles;
    for (const auto &m : second.Monitors()) {
        QVERIFY(m->Handle != 0 && m->Handle != -1);
        handles.insert(m->Handle);
    }
    QCOMPARE(handles.size(), m_layout.order.size());
}

void TestQtMonitorPlatform::lookUpsFindTheScreenUnderAPointOrAWindow()
{
    const CLSmonitors list;
    const QPoint origin = QGuiApplication::primaryScreen()->geometry().topLeft();
    for (QScreen *screen : QGuiApplication::screens()) {
        const QPoint centre = screen->geometry().center() - origin;
        QCOMPARE(list.GetMonitorFromXYPoint(centre.x(), centre.y(), MONITOR_DEFAULTTONULL),
                 QtMonitorPlatform::handleOf(screen));

        QWidget window;
        window.setGeometry(QRect(QPoint(), QSize(300, 200)).translated(screen->geometry().topLeft()
                                                                      + QPoint(50, 50)));
        QCOMPARE(list.GetMonitorFromWindow(&window, MONITOR_DEFAULTTONULL),
                 QtMonitorPlatform::handleOf(screen));
    }
    const qint32 primary = QtMonitorPlatform::handleOf(QGuiApplication::primaryScreen());
    QCOMPARE(list.GetMonitorFromXYPoint(0, 0, MONITOR_DEFAULTTONULL), primary);
    QCOMPARE(list.GetMonitorFromXYPoint(-20000, -20000, MONITOR_DEFAULTTONULL), 0);
    QCOMPARE(list.GetMonitorFromXYPoint(-20000, -20000, MONITOR_DEFAULTTOPRIMARY), primary);
    QCOMPARE(list.GetMonitorFromWindow(nullptr, MONITOR_DEFAULTTOPRIMARY), primary);
}

void TestQtMonitorPlatform::aMaximizedBoardLandsOnTheProjector_data()
{
    QTest::addColumn<int>("order");
    QTest::newRow("placed, then shown maximized") << int(MaximizedOrder::ShownAfterPlacing);
    QTest::newRow("placed, marked maximized, shown") << int(MaximizedOrder::MarkedAfterPlacing);
    // Qt works out a hidden window's maximized geometry when the state is set.
    QTest::newRow("marked maximized, placed, shown") << int(MaximizedOrder::MarkedBeforePlacing);
}

void TestQtMonitorPlatform::aMaximizedBoardLandsOnTheProjector()
{
    QFETCH(int, order);
    CLSmonitors list;
    list.Refresh();
    const Module1 state = recordedState(list);
    QScreen *target = screenNamed(m_layout.boardScreen);
    QVERIFY(target);

    QWidget board;
    board.setWindowTitle(QStringLiteral("board"));
    placeAsItsOwnSettingsDo(board);
    if (order == int(MaximizedOrder::MarkedBeforePlacing))
        board.setWindowState(Qt::WindowMaximized);
    Set_Form_Pos(state, board);
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
    CLSmonitors list;
    Module1 state = recordedState(list);
    state.Use_Monitor = false;

    QWidget board;
    placeAsItsOwnSettingsDo(board);
    const QPoint own = board.pos();
    if (state.Use_Monitor)
        Set_Form_Pos(state, board);
    board.showMaximized();
    QVERIFY(QTest::qWaitForWindowExposed(&board));
    QCOMPARE(board.screen(), QGuiApplication::primaryScreen());
    QCOMPARE(board.normalGeometry().topLeft(), own);
}

void TestQtMonitorPlatform::centringFollowsAReferenceWindowOnAnotherScreen()
{
    const CLSmonitors list;
    for (QScreen *screen : QGuiApplication::screens()) {
        QWidget reference;
        reference.setGeometry(screen->geometry().topLeft().x() + 10,
                              screen->geometry().topLeft().y() + 10, 200, 100);
        QWidget form;
        form.resize(400, 300);
        QVERIFY(list.CenterFormOnMonitor(form, &reference));
        const QRect available = screen->availableGeometry();
        const QPoint expected = screen->geometry().topLeft()
            + QPoint((available.width() - 400) / 2, (available.height() - 300) / 2);
        QCOMPARE(form.pos(), expected);
    }
    QWidget form;
    form.resize(400, 300);
    QVERIFY(list.CenterFormOnMonitor(form));
    QCOMPARE(QGuiApplication::screenAt(form.frameGeometry().center()),
             QGuiApplication::primaryScreen());
}

QTEST_MAIN(TestQtMonitorPlatform)
#include "tst_qt_monitor_platform.moc"
