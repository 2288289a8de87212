#include "presenter_keys.h"

#include "game_limits.h"
#include "presenter_commands.h"

#include <QShortcut>
#include <QWidget>

namespace PresenterKeys {

const QList<Binding> &commandBindings()
{
    static const QList<Binding> bindings{
        {QKeySequence(Qt::Key_F5), &PresenterCommands::startRace},
        {QKeySequence(Qt::Key_PageDown), &PresenterCommands::startRace},
        {QKeySequence(Qt::Key_PageUp), &PresenterCommands::showWinner},
        {QKeySequence(Qt::Key_W), &PresenterCommands::showWinner},
        {QKeySequence(Qt::Key_B), &PresenterCommands::toggleBlankBoard},
        {QKeySequence(Qt::Key_Period), &PresenterCommands::toggleBlankBoard},
        {QKeySequence(Qt::Key_Plus), &PresenterCommands::raiseMaxScore},
        {QKeySequence(Qt::KeypadModifier | Qt::Key_Plus), &PresenterCommands::raiseMaxScore},
        {QKeySequence(Qt::Key_Up), &PresenterCommands::raiseMaxScore},
        {QKeySequence(Qt::Key_Minus), &PresenterCommands::lowerMaxScore},
        {QKeySequence(Qt::KeypadModifier | Qt::Key_Minus), &PresenterCommands::lowerMaxScore},
        {QKeySequence(Qt::Key_Down), &PresenterCommands::lowerMaxScore},
        {QKeySequence(Qt::Key_F1), &PresenterCommands::showHelp},
        {QKeySequence::Save, &PresenterCommands::saveStandings},
        {QKeySequence(Qt::CTRL | Qt::Key_Z), &PresenterCommands::undo},
        {QKeySequence(Qt::CTRL | Qt::Key_Y), &PresenterCommands::redo},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), &PresenterCommands::redo},
        {QKeySequence(Qt::Key_F11), &PresenterCommands::toggleFullScreen},
        {QKeySequence(Qt::Key_F2), &PresenterCommands::toggleConsole},
    };
    return bindings;
}

bool isTypedInFields(const QKeySequence &keys)
{
    if (keys.isEmpty())
        return false;
    const QKeyCombination pressed = keys[0];
    if (pressed.keyboardModifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier))
        return false;
    const Qt::Key key = pressed.key();
    return key == Qt::Key_Up || key == Qt::Key_Down || (key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde);
}

void install(QWidget &window, PresenterCommands &commands)
{
    for (const Binding &binding : commandBindings()) {
        auto *shortcut = new QShortcut(binding.keys, &window);
        QObject::connect(shortcut, &QShortcut::activated, &commands, binding.command);
    }
}

void installRowKeys(QWidget &window, const std::function<void(int row)> &pick)
{
    for (int row = 0; row < BoardRows; ++row) {
        for (const QKeySequence &keys : {QKeySequence(Qt::Key_1 + row),
                                         QKeySequence(Qt::KeypadModifier | (Qt::Key_1 + row))}) {
            auto *shortcut = new QShortcut(keys, &window);
            QObject::connect(shortcut, &QShortcut::activated, &window, [pick, row] { pick(row); });
        }
    }
}

} // namespace PresenterKeys
