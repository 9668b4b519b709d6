#pragma once

#include <string_view>

// How many typing slips separate a search term from a word: a letter missing, added or
// changed, or two neighbouring letters swapped (the optimal string alignment distance).
namespace TypingDistance {
// The distance between term and word, or limit + 1 when it is more than limit.
int between(std::string_view term, std::string_view word, int limit);
// The least distance between term and the word or any of its beginnings ("sumar" is one
// slip from "summar", the start of "summarise"), or limit + 1 when it is more than limit.
int toPrefix(std::string_view term, std::string_view word, int limit);
// The slips a term may have: none below 3 letters, one below 8, two from 8 letters on.
int allowedSlips(int letters);
} // namespace TypingDistance
