#pragma once

#include <QtGlobal>

#include <string_view>

// How many typing slips separate a search term from a word: a letter missing, added or
// changed, or two neighbouring letters swapped (the optimal string alignment distance).
namespace TypingDistance {
// The distance between term and word, or limit + 1 when it is more than limit.
int between(std::string_view term, std::string_view word, int limit);
// The least distance between term and the word or any of its beginnings ("sumar" is one
// slip from "summar", the start of "summarise"), or limit + 1 when it is more than limit.
int toPrefix(std::string_view term, std::string_view word, int limit);
// A quick bound before the table: the bytes a text holds as far as the distance looks, each
// as one of 64 bits. A byte of the term that the word lacks costs a slip at least, so a word
// with more lacking bits than the limit allows is further than the limit (from its
// beginnings too).
quint64 bytesOf(std::string_view text);
int lacking(quint64 termBytes, quint64 wordBytes);
// The slips a term may have: none below 3 letters, one below 8, two from 8 letters on.
int allowedSlips(int letters);
} // namespace TypingDistance
