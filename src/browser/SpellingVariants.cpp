#include "SpellingVariants.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <string_view>

namespace {
struct Rule {
    std::string_view from;
    std::string_view to;
    std::initializer_list<std::string_view> endings; // what may follow; "*" is anything
    size_t minStem;                                  // letters that must come before
    bool stemEndsInVowel = false;
};

constexpr std::string_view Anything = "*";

bool isVowel(char c)
{
    return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u';
}

const std::array<Rule, 21> &rules()
{
    static const std::array<Rule, 21> table{{
        // summarise/summarize, organisation/organization; "summaris" while it is typed
        {"is", "iz", {"", "e", "ed", "es", "er", "ers", "ing", "ation", "ations", "able"}, 4},
        {"iz", "is", {"", "e", "ed", "es", "er", "ers", "ing", "ation", "ations", "able"}, 4},
        // analyse/analyze, paralyse
        {"ys", "yz", {"", "e", "ed", "es", "er", "ers", "ing"}, 3},
        {"yz", "ys", {"", "e", "ed", "es", "er", "ers", "ing"}, 3},
        // colour/color, favourite/favorite, behaviour/behavior
        {"our", "or", {"", "s", "ed", "ing", "ful", "ite", "ites", "able", "ably", "er", "ers", "ism", "less"}, 2},
        {"or", "our", {"", "s", "ed", "ing", "ful", "ite", "ites", "able", "ably", "ism", "less"}, 3},
        // centre/center, theatre/theater, litre/liter
        {"tre", "ter", {"", "s", "d"}, 3},
        {"ter", "tre", {"", "s", "ed"}, 3},
        {"bre", "ber", {"", "s"}, 2},
        // catalogue/catalog, dialogue/dialog
        {"ogue", "og", {"", "s", "d"}, 3},
        {"og", "ogue", {"", "s"}, 4},
        // defence/defense, licence/license, offence/offense
        {"ence", "ense", {"", "s"}, 3},
        {"ense", "ence", {"", "s"}, 3},
        // travelling/traveling, cancelled/canceled, modelling/modeling, labelled/labeled
        {"ll", "l", {"ing", "ed", "er", "ers", "or", "ors"}, 3, true},
        {"l", "ll", {"ing", "ed", "er", "ers", "or", "ors"}, 3, true},
        // encyclopaedia/encyclopedia, anaesthetic/anesthetic
        {"ae", "e", {Anything}, 1},
        // programme/program
        {"mme", "m", {"", "s"}, 4},
        {"m", "mme", {"", "s"}, 5},
        // judgement/judgment, acknowledgement/acknowledgment
        {"gement", "gment", {"", "s"}, 2},
        {"gment", "gement", {"", "s"}, 2},
        // grey/gray
        {"grey", "gray", {Anything}, 0},
    }};
    return table;
}

bool applies(const Rule &rule, const std::string &term, size_t at)
{
    if (at < rule.minStem || term.compare(at, rule.from.size(), rule.from) != 0)
        return false;
    if (rule.stemEndsInVowel && (at == 0 || !isVowel(term[at - 1])))
        return false;
    const std::string_view ending = std::string_view(term).substr(at + rule.from.size());
    return std::any_of(rule.endings.begin(), rule.endings.end(),
                       [&](std::string_view allowed) { return allowed == Anything || allowed == ending; });
}
} // namespace

namespace SpellingVariants {
std::vector<std::string> of(const std::string &term)
{
    constexpr size_t Most = 32;
    std::vector<std::string> spellings{term};
    for (const Rule &rule : rules()) {
        // Rules combine: "colourise" becomes "colorize" as well.
        const size_t known = spellings.size();
        for (size_t s = 0; s < known && spellings.size() < Most; ++s) {
            const std::string base = spellings[s];
            for (size_t at = 0; at < base.size() && spellings.size() < Most; ++at) {
                if (!applies(rule, base, at))
                    continue;
                std::string variant = base;
                variant.replace(at, rule.from.size(), rule.to);
                if (std::find(spellings.begin(), spellings.end(), variant) == spellings.end())
                    spellings.push_back(std::move(variant));
            }
        }
    }
    spellings.erase(spellings.begin());
    return spellings;
}
} // namespace SpellingVariants
