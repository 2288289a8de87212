#include "bare_bars_window.h"

#include "board_layout.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

BareBarsWindow::BareBarsWindow(QWidget *parent)
    : QWidget(parent)
{
}

int BareBarsWindow::barTop(int bar) const
{
    return bar * height() / Bars;
}

void BareBarsWindow::setBarLength(int bar, float length)
{
    float &current = m_lengths[std::size_t(bar)];
    const float left = std::min(current, length);
    const float right = std::max(current, length);
    current = length;
    update(int(std::floor(left)) - 1, barTop(bar), int(std::ceil(right - left)) + 2,
           BoardLayout::RowHeight);
}

void BareBarsWindow::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    for (int i = 0; i < Bars; ++i) {
        const QRectF bar(0, barTop(i), m_lengths[std::size_t(i)], BoardLayout::RowHeight);
        painter.fillRect(bar.intersected(event->rect()), Qt::darkBlue);
    }
}
