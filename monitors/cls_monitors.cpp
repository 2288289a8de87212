#include "cls_monitors.h"

#include "checked.h"
#include "clsmonitor.h"
#include "conversions.h"

#include <QWidget>

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

// A value rounded to whole twips (ties to even), halved, truncated towards zero.
std::optional<qint32> halfOfRounded(double value)
{
    const auto whole = roundToLong(value);
    if (!whole)
        return std::nullopt;
    return *whole / 2;
}

} // namespace

CLSmonitors::CLSmonitors(std::shared_ptr<MonitorPlatform> platform)
    : m_platform(platform ? std::move(platform) : defaultMonitorPlatform())
{
    Refresh();
}

MonitorCollection &CLSmonitors::Monitors()
{
    if (!m_monitors)
        m_monitors = std::make_unique<MonitorCollection>();
    return *m_monitors;
}

const MonitorCollection &CLSmonitors::Monitors() const
{
    if (!m_monitors)
        m_monitors = std::make_unique<MonitorCollection>();
    return *m_monitors;
}

qint32 CLSmonitors::GetMetric(qint32 index, qint32 fallback) const
{
    if (m_platform->systemMetric(SM_CMONITORS) == 0)
        return fallback;
    return m_platform->systemMetric(index);
}

qint32 CLSmonitors::screenPixelWidth() const
{
    const ScreenMetrics screen = m_platform->screen();
    return twipsToPixels(screen.Width, screen.TwipsPerPixelX);
}

qint32 CLSmonitors::screenPixelHeight() const
{
    const ScreenMetrics screen = m_platform->screen();
    return twipsToPixels(screen.Height, screen.TwipsPerPixelY);
}

qint32 CLSmonitors::DesktopLeft() const
{
    return GetMetric(SM_XVIRTUALSCREEN, 0);
}

qint32 CLSmonitors::DesktopTop() const
{
    return GetMetric(SM_YVIRTUALSCREEN, 0);
}

qint32 CLSmonitors::DesktopWidth() const
{
    return GetMetric(SM_CXVIRTUALSCREEN, screenPixelWidth());
}

qint32 CLSmonitors::DesktopHeight() const
{
    return GetMetric(SM_CYVIRTUALSCREEN, screenPixelHeight());
}

qint32 CLSmonitors::GetMonitorFromWindow(const QWidget *hwnd, qint32 dwFlags) const
{
    const auto handle = m_platform->monitorFromWindow(hwnd, dwFlags);
    if (handle.ok())
        return handle.value();
    return handle.error() == PlatformError::FunctionMissing ? -1 : 0;
}

qint32 CLSmonitors::GetMonitorFromXYPoint(qint32 X, qint32 Y, qint32 dwFlags) const
{
    const auto right = checkedAdd<qint32>(X, 1);
    const auto bottom = checkedAdd<qint32>(Y, 1);
    if (!right || !bottom)
        return -1;
    const auto handle = m_platform->monitorFromRect(MonitorRect{X, Y, *right, *bottom}, dwFlags);
    return handle.ok() ? handle.value() : -1;
}

qint32 CLSmonitors::FillMonitorInfo(qint32 hmonitor, clsmonitor &record) const
{
    const auto info = m_platform->monitorInfo(hmonitor);
    if (!info.ok())
        return info.error() == PlatformError::FunctionMissing ? -1 : 0;

    // A failed query leaves the zeroed rectangles of the request.
    const MonitorInfo rects = info.value().value_or(MonitorInfo{});
    record.Handle = hmonitor;
    record.Left = rects.monitor.left;
    record.Right = rects.monitor.right;
    record.Top = rects.monitor.top;
    record.Bottom = rects.monitor.bottom;
    record.WorkLeft = rects.work.left;
    record.WorkRight = rects.work.right;
    record.WorkTop = rects.work.top;
    record.WorkBottom = rects.work.bottom;
    const auto height = checkedSub(rects.monitor.bottom, rects.monitor.top);
    const auto width = checkedSub(rects.monitor.right, rects.monitor.left);
    if (!height || !width)
        return 0;
    record.Height = *height;
    record.Width = *width;
    return info.value() ? 1 : 0;
}

void CLSmonitors::ClearMonitors()
{
    Monitors().clear();
}

void CLSmonitors::Refresh()
{
    m_monitors.reset();

    if (m_platform->systemMetric(SM_CMONITORS) != 0) {
        // The loops run up to the desktop's width and height, not its far
        // edges; since the desktop's left and top are never positive, that
        // still covers all of it, and probes beyond it find nothing.
        const qint64 top = DesktopTop();
        const qint64 lastRow = DesktopHeight();
        const qint64 left = DesktopLeft();
        const qint64 lastColumn = DesktopWidth();
        for (qint64 y = top; y <= lastRow; y += Cell_Height) {
            for (qint64 x = left; x <= lastColumn; x += Cell_Width) {
                const qint64 probeX = x + Cell_Width / 2;
                const qint64 probeY = y + Cell_Height / 2;
                if (probeX > std::numeric_limits<qint32>::max()
                    || probeY > std::numeric_limits<qint32>::max())
                    return; // beyond any coordinate; keep what was found
                const qint32 handle = GetMonitorFromXYPoint(qint32(probeX), qint32(probeY),
                                                            MONITOR_DEFAULTTONULL);
                // 0 is no monitor; -1 a failed look-up, which is not a monitor either.
                if (handle == 0 || handle == -1)
                    continue;
                const QString key = QString::number(handle);
                if (Monitors().contains(key))
                    continue; // found by an earlier probe
                auto record = std::make_shared<clsmonitor>();
                FillMonitorInfo(handle, *record);
                Monitors().add(key, std::move(record));
            }
        }
        return;
    }

    ClearMonitors();
    auto record = std::make_shared<clsmonitor>();
    record->Right = screenPixelWidth();
    record->Bottom = screenPixelHeight();
    record->WorkRight = record->Right;
    record->WorkBottom = record->Bottom;
    record->Width = record->Right;
    record->Height = record->Bottom;
    Monitors().add(QStringLiteral("0"), std::move(record));
}

int CLSmonitors::secondaryMonitorIndex() const
{
    int index = 0;
    for (const auto &monitor : Monitors()) {
        const bool empty = monitor->Right <= monitor->Left || monitor->Bottom <= monitor->Top;
        const bool holdsOrigin = monitor->Left <= 0 && 0 < monitor->Right && monitor->Top <= 0
            && 0 < monitor->Bottom;
        if (!empty && !holdsOrigin)
            return index;
        ++index;
    }
    return -1;
}

bool CLSmonitors::CenterFormOnMonitor(QWidget &FormToCenter, const QWidget *ReferenceForm) const
{
    const ScreenMetrics screen = m_platform->screen();
    const double perPixelX = screen.TwipsPerPixelX;
    const double perPixelY = screen.TwipsPerPixelY;
    // The window's outer size, in twips like the rest of this computation.
    const QSize size = FormToCenter.frameGeometry().size();
    const double formWidth = size.width() * perPixelX;
    const double formHeight = size.height() * perPixelY;

    const auto moveTo = [&](double leftTwips, double topTwips) {
        if (perPixelX <= 0 || perPixelY <= 0)
            return false;
        const auto x = roundToLong(leftTwips / perPixelX);
        const auto y = roundToLong(topTwips / perPixelY);
        if (!x || !y)
            return false;
        FormToCenter.move(m_platform->desktopOrigin() + QPoint(*x, *y));
        return true;
    };
    const auto centreOnScreen = [&] {
        const auto left = halfOfRounded(screen.Width - formWidth);
        const auto top = halfOfRounded(screen.Height - formHeight);
        return left && top && moveTo(*left, *top);
    };

    const qint32 handle = ReferenceForm
        ? GetMonitorFromWindow(ReferenceForm, MONITOR_DEFAULTTOPRIMARY)
        : GetMonitorFromXYPoint(1, 1, MONITOR_DEFAULTTOPRIMARY);
    if (handle == 0)
        return centreOnScreen();

    const auto info = m_platform->monitorInfo(handle);
    if (!info.ok())
        return info.error() == PlatformError::FunctionMissing && centreOnScreen();
    if (!info.value())
        return false;

    const MonitorInfo &rects = *info.value();
    const auto workWidth = roundToLong(perPixelX * (double(rects.work.right) - rects.work.left));
    const auto workHeight = roundToLong(perPixelY * (double(rects.work.bottom) - rects.work.top));
    if (!workWidth || !workHeight)
        return false;
    // Offsets from the full monitor rectangle, sizes from the work area.
    const auto left = halfOfRounded(*workWidth - formWidth);
    const auto top = halfOfRounded(*workHeight - formHeight);
    if (!left || !top)
        return false;
    return moveTo(perPixelX * rects.monitor.left + *left, perPixelY * rects.monitor.top + *top);
}
