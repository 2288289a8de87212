#include "banner_picture.h"

#include "freed_memory.h"

#include <QPainter>

BannerPicture::BannerPicture(QWidget *parent)
    : QWidget(parent)
    , m_artwork(devicePixelRatioF())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void BannerPicture::setScale(double factor)
{
    if (factor == m_scale)
        return;
    m_scale = factor;
    update();
}

void BannerPicture::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    QPainter painter(this);
    // A board larger than its design reads the sharper pictures for the
    // banner, 6 to 14 MiB of them, only while it paints it: the banner is
    // painted again only when the window is resized or shown again.
    if (m_scale > 1.0) {
        BannerArtwork::paintScaled(painter, size(), ratio, m_scale);
        returnFreedMemory();
        return;
    }
    // The board may have moved to a screen of another density.
    if (!qFuzzyCompare(m_artwork.pictureRatio(), BannerArtwork::pictureRatioFor(ratio)))
        m_artwork = BannerArtwork(ratio);
    m_artwork.paint(painter, size(), ratio);
}
