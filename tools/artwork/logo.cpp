#include "artwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace artwork {

void drawLogo(QPainter &p)
{
    const QPointF centre(logoSize.width() / 2.0, logoSize.height() / 2.0);
    const qreal outer = 27.5;

    // Gold rim.
    QLinearGradient gold(0, 0, logoSize.width(), logoSize.height());
    gold.setColorAt(0, QColor(255, 236, 140));
    gold.setColorAt(0.5, QColor(224, 168, 30));
    gold.setColorAt(1, QColor(160, 105, 10));
    p.setPen(QPen(QColor(110, 70, 0), 1));
    p.setBrush(gold);
    p.drawEllipse(centre, outer, outer);

    // Deep blue disc with a soft light in the upper left.
    QRadialGradient blue(centre + QPointF(-8, -9), 30);
    blue.setColorAt(0, QColor(70, 130, 230));
    blue.setColorAt(1, QColor(14, 42, 120));
    p.setPen(QPen(QColor(110, 70, 0), 0.8));
    p.setBrush(blue);
    p.drawEllipse(centre, 22, 22);

    // Eight stars around the rim, one for each team.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255));
    for (int k = 0; k < 8; ++k) {
        const qreal a = -M_PI / 2 + k * M_PI / 4 + M_PI / 8;
        const QPointF at = centre + QPointF(24.8 * std::cos(a), 24.8 * std::sin(a));
        QPolygonF star;
        for (int i = 0; i < 10; ++i) {
            const qreal r = (i % 2) ? 0.9 : 2.1;
            const qreal b = -M_PI / 2 + i * M_PI / 5;
            star << at + QPointF(r * std::cos(b), r * std::sin(b));
        }
        p.drawPolygon(star);
    }

    // A bold slanted Z, like a lightning stroke.
    QPainterPath z;
    z.moveTo(centre + QPointF(-11, -12));
    z.lineTo(centre + QPointF(12, -12));
    z.lineTo(centre + QPointF(12, -7));
    z.lineTo(centre + QPointF(-3, 7));
    z.lineTo(centre + QPointF(12, 7));
    z.lineTo(centre + QPointF(10, 13));
    z.lineTo(centre + QPointF(-13, 13));
    z.lineTo(centre + QPointF(-13, 8));
    z.lineTo(centre + QPointF(2, -6));
    z.lineTo(centre + QPointF(-12, -6));
    z.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 40, 120));
    p.drawPath(z.translated(1.2, 1.4));
    QLinearGradient yellow(0, centre.y() - 12, 0, centre.y() + 13);
    yellow.setColorAt(0, QColor(255, 250, 170));
    yellow.setColorAt(1, QColor(255, 196, 0));
    p.setPen(QPen(QColor(120, 70, 0), 0.9, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(yellow);
    p.drawPath(z);
}

} // namespace artwork
