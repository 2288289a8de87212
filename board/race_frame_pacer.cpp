#include "race_frame_pacer.h"

#include <algorithm>
#include <cmath>

RaceFramePacer::RaceFramePacer(int tickIntervalMs, std::function<bool()> wanted, QObject *parent)
    : QObject(parent)
    , m_tickIntervalMs(tickIntervalMs)
    , m_wanted(std::move(wanted))
{
    m_timer.setParent(this);
    // The name tests and automation find the frames' timer by.
    m_timer.setObjectName(QStringLiteral("raceFrames"));
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &RaceFramePacer::drawNext);
}

void RaceFramePacer::tickDrawn()
{
    m_sinceTick.start();
    m_framesSinceTick = 0;
    scheduleNext();
}

void RaceFramePacer::stop()
{
    m_timer.stop();
}

void RaceFramePacer::scheduleNext()
{
    if (!m_wanted() || m_framesSinceTick >= DrawingsPerTick - 1) {
        m_timer.stop();
        return;
    }
    const double dueMs = double(m_tickIntervalMs) * (m_framesSinceTick + 1) / DrawingsPerTick;
    const double waitMs = dueMs - double(m_sinceTick.nsecsElapsed()) / 1e6;
    m_timer.start(std::max(0, int(std::ceil(waitMs))));
}

void RaceFramePacer::drawNext()
{
    if (!m_wanted())
        return;
    ++m_framesSinceTick;
    emit frameDue(double(m_framesSinceTick) / DrawingsPerTick);
    scheduleNext();
}
