#include "LibraryValidator.h"

#include "ModelContext.h"
#include "Prompt.h"
#include "PromptGlobalVariable.h"
#include "StoreTestData.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {
QString format(const char *placeholder)
{
    return QStringLiteral("Invalid format in '%1'. Expected 'Name: Value'.")
        .arg(QLatin1String(placeholder));
}
} // namespace

TEST(LibraryValidator, WalksEveryPromptInStoreOrder)
{
    ModelContext context;
    ASSERT_TRUE(context.open(ModelContext::InMemory).ok());
    {
        const LibraryValidator::Result empty = LibraryValidator::validateAll(context);
        EXPECT_EQ(empty.promptCount, 0);
        EXPECT_TRUE(empty.errors.isEmpty());
    }
    const auto add = [&](const QString &title, const QString &text) { return TestData::addPrompt(context, title, text); };
    Prompt *first = add("First", "{{a}}} {{T: [Tones]}}");
    add("Clean", "{{T: [tones]}}");
    add("Empty", QString());
    Prompt *last = add("Last", "{{b}}");
    // Keys match exactly: "tones" is known, "Tones" is not.
    context.insert(new PromptGlobalVariable("tones", {}));

    const LibraryValidator::Result result = LibraryValidator::validateAll(context);
    EXPECT_EQ(result.promptCount, 4);
    ASSERT_EQ(result.errors.size(), 4);
    const QStringList messages{"Unbalanced brackets: 4 '{' vs 5 '}'", format("{{a}}"),
                               "Unknown global variable: '[Tones]'", format("{{b}}")};
    QSet<QUuid> ids;
    for (qsizetype i = 0; i < result.errors.size(); ++i) {
        const TemplateValidationError &error = result.errors[i];
        EXPECT_EQ(error.error, messages[i]);
        EXPECT_EQ(error.prompt, i < 3 ? first : last);
        EXPECT_EQ(error.promptTitle, i < 3 ? "First" : "Last");
        ids.insert(error.id);
    }
    EXPECT_EQ(ids.size(), 4);
}
