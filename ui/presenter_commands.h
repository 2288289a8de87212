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

signals:
    void setupRequested();
    void endRequested();
    void fullScreenToggled();
    void consoleToggled();

private:
    struct Settler
    {
        QObject *context;
        std::function<bool()> settle;
    };

    GameEngine &m_engine;
    const SavedGamesFolder &m_folder;
    Dialogs &m_dialogs;
    QList<Settler> m_settlers;
};
