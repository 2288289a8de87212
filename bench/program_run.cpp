#include "program_run.h"

#include "artwork_resources.h"

#include "drawn_frame_watch.h"
#include "figures.h"
#include "first_paint_watch.h"
#include "game_engine.h"
#include "monitor_platform.h"
#include "program.h"
#include "qt_dialogs.h"
#include "qt_start_sound.h"
#include "saved_games_folder.h"
#include "scoreboard_window.h"
#include "setup_window.h"

#include <QApplication>
#include <QIcon>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace bench {

namespace {

constexpr int Teams = 8;
constexpr int RoundTicks = GameEngine::RaceTicks + 1;
// The first team runs the whole track, 0 to just short of the new game's
// maximum (points reaching it would raise it): the bar whose tip moves
// farthest a frame.
constexpr qint32 FullTrackPoints = GameEngine::NewGameMaxScore - 1;

// What the entry point does before the first window.
void prepareApplication()
{
    QApplication::setApplicationName(QStringLiteral("zanto-scoreboard"));
    QApplication::setWindowIcon(Artwork::windowIcon());
}

} // namespace

int runProgram(const ProgramRunOptions &options)
{
    // Where the time to the first paint goes: the application object, the
    // start sound, the windows.
    report(QStringLiteral("main_ns"), double(options.mainEnteredNs));
    report(QStringLiteral("app_ns"), double(monotonicNs()));
    prepareApplication();

    // A folder of its own for saved games: the presenter's are not touched.
    QTemporaryDir games;
    QtDialogs dialogs;
    const qint64 soundStart = monotonicNs();
    QtStartSound sound;
    report(QStringLiteral("sound_ms"), double(monotonicNs() - soundStart) / 1e6);
    Program program(SavedGamesFolder(games.path()), dialogs, sound, defaultMonitorPlatform());
    QObject::connect(&program, &Program::ended, qApp, &QCoreApplication::quit,
                     Qt::QueuedConnection);

    FirstPaintWatch watch;
    qApp->installEventFilter(&watch);

    QObject context;
    // The figures are out; tearing down is not measured. Quitting the
    // application instead would close the board, whose question about the
    // round's unsaved points would wait for an answer nobody gives.
    const auto endNow = [](int code) {
        std::fflush(stdout);
        std::_Exit(code);
    };
    qint64 startNs = 0;
    std::vector<qint64> ticks;
    double roundCpuStart = 0.0;
    std::unique_ptr<DrawnFrameWatch> frames;

    const auto finishIdle = [&](double cpuStart, qint64 events, qint64 timers, qint64 paints) {
        report(QStringLiteral("idle.cpu_ms"), processCpuMs() - cpuStart);
        report(QStringLiteral("idle.events"), double(watch.eventCount() - events));
        // The timer that ends the idle stretch is the benchmark's own.
        report(QStringLiteral("idle.timer_events"), double(watch.timerEventCount() - timers - 1));
        report(QStringLiteral("idle.paint_events"), double(watch.paintEventCount() - paints));
        report(QStringLiteral("idle.windows"), double(QApplication::topLevelWidgets().size()));
        report(QStringLiteral("peak_rss_kib.end"), double(peakResidentKiB()));
        endNow(0);
    };

    const auto startIdle = [&] {
        const double cpu = processCpuMs();
        const qint64 events = watch.eventCount();
        const qint64 timers = watch.timerEventCount();
        const qint64 paints = watch.paintEventCount();
        QTimer::singleShot(options.idleMs, &context, [=, &finishIdle] {
            finishIdle(cpu, events, timers, paints);
        });
    };

    const auto finishRound = [&] {
        report(QStringLiteral("round.ticks"), double(ticks.size()));
        report(QStringLiteral("round.duration_ms"), double(ticks.back() - startNs) / 1e6);
        qint64 worst = ticks.front() - startNs;
        for (std::size_t i = 1; i < ticks.size(); ++i)
            worst = std::max(worst, ticks[i] - ticks[i - 1]);
        report(QStringLiteral("round.worst_gap_ms"), double(worst) / 1e6);
        report(QStringLiteral("round.cpu_ms"), processCpuMs() - roundCpuStart);
        report(QStringLiteral("peak_rss_kib.round"), double(peakResidentKiB()));
        const MemoryUse use = memoryUse();
        report(QStringLiteral("private_kib.round"), double(use.privateKiB));
        report(QStringLiteral("file_kib.round"), double(use.fileKiB));
        qApp->removeEventFilter(frames.get());
        const std::vector<double> &steps = frames->tipSteps();
        report(QStringLiteral("round.frames"), double(steps.size()));
        report(QStringLiteral("round.tip_step_px.max"),
               steps.empty() ? 0.0 : *std::max_element(steps.begin(), steps.end()));
        report(QStringLiteral("round.tip_step_px.median"), medianOf(steps));
        if (options.idleMs <= 0) {
            endNow(0);
            return;
        }
        // The load button brings the setup window back over the board.
        if (program.board())
            program.commands().requestSetup();
        QTimer::singleShot(1000, &context, startIdle);
    };

    const auto startRound = [&] {
        ScoreboardWindow *board = program.board();
        auto *timer1 = program.engine().findChild<QTimer *>(QStringLiteral("Timer1"));
        if (!board || !timer1) {
            endNow(1);
            return;
        }
        program.engine().enterPoints(0, QString::number(FullTrackPoints));
        for (int i = 1; i < Teams; ++i)
            program.engine().enterPoints(i, QString::number(40 + 15 * i));
        // Connected after the engine's own handler: each time is taken when
        // the tick's work is done.
        QObject::connect(timer1, &QTimer::timeout, &context, [&, timer1] {
            ticks.push_back(monotonicNs());
            if (!timer1->isActive() || ticks.size() > 2 * RoundTicks)
                finishRound();
        });
        frames = std::make_unique<DrawnFrameWatch>(board);
        qApp->installEventFilter(frames.get());
        roundCpuStart = processCpuMs();
        startNs = monotonicNs();
        program.commands().startRace();
    };

    const auto startGame = [&] {
        SetupWindow *setup = program.setupWindow();
        if (!setup) {
            endNow(1);
            return;
        }
        for (int i = 0; i < Teams; ++i) {
            setup->setTeam(i, {QStringLiteral("%1모둠").arg(i + 1), std::nullopt, QString()});
            setup->setTeamState(i, Qt::Checked);
        }
        report(QStringLiteral("start_click_ns"), double(monotonicNs()));
        setup->startOrFetch();
    };

    watch.watch("SetupWindow", [&](QWidget *window, qint64 ns) {
        static bool first = true;
        if (!first)
            return;
        first = false;
        report(QStringLiteral("first_paint_ns"), double(ns));
        report(QStringLiteral("setup_size"), QStringLiteral("%1x%2").arg(window->width()).arg(window->height()));
        report(QStringLiteral("peak_rss_kib.setup"), double(peakResidentKiB()));
        QTimer::singleShot(0, &context, startGame);
    });
    watch.watch("ScoreboardWindow", [&](QWidget *window, qint64 ns) {
        report(QStringLiteral("board_paint_ns"), double(ns));
        report(QStringLiteral("board_size"), QStringLiteral("%1x%2").arg(window->width()).arg(window->height()));
        if (options.startupOnly)
            QTimer::singleShot(0, &context, [endNow] { endNow(0); });
        else
            QTimer::singleShot(500, &context, startRound);
    });

    program.start();
    report(QStringLiteral("shown_ns"), double(monotonicNs()));
    const int rc = QApplication::exec();
    qApp->removeEventFilter(&watch);
    return rc;
}

} // namespace bench
