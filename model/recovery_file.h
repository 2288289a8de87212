#pragma once

#include "saved_games_folder.h"
#include "score_file.h"

#include <QByteArray>

#include <optional>

// A recovery file keeps the game on the board between its changes, so that
// a run that ends without a clean end (a crash, a flat battery) can bring it
// back: the committed standings and the saved game they belong to, as a
// small versioned UTF-8 JSON object. Points typed for the round in flight
// are not kept.

struct RecoveredGame
{
    // announcedTeamCount is the number of teams kept.
    Standings standings;
    std::optional<SavedGame> savedGame;

    bool operator==(const RecoveredGame &) const = default;
};

// Larger files are no recovery file of this program.
inline constexpr qsizetype MaxRecoveryFileSize = 1024 * 1024;

QByteArray recoveryFileBytes(const RecoveredGame &game);

// No value for anything but a whole recovery file of a version this program
// knows: damaged, cut short, too large, foreign or from a later version.
// A saved game whose file name could reach outside the saved-games folder
// makes the file damaged, since the next save would write there.
std::optional<RecoveredGame> parseRecoveryFile(const QByteArray &bytes);
