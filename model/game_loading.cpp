#include "game_loading.h"

#include "game_engine.h"
#include "game_limits.h"
#include "regular_file.h"

#include <QBuffer>

LoadResult readSavedGame(const SavedGamesFolder &folder, const SavedGame &game)
{
    LoadResult result;
    // Read at once, within the bound, then parsed from memory: the window
    // waits for one read, not for a read per byte, and never for a pipe.
    std::optional<QByteArray> bytes = readRegularFile(folder.filePath(game), MaxSavedGameSize);
    if (!bytes)
        return result;
    QBuffer buffer(&*bytes);
    buffer.open(QIODevice::ReadOnly);
    result.content = parseScoreFile(buffer);
    if (!result.content)
        return result;

    result.teams = result.content->teams;
    // Teams beyond the board's rows have no check box in the setup window:
    // the next game started there would leave them out.
    const bool whole = result.content->complete() && result.content->teamLinesRead <= BoardRows;
    result.status = whole ? LoadResult::Loaded : LoadResult::Partial;
    return result;
}

LoadResult loadSavedGame(GameEngine &engine, const SavedGamesFolder &folder, const SavedGame &game)
{
    LoadResult result = readSavedGame(folder, game);
    if (result.content)
        engine.loadGame(*result.content, game);
    return result;
}
