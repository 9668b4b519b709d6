#pragma once

#include "StoredPromptSearch.h"

#include <QString>

#include <optional>

class ModelContext;
class PromptSearch;

// The listing's search kept in a file beside the store, so that a listing need not read and
// index the whole library again while nothing was saved. A cache file stands for one saved
// state of the store (the stamp each save writes anew), one build of this program and one
// order of titles (the collator's locale): anything else, or a file that does not read back
// whole, is no cache, and the caller reads the store as usual. Written atomically.
class ListingCache {
public:
    static QString pathFor(const QString &storePath);
    static std::optional<StoredPromptSearch> load(const QString &storePath, qint64 stamp);
    static bool save(const QString &storePath, qint64 stamp, const StoredPromptSearch &search);
    // Written from the loaded library's search (brought up to date first) when the store is
    // saved with nothing pending and the search has run: so that the listing after the app
    // quit need not read the store either.
    static bool keep(PromptSearch &search, const ModelContext &context, const QString &storePath);
};
