#include "artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace artwork {

void drawButtonFace(QPainter &p, const QString &caption)
{
    const QRectF face(0, 0, buttonFaceSize.width(), buttonFaceSize.height());

    // Brushed grey metal: a bright band above the middle, darker below.
    QLinearGradient metal(0, 0, 0, face.height());
    metal.setColorAt(0.0, QColor(200, 203, 208));
    metal.setColorAt(0.42, QColor(150, 154, 160));
    metal.setColorAt(0.5, QColor(118, 122, 128));
    metal.setColorAt(1.0, QColor(84, 88, 94));
    p.fillRect(face, metal);
    for (int y = 3; y < face.height() - 3; ++y) {
        const int a = 10 + int(8 * std::sin(y * 2.3));
        p.fillRect(QRectF(3, y, face.width() - 6, 0.5), QColor(255, 255, 255, a));
    }

    // Bevel: light from the top left.
    p.setPen(Qt::NoPen);
    QPolygonF lit{face.topLeft(), face.topRight(), QPointF(face.right() - 3, 3), QPointF(3, 3),
                  QPointF(3, face.bottom() - 3), face.bottomLeft()};
    p.setBrush(QColor(235, 238, 242, 220));
    p.drawPolygon(lit);
    QPolygonF shade{face.bottomRight(), face.bottomLeft(), QPointF(3, face.bottom() - 3),
                    QPointF(face.right() - 3, face.bottom() - 3), QPointF(face.right() - 3, 3),
                    face.topRight()};
    p.setBrush(QColor(48, 50, 56, 230));
    p.drawPolygon(shade);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(30, 32, 36), 1));
    p.drawRect(face.adjusted(0.5, 0.5, -0.5, -0.5));

    // Yellow lettering with a dark rim so it reads on either half of the metal.
    const QFont font = hangulFont(caption.size() > 2 ? 18 : 20, QFont::ExtraBold);
    // Centred on its inked shape rather than on the font's line box, which
    // Hangul fills unevenly.
    QPainterPath text;
    text.addText(0, 0, font, caption);
    const QRectF ink = text.boundingRect();
    text.translate(face.center() - ink.center() - QPointF(0, 0.5));
    const qreal baseline = face.center().y() + ink.height() / 2;
    p.setPen(QPen(QColor(40, 28, 0), 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(text);
    QLinearGradient gold(0, baseline - 16, 0, baseline);
    gold.setColorAt(0, QColor(255, 250, 150));
    gold.setColorAt(0.5, QColor(255, 228, 40));
    gold.setColorAt(1, QColor(250, 190, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gold);
    p.drawPath(text);
}

} // namespace artwork
