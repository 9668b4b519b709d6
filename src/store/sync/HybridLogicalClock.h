#pragma once

#include "HlcStamp.h"

#include <functional>

// The clock every change carries. It never runs backwards, moves up to any newer stamp it
// sees from another device (so that a device whose clock is ahead cannot freeze the others'
// changes out), and refuses stamps too far ahead of the local clock.
class HybridLogicalClock {
public:
    static constexpr quint32 MaxCounter = 0xFFFF;
    // How far ahead of this device's clock another device's stamp may be.
    static constexpr qint64 MaxDriftMs = 48LL * 3600 * 1000;

    explicit HybridLogicalClock(const QString &device = {});

    QString device() const { return m_device; }
    void setDevice(const QString &device) { m_device = device; }
    // Replaces the wall clock (tests, benchmarks); milliseconds since the epoch.
    void setPhysicalClock(std::function<qint64()> clock);
    qint64 physicalNow() const;

    // A stamp for a new local write, newer than every stamp issued or seen before.
    HlcStamp now();
    // Takes a stamp seen in another device's file into account. False, and the clock left
    // alone, when the stamp is further ahead of the local clock than MaxDriftMs.
    bool receive(const HlcStamp &stamp);
    // Whether a stamp is close enough to the local clock to be accepted.
    bool acceptable(const HlcStamp &stamp) const;
    HlcStamp last() const { return {m_wall, m_counter, m_device}; }

private:
    QString m_device;
    std::function<qint64()> m_clock;
    qint64 m_wall = 0;
    quint32 m_counter = 0;
};
