#include "text_fitting.h"

#include <QFontMetricsF>

#include <cmath>

namespace TextFitting {

namespace {

qreal advance(const QFont &font, const QString &text)
{
    return QFontMetricsF(font).horizontalAdvance(text);
}

QFont scaled(const QFont &font, qreal scale)
{
    QFont smaller = font;
    if (font.pixelSize() > 0)
        smaller.setPixelSize(std::max(1, int(std::floor(font.pixelSize() * scale))));
    else
        smaller.setPointSizeF(font.pointSizeF() * scale);
    return smaller;
}

} // namespace

FittedText fit(const QString &text, const QFont &font, int width, qreal minimumScale)
{
    const qreal natural = advance(font, text);
    if (natural <= width || text.isEmpty())
        return {text, font};
    // The width of a text grows with its font size, nearly in proportion:
    // start at the exact ratio and step down where rounding leaves it wide.
    qreal scale = std::max(minimumScale, width / natural);
    QFont shrunk = scaled(font, scale);
    while (advance(shrunk, text) > width && scale > minimumScale) {
        scale = std::max(minimumScale, scale - 0.02);
        shrunk = scaled(font, scale);
    }
    if (advance(shrunk, text) <= width)
        return {text, shrunk};
    return {QFontMetricsF(shrunk).elidedText(text, Qt::ElideRight, width), shrunk};
}

QString elideKeepingSuffix(const QString &text, const QString &suffix, const QFont &font, int width)
{
    const QFontMetricsF metrics(font);
    const qreal room = width - metrics.horizontalAdvance(suffix);
    if (metrics.horizontalAdvance(text) <= room)
        return text + suffix;
    return metrics.elidedText(text, Qt::ElideRight, std::max<qreal>(0, room)) + suffix;
}

} // namespace TextFitting
