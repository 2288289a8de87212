#pragma once

#include "score_file.h"

#include <QList>

// A game's undo and redo steps as the standings of its teams in play, oldest
// first: what a recovered game keeps of its history.
struct GameHistory
{
    QList<Standings> undoSteps;
    QList<Standings> redoSteps;

    bool operator==(const GameHistory &) const = default;
};
