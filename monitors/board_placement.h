#pragma once

#include <QPointF>
#include <QSizeF>

class MonitorPlatform;
class QWidget;
struct BoardMonitor;

// Puts `window` centred on the board monitor; with a count of 1, or no
// monitor recorded (no size), centred on the primary screen. Only the
// position changes, and only when the monitor is to be used. Called before
// the window is maximized (Qt works out a window's maximized geometry on the
// screen it has when the state is set): shown maximized afterwards, it fills
// that monitor.
void placeOnBoardMonitor(const BoardMonitor &monitor, QWidget &window);
void placeOnBoardMonitor(const BoardMonitor &monitor, QWidget &window,
                         const MonitorPlatform &platform);

// The top-left corner placeOnBoardMonitor gives a window of `windowSize` (its
// outer size), in virtual-desktop pixels, on a primary screen of `screenSize`
// pixels. Fractions are kept.
QPointF boardPosition(const BoardMonitor &monitor, const QSizeF &windowSize, const QSizeF &screenSize);
