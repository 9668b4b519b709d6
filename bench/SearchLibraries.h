#pragma once

// Libraries for the search figures: the shipped one, and generated ones shaped like it
// (titles of a verb and what it works on, a sentence or two of description, templates of
// 1 to 3 KB with placeholders, two categories and a tag or two each, British spelling).
class ModelContext;

namespace SearchLibraries {
// The shipped library, loaded once into the program's in-memory store.
ModelContext &shipped();
// A generated library of this many prompts, made once per size.
ModelContext &generated(int prompts);
// Typing "summarize meeting notes" letter by letter: most keystrokes find close matches only.
const char *typed();
} // namespace SearchLibraries
