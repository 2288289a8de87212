#include "artwork_resources.h"

#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QtEndian>
#include <QTest>

namespace {

const QRgb windowGreen = qRgb(57, 181, 74);

// Counts the pixels of `image` inside `area` that are not the window green.
int offGreenPixels(const QImage &image, const QRect &area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += (image.pixel(x, y) & 0xffffff) != (windowGreen & 0xffffff);
    return count;
}

struct WavFormat
{
    quint16 format = 0;
    quint16 channels = 0;
    quint32 rate = 0;
    quint16 bits = 0;
    QByteArray samples;
};

// Walks the RIFF chunks; a file without fmt and data chunks gives format 0.
WavFormat readWav(const QByteArray &bytes)
{
    WavFormat wav;
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return wav;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
        const char *body = bytes.constData() + at + 8;
        if (at + 8 + qsizetype(size) > bytes.size())
            return {};
        if (id == "fmt " && size >= 16) {
            wav.format = qFromLittleEndian<quint16>(body);
            wav.channels = qFromLittleEndian<quint16>(body + 2);
            wav.rate = qFromLittleEndian<quint32>(body + 4);
            wav.bits = qFromLittleEndian<quint16>(body + 14);
        } else if (id == "data") {
            wav.samples = QByteArray(body, size);
        }
        at += 8 + size + (size & 1);
    }
    return wav;
}

// Sign changes in the samples from `from` to `to` seconds: a measure of pitch
// that needs no transform.
int zeroCrossings(const WavFormat &wav, double from, double to)
{
    const auto *samples = reinterpret_cast<const qint16 *>(wav.samples.constData());
    const qsizetype count = wav.samples.size() / 2;
    const qsizetype first = std::clamp<qsizetype>(qsizetype(from * wav.rate), 1, count);
    const qsizetype last = std::clamp<qsizetype>(qsizetype(to * wav.rate), first, count);
    int crossings = 0;
    for (qsizetype i = first; i < last; ++i)
        crossings += (qFromLittleEndian(samples[i - 1]) < 0) != (qFromLittleEndian(samples[i]) < 0);
    return crossings;
}

} // namespace

namespace {

// Frame `frame` (0 to 5) of the running-figure strip, at the strip's own
// ratio, as the figure box paints it; a null pixmap for a frame outside it.
QPixmap runnerFrame(const QPixmap &strip, int frame)
{
    if (strip.isNull() || frame < 0 || frame >= Artwork::runnerFrameCount)
        return {};
    const int height = strip.height() / Artwork::runnerFrameCount;
    QPixmap one = strip.copy(0, frame * height, strip.width(), height);
    one.setDevicePixelRatio(strip.devicePixelRatio());
    return one;
}

} // namespace

class TestArtwork : public QObject
{
    Q_OBJECT

private slots:
    // First: a picture read with format detection before it would already
    // have loaded the plug-ins.
    void readingThePicturesLoadsNoImagePlugin();
    void everyPictureHasItsSizeAndASharpVariantOfTwiceThat_data();
    void everyPictureHasItsSizeAndASharpVariantOfTwiceThat();
    void picturesShownAsBitmapsAreFullyOpaque_data();
    void picturesShownAsBitmapsAreFullyOpaque();
    void highDensityScreensGetTheSharpPictureAtTheSameLogicalSize_data();
    void highDensityScreensGetTheSharpPictureAtTheSameLogicalSize();
    void anUnknownPictureGivesANullPixmap();
    void everyRunnerFrameIsEdgedInWindowGreenAtBothScales_data();
    void everyRunnerFrameIsEdgedInWindowGreenAtBothScales();
    void everyRunnerFrameShowsTheFigureInADifferentPhase();
    void aRunnerFrameIsItsBandOfTheStrip();
    void aRunnerFrameOutsideTheStripIsNull();
    void theBannerRunsOnIntoTheWindowGreenAtItsBottom_data();
    void theBannerRunsOnIntoTheWindowGreenAtItsBottom();
    void aBannerGroupIsDrawnWhollyInsideItsRectangle_data();
    void aBannerGroupIsDrawnWhollyInsideItsRectangle();
    void theWindowIconCarriesEverySize();
    void theSvgIconRenders();
    void theStartSoundBesideTheProgramIsTheAssetsCopy();
    void theStartSoundIsAShortAudibleMonoPcmSignal();
    void theStartSoundRisesAndHoldsASteadyTopNote();
};

void TestArtwork::readingThePicturesLoadsNoImagePlugin()
{
#ifndef Q_OS_LINUX
    QSKIP("reads the process's mappings from /proc");
#endif
    for (const QString &path : {Artwork::bannerBandPath, Artwork::runnerPath, Artwork::logoPath}) {
        for (qreal ratio : {1.0, 2.0})
            QVERIFY(!Artwork::pixmap(path, ratio).isNull());
    }
    QCOMPARE(Artwork::icon(Artwork::buttonStartPath).availableSizes(),
             QList<QSize>{Artwork::buttonFaceSize});
    QVERIFY(!Artwork::windowIcon().isNull());
    QFile maps(QStringLiteral("/proc/self/maps"));
    QVERIFY(maps.open(QIODevice::ReadOnly));
    QVERIFY(!maps.readAll().contains("/imageformats/"));
}

void TestArtwork::everyPictureHasItsSizeAndASharpVariantOfTwiceThat_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::newRow("banner band") << Artwork::bannerBandPath << QSize(256, 260);
    for (const Artwork::BannerGroup &group : Artwork::bannerGroups)
        QTest::newRow(qPrintable(group.path)) << group.path << group.designRect.size();
    QTest::newRow("runner") << Artwork::runnerPath << QSize(140, 300);
    QTest::newRow("start") << Artwork::buttonStartPath << QSize(99, 36);
    QTest::newRow("load") << Artwork::buttonLoadPath << QSize(99, 36);
    QTest::newRow("save") << Artwork::buttonSavePath << QSize(99, 36);
    QTest::newRow("winner") << Artwork::buttonWinnerPath << QSize(99, 36);
    QTest::newRow("door") << Artwork::doorPath << QSize(51, 36);
    QTest::newRow("logo") << Artwork::logoPath << QSize(59, 57);
}

void TestArtwork::everyPictureHasItsSizeAndASharpVariantOfTwiceThat()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QCOMPARE(QImage(path).size(), size);
    QCOMPARE(QImage(path.chopped(4) + "@2x.png").size(), size * 2);
    // The board's pictures come three times as large too; the setup
    // window's logo does not grow.
    if (path != Artwork::logoPath)
        QCOMPARE(QImage(path.chopped(4) + "@3x.png").size(), size * 3);
}

void TestArtwork::picturesShownAsBitmapsAreFullyOpaque_data()
{
    QTest::addColumn<QString>("path");
    for (const QString &path : {Artwork::bannerBandPath,
                                Artwork::runnerPath, Artwork::buttonStartPath,
                                Artwork::buttonLoadPath, Artwork::buttonSavePath,
                                Artwork::buttonWinnerPath, Artwork::doorPath}) {
        QTest::newRow(qPrintable(path)) << path;
        QTest::newRow(qPrintable(path.chopped(4) + "@2x")) << path.chopped(4) + "@2x.png";
        QTest::newRow(qPrintable(path.chopped(4) + "@3x")) << path.chopped(4) + "@3x.png";
    }
}

void TestArtwork::picturesShownAsBitmapsAreFullyOpaque()
{
    // The board copies these over its own backgrounds; a see-through pixel
    // would let whatever was painted before show through.
    QFETCH(QString, path);
    const QImage image(path);
    QVERIFY(!image.isNull());
    QVERIFY(!image.hasAlphaChannel());
}

void TestArtwork::highDensityScreensGetTheSharpPictureAtTheSameLogicalSize_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<qreal>("expectedRatio");
    QTest::newRow("1") << 1.0 << 1.0;
    QTest::newRow("1.25") << 1.25 << 2.0;
    QTest::newRow("2") << 2.0 << 2.0;
    // A 4K board drawn 2.82 times its design size.
    QTest::newRow("2.82") << 2.82 << 3.0;
    QTest::newRow("3") << 3.0 << 3.0;
    QTest::newRow("4") << 4.0 << 3.0;
}

void TestArtwork::highDensityScreensGetTheSharpPictureAtTheSameLogicalSize()
{
    QFETCH(qreal, ratio);
    QFETCH(qreal, expectedRatio);
    const QPixmap band = Artwork::pixmap(Artwork::bannerBandPath, ratio);
    QCOMPARE(band.devicePixelRatio(), expectedRatio);
    QCOMPARE(band.deviceIndependentSize(), QSizeF(Artwork::bannerBandWidth, 260));
}

void TestArtwork::anUnknownPictureGivesANullPixmap()
{
    QVERIFY(Artwork::pixmap(":/assets/nothing.png", 1.0).isNull());
    QVERIFY(Artwork::pixmap(":/assets/nothing.png", 2.0).isNull());
}

void TestArtwork::everyRunnerFrameIsEdgedInWindowGreenAtBothScales_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("scale");
    QTest::newRow("1x") << Artwork::runnerPath << 1;
    QTest::newRow("2x") << QString(":/assets/runner@2x.png") << 2;
    QTest::newRow("3x") << QString(":/assets/runner@3x.png") << 3;
}

void TestArtwork::everyRunnerFrameIsEdgedInWindowGreenAtBothScales()
{
    // A frame is copied into a box on the green window: any other colour on
    // its rim shows as a seam around the figure.
    QFETCH(QString, path);
    QFETCH(int, scale);
    const QImage strip = QImage(path).convertToFormat(QImage::Format_RGB32);
    const int w = Artwork::runnerFrameSize.width() * scale;
    const int h = Artwork::runnerFrameSize.height() * scale;
    for (int k = 0; k < Artwork::runnerFrameCount; ++k) {
        const int top = k * h;
        QCOMPARE(offGreenPixels(strip, QRect(0, top, w, 1)), 0);
        QCOMPARE(offGreenPixels(strip, QRect(0, top + h - 1, w, 1)), 0);
        QCOMPARE(offGreenPixels(strip, QRect(0, top, 1, h)), 0);
        QCOMPARE(offGreenPixels(strip, QRect(w - 1, top, 1, h)), 0);
    }
}

void TestArtwork::everyRunnerFrameShowsTheFigureInADifferentPhase()
{
    const QImage strip = QImage(Artwork::runnerPath).convertToFormat(QImage::Format_RGB32);
    const QSize frame = Artwork::runnerFrameSize;
    for (int k = 0; k < Artwork::runnerFrameCount; ++k) {
        const QRect band(QPoint(0, k * frame.height()), frame);
        // The figure fills a good part of the frame.
        QVERIFY2(offGreenPixels(strip, band) > frame.width() * frame.height() / 8,
                 qPrintable(QString("frame %1").arg(k)));
        const QRect next(QPoint(0, ((k + 1) % Artwork::runnerFrameCount) * frame.height()), frame);
        QVERIFY2(strip.copy(band) != strip.copy(next), qPrintable(QString("frame %1").arg(k)));
    }
}

void TestArtwork::aRunnerFrameIsItsBandOfTheStrip()
{
    for (qreal ratio : {1.0, 2.0}) {
        const QPixmap strip = Artwork::pixmap(Artwork::runnerPath, ratio);
        const QImage whole = strip.toImage();
        for (int k = 0; k < Artwork::runnerFrameCount; ++k) {
            const QPixmap frame = runnerFrame(strip, k);
            QCOMPARE(frame.deviceIndependentSize(), QSizeF(Artwork::runnerFrameSize));
            QCOMPARE(frame.devicePixelRatio(), ratio);
            const int h = whole.height() / Artwork::runnerFrameCount;
            QCOMPARE(frame.toImage().convertToFormat(QImage::Format_RGB32),
                     whole.copy(0, k * h, whole.width(), h).convertToFormat(QImage::Format_RGB32));
        }
    }
}

void TestArtwork::aRunnerFrameOutsideTheStripIsNull()
{
    const QPixmap strip = Artwork::pixmap(Artwork::runnerPath);
    QVERIFY(runnerFrame(strip, -1).isNull());
    QVERIFY(runnerFrame(strip, 6).isNull());
    QVERIFY(runnerFrame(QPixmap(), 0).isNull());
}

void TestArtwork::theBannerRunsOnIntoTheWindowGreenAtItsBottom_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("rows");
    QTest::newRow("band 1x") << Artwork::bannerBandPath << 4;
    QTest::newRow("band 2x") << QString(":/assets/banner_band@2x.png") << 8;
    QTest::newRow("band 3x") << QString(":/assets/banner_band@3x.png") << 12;
}

void TestArtwork::theBannerRunsOnIntoTheWindowGreenAtItsBottom()
{
    // The rows start right below the banner, on the window green.
    QFETCH(QString, path);
    QFETCH(int, rows);
    const QImage banner = QImage(path).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(offGreenPixels(banner, QRect(0, banner.height() - rows, banner.width(), rows)), 0);
}

void TestArtwork::aBannerGroupIsDrawnWhollyInsideItsRectangle_data()
{
    QTest::addColumn<QString>("path");
    for (const Artwork::BannerGroup &group : Artwork::bannerGroups) {
        QTest::newRow(qPrintable(group.path)) << group.path;
        QTest::newRow(qPrintable(group.path.chopped(4) + "@2x")) << group.path.chopped(4) + "@2x.png";
        QTest::newRow(qPrintable(group.path.chopped(4) + "@3x")) << group.path.chopped(4) + "@3x.png";
    }
}

void TestArtwork::aBannerGroupIsDrawnWhollyInsideItsRectangle()
{
    // A figure cut by its rectangle would show a straight edge on the sky,
    // and one reaching the bottom would spoil the grass's run into the
    // window green. Only the top is the banner's own edge.
    QFETCH(QString, path);
    const QImage group = QImage(path).convertToFormat(QImage::Format_ARGB32);
    QVERIFY(!group.isNull());
    const auto clear = [&](const QRect &area) {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (qAlpha(group.pixel(x, y)) != 0)
                    return false;
        return true;
    };
    const int w = group.width();
    const int h = group.height();
    QVERIFY(clear(QRect(0, 0, 1, h)));
    QVERIFY(clear(QRect(w - 1, 0, 1, h)));
    QVERIFY(clear(QRect(0, h - h / 32, w, h / 32)));
    QVERIFY(!clear(group.rect()));
}

void TestArtwork::theWindowIconCarriesEverySize()
{
    const QIcon icon = Artwork::windowIcon();
    const QList<QSize> sizes = icon.availableSizes();
    for (int size : {16, 32, 48, 256})
        QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
    // The 16 pixel image is its own drawing, not the 256 one shrunk.
    QCOMPARE(icon.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32),
             QImage(":/assets/icon16.png").convertToFormat(QImage::Format_ARGB32));
}

void TestArtwork::theSvgIconRenders()
{
#ifdef Q_OS_WIN
    QSKIP("the Windows program ships no SVG renderer: its icons are the PNGs");
#endif
    const QIcon svg(":/assets/icon.svg");
    const QImage image = svg.pixmap(QSize(64, 64)).toImage();
    QVERIFY(!image.isNull());
    // Its screen is green in the middle, its corners stay clear.
    const QColor middle = image.pixelColor(16, 36);
    QVERIFY(middle.green() > middle.red() && middle.green() > middle.blue());
    QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
}

void TestArtwork::theStartSoundBesideTheProgramIsTheAssetsCopy()
{
    QFile built(BUILT_START_SOUND);
    QFile source(SOURCE_START_SOUND);
    QVERIFY(built.open(QIODevice::ReadOnly));
    QVERIFY(source.open(QIODevice::ReadOnly));
    QCOMPARE(built.readAll(), source.readAll());
}

void TestArtwork::theStartSoundIsAShortAudibleMonoPcmSignal()
{
    QFile file(BUILT_START_SOUND);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const WavFormat wav = readWav(file.readAll());
    QCOMPARE(wav.format, quint16(1));
    QCOMPARE(wav.channels, quint16(1));
    QCOMPARE(wav.bits, quint16(16));
    QVERIFY(wav.rate == 22050 || wav.rate == 44100);

    const qsizetype count = wav.samples.size() / 2;
    const double seconds = double(count) / wav.rate;
    QVERIFY2(seconds >= 1.0 && seconds <= 2.0, qPrintable(QString::number(seconds)));

    // Loud enough to hear over a room, never clipped, and silent at its end
    // so it stops without a click.
    int peak = 0;
    for (qsizetype i = 0; i < count; ++i)
        peak = std::max(peak, std::abs(int(qFromLittleEndian<qint16>(wav.samples.constData() + 2 * i))));
    QVERIFY2(peak > 32767 / 4, qPrintable(QString::number(peak)));
    QVERIFY2(peak < 32767, qPrintable(QString::number(peak)));
    const int last = std::abs(int(qFromLittleEndian<qint16>(wav.samples.constData() + 2 * (count - 1))));
    QVERIFY2(last < 200, qPrintable(QString::number(last)));
}

void TestArtwork::theStartSoundRisesAndHoldsASteadyTopNote()
{
    QFile file(BUILT_START_SOUND);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const WavFormat wav = readWav(file.readAll());
    QVERIFY(wav.rate > 0);

    // Four short notes, each higher than the one before.
    int previous = 0;
    for (double start : {0.02, 0.17, 0.32, 0.47}) {
        const int pitch = zeroCrossings(wav, start, start + 0.1);
        QVERIFY2(pitch > previous, qPrintable(QString("note at %1 s").arg(start)));
        previous = pitch;
    }
    // The held note only wavers a little (its vibrato once ran away into a
    // siren that swept wider with every second).
    QList<int> held;
    for (double start = 0.7; start < 1.35; start += 0.1)
        held << zeroCrossings(wav, start, start + 0.1);
    const auto [low, high] = std::minmax_element(held.cbegin(), held.cend());
    QVERIFY2(*high - *low <= *low / 30, qPrintable(QString("%1 .. %2").arg(*low).arg(*high)));
}

QTEST_MAIN(TestArtwork)
#include "tst_artwork_resources.moc"
