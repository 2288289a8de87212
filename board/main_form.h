#pragma once

#include <QWidget>

class Dialogs;
class StartSound;
struct Module1;

// The scoreboard window ("main"): the banner, one row per team with its name
// button, its score bar and a running figure at the bar's tip, and the command
// bar. It opens maximized; when the presenter chose the dual-monitor setting
// it opens on the chosen monitor.
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

signals:
    // The load button: the setup window should come back in saved-game mode.
    void loadRequested();
    // The leave button (after the presenter agreed to lose unsaved standings):
    // the whole program should end at once.
    void endRequested();
};
