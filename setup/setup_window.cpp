#include "setup_window.h"

#include "artwork_resources.h"
#include "board_monitor.h"
#include "dialogs.h"
#include "fonts.h"
#include "game_engine.h"
#include "game_loading.h"
#include "literal_text.h"
#include "monitor_list.h"
#include "monitor_record.h"
#include "style_pictures.h"
#include "team_check_box.h"
#include "team_name.h"
#include "text_fitting.h"
#include "version.h"

#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace {

const QColor blue(0, 0, 255);
const QColor white(255, 255, 255);

constexpr QSize WindowSize(396, 292);

// Places of the window's controls; those of the team frame lie inside it.
constexpr QRect CreditBandRect(0, 204, 396, 85);
constexpr QRect TitleRect(104, 214, 268, 31);
constexpr QRect SubtitleRect(90, 242, 292, 22);
constexpr QRect CreditLineRect(6, 268, 386, 13);
constexpr QPoint LogoPlace(18, 210);
constexpr QRect TeamFrameRect(10, 8, 241, 189);
constexpr QRect RenameBoxRect(36, 22, 197, 20);
constexpr QRect SavedGameListRect(8, 18, 225, 164);
constexpr QRect MonitorChoiceRect(260, 170, 129, 20);
constexpr int TeamBoxLeft = 20;
constexpr QSize TeamBoxSize(199, 19);
constexpr int TeamBoxMarkWidth = 24; // the check mark and the space after it
// Tops of the team check boxes inside the frame; the designer spaced the
// lower ones two pixels closer.
constexpr std::array<int, SetupWindow::TeamBoxes> teamBoxTops = {22, 42, 62, 82, 100, 118, 138, 158};

struct ButtonPlace
{
    const char *objectName;
    QRect rect;
    const char16_t *caption;
    void (SetupWindow::*command)();
};

// In the order of their automation names; the delete button sits between
// the load and close buttons on the screen.
const ButtonPlace buttonPlaces[] = {
    {"Cmd_0", {260, 12, 129, 35}, u"시작", &SetupWindow::startOrFetch},
    {"Cmd_1", {260, 50, 129, 35}, u"불러오기", &SetupWindow::showSavedGames},
    {"Cmd_2", {260, 126, 129, 35}, u"닫기", &SetupWindow::closeOrGoBack},
    {"Cmd_3", {260, 88, 129, 35}, u"삭제", &SetupWindow::deleteSelectedGame},
};

const std::array<const char16_t *, SetupWindow::TeamBoxes> defaultTeams = {
    u"믿음", u"소망", u"사랑", u"은혜", u"말씀", u"온유", u"지혜", u"진리",
};

constexpr int ButtonPixels = 21;
constexpr int FramePixels = 16;
constexpr int TitlePixels = 27;
constexpr int CreditPixels = 13;

void paintBackground(QWidget *widget, const QColor &background, const QColor &text)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QLabel *label(const char *objectName, const QString &text, const QRect &rect, const QFont &font,
              const QString &colour, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(objectName));
    label->setGeometry(rect);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(colour));
    return label;
}

} // namespace

QString SetupTeam::scoreSuffix() const
{
    return savedScore ? u'(' + savedScoreText + QStringLiteral("점)") : QString();
}

QString SetupTeam::caption() const
{
    return name + scoreSuffix();
}

SetupWindow::SetupWindow(GameEngine &engine, const SavedGamesFolder &folder, BoardMonitor &boardMonitor,
                         Dialogs &dialogs, std::shared_ptr<MonitorPlatform> monitors,
                         QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                          | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint)
    , m_engine(engine)
    , m_folder(folder)
    , m_boardMonitor(boardMonitor)
    , m_dialogs(dialogs)
    , m_platform(std::move(monitors))
{
    setObjectName(QStringLiteral("FRMlogo"));
    setWindowTitle(appTitle());
    setFixedSize(WindowSize);
    paintBackground(this, blue, Qt::black);
    // The team frame's is the one picture a style reads here.
    StylePictures::preloadGroupBoxFrame();
    createControls();
}

SetupWindow::~SetupWindow() = default;

// The presenter's window belongs on the presenter's screen, also when it
// comes back from a board on the projector.
void SetupWindow::showEvent(QShowEvent *event)
{
    if (const QScreen *primary = QGuiApplication::primaryScreen()) {
        const QRect area = primary->availableGeometry();
        const QSize frame = frameGeometry().size();
        move(area.x() + (area.width() - frame.width()) / 2,
             area.y() + (area.height() - frame.height()) / 2);
    }
    QWidget::showEvent(event);
}

// Later siblings lie in front of earlier ones: the credit band first, so
// that the logo and the credit lines lie on it.
void SetupWindow::createControls()
{
    createCredits();
    createTeamFrame();
    createButtons();

    m_monitorChoice = new QComboBox(this);
    m_monitorChoice->setObjectName(QStringLiteral("Combo1"));
    m_monitorChoice->setGeometry(MonitorChoiceRect);
    m_monitorChoice->addItem(QStringLiteral("기본모니터"));
    m_monitorChoice->addItem(QStringLiteral("듀얼모니터"));
    m_monitorChoice->setCurrentIndex(-1); // empty until the start-up chooses
    connect(m_monitorChoice, &QComboBox::activated, this, &SetupWindow::monitorChoiceChanged);

    setTabOrder();
}

void SetupWindow::createCredits()
{
    auto *band = new QFrame(this);
    band->setObjectName(QStringLiteral("Shape1"));
    band->setGeometry(CreditBandRect);
    // The band's outline has rounded corners.
    band->setStyleSheet(QStringLiteral(
        "QFrame#Shape1 { background-color: white; border: 2px solid rgb(192, 192, 255);"
        " border-radius: 10px; }"));

    auto *logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("Image1"));
    logo->setGeometry(QRect(LogoPlace, Artwork::logoSize));
    logo->setPixmap(Artwork::pixmap(Artwork::logoPath, devicePixelRatioF()));

    QFont titleFont;
    titleFont.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                           QStringLiteral("NanumGothic")});
    titleFont.setPixelSize(TitlePixels);
    label("Label6", QStringLiteral("Zanto 점수판"), TitleRect, titleFont,
          QStringLiteral("rgb(0, 0, 192)"), this);
    label("Label5", QStringLiteral("팀 퀴즈 게임 점수판"), SubtitleRect, gulimFont(ButtonPixels, true),
          QStringLiteral("black"), this);
    QLabel *credits = label("Label7",
                            QStringLiteral("버전 %1 · 문의: 진행 담당자에게 알려 주세요")
                                .arg(QStringLiteral(ZANTO_VERSION)),
                            CreditLineRect, gulimFont(CreditPixels), QStringLiteral("black"), this);
    credits->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void SetupWindow::createTeamFrame()
{
    auto *frame = new QGroupBox(QStringLiteral("팀설정"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(TeamFrameRect);
    frame->setFont(gulimFont(FramePixels, true));
    paintBackground(frame, blue, white);
    m_teamFrame = frame;

    // Inside the frame: the check boxes, the rename box in front of them and
    // the saved-game list in front of everything.
    const TeamCheckBox::Squares squares = TeamCheckBox::readSquares();
    for (int k = 0; k < TeamBoxes; ++k) {
        auto *box = new TeamCheckBox(squares, frame);
        box->setObjectName(QStringLiteral("Team_%1").arg(k));
        box->setGeometry(QRect(QPoint(TeamBoxLeft, teamBoxTops[k]), TeamBoxSize));
        box->setFont(gulimFont(FramePixels, true));
        // A style sheet rather than the palette: some styles paint a check
        // box's label area in their own colour.
        box->setStyleSheet(QStringLiteral(
            "QCheckBox { background-color: rgb(0, 0, 255); color: white; }"
            // The box paints its square itself (see TeamCheckBox); without a
            // border of its own the indicator would be the style's.
            "QCheckBox::indicator { width: 15px; height: 15px; border: none; }"));
        m_teamBoxes[k] = box;
        setTeam(k, {QString::fromUtf16(defaultTeams[k]), std::nullopt, QString()});
        connect(box, &QAbstractButton::clicked, this, [this, k] {
            openRenameBox(k);
            // A presenter who clicks a team usually wants to rename it next.
            m_renameBox->setFocus(Qt::MouseFocusReason);
            m_renameBox->selectAll();
        });
    }

    m_renameBox = new QLineEdit(frame);
    m_renameBox->setObjectName(QStringLiteral("Text1"));
    m_renameBox->setGeometry(RenameBoxRect);
    m_renameBox->setFont(gulimFont(FramePixels));
    m_renameBox->hide();
    connect(m_renameBox, &QLineEdit::returnPressed, this, &SetupWindow::applyRename);

    m_savedGameList = new QListWidget(frame);
    m_savedGameList->setObjectName(QStringLiteral("List1"));
    m_savedGameList->setGeometry(SavedGameListRect);
    m_savedGameList->setFont(gulimFont(FramePixels));
    m_savedGameList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_savedGameList->hide();
    connect(m_savedGameList, &QListWidget::itemClicked, this, &SetupWindow::savedGameClicked);
    connect(m_savedGameList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            savedGameClicked();
    });
}

void SetupWindow::createButtons()
{
    const QString style = QStringLiteral(
        "QPushButton { background-color: rgb(192, 192, 255); color: black;"
        " border: 1px solid rgb(64, 64, 128); border-radius: 3px; }"
        "QPushButton:hover { background-color: rgb(208, 208, 255); }"
        "QPushButton:pressed { background-color: rgb(160, 160, 232); }"
        "QPushButton:focus { border: 2px solid rgb(0, 0, 128); }"
        "QPushButton:disabled { color: rgb(128, 128, 160); }");
    std::array<QPushButton *, std::size(buttonPlaces)> buttons{};
    for (std::size_t i = 0; i < std::size(buttonPlaces); ++i) {
        const ButtonPlace &place = buttonPlaces[i];
        auto *button = new QPushButton(QString::fromUtf16(place.caption), this);
        button->setObjectName(QLatin1String(place.objectName));
        button->setGeometry(place.rect);
        button->setFont(gulimFont(ButtonPixels, true));
        button->setStyleSheet(style);
        // Enter presses the focused button.
        button->setAutoDefault(true);
        connect(button, &QPushButton::clicked, this, place.command);
        buttons[i] = button;
    }
    m_startButton = buttons[0];
    m_loadButton = buttons[1];
    m_closeButton = buttons[2];
    m_deleteButton = buttons[3];
    m_deleteButton->setEnabled(false);
    m_deleteButton->hide();
}

void SetupWindow::setTabOrder()
{
    QList<QWidget *> order{m_startButton, m_loadButton, m_closeButton, m_renameBox,
                           m_teamBoxes[0], m_savedGameList, m_deleteButton};
    for (int k = 1; k < TeamBoxes; ++k)
        order.append(m_teamBoxes[k]);
    order.append(m_monitorChoice);
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

// --- Start-up and monitor choice -------------------------------------------

void SetupWindow::startUp()
{
    refreshSavedGames();

    m_monitorList = std::make_unique<MonitorList>(m_platform);
    m_boardMonitor.monitorCount = m_monitorList->monitors().count();

    selectMonitorChoice(0);
    m_boardMonitor.useMonitor = false;
    // Without a second monitor there is nothing to choose; a list that could
    // not be read counts as one monitor too.
    if (m_boardMonitor.monitorCount < 2)
        return;

    selectMonitorChoice(1);
    m_boardMonitor.useMonitor = true;
    recordBoardMonitor();
}

void SetupWindow::recordBoardMonitor()
{
    // The board goes to the first monitor that is not the primary one,
    // wherever it lies: left, right, above or below.
    const MonitorRecord *monitor = m_monitorList->monitors().at(m_monitorList->secondaryMonitorIndex());
    if (!monitor)
        return;
    m_boardMonitor.left = monitor->left;
    m_boardMonitor.top = monitor->top;
    m_boardMonitor.width = monitor->width;
    m_boardMonitor.height = monitor->height;
}

void SetupWindow::selectMonitorChoice(int index)
{
    {
        const QSignalBlocker blocker(m_monitorChoice);
        m_monitorChoice->setCurrentIndex(index);
    }
    monitorChoiceChanged();
}

void SetupWindow::monitorChoiceChanged()
{
    m_boardMonitor.useMonitor = m_monitorChoice->currentIndex() > 0;
}

// --- Team selection ----------------------------------------------------------

QString SetupWindow::teamCaption(int index) const
{
    return team(index).caption();
}

const SetupTeam &SetupWindow::team(int index) const
{
    static const SetupTeam none;
    return index >= 0 && index < TeamBoxes ? m_teams[index] : none;
}

void SetupWindow::setTeam(int index, const SetupTeam &team)
{
    if (index < 0 || index >= TeamBoxes)
        return;
    m_teams[index] = team;
    // A long name is cut at its end; a saved team's "(…점)" always shows.
    const QString caption = team.caption();
    const QString shown = TextFitting::elideKeepingSuffix(team.name, team.scoreSuffix(),
                                                          m_teamBoxes[index]->font(),
                                                          TeamBoxSize.width() - TeamBoxMarkWidth);
    m_teamBoxes[index]->setText(literalText(shown));
    m_teamBoxes[index]->setToolTip(shown == caption ? QString() : caption);
}

void SetupWindow::setTeamState(int index, Qt::CheckState state)
{
    if (index < 0 || index >= TeamBoxes || m_teamBoxes[index]->checkState() == state)
        return;
    m_teamBoxes[index]->setCheckState(state);
    openRenameBox(index);
}

void SetupWindow::openRenameBox(int index)
{
    if (index < 0 || index >= TeamBoxes)
        return;
    m_renamedTeam = index;
    m_renameBox->move(m_renameBox->x(), m_teamBoxes[index]->y());
    // The limit is the name's: a saved team's score comes on top of it.
    const SetupTeam &team = m_teams[index];
    m_renameBox->setMaxLength(TeamName::MaxLength + int(team.scoreSuffix().size()));
    m_renameBox->setText(team.caption());
    m_renameBox->show();
}

void SetupWindow::applyRename()
{
    const QString typed = m_renameBox->text();
    SetupTeam renamed = m_teams[m_renamedTeam];
    const QString suffix = renamed.scoreSuffix();
    if (renamed.savedScore && typed.endsWith(suffix)) {
        renamed.name = typed.chopped(suffix.size());
    } else {
        // Whatever it holds, "(" included, is the new team's name.
        renamed = {typed, std::nullopt, QString()};
    }
    // A name the score file could not carry is refused at once, as the
    // board refuses points it cannot take.
    if (!TeamName::isUsable(renamed.name)) {
        m_renameBox->selectAll();
        QApplication::beep();
        return;
    }
    setTeam(m_renamedTeam, renamed);
    m_renameBox->hide();
}

void SetupWindow::startGame()
{
    QList<TeamStanding> teams;
    for (int k = 0; k < TeamBoxes; ++k) {
        if (m_teamBoxes[k]->checkState() == Qt::Unchecked)
            continue;
        const SetupTeam &team = m_teams[k];
        if (team.savedScore)
            teams.append({team.name, *team.savedScore});
        else if (!team.name.trimmed().isEmpty())
            teams.append({team.name, 0});
        // A box without a name is no team.
    }

    if (teams.isEmpty()) {
        // The board that start closed took its game along: a game of no
        // teams is left, with nothing in it to lose.
        m_engine.startGame({});
        m_dialogs.message(QStringLiteral("팀을 선택하여 주십시요"));
        return;
    }
    // A fetched game brings its maximum and its file; any other starts with
    // the default maximum and belongs to no saved game yet.
    if (m_fetchedGame) {
        m_engine.startSavedGame(teams, m_fetchedMaxScore, *m_fetchedGame);
    } else {
        m_engine.prepareNewGame();
        m_engine.startGame(teams);
    }
    emit gameStartRequested();
    close();
}

// --- Saved games -------------------------------------------------------------

bool SetupWindow::inSavedGameMode() const
{
    return !m_savedGameList->isHidden();
}

void SetupWindow::startOrFetch()
{
    if (inSavedGameMode()) {
        loadSelectedGame();
        return;
    }
    if (!mayReplaceTheGame())
        return;
    emit boardCloseRequested();
    startGame();
}

void SetupWindow::closeOrGoBack()
{
    if (inSavedGameMode())
        backToTeamMode();
    else
        emit endRequested();
}

void SetupWindow::showSavedGames()
{
    m_deleteButton->show();
    m_savedGameList->show();
    m_startButton->setText(QStringLiteral("가져오기"));
    m_closeButton->setText(QStringLiteral("돌아가기"));
    m_startButton->setEnabled(false);
    // An entry still selected from before may be deleted at once.
    m_deleteButton->setEnabled(selectedGame() >= 0);
}

void SetupWindow::backToTeamMode()
{
    m_savedGameList->hide();
    m_startButton->setText(QStringLiteral("시작"));
    m_closeButton->setText(QStringLiteral("닫기"));
    m_startButton->setEnabled(true);
    m_deleteButton->hide();
}

void SetupWindow::savedGameClicked()
{
    if (selectedGame() < 0)
        return;
    m_startButton->setEnabled(true);
    m_deleteButton->setEnabled(true);
}

int SetupWindow::selectedGame() const
{
    const QList<QListWidgetItem *> selected = m_savedGameList->selectedItems();
    if (selected.isEmpty())
        return -1;
    const int row = m_savedGameList->row(selected.first());
    return row < m_games.size() ? row : -1;
}

void SetupWindow::refreshSavedGames()
{
    {
        const QSignalBlocker blocker(m_savedGameList);
        m_savedGameList->clear();
        m_games = m_folder.list();
        for (const SavedGame &game : std::as_const(m_games))
            m_savedGameList->addItem(game.name);
        m_savedGameList->setCurrentRow(-1);
    }
    // Nothing is selected now, so there is nothing to fetch or delete.
    if (inSavedGameMode())
        m_startButton->setEnabled(false);
    m_deleteButton->setEnabled(false);
}

// Starting a game replaces the game on the board.
bool SetupWindow::mayReplaceTheGame()
{
    return !m_engine.hasUnsavedStandings()
           || m_dialogs.ask(QStringLiteral("저장하지 않은 점수가 있습니다. 계속할까요?"));
}

void SetupWindow::loadSelectedGame()
{
    // The game on the board stays until the start, which asks before it
    // replaces unsaved standings.
    const int row = selectedGame();
    if (row < 0)
        return;
    const SavedGame game = m_games.at(row);
    const LoadResult result = readSavedGame(m_folder, game);
    if (result.status == LoadResult::Failed) {
        m_dialogs.message(QStringLiteral("저장된 게임을 불러오지 못했습니다\n") + game.name);
    } else {
        // A name no team can have (written elsewhere) plays under the
        // nearest one it can, which a save and a recovery then keep whole.
        const bool namesFit = std::all_of(result.teams.begin(), result.teams.end(), [](const LoadedTeam &team) {
            return TeamName::isUsable(team.name);
        });
        if (result.status == LoadResult::Partial || !namesFit)
            m_dialogs.message(QStringLiteral("저장된 게임의 일부만 불러왔습니다"));
        m_fetchedGame = game;
        m_fetchedMaxScore = result.content->maxScore;
        // Each loaded team shows grayed as "name(score점)"; the other boxes
        // are left empty.
        for (int k = 0; k < TeamBoxes; ++k) {
            const bool loaded = k < result.teams.size();
            const LoadedTeam team = result.teams.value(k);
            setTeam(k, loaded ? SetupTeam{TeamName::fitted(team.name), team.score, team.scoreText}
                              : SetupTeam{});
            if (loaded)
                setTeamState(k, Qt::PartiallyChecked);
        }
    }
    backToTeamMode();
    m_renameBox->hide();
}

void SetupWindow::deleteSelectedGame()
{
    if (!inSavedGameMode())
        return;
    const int row = selectedGame();
    if (row < 0)
        return;
    deleteSavedGame(m_games.at(row));
}

void SetupWindow::deleteSavedGame(const SavedGame &game)
{
    if (!m_dialogs.ask(QStringLiteral("선택한 게임을 삭제할까요?\n") + game.name))
        return;
    if (!m_folder.remove(game))
        m_dialogs.message(QStringLiteral("삭제하지 못했습니다\n") + game.name);
    refreshSavedGames();
}
