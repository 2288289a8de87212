#include "qt_monitor_platform.h"

#include <QGuiApplication>
#include <QPointer>
#include <QRect>
#include <QScreen>

#include <algorithm>
#include <limits>
#include <vector>

namespace {

// Handle numbers start where the first monitor handle of a typical machine
// lies; any non-zero number would do.
constexpr qint32 First_Handle = 65537;

std::vector<QPointer<QScreen>> &knownScreens()
{
    static std::vector<QPointer<QScreen>> screens;
    return screens;
}

// Registers the screens present now, in Qt's order, so that handles follow
// that order the first time round.
void registerScreens()
{
    for (QScreen *screen : QGuiApplication::screens())
        QtMonitorPlatform::handleOf(screen);
}

MonitorRect toMonitorRect(const QRect &r, const QPoint &origin)
{
    const QRect moved = r.translated(-origin);
    return {moved.left(), moved.top(), moved.left() + moved.width(), moved.top() + moved.height()};
}

QRect boundingRectOfScreens()
{
    QRect all;
    for (QScreen *screen : QGuiApplication::screens())
        all = all.united(screen->geometry());
    return all;
}

} // namespace

qint32 QtMonitorPlatform::handleOf(const QScreen *screen)
{
    if (!screen)
        return 0;
    auto &screens = knownScreens();
    for (std::size_t i = 0; i < screens.size(); ++i) {
        if (screens[i] == screen)
            return First_Handle + static_cast<qint32>(i);
    }
    screens.emplace_back(const_cast<QScreen *>(screen));
    return First_Handle + static_cast<qint32>(screens.size() - 1);
}

QScreen *QtMonitorPlatform::screenOf(qint32 handle)
{
    const auto &screens = knownScreens();
    const qint64 index = qint64(handle) - First_Handle;
    if (index < 0 || index >= qint64(screens.size()))
        return nullptr;
    return screens[static_cast<std::size_t>(index)];
}

QScreen *QtMonitorPlatform::screenUnder(const QRect &area)
{
    QScreen *best = nullptr;
    qint64 bestShare = 0;
    for (QScreen *screen : QGuiApplication::screens()) {
        const QRect shared = screen->geometry().intersected(area);
        const qint64 share = qint64(shared.width()) * shared.height();
        if (share > bestShare) {
            best = screen;
            bestShare = share;
        }
    }
    return best;
}

PlatformResult<qint32> QtMonitorPlatform::fallback(qint32 flags) const
{
    if (flags == MONITOR_DEFAULTTOPRIMARY)
        return handleOf(QGuiApplication::primaryScreen());
    return 0;
}

qint32 QtMonitorPlatform::systemMetric(qint32 index) const
{
    registerScreens();
    const QRect desktop = boundingRectOfScreens().translated(-desktopOrigin());
    switch (index) {
    case SM_XVIRTUALSCREEN:
        return desktop.left();
    case SM_YVIRTUALSCREEN:
        return desktop.top();
    case SM_CXVIRTUALSCREEN:
        return desktop.width();
    case SM_CYVIRTUALSCREEN:
        return desktop.height();
    case SM_CMONITORS:
        return static_cast<qint32>(QGuiApplication::screens().size());
    default:
        return 0;
    }
}

PlatformResult<qint32> QtMonitorPlatform::monitorFromRect(const MonitorRect &rect, qint32 flags) const
{
    registerScreens();
    const qint64 width = qint64(rect.right) - rect.left;
    const qint64 height = qint64(rect.bottom) - rect.top;
    // An empty rectangle asks about its corner point.
    constexpr qint64 Largest = std::numeric_limits<int>::max();
    QRect area(rect.left, rect.top, int(std::clamp<qint64>(width, 1, Largest)),
               int(std::clamp<qint64>(height, 1, Largest)));
    area.translate(desktopOrigin());
    if (QScreen *screen = screenUnder(area))
        return handleOf(screen);
    return fallback(flags);
}

PlatformResult<std::optional<MonitorInfo>> QtMonitorPlatform::monitorInfo(qint32 handle) const
{
    registerScreens();
    QScreen *screen = screenOf(handle);
    if (!screen)
        return std::optional<MonitorInfo>();
    const QPoint origin = desktopOrigin();
    return std::optional<MonitorInfo>(MonitorInfo{toMonitorRect(screen->geometry(), origin),
                                                  toMonitorRect(screen->availableGeometry(), origin)});
}

ScreenMetrics QtMonitorPlatform::screen() const
{
    // Qt positions windows in device-independent pixels; one of them is 15
    // twips, the size of a pixel at 96 dots per inch.
    ScreenMetrics metrics;
    if (const QScreen *primary = QGuiApplication::primaryScreen()) {
        metrics.width = primary->geometry().width() * metrics.twipsPerPixelX;
        metrics.height = primary->geometry().height() * metrics.twipsPerPixelY;
    }
    return metrics;
}

QPoint QtMonitorPlatform::desktopOrigin() const
{
    const QScreen *primary = QGuiApplication::primaryScreen();
    return primary ? primary->geometry().topLeft() : QPoint();
}

std::shared_ptr<MonitorPlatform> defaultMonitorPlatform()
{
    return std::make_shared<QtMonitorPlatform>();
}
