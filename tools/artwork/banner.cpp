#include "artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <cmath>

namespace artwork {

namespace {

// Horizontal bands of the banner: sky, the grey strip and the grass.
constexpr qreal stripTop = 96;
constexpr qreal stripBottom = 166;
constexpr qreal grassTop = 226;

const QColor outline(45, 35, 40);

void drawSky(QPainter &p)
{
    QLinearGradient sky(0, 0, 0, grassTop);
    sky.setColorAt(0, QColor(52, 132, 222));
    sky.setColorAt(0.55, QColor(120, 185, 240));
    sky.setColorAt(1, QColor(196, 228, 250));
    p.fillRect(QRectF(0, 0, bannerBandWidth, grassTop + 4), sky);
}

void drawCloud(QPainter &p, QPointF at, qreal size)
{
    p.save();
    p.translate(at);
    p.scale(size, size);
    QPainterPath cloud;
    cloud.addEllipse(QPointF(0, 0), 22, 13);
    cloud.addEllipse(QPointF(-20, 5), 15, 10);
    cloud.addEllipse(QPointF(21, 4), 17, 10);
    cloud.addEllipse(QPointF(6, -7), 14, 11);
    cloud.setFillRule(Qt::WindingFill);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 70));
    p.drawPath(cloud.translated(2, 3));
    p.setBrush(QColor(255, 255, 255, 235));
    p.drawPath(cloud.simplified());
    p.restore();
}

void drawSun(QPainter &p, QPointF at)
{
    QRadialGradient glow(at, 46);
    glow.setColorAt(0, QColor(255, 250, 200, 200));
    glow.setColorAt(1, QColor(255, 250, 200, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(at, 46, 46);
    p.setBrush(QColor(255, 224, 90));
    p.drawEllipse(at, 20, 20);
}

void drawStrip(QPainter &p)
{
    const QRectF strip(0, stripTop, bannerBandWidth, stripBottom - stripTop);
    QLinearGradient grey(0, stripTop, 0, stripBottom);
    grey.setColorAt(0, QColor(238, 238, 238));
    grey.setColorAt(1, QColor(218, 218, 220));
    p.fillRect(strip, grey);
    p.fillRect(QRectF(0, stripTop, strip.width(), 2), QColor(190, 190, 194));
    p.fillRect(QRectF(0, stripBottom - 2, strip.width(), 2), QColor(170, 170, 176));
}

void drawMotto(QPainter &p)
{
    const QFont font = hangulFont(25, QFont::ExtraBold);
    const std::array<QString, 2> lines{QStringLiteral("규칙을 지키며 정정당당하게 겨루고"),
                                       QStringLiteral("결과에는 깨끗이 승복합시다")};
    const QFontMetricsF metrics(font);
    const qreal centre = bannerSize.width() / 2.0;
    const qreal lineHeight = 31;
    qreal baseline = (stripTop + stripBottom) / 2 - lineHeight / 2 + metrics.ascent() / 2 - 1;
    for (const QString &line : lines) {
        QPainterPath text;
        text.addText(centre - metrics.horizontalAdvance(line) / 2, baseline, font, line);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255));
        p.drawPath(text.translated(1, 1));
        p.setBrush(QColor(28, 48, 110));
        p.drawPath(text);
        baseline += lineHeight;
    }
}

void drawCheer(QPainter &p)
{
    const QFont font = hangulFont(46, QFont::ExtraBold);
    QPainterPath text;
    text.addText(0, 0, font, QStringLiteral("힘내라 화이팅!"));
    p.save();
    p.translate(48, 66);
    p.rotate(-5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(150, 40, 20), 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(text);
    QLinearGradient fill(0, -36, 0, 4);
    fill.setColorAt(0, QColor(255, 245, 120));
    fill.setColorAt(1, QColor(255, 170, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(text);
    p.restore();
}

void drawGrass(QPainter &p)
{
    // Every wave and tuft repeats with the band, so its copies side by side
    // meet without a seam.
    const qreal width = bannerBandWidth;
    const qreal turn = 2 * M_PI / width;
    QPainterPath ground;
    ground.moveTo(0, grassTop);
    for (qreal x = 0; x <= width; x += 2)
        ground.lineTo(x, grassTop + 1.5 * std::sin(x * turn) + std::sin(4 * x * turn));
    ground.lineTo(width, bannerSize.height());
    ground.lineTo(0, bannerSize.height());
    ground.closeSubpath();
    // The grass ends in the board's own green, so the banner runs on into
    // the window below it without a seam.
    QLinearGradient green(0, grassTop, 0, bannerSize.height());
    green.setColorAt(0, QColor(120, 200, 72));
    green.setColorAt(0.4, QColor(80, 178, 64));
    green.setColorAt(0.77, windowGreen);
    green.setColorAt(1, windowGreen);
    p.setPen(Qt::NoPen);
    p.setBrush(green);
    p.drawPath(ground);

    // Tufts with a fixed rhythm rather than random, so both scales match;
    // those near an end are drawn again past the other end.
    constexpr int tufts = 38;
    p.setPen(QPen(QColor(40, 140, 50), 1.4, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < tufts; ++i) {
        const qreal y = 234 + 14 * std::fmod(i * 0.618, 1.0);
        for (qreal repeat : {-width, 0.0, width}) {
            const qreal x = repeat + 3 + i * width / tufts + 2.5 * std::sin(i * 1.7);
            p.drawLine(QPointF(x, y), QPointF(x - 2, y - 5));
            p.drawLine(QPointF(x, y), QPointF(x + 1, y - 6));
            p.drawLine(QPointF(x, y), QPointF(x + 3, y - 4));
        }
    }
}

struct Cheerer
{
    qreal x;          // between the feet
    qreal height;     // feet to top of head
    QColor shirt;
    QColor hair;
    QColor skin;
    int pose;         // 0 both arms up, 1 one arm waving, 2 holding a flag
    qreal lean;       // degrees
};

void drawLimb(QPainter &p, const QPolygonF &joints, qreal width, const QColor &colour)
{
    QPainterPath path;
    path.addPolygon(joints);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(outline, width + 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

void drawCheerer(QPainter &p, const Cheerer &c)
{
    // Drawn in a unit where the figure is 100 tall, feet at the origin.
    p.save();
    p.translate(c.x, grassTop + 8);
    const qreal s = c.height / 100.0;
    p.scale(s, s);
    p.rotate(c.lean);

    const QColor trousers = c.shirt.darker(260);
    // Legs, jumping a little apart.
    drawLimb(p, QPolygonF{QPointF(-5, -40), QPointF(-9, -20), QPointF(-12, -2)}, 8, trousers);
    drawLimb(p, QPolygonF{QPointF(5, -40), QPointF(9, -20), QPointF(12, -2)}, 8, trousers);
    p.setPen(QPen(outline, 2));
    p.setBrush(QColor(250, 250, 250));
    p.drawEllipse(QPointF(-15, -1), 7, 3.5);
    p.drawEllipse(QPointF(15, -1), 7, 3.5);

    // Arms behind the body's outline, raised.
    const QPointF leftShoulder(-10, -64), rightShoulder(10, -64);
    QPointF leftHand, rightHand;
    switch (c.pose) {
    case 0:
        drawLimb(p, QPolygonF{leftShoulder, QPointF(-20, -76), QPointF(-26, -94)}, 6, c.skin);
        drawLimb(p, QPolygonF{rightShoulder, QPointF(20, -76), QPointF(26, -94)}, 6, c.skin);
        leftHand = QPointF(-26, -95);
        rightHand = QPointF(26, -95);
        break;
    case 1:
        drawLimb(p, QPolygonF{leftShoulder, QPointF(-18, -52), QPointF(-12, -44)}, 6, c.skin);
        drawLimb(p, QPolygonF{rightShoulder, QPointF(22, -74), QPointF(30, -92)}, 6, c.skin);
        leftHand = QPointF(-12, -44);
        rightHand = QPointF(31, -93);
        break;
    default:
        drawLimb(p, QPolygonF{leftShoulder, QPointF(-20, -74), QPointF(-22, -90)}, 6, c.skin);
        drawLimb(p, QPolygonF{rightShoulder, QPointF(18, -56), QPointF(24, -48)}, 6, c.skin);
        leftHand = QPointF(-22, -90);
        rightHand = QPointF(24, -48);
        break;
    }

    // Body: a rounded shirt.
    QPainterPath body;
    body.moveTo(-12, -66);
    body.cubicTo(-15, -50, -13, -44, -11, -36);
    body.lineTo(11, -36);
    body.cubicTo(13, -44, 15, -50, 12, -66);
    body.quadTo(0, -70, -12, -66);
    p.setPen(QPen(outline, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(c.shirt);
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(c.shirt.lighter(130));
    p.drawEllipse(QPointF(-5, -58), 3.5, 6);

    // Hands, with a flag or a pompom.
    auto hand = [&](QPointF at) {
        p.setPen(QPen(outline, 1.8));
        p.setBrush(c.skin);
        p.drawEllipse(at, 4.2, 4.2);
    };
    if (c.pose == 2) {
        p.setPen(QPen(QColor(110, 70, 30), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(leftHand + QPointF(0, 6), leftHand + QPointF(0, -26));
        QPainterPath flag;
        flag.moveTo(leftHand + QPointF(0, -26));
        flag.cubicTo(leftHand + QPointF(8, -30), leftHand + QPointF(14, -20), leftHand + QPointF(24, -24));
        flag.lineTo(leftHand + QPointF(24, -10));
        flag.cubicTo(leftHand + QPointF(14, -6), leftHand + QPointF(8, -16), leftHand + QPointF(0, -12));
        flag.closeSubpath();
        p.setPen(QPen(outline, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(c.shirt.lighter(115));
        p.drawPath(flag);
        hand(leftHand);
        hand(rightHand);
    } else {
        for (QPointF at : {leftHand, rightHand}) {
            if (c.pose == 0 || at == rightHand) {
                p.setPen(QPen(outline, 1.5));
                p.setBrush(c.shirt.lighter(140));
                for (int k = 0; k < 7; ++k) {
                    const qreal a = k * 2 * M_PI / 7;
                    p.drawEllipse(at + QPointF(5 * std::cos(a), 5 * std::sin(a) - 2), 4, 4);
                }
                p.drawEllipse(at + QPointF(0, -2), 4.5, 4.5);
            } else {
                hand(at);
            }
        }
    }

    // Head.
    const QPointF head(0, -81);
    p.setPen(QPen(outline, 2.2));
    p.setBrush(c.skin);
    p.drawEllipse(head, 13, 13.5);
    QPainterPath hair;
    hair.moveTo(head + QPointF(-13.5, 1));
    hair.cubicTo(head + QPointF(-16, -16), head + QPointF(14, -20), head + QPointF(13.5, -1));
    hair.cubicTo(head + QPointF(8, -9), head + QPointF(-2, -6), head + QPointF(-6, -12));
    hair.cubicTo(head + QPointF(-9, -6), head + QPointF(-12, -3), head + QPointF(-13.5, 1));
    p.setBrush(c.hair);
    p.drawPath(hair);
    // Face: closed happy eyes and an open smile.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(outline, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(head.x() - 8, head.y() - 2, 6, 5), 20 * 16, 140 * 16);
    p.drawArc(QRectF(head.x() + 2, head.y() - 2, 6, 5), 20 * 16, 140 * 16);
    QPainterPath mouth;
    mouth.moveTo(head + QPointF(-5, 5));
    mouth.quadTo(head + QPointF(0, 13), head + QPointF(5, 5));
    mouth.closeSubpath();
    p.setPen(QPen(outline, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(200, 60, 60));
    p.drawPath(mouth);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 130, 130, 120));
    p.drawEllipse(head + QPointF(-9, 5), 3, 2);
    p.drawEllipse(head + QPointF(9, 5), 3, 2);
    p.restore();
}

const QColor skins[] = {QColor(255, 220, 185), QColor(240, 200, 160), QColor(225, 180, 140)};
const QColor hairs[] = {QColor(40, 30, 25), QColor(90, 55, 30), QColor(25, 25, 30)};

void drawLeftGroup(QPainter &p)
{
    const std::array<Cheerer, 4> crowd{{
        {92, 118, QColor(220, 50, 50), hairs[0], skins[0], 1, -4},
        {150, 132, QColor(250, 190, 30), hairs[1], skins[1], 0, 2},
        {208, 116, QColor(40, 110, 220), hairs[2], skins[2], 2, -3},
        {262, 108, QColor(150, 80, 200), hairs[0], skins[1], 0, 5},
    }};
    for (const Cheerer &c : crowd)
        drawCheerer(p, c);
    drawCheer(p);
}

void drawMiddleGroup(QPainter &p)
{
    drawCloud(p, QPointF(450, 44), 1.0);
    drawCloud(p, QPointF(610, 26), 0.8);
    drawCloud(p, QPointF(760, 58), 1.1);
    drawMotto(p);
}

void drawRightGroup(QPainter &p)
{
    drawSun(p, QPointF(905, 46));
    const std::array<Cheerer, 4> crowd{{
        {760, 110, QColor(40, 170, 90), hairs[1], skins[0], 0, -5},
        {814, 120, QColor(250, 130, 30), hairs[2], skins[2], 2, 3},
        {872, 134, QColor(230, 60, 140), hairs[0], skins[1], 0, -2},
        {930, 116, QColor(30, 160, 200), hairs[1], skins[0], 1, 4},
    }};
    for (const Cheerer &c : crowd)
        drawCheerer(p, c);
}

} // namespace

void drawBannerBand(QPainter &p)
{
    drawSky(p);
    drawStrip(p);
    drawGrass(p);
}

const std::array<BannerGroup, 3> &bannerGroups()
{
    static const std::array<BannerGroup, 3> groups{{
        {"banner_left", QRect(0, 0, 360, 260), drawLeftGroup},
        {"banner_middle", QRect(310, 0, 520, 260), drawMiddleGroup},
        {"banner_right", QRect(700, 0, 322, 260), drawRightGroup},
    }};
    return groups;
}

} // namespace artwork
