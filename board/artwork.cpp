#include "artwork.h"

#include <QFile>

QPixmap artworkPixmap(const QString &path, qreal devicePixelRatio)
{
    if (devicePixelRatio > 1.0) {
        QString hiRes = path;
        const qsizetype dot = hiRes.lastIndexOf(u'.');
        if (dot > 0) {
            hiRes.insert(dot, QStringLiteral("@2x"));
            if (QFile::exists(hiRes)) {
                QPixmap pixmap(hiRes);
                if (!pixmap.isNull()) {
                    pixmap.setDevicePixelRatio(2.0);
                    return pixmap;
                }
            }
        }
    }
    QPixmap pixmap(path);
    pixmap.setDevicePixelRatio(1.0);
    return pixmap;
}

QIcon appIcon()
{
    QIcon icon;
    for (const char *name : {"icon16.png", "icon32.png", "icon48.png", "icon256.png"}) {
        const QString path = QStringLiteral(":/assets/") + QLatin1String(name);
        if (QFile::exists(path))
            icon.addFile(path);
    }
    if (icon.isNull() && QFile::exists(QStringLiteral(":/assets/icon.svg")))
        icon.addFile(QStringLiteral(":/assets/icon.svg"));
    return icon;
}
