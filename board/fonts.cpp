#include "fonts.h"

#include <QStringList>

QFont hyGothicFont(int pixelSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("HY견고딕"), QStringLiteral("NanumGothic ExtraBold"),
                      QStringLiteral("NanumGothicExtraBold"), QStringLiteral("NanumGothic")});
    font.setPixelSize(pixelSize);
    return font;
}

QFont gulimFont(int pixelSize, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("굴림"), QStringLiteral("Gulim"), QStringLiteral("Arial"),
                      QStringLiteral("NanumGothic")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}
