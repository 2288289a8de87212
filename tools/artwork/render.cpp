#include "artwork.h"

#include <QFontDatabase>
#include <QPainter>
#include <QString>

namespace artwork {

QImage render(QSize logicalSize, qreal scale, const Drawing &draw, QColor background)
{
    QImage image((QSizeF(logicalSize) * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing
                     | QPainter::SmoothPixmapTransform);
    p.scale(scale, scale);
    draw(p);
    p.end();
    return image;
}

static QString loadNanumGothic()
{
    QString family;
    for (const char *file : {"NanumGothic.ttf", "NanumGothicBold.ttf", "NanumGothicExtraBold.ttf"}) {
        const int id = QFontDatabase::addApplicationFont(
            QStringLiteral("/usr/share/fonts/truetype/nanum/") + QLatin1String(file));
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (families.isEmpty())
            qWarning("Font %s is missing; install fonts-nanum and fonts-nanum-extra", file);
        else if (family.isEmpty())
            family = families.first();
    }
    return family.isEmpty() ? QStringLiteral("NanumGothic") : family;
}

QFont hangulFont(qreal pixelSize, QFont::Weight weight)
{
    static const QString family = loadNanumGothic();
    QFont font(family);
    font.setPixelSize(qRound(pixelSize));
    font.setWeight(weight);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

} // namespace artwork
