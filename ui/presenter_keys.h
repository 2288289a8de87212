#pragma once

#include <QKeySequence>
#include <QList>

#include <functional>

class PresenterCommands;
class QWidget;

// The keys that give the presenter's commands, the same in every window
// that takes them: F5 and Page Down (a presentation clicker's "next") start
// the race, Ctrl+S saves, Ctrl+Z undoes, Ctrl+Y or Ctrl+Shift+Z redoes, F11
// toggles the board's full screen and F2 shows or hides the console. The
// digits 1 to 8, on the main keys or the keypad, pick a team's row.
namespace PresenterKeys {

struct Binding
{
    QKeySequence keys;
    void (PresenterCommands::*command)();
};

const QList<Binding> &commandBindings();

// The bindings as shortcuts of `window`, giving their commands to `commands`.
void install(QWidget &window, PresenterCommands &commands);

// The row keys as shortcuts of `window`, each calling `pick` with its row
// (0 for the key 1).
void installRowKeys(QWidget &window, const std::function<void(int row)> &pick);

} // namespace PresenterKeys
