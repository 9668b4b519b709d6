#include "HybridLogicalClock.h"

#include <QDateTime>

HybridLogicalClock::HybridLogicalClock(const QString &device) : m_device(device) {}

void HybridLogicalClock::setPhysicalClock(std::function<qint64()> clock)
{
    m_clock = std::move(clock);
}

qint64 HybridLogicalClock::physicalNow() const
{
    return m_clock ? m_clock() : QDateTime::currentMSecsSinceEpoch();
}

HlcStamp HybridLogicalClock::now()
{
    const qint64 physical = physicalNow();
    if (physical > m_wall) {
        m_wall = physical;
        m_counter = 0;
    } else if (m_counter < MaxCounter) {
        ++m_counter;
    } else {
        // A burst of writes within one millisecond runs the clock ahead a little.
        ++m_wall;
        m_counter = 0;
    }
    return last();
}

bool HybridLogicalClock::acceptable(const HlcStamp &stamp) const
{
    return stamp.wall <= physicalNow() + MaxDriftMs;
}

bool HybridLogicalClock::receive(const HlcStamp &stamp)
{
    if (!acceptable(stamp))
        return false;
    if (stamp.wall > m_wall || (stamp.wall == m_wall && stamp.counter > m_counter)) {
        m_wall = stamp.wall;
        m_counter = stamp.counter;
    }
    return true;
}
