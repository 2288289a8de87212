#pragma once

#include "bar_track.h"
#include "board_layout.h"
#include "game_limits.h"

#include <QColor>
#include <QPixmap>
#include <QWidget>
#include <QtGlobal>

#include <array>

class BannerPicture;
class CommandBar;
class EntryBox;
class FigureBox;
class GameEngine;
class PresenterCommands;
class QPushButton;
class RaceFramePacer;
class ScoreBar;
class StartSound;

// The scoreboard the audience sees: the banner, one row per team with its
// name button, its score bar and a running figure at the bar's tip, and the
// command bar. Whoever opens it places it on its monitor.
//
// The window draws from the game engine and gives every command through the
// presenter's commands it shares with the console; it holds no rules of its
// own. Its controls carry their automation names as object names (TCmd_0 ..
// TCmd_7, TeamLabel_0 .., T_Pic_0 .., TCmd_Txt, Image1, and the command
// bar's Picture2, Text1, Label1, Command1 .. Command8).
//
// Keys: 1 to 8 open the points entry of that row, Enter applies it and
// Escape closes it; Enter on a focused team button opens its points entry;
// Escape on the board leaves full screen; the command keys are the
// presenter's (see PresenterKeys). While the console is shown the board
// opens no entry box and keeps no keyboard: a team picked here opens in the
// console.
class ScoreboardWindow : public QWidget
{
    Q_OBJECT

public:
    ScoreboardWindow(PresenterCommands &commands, StartSound &sound, QWidget *parent = nullptr);
    ~ScoreboardWindow() override;

    // A new or loaded game is shown: the counters start again, the maximum
    // score and the bars are drawn.
    void showGame();

    // Lays out banner, command bar and one row per team for the current size.
    void layOutRows();

    // A mouse button released over team button `row`: opens the entry box
    // over it, for points (left button) or a new name (any other button);
    // with the console shown, that entry in the console instead.
    void openEntryBox(int row, Qt::MouseButton button);
    // Full screen on the monitor the board is on, without a title bar, or
    // back to maximized.
    void toggleFullScreen();
    // A warning the title carries after the game's name (autosave failing
    // while no console shows it); empty for none.
    void setTitleWarning(const QString &warning);

    EntryBox *entryBox() const { return m_entryBox; }
    // The bars' lengths in pixels.
    const BarTrack &barTrack() const { return m_track; }
    qint32 rowGap() const { return m_rowGap; }
    // How much larger than its design the board is drawn.
    BoardLayout::BoardScale scale() const { return m_scale; }

signals:
    // Typed text the entry box could not take; it stays open for a correction.
    void entryRejected();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createTeamRows();
    void setTabOrder();
    void connectEngine();
    void showTitle();
    void showStandings();
    void showMaxScore();
    void showTeamName(int row);
    bool applyEntry();
    void showCommittedScores();
    void drawCommittedLengths();
    void startDrawingRace();
    void drawRaceTick(int frame);
    void drawRaceFrame(double fraction);
    void drawRaceEnd();
    void drawHighlight(int slot, int frame, int colour);
    void endHighlight(int slot);
    void placeFigure(int row);
    void showBlank(bool blank);
    void standFiguresInFront(bool inFront);
    void applyScale(BoardLayout::BoardScale scale);

    PresenterCommands &m_commands;
    GameEngine &m_engine;
    StartSound &m_sound;

    QPixmap m_runnerStrip;
    BarTrack m_track;

    std::array<QPushButton *, BoardRows> m_teamButtons{};
    std::array<ScoreBar *, BoardRows> m_scoreBars{};
    std::array<FigureBox *, BoardRows> m_runners{};
    BannerPicture *m_banner = nullptr;
    CommandBar *m_commandBar = nullptr;
    EntryBox *m_entryBox = nullptr;
    RaceFramePacer *m_framePacer = nullptr;
    QWidget *m_blankCover = nullptr;
    // A highlighted bar's fade: its colour (-1 when none runs), the colour
    // it fades from and the ticks it has faded.
    struct HighlightFade
    {
        int colour = -1;
        QColor from;
        int ticks = 0;
    };
    std::array<HighlightFade, BoardRows> m_fades{};

    qint32 m_rowGap = 0;
    BoardLayout::BoardScale m_scale;
    bool m_leaving = false;    // the presenter already agreed to end
    bool m_gameShown = false;  // showGame has drawn a game
    QString m_titleWarning; // shown after the game's name
};
