#include "command_bar.h"

#include "artwork_resources.h"
#include "board_colours.h"
#include "board_layout.h"
#include "button_style.h"
#include "conversions.h"
#include "fonts.h"
#include "presenter_commands.h"
#include "text_fitting.h"

#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace BoardLayout;

namespace {

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
    void (PresenterCommands::*command)();
};

// The controls at their design places, from the back to the front.
const CommandBarControl commandBarControls[] = {
    {"Label1", ControlKind::Caption, {654, 40, 103, 15}, true, u"최대 점수값", nullptr, {}, nullptr},
    {"Command1", ControlKind::PictureButton, {34, 6, 101, 37}, false, u"출발",
     &Artwork::buttonStartPath, Artwork::buttonFaceSize, &PresenterCommands::startRace},
    {"Command2", ControlKind::PictureButton, {164, 6, 101, 37}, false, u"불러오기",
     &Artwork::buttonLoadPath, Artwork::buttonFaceSize, &PresenterCommands::requestSetup},
    {"Command3", ControlKind::PictureButton, {294, 6, 101, 37}, false, u"저장하기",
     &Artwork::buttonSavePath, Artwork::buttonFaceSize, &PresenterCommands::saveStandings},
    {"Command4", ControlKind::PictureButton, {426, 6, 101, 37}, false, u"승리팀",
     &Artwork::buttonWinnerPath, Artwork::buttonFaceSize, &PresenterCommands::showWinner},
    {"Command5", ControlKind::PictureButton, {950, 4, 53, 37}, true, u"나가기",
     &Artwork::doorPath, Artwork::doorSize, &PresenterCommands::leave},
    {"Text1", ControlKind::MaxScoreBox, {654, 4, 189, 35}, true, u"500", nullptr, {}, nullptr},
    {"Command7", ControlKind::ArrowButton, {844, 4, 33, 17}, true, u"▲", nullptr, {},
     &PresenterCommands::raiseMaxScore},
    {"Command8", ControlKind::ArrowButton, {844, 22, 33, 17}, true, u"▼", nullptr, {},
     &PresenterCommands::lowerMaxScore},
};

// Pixel sizes of the bar's lettering.
constexpr int MaxScorePixels = 32;
constexpr int ArrowPixels = 21;
constexpr int CaptionPixels = 16;
// Room the maximum box's frame and padding take at each side of its number.
constexpr int MaxScoreBoxInset = 5;

// The picture of a button at the board's scale: the design picture at the
// design size, otherwise the sharper one drawn down to the size it covers.
QIcon pictureAt(const CommandBarControl &control, BoardScale scale, qreal ratio)
{
    if (scale.isDesign())
        return Artwork::icon(*control.picture);
    const QSize size(scale.px(control.face.width()), scale.px(control.face.height()));
    QPixmap picture = Artwork::pixmap(*control.picture, scale.factor() * ratio);
    picture = picture.scaled(size * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    picture.setDevicePixelRatio(ratio);
    return QIcon(picture);
}

QPushButton *pictureButton(const CommandBarControl &control, QWidget *parent)
{
    auto *button = new QPushButton(parent);
    button->setIcon(pictureAt(control, {}, 1.0));
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
    const QString yellow = styleSheetColour(BoardColours::MaxScoreYellow);
    switch (control.kind) {
    case ControlKind::Caption: {
        auto *label = new QLabel(text, parent);
        label->setFont(gulimFont(CaptionPixels));
        label->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(yellow));
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
            " padding: 0px 2px; }").arg(yellow));
        return box;
    }
    case ControlKind::ArrowButton: {
        auto *arrow = new QPushButton(text, parent);
        arrow->setFont(gulimFont(ArrowPixels, true));
        arrow->setStyleSheet(colouredButtonStyle(BoardColours::MaxScoreYellow));
        arrow->setFocusPolicy(Qt::TabFocus);
        return arrow;
    }
    }
    return nullptr;
}

} // namespace

CommandBar::CommandBar(PresenterCommands &commands, QWidget *board)
    : QWidget(board)
{
    setObjectName(QStringLiteral("Picture2"));
    setGeometry(0, DesignCommandBarTop, DesignWidth, CommandBarHeight);
    QPalette black = palette();
    black.setColor(QPalette::Window, BoardColours::CommandBarBlack);
    setPalette(black);
    setAutoFillBackground(true);

    for (const CommandBarControl &control : commandBarControls) {
        QWidget *widget = createControl(control, this);
        widget->setObjectName(QLatin1String(control.objectName));
        widget->setGeometry(control.designRect);
        if (control.command) {
            connect(static_cast<QPushButton *>(widget), &QPushButton::clicked, &commands,
                    control.command);
        }
        if (control.kind == ControlKind::MaxScoreBox)
            m_maxScoreBox = static_cast<QLineEdit *>(widget);
    }
}

void CommandBar::placeOnBoard(const QSize &boardSize, BoardScale scale)
{
    const int height = scale.px(CommandBarHeight);
    setGeometry(0, boardSize.height() - height, boardSize.width(), height);
    if (scale != m_scale)
        applyScale(scale);
    for (const CommandBarControl &item : commandBarControls) {
        if (item.anchoredRight)
            control(item.objectName)->move(scale.fromRight(item.designRect.x(), width()),
                                           scale.px(item.designRect.y()));
    }
}

// Sizes, lettering and pictures of the controls at a scale; the places of
// those on the left too, the right-hand ones follow the bar's width.
void CommandBar::applyScale(BoardScale scale)
{
    m_scale = scale;
    for (const CommandBarControl &item : commandBarControls) {
        QWidget *widget = control(item.objectName);
        const QRect design = item.designRect;
        widget->setGeometry(scale.px(design.x()), scale.px(design.y()), scale.px(design.width()),
                            scale.px(design.height()));
        switch (item.kind) {
        case ControlKind::Caption:
            widget->setFont(gulimFont(scale.px(CaptionPixels)));
            break;
        case ControlKind::PictureButton: {
            auto *button = static_cast<QPushButton *>(widget);
            button->setIcon(pictureAt(item, scale, devicePixelRatioF()));
            button->setIconSize(QSize(scale.px(item.face.width()), scale.px(item.face.height())));
            break;
        }
        case ControlKind::MaxScoreBox:
            break; // showMaxScore fits its font
        case ControlKind::ArrowButton:
            widget->setFont(gulimFont(scale.px(ArrowPixels), true));
            widget->setStyleSheet(colouredButtonStyle(BoardColours::MaxScoreYellow, scale.factor()));
            break;
        }
    }
    showMaxScore(m_maxScore);
}

void CommandBar::showMaxScore(qint32 maxScore)
{
    m_maxScore = maxScore;
    const QString text = numberText(maxScore);
    const FittedText fitted = TextFitting::fit(text, hyGothicFont(m_scale.px(MaxScorePixels)),
                                               m_maxScoreBox->width() - 2 * m_scale.px(MaxScoreBoxInset));
    m_maxScoreBox->setFont(fitted.font);
    m_maxScoreBox->setText(text);
}

QWidget *CommandBar::control(const char *objectName) const
{
    return findChild<QWidget *>(QLatin1String(objectName), Qt::FindDirectChildrenOnly);
}
