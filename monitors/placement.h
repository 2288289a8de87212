#pragma once

#include <QPointF>
#include <QSizeF>

class MonitorPlatform;
class QWidget;
struct Module1;

// Puts `window` (before it is first shown) centred on the monitor recorded in
// the game state: Mon_Left, Mon_Top, Mon_Width, Mon_Height; with Mon_Count 1,
// or no monitor recorded (no size), centred on the primary screen. Only the position changes. A window shown
// maximized afterwards fills that monitor.
void Set_Form_Pos(const Module1 &state, QWidget &window);
void Set_Form_Pos(const Module1 &state, QWidget &window, const MonitorPlatform &platform);

// The top-left corner Set_Form_Pos gives a window of `windowSize` (its outer
// size), in virtual-desktop pixels, on a primary screen of `screenSize`
// pixels. Fractions are kept.
QPointF boardPosition(const Module1 &state, const QSizeF &windowSize, const QSizeF &screenSize);
