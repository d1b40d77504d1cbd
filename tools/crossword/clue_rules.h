#pragma once

// What a clue may and may not say: it must not give its own answer away, and
// two entries whose clues give each other away must not share a grid.

#include <string>
#include <vector>

struct Bank;
struct BankEntry;

// Katakana folded to hiragana and ASCII capitals to small letters, so that
// ネコ and ねこ, DNA and dna compare equal.
std::u32string foldKana(std::u32string_view text);

// Folded, and voiced kana read without their marks (が as か, ぱ as は), so
// that a word and its compound form compare equal: はち / みつばち.
std::u32string plainKana(std::u32string_view text);

bool isKanji(char32_t c);

// Every way the entry's question gives its answer away: its answer in either
// kana script (letters in either case), its written form, any kanji of the
// written form. Empty when it is fair.
std::vector<std::string> answerGiveaways(const BankEntry& entry);

// The giveaways and the style of the shipped bank's clues: no closing 「。」,
// no half-width digit.
std::vector<std::string> clueProblems(const BankEntry& entry);

// What an English clue opens with when that is the answer's meaning, in
// small letters without an article: "milk" of "Milk, as in coffee", "egg" of
// "An egg, often laid by a chicken". Up to the first , ; or (, three words at
// most, letters only; else empty. Another clue of the grid that says it
// (a cow "gives milk") points at the answer.
std::u32string clueGloss(std::u32string_view foldedClue);

// Overlap of two questions, 0 to 1: the Dice coefficient over the sets of
// adjacent character pairs (punctuation and ○ left out, kana folded), or, for
// a question with spaces between its words, over the sets of its words.
double clueSimilarity(const BankEntry& a, const BankEntry& b);

// Clues at or above this overlap read as copies of each other (年上の男の
// きょうだい / 年上の女のきょうだい score 0.78; unrelated clues stay below 0.5).
constexpr double kNearCopy = 0.5;

// The written forms name each other: one, all kanji, lies inside the other
// (月 / 満月), or both begin with the same kanji (怒る / 怒り, 秋 / 秋の七草).
bool writtenFormsOverlap(const BankEntry& a, const BankEntry& b);

// True when the two entries must not share a grid: one question holds the
// other's answer (in kana), written form or gloss, the questions are near copies,
// the written forms overlap, or one answer lies inside the other, compared
// across kana scripts and without voiced marks (ゆき / はつゆき, いろ /
// ギンイロ, すし / いなりずし).
bool entriesClash(const BankEntry& a, const BankEntry& b);

// The phrases of a question that can mark it as a copy of another: every run
// of two or more kanji inside a longer one (和菓子 gives 和菓, 菓子, 和菓子),
// each whole katakana word of two or more, and kanji, one hiragana, kanji
// (赤い実, 年に一).
std::vector<std::u32string> cluePhrases(std::u32string_view clue);

// A phrase at most this many questions of the bank use is their own: two
// questions sharing it say the same thing (封筒 in 切手 and 手紙). More common
// ones (日本, 道具, 有名) say nothing about either.
constexpr int kRarePhraseUses = 4;

// For each entry, the entries it clashes with, sorted: entriesClash, and the
// rules that need the whole bank: two questions share a rare phrase, one
// question names a bank word that lies inside the other answer (かんきつるい's
// みかん in なつみかん), both written forms hold the same word of two kanji or
// more (歩道 in 歩道橋 and 横断歩道), or the bank keeps the two apart by hand.
std::vector<std::vector<int>> clashLists(const Bank& bank);
