#include "presenter_commands.h"

#include "game_engine.h"
#include "save_command.h"

PresenterCommands::PresenterCommands(GameEngine &engine, const SavedGamesFolder &folder,
                                     Dialogs &dialogs, QObject *parent)
    : QObject(parent)
    , m_engine(engine)
    , m_folder(folder)
    , m_dialogs(dialogs)
{
}

void PresenterCommands::addEntrySettler(QObject *context, std::function<bool()> settle)
{
    m_settlers.append({context, std::move(settle)});
    connect(context, &QObject::destroyed, this, [this, context] {
        m_settlers.removeIf([context](const Settler &settler) { return settler.context == context; });
    });
}

bool PresenterCommands::settleEntries()
{
    for (const Settler &settler : std::as_const(m_settlers)) {
        if (!settler.settle())
            return false;
    }
    return true;
}

void PresenterCommands::startRace()
{
    if (!settleEntries())
        return;
    setBoardBlank(false);
    if (!m_engine.isRacing() && !m_engine.hasPointsToAdd()) {
        emit noticeGiven(QStringLiteral("더할 점수가 없습니다"));
        return;
    }
    m_engine.startRace();
}

void PresenterCommands::showWinner()
{
    if (!settleEntries())
        return;
    setBoardBlank(false);
    m_engine.showWinner();
}

void PresenterCommands::undo()
{
    if (settleEntries())
        m_engine.undo();
}

void PresenterCommands::redo()
{
    if (settleEntries())
        m_engine.redo();
}

void PresenterCommands::saveStandings()
{
    if (settleEntries())
        ::saveStandings(m_engine, m_folder, m_dialogs);
}

void PresenterCommands::raiseMaxScore()
{
    if (settleEntries())
        m_engine.raiseMaxScore();
}

void PresenterCommands::lowerMaxScore()
{
    if (settleEntries())
        m_engine.lowerMaxScore();
}

void PresenterCommands::requestSetup()
{
    // Like a start: a game fetched now would have the race drawn over it.
    if (m_engine.isRacing())
        return;
    if (settleEntries())
        emit setupRequested();
}

void PresenterCommands::leave()
{
    if (settleEntries() && confirmLeaving(m_engine, m_dialogs))
        emit endRequested();
}

void PresenterCommands::toggleFullScreen()
{
    emit fullScreenToggled();
}

void PresenterCommands::toggleConsole()
{
    emit consoleToggled();
}

void PresenterCommands::toggleBlankBoard()
{
    setBoardBlank(!m_boardBlank);
}

void PresenterCommands::setBoardBlank(bool blank)
{
    if (blank == m_boardBlank)
        return;
    m_boardBlank = blank;
    emit boardBlankChanged(m_boardBlank);
}

void PresenterCommands::showHelp()
{
    emit helpRequested();
}

void PresenterCommands::setConsoleShown(bool shown)
{
    m_consoleShown = shown;
}

void PresenterCommands::requestConsoleEntry(int row, bool name)
{
    emit consoleEntryRequested(row, name);
}

void PresenterCommands::returnKeyboardToConsole()
{
    if (m_consoleShown)
        emit keyboardToConsoleRequested();
}
