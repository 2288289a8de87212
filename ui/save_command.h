#pragma once

class Dialogs;
class GameEngine;
class SavedGamesFolder;

enum class SaveOutcome {
    Cancelled,      // no name given: nothing written, nothing said
    Refused,        // an unusable name or a name the file cannot hold: said so
    NotOverwritten, // the presenter kept the existing game of that name
    Saved,
    Failed,         // the file could not be written: said so
};

// The save command of the board: to the game's own file without asking when
// it came from a saved game, otherwise to a name the presenter types.
SaveOutcome saveStandings(GameEngine &engine, const SavedGamesFolder &folder, Dialogs &dialogs);

// Asks before leaving while the standings are unsaved; true to leave.
bool confirmLeaving(const GameEngine &engine, Dialogs &dialogs);
