#include "saved_games.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString extension = QStringLiteral(".scr");

} // namespace

QList<SavedGame> listSavedGames(const QString &folder)
{
    QList<SavedGame> games;
    if (folder.isEmpty())
        return games;
    const QDir dir(folder);
    // Sorted by name so the list reads the same on every platform.
    const QFileInfoList entries = dir.entryInfoList(QDir::Files | QDir::NoDotAndDotDot,
                                                    QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &entry : entries) {
        const QString fileName = entry.fileName();
        if (fileName.size() <= extension.size()
            || !fileName.endsWith(extension, Qt::CaseInsensitive))
            continue;
        if (entry.isSymLink() && !entry.exists())
            continue; // a link to nowhere holds no game
        games.append({fileName.chopped(extension.size()), fileName});
    }
    return games;
}

QString savedGamePath(const QString &folder, const SavedGame &game)
{
    return QDir(folder).filePath(game.fileName);
}

bool deleteSavedGame(const QString &folder, const SavedGame &game)
{
    if (game.fileName.isEmpty() || game.fileName.contains(u'/') || game.fileName.contains(u'\\'))
        return false;
    const QString path = savedGamePath(folder, game);
    const QFileInfo info(path);
    if (!info.isSymLink() && !info.isFile())
        return false;
    // QFile::remove unlinks a symbolic link without following it.
    return QFile::remove(path);
}
