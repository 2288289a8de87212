#pragma once

#include "saved_games_folder.h"
#include "score_file.h"

class GameEngine;

struct LoadResult
{
    enum Status { Loaded, Partial, Failed };
    Status status = Failed;
    // The teams read into the game's slots, with their scores as written.
    QList<LoadedTeam> teams;
};

// Eight teams need a few hundred bytes; a saved game larger than this is a
// damaged file and is not read at all.
inline constexpr qint64 MaxSavedGameSize = 1024 * 1024;

// Reads the saved game from the folder into the engine. A file that cannot
// be read or is damaged changes nothing; one with fewer team lines than it
// announces, with lines the game cannot keep or with more teams than the
// board has rows, loads the teams it has (Partial).
LoadResult loadSavedGame(GameEngine &engine, const SavedGamesFolder &folder, const SavedGame &game);
