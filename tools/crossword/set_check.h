#pragma once

// Checks a written puzzle set against the bank and themes, apart from the
// builder that made it: a hand edit or a builder fault shows up here.

#include <string>
#include <string_view>
#include <vector>

struct Bank;
struct Theme;

// Every way the word file (the builder's output format) breaks a rule of its
// played patterns: an answer or question the bank lacks, two entries of one
// grid that clash (see clashLists), a name that no listed or tag theme
// gives, whose own tags cover fewer than half of the grid's words, that
// holds one of its answers or that one of its questions says again, and a
// name used twice. Numbered names (音楽2)
// stand for the theme they number. Empty when the set keeps every rule.
std::vector<std::string> wordFileProblems(const Bank& bank, const std::vector<Theme>& listedThemes, std::string_view text);
