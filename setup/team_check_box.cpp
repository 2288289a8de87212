#include "team_check_box.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

namespace {

// The Windows program ships no SVG renderer: it draws the same squares from
// PNGs rendered from the SVGs (with their @2x pair, which QIcon finds itself).
#ifdef Q_OS_WIN
const QString squareFormat = QStringLiteral(".png");
#else
const QString squareFormat = QStringLiteral(".svg");
#endif

QIcon square(const QString &name)
{
    return QIcon(QStringLiteral(":/setup/images/") + name + squareFormat);
}

} // namespace

TeamCheckBox::Squares TeamCheckBox::readSquares()
{
    return {square(QStringLiteral("unchecked")), square(QStringLiteral("grayed")),
            square(QStringLiteral("checked"))};
}

TeamCheckBox::TeamCheckBox(const Squares &squares, QWidget *parent)
    : QCheckBox(parent)
    , m_squares(squares)
{
}

void TeamCheckBox::nextCheckState()
{
    // QCheckBox would step a grayed box on to checked; a click that means
    // "not this team" must leave it unchecked.
    setCheckState(checkState() == Qt::Unchecked ? Qt::Checked : Qt::Unchecked);
}

// The squares are painted here rather than named in the style sheet: a
// style sheet's image is first measured with an image reader that detects
// the format, which loads every image plug-in and their libraries before the
// setup window is first painted. The icons draw as the style sheet drew them.
void TeamCheckBox::paintEvent(QPaintEvent *event)
{
    QCheckBox::paintEvent(event);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect square = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    const QIcon &icon = checkState() == Qt::Checked          ? m_squares.checked
                        : checkState() == Qt::PartiallyChecked ? m_squares.grayed
                                                               : m_squares.unchecked;
    QPainter painter(this);
    icon.paint(&painter, square);
}
