#pragma once

#include <QString>
#include <QStringList>

// A saved game as the setup window lists it: the name the presenter sees and
// the file in the saved-game folder that holds it. Loading, deleting and
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

// The saved games in `folder`: plain files (no folders, no hidden files) whose
// names end in ".scr" in any letter case, in the folder's listing order. A
// folder that cannot be read gives an empty list.
QList<SavedGame> listSavedGames(const QString &folder);

// Path of the game's file inside `folder`.
QString savedGamePath(const QString &folder, const SavedGame &game);

// Removes the game's file. A symbolic link is removed itself; what it points
// to is never touched. False when nothing was removed.
bool deleteSavedGame(const QString &folder, const SavedGame &game);
