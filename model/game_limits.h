#pragma once

#include <QtGlobal>

#include <algorithm>

// A game has eleven team slots; the board has rows for the first eight.
inline constexpr int TeamSlots = 11;
inline constexpr int BoardRows = 8;

// A game counts its teams three ways, each for its own use:
// - the announced team count is what a saved game's header says and what a
//   save writes back there: the teams a start chose, or what a file
//   announced, which may be more than there are slots (a file with fewer
//   team lines than it announces counts the lines it has);
// - the teams in play are the slots holding the game's teams, the announced
//   count within 0 .. TeamSlots: a save writes their lines, and their pending
//   points count as unsaved;
// - the rows shown are the teams with a row on the board and the console,
//   the announced count within 0 .. BoardRows.
constexpr int teamsInPlay(qint32 announcedTeamCount)
{
    return int(std::clamp<qint32>(announcedTeamCount, 0, TeamSlots));
}

constexpr int rowsShown(qint32 announcedTeamCount)
{
    return int(std::clamp<qint32>(announcedTeamCount, 0, BoardRows));
}
