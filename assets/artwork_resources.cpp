#include "artwork_resources.h"

#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QPixmap>

namespace Artwork {

namespace {

// Every picture is a PNG, which Qt reads itself. A reader left to detect the
// format asks every image plug-in first, and so loads all of them and their
// libraries with the first picture, before the first window is painted.
QPixmap readPng(const QString &path, qreal ratio)
{
    QImageReader reader(path, QByteArrayLiteral("png"));
    reader.setAutoDetectImageFormat(false);
    QImage image = reader.read();
    if (image.isNull())
        return {};
    image.setDevicePixelRatio(ratio);
    return QPixmap::fromImage(std::move(image));
}

QString sharpPath(const QString &path, int ratio = 2)
{
    return path.chopped(4) + QStringLiteral("@%1x.png").arg(ratio);
}

} // namespace

QPixmap pixmap(const QString &path, qreal devicePixelRatio)
{
    if (!path.endsWith(QLatin1String(".png")))
        return {};
    for (int ratio : {3, 2}) {
        if (devicePixelRatio <= ratio - 1)
            continue;
        const QString sharp = sharpPath(path, ratio);
        if (QFile::exists(sharp)) {
            if (QPixmap sharper = readPng(sharp, ratio); !sharper.isNull())
                return sharper;
        }
    }
    return readPng(path, 1.0);
}

QIcon icon(const QString &path)
{
    // As QIcon(path) builds it: the @2x picture joins on a high-density
    // screen, and both are kept at ratio 1, the icon choosing by pixel size.
    QIcon icon;
    if (QPixmap once = readPng(path, 1.0); !once.isNull())
        icon.addPixmap(once);
    if (qApp && qApp->devicePixelRatio() > 1.0 && path.endsWith(QLatin1String(".png"))) {
        if (QPixmap twice = readPng(sharpPath(path), 1.0); !twice.isNull())
            icon.addPixmap(twice);
    }
    return icon;
}

QIcon windowIcon()
{
    // Read once and shared by the application and its windows: each copy of
    // the four images would take 270 KiB.
    static const QIcon icon = [] {
        QIcon sizes;
        for (int size : {16, 32, 48, 256})
            sizes.addPixmap(readPng(QStringLiteral(":/assets/icon%1.png").arg(size), 1.0));
        return sizes;
    }();
    return icon;
}

} // namespace Artwork
