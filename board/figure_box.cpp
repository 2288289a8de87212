#include "figure_box.h"

#include "artwork_resources.h"
#include "board_layout.h"

#include <QPainter>
#include <QPixmap>

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

void FigureBox::setFigureLeft(float left)
{
    if (!std::isfinite(left))
        return;
    m_left = left;
    const double x = std::clamp(std::round(double(left)), -1e7, 1e7);
    if (int(x) != this->x())
        move(int(x), y());
}

void FigureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_frame < 0 || m_sheet.isNull()) {
        painter.fillRect(rect(), m_background);
        return;
    }
    const qreal ratio = m_sheet.devicePixelRatio();
    const qreal frameHeight = qreal(BoardLayout::RowHeight) * ratio;
    const QRectF source(0.0, m_frame * frameHeight, qreal(m_sheet.width()), frameHeight);
    const QRectF target(0.0, 0.0, qreal(m_sheet.width()) / ratio, qreal(BoardLayout::RowHeight));
    painter.drawPixmap(target, m_sheet, source);
    if (target.width() < width())
        painter.fillRect(QRectF(target.width(), 0, width() - target.width(), height()), m_background);
}
