#pragma once

#include "monitor_platform.h"

#include <QPoint>
#include <QRect>

#include <optional>
#include <vector>

// Monitors from a script, for tests of the monitor list and of placement.
// Coordinates are virtual-desktop pixels; the primary monitor is the one
// holding (0, 0). Every rectangle look-up is recorded as its top-left point.
class ScriptedMonitorPlatform final : public MonitorPlatform
{
public:
    struct Monitor
    {
        qint32 handle = 0;
        MonitorRect rect;
        MonitorRect work;
        bool infoFails = false; // the info query knows no such monitor
    };

    std::vector<Monitor> monitors;
    std::optional<qint32> monitorCount; // SM_CMONITORS; by default the number of monitors
    bool functionsMissing = false;      // the look-ups and the info query are not in the library
    bool lookupsFail = false;           // the look-ups fail; the info query still answers
    ScreenMetrics screenMetrics{1024 * 15, 768 * 15, 15, 15};
    QPoint origin;

    mutable std::vector<QPoint> probes;

    // A monitor of `width` x `height` at (x, y), with a task bar of
    // `taskBar` pixels along its bottom edge.
    static Monitor monitor(qint32 handle, qint32 x, qint32 y, qint32 width, qint32 height,
                           qint32 taskBar = 0)
    {
        return {handle, {x, y, x + width, y + height}, {x, y, x + width, y + height - taskBar}};
    }

    qint32 systemMetric(qint32 index) const override
    {
        if (index == SM_CMONITORS)
            return monitorCount.value_or(static_cast<qint32>(monitors.size()));
        QRect all;
        for (const Monitor &m : monitors)
            all = all.united(toQRect(m.rect));
        switch (index) {
        case SM_XVIRTUALSCREEN:
            return all.left();
        case SM_YVIRTUALSCREEN:
            return all.top();
        case SM_CXVIRTUALSCREEN:
            return all.width();
        case SM_CYVIRTUALSCREEN:
            return all.height();
        default:
            return 0;
        }
    }

    PlatformResult<qint32> monitorFromRect(const MonitorRect &rect, qint32 flags) const override
    {
        probes.emplace_back(rect.left, rect.top);
        if (functionsMissing)
            return PlatformFailure{};
        if (lookupsFail)
            return PlatformFailure{};
        return monitorUnder(toQRect(rect), flags);
    }

    PlatformResult<std::optional<MonitorInfo>> monitorInfo(qint32 handle) const override
    {
        if (functionsMissing)
            return PlatformFailure{};
        for (const Monitor &m : monitors) {
            if (m.handle == handle && !m.infoFails)
                return std::optional<MonitorInfo>(MonitorInfo{m.rect, m.work});
        }
        return std::optional<MonitorInfo>();
    }

    ScreenMetrics screen() const override { return screenMetrics; }
    QPoint desktopOrigin() const override { return origin; }

private:
    static QRect toQRect(const MonitorRect &r)
    {
        return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
    }

    qint32 fallback(qint32 flags) const
    {
        if (flags != MONITOR_DEFAULTTOPRIMARY)
            return 0;
        for (const Monitor &m : monitors) {
            if (toQRect(m.rect).contains(0, 0))
                return m.handle;
        }
        return monitors.empty() ? 0 : monitors.front().handle;
    }

    qint32 monitorUnder(const QRect &area, qint32 flags) const
    {
        qint32 best = 0;
        qint64 bestShare = 0;
        for (const Monitor &m : monitors) {
            const QRect shared = toQRect(m.rect).intersected(area);
            const qint64 share = qint64(shared.width()) * shared.height();
            if (share > bestShare) {
                best = m.handle;
                bestShare = share;
            }
        }
        return bestShare > 0 ? best : fallback(flags);
    }
};
