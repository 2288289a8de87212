#pragma once

#include <QtGlobal>

// The floor: what a bare Qt program costs in this executable, on the same
// platform and screen as the board. A plain window shown maximized, as the
// board is, timed to its first paint, with its peak memory once it settled;
// then eight bare bars ticked as the board's race tick is timed. Prints the
// figures for the driver.
namespace bench {

struct FloorRunOptions
{
    qint64 mainEnteredNs = 0;
    bool startupOnly = false; // end after the first paint and its memory
    int rounds = 5;           // rounds of ticks, as for the board
};

int runFloor(const FloorRunOptions &options);

} // namespace bench
