#include "banner_artwork.h"

#include "board_colours.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

QSize devicePixels(QSize size, qreal ratio)
{
    return QSize(int(std::ceil(size.width() * ratio)), int(std::ceil(size.height() * ratio)));
}

// Left edge of a group in a frame `frameWidth` logical pixels wide (at least
// the design width). Whole pixels, so the groups are copied, not resampled.
int groupLeft(const Artwork::BannerGroup &group, int frameWidth)
{
    const int widening = std::max(0, frameWidth - Artwork::bannerSize.width());
    switch (group.anchor) {
    case Artwork::BannerAnchor::Left:
        return group.designRect.left();
    case Artwork::BannerAnchor::Middle:
        return group.designRect.left() + widening / 2;
    case Artwork::BannerAnchor::Right:
        return group.designRect.left() + widening;
    }
    return group.designRect.left();
}

} // namespace

BannerArtwork::BannerArtwork(qreal devicePixelRatio)
    : m_pictureRatio(pictureRatioFor(devicePixelRatio))
    , m_band(Artwork::pixmap(Artwork::bannerBandPath, m_pictureRatio))
{
    for (std::size_t i = 0; i < m_groups.size(); ++i)
        m_groups[i] = Artwork::pixmap(Artwork::bannerGroups[i].path, m_pictureRatio);
}

void BannerArtwork::paintFrame(QPainter &painter, int frameWidth) const
{
    if (isNull())
        return;
    for (int x = 0; x < frameWidth; x += Artwork::bannerBandWidth)
        painter.drawPixmap(QPoint(x, 0), m_band);
    for (std::size_t i = 0; i < m_groups.size(); ++i) {
        const Artwork::BannerGroup &group = Artwork::bannerGroups[i];
        painter.drawPixmap(QPoint(groupLeft(group, frameWidth), group.designRect.top()),
                           m_groups[i]);
    }
}

// The frame `scale` times its design size across a banner `width` wide,
// from the pictures for `pictureRatio`, read one at a time and let go once
// drawn: three times as large, they would hold 14 MiB at once. The
// pictures' edges fall on whole pixels, so the band's repeats show no seams.
void BannerArtwork::paintScaledFrame(QPainter &painter, int width, qreal scale, qreal pictureRatio)
{
    const auto at = [scale](int design) { return int(std::lround(design * scale)); };
    const int frameWidth = int(std::ceil(width / scale));
    const int height = at(Artwork::bannerSize.height());
    {
        const QPixmap band = Artwork::pixmap(Artwork::bannerBandPath, pictureRatio);
        for (int x = 0; x < frameWidth; x += Artwork::bannerBandWidth)
            painter.drawPixmap(QRect(at(x), 0, at(x + Artwork::bannerBandWidth) - at(x), height), band);
    }
    for (const Artwork::BannerGroup &group : Artwork::bannerGroups) {
        const int left = groupLeft(group, frameWidth);
        const QRect design(QPoint(left, group.designRect.top()), group.designRect.size());
        painter.drawPixmap(QRect(QPoint(at(design.left()), at(design.top())),
                                 QPoint(at(design.right() + 1) - 1, at(design.bottom() + 1) - 1)),
                           Artwork::pixmap(group.path, pictureRatio));
    }
}

void BannerArtwork::paintScaled(QPainter &painter, QSize size, qreal ratio, qreal scale)
{
    painter.fillRect(QRect(QPoint(0, 0), size), BoardColours::WindowGreen);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    paintScaledFrame(painter, size.width(), scale, pictureRatioFor(ratio * scale));
    painter.restore();
}

void BannerArtwork::paint(QPainter &painter, QSize size, qreal ratio, qreal scale) const
{
    // The grass ends in the window green, which fills whatever the frame
    // leaves below it.
    if (scale > 1.0) {
        paintScaled(painter, size, ratio, scale);
        return;
    }
    painter.fillRect(QRect(QPoint(0, 0), size), BoardColours::WindowGreen);
    const int designWidth = Artwork::bannerSize.width();
    if (size.width() >= designWidth) {
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        paintFrame(painter, size.width());
        painter.restore();
        return;
    }

    QImage frame(devicePixels(Artwork::bannerSize, ratio), QImage::Format_ARGB32_Premultiplied);
    frame.setDevicePixelRatio(ratio);
    frame.fill(BoardColours::WindowGreen);
    QPainter framePainter(&frame);
    framePainter.setRenderHint(QPainter::SmoothPixmapTransform);
    paintFrame(framePainter, designWidth);
    framePainter.end();
    // Shrunk by averaging: a painter's sampling would break up the thin
    // outlines and the lettering.
    QImage shrunk = frame.scaledToWidth(devicePixels(size, ratio).width(), Qt::SmoothTransformation);
    shrunk.setDevicePixelRatio(ratio);
    painter.drawImage(QPoint(0, 0), shrunk);
}

QImage BannerArtwork::draw(QSize size, qreal ratio) const
{
    QImage banner(devicePixels(size, ratio), QImage::Format_ARGB32_Premultiplied);
    banner.setDevicePixelRatio(ratio);
    banner.fill(BoardColours::WindowGreen);
    QPainter painter(&banner);
    paint(painter, size, ratio);
    painter.end();
    return banner;
}
