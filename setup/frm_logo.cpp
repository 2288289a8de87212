#include "frm_logo.h"

#include "cls_monitors.h"
#include "clsmonitor.h"
#include "dialogs.h"
#include "fonts.h"
#include "game_state.h"
#include "score_file.h"
#include "team_check_box.h"
#include "version.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>

namespace {

constexpr int Cmd_Start = 0; // "시작" / "가져오기"
constexpr int Cmd_Load = 1;  // "불러오기"
constexpr int Cmd_Close = 2; // "닫기" / "돌아가기"
constexpr int Cmd_Delete = 3; // "삭제"

const QColor blue(0, 0, 255);
const QColor white(255, 255, 255);
const QColor buttonFace(192, 192, 255);

const std::array<const char16_t *, FRMlogo::Team_Boxes> defaultTeams = {
    u"믿음", u"소망", u"사랑", u"은혜", u"말씀", u"온유", u"지혜", u"진리",
};
// Tops of the team check boxes inside the frame; the designer spaced the
// lower ones two pixels closer.
constexpr std::array<int, FRMlogo::Team_Boxes> teamTops = {22, 42, 62, 82, 100, 118, 138, 158};

// A check box shows "&" as a mnemonic marker; a team's caption is plain text.
QString literalText(const QString &text)
{
    QString shown = text;
    return shown.replace(u'&', QStringLiteral("&&"));
}

void paintBackground(QWidget *widget, const QColor &background, const QColor &text)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

FRMlogo::FRMlogo(Module1 &state, Dialogs &dialogs, std::shared_ptr<MonitorPlatform> monitors,
                 QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                          | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint)
    , m_state(state)
    , m_dialogs(dialogs)
    , m_monitors(std::move(monitors))
{
    setObjectName(QStringLiteral("FRMlogo"));
    setWindowTitle(appTitle());
    setFixedSize(396, 292);
    paintBackground(this, blue, Qt::black);
    buildControls();
}

FRMlogo::~FRMlogo() = default;

void FRMlogo::buildControls()
{
    const QFont buttonFont = gulimFont(21, true);
    const QString buttonStyle = QStringLiteral(
        "QPushButton { background-color: rgb(192, 192, 255); color: black;"
        " border: 1px solid rgb(64, 64, 128); border-radius: 3px; }"
        "QPushButton:hover { background-color: rgb(208, 208, 255); }"
        "QPushButton:pressed { background-color: rgb(160, 160, 232); }"
        "QPushButton:focus { border: 2px solid rgb(0, 0, 128); }"
        "QPushButton:disabled { color: rgb(128, 128, 160); }");

    // Later siblings lie in front of earlier ones: the credit band first, so
    // that the logo and the credit lines lie on it.
    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(0, 204, 396, 85);
    // The band's outline has rounded corners.
    Shape1->setStyleSheet(QStringLiteral(
        "QFrame#Shape1 { background-color: white; border: 2px solid rgb(192, 192, 255);"
        " border-radius: 10px; }"));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(18, 210, 59, 57);
    Image1->setPixmap(QPixmap(QStringLiteral(":/assets/logo.png")));

    Label6 = new QLabel(QStringLiteral("Zanto 점수판"), this);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setGeometry(104, 214, 268, 31);
    QFont titleFont;
    titleFont.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                           QStringLiteral("NanumGothic")});
    titleFont.setPixelSize(27);
    Label6->setFont(titleFont);
    Label6->setStyleSheet(QStringLiteral("color: rgb(0, 0, 192); background: transparent;"));

    Label5 = new QLabel(QStringLiteral("팀 퀴즈 게임 점수판"), this);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->setGeometry(90, 242, 292, 22);
    Label5->setFont(gulimFont(21, true));
    Label5->setStyleSheet(QStringLiteral("color: black; background: transparent;"));

    Label7 = new QLabel(QStringLiteral("버전 %1 · 문의: 진행 담당자에게 알려 주세요")
                            .arg(QStringLiteral(ZANTO_VERSION)),
                        this);
    Label7->setObjectName(QStringLiteral("Label7"));
    Label7->setGeometry(6, 268, 386, 13);
    Label7->setFont(gulimFont(13));
    Label7->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label7->setStyleSheet(QStringLiteral("color: black; background: transparent;"));

    Frame1 = new QGroupBox(QStringLiteral("팀설정"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(10, 8, 241, 189);
    Frame1->setFont(gulimFont(16, true));
    paintBackground(Frame1, blue, white);

    // Inside the frame: the check boxes, the rename box in front of them and
    // the saved-game list in front of everything.
    for (int k = 0; k < Team_Boxes; ++k) {
        auto *box = new TeamCheckBox(Frame1);
        box->setObjectName(QStringLiteral("Team_%1").arg(k));
        box->setGeometry(20, teamTops[k], 199, 19);
        box->setFont(gulimFont(16, true));
        // A style sheet rather than the palette: some styles paint a check
        // box's label area in their own colour.
        box->setStyleSheet(QStringLiteral(
            "QCheckBox { background-color: rgb(0, 0, 255); color: white; }"
            "QCheckBox::indicator { width: 15px; height: 15px; }"
            "QCheckBox::indicator:unchecked { image: url(:/setup/images/unchecked.svg); }"
            "QCheckBox::indicator:checked { image: url(:/setup/images/checked.svg); }"
            "QCheckBox::indicator:indeterminate { image: url(:/setup/images/grayed.svg); }"));
        Team[k] = box;
        setTeamCaption(k, QString::fromUtf16(defaultTeams[k]));
        connect(box, &QAbstractButton::clicked, this, [this, k] {
            Team_Click(k);
            // A presenter who clicks a team usually wants to rename it next.
            Text1->setFocus(Qt::MouseFocusReason);
            Text1->selectAll();
        });
    }

    Text1 = new QLineEdit(Frame1);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(36, 22, 197, 20);
    Text1->setFont(gulimFont(16));
    Text1->hide();
    connect(Text1, &QLineEdit::returnPressed, this, &FRMlogo::Text1_Enter);

    List1 = new QListWidget(Frame1);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setGeometry(8, 18, 225, 164);
    List1->setFont(gulimFont(16));
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->hide();
    connect(List1, &QListWidget::itemClicked, this, &FRMlogo::List1_Click);
    connect(List1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            List1_Click();
    });

    const std::array<int, 4> buttonTops = {12, 50, 126, 88};
    const std::array<const char16_t *, 4> captions = {u"시작", u"불러오기", u"닫기", u"삭제"};
    for (int i = 0; i < 4; ++i) {
        auto *button = new QPushButton(QString::fromUtf16(captions[i]), this);
        button->setObjectName(QStringLiteral("Cmd_%1").arg(i));
        button->setGeometry(260, buttonTops[i], 129, 35);
        button->setFont(buttonFont);
        button->setStyleSheet(buttonStyle);
        button->setAutoDefault(false);
        Cmd[i] = button;
        connect(button, &QPushButton::clicked, this, [this, i] { Cmd_Click(i); });
    }
    Cmd[Cmd_Delete]->setEnabled(false);
    Cmd[Cmd_Delete]->hide();

    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setGeometry(260, 170, 129, 20);
    Combo1->addItem(QStringLiteral("기본모니터"), 0);
    Combo1->addItem(QStringLiteral("듀얼모니터"), 0);
    Combo1->setCurrentIndex(-1); // empty until the load handling chooses
    connect(Combo1, &QComboBox::activated, this, &FRMlogo::Combo1_Click);

    setTabOrder(Cmd[Cmd_Start], Cmd[Cmd_Load]);
    setTabOrder(Cmd[Cmd_Load], Cmd[Cmd_Close]);
    setTabOrder(Cmd[Cmd_Close], Text1);
    setTabOrder(Text1, Team[0]);
    setTabOrder(Team[0], List1);
    setTabOrder(List1, Cmd[Cmd_Delete]);
    setTabOrder(Cmd[Cmd_Delete], Team[1]);
    for (int k = 1; k + 1 < Team_Boxes; ++k)
        setTabOrder(Team[k], Team[k + 1]);
    setTabOrder(Team[Team_Boxes - 1], Combo1);
}

// --- Start-up and monitor choice -------------------------------------------

void FRMlogo::Form_Load()
{
    m_state.Max_Score = 500;
    m_state.Game_Name.clear();
    m_state.Game_File.clear();
    Set_List();

    m_state.Mon_List = std::make_shared<CLSmonitors>(m_monitors);
    Set_Monitor_List();
    m_state.Mon_Count = m_state.Mon_List->Monitors().count();

    selectMonitorChoice(0);
    m_state.Use_Monitor = false;
    // Without a second monitor there is nothing to choose; a list that could
    // not be read counts as one monitor too.
    if (m_state.Mon_Count < 2)
        return;

    selectMonitorChoice(1);
    m_state.Use_Monitor = true;
    recordBoardMonitor();
}

void FRMlogo::Set_Monitor_List()
{
    m_state.Mon_List->Refresh();
    Mon_Handles.clear();
    for (const auto &monitor : m_state.Mon_List->Monitors()) {
        m_state.Mon_Item = monitor;
        Mon_Handles.append(monitor->Handle);
    }
}

void FRMlogo::recordBoardMonitor()
{
    // The board goes to the first monitor that is not the primary one,
    // wherever it lies: left, right, above or below.
    const int index = m_state.Mon_List->secondaryMonitorIndex();
    if (index < 0 || index >= Mon_Handles.size())
        return;
    m_state.Mon_Index = static_cast<qint16>(index);
    for (const auto &monitor : m_state.Mon_List->Monitors()) {
        m_state.Mon_Item = monitor;
        if (monitor->Handle != Mon_Handles.at(index))
            continue;
        m_state.Mon_Left = monitor->Left;
        m_state.Mon_Top = monitor->Top;
        m_state.Mon_Width = monitor->Width;
        m_state.Mon_Height = monitor->Height;
    }
}

void FRMlogo::selectMonitorChoice(int index)
{
    {
        const QSignalBlocker blocker(Combo1);
        Combo1->setCurrentIndex(index);
    }
    Combo1_Click();
}

void FRMlogo::Combo1_Click()
{
    m_state.Use_Monitor = Combo1->currentIndex() > 0;
}

// --- Team selection ----------------------------------------------------------

QString FRMlogo::teamCaption(int index) const
{
    if (index < 0 || index >= Team_Boxes)
        return {};
    return m_captions[index];
}

void FRMlogo::setTeamCaption(int index, const QString &caption)
{
    if (index < 0 || index >= Team_Boxes)
        return;
    m_captions[index] = caption;
    Team[index]->setText(literalText(caption));
}

void FRMlogo::setTeamState(int index, Qt::CheckState state)
{
    if (index < 0 || index >= Team_Boxes || Team[index]->checkState() == state)
        return;
    Team[index]->setCheckState(state);
    Team_Click(index);
}

void FRMlogo::Team_Click(int index)
{
    if (index < 0 || index >= Team_Boxes)
        return;
    Edit_Team = index;
    Text1->move(Text1->x(), Team[index]->y());
    Text1->setText(m_captions[index]);
    Text1->show();
}

void FRMlogo::Text1_Enter()
{
    setTeamCaption(Edit_Team, Text1->text());
    Text1->hide();
}

void FRMlogo::Set_TTT()
{
    m_state.Team_Count = 0;
    bool anyTeam = false;
    for (int k = 0; k < Team_Boxes; ++k) {
        if (Team[k]->checkState() == Qt::Unchecked)
            continue;
        const QString caption = m_captions[k];
        const int slot = m_state.Team_Count;
        if (caption.contains(u'(')) {
            // A saved team: its score was loaded into slot k and moves down
            // with its name.
            m_state.Team_Name.set(slot, caption.left(caption.indexOf(u'(')));
            m_state.Team_Score.set(slot, m_state.Team_Score.value(k));
        } else if (!caption.trimmed().isEmpty()) {
            m_state.Team_Name.set(slot, caption);
            m_state.Team_Score.set(slot, 0);
        } else {
            continue; // a box without a name is no team
        }
        m_state.Add_Score.set(slot, 0);
        ++m_state.Team_Count;
        anyTeam = true;
    }

    if (!anyTeam) {
        m_dialogs.message(QStringLiteral("팀을 선택하여 주십시요"));
        return;
    }
    // A new game starts from zeros or from a saved file: nothing to lose yet.
    m_state.Standings_Changed = false;
    emit gameStartRequested();
    close();
}

// --- Saved games -------------------------------------------------------------

bool FRMlogo::inSavedGameMode() const
{
    return !List1->isHidden();
}

void FRMlogo::Cmd_Click(int index)
{
    const bool savedGames = inSavedGameMode();
    switch (index) {
    case Cmd_Start:
        if (!savedGames) {
            emit boardCloseRequested();
            Set_TTT();
        } else {
            loadSelectedGame();
        }
        break;
    case Cmd_Load:
        enterSavedGameMode();
        break;
    case Cmd_Close:
        if (!savedGames)
            emit endRequested();
        else
            backToTeamMode();
        break;
    case Cmd_Delete:
        if (savedGames)
            deleteSelectedGame();
        break;
    default:
        break;
    }
}

void FRMlogo::Load_Score_Data()
{
    Cmd_Click(Cmd_Load);
}

void FRMlogo::enterSavedGameMode()
{
    Cmd[Cmd_Delete]->show();
    List1->show();
    Cmd[Cmd_Start]->setText(QStringLiteral("가져오기"));
    Cmd[Cmd_Close]->setText(QStringLiteral("돌아가기"));
    Cmd[Cmd_Start]->setEnabled(false);
    // An entry still selected from before may be deleted at once.
    Cmd[Cmd_Delete]->setEnabled(selectedGame() >= 0);
}

void FRMlogo::backToTeamMode()
{
    List1->hide();
    Cmd[Cmd_Start]->setText(QStringLiteral("시작"));
    Cmd[Cmd_Close]->setText(QStringLiteral("닫기"));
    Cmd[Cmd_Start]->setEnabled(true);
    Cmd[Cmd_Delete]->hide();
}

void FRMlogo::List1_Click()
{
    if (selectedGame() < 0)
        return;
    Cmd[Cmd_Start]->setEnabled(true);
    Cmd[Cmd_Delete]->setEnabled(true);
}

int FRMlogo::selectedGame() const
{
    const QList<QListWidgetItem *> selected = List1->selectedItems();
    if (selected.isEmpty())
        return -1;
    const int row = List1->row(selected.first());
    return row < m_games.size() ? row : -1;
}

void FRMlogo::Set_List()
{
    m_state.Save_Path = m_state.Saved_Games_Folder;
    {
        const QSignalBlocker blocker(List1);
        List1->clear();
        m_games = listSavedGames(m_state.Save_Path);
        for (const SavedGame &game : std::as_const(m_games))
            List1->addItem(game.name);
        List1->setCurrentRow(-1);
    }
    // Nothing is selected now, so there is nothing to fetch or delete.
    if (inSavedGameMode())
        Cmd[Cmd_Start]->setEnabled(false);
    Cmd[Cmd_Delete]->setEnabled(false);
}

void FRMlogo::loadSelectedGame()
{
    const int row = selectedGame();
    if (row < 0)
        return;
    const LoadResult result = Read_Score_File(m_state, m_games.at(row), m_dialogs);
    if (result.status != LoadResult::Failed) {
        for (int k = 0; k < Team_Boxes; ++k)
            setTeamCaption(k, result.captions.value(k));
        for (int k = 0; k < result.grayedTeams && k < Team_Boxes; ++k)
            setTeamState(k, Qt::PartiallyChecked);
    }
    backToTeamMode();
    Text1->hide();
}

void FRMlogo::deleteSelectedGame()
{
    const int row = selectedGame();
    if (row < 0)
        return;
    Del_File(m_games.at(row));
}

void FRMlogo::Del_File(const SavedGame &game)
{
    if (!m_dialogs.ask(QStringLiteral("선택한 게임을 삭제할까요?\n") + game.name))
        return;
    if (!deleteSavedGame(m_state.Save_Path, game))
        m_dialogs.message(QStringLiteral("삭제하지 못했습니다\n") + game.name);
    Set_List();
}
