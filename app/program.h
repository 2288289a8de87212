#pragma once

#include "board_monitor.h"
#include "game_engine.h"
#include "presenter_commands.h"
#include "saved_games_folder.h"

#include <QObject>
#include <QPointer>

#include <memory>
#include <optional>

class Autosave;
class Dialogs;
class HelpWindow;
class MonitorPlatform;
class PresenterConsole;
class RecoveryStore;
class ScoreboardWindow;
class SetupWindow;
class StartSound;
struct RecoveredGame;

// The coordinator of one run: it owns the game and the windows. The setup
// window comes first, and at each start a new scoreboard takes the place of
// the old one. The presenter's console opens by itself on the primary screen
// when the board goes to another monitor, where the board then fills the
// whole screen; F2 shows or hides it anywhere, F1 opens the guide. The
// board's load button brings a setup window back; "닫기" in the setup window
// and the leave command end the run.
//
// With a recovery folder, the game is kept in a recovery file after every
// change, and a clean end removes it. A run that finds a file left behind
// offers to go on with that game before anything else.
class Program : public QObject
{
    Q_OBJECT

public:
    Program(const SavedGamesFolder &folder, Dialogs &dialogs, StartSound &sound,
            std::shared_ptr<MonitorPlatform> monitors, QObject *parent = nullptr);
    ~Program() override;

    // Where this run keeps its recovery file; empty (the default) keeps
    // none. Set before start().
    void setRecoveryFolder(const QString &folder);

    // Creates and shows the first setup window, which first offers a game
    // a run that did not end cleanly left behind.
    void start();

    GameEngine &engine() { return m_engine; }
    PresenterCommands &commands() { return m_commands; }
    const SavedGamesFolder &savedGamesFolder() const { return m_folder; }
    const BoardMonitor &boardMonitor() const { return m_boardMonitor; }

    // The open windows; null when there is none.
    SetupWindow *setupWindow() const;
    ScoreboardWindow *board() const;
    PresenterConsole *console() const;
    HelpWindow *helpWindow() const;
    // This run's recovery slot; null without a recovery folder or a free slot.
    const RecoveryStore *recoveryStore() const;
    // What the presenter is warned of while autosave fails; empty otherwise.
    QString autosaveWarning() const;

signals:
    // Every window is gone: the application should quit.
    void ended();

private:
    SetupWindow *openSetupWindow();
    void closeBoard();
    void showBoard();
    void bringBackSetup();
    void endOnRequest();
    void endNow();
    void toggleConsole();
    void showConsoleOnPrimaryScreen();
    void showHelp();
    std::optional<RecoveredGame> claimRecovery();
    void resumeRecoveredGame(const RecoveredGame &game);
    void endRecoveryIfNoWindowIsOpen();
    void finishRecovery();
    void showAutosaveState();

    GameEngine m_engine;
    SavedGamesFolder m_folder;
    BoardMonitor m_boardMonitor;
    Dialogs &m_dialogs;
    PresenterCommands m_commands;
    StartSound &m_sound;
    std::shared_ptr<MonitorPlatform> m_monitors;
    QPointer<SetupWindow> m_setup;
    QPointer<ScoreboardWindow> m_board;
    QPointer<PresenterConsole> m_console;
    QPointer<HelpWindow> m_help;
    bool m_replacingBoard = false;
    QString m_recoveryFolder;
    std::unique_ptr<RecoveryStore> m_recovery;
    std::unique_ptr<Autosave> m_autosave;
};
