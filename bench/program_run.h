#pragma once

#include <QtGlobal>

// The whole program as its entry point builds it (setup window, real dialogs,
// start sound and monitors), driven through one evening in miniature: first
// paint of the setup window, start with eight teams, first paint of the
// board, one real-time round (the first team running the whole track, its
// bar tip watched at every frame the board paints), then both windows open
// and idle. Prints absolute monotonic times and the costs for the driver.
namespace bench {

struct ProgramRunOptions
{
    qint64 mainEnteredNs = 0;
    bool startupOnly = false; // end after the board's first paint
    int idleMs = 10000; // 0: end after the round
};

int runProgram(const ProgramRunOptions &options);

} // namespace bench
