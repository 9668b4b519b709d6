#include "SearchIndex.h"

#include "BinaryStream.h"
#include "PromptSearch.h"
#include "SearchText.h"

#include <QCollator>

#include <algorithm>
#include <numeric>
#include <unordered_map>

namespace {
// Interning by the word's text, looked up without making a string of it.
struct WordHash {
    using is_transparent = void;
    size_t operator()(std::string_view word) const { return std::hash<std::string_view>{}(word); }
};
using WordIds = std::unordered_map<std::string, quint32, WordHash, std::equal_to<>>;

std::string folded(const QString &text)
{
    // Plain ASCII, the usual text, folds as SearchText::fold folds it (lower case, control
    // characters as spaces) without the round through a folded copy and its UTF-8.
    std::string out(size_t(text.size()), ' ');
    const QChar *in = text.constData();
    for (size_t i = 0; i < out.size(); ++i) {
        const char16_t c = in[i].unicode();
        if (c >= 0x80) {
            const QByteArray utf8 = SearchText::fold(text).toUtf8();
            return std::string(utf8.constData(), size_t(utf8.size()));
        }
        if (c >= 'A' && c <= 'Z')
            out[i] = char(c + ('a' - 'A'));
        else if (c >= 0x20 && c != 0x7f)
            out[i] = char(c);
    }
    return out;
}

// Calls take(word, position) for each word of text.
template <class Take> void eachWord(std::string_view text, Take take)
{
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && !SearchText::isWordByte(static_cast<unsigned char>(text[i])))
            ++i;
        const size_t start = i;
        while (i < text.size() && SearchText::isWordByte(static_cast<unsigned char>(text[i])))
            ++i;
        if (i > start)
            take(text.substr(start, i - start), start);
    }
}

template <class T> size_t bytesOf(const std::vector<T> &v)
{
    return v.capacity() * sizeof(T);
}
} // namespace

SearchIndex::SearchIndex(std::vector<Source> sources, QStringList labelNames)
    : m_size(sources.size()), m_sources(std::move(sources)), m_labelSource(std::move(labelNames))
{
    for (const Source &source : m_sources)
        m_textBytes += size_t(source.title.size() + source.description.size()) * sizeof(QChar);
    for (const QString &name : std::as_const(m_labelSource))
        m_textBytes += size_t(name.size()) * sizeof(QChar);
}

void SearchIndex::build() const
{
    if (m_isBuilt)
        return; // also an index read from a file, which has no sources to build from
    std::call_once(m_built, [this] {
        const_cast<SearchIndex *>(this)->buildNow();
        m_isBuilt = true;
    });
}

void SearchIndex::setTemplates(QStringList templates) const
{
    const std::lock_guard lock(m_templateMutex);
    if (m_templatesGiven)
        return;
    m_templatesGiven = true;
    for (const QString &text : std::as_const(templates))
        m_templateTextBytes += size_t(text.size()) * sizeof(QChar);
    m_templateSource = std::move(templates);
}

bool SearchIndex::hasTemplates() const
{
    const std::lock_guard lock(m_templateMutex);
    return m_templatesGiven;
}

size_t SearchIndex::templateTextBytes() const
{
    const std::lock_guard lock(m_templateMutex);
    return m_templateTextBytes;
}

void SearchIndex::buildTemplates() const
{
    build();
    std::call_once(m_templatesBuilt, [this] {
        const_cast<SearchIndex *>(this)->buildTemplatesNow();
        m_templatesAreBuilt = true;
    });
}

std::string_view SearchIndex::initials(size_t prompt) const
{
    const char *letters = m_view.entries[prompt].initials;
    return std::string_view(letters, size_t(std::find(letters, letters + 8, '\0') - letters));
}

void SearchIndex::buildNow()
{
    std::vector<QString> titles;
    {
        titles.reserve(m_size);
        m_entries.resize(m_size + 1);
        for (size_t i = 0; i < m_size; ++i) {
            Source &source = m_sources[i];
            const std::string title = folded(source.title);
            m_entries[i].start = quint32(m_text.size());
            m_entries[i].titleLength = quint32(title.size());
            m_text += title;
            m_text += FieldSeparator;
            m_text += folded(source.description);
            titles.push_back(std::move(source.title));
        }
        m_entries[m_size].start = quint32(m_text.size());
        m_text.shrink_to_fit();

        m_labelStart.reserve(m_size + 1);
        for (const Source &source : m_sources) {
            m_labelStart.push_back(quint32(m_labels.size()));
            m_labels.insert(m_labels.end(), source.labels.begin(), source.labels.end());
        }
        m_labelStart.push_back(quint32(m_labels.size()));
        std::vector<Source>().swap(m_sources);
    }
    m_view = ownViews(); // the text and labels are in place
    for (const QString &name : std::as_const(m_labelSource))
        m_labelNames.push_back(folded(name));
    m_labelSource.clear();

    // Words: each prompt's own (word, fields) pairs, then gathered word by word.
    WordIds ids;
    std::vector<std::string_view> wordText; // views into the keys of ids, which stay put
    std::vector<std::vector<quint32>> labelWords(m_labelNames.size());
    const auto intern = [&](std::string_view word) {
        auto found = ids.find(word);
        if (found == ids.end()) {
            found = ids.emplace(std::string(word), quint32(wordText.size())).first;
            wordText.push_back(found->first);
        }
        return found->second;
    };
    for (size_t l = 0; l < m_labelNames.size(); ++l)
        eachWord(m_labelNames[l], [&](std::string_view word, size_t) { labelWords[l].push_back(intern(word)); });

    std::vector<std::pair<quint32, quint32>> pairs; // (word, (prompt << FieldBits) | fields)
    pairs.reserve(m_text.size() / 6);
    std::vector<std::pair<quint32, quint32>> own;
    for (size_t i = 0; i < m_size; ++i) {
        own.clear();
        const std::string_view text = this->text(i);
        const size_t titleEnd = m_entries[i].titleLength;
        int letters = 0;
        eachWord(text, [&](std::string_view word, size_t at) {
            const bool inTitle = at < titleEnd;
            own.emplace_back(intern(word), inTitle ? Title : Description);
            if (inTitle && letters < 8 && static_cast<unsigned char>(word.front()) < 0x80)
                m_entries[i].initials[letters++] = word.front();
        });
        for (quint32 label : labels(i))
            for (quint32 w : labelWords[label])
                own.emplace_back(w, Label);
        std::sort(own.begin(), own.end());
        for (size_t k = 0; k < own.size();) {
            quint32 fields = 0;
            const quint32 w = own[k].first;
            for (; k < own.size() && own[k].first == w; ++k)
                fields |= own[k].second;
            pairs.emplace_back(w, (quint32(i) << FieldBits) | fields);
        }
    }

    // The words' text, in id order, and their postings (a stable counting sort keeps prompt order).
    const size_t words = wordText.size();
    m_wordStart.reserve(words + 1);
    size_t total = 0;
    for (std::string_view word : wordText)
        total += word.size();
    m_words.reserve(total);
    for (std::string_view word : wordText) {
        m_wordStart.push_back(quint32(m_words.size()));
        m_words += word;
    }
    m_wordStart.push_back(quint32(m_words.size()));
    WordIds().swap(ids);
    std::vector<std::string_view>().swap(wordText);

    m_postingStart.assign(words + 1, 0);
    m_wordFields.assign(words, 0);
    for (const auto &[w, posting] : pairs) {
        ++m_postingStart[w + 1];
        m_wordFields[w] |= quint8(posting & ((1u << FieldBits) - 1));
    }
    std::partial_sum(m_postingStart.begin(), m_postingStart.end(), m_postingStart.begin());
    m_postings.resize(pairs.size());
    std::vector<quint32> next(m_postingStart.begin(), m_postingStart.end() - 1);
    for (const auto &[w, posting] : pairs)
        m_postings[next[w]++] = posting;
    std::vector<std::pair<quint32, quint32>>().swap(pairs);

    // Natural order of the titles, so that sorting results compares integers.
    const QCollator collator = PromptSearch::titleCollator();
    std::vector<QCollatorSortKey> keys;
    keys.reserve(m_size);
    for (const QString &title : titles)
        keys.push_back(collator.sortKey(title));
    std::vector<quint32> order(m_size);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](quint32 a, quint32 b) { return keys[a].compare(keys[b]) < 0; });
    quint32 rank = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        // Titles the collator finds equal share a rank, so store order decides between them.
        if (i > 0 && keys[order[i - 1]].compare(keys[order[i]]) != 0)
            ++rank;
        m_entries[order[i]].titleRank = rank;
    }    m_view = ownViews();
}

SearchIndex::Views SearchIndex::ownViews() const
{
    return {m_text, m_entries, m_words, m_wordStart, m_wordFields, m_postingStart, m_postings, m_labelStart, m_labels};
}

void SearchIndex::buildTemplatesNow()
{
    QStringList source;
    {
        // Folded once: a later hand-over has nothing to add.
        const std::lock_guard lock(m_templateMutex);
        m_templatesGiven = true;
        source.swap(m_templateSource);
    }
    m_templateStart.reserve(m_size + 1);
    for (size_t i = 0; i < m_size; ++i) {
        m_templateStart.push_back(m_templates.size());
        if (qsizetype(i) < source.size()) {
            m_templates += folded(source.at(qsizetype(i)));
            source[qsizetype(i)] = QString(); // let each go once folded
        }
    }
    m_templateStart.push_back(m_templates.size());
    m_templates.shrink_to_fit();
}

namespace {
// Offsets that start at 0, never go back and end at the end of what they cut up.
bool cuts(std::span<const quint32> starts, size_t count, size_t end)
{
    return starts.size() == count + 1 && starts.front() == 0 && starts.back() == end
           && std::is_sorted(starts.begin(), starts.end());
}
} // namespace

void SearchIndex::writeTo(BinaryStream &out) const
{
    build();
    out.put(quint64(m_textBytes));
    out.putArray(m_view.text);
    out.putArray(m_view.entries);
    out.putArray(m_view.words);
    out.putArray(m_view.wordStart);
    out.putArray(m_view.wordFields);
    out.putArray(m_view.postingStart);
    out.putArray(m_view.postings);
    out.put(quint64(m_labelNames.size()));
    for (const std::string &name : m_labelNames)
        out.putArray(name);
    out.putArray(m_view.labelStart);
    out.putArray(m_view.labels);
}

std::shared_ptr<const SearchIndex> SearchIndex::readFrom(BinaryStream &in, std::shared_ptr<const void> bytes)
{
    std::shared_ptr<SearchIndex> index(new SearchIndex);
    Views &view = index->m_view;
    quint64 textBytes = 0;
    quint64 labelCount = 0;
    if (!in.get(textBytes) || !in.view(view.text) || !in.view(view.entries) || !in.view(view.words)
        || !in.view(view.wordStart) || !in.view(view.wordFields) || !in.view(view.postingStart)
        || !in.view(view.postings) || !in.get(labelCount))
        return nullptr;
    for (quint64 l = 0; l < labelCount; ++l) {
        std::string_view name;
        if (!in.view(name))
            return nullptr;
        index->m_labelNames.emplace_back(name);
    }
    if (!in.view(view.labelStart) || !in.view(view.labels) || view.entries.empty())
        return nullptr;
    index->m_size = view.entries.size() - 1;
    index->m_textBytes = size_t(textBytes);
    if (!index->holdsTogether()) {
        in.fail();
        return nullptr;
    }
    index->m_bytes = std::move(bytes);
    index->m_isBuilt = true;
    return index;
}

bool SearchIndex::holdsTogether() const
{
    const Views &v = m_view;
    for (size_t i = 0; i < m_size; ++i) {
        const Entry &entry = v.entries[i];
        if (entry.start > v.entries[i + 1].start || entry.titleLength > v.entries[i + 1].start - entry.start)
            return false;
    }
    const auto inRange = [](std::span<const quint32> values, size_t end, unsigned shift) {
        return std::all_of(values.begin(), values.end(), [&](quint32 value) { return (value >> shift) < end; });
    };
    const size_t words = v.wordFields.size();
    return v.entries.front().start == 0 && v.entries.back().start == v.text.size()
           && cuts(v.wordStart, words, v.words.size()) && cuts(v.postingStart, words, v.postings.size())
           && cuts(v.labelStart, m_size, v.labels.size()) && inRange(v.postings, m_size, FieldBits)
           && inRange(v.labels, m_labelNames.size(), 0);
}

size_t SearchIndex::memoryBytes() const
{
    size_t bytes = sizeof(*this) + m_text.capacity() + bytesOf(m_entries) + m_templates.capacity() +
                   bytesOf(m_templateStart) + m_words.capacity() + bytesOf(m_wordStart) +
                   bytesOf(m_wordFields) + bytesOf(m_postingStart) + bytesOf(m_postings) +
                   bytesOf(m_labelNames) + bytesOf(m_labelStart) + bytesOf(m_labels);
    for (const std::string &name : m_labelNames)
        bytes += name.capacity() > 15 ? name.capacity() : 0; // short names live inside the string
    return bytes;
}
