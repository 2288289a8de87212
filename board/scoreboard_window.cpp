#include "scoreboard_window.h"

#include "artwork_resources.h"
#include "banner_picture.h"
#include "board_colours.h"
#include "board_layout.h"
#include "board_monitor.h"
#include "board_placement.h"
#include "conversions.h"
#include "dialogs.h"
#include "figure_box.h"
#include "literal_text.h"
#include "fonts.h"
#include "game_engine.h"
#include "presenter_commands.h"
#include "presenter_keys.h"
#include "save_command.h"
#include "score_bar.h"
#include "start_sound.h"
#include "team_name.h"
#include "text_fitting.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cmath>

using namespace BoardColours;
using namespace BoardLayout;

namespace {

// The command bar's controls at their design places, from the back to the
// front. Those anchored right keep their distance from the bar's right end.
enum class ControlKind { Caption, PictureButton, MaxScoreBox, ArrowButton };

struct CommandBarControl
{
    const char *objectName;
    ControlKind kind;
    QRect designRect;
    bool anchoredRight;
    const char16_t *text; // caption, tool tip or initial text
    const QString *picture;
    QSize face;
    void (ScoreboardWindow::*command)();
};

const CommandBarControl commandBarControls[] = {
    {"Label1", ControlKind::Caption, {654, 40, 103, 15}, true, u"최대 점수값", nullptr, {}, nullptr},
    {"Command1", ControlKind::PictureButton, {34, 6, 101, 37}, false, u"출발",
     &Artwork::buttonStartPath, Artwork::buttonFaceSize, &ScoreboardWindow::startRace},
    {"Command2", ControlKind::PictureButton, {164, 6, 101, 37}, false, u"불러오기",
     &Artwork::buttonLoadPath, Artwork::buttonFaceSize, &ScoreboardWindow::requestSetup},
    {"Command3", ControlKind::PictureButton, {294, 6, 101, 37}, false, u"저장하기",
     &Artwork::buttonSavePath, Artwork::buttonFaceSize, &ScoreboardWindow::saveStandings},
    {"Command4", ControlKind::PictureButton, {426, 6, 101, 37}, false, u"승리팀",
     &Artwork::buttonWinnerPath, Artwork::buttonFaceSize, &ScoreboardWindow::showWinner},
    {"Command5", ControlKind::PictureButton, {950, 4, 53, 37}, true, u"나가기",
     &Artwork::doorPath, Artwork::doorSize, &ScoreboardWindow::leave},
    {"Text1", ControlKind::MaxScoreBox, {654, 4, 189, 35}, true, u"500", nullptr, {}, nullptr},
    {"Command7", ControlKind::ArrowButton, {844, 4, 33, 17}, true, u"▲", nullptr, {},
     &ScoreboardWindow::raiseMaxScore},
    {"Command8", ControlKind::ArrowButton, {844, 22, 33, 17}, true, u"▼", nullptr, {},
     &ScoreboardWindow::lowerMaxScore},
};

// Pixel sizes of the board's lettering.
constexpr int TeamNamePixels = 27;
constexpr int EntryPixels = 48;
constexpr int MaxScorePixels = 32;
constexpr int ArrowPixels = 21;
constexpr int CaptionPixels = 16;
// Room a team button's bevel and padding take at each side of its name.
constexpr int TeamButtonInset = 4;
// Room the maximum box's frame and padding take at each side of its number.
constexpr int MaxScoreBoxInset = 5;
// A race is drawn three times a tick, at the tick and at a third and two
// thirds of the way to the next: 60 drawings a second, the display's rate.
// A frame stands at its third however late its timer fires, so no drawing
// moves a bar more than a third of its tick's way.
constexpr int DrawingsPerTick = 3;
// Ticks the highlight takes to fade from one colour into the next.
constexpr int HighlightFadeTicks = 3;


QString rgb(const QColor &c)
{
    return QStringLiteral("rgb(%1, %2, %3)").arg(c.red()).arg(c.green()).arg(c.blue());
}

// A button of coloured style: the colour over the whole face, a light bevel,
// the caption in the centre.
QString colouredButtonStyle(const QColor &colour)
{
    return QStringLiteral(
               "QPushButton { background-color: %1; color: black; padding: 0px;"
               " border-style: outset; border-width: 2px;"
               " border-color: %2 %3 %3 %2; }"
               "QPushButton:pressed { border-style: inset; border-color: %3 %2 %2 %3; }"
               "QPushButton:focus { outline: none; border-style: solid; border-width: 3px;"
               " border-color: black; }")
        .arg(rgb(colour), rgb(colour.lighter(130)), rgb(colour.darker(160)));
}

QPushButton *pictureButton(const CommandBarControl &control, QWidget *parent)
{
    auto *button = new QPushButton(parent);
    button->setIcon(Artwork::icon(*control.picture));
    button->setIconSize(control.face);
    button->setToolTip(QString::fromUtf16(control.text));
    // Clicking with the mouse leaves no focus frame on the projector; the
    // keyboard still reaches the buttons with Tab.
    button->setFocusPolicy(Qt::TabFocus);
    button->setStyleSheet(QStringLiteral(
        "QPushButton { background: black; border: 1px solid black; padding: 0px; }"
        "QPushButton:pressed { padding-left: 2px; padding-top: 2px; }"
        "QPushButton:focus { border: 1px solid rgb(255, 255, 0); }"));
    return button;
}

QWidget *createControl(const CommandBarControl &control, QWidget *parent)
{
    const QString text = QString::fromUtf16(control.text);
    switch (control.kind) {
    case ControlKind::Caption: {
        auto *label = new QLabel(text, parent);
        label->setFont(gulimFont(CaptionPixels));
        label->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(rgb(MaxScoreYellow)));
        label->setAttribute(Qt::WA_TranslucentBackground);
        return label;
    }
    case ControlKind::PictureButton:
        return pictureButton(control, parent);
    case ControlKind::MaxScoreBox: {
        auto *box = new QLineEdit(text, parent);
        box->setFont(hyGothicFont(MaxScorePixels));
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        // It shows the maximum; ▲ and ▼ change it.
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        box->setContextMenuPolicy(Qt::NoContextMenu);
        box->setAttribute(Qt::WA_TransparentForMouseEvents);
        box->setStyleSheet(QStringLiteral(
            "QLineEdit { background: %1; color: black; border: 1px solid rgb(128, 128, 0);"
            " padding: 0px 2px; }").arg(rgb(MaxScoreYellow)));
        return box;
    }
    case ControlKind::ArrowButton: {
        auto *arrow = new QPushButton(text, parent);
        arrow->setFont(gulimFont(ArrowPixels, true));
        arrow->setStyleSheet(colouredButtonStyle(MaxScoreYellow));
        arrow->setFocusPolicy(Qt::TabFocus);
        return arrow;
    }
    }
    return nullptr;
}

// Hands the presses of the whole application to a function while the entry
// box is open; true from the function swallows the press.
class PressWatcher final : public QObject
{
public:
    PressWatcher(std::function<bool(QObject *)> onPress, QObject *parent)
        : QObject(parent)
        , m_onPress(std::move(onPress))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        return event->type() == QEvent::MouseButtonPress && m_onPress(watched);
    }

private:
    std::function<bool(QObject *)> m_onPress;
};

int clampedPixels(qint64 value)
{
    return int(std::clamp<qint64>(value, -10000000, 10000000));
}

bool isRow(int row)
{
    return row >= 0 && row < BoardRows;
}

} // namespace

ScoreboardWindow::ScoreboardWindow(PresenterCommands &commands, StartSound &sound,
                                   const BoardMonitor &monitor, QWidget *parent)
    : ScoreboardWindow(nullptr, &commands, sound, monitor, parent)
{
}

ScoreboardWindow::ScoreboardWindow(GameEngine &engine, const SavedGamesFolder &folder,
                                   Dialogs &dialogs, StartSound &sound, const BoardMonitor &monitor,
                                   QWidget *parent)
    : ScoreboardWindow(std::make_unique<PresenterCommands>(engine, folder, dialogs), nullptr, sound,
                       monitor, parent)
{
}

ScoreboardWindow::ScoreboardWindow(std::unique_ptr<PresenterCommands> ownCommands,
                                   PresenterCommands *commands, StartSound &sound,
                                   const BoardMonitor &monitor, QWidget *parent)
    : QWidget(parent)
    , m_ownCommands(std::move(ownCommands))
    , m_commands(commands ? *commands : *m_ownCommands)
    , m_engine(m_commands.engine())
    , m_sound(sound)
{
    setObjectName(QStringLiteral("main"));
    showTitle();
    setWindowIcon(Artwork::windowIcon());
    QPalette pal = palette();
    pal.setColor(QPalette::Window, WindowGreen);
    setPalette(pal);
    setAutoFillBackground(true);

    m_runnerStrip = Artwork::pixmap(Artwork::runnerPath, qApp->devicePixelRatio());
    createControls();
    setTabOrder();
    createShortcuts();
    ScoreBar::warmUpNumberGlyphs();
    m_frameTimer.setParent(this);
    m_frameTimer.setObjectName(QStringLiteral("raceFrames"));
    m_frameTimer.setSingleShot(true);
    m_frameTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_frameTimer, &QTimer::timeout, this, &ScoreboardWindow::drawRaceFrame);
    connectEngine();
    // While the entry box is open, a click anywhere else on the board first
    // applies it as Enter would; text it cannot take keeps the click from
    // doing anything.
    m_pressWatcher = new PressWatcher(
        [this](QObject *watched) {
            return isEntryOpen() && watched != m_entryBox && watched->isWidgetType()
                   && static_cast<QWidget *>(watched)->window() == this && !applyEntry();
        },
        this);
    // Typed points still in the entry box count before any command runs.
    m_commands.addEntrySettler(this, [this] { return !isEntryOpen() || applyEntry(); });
    connect(&m_commands, &PresenterCommands::setupRequested, this, &ScoreboardWindow::setupRequested);
    connect(&m_commands, &PresenterCommands::endRequested, this, [this] {
        m_leaving = true;
        emit endRequested();
    });

    // Normal size: the design size, centred on the screen; shown maximized.
    resize(DesignWidth, DesignHeight);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(DesignWidth / 2, DesignHeight / 2));
    }
    // The normal-size rectangle goes onto the chosen monitor, when the
    // presenter chose one; maximizing then fills that monitor.
    placeOnBoardMonitor(monitor, *this);
    setWindowState(Qt::WindowMaximized);
    // The board itself holds the focus, not the start button: a stray Space
    // on the presenter's keyboard must not start a round. Tab still walks
    // the buttons.
    setFocusPolicy(Qt::StrongFocus);
    setFocus(Qt::OtherFocusReason);
}

ScoreboardWindow::~ScoreboardWindow()
{
    // A board replaced mid-round takes its round with it.
    m_engine.stopAnimations();
}

// Later siblings paint over earlier ones, so the controls are created from
// the back to the front: bars, banner, command bar, team buttons, entry box,
// figures.
void ScoreboardWindow::createControls()
{
    for (int i = BoardRows - 1; i >= 0; --i) {
        auto *bar = new ScoreBar(this);
        bar->setObjectName(QStringLiteral("TeamLabel_%1").arg(i));
        // The designer left the second bar two pixels to the left.
        bar->setGeometry(i == 1 ? DesignBarLeft - 2 : DesignBarLeft, designRowTop(i),
                         int(BarTrack::DesignBarLength), RowHeight);
        bar->setBarWidth(BarTrack::DesignBarLength);
        bar->setFillColour(slotColour(i));
        bar->setCaption(QStringLiteral("100"));
        bar->hide();
        m_scoreBars[std::size_t(i)] = bar;
    }

    m_banner = new BannerPicture(this);
    m_banner->setObjectName(QStringLiteral("Image1"));
    m_banner->setGeometry(QRect(QPoint(0, 0), Artwork::bannerSize));

    createCommandBar();
    createTeamRows();
}

void ScoreboardWindow::createCommandBar()
{
    m_commandBar = new QWidget(this);
    m_commandBar->setObjectName(QStringLiteral("Picture2"));
    m_commandBar->setGeometry(0, DesignCommandBarTop, DesignWidth, CommandBarHeight);
    QPalette black = m_commandBar->palette();
    black.setColor(QPalette::Window, CommandBarBlack);
    m_commandBar->setPalette(black);
    m_commandBar->setAutoFillBackground(true);

    for (const CommandBarControl &control : commandBarControls) {
        QWidget *widget = createControl(control, m_commandBar);
        widget->setObjectName(QLatin1String(control.objectName));
        widget->setGeometry(control.designRect);
        if (control.command) {
            connect(static_cast<QPushButton *>(widget), &QPushButton::clicked, this,
                    control.command);
        }
        if (control.kind == ControlKind::MaxScoreBox)
            m_maxScoreBox = static_cast<QLineEdit *>(widget);
    }
}

void ScoreboardWindow::createTeamRows()
{
    for (int i = BoardRows - 1; i >= 0; --i) {
        auto *button = new QPushButton(QStringLiteral("믿음"), this);
        button->setObjectName(QStringLiteral("TCmd_%1").arg(i));
        button->setGeometry(TeamButtonLeft, designRowTop(i), TeamButtonWidth, RowHeight);
        button->setFont(hyGothicFont(TeamNamePixels));
        button->setStyleSheet(colouredButtonStyle(slotColour(i)));
        button->setFocusPolicy(Qt::TabFocus);
        button->installEventFilter(this);
        button->hide();
        m_teamButtons[std::size_t(i)] = button;
    }

    m_entryBox = new QLineEdit(this);
    m_entryBox->setObjectName(QStringLiteral("TCmd_Txt"));
    m_entryBox->setGeometry(TeamButtonLeft - 2, BannerHeight, TeamButtonWidth, RowHeight);
    m_entryBox->setFont(hyGothicFont(EntryPixels));
    m_entryBox->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_entryBox->setStyleSheet(QStringLiteral(
        "QLineEdit { background: white; color: black; border: 2px solid black; padding: 0px 2px; }"));
    m_entryBox->installEventFilter(this);
    m_entryBox->hide();

    // Each running figure is its bar's child, standing at the tip: moving it
    // every frame costs only its bar a repaint, not the window and its
    // other controls.
    for (int i = BoardRows - 1; i >= 0; --i) {
        auto *runner = new FigureBox(m_runnerStrip, slotColour(i), m_scoreBars[std::size_t(i)]);
        runner->setObjectName(QStringLiteral("T_Pic_%1").arg(i));
        runner->setGeometry(0, 0, FigureWidth, RowHeight);
        runner->hide();
        m_runners[std::size_t(i)] = runner;
    }
}

void ScoreboardWindow::setTabOrder()
{
    const auto control = [this](const char *name) {
        return m_commandBar->findChild<QWidget *>(QLatin1String(name));
    };
    QList<QWidget *> order{control("Command1"), control("Command2"), control("Command3"),
                           control("Command4"), control("Command5"), m_teamButtons[0],
                           control("Command7"), control("Command8")};
    for (int i = 1; i < BoardRows; ++i)
        order.append(m_teamButtons[std::size_t(i)]);
    order.append(m_entryBox);
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void ScoreboardWindow::connectEngine()
{
    connect(&m_engine, &GameEngine::maxScoreChanged, this, &ScoreboardWindow::showMaxScore);
    connect(&m_engine, &GameEngine::barsReset, this, &ScoreboardWindow::showCommittedScores);
    connect(&m_engine, &GameEngine::raceStarted, this, [this] {
        m_sound.play();
        followRaceFramesFromNow();
    });
    connect(&m_engine, &GameEngine::raceTicked, this, &ScoreboardWindow::drawRaceTick);
    connect(&m_engine, &GameEngine::raceFinished, this, &ScoreboardWindow::drawRaceEnd);
    connect(&m_engine, &GameEngine::highlightTicked, this, &ScoreboardWindow::drawHighlight);
    connect(&m_engine, &GameEngine::highlightFinished, this, &ScoreboardWindow::endHighlight);
    connect(&m_engine, &GameEngine::standingsChanged, this, &ScoreboardWindow::showStandings);
    connect(&m_engine, &GameEngine::savedGameChanged, this, &ScoreboardWindow::showTitle);
}

void ScoreboardWindow::createShortcuts()
{
    PresenterKeys::installRowKeys(*this, [this](int row) {
        if (row < m_engine.rowsInPlay())
            openEntryBox(row, Qt::LeftButton);
    });
    PresenterKeys::install(*this, m_commands);
}

void ScoreboardWindow::showTitle()
{
    const auto &game = m_engine.savedGame();
    setWindowTitle(game ? appTitle() + QStringLiteral(" - ") + game->name : appTitle());
}

// The standings changed from elsewhere (a load, an undo, the console): the
// board shows what its next save would write. A running race keeps its
// numbers; its last tick shows the committed ones.
void ScoreboardWindow::showStandings()
{
    if (!m_gameShown)
        return;
    if (m_engine.isRacing()) {
        for (int i = 0; i < m_engine.rowsInPlay(); ++i)
            showTeamName(i);
        return;
    }
    layOutRows();
}

float ScoreboardWindow::figureLeft(int row) const
{
    if (!isRow(row))
        return 0.0f;
    return float(m_scoreBars[std::size_t(row)]->x()) + m_runners[std::size_t(row)]->figureLeft();
}

// --- Layout ------------------------------------------------------------------

void ScoreboardWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layOutRows();
}

void ScoreboardWindow::layOutRows()
{
    const int w = width();
    const int h = height();
    m_track.setBoardWidth(w);
    m_banner->setGeometry(0, 0, w, m_banner->height());
    m_commandBar->setGeometry(0, h - CommandBarHeight, w, CommandBarHeight);
    const int widening = m_commandBar->width() - DesignWidth;
    for (const CommandBarControl &control : commandBarControls) {
        if (!control.anchoredRight)
            continue;
        auto *widget = m_commandBar->findChild<QWidget *>(QLatin1String(control.objectName),
                                                           Qt::FindDirectChildrenOnly);
        widget->move(control.designRect.x() + widening, control.designRect.y());
    }

    // However many teams a game holds, the board has eight rows.
    if (const auto gap = BoardLayout::rowGap(h, m_engine.rowsInPlay()))
        m_rowGap = *gap;

    for (int i = 0; i < m_engine.rowsInPlay(); ++i) {
        QPushButton *button = m_teamButtons[std::size_t(i)];
        ScoreBar *bar = m_scoreBars[std::size_t(i)];
        FigureBox *runner = m_runners[std::size_t(i)];
        const int y = clampedPixels(rowTop(i, m_rowGap));
        button->move(TeamButtonLeft, y);
        showTeamName(i);
        // The bar's widget runs to the window's edge: a number too wide for
        // its bar stands beside the running figure.
        const int barLeft = button->x() + button->width();
        bar->setGeometry(barLeft, y, std::max(0, w - barLeft), RowHeight);
        bar->setCaptionNumber(m_engine.score(i));
        placeFigure(i);
        runner->drawFrame(0);
        button->show();
        runner->show();
    }
    for (int i = m_engine.rowsInPlay(); i < BoardRows; ++i) {
        m_teamButtons[std::size_t(i)]->hide();
        m_scoreBars[std::size_t(i)]->hide();
        m_runners[std::size_t(i)]->hide();
    }

    // The window manager maximizes the board only after it was shown, and
    // the presenter may move it to another screen: bars drawn for the old
    // width would stand for the wrong scores. A running round keeps growing
    // at its scale; its last tick redraws them.
    if (m_gameShown && !m_engine.isRacing())
        showCommittedScores();
}

// A long name shrinks to fit its button, then is cut at its end; the
// team keeps its whole name.
void ScoreboardWindow::showTeamName(int row)
{
    QPushButton *button = m_teamButtons[std::size_t(row)];
    const FittedText fitted = TextFitting::fit(m_engine.teamName(row), hyGothicFont(TeamNamePixels),
                                               TeamButtonWidth - 2 * TeamButtonInset);
    button->setFont(fitted.font);
    button->setText(literalText(fitted.text));
}

void ScoreboardWindow::placeFigure(int row)
{
    const ScoreBar *bar = m_scoreBars[std::size_t(row)];
    m_runners[std::size_t(row)]->setFigureLeft(bar->barWidth());
}

// --- Drawing from the engine ---------------------------------------------------

void ScoreboardWindow::showCommittedScores()
{
    m_track.showCommittedScores(m_engine);
    drawCommittedLengths();
}

void ScoreboardWindow::drawCommittedLengths()
{
    for (int i = 0; i < m_engine.rowsInPlay(); ++i) {
        ScoreBar *bar = m_scoreBars[std::size_t(i)];
        bar->setBarWidth(m_track.length(i));
        placeFigure(i);
        bar->show();
    }
}

void ScoreboardWindow::drawRaceTick(int frame)
{
    m_track.followRace(m_engine);
    for (FigureBox *runner : m_runners)
        runner->drawFrame(frame);
    for (int i = 0; i < BoardRows; ++i) {
        ScoreBar *bar = m_scoreBars[std::size_t(i)];
        bar->setBarWidth(m_track.length(i));
        placeFigure(i);
        if (const auto shown = m_engine.countingValue(i))
            bar->setCaptionNumber(*shown);
    }
    followRaceFramesFromNow();
}

// The race's start or a tick: the frames that follow count from here.
void ScoreboardWindow::followRaceFramesFromNow()
{
    m_sinceTick.start();
    m_framesSinceTick = 0;
    followRaceFrames();
}

// Between two ticks the bars and figures are drawn at the display's pace,
// placed between the two ticks' lengths; the numbers count on the ticks.
// Nobody sees a covered or minimized board, so it draws no frames then.
void ScoreboardWindow::followRaceFrames()
{
    const bool seen = isVisible() && windowHandle() && windowHandle()->isExposed();
    if (!m_engine.isRacing() || !seen || m_framesSinceTick >= DrawingsPerTick - 1) {
        m_frameTimer.stop();
        return;
    }
    const double dueMs = double(GameEngine::TickIntervalMs) * (m_framesSinceTick + 1) / DrawingsPerTick;
    const double waitMs = dueMs - double(m_sinceTick.nsecsElapsed()) / 1e6;
    m_frameTimer.start(std::max(0, int(std::ceil(waitMs))));
}

void ScoreboardWindow::drawRaceFrame()
{
    if (!m_engine.isRacing())
        return;
    ++m_framesSinceTick;
    const double fraction = double(m_framesSinceTick) / DrawingsPerTick;
    for (int i = 0; i < BoardRows; ++i) {
        m_scoreBars[std::size_t(i)]->setBarWidth(m_track.lengthAhead(m_engine, i, fraction));
        placeFigure(i);
    }
    followRaceFrames();
}

void ScoreboardWindow::drawRaceEnd()
{
    m_frameTimer.stop();
    for (int i = 0; i < BoardRows; ++i) {
        m_runners[std::size_t(i)]->drawFrame(0);
        m_scoreBars[std::size_t(i)]->setCaptionNumber(m_engine.score(i));
    }
}

// Each new colour of the highlight fades in over a few ticks from the one
// before, the first from the team's own.
void ScoreboardWindow::drawHighlight(int slot, int frame, int colour)
{
    if (!isRow(slot))
        return;
    ScoreBar *bar = m_scoreBars[std::size_t(slot)];
    if (colour != m_highlightColour) {
        m_highlightColour = colour;
        m_fadeFrom = bar->fillColour();
        m_fadeTicks = 0;
    }
    m_fadeTicks = std::min(m_fadeTicks + 1, HighlightFadeTicks);
    m_runners[std::size_t(slot)]->drawFrame(frame);
    bar->setFillColour(blend(slotColour(colour), m_fadeFrom, qreal(m_fadeTicks) / HighlightFadeTicks));
}

void ScoreboardWindow::endHighlight(int slot)
{
    m_highlightColour = -1;
    if (!isRow(slot))
        return;
    m_runners[std::size_t(slot)]->drawFrame(0);
    m_scoreBars[std::size_t(slot)]->setFillColour(slotColour(slot));
}

void ScoreboardWindow::showMaxScore()
{
    // Ten digits and a sign fit: the font shrinks for long numbers.
    const QString text = numberText(m_engine.maxScore());
    const FittedText fitted = TextFitting::fit(text, hyGothicFont(MaxScorePixels),
                                               m_maxScoreBox->width() - 2 * MaxScoreBoxInset);
    m_maxScoreBox->setFont(fitted.font);
    m_maxScoreBox->setText(text);
}

// --- Score entry -------------------------------------------------------------

bool ScoreboardWindow::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonRelease: {
        const auto found = std::find(m_teamButtons.begin(), m_teamButtons.end(), watched);
        if (found != m_teamButtons.end()) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if ((*found)->rect().contains(mouse->position().toPoint()))
                openEntryBox(int(found - m_teamButtons.begin()), mouse->button());
        }
        break;
    }
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (watched == m_entryBox) {
            if (enter) {
                applyEntry();
                return true;
            }
            if (key->key() == Qt::Key_Escape) {
                cancelEntry();
                return true;
            }
            break;
        }
        // Enter on a focused team button opens its points entry.
        const auto found = std::find(m_teamButtons.begin(), m_teamButtons.end(), watched);
        if (enter && found != m_teamButtons.end()) {
            openEntryBox(int(found - m_teamButtons.begin()), Qt::LeftButton);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool ScoreboardWindow::isEntryOpen() const
{
    return !m_entryBox->isHidden();
}

void ScoreboardWindow::openEntryBox(int row, Qt::MouseButton button)
{
    if (!isRow(row))
        return;
    const QPushButton *team = m_teamButtons[std::size_t(row)];
    m_entryBox->move(team->x(), team->y());
    m_entryTeam = row;
    if (button == Qt::LeftButton) {
        m_entryKind = EntryKind::Points;
        m_entryBox->setMaxLength(32767);
        m_entryBox->setText(QStringLiteral("0"));
    } else {
        m_entryKind = EntryKind::TeamName;
        m_entryBox->setMaxLength(TeamName::MaxLength);
        m_entryBox->setText(m_engine.teamName(row));
    }
    qApp->installEventFilter(m_pressWatcher);
    m_entryBox->show();
    m_entryBox->setFocus(Qt::MouseFocusReason);
    // Typing replaces the proposal instead of adding to it.
    m_entryBox->selectAll();
}

bool ScoreboardWindow::applyEntry()
{
    if (m_entryKind == EntryKind::Points) {
        if (m_engine.enterPoints(m_entryTeam, m_entryBox->text())
            == GameEngine::PointsEntry::Rejected) {
            rejectEntry();
            return false;
        }
    } else {
        const QString name = m_entryBox->text();
        if (!m_engine.renameTeam(m_entryTeam, name)) {
            rejectEntry();
            return false;
        }
        showTeamName(m_entryTeam);
    }
    closeEntryBox();
    return true;
}

void ScoreboardWindow::cancelEntry()
{
    closeEntryBox();
}

void ScoreboardWindow::closeEntryBox()
{
    qApp->removeEventFilter(m_pressWatcher);
    // Hiding the box would pass the focus on to the next button in the chain.
    setFocus(Qt::OtherFocusReason);
    m_entryBox->hide();
}

void ScoreboardWindow::rejectEntry()
{
    m_entryBox->selectAll();
    m_entryBox->setFocus(Qt::OtherFocusReason);
    QApplication::beep();
    emit entryRejected();
}

// --- Commands ----------------------------------------------------------------

void ScoreboardWindow::showGame()
{
    m_engine.resetCounters();
    // The start sound opens its stream now, so the first start is not late.
    m_sound.prepare();
    showTitle();
    m_entryKind = EntryKind::Points;
    m_gameShown = true;
    m_track.setBoardWidth(width());
    showMaxScore();
    showCommittedScores();
}

void ScoreboardWindow::startRace()
{
    m_commands.startRace();
}

void ScoreboardWindow::requestSetup()
{
    m_commands.requestSetup();
}

void ScoreboardWindow::saveStandings()
{
    m_commands.saveStandings();
}

void ScoreboardWindow::showWinner()
{
    m_commands.showWinner();
}

void ScoreboardWindow::leave()
{
    m_commands.leave();
}

void ScoreboardWindow::raiseMaxScore()
{
    m_commands.raiseMaxScore();
}

void ScoreboardWindow::lowerMaxScore()
{
    m_commands.lowerMaxScore();
}

void ScoreboardWindow::toggleFullScreen()
{
    if (isFullScreen())
        showMaximized();
    else
        showFullScreen();
}

void ScoreboardWindow::closeEvent(QCloseEvent *event)
{
    if (!m_leaving && !confirmLeaving(m_engine, m_commands.dialogs())) {
        event->ignore();
        return;
    }
    m_leaving = true;
    m_engine.stopAnimations();
    event->accept();
}
