#pragma once

#include <QColor>
#include <QWidget>

class QPixmap;

// The box at a bar's tip (T_Pic) that shows one frame of the running figure.
// Like a picture box that keeps what was drawn into it, it shows the frame
// last drawn until another one is drawn, and only its slot colour before
// the first one. It is its bar's child, or the board's, in front of the
// banner and the command bar, where a small window makes a row overlap
// them; its place is kept as the tip's distance from the bar's left end, in
// single precision as the bar's length.
class FigureBox : public QWidget
{
    Q_OBJECT

public:
    // `sheet`: the sprite strip, six frames stacked, owned by the board and
    // drawn for the board's scale.
    FigureBox(const QPixmap &sheet, const QColor &background, QWidget *parent = nullptr);

    // Draws frame 0..5 of the sheet into the box.
    void drawFrame(int frame);
    int shownFrame() const { return m_frame; } // -1 while nothing was drawn

    // The tip's distance from the bar's left end.
    float figureLeft() const { return m_left; }
    // Stands at `left` pixels right of `barOrigin`, the bar's top-left corner
    // in the box's parent.
    void setFigureLeft(const QPoint &barOrigin, float left);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const QPixmap &m_sheet;
    QColor m_background;
    int m_frame = -1;
    float m_left = 0.0f;
};
