#pragma once

#include <QObject>
#include <QPointer>

#include <memory>

class Dialogs;
class FRMlogo;
class MainForm;
class MonitorPlatform;
class StartSound;
struct Module1;

// The windows of one run: the setup window first, and at each start a new
// scoreboard in place of the old one. The board's load button brings a setup
// window back; "닫기" in the setup window and the board's leave button end
// the run.
class Program : public QObject
{
    Q_OBJECT

public:
    Program(Module1 &state, Dialogs &dialogs, StartSound &sound,
            std::shared_ptr<MonitorPlatform> monitors, QObject *parent = nullptr);
    ~Program() override;

    // Creates and shows the first setup window.
    void start();

    // The open windows; null when there is none.
    FRMlogo *setupWindow() const;
    MainForm *board() const;

signals:
    // Every window is gone: the application should quit.
    void ended();

private:
    FRMlogo *openSetupWindow();
    void closeBoard();
    void showBoard();
    void bringBackSetup();
    void endOnRequest();
    void endNow();

    Module1 &m_state;
    Dialogs &m_dialogs;
    StartSound &m_sound;
    std::shared_ptr<MonitorPlatform> m_monitors;
    QPointer<FRMlogo> m_setup;
    QPointer<MainForm> m_board;
};
