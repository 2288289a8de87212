#include "artwork_resources.h"

#include <QFile>
#include <QIcon>
#include <QPixmap>

namespace Artwork {

QPixmap pixmap(const QString &path, qreal devicePixelRatio)
{
    if (devicePixelRatio > 1.0 && path.endsWith(QLatin1String(".png"))) {
        const QString sharp = path.chopped(4) + QLatin1String("@2x.png");
        QPixmap twice;
        if (QFile::exists(sharp) && twice.load(sharp)) {
            twice.setDevicePixelRatio(2.0);
            return twice;
        }
    }
    QPixmap once;
    if (once.load(path))
        once.setDevicePixelRatio(1.0);
    return once;
}

QPixmap runnerFrame(const QPixmap &strip, int frame)
{
    if (strip.isNull() || frame < 0 || frame >= runnerFrameCount)
        return {};
    const qreal ratio = strip.devicePixelRatio();
    const int width = strip.width();
    const int height = strip.height() / runnerFrameCount;
    QPixmap one = strip.copy(0, frame * height, width, height);
    one.setDevicePixelRatio(ratio);
    return one;
}

QIcon windowIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 256})
        icon.addFile(QStringLiteral(":/assets/icon%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace Artwork
