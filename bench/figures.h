#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

// Small measuring helpers shared by the benchmark's cases.
namespace bench {

// Nanoseconds on the system's monotonic clock, comparable between processes
// on one machine.
qint64 monotonicNs();

// CPU time (user and system) this process used so far, in milliseconds;
// -1 where the platform does not tell.
double processCpuMs();

// The highest resident memory of this process so far, in KiB; -1 where the
// platform does not tell.
qint64 peakResidentKiB();

// Resident memory of this process now as the system counts it, in KiB:
// private (anonymous) pages, the heap and the windows' pictures, beside the
// pages mapped from files (code, fonts), which the system can drop and read
// again. -1 where the platform does not tell (Linux reads
// /proc/self/smaps_rollup).
struct MemoryUse
{
    qint64 privateKiB = -1;
    qint64 fileKiB = -1;
};
MemoryUse memoryUse();

// Lets Qt deliver and paint whatever the last step invalidated: a window's
// update request is a posted event.
void drain();
// Runs the event loop for `ms`, then drains.
void settle(int ms);

// The middle value, not-a-number ones left out; not-a-number for none.
double medianOf(std::vector<double> values);

// Timings of repeated runs of one thing, in nanoseconds.
class Samples
{
public:
    void add(qint64 ns) { m_ns.push_back(ns); }
    bool empty() const { return m_ns.empty(); }
    std::size_t size() const { return m_ns.size(); }
    // The value below which `fraction` of the samples lie, in milliseconds.
    double quantileMs(double fraction) const;
    double medianMs() const { return quantileMs(0.5); }
    double maxMs() const { return quantileMs(1.0); }

private:
    std::vector<qint64> m_ns;
};

// One figure on the output channel the driver reads: "key=value".
void report(const QString &key, double value);
void report(const QString &key, const QString &value);
// median, p90 and max of a sample set under key.median, key.p90, key.max.
void report(const QString &key, const Samples &samples);

} // namespace bench
