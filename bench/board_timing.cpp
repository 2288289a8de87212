#include "board_timing.h"

#include "dialogs.h"
#include "figures.h"
#include "game_engine.h"
#include "presenter_commands.h"
#include "saved_games_folder.h"
#include "scoreboard_window.h"
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
    bool ask(const QString &, DefaultAnswer) override { return false; }
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

// The same standings and points every round: the standings brought back as
// a recovered game is, the points typed.
void prepareRound(GameEngine &engine)
{
    QList<TeamStanding> teams;
    for (int i = 0; i < TimedTeams; ++i)
        teams.append({engine.teamName(i), timedRoundScore(i)});
    engine.restoreGame({TimedTeams, GameEngine::NewGameMaxScore, teams}, std::nullopt);
    for (int i = 0; i < TimedTeams; ++i)
        engine.enterPoints(i, QString::number(timedRoundPoints(i)));
}

// The race is ticked by hand: only its timer stops, the round runs on to
// its commit.
void stopRaceTimer(GameEngine &engine)
{
    engine.findChild<QTimer *>(QStringLiteral("Timer1"))->stop();
}

} // namespace

int runBoardTiming(int rounds)
{
    GameEngine engine;
    QList<TeamStanding> teams;
    for (int i = 0; i < TimedTeams; ++i)
        teams.append({QStringLiteral("%1모둠").arg(i + 1), 0});
    engine.prepareNewGame();
    engine.startGame(teams);
    prepareRound(engine);

    SilentDialogs dialogs;
    SilentSound sound;
    const SavedGamesFolder noFolder;
    PresenterCommands commands(engine, noFolder, dialogs);
    ScoreboardWindow board(commands, sound);
    board.showMaximized();
    settle(300);
    board.showGame();
    settle(100);

    const QScreen *screen = board.screen();
    report(QStringLiteral("window"), QStringLiteral("%1x%2").arg(board.width()).arg(board.height()));
    report(QStringLiteral("dpr"), board.devicePixelRatioF());
    if (screen)
        report(QStringLiteral("screen"), QStringLiteral("%1x%2").arg(screen->size().width())
                                              .arg(screen->size().height()));

    QElapsedTimer clock;
    // One round to warm caches and glyphs, with the paint counter on.
    {
        PaintCounter counter;
        qApp->installEventFilter(&counter);
        prepareRound(engine);
        settle(20);
        counter.paints = 0;
        counter.area = 0;
        commands.startRace();
        stopRaceTimer(engine);
        for (int t = 0; t < GameEngine::RaceTicks; ++t) {
            engine.raceTick();
            drain();
        }
        report(QStringLiteral("race.paints_per_tick"), double(counter.paints) / GameEngine::RaceTicks);
        report(QStringLiteral("race.area_per_tick"), double(counter.area) / GameEngine::RaceTicks);
        engine.raceTick();
        drain();
        qApp->removeEventFilter(&counter);
    }

    Samples tick;
    Samples lastTick;
    for (int r = 0; r < rounds; ++r) {
        prepareRound(engine);
        settle(20);
        commands.startRace();
        stopRaceTimer(engine);
        for (int t = 0; t <= GameEngine::RaceTicks; ++t) {
            clock.start();
            engine.raceTick();
            drain();
            (t < GameEngine::RaceTicks ? tick : lastTick).add(clock.nsecsElapsed());
        }
    }
    report(QStringLiteral("race"), tick);
    report(QStringLiteral("race_last"), lastTick);

    Samples highlight;
    for (int r = 0; r < rounds; ++r) {
        commands.showWinner();
        engine.stopAnimations();
        for (int t = 0; t <= GameEngine::HighlightTicks; ++t) {
            clock.start();
            engine.highlightTick();
            drain();
            highlight.add(clock.nsecsElapsed());
        }
    }
    report(QStringLiteral("highlight"), highlight);

    // The layout alone, then a real resize with the repaint it causes.
    Samples layout;
    for (int i = 0; i < 50; ++i) {
        clock.start();
        board.layOutRows();
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
