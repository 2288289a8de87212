#pragma once

#include <QKeySequence>
#include <QList>

#include <functional>

class PresenterCommands;
class QWidget;

// The keys that give the presenter's commands, the same in every window
// that takes them. A presentation clicker runs a whole round: Page Down
// (its "next", like F5) starts the race, Page Up (its "back") shows the
// winner, and its blank-screen key ("b" or ".") blanks the board. Besides:
// w shows the winner, + / - and Up / Down raise and lower the maximum,
// Ctrl+S saves, Ctrl+Z undoes, Ctrl+Y or Ctrl+Shift+Z redoes, F11 toggles
// the board's full screen, F2 shows or hides the console and F1 opens the
// presenter's guide. The digits 1 to 8, on the main keys or the keypad, pick
// a team's row.
//
// A text field keeps the keys that type text (digits, letters, + and -)
// and Up / Down: there they type, and give no command.
namespace PresenterKeys {

struct Binding
{
    QKeySequence keys;
    void (PresenterCommands::*command)();
};

const QList<Binding> &commandBindings();

// True for a key a text field types (or moves in) rather than a command.
bool isTypedInFields(const QKeySequence &keys);

// The bindings as shortcuts of `window`, giving their commands to `commands`.
void install(QWidget &window, PresenterCommands &commands);

// The row keys as shortcuts of `window`, each calling `pick` with its row
// (0 for the key 1).
void installRowKeys(QWidget &window, const std::function<void(int row)> &pick);

} // namespace PresenterKeys
