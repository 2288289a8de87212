#pragma once

#include "saved_games_folder.h"
#include "score_file.h"
#include "test_files.h"

#include <QList>
#include <QString>

// Puts a saved game into the folder, written the way the board saves one.
inline bool writeSavedGame(const SavedGamesFolder &folder, const QString &fileName,
                           qint32 maxScore, const QList<TeamStanding> &teams)
{
    const Standings standings{static_cast<qint32>(teams.size()), maxScore, teams};
    return TestFiles::writeAll(folder.filePath({QString(), fileName}), scoreFileBytes(standings));
}
