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
    qint32 announcedTeamCount = 0;
    qint32 maxScore = 0;
    QList<TeamStanding> teams;

    bool operator==(const Standings &) const = default;
};

// --- Writing ---------------------------------------------------------------

// The file's bytes. Check with unwritableTeamName first: a name the file
// cannot carry would come out changed or forge lines of its own.
QByteArray scoreFileBytes(const Standings &standings);

// A team name the file cannot carry, and why.
struct UnwritableTeamName
{
    enum Reason {
        Unencodable, // a character code page 949 does not have
        BreaksLine,  // a line break or ";", which would split the team's line
        TooLong,     // a line longer than the reader takes
    };
    Reason reason;
    QString name;
};

// The first team whose name the file cannot carry as it is.
std::optional<UnwritableTeamName> unwritableTeamName(const Standings &standings);

// --- Reading ---------------------------------------------------------------

struct LoadedTeam
{
    QString name;
    QString scoreText; // as written in the file
    qint32 score = 0;
};

struct ScoreFileContent
{
    qint32 announcedTeamCount = 0;           // as the header announces it
    std::optional<qint32> maxScore; // absent when the header has no usable second field
    QList<LoadedTeam> teams;        // the teams that have a game slot, as read
    qint32 teamLinesRead = 0;       // all team lines read, kept or not
    // Something read could not be kept: teams beyond the slots, a score
    // that is not a number or lies outside the 32-bit range, blank lines
    // (stray line ends).
    bool lostSomething = false;
    bool allLinesRead() const { return teamLinesRead == announcedTeamCount; }
    bool complete() const { return allLinesRead() && !lostSomething; }
};

// Longest line a score file may hold; a longer one marks the file damaged.
inline constexpr qsizetype MaxScoreFileLine = 64 * 1024;

// Reads a score file: its header, then team lines until the announced count
// or the end of the data, whichever comes first; blank lines are passed
// over. No value for a file without a header whose team count is a number,
// or with an overlong line.
std::optional<ScoreFileContent> parseScoreFile(QIODevice &device);
