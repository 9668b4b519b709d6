#pragma once

#include "SearchIndex.h"
#include "SearchQuery.h"
#include "UuidKeys.h"

#include <QCollator>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

class ModelContext;
class Prompt;

// The library's search over a store. Every term must occur (AND) in the title or the
// description, or in the template when asked (OR), ignoring case and accents; those are the
// matches, most relevant first. After them come the close matches (see SearchQuery), and when
// there is neither, the closest titles.
//
// The search itself runs over an immutable copy of what it needs (SearchQuery), so it can run
// on another thread. This object keeps that copy in step with the store: while the store's
// revision is the one last read, nothing is read again; otherwise the prompts' flags and user state are read again, and the text index is made anew only when a
// text, a category or tag name, or the list of prompts changed. The templates are read (in one
// pass, most of them from the store) only when a search into them is asked for.
class PromptSearch {
public:
    using Options = SearchOptions;

    struct Found {
        QList<Prompt *> matches;
        QList<Prompt *> close;
        QList<Prompt *> closest;
        SearchResults results;
    };

    explicit PromptSearch(ModelContext &context);
    PromptSearch(const PromptSearch &) = delete;
    PromptSearch &operator=(const PromptSearch &) = delete;

    // Lower-cased (case-folded) with accents and other combining marks removed.
    static QString fold(const QString &text);
    // Titles in the order a file browser shows them: case-insensitive, numbers by value.
    static QCollator titleCollator();
    // The folded search text split at white space, empty pieces dropped.
    static QStringList terms(const QString &searchText);

    // A search of the library as it is now, to run on any thread.
    SearchQuery query(const QString &searchText, const Options &options);
    // Reads what the next query() needs of the store, for about `budget` at a time (all of it
    // without one): true once nothing is left to read. A large library is read this way in
    // idle time, a step per turn of the event loop; a change to the store between two steps
    // starts the reading over, and query() finishes what is left.
    bool prepare(std::optional<std::chrono::milliseconds> budget);
    // The prompts at positions of results; empty when the library changed in between.
    QList<Prompt *> prompts(const SearchResults &results, const std::vector<quint32> &positions) const;
    // The generation of the library the next query() would be made over, as far as known.
    quint64 generation() const { return m_generation; }

    // Runs a search here and now.
    Found find(const QString &searchText, const Options &options);
    // The matches only.
    QList<Prompt *> search(const QString &searchText, const Options &options);
    // Every prompt the hidden and shown rules let through, one per id, by title.
    QList<Prompt *> shown(const Options &options);

    // The current text index (null before the first query), the user state beside it and
    // the prompts at its positions.
    std::shared_ptr<const SearchIndex> index() const { return m_index; }
    std::shared_ptr<const std::vector<SearchState>> state() const { return m_state; }
    const QList<Prompt *> &indexedPrompts() const { return m_prompts; }
    // Whether the index holds the library as it is (nothing changed since the last query).
    bool isCurrent() const;
    // How often the text index was made anew since construction (to see the cache work).
    qsizetype indexBuilds() const { return m_indexBuilds; }

private:
    struct Copy {
        // The texts the index was made from; sharing their data with the prompt's current
        // texts proves the index still holds. The template is known by its revision only.
        QString title;
        QString description;
        quint32 templateRevision = 0;
        std::vector<quint32> labels;
    };
    // One reading of the store, over as many steps as it takes.
    struct Pass {
        QList<Prompt *> prompts;
        bool listChanged = false;
        quint64 revision = 0; // of the store when it began
        QHash<const void *, quint32> labelIds;
        QStringList labelNames;
        QList<const void *> labelObjects;
        std::vector<Copy> copies; // when the list changed: the new copies, else m_copies is updated
        // When the index is known from the start to be made anew, its sources, gathered step
        // by step with the copies rather than all at once at the end.
        bool gathers = false;
        std::vector<SearchIndex::Source> sources;
        std::shared_ptr<std::vector<SearchState>> state;
        UuidSet hidden;
        UuidSet seen;
        qsizetype next = 0;
    };
    void refresh();
    bool beginPass(); // false when nothing changed since the last pass
    void endPass();

    ModelContext &m_context;
    QList<Prompt *> m_prompts; // store order at the last refresh; the index's positions
    std::vector<Copy> m_copies;
    QStringList m_labelNames;
    QList<const void *> m_labelObjects;
    std::shared_ptr<const SearchIndex> m_index;
    std::shared_ptr<const std::vector<SearchState>> m_state;
    quint64 m_generation = 0;
    qsizetype m_indexBuilds = 0;
    quint64 m_readRevision = 0; // of the store at the last reading
    bool m_textChanged = false; // a text read since the index was made differs from it
    std::unique_ptr<Pass> m_pass; // a reading under way
};
