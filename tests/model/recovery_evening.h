#pragma once

#include "game_engine.h"
#include "recovery_file.h"

#include <QList>
#include <QString>

// The scripted evening of the recovery tests, step by step and without end:
// step 0 starts a four-team game, every later step is a round committed
// tick by tick, a rename, a change of the maximum or a name for the game.
// Every step changes what a recovery file keeps, so each step's game can
// be told from the others. The same steps on two engines give the same
// games, which is how a test knows what a killed helper had committed.
inline void playEveningStep(GameEngine &engine, int step)
{
    constexpr int teams = 4;
    if (step == 0) {
        engine.prepareNewGame();
        engine.startGame({{QStringLiteral("진리"), 0}, {QStringLiteral("Owls"), 0},
                          {QStringLiteral("소망"), 0}, {QStringLiteral("말씀 팀"), 0}});
        return;
    }
    switch (step % 6) {
    case 3:
        engine.renameTeam(step % teams, QStringLiteral("팀 %1").arg(step));
        return;
    case 5:
        engine.raiseMaxScore();
        return;
    case 0:
        engine.setSavedGame(SavedGame::named(QStringLiteral("저녁 %1").arg(step)));
        return;
    default:
        // Never zero for team 0, so that every round commits something.
        for (int slot = 0; slot < teams; ++slot)
            engine.enterPoints(slot, QString::number((step * 37 + slot * 11) % 60 + 1 - 10 * slot));
        engine.startRace();
        while (engine.isRacing())
            engine.raceTick();
        return;
    }
}

// The games recovery files written after steps 0 .. steps - 1 would hold.
inline QList<RecoveredGame> eveningGames(int steps)
{
    QList<RecoveredGame> games;
    GameEngine engine;
    for (int step = 0; step < steps; ++step) {
        playEveningStep(engine, step);
        games.append({engine.standings(), engine.savedGame()});
    }
    return games;
}
