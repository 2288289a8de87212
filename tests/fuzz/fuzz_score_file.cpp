// Feeds arbitrary bytes to the score-file reader, once from memory and once
// as a saved game loaded into an engine, and checks that whatever it accepts
// leaves the game in its ranges and saves back to what was loaded; then reads
// the same bytes as standings and checks that the writer either refuses them
// or writes what the reader gives back unchanged. Any crash,
// hang, out-of-bounds read or broken invariant stops the fuzzer with the
// input that caused it.

#include "game_engine.h"
#include "game_limits.h"
#include "game_loading.h"
#include "saved_games_folder.h"
#include "score_file.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

void require(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "broken invariant: %s\n", what);
        std::abort();
    }
}

// Whatever a file holds, the reader reads no more team lines than it has.
qsizetype lineCountBound(const QByteArray &bytes)
{
    return bytes.count('\n') + bytes.count('\r') + 1;
}

std::optional<ScoreFileContent> parse(const QByteArray &bytes)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    require(buffer.open(QIODevice::ReadOnly), "a buffer opens");
    return parseScoreFile(buffer);
}

void checkContent(const ScoreFileContent &content, const QByteArray &bytes)
{
    require(content.announcedTeamCount >= 0, "announced count is not negative");
    require(content.teamLinesRead >= 0 && content.teamLinesRead <= content.announcedTeamCount,
            "team lines read stay within the announced count");
    require(content.teamLinesRead < lineCountBound(bytes), "no more team lines than the data holds");
    require(content.teams.size() <= TeamSlots, "teams stored fit the slots");
    require(content.teams.size() <= content.teamLinesRead, "each stored team was read");
    for (const LoadedTeam &team : content.teams) {
        require(team.name.size() <= MaxScoreFileLine, "a name is no longer than a line");
        require(team.scoreText.size() <= MaxScoreFileLine, "a score text is no longer than a line");
    }
}

const QString before = QStringLiteral("before");

// A game that a load must either leave alone or fill consistently: every
// slot filled by an earlier game, three of them in play, points typed for
// all, nothing saved.
void setUpEarlierGame(GameEngine &engine)
{
    const QList<TeamStanding> teams(TeamSlots, TeamStanding{before, 7});
    engine.restoreGame({TeamSlots, 500, teams}, std::nullopt);
    engine.restoreGame({3, 500, teams.first(3)}, SavedGame::named(before));
    for (int i = 0; i < TeamSlots; ++i)
        engine.enterPoints(i, QStringLiteral("1"));
}

void checkLoad(const QByteArray &bytes, const std::optional<ScoreFileContent> &parsed)
{
    static QTemporaryDir dir;
    require(dir.isValid(), "a temporary folder for the saved game");
    const SavedGamesFolder folder(dir.path());
    const SavedGame game = SavedGame::named(QStringLiteral("fuzz"));
    {
        QFile file(folder.filePath(game));
        require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the saved game can be written");
        require(file.write(bytes) == bytes.size(), "the saved game is written whole");
    }

    GameEngine engine;
    setUpEarlierGame(engine);
    const LoadResult result = loadSavedGame(engine, folder, game);

    for (int i = 0; i < TeamSlots; ++i)
        require(engine.pendingPoints(i) == (result.status == LoadResult::Failed ? 1 : 0),
                "a load clears the points typed for the game before, a failed one keeps them");
    if (result.status == LoadResult::Failed) {
        require(!parsed, "the file fails to load exactly when it cannot be parsed");
        require(result.teams.isEmpty(), "a failed load gives no teams");
        require(engine.announcedTeamCount() == 3 && engine.maxScore() == 500, "a failed load changes nothing");
        require(engine.savedGame() == SavedGame::named(before) && engine.changedSinceSave(),
                "a failed load keeps the game");
        for (int i = 0; i < TeamSlots; ++i)
            require(engine.teamName(i) == before && engine.score(i) == 7, "a failed load keeps every slot");
        return;
    }
    require(parsed.has_value(), "a loaded file can be parsed");
    require((result.status == LoadResult::Loaded) == (parsed->complete() && parsed->teamLinesRead <= BoardRows),
            "complete files load whole, others in part");
    require(engine.announcedTeamCount() >= 0 && engine.announcedTeamCount() < lineCountBound(bytes),
            "the team count is what the file holds");
    require(engine.announcedTeamCount() == (parsed->allLinesRead() ? parsed->announcedTeamCount : parsed->teamLinesRead),
            "the team count follows the lines read");
    // A file's maximum of 0 or below is the new game's; a total at or above
    // the maximum raises it to that total plus the step, as typed points do.
    qint64 expectedMax = parsed->maxScore.value_or(0) > 0 ? *parsed->maxScore : GameEngine::NewGameMaxScore;
    qint64 highest = std::numeric_limits<qint64>::min();
    for (int i = 0; i < engine.teamsInPlay(); ++i)
        highest = std::max<qint64>(highest, engine.score(i));
    if (highest >= expectedMax && highest + GameEngine::MaxScoreStep <= std::numeric_limits<qint32>::max())
        expectedMax = highest + GameEngine::MaxScoreStep;
    require(engine.maxScore() == expectedMax, "the maximum is the file's or the game's own, raised above its totals");
    require(result.teams.size() == parsed->teams.size() && result.teams.size() <= engine.teamsInPlay(),
            "the loaded teams are the parsed ones, all in play");
    for (int i = 0; i < parsed->teams.size(); ++i) {
        const LoadedTeam &team = parsed->teams.at(i);
        require(engine.teamName(i) == team.name && result.teams.at(i).name == team.name, "names as parsed");
        require(engine.score(i) == team.score && result.teams.at(i).score == team.score, "scores as parsed");
        require(result.teams.at(i).scoreText == team.scoreText, "score texts as parsed");
    }
    for (qsizetype i = parsed->teams.size(); i < TeamSlots; ++i)
        require(engine.teamName(int(i)) == before, "slots beyond the file keep what they held");
    require(engine.savedGame() == game && !engine.changedSinceSave(), "the loaded game is the file");

    // Saved again, a game whose teams all have a slot and whose names the
    // code page holds reads back as the same standings.
    const Standings standings = engine.standings();
    if (engine.announcedTeamCount() > TeamSlots || unwritableTeamName(standings))
        return;
    const auto reread = parse(scoreFileBytes(standings));
    require(reread && reread->complete(), "a saved game reads back whole");
    require(reread->announcedTeamCount == standings.announcedTeamCount && reread->maxScore == standings.maxScore,
            "a saved header reads back");
    require(reread->teams.size() == standings.teams.size(), "every saved team reads back");
    for (int i = 0; i < reread->teams.size(); ++i)
        require(reread->teams.at(i).name == standings.teams.at(i).name
                    && reread->teams.at(i).score == standings.teams.at(i).score,
                "a saved team reads back as it was");
}

// The same input read as standings for the writer: the first bytes give the
// maximum and the scores, the rest is UTF-16 text split into names at every
// U+0001. Whatever the writer accepts reads back as the same standings.
void checkWriter(const QByteArray &bytes)
{
    if (bytes.size() < 4)
        return;
    Standings standings;
    standings.maxScore = qFromLittleEndian<qint32>(bytes.constData());
    const QByteArray rest = bytes.mid(4);
    const QString text(reinterpret_cast<const QChar *>(rest.constData()), rest.size() / 2);
    const QStringList names = text.split(QChar(1));
    for (qsizetype i = 0; i < names.size() && i < TeamSlots; ++i) {
        const qint32 score = qint32(quint32(qHash(names.at(i))) ^ quint32(i));
        standings.teams.append({names.at(i), score});
    }
    standings.announcedTeamCount = qint32(standings.teams.size());
    if (unwritableTeamName(standings))
        return;
    const auto reread = parse(scoreFileBytes(standings));
    require(reread && reread->complete(), "written standings read back whole");
    require(reread->maxScore == standings.maxScore, "the written maximum reads back");
    require(reread->teams.size() == standings.teams.size(), "every written team reads back");
    for (qsizetype i = 0; i < reread->teams.size(); ++i)
        require(reread->teams.at(i).name == standings.teams.at(i).name
                    && reread->teams.at(i).score == standings.teams.at(i).score,
                "a written team reads back as it was");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto parsed = parse(bytes);
    if (parsed)
        checkContent(*parsed, bytes);
    checkLoad(bytes, parsed);
    checkWriter(bytes);
    return 0;
}
