#include "PromptSearch.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "SearchQuery.h"
#include "TestSupport.h"
#include "TypingDistance.h"
#include "UserAttribute.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <chrono>
#include <ostream>
#include <random>
#include <string>

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
    EXPECT_EQ(PromptSearch::terms("  Code\tREVIEW \n "), (QStringList{"code", "review"}));
    EXPECT_TRUE(PromptSearch::terms("   ").isEmpty());
    EXPECT_EQ(PromptSearch::fold("Crème BRÛLÉE"), "creme brulee");
    EXPECT_EQ(PromptSearch::fold("Ångström naïve ﬁle"), "angstrom naive file");
    EXPECT_EQ(PromptSearch::fold("ΣΟΦΊΑ"), PromptSearch::fold("σοφία"));
}

TEST_F(PromptSearchTest, PlainAndAccentedTextFoldAlike)
{
    add(QStringLiteral("HELLO\tWorld"), QStringLiteral("Plain ASCII, a TAB between"));
    add(QString::fromUtf8("Crème BRÛLÉE"), QStringLiteral("Hello\x01world"));
    EXPECT_EQ(titles("hello world"), (QStringList{QStringLiteral("HELLO\tWorld"), QString::fromUtf8("Crème BRÛLÉE")}));
    EXPECT_EQ(titles("CREME brulee"), QStringList{QString::fromUtf8("Crème BRÛLÉE")});
    EXPECT_EQ(titles("ascii tab"), QStringList{QStringLiteral("HELLO\tWorld")});
}

TEST_F(PromptSearchTest, TermsMustAllMatchInAnyOfTheFields)
{
    add("Review of code");
    add("Code helper", "writes functions");
    add("Essay", "a careful review");
    add("Code", "for a review");
    add("Unrelated", "nothing", "code review");

    // Both terms in the title rank above one in the title and one in the description.
    EXPECT_EQ(titles("CODE review"), (QStringList{"Review of code", "Code"}));
    EXPECT_EQ(titles("review code").size(), 2);
    // Plain containment, no word boundaries.
    EXPECT_EQ(titles("ode elp"), QStringList{"Code helper"});
    EXPECT_TRUE(titles("code missing").isEmpty());
    // Only spaces: every prompt, as with no search at all.
    EXPECT_EQ(titles("   ").size(), 5);
}

TEST_F(PromptSearchTest, TemplateTextOnlyWithTheOption)
{
    add("Letter", "formal", "Dear {{Recipient}}");
    PromptSearch::Options withTemplate;
    withTemplate.searchTemplate = true;
    EXPECT_TRUE(titles("recipient").isEmpty());
    EXPECT_EQ(titles("recipient", withTemplate), QStringList{"Letter"});
    // Terms may be spread over fields, the template included.
    EXPECT_EQ(titles("formal dear letter", withTemplate), QStringList{"Letter"});
}

TEST_F(PromptSearchTest, HiddenAndInactivePromptsFollowTheirOptions)
{
    Prompt *hidden = add("Hidden note");
    hidden->ensureAttribute()->setHidden(true);
    Prompt *inactive = add("Draft note");
    inactive->setActive(false);
    add("Plain note");
    // A hidden record whose link to its prompt was lost still hides the prompt of that id.
    Prompt *orphaned = add("Orphan note");
    auto *record = new UserAttribute;
    record->setTargetID(orphaned->id());
    record->setHidden(true);
    ctx.insert(record);

    EXPECT_EQ(titles("note"), QStringList{"Plain note"});
    PromptSearch::Options options;
    options.includeHidden = true;
    EXPECT_EQ(titles("note", options), (QStringList{"Hidden note", "Orphan note", "Plain note"}));
    options.adminMode = true;
    EXPECT_EQ(titles("note", options).size(), 4);
    options.includeHidden = false;
    EXPECT_EQ(titles("note", options), (QStringList{"Draft note", "Plain note"}));
}

TEST_F(PromptSearchTest, AccentsAndCaseAreIgnoredBothWays)
{
    add("Café menu");
    add("RESUME writer", "for a résumé");
    EXPECT_EQ(titles("cafe"), QStringList{"Café menu"});
    EXPECT_EQ(titles("CAFÉ MENU"), QStringList{"Café menu"});
    EXPECT_EQ(titles("résumé"), QStringList{"RESUME writer"});
}

TEST_F(PromptSearchTest, RankingByMatchThenFavouriteThenUsageThenTitle)
{
    add("Zeta", {}, "mail");
    add("Alpha", "a mail helper");
    add("Quick mail");
    add("Mail merge");
    PromptSearch::Options options;
    options.searchTemplate = true;
    EXPECT_EQ(titles("mail", options), (QStringList{"Mail merge", "Quick mail", "Alpha", "Zeta"}));
    // Over several terms the best-placed term counts.
    EXPECT_EQ(titles("helper alpha"), QStringList{"Alpha"});

    // Within one level: favourites, then more uses, then natural title order.
    ctx.remove(ctx.fetch<Prompt>().first());
    const QStringList names{"Item 10", "item 2", "Item 1", "Used once", "Used often", "Starred"};
    QList<Prompt *> items;
    for (const QString &name : names)
        items.append(add(name, "entry"));
    items.at(3)->ensureAttribute()->setUsageCount(1);
    items.at(4)->ensureAttribute()->setUsageCount(50);
    items.at(5)->ensureAttribute()->setFavorite(true);
    EXPECT_EQ(titles("entry"),
              (QStringList{"Starred", "Used often", "Used once", "Item 1", "item 2", "Item 10"}));
}

TEST_F(PromptSearchTest, EqualTitlesKeepStoreOrderAndDuplicateIdsCountOnce)
{
    Prompt *first = add("Same", "first");
    Prompt *second = add("same", "second");
    Prompt *copy = add("Same", "copy");
    copy->setId(first->id());
    EXPECT_EQ(search.search("same", {}), (QList<Prompt *>{first, second}));
    EXPECT_EQ(search.shown({}), (QList<Prompt *>{first, second}));
}

TEST_F(PromptSearchTest, ShownListsByTitleOnly)
{
    Prompt *b = add("beta");
    Prompt *a = add("Alpha 10");
    Prompt *a2 = add("alpha 9");
    b->ensureAttribute()->setFavorite(true);
    b->ensureAttribute()->setUsageCount(9);
    add("Off")->setActive(false);
    EXPECT_EQ(search.shown({}), (QList<Prompt *>{a2, a, b}));
}

// Read a step at a time (as the browser reads a large library in idle time), the search
// finds what one read finds; a change between two steps, already read or not, is not missed.
TEST_F(PromptSearchTest, ReadInStepsTheLibraryIsSearchedAsReadAtOnce)
{
    std::vector<Prompt *> prompts;
    for (int i = 0; i < 3000; ++i)
        prompts.push_back(add(QStringLiteral("Prompt %1").arg(i), QStringLiteral("Filler text")));
    ASSERT_TRUE(ctx.save());
    const auto steps = [](PromptSearch &reader) {
        int count = 1;
        while (!reader.prepare(std::chrono::milliseconds(0)))
            ++count;
        return count;
    };
    ASSERT_FALSE(search.prepare(std::chrono::milliseconds(0)));
    EXPECT_FALSE(search.isCurrent()); // read in part
    EXPECT_GE(steps(search), 4);
    EXPECT_TRUE(search.isCurrent());
    EXPECT_EQ(search.indexBuilds(), 1);
    PromptSearch atOnce(ctx);
    EXPECT_EQ(titles("prompt 2999"), QStringList(QStringLiteral("Prompt 2999")));
    EXPECT_EQ(search.search(QStringLiteral("prompt 12"), {}), atOnce.search(QStringLiteral("prompt 12"), {}));
    EXPECT_EQ(search.indexBuilds(), 1); // nothing left to read

    // Changed half-way: a prompt read in an earlier step, with the store saved before...
    ASSERT_TRUE(search.prepare(std::chrono::milliseconds(0))); // nothing to read: already current
    prompts[0]->setTitle(QStringLiteral("Zebra crossing"));
    ASSERT_FALSE(search.prepare(std::chrono::milliseconds(0)));
    prompts[1]->setTitle(QStringLiteral("Yak shaving"));
    QCoreApplication::processEvents(); // ...and with changes pending already
    steps(search);
    EXPECT_EQ(titles("zebra"), QStringList(QStringLiteral("Zebra crossing")));
    EXPECT_EQ(titles("yak"), QStringList(QStringLiteral("Yak shaving")));
    // A search in the middle of a reading finishes it.
    prompts[2]->setTitle(QStringLiteral("Walrus"));
    ASSERT_FALSE(search.prepare(std::chrono::milliseconds(0)));
    EXPECT_EQ(titles("walrus"), QStringList(QStringLiteral("Walrus")));
}

TEST_F(PromptSearchTest, IndexFollowsChangesAndIsMadeAgainOnlyForText)
{
    Prompt *a = add("Apple pie");
    Prompt *b = add("Banana bread");
    for (int i = 0; i < 20; ++i)
        add(QStringLiteral("Filler %1").arg(i));
    EXPECT_EQ(titles("apple"), QStringList{"Apple pie"});
    EXPECT_EQ(search.indexBuilds(), 1);
    EXPECT_EQ(titles("banana"), QStringList{"Banana bread"});
    EXPECT_EQ(search.indexBuilds(), 1); // a keystroke makes nothing again
    // User state changes the ranking, not the text index.
    b->ensureAttribute()->setFavorite(true);
    EXPECT_EQ(titles("e").mid(0, 2), (QStringList{"Banana bread", "Apple pie"}));
    EXPECT_EQ(search.indexBuilds(), 1);

    a->setTitle("Cherry pie");
    EXPECT_TRUE(titles("apple").isEmpty());
    EXPECT_EQ(titles("cherry"), QStringList{"Cherry pie"});
    EXPECT_EQ(search.indexBuilds(), 2);

    b->setPromptDescription("with walnuts");
    EXPECT_EQ(titles("walnut"), QStringList{"Banana bread"});
    PromptSearch::Options options;
    options.searchTemplate = true;
    b->setTemplateText("Bake {{Minutes: 30}} minutes");
    EXPECT_EQ(titles("bake", options), QStringList{"Banana bread"});
    b->setTemplateText("Toast it");
    EXPECT_TRUE(titles("bake", options).isEmpty());

    // Deleted and new prompts, and the new title takes its place in the title order. Results
    // made before the deletion no longer name the deleted prompt.
    const SearchResults made = search.query(QStringLiteral("walnut"), {}).run();
    ASSERT_EQ(search.prompts(made, made.matches), QList<Prompt *>{b});
    ctx.remove(b);
    EXPECT_TRUE(search.prompts(made, made.matches).isEmpty());
    Prompt *c = add("Apricot");
    EXPECT_EQ(search.search("pie ap", {}), QList<Prompt *>{});
    EXPECT_EQ(search.search("ap", {}), QList<Prompt *>{c});
    a->setTitle("Apple");
    EXPECT_EQ(search.search("ap", {}), (QList<Prompt *>{a, c}));
}

TEST(PromptSearchTemplates, AreReadFromTheStoreOnlyForASearchIntoThem)
{
    const QString path = TestSupport::freshDir(QStringLiteral("search-templates")) + QStringLiteral("/library.sqlite");
    {
        ModelContext writer;
        ASSERT_TRUE(writer.open(path).ok());
        for (const char *words : {"Pasta|Boil the {{Shape}} linguine", "Salad|Toss the greens"}) {
            const QStringList parts = QString::fromUtf8(words).split(u'|');
            auto *prompt = new Prompt;
            prompt->setTitle(parts[0]);
            prompt->setTemplateText(parts[1]);
            writer.insert(prompt);
        }
        ASSERT_TRUE(writer.save());
    }
    ModelContext ctx;
    ctx.setAutosaveInterval(-1);
    ASSERT_TRUE(ctx.open(path).ok());
    PromptSearch search(ctx);
    const auto titles = [&](const QString &text, bool inTemplates) {
        QStringList out;
        PromptSearch::Options options;
        options.searchTemplate = inTemplates;
        for (const Prompt *prompt : search.search(text, options))
            out.append(prompt->title());
        return out;
    };
    const auto anyHeld = [&] {
        for (const Prompt *prompt : ctx.fetch<Prompt>())
            if (prompt->holdsTemplate())
                return true;
        return false;
    };

    EXPECT_TRUE(titles("linguine", false).isEmpty());
    EXPECT_EQ(search.index()->templateTextBytes(), 0u);
    EXPECT_FALSE(anyHeld());

    EXPECT_EQ(titles("linguine", true), QStringList{"Pasta"});
    EXPECT_GT(search.index()->templateTextBytes(), 0u);
    EXPECT_FALSE(anyHeld()); // read for the index, not kept by the prompts
    EXPECT_EQ(search.indexBuilds(), 1);

    // An edited template is searched as it is now, saved or not.
    ctx.fetch<Prompt>().at(1)->setTemplateText("Toss the rocket");
    EXPECT_EQ(titles("rocket", true), QStringList{"Salad"});
    EXPECT_TRUE(titles("greens", true).isEmpty());
    ASSERT_TRUE(ctx.save());
    EXPECT_EQ(titles("rocket", true), QStringList{"Salad"});

    // While no search has looked into templates, an edited one costs no new index.
    PromptSearch titlesOnly(ctx);
    PromptSearch::Options options;
    EXPECT_EQ(titlesOnly.search("pasta", options).size(), 1);
    ctx.fetch<Prompt>().at(0)->setTemplateText("Boil the penne");
    EXPECT_EQ(titlesOnly.search("pasta", options).size(), 1);
    EXPECT_EQ(titlesOnly.indexBuilds(), 1);
    options.searchTemplate = true;
    EXPECT_EQ(titlesOnly.search("penne", options), QList<Prompt *>{ctx.fetch<Prompt>().at(0)});
    EXPECT_TRUE(titlesOnly.search("linguine", options).isEmpty());
}

TEST(TypingDistance, TheQuickBoundNeverPassesOverAWordWithinReach)
{
    // Short words of few letters, so that many are within a slip or two of each other.
    std::mt19937 random(7);
    const auto word = [&](size_t most) {
        std::string text(1 + random() % most, 'a');
        for (char &c : text)
            c = "abcdeé"[random() % 6];
        return text;
    };
    int near = 0;
    for (int i = 0; i < 20000; ++i) {
        const std::string term = word(8);
        const std::string other = word(10);
        const int limit = int(random() % 3);
        const bool passedOver = TypingDistance::lacking(TypingDistance::bytesOf(term), TypingDistance::bytesOf(other)) > limit;
        for (const bool prefix : {false, true}) {
            const int d = prefix ? TypingDistance::toPrefix(term, other, limit) : TypingDistance::between(term, other, limit);
            near += d <= limit;
            if (d <= limit) {
                ASSERT_FALSE(passedOver) << term << " " << other << " " << limit << (prefix ? " prefix" : "");
            }
        }
    }
    EXPECT_GT(near, 1000);
}

TEST(SearchQueryText, ALargeLibraryIsLookedThroughAsAWhole)
{
    // Large enough to be looked through in parts at once. Every text ends in "zzk" and every
    // title begins with "qqv", so the two meet at each prompt's end.
    constexpr int Count = 40000;
    std::vector<SearchIndex::Source> sources;
    for (int i = 0; i < Count; ++i)
        sources.push_back({QStringLiteral("qqv Title %1 xq").arg(i),
                           i % 2 ? QStringLiteral("about xq%1 zzk").arg(i) : QStringLiteral("zzk"), {}});
    auto index = std::make_shared<const SearchIndex>(std::move(sources), QStringList());
    auto state = std::make_shared<const std::vector<SearchState>>(size_t(Count));
    const auto matches = [&](const QString &text) {
        return SearchQuery(index, state, 1, text, {}).run().matches;
    };
    EXPECT_EQ(matches(QStringLiteral("xq")).size(), size_t(Count));
    EXPECT_EQ(matches(QStringLiteral("xq30001")), std::vector<quint32>{30001});
    EXPECT_EQ(matches(QStringLiteral("xq19999")), std::vector<quint32>{19999});
    EXPECT_TRUE(matches(QStringLiteral("zzkqqv")).empty());
    EXPECT_EQ(matches(QStringLiteral("xq2000")), (std::vector<quint32>{20001, 20003, 20005, 20007, 20009}));
}
