#pragma once

#include <QtGlobal>

// The board's own costs on the screen this process was given: one race
// tick with the painting it causes, one highlight tick, and one layout on
// resize, with eight teams. Prints the figures for the driver.
namespace bench {

// The timed rounds: scores spread over the track and points that make
// every bar and caption move on each tick. The floor's bars grow the same.
constexpr int TimedTeams = 8;
constexpr qint32 timedRoundScore(int team) { return 30 * team + 20; }
constexpr qint32 timedRoundPoints(int team) { return 15 * team + 60; }

int runBoardTiming(int rounds);

} // namespace bench
