#include "board_placement.h"

#include "board_monitor.h"
#include "conversions.h"
#include "monitor_platform.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

// Window positions are kept in pixels here. A position of t twips on the
// desktop is the Qt position desktopOrigin() + t / 15, rounded to the nearest
// pixel (ties to even): one pixel is 15 twips, so every formula below reads
// as its twips form with the factor 15 cancelled.

namespace {

void moveOntoScreen(QWidget &window, const QPoint &target)
{
    window.move(target);
    // A window that is shown maximized fills the screen Qt assigned it; make
    // that the screen under the new rectangle's centre.
    const QPoint centre = window.frameGeometry().center();
    QScreen *screenUnder = QGuiApplication::screenAt(centre);
    if (screenUnder && window.screen() != screenUnder)
        window.setScreen(screenUnder);
}

} // namespace

QPointF boardPosition(const BoardMonitor &monitor, const QSizeF &windowSize, const QSizeF &screenSize)
{
    // A monitor without a size was never recorded (the list could not be
    // read); the screen is the only sensible place then.
    const bool recorded = monitor.width > 0 && monitor.height > 0;
    if (monitor.monitorCount != 1 && recorded) {
        // Centred on the chosen monitor in both directions; not clamped, so a
        // window larger than the monitor reaches beyond its edges.
        return {(double(monitor.width) - windowSize.width()) / 2 + monitor.left,
                (double(monitor.height) - windowSize.height()) / 2 + monitor.top};
    }
    return {(screenSize.width() - windowSize.width()) / 2,
            (screenSize.height() - windowSize.height()) / 2};
}

void placeOnBoardMonitor(const BoardMonitor &monitor, QWidget &window)
{
    placeOnBoardMonitor(monitor, window, *defaultMonitorPlatform());
}

void placeOnBoardMonitor(const BoardMonitor &monitor, QWidget &window,
                         const MonitorPlatform &platform)
{
    if (!monitor.useMonitor)
        return; // the board keeps the place its own settings gave it

    const ScreenMetrics screen = platform.screen();
    // The screen's size in pixels, at the fixed 15 twips per pixel.
    const QSizeF screenSize(screen.width / 15, screen.height / 15);
    const QPointF position = boardPosition(monitor, window.frameGeometry().size(), screenSize);
    const auto x = roundToLong(position.x());
    const auto y = roundToLong(position.y());
    if (x && y)
        moveOntoScreen(window, platform.desktopOrigin() + QPoint(*x, *y));
}
