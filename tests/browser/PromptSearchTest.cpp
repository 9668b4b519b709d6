// The library search: what matches, in which order, the close matches after them, the index
// kept up with the store, and the matches against the plain filter over the shipped library.
#include "PromptSearch.h"
#include "DataController.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptTag.h"
#include "SearchQuery.h"
#include "StoreTestData.h"
#include "TestSupport.h"
#include "TypingDistance.h"
#include "UserAttribute.h"

#include <QCoreApplication>
#include <QSet>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>

using namespace Qt::StringLiterals;

void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {
using Options = PromptSearch::Options;
constexpr Options WithTemplate{.searchTemplate = true};

QStringList titlesOf(const QList<Prompt *> &prompts)
{
    QStringList out;
    for (const Prompt *prompt : prompts)
        out.append(prompt->title());
    return out;
}

class PromptSearchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ctx.open(ModelContext::InMemory).ok());
        ctx.setAutosaveInterval(-1);
    }
    Prompt *add(const QString &title, const QString &description = {}, const QString &templateText = {})
    {
        return TestData::addPrompt(ctx, title, templateText, description);
    }
    QStringList titles(const QString &text, Options options = {})
    {
        return titlesOf(search.search(text, options));
    }
    QStringList close(const QString &text, Options options = {})
    {
        return titlesOf(search.find(text, options).close);
    }

    ModelContext ctx;
    PromptSearch search{ctx};
};
} // namespace

TEST_F(PromptSearchTest, CaseAndAccentsFoldAlikeBothWays)
{
    EXPECT_EQ(PromptSearch::terms("  Code\tREVIEW \n "), (QStringList{"code", "review"}));
    EXPECT_TRUE(PromptSearch::terms("   ").isEmpty());
    EXPECT_EQ(PromptSearch::fold("Ångström naïve ﬁle"), "angstrom naive file");
    EXPECT_EQ(PromptSearch::fold("ΣΟΦΊΑ"), PromptSearch::fold("σοφία"));

    add("HELLO\tWorld", "Plain ASCII, a TAB between");
    add("Crème BRÛLÉE", "Hello\x01world");
    add("Café menu");
    add("RESUME writer", "for a résumé");
    const struct {
        const char *query;
        QStringList expected;
    } cases[] = {{"hello world", {"HELLO\tWorld", "Crème BRÛLÉE"}}, {"CREME brulee", {"Crème BRÛLÉE"}},
                 {"ascii tab", {"HELLO\tWorld"}},                   {"cafe", {"Café menu"}},
                 {"CAFÉ MENU", {"Café menu"}},                      {"résumé", {"RESUME writer"}}};
    for (const auto &c : cases)
        EXPECT_EQ(titles(c.query), c.expected) << c.query;
}

TEST_F(PromptSearchTest, ShownListsByTitleOnlyAndDuplicateIdsCountOnce)
{
    Prompt *first = add("Same", "first");
    Prompt *second = add("same", "second");
    add("Same", "copy")->setId(first->id());
    Prompt *b = add("beta");
    b->ensureAttribute()->setFavorite(true);
    b->ensureAttribute()->setUsageCount(9);
    Prompt *a = add("Alpha 10");
    Prompt *a2 = add("alpha 9");
    add("Off")->setActive(false);
    EXPECT_EQ(search.search("same", {}), (QList<Prompt *>{first, second})) << "equal titles in store order";
    EXPECT_EQ(search.shown({}), (QList<Prompt *>{a2, a, b, first, second})) << "natural title order only";
}

// Read a step at a time (as the browser reads a large library in idle time), the search
// finds what one read finds; a change between two steps, already read or not, is not missed.
TEST_F(PromptSearchTest, ReadInStepsTheLibraryIsSearchedAsReadAtOnce)
{
    std::vector<Prompt *> prompts;
    for (int i = 0; i < 3000; ++i)
        prompts.push_back(add(u"Prompt %1"_s.arg(i), u"Filler text"_s));
    ASSERT_TRUE(ctx.save());
    const auto steps = [](PromptSearch &reader) {
        int count = 1;
        while (!reader.prepare(std::chrono::milliseconds(0)))
            ++count;
        return count;
    };
    ASSERT_FALSE(search.prepare(std::chrono::milliseconds(0)));
    EXPECT_FALSE(search.isCurrent()) << "read in part";
    EXPECT_GE(steps(search), 4);
    EXPECT_TRUE(search.isCurrent());
    EXPECT_EQ(search.indexBuilds(), 1);
    PromptSearch atOnce(ctx);
    EXPECT_EQ(titles("prompt 2999"), QStringList(u"Prompt 2999"_s));
    EXPECT_EQ(search.search("prompt 12", {}), atOnce.search("prompt 12", {}));
    EXPECT_EQ(search.indexBuilds(), 1) << "nothing left to read";

    // Changed half-way: a prompt read in an earlier step, with the store saved before...
    ASSERT_TRUE(search.prepare(std::chrono::milliseconds(0))) << "already current";
    prompts[0]->setTitle(u"Zebra crossing"_s);
    ASSERT_FALSE(search.prepare(std::chrono::milliseconds(0)));
    prompts[1]->setTitle(u"Yak shaving"_s);
    QCoreApplication::processEvents(); // ...and with changes pending already
    steps(search);
    EXPECT_EQ(titles("zebra"), QStringList(u"Zebra crossing"_s));
    EXPECT_EQ(titles("yak"), QStringList(u"Yak shaving"_s));
    prompts[2]->setTitle(u"Walrus"_s);
    ASSERT_FALSE(search.prepare(std::chrono::milliseconds(0)));
    EXPECT_EQ(titles("walrus"), QStringList(u"Walrus"_s)) << "a search in the middle of a reading finishes it";
}

TEST_F(PromptSearchTest, IndexFollowsChangesAndIsMadeAgainOnlyForText)
{
    Prompt *a = add("Apple pie");
    Prompt *b = add("Banana bread");
    for (int i = 0; i < 20; ++i)
        add(u"Filler %1"_s.arg(i));
    EXPECT_EQ(titles("apple"), QStringList{"Apple pie"});
    EXPECT_EQ(titles("banana"), QStringList{"Banana bread"});
    EXPECT_EQ(search.indexBuilds(), 1) << "a keystroke makes nothing again";
    b->ensureAttribute()->setFavorite(true);
    EXPECT_EQ(titles("e").mid(0, 2), (QStringList{"Banana bread", "Apple pie"}));
    EXPECT_EQ(search.indexBuilds(), 1) << "user state changes the ranking, not the text index";

    a->setTitle("Cherry pie");
    EXPECT_TRUE(titles("apple").isEmpty());
    EXPECT_EQ(titles("cherry"), QStringList{"Cherry pie"});
    EXPECT_EQ(search.indexBuilds(), 2);
    b->setPromptDescription("with walnuts");
    EXPECT_EQ(titles("walnut"), QStringList{"Banana bread"});
    b->setTemplateText("Bake {{Minutes: 30}} minutes");
    EXPECT_EQ(titles("bake", WithTemplate), QStringList{"Banana bread"});
    b->setTemplateText("Toast it");
    EXPECT_TRUE(titles("bake", WithTemplate).isEmpty());

    // Results made before a deletion no longer name the deleted prompt; a new title takes its
    // place in the title order.
    const SearchResults made = search.query(u"walnut"_s, {}).run();
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
    const QString path = TestSupport::freshDir(u"search-templates"_s) + u"/library.sqlite"_s;
    {
        ModelContext writer;
        ASSERT_TRUE(writer.open(path).ok());
        TestData::addPrompt(writer, u"Pasta"_s, u"Boil the {{Shape}} linguine"_s, u"formal"_s);
        TestData::addPrompt(writer, u"Salad"_s, u"Toss the greens"_s);
        ASSERT_TRUE(writer.save());
    }
    ModelContext ctx;
    ctx.setAutosaveInterval(-1);
    ASSERT_TRUE(ctx.open(path).ok());
    PromptSearch search(ctx);
    const auto titles = [&](const QString &text, Options options) { return titlesOf(search.search(text, options)); };
    const auto anyHeld = [&] {
        const QList<Prompt *> prompts = ctx.fetch<Prompt>();
        return std::any_of(prompts.begin(), prompts.end(), [](Prompt *p) { return p->holdsTemplate(); });
    };

    EXPECT_TRUE(titles("linguine", {}).isEmpty());
    EXPECT_EQ(search.index()->templateTextBytes(), 0u);
    EXPECT_FALSE(anyHeld());
    EXPECT_EQ(titles("linguine", WithTemplate), QStringList{"Pasta"});
    EXPECT_EQ(titles("formal boil pasta", WithTemplate), QStringList{"Pasta"}) << "terms spread over fields";
    EXPECT_GT(search.index()->templateTextBytes(), 0u);
    EXPECT_FALSE(anyHeld()) << "read for the index, not kept by the prompts";
    EXPECT_EQ(search.indexBuilds(), 1);

    // An edited template is searched as it is now, saved or not.
    ctx.fetch<Prompt>().at(1)->setTemplateText("Toss the rocket");
    EXPECT_EQ(titles("rocket", WithTemplate), QStringList{"Salad"});
    EXPECT_TRUE(titles("greens", WithTemplate).isEmpty());
    ASSERT_TRUE(ctx.save());
    EXPECT_EQ(titles("rocket", WithTemplate), QStringList{"Salad"});

    // While no search has looked into templates, an edited one costs no new index.
    PromptSearch titlesOnly(ctx);
    EXPECT_EQ(titlesOnly.search("pasta", {}).size(), 1);
    ctx.fetch<Prompt>().at(0)->setTemplateText("Boil the penne");
    EXPECT_EQ(titlesOnly.search("pasta", {}).size(), 1);
    EXPECT_EQ(titlesOnly.indexBuilds(), 1);
    EXPECT_EQ(titlesOnly.search("penne", WithTemplate), QList<Prompt *>{ctx.fetch<Prompt>().at(0)});
    EXPECT_TRUE(titlesOnly.search("linguine", WithTemplate).isEmpty());
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
        const bool passedOver =
            TypingDistance::lacking(TypingDistance::bytesOf(term), TypingDistance::bytesOf(other)) > limit;
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
        sources.push_back({u"qqv Title %1 xq"_s.arg(i), i % 2 ? u"about xq%1 zzk"_s.arg(i) : u"zzk"_s, {}});
    auto index = std::make_shared<const SearchIndex>(std::move(sources), QStringList());
    auto state = std::make_shared<const std::vector<SearchState>>(size_t(Count));
    const auto matches = [&](const QString &text) { return SearchQuery(index, state, 1, text, {}).run().matches; };
    EXPECT_EQ(matches(u"xq"_s).size(), size_t(Count));
    EXPECT_EQ(matches(u"xq30001"_s), std::vector<quint32>{30001});
    EXPECT_EQ(matches(u"xq19999"_s), std::vector<quint32>{19999});
    EXPECT_TRUE(matches(u"zzkqqv"_s).empty());
    EXPECT_EQ(matches(u"xq2000"_s), (std::vector<quint32>{20001, 20003, 20005, 20007, 20009}));
}

TEST_F(PromptSearchTest, PlaceOfTheTermsThenUserStateThenTitle)
{
    add("Letters for a pen pal", {}, "mail"); // template only
    add("Weekly digest", "a mail merge helper");
    add("Email triage");     // inside a title word
    add("Quick mail reply"); // start of a title word
    EXPECT_EQ(titles("mail", WithTemplate),
              (QStringList{"Quick mail reply", "Email triage", "Weekly digest", "Letters for a pen pal"}));
    add("Merge helper", "for mail");
    add("Mail", "merge helper");
    EXPECT_EQ(titles("mail merge helper").mid(0, 2), (QStringList{"Merge helper", "Mail"}))
        << "more terms in the title beat fewer, whatever the best place of one term";
}

TEST_F(PromptSearchTest, FavouritesThenUsesThenLastUseThenNaturalTitleOrderBreakTies)
{
    Prompt *ten = add("Draft item 10");
    Prompt *plain = add("Draft a plan");
    Prompt *nine = add("draft item 9");
    Prompt *used = add("Draft a memo");
    Prompt *recent = add("Draft a note");
    Prompt *favourite = add("Draft a toast");
    Prompt *older = add("Draft a brief");
    used->ensureAttribute()->setUsageCount(5);
    recent->ensureAttribute()->setUsageCount(2);
    older->ensureAttribute()->setUsageCount(2);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    recent->attributes()->setLastUsedAt(now);
    older->attributes()->setLastUsedAt(now.addDays(-3));
    favourite->ensureAttribute()->setFavorite(true);
    EXPECT_EQ(search.search("draft", {}), (QList<Prompt *>{favourite, used, recent, older, plain, nine, ten}));
    add("Redraft a speech")->ensureAttribute()->setFavorite(true);
    EXPECT_EQ(titles("draft").last(), u"Redraft a speech"_s) << "a favourite inside a word comes after a word start";
}

TEST_F(PromptSearchTest, SlipsAndSwapsWithinTheirLimitsThenTheClosestTitles)
{
    add("Summarise notes");
    add("Review code");
    add("Plan a trip");
    EXPECT_TRUE(titles("reviw").isEmpty()) << "a slip is no match";
    const struct {
        const char *query;
        const char *found; // the close match, or null for none
    } cases[] = {{"reviw", "Review code"},         {"reviiew", "Review code"}, {"revuew", "Review code"},
                 {"reveiw", "Review code"},        {"sumarsie", "Summarise notes"}, // two slips in 8 letters
                 {"summ notse", "Summarise notes"}, // one term found, one slipped
                 {"rewiev", nullptr},              // two slips in 6 letters
                 {"sumarsiie", nullptr},           // three slips in 9 letters
                 {"pln", "Plan a trip"},           // 3 letters: one slip
                 {"pn", nullptr},                  {"rv", nullptr}}; // under 3 letters: no slip
    for (const auto &c : cases)
        EXPECT_EQ(close(c.query), c.found ? QStringList{c.found} : QStringList()) << c.query;

    // Nothing close: the closest titles are offered instead, unless nothing is near at all.
    const PromptSearch::Found found = search.find("revxyz", {});
    EXPECT_TRUE(found.matches.isEmpty());
    EXPECT_TRUE(found.close.isEmpty());
    ASSERT_FALSE(found.closest.isEmpty());
    EXPECT_EQ(found.closest.first()->title(), u"Review code"_s);
    EXPECT_TRUE(search.find("qqqqqqqq", {}).closest.isEmpty());
}

TEST_F(PromptSearchTest, BritishAndAmericanSpellings)
{
    for (const char *title : {"Summarise notes", "Analyse data", "Colour palette", "Centre the text", "Catalogue entry",
                              "Defence plan", "Travelling guide", "Organisation chart", "Optimize a query", "Dialog box"})
        add(title);
    const struct {
        const char *term;
        const char *found;
    } cases[] = {{"summarize", "Summarise notes"},  {"analyze", "Analyse data"},    {"color", "Colour palette"},
                 {"center", "Centre the text"},     {"defense", "Defence plan"},    {"traveling", "Travelling guide"},
                 {"organization", "Organisation chart"}, {"optimise", "Optimize a query"}, {"dialogue", "Dialog box"},
                 {"kolor", nullptr},                {"centrum", nullptr}}; // neither a spelling nor one slip away
    for (const auto &c : cases) {
        EXPECT_TRUE(titles(c.term).isEmpty()) << c.term;
        EXPECT_EQ(close(c.term), c.found ? QStringList{c.found} : QStringList()) << c.term;
    }
    EXPECT_EQ(titles("catalog"), QStringList{"Catalogue entry"}) << "a match as it is";
}

TEST_F(PromptSearchTest, InitialsCategoriesAndTags)
{
    Prompt *review = add("Code Review Like a Senior Engineer");
    add("Write a Cover Letter");
    EXPECT_EQ(close("cr"), QStringList{review->title()});
    EXPECT_EQ(close("crl"), QStringList{review->title()});
    EXPECT_TRUE(close("rc").isEmpty());
    EXPECT_TRUE(close("crx").isEmpty());
    EXPECT_EQ(close("wacl"), QStringList{"Write a Cover Letter"});

    auto *category = new PromptCategory;
    category->setName("Software Engineering");
    ctx.insert(category);
    auto *tag = new PromptTag;
    tag->setName("text");
    ctx.insert(tag);
    auto *unused = new PromptCategory;
    unused->setName("Finance");
    ctx.insert(unused);
    review->setCategories({category});
    review->setTags({tag});
    EXPECT_TRUE(titles("software").isEmpty()) << "category and tag names are fields of close matches only";
    EXPECT_EQ(close("software"), QStringList{review->title()});
    EXPECT_EQ(close("sofware"), QStringList{review->title()});
    EXPECT_EQ(close("review text"), QStringList{review->title()});
    EXPECT_TRUE(close("finance").isEmpty());
}

TEST_F(PromptSearchTest, HiddenAndInactivePromptsFollowTheirOptionsInMatchesAndCloseMatches)
{
    add("Colour wheel")->ensureAttribute()->setHidden(true);
    add("Colour chart")->setActive(false);
    add("Color me");
    add("Colr grading"); // one slip from color
    // A hidden record whose link to its prompt was lost still hides the prompt of that id.
    Prompt *orphaned = add("Color orphan");
    auto *record = new UserAttribute;
    record->setTargetID(orphaned->id());
    record->setHidden(true);
    ctx.insert(record);

    const PromptSearch::Found found = search.find("color", {});
    EXPECT_EQ(titlesOf(found.matches), QStringList{"Color me"});
    EXPECT_EQ(titlesOf(found.close), QStringList{"Colr grading"});
    Options options{.includeHidden = true};
    EXPECT_EQ(titles("color", options), (QStringList{"Color me", "Color orphan"}));
    EXPECT_EQ(close("color", options), (QStringList{"Colour wheel", "Colr grading"})) << "spelling before slip";
    options.adminMode = true;
    EXPECT_EQ(close("color", options), (QStringList{"Colour chart", "Colour wheel", "Colr grading"}));
    EXPECT_FALSE(close("colo", options).contains("Color me")) << "a match is never a close match too";
}

namespace {
QSet<Prompt *> plainFilter(ModelContext &context, const QString &text, const Options &options)
{
    const QStringList terms = PromptSearch::terms(text);
    QSet<QUuid> hidden, seen;
    for (const UserAttribute *attribute : context.fetch<UserAttribute>())
        if (attribute->isHidden())
            hidden.insert(attribute->targetID());
    QSet<Prompt *> out;
    for (Prompt *prompt : context.fetch<Prompt>()) {
        if (seen.contains(prompt->id()))
            continue;
        seen.insert(prompt->id());
        if ((!options.includeHidden && hidden.contains(prompt->id())) || (!options.adminMode && !prompt->isActive()))
            continue;
        const QString fields[] = {PromptSearch::fold(prompt->title()), PromptSearch::fold(prompt->promptDescription()),
                                  options.searchTemplate ? PromptSearch::fold(prompt->templateText()) : QString()};
        if (std::all_of(terms.begin(), terms.end(), [&](const QString &term) {
                return std::any_of(std::begin(fields), std::end(fields), [&](const QString &f) { return f.contains(term); });
            }))
            out.insert(prompt);
    }
    return out;
}
} // namespace

// The matches are exactly what the plain filter finds, over the shipped library: for every
// word of its titles, fragments of them and pairs of them, with and without the options.
TEST(SearchFilter, MatchesAreThePlainFilterOverTheShippedLibrary)
{
    DataController::Options setup;
    setup.inMemory = true;
    DataController::setSharedOptions(setup);
    ASSERT_TRUE(DataController::shared()->setUp());
    DataController::shared()->startupLoad();
    ModelContext &context = *DataController::shared()->mainContext();
    const QList<Prompt *> prompts = context.fetch<Prompt>();
    ASSERT_GT(prompts.size(), 100);
    prompts.at(3)->ensureAttribute()->setHidden(true); // some state for the rules to work on
    prompts.at(5)->setActive(false);

    QStringList queries{u"   "_s, u"e"_s, u"code review"_s, u"the a"_s, u"{{"_s};
    for (qsizetype i = 0; i < prompts.size(); i += 7) {
        const QStringList words = PromptSearch::terms(prompts.at(i)->title());
        queries << words.first() << words.last().left(3) << words.first() + u' ' + words.last()
                << words.last().toUpper() + u' ' + words.first().mid(1);
    }
    PromptSearch search(context);
    int nonEmpty = 0;
    for (int flags = 0; flags < 8; ++flags) {
        const Options options{bool(flags & 1), bool(flags & 2), bool(flags & 4)};
        for (const QString &query : std::as_const(queries)) {
            const QList<Prompt *> found = search.search(query, options);
            const QSet<Prompt *> unique(found.begin(), found.end());
            EXPECT_EQ(unique.size(), found.size()) << query.toStdString();
            EXPECT_EQ(unique, plainFilter(context, query, options))
                << query.toStdString() << " hidden/template/admin " << flags;
            nonEmpty += !found.isEmpty();
        }
    }
    EXPECT_GT(nonEmpty, queries.size() * 6);
}
