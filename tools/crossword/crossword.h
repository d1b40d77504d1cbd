#pragma once

// The crossword builder: reads a word bank and fills the game's 7 × 7 puzzle
// patterns with real crosswords. Standard library only, so it runs without Qt.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "store/counts.h"
#include "themes.h"

constexpr int kPlayedPatterns = kPlayablePatterns; // patterns 0 to 98
constexpr int kTitlePattern = kTitlePatternIndex;
constexpr int kMinWords = 6;
constexpr int kMaxWords = kWordSlots;
constexpr int kMaxUses = 3; // times one answer may appear across the whole set
constexpr int kNameFits = 6; // full-width characters that fill the record screens' 81-pixel name cell

// The script of an answer; a grid holds answers of one script only.
// ー belongs to either kana script.
enum class Script { Hiragana, Katakana, Letters, Mixed };
Script answerScript(std::u32string_view answer);
const char* scriptName(Script script);

struct BankEntry {
    std::u32string answer; // code points, so one kana is one character
    std::string answerText; // the answer as UTF-8
    std::string question;
    std::string tag;
    std::u32string written; // the usual written form: 消しゴム, 畳, 地下鉄
    int line = 0; // 1-based line in the bank file
    // Derived, for comparing across kana scripts.
    std::u32string kana;       // the answer, katakana folded to hiragana
    std::u32string plain;      // the same without voiced marks (see plainKana)
    std::u32string clue;       // the question as code points
    std::u32string foldedClue; // the question, katakana folded to hiragana
    std::u32string gloss;      // an English clue's opening word or two ("milk" of "Milk, from a cow"); see clueGloss
};

struct Bank {
    std::vector<BankEntry> entries;
    // Pairs no rule sees as naming each other that must not share a grid all
    // the same (うなぎ's 土用の丑の日 and うし), as indexes into entries.
    std::vector<std::pair<int, int>> keptApart;
};

// Fills in the derived fields from answer, clue and written.
void deriveEntry(BankEntry& entry);

// Every problem found in the bank text (answer, question, tag and written
// form on each line, tab-separated), each naming its line. An empty list
// means the bank is usable.
std::vector<std::string> parseBank(std::string_view text, Bank& bank);

// Reads the pairs kept apart (two answers, then why, tab-separated; lines
// starting with # are skipped) into bank.keptApart. Every problem names its
// line: a missing reason, an answer the bank lacks, a pair that is one answer.
std::vector<std::string> parseKeptApart(std::string_view text, Bank& bank);

// The tab-separated fields of one line of the bank or the theme file.
std::vector<std::string_view> splitTabs(std::string_view line);
// The lines of such a file that hold more than blanks, numbered from 1,
// without a byte-order mark or line ends.
struct TextLine {
    int number;
    std::string_view text;
};
std::vector<TextLine> textLines(std::string_view text);
bool decodeUtf8(std::string_view text, std::u32string& out);
std::string encodeUtf8(std::u32string_view text);

// A pattern name gives the entry away: it holds the answer in either kana
// script or its written form.
bool nameGivesAway(const std::string& name, const BankEntry& entry);
// The entry's question says the name again (春夏秋冬 in しき's question), so
// the title reads as part of the clue. A name of one character is too common
// a word to count.
bool nameInQuestion(const std::string& name, const BankEntry& entry);

struct WordSlot {
    int entry = 0; // index into Bank::entries
    int cell = 0;  // row * 7 + column of the first letter
    bool down = false;
};

struct Pattern {
    std::string name;
    std::vector<std::string> nameTags; // the tags the name stands for
    std::vector<WordSlot> words;       // in play order
};

struct BuildOptions {
    std::uint32_t seed = 1;
    // The last patterns draw on answers the others left; with more pairs kept
    // apart they need more tries to reach ten words.
    int attemptsPerPattern = 160;
    std::vector<Theme> themes; // named themes; every bank tag is a theme besides
    int patterns = kPlayedPatterns; // played patterns to make, at most
    int minWords = kMinWords;       // words of a pattern, at least
    NameFits nameFits = fitsNameCell;
    // A set of a player's own, when not empty: as many patterns as the bank
    // allows up to `patterns`, a pattern no theme covers half of named
    // "<setName> <number>", and no title pattern (the game's own stands in).
    std::string setName;
};

// Builds patterns 0 to 98 and the title pattern 99. No grid holds two entries
// that clash (see clashLists) or answers of two scripts, and each pattern is
// named after a theme that covers at least half of its words, each name once.
// Throws std::runtime_error when the bank cannot fill a pattern with at least
// minWords words under a theme. With a set name, stops instead at the first
// pattern the bank cannot fill, which may leave none.
std::vector<Pattern> buildPatterns(const Bank& bank, const BuildOptions& options);

// The name of a pattern a set of one's own gives no theme: the set's name and
// the pattern's number, the name shortened until both fit.
std::string ownSetPatternName(const std::string& setName, int pattern, const NameFits& fits);
// A theme's title for its n-th pattern (n from 2): the title with the number
// (after a space when the title ends in a letter), shortened until both fit.
std::string numberedName(const std::string& title, int n, const NameFits& fits);

// A seed as given on a command line: a number from 0 to 4294967295.
bool parseSeed(std::string_view text, std::uint32_t& seed);

// The game's word file: UTF-8 with CR LF line ends.
std::string formatWordFile(const Bank& bank, const std::vector<Pattern>& patterns);

struct BuildStats {
    int patterns = 0; // played patterns, the title not counted
    int minWords = 0;
    double meanWords = 0;
    int maxWords = 0;
    int distinctAnswers = 0; // in the played patterns
    int maxReuse = 0;        // over the whole set, title included
    double meanCoverage = 0; // letter cells / 49, averaged over played patterns
    double minNameCoverage = 0;  // share of a pattern's words its name's theme covers
    double meanNameCoverage = 0;
};

// Share of the pattern's words whose tag is one of its name's tags.
double nameCoverage(const Bank& bank, const Pattern& pattern);

BuildStats computeStats(const Bank& bank, const std::vector<Pattern>& patterns);
// The statistics for a person, one figure a line, then a line per pattern.
std::string statsReport(const Bank& bank, const std::vector<Pattern>& patterns);

// Every word's character per cell; 0 where the board is empty.
std::u32string patternBoard(const Bank& bank, const Pattern& pattern);

// Draws uniformly from [0, bound) using only raw mt19937 output, which the
// standard fixes, so every standard library gives the same patterns.
template <class Engine>
std::uint32_t drawBelow(Engine& engine, std::uint32_t bound)
{
    const std::uint32_t rejectBelow = (0u - bound) % bound; // 2^32 mod bound
    std::uint32_t value;
    do {
        value = static_cast<std::uint32_t>(engine());
    } while (value < rejectBelow);
    return value % bound;
}
