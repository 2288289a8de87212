#include "program.h"

#include "autosave.h"
#include "board_placement.h"
#include "dialogs.h"
#include "help_window.h"
#include "presenter_console.h"
#include "recovery_store.h"
#include "save_command.h"
#include "scoreboard_window.h"
#include "setup_window.h"

#include <QDebug>
#include <QGuiApplication>
#include <QLocale>
#include <QScreen>

namespace {

const QString autosaveFailed = QStringLiteral("자동 저장을 하지 못했습니다");

// "저장하지 않은 지난 게임이 있습니다 (주일 저녁, 마지막 변경 12월 9일 21:40).
// 이어서 할까요?"
QString resumeQuestion(const RecoveredGame &game)
{
    QString what = game.savedGame ? game.savedGame->name : QStringLiteral("새 게임");
    if (game.changedAt.isValid()) {
        const QDateTime local = game.changedAt.toLocalTime();
        what += QStringLiteral(", 마지막 변경 %1월 %2일 %3")
                    .arg(local.date().month())
                    .arg(local.date().day())
                    .arg(local.time().toString(QStringLiteral("HH:mm")));
    }
    return QStringLiteral("저장하지 않은 지난 게임이 있습니다 (%1). 이어서 할까요?").arg(what);
}

} // namespace

Program::Program(const SavedGamesFolder &folder, Dialogs &dialogs, StartSound &sound,
                 std::shared_ptr<MonitorPlatform> monitors, QObject *parent)
    : QObject(parent)
    , m_folder(folder)
    , m_dialogs(dialogs)
    , m_commands(m_engine, m_folder, m_dialogs)
    , m_sound(sound)
    , m_monitors(std::move(monitors))
{
    m_engine.prepareNewGame();
    connect(&m_commands, &PresenterCommands::setupRequested, this, &Program::bringBackSetup);
    connect(&m_commands, &PresenterCommands::endRequested, this, &Program::endNow);
    connect(&m_commands, &PresenterCommands::consoleToggled, this, &Program::toggleConsole);
    connect(&m_commands, &PresenterCommands::fullScreenToggled, this, [this] {
        if (m_board)
            m_board->toggleFullScreen();
    });
    connect(&m_commands, &PresenterCommands::helpRequested, this, &Program::showHelp);
}

Program::~Program()
{
    // Windows that were closed but not yet deleted when the event loop
    // stopped: the run ended. A program destroyed with a window open keeps
    // its recovery file, as a crash would.
    if (!board() && !setupWindow())
        finishRecovery();
    m_autosave.reset();
    // The windows refer to the game and the folder: they go first.
    delete m_help.data();
    delete m_console.data();
    delete m_board.data();
    delete m_setup.data();
}

void Program::setRecoveryFolder(const QString &folder)
{
    m_recoveryFolder = folder;
}

void Program::start()
{
    // Read before the setup window gives the engine a new game's defaults,
    // and followed only after the question, so that a crash while it is
    // open still leaves the old game.
    const std::optional<RecoveredGame> left = claimRecovery();
    SetupWindow *setup = openSetupWindow();
    setup->show();
    if (left)
        resumeRecoveredGame(*left);
    if (m_autosave)
        m_autosave->start();
}

const RecoveryStore *Program::recoveryStore() const
{
    return m_recovery && m_recovery->hasSlot() ? m_recovery.get() : nullptr;
}

QString Program::autosaveWarning() const
{
    return m_autosave && m_autosave->isFailing() ? autosaveFailed : QString();
}

// The console says it; without a console shown, the board's title does.
void Program::showAutosaveState()
{
    const QString warning = autosaveWarning();
    if (m_console)
        m_console->setWarning(warning);
    if (m_board)
        m_board->setTitleWarning(console() ? QString() : warning);
}

SetupWindow *Program::setupWindow() const
{
    return m_setup && m_setup->isVisible() ? m_setup.data() : nullptr;
}

ScoreboardWindow *Program::board() const
{
    return m_board && m_board->isVisible() ? m_board.data() : nullptr;
}

PresenterConsole *Program::console() const
{
    return m_console && m_console->isVisible() ? m_console.data() : nullptr;
}

SetupWindow *Program::openSetupWindow()
{
    auto *setup = new SetupWindow(m_engine, m_folder, m_boardMonitor, m_dialogs, m_monitors);
    // Closed for good at a start or from its title bar; a later one starts afresh.
    setup->setAttribute(Qt::WA_DeleteOnClose);
    connect(setup, &SetupWindow::boardCloseRequested, this, &Program::closeBoard);
    connect(setup, &SetupWindow::gameStartRequested, this, &Program::showBoard);
    connect(setup, &SetupWindow::endRequested, this, &Program::endOnRequest);
    connect(setup, &QObject::destroyed, this, &Program::endRecoveryIfNoWindowIsOpen,
            Qt::QueuedConnection);
    setup->startUp();
    m_setup = setup;
    return setup;
}

void Program::closeBoard()
{
    // Deleted rather than closed: a board that is replaced asks nothing.
    m_replacingBoard = true;
    delete m_board.data();
    m_replacingBoard = false;
}

void Program::showBoard()
{
    closeBoard();
    auto *board = new ScoreboardWindow(m_commands, m_sound);
    board->setAttribute(Qt::WA_DeleteOnClose);
    // Its normal rectangle goes onto the monitor the presenter chose, which
    // it then fills, maximized.
    placeOnBoardMonitor(m_boardMonitor, *board);
    // The console belongs to the board: a board closed from its title bar
    // takes it along (and the run ends with the last window, as before).
    connect(board, &QObject::destroyed, this, [this] {
        if (!m_replacingBoard && m_console) {
            // The run is ending: what is still typed goes with it.
            m_console->discardTypedText();
            m_console->close();
        }
    });
    connect(board, &QObject::destroyed, this, &Program::endRecoveryIfNoWindowIsOpen,
            Qt::QueuedConnection);
    m_board = board;
    board->showMaximized();
    board->showGame();
    // The audience sees the board on the projector, full screen with no
    // title bar nor task bar; the presenter keeps the commands and the
    // keyboard on the laptop.
    if (board->screen() != QGuiApplication::primaryScreen()) {
        showConsoleOnPrimaryScreen();
        board->toggleFullScreen();
    }
    showAutosaveState();
}

void Program::showHelp()
{
    if (!m_help) {
        m_help = new HelpWindow;
        m_help->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (QScreen *primary = QGuiApplication::primaryScreen())
        m_help->setScreen(primary);
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

HelpWindow *Program::helpWindow() const
{
    return m_help && m_help->isVisible() ? m_help.data() : nullptr;
}

void Program::showConsoleOnPrimaryScreen()
{
    if (!m_console)
        m_console = new PresenterConsole(m_commands);
    if (QScreen *primary = QGuiApplication::primaryScreen()) {
        m_console->setScreen(primary);
        const QRect area = primary->availableGeometry();
        m_console->move(area.center() - m_console->rect().center());
    }
    m_console->show();
    m_console->raise();
    m_console->activateWindow();
    showAutosaveState();
}

void Program::toggleConsole()
{
    if (m_console && m_console->isVisible()) {
        m_console->hide();
        showAutosaveState();
    } else if (m_board) {
        showConsoleOnPrimaryScreen();
    }
}

void Program::bringBackSetup()
{
    SetupWindow *setup = setupWindow();
    if (!setup) {
        setup = openSetupWindow();
        setup->show();
    }
    setup->raise();
    setup->activateWindow();
    setup->showSavedGames();
}

void Program::endOnRequest()
{
    if (board() && !confirmLeaving(m_engine, m_dialogs))
        return;
    endNow();
}

void Program::endNow()
{
    finishRecovery();
    // Text typed and never applied ends with the run; hiding the console
    // would apply it to a game that is gone.
    if (m_console)
        m_console->discardTypedText();
    // Called from inside the windows' own handlers: they go once those return.
    // The pointers stay, so that a program destroyed before then still takes
    // its windows along before the game they refer to.
    for (QWidget *window : {static_cast<QWidget *>(m_help.data()), static_cast<QWidget *>(m_console.data()),
                            static_cast<QWidget *>(m_board.data()),
                            static_cast<QWidget *>(m_setup.data())}) {
        if (!window)
            continue;
        window->hide();
        window->deleteLater();
    }
    emit ended();
}

// --- Recovery ----------------------------------------------------------------

std::optional<RecoveredGame> Program::claimRecovery()
{
    if (m_recoveryFolder.isEmpty())
        return std::nullopt;
    m_recovery = std::make_unique<RecoveryStore>(m_recoveryFolder);
    m_autosave = std::make_unique<Autosave>(m_engine, *m_recovery);
    connect(m_autosave.get(), &Autosave::failingChanged, this, &Program::showAutosaveState);
    if (!m_recovery->claimSlot()) {
        // Every slot held, or a folder that cannot be made: the autosave
        // says so until it finds a slot after a change.
        qWarning() << "no recovery slot in" << m_recoveryFolder;
        return std::nullopt;
    }
    std::optional<RecoveredGame> left = m_recovery->read();
    if (!left && m_recovery->hasFile()) {
        // Never deleted: whoever looks into it later finds it by its name.
        const QString aside = m_recovery->setAside(RecoveryStore::SetAside::Unreadable);
        qWarning() << "an unreadable recovery file was set aside as" << aside;
        if (aside.isEmpty())
            m_recovery->releaseSlot(); // the file stays where it is, for another look
    }
    return left;
}

void Program::resumeRecoveredGame(const RecoveredGame &game)
{
    if (!m_dialogs.ask(resumeQuestion(game), Dialogs::DefaultAnswer::Yes)) {
        // Kept aside for a while, in case "no" was a slip of the hand.
        if (m_recovery->setAside(RecoveryStore::SetAside::Discarded).isEmpty())
            m_recovery->releaseSlot();
        return;
    }
    m_engine.restoreGame(game.standings, game.savedGame);
    m_engine.restoreHistory(game.history);
    showBoard();
    if (m_setup)
        m_setup->close();
}

void Program::endRecoveryIfNoWindowIsOpen()
{
    // However the last of them closed, the run is over once neither a board
    // nor a setup window is open. Queued after a window's deletion: a board
    // replaced at a start has its successor open by then.
    if (!board() && !setupWindow())
        finishRecovery();
}

void Program::finishRecovery()
{
    if (m_autosave)
        m_autosave->finish();
}
