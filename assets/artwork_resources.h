#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <array>

class QIcon;
class QPixmap;

// The program's pictures, as resources of the zanto_assets library. Each
// picture but the icon also comes as name@2x.png for high-density screens,
// and those the board draws larger on a large screen as name@3x.png.
namespace Artwork {

inline const QString runnerPath = QStringLiteral(":/assets/runner.png");
inline const QString buttonStartPath = QStringLiteral(":/assets/button_start.png");
inline const QString buttonLoadPath = QStringLiteral(":/assets/button_load.png");
inline const QString buttonSavePath = QStringLiteral(":/assets/button_save.png");
inline const QString buttonWinnerPath = QStringLiteral(":/assets/button_winner.png");
inline const QString doorPath = QStringLiteral(":/assets/door.png");
inline const QString logoPath = QStringLiteral(":/assets/logo.png");

// The banner in layers, so the board can draw it for any width: a band of
// sky, grey strip and grass that repeats side by side, and three groups of
// figures and lettering on a transparent ground. Each group has its rectangle
// in the banner's design frame (bannerSize) and the part of a wider banner
// it keeps to.
inline const QString bannerBandPath = QStringLiteral(":/assets/banner_band.png");
inline constexpr int bannerBandWidth = 256;

enum class BannerAnchor { Left, Middle, Right };
struct BannerGroup
{
    QString path;
    QRect designRect;
    BannerAnchor anchor;
};
// The cheer with the left crowd, the motto under the clouds, the sun with
// the right crowd. Their drawings do not overlap.
inline const std::array<BannerGroup, 3> bannerGroups{{
    {QStringLiteral(":/assets/banner_left.png"), QRect(0, 0, 360, 260), BannerAnchor::Left},
    {QStringLiteral(":/assets/banner_middle.png"), QRect(310, 0, 520, 260), BannerAnchor::Middle},
    {QStringLiteral(":/assets/banner_right.png"), QRect(700, 0, 322, 260), BannerAnchor::Right},
}};

inline constexpr QSize bannerSize{1022, 260};
inline constexpr QSize runnerFrameSize{140, 50};
inline constexpr int runnerFrameCount = 6;
inline constexpr QSize buttonFaceSize{99, 36};
inline constexpr QSize doorSize{51, 36};
inline constexpr QSize logoSize{59, 57};

// The picture at `path` for a screen of the given device pixel ratio: the @2x
// file above ratio 1, the @3x one where there is one above ratio 2, marked
// with its ratio so it paints at its 1x size. A null pixmap for a path that
// is not one of the pictures.
QPixmap pixmap(const QString &path, qreal devicePixelRatio = 1.0);

// The picture at `path` as a button's icon, with its @2x picture on a
// high-density screen; a null icon for a path that is not one of the pictures.
QIcon icon(const QString &path);

// The window icon with its 16, 32, 48 and 256 pixel images.
QIcon windowIcon();

} // namespace Artwork
