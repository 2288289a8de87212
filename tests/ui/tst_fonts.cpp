#include "fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QTest>

class TestFonts : public QObject
{
    Q_OBJECT

private slots:
    void namedFacesComeFirst();
    void standInHasHangulAtTheGivenPixelSize();
};

void TestFonts::namedFacesComeFirst()
{
    QCOMPARE(hyGothicFont(43).families().value(0), QStringLiteral("HY견고딕"));
    QCOMPARE(hyGothicFont(43).pixelSize(), 43);
    QCOMPARE(gulimFont(21, true).families().value(0), QStringLiteral("굴림"));
    QVERIFY(gulimFont(21, true).bold());
    QVERIFY(gulimFont(16).families().contains(QStringLiteral("Arial")));
}

void TestFonts::standInHasHangulAtTheGivenPixelSize()
{
    const QFont font = hyGothicFont(27);
    const QFontInfo info(font);
    QCOMPARE(info.pixelSize(), 27);
    if (!QFontDatabase::hasFamily(QStringLiteral("HY견고딕")))
        QVERIFY(font.weight() >= QFont::Bold); // the heavy face's stand-in
    QVERIFY(QFontMetrics(font).inFont(QChar(u'믿')));
}

QTEST_MAIN(TestFonts)
#include "tst_fonts.moc"
