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

namespace {

// The height two lines of `font` take, one under the other.
qreal twoLinesHeight(const QFont &font)
{
    const QFontMetricsF metrics(font);
    return 2 * metrics.height() + metrics.leading();
}

bool isBreakable(const QString &text, qsizetype at)
{
    return !text.at(at).isLowSurrogate();
}

// The best place to break `text` in two lines no wider than `width`: at a
// space where one serves, else between letters, the longer line as short as
// it can be. -1 when no break gives two lines that fit.
qsizetype breakInTwo(const QString &text, const QFont &font, qreal width)
{
    const QFontMetricsF metrics(font);
    qsizetype best = -1;
    bool bestAtSpace = false;
    qreal bestLonger = 0;
    for (qsizetype at = 1; at < text.size(); ++at) {
        if (!isBreakable(text, at))
            continue;
        const QString first = text.left(at).trimmed();
        const QString second = text.mid(at).trimmed();
        if (first.isEmpty() || second.isEmpty())
            continue;
        const qreal longer = std::max(metrics.horizontalAdvance(first), metrics.horizontalAdvance(second));
        if (longer > width)
            continue;
        const bool atSpace = text.at(at - 1).isSpace() || text.at(at).isSpace();
        if (best < 0 || (atSpace && !bestAtSpace) || (atSpace == bestAtSpace && longer < bestLonger)) {
            best = at;
            bestAtSpace = atSpace;
            bestLonger = longer;
        }
    }
    return best;
}

QString twoLines(const QString &text, qsizetype at)
{
    return text.left(at).trimmed() + u'\n' + text.mid(at).trimmed();
}

// The first line as long as fits `width`, broken at its last space where
// there is one; the rest cut with "…" on the second line.
QString cutInTwoLines(const QString &text, const QFont &font, qreal width)
{
    const QFontMetricsF metrics(font);
    qsizetype fits = 0;
    qsizetype space = -1;
    for (qsizetype at = 1; at <= text.size(); ++at) {
        if (at < text.size() && !isBreakable(text, at))
            continue;
        if (metrics.horizontalAdvance(text.left(at).trimmed()) > width)
            break;
        fits = at;
        if (at < text.size() && text.at(at).isSpace())
            space = at;
    }
    const qsizetype at = space > 0 ? space : fits;
    if (at <= 0)
        return metrics.elidedText(text, Qt::ElideRight, width);
    return text.left(at).trimmed() + u'\n'
           + metrics.elidedText(text.mid(at).trimmed(), Qt::ElideRight, width);
}

} // namespace

FittedText fitInTwoLines(const QString &text, const QFont &font, QSize box, qreal minimumScale)
{
    const FittedText oneLine = fit(text, font, box.width(), minimumScale);
    const bool oneLineWhole = oneLine.text == text;
    if (oneLineWhole && oneLine.font == font)
        return oneLine;
    // The largest font at which the name stands whole on two lines.
    QFont smallest = scaled(font, minimumScale);
    for (QFont candidate = font;;) {
        if (oneLineWhole && candidate.pixelSize() <= oneLine.font.pixelSize()
            && candidate.pointSizeF() <= oneLine.font.pointSizeF())
            return oneLine;
        if (twoLinesHeight(candidate) <= box.height()) {
            const qsizetype at = breakInTwo(text, candidate, box.width());
            if (at > 0)
                return {twoLines(text, at), candidate};
        }
        if (candidate.pixelSize() > 0 ? candidate.pixelSize() <= smallest.pixelSize()
                                      : candidate.pointSizeF() <= smallest.pointSizeF())
            break;
        candidate = candidate.pixelSize() > 0
                        ? [&] { QFont f = candidate; f.setPixelSize(candidate.pixelSize() - 1); return f; }()
                        : [&] { QFont f = candidate; f.setPointSizeF(candidate.pointSizeF() - 0.5); return f; }();
    }
    if (oneLineWhole)
        return oneLine;
    if (twoLinesHeight(smallest) > box.height())
        return oneLine;
    // At the floor the letters grow narrower, not smaller, before the name
    // is cut: a long name is read whole in a narrow button.
    for (int stretch = 100 - StretchStep; stretch >= MinimumStretch; stretch -= StretchStep) {
        QFont narrower = smallest;
        narrower.setStretch(stretch);
        const qsizetype at = breakInTwo(text, narrower, box.width());
        if (at > 0)
            return {twoLines(text, at), narrower};
    }
    return {cutInTwoLines(text, smallest, box.width()), smallest};
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
