#include "HybridLogicalClock.h"
#include "JournalCodec.h"
#include "SyncState.h"

#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <algorithm>

namespace {
const QString A = "aaaaaaaa-0000-4000-8000-000000000001";
const QString B = "bbbbbbbb-0000-4000-8000-000000000002";
const QString P = "A1B2C3D4-0000-4000-8000-000000000001";

SyncRecord rec(const QString &device, qint64 wall, const QString &entity, const QString &field, const QJsonValue &v,
               quint32 counter = 0)
{
    return {{wall, counter, device}, entity, P, field, v};
}

// Merges the records in the given order into a fresh state.
SyncState merged(const QList<SyncRecord> &records)
{
    SyncState state;
    for (const SyncRecord &r : records)
        state.merge(r);
    return state;
}

QJsonValue valueOf(const SyncState &state, const QString &entity, const QString &field)
{
    const SyncState::Entity *e = state.find(entity, P);
    const SyncState::Winner *w = e ? e->field(field) : nullptr;
    return w ? w->value : QJsonValue(QJsonValue::Undefined);
}

// Every order of the records gives the same state.
void expectOrderFree(QList<SyncRecord> records, const std::function<void(const SyncState &)> &check)
{
    std::sort(records.begin(), records.end(), [](const SyncRecord &a, const SyncRecord &b) { return a.stamp < b.stamp; });
    do {
        check(merged(records));
    } while (std::next_permutation(records.begin(), records.end(),
                                   [](const SyncRecord &a, const SyncRecord &b) { return a.stamp < b.stamp; }));
}

QByteArray journalOf(const QList<SyncRecord> &records, const QString &device = A)
{
    SyncJournal journal;
    journal.device = device;
    journal.name = "Laptop";
    journal.written = 1000;
    journal.records = records;
    return JournalCodec::encode(journal);
}
} // namespace

TEST(SyncMerge, SameFieldOnTwoDevicesTheNewestWinsInEitherOrder)
{
    expectOrderFree({rec(A, 2000, "attr", "favorite", true), rec(B, 1000, "attr", "favorite", false)},
                    [](const SyncState &s) { EXPECT_EQ(valueOf(s, "attr", "favorite"), QJsonValue(true)); });
    // The same millisecond and counter: the device id decides, the same way everywhere.
    expectOrderFree({rec(A, 3000, "prompt", "title", "from A"), rec(B, 3000, "prompt", "title", "from B")},
                    [](const SyncState &s) { EXPECT_EQ(valueOf(s, "prompt", "title"), QJsonValue("from B")); });
}

TEST(SyncMerge, DifferentFieldsOfOnePromptBothStay)
{
    expectOrderFree({rec(A, 1000, "prompt", "title", "New title"), rec(B, 2000, "prompt", "template", "New {{x}}"),
                     rec(A, 500, "prompt", "template", "Old {{x}}", 0)},
                    [](const SyncState &s) {
                        EXPECT_EQ(valueOf(s, "prompt", "title"), QJsonValue("New title"));
                        EXPECT_EQ(valueOf(s, "prompt", "template"), QJsonValue("New {{x}}"));
                    });
}

TEST(SyncMerge, ConcurrentUsesAddUpAndAResetClearsOnlyWhatItSaw)
{
    // Offline: one use on A, one on B. Merged twice, counted once.
    const SyncRecord useA = rec(A, 1000, "attr", "uses", 1);
    const SyncRecord useB = rec(B, 1100, "attr", "uses", 1);
    expectOrderFree({useA, useB}, [](const SyncState &s) { EXPECT_EQ(s.find("attr", P)->usage(), 2); });
    SyncState twice = merged({useA, useB, useA, useB});
    EXPECT_EQ(twice.find("attr", P)->usage(), 2);

    // A resets having seen A:3 and B:1; B meanwhile used it twice more (B:3).
    const QList<SyncRecord> records{rec(A, 1000, "attr", "uses", 3), rec(B, 1100, "attr", "uses", 1),
                                    rec(A, 2000, "attr", "cleared", QJsonObject{{A, 3}, {B, 1}}),
                                    rec(B, 2100, "attr", "uses", 3), rec(A, 3000, "attr", "uses", 4)};
    expectOrderFree(records, [](const SyncState &s) { EXPECT_EQ(s.find("attr", P)->usage(), 3); });
}

TEST(SyncMerge, DeleteAgainstEdit)
{
    const SyncRecord created = rec(A, 1000, "prompt", "title", "Mine");
    const SyncRecord deleted = rec(A, 2000, "prompt", "deleted", true);
    const SyncRecord olderEdit = rec(B, 1500, "prompt", "template", "edited before the deletion");
    const SyncRecord newerEdit = rec(B, 2500, "prompt", "template", "edited after");
    // An older edit from a device that had not seen the deletion does not bring it back.
    expectOrderFree({created, deleted, olderEdit}, [](const SyncState &s) { EXPECT_FALSE(s.find("prompt", P)->present()); });
    // An edit newer than the deletion wins over it.
    expectOrderFree({created, deleted, newerEdit}, [](const SyncState &s) {
        EXPECT_TRUE(s.find("prompt", P)->present());
        EXPECT_EQ(valueOf(s, "prompt", "title"), QJsonValue("Mine"));
    });
    // A base copy (clock 0) never decides over a deletion or a real write.
    const SyncRecord base = rec(B, 0, "prompt", "title", "Shipped");
    expectOrderFree({created, deleted, base}, [](const SyncState &s) {
        EXPECT_FALSE(s.find("prompt", P)->present());
        EXPECT_EQ(valueOf(s, "prompt", "title"), QJsonValue("Mine"));
    });
}

TEST(SyncMerge, ClockNeverRunsBackAndMovesUpToWhatItSees)
{
    qint64 wall = 1000;
    HybridLogicalClock clock(A);
    clock.setPhysicalClock([&wall] { return wall; });
    const HlcStamp first = clock.now();
    wall = 500; // the clock was set back
    const HlcStamp second = clock.now();
    EXPECT_LT(first, second);
    EXPECT_EQ(second.wall, 1000);

    // B's clock is three hours ahead: A's next change must still be newer than B's.
    const HlcStamp fromB{wall + 3 * 3600 * 1000, 7, B};
    EXPECT_TRUE(clock.receive(fromB));
    const HlcStamp next = clock.now();
    EXPECT_LT(fromB, next);
    EXPECT_EQ(next.device, A);

    // Three days ahead is refused and leaves the clock alone.
    const HlcStamp farAhead{wall + 72LL * 3600 * 1000, 0, B};
    EXPECT_FALSE(clock.receive(farAhead));
    EXPECT_LT(clock.now(), farAhead);

    // A burst of writes past the counter's range still gives rising stamps.
    HybridLogicalClock burst(A);
    burst.setPhysicalClock([] { return 5; });
    HlcStamp previous = burst.now();
    for (int i = 0; i < 70000; ++i) {
        const HlcStamp s = burst.now();
        ASSERT_LT(previous, s);
        previous = s;
    }
}

TEST(SyncJournalCodec, AJournalCutAnywhereIsRejectedWhole)
{
    const QByteArray whole = journalOf({rec(A, 1000, "attr", "favorite", true), rec(A, 1001, "attr", "hidden", true)});
    for (qsizetype cut = 0; cut < whole.size(); ++cut) {
        const JournalCodec::Decoded decoded = JournalCodec::decode(whole.left(cut));
        EXPECT_FALSE(decoded.ok) << "cut at " << cut;
        EXPECT_FALSE(decoded.error.isEmpty());
        EXPECT_TRUE(decoded.journal.records.isEmpty() || !decoded.ok);
    }
    EXPECT_TRUE(JournalCodec::decode(whole).ok);
}

TEST(SyncJournalCodec, GarbageAndHostileFilesAreRejectedWithAReason)
{
    const QByteArray good = journalOf({rec(A, 1000, "attr", "favorite", true)});
    const QList<QByteArray> bad{
        QByteArray("\x00\xff\xfe garbage\n", 12),
        QByteArray(100000, 'x') + '\n',
        "[]\n",
        // another format, a newer version, no device, a count that lies
        QByteArray(good).replace("vorn-sync", "other"),
        QByteArray(good).replace("\"version\":1", "\"version\":2"),
        QByteArray(good).replace(A.toUtf8(), "../../etc/passwd"),
        QByteArray(good).replace("\"count\":1", "\"count\":2"),
        QByteArray(good).replace("\"count\":1", "\"count\":1e300"),
        // a value of the wrong type, a prompt key that is not a UUID, a negative clock
        QByteArray(good).replace("\"v\":true", "\"v\":\"yes\""),
        QByteArray(good).replace(P.toUtf8(), "not-a-uuid"),
        QByteArray(good).replace("[1000,0]", "[-1000,0]"),
        QByteArray(good).replace("[1000,0]", "[1000,70000]"),
        good + "{\"t\":[1,0]}\n",
    };
    for (const QByteArray &bytes : bad) {
        const JournalCodec::Decoded decoded = JournalCodec::decode(bytes);
        EXPECT_FALSE(decoded.ok) << bytes.left(120).constData();
        EXPECT_FALSE(decoded.error.isEmpty());
    }
    // Too large, before anything is parsed.
    EXPECT_FALSE(JournalCodec::decode(QByteArray(JournalCodec::MaxFileBytes + 1, '\n')).ok);
}

// Every record comes back as written; fields this version does not know and settings that do
// not travel are skipped and counted.
TEST(SyncJournalCodec, RoundTripKeepsEveryRecordAndSkipsWhatDoesNotTravel)
{
    const QList<SyncRecord> kept{rec(A, 1000, "attr", "favorite", true),
                                 rec(A, 1001, "prompt", "categories", QJsonArray{P}, 3),
                                 rec(A, 1002, "attr", "lastUsed", QJsonValue::Null),
                                 {{1005, 0, A}, "setting", "tag_text_suffix", "value", "Answer in Markdown."}};
    const SyncRecord future = rec(A, 1003, "attr", "rating", 5);
    const SyncRecord admin{{1004, 0, A}, "setting", "isAdminMode", "value", "true"};
    const JournalCodec::Decoded decoded = JournalCodec::decode(journalOf({kept[0], kept[1], kept[2], future, admin, kept[3]}));
    ASSERT_TRUE(decoded.ok) << qPrintable(decoded.error);
    EXPECT_EQ(decoded.journal.device, A);
    EXPECT_EQ(decoded.journal.name, "Laptop");
    EXPECT_EQ(decoded.skipped, 2);
    ASSERT_EQ(decoded.journal.records.size(), kept.size());
    for (int i = 0; i < kept.size(); ++i) {
        EXPECT_EQ(decoded.journal.records[i].stamp, kept[i].stamp) << i;
        EXPECT_EQ(decoded.journal.records[i].value, kept[i].value) << i;
        EXPECT_EQ(decoded.journal.records[i].field, kept[i].field) << i;
        EXPECT_EQ(decoded.journal.records[i].key, kept[i].key) << i;
    }
}
