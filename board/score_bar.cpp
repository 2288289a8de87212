#include "score_bar.h"

#include "board_colours.h"
#include "board_layout.h"
#include "conversions.h"
#include "fonts.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace {

constexpr qreal TextPadding = 4.0;
// The numbers' pixel size.
constexpr int NumberPixels = 43;

QRect pixelsCovering(const QRectF &area)
{
    const auto clamp = [](double v) { return int(std::clamp(v, -1e7, 1e7)); };
    return QRect(QPoint(clamp(std::floor(area.left())), clamp(std::floor(area.top()))),
                 QPoint(clamp(std::ceil(area.right())), clamp(std::ceil(area.bottom()))));
}

} // namespace

ScoreBar::ScoreBar(QWidget *parent)
    : QWidget(parent)
    , m_fill(Qt::white)
    , m_background(BoardColours::WindowGreen)
    , m_font(numberFont())
{
    m_captionLayout.setFont(m_font);
    m_captionLayout.setCacheEnabled(true);
    m_captionLeading = std::ceil(QFontMetricsF(m_font).leading());
    // The bar paints every pixel itself, and a change repaints only the
    // strip at the tip and the number's old and new places.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_StaticContents);
    setFocusPolicy(Qt::NoFocus);
}

QFont ScoreBar::numberFont()
{
    return hyGothicFont(NumberPixels);
}

void ScoreBar::setScale(double factor)
{
    if (factor == m_scale)
        return;
    m_scale = factor;
    m_font = hyGothicFont(int(std::lround(NumberPixels * factor)));
    m_captionLayout.setFont(m_font);
    m_captionLeading = std::ceil(QFontMetricsF(m_font).leading());
    // The caption is shaped again in the new font.
    const QString caption = m_caption;
    const bool isNumber = m_captionIsNumber;
    const qint64 number = m_captionNumber;
    m_caption.clear();
    setCaption(caption);
    m_captionIsNumber = isNumber;
    m_captionNumber = number;
    update();
}

void ScoreBar::warmUpNumberGlyphs(double factor)
{
    const QFont font = factor == 1.0 ? numberFont() : hyGothicFont(int(std::lround(NumberPixels * factor)));
    const QSize room = QSize(600, 60) * factor;
    QImage scratch(room, QImage::Format_ARGB32_Premultiplied);
    scratch.fill(Qt::transparent);
    QPainter painter(&scratch);
    painter.setFont(font);
    painter.drawText(QPointF(0, 50 * factor), QStringLiteral("-0123456789"));
}

bool ScoreBar::setBarWidth(float width)
{
    if (!(width >= 0.0f))
        return false;
    if (width == m_width)
        return true;
    const float old = m_width;
    const QRectF oldCaption = captionRect();
    m_width = width;
    updateChange(old, oldCaption);
    return true;
}

void ScoreBar::setCaption(const QString &caption)
{
    m_captionIsNumber = false;
    if (caption == m_caption)
        return;
    const QRectF oldCaption = captionRect();
    m_caption = caption;
    m_captionLayout.setText(m_caption);
    m_captionLayout.beginLayout();
    QTextLine line = m_captionLayout.createLine();
    m_captionLayout.endLayout();
    m_textWidth = line.isValid() ? line.naturalTextWidth() : 0.0;
    updateChange(m_width, oldCaption);
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
    update(pixelsCovering(QRectF(0, 0, qreal(m_width) + 1.0, height())));
}

QRectF ScoreBar::captionRect() const
{
    return captionRectFor(m_width, m_textWidth);
}

QRectF ScoreBar::captionRectFor(float width, qreal textWidth) const
{
    const qreal inBarRight = qreal(width) - TextPadding * m_scale;
    if (inBarRight - textWidth >= 0.0)
        return QRectF(inBarRight - textWidth, 0.0, textWidth, height());
    const qreal figureWidth = std::lround(BoardLayout::FigureWidth * m_scale);
    return QRectF(qreal(width) + figureWidth + NumberGap * m_scale, 0.0, textWidth, height());
}

// Repaints the strip between the old and the new tip and the number at its
// old and new places.
void ScoreBar::updateChange(float oldWidth, const QRectF &oldCaption)
{
    const qreal left = std::min(oldWidth, m_width) - 1.0;
    const qreal right = std::max(oldWidth, m_width) + 1.0;
    QRegion dirty(pixelsCovering(QRectF(left, 0.0, right - left, height())));
    // Anti-aliased lettering reaches a pixel or two beyond its advance.
    dirty += pixelsCovering(oldCaption.adjusted(-3, 0, 3, 0));
    dirty += pixelsCovering(captionRect().adjusted(-3, 0, 3, 0));
    // The running figure standing in front of the tip draws its own box;
    // what its moves uncover, Qt asks the bar for by itself.
    if (m_figure && m_figure->isVisible()) {
        if (m_figure->parentWidget() == this)
            dirty -= m_figure->geometry();
        else if (m_figure->parentWidget() == parentWidget())
            dirty -= m_figure->geometry().translated(-pos());
    }
    update(dirty.intersected(rect()));
}

void ScoreBar::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect dirty = event->rect();
    const int whole = int(std::min(m_width, float(width())));
    painter.fillRect(QRect(0, 0, whole, height()).intersected(dirty), m_fill);
    painter.fillRect(QRect(whole, 0, width() - whole, height()).intersected(dirty), m_background);
    // The last, partly covered pixel column shows the fraction of the length.
    const float fraction = m_width - float(whole);
    if (fraction > 0.0f && fraction < 1.0f && whole < width())
        painter.fillRect(QRect(whole, 0, 1, height()), BoardColours::blend(m_fill, m_background, fraction));

    const QRectF caption = captionRect();
    if (m_caption.isEmpty() || !caption.intersects(QRectF(dirty.adjusted(-3, 0, 3, 0))))
        return;
    drawCaption(painter, caption);
}

// Where QPainter::drawText(place, Qt::AlignRight | Qt::AlignVCenter) would
// put the lettering (the line below the font's leading, rounded up to a
// pixel, the two centred together), from the layout shaped when the caption
// changed.
void ScoreBar::drawCaption(QPainter &painter, const QRectF &place) const
{
    if (m_captionLayout.lineCount() == 0)
        return;
    const QTextLine line = m_captionLayout.lineAt(0);
    const qreal height = m_captionLeading + line.ascent() + line.descent();
    painter.setPen(Qt::black);
    m_captionLayout.draw(&painter, QPointF(place.right() + 1.0 - m_textWidth,
                                           place.top() + (place.height() - height) / 2.0 + m_captionLeading));
}
