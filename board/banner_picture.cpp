#include "banner_picture.h"

#include <QPainter>

BannerPicture::BannerPicture(QWidget *parent)
    : QWidget(parent)
    , m_artwork(devicePixelRatioF())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void BannerPicture::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    // The board may have moved to a screen of another density.
    if (!qFuzzyCompare(m_artwork.pictureRatio(), BannerArtwork::pictureRatioFor(ratio)))
        m_artwork = BannerArtwork(ratio);
    QPainter painter(this);
    m_artwork.paint(painter, size(), ratio);
}
