#pragma once

#include <QHashFunctions>
#include <QUuid>

#include <unordered_map>
#include <unordered_set>

// Sets and maps keyed by id. Qt's own hash of a QUuid folds the id's fields onto each other,
// so ids that repeat one number in two fields (00000007-0000-4000-8000-000000000007, as
// written by hand or generated) all share one bucket, and a set of 100,000 of them takes
// seconds; this hash takes all 16 bytes.
struct UuidHash {
    size_t operator()(const QUuid &id) const noexcept { return qHashBits(&id, sizeof(id)); }
};
using UuidSet = std::unordered_set<QUuid, UuidHash>;
template <class T> using UuidMap = std::unordered_map<QUuid, T, UuidHash>;
