#include "StoredPromptSearch.h"

#include "SearchIndex.h"

#include <QSet>

SearchResults StoredPromptSearch::find(const PromptListReader::Listing &listing, const QString &searchText,
                                       const SearchOptions &options)
{
    std::vector<SearchIndex::Source> sources;
    sources.reserve(listing.prompts.size());
    auto state = std::make_shared<std::vector<SearchState>>(listing.prompts.size());
    QSet<QUuid> seen;
    seen.reserve(qsizetype(listing.prompts.size()));
    for (size_t i = 0; i < listing.prompts.size(); ++i) {
        const PromptListReader::Entry &entry = listing.prompts[i];
        sources.push_back({entry.title, entry.description, entry.templateText, entry.labels});
        SearchState &flags = (*state)[i];
        flags.active = entry.active;
        flags.favorite = entry.favorite;
        flags.uses = entry.uses;
        if (entry.lastUsed.isValid())
            flags.lastUsed = entry.lastUsed.toMSecsSinceEpoch();
        // Hidden by any user record of that id, linked or not, as in the loaded store.
        flags.hidden = listing.hiddenTargets.contains(entry.id);
        flags.duplicate = seen.contains(entry.id);
        seen.insert(entry.id);
    }
    auto index = std::make_shared<const SearchIndex>(std::move(sources), listing.labelNames);
    return SearchQuery(std::move(index), std::move(state), 1, searchText, options).run();
}
