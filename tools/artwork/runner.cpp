#include "artwork.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>

namespace artwork {

namespace {

const QColor coat(228, 174, 80);
const QColor coatFar(198, 142, 58);
const QColor belly(250, 234, 190);
const QColor ink(72, 46, 20);
const QColor spot(40, 26, 16);

constexpr qreal ground = 46.5;

// One stride is a full turn of `phase`, starting stretched out in the air:
// front paws reaching forward, hind paws stretched back. Half a turn later
// the cat is gathered, all four paws under the arched body.
struct Leg
{
    QPointF top;
    QPolygonF joints;
};

QPointF along(QPointF from, qreal angle, qreal length)
{
    // Angle 0 points straight down; positive angles point forward (right).
    return from + QPointF(length * std::sin(angle), length * std::cos(angle));
}

QPolygonF frontLeg(QPointF shoulder, qreal phase)
{
    const qreal swing = 0.85 * std::cos(phase);
    // The paw folds back while the leg swings forward through the air.
    const qreal fold = 1.3 * std::max(0.0, -std::sin(phase));
    const QPointF elbow = along(shoulder, swing - 0.25, 12);
    const QPointF wrist = along(elbow, swing + 0.1 - fold, 12);
    const QPointF paw = along(wrist, swing + 0.9 - fold * 1.6, 4);
    return {shoulder, elbow, wrist, paw};
}

QPolygonF hindLeg(QPointF hip, qreal phase)
{
    const qreal swing = -0.8 * std::cos(phase);
    const qreal fold = 0.9 * std::max(0.0, std::sin(phase));
    const QPointF knee = along(hip, swing + 0.55 + fold * 0.4, 11.5);
    const QPointF hock = along(knee, swing - 0.65 - fold * 0.5, 11);
    const QPointF foot = along(hock, swing + 0.15 - fold * 0.2, 8);
    const QPointF toe = along(foot, swing + 1.3, 3);
    return {hip, knee, hock, foot, toe};
}

void drawLeg(QPainter &p, const QPolygonF &joints, bool hind, bool far)
{
    // Each segment a little thinner than the one above it, down to the paw.
    const qreal top = hind ? 4.4 : 3.6;
    auto widthOf = [&](int segment) { return top * (1 - 0.17 * segment); };
    const QColor fill = far ? coatFar : coat;
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i + 1 < joints.size(); ++i) {
            const qreal w = widthOf(i) + (pass == 0 ? 2.0 : 0.0);
            p.setPen(QPen(pass == 0 ? ink : fill, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawLine(joints[i], joints[i + 1]);
        }
    }
    // The thigh or upper arm, broad where it joins the body and drawn without
    // an outline so the leg grows out of the body.
    const QPointF mid = joints[0] + (joints[1] - joints[0]) * 0.4;
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawEllipse(mid + QPointF(0, -1.5), hind ? 6.2 : 4.6, hind ? 6.8 : 5.4);
    if (!far) {
        p.setBrush(spot);
        p.drawEllipse(mid + QPointF(-1.8, -2.5), 0.9, 0.8);
        p.drawEllipse(mid + QPointF(1.6, 0.6), 0.9, 0.8);
        p.drawEllipse(mid + QPointF(-0.6, 3.0), 0.8, 0.7);
    }
}

QPainterPath torsoPath(QPointF h, QPointF s, qreal arch)
{
    const QPointF mid = (h + s) / 2 + QPointF(0, -arch);
    QPainterPath torso;
    torso.moveTo(h + QPointF(-8, 0));
    torso.cubicTo(h + QPointF(-9, -6), h + QPointF(-4, -8.5), h + QPointF(2, -8.5));
    torso.cubicTo(mid + QPointF(-10, -8.5), mid + QPointF(8, -9), s + QPointF(-2, -9.5));
    torso.cubicTo(s + QPointF(4, -10), s + QPointF(9, -6), s + QPointF(9, 0));
    torso.cubicTo(s + QPointF(9, 6), s + QPointF(5, 9.5), s + QPointF(-3, 9.5));
    // The chest is deep, the waist tucked up high towards the hips.
    torso.cubicTo(mid + QPointF(8, 8), mid + QPointF(-4, 3), h + QPointF(9, 3));
    torso.cubicTo(h + QPointF(5, 6.5), h + QPointF(-5, 6.5), h + QPointF(-8, 0));
    torso.closeSubpath();
    return torso;
}

void drawTail(QPainter &p, QPointF hip, qreal phase)
{
    const QPointF root = hip + QPointF(-7, -5);
    const qreal sway = 2.5 * std::sin(phase + 1.0);
    QPainterPath tail;
    tail.moveTo(root);
    tail.cubicTo(root + QPointF(-9, 1), root + QPointF(-18, 8 + sway),
                 root + QPointF(-28, 4 + sway));
    tail.quadTo(root + QPointF(-33, 1 + sway), root + QPointF(-34, -3 + sway * 1.3));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tail);
    p.setPen(QPen(coat, 2.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tail);
    // Spots along the tail closing into dark rings towards the tip.
    p.setPen(Qt::NoPen);
    p.setBrush(spot);
    for (qreal t : {0.15, 0.3, 0.45})
        p.drawEllipse(tail.pointAtPercent(t) + QPointF(0, -0.4), 0.9, 0.8);
    p.setPen(QPen(spot, 3.2, Qt::SolidLine, Qt::FlatCap));
    for (qreal t : {0.62, 0.76, 0.88})
        p.drawLine(tail.pointAtPercent(t), tail.pointAtPercent(t + 0.035));
    p.setPen(QPen(spot, 3.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPoint(tail.pointAtPercent(1.0));
}

void drawHead(QPainter &p, QPointF shoulder, qreal dip)
{
    const QPointF head = shoulder + QPointF(19, -5 + dip);

    // The neck is filled over the shoulder without an outline of its own
    // there, so it runs on from the body; only its crest and throat are drawn.
    QPainterPath crest;
    crest.moveTo(shoulder + QPointF(-1, -9.5));
    crest.quadTo(head + QPointF(-8, -6), head + QPointF(-2, -5.5));
    QPainterPath throat;
    throat.moveTo(head + QPointF(1, 4));
    throat.quadTo(shoulder + QPointF(11, 4), shoulder + QPointF(7, 7));
    QPainterPath neck = crest;
    neck.connectPath(throat);
    neck.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(coat);
    p.drawPath(neck);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(crest);
    p.drawPath(throat);
    // A small round ear set low at the back of the skull.
    p.setBrush(coatFar);
    p.drawEllipse(head + QPointF(-3.2, -5.6), 2.3, 2.1);
    p.setPen(Qt::NoPen);
    p.setBrush(spot);
    p.drawEllipse(head + QPointF(-3.2, -5.8), 1.1, 1.0);

    // The skull and a short muzzle: a cheetah's head is small and round.
    QPainterPath skull;
    skull.addEllipse(head, 6.6, 5.8);
    QPainterPath muzzle;
    muzzle.addEllipse(head + QPointF(5.5, 1.8), 4.2, 3.3);
    const QPainterPath face = skull.united(muzzle);
    p.setPen(QPen(ink, 1.2));
    p.setBrush(coat);
    p.drawPath(face);
    p.save();
    p.setClipPath(face);
    p.setPen(Qt::NoPen);
    p.setBrush(belly);
    p.drawEllipse(head + QPointF(6.4, 3.8), 4.2, 2.3);
    p.restore();

    // Eye, nose and the dark tear line running from eye to mouth.
    p.setPen(Qt::NoPen);
    p.setBrush(spot);
    p.drawEllipse(head + QPointF(2.4, -1.8), 1.25, 1.15);
    p.drawEllipse(head + QPointF(9.4, 0.6), 1.2, 0.95);
    p.setBrush(Qt::white);
    p.drawEllipse(head + QPointF(2.8, -2.2), 0.4, 0.4);
    p.setPen(QPen(spot, 1.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(head + QPointF(2.1, -0.9), head + QPointF(4.8, 4.2));
    p.setPen(Qt::NoPen);
    p.setBrush(spot);
    p.drawEllipse(head + QPointF(-2.5, -2.5), 0.8, 0.7);
    p.drawEllipse(head + QPointF(-1.0, 1.5), 0.8, 0.7);
}

void drawSpots(QPainter &p, QPointF h, QPointF s, qreal arch, const QPainterPath &torso)
{
    // Spots sit at fixed places along the body and follow its stretch.
    static constexpr std::array<std::array<qreal, 2>, 34> places{{
        {-0.10, -0.45}, {-0.05, 0.10}, {0.02, -0.75}, {0.06, -0.20}, {0.10, 0.35},
        {0.14, -0.55}, {0.19, -0.05}, {0.22, -0.85}, {0.26, 0.30}, {0.29, -0.40},
        {0.34, -0.80}, {0.37, 0.05}, {0.41, -0.50}, {0.45, 0.35}, {0.48, -0.15},
        {0.52, -0.82}, {0.56, -0.40}, {0.59, 0.15}, {0.63, -0.70}, {0.67, -0.10},
        {0.70, 0.45}, {0.73, -0.55}, {0.77, -0.95}, {0.80, 0.05}, {0.84, -0.45},
        {0.88, 0.40}, {0.91, -0.80}, {0.94, -0.15}, {0.99, 0.30}, {1.02, -0.55},
        {1.08, -0.05}, {0.32, 0.55}, {0.00, 0.55}, {0.62, 0.55},
    }};
    p.save();
    p.setClipPath(torso);
    p.setPen(Qt::NoPen);
    p.setBrush(spot);
    for (const auto &[u, v] : places) {
        const qreal rise = arch * (1 - 4 * (u - 0.5) * (u - 0.5));
        const QPointF at = h + (s - h) * u + QPointF(0, v * 8.5 - 1 - rise);
        p.drawEllipse(at, 1.2, 1.0);
    }
    p.restore();
}

void drawCat(QPainter &p, qreal phase)
{
    const qreal stretch = std::cos(phase); // 1 stretched out, -1 gathered
    QPointF hip(51 - 4 * stretch, 17);
    QPointF shoulder(91 + 3 * stretch, 16);
    const qreal arch = 2.2 - 2.2 * stretch;

    // Stand the cat on the ground: the lowest paw touches it, except in the
    // two flying phases where every paw is a little off the ground.
    const QPolygonF legs[] = {hindLeg(hip + QPointF(2, 0), phase - 0.5), frontLeg(shoulder + QPointF(-2, 0), phase - 0.5),
                              hindLeg(hip, phase), frontLeg(shoulder, phase)};
    qreal lowest = 0;
    for (const QPolygonF &leg : legs)
        for (const QPointF &joint : leg)
            lowest = std::max(lowest, joint.y());
    const bool flying = std::abs(stretch) > 0.9;
    // Never so high that the back or the ears leave the frame.
    const qreal lift = std::max(ground - 2.4 - lowest - (flying ? 2.0 : 0.0), 16.5 - shoulder.y());

    p.save();
    p.translate(0, lift);
    // A soft shadow under the body.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 120, 40, 90));
    p.drawEllipse(QPointF((hip.x() + shoulder.x()) / 2 + 4, ground - lift - 0.5), 30, 1.8);

    drawLeg(p, legs[0], true, true);
    drawLeg(p, legs[1], false, true);
    drawTail(p, hip, phase);

    const QPainterPath torso = torsoPath(hip, shoulder, arch);
    p.setPen(QPen(ink, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(coat);
    p.drawPath(torso);
    p.save();
    p.setClipPath(torso);
    p.setPen(QPen(belly, 4.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(hip + QPointF(12, 6.5), shoulder + QPointF(-4, 10.5));
    p.restore();
    drawSpots(p, hip, shoulder, arch, torso);
    p.setPen(QPen(ink, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(torso);

    drawHead(p, shoulder, 1.2 * std::sin(phase));
    drawLeg(p, legs[2], true, false);
    drawLeg(p, legs[3], false, false);
    p.restore();
}

} // namespace

void drawRunnerStrip(QPainter &p)
{
    const int w = runnerFrameSize.width();
    const int h = runnerFrameSize.height();
    for (int k = 0; k < runnerFrameCount; ++k) {
        const QRectF frame(0, k * h, w, h);
        p.save();
        p.fillRect(frame, windowGreen);
        // Nothing may spill into the next frame or onto the frame's rim.
        p.setClipRect(frame.adjusted(1, 1, -1, -1));
        p.translate(frame.topLeft());
        drawCat(p, 2 * M_PI * k / runnerFrameCount);
        p.restore();
    }
}

} // namespace artwork
