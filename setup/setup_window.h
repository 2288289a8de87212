#pragma once

#include "saved_games_folder.h"

#include <QList>
#include <QString>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>

class Dialogs;
class GameEngine;
class MonitorList;
class MonitorPlatform;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class TeamCheckBox;
struct BoardMonitor;

// A team as the setup window holds it: the name it plays under and, for a
// team of a fetched saved game, the score it brings (and that score as the
// file wrote it, which its caption shows). Its caption is drawn from these,
// never read back.
struct SetupTeam
{
    QString name;
    std::optional<qint32> savedScore;
    QString savedScoreText;

    // "name" or, for a saved team, "name(120점)".
    QString caption() const;
    // The caption's part after the name: "(120점)", or nothing.
    QString scoreSuffix() const;
};

// The setup window: the first window of a run. The presenter chooses and
// renames the teams of the next game, loads or deletes saved games, chooses
// whether the board goes to a second monitor and starts the game.
//
// Two modes: team mode shows the eight team check boxes; saved-game mode
// shows the list of saved games over them. The window never creates the
// board itself: it asks for that with its signals, and whoever owns the
// windows answers.
//
// A fetched saved game stays in this window until the presenter starts it:
// the game on the board (and its board) are left alone until then.
class SetupWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int TeamBoxes = 8;

    SetupWindow(GameEngine &engine, const SavedGamesFolder &folder, BoardMonitor &boardMonitor,
                Dialogs &dialogs, std::shared_ptr<MonitorPlatform> monitors,
                QWidget *parent = nullptr);
    ~SetupWindow() override;

    // Start-up: defaults for a new game, the saved-game list, the monitors
    // and the preselected monitor choice.
    void startUp();

    // Reads the saved-game list again; no entry is selected afterwards.
    void refreshSavedGames();
    // Deletes the saved game after asking, then reads the list again.
    void deleteSavedGame(const SavedGame &game);
    // Turns the checked teams into the game's slots and asks for the board.
    void startGame();

    // The four buttons, whose meaning follows the mode: "시작" / "가져오기",
    // "불러오기", "닫기" / "돌아가기", "삭제".
    void startOrFetch();
    void showSavedGames();
    void closeOrGoBack();
    void deleteSelectedGame();

    // A click on team box `index`: the rename box opens over it.
    void openRenameBox(int index);
    // Enter in the rename box: the team takes the typed text as its name. A
    // saved team whose text still ends in its own "(…점)" keeps its score;
    // any other text makes a new team, which starts at 0.
    void applyRename();
    void savedGameClicked();
    void monitorChoiceChanged();

    bool inSavedGameMode() const;
    // A team's caption (the box shows it with any "&" kept literal).
    QString teamCaption(int index) const;
    const SetupTeam &team(int index) const;
    void setTeam(int index, const SetupTeam &team);
    // The saved game fetched for the next start, if any.
    const std::optional<SavedGame> &fetchedGame() const { return m_fetchedGame; }
    // Sets a team's check state the way code does: the rename box opens
    // over it when the state changes.
    void setTeamState(int index, Qt::CheckState state);
    // Selects a monitor choice the way code does: the choice takes effect.
    void selectMonitorChoice(int index);

    const QList<SavedGame> &savedGames() const { return m_games; }
    const MonitorList *monitorList() const { return m_monitorList.get(); }

signals:
    // Start was pressed: a shown board closes before the teams are packed.
    void boardCloseRequested();
    // The teams are in their slots: show a new board and initialise it.
    // The window closes itself right after.
    void gameStartRequested();
    // "닫기" in team mode: the whole program should end.
    void endRequested();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void createControls();
    void createCredits();
    void createTeamFrame();
    void createButtons();
    void setTabOrder();
    void backToTeamMode();
    void loadSelectedGame();
    bool mayReplaceTheGame();
    void recordBoardMonitor();
    int selectedGame() const;

    GameEngine &m_engine;
    const SavedGamesFolder &m_folder;
    BoardMonitor &m_boardMonitor;
    Dialogs &m_dialogs;
    std::shared_ptr<MonitorPlatform> m_platform;
    std::unique_ptr<MonitorList> m_monitorList;

    QPushButton *m_startButton = nullptr;  // "시작" / "가져오기"
    QPushButton *m_loadButton = nullptr;   // "불러오기"
    QPushButton *m_closeButton = nullptr;  // "닫기" / "돌아가기"
    QPushButton *m_deleteButton = nullptr; // "삭제"
    std::array<TeamCheckBox *, TeamBoxes> m_teamBoxes{};
    std::array<SetupTeam, TeamBoxes> m_teams;
    QWidget *m_teamFrame = nullptr;
    QListWidget *m_savedGameList = nullptr;
    QLineEdit *m_renameBox = nullptr;
    QComboBox *m_monitorChoice = nullptr;

    int m_renamedTeam = 0;
    // A saved game fetched in this window and the maximum its file holds.
    std::optional<SavedGame> m_fetchedGame;
    std::optional<qint32> m_fetchedMaxScore;
    QList<SavedGame> m_games; // one per entry of the list, in its order
};
