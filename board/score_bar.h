#pragma once

#include <QColor>
#include <QFont>
#include <QPointer>
#include <QRectF>
#include <QString>
#include <QTextLayout>
#include <QWidget>

// A team's score bar (TeamLabel) with its number. The widget spans the rest
// of the row; the bar is a strip in the team's colour from its left edge,
// as long as the team's score says. The length is kept as the board's own
// single-precision value and the fill is painted from it, so a bar that
// grows by a tenth of a pixel a tick really grows.
//
// The number stands inside the bar at its tip when it fits; otherwise it
// stands right of the running figure at the bar's tip, in the same font, so
// that every team shows its score, a short or empty bar included.
class QPainter;

class ScoreBar : public QWidget
{
    Q_OBJECT

public:
    // The gap between the running figure and a number standing beside it.
    static constexpr qreal NumberGap = 8.0;

    explicit ScoreBar(QWidget *parent = nullptr);

    // The font of the numbers at the design size.
    static QFont numberFont();
    // The numbers' font, the padding at the tip and the room left for the
    // running figure grow with the board by `factor` (1 at the design size).
    void setScale(double factor);
    // Draws the digits of the numbers once, so the first ticks of the first
    // round do not stall while their glyphs are rendered; `factor` as for
    // setScale.
    static void warmUpNumberGlyphs(double factor = 1.0);

    float barWidth() const { return m_width; }
    // Takes a new length; a negative (or not-a-number) length is refused and
    // the bar keeps the one it has.
    bool setBarWidth(float width);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    // The caption as a plain decimal number; does nothing when it already
    // shows that number, so a counting bar only repaints when its digits change.
    void setCaptionNumber(qint64 value);

    QColor fillColour() const { return m_fill; }
    void setFillColour(const QColor &colour);

    // Where the number stands for the current length.
    QRectF captionRect() const;

    // The running figure in front of the bar's tip, its child or a sibling
    // in front of it, which paints that box itself.
    void setFigure(QWidget *figure) { m_figure = figure; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRectF captionRectFor(float width, qreal textWidth) const;
    void updateChange(float oldWidth, const QRectF &oldCaption);
    void drawCaption(QPainter &painter, const QRectF &place) const;

    float m_width = 0.0f;
    QString m_caption;
    qint64 m_captionNumber = 0;
    bool m_captionIsNumber = false;
    qreal m_textWidth = 0.0;
    // The caption shaped once when it changes: a race redraws it at every
    // frame, and shaping it anew each time was a third of a frame's cost.
    QTextLayout m_captionLayout;
    qreal m_captionLeading = 0.0;
    QColor m_fill;
    QColor m_background;
    QFont m_font;
    double m_scale = 1.0;
    QPointer<QWidget> m_figure;
};
