#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <optional>

class QIODevice;

// A score file keeps the standings of one game: a header line
// "teams;maximum;50" and one "name;score" line per team, each line ending in
// CR LF, the text in code page 949.

struct TeamStanding
{
    QString name;
    qint32 score = 0;

    bool operator==(const TeamStanding &) const = default;
};

// What a save writes: the team count the game holds, the maximum score and
// the teams in play that have a slot.
struct Standings
{
    qint32 teamCount = 0;
    qint32 maxScore = 0;
    QList<TeamStanding> teams;

    bool operator==(const Standings &) const = default;
};

// --- Writing ---------------------------------------------------------------

// The file's bytes. Names that code page 949 cannot hold come out as "?";
// check with unencodableTeamName first.
QByteArray scoreFileBytes(const Standings &standings);

// The first team name that code page 949 cannot hold.
std::optional<QString> unencodableTeamName(const Standings &standings);

// --- Reading ---------------------------------------------------------------

struct LoadedTeam
{
    QString name;
    QString scoreText; // as written in the file
    qint32 score = 0;
};

struct ScoreFileContent
{
    qint32 teamCount = 0;           // as the header announces it
    std::optional<qint32> maxScore; // absent when the header has no usable second field
    QList<LoadedTeam> teams;        // the teams that have a game slot, as read
    qint32 teamLinesRead = 0;       // all team lines read, kept or not
    bool complete() const { return teamLinesRead == teamCount; }
};

// Longest line a score file may hold; a longer one marks the file damaged.
inline constexpr qsizetype MaxScoreFileLine = 64 * 1024;

// Reads a score file: its header, then team lines until the announced count
// or the end of the data, whichever comes first. No value for a file without
// a header whose team count is a number, or with an overlong line.
std::optional<ScoreFileContent> parseScoreFile(QIODevice &device);
