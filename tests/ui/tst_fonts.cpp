#include "fonts.h"

#include <QFontDatabase>
#include <QFile>
#include <QFontInfo>
#include <QTemporaryDir>
#include <QTest>

class TestFonts : public QObject
{
    Q_OBJECT

private slots:
    void namedFacesComeFirst();
    void facesComeInOrder_data();
    void facesComeInOrder();
    void standInHasHangulAtTheGivenPixelSize();
    void theFontsOfAFolderAreAdded();
};

void TestFonts::namedFacesComeFirst()
{
    QCOMPARE(hyGothicFont(43).families().value(0), QStringLiteral("HY견고딕"));
    QCOMPARE(hyGothicFont(43).pixelSize(), 43);
    QCOMPARE(gulimFont(21, true).families().value(0), QStringLiteral("굴림"));
    QVERIFY(gulimFont(21, true).bold());
    QVERIFY(gulimFont(16).families().contains(QStringLiteral("Arial")));
}

void TestFonts::facesComeInOrder_data()
{
    // The described face, then Windows' Korean face, then the stand-in that
    // ships with the program.
    QTest::addColumn<QStringList>("families");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("HY견고딕") << hyGothicFont(30).families()
                            << QStringList{u"HY견고딕"_qs, u"맑은 고딕"_qs, u"NanumGothic"_qs};
    QTest::newRow("굴림") << gulimFont(16).families()
                        << QStringList{u"굴림"_qs, u"Arial"_qs, u"맑은 고딕"_qs, u"NanumGothic"_qs};
}

void TestFonts::facesComeInOrder()
{
    QFETCH(QStringList, families);
    QFETCH(QStringList, order);
    qsizetype previous = -1;
    for (const QString &family : order) {
        const qsizetype at = families.indexOf(family);
        QVERIFY2(at > previous, qPrintable(family + u" out of order in "_qs + families.join(u", ")));
        previous = at;
    }
}

void TestFonts::theFontsOfAFolderAreAdded()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QCOMPARE(addFontsFrom(dir.filePath(u"missing"_qs)), 0);
    QVERIFY(QFile::copy(QStringLiteral(NANUM_FOLDER "/NanumGothic.ttf"), dir.filePath(u"NanumGothic.ttf"_qs)));
    QFile broken(dir.filePath(u"broken.ttf"_qs));
    QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("no font") == 7);
    broken.close();
    QFile notes(dir.filePath(u"notes.txt"_qs));
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.close();
    QCOMPARE(addFontsFrom(dir.path()), 1);
    QVERIFY(QFontDatabase::hasFamily(u"NanumGothic"_qs));
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
