#include "TypingDistance.h"

#include <algorithm>
#include <array>
#include <bit>

namespace {
// Rows of the table are the term's letters, columns the word's; terms and words longer than
// this are cut (no search term is that long, and the cut only makes a match less likely).
constexpr int MaxLength = 47;

// The alignment table; prefix: the answer is the best cell of the last row, not its end.
int distance(std::string_view term, std::string_view word, int limit, bool prefix)
{
    const int m = int(std::min<size_t>(term.size(), MaxLength));
    int n = int(std::min<size_t>(word.size(), MaxLength));
    if (prefix)
        n = std::min(n, m + limit);
    else if (std::abs(m - n) > limit)
        return limit + 1;
    std::array<std::array<int, MaxLength + 1>, 3> rows{}; // two rows back, one back, current
    for (int j = 0; j <= n; ++j)
        rows[0][size_t(j)] = j;
    for (int i = 1; i <= m; ++i) {
        auto &row = rows[size_t(i % 3)];
        const auto &up = rows[size_t((i + 2) % 3)];
        const auto &upUp = rows[size_t((i + 1) % 3)];
        row[0] = i;
        int best = row[0];
        for (int j = 1; j <= n; ++j) {
            const int cost = term[size_t(i - 1)] == word[size_t(j - 1)] ? 0 : 1;
            int value = std::min({up[size_t(j)] + 1, row[size_t(j - 1)] + 1, up[size_t(j - 1)] + cost});
            if (i > 1 && j > 1 && term[size_t(i - 1)] == word[size_t(j - 2)] &&
                term[size_t(i - 2)] == word[size_t(j - 1)])
                value = std::min(value, upUp[size_t(j - 2)] + 1);
            row[size_t(j)] = value;
            best = std::min(best, value);
        }
        // No cell of a later row is smaller than the smallest of this one.
        if (best > limit)
            return limit + 1;
    }
    const auto &last = rows[size_t(m % 3)];
    const int result = prefix ? *std::min_element(last.begin(), last.begin() + n + 1) : last[size_t(n)];
    return std::min(result, limit + 1);
}
} // namespace

namespace TypingDistance {
int between(std::string_view term, std::string_view word, int limit)
{
    return distance(term, word, limit, false);
}

int toPrefix(std::string_view term, std::string_view word, int limit)
{
    return distance(term, word, limit, true);
}

quint64 bytesOf(std::string_view text)
{
    quint64 bits = 0;
    for (const char c : text.substr(0, MaxLength))
        bits |= quint64(1) << (static_cast<unsigned char>(c) & 63);
    return bits;
}

int lacking(quint64 termBytes, quint64 wordBytes)
{
    return std::popcount(termBytes & ~wordBytes);
}

int allowedSlips(int letters)
{
    return letters < 3 ? 0 : letters < 8 ? 1 : 2;
}
} // namespace TypingDistance
