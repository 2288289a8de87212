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

// Runs one case. Its figures get "launch_ns", the moment just before the
// process was started.
Figures runChild(const DriverOptions &options, const QString &layout, const QStringList &args)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + layout);
    env.remove(QStringLiteral("QT_SCALE_FACTOR"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const qint64 launch = monotonicNs();
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
    figures.insert(QStringLiteral("launch_ns"), QString::number(launch));
    return figures;
}

QStringList childArgs(const QString &mode, const QStringList &more = {})
{
    return QStringList{QStringLiteral("--child"), mode} + more;
}

// Starts of the program and of the floor, each in a fresh process, taken in
// turn so that a machine that gets busier or quieter on the way weighs on
// both alike; the medians are compared.
struct Starts
{
    std::vector<Figures> program;
    std::vector<Figures> floor;
};

Starts runStarts(const DriverOptions &options, const QString &layout)
{
    Starts starts;
    const QStringList startOnly{QStringLiteral("--startup-only")};
    for (int i = 0; i < options.startups; ++i) {
        std::fprintf(stderr, "zanto_bench: start %d of %d, program and floor ...\n", i + 1,
                     options.startups);
        starts.program.push_back(runChild(options, layout, childArgs(QStringLiteral("program"), startOnly)));
        starts.floor.push_back(runChild(options, layout, childArgs(QStringLiteral("floor"), startOnly)));
    }
    return starts;
}

double number(const Figures &figures, const QString &key)
{
    bool ok = false;
    const double value = figures.value(key).toDouble(&ok);
    return ok ? value : std::nan("");
}

// Milliseconds from `from` (the process's start by default) to `to`.
double spanMs(const Figures &figures, const QString &to, const QString &from = QStringLiteral("launch_ns"))
{
    return (number(figures, to) - number(figures, from)) / 1e6;
}

template<typename Value>
std::vector<double> each(const std::vector<Figures> &runs, Value value)
{
    std::vector<double> values;
    for (const Figures &f : runs)
        values.push_back(value(f));
    return values;
}

double maxOf(const std::vector<double> &values)
{
    return values.empty() ? std::nan("") : *std::max_element(values.begin(), values.end());
}

QString ms(double value, int decimals = 3)
{
    return std::isnan(value) ? QStringLiteral("-") : QString::number(value, 'f', decimals) + QStringLiteral(" ms");
}

QString mib(double kib)
{
    return std::isnan(kib) ? QStringLiteral("-") : QString::number(kib / 1024.0, 'f', 1) + QStringLiteral(" MiB");
}

QString percentOfBudget(double value)
{
    return std::isnan(value) ? QStringLiteral("-")
                             : QString::number(100.0 * value / Budget_Ms, 'f', 2) + QStringLiteral(" %");
}

QString verdict(double value, double limit)
{
    if (std::isnan(value) || std::isnan(limit))
        return QStringLiteral("?");
    return value <= limit ? QStringLiteral("met") : QStringLiteral("MISSED");
}

void row(const QString &what, const QString &size, const QString &a, const QString &b,
         const QString &c, const QString &goal, const QString &result)
{
    // Padding by characters, not bytes, so Hangul keeps the columns.
    const auto pad = [](const QString &s, int n) { return s.leftJustified(n, u' '); };
    std::printf("%s\n", qPrintable(pad(what, 27) + pad(size, 17) + pad(a, 12) + pad(b, 12)
                                   + pad(c, 12) + pad(goal, 18) + result));
}

void tickRow(const QString &what, const Screen &screen, const Figures &f, const QString &key)
{
    const double median = number(f, key + QStringLiteral(".median"));
    row(what, screen.label, ms(median), ms(number(f, key + QStringLiteral(".p90"))),
        ms(number(f, key + QStringLiteral(".max"))), QString(),
        percentOfBudget(median) + QStringLiteral(" of budget"));
}

// A figure of the program beside the floor's, with their ratio.
void floorRow(const QString &what, const QString &screen, const QString &program,
              const QString &floor, double ratio, const QString &goal, const QString &result)
{
    row(what, screen, program, floor,
        std::isnan(ratio) ? QStringLiteral("-") : QString::number(ratio, 'f', 2) + QStringLiteral(" ×"),
        goal, result);
}

const Figures &atScreen(const std::vector<Figures> &perBoardScreen, const Screen &screen)
{
    for (std::size_t i = 0; i < perBoardScreen.size(); ++i) {
        const Screen &s = Board_Screens[i];
        if (s.width == screen.width && s.height == screen.height && s.dpr == screen.dpr)
            return perBoardScreen[i];
    }
    static const Figures none;
    return none;
}

} // namespace

int runDriver(const DriverOptions &options)
{
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "zanto_bench: no temporary folder\n");
        return 1;
    }

    const QStringList rounds{QStringLiteral("--rounds"), QString::number(options.rounds)};
    std::vector<Figures> boards, floors;
    for (const Screen &screen : Board_Screens) {
        std::fprintf(stderr, "zanto_bench: board and floor at %s ...\n", qPrintable(screen.label));
        const QString layout = layoutFile(dir, screen);
        boards.push_back(runChild(options, layout, childArgs(QStringLiteral("board"), rounds)));
        floors.push_back(runChild(options, layout, childArgs(QStringLiteral("floor"), rounds)));
    }

    const QString programLayout = layoutFile(dir, Program_Screen);
    const Starts starts = runStarts(options, programLayout);

    std::fprintf(stderr, "zanto_bench: a whole round and %d s idle ...\n", options.idleMs / 1000);
    const Figures program = runChild(options, programLayout,
                                     childArgs(QStringLiteral("program"),
                                               {QStringLiteral("--idle-ms"), QString::number(options.idleMs)}));

    std::fprintf(stderr, "zanto_bench: a whole round at %s ...\n", qPrintable(Large_Program_Screen.label));
    const Figures large = runChild(options, layoutFile(dir, Large_Program_Screen),
                                   childArgs(QStringLiteral("program"), {QStringLiteral("--no-idle")}));

    std::printf("\nZanto 점수판 benchmark: 8 teams, Qt offscreen platform (raster), tick budget %g ms\n\n",
                Budget_Ms);
    row(QStringLiteral("Measure"), QStringLiteral("Screen"), QStringLiteral("Median"),
        QStringLiteral("90 %"), QStringLiteral("Max"), QStringLiteral("Goal"), QStringLiteral("Result"));
    const auto tickRows = [&](const QString &what, const std::vector<Figures> &runs, const QString &key) {
        for (std::size_t i = 0; i < runs.size(); ++i)
            tickRow(what, Board_Screens[i], runs[i], key);
    };
    tickRows(QStringLiteral("Race tick + painting"), boards, QStringLiteral("race"));
    tickRows(QStringLiteral("  floor: bare eight bars"), floors, QStringLiteral("race"));
    tickRows(QStringLiteral("Race last tick (commit)"), boards, QStringLiteral("race_last"));
    tickRows(QStringLiteral("Highlight tick + painting"), boards, QStringLiteral("highlight"));
    tickRows(QStringLiteral("Layout (layOutRows)"), boards, QStringLiteral("layout"));
    tickRows(QStringLiteral("Resize + repaint"), boards, QStringLiteral("resize"));

    std::printf("\n");
    const std::vector<double> toBoard = each(starts.program, [](const Figures &f) {
        return spanMs(f, QStringLiteral("board_paint_ns"), QStringLiteral("start_click_ns"));
    });
    row(QStringLiteral("Start click to board paint"), Program_Screen.label, ms(medianOf(toBoard), 1),
        QString(), ms(maxOf(toBoard), 1), QString(),
        QStringLiteral("board %1").arg(starts.program.front().value(QStringLiteral("board_size"))));
    const double duration = number(program, QStringLiteral("round.duration_ms"));
    const double ideal = Budget_Ms * (GameEngine::RaceTicks + 1);
    row(QStringLiteral("Real-time round"), Program_Screen.label, ms(duration, 1), QString(), QString(),
        QStringLiteral("%1 ms ± 1 %").arg(ideal),
        verdict(std::abs(duration - ideal), ideal / 100)
            + QStringLiteral(", %1 ticks").arg(program.value(QStringLiteral("round.ticks"))));
    const double gap = number(program, QStringLiteral("round.worst_gap_ms"));
    row(QStringLiteral("  worst gap between ticks"), Program_Screen.label, QString(), QString(), ms(gap, 1),
        QStringLiteral("≤ %1 ms").arg(2 * Budget_Ms), verdict(gap, 2 * Budget_Ms));
    const double idle = number(program, QStringLiteral("idle.cpu_ms"));
    row(QStringLiteral("CPU in %1 s idle").arg(options.idleMs / 1000), Program_Screen.label, ms(idle, 0),
        QString(), QString(), QStringLiteral("none (≤ 10 ms)"),
        verdict(idle, 10.0) + QStringLiteral(", %1 timer events, %2 windows")
                                  .arg(program.value(QStringLiteral("idle.timer_events")),
                                       program.value(QStringLiteral("idle.windows"))));

    std::printf("\nAgainst the floor, a bare Qt window in the same executable:\n\n");
    row(QStringLiteral("Measure"), QStringLiteral("Screen"), QStringLiteral("Program"),
        QStringLiteral("Floor"), QStringLiteral("Ratio"), QStringLiteral("Goal"), QStringLiteral("Result"));
    // The start, and where its time goes, as medians of the starts; a
    // phase the floor does not have shows the program alone.
    const auto startPhase = [&](const QString &what, const QString &to, const QString &from,
                                const QString &goal) {
        const auto span = [&](const std::vector<Figures> &runs) {
            return medianOf(each(runs, [&](const Figures &f) { return spanMs(f, to, from); }));
        };
        const double start = span(starts.program);
        const double bare = span(starts.floor);
        floorRow(what, Program_Screen.label, ms(start, 1), ms(bare, 1), start / bare, goal,
                 goal.isEmpty() ? QString() : verdict(start, 2 * bare));
    };
    const QString launch = QStringLiteral("launch_ns");
    const QString paint = QStringLiteral("first_paint_ns");
    startPhase(QStringLiteral("Start to first paint"), paint, launch, QStringLiteral("≤ 2 × floor"));
    startPhase(QStringLiteral("  start to main()"), QStringLiteral("main_ns"), launch, QString());
    startPhase(QStringLiteral("  the QApplication"), QStringLiteral("app_ns"), QStringLiteral("main_ns"),
               QString());
    startPhase(QStringLiteral("  windows built and shown"), QStringLiteral("shown_ns"),
               QStringLiteral("app_ns"), QString());
    const double sound = medianOf(each(starts.program, [](const Figures &f) {
        return number(f, QStringLiteral("sound_ms"));
    }));
    floorRow(QStringLiteral("    of which start sound"), Program_Screen.label, ms(sound, 1), QString(),
             std::nan(""), QString(), QString());
    startPhase(QStringLiteral("  shown to painted"), paint, QStringLiteral("shown_ns"), QString());

    const std::pair<Screen, Figures> realTimeRounds[] = {{Program_Screen, program},
                                                         {Large_Program_Screen, large}};
    for (const auto &[screen, run] : realTimeRounds) {
        const double peak = number(run, QStringLiteral("peak_rss_kib.round"));
        const double bare = number(atScreen(floors, screen), QStringLiteral("peak_rss_kib"));
        floorRow(QStringLiteral("Peak memory through round"), screen.label, mib(peak), mib(bare), peak / bare,
                 QStringLiteral("≤ floor + 15 MiB"),
                 verdict(peak, bare + 15 * 1024) + QStringLiteral(", +") + mib(peak - bare));
    }
    // Resident memory as the system sees it: the private pages are the
    // program's own; the pages mapped from files (code, fonts) are shared
    // and given back under pressure.
    for (const auto &[screen, run] : realTimeRounds) {
        const Figures &floor = atScreen(floors, screen);
        const double own = number(run, QStringLiteral("private_kib.round"));
        const double bareOwn = number(floor, QStringLiteral("private_kib"));
        floorRow(QStringLiteral("  private (anonymous) after round"), screen.label, mib(own), mib(bareOwn),
                 own / bareOwn, QStringLiteral("≤ floor + 10 MiB"),
                 verdict(own, bareOwn + 10 * 1024) + QStringLiteral(", +") + mib(own - bareOwn));
        const double files = number(run, QStringLiteral("file_kib.round"));
        const double bareFiles = number(floor, QStringLiteral("file_kib"));
        floorRow(QStringLiteral("  mapped from files after round"), screen.label, mib(files), mib(bareFiles),
                 files / bareFiles, QString(), QStringLiteral("+") + mib(files - bareFiles));
    }
    for (std::size_t i = 0; i < boards.size(); ++i) {
        const double tick = number(boards[i], QStringLiteral("race.median"));
        const double bare = number(floors[i], QStringLiteral("race.median"));
        floorRow(QStringLiteral("Race tick + painting"), Board_Screens[i].label, ms(tick), ms(bare),
                 tick / bare, QStringLiteral("≤ 2 × floor"), verdict(tick, 2 * bare));
    }
    for (const auto &[screen, run] : realTimeRounds) {
        const double cpu = number(run, QStringLiteral("round.cpu_ms"));
        const double share = 100.0 * cpu / number(run, QStringLiteral("round.duration_ms"));
        floorRow(QStringLiteral("CPU of the real-time round"), screen.label,
                 QString::number(share, 'f', 2) + QStringLiteral(" %"), QString(), std::nan(""),
                 QStringLiteral("≤ 3 % of a core"), verdict(share, 3.0) + QStringLiteral(", ") + ms(cpu, 0));
    }
    // The goal is for the widest screen, where a full bar's tip moves farthest.
    for (const auto &[screen, run] : realTimeRounds) {
        const double step = number(run, QStringLiteral("round.tip_step_px.max"));
        const bool goal = screen.width == Large_Program_Screen.width;
        floorRow(QStringLiteral("Bar tip step, drawn frames"), screen.label,
                 QStringLiteral("%1 px").arg(step, 0, 'f', 1), QString(), std::nan(""),
                 goal ? QStringLiteral("max ≤ 8 px") : QString(),
                 (goal ? verdict(step, 8.0) + QStringLiteral(", ") : QString())
                     + QStringLiteral("median %1 px, %2 frames")
                           .arg(number(run, QStringLiteral("round.tip_step_px.median")), 0, 'f', 1)
                           .arg(run.value(QStringLiteral("round.frames"))));
    }

    std::printf("\nRepainted per race tick:");
    for (std::size_t i = 0; i < boards.size(); ++i)
        std::printf(" %s %.1f paints / %.0f px;", qPrintable(Board_Screens[i].label),
                    number(boards[i], QStringLiteral("race.paints_per_tick")),
                    number(boards[i], QStringLiteral("race.area_per_tick")));
    std::printf("\nBoard windows:");
    for (std::size_t i = 0; i < boards.size(); ++i)
        std::printf(" %s -> %s dpr %s (floor %s);", qPrintable(Board_Screens[i].label),
                    qPrintable(boards[i].value(QStringLiteral("window"))),
                    qPrintable(boards[i].value(QStringLiteral("dpr"))),
                    qPrintable(floors[i].value(QStringLiteral("window"))));
    std::printf("\n");
    return 0;
}

} // namespace bench
