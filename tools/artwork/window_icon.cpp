#include "artwork.h"

#include <QByteArray>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

#include <cmath>

namespace artwork {

namespace {

// Where the monitor's parts lie, in the pixels of one icon size. The small
// sizes are laid out by hand so edges fall on whole pixels.
struct IconLayout
{
    QRectF bezel;
    QRectF screen;
    QRectF neck;
    QRectF base;
    int gridColumns;
    int gridRows;
    qreal waveWidth;
    qreal radius;
};

constexpr IconLayout layout32{{1, 3, 30, 22}, {3, 5, 26, 18}, {13, 25, 6, 3}, {7, 28, 18, 3}, 6, 4, 2.0, 2.5};
constexpr IconLayout layout48{{2, 5, 44, 33}, {5, 8, 38, 27}, {20, 38, 8, 4}, {11, 42, 26, 4}, 6, 4, 3.0, 3.5};
constexpr IconLayout layout16{{0, 1, 16, 12}, {1, 2, 14, 10}, {6, 13, 4, 1}, {3, 14, 10, 2}, 4, 3, 1.3, 1.2};

const QColor bezelColour(66, 70, 80);
const QColor bezelEdge(24, 26, 30);
const QColor screenColour(14, 118, 52);
const QColor gridColour(96, 210, 120);

QPainterPath wavePath(const QRectF &screen)
{
    QPainterPath wave;
    const qreal mid = screen.center().y();
    const qreal amplitude = screen.height() * 0.28;
    for (int i = 0; i <= 48; ++i) {
        const qreal t = i / 48.0;
        const QPointF at(screen.left() + 0.5 + t * (screen.width() - 1),
                         mid - amplitude * std::sin(2 * M_PI * t * 1.25 + 0.3));
        if (i == 0)
            wave.moveTo(at);
        else
            wave.lineTo(at);
    }
    return wave;
}

void drawIcon(QPainter &p, const IconLayout &l)
{
    p.setPen(Qt::NoPen);
    p.setBrush(bezelColour.lighter(120));
    p.drawRect(l.neck);
    p.setBrush(bezelColour);
    p.drawRoundedRect(l.base, l.radius * 0.6, l.radius * 0.6);

    p.setBrush(bezelEdge);
    p.drawRoundedRect(l.bezel, l.radius, l.radius);
    p.setBrush(bezelColour);
    p.drawRoundedRect(l.bezel.adjusted(0.6, 0.6, -0.6, -0.6), l.radius * 0.8, l.radius * 0.8);
    p.setBrush(screenColour);
    p.drawRect(l.screen);

    // Grid lines on pixel centres, so they stay crisp at 16 and 32.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(gridColour, 0));
    for (int c = 1; c < l.gridColumns; ++c) {
        const int x = int(l.screen.left() + l.screen.width() * c / l.gridColumns);
        p.drawLine(x, int(l.screen.top()), x, int(l.screen.bottom()) - 1);
    }
    for (int r = 1; r < l.gridRows; ++r) {
        const int y = int(l.screen.top() + l.screen.height() * r / l.gridRows);
        p.drawLine(int(l.screen.left()), y, int(l.screen.right()) - 1, y);
    }
    p.setRenderHint(QPainter::Antialiasing, true);

    p.save();
    p.setClipRect(l.screen);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, l.waveWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(wavePath(l.screen));
    p.restore();
}

QString svgPathData(const QPainterPath &path)
{
    QString d;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        d += QStringLiteral("%1%2,%3 ").arg(e.isMoveTo() ? 'M' : 'L')
                 .arg(e.x, 0, 'f', 2).arg(e.y, 0, 'f', 2);
    }
    return d.trimmed();
}

QString colourName(const QColor &c)
{
    return c.name(QColor::HexRgb);
}

} // namespace

QByteArray windowIconSvg()
{
    // The same monitor as the small sizes, with the shading that only shows
    // at desktop-menu sizes: a lit bezel, a glowing screen and a soft glare.
    const IconLayout &l = layout32;
    auto rect = [](const QRectF &r, qreal radius, const QString &fill) {
        return QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" fill=\"%6\"/>\n")
            .arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).arg(radius).arg(fill);
    };
    QString svg = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 32 32\">\n"
        "  <defs>\n"
        "    <linearGradient id=\"bezel\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">\n"
        "      <stop offset=\"0\" stop-color=\"%1\"/><stop offset=\"1\" stop-color=\"%2\"/>\n"
        "    </linearGradient>\n"
        "    <radialGradient id=\"screen\" cx=\"0.5\" cy=\"0.45\" r=\"0.7\">\n"
        "      <stop offset=\"0\" stop-color=\"%3\"/><stop offset=\"1\" stop-color=\"%4\"/>\n"
        "    </radialGradient>\n"
        "    <linearGradient id=\"glare\" x1=\"0\" y1=\"0\" x2=\"1\" y2=\"1\">\n"
        "      <stop offset=\"0\" stop-color=\"#ffffff\" stop-opacity=\"0.22\"/>\n"
        "      <stop offset=\"0.5\" stop-color=\"#ffffff\" stop-opacity=\"0.04\"/>\n"
        "      <stop offset=\"0.5\" stop-color=\"#ffffff\" stop-opacity=\"0\"/>\n"
        "    </linearGradient>\n"
        "  </defs>\n")
        .arg(colourName(bezelColour.lighter(135)), colourName(bezelColour.darker(125)),
             colourName(screenColour.lighter(125)), colourName(screenColour.darker(150)));
    svg += rect(l.neck, 0, colourName(bezelColour.lighter(120)));
    svg += rect(l.base, l.radius * 0.6, QStringLiteral("url(#bezel)"));
    svg += rect(l.bezel, l.radius, colourName(bezelEdge));
    svg += rect(l.bezel.adjusted(0.6, 0.6, -0.6, -0.6), l.radius * 0.8, QStringLiteral("url(#bezel)"));
    svg += rect(l.screen, 0, QStringLiteral("url(#screen)"));
    svg += QStringLiteral("  <g stroke=\"%1\" stroke-width=\"0.5\" stroke-opacity=\"0.85\">\n").arg(colourName(gridColour));
    for (int c = 1; c < l.gridColumns; ++c) {
        const qreal x = int(l.screen.left() + l.screen.width() * c / l.gridColumns) + 0.5;
        svg += QStringLiteral("    <line x1=\"%1\" y1=\"%2\" x2=\"%1\" y2=\"%3\"/>\n")
                   .arg(x).arg(l.screen.top()).arg(l.screen.bottom());
    }
    for (int r = 1; r < l.gridRows; ++r) {
        const qreal y = int(l.screen.top() + l.screen.height() * r / l.gridRows) + 0.5;
        svg += QStringLiteral("    <line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%2\"/>\n")
                   .arg(l.screen.left()).arg(y).arg(l.screen.right());
    }
    svg += QStringLiteral("  </g>\n");
    const QString wave = svgPathData(wavePath(l.screen));
    svg += QStringLiteral("  <path d=\"%1\" fill=\"none\" stroke=\"#d8ffe0\" stroke-opacity=\"0.35\" stroke-width=\"%2\" "
                          "stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n")
               .arg(wave).arg(l.waveWidth * 2.2);
    svg += QStringLiteral("  <path d=\"%1\" fill=\"none\" stroke=\"#ffffff\" stroke-width=\"%2\" "
                          "stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n")
               .arg(wave).arg(l.waveWidth);
    svg += rect(l.screen, 0, QStringLiteral("url(#glare)"));
    svg += QStringLiteral("</svg>\n");
    return svg.toUtf8();
}

QImage windowIcon(int size)
{
    if (size == 16 || size == 32 || size == 48) {
        const IconLayout &l = size == 16 ? layout16 : size == 32 ? layout32 : layout48;
        return render(QSize(size, size), 1, [&](QPainter &p) { drawIcon(p, l); });
    }
    QSvgRenderer svg(windowIconSvg());
    return render(QSize(size, size), 1, [&](QPainter &p) { svg.render(&p, QRectF(0, 0, size, size)); });
}

} // namespace artwork
