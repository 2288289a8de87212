#include "saved_games_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace {

const QString extension = QStringLiteral(".scr");

} // namespace

SavedGamesFolder::SavedGamesFolder(const QString &path)
    : m_path(path)
{
}

SavedGamesFolder SavedGamesFolder::standard()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return SavedGamesFolder(QDir(documents).filePath(QStringLiteral("Zanto 점수판")));
}

QList<SavedGame> SavedGamesFolder::list() const
{
    QList<SavedGame> games;
    if (!isSet())
        return games;
    // Sorted by name so the list reads the same on every platform.
    const QFileInfoList entries = QDir(m_path).entryInfoList(QDir::Files | QDir::NoDotAndDotDot,
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

std::optional<SavedGame> SavedGamesFolder::find(const QString &name) const
{
    const QList<SavedGame> games = list();
    auto same = std::find_if(games.begin(), games.end(),
                             [&](const SavedGame &game) { return game.name == name; });
    if (same == games.end())
        same = std::find_if(games.begin(), games.end(), [&](const SavedGame &game) {
            return game.name.compare(name, Qt::CaseInsensitive) == 0;
        });
    if (same == games.end())
        return std::nullopt;
    return *same;
}

QString SavedGamesFolder::filePath(const SavedGame &game) const
{
    return QDir(m_path).filePath(game.fileName);
}

bool SavedGamesFolder::remove(const SavedGame &game) const
{
    if (game.fileName.isEmpty() || game.fileName.contains(u'/') || game.fileName.contains(u'\\'))
        return false;
    const QString path = filePath(game);
    const QFileInfo info(path);
    if (!info.isSymLink() && !info.isFile())
        return false;
    // QFile::remove unlinks a symbolic link without following it.
    return QFile::remove(path);
}

bool SavedGamesFolder::isUsableName(const QString &name)
{
    // A leading dot would hide the file, and the list would never show the game.
    if (name.isEmpty() || name.startsWith(u'.'))
        return false;
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    return std::none_of(name.begin(), name.end(), [](QChar c) {
        return c.unicode() < 0x20 || c.unicode() == 0x7f || forbidden.contains(c);
    });
}
