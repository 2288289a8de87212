#pragma once

#include <QObject>

#include <functional>

class Dialogs;
class GameEngine;
class SavedGamesFolder;

// The presenter's commands, one place for every way to give them: the
// board's buttons, the console's buttons and the keys of both windows. Each
// first settles typed text a window still holds (the board's open entry
// box): text that cannot be taken keeps the command from running, so it
// waits until the presenter corrects it.
//
// While the console is shown, the keyboard is the console's: the board
// sends every entry there and never keeps the focus, so that nothing the
// presenter types reaches the audience. The blank board (banner and sky
// only) lasts until the presenter toggles it again or gives a start or a
// winner command.
class PresenterCommands : public QObject
{
    Q_OBJECT

public:
    PresenterCommands(GameEngine &engine, const SavedGamesFolder &folder, Dialogs &dialogs,
                      QObject *parent = nullptr);

    GameEngine &engine() const { return m_engine; }
    const SavedGamesFolder &savedGamesFolder() const { return m_folder; }
    Dialogs &dialogs() const { return m_dialogs; }

    // Typed text to apply before a command; returns false when it cannot be
    // applied. Settlers are removed with their context object.
    void addEntrySettler(QObject *context, std::function<bool()> settle);
    bool settleEntries();

    // A start with no points to add tells the presenter so and does nothing.
    void startRace();
    void showWinner();
    void undo();
    void redo();
    void saveStandings();
    void raiseMaxScore();
    void lowerMaxScore();
    // Brings the setup window back for loading another game; nothing while
    // a race runs.
    void requestSetup();
    // Asks first while the standings are unsaved.
    void leave();
    void toggleFullScreen();
    void toggleConsole();
    void toggleBlankBoard();
    void showHelp();

    bool isBoardBlank() const { return m_boardBlank; }

    // The console tells when it is shown or hidden.
    void setConsoleShown(bool shown);
    bool isConsoleShown() const { return m_consoleShown; }
    // A team picked on the board (a click, a row key): with the console
    // shown, its points (or, for a name, its name field) open there.
    void requestConsoleEntry(int row, bool name);
    // The board was activated while the console is shown: the keyboard goes
    // back to the console.
    void returnKeyboardToConsole();

signals:
    void setupRequested();
    void endRequested();
    void fullScreenToggled();
    void consoleToggled();
    void helpRequested();
    void boardBlankChanged(bool blank);
    void consoleEntryRequested(int row, bool name);
    void keyboardToConsoleRequested();
    // Something the presenter should read in the console.
    void noticeGiven(const QString &text);

private:
    struct Settler
    {
        QObject *context;
        std::function<bool()> settle;
    };

    GameEngine &m_engine;
    const SavedGamesFolder &m_folder;
    Dialogs &m_dialogs;
    void setBoardBlank(bool blank);

    QList<Settler> m_settlers;
    bool m_boardBlank = false;
    bool m_consoleShown = false;
};
