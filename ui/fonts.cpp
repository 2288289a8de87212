#include "fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

const QString HyGothic = QStringLiteral("HY견고딕");

} // namespace

QFont hyGothicFont(int pixelSize)
{
    QFont font;
    font.setFamilies({HyGothic, QStringLiteral("NanumGothic")});
    font.setPixelSize(pixelSize);
    // HY견고딕 is a heavy face at its regular weight; its stand-in gets
    // there with its ExtraBold style. The weight is only set when the named
    // face is missing, so it is never thickened artificially.
    if (!QFontDatabase::hasFamily(HyGothic))
        font.setWeight(QFont::ExtraBold);
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
