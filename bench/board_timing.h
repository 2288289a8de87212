#pragma once

// The board's own costs on the screen this process was given: one race
// tick with the painting it causes, one highlight tick, and one layout on
// resize, with eight teams. Prints the figures for the driver.
namespace bench {

int runBoardTiming(int rounds);

} // namespace bench
