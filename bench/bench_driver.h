#pragma once

#include <QString>

// Runs every benchmark case in a fresh process of this executable, each on
// Qt's offscreen platform with a screen of the case's size, and prints one
// table with the figures against their goals.
namespace bench {

struct DriverOptions
{
    QString executable;
    int rounds = 5;     // rounds of ticks per board size
    int startups = 5;   // program starts timed
    int idleMs = 10000; // idle stretch with both windows open
};

int runDriver(const DriverOptions &options);

} // namespace bench
