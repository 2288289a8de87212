#include "style_pictures.h"

#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>
#include <QPixmap>
#include <QPixmapCache>

namespace StylePictures {

namespace {

const QString GroupBoxFrame =
    QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png");

// A value's bytes in memory order, each as its low then its high hex digit,
// as QPixmap::load writes the parts of its cache key.
template<typename T>
QString keyPart(T value)
{
    static const char digits[] = "0123456789abcdef";
    QString part;
    const auto *bytes = reinterpret_cast<const unsigned char *>(&value);
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        part += QLatin1Char(digits[bytes[i] & 0xf]);
        part += QLatin1Char(digits[bytes[i] >> 4]);
    }
    return part;
}

} // namespace

QString groupBoxFramePath()
{
    return GroupBoxFrame;
}

QString groupBoxFrameCacheKey()
{
    const QFileInfo info(GroupBoxFrame);
    // File, modification time, size and pixmap type (0: a pixmap, not a bitmap).
    return QStringLiteral("qt_pixmap") + info.absoluteFilePath()
           + keyPart(uint(info.lastModified().toSecsSinceEpoch())) + keyPart(quint64(info.size()))
           + keyPart(uint(0));
}

void preloadGroupBoxFrame()
{
    if (!QFileInfo::exists(GroupBoxFrame))
        return;
    const QString key = groupBoxFrameCacheKey();
    QPixmap cached;
    if (QPixmapCache::find(key, &cached))
        return;
    QImageReader reader(GroupBoxFrame, QByteArrayLiteral("png"));
    reader.setAutoDetectImageFormat(false);
    QImage frame = reader.read();
    if (!frame.isNull())
        QPixmapCache::insert(key, QPixmap::fromImage(std::move(frame)));
}

} // namespace StylePictures
