#pragma once

#include <QList>
#include <QString>

#include <optional>

// A saved game as the setup window lists it: the name the presenter sees and
// the file in the saved-games folder that holds it. Loading, deleting and
// saving again all address that very file, whatever the letter case of its
// extension or the spaces in its name.
struct SavedGame
{
    QString name;
    QString fileName;

    // The file a new game of this name is saved to.
    static SavedGame named(const QString &name) { return {name, name + QStringLiteral(".scr")}; }

    bool operator==(const SavedGame &) const = default;
};

// The folder the saved games are kept in, one ".scr" file per game.
class SavedGamesFolder
{
public:
    explicit SavedGamesFolder(const QString &path = QString());

    // "Zanto 점수판" in the user's documents folder: where the program keeps
    // its games outside tests. Never below the working folder or "/": when
    // the documents folder is not known as an absolute path it is
    // "Documents" in the home folder, and when no home folder is known
    // either the folder is not set (and saving says so).
    static SavedGamesFolder standard();

    QString path() const { return m_path; }
    bool isSet() const { return !m_path.isEmpty(); }

    // Plain files (no folders, no hidden files, no devices or pipes, no
    // links leading nowhere or to anything but a plain file) whose names end
    // in ".scr" in any letter case, sorted by name. A folder that cannot be read gives an
    // empty list.
    QList<SavedGame> list() const;

    // The listed game of that name; a game whose name differs only in letter
    // case when there is none of exactly that name (on Windows it is the
    // same file, elsewhere a game the presenter cannot tell apart).
    std::optional<SavedGame> find(const QString &name) const;

    QString filePath(const SavedGame &game) const;

    // Removes the game's file. A symbolic link is removed itself; what it
    // points to is never touched. A file without write permission is kept,
    // even where the user could remove it (root). False when nothing was
    // removed.
    bool remove(const SavedGame &game) const;

    // Whether a typed name can name a saved game: no \ / : * ? " < > |, no
    // control characters, no leading "." (which would hide the file), and
    // with ".scr" no longer than the 255 bytes a file name may hold. Spaces
    // are allowed where typed.
    static bool isUsableName(const QString &name);

private:
    QString m_path;
};
