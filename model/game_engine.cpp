#include "game_engine.h"

#include "checked.h"
#include "conversions.h"
#include "team_name.h"

#include <algorithm>

namespace {

bool isRow(int row)
{
    return row >= 0 && row < BoardRows;
}

} // namespace

GameEngine::GameEngine(QObject *parent)
    : QObject(parent)
{
    for (QTimer *timer : {&m_raceTimer, &m_highlightTimer}) {
        timer->setParent(this);
        timer->setInterval(TickIntervalMs);
        timer->setTimerType(Qt::PreciseTimer);
    }
    // The names automation and tests find the two timers by.
    m_raceTimer.setObjectName(QStringLiteral("Timer1"));
    m_highlightTimer.setObjectName(QStringLiteral("Timer2"));
    connect(&m_raceTimer, &QTimer::timeout, this, &GameEngine::raceTick);
    connect(&m_highlightTimer, &QTimer::timeout, this, &GameEngine::highlightTick);
}

GameEngine::~GameEngine() = default;

// --- Teams and standings -----------------------------------------------------

Standings GameEngine::standings() const
{
    return {m_announcedTeamCount, m_maxScore, teamStandings()};
}

QList<TeamStanding> GameEngine::teamStandings() const
{
    QList<TeamStanding> teams;
    for (int i = 0; i < teamsInPlay(); ++i)
        teams.append({m_names.value(i), m_scores.value(i)});
    return teams;
}

void GameEngine::rememberSavedStandings()
{
    m_changedSinceSave = false;
    m_savedStandings.emplace(m_announcedTeamCount, teamStandings());
}

void GameEngine::setSavedGame(const std::optional<SavedGame> &game)
{
    if (game == m_savedGame)
        return;
    m_savedGame = game;
    emit savedGameChanged();
}

void GameEngine::markSaved()
{
    rememberSavedStandings();
}

bool GameEngine::hasUnsavedStandings() const
{
    if (m_changedSinceSave)
        return true;
    for (int i = 0; i < teamsInPlay(); ++i) {
        if (m_pending.value(i) != 0 || m_racePoints.value(i) != 0)
            return true;
    }
    return false;
}

std::optional<qint32> GameEngine::plannedTotal(int slot) const
{
    const auto racing = checkedAdd(m_scores.value(slot), m_racePoints.value(slot));
    return racing ? checkedAdd(*racing, m_pending.value(slot)) : std::nullopt;
}

qint32 GameEngine::maxScoreAtStart() const
{
    std::optional<qint32> highest;
    for (int row = 0; row < BoardRows; ++row) {
        if (m_pending.value(row) == 0)
            continue;
        const auto total = plannedTotal(row);
        if (total && *total >= m_maxScore && (!highest || *total > *highest))
            highest = total;
    }
    if (!highest)
        return m_maxScore;
    return checkedAdd(*highest, MaxScoreStep).value_or(m_maxScore);
}

bool GameEngine::hasPointsToAdd() const
{
    for (int row = 0; row < BoardRows; ++row) {
        if (m_pending.value(row) != 0)
            return true;
    }
    return false;
}

// --- Starting and loading ----------------------------------------------------

void GameEngine::prepareNewGame()
{
    setMaxScore(NewGameMaxScore);
    setSavedGame(std::nullopt);
}

void GameEngine::startGame(const QList<TeamStanding> &teams)
{
    endOldGamesAnimations();
    for (int slot = 0; slot < teams.size() && slot < TeamSlots; ++slot) {
        m_names.set(slot, teams.at(slot).name);
        m_scores.set(slot, teams.at(slot).score);
        if (m_pending.value(slot) != 0) {
            m_pending.set(slot, 0);
            emit pendingChanged(slot);
        }
    }
    m_announcedTeamCount = qint32(std::min<qsizetype>(teams.size(), TeamSlots));
    keepMaxAboveScores();
    // A new game starts from zeros or from a saved file: nothing to lose yet.
    rememberSavedStandings();
    forgetHistory();
    emit gameReplaced();
    emit standingsChanged();
}

void GameEngine::endOldGamesAnimations()
{
    // Its bars and counters belong to the teams that just left.
    if (isHighlighting())
        endHighlight();
    if (isRacing()) {
        m_raceTimer.stop();
        m_tickCount = 0;
        m_raceBefore.reset();
        for (int row = 0; row < BoardRows; ++row)
            m_racePoints.set(row, 0);
        emit barsReset();
    }
}

void GameEngine::startSavedGame(const QList<TeamStanding> &teams, std::optional<qint32> maxScore,
                                const SavedGame &game)
{
    setMaxScore(usableMaxScore(maxScore));
    setSavedGame(game);
    startGame(teams);
}

qint32 GameEngine::usableMaxScore(std::optional<qint32> maxScore)
{
    return maxScore.value_or(0) > 0 ? *maxScore : NewGameMaxScore;
}

void GameEngine::loadGame(const ScoreFileContent &content, const SavedGame &game)
{
    endOldGamesAnimations();
    m_announcedTeamCount = content.allLinesRead() ? content.announcedTeamCount : content.teamLinesRead;
    setMaxScore(usableMaxScore(content.maxScore));
    for (int i = 0; i < content.teams.size(); ++i) {
        m_names.set(i, content.teams.at(i).name);
        m_scores.set(i, content.teams.at(i).score);
    }
    // Points typed for the game on the board before belong to its teams.
    for (int slot = 0; slot < TeamSlots; ++slot) {
        if (m_pending.value(slot) != 0) {
            m_pending.set(slot, 0);
            emit pendingChanged(slot);
        }
    }
    setSavedGame(game);
    keepMaxAboveScores();
    rememberSavedStandings();
    forgetHistory();
    emit gameReplaced();
    emit standingsChanged();
}

void GameEngine::restoreGame(const Standings &standings, const std::optional<SavedGame> &game)
{
    setMaxScore(standings.maxScore);
    startGame(standings.teams);
    setSavedGame(game);
    m_changedSinceSave = true;
    m_savedStandings.reset();
    emit standingsChanged();
}

void GameEngine::setMaxScore(qint32 maxScore)
{
    if (maxScore == m_maxScore)
        return;
    m_maxScore = maxScore;
    emit maxScoreChanged(m_maxScore);
}

// --- The presenter's operations ----------------------------------------------

GameEngine::PointsEntry GameEngine::enterPoints(int slot, const QString &typed)
{
    const auto points = textToInteger(typed);
    if (!points || !addToPending(slot, qint32(*points)))
        return PointsEntry::Rejected;
    if (*points != 0)
        rememberEntry(slot, qint32(*points));

    // The total would reach the end of its track: the scale grows, but only
    // when the race starts, so the hall learns nothing before it.
    const auto total = plannedTotal(slot);
    return total && *total >= m_maxScore ? PointsEntry::AddedRaisingMax : PointsEntry::Added;
}

bool GameEngine::addToPending(int slot, qint32 points)
{
    const bool added = m_pending.update(slot, [&](qint32 &pending) { return addInPlace(pending, points); });
    if (added)
        emit pendingChanged(slot);
    return added;
}

bool GameEngine::clearPending(int slot)
{
    const qint32 pending = m_pending.value(slot);
    if (pending == 0)
        return false;
    m_pending.set(slot, 0);
    emit pendingChanged(slot);
    rememberEntry(slot, qint32(-qint64(pending)));
    return true;
}

bool GameEngine::renameTeam(int slot, const QString &name)
{
    if (!m_names.contains(slot) || !TeamName::isUsable(name))
        return false;
    if (m_names.value(slot) != name) {
        remember(snapshot());
        m_names.set(slot, name);
        m_changedSinceSave = true;
        emit standingsChanged();
    }
    return true;
}

void GameEngine::raiseMaxScore()
{
    if (isRacing())
        return;
    if (const auto raised = checkedAdd(m_maxScore, MaxScoreStep)) {
        remember(snapshot());
        setMaxScore(*raised);
    }
    emit barsReset();
}

void GameEngine::lowerMaxScore()
{
    if (isRacing() || m_maxScore <= LowestMaxScore)
        return;
    const auto lowered = checkedSub(m_maxScore, MaxScoreStep);
    if (!lowered)
        return;
    // A bar must never run past the end of its track.
    for (int i = 0; i < teamsInPlay(); ++i) {
        const auto total = plannedTotal(i);
        if (!total || *total >= *lowered)
            return;
    }
    remember(snapshot());
    setMaxScore(*lowered);
    emit barsReset();
}

bool GameEngine::startRace()
{
    // A second start would run the counters past the real totals, and a
    // start with nothing to add would only lock the commands for a while.
    if (isRacing() || !hasPointsToAdd())
        return false;
    if (isHighlighting())
        endHighlight();
    m_raceBefore = snapshot();
    const qint32 raised = maxScoreAtStart();
    if (raised != m_maxScore) {
        setMaxScore(raised);
        emit barsReset();
    }
    // The race takes the round's points; what is typed while it runs waits
    // for the next one.
    for (int row = 0; row < BoardRows; ++row) {
        const qint32 points = m_pending.value(row);
        m_racePoints.set(row, points);
        m_raceValues[std::size_t(row)] = m_scores.value(row);
        m_raceSteps[std::size_t(row)] = points / double(RaceTicks);
        if (points != 0) {
            m_pending.set(row, 0);
            emit pendingChanged(row);
        }
    }
    // The entries are in the round now: undo takes the round back whole.
    const qsizetype before = m_undoSteps.size();
    m_undoSteps.removeIf([](const Step &step) { return !step.standings; });
    m_raceStepIndex = m_undoSteps.size();
    m_raceTimer.start();
    emit raceStarted();
    if (before != m_undoSteps.size())
        emit historyChanged();
    return true;
}

void GameEngine::raceTick()
{
    const qint16 shownFrame = m_frame;
    m_frame = nextFrame(m_frame);

    if (m_tickCount < RaceTicks) {
        addInPlace(m_tickCount, qint16(1));
        for (int row = 0; row < BoardRows; ++row)
            m_raceValues[std::size_t(row)] += m_raceSteps[std::size_t(row)];
        emit raceTicked(shownFrame);
        return;
    }

    m_raceTimer.stop();
    m_tickCount = 0;
    bool committed = false;
    for (int row = 0; row < BoardRows; ++row) {
        const qint32 points = m_racePoints.value(row);
        if (points != 0
            && m_scores.update(row, [points](qint32 &score) { return addInPlace(score, points); }))
            committed = true;
        m_racePoints.set(row, 0);
    }
    if (committed)
        m_changedSinceSave = true;
    // Ticks given by hand with no start before them commit no round.
    if (m_raceBefore && (committed || m_raceBefore->maxScore != m_maxScore)) {
        m_undoSteps.insert(std::min(m_raceStepIndex, m_undoSteps.size()), Step{*m_raceBefore});
        m_redoSteps.clear();
        emit historyChanged();
    }
    m_raceBefore.reset();
    if (committed)
        emit standingsChanged();
    emit barsReset();
    emit raceFinished();
}

int GameEngine::showWinner()
{
    // The shared counters would stretch the race and run its numbers past
    // the real totals.
    if (isRacing())
        return -1;
    if (isHighlighting())
        endHighlight();
    // Every team on the highest score wins: a tie has as many winners.
    m_highlightedTeams = {0};
    for (int i = 1; i < teamsInPlay(); ++i) {
        const qint32 leading = m_scores.value(m_highlightedTeams.constFirst());
        if (m_scores.value(i) > leading)
            m_highlightedTeams = {i};
        else if (m_scores.value(i) == leading)
            m_highlightedTeams.append(i);
    }
    m_tickCount = 0;
    m_frame = 0;
    m_colour = 0;
    m_colourHeld = 0;
    m_highlightTimer.start();
    return highlightedTeam();
}

void GameEngine::highlightTick()
{
    const qint16 shownFrame = m_frame;
    const bool returning = m_tickCount >= ColourCount * ColourHoldTicks;
    const qint16 shownColour = m_colour;
    m_frame = nextFrame(m_frame);
    if (++m_colourHeld == ColourHoldTicks) {
        m_colourHeld = 0;
        m_colour = nextColour(m_colour);
    }

    if (m_tickCount < HighlightTicks) {
        addInPlace(m_tickCount, qint16(1));
        // In its last ticks each leader's bar returns to its own colour.
        for (const int slot : std::as_const(m_highlightedTeams))
            emit highlightTicked(slot, shownFrame, returning ? qint16(slot) : shownColour);
        return;
    }

    endHighlight();
}

void GameEngine::endHighlight()
{
    m_highlightTimer.stop();
    m_tickCount = 0;
    for (const int slot : std::as_const(m_highlightedTeams))
        emit highlightFinished(slot);
}

// --- Undo --------------------------------------------------------------------

GameEngine::Snapshot GameEngine::snapshot() const
{
    return {m_announcedTeamCount, m_maxScore, m_names, m_scores};
}

Standings GameEngine::standingsOf(const Snapshot &snapshot) const
{
    Standings standings{snapshot.announcedTeamCount, snapshot.maxScore, {}};
    for (int i = 0; i < ::teamsInPlay(snapshot.announcedTeamCount); ++i)
        standings.teams.append({snapshot.names.value(i), snapshot.scores.value(i)});
    return standings;
}

GameEngine::Snapshot GameEngine::snapshotOf(const Standings &standings) const
{
    Snapshot step = snapshot();
    step.announcedTeamCount = qint32(standings.teams.size());
    step.maxScore = standings.maxScore;
    for (int i = 0; i < standings.teams.size(); ++i) {
        step.names.set(i, standings.teams.at(i).name);
        step.scores.set(i, standings.teams.at(i).score);
    }
    return step;
}

GameHistory GameEngine::history() const
{
    // Typed entries are pending points, which a recovered game starts
    // without: only the steps of the standings are kept.
    GameHistory kept;
    for (const Step &step : m_undoSteps) {
        if (step.standings)
            kept.undoSteps.append(standingsOf(*step.standings));
    }
    for (const Step &step : m_redoSteps) {
        if (step.standings)
            kept.redoSteps.append(standingsOf(*step.standings));
    }
    return kept;
}

void GameEngine::restoreHistory(const GameHistory &history)
{
    // A step with more teams than there are slots would lose some of them.
    const auto fits = [](const Standings &step) { return step.teams.size() <= TeamSlots; };
    m_undoSteps.clear();
    m_redoSteps.clear();
    for (const Standings &step : history.undoSteps) {
        if (fits(step))
            m_undoSteps.append(Step{snapshotOf(step)});
    }
    for (const Standings &step : history.redoSteps) {
        if (fits(step))
            m_redoSteps.append(Step{snapshotOf(step)});
    }
    emit historyChanged();
}

void GameEngine::restore(const Snapshot &snapshot)
{
    m_announcedTeamCount = snapshot.announcedTeamCount;
    m_names = snapshot.names;
    m_scores = snapshot.scores;
    setMaxScore(snapshot.maxScore);
    keepMaxAboveScores();
    // A step back past a save has to be saved again, or leaving loses it.
    m_changedSinceSave = m_savedStandings != std::pair(m_announcedTeamCount, teamStandings());
    emit standingsChanged();
    emit barsReset();
}

void GameEngine::remember(const Snapshot &before)
{
    m_undoSteps.append(Step{before});
    m_redoSteps.clear();
    emit historyChanged();
}

void GameEngine::rememberEntry(int slot, qint32 points)
{
    m_undoSteps.append(Step{std::nullopt, slot, points});
    m_redoSteps.clear();
    emit historyChanged();
}

// Takes a step back or forward; what takes it the other way.
GameEngine::Step GameEngine::takeStep(const Step &step)
{
    if (!step.standings) {
        // An entry goes as it came; a sum that no longer fits leaves the
        // pending points as they are.
        const auto back = qint32(-qint64(step.points));
        addToPending(step.slot, back);
        return {std::nullopt, step.slot, back};
    }
    Step other{snapshot()};
    restore(*step.standings);
    return other;
}

void GameEngine::forgetHistory()
{
    if (m_undoSteps.isEmpty() && m_redoSteps.isEmpty())
        return;
    m_undoSteps.clear();
    m_redoSteps.clear();
    emit historyChanged();
}

bool GameEngine::undo()
{
    if (isRacing() || m_undoSteps.isEmpty())
        return false;
    const Step step = m_undoSteps.takeLast();
    m_redoSteps.append(takeStep(step));
    emit historyChanged();
    return true;
}

bool GameEngine::redo()
{
    if (isRacing() || m_redoSteps.isEmpty())
        return false;
    const Step step = m_redoSteps.takeLast();
    m_undoSteps.append(takeStep(step));
    emit historyChanged();
    return true;
}

void GameEngine::keepMaxAboveScores()
{
    std::optional<qint32> highest;
    for (int i = 0; i < teamsInPlay(); ++i) {
        const qint32 score = m_scores.value(i);
        if (score >= m_maxScore && (!highest || score > *highest))
            highest = score;
    }
    if (!highest)
        return;
    if (const auto raised = checkedAdd(*highest, MaxScoreStep))
        setMaxScore(*raised);
}

void GameEngine::resetCounters()
{
    m_tickCount = 0;
    m_frame = 0;
}

void GameEngine::stopAnimations()
{
    // A round stopped before its end is not committed: its points are
    // pending again, beside whatever was typed while it ran.
    if (isRacing()) {
        m_raceBefore.reset();
        for (int row = 0; row < BoardRows; ++row) {
            const qint32 points = m_racePoints.value(row);
            m_racePoints.set(row, 0);
            if (points != 0)
                addToPending(row, points);
        }
    }
    m_raceTimer.stop();
    m_highlightTimer.stop();
}

// --- The race in points -------------------------------------------------------

double GameEngine::raceStep(int row) const
{
    return isRow(row) ? m_raceSteps[std::size_t(row)] : 0.0;
}

double GameEngine::raceValue(int row) const
{
    return isRow(row) ? m_raceValues[std::size_t(row)] : 0.0;
}

std::optional<qint32> GameEngine::countingValue(int row) const
{
    return floorToLong(raceValue(row));
}

std::optional<double> GameEngine::nextRaceValue(int row) const
{
    if (!isRacing() || !isRow(row))
        return std::nullopt;
    if (m_tickCount < RaceTicks)
        return m_raceValues[std::size_t(row)] + m_raceSteps[std::size_t(row)];
    if (row >= rowsShown())
        return std::nullopt;
    const auto total = checkedAdd(m_scores.value(row), m_racePoints.value(row));
    return total ? std::optional<double>(*total) : std::nullopt;
}
