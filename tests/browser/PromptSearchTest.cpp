#include "PromptSearch.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "UserAttribute.h"

#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {
class PromptSearchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ctx.open(ModelContext::InMemory).ok());
        ctx.setAutosaveInterval(-1);
    }

    Prompt *add(const QString &title, const QString &description = {},
                const QString &templateText = {})
    {
        auto *prompt = new Prompt;
        prompt->setTitle(title);
        prompt->setPromptDescription(description);
        prompt->setTemplateText(templateText);
        ctx.insert(prompt);
        return prompt;
    }

    QStringList titles(const QString &text, PromptSearch::Options options = {})
    {
        QStringList out;
        for (const Prompt *prompt : search.search(text, options))
            out.append(prompt->title());
        return out;
    }

    ModelContext ctx;
    PromptSearch search{ctx};
};
} // namespace

TEST(PromptSearchTerms, FoldCaseAndAccentsAndSplitAtWhiteSpace)
{
    EXPECT_EQ(PromptSearch::terms(QStringLiteral("  Code\tREVIEW \n ")),
              (QStringList{QStringLiteral("code"), QStringLiteral("review")}));
    EXPECT_TRUE(PromptSearch::terms(QStringLiteral("   ")).isEmpty());
    EXPECT_EQ(PromptSearch::fold(QStringLiteral("Crème BRÛLÉE")), QStringLiteral("creme brulee"));
    EXPECT_EQ(PromptSearch::fold(QStringLiteral("Ångström naïve ﬁle")),
              QStringLiteral("angstrom naive file"));
    EXPECT_EQ(PromptSearch::fold(QStringLiteral("ΣΟΦΊΑ")),
              PromptSearch::fold(QStringLiteral("σοφία")));
}

TEST_F(PromptSearchTest, TermsMustAllMatchInAnyOfTheFields)
{
    add(QStringLiteral("Review of code"));
    add(QStringLiteral("Code helper"), QStringLiteral("writes functions"));
    add(QStringLiteral("Essay"), QStringLiteral("a careful review"));
    add(QStringLiteral("Code"), QStringLiteral("for a review"));
    add(QStringLiteral("Unrelated"), QStringLiteral("nothing"), QStringLiteral("code review"));

    EXPECT_EQ(titles(QStringLiteral("CODE review")),
              (QStringList{QStringLiteral("Code"), QStringLiteral("Review of code")}));
    EXPECT_EQ(titles(QStringLiteral("review code")).size(), 2);
    // Plain containment, no word boundaries.
    EXPECT_EQ(titles(QStringLiteral("ode elp")), QStringList{QStringLiteral("Code helper")});
    EXPECT_TRUE(titles(QStringLiteral("code missing")).isEmpty());
    // Only spaces: every prompt, as with no search at all.
    EXPECT_EQ(titles(QStringLiteral("   ")).size(), 5);
}

TEST_F(PromptSearchTest, TemplateTextOnlyWithTheOption)
{
    add(QStringLiteral("Letter"), QStringLiteral("formal"), QStringLiteral("Dear {{Recipient}}"));
    PromptSearch::Options withTemplate;
    withTemplate.searchTemplate = true;
    EXPECT_TRUE(titles(QStringLiteral("recipient")).isEmpty());
    EXPECT_EQ(titles(QStringLiteral("recipient"), withTemplate),
              QStringList{QStringLiteral("Letter")});
    // Terms may be spread over fields, the template included.
    EXPECT_EQ(titles(QStringLiteral("formal dear letter"), withTemplate),
              QStringList{QStringLiteral("Letter")});
}

TEST_F(PromptSearchTest, HiddenAndInactivePromptsFollowTheirOptions)
{
    Prompt *hidden = add(QStringLiteral("Hidden note"));
    hidden->ensureAttribute()->setHidden(true);
    Prompt *inactive = add(QStringLiteral("Draft note"));
    inactive->setActive(false);
    add(QStringLiteral("Plain note"));
    // A hidden record whose link to its prompt was lost still hides the prompt of that id.
    Prompt *orphaned = add(QStringLiteral("Orphan note"));
    auto *record = new UserAttribute;
    record->setTargetID(orphaned->id());
    record->setHidden(true);
    ctx.insert(record);

    EXPECT_EQ(titles(QStringLiteral("note")), QStringList{QStringLiteral("Plain note")});
    PromptSearch::Options options;
    options.includeHidden = true;
    EXPECT_EQ(titles(QStringLiteral("note"), options),
              (QStringList{QStringLiteral("Hidden note"), QStringLiteral("Orphan note"),
                           QStringLiteral("Plain note")}));
    options.adminMode = true;
    EXPECT_EQ(titles(QStringLiteral("note"), options).size(), 4);
    options.includeHidden = false;
    EXPECT_EQ(titles(QStringLiteral("note"), options),
              (QStringList{QStringLiteral("Draft note"), QStringLiteral("Plain note")}));
}

TEST_F(PromptSearchTest, AccentsAndCaseAreIgnoredBothWays)
{
    add(QStringLiteral("Café menu"));
    add(QStringLiteral("RESUME writer"), QStringLiteral("for a résumé"));
    EXPECT_EQ(titles(QStringLiteral("cafe")), QStringList{QStringLiteral("Café menu")});
    EXPECT_EQ(titles(QStringLiteral("CAFÉ MENU")), QStringList{QStringLiteral("Café menu")});
    EXPECT_EQ(titles(QStringLiteral("résumé")), QStringList{QStringLiteral("RESUME writer")});
}

TEST_F(PromptSearchTest, RankingByMatchThenFavouriteThenUsageThenTitle)
{
    add(QStringLiteral("Zeta"), {}, QStringLiteral("mail"));
    add(QStringLiteral("Alpha"), QStringLiteral("a mail helper"));
    add(QStringLiteral("Quick mail"));
    add(QStringLiteral("Mail merge"));
    PromptSearch::Options options;
    options.searchTemplate = true;
    EXPECT_EQ(titles(QStringLiteral("mail"), options),
              (QStringList{QStringLiteral("Mail merge"), QStringLiteral("Quick mail"),
                           QStringLiteral("Alpha"), QStringLiteral("Zeta")}));
    // Over several terms the best-placed term counts.
    EXPECT_EQ(titles(QStringLiteral("helper alpha")), QStringList{QStringLiteral("Alpha")});

    // Within one level: favourites, then more uses, then natural title order.
    ctx.remove(ctx.fetch<Prompt>().first());
    const QStringList names{QStringLiteral("Item 10"),    QStringLiteral("item 2"),
                            QStringLiteral("Item 1"),     QStringLiteral("Used once"),
                            QStringLiteral("Used often"), QStringLiteral("Starred")};
    QList<Prompt *> items;
    for (const QString &name : names)
        items.append(add(name, QStringLiteral("entry")));
    items.at(3)->ensureAttribute()->setUsageCount(1);
    items.at(4)->ensureAttribute()->setUsageCount(50);
    items.at(5)->ensureAttribute()->setFavorite(true);
    EXPECT_EQ(titles(QStringLiteral("entry")),
              (QStringList{QStringLiteral("Starred"), QStringLiteral("Used often"),
                           QStringLiteral("Used once"), QStringLiteral("Item 1"),
                           QStringLiteral("item 2"), QStringLiteral("Item 10")}));
}

TEST_F(PromptSearchTest, EqualTitlesKeepStoreOrderAndDuplicateIdsCountOnce)
{
    Prompt *first = add(QStringLiteral("Same"), QStringLiteral("first"));
    Prompt *second = add(QStringLiteral("same"), QStringLiteral("second"));
    Prompt *copy = add(QStringLiteral("Same"), QStringLiteral("copy"));
    copy->setId(first->id());
    EXPECT_EQ(search.search(QStringLiteral("same"), {}), (QList<Prompt *>{first, second}));
    EXPECT_EQ(search.shown({}), (QList<Prompt *>{first, second}));
}

TEST_F(PromptSearchTest, ShownListsByTitleOnly)
{
    Prompt *b = add(QStringLiteral("beta"));
    Prompt *a = add(QStringLiteral("Alpha 10"));
    Prompt *a2 = add(QStringLiteral("alpha 9"));
    b->ensureAttribute()->setFavorite(true);
    b->ensureAttribute()->setUsageCount(9);
    add(QStringLiteral("Off"))->setActive(false);
    EXPECT_EQ(search.shown({}), (QList<Prompt *>{a2, a, b}));
}

TEST_F(PromptSearchTest, CacheFollowsChangesAndFoldsOnlyWhatChanged)
{
    Prompt *a = add(QStringLiteral("Apple pie"));
    Prompt *b = add(QStringLiteral("Banana bread"));
    for (int i = 0; i < 20; ++i)
        add(QStringLiteral("Filler %1").arg(i));
    EXPECT_EQ(titles(QStringLiteral("apple")), QStringList{QStringLiteral("Apple pie")});
    const qsizetype folded = search.foldCount();
    EXPECT_EQ(folded, 22);
    EXPECT_EQ(titles(QStringLiteral("banana")), QStringList{QStringLiteral("Banana bread")});
    EXPECT_EQ(search.foldCount(), folded); // a keystroke folds nothing again

    a->setTitle(QStringLiteral("Cherry pie"));
    EXPECT_TRUE(titles(QStringLiteral("apple")).isEmpty());
    EXPECT_EQ(titles(QStringLiteral("cherry")), QStringList{QStringLiteral("Cherry pie")});
    EXPECT_EQ(search.foldCount(), folded + 1);

    b->setPromptDescription(QStringLiteral("with walnuts"));
    EXPECT_EQ(titles(QStringLiteral("walnut")), QStringList{QStringLiteral("Banana bread")});
    PromptSearch::Options options;
    options.searchTemplate = true;
    b->setTemplateText(QStringLiteral("Bake {{Minutes: 30}} minutes"));
    EXPECT_EQ(titles(QStringLiteral("bake"), options), QStringList{QStringLiteral("Banana bread")});
    b->setTemplateText(QStringLiteral("Toast it"));
    EXPECT_TRUE(titles(QStringLiteral("bake"), options).isEmpty());

    // Deleted and new prompts, and the new title takes its place in the title order.
    ctx.remove(b);
    Prompt *c = add(QStringLiteral("Apricot"));
    EXPECT_EQ(search.search(QStringLiteral("pie ap"), {}), QList<Prompt *>{});
    EXPECT_EQ(search.search(QStringLiteral("ap"), {}), QList<Prompt *>{c});
    a->setTitle(QStringLiteral("Apple"));
    EXPECT_EQ(search.search(QStringLiteral("ap"), {}), (QList<Prompt *>{a, c}));
}
