#include "board_timing.h"

#include "figures.h"
#include "game_state.h"
#include "main_form.h"
#include "dialogs.h"
#include "start_sound.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPaintEvent>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <cstdio>

namespace bench {

namespace {

// No case here opens a dialog; should one come, it is answered with No.
class SilentDialogs final : public Dialogs
{
public:
    void message(const QString &) override {}
    std::optional<QString> input(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    bool ask(const QString &) override { return false; }
};

class SilentSound final : public StartSound
{
public:
    void play() override {}
};

// Counts the paint events of a stretch of work and the area they cover, to
// show what a tick repaints.
class PaintCounter final : public QObject
{
public:
    int paints = 0;
    qint64 area = 0;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            ++paints;
            for (const QRect &r : static_cast<QPaintEvent *>(event)->region())
                area += qint64(r.width()) * r.height();
        }
        return QObject::eventFilter(watched, event);
    }
};

// Lets Qt deliver and paint whatever the last step invalidated: the
// window's update request is a posted event.
void drain()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
}

void settle(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    drain();
}

constexpr int Teams = 8;

// Scores spread over the track and points that make every bar and caption
// move on each tick.
void prepareRound(Module1 &state)
{
    for (int i = 0; i < Teams; ++i) {
        state.Team_Score.set(i, 30 * i + 20);
        state.Add_Score.set(i, 15 * i + 60);
    }
}

QTimer *boardTimer(MainForm &board, const char *name)
{
    return board.findChild<QTimer *>(QString::fromLatin1(name));
}

} // namespace

int runBoardTiming(int rounds)
{
    Module1 state;
    state.Max_Score = 500;
    state.Team_Count = Teams;
    for (int i = 0; i < Teams; ++i)
        state.Team_Name.set(i, QStringLiteral("%1모둠").arg(i + 1));
    prepareRound(state);

    SilentDialogs dialogs;
    SilentSound sound;
    MainForm board(state, dialogs, sound);
    board.show();
    settle(300);
    board.Set_Init();
    settle(100);

    const QScreen *screen = board.screen();
    report(QStringLiteral("window"), QStringLiteral("%1x%2").arg(board.width()).arg(board.height()));
    report(QStringLiteral("dpr"), board.devicePixelRatioF());
    if (screen)
        report(QStringLiteral("screen"), QStringLiteral("%1x%2").arg(screen->size().width())
                                              .arg(screen->size().height()));

    QTimer *timer1 = boardTimer(board, "Timer1");
    QTimer *timer2 = boardTimer(board, "Timer2");
    if (!timer1 || !timer2) {
        std::fprintf(stderr, "the board has no Timer1/Timer2\n");
        return 1;
    }

    QElapsedTimer clock;
    // One round to warm caches and glyphs, with the paint counter on.
    {
        PaintCounter counter;
        qApp->installEventFilter(&counter);
        prepareRound(state);
        board.Display_Score();
        settle(20);
        counter.paints = 0;
        counter.area = 0;
        board.Command1_Click();
        timer1->stop();
        for (int t = 0; t < board::Animation_Ticks; ++t) {
            board.Timer1_Timer();
            drain();
        }
        report(QStringLiteral("timer1.paints_per_tick"), double(counter.paints) / board::Animation_Ticks);
        report(QStringLiteral("timer1.area_per_tick"), double(counter.area) / board::Animation_Ticks);
        board.Timer1_Timer();
        drain();
        qApp->removeEventFilter(&counter);
    }

    Samples tick;
    Samples lastTick;
    for (int r = 0; r < rounds; ++r) {
        prepareRound(state);
        board.Display_Score();
        settle(20);
        board.Command1_Click();
        timer1->stop();
        for (int t = 0; t <= board::Animation_Ticks; ++t) {
            clock.start();
            board.Timer1_Timer();
            drain();
            (t < board::Animation_Ticks ? tick : lastTick).add(clock.nsecsElapsed());
        }
    }
    report(QStringLiteral("timer1"), tick);
    report(QStringLiteral("timer1_last"), lastTick);

    Samples highlight;
    for (int r = 0; r < rounds; ++r) {
        board.Command4_Click();
        timer2->stop();
        for (int t = 0; t <= board::Highlight_Ticks; ++t) {
            clock.start();
            board.Timer2_Timer();
            drain();
            highlight.add(clock.nsecsElapsed());
        }
    }
    report(QStringLiteral("timer2"), highlight);

    // The layout alone, then a real resize with the repaint it causes.
    Samples layout;
    for (int i = 0; i < 50; ++i) {
        clock.start();
        board.Form_Resize();
        layout.add(clock.nsecsElapsed());
        drain();
    }
    report(QStringLiteral("layout"), layout);

    const QSize full = board.size();
    const QSize smaller = full - QSize(full.width() / 5, full.height() / 5);
    Samples resize;
    for (int i = 0; i < 20; ++i) {
        board.resize(smaller);
        drain();
        clock.start();
        board.resize(full);
        drain();
        resize.add(clock.nsecsElapsed());
    }
    report(QStringLiteral("resize"), resize);
    return 0;
}

} // namespace bench
