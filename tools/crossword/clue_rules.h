#pragma once

// What a clue may and may not say: it must not give its own answer away, and
// two entries whose clues give each other away must not share a grid.

#include <string>
#include <vector>

struct Bank;
struct BankEntry;

// Katakana folded to hiragana, so that ネコ and ねこ compare equal.
std::u32string foldKana(std::u32string_view text);

bool isKanji(char32_t c);

// Every way the entry's question gives its answer away or breaks the clue
// style: its answer in either kana script, its written form, any kanji of the
// written form, a closing 「。」 or a half-width digit. Empty when it is fair.
std::vector<std::string> clueProblems(const BankEntry& entry);

// Bigram overlap of two questions, 0 to 1 (Dice coefficient over the sets of
// adjacent character pairs, punctuation and ○ left out, kana folded).
double clueSimilarity(const BankEntry& a, const BankEntry& b);

// Clues at or above this overlap read as copies of each other (年上の男の
// きょうだい / 年上の女のきょうだい score 0.78; unrelated clues stay below 0.5).
constexpr double kNearCopy = 0.5;

// True when the two entries must not share a grid: one question holds the
// other's answer (in kana) or written form, the questions are near copies, or
// one answer lies inside the other, compared across kana scripts (ゆき /
// はつゆき, いろ / ギンイロ, メロン / マスクメロン).
bool entriesClash(const BankEntry& a, const BankEntry& b);

// For each entry, the entries it clashes with.
std::vector<std::vector<int>> clashLists(const Bank& bank);
