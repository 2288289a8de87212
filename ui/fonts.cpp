#include "fonts.h"

#include <QDir>
#include <QFontDatabase>
#include <QStringList>

namespace {

const QString HyGothic = QStringLiteral("HY견고딕");

// Asked once: the answer comes from fontconfig, which takes about 0.1 ms for
// it, and the board asks for every row at every layout. The fonts the program
// brings are added before its first window, so the answer cannot change while
// it runs.
bool hasHyGothic()
{
    static const bool installed = QFontDatabase::hasFamily(HyGothic);
    return installed;
}

} // namespace

QFont hyGothicFont(int pixelSize)
{
    QFont font;
    font.setFamilies({HyGothic, QStringLiteral("맑은 고딕"), QStringLiteral("Malgun Gothic"),
                      QStringLiteral("NanumGothic")});
    font.setPixelSize(pixelSize);
    // HY견고딕 is a heavy face at its regular weight; its stand-in gets
    // there with its ExtraBold style. The weight is only set when the named
    // face is missing, so it is never thickened artificially.
    if (!hasHyGothic())
        font.setWeight(QFont::ExtraBold);
    return font;
}

QFont gulimFont(int pixelSize, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("굴림"), QStringLiteral("Gulim"), QStringLiteral("Arial"),
                      QStringLiteral("맑은 고딕"), QStringLiteral("Malgun Gothic"), QStringLiteral("NanumGothic")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

int addFontsFrom(const QString &folder)
{
    int added = 0;
    const QDir dir(folder);
    const QStringList files = dir.entryList({QStringLiteral("*.ttf"), QStringLiteral("*.otf")}, QDir::Files,
                                            QDir::Name);
    for (const QString &file : files) {
        if (QFontDatabase::addApplicationFont(dir.filePath(file)) != -1)
            ++added;
    }
    return added;
}
