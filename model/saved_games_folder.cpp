#include "saved_games_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const QString extension = QStringLiteral(".scr");
constexpr qsizetype maxFileNameBytes = 255;

// Whether `path` is, or leads by links to, a plain file: no device, no pipe,
// no socket.
bool isRegularFile(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat status;
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISREG(status.st_mode);
#else
    return QFileInfo(path).isFile();
#endif
}

// Whether the presenter left the file open to changes: its own write
// permission, not what the user may do anyway (root removes any file).
bool isWriteProtected(const QFileInfo &file)
{
    const QFileDevice::Permissions permissions = file.permissions();
#ifdef Q_OS_UNIX
    if (file.ownerId() == ::geteuid() || ::geteuid() == 0)
        return !(permissions & QFileDevice::WriteOwner);
    return !file.isWritable();
#else
    return !(permissions & QFileDevice::WriteOwner); // the read-only attribute
#endif
}

// A folder games may be kept below: absolute, and not the root itself.
bool isUsableBase(const QString &path)
{
    return !path.isEmpty() && QDir::isAbsolutePath(path) && !QDir(path).isRoot();
}

// The user's home folder from HOME or else from the user database; empty
// when neither names a usable one.
QString absoluteHome()
{
    const QString home = qEnvironmentVariable("HOME");
    if (isUsableBase(home))
        return QDir::cleanPath(home);
#ifdef Q_OS_UNIX
    if (const passwd *user = ::getpwuid(::getuid()); user && user->pw_dir) {
        const QString fromDatabase = QFile::decodeName(user->pw_dir);
        if (isUsableBase(fromDatabase))
            return QDir::cleanPath(fromDatabase);
    }
#endif
    return QString();
}

} // namespace

SavedGamesFolder::SavedGamesFolder(const QString &path)
    : m_path(path)
{
}

SavedGamesFolder SavedGamesFolder::standard()
{
    // Qt builds the documents folder from HOME, so with HOME unset, empty,
    // relative or "/" it would lie under the folder the program was started
    // in or under "/"; a relative entry in the user's folder settings does
    // the same.
    QString documents;
#ifdef Q_OS_UNIX
    if (isUsableBase(qEnvironmentVariable("HOME")))
#endif
        documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!isUsableBase(documents)) {
        const QString home = absoluteHome();
        if (home.isEmpty())
            return SavedGamesFolder(); // nowhere to keep games: saving says so
        documents = QDir(home).filePath(QStringLiteral("Documents"));
    }
    return SavedGamesFolder(QDir(QDir::cleanPath(documents)).filePath(QStringLiteral("Zanto 점수판")));
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
        // A link to nowhere, to a device or to a pipe holds no game; a link
        // to a plain file is listed and read, and saving replaces the link.
        if (!entry.isFile() || !isRegularFile(entry.absoluteFilePath()))
            continue;
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
    if (!info.isSymLink() && isWriteProtected(info))
        return false; // the presenter protected this game
    // QFile::remove unlinks a symbolic link without following it.
    return QFile::remove(path);
}

bool SavedGamesFolder::isUsableName(const QString &name)
{
    // A leading dot would hide the file, and the list would never show the game.
    if (name.isEmpty() || name.startsWith(u'.'))
        return false;
    // The file name, extension included, must fit the 255 bytes most file
    // systems allow, in the encoding file names are written in, and the 255
    // UTF-16 units of Windows.
    const QString fileName = name + extension;
    if (QFile::encodeName(fileName).size() > maxFileNameBytes || fileName.toUtf8().size() > maxFileNameBytes
        || fileName.size() > maxFileNameBytes)
        return false;
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    return std::none_of(name.begin(), name.end(), [](QChar c) {
        return c.unicode() < 0x20 || c.unicode() == 0x7f || forbidden.contains(c);
    });
}
