// Feeds arbitrary bytes to the score-file reader, once from memory and once
// as a saved game on disk, and checks that whatever it accepts leaves the
// game state in its ranges. Any crash, hang, out-of-bounds read or broken
// invariant stops the fuzzer with the input that caused it.

#include "game_state.h"
#include "saved_games.h"
#include "score_file.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

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

void checkContent(const ScoreFileContent &content, const QByteArray &bytes)
{
    require(content.teamCount >= 0, "announced count is not negative");
    require(content.teamLinesRead >= 0 && content.teamLinesRead <= content.teamCount,
            "team lines read stay within the announced count");
    require(content.teamLinesRead < lineCountBound(bytes), "no more team lines than the data holds");
    require(content.teams.size() <= Module1::Slot_Count, "teams stored fit the slots");
    require(content.teams.size() <= content.teamLinesRead, "each stored team was read");
    for (const LoadedTeam &team : content.teams) {
        require(team.name.size() <= Max_Line_Length, "a name is no longer than a line");
        require(team.scoreText.size() <= Max_Line_Length, "a score text is no longer than a line");
    }
}

// A game state that a load must either leave alone or fill consistently.
Module1 startingState(const QString &folder)
{
    Module1 state;
    state.Save_Path = folder;
    state.Saved_Games_Folder = folder;
    state.Team_Count = 3;
    state.Max_Score = 500;
    for (int i = 0; i < Module1::Slot_Count; ++i) {
        state.Team_Name.set(i, QStringLiteral("before"));
        state.Team_Score.set(i, 7);
        state.Add_Score.set(i, 1);
    }
    state.Game_Name = QStringLiteral("before");
    state.Standings_Changed = true;
    return state;
}

void checkLoad(const QByteArray &bytes, const std::optional<ScoreFileContent> &parsed)
{
    static QTemporaryDir dir;
    require(dir.isValid(), "a temporary folder for the saved game");
    const QString folder = dir.path() + u'/';
    const SavedGame game = SavedGame::named(QStringLiteral("fuzz"));
    {
        QFile file(savedGamePath(folder, game));
        require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the saved game can be written");
        require(file.write(bytes) == bytes.size(), "the saved game is written whole");
    }

    Module1 state = startingState(folder);
    const LoadResult result = readScoreFile(state, game);

    for (int i = 0; i < Module1::Slot_Count; ++i)
        require(state.Add_Score.value(i) == 1, "loading leaves pending points alone");
    if (result.status == LoadResult::Failed) {
        require(!parsed, "the file fails to load exactly when it cannot be parsed");
        require(result.captions.isEmpty(), "a failed load gives no captions");
        require(state.Team_Count == 3 && state.Max_Score == 500, "a failed load changes nothing");
        require(state.Game_Name == QStringLiteral("before") && state.Standings_Changed,
                "a failed load keeps the game");
        for (int i = 0; i < Module1::Slot_Count; ++i)
            require(state.Team_Name.value(i) == QStringLiteral("before")
                        && state.Team_Score.value(i) == 7,
                    "a failed load keeps every slot");
        return;
    }
    require(parsed.has_value(), "a loaded file can be parsed");
    require((result.status == LoadResult::Loaded) == parsed->complete(),
            "complete files load whole, others in part");
    require(state.Team_Count >= 0 && state.Team_Count < lineCountBound(bytes),
            "the team count is what the file holds");
    require(state.Team_Count == (parsed->complete() ? parsed->teamCount : parsed->teamLinesRead),
            "the team count follows the lines read");
    require(result.captions.size() == 8, "eight captions");
    require(result.grayedTeams >= 0 && result.grayedTeams <= 8
                && result.grayedTeams <= state.Team_Count,
            "the grayed check boxes are loaded teams");
    for (int i = result.grayedTeams; i < 8; ++i)
        require(result.captions.at(i).isEmpty(), "captions beyond the loaded teams are empty");
    for (int i = 0; i < parsed->teams.size(); ++i) {
        require(state.Team_Name.value(i) == parsed->teams.at(i).name, "names as parsed");
        require(state.Team_Score.value(i) == parsed->teams.at(i).score, "scores as parsed");
    }
    for (qsizetype i = parsed->teams.size(); i < Module1::Slot_Count; ++i)
        require(state.Team_Name.value(int(i)) == QStringLiteral("before"),
                "slots beyond the file keep what they held");
    require(state.Game_Name == game.name && !state.Standings_Changed, "the loaded game is the file");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    require(buffer.open(QIODevice::ReadOnly), "a buffer opens");
    const auto parsed = parseScoreFile(buffer);
    if (parsed)
        checkContent(*parsed, bytes);

    checkLoad(bytes, parsed);
    return 0;
}
