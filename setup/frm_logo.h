#pragma once

#include "saved_games.h"

#include <QList>
#include <QString>
#include <QWidget>

#include <array>
#include <memory>

class Dialogs;
class MonitorPlatform;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class TeamCheckBox;
struct Module1;

// The setup window: the first window of a run. The presenter chooses and
// renames the teams of the next game, loads or deletes saved games, chooses
// whether the board goes to a second monitor and starts the game.
//
// Two modes: team mode shows the eight team check boxes; saved-game mode
// shows the list of saved games over them. The window never creates the
// board itself: it asks for that with its signals, and whoever owns the
// windows (Program) answers.
class FRMlogo : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Team_Boxes = 8;

    FRMlogo(Module1 &state, Dialogs &dialogs, std::shared_ptr<MonitorPlatform> monitors,
            QWidget *parent = nullptr);
    ~FRMlogo() override;

    // The window's load handling: defaults for a new game, the saved-game
    // list, the monitors and the preselected monitor choice.
    void Form_Load();

    // Reads the saved-game list again; no entry is selected afterwards.
    void Set_List();
    // Deletes the saved game after asking, then reads the list again.
    void Del_File(const SavedGame &game);
    // Switches to saved-game mode, as the "불러오기" button does.
    void Load_Score_Data();
    // Turns the checked teams into the game's slots and asks for the board.
    void Set_TTT();

    // Event handling, public so that the owner and tests can run it the way
    // the controls do.
    void Cmd_Click(int index);
    void Team_Click(int index);
    void List1_Click();
    void Combo1_Click();
    void Text1_Enter();

    bool inSavedGameMode() const;
    // A team's caption as the program holds it (the box shows it with any
    // "&" kept literal).
    QString teamCaption(int index) const;
    void setTeamCaption(int index, const QString &caption);
    // Sets a team's check state the way code does: the team's click
    // handling runs at once when the state changes.
    void setTeamState(int index, Qt::CheckState state);
    // Selects a monitor choice the way code does: its click handling runs.
    void selectMonitorChoice(int index);

    const QList<SavedGame> &savedGames() const { return m_games; }
    const QList<qint32> &monitorHandles() const { return Mon_Handles; }

signals:
    // Start was pressed: a shown board closes before the teams are packed.
    void boardCloseRequested();
    // The teams are in their slots: show a new board and initialise it.
    // The window closes itself right after.
    void gameStartRequested();
    // "닫기" in team mode: the whole program should end.
    void endRequested();

private:
    void buildControls();
    void enterSavedGameMode();
    void backToTeamMode();
    void loadSelectedGame();
    void deleteSelectedGame();
    void Set_Monitor_List();
    void recordBoardMonitor();
    int selectedGame() const;

    Module1 &m_state;
    Dialogs &m_dialogs;
    std::shared_ptr<MonitorPlatform> m_monitors;

    std::array<QPushButton *, 4> Cmd{};
    std::array<TeamCheckBox *, Team_Boxes> Team{};
    std::array<QString, Team_Boxes> m_captions;
    QGroupBox *Frame1 = nullptr;
    QListWidget *List1 = nullptr;
    QLineEdit *Text1 = nullptr;
    QComboBox *Combo1 = nullptr;
    QFrame *Shape1 = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label7 = nullptr;

    int Edit_Team = 0;
    QList<qint32> Mon_Handles;
    QList<SavedGame> m_games; // one per entry of List1, in its order
};
