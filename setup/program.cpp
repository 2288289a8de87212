#include "program.h"

#include "dialogs.h"
#include "frm_logo.h"
#include "game_state.h"
#include "main_form.h"

Program::Program(Module1 &state, Dialogs &dialogs, StartSound &sound,
                 std::shared_ptr<MonitorPlatform> monitors, QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_dialogs(dialogs)
    , m_sound(sound)
    , m_monitors(std::move(monitors))
{
}

Program::~Program()
{
    // Windows outlive nothing they refer to: the state and the dialogs are
    // the caller's and stay until after this.
    delete m_board.data();
    delete m_setup.data();
}

void Program::start()
{
    openSetupWindow()->show();
}

FRMlogo *Program::setupWindow() const
{
    return m_setup && m_setup->isVisible() ? m_setup.data() : nullptr;
}

MainForm *Program::board() const
{
    return m_board && m_board->isVisible() ? m_board.data() : nullptr;
}

FRMlogo *Program::openSetupWindow()
{
    auto *setup = new FRMlogo(m_state, m_dialogs, m_monitors);
    // Closed for good at a start or from its title bar; a later one starts afresh.
    setup->setAttribute(Qt::WA_DeleteOnClose);
    connect(setup, &FRMlogo::boardCloseRequested, this, &Program::closeBoard);
    connect(setup, &FRMlogo::gameStartRequested, this, &Program::showBoard);
    connect(setup, &FRMlogo::endRequested, this, &Program::endOnRequest);
    setup->Form_Load();
    m_setup = setup;
    return setup;
}

void Program::closeBoard()
{
    // Deleted rather than closed: a board that is replaced asks nothing.
    delete m_board.data();
}

void Program::showBoard()
{
    closeBoard();
    auto *board = new MainForm(m_state, m_dialogs, m_sound);
    board->setAttribute(Qt::WA_DeleteOnClose);
    connect(board, &MainForm::loadRequested, this, &Program::bringBackSetup);
    connect(board, &MainForm::endRequested, this, &Program::endNow);
    m_board = board;
    board->show();
    board->Set_Init();
}

void Program::bringBackSetup()
{
    FRMlogo *setup = setupWindow();
    if (!setup) {
        setup = openSetupWindow();
        setup->show();
    }
    setup->raise();
    setup->activateWindow();
    setup->Load_Score_Data();
}

void Program::endOnRequest()
{
    if (board() && m_state.hasUnsavedStandings()
        && !m_dialogs.ask(QStringLiteral("저장하지 않은 점수가 있습니다. 종료할까요?")))
        return;
    endNow();
}

void Program::endNow()
{
    // Called from inside the windows' own handlers: they go once those return.
    for (QWidget *window : {static_cast<QWidget *>(m_board.data()),
                            static_cast<QWidget *>(m_setup.data())}) {
        if (!window)
            continue;
        window->hide();
        window->deleteLater();
    }
    m_board.clear();
    m_setup.clear();
    emit ended();
}
