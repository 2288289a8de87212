#include "presenter_console.h"

#include "artwork_resources.h"
#include "board_colours.h"
#include "conversions.h"
#include "dialogs.h"
#include "fonts.h"
#include "game_engine.h"
#include "literal_text.h"
#include "presenter_commands.h"
#include "presenter_keys.h"
#include "team_name.h"
#include "text_fitting.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QStyle>
#include <QVBoxLayout>

namespace {

// The command buttons, left to right, with the keys that give the same
// command (their tool tips).
struct CommandButton
{
    const char *objectName;
    const char16_t *caption;
    const char16_t *keys;
    void (PresenterCommands::*command)();
};

const CommandButton commandButtons[] = {
    {"ConsoleStart", u"출발", u"F5, Page Down", &PresenterCommands::startRace},
    {"ConsoleWinner", u"승리팀", u"Page Up, W", &PresenterCommands::showWinner},
    {"ConsoleUndo", u"되돌리기", u"Ctrl+Z", &PresenterCommands::undo},
    {"ConsoleRedo", u"다시하기", u"Ctrl+Y, Ctrl+Shift+Z", &PresenterCommands::redo},
    {"ConsoleSave", u"저장하기", u"Ctrl+S", &PresenterCommands::saveStandings},
    {"ConsoleLoad", u"불러오기", nullptr, &PresenterCommands::requestSetup},
    {"ConsoleBlank", u"빈 화면", u"B, .", &PresenterCommands::toggleBlankBoard},
    {"ConsoleFullScreen", u"전체 화면", u"F11", &PresenterCommands::toggleFullScreen},
    {"ConsoleHelp", u"도움말", u"F1", &PresenterCommands::showHelp},
    {"ConsoleLeave", u"나가기", nullptr, &PresenterCommands::leave},
};

const CommandButton maxScoreButtons[] = {
    {"ConsoleRaiseMax", u"▲", u"+, ↑", &PresenterCommands::raiseMaxScore},
    {"ConsoleLowerMax", u"▼", u"-, ↓", &PresenterCommands::lowerMaxScore},
};

// The quick buttons of every team row: points with the mouse alone, or a
// finger on a touch screen.
struct QuickPoints
{
    const char *objectName;
    const char16_t *caption;
    const char *points;
};

const QuickPoints quickPoints[] = {
    {"ConsoleAdd10_%1", u"+10", "10"},
    {"ConsoleAdd50_%1", u"+50", "50"},
    {"ConsoleAdd100_%1", u"+100", "100"},
    {"ConsoleTake10_%1", u"−10", "-10"},
};

const char16_t keyLegend[] = u"1–8 점수 입력 · Enter/Tab 적용 · Esc 입력 취소 · Delete 더할 점수 지우기 · "
                             u"F5/Page Down 출발 · Page Up/W 승리팀 · B/. 빈 화면 · +/−, ↑/↓ 최대 점수 · "
                             u"Ctrl+Z 되돌리기 · Ctrl+Y 다시하기 · Ctrl+S 저장 · "
                             u"F11 전체 화면 · F2 진행자 창 숨기기 · F1 도움말";

// Sized to stay readable on a 1366 x 768 laptop with eight teams and to
// leave room for the title bar and the task bar.
constexpr QSize ConsoleSize{1180, 660};
constexpr int RowHeight = 44;
constexpr int KeyWidth = 28;
constexpr int ColourWidth = 10;
constexpr int NameWidth = 260;
constexpr int NamePadding = 8;
constexpr int NumberWidth = 120;
constexpr int PointsWidth = 150;
constexpr int ButtonHeight = 48;
constexpr int ButtonMinWidth = 96;
constexpr int ArrowWidth = 44;
constexpr int QuickWidth = 54;
constexpr int ClearWidth = 28;

constexpr int NamePixels = 24;
constexpr int NumberPixels = 28;
constexpr int KeyPixels = 20;
constexpr int HeadingPixels = 16;
constexpr int ButtonPixels = 18;
constexpr int InfoPixels = 20;
constexpr int LegendPixels = 14;

const QColor RaisingBlue{0, 70, 170};
const QColor LoweringRed{180, 0, 0};
const QColor NothingGrey{128, 128, 128};

QString signedNumberText(qint32 value)
{
    return value > 0 ? u'+' + numberText(value) : numberText(value);
}

QLabel *label(const QString &text, const QFont &font, Qt::Alignment alignment, QWidget *parent)
{
    auto *shown = new QLabel(text, parent);
    shown->setFont(font);
    shown->setAlignment(alignment);
    shown->setTextFormat(Qt::PlainText);
    return shown;
}

QPushButton *commandButton(const CommandButton &command, QWidget *parent)
{
    auto *button = new QPushButton(QString::fromUtf16(command.caption), parent);
    button->setObjectName(QLatin1String(command.objectName));
    button->setFont(gulimFont(ButtonPixels, true));
    button->setMinimumHeight(ButtonHeight);
    if (command.keys)
        button->setToolTip(QString::fromUtf16(command.keys));
    // A click leaves the focus where the presenter was typing; Tab still
    // reaches the buttons, and Enter presses the focused one.
    button->setFocusPolicy(Qt::TabFocus);
    button->setAutoDefault(true);
    return button;
}

bool isCommandOverride(const QKeyEvent *key)
{
    // A field's own undo and redo of its typing come first, as in the
    // board's entry box: a step back of the game from inside a field would
    // first apply the very typing the presenter wanted to take back.
    if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo))
        return false;
    const QKeySequence pressed(key->keyCombination());
    if (PresenterKeys::isTypedInFields(pressed))
        return false;
    for (const PresenterKeys::Binding &binding : PresenterKeys::commandBindings()) {
        if (binding.keys.matches(pressed) == QKeySequence::ExactMatch)
            return true;
    }
    return false;
}

} // namespace

PresenterConsole::PresenterConsole(PresenterCommands &commands, QWidget *parent)
    : QWidget(parent)
    , m_commands(commands)
    , m_engine(commands.engine())
{
    setObjectName(QStringLiteral("console"));
    setWindowTitle(appTitle() + QStringLiteral(" - 진행자"));
    setWindowIcon(Artwork::windowIcon());
    createControls();
    createShortcuts();
    connectEngine();
    m_commands.addEntrySettler(this, [this] { return settleEntries(); });

    // Never so small that a control is cut off.
    setMinimumSize(m_content->minimumSizeHint());
    resize(ConsoleSize);
    // The console itself holds the focus, not a button: Enter presses
    // nothing until the presenter goes to one.
    setFocusPolicy(Qt::ClickFocus);
    setFocus(Qt::OtherFocusReason);

    connect(&m_commands, &PresenterCommands::noticeGiven, this, &PresenterConsole::showNotice);
    connect(&m_commands, &PresenterCommands::consoleEntryRequested, this, &PresenterConsole::takeEntry);
    connect(&m_commands, &PresenterCommands::keyboardToConsoleRequested, this, [this] {
        activateWindow();
    });

    showStandings();
    showMaxScore();
    showSavedGame();
}

PresenterConsole::~PresenterConsole()
{
    m_commands.setConsoleShown(false);
}

void PresenterConsole::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_commands.setConsoleShown(true);
}

void PresenterConsole::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    settleForHiding();
    m_commands.setConsoleShown(false);
}

void PresenterConsole::takeEntry(int row, bool name)
{
    if (row < 0 || row >= m_engine.rowsShown())
        return;
    raise();
    activateWindow();
    if (name)
        editName(row);
    else
        focusPointsEntry(row);
}

// --- Controls ----------------------------------------------------------------

void PresenterConsole::createControls()
{
    m_content = new QWidget(this);
    auto *layout = new QVBoxLayout(m_content);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(12);
    layout->addWidget(createHeader());
    layout->addWidget(createTeamTable(), 1);
    layout->addWidget(createCommandBar());
    layout->addWidget(createKeyLegend());
}

// The controls keep their size in a larger window and stay together in its
// middle instead of spreading to its edges.
void PresenterConsole::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    QRect area({}, size().boundedTo(ConsoleSize));
    area.moveCenter(rect().center());
    m_content->setGeometry(area);
}

QWidget *PresenterConsole::createHeader()
{
    auto *header = new QWidget;
    auto *layout = new QHBoxLayout(header);
    layout->setContentsMargins(0, 0, 0, 0);

    m_savedGame = label(QString(), gulimFont(InfoPixels, true), Qt::AlignLeft | Qt::AlignVCenter, header);
    m_savedGame->setObjectName(QStringLiteral("ConsoleGame"));
    layout->addWidget(m_savedGame, 1);

    m_warning = label(QString(), gulimFont(InfoPixels, true), Qt::AlignCenter, header);
    m_warning->setObjectName(QStringLiteral("ConsoleWarning"));
    m_warning->setStyleSheet(QStringLiteral(
        "QLabel { background: rgb(180, 0, 0); color: white; padding: 2px 8px; }"));
    m_warning->hide();
    layout->addWidget(m_warning);

    m_status = label(QString(), gulimFont(InfoPixels, true), Qt::AlignCenter, header);
    m_status->setObjectName(QStringLiteral("ConsoleStatus"));
    QPalette red = m_status->palette();
    red.setColor(QPalette::WindowText, LoweringRed);
    m_status->setPalette(red);
    layout->addWidget(m_status, 1);

    layout->addWidget(label(QStringLiteral("최대 점수"), gulimFont(InfoPixels, true),
                            Qt::AlignRight | Qt::AlignVCenter, header));
    m_maxScore = label(QString(), hyGothicFont(NumberPixels), Qt::AlignRight | Qt::AlignVCenter, header);
    m_maxScore->setObjectName(QStringLiteral("ConsoleMaxScore"));
    // What the maximum becomes when the race starts; the board shows the
    // raise only then.
    m_maxScoreAtStart = label(QString(), gulimFont(InfoPixels, true), Qt::AlignRight | Qt::AlignVCenter, header);
    m_maxScoreAtStart->setObjectName(QStringLiteral("ConsoleMaxAtStart"));
    QPalette blue = m_maxScoreAtStart->palette();
    blue.setColor(QPalette::WindowText, RaisingBlue);
    m_maxScoreAtStart->setPalette(blue);
    m_maxScore->setMinimumWidth(NumberWidth);
    m_maxScore->setFixedHeight(RowHeight);
    // The board's yellow, so the presenter finds it at a glance.
    m_maxScore->setStyleSheet(QStringLiteral(
        "QLabel { background: rgb(255, 255, 0); color: black; border: 1px solid rgb(128, 128, 0);"
        " padding: 0px 6px; }"));
    layout->addWidget(m_maxScore);
    layout->addWidget(m_maxScoreAtStart);
    for (const CommandButton &command : maxScoreButtons) {
        QPushButton *arrow = commandButton(command, header);
        arrow->setFixedSize(ArrowWidth, RowHeight);
        arrow->installEventFilter(this);
        connect(arrow, &QPushButton::clicked, &m_commands, command.command);
        layout->addWidget(arrow);
    }
    return header;
}

QWidget *PresenterConsole::createTeamTable()
{
    auto *table = new QWidget;
    auto *grid = new QGridLayout(table);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(18);
    grid->setVerticalSpacing(6);

    enum Column { KeyColumn, ColourColumn, NameColumn, ScoreColumn, PendingColumn, ClearColumn, PointsColumn,
                  QuickColumn };
    const QFont heading = gulimFont(HeadingPixels, true);
    grid->addWidget(label(QStringLiteral("팀"), heading, Qt::AlignLeft | Qt::AlignBottom, table), 0,
                    NameColumn);
    grid->addWidget(label(QStringLiteral("점수"), heading, Qt::AlignRight | Qt::AlignBottom, table), 0,
                    ScoreColumn);
    grid->addWidget(label(QStringLiteral("더할 점수"), heading, Qt::AlignRight | Qt::AlignBottom, table),
                    0, PendingColumn);
    grid->addWidget(label(QStringLiteral("점수 입력"), heading, Qt::AlignHCenter | Qt::AlignBottom, table),
                    0, PointsColumn);

    const QString fieldStyle = QStringLiteral(
        "QLineEdit { background: white; color: black; border: 2px solid rgb(160, 160, 160);"
        " padding: 0px 6px; }"
        "QLineEdit:focus { border-color: rgb(0, 0, 160); }"
        // Typed and not yet applied: the next command applies it first.
        "QLineEdit[typed=\"true\"] { background: rgb(255, 244, 176); }");

    for (int row = 0; row < BoardRows; ++row) {
        TeamRow &team = m_rows[std::size_t(row)];
        const int gridRow = row + 1;

        team.key = label(QString::number(row + 1), gulimFont(KeyPixels, true), Qt::AlignCenter, table);
        team.key->setFixedWidth(KeyWidth);
        grid->addWidget(team.key, gridRow, KeyColumn);

        // The team's colour on the board, so that the presenter's rows and
        // the audience's match.
        team.colour = new QLabel(table);
        team.colour->setFixedSize(ColourWidth, RowHeight);
        team.colour->setAutoFillBackground(true);
        QPalette colour = team.colour->palette();
        colour.setColor(QPalette::Window, BoardColours::slotColour(row));
        team.colour->setPalette(colour);
        grid->addWidget(team.colour, gridRow, ColourColumn);

        team.name = new QPushButton(table);
        team.name->setObjectName(QStringLiteral("ConsoleName_%1").arg(row));
        team.name->setFixedSize(NameWidth, RowHeight);
        team.name->setFocusPolicy(Qt::TabFocus);
        team.name->setAutoDefault(true);
        team.name->setToolTip(QStringLiteral("이름 바꾸기"));
        team.name->setStyleSheet(QStringLiteral(
            "QPushButton { text-align: left; padding: 0px %1px; background: white; color: black;"
            " border: 1px solid rgb(160, 160, 160); }"
            "QPushButton:focus { border: 2px solid rgb(0, 0, 160); }").arg(NamePadding));
        team.name->installEventFilter(this);
        connect(team.name, &QPushButton::clicked, this, [this, row] { editName(row); });
        grid->addWidget(team.name, gridRow, NameColumn);

        team.nameEditor = new QLineEdit(table);
        team.nameEditor->setObjectName(QStringLiteral("ConsoleNameEdit_%1").arg(row));
        team.nameEditor->setFixedSize(NameWidth, RowHeight);
        team.nameEditor->setFont(hyGothicFont(NamePixels));
        team.nameEditor->setMaxLength(TeamName::MaxLength);
        team.nameEditor->setStyleSheet(fieldStyle);
        team.nameEditor->installEventFilter(this);
        team.nameEditor->hide();
        connect(team.nameEditor, &QLineEdit::returnPressed, this, [this, row] { applyName(row); });
        grid->addWidget(team.nameEditor, gridRow, NameColumn);

        team.score = label(QString(), hyGothicFont(NumberPixels), Qt::AlignRight | Qt::AlignVCenter, table);
        team.score->setObjectName(QStringLiteral("ConsoleScore_%1").arg(row));
        team.score->setMinimumWidth(NumberWidth);
        grid->addWidget(team.score, gridRow, ScoreColumn);

        team.pending = label(QString(), hyGothicFont(NumberPixels), Qt::AlignRight | Qt::AlignVCenter, table);
        team.pending->setObjectName(QStringLiteral("ConsolePending_%1").arg(row));
        team.pending->setMinimumWidth(NumberWidth);
        grid->addWidget(team.pending, gridRow, PendingColumn);

        team.clear = new QPushButton(QStringLiteral("✕"), table);
        team.clear->setObjectName(QStringLiteral("ConsoleClear_%1").arg(row));
        team.clear->setFixedSize(ClearWidth, ClearWidth);
        team.clear->setFocusPolicy(Qt::NoFocus);
        team.clear->setToolTip(QStringLiteral("더할 점수 지우기 (Delete)"));
        connect(team.clear, &QPushButton::clicked, this, [this, row] { clearPending(row); });
        grid->addWidget(team.clear, gridRow, ClearColumn);

        team.points = new QLineEdit(table);
        team.points->setObjectName(QStringLiteral("ConsolePoints_%1").arg(row));
        team.points->setFixedSize(PointsWidth, RowHeight);
        team.points->setFont(hyGothicFont(NumberPixels));
        team.points->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        team.points->setMaxLength(32767);
        team.points->setStyleSheet(fieldStyle);
        team.points->installEventFilter(this);
        connect(team.points, &QLineEdit::returnPressed, this, [this, row] { applyPoints(row); });
        connect(team.points, &QLineEdit::textChanged, this, [this, row] {
            markTyped(m_rows[std::size_t(row)].points);
        });
        grid->addWidget(team.points, gridRow, PointsColumn);

        team.quick = new QWidget(table);
        auto *quick = new QHBoxLayout(team.quick);
        quick->setContentsMargins(0, 0, 0, 0);
        quick->setSpacing(4);
        for (const QuickPoints &points : quickPoints) {
            auto *button = new QPushButton(QString::fromUtf16(points.caption), team.quick);
            button->setObjectName(QString::fromLatin1(points.objectName).arg(row));
            button->setFixedSize(QuickWidth, RowHeight);
            button->setFont(gulimFont(LegendPixels + 2, true));
            // A touch adds points and leaves the keyboard where it was.
            button->setFocusPolicy(Qt::NoFocus);
            const QString amount = QLatin1String(points.points);
            connect(button, &QPushButton::clicked, this, [this, row, amount] { addQuickPoints(row, amount); });
            quick->addWidget(button);
        }
        grid->addWidget(team.quick, gridRow, QuickColumn);
    }
    grid->setColumnStretch(QuickColumn + 1, 1);
    grid->setRowStretch(BoardRows + 1, 1);

    // Tab runs along each row, name then points.
    QWidget *previous = nullptr;
    for (const TeamRow &team : m_rows) {
        for (QWidget *next : {static_cast<QWidget *>(team.name), static_cast<QWidget *>(team.nameEditor),
                              static_cast<QWidget *>(team.points)}) {
            if (previous)
                QWidget::setTabOrder(previous, next);
            previous = next;
        }
    }
    return table;
}

QWidget *PresenterConsole::createCommandBar()
{
    auto *bar = new QWidget;
    auto *layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    for (const CommandButton &command : commandButtons) {
        QPushButton *button = commandButton(command, bar);
        button->setMinimumWidth(ButtonMinWidth);
        button->installEventFilter(this);
        connect(button, &QPushButton::clicked, &m_commands, command.command);
        layout->addWidget(button);
        const QString name = button->objectName();
        if (name == u"ConsoleStart")
            m_startButton = button;
        else if (name == u"ConsoleWinner")
            m_winnerButton = button;
        else if (name == u"ConsoleUndo")
            m_undoButton = button;
        else if (name == u"ConsoleRedo")
            m_redoButton = button;
    }
    return bar;
}

QWidget *PresenterConsole::createKeyLegend()
{
    QLabel *legend = label(QString::fromUtf16(keyLegend), gulimFont(LegendPixels),
                           Qt::AlignLeft | Qt::AlignVCenter, nullptr);
    legend->setWordWrap(true);
    QPalette grey = legend->palette();
    grey.setColor(QPalette::WindowText, QColor(80, 80, 80));
    legend->setPalette(grey);
    return legend;
}

void PresenterConsole::createShortcuts()
{
    PresenterKeys::installRowKeys(*this, [this](int row) { focusPointsEntry(row); });
    PresenterKeys::install(*this, m_commands);
}

void PresenterConsole::connectEngine()
{
    connect(&m_engine, &GameEngine::gameReplaced, this, &PresenterConsole::discardTypedText);
    connect(&m_engine, &GameEngine::standingsChanged, this, &PresenterConsole::showStandings);
    connect(&m_engine, &GameEngine::pendingChanged, this, &PresenterConsole::showPending);
    connect(&m_engine, &GameEngine::pendingChanged, this, &PresenterConsole::showMaxScore);
    connect(&m_engine, &GameEngine::maxScoreChanged, this, &PresenterConsole::showMaxScore);
    connect(&m_engine, &GameEngine::savedGameChanged, this, &PresenterConsole::showSavedGame);
    connect(&m_engine, &GameEngine::historyChanged, this, &PresenterConsole::showCommandStates);
    connect(&m_engine, &GameEngine::raceStarted, this, &PresenterConsole::showCommandStates);
    connect(&m_engine, &GameEngine::raceFinished, this, &PresenterConsole::showCommandStates);
    connect(&m_engine, &GameEngine::highlightTicked, this, &PresenterConsole::showCommandStates);
    connect(&m_engine, &GameEngine::highlightFinished, this, &PresenterConsole::showCommandStates);
}

// --- Drawing from the engine ---------------------------------------------------

void PresenterConsole::showStandings()
{
    for (int row = 0; row < BoardRows; ++row) {
        TeamRow &team = m_rows[std::size_t(row)];
        const bool inPlay = row < m_engine.rowsShown();
        if (!inPlay) {
            // Text typed for a team that left play belongs to no one.
            clearPoints(row);
            closeNameEditor(row);
        }
        for (QWidget *widget : {static_cast<QWidget *>(team.key), static_cast<QWidget *>(team.colour),
                                static_cast<QWidget *>(team.score), static_cast<QWidget *>(team.pending),
                                static_cast<QWidget *>(team.clear), static_cast<QWidget *>(team.points),
                                team.quick})
            widget->setVisible(inPlay);
        team.name->setVisible(inPlay && team.nameEditor->isHidden());
        if (inPlay) {
            showTeam(row);
            showPending(row);
        }
    }
    showCommandStates();
}

// A long name takes two lines and shrinks to fit its place, as on the
// board, then is cut at its end; the team keeps its whole name, which the
// tool tip and the name field show.
void PresenterConsole::showTeam(int row)
{
    TeamRow &team = m_rows[std::size_t(row)];
    const QString name = m_engine.teamName(row);
    const FittedText fitted = TextFitting::fitInTwoLines(
        name, hyGothicFont(NamePixels), QSize(NameWidth - 2 * NamePadding - 4, RowHeight - 4));
    team.name->setFont(fitted.font);
    team.name->setText(literalText(fitted.text));
    team.name->setToolTip(name);
    team.score->setText(numberText(m_engine.score(row)));
}

void PresenterConsole::showPending(int row)
{
    if (row < 0 || row >= BoardRows)
        return;
    const qint32 pending = m_engine.pendingPoints(row);
    m_rows[std::size_t(row)].clear->setEnabled(pending != 0);
    QLabel *shown = m_rows[std::size_t(row)].pending;
    shown->setText(signedNumberText(pending));
    QPalette palette = shown->palette();
    palette.setColor(QPalette::WindowText,
                     pending > 0 ? RaisingBlue : pending < 0 ? LoweringRed : NothingGrey);
    shown->setPalette(palette);
}

void PresenterConsole::showMaxScore()
{
    m_maxScore->setText(numberText(m_engine.maxScore()));
    const qint32 atStart = m_engine.maxScoreAtStart();
    m_maxScoreAtStart->setText(atStart != m_engine.maxScore() ? QStringLiteral("출발 때 → ") + numberText(atStart)
                                                                : QString());
}

void PresenterConsole::showSavedGame()
{
    const auto &game = m_engine.savedGame();
    m_savedGame->setText(game ? QStringLiteral("게임: ") + game->name : QStringLiteral("새 게임"));
}

void PresenterConsole::showCommandStates()
{
    const bool racing = m_engine.isRacing();
    m_startButton->setEnabled(!racing);
    m_winnerButton->setEnabled(!racing);
    m_undoButton->setEnabled(!racing && m_engine.canUndo());
    m_redoButton->setEnabled(!racing && m_engine.canRedo());
    // The presenter may not see the projector: the console says what it shows.
    if (racing)
        m_status->setText(QStringLiteral("경주 중…"));
    else if (m_engine.isHighlighting())
        m_status->setText(QStringLiteral("승리팀: ") + winnerNames());
    else
        m_status->clear();
}

QString PresenterConsole::winnerNames() const
{
    QStringList names;
    for (const int slot : m_engine.highlightedTeams())
        names.append(m_engine.teamName(slot));
    return names.join(QStringLiteral(", "));
}

void PresenterConsole::showNotice(const QString &text)
{
    m_status->setText(text);
}

void PresenterConsole::addQuickPoints(int row, const QString &points)
{
    m_engine.enterPoints(row, points);
}

void PresenterConsole::clearPending(int row)
{
    clearPoints(row);
    m_engine.clearPending(row);
}

// --- Typing --------------------------------------------------------------------

bool PresenterConsole::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut)
        applyOnLeaving(watched, static_cast<QFocusEvent *>(event)->reason());
    const bool keyEvent = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress
                          || event->type() == QEvent::KeyRelease;
    if (!keyEvent)
        return QWidget::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // The command keys a field would otherwise keep for itself.
        if (qobject_cast<QLineEdit *>(watched) && isCommandOverride(key)) {
            event->ignore();
            return true;
        }
        // Up and Down move the maximum only when no field has the focus.
        if (qobject_cast<QLineEdit *>(watched) && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            event->accept();
            return true;
        }
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        // A stray Space presses nothing, least of all the start button.
        if (key->key() == Qt::Key_Space && qobject_cast<QPushButton *>(watched))
            return true;
        if (event->type() == QEvent::KeyPress && key->key() == Qt::Key_Delete) {
            const int row = rowOf(watched);
            if (row >= 0 && watched == m_rows[std::size_t(row)].points) {
                clearPending(row);
                return true;
            }
        }
        if (event->type() == QEvent::KeyPress && key->key() == Qt::Key_Escape) {
            const int row = rowOf(watched);
            if (row < 0)
                break;
            if (watched == m_rows[std::size_t(row)].points)
                clearPoints(row);
            else
                closeNameEditor(row);
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

// Tab or a click elsewhere takes the points typed in a field as Enter
// would, or refuses them with the beep: a number never stays typed and
// uncounted. Another window taking the keyboard leaves them for the next
// command to settle.
void PresenterConsole::applyOnLeaving(QObject *watched, Qt::FocusReason reason)
{
    if (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason && reason != Qt::MouseFocusReason)
        return;
    const int row = rowOf(watched);
    if (row < 0 || watched != m_rows[std::size_t(row)].points || m_rows[std::size_t(row)].points->text().isEmpty())
        return;
    // The field is still losing the focus: it takes it back once that is over.
    QMetaObject::invokeMethod(this, [this, row] {
        if (!m_rows[std::size_t(row)].points->text().isEmpty())
            applyPoints(row);
    }, Qt::QueuedConnection);
}

int PresenterConsole::rowOf(const QObject *field) const
{
    for (int row = 0; row < BoardRows; ++row) {
        const TeamRow &team = m_rows[std::size_t(row)];
        if (field == team.points || field == team.nameEditor)
            return row;
    }
    return -1;
}

void PresenterConsole::focusPointsEntry(int row)
{
    if (row < 0 || row >= m_engine.rowsShown())
        return;
    QLineEdit *points = m_rows[std::size_t(row)].points;
    points->setText(QStringLiteral("0"));
    points->setFocus(Qt::ShortcutFocusReason);
    // Typing replaces the proposal instead of adding to it.
    points->selectAll();
}

bool PresenterConsole::applyPoints(int row)
{
    QLineEdit *points = m_rows[std::size_t(row)].points;
    if (m_engine.enterPoints(row, points->text()) == GameEngine::PointsEntry::Rejected) {
        reject(points);
        return false;
    }
    // Cleared without taking the focus back from where it went.
    if (points->hasFocus())
        clearPoints(row);
    else
        points->clear();
    return true;
}

void PresenterConsole::clearPoints(int row)
{
    QLineEdit *points = m_rows[std::size_t(row)].points;
    points->clear();
    // The next digit picks a row again instead of typing into this field,
    // also when the field was emptied while another window was active.
    if (focusWidget() == points)
        setFocus(Qt::OtherFocusReason);
}

void PresenterConsole::editName(int row)
{
    if (row < 0 || row >= m_engine.rowsShown())
        return;
    TeamRow &team = m_rows[std::size_t(row)];
    team.nameEditor->setText(m_engine.teamName(row));
    team.name->hide();
    team.nameEditor->show();
    team.nameEditor->setFocus(Qt::OtherFocusReason);
    team.nameEditor->selectAll();
}

bool PresenterConsole::applyName(int row)
{
    QLineEdit *editor = m_rows[std::size_t(row)].nameEditor;
    if (!m_engine.renameTeam(row, editor->text())) {
        reject(editor);
        return false;
    }
    closeNameEditor(row);
    showTeam(row);
    return true;
}

void PresenterConsole::closeNameEditor(int row)
{
    TeamRow &team = m_rows[std::size_t(row)];
    if (team.nameEditor->isHidden())
        return;
    if (focusWidget() == team.nameEditor)
        setFocus(Qt::OtherFocusReason);
    team.nameEditor->hide();
    team.name->setVisible(row < m_engine.rowsShown());
}

bool PresenterConsole::settleEntries()
{
    if (!isVisible()) {
        settleForHiding();
        return true;
    }
    for (int row = 0; row < m_engine.rowsShown(); ++row) {
        const TeamRow &team = m_rows[std::size_t(row)];
        if (!team.nameEditor->isHidden() && !applyName(row))
            return false;
        if (!team.points->text().isEmpty() && !applyPoints(row))
            return false;
    }
    return true;
}

void PresenterConsole::discardTypedText()
{
    for (int row = 0; row < BoardRows; ++row) {
        clearPoints(row);
        closeNameEditor(row);
    }
}

void PresenterConsole::settleForHiding()
{
    QStringList dropped;
    for (int row = 0; row < m_engine.rowsShown(); ++row) {
        TeamRow &team = m_rows[std::size_t(row)];
        if (!team.nameEditor->isHidden()) {
            const QString typed = team.nameEditor->text();
            if (!m_engine.renameTeam(row, typed))
                dropped.append(m_engine.teamName(row) + QStringLiteral(" 이름"));
            closeNameEditor(row);
        }
        const QString typed = team.points->text();
        if (!typed.isEmpty()) {
            if (m_engine.enterPoints(row, typed) == GameEngine::PointsEntry::Rejected)
                dropped.append(m_engine.teamName(row) + QStringLiteral(" 점수"));
            clearPoints(row);
        }
    }
    // Text typed for rows beyond the game belongs to no one.
    discardTypedText();
    if (dropped.isEmpty())
        return;
    QApplication::beep();
    // Told once the hiding is over: a box opened from inside it would
    // come and go with the window. The box may show on the projector, so it
    // names the fields, never what was typed in them.
    const QString message = QStringLiteral("진행자 창을 숨기면서 적용할 수 없는 입력을 지웠습니다\n")
                            + dropped.join(u'\n');
    Dialogs &dialogs = m_commands.dialogs();
    QMetaObject::invokeMethod(&m_commands, [&dialogs, message] { dialogs.message(message); },
                              Qt::QueuedConnection);
}

void PresenterConsole::setWarning(const QString &warning)
{
    m_warning->setText(warning);
    m_warning->setVisible(!warning.isEmpty());
}

QString PresenterConsole::warning() const
{
    return m_warning->text();
}

void PresenterConsole::reject(QLineEdit *field)
{
    // The console may be hidden behind the board: it comes forward with
    // the text to correct.
    if (isVisible()) {
        raise();
        activateWindow();
    }
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
    QApplication::beep();
    emit entryRejected();
}

void PresenterConsole::markTyped(QLineEdit *field)
{
    const bool typed = !field->text().isEmpty();
    if (field->property("typed").toBool() == typed)
        return;
    field->setProperty("typed", typed);
    field->style()->unpolish(field);
    field->style()->polish(field);
}
