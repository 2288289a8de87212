#include "score_file.h"

#include "code_page.h"
#include "conversions.h"
#include "game_limits.h"

#include <QIODevice>
#include <QStringList>

#include <algorithm>

namespace {

const QByteArray lineEnd = QByteArrayLiteral("\r\n");

// Reads one line of at most MaxScoreFileLine bytes; CR LF, CR and LF all end
// a line. No value at the end of the data; `tooLong` tells an overlong line.
std::optional<QByteArray> readLine(QIODevice &device, bool &tooLong)
{
    QByteArray line;
    char c = 0;
    bool any = false;
    while (device.getChar(&c)) {
        any = true;
        if (c == '\n')
            return line;
        if (c == '\r') {
            char next = 0;
            if (device.getChar(&next) && next != '\n')
                device.ungetChar(next);
            return line;
        }
        if (line.size() >= MaxScoreFileLine) {
            tooLong = true;
            return std::nullopt;
        }
        line.append(c);
    }
    if (!any)
        return std::nullopt;
    return line;
}

} // namespace

QByteArray scoreFileBytes(const Standings &standings)
{
    const QString header = numberText(standings.announcedTeamCount) + u';' + numberText(standings.maxScore)
                           + QStringLiteral(";50");
    QByteArray bytes = CodePage949::encode(header) + lineEnd;
    for (const TeamStanding &team : standings.teams)
        bytes += CodePage949::encode(team.name + u';' + numberText(team.score)) + lineEnd;
    return bytes;
}

std::optional<UnwritableTeamName> unwritableTeamName(const Standings &standings)
{
    for (const TeamStanding &team : standings.teams) {
        const bool breaksLine = std::any_of(team.name.begin(), team.name.end(), [](QChar c) {
            return c == u'\r' || c == u'\n' || c == u';';
        });
        if (breaksLine)
            return UnwritableTeamName{UnwritableTeamName::BreaksLine, team.name};
        if (!CodePage949::canEncode(team.name))
            return UnwritableTeamName{UnwritableTeamName::Unencodable, team.name};
        const qsizetype lineLength = CodePage949::encode(team.name).size() + 1
                                     + numberText(team.score).size();
        if (lineLength > MaxScoreFileLine)
            return UnwritableTeamName{UnwritableTeamName::TooLong, team.name};
    }
    return std::nullopt;
}

std::optional<ScoreFileContent> parseScoreFile(QIODevice &device)
{
    bool tooLong = false;
    const auto header = readLine(device, tooLong);
    if (!header)
        return std::nullopt;
    const QStringList fields = CodePage949::decode(*header).split(u';');
    const auto count = textToLong(fields.value(0));
    if (!count || *count < 0)
        return std::nullopt;

    ScoreFileContent content;
    content.announcedTeamCount = *count;
    if (fields.size() >= 2)
        content.maxScore = textToLong(fields.at(1));

    while (content.teamLinesRead < content.announcedTeamCount) {
        const auto line = readLine(device, tooLong);
        if (!line)
            break;
        if (line->isEmpty()) {
            // A written team line always holds its ";": a blank one is a stray
            // line end (CR CR LF), not a team.
            content.lostSomething = true;
            continue;
        }
        ++content.teamLinesRead;
        if (content.teams.size() >= TeamSlots) {
            content.lostSomething = true; // read and skipped: there is no slot for it
            continue;
        }
        const QString text = CodePage949::decode(*line) + u';';
        const qsizetype first = text.indexOf(u';');
        const qsizetype second = text.indexOf(u';', first + 1);
        LoadedTeam team;
        team.name = text.left(first);
        team.scoreText = second < 0 ? text.mid(first + 1) : text.mid(first + 1, second - first - 1);
        // A score that cannot be read, or that does not fit, gives 0 rather
        // than what the slot held before, and the load says it lost it.
        const auto value = parseNumber(team.scoreText);
        const auto score = value ? floorToLong(*value) : std::nullopt;
        if (!score)
            content.lostSomething = true;
        team.score = score.value_or(0);
        content.teams.append(team);
    }
    if (tooLong)
        return std::nullopt;
    return content;
}
