#include "scoreboard_window.h"

#include "artwork_resources.h"
#include "banner_picture.h"
#include "board_colours.h"
#include "board_layout.h"
#include "button_style.h"
#include "command_bar.h"
#include "dialogs.h"
#include "entry_box.h"
#include "figure_box.h"
#include "fonts.h"
#include "freed_memory.h"
#include "game_engine.h"
#include "literal_text.h"
#include "presenter_commands.h"
#include "presenter_keys.h"
#include "race_frame_pacer.h"
#include "save_command.h"
#include "score_bar.h"
#include "start_sound.h"
#include "text_fitting.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include <algorithm>

using namespace BoardColours;
using namespace BoardLayout;

namespace {

// Pixel sizes of the board's lettering.
constexpr int TeamNamePixels = 27;
constexpr int EntryPixels = 48;
// Room a team button's bevel and padding take at each side of its name.
constexpr int TeamButtonInset = 4;
// Ticks the highlight takes to fade from one colour into the next.
constexpr int HighlightFadeTicks = 3;

// The running figure's strip at a scale: the design strip at the design
// size, otherwise each frame of the sharper strip drawn down to the device
// pixels it covers.
QPixmap runnerStripAt(BoardScale scale, qreal ratio)
{
    if (scale.isDesign())
        return Artwork::pixmap(Artwork::runnerPath, qApp->devicePixelRatio());
    const QImage sharp = Artwork::pixmap(Artwork::runnerPath, scale.factor() * ratio).toImage();
    if (sharp.isNull())
        return {};
    const int frames = Artwork::runnerFrameCount;
    const int sharpFrame = sharp.height() / frames;
    // Each frame covers its box exactly, or the box's own colour would show
    // at its edges.
    const QSize frame(int(std::lround(scale.px(FigureWidth) * ratio)),
                      int(std::lround(scale.px(RowHeight) * ratio)));
    QImage strip(frame.width(), frame.height() * frames, QImage::Format_RGB32);
    strip.fill(WindowGreen);
    QPainter painter(&strip);
    for (int k = 0; k < frames; ++k) {
        QImage one = sharp.copy(0, k * sharpFrame, sharp.width(), sharpFrame)
                         .scaled(frame, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        // Copied pixel for pixel, whatever density the sharp picture was made for.
        one.setDevicePixelRatio(1.0);
        painter.drawImage(0, k * frame.height(), one);
    }
    painter.end();
    strip.setDevicePixelRatio(ratio);
    return QPixmap::fromImage(strip);
}

int clampedPixels(qint64 value)
{
    return int(std::clamp<qint64>(value, -10000000, 10000000));
}

QString entryBoxStyle(BoardScale scale)
{
    return QStringLiteral("QLineEdit { background: white; color: black; border: %1px solid black;"
                          " padding: 0px %1px; }")
        .arg(scale.px(2));
}

bool isRow(int row)
{
    return row >= 0 && row < BoardRows;
}

} // namespace

ScoreboardWindow::ScoreboardWindow(PresenterCommands &commands, StartSound &sound, QWidget *parent)
    : QWidget(parent)
    , m_commands(commands)
    , m_engine(commands.engine())
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
    PresenterKeys::installRowKeys(*this, [this](int row) {
        if (row < m_engine.rowsShown())
            openEntryBox(row, Qt::LeftButton);
    });
    PresenterKeys::install(*this, m_commands);
    ScoreBar::warmUpNumberGlyphs();
    // Nobody sees a covered or minimized board: it draws no frames then.
    m_framePacer = new RaceFramePacer(
        GameEngine::TickIntervalMs,
        [this] { return m_engine.isRacing() && isVisible() && windowHandle() && windowHandle()->isExposed(); },
        this);
    connect(m_framePacer, &RaceFramePacer::frameDue, this, &ScoreboardWindow::drawRaceFrame);
    connectEngine();
    // Typed points still in the entry box count before any command runs.
    m_commands.addEntrySettler(this, [this] { return !m_entryBox->isOpen() || applyEntry(); });
    connect(&m_commands, &PresenterCommands::endRequested, this, [this] { m_leaving = true; });
    connect(&m_commands, &PresenterCommands::boardBlankChanged, this, &ScoreboardWindow::showBlank);

    // Normal size: the design size, centred on the screen.
    resize(DesignWidth, DesignHeight);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(DesignWidth / 2, DesignHeight / 2));
    }
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

    m_commandBar = new CommandBar(m_commands, this);
    createTeamRows();

    // The blank board: the banner and the sky alone, over everything below
    // the banner.
    m_blankCover = new QWidget(this);
    m_blankCover->setObjectName(QStringLiteral("BlankBoard"));
    m_blankCover->setAutoFillBackground(true);
    m_blankCover->hide();
}

void ScoreboardWindow::showBlank(bool blank)
{
    m_blankCover->setGeometry(0, m_banner->height(), width(), std::max(0, height() - m_banner->height()));
    m_blankCover->setVisible(blank);
    if (blank)
        m_blankCover->raise();
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

    m_entryBox = new EntryBox([this] { return applyEntry(); }, this);
    m_entryBox->setGeometry(TeamButtonLeft - 2, BannerHeight, TeamButtonWidth, RowHeight);
    m_entryBox->setFont(hyGothicFont(EntryPixels));
    m_entryBox->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_entryBox->setStyleSheet(entryBoxStyle({}));

    // Each running figure is its bar's child, standing at the tip: moving it
    // every frame costs only its bar a repaint, not the window and its
    // other controls. Where a small window makes the rows overlap the
    // banner or the command bar, the figures stand in front of those
    // (standFiguresInFront).
    for (int i = BoardRows - 1; i >= 0; --i) {
        auto *runner = new FigureBox(m_runnerStrip, slotColour(i), m_scoreBars[std::size_t(i)]);
        runner->setObjectName(QStringLiteral("T_Pic_%1").arg(i));
        runner->setGeometry(0, 0, FigureWidth, RowHeight);
        runner->hide();
        m_runners[std::size_t(i)] = runner;
        m_scoreBars[std::size_t(i)]->setFigure(runner);
    }
}

void ScoreboardWindow::setTabOrder()
{
    const auto control = [this](const char *name) { return m_commandBar->control(name); };
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
    connect(&m_engine, &GameEngine::raceStarted, this, &ScoreboardWindow::startDrawingRace);
    connect(&m_engine, &GameEngine::raceTicked, this, &ScoreboardWindow::drawRaceTick);
    connect(&m_engine, &GameEngine::raceFinished, this, &ScoreboardWindow::drawRaceEnd);
    connect(&m_engine, &GameEngine::highlightTicked, this, &ScoreboardWindow::drawHighlight);
    connect(&m_engine, &GameEngine::highlightFinished, this, &ScoreboardWindow::endHighlight);
    connect(&m_engine, &GameEngine::standingsChanged, this, &ScoreboardWindow::showStandings);
    connect(&m_engine, &GameEngine::savedGameChanged, this, &ScoreboardWindow::showTitle);
    // Text typed for the game that left is applied to no other.
    connect(&m_engine, &GameEngine::gameReplaced, this, [this] {
        if (m_entryBox->isOpen())
            m_entryBox->dismiss();
    });
}

void ScoreboardWindow::setTitleWarning(const QString &warning)
{
    m_titleWarning = warning;
    showTitle();
}

void ScoreboardWindow::showTitle()
{
    const auto &game = m_engine.savedGame();
    QString title = game ? appTitle() + QStringLiteral(" - ") + game->name : appTitle();
    if (!m_titleWarning.isEmpty())
        title += QStringLiteral(" - ") + m_titleWarning;
    setWindowTitle(title);
}

// The standings changed from elsewhere (a load, an undo, the console): the
// board shows what its next save would write. A running race keeps its
// numbers; its last tick shows the committed ones.
void ScoreboardWindow::showStandings()
{
    if (!m_gameShown)
        return;
    if (m_engine.isRacing()) {
        for (int i = 0; i < m_engine.rowsShown(); ++i)
            showTeamName(i);
        return;
    }
    layOutRows();
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
    const BoardScale scale = BoardScale::forClientSize(w, h);
    if (scale != m_scale)
        applyScale(scale);
    m_track.setBoardWidth(w);
    m_banner->setGeometry(0, 0, w, m_banner->height());
    m_commandBar->placeOnBoard(size(), m_scale);
    showBlank(m_commands.isBoardBlank());

    // However many teams a game holds, the board has eight rows.
    if (const auto gap = BoardLayout::rowGap(h, m_engine.rowsShown(), m_scale))
        m_rowGap = *gap;

    for (int i = 0; i < m_engine.rowsShown(); ++i) {
        QPushButton *button = m_teamButtons[std::size_t(i)];
        ScoreBar *bar = m_scoreBars[std::size_t(i)];
        FigureBox *runner = m_runners[std::size_t(i)];
        const int y = clampedPixels(rowTop(i, m_rowGap, m_scale));
        button->move(m_scale.px(TeamButtonLeft), y);
        showTeamName(i);
        // The bar's widget runs to the window's edge: a number too wide for
        // its bar stands beside the running figure.
        const int barLeft = button->x() + button->width();
        bar->setGeometry(barLeft, y, std::max(0, w - barLeft), m_scale.px(RowHeight));
        bar->setCaptionNumber(m_engine.score(i));
        placeFigure(i);
        runner->drawFrame(0);
        button->show();
        runner->show();
    }
    const int rows = m_engine.rowsShown();
    const qint64 rowsEnd = rows > 0 ? rowTop(rows - 1, m_rowGap, m_scale) + m_scale.px(RowHeight) : 0;
    standFiguresInFront(rows > 0 && (rowTop(0, m_rowGap, m_scale) < m_banner->height()
                                     || rowsEnd > m_commandBar->y()));
    for (int i = m_engine.rowsShown(); i < BoardRows; ++i) {
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

// Every size the design fixes grows with the board; the places follow at
// the layout.
void ScoreboardWindow::applyScale(BoardScale scale)
{
    m_scale = scale;
    const double factor = scale.factor();
    const QSize button(scale.px(TeamButtonWidth), scale.px(RowHeight));
    for (int i = 0; i < BoardRows; ++i) {
        QPushButton *team = m_teamButtons[std::size_t(i)];
        team->resize(button);
        team->setStyleSheet(colouredButtonStyle(slotColour(i), factor));
        m_scoreBars[std::size_t(i)]->setScale(factor);
        m_runners[std::size_t(i)]->resize(scale.px(FigureWidth), scale.px(RowHeight));
    }
    m_entryBox->resize(button);
    m_entryBox->setFont(hyGothicFont(scale.px(EntryPixels)));
    m_entryBox->setStyleSheet(entryBoxStyle(scale));
    m_banner->resize(m_banner->width(), scale.px(BannerHeight));
    m_banner->setScale(factor);
    m_track.setTrackMargin(scale.px(TrackMargin));
    ScoreBar::warmUpNumberGlyphs(factor);
    m_runnerStrip = runnerStripAt(scale, devicePixelRatioF());
    returnFreedMemory();
    for (FigureBox *runner : m_runners)
        runner->update();
}

// A long name takes two lines and shrinks to fit its button, then is cut
// at its end; the team keeps its whole name.
void ScoreboardWindow::showTeamName(int row)
{
    QPushButton *button = m_teamButtons[std::size_t(row)];
    // The room inside the bevel grows in proportion, as the button does.
    const QSize room(m_scale.px(TeamButtonWidth - 2 * TeamButtonInset),
                     m_scale.px(RowHeight - 2 * TeamButtonInset));
    const FittedText fitted = TextFitting::fitInTwoLines(
        m_engine.teamName(row), hyGothicFont(m_scale.px(TeamNamePixels)), room);
    button->setFont(fitted.font);
    button->setText(literalText(fitted.text));
}

void ScoreboardWindow::placeFigure(int row)
{
    const ScoreBar *bar = m_scoreBars[std::size_t(row)];
    FigureBox *runner = m_runners[std::size_t(row)];
    runner->setFigureLeft(runner->parentWidget() == bar ? QPoint() : bar->pos(), bar->barWidth());
}

// The figures stand in their bars, or, where the rows overlap the banner or
// the command bar, as the board's front-most children.
void ScoreboardWindow::standFiguresInFront(bool inFront)
{
    for (int i = 0; i < BoardRows; ++i) {
        FigureBox *runner = m_runners[std::size_t(i)];
        QWidget *parent = inFront ? static_cast<QWidget *>(this) : m_scoreBars[std::size_t(i)];
        if (runner->parentWidget() == parent)
            continue;
        const bool shown = !runner->isHidden();
        runner->setParent(parent);
        placeFigure(i);
        runner->setVisible(shown);
    }
}

void ScoreboardWindow::showMaxScore()
{
    m_commandBar->showMaxScore(m_engine.maxScore());
}

// --- Drawing from the engine ---------------------------------------------------

void ScoreboardWindow::showCommittedScores()
{
    m_track.showCommittedScores(m_engine);
    drawCommittedLengths();
}

void ScoreboardWindow::drawCommittedLengths()
{
    for (int i = 0; i < m_engine.rowsShown(); ++i) {
        ScoreBar *bar = m_scoreBars[std::size_t(i)];
        bar->setBarWidth(m_track.length(i));
        placeFigure(i);
        bar->show();
    }
}

void ScoreboardWindow::startDrawingRace()
{
    m_sound.play();
    m_framePacer->tickDrawn();
}

// A tick: the bars stand at the race's running values and their numbers
// count; the frames that follow draw the bars between this tick and the next.
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
    m_framePacer->tickDrawn();
}

void ScoreboardWindow::drawRaceFrame(double fraction)
{
    for (int i = 0; i < BoardRows; ++i) {
        m_scoreBars[std::size_t(i)]->setBarWidth(m_track.lengthAhead(m_engine, i, fraction));
        placeFigure(i);
    }
}

void ScoreboardWindow::drawRaceEnd()
{
    m_framePacer->stop();
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
    HighlightFade &fade = m_fades[std::size_t(slot)];
    if (colour != fade.colour) {
        fade.colour = colour;
        fade.from = bar->fillColour();
        fade.ticks = 0;
    }
    fade.ticks = std::min(fade.ticks + 1, HighlightFadeTicks);
    m_runners[std::size_t(slot)]->drawFrame(frame);
    bar->setFillColour(blend(slotColour(colour), fade.from, qreal(fade.ticks) / HighlightFadeTicks));
}

void ScoreboardWindow::endHighlight(int slot)
{
    if (!isRow(slot))
        return;
    m_fades[std::size_t(slot)].colour = -1;
    m_runners[std::size_t(slot)]->drawFrame(0);
    m_scoreBars[std::size_t(slot)]->setFillColour(slotColour(slot));
}

// --- Score entry -------------------------------------------------------------

bool ScoreboardWindow::eventFilter(QObject *watched, QEvent *event)
{
    const auto found = std::find(m_teamButtons.begin(), m_teamButtons.end(), watched);
    if (found == m_teamButtons.end())
        return QWidget::eventFilter(watched, event);
    const int row = int(found - m_teamButtons.begin());
    switch (event->type()) {
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if ((*found)->rect().contains(mouse->position().toPoint()))
            openEntryBox(row, mouse->button());
        break;
    }
    case QEvent::KeyPress: {
        // Enter on a focused team button opens its points entry.
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            openEntryBox(row, Qt::LeftButton);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void ScoreboardWindow::openEntryBox(int row, Qt::MouseButton button)
{
    if (!isRow(row))
        return;
    // With the console shown, nothing the presenter types may reach the
    // hall: the entry opens there.
    if (m_commands.isConsoleShown()) {
        m_commands.requestConsoleEntry(row, button != Qt::LeftButton);
        return;
    }
    const QPoint place = m_teamButtons[std::size_t(row)]->pos();
    if (button == Qt::LeftButton)
        m_entryBox->open(row, EntryBox::Kind::Points, place, QStringLiteral("0"));
    else
        m_entryBox->open(row, EntryBox::Kind::TeamName, place, m_engine.teamName(row));
}

// Enter in the entry box, a press elsewhere on the board or a command:
// what the box holds goes to the engine. Text it cannot take keeps the box
// open, selected for a correction.
bool ScoreboardWindow::applyEntry()
{
    const int team = m_entryBox->team();
    const QString text = m_entryBox->text();
    const bool taken = m_entryBox->kind() == EntryBox::Kind::Points
                           ? m_engine.enterPoints(team, text) != GameEngine::PointsEntry::Rejected
                           : m_engine.renameTeam(team, text);
    if (!taken) {
        m_entryBox->refuse();
        emit entryRejected();
        return false;
    }
    if (m_entryBox->kind() == EntryBox::Kind::TeamName)
        showTeamName(team);
    m_entryBox->dismiss();
    return true;
}

// --- Showing a game ------------------------------------------------------------

void ScoreboardWindow::showGame()
{
    m_engine.resetCounters();
    // The start sound opens its stream now, so the first start is not late.
    m_sound.prepare();
    showTitle();
    m_gameShown = true;
    m_track.setBoardWidth(width());
    showMaxScore();
    showCommittedScores();
}

void ScoreboardWindow::toggleFullScreen()
{
    if (isFullScreen())
        showMaximized();
    else
        showFullScreen();
    // Full screen or not, the keyboard stays where the presenter had it.
    m_commands.returnKeyboardToConsole();
}

void ScoreboardWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // A click on the board, or the window manager, made it the active
    // window: with the console shown the keyboard goes straight back.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_commands.returnKeyboardToConsole();
}

// Escape leaves full screen and never ends anything: a clicker's Escape
// must not close the board in front of the hall.
void ScoreboardWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        if (isFullScreen())
            showMaximized();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
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
