#include "figures.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

#if defined(Q_OS_UNIX)
#include <sys/resource.h>
#elif defined(Q_OS_WIN)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <psapi.h>
#endif

namespace bench {

qint64 monotonicNs()
{
    using namespace std::chrono;
    return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}

double processCpuMs()
{
#if defined(Q_OS_UNIX)
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0)
        return -1.0;
    const auto ms = [](const timeval &t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
#elif defined(Q_OS_WIN)
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return -1.0;
    // In units of 100 ns.
    const auto ms = [](const FILETIME &t) {
        return double((quint64(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
#else
    return -1.0;
#endif
}

qint64 peakResidentKiB()
{
#if defined(Q_OS_LINUX)
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0)
        return -1;
    return qint64(usage.ru_maxrss); // KiB on Linux
#elif defined(Q_OS_WIN)
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters)))
        return -1;
    return qint64(counters.PeakWorkingSetSize / 1024);
#else
    return -1;
#endif
}

MemoryUse memoryUse()
{
    MemoryUse use;
    QFile rollup(QStringLiteral("/proc/self/smaps_rollup"));
    if (!rollup.open(QIODevice::ReadOnly | QIODevice::Text))
        return use;
    qint64 resident = -1;
    qint64 anonymous = -1;
    const auto field = [](const QByteArray &line) {
        return line.mid(line.indexOf(':') + 1).trimmed().split(' ').value(0).toLongLong();
    };
    for (const QByteArray &line : rollup.readAll().split('\n')) {
        if (line.startsWith("Rss:"))
            resident = field(line);
        else if (line.startsWith("Anonymous:"))
            anonymous = field(line);
    }
    if (resident < 0 || anonymous < 0)
        return use;
    use.privateKiB = anonymous;
    use.fileKiB = resident - anonymous;
    return use;
}

void drain()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
}

void settle(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    drain();
}

double medianOf(std::vector<double> values)
{
    values.erase(std::remove_if(values.begin(), values.end(), [](double v) { return std::isnan(v); }),
                 values.end());
    if (values.empty())
        return std::nan("");
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Samples::quantileMs(double fraction) const
{
    if (m_ns.empty())
        return std::nan("");
    std::vector<qint64> sorted = m_ns;
    std::sort(sorted.begin(), sorted.end());
    const auto index = std::size_t(std::clamp(fraction, 0.0, 1.0) * double(sorted.size() - 1) + 0.5);
    return double(sorted[index]) / 1e6;
}

void report(const QString &key, double value)
{
    std::printf("%s=%.15g\n", qPrintable(key), value);
    std::fflush(stdout);
}

void report(const QString &key, const QString &value)
{
    std::printf("%s=%s\n", qPrintable(key), qPrintable(value));
    std::fflush(stdout);
}

void report(const QString &key, const Samples &samples)
{
    report(key + QStringLiteral(".median"), samples.medianMs());
    report(key + QStringLiteral(".p90"), samples.quantileMs(0.9));
    report(key + QStringLiteral(".max"), samples.maxMs());
    report(key + QStringLiteral(".count"), double(samples.size()));
}

} // namespace bench
