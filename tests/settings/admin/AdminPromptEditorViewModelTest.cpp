#include "AdminPromptEditorViewModel.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptTag.h"

#include <QSignalSpy>

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

    PromptCategory *category(const QString &name)
    {
        auto *c = new PromptCategory;
        c->setName(name);
        ctx.insert(c);
        return c;
    }
    PromptTag *tag(const QString &name)
    {
        auto *t = new PromptTag;
        t->setName(name);
        ctx.insert(t);
        return t;
    }

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

TEST_F(StripTest, EmptyStoreShowsTheNoItemsLineInsteadOfChoices)
{
    EXPECT_EQ(strip.categoryMenuText(), QStringLiteral("No categories available"));
    EXPECT_EQ(strip.tagMenuText(), QStringLiteral("No tags available"));
    EXPECT_TRUE(strip.categoryChoices().isEmpty());
    EXPECT_TRUE(strip.tagChoices().isEmpty());
}

TEST_F(StripTest, MenusListTheUnassignedItemsByNameAndChipsFollowThePrompt)
{
    PromptCategory *writing = category(QStringLiteral("Writing"));
    PromptCategory *art = category(QStringLiteral("Art"));
    PromptCategory *code = category(QStringLiteral("Code"));
    PromptTag *text = tag(QStringLiteral("text"));
    PromptTag *image = tag(QStringLiteral("image"));
    prompt->setCategories({code});

    EXPECT_EQ(strip.categoryChoices(), objects({art, writing}));
    EXPECT_EQ(strip.tagChoices(), objects({image, text}));
    EXPECT_EQ(strip.categoryMenuText(), QString());
    EXPECT_EQ(strip.categories(), objects({code}));

    // With every item assigned the menu is empty: no entries and no text.
    prompt->setCategories({writing, art, code});
    EXPECT_TRUE(strip.categoryChoices().isEmpty());
    EXPECT_EQ(strip.categoryMenuText(), QString());
}

TEST_F(StripTest, MenusSortAsTheBrowserDoesNotByCodePoint)
{
    PromptCategory *zebra = category(QStringLiteral("Zebra"));
    PromptCategory *apple = category(QStringLiteral("apple"));
    PromptCategory *item10 = category(QStringLiteral("Item 10"));
    PromptCategory *item2 = category(QStringLiteral("item 2"));
    PromptTag *upper = tag(QStringLiteral("Video"));
    PromptTag *lower = tag(QStringLiteral("audio"));
    EXPECT_EQ(strip.categoryChoices(), objects({apple, item2, item10, zebra}));
    EXPECT_EQ(strip.tagChoices(), objects({lower, upper}));
}

TEST_F(StripTest, EveryChangeIsWrittenAtOnceWithAFreshUpdatedAt)
{
    PromptCategory *writing = category(QStringLiteral("Writing"));
    PromptCategory *art = category(QStringLiteral("Art"));
    PromptTag *text = tag(QStringLiteral("text"));
    QSignalSpy categoriesChanged(&strip, &AdminPromptEditorViewModel::categoriesChanged);
    QSignalSpy tagsChanged(&strip, &AdminPromptEditorViewModel::tagsChanged);

    strip.addCategory(writing);
    strip.addCategory(art); // appended at the end
    EXPECT_EQ(prompt->categories(), (QList<PromptCategory *>{writing, art}));
    EXPECT_GT(prompt->updatedAt(), before);
    EXPECT_EQ(categoriesChanged.size(), 2);

    prompt->setUpdatedAt(before);
    strip.removeCategory(writing);
    strip.removeCategory(art);
    EXPECT_TRUE(prompt->categories().isEmpty());
    EXPECT_GT(prompt->updatedAt(), before);

    prompt->setUpdatedAt(before);
    strip.addTag(text);
    EXPECT_EQ(prompt->tags(), QList<PromptTag *>{text});
    EXPECT_GT(prompt->updatedAt(), before);
    EXPECT_EQ(tagsChanged.size(), 1);
    prompt->setUpdatedAt(before);
    strip.removeTag(text);
    EXPECT_TRUE(prompt->tags().isEmpty());
    EXPECT_GT(prompt->updatedAt(), before);
}

TEST_F(StripTest, RefusedChangesLeaveThePromptAlone)
{
    PromptCategory *writing = category(QStringLiteral("Writing"));
    PromptTag *text = tag(QStringLiteral("text"));
    prompt->setCategories({writing});
    prompt->setUpdatedAt(before);

    strip.addCategory(writing);          // already assigned
    strip.removeTag(text);               // not assigned
    strip.addCategory(text);             // a tag is no category
    strip.addTag(nullptr);
    EXPECT_EQ(prompt->categories(), QList<PromptCategory *>{writing});
    EXPECT_TRUE(prompt->tags().isEmpty());
    EXPECT_EQ(prompt->updatedAt(), before);
}

TEST_F(StripTest, ChipsFollowADeletedCategoryAndAnotherPrompt)
{
    PromptCategory *writing = category(QStringLiteral("Writing"));
    PromptCategory *art = category(QStringLiteral("Art"));
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
