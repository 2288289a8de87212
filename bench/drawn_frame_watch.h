#pragma once

#include <QList>
#include <QObject>

#include <vector>

class ScoreBar;
class QWidget;

// Reads the board's bar lengths each time the board paints (its update
// request or expose, before Qt paints it): the frames the audience sees.
// For each frame it keeps the largest distance any bar's tip moved since
// the frame before (the first, since the watch began). Installed on the
// application.
class DrawnFrameWatch final : public QObject
{
public:
    explicit DrawnFrameWatch(QWidget *board);

    // One value per drawn frame, in pixels.
    const std::vector<double> &tipSteps() const { return m_steps; }

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_board;
    QList<ScoreBar *> m_bars;
    std::vector<float> m_lengths;
    std::vector<double> m_steps;
};
