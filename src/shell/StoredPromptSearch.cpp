#include "StoredPromptSearch.h"

#include "BinaryStream.h"
#include "PersistentModel.h"
#include "Prompt.h"
#include "PromptSearch.h"
#include "SearchIndex.h"
#include "UuidKeys.h"

#include <algorithm>

namespace {
enum StateFlag : quint8 { Active = 1, Hidden = 2, Favorite = 4, Duplicate = 8 };
}

StoredPromptSearch::StoredPromptSearch(const PromptListReader::Listing &listing, bool withTemplates)
{
    const size_t count = listing.prompts.size();
    std::vector<SearchIndex::Source> sources;
    sources.reserve(count);
    QStringList templates;
    auto state = std::make_shared<std::vector<SearchState>>(count);
    UuidSet seen;
    seen.reserve(count);
    m_ids.reserve(count);
    m_titleStart.reserve(count + 1);
    for (size_t i = 0; i < count; ++i) {
        const PromptListReader::Entry &entry = listing.prompts[i];
        sources.push_back({entry.title, entry.description, entry.labels});
        if (withTemplates)
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
        addLine(entry.id, entry.title);
    }
    endLines();
    auto index = std::make_shared<const SearchIndex>(std::move(sources), listing.labelNames);
    if (withTemplates)
        index->setTemplates(std::move(templates));
    m_index = std::move(index);
    m_state = std::move(state);
}

StoredPromptSearch::StoredPromptSearch(const PromptSearch &search) : m_index(search.index()), m_state(search.state())
{
    m_ids.reserve(size_t(search.indexedPrompts().size()));
    m_titleStart.reserve(m_ids.capacity() + 1);
    for (const Prompt *prompt : search.indexedPrompts())
        addLine(prompt->id(), prompt->title());
    endLines();
}

void StoredPromptSearch::addLine(const QUuid &id, const QString &title)
{
    m_ids.push_back(id);
    m_titleStart.push_back(quint32(m_titles.size()));
    m_titles += title.toStdString();
}

void StoredPromptSearch::endLines()
{
    m_titleStart.push_back(quint32(m_titles.size()));
    m_idView = m_ids;
    m_titleView = m_titles;
    m_titleStartView = m_titleStart;
}

SearchResults StoredPromptSearch::find(const QString &searchText, const SearchOptions &options) const
{
    return SearchQuery(m_index, m_state, 1, searchText, options).run();
}

QString StoredPromptSearch::line(quint32 at) const
{
    const quint32 start = m_titleStartView[at];
    return uuidText(m_idView[at]) + u'\t'
           + QString::fromUtf8(m_titleView.data() + start, qsizetype(m_titleStartView[at + 1] - start));
}

void StoredPromptSearch::writeTo(BinaryStream &out) const
{
    m_index->writeTo(out);
    std::vector<qint64> uses;
    std::vector<qint64> lastUsed;
    std::vector<quint8> flags;
    for (const SearchState &state : *m_state) {
        uses.push_back(state.uses);
        lastUsed.push_back(state.lastUsed);
        flags.push_back(quint8((state.active ? Active : 0) | (state.hidden ? Hidden : 0)
                               | (state.favorite ? Favorite : 0) | (state.duplicate ? Duplicate : 0)));
    }
    out.putArray(uses);
    out.putArray(lastUsed);
    out.putArray(flags);
    out.putArray(m_idView);
    out.putArray(m_titleView);
    out.putArray(m_titleStartView);
}

std::optional<StoredPromptSearch> StoredPromptSearch::readFrom(BinaryStream &in,
                                                              const std::shared_ptr<const void> &bytes)
{
    StoredPromptSearch search;
    search.m_index = SearchIndex::readFrom(in, bytes);
    std::span<const qint64> uses;
    std::span<const qint64> lastUsed;
    std::span<const quint8> flags;
    if (!search.m_index || !in.view(uses) || !in.view(lastUsed) || !in.view(flags) || !in.view(search.m_idView)
        || !in.view(search.m_titleView) || !in.view(search.m_titleStartView))
        return std::nullopt;
    const size_t count = search.m_index->size();
    const std::span<const quint32> starts = search.m_titleStartView;
    if (uses.size() != count || lastUsed.size() != count || flags.size() != count || search.m_idView.size() != count
        || starts.size() != count + 1 || starts.front() != 0 || starts.back() != search.m_titleView.size()
        || !std::is_sorted(starts.begin(), starts.end())) {
        in.fail();
        return std::nullopt;
    }
    auto state = std::make_shared<std::vector<SearchState>>(count);
    for (size_t i = 0; i < count; ++i) {
        SearchState &s = (*state)[i];
        s.uses = uses[i];
        s.lastUsed = lastUsed[i];
        s.active = flags[i] & Active;
        s.hidden = flags[i] & Hidden;
        s.favorite = flags[i] & Favorite;
        s.duplicate = flags[i] & Duplicate;
    }
    search.m_state = std::move(state);
    search.m_bytes = bytes;
    return search;
}
