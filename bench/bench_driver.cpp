#include "bench_driver.h"

#include "figures.h"
#include "game_engine.h"

#include <QFile>
#include <QHash>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace bench {

namespace {

using Figures = QHash<QString, QString>;

struct Screen
{
    QString label;
    int width;  // device-independent pixels
    int height;
    int dpr;
};

const Screen Board_Screens[] = {
    {QStringLiteral("1024x766"), 1024, 766, 1},
    {QStringLiteral("1920x1080"), 1920, 1080, 1},
    {QStringLiteral("3840x2160"), 3840, 2160, 1},
    {QStringLiteral("1920x1080 dpr 2"), 1920, 1080, 2},
};
const Screen Program_Screen{QStringLiteral("1920x1080"), 1920, 1080, 1};
// The board's backing store grows with the screen: memory on a 4K projector.
const Screen Large_Program_Screen{QStringLiteral("3840x2160"), 3840, 2160, 1};

constexpr double Budget_Ms = GameEngine::TickIntervalMs;

QString layoutFile(const QTemporaryDir &dir, const Screen &screen)
{
    const QString path = dir.filePath(QStringLiteral("screen_%1x%2_%3.json")
                                          .arg(screen.width).arg(screen.height).arg(screen.dpr));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(QStringLiteral(
                       "{\"screens\":[{\"name\":\"bench\",\"x\":0,\"y\":0,\"width\":%1,"
                       "\"height\":%2,\"logicalDpi\":96,\"logicalBaseDpi\":96,\"dpr\":%3}]}\n")
                       .arg(screen.width).arg(screen.height).arg(screen.dpr).toUtf8());
    }
    return path;
}

// Runs one case; `launchNs` is the moment just before the process was started.
Figures runChild(const DriverOptions &options, const QString &layout, const QStringList &args,
                 qint64 *launchNs = nullptr)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + layout);
    env.remove(QStringLiteral("QT_SCALE_FACTOR"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (launchNs)
        *launchNs = monotonicNs();
    child.start(options.executable, args);
    Figures figures;
    if (!child.waitForFinished(10 * 60 * 1000) || child.exitCode() != 0) {
        std::fprintf(stderr, "zanto_bench: case %s failed\n", qPrintable(args.join(u' ')));
        child.kill();
        child.waitForFinished();
        return figures;
    }
    const QStringList lines = QString::fromUtf8(child.readAllStandardOutput()).split(u'\n');
    for (const QString &line : lines) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0)
            figures.insert(line.left(eq), line.mid(eq + 1));
    }
    return figures;
}

double number(const Figures &figures, const QString &key)
{
    bool ok = false;
    const double value = figures.value(key).toDouble(&ok);
    return ok ? value : std::nan("");
}

QString ms(double value, int decimals = 3)
{
    return std::isnan(value) ? QStringLiteral("-") : QString::number(value, 'f', decimals) + QStringLiteral(" ms");
}

QString percentOfBudget(double value)
{
    return std::isnan(value) ? QStringLiteral("-")
                             : QString::number(100.0 * value / Budget_Ms, 'f', 2) + QStringLiteral(" %");
}

QString verdict(double value, double limit)
{
    if (std::isnan(value))
        return QStringLiteral("?");
    return value < limit ? QStringLiteral("met") : QStringLiteral("MISSED");
}

void row(const QString &what, const QString &size, const QString &median, const QString &p90,
         const QString &max, const QString &goal, const QString &result)
{
    // Padding by characters, not bytes, so Hangul keeps the columns.
    const auto pad = [](const QString &s, int n) { return s.leftJustified(n, u' '); };
    std::printf("%s\n", qPrintable(pad(what, 27) + pad(size, 17) + pad(median, 12) + pad(p90, 12)
                                   + pad(max, 12) + pad(goal, 16) + result));
}

void tickRow(const QString &what, const Screen &screen, const Figures &f, const QString &key,
             double goal)
{
    const double median = number(f, key + QStringLiteral(".median"));
    const QString goalText = goal > 0 ? QStringLiteral("< %1 ms").arg(goal) : QString();
    const QString result = goal > 0 ? verdict(median, goal) + QStringLiteral(", ") + percentOfBudget(median)
                                    : percentOfBudget(median) + QStringLiteral(" of budget");
    row(what, screen.label, ms(median), ms(number(f, key + QStringLiteral(".p90"))),
        ms(number(f, key + QStringLiteral(".max"))), goalText, result);
}

double medianOf(std::vector<double> values)
{
    values.erase(std::remove_if(values.begin(), values.end(), [](double v) { return std::isnan(v); }),
                 values.end());
    if (values.empty())
        return std::nan("");
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int runDriver(const DriverOptions &options)
{
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "zanto_bench: no temporary folder\n");
        return 1;
    }

    std::vector<Figures> boards;
    for (const Screen &screen : Board_Screens) {
        std::fprintf(stderr, "zanto_bench: board at %s ...\n", qPrintable(screen.label));
        boards.push_back(runChild(options, layoutFile(dir, screen),
                                  {QStringLiteral("--child"), QStringLiteral("board"),
                                   QStringLiteral("--rounds"), QString::number(options.rounds)}));
    }

    const QString programLayout = layoutFile(dir, Program_Screen);
    std::vector<double> toSetup, toMain, toBoard;
    Figures firstStart;
    for (int i = 0; i < options.startups; ++i) {
        std::fprintf(stderr, "zanto_bench: program start %d of %d ...\n", i + 1, options.startups);
        qint64 launch = 0;
        const Figures f = runChild(options, programLayout,
                                   {QStringLiteral("--child"), QStringLiteral("program"),
                                    QStringLiteral("--startup-only")}, &launch);
        if (i == 0)
            firstStart = f;
        toMain.push_back((number(f, QStringLiteral("main_ns")) - double(launch)) / 1e6);
        toSetup.push_back((number(f, QStringLiteral("setup_paint_ns")) - double(launch)) / 1e6);
        toBoard.push_back((number(f, QStringLiteral("board_paint_ns"))
                           - number(f, QStringLiteral("start_click_ns"))) / 1e6);
    }

    std::fprintf(stderr, "zanto_bench: a whole round and %d s idle ...\n", options.idleMs / 1000);
    const Figures program = runChild(options, programLayout,
                                     {QStringLiteral("--child"), QStringLiteral("program"),
                                      QStringLiteral("--idle-ms"), QString::number(options.idleMs)});

    std::fprintf(stderr, "zanto_bench: a whole round at %s ...\n", qPrintable(Large_Program_Screen.label));
    const Figures large = runChild(options, layoutFile(dir, Large_Program_Screen),
                                   {QStringLiteral("--child"), QStringLiteral("program"),
                                    QStringLiteral("--no-idle")});

    std::printf("\nZanto 점수판 benchmark: 8 teams, Qt offscreen platform (raster), tick budget %g ms\n\n",
                Budget_Ms);
    row(QStringLiteral("Measure"), QStringLiteral("Screen"), QStringLiteral("Median"),
        QStringLiteral("90 %"), QStringLiteral("Max"), QStringLiteral("Goal"), QStringLiteral("Result"));
    for (std::size_t i = 0; i < boards.size(); ++i) {
        const Screen &screen = Board_Screens[i];
        const double goal = screen.dpr == 1 && screen.width == 3840 ? 0.5
                          : screen.dpr == 1 && screen.width == 1920 ? 0.3 : 0.0;
        tickRow(QStringLiteral("Race tick + painting"), screen, boards[i], QStringLiteral("race"), goal);
    }
    for (std::size_t i = 0; i < boards.size(); ++i)
        tickRow(QStringLiteral("Race last tick (commit)"), Board_Screens[i], boards[i],
                QStringLiteral("race_last"), 0.0);
    for (std::size_t i = 0; i < boards.size(); ++i)
        tickRow(QStringLiteral("Highlight tick + painting"), Board_Screens[i], boards[i], QStringLiteral("highlight"), 0.0);
    for (std::size_t i = 0; i < boards.size(); ++i)
        tickRow(QStringLiteral("Layout (layOutRows)"), Board_Screens[i], boards[i], QStringLiteral("layout"), 0.0);
    for (std::size_t i = 0; i < boards.size(); ++i)
        tickRow(QStringLiteral("Resize + repaint"), Board_Screens[i], boards[i], QStringLiteral("resize"), 0.0);

    std::printf("\n");
    const double setupMs = medianOf(toSetup);
    row(QStringLiteral("Start to setup first paint"), Program_Screen.label, ms(setupMs, 1),
        QString(), ms(*std::max_element(toSetup.begin(), toSetup.end()), 1),
        QStringLiteral("< 100 ms"), verdict(setupMs, 100.0));
    row(QStringLiteral("  of which start to main()"), Program_Screen.label, ms(medianOf(toMain), 1),
        QString(), QString(), QString(), QString());
    row(QStringLiteral("Start click to board paint"), Program_Screen.label, ms(medianOf(toBoard), 1),
        QString(), ms(*std::max_element(toBoard.begin(), toBoard.end()), 1), QString(),
        QStringLiteral("board %1").arg(firstStart.value(QStringLiteral("board_size"))));

    const double duration = number(program, QStringLiteral("round.duration_ms"));
    const double ideal = Budget_Ms * (GameEngine::RaceTicks + 1);
    row(QStringLiteral("Real-time round"), Program_Screen.label, ms(duration, 1), QString(), QString(),
        QStringLiteral("%1 ms ± 1 %").arg(ideal),
        (std::abs(duration - ideal) <= ideal / 100 ? QStringLiteral("met") : QStringLiteral("MISSED"))
            + QStringLiteral(", %1 ticks").arg(program.value(QStringLiteral("round.ticks"))));
    const double gap = number(program, QStringLiteral("round.worst_gap_ms"));
    row(QStringLiteral("  worst gap between ticks"), Program_Screen.label, QString(), QString(), ms(gap, 1),
        QStringLiteral("< %1 ms").arg(2 * Budget_Ms), verdict(gap, 2 * Budget_Ms));
    row(QStringLiteral("  CPU time of the round"), Program_Screen.label,
        ms(number(program, QStringLiteral("round.cpu_ms")), 0), QString(), QString(), QString(), QString());

    const double idle = number(program, QStringLiteral("idle.cpu_ms"));
    row(QStringLiteral("CPU in %1 s idle").arg(options.idleMs / 1000), Program_Screen.label, ms(idle, 0),
        QString(), QString(), QStringLiteral("none (< 10 ms)"),
        verdict(idle, 10.0) + QStringLiteral(", %1 timer events, %2 windows")
                                  .arg(program.value(QStringLiteral("idle.timer_events")),
                                       program.value(QStringLiteral("idle.windows"))));
    const double peak = number(program, QStringLiteral("peak_rss_kib.round")) / 1024.0;
    row(QStringLiteral("Peak memory through round"), Program_Screen.label,
        std::isnan(peak) ? QStringLiteral("-") : QString::number(peak, 'f', 1) + QStringLiteral(" MiB"),
        QString(), QString(), QStringLiteral("< 60 MiB"), verdict(peak, 60.0));

    const double largePeak = number(large, QStringLiteral("peak_rss_kib.round")) / 1024.0;
    row(QString(), Large_Program_Screen.label,
        std::isnan(largePeak) ? QStringLiteral("-") : QString::number(largePeak, 'f', 1) + QStringLiteral(" MiB"),
        QString(), QString(), QStringLiteral("< 60 MiB"), verdict(largePeak, 60.0));

    std::printf("\nRepainted per race tick:");
    for (std::size_t i = 0; i < boards.size(); ++i)
        std::printf(" %s %.1f paints / %.0f px;", qPrintable(Board_Screens[i].label),
                    number(boards[i], QStringLiteral("race.paints_per_tick")),
                    number(boards[i], QStringLiteral("race.area_per_tick")));
    std::printf("\nBoard windows:");
    for (std::size_t i = 0; i < boards.size(); ++i)
        std::printf(" %s -> %s dpr %s;", qPrintable(Board_Screens[i].label),
                    qPrintable(boards[i].value(QStringLiteral("window"))),
                    qPrintable(boards[i].value(QStringLiteral("dpr"))));
    std::printf("\n");
    return 0;
}

} // namespace bench
