#pragma once

#include "PromptListReader.h"
#include "SearchQuery.h"

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

class BinaryStream;
class PromptSearch;

// The library's search over a listing read from the store file, made from the same texts,
// labels and user state as PromptSearch makes it from the loaded store: both find the same
// prompts in the same order. Results are positions in listing.prompts. It keeps what a
// listing line shows of each prompt, and can be written to a file and read back whole
// (without templates), so that a later listing need not read the store again.
class StoredPromptSearch {
public:
    StoredPromptSearch(const PromptListReader::Listing &listing, bool withTemplates);
    // The loaded library's search, current and its index built, over a store saved with
    // nothing pending: the same a listing read from the store file would make.
    explicit StoredPromptSearch(const PromptSearch &search);

    SearchResults find(const QString &searchText, const SearchOptions &options) const;
    size_t size() const { return m_idView.size(); }
    // The prompt's ID, a tab and its title.
    QString line(quint32 at) const;

    void writeTo(BinaryStream &out) const;
    // Read back from a file's bytes, which it then reads in place (bytes keeps them); nothing
    // when what is read is not a whole search as written.
    static std::optional<StoredPromptSearch> readFrom(BinaryStream &in, const std::shared_ptr<const void> &bytes);

private:
    StoredPromptSearch() = default;
    void addLine(const QUuid &id, const QString &title);
    void endLines();

    std::shared_ptr<const SearchIndex> m_index;
    std::shared_ptr<const std::vector<SearchState>> m_state;
    std::vector<QUuid> m_ids;
    std::string m_titles; // UTF-8, one after the other
    std::vector<quint32> m_titleStart;
    // What line() reads: the above, or a file's bytes.
    std::span<const QUuid> m_idView;
    std::string_view m_titleView;
    std::span<const quint32> m_titleStartView;
    std::shared_ptr<const void> m_bytes;
};
