#include "floor_run.h"

#include "bare_bars_window.h"
#include "bar_scale.h"
#include "board_layout.h"
#include "board_timing.h"
#include "figures.h"
#include "first_paint_watch.h"
#include "game_engine.h"

#include <QApplication>
#include <QElapsedTimer>

namespace bench {

namespace {

// The bars start and grow as the board's in its timed rounds: the same
// strips are repainted.
void runTicks(BareBarsWindow &window, int rounds)
{
    const double scale = scoreScale(window.width(), GameEngine::NewGameMaxScore).value_or(1.0);
    const auto playRound = [&](Samples *samples) {
        for (int i = 0; i < TimedTeams; ++i)
            window.setBarLength(i, float(scale * timedRoundScore(i)));
        settle(20);
        QElapsedTimer clock;
        for (int t = 0; t < GameEngine::RaceTicks; ++t) {
            clock.start();
            for (int i = 0; i < TimedTeams; ++i)
                window.setBarLength(i, window.barLength(i)
                                           + float(scale * timedRoundPoints(i) / GameEngine::RaceTicks));
            drain();
            if (samples)
                samples->add(clock.nsecsElapsed());
        }
    };
    playRound(nullptr); // warms caches, as the board's first round does
    Samples tick;
    for (int r = 0; r < rounds; ++r)
        playRound(&tick);
    report(QStringLiteral("race"), tick);
}

} // namespace

int runFloor(const FloorRunOptions &options)
{
    report(QStringLiteral("main_ns"), double(options.mainEnteredNs));
    report(QStringLiteral("app_ns"), double(monotonicNs()));
    BareBarsWindow window;
    bool painted = false;
    FirstPaintWatch watch;
    watch.watch("BareBarsWindow", [&](QWidget *, qint64 ns) {
        report(QStringLiteral("first_paint_ns"), double(ns));
        painted = true;
    });
    qApp->installEventFilter(&watch);
    // As the board: its design size, then maximized.
    window.resize(BoardLayout::DesignWidth, BoardLayout::DesignHeight);
    window.setWindowState(Qt::WindowMaximized);
    window.show();
    report(QStringLiteral("shown_ns"), double(monotonicNs()));
    while (!painted)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    qApp->removeEventFilter(&watch);

    settle(300);
    report(QStringLiteral("peak_rss_kib"), double(peakResidentKiB()));
    const MemoryUse use = memoryUse();
    report(QStringLiteral("private_kib"), double(use.privateKiB));
    report(QStringLiteral("file_kib"), double(use.fileKiB));
    report(QStringLiteral("window"), QStringLiteral("%1x%2").arg(window.width()).arg(window.height()));
    if (!options.startupOnly)
        runTicks(window, options.rounds);
    return 0;
}

} // namespace bench
