#include "UuidKeys.h"

#include <gtest/gtest.h>

// Ids that repeat one number in two fields, as generated or hand-written libraries have them.
TEST(UuidKeys, PatternedIdsSpreadOverBuckets)
{
    std::unordered_set<size_t> hashes;
    constexpr int Count = 1000;
    for (int i = 0; i < Count; ++i) {
        const QUuid id = QUuid::fromString(QString::asprintf("{%08X-0000-4000-8000-%012X}", i, i));
        ASSERT_FALSE(id.isNull());
        hashes.insert(UuidHash{}(id));
    }
    EXPECT_EQ(hashes.size(), size_t(Count));

    UuidMap<int> uses;
    uses[QUuid::fromString(QStringLiteral("{00000001-0000-4000-8000-000000000001}"))] = 3;
    EXPECT_EQ(uses.count(QUuid::fromString(QStringLiteral("{00000001-0000-4000-8000-000000000001}"))), 1u);
    EXPECT_EQ(uses.count(QUuid::fromString(QStringLiteral("{00000002-0000-4000-8000-000000000002}"))), 0u);
}
