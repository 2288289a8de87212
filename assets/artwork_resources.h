#pragma once

#include <QSize>
#include <QString>

class QIcon;
class QPixmap;

// The program's pictures, as resources of the zanto_assets library. Each
// picture but the icon also comes as name@2x.png for high-density screens.
namespace Artwork {

inline const QString bannerPath = QStringLiteral(":/assets/banner.png");
inline const QString runnerPath = QStringLiteral(":/assets/runner.png");
inline const QString buttonStartPath = QStringLiteral(":/assets/button_start.png");
inline const QString buttonLoadPath = QStringLiteral(":/assets/button_load.png");
inline const QString buttonSavePath = QStringLiteral(":/assets/button_save.png");
inline const QString buttonWinnerPath = QStringLiteral(":/assets/button_winner.png");
inline const QString doorPath = QStringLiteral(":/assets/door.png");
inline const QString logoPath = QStringLiteral(":/assets/logo.png");

// The start sound's file name, in the program's own folder.
inline const QString startSoundFileName = QStringLiteral("start.wav");

inline constexpr QSize bannerSize{1022, 260};
inline constexpr QSize runnerFrameSize{140, 50};
inline constexpr int runnerFrameCount = 6;
inline constexpr QSize buttonFaceSize{99, 36};
inline constexpr QSize doorSize{51, 36};
inline constexpr QSize logoSize{59, 57};

// The picture at `path` for a screen of the given device pixel ratio: the @2x
// file above ratio 1, marked with ratio 2 so it paints at its 1x size. A null
// pixmap for a path that is not one of the pictures.
QPixmap pixmap(const QString &path, qreal devicePixelRatio = 1.0);

// Frame `frame` (0 to 5) of the running-figure strip, at the strip's own
// ratio; a null pixmap for a frame outside the strip.
QPixmap runnerFrame(const QPixmap &strip, int frame);

// The window icon with its 16, 32, 48 and 256 pixel images.
QIcon windowIcon();

} // namespace Artwork
