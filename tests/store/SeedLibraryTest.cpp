#include "SeedLibrary.h"
#include "SeedRecords.h"
#include "TestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {
QByteArray resource(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::optional<SeedLibrary::Versions> of(const QByteArray &prompts, const QByteArray &data = R"({"tags": []})")
{
    return SeedLibrary::versionsOf(prompts, data);
}
} // namespace

TEST(SeedLibraryVersions, TheShippedFilesReadAsTheirDecodingSays)
{
    const QByteArray prompts = resource(":/seed/prompts.json");
    const QByteArray data = resource(":/seed/data.json");
    ASSERT_FALSE(prompts.isEmpty());
    const std::optional<PromptsRoot> promptsRoot = PromptsRoot::decode(prompts);
    const std::optional<DataRoot> dataRoot = DataRoot::decode(data);
    ASSERT_TRUE(promptsRoot && dataRoot);
    const std::optional<SeedLibrary::Versions> versions = SeedLibrary::versionsOf(prompts, data);
    ASSERT_TRUE(versions);
    EXPECT_EQ(versions->prompts, promptsRoot->metadata->version);
    EXPECT_EQ(versions->data, dataRoot->metadata->version);
    EXPECT_EQ(versions->promptCount, promptsRoot->prompts.size());

    // The shipped library is read from the resources unless a folder is named.
    qunsetenv("VORN_SEED_DIR");
    const std::optional<SeedLibrary::Versions> loaded = SeedLibrary::versions();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->promptCount, versions->promptCount);
}

TEST(SeedLibraryVersions, LayoutsTheWalkMustGetRight)
{
    // Metadata after the prompts, quotes and brackets inside strings, nested values, spacing.
    const std::optional<SeedLibrary::Versions> late = of(R"( {
        "prompts" : [ {"title": "say \"{[\" \\", "tags": ["a", {"b": [1, 2.5e3, true, null]}]},
                      {"title": "\\\\"} ],
        "extra": {"x": "]}"},
        "metadata": {"version": "2.1", "last_updated": "2025-01-01", "author": "me"} } )",
                                                        R"({"metadata": {"version": "3", "last_updated": "", "author": ""}})");
    ASSERT_TRUE(late);
    EXPECT_EQ(late->prompts, QStringLiteral("2.1"));
    EXPECT_EQ(late->data, QStringLiteral("3"));
    EXPECT_EQ(late->promptCount, 2);

    // No metadata reads as version "0.0"; an empty list has no prompts.
    const std::optional<SeedLibrary::Versions> bare = of(R"({"prompts": []})");
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->prompts, QStringLiteral("0.0"));
    EXPECT_EQ(bare->data, QStringLiteral("0.0"));
    EXPECT_EQ(bare->promptCount, 0);
}

TEST(SeedLibraryVersions, AnythingUnexpectedIsLeftToTheDecoder)
{
    for (const QByteArray &prompts : {QByteArray(""), QByteArray("[]"), QByteArray(R"({"metadata": {}})"),
                                      QByteArray(R"({"prompts": [{"title": "open)"),
                                      QByteArray(R"({"prompts": [1, 2]})"), QByteArray(R"({"prompts": {}})"),
                                      QByteArray(R"({"metadata": {"version": 2}, "prompts": []})"),
                                      QByteArray(R"({"metadata": "1.0", "prompts": []})"),
                                      QByteArray(R"({"prompts": []} trailing)"), QByteArray(R"({"prompts": [] "x": 1})")})
        EXPECT_FALSE(of(prompts)) << prompts.constData();
    EXPECT_FALSE(SeedLibrary::versionsOf(R"({"prompts": []})", R"({"tags": [)"));
}

TEST(SeedLibraryVersions, ALargeFileOnDiskIsWalkedToItsEnd)
{
    // Past the first few megabytes the walk hands pages back behind it; what it reads ahead
    // must still be all there, the closing bracket and a damaged end included.
    const QString dir = TestSupport::freshDir(QStringLiteral("seed-large"));
    const QByteArray body = QByteArray(2000, 'x');
    QByteArray prompts = R"({"metadata": {"version": "7.1", "last_updated": "2026-01-01", "author": "test"}, "prompts": [)";
    constexpr int Count = 12000; // about 24 MB
    for (int i = 0; i < Count; ++i)
        prompts += (i ? "," : "") + QByteArray(R"({"id": "p", "template": ")") + body + "\"}";
    const auto write = [&dir](const char *name, const QByteArray &bytes) {
        QFile file(dir + QLatin1Char('/') + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write("data.json", R"({"tags": []})");
    write("prompts.json", prompts + "]}");
    qputenv("VORN_SEED_DIR", dir.toUtf8());
    const std::optional<SeedLibrary::Versions> versions = SeedLibrary::versions();
    ASSERT_TRUE(versions);
    EXPECT_EQ(versions->prompts, QStringLiteral("7.1"));
    EXPECT_EQ(versions->promptCount, Count);
    write("prompts.json", prompts + "]");
    EXPECT_FALSE(SeedLibrary::versions());
    qunsetenv("VORN_SEED_DIR");
}
