#include "figure_box.h"

#include "artwork_resources.h"
#include "board_colours.h"

#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <cmath>

FigureBox::FigureBox(const QPixmap &sheet, const QColor &background, QWidget *parent)
    : QWidget(parent)
    , m_sheet(sheet)
    , m_background(background)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void FigureBox::drawFrame(int frame)
{
    if (frame < 0 || frame >= Artwork::runnerFrameCount || frame == m_frame)
        return;
    m_frame = frame;
    update();
}

void FigureBox::setFigureLeft(const QPoint &barOrigin, float left)
{
    if (!std::isfinite(left))
        return;
    m_left = left;
    const double x = std::clamp(barOrigin.x() + std::round(double(left)), -1e7, 1e7);
    if (QPoint(int(x), barOrigin.y()) != pos())
        move(int(x), barOrigin.y());
}

void FigureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_frame < 0 || m_sheet.isNull()) {
        painter.fillRect(rect(), m_background);
        return;
    }
    const qreal ratio = m_sheet.devicePixelRatio();
    const qreal frameHeight = qreal(m_sheet.height() / Artwork::runnerFrameCount);
    const QRectF source(0.0, m_frame * frameHeight, qreal(m_sheet.width()), frameHeight);
    const QRectF target(0.0, 0.0, qreal(m_sheet.width()) / ratio, frameHeight / ratio);
    painter.drawPixmap(target, m_sheet, source);
    // A frame drawn for a fractional density may leave a sliver: the
    // frames' own edge colour fills it.
    if (target.width() < width())
        painter.fillRect(QRectF(target.width(), 0, width() - target.width(), height()), BoardColours::WindowGreen);
    if (target.height() < height())
        painter.fillRect(QRectF(0, target.height(), width(), height() - target.height()), BoardColours::WindowGreen);
}
