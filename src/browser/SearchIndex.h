#pragma once

#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// What the search knows of the text of a library, made once per version of the text and then
// only read, from any thread. Each prompt's title and description are kept folded, as UTF-8,
// in one buffer; the words of titles, descriptions and category and tag names are interned
// once each, with for every word the prompts it occurs in and in which fields. Templates are
// folded the first time a search looks into them.
//
// The index is made in two steps: the constructor only takes the texts (copies of Qt strings
// share their data, so this is cheap on the thread that owns the prompts), build() does the
// work on whichever thread needs it first. The templates are not among them: whoever makes
// the first search into templates hands them over (setTemplates) before it runs.
class BinaryStream;

class SearchIndex {
public:
    enum Field : unsigned { Title = 1, Description = 2, Label = 4 };
    static constexpr unsigned FieldBits = 3;
    static constexpr char FieldSeparator = '\x1f';

    struct Source {
        QString title;
        QString description;
        std::vector<quint32> labels; // positions in the label names
    };

    SearchIndex(std::vector<Source> sources, QStringList labelNames);
    SearchIndex(const SearchIndex &) = delete;
    SearchIndex &operator=(const SearchIndex &) = delete;

    // Folds and interns the titles, descriptions and labels, once; safe to call from any thread.
    void build() const;
    // The prompts' templates in prompt order, to fold when a search first looks into them;
    // only the first hand-over before that counts. Safe to call from any thread.
    void setTemplates(QStringList templates) const;
    bool hasTemplates() const;
    // Folds the templates, once (after build()); safe to call from any thread. A prompt whose
    // template was not handed over has an empty one.
    void buildTemplates() const;

    // Whether build() (and, with templates, buildTemplates()) already ran to its end.
    bool isBuilt(bool templates = false) const { return m_isBuilt && (!templates || m_templatesAreBuilt); }

    size_t size() const { return m_size; }

    // After build(): folded title, FieldSeparator, folded description.
    std::string_view text(size_t prompt) const
    {
        return m_view.text.substr(m_view.entries[prompt].start,
                                  m_view.entries[prompt + 1].start - m_view.entries[prompt].start);
    }
    size_t titleLength(size_t prompt) const { return m_view.entries[prompt].titleLength; }
    // Every prompt's text() one after the other, and where each begins in it.
    std::string_view allText() const { return m_view.text; }
    size_t textStart(size_t prompt) const { return m_view.entries[prompt].start; }
    // The position of the title in the natural order of all titles (equal titles share one).
    quint32 titleRank(size_t prompt) const { return m_view.entries[prompt].titleRank; }
    // The first letters of the title's words (up to 8, Latin letters and digits only).
    std::string_view initials(size_t prompt) const;
    // After buildTemplates(): the folded template.
    std::string_view templateText(size_t prompt) const
    {
        return std::string_view(m_templates).substr(m_templateStart[prompt],
                                                    m_templateStart[prompt + 1] - m_templateStart[prompt]);
    }

    // The words, each once.
    size_t wordCount() const { return m_view.wordStart.empty() ? 0 : m_view.wordStart.size() - 1; }
    std::string_view word(size_t w) const
    {
        return m_view.words.substr(m_view.wordStart[w], m_view.wordStart[w + 1] - m_view.wordStart[w]);
    }
    // The fields a word occurs in anywhere in the library.
    unsigned wordFields(size_t w) const { return m_view.wordFields[w]; }
    // Where a word occurs: (prompt << FieldBits) | fields, in prompt order.
    std::span<const quint32> postings(size_t w) const
    {
        return m_view.postings.subspan(m_view.postingStart[w], m_view.postingStart[w + 1] - m_view.postingStart[w]);
    }

    // Category and tag names, folded.
    size_t labelCount() const { return m_labelNames.size(); }
    const std::string &labelName(size_t label) const { return m_labelNames[label]; }
    std::span<const quint32> labels(size_t prompt) const
    {
        return m_view.labels.subspan(m_view.labelStart[prompt], m_view.labelStart[prompt + 1] - m_view.labelStart[prompt]);
    }

    // The built index as written to a file (templates left out), and read back from the
    // file's bytes, which the index then reads in place (bytes keeps them): null when what is
    // read does not fit together as an index (every offset in order and in bounds).
    void writeTo(BinaryStream &out) const;
    static std::shared_ptr<const SearchIndex> readFrom(BinaryStream &in, std::shared_ptr<const void> bytes);

    // Bytes the index holds (after build(); templates included once folded).
    size_t memoryBytes() const;
    // Bytes of the text it indexes, as the program holds it (UTF-16): titles, descriptions and
    // each category and tag name once; and of the templates handed over.
    size_t textBytes() const { return m_textBytes; }
    size_t templateTextBytes() const;

private:
    struct Entry {
        quint32 start = 0; // in m_text
        quint32 titleLength = 0;
        quint32 titleRank = 0;
        char initials[8] = {};
    };
    // What the accessors read: the index's own arrays, or a file's bytes.
    struct Views {
        std::string_view text;
        std::span<const Entry> entries;
        std::string_view words;
        std::span<const quint32> wordStart;
        std::span<const quint8> wordFields;
        std::span<const quint32> postingStart;
        std::span<const quint32> postings;
        std::span<const quint32> labelStart;
        std::span<const quint32> labels;
    };

    SearchIndex() = default;
    Views ownViews() const;
    void buildNow();
    void buildTemplatesNow();
    bool holdsTogether() const;

    size_t m_size = 0;
    size_t m_textBytes = 0;
    // Until built: what to build from.
    std::vector<Source> m_sources;
    QStringList m_labelSource;
    // From their hand-over to their folding: the templates.
    mutable std::mutex m_templateMutex;
    mutable QStringList m_templateSource;
    mutable size_t m_templateTextBytes = 0;
    mutable bool m_templatesGiven = false;

    mutable std::once_flag m_built;
    mutable std::once_flag m_templatesBuilt;
    mutable std::atomic<bool> m_isBuilt{false};
    mutable std::atomic<bool> m_templatesAreBuilt{false};
    std::string m_text;
    std::vector<Entry> m_entries; // one more than prompts: its start ends the last text
    std::string m_templates;
    std::vector<size_t> m_templateStart;
    std::string m_words;
    std::vector<quint32> m_wordStart;
    std::vector<quint8> m_wordFields;
    std::vector<quint32> m_postingStart;
    std::vector<quint32> m_postings;
    std::vector<std::string> m_labelNames;
    std::vector<quint32> m_labelStart;
    std::vector<quint32> m_labels;
    Views m_view;
    std::shared_ptr<const void> m_bytes; // of a file read back
};
