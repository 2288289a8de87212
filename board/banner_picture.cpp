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
    // The board may have moved to a screen of another density or grown: the
    // pictures are taken for the device pixels they cover.
    if (!qFuzzyCompare(m_artwork.pictureRatio(), BannerArtwork::pictureRatioFor(ratio * m_scale)))
        m_artwork = BannerArtwork(ratio * m_scale);
    QPainter painter(this);
    m_artwork.paint(painter, size(), ratio, m_scale);
}
