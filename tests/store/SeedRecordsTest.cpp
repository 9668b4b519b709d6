#include "SeedRecords.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <gtest/gtest.h>

namespace {
QJsonObject promptObject()
{
    return QJsonObject{{"id", "A1B2C3D4-0000-4000-8000-000000000001"},
                       {"categories", QJsonArray{"Writing"}},
                       {"tags", QJsonArray{"text"}},
                       {"title", "T"},
                       {"description", "D"},
                       {"template", "{{X}}"},
                       {"created", "2025-01-10"},
                       {"updated", "2025-01-12"}};
}

QByteArray promptsFile(const QJsonObject &prompt, const QJsonValue &metadata = QJsonValue::Undefined)
{
    QJsonObject root{{"prompts", QJsonArray{promptObject(), prompt}}};
    if (!metadata.isUndefined())
        root.insert("metadata", metadata);
    return QJsonDocument(root).toJson();
}

QJsonObject dataObject()
{
    return QJsonObject{{"categories", QJsonArray{QJsonObject{{"id", "x"}, {"name", "N"}, {"icon", "folder"}}}},
                       {"tags", QJsonArray{"a", "b"}}};
}

std::optional<PromptsRoot> decodePrompt(const QJsonObject &prompt, QString *error)
{
    return PromptsRoot::decode(promptsFile(prompt), error);
}
} // namespace

TEST(SeedRecords, PromptDefaultsAndOptionalKeys)
{
    QJsonObject prompt = promptObject();
    prompt.insert("hot", QJsonValue::Null);
    prompt.insert("some_future_key", QJsonArray{1, 2});
    QString error;
    const auto root = decodePrompt(prompt, &error);
    ASSERT_TRUE(root) << error.toStdString();
    EXPECT_FALSE(root->metadata);
    ASSERT_EQ(root->prompts.size(), 2);
    const SeedPrompt &p = root->prompts.at(1);
    EXPECT_FALSE(p.hot);
    EXPECT_FALSE(p.active);
    EXPECT_FALSE(p.isHot());
    EXPECT_TRUE(p.isActive());
    EXPECT_EQ(p.templateText, "{{X}}");
    EXPECT_EQ(p.categories, QStringList{"Writing"});

    prompt.insert("hot", true);
    prompt.insert("active", false);
    const auto flagged = decodePrompt(prompt, &error);
    ASSERT_TRUE(flagged);
    EXPECT_TRUE(flagged->prompts.at(1).isHot());
    EXPECT_FALSE(flagged->prompts.at(1).isActive());
}

TEST(SeedRecords, PromptFailuresNameThePlace)
{
    struct Case {
        const char *key;
        QJsonValue value; // Undefined: remove the key
        const char *message;
    };
    const Case cases[] = {
        {"tags", QJsonValue::Undefined, "prompts[1]: missing key \"tags\""},
        {"title", QJsonValue::Null, "prompts[1].title: expected a value, found null"},
        {"title", 5, "prompts[1].title: expected a string, found a number"},
        {"categories", "Writing", "prompts[1].categories: expected an array of strings, found a string"},
        {"tags", QJsonArray{"a", 1}, "prompts[1].tags[1]: expected a string, found a number"},
        {"hot", 1, "prompts[1].hot: expected a boolean, found a number"},
        {"active", "true", "prompts[1].active: expected a boolean, found a string"},
        {"created", QJsonValue::Undefined, "prompts[1]: missing key \"created\""},
    };
    for (const Case &c : cases) {
        QJsonObject prompt = promptObject();
        if (c.value.isUndefined())
            prompt.remove(c.key);
        else
            prompt.insert(c.key, c.value);
        QString error;
        EXPECT_FALSE(decodePrompt(prompt, &error)) << c.key;
        EXPECT_EQ(error.toStdString(), c.message);
    }

    QString error;
    EXPECT_FALSE(PromptsRoot::decode("{\"prompts\": [1]}", &error));
    EXPECT_EQ(error.toStdString(), "prompts[0]: expected an object, found a number");
    EXPECT_FALSE(PromptsRoot::decode("{}", &error));
    EXPECT_EQ(error.toStdString(), "missing key \"prompts\"");
    EXPECT_FALSE(PromptsRoot::decode("[]", &error));
    EXPECT_FALSE(PromptsRoot::decode("{\"prompts\": [", &error));
    EXPECT_TRUE(error.startsWith("invalid JSON at offset")) << error.toStdString();
    EXPECT_FALSE(PromptsRoot::decode("", &error));
}

TEST(SeedRecords, MetadataDataFileAndGlobalLists)
{
    QString error;
    auto root = PromptsRoot::decode(promptsFile(promptObject(), QJsonValue::Null), &error);
    ASSERT_TRUE(root);
    EXPECT_FALSE(root->metadata);
    const QJsonObject metadata{{"version", "2.1"}, {"last_updated", "whenever"}, {"author", "me"}};
    root = PromptsRoot::decode(promptsFile(promptObject(), metadata), &error);
    ASSERT_TRUE(root && root->metadata);
    EXPECT_EQ(root->metadata->version, "2.1");
    EXPECT_EQ(root->metadata->lastUpdated, "whenever");
    QJsonObject noAuthor = metadata;
    noAuthor.remove("author");
    EXPECT_FALSE(PromptsRoot::decode(promptsFile(promptObject(), noAuthor), &error));
    EXPECT_EQ(error.toStdString(), "metadata: missing key \"author\"");
    EXPECT_FALSE(PromptsRoot::decode(promptsFile(promptObject(), QJsonArray()), &error));
    EXPECT_EQ(error.toStdString(), "metadata: expected an object, found an array");

    QJsonObject data = dataObject();
    data.insert("design_styles", QJsonArray{"flat", "glass"});
    auto dataRoot = DataRoot::decode(QJsonDocument(data).toJson(), &error);
    ASSERT_TRUE(dataRoot) << error.toStdString();
    EXPECT_FALSE(dataRoot->variables);
    EXPECT_EQ(dataRoot->categories.at(0).icon, "folder");
    EXPECT_FALSE(dataRoot->categories.at(0).description);
    EXPECT_EQ(dataRoot->globalLists(), (QMap<QString, QStringList>{{"design_styles", {"flat", "glass"}}}));
    // A named list replaces the variables entry of the same name; other entries stay.
    data.insert("variables", QJsonObject{{"design_styles", QJsonArray{"old"}}, {"tones", QJsonArray{"dry"}}});
    data.insert("auth_providers", QJsonValue::Null);
    dataRoot = DataRoot::decode(QJsonDocument(data).toJson(), &error);
    ASSERT_TRUE(dataRoot);
    EXPECT_EQ(dataRoot->globalLists(),
              (QMap<QString, QStringList>{{"design_styles", {"flat", "glass"}}, {"tones", {"dry"}}}));

    const struct {
        const char *key;
        QJsonValue value; // Undefined: remove the key
        const char *message;
    } failures[] = {
        {"variables", QJsonObject{{"tones", QJsonArray{"dry", 2}}}, "variables.tones[1]: expected a string, found a number"},
        {"app_platforms", "iOS", "app_platforms: expected an array of strings, found a string"},
        {"categories", QJsonArray{QJsonObject{{"id", "x"}, {"name", "N"}}}, "categories[0]: missing key \"icon\""},
        {"tags", QJsonValue::Undefined, "missing key \"tags\""},
    };
    for (const auto &f : failures) {
        data = dataObject();
        if (f.value.isUndefined())
            data.remove(f.key);
        else
            data.insert(f.key, f.value);
        EXPECT_FALSE(DataRoot::decode(QJsonDocument(data).toJson(), &error)) << f.key;
        EXPECT_EQ(error.toStdString(), f.message);
    }
}

TEST(SeedRecords, EncodingLeavesAbsentOptionalsOut)
{
    PromptsRoot root;
    SeedPrompt prompt;
    prompt.id = "X";
    prompt.title = "a/b";
    root.prompts.append(prompt);
    const QByteArray bytes = root.encode();
    EXPECT_FALSE(bytes.contains("metadata"));
    EXPECT_FALSE(bytes.contains("\"hot\""));
    EXPECT_FALSE(bytes.contains("null"));
    EXPECT_TRUE(bytes.contains("\"a/b\""));

    prompt.hot = false;
    prompt.active = true;
    root.prompts = {prompt};
    root.metadata = SeedMetadata{"1.7", "2025-01-01", "Full Export"};
    const auto back = PromptsRoot::decode(root.encode());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->prompts, root.prompts);
    EXPECT_EQ(back->metadata, root.metadata);

    DataRoot data;
    data.categories.append(SeedCategory{"id", "Name", "icon", std::nullopt});
    data.namedLists.insert("database_orms", {"Prisma"});
    const QByteArray dataBytes = data.encode();
    EXPECT_FALSE(dataBytes.contains("description"));
    EXPECT_FALSE(dataBytes.contains("variables"));
    const auto dataBack = DataRoot::decode(dataBytes);
    ASSERT_TRUE(dataBack);
    EXPECT_EQ(dataBack->categories, data.categories);
    EXPECT_EQ(dataBack->globalLists(), data.namedLists);
}

TEST(SeedRecords, Dates)
{
    const QDateTime at = SeedDate::parse("2025-03-09");
    ASSERT_TRUE(at.isValid());
    EXPECT_EQ(at.date(), QDate(2025, 3, 9));
    EXPECT_EQ(at.time(), QTime(0, 0));
    EXPECT_EQ(at.timeSpec(), Qt::LocalTime);
    EXPECT_EQ(SeedDate::format(at), "2025-03-09");

    for (const char *bad : {"2025-13-01", "2025/03/09", "2025-3-9", "25-03-09", "2025-02-30", "2025-03-09\n",
                            " 2025-03-09", "2025-03-09T00:00:00Z", ""})
        EXPECT_FALSE(SeedDate::parse(bad).isValid()) << bad;

    const QDateTime before = QDateTime::currentDateTime();
    const QDateTime now = SeedDate::parseOrNow("2025-13-01");
    EXPECT_GE(now, before);
    EXPECT_LE(now, QDateTime::currentDateTime());
}
