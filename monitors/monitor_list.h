#pragma once

#include "monitor_collection.h"
#include "monitor_platform.h"

#include <QtGlobal>

#include <memory>

// The display monitors of the machine, one record per monitor in monitors(),
// and the virtual desktop around them. Creating a list detects the monitors;
// the records describe them as they were at the last refresh().
//
// Monitors are found by probing the centre of every 640 x 480 cell of the
// virtual desktop, rows from the top down and each row left to right, so the
// records come in that order (for two monitors side by side, the left one
// first). A platform without multiple-monitor support gets one record, key
// "0", built from the screen size.
class MonitorList
{
public:
    explicit MonitorList(std::shared_ptr<MonitorPlatform> platform = defaultMonitorPlatform());

    // The records, keyed by the decimal text of their handles.
    const MonitorCollection &monitors() const { return m_monitors; }

    // The virtual desktop in pixels; without multiple-monitor support 0, 0 and
    // the screen size.
    qint32 desktopLeft() const;
    qint32 desktopTop() const;
    qint32 desktopWidth() const;
    qint32 desktopHeight() const;

    // The handle of the monitor under the point; -1 when the look-up fails,
    // 0 for no monitor with MONITOR_DEFAULTTONULL.
    qint32 monitorAt(qint32 x, qint32 y, qint32 flags) const;

    // Detects the monitors again and rebuilds monitors().
    void refresh();

    // The 0-based position in monitors() of the first monitor that is not the
    // primary one (the primary one holds the desktop point (0, 0)); -1 when
    // there is none. This is the monitor the board goes to.
    int secondaryMonitorIndex() const;

private:
    // The platform's metric, or `fallback` without multiple-monitor support.
    qint32 desktopMetric(qint32 index, qint32 fallback) const;
    // The screen size in pixels, as the screen object reports it.
    qint32 screenPixelWidth() const;
    qint32 screenPixelHeight() const;
    // The monitor's handle, rectangles and size as the platform reports them.
    MonitorRecord recordOf(qint32 handle) const;
    // The one record of a platform without multiple-monitor support.
    MonitorRecord screenRecord() const;

    std::shared_ptr<MonitorPlatform> m_platform;
    MonitorCollection m_monitors;
};
