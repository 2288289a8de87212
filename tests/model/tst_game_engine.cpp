// The game engine on its own, without a window: the presenter's operations,
// a race and a highlight tick by tick, and a whole evening through to a saved
// file loaded again.
#include "crash_safe_write.h"
#include "game_engine.h"
#include "game_loading.h"
#include "game_setup.h"
#include "score_file.h"
#include "test_files.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <limits>

namespace {
// A game that comes into the engine one of its ways.
using Arrive = std::function<void(GameEngine &, const Standings &)>;
}
Q_DECLARE_METATYPE(Arrive)

namespace {

// Runs the race to its end; the number of ticks it took.
int runRace(GameEngine &engine)
{
    engine.startRace();
    int ticks = 0;
    while (engine.isRacing() && ticks < 1000) {
        engine.raceTick();
        ++ticks;
    }
    return ticks;
}

} // namespace

class TestGameEngine : public QObject
{
    Q_OBJECT

private slots:
    void aFreshGameHoldsNothing();
    void slotsOutsideTheGameAreIgnored();
    void pendingPointsOrChangedStandingsAreUnsaved();
    void typedPointsFollowTheEntryRules_data();
    void typedPointsFollowTheEntryRules();
    void theMaximumRisesWhenTheRaceStartsAndNotBefore_data();
    void theMaximumRisesWhenTheRaceStartsAndNotBefore();
    void pointsTypedDuringARaceWaitForTheNextRound_data();
    void pointsTypedDuringARaceWaitForTheNextRound();
    void aRoundStoppedBeforeItsEndKeepsItsPointsPending();
    void aStartWithNothingToAddDoesNothing_data();
    void aStartWithNothingToAddDoesNothing();
    void everyLeaderOfATieIsHighlighted_data();
    void everyLeaderOfATieIsHighlighted();
    void undoTakesBackTypedEntriesNewestFirstAndThenRounds_data();
    void undoTakesBackTypedEntriesNewestFirstAndThenRounds();
    void renamingMarksTheStandingsChangedOnlyWhenTheNameChanges();
    void theMaximumMovesInStepsAndNotBelowFiveHundred_data();
    void theMaximumMovesInStepsAndNotBelowFiveHundred();
    void theMaximumStaysWhileARaceRuns_data();
    void theMaximumStaysWhileARaceRuns();
    void theRaceGrowsEveryRowAndCommitsOnTheTickAfterTheLast();
    void theHighlightRunsThroughTheColoursAndEnds();
    void theHighlightShowsEachTeamColourThenTheTeamsOwn_data();
    void theHighlightShowsEachTeamColourThenTheTeamsOwn();
    void theRaceAndTheHighlightDoNotRunIntoEachOther();
    void loweringTheMaximumStopsAboveEveryTotal_data();
    void loweringTheMaximumStopsAboveEveryTotal();
    void namesAFileCannotCarryAreRefused_data();
    void namesAFileCannotCarryAreRefused();
    void undoAndRedoWalkThroughRoundsRenamesAndMaximumChanges();
    void undoLeavesPendingPointsAndIsRefusedDuringARace();
    void anUndoOrRedoAfterASaveIsUnsavedUnlessItReturnsToTheSavedStandings_data();
    void anUndoOrRedoAfterASaveIsUnsavedUnlessItReturnsToTheSavedStandings();
    void loadingReplacesTheGameAndItsHistory();
    void startingAGameClearsThePendingPointsOfItsSlots();
    void aGameThatComesInRaisesTheMaximumAboveItsTotals_data();
    void aGameThatComesInRaisesTheMaximumAboveItsTotals();
    void aGameThatComesInEndsTheOldGamesRaceAndTellsTheViews();
    void theHistoryComesBackWithARestoredGame();
    void aWholeEveningSavesAndLoadsTheSameStandings();
};

void TestGameEngine::aFreshGameHoldsNothing()
{
    const GameEngine engine;
    QCOMPARE(engine.announcedTeamCount(), 0);
    QCOMPARE(engine.maxScore(), 0);
    QVERIFY(!engine.savedGame());
    QVERIFY(!engine.isRacing());
    QVERIFY(!engine.isHighlighting());
    for (int i = 0; i < TeamSlots; ++i) {
        QCOMPARE(engine.score(i), 0);
        QCOMPARE(engine.pendingPoints(i), 0);
        QVERIFY(engine.teamName(i).isEmpty());
    }
    // The timers automation finds, at the board's pace.
    const auto *race = engine.findChild<QTimer *>(QStringLiteral("Timer1"));
    const auto *highlight = engine.findChild<QTimer *>(QStringLiteral("Timer2"));
    QVERIFY(race && highlight);
    QCOMPARE(race->interval(), 50);
    QCOMPARE(highlight->timerType(), Qt::PreciseTimer);
}

void TestGameEngine::slotsOutsideTheGameAreIgnored()
{
    GameEngine engine;
    setUpGame(engine, numberedTeams({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7, 7}));
    QCOMPARE(engine.announcedTeamCount(), TeamSlots);
    QCOMPARE(engine.score(10), 7);
    QCOMPARE(engine.score(11), 0);
    QCOMPARE(engine.enterPoints(-1, QStringLiteral("5")), GameEngine::PointsEntry::Rejected);
    QCOMPARE(engine.pendingPoints(-1), 0);
    QVERIFY(!engine.renameTeam(11, QStringLiteral("x")));
    QCOMPARE(engine.enterPoints(11, QStringLiteral("5")), GameEngine::PointsEntry::Rejected);
    // A smaller game leaves the slots beyond it as they were.
    setUpGame(engine, numberedTeams({1, 2, 3}));
    engine.startGame({{QStringLiteral("a"), 0}});
    QCOMPARE(engine.teamName(2), QStringLiteral("팀3"));
}

void TestGameEngine::pendingPointsOrChangedStandingsAreUnsaved()
{
    GameEngine engine;
    setUpGame(engine, numberedTeams({0, 0}));
    QVERIFY(!engine.hasUnsavedStandings());
    engine.enterPoints(5, QStringLiteral("30")); // a slot not in play does not count
    QVERIFY(!engine.hasUnsavedStandings());
    QCOMPARE(engine.enterPoints(1, QStringLiteral("30")), GameEngine::PointsEntry::Added);
    QVERIFY(engine.hasUnsavedStandings());
    runRace(engine);
    QCOMPARE(engine.pendingPoints(1), 0);
    QVERIFY(engine.changedSinceSave());
    QVERIFY(engine.hasUnsavedStandings()); // changed standings alone count
    engine.markSaved();
    QVERIFY(!engine.hasUnsavedStandings());
}

void TestGameEngine::typedPointsFollowTheEntryRules_data()
{
    QTest::addColumn<qint32>("before");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<qint32>("after");
    QTest::newRow("whole") << 0 << QStringLiteral("30") << true << 30;
    QTest::newRow("negative adds up") << 30 << QStringLiteral("-5") << true << 25;
    QTest::newRow("spaces, tie to even") << 0 << QStringLiteral(" 2.5 ") << true << 2;
    QTest::newRow("tie to even upwards") << 2 << QStringLiteral("3.5") << true << 6;
    QTest::newRow("top of the range") << 12 << QStringLiteral("32767") << true << 12 + 32767;
    QTest::newRow("letters") << 12 << QStringLiteral("abc") << false << 12;
    QTest::newRow("empty") << 12 << QString() << false << 12;
    QTest::newRow("above the range") << 12 << QStringLiteral("32768") << false << 12;
    QTest::newRow("below the range") << 12 << QStringLiteral("-32769") << false << 12;
    QTest::newRow("rounds out of the range") << 12 << QStringLiteral("32767.5") << false << 12;
    QTest::newRow("the sum overflows") << std::numeric_limits<qint32>::max() - 5
                                       << QStringLiteral("6") << false
                                       << std::numeric_limits<qint32>::max() - 5;
}

void TestGameEngine::typedPointsFollowTheEntryRules()
{
    QFETCH(qint32, before);
    QFETCH(QString, typed);
    QFETCH(bool, taken);
    QFETCH(qint32, after);
    GameEngine engine;
    // A score far below any maximum, so that no raise gets in the way.
    setUpGame(engine, {{QStringLiteral("a"), std::numeric_limits<qint32>::min()}},
              std::numeric_limits<qint32>::max());
    addPendingPoints(engine, 0, before);
    QSignalSpy pending(&engine, &GameEngine::pendingChanged);
    const auto result = engine.enterPoints(0, typed);
    QCOMPARE(result != GameEngine::PointsEntry::Rejected, taken);
    QCOMPARE(engine.pendingPoints(0), after);
    QCOMPARE(pending.count(), taken ? 1 : 0);
    QCOMPARE(engine.score(0), std::numeric_limits<qint32>::min());
}

void TestGameEngine::theMaximumRisesWhenTheRaceStartsAndNotBefore_data()
{
    // Two teams on 450 and 300 with the maximum at 500; the points typed for
    // each, the maximum the console announces, and where the race takes it.
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<qint32>("atStart");
    QTest::addColumn<bool>("raising");
    QTest::newRow("below the maximum") << QStringList{u"49"_qs, u"0"_qs} << 500 << false;
    QTest::newRow("reaching it") << QStringList{u"50"_qs, u"0"_qs} << 600 << true;
    QTest::newRow("a big entry") << QStringList{u"200"_qs, u"0"_qs} << 750 << true;
    QTest::newRow("the higher of two totals") << QStringList{u"60"_qs, u"400"_qs} << 800 << true;
    QTest::newRow("taken back below it") << QStringList{u"200"_qs, u"0"_qs, u"-200"_qs} << 500 << false;
}

void TestGameEngine::theMaximumRisesWhenTheRaceStartsAndNotBefore()
{
    QFETCH(QStringList, typed);
    QFETCH(qint32, atStart);
    QFETCH(bool, raising);
    GameEngine engine;
    setUpGame(engine, numberedTeams({450, 300}));
    QSignalSpy redrawn(&engine, &GameEngine::barsReset);
    QSignalSpy maxChanged(&engine, &GameEngine::maxScoreChanged);
    for (int i = 0; i < typed.size(); ++i)
        engine.enterPoints(i % 2, typed[i]);
    // The hall sees nothing of the round before its race.
    QCOMPARE(engine.maxScore(), 500);
    QCOMPARE(redrawn.count(), 0);
    QCOMPARE(maxChanged.count(), 0);
    QCOMPARE(engine.maxScoreAtStart(), atStart);

    QSignalSpy started(&engine, &GameEngine::raceStarted);
    engine.startRace();
    QCOMPARE(engine.maxScore(), atStart);
    // The bars are redrawn at the new scale before they move.
    QCOMPARE(redrawn.count(), raising ? 1 : 0);
    while (engine.isRacing())
        engine.raceTick();
    QCOMPARE(engine.maxScore(), atStart);
    if (raising) {
        QVERIFY(engine.undo()); // the round takes its raise back with it
        QCOMPARE(engine.maxScore(), 500);
    }
}

void TestGameEngine::pointsTypedDuringARaceWaitForTheNextRound_data()
{
    // A team on 100 with 15 pending starts a race; more points typed after
    // some ticks of it.
    QTest::addColumn<int>("atTick");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<qint32>("pendingAfter");
    QTest::newRow("at the first tick") << 1 << QStringLiteral("105") << 105;
    QTest::newRow("halfway") << 75 << QStringLiteral("-40") << -40;
    QTest::newRow("on the last growing tick") << GameEngine::RaceTicks << QStringLiteral("105") << 105;
    QTest::newRow("nothing typed") << 10 << QString() << 0;
}

void TestGameEngine::pointsTypedDuringARaceWaitForTheNextRound()
{
    // A team racing to 115 once showed 220 on the last tick.
    QFETCH(int, atTick);
    QFETCH(QString, typed);
    QFETCH(qint32, pendingAfter);
    GameEngine engine;
    setUpGame(engine, numberedTeams({100, 0}));
    engine.enterPoints(0, QStringLiteral("15"));
    QVERIFY(engine.startRace());
    QCOMPARE(engine.pendingPoints(0), 0);
    QCOMPARE(engine.racingPoints(0), 15);
    for (int t = 0; t < atTick; ++t)
        engine.raceTick();
    if (!typed.isEmpty())
        QVERIFY(engine.enterPoints(0, typed) != GameEngine::PointsEntry::Rejected);
    QCOMPARE(engine.maxScore(), 500);
    while (engine.isRacing()) {
        if (engine.nextRaceTickCommits())
            QCOMPARE(engine.nextRaceValue(0), std::optional<double>(115.0));
        engine.raceTick();
        if (engine.isRacing())
            QVERIFY(engine.raceValue(0) <= 115.0 + 1e-9);
    }
    QCOMPARE(engine.score(0), 115);
    QCOMPARE(engine.pendingPoints(0), pendingAfter);
    QCOMPARE(engine.racingPoints(0), 0);
    // They are the next round's, and undo takes them back before the round.
    if (pendingAfter != 0) {
        QVERIFY(engine.undo());
        QCOMPARE(engine.pendingPoints(0), 0);
        QCOMPARE(engine.score(0), 115);
    }
    QVERIFY(engine.undo());
    QCOMPARE(engine.score(0), 100);
}

void TestGameEngine::aRoundStoppedBeforeItsEndKeepsItsPointsPending()
{
    // A board replaced mid-round stops the race before its commit.
    GameEngine engine;
    setUpGame(engine, numberedTeams({100, 0}));
    engine.enterPoints(0, QStringLiteral("15"));
    engine.startRace();
    engine.raceTick();
    engine.enterPoints(0, QStringLiteral("5"));
    engine.stopAnimations();
    QCOMPARE(engine.pendingPoints(0), 20);
    QCOMPARE(engine.racingPoints(0), 0);
    QCOMPARE(engine.score(0), 100);
    playRound(engine, {});
    QCOMPARE(engine.score(0), 120);
}

void TestGameEngine::aStartWithNothingToAddDoesNothing_data()
{
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<bool>("started");
    QTest::newRow("nothing typed") << QList<int>{} << QStringList{} << false;
    QTest::newRow("zero") << QList<int>{0} << QStringList{u"0"_qs} << false;
    QTest::newRow("typed and taken back") << QList<int>{1, 1} << QStringList{u"10"_qs, u"-10"_qs} << false;
    QTest::newRow("a slot beyond the board's rows") << QList<int>{9} << QStringList{u"10"_qs} << false;
    QTest::newRow("points to take away") << QList<int>{1} << QStringList{u"-5"_qs} << true;
}

void TestGameEngine::aStartWithNothingToAddDoesNothing()
{
    QFETCH(QList<int>, rows);
    QFETCH(QStringList, typed);
    QFETCH(bool, started);
    GameEngine engine;
    setUpGame(engine, numberedTeams({100, 200, 0, 0, 0, 0, 0, 0, 0, 0}));
    for (int i = 0; i < rows.size(); ++i)
        engine.enterPoints(rows[i], typed[i]);
    QCOMPARE(engine.hasPointsToAdd(), started);
    QSignalSpy raceStarted(&engine, &GameEngine::raceStarted);
    QCOMPARE(engine.startRace(), started);
    QCOMPARE(engine.isRacing(), started);
    QCOMPARE(raceStarted.count(), started ? 1 : 0);
    // Ticks without a start commit no round, however many.
    const bool entries = engine.canUndo();
    for (int t = 0; t <= GameEngine::RaceTicks; ++t)
        engine.raceTick();
    QCOMPARE(engine.score(0), 100);
    if (!started)
        QCOMPARE(engine.canUndo(), entries);
}

void TestGameEngine::everyLeaderOfATieIsHighlighted_data()
{
    QTest::addColumn<QList<int>>("scores");
    QTest::addColumn<QList<int>>("leaders");
    QTest::newRow("one leader") << QList<int>{30, 50, 40} << QList<int>{1};
    QTest::newRow("a tie of two") << QList<int>{400, 10, 400} << QList<int>{0, 2};
    QTest::newRow("a tie behind the leader") << QList<int>{30, 50, 50, 60} << QList<int>{3};
    QTest::newRow("everyone level") << QList<int>{0, 0, 0} << QList<int>{0, 1, 2};
    QTest::newRow("negative scores") << QList<int>{-20, -5, -5} << QList<int>{1, 2};
    QTest::newRow("no teams") << QList<int>{} << QList<int>{0};
}

void TestGameEngine::everyLeaderOfATieIsHighlighted()
{
    // A tie once highlighted the lower slot alone and told the hall the
    // wrong result.
    QFETCH(QList<int>, scores);
    QFETCH(QList<int>, leaders);
    GameEngine engine;
    setUpGame(engine, numberedTeams(scores));
    QCOMPARE(engine.showWinner(), leaders.first());
    QCOMPARE(engine.highlightedTeams(), leaders);
    QSignalSpy ticked(&engine, &GameEngine::highlightTicked);
    QSignalSpy finished(&engine, &GameEngine::highlightFinished);
    engine.highlightTick();
    QList<int> tickedSlots;
    for (const QList<QVariant> &tick : std::as_const(ticked))
        tickedSlots.append(tick.at(0).toInt());
    QCOMPARE(tickedSlots, leaders);
    while (engine.isHighlighting())
        engine.highlightTick();
    QCOMPARE(finished.count(), leaders.size());
}

void TestGameEngine::undoTakesBackTypedEntriesNewestFirstAndThenRounds_data()
{
    // Two teams on 100 and 450 (maximum 500) played one round of +50 for
    // the first; then these moves ("a+20": points typed for the first team,
    // "b-": the second team's pending points cleared). After each undo, the
    // first team's pending points and score, the second's pending points and
    // the maximum the next start sets.
    QTest::addColumn<QStringList>("moves");
    QTest::addColumn<QStringList>("afterEachUndo");
    QTest::newRow("entries newest first, then the round")
        << QStringList{u"a+20"_qs, u"a+30"_qs}
        << QStringList{u"20 150 0 500"_qs, u"0 150 0 500"_qs, u"0 100 0 500"_qs};
    QTest::newRow("an entry that would raise the maximum")
        << QStringList{u"b+60"_qs, u"a+5"_qs}
        << QStringList{u"0 150 60 610"_qs, u"0 150 0 500"_qs, u"0 100 0 500"_qs};
    QTest::newRow("cleared points come back")
        << QStringList{u"b+70"_qs, u"b+10"_qs, u"b-"_qs}
        << QStringList{u"0 150 80 630"_qs, u"0 150 70 620"_qs, u"0 150 0 500"_qs, u"0 100 0 500"_qs};
    QTest::newRow("a rename between entries")
        << QStringList{u"a+1"_qs, u"rename"_qs, u"a+2"_qs}
        << QStringList{u"1 150 0 500"_qs, u"1 150 0 500"_qs, u"0 150 0 500"_qs, u"0 100 0 500"_qs};
}

void TestGameEngine::undoTakesBackTypedEntriesNewestFirstAndThenRounds()
{
    QFETCH(QStringList, moves);
    QFETCH(QStringList, afterEachUndo);
    GameEngine engine;
    setUpGame(engine, numberedTeams({100, 450}));
    playRound(engine, {50});
    for (const QString &move : moves) {
        const int slot = move.startsWith(u'a') ? 0 : 1;
        if (move == u"rename")
            QVERIFY(engine.renameTeam(1, QStringLiteral("소망")));
        else if (move.endsWith(u'-'))
            QVERIFY(engine.clearPending(slot));
        else
            QVERIFY(engine.enterPoints(slot, move.mid(1)) != GameEngine::PointsEntry::Rejected);
    }
    const Standings typed = engine.standings();
    const qint32 typedPending = engine.pendingPoints(1);
    for (const QString &expected : afterEachUndo) {
        QVERIFY(engine.undo());
        QCOMPARE(QStringLiteral("%1 %2 %3 %4")
                     .arg(engine.pendingPoints(0))
                     .arg(engine.score(0))
                     .arg(engine.pendingPoints(1))
                     .arg(engine.maxScoreAtStart()),
                 expected);
        QCOMPARE(engine.maxScore(), 500); // no entry ever moved it
    }
    QVERIFY(!engine.canUndo());
    // And forward again to where the presenter was.
    while (engine.redo()) {
    }
    QCOMPARE(engine.standings(), typed);
    QCOMPARE(engine.pendingPoints(1), typedPending);
}

void TestGameEngine::renamingMarksTheStandingsChangedOnlyWhenTheNameChanges()
{
    GameEngine engine;
    setUpGame(engine, numberedTeams({10}));
    QSignalSpy changed(&engine, &GameEngine::standingsChanged);
    QVERIFY(engine.renameTeam(0, QStringLiteral("팀1")));
    QVERIFY(!engine.changedSinceSave());
    QVERIFY(engine.renameTeam(0, QStringLiteral(" 지혜 ")));
    QCOMPARE(engine.teamName(0), QStringLiteral(" 지혜 "));
    QVERIFY(engine.changedSinceSave());
    QCOMPARE(changed.count(), 1);
}

void TestGameEngine::theMaximumMovesInStepsAndNotBelowFiveHundred_data()
{
    QTest::addColumn<qint32>("before");
    QTest::addColumn<qint32>("raised");
    QTest::addColumn<qint32>("lowered");
    QTest::newRow("550") << 550 << 650 << 450;
    QTest::newRow("501") << 501 << 601 << 401;
    QTest::newRow("500") << 500 << 600 << 500;
    QTest::newRow("450") << 450 << 550 << 450;
    QTest::newRow("top of the range") << std::numeric_limits<qint32>::max()
                                      << std::numeric_limits<qint32>::max()
                                      << std::numeric_limits<qint32>::max() - 100;
}

void TestGameEngine::theMaximumMovesInStepsAndNotBelowFiveHundred()
{
    QFETCH(qint32, before);
    QFETCH(qint32, raised);
    QFETCH(qint32, lowered);
    GameEngine up;
    setUpGame(up, {}, before);
    up.raiseMaxScore();
    QCOMPARE(up.maxScore(), raised);
    GameEngine down;
    setUpGame(down, {}, before);
    down.lowerMaxScore();
    QCOMPARE(down.maxScore(), lowered);
    QVERIFY(!up.changedSinceSave() && !down.changedSinceSave());
}

void TestGameEngine::theMaximumStaysWhileARaceRuns_data()
{
    QTest::addColumn<bool>("raise");
    QTest::addColumn<qint32>("afterTheRace");
    QTest::newRow("▲") << true << 700;
    QTest::newRow("▼") << false << 500;
}

void TestGameEngine::theMaximumStaysWhileARaceRuns()
{
    // A change mid-race made the bars snap back a tick at the new scale and
    // then jump at the commit.
    QFETCH(bool, raise);
    QFETCH(qint32, afterTheRace);
    GameEngine engine;
    setUpGame(engine, numberedTeams({100, 200}), 600);
    engine.enterPoints(0, QStringLiteral("30"));
    QSignalSpy reset(&engine, &GameEngine::barsReset);
    engine.startRace();
    engine.raceTick();
    raise ? engine.raiseMaxScore() : engine.lowerMaxScore();
    QCOMPARE(engine.maxScore(), 600);
    QCOMPARE(reset.count(), 0);
    QVERIFY(!engine.canUndo());
    runRace(engine);
    raise ? engine.raiseMaxScore() : engine.lowerMaxScore();
    QCOMPARE(engine.maxScore(), afterTheRace);
}

void TestGameEngine::theRaceGrowsEveryRowAndCommitsOnTheTickAfterTheLast()
{
    GameEngine engine;
    setUpGame(engine, numberedTeams({100, 200, 0}));
    engine.enterPoints(0, QStringLiteral("30"));
    engine.enterPoints(1, QStringLiteral("150"));
    QSignalSpy ticked(&engine, &GameEngine::raceTicked);
    QSignalSpy finished(&engine, &GameEngine::raceFinished);
    QSignalSpy started(&engine, &GameEngine::raceStarted);

    engine.startRace();
    QCOMPARE(started.count(), 1);
    QCOMPARE(engine.raceStep(1), 1.0);
    engine.raceTick();
    QCOMPARE(engine.tickCount(), qint16(1));
    QCOMPARE(engine.frame(), qint16(1));
    QCOMPARE(ticked.takeFirst().at(0).toInt(), 0); // the frame drawn
    QCOMPARE(engine.countingValue(0), std::optional<qint32>(100)); // 100.2, floored
    QCOMPARE(engine.countingValue(1), std::optional<qint32>(201));
    for (int t = 2; t <= GameEngine::RaceTicks; ++t)
        engine.raceTick();
    QVERIFY(engine.isRacing());
    QCOMPARE(engine.countingValue(1), std::optional<qint32>(350)); // one point a tick adds up exactly
    QCOMPARE(engine.score(1), 200);

    engine.raceTick(); // the tick after the last commits
    QVERIFY(!engine.isRacing());
    QCOMPARE(finished.count(), 1);
    QCOMPARE(ticked.count(), GameEngine::RaceTicks - 1);
    QCOMPARE(engine.tickCount(), qint16(0));
    QCOMPARE(engine.score(0), 130);
    QCOMPARE(engine.score(1), 350);
    QCOMPARE(engine.pendingPoints(0), 0);
    QVERIFY(engine.changedSinceSave());
}

void TestGameEngine::theHighlightRunsThroughTheColoursAndEnds()
{
    GameEngine engine;
    setUpGame(engine, numberedTeams({10, 40, 30, 20}));
    QCOMPARE(engine.showWinner(), 1);
    QSignalSpy ticked(&engine, &GameEngine::highlightTicked);
    QSignalSpy finished(&engine, &GameEngine::highlightFinished);
    QList<int> colours;
    for (int n = 1; n <= GameEngine::HighlightTicks; ++n) {
        engine.highlightTick();
        const QList<QVariant> tick = ticked.takeFirst();
        QCOMPARE(tick.at(0).toInt(), 1);
        QCOMPARE(tick.at(1).toInt(), (n - 1) % GameEngine::FrameCount);
        colours.append(tick.at(2).toInt());
    }
    // Every colour, the team's own at the end included, holds for 350 ms:
    // at least a third of a second, under three changes a second.
    int held = 0;
    for (int n = 0; n < colours.size(); ++n) {
        held = n > 0 && colours[n] == colours[n - 1] ? held + 1 : 1;
        if (n + 1 == colours.size() || colours[n + 1] != colours[n])
            QCOMPARE(held, GameEngine::ColourHoldTicks);
    }
    QVERIFY(engine.isHighlighting());
    engine.highlightTick();
    QVERIFY(!engine.isHighlighting());
    QCOMPARE(finished.count(), 1);
    QCOMPARE(engine.tickCount(), qint16(0));
}

void TestGameEngine::theHighlightShowsEachTeamColourThenTheTeamsOwn_data()
{
    QTest::addColumn<int>("tick");
    QTest::addColumn<int>("colour");
    QTest::newRow("first tick") << 1 << 0;
    QTest::newRow("first colour's last") << 7 << 0;
    QTest::newRow("second colour") << 8 << 1;
    QTest::newRow("eighth colour's first") << 50 << 7;
    // Once the eighth showed for a single tick before the bar snapped back.
    QTest::newRow("eighth colour's last") << 56 << 7;
    QTest::newRow("own colour again") << 57 << 2;
    QTest::newRow("last counted tick") << GameEngine::HighlightTicks << 2;
}

void TestGameEngine::theHighlightShowsEachTeamColourThenTheTeamsOwn()
{
    QFETCH(int, tick);
    QFETCH(int, colour);
    GameEngine engine;
    setUpGame(engine, numberedTeams({10, 20, 40}));
    QCOMPARE(engine.showWinner(), 2);
    QSignalSpy ticked(&engine, &GameEngine::highlightTicked);
    for (int n = 0; n < tick; ++n)
        engine.highlightTick();
    QCOMPARE(ticked.last().at(2).toInt(), colour);
}

void TestGameEngine::theRaceAndTheHighlightDoNotRunIntoEachOther()
{
    GameEngine engine;
    setUpGame(engine, numberedTeams({100, 240}));
    engine.enterPoints(0, QStringLiteral("30"));
    QVERIFY(engine.startRace());
    for (int t = 0; t < 10; ++t)
        engine.raceTick();
    // A second start or the winner would share the race's tick counter.
    QVERIFY(!engine.startRace());
    QCOMPARE(engine.showWinner(), -1);
    QVERIFY(!engine.isHighlighting());
    QCOMPARE(engine.tickCount(), qint16(10));
    QCOMPARE(engine.raceValue(0), 102.0);
    QCOMPARE(runRace(engine) + 10, GameEngine::RaceTicks + 1); // its start was refused too
    QCOMPARE(engine.score(0), 130);

    // A start during the highlight ends the highlight first.
    engine.showWinner();
    engine.highlightTick();
    engine.enterPoints(1, QStringLiteral("10"));
    QSignalSpy ended(&engine, &GameEngine::highlightFinished);
    QVERIFY(engine.startRace());
    QCOMPARE(ended.count(), 1);
    QVERIFY(!engine.isHighlighting());
    QCOMPARE(engine.tickCount(), qint16(0));
}

void TestGameEngine::loweringTheMaximumStopsAboveEveryTotal_data()
{
    QTest::addColumn<qint32>("score");
    QTest::addColumn<QString>("pending");
    QTest::addColumn<qint32>("lowered");
    QTest::newRow("well below") << 300 << QStringLiteral("0") << 1119;
    QTest::newRow("just below the lowered maximum") << 1118 << QStringLiteral("0") << 1119;
    QTest::newRow("the leader at the lowered maximum") << 1119 << QStringLiteral("0") << 1219;
    QTest::newRow("pending points count") << 1000 << QStringLiteral("119") << 1219;
}

void TestGameEngine::loweringTheMaximumStopsAboveEveryTotal()
{
    QFETCH(qint32, score);
    QFETCH(QString, pending);
    QFETCH(qint32, lowered);
    GameEngine engine;
    setUpGame(engine, {{QStringLiteral("a"), 10}, {QStringLiteral("b"), score}}, 1219);
    engine.enterPoints(1, pending);
    engine.lowerMaxScore();
    QCOMPARE(engine.maxScore(), lowered);
}

void TestGameEngine::namesAFileCannotCarryAreRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("taken");
    QTest::newRow("plain") << QStringLiteral("지혜 팀") << true;
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("a hundred syllables") << QString(100, QChar(0xAC00)) << true;
    QTest::newRow("a line break forging a team") << QStringLiteral("A\nFAKE;9999") << false;
    QTest::newRow("carriage return") << QStringLiteral("A\rB") << false;
    QTest::newRow("semicolon") << QStringLiteral("A;B") << false;
    QTest::newRow("tab") << QStringLiteral("A\tB") << false;
    QTest::newRow("line separator") << QStringLiteral("A\u2028B") << false;
    QTest::newRow("not in code page 949") << QStringLiteral("Café") << false;
    QTest::newRow("a hundred and one") << QString(101, u'x') << false;
}

void TestGameEngine::namesAFileCannotCarryAreRefused()
{
    QFETCH(QString, name);
    QFETCH(bool, taken);
    GameEngine engine;
    setUpGame(engine, numberedTeams({10}));
    QCOMPARE(engine.renameTeam(0, name), taken);
    QCOMPARE(engine.teamName(0), taken ? name : QStringLiteral("팀1"));
    QCOMPARE(engine.changedSinceSave(), taken && name != QStringLiteral("팀1"));
}

void TestGameEngine::undoAndRedoWalkThroughRoundsRenamesAndMaximumChanges()
{
    GameEngine engine;
    setUpGame(engine, numberedTeams({0, 0}));
    QVERIFY(!engine.canUndo());
    engine.enterPoints(0, QStringLiteral("100"));
    runRace(engine);
    engine.renameTeam(1, QStringLiteral("소망"));
    engine.raiseMaxScore();
    const Standings last = engine.standings();

    QVERIFY(engine.undo()); // the maximum
    QCOMPARE(engine.maxScore(), 500);
    QVERIFY(engine.undo()); // the rename
    QCOMPARE(engine.teamName(1), QStringLiteral("팀2"));
    QVERIFY(engine.undo()); // the round
    QCOMPARE(engine.score(0), 0);
    QVERIFY(!engine.undo());
    QVERIFY(!engine.hasUnsavedStandings()); // back at the standings it started with

    while (engine.redo()) {
    }
    QCOMPARE(engine.standings(), last);
    QVERIFY(engine.hasUnsavedStandings());
    // A new change after an undo drops the steps forward.
    engine.undo();
    engine.renameTeam(0, QStringLiteral("믿음"));
    QVERIFY(!engine.canRedo());
    QVERIFY(!engine.redo());
    QCOMPARE(engine.maxScore(), 500);
}

void TestGameEngine::undoLeavesPendingPointsAndIsRefusedDuringARace()
{
    GameEngine engine;
    setUpGame(engine, numberedTeams({450, 0}));
    engine.enterPoints(0, QStringLiteral("100"));
    engine.startRace();
    engine.enterPoints(1, QStringLiteral("60")); // for the next round
    QVERIFY(!engine.undo());
    while (engine.isRacing())
        engine.raceTick();
    engine.raiseMaxScore();
    QVERIFY(engine.undo()); // the maximum
    QVERIFY(engine.undo()); // the entry typed during the race
    QVERIFY(engine.undo()); // the round, which had raised the maximum
    QCOMPARE(engine.score(0), 450);
    QCOMPARE(engine.maxScore(), 500);
    QVERIFY(!engine.canUndo());
}

void TestGameEngine::anUndoOrRedoAfterASaveIsUnsavedUnlessItReturnsToTheSavedStandings_data()
{
    // Steps taken after the game was saved (before "|"), then the steps back
    // and forth; whether leaving must then ask.
    QTest::addColumn<QStringList>("moves");
    QTest::addColumn<bool>("unsaved");
    QTest::newRow("undo of a saved round") << QStringList{u"round"_qs, u"save"_qs, u"undo"_qs} << true;
    QTest::newRow("undo of a saved rename") << QStringList{u"rename"_qs, u"save"_qs, u"undo"_qs} << true;
    QTest::newRow("undo, then redo back to the saved standings")
        << QStringList{u"round"_qs, u"save"_qs, u"undo"_qs, u"redo"_qs} << false;
    QTest::newRow("redo of an unsaved round undone before the save")
        << QStringList{u"round"_qs, u"undo"_qs, u"save"_qs, u"redo"_qs} << true;
    QTest::newRow("undo of a round after the save")
        << QStringList{u"save"_qs, u"round"_qs, u"undo"_qs} << false;
    QTest::newRow("undo of a maximum change alone")
        << QStringList{u"round"_qs, u"raise"_qs, u"save"_qs, u"undo"_qs} << false;
}

void TestGameEngine::anUndoOrRedoAfterASaveIsUnsavedUnlessItReturnsToTheSavedStandings()
{
    // Once, saving and then undoing left the game "saved": leaving asked
    // nothing and the evening's standings were gone.
    QFETCH(QStringList, moves);
    QFETCH(bool, unsaved);
    GameEngine engine;
    setUpGame(engine, numberedTeams({10, 20}));
    for (const QString &move : moves) {
        if (move == u"round") {
            engine.enterPoints(0, QStringLiteral("30"));
            runRace(engine);
        } else if (move == u"rename") {
            engine.renameTeam(1, QStringLiteral("소망"));
        } else if (move == u"raise") {
            engine.raiseMaxScore();
        } else if (move == u"save") {
            engine.markSaved();
        } else if (move == u"undo") {
            QVERIFY(engine.undo());
        } else if (move == u"redo") {
            QVERIFY(engine.redo());
        }
    }
    QCOMPARE(engine.hasUnsavedStandings(), unsaved);
    QCOMPARE(engine.changedSinceSave(), unsaved);
}

void TestGameEngine::loadingReplacesTheGameAndItsHistory()
{
    GameEngine engine;
    setUpGame(engine, numberedTeams({10, 20}), 900);
    engine.enterPoints(0, QStringLiteral("5"));
    engine.renameTeam(0, QStringLiteral("x"));
    ScoreFileContent content;
    content.announcedTeamCount = 1;
    content.teamLinesRead = 1;
    content.teams = {{QStringLiteral("진리"), QStringLiteral("120"), 120}};
    engine.loadGame(content, SavedGame::named(QStringLiteral("g")));
    QCOMPARE(engine.maxScore(), 500); // the header had none
    QCOMPARE(engine.pendingPoints(0), 0);
    QVERIFY(!engine.canUndo());
    QVERIFY(!engine.hasUnsavedStandings());
}

void TestGameEngine::aGameThatComesInRaisesTheMaximumAboveItsTotals_data()
{
    QTest::addColumn<Arrive>("arrive");
    QTest::addColumn<Standings>("standings");
    QTest::addColumn<qint32>("maxScore");
    const Arrive restore = [](GameEngine &e, const Standings &s) { e.restoreGame(s, std::nullopt); };
    const Arrive load = [](GameEngine &e, const Standings &s) {
        ScoreFileContent content;
        content.announcedTeamCount = s.announcedTeamCount;
        content.teamLinesRead = s.announcedTeamCount;
        content.maxScore = s.maxScore;
        for (const TeamStanding &team : s.teams)
            content.teams.append({team.name, QString::number(team.score), team.score});
        e.loadGame(content, SavedGame::named(u"g"_qs));
    };
    const Arrive start = [](GameEngine &e, const Standings &s) { e.startGame(s.teams); };
    const Arrive fetched = [](GameEngine &e, const Standings &s) {
        e.startSavedGame(s.teams, s.maxScore, SavedGame::named(u"g"_qs));
    };
    // As for typed points: a total at or above the maximum raises it to
    // that total plus 100. The bars once ran off the board instead.
    QTest::newRow("a recovery above") << restore << Standings{2, 500, {{u"2"_qs, 500}, {u"b"_qs, 50}}} << 600;
    QTest::newRow("a recovery far above") << restore << Standings{1, 500, {{u"Big"_qs, 100000}}} << 100100;
    QTest::newRow("a recovery below") << restore << Standings{1, 700, {{u"a"_qs, 699}}} << 700;
    QTest::newRow("a load above") << load << Standings{2, 500, {{u"2"_qs, 500}, {u"b"_qs, 50}}} << 600;
    QTest::newRow("a load below") << load << Standings{1, 900, {{u"a"_qs, 10}}} << 900;
    // A maximum no bar can be measured against is the new game's.
    QTest::newRow("a load of a maximum of 0") << load << Standings{1, 0, {{u"a"_qs, 10}}} << 500;
    QTest::newRow("a load of a negative maximum") << load << Standings{1, -50, {{u"a"_qs, -90}}} << 500;
    QTest::newRow("a fetched game's start above") << fetched << Standings{2, 50, {{u"a"_qs, 500}, {u"b"_qs, 20}}} << 600;
    QTest::newRow("a fetched game's start below") << fetched << Standings{1, 700, {{u"a"_qs, 20}}} << 700;
    QTest::newRow("a fetched game's maximum of 0") << fetched << Standings{1, 0, {{u"a"_qs, 20}}} << 500;
    QTest::newRow("a start of loaded scores") << start << Standings{1, 0, {{u"a"_qs, 520}}} << 620;
}

void TestGameEngine::aGameThatComesInRaisesTheMaximumAboveItsTotals()
{
    QFETCH(Arrive, arrive);
    QFETCH(Standings, standings);
    QFETCH(qint32, maxScore);
    GameEngine engine;
    engine.prepareNewGame();
    arrive(engine, standings);
    QCOMPARE(engine.maxScore(), maxScore);
    QCOMPARE(engine.standings().teams, standings.teams);
}

void TestGameEngine::aGameThatComesInEndsTheOldGamesRaceAndTellsTheViews()
{
    GameEngine engine;
    setUpGame(engine, numberedTeams({10, 20}));
    engine.enterPoints(0, u"30"_qs);
    QVERIFY(engine.startRace());
    engine.raceTick();
    QSignalSpy replaced(&engine, &GameEngine::gameReplaced);
    QSignalSpy reset(&engine, &GameEngine::barsReset);
    engine.startGame({{u"새 팀"_qs, 0}});
    QVERIFY(!engine.isRacing());
    QCOMPARE(engine.tickCount(), 0);
    QCOMPARE(replaced.count(), 1);
    QVERIFY(reset.count() >= 1); // the old race is no longer drawn
    QCOMPARE(engine.score(0), 0);
    QCOMPARE(engine.pendingPoints(0), 0);
    // Each way a game comes in tells the views once.
    engine.restoreGame({1, 500, {{u"a"_qs, 1}}}, std::nullopt);
    QCOMPARE(replaced.count(), 2);
    engine.loadGame(ScoreFileContent{1, 500, {{u"b"_qs, u"2"_qs, 2}}, 1, false}, SavedGame::named(u"g"_qs));
    QCOMPARE(replaced.count(), 3);
    engine.startSavedGame({{u"c"_qs, 3}}, 500, SavedGame::named(u"g"_qs));
    QCOMPARE(replaced.count(), 4);
}

void TestGameEngine::theHistoryComesBackWithARestoredGame()
{
    GameEngine engine;
    setUpGame(engine, numberedTeams({10, 20}));
    playRound(engine, {5, 7});
    engine.renameTeam(1, u"새 이름"_qs);
    engine.raiseMaxScore();
    engine.undo();
    const GameHistory history = engine.history();
    QCOMPARE(history.undoSteps.size(), 2);
    QCOMPARE(history.redoSteps.size(), 1);
    QCOMPARE(history.undoSteps.first(), (Standings{2, 500, numberedTeams({10, 20})}));

    GameEngine recovered;
    recovered.restoreGame(engine.standings(), std::nullopt);
    recovered.restoreHistory(history);
    QCOMPARE(recovered.history(), history);
    QVERIFY(recovered.undo());
    QVERIFY(recovered.undo());
    QCOMPARE(recovered.standings(), (Standings{2, 500, numberedTeams({10, 20})}));
    QVERIFY(recovered.redo());
    QVERIFY(recovered.redo());
    QVERIFY(recovered.redo());
    QCOMPARE(recovered.maxScore(), 600);
}

void TestGameEngine::startingAGameClearsThePendingPointsOfItsSlots()
{
    GameEngine engine;
    setUpGame(engine, numberedTeams({0, 0, 0}));
    for (int i = 0; i < 3; ++i)
        engine.enterPoints(i, QStringLiteral("10"));
    engine.startGame({{QStringLiteral("a"), 5}, {QStringLiteral("b"), 6}});
    QCOMPARE(engine.announcedTeamCount(), 2);
    QCOMPARE(engine.pendingPoints(0), 0);
    QCOMPARE(engine.pendingPoints(1), 0);
    QCOMPARE(engine.pendingPoints(2), 10); // beyond the new game
    QVERIFY(!engine.hasUnsavedStandings());
}

void TestGameEngine::aWholeEveningSavesAndLoadsTheSameStandings()
{
    QTemporaryDir dir;
    const SavedGamesFolder folder(dir.path());
    GameEngine engine;
    engine.prepareNewGame();
    setUpGame(engine, {{QStringLiteral("진리"), 0}, {QStringLiteral("지혜"), 0}, {QStringLiteral("사랑"), 0}},
              engine.maxScore());

    // Three rounds, the last one pushing the leader past the maximum.
    const QList<QList<QString>> rounds = {{QStringLiteral("30"), QStringLiteral("20"), QStringLiteral("0")},
                                          {QStringLiteral("100"), QStringLiteral("-5"), QStringLiteral("2.5")},
                                          {QStringLiteral("400"), QStringLiteral("x"), QStringLiteral("7")}};
    for (const QList<QString> &round : rounds) {
        for (int i = 0; i < round.size(); ++i)
            engine.enterPoints(i, round[i]);
        QCOMPARE(runRace(engine), GameEngine::RaceTicks + 1);
    }
    QCOMPARE(engine.score(0), 530);
    QCOMPARE(engine.score(1), 15);
    QCOMPARE(engine.score(2), 9);
    QCOMPARE(engine.maxScore(), 630);
    engine.raiseMaxScore();
    engine.lowerMaxScore();
    engine.lowerMaxScore(); // refused: 530 would not stay above the leader
    QCOMPARE(engine.maxScore(), 630);
    QCOMPARE(engine.showWinner(), 0);
    while (engine.isHighlighting())
        engine.highlightTick();
    engine.renameTeam(2, QStringLiteral("소망"));

    const SavedGame game = SavedGame::named(QStringLiteral("결승"));
    QVERIFY(writeCrashSafe(folder.filePath(game), scoreFileBytes(engine.standings())));
    QCOMPARE(TestFiles::readAll(folder.filePath(game)),
             "3;630;50\r\n" + TestFiles::cp949(QStringLiteral("진리;530\r\n지혜;15\r\n소망;9\r\n")));

    GameEngine loaded;
    loaded.prepareNewGame();
    const LoadResult result = loadSavedGame(loaded, folder, game);
    QCOMPARE(result.status, LoadResult::Loaded);
    QCOMPARE(loaded.standings(), engine.standings());
    QCOMPARE(loaded.savedGame(), std::optional<SavedGame>(game));
    QVERIFY(!loaded.hasUnsavedStandings());
}

QTEST_GUILESS_MAIN(TestGameEngine)
#include "tst_game_engine.moc"
