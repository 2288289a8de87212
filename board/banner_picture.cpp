#include "banner_picture.h"

#include <QPaintEvent>
#include <QPainter>

BannerPicture::BannerPicture(QWidget *parent)
    : QWidget(parent)
    , m_artwork(devicePixelRatioF())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void BannerPicture::paintEvent(QPaintEvent *event)
{
    const qreal ratio = devicePixelRatioF();
    if (m_drawn.isNull() || m_drawnSize != size() || !qFuzzyCompare(m_drawnRatio, ratio)) {
        // The board may have moved to a screen of another density.
        if (!qFuzzyCompare(m_artwork.pictureRatio(), BannerArtwork::pictureRatioFor(ratio)))
            m_artwork = BannerArtwork(ratio);
        m_drawn = QPixmap::fromImage(m_artwork.draw(size(), ratio));
        m_drawnSize = size();
        m_drawnRatio = ratio;
    }
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.drawPixmap(QRectF(dirty), m_drawn,
                       QRectF(QPointF(dirty.topLeft()) * ratio, QSizeF(dirty.size()) * ratio));
}
