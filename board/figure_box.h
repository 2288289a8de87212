#pragma once

#include <QColor>
#include <QWidget>

class QPixmap;

// The box at a bar's tip (T_Pic) that shows one frame of the running figure;
// a child of its bar, placed in the bar's coordinates.
// Like a picture box that keeps what was drawn into it, it shows the frame
// last drawn until another one is drawn, and only its slot colour before
// the first one. Its left edge is kept in single precision, as the bar's tip.
class FigureBox : public QWidget
{
    Q_OBJECT

public:
    // `sheet`: the sprite strip, six frames stacked, owned by the board.
    FigureBox(const QPixmap &sheet, const QColor &background, QWidget *parent = nullptr);

    // Draws frame 0..5 of the sheet into the box.
    void drawFrame(int frame);
    int shownFrame() const { return m_frame; } // -1 while nothing was drawn

    float figureLeft() const { return m_left; }
    void setFigureLeft(float left);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const QPixmap &m_sheet;
    QColor m_background;
    int m_frame = -1;
    float m_left = 0.0f;
};
