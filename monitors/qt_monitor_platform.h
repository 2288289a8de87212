#pragma once

#include "monitor_platform.h"

class QRect;
class QScreen;

// The monitors as Qt's screens: QScreen::geometry() is the monitor,
// availableGeometry() its work area. Coordinates are moved so that the
// primary screen's top-left corner is the origin, as the monitor list
// expects; desktopOrigin() moves them back for placing windows.
//
// Each screen gets a handle the first time any instance sees it and keeps it
// for the rest of the run; a screen that is unplugged takes its handle with
// it, and a new screen gets a new one.
class QtMonitorPlatform final : public MonitorPlatform
{
public:
    qint32 systemMetric(qint32 index) const override;
    PlatformResult<qint32> monitorFromRect(const MonitorRect &rect, qint32 flags) const override;
    PlatformResult<std::optional<MonitorInfo>> monitorInfo(qint32 handle) const override;
    ScreenMetrics screen() const override;
    QPoint desktopOrigin() const override;

    static qint32 handleOf(const QScreen *screen);
    // The screen with `handle`, or null when there is none (any more).
    static QScreen *screenOf(qint32 handle);

private:
    // The screen sharing most of `area` (window coordinates), or null.
    static QScreen *screenUnder(const QRect &area);
    PlatformResult<qint32> fallback(qint32 flags) const;
};
