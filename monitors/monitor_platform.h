#pragma once

#include <QPoint>
#include <QtGlobal>

#include <memory>
#include <optional>
#include <utility>

// The platform's own names and values. Where <windows.h> came first it has
// defined them already, as macros with these values.
#ifndef SM_CMONITORS
// Indices of MonitorPlatform::systemMetric.
inline constexpr qint32 SM_XVIRTUALSCREEN = 76;  // left edge of the virtual desktop
inline constexpr qint32 SM_YVIRTUALSCREEN = 77;  // top edge of the virtual desktop
inline constexpr qint32 SM_CXVIRTUALSCREEN = 78; // width of the virtual desktop
inline constexpr qint32 SM_CYVIRTUALSCREEN = 79; // height of the virtual desktop
inline constexpr qint32 SM_CMONITORS = 80;       // number of monitors; 0 = no multiple-monitor support
#endif

#ifndef MONITOR_DEFAULTTONULL
// Monitor look-up flags: what a look-up gives when the place lies on no monitor.
inline constexpr qint32 MONITOR_DEFAULTTONULL = 0;    // the handle 0
inline constexpr qint32 MONITOR_DEFAULTTOPRIMARY = 1; // the primary monitor's handle
#endif

// A rectangle in virtual-desktop pixels; right and bottom are exclusive.
struct MonitorRect
{
    qint32 left = 0;
    qint32 top = 0;
    qint32 right = 0;
    qint32 bottom = 0;

    friend bool operator==(const MonitorRect &, const MonitorRect &) = default;
};

struct MonitorInfo
{
    MonitorRect monitor; // the full monitor
    MonitorRect work;    // without task bars and docked bars
};

// The screen object of the windowing runtime: the primary monitor's size in
// twips and how many twips make one pixel.
struct ScreenMetrics
{
    double width = 0;
    double height = 0;
    double twipsPerPixelX = 15;
    double twipsPerPixelY = 15;
};

// A platform call that gave no answer: the monitor function is not in the
// system library, or the call failed. The monitor list treats both alike.
struct PlatformFailure
{
};

// The answer of a platform call, or none when it failed.
template <typename T>
class PlatformResult
{
public:
    PlatformResult(T value) : m_value(std::move(value)) {}
    PlatformResult(PlatformFailure) {}

    bool ok() const { return m_value.has_value(); }
    const T &value() const { return *m_value; }

private:
    std::optional<T> m_value;
};

// The questions the monitor list asks about the machine's monitors, all in
// virtual-desktop pixels (origin at the primary monitor's top-left corner).
// The program answers them from Qt's screens; tests answer them from a script.
class MonitorPlatform
{
public:
    virtual ~MonitorPlatform() = default;

    // SM_XVIRTUALSCREEN .. SM_CMONITORS; any other index gives 0.
    virtual qint32 systemMetric(qint32 index) const = 0;

    // The monitor with the largest share of `rect`; with no share at all, 0 or
    // the primary monitor as `flags` says.
    virtual PlatformResult<qint32> monitorFromRect(const MonitorRect &rect, qint32 flags) const = 0;

    // The monitor's rectangles; no value when the query fails for the handle
    // (an unknown monitor).
    virtual PlatformResult<std::optional<MonitorInfo>> monitorInfo(qint32 handle) const = 0;

    virtual ScreenMetrics screen() const = 0;

    // Where the virtual desktop's origin lies in the toolkit's window
    // coordinates. A window moved to desktop point p goes to desktopOrigin() + p.
    virtual QPoint desktopOrigin() const = 0;
};

// The platform the program uses: Qt's screens.
std::shared_ptr<MonitorPlatform> defaultMonitorPlatform();
