// The benchmark (run by tools/bench):
//   zanto_bench [--rounds N] [--startups N] [--idle-ms N]
// runs every case in a child process of its own and prints the table. The
// child modes (--child board | program | floor) are what the table is made of.
#include "bench_driver.h"
#include "board_timing.h"
#include "figures.h"
#include "floor_run.h"
#include "program_run.h"

#include <QApplication>
#include <QCoreApplication>

#include <algorithm>
#include <cstdlib>
#include <cstring>

int main(int argc, char *argv[])
{
    const qint64 entered = bench::monotonicNs();

    const auto option = [&](const char *name) -> const char * {
        for (int i = 1; i + 1 < argc; ++i)
            if (std::strcmp(argv[i], name) == 0)
                return argv[i + 1];
        return nullptr;
    };
    const auto flag = [&](const char *name) {
        for (int i = 1; i < argc; ++i)
            if (std::strcmp(argv[i], name) == 0)
                return true;
        return false;
    };
    const auto count = [&](const char *name, int fallback) {
        const char *value = option(name);
        return value ? std::max(1, std::atoi(value)) : fallback;
    };

    const char *child = option("--child");
    if (child && std::strcmp(child, "board") == 0) {
        QApplication app(argc, argv);
        return bench::runBoardTiming(count("--rounds", 5));
    }
    if (child && std::strcmp(child, "program") == 0) {
        QApplication app(argc, argv);
        bench::ProgramRunOptions options;
        options.mainEnteredNs = entered;
        options.startupOnly = flag("--startup-only");
        options.idleMs = flag("--no-idle") ? 0 : count("--idle-ms", 10000);
        return bench::runProgram(options);
    }
    if (child && std::strcmp(child, "floor") == 0) {
        QApplication app(argc, argv);
        bench::FloorRunOptions options;
        options.mainEnteredNs = entered;
        options.startupOnly = flag("--startup-only");
        options.rounds = count("--rounds", 5);
        return bench::runFloor(options);
    }

    QCoreApplication app(argc, argv);
    bench::DriverOptions options;
    options.executable = QCoreApplication::applicationFilePath();
    options.rounds = count("--rounds", 5);
    options.startups = count("--startups", 9);
    options.idleMs = count("--idle-ms", 10000);
    return bench::runDriver(options);
}
