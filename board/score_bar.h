#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

// A team's score bar (TeamLabel): a strip in the team's colour whose length
// is the team's score, with the score at its tip. The length is kept as the
// board's own single-precision value and the fill is painted from it, so a
// bar that grows by a tenth of a pixel per tick really grows; the widget's
// whole-pixel geometry only follows it.
class ScoreBar : public QWidget
{
    Q_OBJECT

public:
    explicit ScoreBar(QWidget *parent = nullptr);

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

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void updateTip(float oldWidth, qreal oldTextWidth);
    qreal textRight(float width) const;

    float m_width = 0.0f;
    QString m_caption;
    qint64 m_captionNumber = 0;
    bool m_captionIsNumber = false;
    qreal m_textWidth = 0.0;
    QColor m_fill;
    QColor m_background;
    QFont m_font;
};
