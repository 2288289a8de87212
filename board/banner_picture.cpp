#include "banner_picture.h"

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
    // A board larger than its design takes the sharper pictures for the
    // banner, 6 MiB of them, and only while it paints it: the banner is
    // painted again only when the window is resized or shown again.
    if (m_scale > 1.0) {
        BannerArtwork(ratio * m_scale).paint(painter, size(), ratio, m_scale);
        return;
    }
    // The board may have moved to a screen of another density.
    if (!qFuzzyCompare(m_artwork.pictureRatio(), BannerArtwork::pictureRatioFor(ratio)))
        m_artwork = BannerArtwork(ratio);
    m_artwork.paint(painter, size(), ratio);
}
