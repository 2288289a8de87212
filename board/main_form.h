#pragma once

#include "board_geometry.h"

#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <QtGlobal>

#include <array>

class BannerPicture;
class Dialogs;
class FigureBox;
class QLabel;
class QLineEdit;
class QPushButton;
class ScoreBar;
class StartSound;
struct Module1;

// The scoreboard window ("main"): the banner, one row per team with its name
// button, its score bar and a running figure at the bar's tip, and the command
// bar. It opens maximized; when the presenter chose the dual-monitor setting
// it opens on the chosen monitor.
//
// The controls carry their names as object names (TCmd_0 .. TCmd_7,
// TeamLabel_0 .., T_Pic_0 .., TCmd_Txt, Text1, Label1, Command1 .. Command8,
// Picture2, Picture3, Image1, Timer1, Timer2). The event handlers are public
// so that a test can drive a whole round tick by tick.
class MainForm : public QWidget
{
    Q_OBJECT

public:
    MainForm(Module1 &state, Dialogs &dialogs, StartSound &sound, QWidget *parent = nullptr);
    ~MainForm() override;

    // A new or loaded game is shown: resets the counters, shows the maximum
    // score and draws the bars.
    void Set_Init();

    // Sets every bar in play to the length of its committed score.
    void Display_Score();

    // Lays out banner, command bar and one row per team for the current size.
    void Form_Resize();

    // A mouse button released over team button `index`: opens the entry box
    // over it, for points (left button) or a new name (any other button).
    void TCmd_MouseUp(int index, Qt::MouseButton button);
    // A key in the entry box; Enter (13) applies the entry.
    void TCmd_Txt_KeyDown(int keyCode);

    void Timer1_Timer(); // one tick of the bar animation
    void Timer2_Timer(); // one tick of the winner's highlight

    void Command1_Click(); // start
    void Command2_Click(); // load
    void Command3_Click(); // save
    void Command4_Click(); // winning team
    void Command5_Click(); // leave
    void Command7_Click(); // maximum score up
    void Command8_Click(); // maximum score down

    // The window's own counters and values.
    double scoreScale() const { return Score_Scale; }
    qint16 tickCount() const { return Tick_Count; }
    qint16 picFrame() const { return Pic_Frame; }
    qint16 colorIndex() const { return Color_Index; }
    qint16 inputMode() const { return Input_Mode; }
    qint16 selTeam() const { return Sel_Team; }
    qint16 topTeam() const { return Top_Team; }
    qint32 rowGap() const { return Row_Gap; }
    double barStep(int slot) const;
    double barValue(int slot) const;

    // The bar length and figure position of a slot, as the board keeps them.
    float barWidth(int slot) const;
    float figureLeft(int slot) const;

    // The question leaving asks while standings are unsaved.
    static QString unsavedQuestion();

signals:
    // The load button: the setup window should come back in saved-game mode.
    void loadRequested();
    // The leave button (after the presenter agreed to lose unsaved standings):
    // the whole program should end at once.
    void endRequested();
    // Points the entry box could not take; the box stays open for a correction.
    void entryRejected();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void createControls();
    void setTabOrder();
    void warmUpCaptionGlyphs();
    void showMaxScore();
    void rejectEntry();
    bool validSlot(int slot) const { return slot >= 0 && slot < board::Board_Slots; }

    Module1 &m_state;
    Dialogs &m_dialogs;
    StartSound &m_sound;

    QPixmap m_spriteSheet;

    std::array<QPushButton *, board::Board_Slots> TCmd{};
    std::array<ScoreBar *, board::Board_Slots> TeamLabel{};
    std::array<FigureBox *, board::Board_Slots> T_Pic{};
    QLineEdit *TCmd_Txt = nullptr;
    QLabel *Picture3 = nullptr;
    QWidget *Picture2 = nullptr;
    BannerPicture *Image1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *Command4 = nullptr;
    QPushButton *Command5 = nullptr;
    QPushButton *Command7 = nullptr;
    QPushButton *Command8 = nullptr;
    QLineEdit *Text1 = nullptr;
    QLabel *Label1 = nullptr;
    QTimer Timer1;
    QTimer Timer2;

    double Score_Scale = 0.0;
    qint16 Tick_Count = 0;
    std::array<double, board::Animation_Slots> Bar_Step{};
    std::array<double, board::Animation_Slots> Bar_Value{};
    qint16 Pic_Frame = 0;
    qint16 Color_Index = 0;
    qint16 Input_Mode = 0;
    qint16 Sel_Team = 0;
    qint16 Top_Team = 0;
    qint32 Row_Gap = 0;

    bool m_leaving = false; // the presenter already agreed to end
    bool m_initialised = false; // Set_Init has shown a game
};
