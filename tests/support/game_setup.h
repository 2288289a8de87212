#pragma once

#include "game_engine.h"

#include <QList>
#include <QString>

// Puts a game with these teams (slots 0, 1, ...) on the engine, as a start
// from the setup window does, with the maximum score given.
inline void setUpGame(GameEngine &engine, const QList<TeamStanding> &teams,
                      qint32 maxScore = GameEngine::NewGameMaxScore)
{
    engine.setMaxScore(maxScore);
    engine.startGame(teams);
}

// Teams named "팀1", "팀2", ... with these scores.
inline QList<TeamStanding> numberedTeams(const QList<int> &scores)
{
    QList<TeamStanding> teams;
    for (int i = 0; i < scores.size(); ++i)
        teams.append({QStringLiteral("팀%1").arg(i + 1), scores[i]});
    return teams;
}
