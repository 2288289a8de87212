#pragma once

#include "game_engine.h"

#include <QList>
#include <QString>

#include <algorithm>
#include <limits>

// Puts a game with these teams (slots 0, 1, ...) and this maximum on the
// engine through its own operations: brought back as a recovered game is,
// the one way to any maximum, and saved at once, as a start leaves a game.
inline void setUpGame(GameEngine &engine, const QList<TeamStanding> &teams,
                      qint32 maxScore = GameEngine::NewGameMaxScore)
{
    engine.restoreGame({qint32(teams.size()), maxScore, teams}, std::nullopt);
    engine.markSaved();
}

// Teams named "팀1", "팀2", ... with these scores.
inline QList<TeamStanding> numberedTeams(const QList<int> &scores)
{
    QList<TeamStanding> teams;
    for (int i = 0; i < scores.size(); ++i)
        teams.append({QStringLiteral("팀%1").arg(i + 1), scores[i]});
    return teams;
}

// Adds `points` to a slot's pending points the way the presenter types
// them, as many entries as the entry's range needs; each follows the
// entry's rules (a total reaching the maximum raises it).
inline void addPendingPoints(GameEngine &engine, int slot, qint64 points)
{
    constexpr qint64 most = std::numeric_limits<qint16>::max();
    while (points != 0) {
        const qint64 part = std::clamp(points, -most, most);
        if (engine.enterPoints(slot, QString::number(part)) == GameEngine::PointsEntry::Rejected)
            return;
        points -= part;
    }
}

// The points typed for each slot (0, 1, ...), then the race run tick by
// tick to its commit.
inline void playRound(GameEngine &engine, const QList<qint64> &points)
{
    for (int slot = 0; slot < points.size(); ++slot)
        addPendingPoints(engine, slot, points[slot]);
    engine.startRace();
    while (engine.isRacing())
        engine.raceTick();
}
