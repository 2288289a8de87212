#include "main_form.h"

#include "artwork_resources.h"
#include "banner_picture.h"
#include "checked.h"
#include "conversions.h"
#include "dialogs.h"
#include "figure_box.h"
#include "fonts.h"
#include "game_state.h"
#include "placement.h"
#include "score_bar.h"
#include "score_file.h"
#include "start_sound.h"

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

#include <algorithm>
#include <cmath>

using namespace board;

namespace {

constexpr int Design_Width = 1024;
constexpr int Design_Height = 766;
constexpr qint32 Max_Score_Step = 100;
constexpr qint32 Max_Score_Floor = 500;
constexpr int Enter_Key = 13;

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
               "QPushButton:focus { outline: none; }")
        .arg(rgb(colour), rgb(colour.lighter(130)), rgb(colour.darker(160)));
}

QPushButton *pictureButton(QWidget *parent, const QString &name, const QString &picture,
                           QSize size, QSize face)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(name);
    button->resize(size);
    button->setIcon(QIcon(picture));
    button->setIconSize(face);
    // Clicking with the mouse leaves no focus frame on the projector; the
    // keyboard still reaches the buttons with Tab.
    button->setFocusPolicy(Qt::TabFocus);
    button->setStyleSheet(QStringLiteral(
        "QPushButton { background: black; border: 1px solid black; padding: 0px; }"
        "QPushButton:pressed { padding-left: 2px; padding-top: 2px; }"
        "QPushButton:focus { border: 1px solid rgb(255, 255, 0); }"));
    return button;
}

int clampedPixels(qint64 value)
{
    return int(std::clamp<qint64>(value, -10000000, 10000000));
}

} // namespace

MainForm::MainForm(Module1 &state, Dialogs &dialogs, StartSound &sound, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
    , m_dialogs(dialogs)
    , m_sound(sound)
{
    setObjectName(QStringLiteral("main"));
    setWindowTitle(appTitle());
    setWindowIcon(Artwork::windowIcon());
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Window_Green);
    setPalette(pal);
    setAutoFillBackground(true);

    m_spriteSheet = Artwork::pixmap(Artwork::runnerPath, qApp->devicePixelRatio());

    for (QTimer *timer : {&Timer1, &Timer2}) {
        timer->setParent(this);
        timer->setInterval(Tick_Interval_Ms);
        timer->setTimerType(Qt::PreciseTimer);
    }
    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer2.setObjectName(QStringLiteral("Timer2"));
    connect(&Timer1, &QTimer::timeout, this, &MainForm::Timer1_Timer);
    connect(&Timer2, &QTimer::timeout, this, &MainForm::Timer2_Timer);

    createControls();
    setTabOrder();
    warmUpCaptionGlyphs();
    connect(Command1, &QPushButton::clicked, this, &MainForm::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &MainForm::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &MainForm::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &MainForm::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &MainForm::Command5_Click);
    connect(Command7, &QPushButton::clicked, this, &MainForm::Command7_Click);
    connect(Command8, &QPushButton::clicked, this, &MainForm::Command8_Click);

    // Normal size: the design size, centred on the screen; shown maximized.
    resize(Design_Width, Design_Height);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(Design_Width / 2, Design_Height / 2));
    }
    Form_Load();
    setWindowState(Qt::WindowMaximized);
    // The board itself holds the focus, not the start button: a stray Space
    // on the presenter's keyboard must not start a round. Tab still walks
    // the buttons.
    setFocusPolicy(Qt::StrongFocus);
    setFocus(Qt::OtherFocusReason);
}

MainForm::~MainForm() = default;

// Draws the digits of the counting captions once, so the first ticks of the
// first round do not stall while glyphs are rendered.
void MainForm::warmUpCaptionGlyphs()
{
    QImage scratch(600, 60, QImage::Format_ARGB32_Premultiplied);
    scratch.fill(Qt::transparent);
    QPainter painter(&scratch);
    painter.setFont(hyGothicFont(43));
    painter.drawText(QPointF(0, 50), QStringLiteral("-0123456789"));
}

// Later siblings paint over earlier ones, so the controls are created from
// the back to the front: bars, banner, command bar, sprite box, team
// buttons, entry box, figures.
void MainForm::createControls()
{
    for (int i = Board_Slots - 1; i >= 0; --i) {
        auto *bar = new ScoreBar(this);
        bar->setObjectName(QStringLiteral("TeamLabel_%1").arg(i));
        bar->setGeometry(i == 1 ? 160 : 162, 260 + 52 * i, 95, Row_Height);
        bar->setBarWidth(95.0f);
        bar->setFillColour(slotColour(i));
        bar->setCaption(QStringLiteral("100"));
        bar->hide();
        TeamLabel[std::size_t(i)] = bar;
    }

    // The banner keeps its full-size picture and scales it per size.
    Image1 = new BannerPicture(Artwork::pixmap(Artwork::bannerPath, 2.0), this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 1022, Banner_Height);

    Picture2 = new QWidget(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setGeometry(0, 698, Design_Width, Command_Bar_Height);
    QPalette black = Picture2->palette();
    black.setColor(QPalette::Window, Qt::black);
    Picture2->setPalette(black);
    Picture2->setAutoFillBackground(true);

    // Inside the command bar, from the back to the front.
    Label1 = new QLabel(QStringLiteral("최대 점수값"), Picture2);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(654, 40, 103, 15);
    Label1->setFont(gulimFont(16));
    Label1->setStyleSheet(QStringLiteral("color: rgb(255, 255, 0); background: transparent;"));
    Label1->setAttribute(Qt::WA_TranslucentBackground);

    const QSize face(99, 36);
    const QSize pictureSize(101, 37);
    Command1 = pictureButton(Picture2, QStringLiteral("Command1"),
                             Artwork::buttonStartPath, pictureSize, face);
    Command1->move(34, 6);
    Command2 = pictureButton(Picture2, QStringLiteral("Command2"),
                             Artwork::buttonLoadPath, pictureSize, face);
    Command2->move(164, 6);
    Command3 = pictureButton(Picture2, QStringLiteral("Command3"),
                             Artwork::buttonSavePath, pictureSize, face);
    Command3->move(294, 6);
    Command4 = pictureButton(Picture2, QStringLiteral("Command4"),
                             Artwork::buttonWinnerPath, pictureSize, face);
    Command4->move(426, 6);
    Command5 = pictureButton(Picture2, QStringLiteral("Command5"),
                             Artwork::doorPath, QSize(53, 37), QSize(51, 36));
    Command5->move(950, 4);
    Command1->setToolTip(QStringLiteral("출발"));
    Command2->setToolTip(QStringLiteral("불러오기"));
    Command3->setToolTip(QStringLiteral("저장하기"));
    Command4->setToolTip(QStringLiteral("승리팀"));
    Command5->setToolTip(QStringLiteral("나가기"));

    Text1 = new QLineEdit(QStringLiteral("500"), Picture2);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(654, 4, 189, 35);
    Text1->setFont(hyGothicFont(32));
    Text1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Shown, not read: Tab passes it by.
    Text1->setFocusPolicy(Qt::ClickFocus);
    Text1->setStyleSheet(QStringLiteral(
        "QLineEdit { background: rgb(255, 255, 0); color: black; border: 1px solid rgb(128, 128, 0);"
        " padding: 0px 2px; }"));

    const QColor yellow(255, 255, 0);
    Command7 = new QPushButton(QStringLiteral("▲"), Picture2);
    Command7->setObjectName(QStringLiteral("Command7"));
    Command7->setGeometry(844, 4, 33, 17);
    Command8 = new QPushButton(QStringLiteral("▼"), Picture2);
    Command8->setObjectName(QStringLiteral("Command8"));
    Command8->setGeometry(844, 22, 33, 17);
    for (QPushButton *arrow : {Command7, Command8}) {
        arrow->setFont(gulimFont(21, true));
        arrow->setStyleSheet(colouredButtonStyle(yellow));
        arrow->setFocusPolicy(Qt::TabFocus);
    }

    Picture3 = new QLabel(this);
    Picture3->setObjectName(QStringLiteral("Picture3"));
    Picture3->setGeometry(764, 296, Figure_Width, 300);
    if (!m_spriteSheet.isNull()) {
        Picture3->setPixmap(m_spriteSheet);
        Picture3->resize(m_spriteSheet.deviceIndependentSize().toSize());
    }
    Picture3->hide();

    for (int i = Board_Slots - 1; i >= 0; --i) {
        auto *button = new QPushButton(QStringLiteral("믿음"), this);
        button->setObjectName(QStringLiteral("TCmd_%1").arg(i));
        button->setGeometry(Team_Button_Left, 260 + 52 * i, Team_Button_Width, Row_Height);
        button->setFont(hyGothicFont(27));
        button->setStyleSheet(colouredButtonStyle(slotColour(i)));
        button->setFocusPolicy(Qt::TabFocus);
        button->installEventFilter(this);
        button->hide();
        TCmd[std::size_t(i)] = button;
    }

    TCmd_Txt = new QLineEdit(this);
    TCmd_Txt->setObjectName(QStringLiteral("TCmd_Txt"));
    TCmd_Txt->setGeometry(2, 260, Team_Button_Width, Row_Height);
    TCmd_Txt->setFont(hyGothicFont(48));
    TCmd_Txt->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    TCmd_Txt->setStyleSheet(QStringLiteral(
        "QLineEdit { background: white; color: black; border: 2px solid black; padding: 0px 2px; }"));
    TCmd_Txt->installEventFilter(this);
    TCmd_Txt->hide();

    for (int i = Board_Slots - 1; i >= 0; --i) {
        auto *box = new FigureBox(m_spriteSheet, slotColour(i), this);
        box->setObjectName(QStringLiteral("T_Pic_%1").arg(i));
        box->setGeometry(256, 260 + 52 * i, Figure_Width, Row_Height);
        box->setFigureLeft(256.0f);
        box->hide();
        T_Pic[std::size_t(i)] = box;
    }
}

void MainForm::setTabOrder()
{
    QList<QWidget *> order{Command1, Command2, Command3, Command4, Command5, TCmd[0],
                           Command7, Command8};
    for (int i = 1; i < Board_Slots; ++i)
        order.append(TCmd[std::size_t(i)]);
    order.append(TCmd_Txt);
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void MainForm::Form_Load()
{
    // The normal-size rectangle goes onto the chosen monitor; maximizing
    // then fills that monitor.
    if (m_state.Use_Monitor)
        Set_Form_Pos(m_state, *this);
}

double MainForm::barStep(int slot) const
{
    return slot >= 0 && slot < Animation_Slots ? Bar_Step[std::size_t(slot)] : 0.0;
}

double MainForm::barValue(int slot) const
{
    return slot >= 0 && slot < Animation_Slots ? Bar_Value[std::size_t(slot)] : 0.0;
}

float MainForm::barWidth(int slot) const
{
    return validSlot(slot) ? TeamLabel[std::size_t(slot)]->barWidth() : 0.0f;
}

float MainForm::figureLeft(int slot) const
{
    return validSlot(slot) ? T_Pic[std::size_t(slot)]->figureLeft() : 0.0f;
}

QString MainForm::unsavedQuestion()
{
    return QStringLiteral("저장하지 않은 점수가 있습니다. 종료할까요?");
}

// --- Layout ------------------------------------------------------------------

void MainForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void MainForm::Form_Resize()
{
    const int w = width();
    const int h = height();
    Image1->setGeometry(0, 0, w, Image1->height());
    Picture2->setGeometry(0, h - Picture2->height(), w, Picture2->height());

    const int barRight = Picture2->width();
    Command5->move(barRight - Leave_From_Right, Command5->y());
    Text1->move(barRight - Max_Box_From_Right, Text1->y());
    Label1->move(Text1->x(), Label1->y());
    Command7->move(Text1->x() + Arrows_From_Max_Box, Command7->y());
    Command8->move(Command7->x(), Command8->y());

    if (const auto gap = board::rowGap(h, m_state.Team_Count))
        Row_Gap = *gap;

    const int rows = std::clamp(m_state.Team_Count, 0, Board_Slots);
    for (int i = 0; i < rows; ++i) {
        QPushButton *button = TCmd[std::size_t(i)];
        ScoreBar *bar = TeamLabel[std::size_t(i)];
        FigureBox *figure = T_Pic[std::size_t(i)];
        const int y = clampedPixels(rowTop(i, Row_Gap));
        button->move(Team_Button_Left, y);
        button->setText(m_state.Team_Name.value(i));
        bar->move(button->x() + button->width(), y);
        bar->setCaptionNumber(m_state.Team_Score.value(i));
        figure->setFigureTop(y);
        figure->setFigureLeft(float(bar->x()) + bar->barWidth());
        figure->drawFrame(0);
        button->show();
        figure->show();
    }

    // The window manager maximizes the board only after it was shown and
    // initialised, and the presenter may move it to another screen: bars
    // drawn for the old width would stand for the wrong scores. A running
    // round keeps growing at its scale; its last tick redraws them.
    if (m_initialised && !Timer1.isActive())
        Display_Score();
}

// --- Score display -----------------------------------------------------------

void MainForm::Display_Score()
{
    if (const auto scale = board::scoreScale(width(), m_state.Max_Score))
        Score_Scale = *scale;

    const int rows = std::clamp(m_state.Team_Count, 0, Board_Slots);
    for (int i = 0; i < rows; ++i) {
        ScoreBar *bar = TeamLabel[std::size_t(i)];
        if (const auto length = barLength(Score_Scale, m_state.Team_Score.value(i)))
            bar->setBarWidth(*length);
        T_Pic[std::size_t(i)]->setFigureLeft(float(bar->x()) + bar->barWidth());
        bar->show();
    }
}

void MainForm::showMaxScore()
{
    Text1->setText(numberText(m_state.Max_Score));
}

// --- Score entry -------------------------------------------------------------

bool MainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto found = std::find(TCmd.begin(), TCmd.end(), watched);
        if (found != TCmd.end()) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if ((*found)->rect().contains(mouse->position().toPoint()))
                TCmd_MouseUp(int(found - TCmd.begin()), mouse->button());
        }
    } else if (event->type() == QEvent::KeyPress && watched == TCmd_Txt) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            TCmd_Txt_KeyDown(Enter_Key);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainForm::TCmd_MouseUp(int index, Qt::MouseButton button)
{
    if (!validSlot(index))
        return;
    const QPushButton *team = TCmd[std::size_t(index)];
    TCmd_Txt->move(team->x(), team->y());
    Sel_Team = qint16(index);
    if (button == Qt::LeftButton) {
        Input_Mode = 0;
        TCmd_Txt->setText(QStringLiteral("0"));
    } else {
        Input_Mode = 1;
        TCmd_Txt->setText(m_state.Team_Name.value(index));
    }
    TCmd_Txt->show();
    TCmd_Txt->setFocus(Qt::MouseFocusReason);
    // Typing replaces the proposal instead of adding to it.
    TCmd_Txt->selectAll();
}

void MainForm::TCmd_Txt_KeyDown(int keyCode)
{
    if (keyCode != Enter_Key)
        return;
    if (Input_Mode == 0) {
        const auto points = textToInteger(TCmd_Txt->text());
        if (!points) {
            rejectEntry();
            return;
        }
        const bool added = m_state.Add_Score.update(Sel_Team, [&](qint32 &pending) {
            return addInPlace(pending, qint32(*points));
        });
        if (!added) {
            rejectEntry();
            return;
        }
        const auto total = checkedAdd(m_state.Team_Score.value(Sel_Team),
                                      m_state.Add_Score.value(Sel_Team));
        if (total && *total >= m_state.Max_Score) {
            // The total would reach the end of its track: the scale grows.
            if (const auto raised = checkedAdd(*total, Max_Score_Step))
                m_state.Max_Score = *raised;
            showMaxScore();
            Display_Score();
        }
    } else if (Input_Mode == 1) {
        const QString name = TCmd_Txt->text();
        if (m_state.Team_Name.value(Sel_Team) != name && m_state.Team_Name.set(Sel_Team, name))
            m_state.Standings_Changed = true;
        if (validSlot(Sel_Team))
            TCmd[std::size_t(Sel_Team)]->setText(name);
    }
    // Hiding the box would pass the focus on to the next button in the chain.
    setFocus(Qt::OtherFocusReason);
    TCmd_Txt->hide();
}

void MainForm::rejectEntry()
{
    TCmd_Txt->selectAll();
    TCmd_Txt->setFocus(Qt::OtherFocusReason);
    QApplication::beep();
    emit entryRejected();
}

// --- Animation ---------------------------------------------------------------

void MainForm::Timer1_Timer()
{
    for (FigureBox *figure : T_Pic)
        figure->drawFrame(Pic_Frame);
    Pic_Frame = nextFrame(Pic_Frame);

    if (Tick_Count < Animation_Ticks) {
        addInPlace(Tick_Count, qint16(1));
        for (int j = 0; j < Board_Slots; ++j) {
            ScoreBar *bar = TeamLabel[std::size_t(j)];
            const auto slot = std::size_t(j);
            bar->setBarWidth(float(double(bar->barWidth()) + Bar_Step[slot] * Score_Scale));
            T_Pic[slot]->setFigureLeft(float(bar->x()) + bar->barWidth());
            Bar_Value[slot] += Bar_Step[slot];
            if (const auto shown = floorToLong(Bar_Value[slot]))
                bar->setCaptionNumber(*shown);
        }
        return;
    }

    Timer1.stop();
    Tick_Count = 0;
    bool changed = false;
    for (int j = 0; j < Board_Slots; ++j) {
        T_Pic[std::size_t(j)]->drawFrame(0);
        const qint32 pending = m_state.Add_Score.value(j);
        if (pending != 0
            && m_state.Team_Score.update(j, [pending](qint32 &score) { return addInPlace(score, pending); }))
            changed = true;
        TeamLabel[std::size_t(j)]->setCaptionNumber(m_state.Team_Score.value(j));
        m_state.Add_Score.set(j, 0);
    }
    if (changed)
        m_state.Standings_Changed = true;
    Display_Score();
}

void MainForm::Timer2_Timer()
{
    if (validSlot(Top_Team)) {
        T_Pic[std::size_t(Top_Team)]->drawFrame(Pic_Frame);
        TeamLabel[std::size_t(Top_Team)]->setFillColour(slotColour(Color_Index));
    }
    Pic_Frame = nextFrame(Pic_Frame);
    Color_Index = nextColour(Color_Index);

    if (Tick_Count < Highlight_Ticks) {
        addInPlace(Tick_Count, qint16(1));
        return;
    }

    Timer2.stop();
    Tick_Count = 0;
    if (validSlot(Top_Team)) {
        T_Pic[std::size_t(Top_Team)]->drawFrame(0);
        TeamLabel[std::size_t(Top_Team)]->setFillColour(slotColour(Top_Team));
    }
}

// --- Commands ----------------------------------------------------------------

void MainForm::Set_Init()
{
    Tick_Count = 0;
    Pic_Frame = 0;
    Input_Mode = 0;
    m_initialised = true;
    showMaxScore();
    Display_Score();
}

void MainForm::Command1_Click()
{
    for (int i = 0; i < Animation_Slots; ++i) {
        Bar_Value[std::size_t(i)] = m_state.Team_Score.value(i);
        Bar_Step[std::size_t(i)] = m_state.Add_Score.value(i) / double(Animation_Ticks);
    }
    Timer1.start();
    m_sound.play();
}

void MainForm::Command2_Click()
{
    emit loadRequested();
}

void MainForm::Command3_Click()
{
    saveScoreFile(m_state, m_dialogs);
}

void MainForm::Command4_Click()
{
    Top_Team = 0;
    for (qint32 i = 0; i < m_state.Team_Count && i < Module1::Slot_Count; ++i) {
        // Only a higher score takes the lead: a tie stays with the lower slot.
        if (m_state.Team_Score.value(Top_Team) < m_state.Team_Score.value(i))
            Top_Team = qint16(i);
    }
    Tick_Count = 0;
    Pic_Frame = 0;
    Color_Index = 0;
    Timer2.start();
}

void MainForm::Command5_Click()
{
    if (m_state.hasUnsavedStandings() && !m_dialogs.ask(unsavedQuestion()))
        return;
    m_leaving = true;
    emit endRequested();
}

void MainForm::Command7_Click()
{
    if (const auto raised = checkedAdd(m_state.Max_Score, Max_Score_Step))
        m_state.Max_Score = *raised;
    showMaxScore();
    Display_Score();
}

void MainForm::Command8_Click()
{
    if (m_state.Max_Score <= Max_Score_Floor)
        return;
    if (const auto lowered = checkedSub(m_state.Max_Score, Max_Score_Step))
        m_state.Max_Score = *lowered;
    showMaxScore();
    Display_Score();
}

void MainForm::closeEvent(QCloseEvent *event)
{
    if (!m_leaving && m_state.hasUnsavedStandings() && !m_dialogs.ask(unsavedQuestion())) {
        event->ignore();
        return;
    }
    m_leaving = true;
    Timer1.stop();
    Timer2.stop();
    event->accept();
}
