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

// Reads the saved game from the folder into the engine. A file that cannot
// be read or is damaged changes nothing; one with fewer team lines than it
// announces loads the teams it has (Partial).
LoadResult loadSavedGame(GameEngine &engine, const SavedGamesFolder &folder, const SavedGame &game);
