#pragma once

#include "monitor_collection.h"
#include "monitor_platform.h"

#include <QtGlobal>

#include <memory>

class QWidget;
class clsmonitor;

// The display monitors of the machine, one record per monitor in Monitors,
// and the virtual desktop around them. Creating a list detects the monitors
// (Refresh); the records describe the monitors as they were at the last
// Refresh.
//
// Monitors are found by probing the centre of every 640 x 480 cell of the
// virtual desktop, rows from the top down and each row left to right, so the
// records come in that order (for two monitors side by side, the left one
// first). A platform without multiple-monitor support gets one record, key
// "0", built from the screen size.
class CLSmonitors
{
public:
    explicit CLSmonitors(std::shared_ptr<MonitorPlatform> platform = defaultMonitorPlatform());

    // The records, keyed by the decimal text of their handles. A list without
    // a collection starts an empty one here.
    MonitorCollection &Monitors();
    const MonitorCollection &Monitors() const;

    // The virtual desktop in pixels; without multiple-monitor support 0, 0 and
    // the screen size.
    qint32 DesktopLeft() const;
    qint32 DesktopTop() const;
    qint32 DesktopWidth() const;
    qint32 DesktopHeight() const;

    // The handle of the monitor under `hwnd`; -1 when the platform lacks the
    // function, 0 for no monitor or any other failure.
    qint32 GetMonitorFromWindow(const QWidget *hwnd, qint32 dwFlags) const;

    // The handle of the monitor under the point; -1 when the look-up fails,
    // 0 for no monitor with MONITOR_DEFAULTTONULL.
    qint32 GetMonitorFromXYPoint(qint32 X, qint32 Y, qint32 dwFlags) const;

    // Moves `FormToCenter` so that it lies centred on the work-area size of
    // ReferenceForm's monitor, or of the primary monitor when there is no
    // reference window. Keeps its size. True when the window was moved.
    bool CenterFormOnMonitor(QWidget &FormToCenter, const QWidget *ReferenceForm = nullptr) const;

    // Detects the monitors again and rebuilds Monitors.
    void Refresh();

    // The 0-based position in Monitors of the first monitor that is not the
    // primary one (the primary one holds the desktop point (0, 0)); -1 when
    // there is none. This is the monitor the board goes to.
    int secondaryMonitorIndex() const;

    const MonitorPlatform &platform() const { return *m_platform; }

private:
    qint32 GetMetric(qint32 index, qint32 fallback) const;
    // The screen size in pixels, as the screen object reports it.
    qint32 screenPixelWidth() const;
    qint32 screenPixelHeight() const;
    // Stores the monitor's handle, rectangles and size into `record`; returns
    // non-zero on success, 0 when the query failed, -1 when the platform
    // lacks the function.
    qint32 FillMonitorInfo(qint32 hmonitor, clsmonitor &record) const;
    void ClearMonitors();

    std::shared_ptr<MonitorPlatform> m_platform;
    mutable std::unique_ptr<MonitorCollection> m_monitors; // created on first access
};
