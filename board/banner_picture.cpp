#include "banner_picture.h"

#include <QPainter>
#include <QPaintEvent>

BannerPicture::BannerPicture(const QPixmap &picture, QWidget *parent)
    : QWidget(parent)
    , m_picture(picture)
{
    // Without a picture the window's green shows through.
    if (!m_picture.isNull())
        setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void BannerPicture::paintEvent(QPaintEvent *event)
{
    if (m_picture.isNull())
        return;
    const qreal ratio = devicePixelRatioF();
    const QSize target = (QSizeF(size()) * ratio).toSize();
    if (m_scaled.size() != target || !qFuzzyCompare(m_scaled.devicePixelRatio(), ratio)) {
        m_scaled = m_picture.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_scaled.setDevicePixelRatio(ratio);
    }
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.drawPixmap(QRectF(dirty), m_scaled,
                       QRectF(QPointF(dirty.topLeft()) * ratio, QSizeF(dirty.size()) * ratio));
}
