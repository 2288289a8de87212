#include "game_loading.h"

#include "game_engine.h"

#include <QFile>
#include <QFileInfo>

LoadResult loadSavedGame(GameEngine &engine, const SavedGamesFolder &folder, const SavedGame &game)
{
    LoadResult result;
    const QString path = folder.filePath(game);
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return result;
    const auto content = parseScoreFile(file);
    if (!content)
        return result;

    engine.loadGame(*content, game);
    result.teams = content->teams;
    result.status = content->complete() ? LoadResult::Loaded : LoadResult::Partial;
    return result;
}
