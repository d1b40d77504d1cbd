#include "clue_rules.h"

#include "crossword.h"

#include <algorithm>
#include <cstdint>

std::u32string foldKana(std::u32string_view text)
{
    std::u32string out(text);
    for (char32_t& c : out) {
        if (c >= U'ァ' && c <= U'ヶ') {
            c -= 0x60;
        }
    }
    return out;
}

bool isKanji(char32_t c)
{
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0xF900 && c <= 0xFAFF)
        || (c >= 0x20000 && c <= 0x2FFFF) || c == U'々';
}

namespace {

bool contains(std::u32string_view haystack, std::u32string_view needle)
{
    return !needle.empty() && haystack.find(needle) != std::u32string_view::npos;
}

// Adjacent character pairs, each packed into one number, sorted and unique.
std::vector<std::uint64_t> bigrams(const std::u32string& clue)
{
    static const std::u32string kBreaks = U"、。「」『』・！？…（）○＝　 ";
    std::vector<std::uint64_t> out;
    for (std::size_t i = 0; i + 1 < clue.size(); ++i) {
        if (kBreaks.find(clue[i]) == std::u32string::npos && kBreaks.find(clue[i + 1]) == std::u32string::npos) {
            out.push_back(static_cast<std::uint64_t>(clue[i]) << 32 | clue[i + 1]);
        }
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

double dice(const std::vector<std::uint64_t>& first, const std::vector<std::uint64_t>& second)
{
    if (first.empty() || second.empty()) {
        return 0;
    }
    std::size_t common = 0;
    for (auto i = first.begin(), j = second.begin(); i != first.end() && j != second.end();) {
        if (*i < *j) {
            ++i;
        } else if (*j < *i) {
            ++j;
        } else {
            ++common;
            ++i;
            ++j;
        }
    }
    return 2.0 * static_cast<double>(common) / static_cast<double>(first.size() + second.size());
}

// One clue gives the other entry away.
bool holdsAnswerOf(const BankEntry& clueOwner, const BankEntry& other)
{
    return contains(clueOwner.foldedClue, other.kana) || contains(clueOwner.clue, other.written);
}

} // namespace

std::vector<std::string> clueProblems(const BankEntry& entry)
{
    std::vector<std::string> problems;
    const std::u32string& question = entry.clue;
    if (contains(entry.foldedClue, entry.kana)) {
        problems.push_back("the question holds its own answer \"" + entry.answerText + "\"");
    }
    if (entry.written != entry.answer && contains(question, entry.written)) {
        problems.push_back("the question holds the written form \"" + encodeUtf8(entry.written) + "\"");
    }
    std::u32string shared;
    for (const char32_t c : entry.written) {
        if (isKanji(c) && question.find(c) != std::u32string::npos && shared.find(c) == std::u32string::npos) {
            shared.push_back(c);
        }
    }
    if (!shared.empty() && !contains(question, entry.written)) {
        problems.push_back("the question holds \"" + encodeUtf8(shared) + "\" from the written form \""
                           + encodeUtf8(entry.written) + "\"");
    }
    if (!question.empty() && question.back() == U'。') {
        problems.push_back("the question ends with 「。」; no question does");
    }
    if (std::any_of(question.begin(), question.end(), [](char32_t c) { return c >= U'0' && c <= U'9'; })) {
        problems.push_back("the question has a half-width digit; write numbers in kanji");
    }
    return problems;
}

namespace {

// Everything but the clue overlap, which the callers measure.
bool givesAway(const BankEntry& a, const BankEntry& b)
{
    if (holdsAnswerOf(a, b) || holdsAnswerOf(b, a)) {
        return true;
    }
    const BankEntry& shorter = a.kana.size() <= b.kana.size() ? a : b;
    const BankEntry& longer = &shorter == &a ? b : a;
    // Even two kana: ゆき beside はつゆき hands the player half of the longer word.
    return contains(longer.kana, shorter.kana);
}

} // namespace

double clueSimilarity(const BankEntry& a, const BankEntry& b)
{
    return dice(bigrams(a.foldedClue), bigrams(b.foldedClue));
}

bool entriesClash(const BankEntry& a, const BankEntry& b)
{
    return givesAway(a, b) || clueSimilarity(a, b) >= kNearCopy;
}

std::vector<std::vector<int>> clashLists(const Bank& bank)
{
    const int count = static_cast<int>(bank.entries.size());
    std::vector<std::vector<std::uint64_t>> grams(count);
    for (int e = 0; e < count; ++e) {
        grams[e] = bigrams(bank.entries[e].foldedClue);
    }
    std::vector<std::vector<int>> clashes(count);
    for (int a = 0; a < count; ++a) {
        for (int b = a + 1; b < count; ++b) {
            if (givesAway(bank.entries[a], bank.entries[b]) || dice(grams[a], grams[b]) >= kNearCopy) {
                clashes[a].push_back(b);
                clashes[b].push_back(a);
            }
        }
    }
    return clashes;
}
