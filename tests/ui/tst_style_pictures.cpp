#include "style_pictures.h"

#include <QApplication>
#include <QFileInfo>
#include <QPixmap>
#include <QPixmapCache>
#include <QTest>

// The group box frame the setup window preloads is cached under a key that
// is Qt's own business: these fail the day the running Qt looks elsewhere.
class TestStylePictures : public QObject
{
    Q_OBJECT

private slots:
    void theGroupBoxFrameIsCachedUnderTheKeyQtReadsItBy();
};

void TestStylePictures::theGroupBoxFrameIsCachedUnderTheKeyQtReadsItBy()
{
    if (!QFileInfo::exists(StylePictures::groupBoxFramePath()))
        QSKIP("this Qt has no group box frame picture");
    QPixmapCache::clear();
    QPixmap readByQt;
    QVERIFY(readByQt.load(StylePictures::groupBoxFramePath()));
    QPixmap cached;
    QVERIFY2(QPixmapCache::find(StylePictures::groupBoxFrameCacheKey(), &cached),
             "Qt caches the picture under another key: preloading it saves nothing");

    QPixmapCache::clear();
    StylePictures::preloadGroupBoxFrame();
    QVERIFY(QPixmapCache::find(StylePictures::groupBoxFrameCacheKey(), &cached));
    QCOMPARE(cached.toImage(), readByQt.toImage());
}

QTEST_MAIN(TestStylePictures)
#include "tst_style_pictures.moc"
