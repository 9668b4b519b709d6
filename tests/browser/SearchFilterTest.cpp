// The matches are exactly what the plain filter finds, over the shipped library: for every
// word of its titles, fragments of them and pairs of them, with and without the options.
#include "DataController.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptSearch.h"
#include "UserAttribute.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {
QSet<Prompt *> plainFilter(ModelContext &context, const QString &text, const PromptSearch::Options &options)
{
    const QStringList terms = PromptSearch::terms(text);
    QSet<QUuid> hidden;
    for (const UserAttribute *attribute : context.fetch<UserAttribute>())
        if (attribute->isHidden())
            hidden.insert(attribute->targetID());
    QSet<QUuid> seen;
    QSet<Prompt *> out;
    for (Prompt *prompt : context.fetch<Prompt>()) {
        if (seen.contains(prompt->id()))
            continue;
        seen.insert(prompt->id());
        if ((!options.includeHidden && hidden.contains(prompt->id())) || (!options.adminMode && !prompt->isActive()))
            continue;
        const QString title = PromptSearch::fold(prompt->title());
        const QString description = PromptSearch::fold(prompt->promptDescription());
        const QString templateText = PromptSearch::fold(prompt->templateText());
        if (std::all_of(terms.begin(), terms.end(), [&](const QString &term) {
                return title.contains(term) || description.contains(term) ||
                       (options.searchTemplate && templateText.contains(term));
            }))
            out.insert(prompt);
    }
    return out;
}
} // namespace

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
    // Some state for the rules to work on.
    prompts.at(3)->ensureAttribute()->setHidden(true);
    prompts.at(5)->setActive(false);

    QStringList queries{QStringLiteral("   "), QStringLiteral("e"), QStringLiteral("code review"),
                        QStringLiteral("the a"), QStringLiteral("{{")};
    for (qsizetype i = 0; i < prompts.size(); i += 7) {
        const QStringList words = PromptSearch::terms(prompts.at(i)->title());
        queries.append(words.first());
        queries.append(words.last().left(3));
        queries.append(words.first() + u' ' + words.last());
        queries.append(words.last().toUpper() + u' ' + words.first().mid(1));
    }
    PromptSearch search(context);
    int nonEmpty = 0;
    for (const bool hidden : {false, true}) {
        for (const bool templates : {false, true}) {
            for (const bool admin : {false, true}) {
                const PromptSearch::Options options{hidden, templates, admin};
                for (const QString &query : std::as_const(queries)) {
                    const QList<Prompt *> found = search.search(query, options);
                    const QSet<Prompt *> unique(found.begin(), found.end());
                    EXPECT_EQ(unique.size(), found.size()) << query.toStdString();
                    EXPECT_EQ(unique, plainFilter(context, query, options))
                        << query.toStdString() << " hidden " << hidden << " template " << templates
                        << " admin " << admin;
                    nonEmpty += !found.isEmpty();
                }
            }
        }
    }
    EXPECT_GT(nonEmpty, queries.size() * 6);
}
