#include "drawn_frame_watch.h"

#include "score_bar.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>

DrawnFrameWatch::DrawnFrameWatch(QWidget *board)
    : m_board(board)
    , m_bars(board->findChildren<ScoreBar *>())
{
    for (const ScoreBar *bar : m_bars)
        m_lengths.push_back(bar->barWidth());
}

bool DrawnFrameWatch::eventFilter(QObject *watched, QEvent *event)
{
    const bool paints = event->type() == QEvent::UpdateRequest || event->type() == QEvent::Expose;
    if (!paints || (watched != m_board && watched != m_board->windowHandle()))
        return QObject::eventFilter(watched, event);
    double step = 0.0;
    for (qsizetype i = 0; i < m_bars.size(); ++i) {
        float &drawn = m_lengths[std::size_t(i)];
        const float length = m_bars[i]->barWidth();
        step = std::max(step, std::abs(double(length) - double(drawn)));
        drawn = length;
    }
    m_steps.push_back(step);
    return QObject::eventFilter(watched, event);
}
