#include "clue_rules.h"

#include "crossword.h"

#include <algorithm>
#include <cstdint>
#include <map>

std::u32string foldKana(std::u32string_view text)
{
    std::u32string out(text);
    for (char32_t& c : out) {
        if (c >= U'ァ' && c <= U'ヶ') {
            c -= 0x60;
        } else if (c >= U'A' && c <= U'Z') {
            c += U'a' - U'A';
        }
    }
    return out;
}

std::u32string plainKana(std::u32string_view text)
{
    static const std::u32string kVoiced = U"がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽゔ";
    static const std::u32string kPlain = U"かきくけこさしすせそたちつてとはひふへほはひふへほう";
    std::u32string out = foldKana(text);
    for (char32_t& c : out) {
        if (const std::size_t at = kVoiced.find(c); at != std::u32string::npos) {
            c = kPlain[at];
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

bool isAsciiSpace(char32_t c)
{
    return c == U' ';
}

bool spacedWords(const std::u32string& clue)
{
    for (std::size_t i = 1; i + 1 < clue.size(); ++i) {
        if (isAsciiSpace(clue[i]) && !isAsciiSpace(clue[i - 1]) && !isAsciiSpace(clue[i + 1])) {
            return true;
        }
    }
    return false;
}

// Each word of a question written with spaces, as one number: FNV-1a, with
// the top bit set so that no word meets a character pair.
std::vector<std::uint64_t> words(const std::u32string& clue)
{
    std::vector<std::uint64_t> out;
    std::uint64_t hash = 0;
    bool inWord = false;
    for (std::size_t i = 0; i <= clue.size(); ++i) {
        const char32_t c = i < clue.size() ? clue[i] : U' ';
        const bool letter = c > 0x7F || (c >= U'a' && c <= U'z') || (c >= U'0' && c <= U'9') || c == U'\'';
        if (letter) {
            hash = inWord ? hash : 0xCBF29CE484222325ull;
            hash = (hash ^ static_cast<std::uint64_t>(c)) * 0x100000001B3ull;
            inWord = true;
        } else if (inWord) {
            out.push_back(hash | 1ull << 63);
            inWord = false;
        }
    }
    return out;
}

// Adjacent character pairs, each packed into one number, or the words of a
// question written with spaces; sorted and unique. A question of English
// shares pairs like "th" with any other, but a word only with its kind.
std::vector<std::uint64_t> bigrams(const std::u32string& clue)
{
    static const std::u32string kBreaks = U"、。「」『』・！？…（）○＝　 ";
    std::vector<std::uint64_t> out;
    if (spacedWords(clue)) {
        out = words(clue);
    } else {
        for (std::size_t i = 0; i + 1 < clue.size(); ++i) {
            if (kBreaks.find(clue[i]) == std::u32string::npos && kBreaks.find(clue[i + 1]) == std::u32string::npos) {
                out.push_back(static_cast<std::uint64_t>(clue[i]) << 32 | clue[i + 1]);
            }
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

bool isWordLetter(char32_t c)
{
    return (c >= U'a' && c <= U'z') || c == U'\'' || c == U'-';
}

// The words of `phrase` stand in `text` as whole words.
bool containsWords(std::u32string_view text, std::u32string_view phrase)
{
    for (std::size_t at = text.find(phrase); !phrase.empty() && at != std::u32string_view::npos;
         at = text.find(phrase, at + 1)) {
        const std::size_t end = at + phrase.size();
        if ((at == 0 || !isWordLetter(text[at - 1])) && (end == text.size() || !isWordLetter(text[end]))) {
            return true;
        }
    }
    return false;
}

// One clue gives the other entry away.
bool holdsAnswerOf(const BankEntry& clueOwner, const BankEntry& other)
{
    return contains(clueOwner.foldedClue, other.kana) || contains(clueOwner.clue, other.written)
        || containsWords(clueOwner.foldedClue, other.gloss);
}

} // namespace

std::u32string clueGloss(std::u32string_view foldedClue)
{
    std::u32string_view head = foldedClue.substr(0, foldedClue.find_first_of(U",;("));
    while (!head.empty() && head.back() == U' ') {
        head.remove_suffix(1);
    }
    for (const std::u32string_view article : {U"a ", U"an ", U"the "}) {
        if (head.substr(0, article.size()) == article) {
            head.remove_prefix(article.size());
        }
    }
    const bool letters = !head.empty() && std::all_of(head.begin(), head.end(), [](char32_t c) {
        return isWordLetter(c) || c == U' ';
    });
    if (!letters || std::count(head.begin(), head.end(), U' ') > 2) {
        return {};
    }
    return std::u32string(head);
}

std::vector<std::string> answerGiveaways(const BankEntry& entry)
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
    return problems;
}

std::vector<std::string> clueProblems(const BankEntry& entry)
{
    std::vector<std::string> problems = answerGiveaways(entry);
    const std::u32string& question = entry.clue;
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
    if (holdsAnswerOf(a, b) || holdsAnswerOf(b, a) || writtenFormsOverlap(a, b)) {
        return true;
    }
    const BankEntry& shorter = a.plain.size() <= b.plain.size() ? a : b;
    const BankEntry& longer = &shorter == &a ? b : a;
    // Even two kana: ゆき beside はつゆき hands the player half of the longer
    // word, and ばち in みつばち is still はち.
    return contains(longer.plain, shorter.plain);
}

std::u32string_view leadingKanji(std::u32string_view text)
{
    std::size_t end = 0;
    while (end < text.size() && isKanji(text[end])) {
        ++end;
    }
    return text.substr(0, end);
}

bool isKatakanaLetter(char32_t c)
{
    return (c >= U'ァ' && c <= U'ヺ') || c == U'ー';
}

bool isHiragana(char32_t c)
{
    return c >= U'ぁ' && c <= U'ゖ';
}

} // namespace

bool writtenFormsOverlap(const BankEntry& a, const BankEntry& b)
{
    const std::u32string_view leadA = leadingKanji(a.written);
    if (!leadA.empty() && leadA == leadingKanji(b.written)) {
        return true;
    }
    const BankEntry& shorter = a.written.size() <= b.written.size() ? a : b;
    const BankEntry& longer = &shorter == &a ? b : a;
    return leadingKanji(shorter.written).size() == shorter.written.size() && contains(longer.written, shorter.written);
}

std::vector<std::u32string> cluePhrases(std::u32string_view clue)
{
    std::vector<std::u32string> phrases;
    for (std::size_t i = 0; i < clue.size();) {
        std::size_t end = i;
        if (isKanji(clue[i])) {
            while (end < clue.size() && isKanji(clue[end])) {
                ++end;
            }
            for (std::size_t from = i; from + 1 < end; ++from) {
                for (std::size_t to = from + 2; to <= end; ++to) {
                    phrases.emplace_back(clue.substr(from, to - from));
                }
            }
        } else if (isKatakanaLetter(clue[i])) {
            while (end < clue.size() && isKatakanaLetter(clue[end])) {
                ++end;
            }
            // Whole words only: ショート and チョコレート share ート by chance.
            if (end - i >= 2) {
                phrases.emplace_back(clue.substr(i, end - i));
            }
        } else {
            ++end;
        }
        i = end;
    }
    for (std::size_t i = 0; i + 2 < clue.size(); ++i) {
        if (isKanji(clue[i]) && isHiragana(clue[i + 1]) && isKanji(clue[i + 2])) {
            phrases.emplace_back(clue.substr(i, 3));
        }
    }
    std::sort(phrases.begin(), phrases.end());
    phrases.erase(std::unique(phrases.begin(), phrases.end()), phrases.end());
    return phrases;
}

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
    std::map<std::u32string, std::vector<int>> usersOf; // phrase -> questions that use it
    std::vector<std::vector<int>> named(count);         // bank words of three kana or more a question names
    for (int e = 0; e < count; ++e) {
        const BankEntry& entry = bank.entries[e];
        grams[e] = bigrams(entry.foldedClue);
        for (const std::u32string& phrase : cluePhrases(entry.clue)) {
            usersOf[phrase].push_back(e);
        }
        for (int w = 0; w < count; ++w) {
            if (w != e && bank.entries[w].kana.size() >= 3 && contains(entry.foldedClue, bank.entries[w].kana)) {
                named[e].push_back(w);
            }
        }
    }
    std::vector<std::vector<bool>> clash(count, std::vector<bool>(count, false));
    const auto mark = [&](int a, int b) {
        if (a != b) {
            clash[a][b] = clash[b][a] = true;
        }
    };
    for (int a = 0; a < count; ++a) {
        for (int b = a + 1; b < count; ++b) {
            if (givesAway(bank.entries[a], bank.entries[b]) || dice(grams[a], grams[b]) >= kNearCopy) {
                mark(a, b);
            }
        }
    }
    for (const auto& [phrase, users] : usersOf) {
        if (users.size() <= static_cast<std::size_t>(kRarePhraseUses)) {
            for (std::size_t i = 0; i < users.size(); ++i) {
                for (std::size_t j = i + 1; j < users.size(); ++j) {
                    mark(users[i], users[j]);
                }
            }
        }
    }
    for (int e = 0; e < count; ++e) {
        for (const int word : named[e]) {
            const std::u32string& inner = bank.entries[word].plain;
            for (int other = 0; other < count; ++other) {
                if (other != word && contains(bank.entries[other].plain, inner)) {
                    mark(e, other);
                }
            }
        }
    }
    // Two written forms built on the same word of the bank: 歩道 in 歩道橋 and 横断歩道.
    for (const BankEntry& word : bank.entries) {
        if (word.written.size() < 2 || leadingKanji(word.written).size() != word.written.size()) {
            continue;
        }
        std::vector<int> builtOn;
        for (int e = 0; e < count; ++e) {
            if (contains(bank.entries[e].written, word.written)) {
                builtOn.push_back(e);
            }
        }
        for (std::size_t i = 0; i < builtOn.size(); ++i) {
            for (std::size_t j = i + 1; j < builtOn.size(); ++j) {
                mark(builtOn[i], builtOn[j]);
            }
        }
    }
    for (const auto& [a, b] : bank.keptApart) {
        mark(a, b);
    }
    std::vector<std::vector<int>> clashes(count);
    for (int a = 0; a < count; ++a) {
        for (int b = 0; b < count; ++b) {
            if (clash[a][b]) {
                clashes[a].push_back(b);
            }
        }
    }
    return clashes;
}
