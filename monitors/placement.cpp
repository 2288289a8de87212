#include "placement.h"

#include "conversions.h"
#include "game_state.h"
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

QPointF boardPosition(const Module1 &state, const QSizeF &windowSize, const QSizeF &screenSize)
{
    // A monitor without a size was never recorded (the list could not be
    // read); the screen is the only sensible place then.
    const bool recorded = state.Mon_Width > 0 && state.Mon_Height > 0;
    if (state.Mon_Count != 1 && recorded) {
        // Centred on the chosen monitor in both directions; not clamped, so a
        // window larger than the monitor reaches beyond its edges.
        return {(double(state.Mon_Width) - windowSize.width()) / 2 + state.Mon_Left,
                (double(state.Mon_Height) - windowSize.height()) / 2 + state.Mon_Top};
    }
    return {(screenSize.width() - windowSize.width()) / 2,
            (screenSize.height() - windowSize.height()) / 2};
}

void Set_Form_Pos(const Module1 &state, QWidget &window)
{
    Set_Form_Pos(state, window, *defaultMonitorPlatform());
}

void Set_Form_Pos(const Module1 &state, QWidget &window, const MonitorPlatform &platform)
{
    // A window already marked maximized has its maximized geometry worked out
    // on its old screen; place its normal rectangle and maximize it again.
    const Qt::WindowStates states = window.windowState();
    const Qt::WindowStates filling = states & (Qt::WindowMaximized | Qt::WindowFullScreen);
    if (filling)
        window.setWindowState(states & ~filling);

    const ScreenMetrics screen = platform.screen();
    // The screen's size in twips, at the fixed 15 twips per pixel.
    const QSizeF screenSize(screen.Width / 15, screen.Height / 15);
    const QPointF position = boardPosition(state, window.frameGeometry().size(), screenSize);
    const auto x = roundToLong(position.x());
    const auto y = roundToLong(position.y());
    if (x && y)
        moveOntoScreen(window, platform.desktopOrigin() + QPoint(*x, *y));
    if (filling)
        window.setWindowState(states);
}
