#pragma once

#include "PromptListReader.h"
#include "SearchQuery.h"

// The library's search over a listing read from the store file, made from the same texts,
// labels and user state as PromptSearch makes it from the loaded store: both find the same
// prompts in the same order. Results are positions in listing.prompts.
class StoredPromptSearch {
public:
    static SearchResults find(const PromptListReader::Listing &listing, const QString &searchText,
                              const SearchOptions &options);
};
