#pragma once

#include "game_limits.h"

#include <QWidget>

#include <array>

class GameEngine;
class PresenterCommands;
class QLabel;
class QLineEdit;
class QPushButton;

// The presenter's console, "Zanto 점수판 - 진행자": the game on the laptop
// while the projector shows only the board. One row per team on the board
// with its name, its committed score, the points typed for this round (shown
// here only, never to the audience) and a field for more points; below them
// the board's commands as buttons, and the maximum score with ▲ and ▼.
//
// The console draws from the game engine and gives every command through the
// commands it shares with the board. Points typed into a field and not yet
// applied, like a name being edited, are applied before any command runs.
//
// Its controls carry object names for automation: ConsoleName_0 ..,
// ConsoleNameEdit_0 .., ConsoleScore_0 .., ConsolePending_0 ..,
// ConsolePoints_0 .., ConsoleClear_0 .., the quick buttons ConsoleAdd10_0 ..,
// ConsoleAdd50_0 .., ConsoleAdd100_0 .., ConsoleTake10_0 .., ConsoleMaxScore,
// ConsoleMaxAtStart, ConsoleGame, ConsoleStatus and the buttons
// ConsoleStart, ConsoleWinner, ConsoleUndo, ConsoleRedo, ConsoleSave,
// ConsoleLoad, ConsoleBlank, ConsoleFullScreen, ConsoleHelp, ConsoleLeave,
// ConsoleRaiseMax, ConsoleLowerMax.
//
// Keys: 1 to 8 put the focus on that row's points field with "0" selected
// (in a text field they are typed), Enter or Tab applies a field, Escape
// empties it and Delete clears the team's pending points; Ctrl+Z and Ctrl+Y
// in a field undo and redo its typing, not the game; Space presses nothing;
// the command keys are the board's (see PresenterKeys).
//
// While it is shown, the console has the keyboard: the board sends its
// entries here (see PresenterCommands).
//
// Text typed for a game that another replaces (a start, a load, a
// recovery) is thrown away. Hiding the console settles its fields: what can
// be taken is applied, the rest is thrown away with a beep and a message
// that says so, so that no command waits on a field nobody can see.
class PresenterConsole : public QWidget
{
    Q_OBJECT

public:
    explicit PresenterConsole(PresenterCommands &commands, QWidget *parent = nullptr);
    ~PresenterConsole() override;

    // The row's points field takes the focus holding "0", selected, so that
    // typing replaces it.
    void focusPointsEntry(int row);
    // Enter in a row's points field: the points are added to the team's
    // pending points and the field empties. False when they cannot be taken:
    // a beep, and the field keeps its text selected.
    bool applyPoints(int row);
    // Enter in a row's name field: the team takes the name. False when it
    // cannot have it: a beep, and the field keeps its text selected.
    bool applyName(int row);
    // The name of a row in its field, for editing.
    void editName(int row);

    // Applies whatever was typed and not applied, row by row; false at the
    // first text that cannot be taken, which then has the focus. A hidden
    // console holds nothing that could wait.
    bool settleEntries();
    // Empties every field and closes every name field, applying nothing.
    void discardTypedText();

    // A warning the presenter must see, above the teams ("자동 저장을 하지
    // 못했습니다"); empty for none.
    void setWarning(const QString &warning);
    QString warning() const;

    // A team picked on the board: its points field, or its name field.
    void takeEntry(int row, bool name);
    // The team's pending points go, and whatever its field holds.
    void clearPending(int row);

signals:
    // Typed text that could not be taken.
    void entryRejected();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    struct TeamRow
    {
        QLabel *key = nullptr;
        QLabel *colour = nullptr;
        QPushButton *name = nullptr;
        QLineEdit *nameEditor = nullptr;
        QLabel *score = nullptr;
        QLabel *pending = nullptr;
        QPushButton *clear = nullptr;
        QLineEdit *points = nullptr;
        QWidget *quick = nullptr;
    };

    void createControls();
    QWidget *createHeader();
    QWidget *createTeamTable();
    QWidget *createCommandBar();
    QWidget *createKeyLegend();
    void createShortcuts();
    void connectEngine();

    void showStandings();
    void showTeam(int row);
    void showPending(int row);
    void showMaxScore();
    void showSavedGame();
    void showCommandStates();
    QString winnerNames() const;
    void showNotice(const QString &text);
    void addQuickPoints(int row, const QString &points);
    void applyOnLeaving(QObject *watched, Qt::FocusReason reason);
    void clearPoints(int row);
    void closeNameEditor(int row);
    void reject(QLineEdit *field);
    void settleForHiding();
    void markTyped(QLineEdit *field);
    int rowOf(const QObject *field) const;

    PresenterCommands &m_commands;
    GameEngine &m_engine;

    QWidget *m_content = nullptr;
    std::array<TeamRow, BoardRows> m_rows{};
    QLabel *m_maxScore = nullptr;
    QLabel *m_maxScoreAtStart = nullptr;
    QLabel *m_savedGame = nullptr;
    QLabel *m_status = nullptr;
    QLabel *m_warning = nullptr;
    QPushButton *m_startButton = nullptr;
    QPushButton *m_winnerButton = nullptr;
    QPushButton *m_undoButton = nullptr;
    QPushButton *m_redoButton = nullptr;
};
