#pragma once

#include "saved_games.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

class Dialogs;
class QIODevice;
struct Module1;

// A score file keeps the standings of one game: a header line
// "Team_Count;Max_Score;50" and one "name;score" line per team, each line
// ending in CR LF, the text in code page 949 so that files move freely
// between this program and the older copies on Korean Windows.

// --- Writing ---------------------------------------------------------------

// The file's bytes for the teams in play. Names that code page 949 cannot
// hold come out as "?"; check with unencodableTeamName first.
QByteArray scoreFileBytes(const Module1 &state);

// The first name of a team in play that code page 949 cannot hold.
std::optional<QString> unencodableTeamName(const Module1 &state);

// Whether a typed name can name a saved game: no \ / : * ? " < > |, no
// control characters, no leading "." (which would hide the file). Spaces
// are allowed where typed.
bool isUsableSaveName(const QString &name);

// Writes `bytes` to `path` so that the old file is replaced only by a
// complete new one; creates the folder when it is missing.
bool writeScoreFile(const QString &path, const QByteArray &bytes);

enum class SaveOutcome {
    Cancelled,    // no name given: nothing written, nothing said
    Refused,      // unusable name or a name the file cannot hold: said so
    NotOverwritten, // the presenter kept the existing game of that name
    Saved,
    Failed,       // the file could not be written: said so
};

// The save command of the board: to the loaded game's file without asking,
// otherwise to a name the presenter types.
SaveOutcome saveScoreFile(Module1 &state, Dialogs &dialogs);

// --- Reading ---------------------------------------------------------------

struct LoadedTeam
{
    QString name;
    QString scoreText; // as written in the file
    qint32 score = 0;
};

struct ScoreFileContent
{
    qint32 teamCount = 0;              // as the header announces it
    std::optional<qint32> maxScore;    // absent when the header has no usable second field
    QList<LoadedTeam> teams;           // the first game slots' teams, as read
    qint32 teamLinesRead = 0;          // all team lines read, stored or not
    bool complete() const { return teamLinesRead == teamCount; }
};

// Longest line a score file may hold; a longer one marks the file damaged.
inline constexpr qsizetype Max_Line_Length = 64 * 1024;

// Reads a score file: its header, then team lines until the announced count
// or the end of the data, whichever comes first. No value for a file without
// a header whose team count is a number, or with an overlong line.
std::optional<ScoreFileContent> parseScoreFile(QIODevice &device);

struct LoadResult
{
    enum Status { Loaded, Partial, Failed };
    Status status = Failed;
    // The eight team check boxes of the setup window: "name(score점)" for each
    // loaded team, "" for the others. Empty when the load failed.
    QStringList captions;
    int grayedTeams = 0; // check boxes 0 .. grayedTeams-1 show loaded teams
};

// Loads the saved game into the game state. On failure nothing changes.
LoadResult readScoreFile(Module1 &state, const SavedGame &game);

// readScoreFile, telling the presenter when the game could not be loaded,
// or only in part.
LoadResult Read_Score_File(Module1 &state, const SavedGame &game, Dialogs &dialogs);
