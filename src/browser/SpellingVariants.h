#pragma once

#include <string>
#include <vector>

// The other spellings of a folded search term under the rules that tell British from
// American English: -ise/-ize, -yse/-yze, -our/-or, -tre/-ter, -ogue/-og, -ence/-ense,
// doubled l before an ending (travelling/traveling), ae/e, -mme/-m and judgement/judgment,
// each both ways where that is safe. A rule rewrites one place of the term whose ending
// (what follows it) is one it knows, so "colourful" gives "colorful" but "four" gives nothing.
namespace SpellingVariants {
// Every other spelling of term (not term itself), at most a few dozen.
std::vector<std::string> of(const std::string &term);
} // namespace SpellingVariants
