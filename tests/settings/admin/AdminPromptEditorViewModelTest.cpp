#include "AdminPromptEditorViewModel.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptTag.h"

#include <QSignalSpy>

#include <functional>

#include <gtest/gtest.h>

namespace {
class StripTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ctx.open(ModelContext::InMemory).ok());
        ctx.setAutosaveInterval(-1);
        prompt = new Prompt;
        prompt->setTitle(QStringLiteral("Review"));
        prompt->setUpdatedAt(before);
        ctx.insert(prompt);
        strip.setPrompt(prompt);
    }

    template <class T = PromptCategory> T *add(const char *name)
    {
        auto *item = new T;
        item->setName(QString::fromUtf8(name));
        ctx.insert(item);
        return item;
    }
    PromptTag *tag(const char *name) { return add<PromptTag>(name); }

    ModelContext ctx;
    Prompt *prompt = nullptr;
    AdminPromptEditorViewModel strip{&ctx, nullptr};
    const QDateTime before = QDateTime::currentDateTime().addDays(-2);
};

template <class T> QList<QObject *> objects(std::initializer_list<T *> items)
{
    return QList<QObject *>(items.begin(), items.end());
}
} // namespace

// An empty store shows the no-items line; the menus then list the unassigned items sorted as
// the browser sorts (case and numbers, not code points) and the chips follow the prompt.
TEST_F(StripTest, MenusListTheUnassignedItemsSortedAndChipsFollowThePrompt)
{
    EXPECT_EQ(strip.categoryMenuText(), QStringLiteral("No categories available"));
    EXPECT_EQ(strip.tagMenuText(), QStringLiteral("No tags available"));
    EXPECT_TRUE(strip.categoryChoices().isEmpty());
    EXPECT_TRUE(strip.tagChoices().isEmpty());

    PromptCategory *zebra = add("Zebra"), *apple = add("apple"), *item10 = add("Item 10"), *item2 = add("item 2");
    PromptCategory *code = add("Code");
    PromptTag *upper = tag("Video"), *lower = tag("audio");
    prompt->setCategories({code});
    EXPECT_EQ(strip.categoryChoices(), objects({apple, item2, item10, zebra}));
    EXPECT_EQ(strip.tagChoices(), objects({lower, upper}));
    EXPECT_EQ(strip.categoryMenuText(), QString());
    EXPECT_EQ(strip.categories(), objects({code}));
    // With every item assigned the menu is empty: no entries and no text.
    prompt->setCategories({zebra, apple, item10, item2, code});
    EXPECT_TRUE(strip.categoryChoices().isEmpty());
    EXPECT_EQ(strip.categoryMenuText(), QString());
}

// Every change is written at once with a fresh date; a refused one leaves the prompt alone.
TEST_F(StripTest, EveryChangeIsWrittenAtOnceWithAFreshUpdatedAtAndRefusedOnesAreNot)
{
    PromptCategory *writing = add("Writing"), *art = add("Art");
    PromptTag *text = tag("text");
    QSignalSpy categoriesChanged(&strip, &AdminPromptEditorViewModel::categoriesChanged);
    QSignalSpy tagsChanged(&strip, &AdminPromptEditorViewModel::tagsChanged);
    const auto change = [&](const char *what, const std::function<void()> &act) {
        prompt->setUpdatedAt(before);
        act();
        EXPECT_GT(prompt->updatedAt(), before) << what << " left the date";
    };
    change("adding categories", [&] { strip.addCategory(writing); strip.addCategory(art); });
    EXPECT_EQ(prompt->categories(), (QList<PromptCategory *>{writing, art})) << "appended at the end";
    EXPECT_EQ(categoriesChanged.size(), 2);
    change("removing categories", [&] { strip.removeCategory(writing); strip.removeCategory(art); });
    EXPECT_TRUE(prompt->categories().isEmpty());
    change("adding a tag", [&] { strip.addTag(text); });
    EXPECT_EQ(prompt->tags(), QList<PromptTag *>{text});
    EXPECT_EQ(tagsChanged.size(), 1);
    change("removing a tag", [&] { strip.removeTag(text); });
    EXPECT_TRUE(prompt->tags().isEmpty());

    prompt->setCategories({writing});
    prompt->setUpdatedAt(before);
    strip.addCategory(writing); // already assigned
    strip.removeTag(text);      // not assigned
    strip.addCategory(text);    // a tag is no category
    strip.addTag(nullptr);
    EXPECT_EQ(prompt->categories(), QList<PromptCategory *>{writing});
    EXPECT_TRUE(prompt->tags().isEmpty());
    EXPECT_EQ(prompt->updatedAt(), before) << "a refused change dated the prompt";
}

TEST_F(StripTest, ChipsFollowADeletedCategoryAndAnotherPrompt)
{
    PromptCategory *writing = add("Writing"), *art = add("Art");
    prompt->setCategories({writing, art});
    QSignalSpy categoriesChanged(&strip, &AdminPromptEditorViewModel::categoriesChanged);
    ctx.remove(writing);
    EXPECT_GE(categoriesChanged.size(), 1);
    EXPECT_EQ(strip.categories(), objects({art}));

    auto *other = new Prompt;
    ctx.insert(other);
    strip.setPrompt(other);
    EXPECT_TRUE(strip.categories().isEmpty());
    strip.addCategory(art);
    EXPECT_EQ(other->categories(), QList<PromptCategory *>{art});
    EXPECT_EQ(prompt->categories(), QList<PromptCategory *>{art});
    // The old prompt no longer drives the strip.
    categoriesChanged.clear();
    prompt->setCategories({});
    EXPECT_EQ(categoriesChanged.size(), 0);
}
