#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QSize>

#include <array>
#include <functional>

class QPainter;
class QString;
class QByteArray;

namespace artwork {

// Paints in logical pixels; render() scales the painter so one drawing gives
// both the 1x and the @2x image.
using Drawing = std::function<void(QPainter &)>;

QImage render(QSize logicalSize, qreal scale, const Drawing &draw,
              QColor background = Qt::transparent);

// The Hangul faces the artwork writes with, loaded from Debian's Nanum fonts
// so the images do not depend on what fontconfig happens to prefer.
QFont hangulFont(qreal pixelSize, QFont::Weight weight);

// The banner comes in layers, so the board can draw it for any width: a band
// of sky, strip and grass, bannerBandWidth wide, that repeats side by side,
// and three groups of figures and lettering on a transparent ground. Each
// group is drawn in the banner's 1022 x 260 frame and written cropped to its
// rectangle there.
inline constexpr QSize bannerSize{1022, 260};
inline constexpr int bannerBandWidth = 256;
void drawBannerBand(QPainter &p);

struct BannerGroup
{
    const char *name;
    QRect rect;
    void (*draw)(QPainter &p);
};
const std::array<BannerGroup, 3> &bannerGroups();

inline constexpr QSize runnerFrameSize{140, 50};
inline constexpr int runnerFrameCount = 6;
inline const QColor windowGreen{57, 181, 74};
void drawRunnerStrip(QPainter &p);

inline constexpr QSize buttonFaceSize{99, 36};
void drawButtonFace(QPainter &p, const QString &caption);

inline constexpr QSize doorSize{51, 36};
void drawDoor(QPainter &p);

// The monitor icon, tuned to the pixel grid at 16, 32 and 48; larger sizes
// come from the SVG.
QImage windowIcon(int size);
QByteArray windowIconSvg();

inline constexpr QSize logoSize{59, 57};
void drawLogo(QPainter &p);

// 16-bit mono PCM WAV file bytes.
QByteArray startSignalWav();

} // namespace artwork
