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
        if (m_pending.value(i) != 0)
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
    for (int slot = 0; slot < teams.size() && slot < TeamSlots; ++slot) {
        m_names.set(slot, teams.at(slot).name);
        m_scores.set(slot, teams.at(slot).score);
        if (m_pending.value(slot) != 0) {
            m_pending.set(slot, 0);
            emit pendingChanged(slot);
        }
    }
    m_announcedTeamCount = qint32(std::min<qsizetype>(teams.size(), TeamSlots));
    // A new game starts from zeros or from a saved file: nothing to lose yet.
    rememberSavedStandings();
    forgetHistory();
    emit standingsChanged();
}

void GameEngine::loadGame(const ScoreFileContent &content, const SavedGame &game)
{
    m_announcedTeamCount = content.allLinesRead() ? content.announcedTeamCount : content.teamLinesRead;
    // A header without a maximum gives the new game's.
    setMaxScore(content.maxScore.value_or(NewGameMaxScore));
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
    rememberSavedStandings();
    forgetHistory();
    emit standingsChanged();
}

void GameEngine::restoreGame(const Standings &standings, const std::optional<SavedGame> &game)
{
    startGame(standings.teams);
    setMaxScore(standings.maxScore);
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
    if (!points)
        return PointsEntry::Rejected;
    const bool added = m_pending.update(slot, [&](qint32 &pending) {
        return addInPlace(pending, qint32(*points));
    });
    if (!added)
        return PointsEntry::Rejected;
    emit pendingChanged(slot);

    const auto total = checkedAdd(m_scores.value(slot), m_pending.value(slot));
    if (!total || *total < m_maxScore)
        return PointsEntry::Added;
    // The total would reach the end of its track: the scale grows.
    if (const auto raised = checkedAdd(*total, MaxScoreStep))
        setMaxScore(*raised);
    emit barsReset();
    return PointsEntry::AddedRaisingMax;
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
        const auto total = checkedAdd(m_scores.value(i), m_pending.value(i));
        if (!total || *total >= *lowered)
            return;
    }
    remember(snapshot());
    setMaxScore(*lowered);
    emit barsReset();
}

bool GameEngine::startRace()
{
    // A second start would run the counters past the real totals.
    if (isRacing())
        return false;
    if (isHighlighting())
        endHighlight();
    for (int row = 0; row < BoardRows; ++row) {
        m_raceValues[std::size_t(row)] = m_scores.value(row);
        m_raceSteps[std::size_t(row)] = m_pending.value(row) / double(RaceTicks);
    }
    m_raceTimer.start();
    emit raceStarted();
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
    const Snapshot before = snapshot();
    bool committed = false;
    for (int row = 0; row < BoardRows; ++row) {
        const qint32 pending = m_pending.value(row);
        if (pending != 0
            && m_scores.update(row, [pending](qint32 &score) { return addInPlace(score, pending); }))
            committed = true;
        m_pending.set(row, 0);
        if (pending != 0)
            emit pendingChanged(row);
    }
    if (committed) {
        m_changedSinceSave = true;
        remember(before);
        emit standingsChanged();
    }
    emit barsReset();
    emit raceFinished();
}

int GameEngine::showWinner()
{
    // The shared counters would stretch the race and run its numbers past
    // the real totals.
    if (isRacing())
        return -1;
    m_highlightedTeam = 0;
    for (int i = 0; i < teamsInPlay(); ++i) {
        // Only a higher score takes the lead: a tie stays with the lower slot.
        if (m_scores.value(m_highlightedTeam) < m_scores.value(i))
            m_highlightedTeam = qint16(i);
    }
    m_tickCount = 0;
    m_frame = 0;
    m_colour = 0;
    m_colourHeld = 0;
    m_highlightTimer.start();
    return m_highlightedTeam;
}

void GameEngine::highlightTick()
{
    const qint16 shownFrame = m_frame;
    const bool returning = m_tickCount >= ColourCount * ColourHoldTicks;
    const qint16 shownColour = returning ? m_highlightedTeam : m_colour;
    m_frame = nextFrame(m_frame);
    if (++m_colourHeld == ColourHoldTicks) {
        m_colourHeld = 0;
        m_colour = nextColour(m_colour);
    }

    if (m_tickCount < HighlightTicks) {
        addInPlace(m_tickCount, qint16(1));
        emit highlightTicked(m_highlightedTeam, shownFrame, shownColour);
        return;
    }

    endHighlight();
}

void GameEngine::endHighlight()
{
    m_highlightTimer.stop();
    m_tickCount = 0;
    emit highlightFinished(m_highlightedTeam);
}

// --- Undo --------------------------------------------------------------------

GameEngine::Snapshot GameEngine::snapshot() const
{
    return {m_announcedTeamCount, m_maxScore, m_names, m_scores};
}

void GameEngine::restore(const Snapshot &snapshot)
{
    m_announcedTeamCount = snapshot.announcedTeamCount;
    m_names = snapshot.names;
    m_scores = snapshot.scores;
    setMaxScore(snapshot.maxScore);
    keepMaxAboveTotals();
    // A step back past a save has to be saved again, or leaving loses it.
    m_changedSinceSave = m_savedStandings != std::pair(m_announcedTeamCount, teamStandings());
    emit standingsChanged();
    emit barsReset();
    emit historyChanged();
}

void GameEngine::remember(const Snapshot &before)
{
    m_undoSteps.append(before);
    m_redoSteps.clear();
    emit historyChanged();
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
    m_redoSteps.append(snapshot());
    restore(m_undoSteps.takeLast());
    return true;
}

bool GameEngine::redo()
{
    if (isRacing() || m_redoSteps.isEmpty())
        return false;
    m_undoSteps.append(snapshot());
    restore(m_redoSteps.takeLast());
    return true;
}

void GameEngine::keepMaxAboveTotals()
{
    std::optional<qint32> highest;
    for (int i = 0; i < teamsInPlay(); ++i) {
        const auto total = checkedAdd(m_scores.value(i), m_pending.value(i));
        if (total && *total >= m_maxScore && (!highest || *total > *highest))
            highest = total;
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
    const auto total = checkedAdd(m_scores.value(row), m_pending.value(row));
    return total ? std::optional<double>(*total) : std::nullopt;
}
