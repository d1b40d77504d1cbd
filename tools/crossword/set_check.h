#pragma once

// Checks a written puzzle set against the bank and themes, apart from the
// builder that made it: a hand edit or a builder fault shows up here.

#include "crossword.h"

#include <string>
#include <string_view>
#include <vector>

struct SetRules {
    int minWords = kMinWords; // words of a pattern, at least
    NameFits nameFits = fitsNameCell;
    // A set of one's own, when not empty: patterns 0 to n - 1 for any n up to
    // 99, and those no theme names carry the names buildPatterns gives them.
    std::string setName;
};

// Every way the word file (the builder's output format) breaks a rule of its
// played patterns: a pattern missing or with too few words, an answer or
// question the bank lacks, an answer used more than three times, two
// entries of one grid that clash (see clashLists) or are of two scripts, a
// name that no listed or tag theme gives, whose own tags cover fewer than half
// of the grid's words, that holds one of its answers or that one of its
// questions says again, that does not fit, and a name used twice. Numbered
// names (音楽2) stand for the theme they number. Empty when the set keeps
// every rule.
std::vector<std::string> wordFileProblems(const Bank& bank, const std::vector<Theme>& listedThemes, std::string_view text,
                                          const SetRules& rules = {});
