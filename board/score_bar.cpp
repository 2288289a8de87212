#include "score_bar.h"

#include "board_geometry.h"
#include "conversions.h"
#include "fonts.h"

#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace {

constexpr qreal Text_Padding = 4.0;

QColor blend(const QColor &front, const QColor &back, float coverage)
{
    const auto mix = [coverage](int f, int b) { return int(std::lround(b + (f - b) * coverage)); };
    return QColor(mix(front.red(), back.red()), mix(front.green(), back.green()),
                  mix(front.blue(), back.blue()));
}

int pixelWidth(float width)
{
    const double w = std::ceil(double(width));
    return w > 1e7 ? 10000000 : int(w);
}

} // namespace

ScoreBar::ScoreBar(QWidget *parent)
    : QWidget(parent)
    , m_fill(Qt::white)
    , m_background(board::Window_Green)
    , m_font(hyGothicFont(43))
{
    // The bar paints every pixel itself, and growing it only adds pixels at
    // the tip: nothing else needs repainting.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_StaticContents);
    setFocusPolicy(Qt::NoFocus);
}

bool ScoreBar::setBarWidth(float width)
{
    if (!(width >= 0.0f))
        return false;
    if (width == m_width)
        return true;
    const float old = m_width;
    m_width = width;
    const int pixels = pixelWidth(width);
    if (pixels != QWidget::width())
        resize(pixels, height());
    updateTip(old, m_textWidth);
    return true;
}

void ScoreBar::setCaption(const QString &caption)
{
    m_captionIsNumber = false;
    if (caption == m_caption)
        return;
    const qreal oldTextWidth = m_textWidth;
    m_caption = caption;
    m_textWidth = QFontMetricsF(m_font).horizontalAdvance(m_caption);
    updateTip(m_width, oldTextWidth);
}

void ScoreBar::setCaptionNumber(qint64 value)
{
    if (m_captionIsNumber && value == m_captionNumber)
        return;
    setCaption(numberText(value));
    m_captionIsNumber = true;
    m_captionNumber = value;
}

void ScoreBar::setFillColour(const QColor &colour)
{
    if (colour == m_fill)
        return;
    m_fill = colour;
    update();
}

qreal ScoreBar::textRight(float width) const
{
    return qreal(width) - Text_Padding;
}

// Repaints only the strip between the old and the new tip and the caption
// at both places.
void ScoreBar::updateTip(float oldWidth, qreal oldTextWidth)
{
    const qreal textWidth = std::max(oldTextWidth, m_textWidth);
    const qreal left = std::min(textRight(oldWidth), textRight(m_width)) - textWidth - 2.0;
    const qreal right = std::max(oldWidth, m_width) + 2.0;
    const int x0 = std::max(0, int(std::floor(left)));
    const int x1 = std::min(QWidget::width(), int(std::ceil(right)));
    if (x1 > x0)
        update(QRect(x0, 0, x1 - x0, height()));
}

void ScoreBar::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect dirty = event->rect();
    const int whole = int(m_width);
    painter.fillRect(QRect(0, 0, whole, height()).intersected(dirty), m_fill);
    // The last, partly covered pixel column shows the fraction of the length.
    const float fraction = m_width - float(whole);
    if (fraction > 0.0f && whole < QWidget::width())
        painter.fillRect(QRect(whole, 0, 1, height()), blend(m_fill, m_background, fraction));

    const qreal right = textRight(m_width);
    // A caption that does not fit whole is left out: a bar too short for
    // "20" would otherwise read "0".
    if (m_caption.isEmpty() || right - m_textWidth < 0.0)
        return;
    if (right - m_textWidth > dirty.right() + 1 || right < dirty.left())
        return;
    painter.setFont(m_font);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(right - m_textWidth - 1.0, 0.0, m_textWidth + 1.0, height()),
                     Qt::AlignRight | Qt::AlignVCenter | Qt::TextDontClip, m_caption);
}
