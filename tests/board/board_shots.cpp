// Pictures of the board at a given window size and what can be measured in
// them. Not a test; a tool for looking at the board and comparing it.
//
//   board_shots shoot <width> <height> <six|two|eight> <prefix>
//     writes <prefix>-teams.png (the game shown), <prefix>-race.png (75 of
//     the race's 150 ticks), <prefix>-after.png (the round committed) and
//     <prefix>.scr (the saved game's bytes), and prints, for each picture
//     and row, the height of the name's lettering and of the score's
//     digits in the picture's own pixels and as a share of its height, and
//     whether the button shows the whole name.
//   board_shots diff <a.png> <b.png>
//     prints how many pixels differ; exits 1 when any do or the sizes differ.
//
// Run it on the offscreen platform (QT_QPA_PLATFORM=offscreen); with
// QT_SCALE_FACTOR=2 a 1920 x 1080 window gives a 3840 x 2160 picture.
#include "counting_sound.h"
#include "game_engine.h"
#include "game_setup.h"
#include "presenter_commands.h"
#include "qt_dialogs.h"
#include "saved_games_folder.h"
#include "score_bar.h"
#include "score_file.h"
#include "scoreboard_window.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

// Six names of 2, 4, 7, 12, 16 and 25 letters, as churches and schools
// name their teams.
const QList<TeamStanding> sixTeams{
    {QStringLiteral("믿음"), 120},
    {QStringLiteral("소망가족"), 80},
    {QStringLiteral("청년부 다윗팀"), 240},
    {QStringLiteral("중고등부 요셉과 형제들"), 35},
    {QStringLiteral("주일학교 꿈나무 어린이 찬양단"), 310},
    {QStringLiteral("은혜와 평강의 할렐루야 찬양대 소프라노 연합팀"), 0},
};
const QList<qint64> sixPending{30, 50, 10, 100, -20, 40};

const QList<TeamStanding> eightTeams{
    {QStringLiteral("믿음"), 120}, {QStringLiteral("소망"), 80}, {QStringLiteral("사랑"), 240},
    {QStringLiteral("진리"), 35},  {QStringLiteral("지혜"), 310}, {QStringLiteral("은혜"), 0},
    {QStringLiteral("평화"), 175}, {QStringLiteral("기쁨"), 60},
};
const QList<qint64> eightPending{30, 50, 10, 100, -20, 40, 0, 70};

const QList<TeamStanding> twoTeams{{QStringLiteral("믿음"), 120}, {QStringLiteral("소망"), 300}};
const QList<qint64> twoPending{60, 20};

bool isInk(QRgb pixel)
{
    return qGray(pixel) < 80;
}

// The tallest of `lines` lines of lettering inside `area`, leaving out
// `hole`: the rows holding ink, parted at the lines - 1 widest gaps between
// them (a Hangul syllable's final consonant stands a little apart too).
int inkHeight(const QImage &shot, const QRect &area, int lines, const QRect &hole = {})
{
    QList<int> inkRows;
    const QRect inside = area.intersected(shot.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        bool ink = false;
        for (int x = inside.left(); x <= inside.right() && !ink; ++x)
            ink = !hole.contains(x, y) && isInk(shot.pixel(x, y));
        if (ink)
            inkRows.append(y);
    }
    if (inkRows.isEmpty())
        return 0;
    QList<std::pair<int, int>> gaps; // (width, index of the row after it)
    for (int i = 1; i < inkRows.size(); ++i) {
        if (inkRows[i] - inkRows[i - 1] > 1)
            gaps.append({inkRows[i] - inkRows[i - 1], i});
    }
    std::sort(gaps.begin(), gaps.end(), std::greater<>());
    QList<int> starts{0};
    for (int i = 0; i < lines - 1 && i < gaps.size(); ++i)
        starts.append(gaps[i].second);
    std::sort(starts.begin(), starts.end());
    starts.append(inkRows.size());
    int tallest = 0;
    for (int i = 0; i + 1 < starts.size(); ++i)
        tallest = std::max(tallest, inkRows[starts[i + 1] - 1] - inkRows[starts[i]] + 1);
    return tallest;
}

QRect inPicture(const QRect &logical, qreal ratio)
{
    return QRect(qRound(logical.x() * ratio), qRound(logical.y() * ratio),
                 qRound(logical.width() * ratio), qRound(logical.height() * ratio));
}

void measure(const ScoreboardWindow &board, const GameEngine &engine, const QImage &shot,
             const char *moment)
{
    const qreal ratio = shot.devicePixelRatio();
    const int h = shot.height();
    for (int i = 0; i < engine.rowsShown(); ++i) {
        const auto *button = board.findChild<QPushButton *>(QStringLiteral("TCmd_%1").arg(i));
        const auto *bar = board.findChild<ScoreBar *>(QStringLiteral("TeamLabel_%1").arg(i));
        const auto *figure = board.findChild<QWidget *>(QStringLiteral("T_Pic_%1").arg(i));
        // Inside the button's bevel and focus frame.
        const int inset = qCeil(4 * ratio * button->height() / 50.0);
        const QRect face = inPicture(button->geometry(), ratio).adjusted(inset, inset, -inset, -inset);
        const QString shown = button->text();
        const int lines = int(shown.count(u'\n')) + 1;
        const int name = inkHeight(shot, face, lines);
        // The figure, in its bar or in front of it, with its spots left out.
        const QRect figureRect = inPicture(QRect(figure->mapTo(&board, QPoint()), figure->size()), ratio);
        const int digits = inkHeight(shot, inPicture(bar->geometry(), ratio), 1, figureRect);
        const bool whole = !shown.contains(QChar(0x2026));
        std::printf("%s\t%d x %d\trow %d\tname %3d px %5.2f %%\tlines %d\tscore %3d px %5.2f %%\t%s\t%s\n",
                    moment, shot.width(), h, i, name, 100.0 * name / h, lines, digits,
                    100.0 * digits / h, whole ? "whole" : "cut", qPrintable(shown.simplified()));
    }
}

int diff(const QString &a, const QString &b)
{
    QImage first(a);
    QImage second(b);
    if (first.isNull() || second.isNull() || first.size() != second.size()) {
        std::printf("sizes differ or a picture is missing\n");
        return 1;
    }
    first = first.convertToFormat(QImage::Format_RGB32);
    second = second.convertToFormat(QImage::Format_RGB32);
    qint64 differing = 0;
    for (int y = 0; y < first.height(); ++y) {
        const auto *p = reinterpret_cast<const QRgb *>(first.constScanLine(y));
        const auto *q = reinterpret_cast<const QRgb *>(second.constScanLine(y));
        for (int x = 0; x < first.width(); ++x)
            differing += p[x] != q[x];
    }
    std::printf("%lld differing pixels\n", static_cast<long long>(differing));
    return differing == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == QLatin1String("diff"))
        return diff(args[2], args[3]);
    if (args.size() != 6 || args[1] != QLatin1String("shoot")) {
        std::fprintf(stderr, "usage: board_shots shoot <width> <height> <six|two|eight> <prefix>\n"
                             "       board_shots diff <a.png> <b.png>\n");
        return 2;
    }
    const QSize size(args[2].toInt(), args[3].toInt());
    const QString teams = args[4];
    const QString prefix = args[5];

    GameEngine engine;
    const bool two = teams == QLatin1String("two");
    const bool eight = teams == QLatin1String("eight");
    setUpGame(engine, two ? twoTeams : eight ? eightTeams : sixTeams);
    const QList<qint64> &pending = two ? twoPending : eight ? eightPending : sixPending;
    for (int i = 0; i < pending.size(); ++i)
        addPendingPoints(engine, i, pending[i]);

    QTemporaryDir games;
    const SavedGamesFolder folder(games.path());
    QtDialogs dialogs;
    CountingSound sound;
    PresenterCommands commands(engine, folder, dialogs);
    ScoreboardWindow board(commands, sound);
    board.resize(size);
    board.move(0, 0);
    board.show();
    board.showGame();
    QCoreApplication::processEvents();

    const auto shoot = [&](const char *moment) {
        const QImage shot = board.grab().toImage();
        shot.save(prefix + u'-' + QLatin1String(moment) + QStringLiteral(".png"));
        measure(board, engine, shot, moment);
    };
    shoot("teams");

    engine.startRace();
    engine.findChild<QTimer *>(QStringLiteral("Timer1"))->stop();
    for (int i = 0; i < GameEngine::RaceTicks / 2; ++i)
        engine.raceTick();
    shoot("race");
    // The race's timer stands still: the ticks run by hand to the commit.
    while (engine.tickCount() < GameEngine::RaceTicks)
        engine.raceTick();
    engine.raceTick();
    shoot("after");

    QFile saved(prefix + QStringLiteral(".scr"));
    if (saved.open(QIODevice::WriteOnly))
        saved.write(scoreFileBytes(engine.standings()));
    return 0;
}
