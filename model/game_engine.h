#pragma once

#include "game_history.h"
#include "game_limits.h"
#include "saved_games_folder.h"
#include "score_file.h"
#include "slot_array.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QtGlobal>

#include <array>
#include <optional>
#include <utility>

// The game a presenter runs: the teams with their names, committed scores and
// the points typed for this round, the maximum score that sets the scale of
// the bars, the saved game it belongs to, the race that commits a round and
// the winner's highlight. The windows draw from it and route the presenter's
// clicks and keys to its operations; they hold no rules of their own.
//
// The teams in play occupy the first slots (see game_limits.h for the three
// team counts). A slot beyond them keeps whatever an earlier game left there.
//
// The race and the highlight run on two 50 ms timers that share one tick
// counter and one frame counter, so a highlight started during a race
// changes how long the race runs. Tests call raceTick() and highlightTick()
// directly instead of waiting for the timers.
//
// The engine counts in score points; how long a bar is in pixels is the
// board's business (BarTrack).
class GameEngine : public QObject
{
    Q_OBJECT

public:
    static constexpr int RaceTicks = 150;    // growing ticks; the next one commits
    static constexpr int TickIntervalMs = 50;
    static constexpr int FrameCount = 6;     // frames of the running figure
    static constexpr int ColourCount = 8;    // the team colours the highlight runs through
    // Ticks each colour of the highlight holds: under three changes a
    // second, which photosensitive viewers can watch safely.
    static constexpr int ColourHoldTicks = 7;
    // Counted ticks of the highlight, the next one ends it: each of the
    // eight colours in turn and then the team's own colour again, every
    // one held as long, so the bar never snaps back from the last colour.
    static constexpr int HighlightTicks = (ColourCount + 1) * ColourHoldTicks;
    static constexpr qint32 NewGameMaxScore = 500;
    static constexpr qint32 MaxScoreStep = 100;
    static constexpr qint32 LowestMaxScore = 500; // lowering stops here

    enum class PointsEntry {
        Rejected,        // not a whole number in range, or the sum would overflow
        Added,
        AddedRaisingMax, // the team's total reaches the maximum: the next start raises it
    };

    // The running figure's next frame (0 after 5) and the highlight's next
    // colour (0 after 7).
    static constexpr qint16 nextFrame(qint16 frame) { return frame == FrameCount - 1 ? 0 : qint16(frame + 1); }
    static constexpr qint16 nextColour(qint16 colour) { return colour == ColourCount - 1 ? 0 : qint16(colour + 1); }

    explicit GameEngine(QObject *parent = nullptr);
    ~GameEngine() override;

    // --- Teams and standings ---------------------------------------------

    qint32 announcedTeamCount() const { return m_announcedTeamCount; }
    int teamsInPlay() const { return ::teamsInPlay(m_announcedTeamCount); }
    int rowsShown() const { return ::rowsShown(m_announcedTeamCount); }
    QString teamName(int slot) const { return m_names.value(slot); }
    qint32 score(int slot) const { return m_scores.value(slot); }
    qint32 pendingPoints(int slot) const { return m_pending.value(slot); }
    qint32 maxScore() const { return m_maxScore; }
    // The maximum the next start sets before the bars move: a total with its
    // pending points at or above the maximum raises it to that total plus
    // 100. The maximum itself stays until then, so that the audience sees
    // nothing of a round before its race.
    qint32 maxScoreAtStart() const;
    // Any points typed for the next round, on a row the race moves.
    bool hasPointsToAdd() const;

    // What a save writes now.
    Standings standings() const;

    // The saved game these standings belong to: loaded from it or saved to it.
    const std::optional<SavedGame> &savedGame() const { return m_savedGame; }
    void setSavedGame(const std::optional<SavedGame> &game);

    // Set when the committed standings change (a round, a rename) and
    // cleared when they are saved or a game is started or loaded. A step
    // back or forward sets it unless it lands on the standings last saved,
    // started or loaded.
    bool changedSinceSave() const { return m_changedSinceSave; }
    void markSaved();
    // True when leaving now would lose something: changed standings or
    // points typed for a team in play that were never committed.
    bool hasUnsavedStandings() const;

    // --- Starting and loading --------------------------------------------

    // What the setup window's start-up gives a game it will start: the
    // default maximum and no saved game.
    void prepareNewGame();
    // The chosen teams take slots 0 .. n-1 with no pending points. A race
    // or highlight of the game it replaces ends without committing, and a
    // total at or above the maximum raises it (see enterPoints).
    void startGame(const QList<TeamStanding> &teams);
    // A start of teams fetched from a saved game: the game's maximum (its
    // header's; the new game's when it has none, or one of 0 or below, which
    // no bar can be measured against) and its file come with them.
    void startSavedGame(const QList<TeamStanding> &teams, std::optional<qint32> maxScore,
                        const SavedGame &game);
    // The saved game's teams take the first slots; a file with fewer team
    // lines than it announced counts the lines it has. The maximum rises
    // above the totals as at a start; the file stays as it is until saved.
    void loadGame(const ScoreFileContent &content, const SavedGame &game);

    // A game brought back after the program ended without saving it: its
    // teams, maximum and saved game, all counting as unsaved. Tests set up
    // their games this way, as it is the one way to any maximum below the
    // totals' rule.
    void restoreGame(const Standings &standings, const std::optional<SavedGame> &game);

    // The undo and redo steps, so that a recovered game keeps them.
    GameHistory history() const;
    // Takes the steps of a game just restored, in place of its own.
    void restoreHistory(const GameHistory &history);

    // --- The presenter's operations --------------------------------------

    // Points typed for a team: rounded half to even, within -32768..32767,
    // added to its pending points. Typed during a race, they wait for the
    // next round. Each entry is a step undo takes back.
    PointsEntry enterPoints(int slot, const QString &typed);
    // The team's pending points go, as one step undo takes back. False when
    // it had none.
    bool clearPending(int slot);
    // A new name; false for a slot that does not exist or a name a team
    // cannot have (see TeamName::isUsable).
    bool renameTeam(int slot, const QString &name);

    // Neither does anything while a race runs: its bars grow at the scale
    // they started with, and a new one would make them jump at the commit.
    void raiseMaxScore();
    // Does nothing at or below 500, nor when the lowered maximum would not
    // stay above every team's total with its pending points.
    void lowerMaxScore();

    // Takes the pending points into the race, raises the maximum as
    // maxScoreAtStart() says, prepares every row's steps and starts the
    // race; ends a highlight first. Does nothing while a race runs or when
    // no points are pending (false).
    bool startRace();
    // One tick of the race: every row's running value takes a step; the
    // tick after the last growing one commits the points the race started
    // with, and nothing typed since.
    void raceTick();
    // The points a running race commits at its end.
    qint32 racingPoints(int slot) const { return m_racePoints.value(slot); }
    bool isRacing() const { return m_raceTimer.isActive(); }

    // Finds the leaders (every team on the highest committed score; pending
    // points do not count) and starts the highlight of their bars. Returns
    // the first leader's slot, or -1 while a race runs, when nothing happens.
    int showWinner();
    void highlightTick();
    bool isHighlighting() const { return m_highlightTimer.isActive(); }
    int highlightedTeam() const { return m_highlightedTeams.value(0); }
    // Every leader of the last highlight, lowest slot first.
    const QList<int> &highlightedTeams() const { return m_highlightedTeams; }

    // Steps back, newest first: a points entry typed since the last race
    // (one entry a step, and a cleared team's points come back), or the
    // standings before a committed round, a rename or a change of the
    // maximum, as many steps as the game has had since it was started or
    // loaded; and forward again. A round's step leaves the points pending
    // since alone; the bars are reset to the restored scores. Nothing
    // happens during a race. False when there is no step to take.
    bool undo();
    bool redo();
    bool canUndo() const { return !m_undoSteps.isEmpty(); }
    bool canRedo() const { return !m_redoSteps.isEmpty(); }

    // A game appears on a board: both counters start again.
    void resetCounters();
    // Stops the race and the highlight; a round stopped before its end
    // keeps its points pending.
    void stopAnimations();

    // --- The race in points -------------------------------------------

    // The race's counters, as the board keeps them.
    qint16 tickCount() const { return m_tickCount; }
    qint16 frame() const { return m_frame; }
    qint16 highlightColour() const { return m_colour; }
    // A row's step a tick and its running value, in points.
    double raceStep(int row) const;
    double raceValue(int row) const;
    // The number a racing bar shows: its running value, floored.
    std::optional<qint32> countingValue(int row) const;
    // Where a row's bar stands after the next tick of a running race: its
    // running value one step on, or, at the tick that commits, its committed
    // total. None outside a race, for a row beyond the board, or for a row
    // out of play at the commit.
    std::optional<double> nextRaceValue(int row) const;
    // The next tick commits the round (the bars are then redrawn at the
    // scale of the maximum and the board's width then).
    bool nextRaceTickCommits() const { return m_tickCount >= RaceTicks; }

signals:
    // Another game took this one's place (a start, a load, a recovery):
    // text typed for the old one and never applied belongs to no one.
    void gameReplaced();
    // The committed standings or the team count changed: scores, names, the
    // teams in play.
    void standingsChanged();
    void pendingChanged(int slot);
    void maxScoreChanged(qint32 maxScore);
    void savedGameChanged();
    // The bars go to their committed scores at once, at the scale the
    // maximum now gives: the maximum changed, a round was committed, a step
    // was undone or redone.
    void barsReset();
    void raceStarted();
    // A growing tick: the running values took a step; `frame` is the
    // running figure's frame to draw.
    void raceTicked(int frame);
    // The round is committed and the bars were reset to it.
    void raceFinished();
    // A counted tick of the highlight, once for each leader: the bar of
    // `slot` shows team colour `colour`, its own one in the last
    // ColourHoldTicks ticks.
    void highlightTicked(int slot, int frame, int colour);
    // The highlight is over: the bar takes its own colour again (once for
    // each leader).
    void highlightFinished(int slot);
    // An undo or redo step appeared or was taken.
    void historyChanged();

private:
    // The committed standings, as an undo step keeps them.
    struct Snapshot
    {
        qint32 announcedTeamCount = 0;
        qint32 maxScore = 0;
        SlotArray<QString, TeamSlots> names;
        SlotArray<qint32, TeamSlots> scores;
    };

    // An undo step: committed standings, or one points entry (a slot and
    // the points it added).
    struct Step
    {
        std::optional<Snapshot> standings;
        int slot = -1;
        qint32 points = 0;
    };

    void setMaxScore(qint32 maxScore);
    static qint32 usableMaxScore(std::optional<qint32> maxScore);
    // The committed score, the points racing and the pending points.
    std::optional<qint32> plannedTotal(int slot) const;
    bool addToPending(int slot, qint32 points);
    void rememberEntry(int slot, qint32 points);
    Step takeStep(const Step &step);
    // The teams and their committed scores, which a save keeps.
    QList<TeamStanding> teamStandings() const;
    void rememberSavedStandings();
    Snapshot snapshot() const;
    Standings standingsOf(const Snapshot &snapshot) const;
    Snapshot snapshotOf(const Standings &standings) const;
    void restore(const Snapshot &snapshot);
    void remember(const Snapshot &before);
    void forgetHistory();
    void endHighlight();
    // A start, load or recovery ends the race and highlight of the game it
    // replaces; the race's points are neither committed nor kept.
    void endOldGamesAnimations();
    // After a game comes in or a step back or forward: a committed score at
    // or above the maximum raises it to that score plus 100.
    void keepMaxAboveScores();

    SlotArray<QString, TeamSlots> m_names;
    SlotArray<qint32, TeamSlots> m_scores;
    SlotArray<qint32, TeamSlots> m_pending;
    SlotArray<qint32, TeamSlots> m_racePoints;
    qint32 m_announcedTeamCount = 0;
    qint32 m_maxScore = 0;
    std::optional<SavedGame> m_savedGame;
    bool m_changedSinceSave = false;
    // The team count and teams as last saved, started or loaded (none at
    // first); nothing for a recovered game, whose file may hold anything.
    std::optional<std::pair<qint32, QList<TeamStanding>>> m_savedStandings{std::in_place};

    QTimer m_raceTimer;
    QTimer m_highlightTimer;
    std::array<double, BoardRows> m_raceSteps{};
    std::array<double, BoardRows> m_raceValues{};
    qint16 m_tickCount = 0;
    qint16 m_frame = 0;
    qint16 m_colour = 0;
    int m_colourHeld = 0; // ticks the current colour has been shown
    QList<int> m_highlightedTeams{0};

    QList<Step> m_undoSteps;
    QList<Step> m_redoSteps;
    // The standings a running race started from, and where its step goes
    // among the undo steps: below the entries typed while it runs.
    std::optional<Snapshot> m_raceBefore;
    qsizetype m_raceStepIndex = 0;
};
