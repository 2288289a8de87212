#include "monitor_list.h"

#include "checked.h"
#include "conversions.h"
#include "monitor_record.h"

#include <limits>

namespace {

// The probe grid: one probe at the centre of every cell.
constexpr qint64 Cell_Width = 640;
constexpr qint64 Cell_Height = 480;

// Whole twips (ties to even) divided by whole twips per pixel, truncated.
qint32 twipsToPixels(double twips, double twipsPerPixel)
{
    const auto whole = roundToLong(twips);
    const auto perPixel = roundToLong(twipsPerPixel);
    if (!whole || !perPixel || *perPixel == 0)
        return 0;
    return *whole / *perPixel;
}

} // namespace

MonitorList::MonitorList(std::shared_ptr<MonitorPlatform> platform)
    : m_platform(platform ? std::move(platform) : defaultMonitorPlatform())
{
    refresh();
}

qint32 MonitorList::desktopMetric(qint32 index, qint32 fallback) const
{
    if (m_platform->systemMetric(SM_CMONITORS) == 0)
        return fallback;
    return m_platform->systemMetric(index);
}

qint32 MonitorList::screenPixelWidth() const
{
    const ScreenMetrics screen = m_platform->screen();
    return twipsToPixels(screen.width, screen.twipsPerPixelX);
}

qint32 MonitorList::screenPixelHeight() const
{
    const ScreenMetrics screen = m_platform->screen();
    return twipsToPixels(screen.height, screen.twipsPerPixelY);
}

qint32 MonitorList::desktopLeft() const
{
    return desktopMetric(SM_XVIRTUALSCREEN, 0);
}

qint32 MonitorList::desktopTop() const
{
    return desktopMetric(SM_YVIRTUALSCREEN, 0);
}

qint32 MonitorList::desktopWidth() const
{
    return desktopMetric(SM_CXVIRTUALSCREEN, screenPixelWidth());
}

qint32 MonitorList::desktopHeight() const
{
    return desktopMetric(SM_CYVIRTUALSCREEN, screenPixelHeight());
}

qint32 MonitorList::monitorAt(qint32 x, qint32 y, qint32 flags) const
{
    const auto right = checkedAdd<qint32>(x, 1);
    const auto bottom = checkedAdd<qint32>(y, 1);
    if (!right || !bottom)
        return -1;
    const auto handle = m_platform->monitorFromRect(MonitorRect{x, y, *right, *bottom}, flags);
    return handle.ok() ? handle.value() : -1;
}

MonitorRecord MonitorList::recordOf(qint32 handle) const
{
    MonitorRecord record;
    const auto info = m_platform->monitorInfo(handle);
    if (!info.ok())
        return record; // not even the handle: the query never ran

    // A query that fails for the handle leaves the zeroed rectangles of the request.
    const MonitorInfo rects = info.value().value_or(MonitorInfo{});
    record.handle = handle;
    record.left = rects.monitor.left;
    record.right = rects.monitor.right;
    record.top = rects.monitor.top;
    record.bottom = rects.monitor.bottom;
    record.workLeft = rects.work.left;
    record.workRight = rects.work.right;
    record.workTop = rects.work.top;
    record.workBottom = rects.work.bottom;
    const auto height = checkedSub(rects.monitor.bottom, rects.monitor.top);
    const auto width = checkedSub(rects.monitor.right, rects.monitor.left);
    if (height && width) {
        record.height = *height;
        record.width = *width;
    }
    return record;
}

MonitorRecord MonitorList::screenRecord() const
{
    MonitorRecord record;
    record.right = screenPixelWidth();
    record.bottom = screenPixelHeight();
    record.workRight = record.right;
    record.workBottom = record.bottom;
    record.width = record.right;
    record.height = record.bottom;
    return record;
}

void MonitorList::refresh()
{
    m_monitors.clear();

    if (m_platform->systemMetric(SM_CMONITORS) == 0) {
        m_monitors.add(QStringLiteral("0"), screenRecord());
        return;
    }

    // The loops run up to the desktop's width and height, not its far edges;
    // since the desktop's left and top are never positive, that still covers
    // all of it, and probes beyond it find nothing.
    const qint64 top = desktopTop();
    const qint64 lastRow = desktopHeight();
    const qint64 left = desktopLeft();
    const qint64 lastColumn = desktopWidth();
    for (qint64 y = top; y <= lastRow; y += Cell_Height) {
        for (qint64 x = left; x <= lastColumn; x += Cell_Width) {
            const qint64 probeX = x + Cell_Width / 2;
            const qint64 probeY = y + Cell_Height / 2;
            if (probeX > std::numeric_limits<qint32>::max()
                || probeY > std::numeric_limits<qint32>::max())
                return; // beyond any coordinate; keep what was found
            const qint32 handle = monitorAt(qint32(probeX), qint32(probeY), MONITOR_DEFAULTTONULL);
            // 0 is no monitor; -1 a failed look-up, which is not a monitor either.
            if (handle == 0 || handle == -1)
                continue;
            const QString key = QString::number(handle);
            if (m_monitors.contains(key))
                continue; // found by an earlier probe
            m_monitors.add(key, recordOf(handle));
        }
    }
}

int MonitorList::secondaryMonitorIndex() const
{
    int index = 0;
    for (const MonitorRecord &monitor : m_monitors) {
        const bool empty = monitor.right <= monitor.left || monitor.bottom <= monitor.top;
        const bool holdsOrigin =
            monitor.left <= 0 && 0 < monitor.right && monitor.top <= 0 && 0 < monitor.bottom;
        if (!empty && !holdsOrigin)
            return index;
        ++index;
    }
    return -1;
}
