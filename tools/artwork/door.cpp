#include "artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace artwork {

void drawDoor(QPainter &p)
{
    const QRectF face(0, 0, doorSize.width(), doorSize.height());
    QLinearGradient light(0, 0, 0, face.height());
    light.setColorAt(0, QColor(250, 250, 246));
    light.setColorAt(1, QColor(226, 228, 222));
    p.fillRect(face, light);

    const QColor ink(50, 40, 35);
    // The doorway, dark inside, in its frame.
    const QRectF doorway(14, 4, 15, 28);
    p.setPen(QPen(ink, 1.2));
    p.setBrush(QColor(60, 62, 78));
    p.drawRect(doorway);
    // Daylight falls in across the floor from outside.
    QLinearGradient daylight(0, doorway.top(), 0, doorway.bottom());
    daylight.setColorAt(0, QColor(40, 44, 60));
    daylight.setColorAt(1, QColor(110, 112, 130));
    p.setPen(Qt::NoPen);
    p.setBrush(daylight);
    p.drawRect(doorway.adjusted(0.6, 0.6, -0.6, -0.6));
    p.setPen(QPen(QColor(120, 90, 60), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(doorway.adjusted(-1, -1, 1, 0));
    p.setPen(QPen(ink, 1.2));
    p.drawLine(QPointF(8, 33), QPointF(44, 33));

    // The door leaf swung open towards us, hinged on the frame's left side.
    QPainterPath leaf;
    leaf.moveTo(13, 3);
    leaf.lineTo(4, 7);
    leaf.lineTo(4, 35);
    leaf.lineTo(13, 32);
    leaf.closeSubpath();
    QLinearGradient wood(4, 0, 13, 0);
    wood.setColorAt(0, QColor(214, 140, 60));
    wood.setColorAt(1, QColor(170, 100, 40));
    p.setPen(QPen(ink, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(wood);
    p.drawPath(leaf);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 220, 90));
    p.drawEllipse(QPointF(6.5, 20), 1.3, 1.3);

    // The arrow leads out of the doorway to the right.
    QPainterPath arrow;
    arrow.moveTo(19, 15);
    arrow.lineTo(35, 15);
    arrow.lineTo(35, 10);
    arrow.lineTo(47, 18.5);
    arrow.lineTo(35, 27);
    arrow.lineTo(35, 22);
    arrow.lineTo(19, 22);
    arrow.closeSubpath();
    QLinearGradient green(0, 10, 0, 27);
    green.setColorAt(0, QColor(90, 210, 90));
    green.setColorAt(1, QColor(20, 140, 50));
    p.setPen(QPen(QColor(10, 70, 25), 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(green);
    p.drawPath(arrow);
}

} // namespace artwork
