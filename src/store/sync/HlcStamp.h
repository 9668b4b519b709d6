#pragma once

#include <QString>
#include <QtGlobal>

#include <tuple>

// One reading of the hybrid logical clock: wall milliseconds, a counter for writes within
// one millisecond, and the writing device's id to break the last ties.
struct HlcStamp {
    qint64 wall = 0;
    quint32 counter = 0;
    QString device;

    // The base clock of a copied, unchanged value: every real write is newer.
    bool isBase() const { return wall == 0 && counter == 0; }
    bool isNull() const { return device.isEmpty(); }

    friend bool operator<(const HlcStamp &a, const HlcStamp &b)
    {
        return std::tie(a.wall, a.counter, a.device) < std::tie(b.wall, b.counter, b.device);
    }
    friend bool operator==(const HlcStamp &a, const HlcStamp &b)
    {
        return a.wall == b.wall && a.counter == b.counter && a.device == b.device;
    }
    friend bool operator!=(const HlcStamp &a, const HlcStamp &b) { return !(a == b); }
};
