#pragma once

#include "game_history.h"
#include "saved_games_folder.h"
#include "score_file.h"

#include <QByteArray>
#include <QDateTime>

#include <optional>

// A recovery file keeps the game on the board between its changes, so that
// a run that ends without a clean end (a crash, a flat battery) can bring it
// back: the committed standings, the saved game they belong to, when they
// last changed and the latest steps of their undo history, as a small
// versioned UTF-8 JSON object. Points typed for the round in flight are not
// kept.

struct RecoveredGame
{
    // announcedTeamCount is the number of teams kept.
    Standings standings;
    std::optional<SavedGame> savedGame;
    QDateTime changedAt; // invalid when not known
    GameHistory history;

    bool operator==(const RecoveredGame &) const = default;
};

// Larger files are no recovery file of this program.
inline constexpr qsizetype MaxRecoveryFileSize = 1024 * 1024;
// The undo and redo steps a file keeps, each way: the latest ones.
inline constexpr int MaxRecoveredSteps = 100;
// A saved game's name and file name; a file name has at most 255 bytes.
inline constexpr int MaxSavedGameNameLength = 255;

// The game's bytes, with the latest MaxRecoveredSteps steps of each way.
QByteArray recoveryFileBytes(const RecoveredGame &game);

// No value for anything but a whole recovery file of a version this program
// knows: damaged, cut short, too large, foreign or from a later version.
// It takes exactly what the program writes: one to eight teams with names a
// team can have (TeamName::isUsable), a maximum above 0, a saved game's
// name and file name of at most 255 characters and at most
// MaxRecoveredSteps steps each way. A saved game whose file name could
// reach outside the saved-games folder makes the file damaged, since the
// next save would write there.
std::optional<RecoveredGame> parseRecoveryFile(const QByteArray &bytes);
