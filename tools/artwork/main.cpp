// Writes every picture of the program, at 1x, @2x and (the board's) @3x, and the start sound
// into the given folder (the repository's assets/).
#include "artwork.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

using namespace artwork;

namespace {

bool writeFile(const QDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        return false;
    }
    return true;
}

bool writeImage(const QDir &dir, const QString &name, const QImage &image, bool opaque)
{
    const QImage out = opaque ? image.convertToFormat(QImage::Format_RGB32) : image;
    if (!out.save(dir.filePath(name), "PNG", 0)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(dir.filePath(name)));
        return false;
    }
    std::printf("%-24s %4d x %d\n", qPrintable(name), out.width(), out.height());
    return true;
}

// Writes name.png and name@2x.png from one drawing, and name@3x.png for the
// pictures a board larger than its design draws larger (`board`).
bool writeBoth(const QDir &dir, const QString &name, QSize size, const Drawing &draw, bool opaque,
               bool board = true)
{
    bool ok = true;
    for (int scale : {1, 2, 3}) {
        if (scale == 3 && !board)
            continue;
        const QString file = name + (scale > 1 ? QStringLiteral("@%1x.png").arg(scale) : QStringLiteral(".png"));
        ok = writeImage(dir, file, render(size, scale, draw), opaque) && ok;
    }
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    // Only fonts and painting are needed; no window opens.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <assets folder>\n", argv[0]);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.exists()) {
        std::fprintf(stderr, "no folder %s\n", argv[1]);
        return 2;
    }

    bool ok = true;
    ok = writeBoth(dir, "banner_band", QSize(bannerBandWidth, bannerSize.height()),
                   drawBannerBand, true) && ok;
    for (const BannerGroup &group : bannerGroups()) {
        const auto cropped = [&](QPainter &p) {
            p.translate(-group.rect.topLeft());
            group.draw(p);
        };
        ok = writeBoth(dir, group.name, group.rect.size(), cropped, false) && ok;
    }
    ok = writeBoth(dir, "runner",
                   QSize(runnerFrameSize.width(), runnerFrameSize.height() * runnerFrameCount),
                   drawRunnerStrip, true) && ok;
    const struct { const char *name; QString caption; } buttons[] = {
        {"button_start", QStringLiteral("출발")},
        {"button_load", QStringLiteral("불러오기")},
        {"button_save", QStringLiteral("저장하기")},
        {"button_winner", QStringLiteral("승리팀")},
    };
    for (const auto &b : buttons)
        ok = writeBoth(dir, b.name, buttonFaceSize,
                       [&](QPainter &p) { drawButtonFace(p, b.caption); }, true) && ok;
    ok = writeBoth(dir, "door", doorSize, drawDoor, true) && ok;
    ok = writeBoth(dir, "logo", logoSize, drawLogo, false, false) && ok;
    // The Windows .ico is packed from these PNGs when the program is built.
    for (int size : {16, 32, 48, 256})
        ok = writeImage(dir, QStringLiteral("icon%1.png").arg(size), windowIcon(size), false) && ok;
    ok = writeFile(dir, "icon.svg", windowIconSvg()) && ok;
    ok = writeFile(dir, "start.wav", startSignalWav()) && ok;
    return ok ? 0 : 1;
}
