#include "game_loading.h"

#include "game_engine.h"
#include "game_limits.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

LoadResult loadSavedGame(GameEngine &engine, const SavedGamesFolder &folder, const SavedGame &game)
{
    LoadResult result;
    const QString path = folder.filePath(game);
    const QFileInfo info(path);
    QFile file(path);
    if (!info.isFile() || info.size() > MaxSavedGameSize || !file.open(QIODevice::ReadOnly))
        return result;
    // Read at once, within the bound, then parsed from memory: the window
    // waits for one read, not for a read per byte. The file may have grown
    // since it was looked at; one byte more than the bound tells.
    QByteArray bytes = file.read(MaxSavedGameSize + 1);
    if (bytes.size() > MaxSavedGameSize)
        return result;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const auto content = parseScoreFile(buffer);
    if (!content)
        return result;

    engine.loadGame(*content, game);
    result.teams = content->teams;
    // Teams beyond the board's rows have no check box in the setup window:
    // the next game started there would leave them out.
    const bool whole = content->complete() && content->teamLinesRead <= BoardRows;
    result.status = whole ? LoadResult::Loaded : LoadResult::Partial;
    return result;
}
