#include "artwork.h"

#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>

namespace artwork {

namespace {

const QColor coat(226, 172, 78);
const QColor coatShade(196, 138, 52);
const QColor belly(248, 230, 182);
const QColor ink(70, 45, 20);
const QColor spot(45, 30, 20);

// One stride is a full turn of `phase`. Legs swing about their hip or
// shoulder; the hind pair runs half a turn behind the front pair, so the cat
// alternately gathers its paws under the body and stretches out flying.
struct Pose
{
    QPointF hip;
    QPointF shoulder;
    qreal arch;        // how far the back rises, in pixels
    qreal headDip;
};

Pose poseAt(qreal phase)
{
    const qreal stretch = std::sin(phase); // 1 stretched out, -1 gathered
    Pose pose;
    pose.hip = QPointF(44 - 4 * stretch, 25 + 1.2 * std::cos(phase));
    pose.shoulder = QPointF(93 + 3 * stretch, 24 - 1.0 * std::cos(phase));
    pose.arch = 2.5 - 2.5 * stretch;
    pose.headDip = 1.5 * std::cos(phase + 0.6);
    return pose;
}

QPointF along(QPointF from, qreal angle, qreal length)
{
    // angle 0 points straight down, positive angles swing the limb forward.
    return from + QPointF(length * std::sin(angle), length * std::cos(angle));
}

void drawLeg(QPainter &p, QPointF top, qreal swing, qreal bend, bool hind, bool far)
{
    const qreal upper = hind ? 13 : 11.5;
    const qreal lower = hind ? 12 : 12.5;
    const QPointF knee = along(top, swing + (hind ? 0.35 : -0.15), upper);
    // Front legs fold backwards at the wrist, hind legs at the hock.
    const QPointF foot = along(knee, swing + (hind ? -bend : -bend * 0.9), lower);
    const QPointF toe = foot + QPointF(3.5 * std::cos(swing * 0.5), 0.6);

    const QColor fill = far ? coatShade : coat;
    QPainterPath leg;
    leg.moveTo(top);
    leg.lineTo(knee);
    leg.lineTo(foot);
    leg.lineTo(toe);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, hind ? 7.6 : 6.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(leg);
    p.setPen(QPen(fill, hind ? 5.2 : 4.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(leg);
    // The upper thigh is broad where it joins the body.
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawEllipse(top + (knee - top) * 0.3, hind ? 6.5 : 5, hind ? 6.5 : 5);
}

QPainterPath torsoPath(const Pose &pose)
{
    const QPointF h = pose.hip, s = pose.shoulder;
    const qreal backY = (h.y() + s.y()) / 2 - 9 - pose.arch;
    QPainterPath torso;
    torso.moveTo(h + QPointF(-8, -2));
    torso.cubicTo(h + QPointF(-7, -10), QPointF(h.x() + 10, backY), QPointF((h.x() + s.x()) / 2, backY));
    torso.cubicTo(QPointF(s.x() - 12, backY), s + QPointF(-2, -11), s + QPointF(6, -9));
    torso.cubicTo(s + QPointF(11, -5), s + QPointF(10, 6), s + QPointF(3, 9));
    torso.cubicTo(s + QPointF(-8, 12), QPointF(h.x() + 22, h.y() + 8), h + QPointF(6, 6));
    torso.cubicTo(h + QPointF(-2, 9), h + QPointF(-9, 5), h + QPointF(-8, -2));
    torso.closeSubpath();
    return torso;
}

void drawTail(QPainter &p, const Pose &pose, qreal phase)
{
    const QPointF root = pose.hip + QPointF(-7, -4);
    const qreal sway = 3 * std::sin(phase + 1.2);
    QPainterPath tail;
    tail.moveTo(root);
    tail.cubicTo(root + QPointF(-12, -2 + sway * 0.3), root + QPointF(-22, 4 + sway),
                 root + QPointF(-32, -3 + sway));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, 5.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(tail);
    p.setPen(QPen(coat, 3.4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(tail);
    // Dark rings towards the tip, as a cheetah's tail has.
    p.setPen(QPen(spot, 3.6, Qt::SolidLine, Qt::FlatCap));
    for (qreal t : {0.62, 0.78}) {
        const QPointF at = tail.pointAtPercent(t);
        const QPointF ahead = tail.pointAtPercent(t + 0.04);
        p.drawLine(at, ahead);
    }
    p.setPen(QPen(spot, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawPoint(tail.pointAtPercent(1.0));
}

void drawHead(QPainter &p, const Pose &pose)
{
    const QPointF neck = pose.shoulder + QPointF(6, -6);
    const QPointF head = pose.shoulder + QPointF(19, -6 + pose.headDip);

    QPainterPath neckPath;
    neckPath.moveTo(neck + QPointF(-6, -5));
    neckPath.lineTo(head + QPointF(-3, -6));
    neckPath.lineTo(head + QPointF(0, 5));
    neckPath.lineTo(neck + QPointF(0, 9));
    neckPath.closeSubpath();
    p.setPen(QPen(ink, 1.2));
    p.setBrush(coat);
    p.drawPath(neckPath);

    // Ear, skull and a short muzzle.
    QPainterPath ear;
    ear.moveTo(head + QPointF(-5, -5));
    ear.lineTo(head + QPointF(-4, -10.5));
    ear.lineTo(head + QPointF(0.5, -6.5));
    ear.closeSubpath();
    p.setPen(QPen(ink, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(coatShade);
    p.drawPath(ear);

    QPainterPath skull;
    skull.addEllipse(head, 7.5, 6.5);
    QPainterPath muzzle;
    muzzle.addEllipse(head + QPointF(6.5, 2), 4.8, 3.6);
    const QPainterPath face = skull.united(muzzle);
    p.setPen(QPen(ink, 1.3));
    p.setBrush(coat);
    p.drawPath(face);
    p.setPen(Qt::NoPen);
    p.setBrush(belly);
    p.drawEllipse(head + QPointF(6.5, 3.4), 3.6, 2.2);

    // Eye, nose and the dark tear line from eye to mouth.
    p.setBrush(spot);
    p.drawEllipse(head + QPointF(2.8, -1.8), 1.3, 1.3);
    p.drawEllipse(head + QPointF(11, 0.8), 1.3, 1.0);
    p.setPen(QPen(spot, 1.1, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(head + QPointF(2.6, -0.8), head + QPointF(5.4, 3.8));
}

void drawSpots(QPainter &p, const Pose &pose, const QPainterPath &torso)
{
    // Spots sit at fixed places along the body and follow its stretch.
    static constexpr std::array<std::array<qreal, 2>, 26> places{{
        {0.02, -0.55}, {0.10, -0.15}, {0.14, -0.70}, {0.20, 0.25}, {0.24, -0.40},
        {0.31, -0.85}, {0.34, 0.05}, {0.40, -0.50}, {0.45, 0.40}, {0.49, -0.10},
        {0.53, -0.80}, {0.58, -0.35}, {0.62, 0.20}, {0.67, -0.60}, {0.71, -0.05},
        {0.76, -0.85}, {0.79, 0.35}, {0.84, -0.40}, {0.90, -0.75}, {0.93, 0.05},
        {0.97, -0.45}, {0.05, 0.20}, {0.28, 0.50}, {0.57, 0.62}, {0.86, 0.48}, {1.02, -0.10},
    }};
    p.save();
    p.setClipPath(torso);
    p.setPen(Qt::NoPen);
    p.setBrush(spot);
    const QPointF h = pose.hip, s = pose.shoulder;
    for (const auto &[u, v] : places) {
        const QPointF at = h + (s - h) * u + QPointF(0, v * 8.5 - 1 - pose.arch * (1 - std::abs(0.5 - u)) * 0.6);
        p.drawEllipse(at, 1.25, 1.05);
    }
    p.restore();
}

void drawCat(QPainter &p, qreal phase)
{
    const Pose pose = poseAt(phase);
    const qreal front = 0.95 * std::sin(phase);
    const qreal hind = -0.95 * std::sin(phase + 0.35);
    // Paws fold up while they swing forward through the air.
    const auto bendFront = [](qreal ph) { return 0.3 + 1.1 * std::max(0.0, std::cos(ph)); };
    const auto bendHind = [](qreal ph) { return 0.5 + 0.8 * std::max(0.0, -std::cos(ph)); };

    // Far legs first, a beat behind the near ones.
    drawLeg(p, pose.hip + QPointF(2, 0), -0.95 * std::sin(phase - 0.45), bendHind(phase - 0.45), true, true);
    drawLeg(p, pose.shoulder + QPointF(-2, 1), 0.95 * std::sin(phase - 0.45), bendFront(phase - 0.45), false, true);
    drawTail(p, pose, phase);

    const QPainterPath torso = torsoPath(pose);
    p.setPen(QPen(ink, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(coat);
    p.drawPath(torso);
    // A paler belly line along the underside.
    p.save();
    p.setClipPath(torso);
    p.setPen(QPen(belly, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(pose.hip + QPointF(10, 8), pose.shoulder + QPointF(-4, 11));
    p.restore();
    drawSpots(p, pose, torso);
    p.setPen(QPen(ink, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(torso);

    drawHead(p, pose);
    drawLeg(p, pose.hip, hind, bendHind(phase), true, false);
    drawLeg(p, pose.shoulder, front, bendFront(phase), false, false);
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
        // Nothing may spill into the next frame or off the green.
        p.setClipRect(frame.adjusted(1, 1, -1, -1));
        p.translate(frame.topLeft());
        drawCat(p, 2 * M_PI * k / runnerFrameCount);
        p.restore();
    }
}

} // namespace artwork
