#include "SearchQuery.h"

#include "SearchText.h"
#include "SpellingVariants.h"
#include "TypingDistance.h"

#include <algorithm>
#include <cstring>
#include <thread>
#include <tuple>

namespace {
struct Term {
    std::string text; // folded, UTF-8
    int letters = 0;
};

// A close match's cost for one term in one prompt: (cost << 1) | (not in the title).
constexpr quint8 NoClose = 0xff;
// How much each kind of closeness costs; a term found as it is costs nothing.
constexpr int LabelCost = 0;    // inside a category or tag name
constexpr int SpellingCost = 1; // the other spelling of a word (colour for color)
constexpr int InitialsCost = 1; // the initials of the title's words (cr for Code Review)
// A slip costs 1 + the number of slips.
constexpr size_t MostCloseWords = 64;
// From this many letters on, a term may also be the beginning of a word that goes on.
constexpr int PrefixLetters = 5;
constexpr size_t CancelCheck = 2048;

bool passes(const SearchState &state, const SearchOptions &options)
{
    return !state.duplicate && (options.adminMode || state.active) && (options.includeHidden || !state.hidden);
}

// For the prompts from first to last (not included), where the term is found as it is: 0 at
// the start of a title word, 1 inside the title, 2 in the description, 3 in the template; -1
// nowhere. One search through all their text, on from the next prompt once the best a prompt
// can have is known: a search per prompt cost more than the looking itself.
void directLevels(const SearchIndex &index, const std::string &term, bool searchTemplate, size_t first, size_t last,
                  std::vector<qint8> &levels)
{
    const std::string_view all = index.allText().substr(0, index.textStart(last));
    size_t prompt = first;
    size_t at = index.textStart(first);
    while (prompt < last && at + term.size() <= all.size()) {
        const void *found = memmem(all.data() + at, all.size() - at, term.data(), term.size());
        if (!found)
            break;
        at = size_t(static_cast<const char *>(found) - all.data());
        while (index.textStart(prompt + 1) <= at)
            ++prompt;
        const size_t start = index.textStart(prompt);
        const size_t end = index.textStart(prompt + 1);
        if (at + term.size() > end) { // across the end of one prompt's text into the next
            at = end;
            continue;
        }
        qint8 &level = levels[prompt];
        if (at - start >= index.titleLength(prompt)) {
            if (level < 0)
                level = 2;
            at = end; // nothing better is left in this prompt
        } else if (at == start || !SearchText::isWordByte(static_cast<unsigned char>(all[at - 1]))) {
            level = 0;
            at = end;
        } else {
            level = 1; // a word of the title may still begin with it
            ++at;
        }
    }
    if (searchTemplate) {
        for (size_t i = first; i < last; ++i)
            if (levels[i] < 0 && index.templateText(i).find(term) != std::string_view::npos)
                levels[i] = 3;
    }
}

// The same for every prompt; a large library is looked through in two halves at once.
std::vector<qint8> directLevels(const SearchIndex &index, const std::string &term, bool searchTemplate)
{
    constexpr size_t SplitFrom = 20000;
    std::vector<qint8> levels(index.size(), -1);
    const size_t half = index.size() >= SplitFrom ? index.size() / 2 : index.size();
    std::thread second;
    if (half < index.size())
        second = std::thread([&] { directLevels(index, term, searchTemplate, half, index.size(), levels); });
    directLevels(index, term, searchTemplate, 0, half, levels);
    if (second.joinable())
        second.join();
    return levels;
}

void mark(std::vector<quint8> &costs, quint32 posting, int cost)
{
    const size_t prompt = posting >> SearchIndex::FieldBits;
    const quint8 value = quint8((cost << 1) | ((posting & SearchIndex::Title) ? 0 : 1));
    costs[prompt] = std::min(costs[prompt], value);
}

void noteWord(QStringList &words, std::string_view word)
{
    const QString text = QString::fromUtf8(word.data(), qsizetype(word.size()));
    if (words.size() < qsizetype(MostCloseWords) && !words.contains(text))
        words.append(text);
}

bool isAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// For each prompt, the cheapest way the term comes close to one of its fields.
std::vector<quint8> closeCosts(const SearchIndex &index, const Term &term, QStringList &words)
{
    std::vector<quint8> costs(index.size(), NoClose);
    // Category and tag names count as fields of their prompts.
    std::vector<bool> labelHit(index.labelCount(), false);
    bool anyLabel = false;
    for (size_t l = 0; l < index.labelCount(); ++l)
        anyLabel |= (labelHit[l] = index.labelName(l).find(term.text) != std::string::npos);
    if (anyLabel) {
        for (size_t i = 0; i < index.size(); ++i)
            for (quint32 label : index.labels(i))
                if (labelHit[label])
                    costs[i] = std::min(costs[i], quint8((LabelCost << 1) | 1));
    }

    const std::string_view text = term.text;
    const int slips = TypingDistance::allowedSlips(term.letters);
    const bool prefix = term.letters >= PrefixLetters;
    const std::vector<std::string> spellings = isAscii(text) ? SpellingVariants::of(term.text)
                                                             : std::vector<std::string>{};
    const quint64 termBytes = TypingDistance::bytesOf(text);
    for (size_t w = 0; w < index.wordCount(); ++w) {
        const std::string_view word = index.word(w);
        int cost = -1;
        for (const std::string &spelling : spellings) {
            if (word.starts_with(spelling)) {
                cost = SpellingCost;
                break;
            }
        }
        if (cost < 0 && slips > 0 && word.size() + size_t(slips) >= text.size()
            && TypingDistance::lacking(termBytes, TypingDistance::bytesOf(word)) <= slips) {
            const int d = prefix ? TypingDistance::toPrefix(text, word, slips)
                                 : TypingDistance::between(text, word, slips);
            // No slip at all: the term is in the word and was found as it is.
            if (d > 0 && d <= slips)
                cost = 1 + d;
        }
        if (cost < 0)
            continue;
        noteWord(words, word);
        for (quint32 posting : index.postings(w))
            mark(costs, posting, cost);
    }

    if (term.letters >= 2 && isAscii(text)) {
        for (size_t i = 0; i < index.size(); ++i)
            if (index.initials(i).starts_with(text))
                costs[i] = std::min(costs[i], quint8(InitialsCost << 1));
    }
    return costs;
}

// One ranked result: lower sorts first.
struct Hit {
    quint32 primary = 0;
    quint32 secondary = 0;
    quint32 tertiary = 0;
    bool notFavorite = false;
    qint64 uses = 0;
    qint64 lastUsed = 0;
    quint32 titleRank = 0;
    quint32 prompt = 0;
    bool operator<(const Hit &other) const
    {
        return std::tie(primary, secondary, tertiary, notFavorite, other.uses, other.lastUsed, titleRank, prompt) <
               std::tie(other.primary, other.secondary, other.tertiary, other.notFavorite, uses, lastUsed,
                        other.titleRank, other.prompt);
    }
};

Hit hitFor(const SearchIndex &index, const SearchState &state, quint32 prompt)
{
    Hit hit;
    hit.notFavorite = !state.favorite;
    hit.uses = state.uses;
    hit.lastUsed = state.lastUsed;
    hit.titleRank = index.titleRank(prompt);
    hit.prompt = prompt;
    return hit;
}

std::vector<quint32> ranked(std::vector<Hit> &hits, size_t most = size_t(-1))
{
    if (hits.size() > most) {
        std::partial_sort(hits.begin(), hits.begin() + qsizetype(most), hits.end());
        hits.resize(most);
    } else {
        std::sort(hits.begin(), hits.end());
    }
    std::vector<quint32> out;
    out.reserve(hits.size());
    for (const Hit &hit : hits)
        out.push_back(hit.prompt);
    return out;
}

// The titles nearest the terms, when nothing matches: for every term the fewest slips to a
// word of the title (up to half the term's letters) against the term's length, summed over
// the terms.
std::vector<quint32> closestTitles(const SearchIndex &index, const std::vector<SearchState> &state,
                                   const std::vector<Term> &terms, const SearchOptions &options)
{
    std::vector<quint32> score(index.size(), 0);
    std::vector<bool> near(index.size(), false);
    std::vector<quint8> best;
    for (const Term &term : terms) {
        const int limit = std::clamp(term.letters / 2, 1, 4);
        best.assign(index.size(), quint8(limit + 1));
        const quint64 termBytes = TypingDistance::bytesOf(term.text);
        for (size_t w = 0; w < index.wordCount(); ++w) {
            if (!(index.wordFields(w) & SearchIndex::Title))
                continue;
            const std::string_view word = index.word(w);
            if (TypingDistance::lacking(termBytes, TypingDistance::bytesOf(word)) > limit)
                continue;
            const int d = term.letters >= PrefixLetters ? TypingDistance::toPrefix(term.text, word, limit)
                                                        : TypingDistance::between(term.text, word, limit);
            if (d > limit)
                continue;
            for (quint32 posting : index.postings(w)) {
                if (!(posting & SearchIndex::Title))
                    continue;
                const size_t prompt = posting >> SearchIndex::FieldBits;
                best[prompt] = std::min(best[prompt], quint8(d));
                near[prompt] = true;
            }
        }
        // Slips count in proportion to the term's length; a term with no word near costs most.
        for (size_t i = 0; i < index.size(); ++i)
            score[i] += best[i] > limit ? 100u : quint32(best[i]) * 100u / quint32(std::max(1, term.letters));
    }
    std::vector<Hit> hits;
    for (quint32 i = 0; i < quint32(index.size()); ++i) {
        if (!near[i] || !passes(state[i], options))
            continue;
        Hit hit = hitFor(index, state[i], i);
        hit.primary = score[i];
        hits.push_back(hit);
    }
    return ranked(hits, SearchQuery::ClosestShown);
}
} // namespace

SearchQuery::SearchQuery(std::shared_ptr<const SearchIndex> index, std::shared_ptr<const std::vector<SearchState>> state,
                         quint64 generation, QString text, SearchOptions options)
    : m_index(std::move(index)), m_state(std::move(state)), m_generation(generation), m_text(std::move(text)),
      m_options(options)
{
}

// The order of the results:
//  1. Prompts where every term is found as it is in the title or the description (or, with
//     the option, the template): first by the best place any term has (the start of a title
//     word, then inside the title, the description, the template), then by how many terms are
//     in the title (more first), then by the places of all terms together.
//  2. Then favourites first, more uses first, the later last use first, the title in natural
//     order, and the store order.
// Close matches follow in the same way, with the cost of their closeness first: a term found
// as it is costs nothing, in a category or tag name nothing but a place outside the title,
// the other spelling of a word or the initials of the title 1, one slip 2, two slips 3.
SearchResults SearchQuery::run(const std::atomic<quint64> *latest, quint64 mine) const
{
    SearchResults results;
    results.generation = m_generation;
    if (!m_index)
        return results;
    const auto cancelled = [&] {
        if (latest && latest->load(std::memory_order_relaxed) != mine) {
            results = SearchResults();
            results.cancelled = true;
            return true;
        }
        return false;
    };
    const SearchIndex &index = *m_index;
    const std::vector<SearchState> &state = *m_state;
    index.build();
    if (m_options.searchTemplate)
        index.buildTemplates();
    if (cancelled())
        return results;

    results.terms = SearchText::terms(m_text);
    std::vector<Term> terms;
    for (const QString &term : std::as_const(results.terms)) {
        const QByteArray utf8 = term.toUtf8();
        terms.push_back({std::string(utf8.constData(), size_t(utf8.size())), int(term.toUcs4().size())});
    }

    std::vector<Hit> matches;
    if (terms.empty()) {
        for (quint32 i = 0; i < quint32(index.size()); ++i)
            if (passes(state[i], m_options))
                matches.push_back(hitFor(index, state[i], i));
        for (Hit &hit : matches) // by title only
            hit.notFavorite = false, hit.uses = 0, hit.lastUsed = 0;
        results.matches = ranked(matches);
        return results;
    }

    std::vector<std::vector<qint8>> levels;
    for (const Term &term : terms) {
        if (cancelled())
            return results;
        levels.push_back(directLevels(index, term.text, m_options.searchTemplate));
    }
    // Close costs are worked out for a term when a prompt first needs them.
    std::vector<std::vector<quint8>> costs(terms.size());
    std::vector<Hit> close;
    for (quint32 i = 0; i < quint32(index.size()); ++i) {
        if (i % CancelCheck == 0 && cancelled())
            return results;
        if (!passes(state[i], m_options))
            continue;
        int best = 3;
        quint32 inTitle = 0;
        quint32 places = 0;
        quint32 closeness = 0;
        bool exact = true;
        bool near = true;
        for (size_t t = 0; t < terms.size(); ++t) {
            const int level = levels[t][i];
            if (level >= 0) {
                best = std::min(best, level);
                inTitle += level <= 1;
                places += quint32(level);
                continue;
            }
            exact = false;
            if (costs[t].empty())
                costs[t] = closeCosts(index, terms[t], results.closeWords);
            const quint8 cost = costs[t][i];
            if (cost == NoClose) {
                near = false;
                break;
            }
            closeness += cost;
            if (!(cost & 1))
                ++inTitle;
            places += 2;
        }
        if (!exact && !near)
            continue;
        Hit hit = hitFor(index, state[i], i);
        hit.secondary = quint32(terms.size()) - inTitle;
        hit.tertiary = places;
        if (exact) {
            hit.primary = quint32(best);
            matches.push_back(hit);
        } else {
            hit.primary = closeness;
            close.push_back(hit);
        }
    }
    results.matches = ranked(matches);
    results.close = ranked(close);
    if (results.matches.empty() && results.close.empty() && !cancelled())
        results.closest = closestTitles(index, state, terms, m_options);
    return results;
}
