// The order of the matches and the close matches after them, over small libraries built for
// each rule, and the matches against the plain filter over the shipped library's words.
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptSearch.h"
#include "PromptTag.h"
#include "StoreTestData.h"
#include "UserAttribute.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const QString &text, std::ostream *os);

namespace {
class SearchRanking : public ::testing::Test {
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

    static QStringList titles(const QList<Prompt *> &prompts)
    {
        QStringList out;
        for (const Prompt *prompt : prompts)
            out.append(prompt->title());
        return out;
    }
    QStringList matches(const QString &text, PromptSearch::Options options = {})
    {
        return titles(search.find(text, options).matches);
    }
    QStringList close(const QString &text, PromptSearch::Options options = {})
    {
        return titles(search.find(text, options).close);
    }

    ModelContext ctx;
    PromptSearch search{ctx};
};
} // namespace

TEST_F(SearchRanking, PlaceOfTheTermsThenUserStateThenTitle)
{
    add("Letters for a pen pal", {}, "mail");         // template only
    add("Weekly digest", "a mail merge helper");       // description
    add("Email triage");                               // inside a title word
    add("Quick mail reply");                           // start of a title word
    PromptSearch::Options withTemplate;
    withTemplate.searchTemplate = true;
    EXPECT_EQ(matches("mail", withTemplate),
              (QStringList{"Quick mail reply", "Email triage", "Weekly digest", "Letters for a pen pal"}));

    // More terms in the title beat fewer, whatever the best place of one term.
    add("Merge helper", "for mail");
    add("Mail", "merge helper");
    EXPECT_EQ(matches("mail merge helper").mid(0, 2), (QStringList{"Merge helper", "Mail"}));
}

TEST_F(SearchRanking, FavouritesThenUsesThenLastUseBreakTies)
{
    Prompt *plain = add("Draft a plan");
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
    EXPECT_EQ(search.search("draft", {}), (QList<Prompt *>{favourite, used, recent, older, plain}));
    // A favourite inside a word still comes after a title word start.
    add("Redraft a speech")->ensureAttribute()->setFavorite(true);
    EXPECT_EQ(matches("draft").last(), QStringLiteral("Redraft a speech"));
}

TEST_F(SearchRanking, SlipsAndSwapsWithinTheirLimits)
{
    add("Summarise notes");
    add("Review code");
    add("Plan a trip");
    EXPECT_TRUE(matches("reviw").isEmpty());
    EXPECT_EQ(close("reviw"), QStringList{"Review code"});                // a letter missing
    EXPECT_EQ(close("reviiew"), QStringList{"Review code"});              // one added
    EXPECT_EQ(close("revuew"), QStringList{"Review code"});               // one changed
    EXPECT_EQ(close("reveiw"), QStringList{"Review code"});               // two swapped
    EXPECT_EQ(close("sumarsie"), QStringList{"Summarise notes"});         // two slips in 8 letters
    EXPECT_EQ(close("summ notse"), QStringList{"Summarise notes"});       // one term found, one slipped
    EXPECT_TRUE(close("rewiev").isEmpty());   // two slips in 6 letters
    EXPECT_TRUE(close("sumarsiie").isEmpty()); // three slips in 9 letters
    EXPECT_EQ(close("pln"), QStringList{"Plan a trip"}); // 3 letters: one slip
    EXPECT_TRUE(close("pn").isEmpty());       // under 3 letters: no slip
    EXPECT_TRUE(close("rv").isEmpty());
}

TEST_F(SearchRanking, BritishAndAmericanSpellings)
{
    const QStringList british{"Summarise notes", "Analyse data", "Colour palette", "Centre the text",
                              "Catalogue entry", "Defence plan", "Travelling guide", "Organisation chart"};
    for (const QString &title : british)
        add(title);
    const QList<QPair<QString, QString>> pairs{{"summarize", "Summarise notes"},   {"analyze", "Analyse data"},
                                               {"color", "Colour palette"},       {"center", "Centre the text"},
                                               {"defense", "Defence plan"},       {"traveling", "Travelling guide"},
                                               {"organization", "Organisation chart"}};
    for (const auto &[term, title] : pairs) {
        EXPECT_TRUE(matches(term).isEmpty()) << term.toStdString();
        EXPECT_EQ(close(term), QStringList{title}) << term.toStdString();
    }
    // "catalog" is in "catalogue": a match as it is. The other way round the rules work too.
    EXPECT_EQ(matches("catalog"), QStringList{"Catalogue entry"});
    add("Optimize a query");
    add("Dialog box");
    EXPECT_EQ(close("optimise"), QStringList{"Optimize a query"});
    EXPECT_EQ(close("dialogue"), QStringList{"Dialog box"});
    // Near misses: neither a spelling nor one slip away.
    EXPECT_TRUE(close("kolor").isEmpty());
    EXPECT_TRUE(close("centrum").isEmpty());
}

TEST_F(SearchRanking, InitialsCategoriesAndTags)
{
    Prompt *review = add("Code Review Like a Senior Engineer");
    add("Write a Cover Letter");
    EXPECT_EQ(close("cr"), QStringList{"Code Review Like a Senior Engineer"});
    EXPECT_EQ(close("crl"), QStringList{"Code Review Like a Senior Engineer"});
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
    // Category and tag names are fields of close matches only.
    EXPECT_TRUE(matches("software").isEmpty());
    EXPECT_EQ(close("software"), QStringList{"Code Review Like a Senior Engineer"});
    EXPECT_EQ(close("sofware"), QStringList{"Code Review Like a Senior Engineer"});
    EXPECT_EQ(close("review text"), QStringList{"Code Review Like a Senior Engineer"});
    EXPECT_TRUE(close("finance").isEmpty());
}

TEST_F(SearchRanking, CloseMatchesFollowTheRulesAndRankByCloseness)
{
    Prompt *hidden = add("Colour wheel");
    hidden->ensureAttribute()->setHidden(true);
    add("Colour chart")->setActive(false);
    add("Color me");
    add("Colr grading"); // one slip from color
    const PromptSearch::Found found = search.find("color", {});
    EXPECT_EQ(titles(found.matches), QStringList{"Color me"});
    EXPECT_EQ(titles(found.close), QStringList{"Colr grading"});

    PromptSearch::Options options;
    options.includeHidden = true;
    EXPECT_EQ(close("color", options), (QStringList{"Colour wheel", "Colr grading"})); // spelling before slip
    options.adminMode = true;
    EXPECT_EQ(close("color", options), (QStringList{"Colour chart", "Colour wheel", "Colr grading"}));
    // A prompt is either a match or a close match, never both.
    EXPECT_FALSE(close("colo", options).contains("Color me"));
}

TEST_F(SearchRanking, NothingCloseOffersTheClosestTitles)
{
    add("Review code");
    add("Plan a trip");
    add("Bake bread");
    const PromptSearch::Found found = search.find("revxyz", {});
    EXPECT_TRUE(found.matches.isEmpty());
    EXPECT_TRUE(found.close.isEmpty());
    ASSERT_FALSE(found.closest.isEmpty());
    EXPECT_EQ(found.closest.first()->title(), QStringLiteral("Review code"));
    EXPECT_TRUE(search.find("qqqqqqqq", {}).closest.isEmpty());
}
