#include "StoredPromptSearch.h"

#include "SearchIndex.h"
#include "UuidKeys.h"

SearchResults StoredPromptSearch::find(const PromptListReader::Listing &listing, const QString &searchText,
                                       const SearchOptions &options)
{
    std::vector<SearchIndex::Source> sources;
    sources.reserve(listing.prompts.size());
    QStringList templates;
    auto state = std::make_shared<std::vector<SearchState>>(listing.prompts.size());
    UuidSet seen;
    seen.reserve(listing.prompts.size());
    for (size_t i = 0; i < listing.prompts.size(); ++i) {
        const PromptListReader::Entry &entry = listing.prompts[i];
        sources.push_back({entry.title, entry.description, entry.labels});
        if (options.searchTemplate)
            templates.append(entry.templateText);
        SearchState &flags = (*state)[i];
        flags.active = entry.active;
        flags.favorite = entry.favorite;
        flags.uses = entry.uses;
        if (entry.lastUsed.isValid())
            flags.lastUsed = entry.lastUsed.toMSecsSinceEpoch();
        // Hidden by any user record of that id, linked or not, as in the loaded store.
        flags.hidden = listing.hiddenTargets.contains(entry.id);
        flags.duplicate = !seen.insert(entry.id).second;
    }
    auto index = std::make_shared<const SearchIndex>(std::move(sources), listing.labelNames);
    if (options.searchTemplate)
        index->setTemplates(std::move(templates));
    return SearchQuery(std::move(index), std::move(state), 1, searchText, options).run();
}
