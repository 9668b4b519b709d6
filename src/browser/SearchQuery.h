#pragma once

#include "SearchIndex.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>
#include <vector>

// What the rules need of a prompt besides its text; refreshed whenever the store changes.
struct SearchState {
    qint64 uses = 0;
    qint64 lastUsed = 0; // milliseconds since the epoch, 0 never
    bool active = true;
    bool hidden = false;
    bool favorite = false;
    bool duplicate = false; // a prompt with the same id comes earlier in store order
};

struct SearchOptions {
    bool includeHidden = false;  // also list prompts the user hid
    bool searchTemplate = false; // also look into the template text
    bool adminMode = false;      // inactive prompts are shown to administrators only
};

// The outcome of one search; prompts are positions in the index.
struct SearchResults {
    quint64 generation = 0; // of the library the search ran over
    QStringList terms;
    std::vector<quint32> matches; // every term in title or description (or template), ranked
    std::vector<quint32> close;   // every term there or close to it, at least one only close
    std::vector<quint32> closest; // when there is neither: the titles nearest the terms
    // The words and spellings in the library that made close matches, for highlighting.
    QStringList closeWords;
    bool cancelled = false; // a newer search came first; nothing else is filled in
};

// One search over one version of the library: made on the thread that owns the prompts,
// run on any thread. Text without terms lists every prompt the rules let through, by title.
class SearchQuery {
public:
    // How many closest titles an empty result offers.
    static constexpr size_t ClosestShown = 3;

    SearchQuery() = default;
    SearchQuery(std::shared_ptr<const SearchIndex> index, std::shared_ptr<const std::vector<SearchState>> state,
                quint64 generation, QString text, SearchOptions options);

    const QString &text() const { return m_text; }
    quint64 generation() const { return m_generation; }
    bool isValid() const { return m_index != nullptr; }

    // Runs the search. It gives up (cancelled) as soon as latest holds another number than mine.
    SearchResults run(const std::atomic<quint64> *latest = nullptr, quint64 mine = 0) const;

private:
    std::shared_ptr<const SearchIndex> m_index;
    std::shared_ptr<const std::vector<SearchState>> m_state;
    quint64 m_generation = 0;
    QString m_text;
    SearchOptions m_options;
};
