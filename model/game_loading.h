#pragma once

#include "saved_games_folder.h"
#include "score_file.h"

#include <optional>

class GameEngine;

struct LoadResult
{
    enum Status { Loaded, Partial, Failed };
    Status status = Failed;
    // The teams read into the game's slots, with their scores as written.
    QList<LoadedTeam> teams;
    // What was read; none when the load failed.
    std::optional<ScoreFileContent> content;
};

// Eight teams need a few hundred bytes; a saved game larger than this is a
// damaged file and is not read at all.
inline constexpr qint64 MaxSavedGameSize = 1024 * 1024;

// Reads the saved game from the folder and changes nothing else. A file
// that cannot be read or is damaged fails; one with fewer team lines than it
// announces, with lines the game cannot keep or with more teams than the
// board has rows, gives the teams it has (Partial).
LoadResult readSavedGame(const SavedGamesFolder &folder, const SavedGame &game);

// Reads the saved game and puts it into the engine unless the read failed.
LoadResult loadSavedGame(GameEngine &engine, const SavedGamesFolder &folder, const SavedGame &game);
