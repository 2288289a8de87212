#pragma once

#include "bar_track.h"
#include "game_limits.h"

#include <QColor>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <QtGlobal>

#include <array>
#include <memory>

class BannerPicture;
class Dialogs;
class FigureBox;
class GameEngine;
class QLineEdit;
class PresenterCommands;
class QPushButton;
class SavedGamesFolder;
class ScoreBar;
class StartSound;
struct BoardMonitor;

// The scoreboard the audience sees: the banner, one row per team with its
// name button, its score bar and a running figure at the bar's tip, and the
// command bar. It opens maximized, on the chosen monitor when the presenter
// asked for one.
//
// The window draws from the game engine and routes clicks and keys to it.
// Its controls carry their automation names as object names (TCmd_0 ..
// TCmd_7, TeamLabel_0 .., T_Pic_0 .., TCmd_Txt, Text1, Label1, Command1 ..
// Command8, Picture2, Image1).
//
// Keys: 1 to 8 open the points entry of that row, Enter applies it and
// Escape closes it; F5 and Page Down (a presentation clicker's "next") start
// the race; Ctrl+S saves, Ctrl+Z undoes, Ctrl+Y or Ctrl+Shift+Z redoes; F11
// toggles full screen; F2 shows or hides the presenter's console.
class ScoreboardWindow : public QWidget
{
    Q_OBJECT

public:
    // What the entry box over a team button takes.
    enum class EntryKind { Points, TeamName };

    // The board's commands go through `commands`, shared with the console.
    ScoreboardWindow(PresenterCommands &commands, StartSound &sound, const BoardMonitor &monitor,
                     QWidget *parent = nullptr);
    // A board with commands of its own.
    ScoreboardWindow(GameEngine &engine, const SavedGamesFolder &folder, Dialogs &dialogs,
                     StartSound &sound, const BoardMonitor &monitor, QWidget *parent = nullptr);
    ~ScoreboardWindow() override;

    // A new or loaded game is shown: the counters start again, the maximum
    // score and the bars are drawn.
    void showGame();

    // Lays out banner, command bar and one row per team for the current size.
    void layOutRows();

    // A mouse button released over team button `row`: opens the entry box
    // over it, for points (left button) or a new name (any other button).
    void openEntryBox(int row, Qt::MouseButton button);
    // Enter in the entry box: applies what it holds. False when the text
    // cannot be taken: the box stays open with its text selected.
    bool applyEntry();
    // Escape in the entry box: closes it without applying.
    void cancelEntry();
    bool isEntryOpen() const;
    // Full screen on the monitor the board is on, without a title bar, or
    // back to maximized.
    void toggleFullScreen();

    // The commands of the command bar.
    void startRace();
    void requestSetup();
    void saveStandings();
    void showWinner();
    void leave();
    void raiseMaxScore();
    void lowerMaxScore();

    EntryKind entryKind() const { return m_entryKind; }
    int entryTeam() const { return m_entryTeam; }
    qint32 rowGap() const { return m_rowGap; }
    // The bars' lengths in pixels.
    const BarTrack &barTrack() const { return m_track; }
    // Where a row's running figure stands, as the board keeps it.
    float figureLeft(int row) const;

signals:
    // The load button: the setup window should come back in saved-game mode.
    void setupRequested();
    // The leave button (after the presenter agreed to lose unsaved
    // standings): the whole program should end at once.
    void endRequested();
    // Points the entry box could not take; the box stays open for a correction.
    void entryRejected();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ScoreboardWindow(std::unique_ptr<PresenterCommands> ownCommands, PresenterCommands *commands,
                     StartSound &sound, const BoardMonitor &monitor, QWidget *parent);
    void createControls();
    void createShortcuts();
    void showTitle();
    void showStandings();
    void createCommandBar();
    void createTeamRows();
    void setTabOrder();
    void connectEngine();
    void showMaxScore();
    void rejectEntry();
    void closeEntryBox();
    void showCommittedScores();
    void drawCommittedLengths();
    void drawRaceTick(int frame);
    void drawRaceEnd();
    void followRaceFrames();
    void followRaceFramesFromNow();
    void drawRaceFrame();
    void drawHighlight(int slot, int frame, int colour);
    void endHighlight(int slot);
    void placeFigure(int row);
    void showTeamName(int row);

    std::unique_ptr<PresenterCommands> m_ownCommands;
    PresenterCommands &m_commands;
    GameEngine &m_engine;
    StartSound &m_sound;

    QPixmap m_runnerStrip;
    BarTrack m_track;

    std::array<QPushButton *, BoardRows> m_teamButtons{};
    std::array<ScoreBar *, BoardRows> m_scoreBars{};
    std::array<FigureBox *, BoardRows> m_runners{};
    QLineEdit *m_entryBox = nullptr;
    QWidget *m_commandBar = nullptr;
    BannerPicture *m_banner = nullptr;
    QLineEdit *m_maxScoreBox = nullptr;
    QObject *m_pressWatcher = nullptr;
    QTimer m_frameTimer;        // frames between the race's ticks
    QElapsedTimer m_sinceTick;  // time since the race's last tick
    int m_framesSinceTick = 0;  // frames drawn since it
    int m_highlightColour = -1; // the highlight's colour, -1 when none runs
    QColor m_fadeFrom;
    int m_fadeTicks = 0;

    EntryKind m_entryKind = EntryKind::Points;
    int m_entryTeam = 0;
    qint32 m_rowGap = 0;
    bool m_leaving = false;    // the presenter already agreed to end
    bool m_gameShown = false;  // showGame has drawn a game
};
