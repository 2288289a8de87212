#pragma once

#include "artwork_resources.h"

#include <QImage>
#include <QPixmap>
#include <QSize>

#include <array>

class QPainter;

// The banner drawn for any width from its layers: the band of sky, strip and
// grass repeats across the whole width, and the groups of figures and
// lettering keep their own size, the left group at the left edge, the middle
// one centred and the right one at the right edge. A banner narrower than
// its design frame shows the frame scaled down as a whole, on the window
// green, so nothing in it is ever stretched.
class BannerArtwork
{
public:
    // The pictures for a screen of this device pixel ratio: the @2x ones
    // above ratio 1, the @3x ones above 2.
    explicit BannerArtwork(qreal devicePixelRatio = 1.0);

    // The ratio of the pictures taken for a screen of `devicePixelRatio`.
    static qreal pictureRatioFor(qreal devicePixelRatio)
    {
        return devicePixelRatio > 2.0 ? 3.0 : devicePixelRatio > 1.0 ? 2.0 : 1.0;
    }
    qreal pictureRatio() const { return m_pictureRatio; }
    bool isNull() const { return m_band.isNull(); }

    // Paints the banner for a widget of `size` logical pixels on a screen of
    // `ratio` over the whole of that size, from the painter's origin. On a
    // board drawn `scale` times its design size (BoardScale), the frame is
    // drawn that much larger, as paintScaled does.
    void paint(QPainter &painter, QSize size, qreal ratio, qreal scale = 1.0) const;
    // The banner drawn `scale` (above 1) times its design size, each picture
    // read for the device pixels it covers, drawn at its size on whole
    // pixels and let go: no artwork needs to be kept for it.
    static void paintScaled(QPainter &painter, QSize size, qreal ratio, qreal scale);

    // The banner as paint() draws it: opaque, size x ratio device pixels,
    // marked with that ratio.
    QImage draw(QSize size, qreal ratio) const;

private:
    void paintFrame(QPainter &painter, int frameWidth) const;
    static void paintScaledFrame(QPainter &painter, int width, qreal scale, qreal pictureRatio);

    qreal m_pictureRatio;
    QPixmap m_band;
    std::array<QPixmap, Artwork::bannerGroups.size()> m_groups;
};
