#include "artwork_resources.h"
#include "banner_artwork.h"
#include "banner_picture.h"
#include "board_colours.h"
#include "counting_sound.h"
#include "figure_box.h"
#include "game_engine.h"
#include "game_setup.h"
#include "presenter_commands.h"
#include "saved_games_folder.h"
#include "score_bar.h"
#include "scoreboard_window.h"
#include "scripted_dialogs.h"

#include <QPixmap>
#include <QTest>

#include <cmath>
#include <cstdlib>

namespace {

constexpr int DesignWidth = 1022;
constexpr int BannerHeight = 260;

// Features at the ends of the banner's groups: a colour found only there,
// looked for within a part of the group's picture (logical pixels).
struct Feature
{
    const char *name;
    int group;
    QColor ink;
    QRect part;
};

const QRect anywhere(0, 0, 1022, 260);
const Feature features[] = {
    {"cheer", 0, QColor(150, 40, 20), anywhere},
    {"red shirt", 0, QColor(220, 50, 50), anywhere},
    {"purple shirt", 0, QColor(150, 80, 200), anywhere},
    {"motto's start", 1, QColor(28, 48, 110), QRect(0, 96, 200, 70)},
    {"motto's end", 1, QColor(28, 48, 110), QRect(200, 96, 320, 70)},
    {"green shirt", 2, QColor(40, 170, 90), anywhere},
    {"cyan shirt", 2, QColor(30, 160, 200), anywhere},
};

// The nearly opaque pixels of `image` within 8 of `ink` inside `area`: how
// many, and their centre, which hardly moves when shrinking thins the edges.
struct Blob
{
    int pixels = 0;
    QPointF centre;
};

Blob findBlob(const QImage &image, const QColor &ink, const QRect &area)
{
    Blob blob;
    const QRect within = area.intersected(image.rect());
    for (int y = within.top(); y <= within.bottom(); ++y) {
        for (int x = within.left(); x <= within.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) >= 240 && std::abs(qRed(p) - ink.red()) <= 8
                && std::abs(qGreen(p) - ink.green()) <= 8 && std::abs(qBlue(p) - ink.blue()) <= 8) {
                ++blob.pixels;
                blob.centre += QPointF(x, y);
            }
        }
    }
    if (blob.pixels > 0)
        blob.centre /= blob.pixels;
    return blob;
}

QImage groupPicture(int group, qreal ratio)
{
    return Artwork::pixmap(Artwork::bannerGroups[std::size_t(group)].path, ratio)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}

QImage drawnBanner(int width, qreal ratio)
{
    return BannerArtwork(ratio).draw(QSize(width, BannerHeight), ratio)
        .convertToFormat(QImage::Format_ARGB32);
}

// Banner widths and ratios, with where the middle and right groups move to
// on a banner wider than the design: centred and flush right.
void addBannerRows(bool narrowToo)
{
    QTest::addColumn<int>("width");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<int>("middleShift");
    QTest::addColumn<int>("rightShift");
    for (qreal ratio : {1.0, 2.0}) {
        const auto row = [ratio](int width) -> QTestData & {
            return QTest::addRow("%d at %gx", width, ratio) << width << ratio;
        };
        if (narrowToo)
            row(1000) << 0 << 0;
        row(1024) << 1 << 2;
        row(1920) << 449 << 898;
        row(3840) << 1409 << 2818;
    }
}

bool isSky(QRgb pixel)
{
    return qBlue(pixel) > qRed(pixel) + 40;
}

bool isStrip(QRgb pixel)
{
    return std::abs(qRed(pixel) - qGreen(pixel)) <= 12 && std::abs(qGreen(pixel) - qBlue(pixel)) <= 12
        && qRed(pixel) >= 160;
}

// The board with a few teams, at a given size.
struct Board
{
    GameEngine engine;
    SavedGamesFolder folder;
    ScriptedDialogs dialogs;
    CountingSound sound;
    PresenterCommands commands{engine, folder, dialogs};
    ScoreboardWindow window{commands, sound};
    BannerPicture *banner = window.findChild<BannerPicture *>(QStringLiteral("Image1"));

    explicit Board(QSize size)
    {
        setUpGame(engine, numberedTeams({120, 80, 240, 35}));
        for (int i = 0; i < 4; ++i)
            engine.enterPoints(i, QStringLiteral("50"));
        window.setWindowState(Qt::WindowNoState);
        window.resize(size);
        window.show();
        (void)QTest::qWaitForWindowExposed(&window);
        window.showGame();
    }
};

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

} // namespace

class TestBannerPicture : public QObject
{
    Q_OBJECT

private slots:
    void figuresAndLetteringKeepTheirShapeAndLandAtTheirPlace_data();
    void figuresAndLetteringKeepTheirShapeAndLandAtTheirPlace();
    void aWideBannerCopiesEachGroupPixelForPixel_data();
    void aWideBannerCopiesEachGroupPixelForPixel();
    void theBannerIsPaintedEdgeToEdgeAndRunsIntoTheWindowGreen_data();
    void theBannerIsPaintedEdgeToEdgeAndRunsIntoTheWindowGreen();
    void theBoardsBannerSpansTheWindowAt260PixelsHighAsDrawnForItsWidth_data();
    void theBoardsBannerSpansTheWindowAt260PixelsHighAsDrawnForItsWidth();
    void aRaceRepaintsOnlyBarsAndFigures();
};

void TestBannerPicture::figuresAndLetteringKeepTheirShapeAndLandAtTheirPlace_data()
{
    addBannerRows(true);
}

void TestBannerPicture::figuresAndLetteringKeepTheirShapeAndLandAtTheirPlace()
{
    QFETCH(int, width);
    QFETCH(qreal, ratio);
    QFETCH(int, middleShift);
    QFETCH(int, rightShift);
    const QImage banner = drawnBanner(width, ratio);
    // A narrow banner is the design frame shrunk as a whole.
    const qreal scale = std::min(1.0, qreal(width) / DesignWidth);
    const int shifts[] = {0, middleShift, rightShift};
    // One and a half logical pixels. The features are spread over each
    // group, so stretching it by 1 % moves some of them further on a wide
    // banner, and a 1000 pixel banner stretched to 260 high instead of shrunk
    // whole moves the shirts by 4.
    const qreal tolerance = 1.5 * ratio;
    for (const Feature &feature : features) {
        // Shrinking thins the edges of a blob unevenly, so on a narrow banner
        // the blob is looked for in the group's picture shrunk alike.
        const QImage original = groupPicture(feature.group, ratio);
        const QImage picture = scale < 1.0
            ? original.scaled((QSizeF(original.size()) * scale).toSize(), Qt::IgnoreAspectRatio,
                              Qt::SmoothTransformation)
            : original;
        const QRect design = Artwork::bannerGroups[std::size_t(feature.group)].designRect;
        const QRectF part(QPointF(feature.part.topLeft()) * ratio * scale,
                          QSizeF(feature.part.size()) * ratio * scale);
        const Blob source = findBlob(picture, feature.ink, part.toAlignedRect());
        QVERIFY2(source.pixels > 80 * ratio * ratio, feature.name);

        const QPointF placed = QPointF(design.left() + shifts[feature.group], design.top()) * ratio * scale;
        const QPointF expected = source.centre + placed;
        const QRect bannerPart = part.translated(placed).toAlignedRect();
        const Blob found = findBlob(banner, feature.ink, bannerPart);
        QVERIFY2(found.pixels > source.pixels / 2, feature.name);
        QVERIFY2(std::abs(found.centre.x() - expected.x()) <= tolerance, feature.name);
        QVERIFY2(std::abs(found.centre.y() - expected.y()) <= tolerance, feature.name);
    }
}

void TestBannerPicture::aWideBannerCopiesEachGroupPixelForPixel_data()
{
    addBannerRows(false);
}

void TestBannerPicture::aWideBannerCopiesEachGroupPixelForPixel()
{
    // Copied, not resampled: at ratio 2 the @2x pictures land one to one on
    // the screen's pixels. A group drawn over another would show here too.
    QFETCH(int, width);
    QFETCH(qreal, ratio);
    QFETCH(int, middleShift);
    QFETCH(int, rightShift);
    const QImage banner = drawnBanner(width, ratio);
    const int shifts[] = {0, middleShift, rightShift};
    for (int group = 0; group < 3; ++group) {
        const QImage picture = groupPicture(group, ratio);
        const QRect design = Artwork::bannerGroups[std::size_t(group)].designRect;
        const QPoint at = QPoint(design.left() + shifts[group], design.top()) * ratio;
        int opaque = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                if (qAlpha(picture.pixel(x, y)) == 255) {
                    QCOMPARE(banner.pixel(at + QPoint(x, y)), picture.pixel(x, y));
                    ++opaque;
                }
            }
        }
        QVERIFY(opaque > 1000 * ratio * ratio);
    }
}

void TestBannerPicture::theBannerIsPaintedEdgeToEdgeAndRunsIntoTheWindowGreen_data()
{
    addBannerRows(true);
}

void TestBannerPicture::theBannerIsPaintedEdgeToEdgeAndRunsIntoTheWindowGreen()
{
    QFETCH(int, width);
    QFETCH(qreal, ratio);
    const QImage banner = drawnBanner(width, ratio);
    QCOMPARE(banner.size(), QSize(width, BannerHeight) * ratio);

    for (int x = 0; x < banner.width(); ++x)
        QVERIFY2(isSky(banner.pixel(x, 0)), qPrintable(QString::number(x)));
    // Both ends show plain sky and strip down to the grass, never the
    // window's green through a gap.
    const int grassTop = int(220 * ratio * std::min(1.0, qreal(width) / DesignWidth));
    for (int x : {0, banner.width() - 1}) {
        for (int y = 0; y < grassTop; ++y) {
            const QRgb pixel = banner.pixel(x, y);
            QVERIFY2(isSky(pixel) || isStrip(pixel), qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
        }
    }
    // The first row's gap starts right below on the window green.
    const QRgb green = BoardColours::WindowGreen.rgb();
    for (int y = banner.height() - int(4 * ratio); y < banner.height(); ++y) {
        for (int x = 0; x < banner.width(); ++x)
            QVERIFY2(banner.pixel(x, y) == green, qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
    }
}

void TestBannerPicture::theBoardsBannerSpansTheWindowAt260PixelsHighAsDrawnForItsWidth_data()
{
    QTest::addColumn<int>("width");
    for (int width : {1000, 1024, 1920, 3840})
        QTest::addRow("%d", width) << width;
}

void TestBannerPicture::theBoardsBannerSpansTheWindowAt260PixelsHighAsDrawnForItsWidth()
{
    QFETCH(int, width);
    Board board(QSize(width, 766));
    QCOMPARE(board.banner->geometry(), QRect(0, 0, width, BannerHeight));
    // Painted for the screen's density, so a 2x screen gets the sharp pictures.
    const qreal ratio = board.banner->devicePixelRatioF();
    const auto shown = [&board] {
        return board.banner->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    };
    QCOMPARE(shown(), drawnBanner(width, ratio));
    board.window.resize(width + 100, 766);
    QCOMPARE(shown(), drawnBanner(width + 100, ratio));
}

void TestBannerPicture::aRaceRepaintsOnlyBarsAndFigures()
{
    Board board(QSize(1920, 1000));
    QCoreApplication::processEvents();
    PaintCounter bannerPaints, barPaints, figurePaints;
    board.banner->installEventFilter(&bannerPaints);
    for (ScoreBar *bar : board.window.findChildren<ScoreBar *>())
        bar->installEventFilter(&barPaints);
    for (FigureBox *figure : board.window.findChildren<FigureBox *>())
        figure->installEventFilter(&figurePaints);

    board.commands.startRace();
    for (int tick = 0; tick < 20; ++tick) {
        board.engine.raceTick();
        QCoreApplication::processEvents();
    }
    QVERIFY(barPaints.paints > 0);
    QVERIFY(figurePaints.paints > 0);
    QCOMPARE(bannerPaints.paints, 0);
}

QTEST_MAIN(TestBannerPicture)
#include "tst_banner_picture.moc"
