#include "crossword.h"

#include "clue_rules.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <map>
#include <random>
#include <set>
#include <stdexcept>

// ---------------------------------------------------------------- text

bool decodeUtf8(std::string_view text, std::u32string& out)
{
    out.clear();
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int extra = 0;
        char32_t code = 0;
        if (lead < 0x80) {
            code = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            code = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            code = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (i + extra >= text.size()) {
            return false;
        }
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            code = (code << 6) | (next & 0x3F);
        }
        // Overlong forms and surrogates would let two spellings of one kana differ.
        static constexpr char32_t kMinForLength[] = {0, 0x80, 0x800, 0x10000};
        if (code < kMinForLength[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        out.push_back(code);
        i += extra + 1;
    }
    return true;
}

std::string encodeUtf8(std::u32string_view text)
{
    std::string out;
    for (const char32_t code : text) {
        if (code < 0x80) {
            out.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (code >> 6)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (code >> 12)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (code >> 18)));
            out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return out;
}

namespace {

bool isKana(char32_t c)
{
    return (c >= 0x3041 && c <= 0x3096) || c == 0x309D || c == 0x309E || (c >= 0x30A1 && c <= 0x30FA)
        || (c >= 0x30FC && c <= 0x30FE);
}

bool isKatakanaWord(std::u32string_view answer)
{
    return std::all_of(answer.begin(), answer.end(), [](char32_t c) { return c >= 0x30A1 && c <= 0x30FE; });
}

std::size_t codePoints(std::string_view text)
{
    std::size_t count = 0;
    for (const char c : text) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }
    return count;
}


} // namespace

std::vector<std::string_view> splitTabs(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos) {
            return fields;
        }
        start = tab + 1;
    }
}

std::vector<TextLine> textLines(std::string_view text)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    std::vector<TextLine> lines;
    int number = 0;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.find_first_not_of(" \t") != std::string_view::npos) {
            lines.push_back({number, line});
        }
    }
    return lines;
}

// ---------------------------------------------------------------- bank

bool fitsNameCell(const std::string& name)
{
    return codePoints(name) <= static_cast<std::size_t>(kNameFits);
}

Script answerScript(std::u32string_view answer)
{
    bool hiragana = false;
    bool katakana = false;
    bool letters = false;
    for (const char32_t c : answer) {
        hiragana = hiragana || (c >= U'ぁ' && c <= U'ゞ');
        katakana = katakana || (c >= U'ァ' && c <= U'ヾ' && c != U'ー');
        letters = letters || (c < 0x80);
    }
    if (hiragana + katakana + letters > 1) {
        return Script::Mixed;
    }
    return hiragana ? Script::Hiragana : letters ? Script::Letters : Script::Katakana;
}

const char* scriptName(Script script)
{
    switch (script) {
    case Script::Hiragana:
        return "hiragana";
    case Script::Katakana:
        return "katakana";
    case Script::Letters:
        return "letters";
    case Script::Mixed:
        break;
    }
    return "mixed scripts";
}

void deriveEntry(BankEntry& entry)
{
    entry.kana = foldKana(entry.answer);
    entry.plain = plainKana(entry.answer);
    entry.foldedClue = foldKana(entry.clue);
    entry.gloss = clueGloss(entry.foldedClue);
}

bool parseSeed(std::string_view text, std::uint32_t& seed)
{
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string_view::npos) {
        return false;
    }
    const unsigned long long value = std::stoull(std::string(text));
    seed = static_cast<std::uint32_t>(value);
    return value <= 0xFFFFFFFFull;
}

std::vector<std::string> parseBank(std::string_view text, Bank& bank)
{
    std::vector<std::string> errors;
    bank.entries.clear();
    std::map<std::u32string, std::vector<int>> linesOfAnswer;
    for (const auto& [lineNumber, line] : textLines(text)) {
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        const std::vector<std::string_view> fields = splitTabs(line);
        if (fields.size() != 4) {
            errors.push_back(where + "expected 4 tab-separated fields (answer, question, tag, written form), found "
                             + std::to_string(fields.size()));
            continue;
        }
        BankEntry entry;
        entry.answerText = std::string(fields[0]);
        entry.question = std::string(fields[1]);
        entry.tag = std::string(fields[2]);
        entry.line = lineNumber;
        std::u32string scratch;
        if (!decodeUtf8(line, scratch)) {
            errors.push_back(where + "not valid UTF-8");
            continue;
        }
        decodeUtf8(fields[0], entry.answer);
        decodeUtf8(fields[1], entry.clue);
        decodeUtf8(fields[3], entry.written);
        if (line.find('"') != std::string_view::npos) {
            errors.push_back(where + "contains a double quote, which the word file cannot hold");
            continue;
        }
        if (entry.question.empty() || entry.tag.empty() || entry.written.empty()) {
            errors.push_back(where + "empty question, tag or written form");
            continue;
        }
        if (entry.answer.size() < 2 || entry.answer.size() > kBoardSide) {
            errors.push_back(where + "answer \"" + entry.answerText + "\" has " + std::to_string(entry.answer.size())
                             + " characters; 2 to 7 are allowed");
            continue;
        }
        if (!std::all_of(entry.answer.begin(), entry.answer.end(), isKana)) {
            errors.push_back(where + "answer \"" + entry.answerText + "\" is not all kana");
            continue;
        }
        deriveEntry(entry);
        const std::vector<std::string> unfair = clueProblems(entry);
        for (const std::string& problem : unfair) {
            errors.push_back(where + problem);
        }
        if (!unfair.empty()) {
            continue;
        }
        linesOfAnswer[entry.answer].push_back(lineNumber);
        bank.entries.push_back(std::move(entry));
    }
    for (const auto& [answer, lines] : linesOfAnswer) {
        if (lines.size() > 1) {
            std::string message = "duplicated answer \"" + encodeUtf8(answer) + "\" on lines";
            for (const int line : lines) {
                message += " " + std::to_string(line);
            }
            errors.push_back(message);
        }
    }
    return errors;
}

bool nameGivesAway(const std::string& name, const BankEntry& entry)
{
    std::u32string text;
    decodeUtf8(name, text);
    return foldKana(text).find(entry.kana) != std::u32string::npos || text.find(entry.written) != std::u32string::npos;
}

bool nameInQuestion(const std::string& name, const BankEntry& entry)
{
    std::u32string text;
    decodeUtf8(name, text);
    return text.size() >= 2 && entry.foldedClue.find(foldKana(text)) != std::u32string::npos;
}

std::vector<std::string> parseKeptApart(std::string_view text, Bank& bank)
{
    std::vector<std::string> errors;
    bank.keptApart.clear();
    std::map<std::string, int> entryOf;
    for (int e = 0; e < static_cast<int>(bank.entries.size()); ++e) {
        entryOf[bank.entries[e].answerText] = e;
    }
    for (const auto& [lineNumber, line] : textLines(text)) {
        if (line.front() == '#') {
            continue;
        }
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        const std::vector<std::string_view> fields = splitTabs(line);
        if (fields.size() != 3 || fields[2].empty()) {
            errors.push_back(where + "expected two answers and why they are kept apart, tab-separated");
            continue;
        }
        std::array<int, 2> pair{-1, -1};
        for (int k = 0; k < 2; ++k) {
            const auto found = entryOf.find(std::string(fields[k]));
            if (found == entryOf.end()) {
                errors.push_back(where + "the answer \"" + std::string(fields[k]) + "\" is not in the bank");
            } else {
                pair[k] = found->second;
            }
        }
        if (pair[0] >= 0 && pair[0] == pair[1]) {
            errors.push_back(where + "an answer kept apart from itself");
        } else if (pair[0] >= 0 && pair[1] >= 0) {
            bank.keptApart.emplace_back(pair[0], pair[1]);
        }
    }
    return errors;
}

// ---------------------------------------------------------------- filling

namespace {

struct Placement {
    int entry;
    int cell;
    bool down;
    int crossings;
};

class Board {
public:
    char32_t at(int cell) const { return letter_[cell]; }
    int letters() const { return letters_; }
    const std::vector<WordSlot>& words() const { return words_; }

    // The crossings a word would make, or -1 when it cannot go there: it must
    // agree with the letters it crosses, must not run into another letter end
    // on, and each new letter must have empty cells on both sides so that no
    // run appears that is not a word.
    int crossingsFor(const std::u32string& answer, int cell, bool down) const
    {
        const int length = static_cast<int>(answer.size());
        const int row = cell / kBoardSide;
        const int column = cell % kBoardSide;
        const int along = down ? row : column;
        const int side = down ? column : row;
        const int step = down ? kBoardSide : 1;
        const int sideStep = down ? 1 : kBoardSide;
        if (along < 0 || along + length > kBoardSide) {
            return -1;
        }
        if ((along > 0 && letter_[cell - step]) || (along + length < kBoardSide && letter_[cell + length * step])) {
            return -1;
        }
        int crossings = 0;
        for (int i = 0; i < length; ++i) {
            const int x = cell + i * step;
            if (letter_[x]) {
                if (letter_[x] != answer[i] || covered_[down][x]) {
                    return -1;
                }
                ++crossings;
            } else if ((side > 0 && letter_[x - sideStep]) || (side < kBoardSide - 1 && letter_[x + sideStep])) {
                return -1;
            }
        }
        return crossings;
    }

    void place(const std::u32string& answer, int entry, int cell, bool down)
    {
        const int step = down ? kBoardSide : 1;
        for (std::size_t i = 0; i < answer.size(); ++i) {
            const int x = cell + static_cast<int>(i) * step;
            letters_ += letter_[x] == 0;
            letter_[x] = answer[i];
            covered_[down][x] = true;
        }
        words_.push_back({entry, cell, down});
    }

private:
    std::array<char32_t, kBoardCells> letter_{};
    std::array<std::array<bool, kBoardCells>, 2> covered_{}; // [down][cell]: a word already runs there
    int letters_ = 0;
    std::vector<WordSlot> words_;
};

struct Occurrence {
    int entry;
    int position;
};

// A theme as the filler uses it: which entries it covers.
struct ThemeTarget {
    std::vector<bool> covers; // per bank entry
    std::vector<int> members; // entries it covers
};

class Filler {
public:
    Filler(const Bank& bank, std::uint32_t seed)
        : bank_(bank), rng_(seed), uses_(bank.entries.size(), 0), inPattern_(bank.entries.size(), false),
          blocked_(bank.entries.size(), 0), clashes_(clashLists(bank))
    {
        for (int e = 0; e < static_cast<int>(bank.entries.size()); ++e) {
            scripts_.push_back(answerScript(bank.entries[e].answer));
            const std::u32string& answer = bank.entries[e].answer;
            for (int k = 0; k < static_cast<int>(answer.size()); ++k) {
                byLetter_[answer[k]].push_back({e, k});
            }
        }
    }

    std::vector<int>& uses() { return uses_; }

    // One randomized greedy fill from a fresh seed word, leaning to the theme.
    Board fillOnce(const ThemeTarget& theme)
    {
        Board board;
        const int seedEntry = drawSeedEntry(theme);
        if (seedEntry < 0) {
            return board;
        }
        const std::u32string& seedAnswer = bank_.entries[seedEntry].answer;
        const bool down = draw(2) == 1;
        const int along = static_cast<int>(draw(kBoardSide - static_cast<int>(seedAnswer.size()) + 1));
        const int side = static_cast<int>(draw(kBoardSide));
        const int cell = down ? along * kBoardSide + side : side * kBoardSide + along;
        place(board, seedEntry, cell, down);
        script_ = scripts_[seedEntry];

        std::vector<Placement> candidates;
        while (static_cast<int>(board.words().size()) < kMaxWords) {
            collectPlacements(board, candidates);
            if (candidates.empty()) {
                break;
            }
            const Placement* best = nullptr;
            int bestScore = 0;
            for (const Placement& p : candidates) {
                const int score = placementScore(p, theme);
                if (!best || score > bestScore) {
                    best = &p;
                    bestScore = score;
                }
            }
            place(board, best->entry, best->cell, best->down);
        }
        for (const WordSlot& w : board.words()) {
            inPattern_[w.entry] = false;
            for (const int other : clashes_[w.entry]) {
                --blocked_[other];
            }
        }
        return board;
    }

    std::uint32_t draw(std::uint32_t bound) { return drawBelow(rng_, bound); }

private:
    void place(Board& board, int entry, int cell, bool down)
    {
        board.place(bank_.entries[entry].answer, entry, cell, down);
        inPattern_[entry] = true;
        for (const int other : clashes_[entry]) {
            ++blocked_[other];
        }
    }

    // The least used of a few theme words, so that the set spreads over the bank.
    int drawSeedEntry(const ThemeTarget& theme)
    {
        const std::vector<int>& pool = theme.members;
        int best = -1;
        for (int tries = 0; tries < 8 && !pool.empty(); ++tries) {
            const int e = pool[draw(static_cast<std::uint32_t>(pool.size()))];
            if (uses_[e] < kMaxUses && (best < 0 || uses_[e] < uses_[best])) {
                best = e;
            }
        }
        if (best < 0) {
            for (int e = 0; e < static_cast<int>(uses_.size()); ++e) {
                if (uses_[e] < kMaxUses) {
                    return e;
                }
            }
        }
        return best;
    }

    void collectPlacements(const Board& board, std::vector<Placement>& out)
    {
        out.clear();
        for (int x = 0; x < kBoardCells; ++x) {
            const char32_t letter = board.at(x);
            if (!letter) {
                continue;
            }
            const auto found = byLetter_.find(letter);
            if (found == byLetter_.end()) {
                continue;
            }
            for (const bool down : {false, true}) {
                const int step = down ? kBoardSide : 1;
                const int along = down ? x / kBoardSide : x % kBoardSide;
                for (const Occurrence& o : found->second) {
                    if (inPattern_[o.entry] || blocked_[o.entry] > 0 || uses_[o.entry] >= kMaxUses || o.position > along
                        || scripts_[o.entry] != script_) {
                        continue;
                    }
                    const std::u32string& answer = bank_.entries[o.entry].answer;
                    if (along - o.position + static_cast<int>(answer.size()) > kBoardSide) {
                        continue;
                    }
                    const int cell = x - o.position * step;
                    // Count each placement once: from its first crossing only.
                    bool earlierCrossing = false;
                    for (int j = 0; j < o.position && !earlierCrossing; ++j) {
                        earlierCrossing = board.at(cell + j * step) != 0;
                    }
                    if (earlierCrossing) {
                        continue;
                    }
                    const int crossings = board.crossingsFor(answer, cell, down);
                    if (crossings > 0) {
                        out.push_back({o.entry, cell, down, crossings});
                    }
                }
            }
        }
    }

    int placementScore(const Placement& p, const ThemeTarget& theme)
    {
        // The noise stays below each bonus, so a fresh answer always beats a
        // repeat, and a theme word beats an off-theme one even with a crossing less.
        int score = static_cast<int>(draw(100));
        score -= 150 * uses_[p.entry];
        score += 40 * (p.crossings - 1);
        if (theme.covers[p.entry]) {
            score += 200;
        }
        return score;
    }

    const Bank& bank_;
    std::mt19937 rng_;
    std::map<char32_t, std::vector<Occurrence>> byLetter_;
    std::vector<int> uses_;
    std::vector<bool> inPattern_;
    std::vector<int> blocked_; // entries on the board that clash with this one
    std::vector<std::vector<int>> clashes_;
    std::vector<Script> scripts_; // per entry
    Script script_ = Script::Hiragana; // of the board being filled: its first word's
};

ThemeTarget targetFor(const Bank& bank, const Theme& theme)
{
    ThemeTarget target;
    target.covers.assign(bank.entries.size(), false);
    const std::vector<std::string>& tags = theme.tags;
    for (int e = 0; e < static_cast<int>(bank.entries.size()); ++e) {
        if (std::find(tags.begin(), tags.end(), bank.entries[e].tag) != tags.end()) {
            target.covers[e] = true;
            target.members.push_back(e);
        }
    }
    return target;
}

// The name is on screen while the player looks for the answers, so it must
// not hold one of them, in either kana script or written form, nor be said
// again by one of their questions.
bool titleGivesAway(const Bank& bank, const std::string& title, const Board& board)
{
    return std::any_of(board.words().begin(), board.words().end(), [&](const WordSlot& w) {
        return nameGivesAway(title, bank.entries[w.entry]) || nameInQuestion(title, bank.entries[w.entry]);
    });
}

struct Attempt {
    Board board;
    int theme = -1;
    bool named = false; // the theme covers half the words and the title gives nothing away
    bool freshName = false;
    long long quality = -1;
};

// Higher is better: a usable name first, then more words (a name not yet
// taken counts as six words more), then fresh answers, theme words and
// letters on the board.
long long attemptQuality(const Attempt& attempt, const ThemeTarget& theme, const std::vector<int>& uses)
{
    long long reused = 0;
    int covered = 0;
    for (const WordSlot& w : attempt.board.words()) {
        reused += uses[w.entry];
        covered += theme.covers[w.entry];
    }
    const long long words = static_cast<long long>(attempt.board.words().size()) + (attempt.freshName ? 6 : 0);
    return (attempt.named ? 1'000'000'000LL : 0) + words * 10000 - reused * 100 + covered * 200 + attempt.board.letters();
}

int coveredWords(const Board& board, const ThemeTarget& theme)
{
    return static_cast<int>(std::count_if(board.words().begin(), board.words().end(),
                                          [&](const WordSlot& w) { return theme.covers[w.entry]; }));
}

// Takes off-theme words that cross only one other word, last placed first,
// until the theme covers half the board or no such word is left. A word with
// one crossing leaves no stray letters and no loose word behind.
Board trimToTheme(const Bank& bank, Board board, const ThemeTarget& theme, int minWords)
{
    while (2 * coveredWords(board, theme) < static_cast<int>(board.words().size())
           && static_cast<int>(board.words().size()) > minWords) {
        const std::vector<WordSlot>& words = board.words();
        std::array<int, kBoardCells> owners{};
        for (const WordSlot& w : words) {
            for (std::size_t i = 0; i < bank.entries[w.entry].answer.size(); ++i) {
                ++owners[w.cell + i * (w.down ? kBoardSide : 1)];
            }
        }
        int leaf = -1;
        for (int k = static_cast<int>(words.size()) - 1; k >= 0 && leaf < 0; --k) {
            const WordSlot& w = words[k];
            int crossings = 0;
            for (std::size_t i = 0; i < bank.entries[w.entry].answer.size(); ++i) {
                crossings += owners[w.cell + i * (w.down ? kBoardSide : 1)] > 1;
            }
            if (!theme.covers[w.entry] && crossings == 1) {
                leaf = k;
            }
        }
        if (leaf < 0) {
            break;
        }
        Board trimmed;
        for (int k = 0; k < static_cast<int>(words.size()); ++k) {
            if (k != leaf) {
                trimmed.place(bank.entries[words[k].entry].answer, words[k].entry, words[k].cell, words[k].down);
            }
        }
        board = trimmed;
    }
    return board;
}

bool allFresh(const Board& board, const std::vector<int>& uses)
{
    return std::all_of(board.words().begin(), board.words().end(), [&](const WordSlot& w) { return uses[w.entry] == 0; });
}

void sortPlayOrder(std::vector<WordSlot>& words)
{
    std::sort(words.begin(), words.end(), [](const WordSlot& a, const WordSlot& b) {
        return a.cell != b.cell ? a.cell < b.cell : !a.down && b.down;
    });
}

// The title, then the title with 2, 3 … once other patterns carry it.
std::string uniqueName(const std::string& title, std::set<std::string>& taken, const NameFits& fits)
{
    if (taken.insert(title).second) {
        return title;
    }
    for (int n = 2;; ++n) {
        const std::string name = numberedName(title, n, fits);
        if (taken.insert(name).second) {
            return name;
        }
    }
}

// The text with its last characters cut until fits(text + suffix), or none left.
std::string shortenedFor(const std::string& text, const std::string& suffix, const NameFits& fits)
{
    std::u32string code;
    decodeUtf8(text, code);
    const std::size_t whole = code.size();
    while (!code.empty() && !fits(encodeUtf8(code) + suffix)) {
        code.pop_back();
    }
    // Words written with spaces lose whole words: "Week 3", not "Week wo 3".
    std::u32string full;
    decodeUtf8(text, full);
    if (code.size() < whole && full[code.size()] != U' ' && code.find(U' ') != std::u32string::npos) {
        code.resize(code.rfind(U' '));
    }
    // A name cut at a space would end in one.
    while (!code.empty() && code.back() == U' ') {
        code.pop_back();
    }
    return encodeUtf8(code);
}

} // namespace

std::string numberedName(const std::string& title, int n, const NameFits& fits)
{
    // 音楽2, but animals 2: a number runs into a word of letters.
    const bool letters = !title.empty() && std::isalpha(static_cast<unsigned char>(title.back()));
    const std::string suffix = (letters ? " " : "") + std::to_string(n);
    return shortenedFor(title, suffix, fits) + suffix;
}

std::string ownSetPatternName(const std::string& setName, int pattern, const NameFits& fits)
{
    const std::string suffix = " " + std::to_string(pattern);
    const std::string stem = shortenedFor(setName, suffix, fits);
    return stem.empty() ? std::to_string(pattern) : stem + suffix;
}

double nameCoverage(const Bank& bank, const Pattern& pattern)
{
    if (pattern.words.empty()) {
        return 0;
    }
    const auto covered = std::count_if(pattern.words.begin(), pattern.words.end(), [&](const WordSlot& w) {
        const std::string& tag = bank.entries[w.entry].tag;
        return std::find(pattern.nameTags.begin(), pattern.nameTags.end(), tag) != pattern.nameTags.end();
    });
    return static_cast<double>(covered) / static_cast<double>(pattern.words.size());
}

std::vector<Pattern> buildPatterns(const Bank& bank, const BuildOptions& options)
{
    if (bank.entries.empty()) {
        throw std::runtime_error("the word bank is empty");
    }
    const bool ownSet = !options.setName.empty();
    const std::vector<Theme> themes = withTagThemes(bank, options.themes, options.nameFits);
    if (themes.empty() && !ownSet) {
        throw std::runtime_error("no theme has a title that fits the name cell");
    }
    std::vector<ThemeTarget> targets;
    for (const Theme& theme : themes) {
        targets.push_back(targetFor(bank, theme));
    }
    // A set of one's own may have no tags: its grids then lean on no theme.
    ThemeTarget anyWord;
    anyWord.covers.assign(bank.entries.size(), true);
    for (int e = 0; e < static_cast<int>(bank.entries.size()); ++e) {
        anyWord.members.push_back(e);
    }
    const int themeCount = static_cast<int>(themes.size());
    const int minWords = std::max(2, options.minWords);
    Filler filler(bank, options.seed);
    std::vector<Pattern> patterns;
    std::set<std::string> takenNames;
    for (int p = 0; p < std::min(options.patterns, kPlayedPatterns); ++p) {
        std::vector<int> freshThemes;
        for (int t = 0; t < themeCount; ++t) {
            if (!takenNames.count(themes[t].title)) {
                freshThemes.push_back(t);
            }
        }
        Attempt best;
        for (int attempt = 0; attempt < std::max(1, options.attemptsPerPattern); ++attempt) {
            // Every other attempt may try a theme already named, for a numbered name.
            const bool fromFresh = !freshThemes.empty() && attempt % 2 == 0;
            const int t = themeCount == 0 ? -1
                        : fromFresh       ? freshThemes[filler.draw(static_cast<std::uint32_t>(freshThemes.size()))]
                                          : static_cast<int>(filler.draw(static_cast<std::uint32_t>(themeCount)));
            const ThemeTarget& target = t < 0 ? anyWord : targets[t];
            Attempt tried;
            tried.board = trimToTheme(bank, filler.fillOnce(target), target, minWords);
            tried.theme = t;
            const int words = static_cast<int>(tried.board.words().size());
            tried.named = t >= 0 && words >= minWords && 2 * coveredWords(tried.board, target) >= words
                && !titleGivesAway(bank, themes[t].title, tried.board);
            tried.freshName = t >= 0 && !takenNames.count(themes[t].title);
            tried.quality = attemptQuality(tried, target, filler.uses());
            const bool done = tried.named && tried.freshName && words == kMaxWords && allFresh(tried.board, filler.uses());
            if (tried.quality > best.quality) {
                best = std::move(tried);
            }
            if (done) {
                break; // full, fresh and named: other attempts could only add theme words
            }
        }
        const int words = static_cast<int>(best.board.words().size());
        if (ownSet && words < minWords) {
            break; // the words allow no more
        }
        if (words < minWords || (!best.named && !ownSet)) {
            throw std::runtime_error("pattern " + std::to_string(p) + ": the bank fits only " + std::to_string(words)
                                     + " crossing words" + (best.named ? "" : " and no theme covers half of them")
                                     + "; at least " + std::to_string(minWords)
                                     + " under one theme are needed (more or shorter answers help)");
        }
        Pattern pattern;
        pattern.words = best.board.words();
        for (const WordSlot& w : pattern.words) {
            ++filler.uses()[w.entry];
        }
        sortPlayOrder(pattern.words);
        if (best.named) {
            pattern.name = uniqueName(themes[best.theme].title, takenNames, options.nameFits);
            pattern.nameTags = themes[best.theme].tags;
        } else {
            pattern.name = ownSetPatternName(options.setName, p, options.nameFits);
            if (titleGivesAway(bank, pattern.name, best.board) || !takenNames.insert(pattern.name).second) {
                pattern.name = std::to_string(p);
            }
        }
        patterns.push_back(std::move(pattern));
    }
    if (ownSet) {
        return patterns;
    }

    // The title board shows fixed glyphs; its slots only need answers of the
    // right lengths, all in one script like every grid: katakana, as the
    // glyphs are, when the bank has them.
    Pattern title;
    title.name = "タイトル";
    static constexpr std::array<std::pair<int, int>, 4> kTitleSlots{{{0, 7}, {15, 6}, {30, 5}, {45, 4}}};
    for (const bool katakana : {true, false}) {
        std::vector<WordSlot> words;
        for (const auto& [cell, length] : kTitleSlots) {
            int chosen = -1;
            for (int e = 0; e < static_cast<int>(bank.entries.size()); ++e) {
                const BankEntry& entry = bank.entries[e];
                if (static_cast<int>(entry.answer.size()) == length && isKatakanaWord(entry.answer) == katakana
                    && filler.uses()[e] < kMaxUses && (chosen < 0 || filler.uses()[e] < filler.uses()[chosen])) {
                    chosen = e;
                }
            }
            if (chosen >= 0) {
                words.push_back({chosen, cell, false});
            }
        }
        if (words.size() == kTitleSlots.size()) {
            title.words = words;
            break;
        }
    }
    if (title.words.empty()) {
        throw std::runtime_error("the title pattern needs answers of 7, 6, 5 and 4 characters in one script, "
                                 "each used fewer than " + std::to_string(kMaxUses) + " times");
    }
    for (const WordSlot& w : title.words) {
        ++filler.uses()[w.entry];
    }
    patterns.push_back(std::move(title));
    return patterns;
}

// ---------------------------------------------------------------- output

std::string formatWordFile(const Bank& bank, const std::vector<Pattern>& patterns)
{
    std::string out;
    for (std::size_t p = 0; p < patterns.size(); ++p) {
        const Pattern& pattern = patterns[p];
        const std::string number = std::to_string(p);
        out += number + ",1," + std::to_string(pattern.words.size() - 1) + ",0,0,\"" + pattern.name + "\",\"\"\r\n";
        for (std::size_t w = 0; w < pattern.words.size(); ++w) {
            const WordSlot& slot = pattern.words[w];
            const BankEntry& entry = bank.entries[slot.entry];
            out += number + ",0," + std::to_string(w) + "," + std::to_string(slot.cell) + "," + (slot.down ? "1" : "0")
                + ",\"" + entry.answerText + "\",\"" + entry.question + "\"\r\n";
        }
    }
    return out;
}

std::u32string patternBoard(const Bank& bank, const Pattern& pattern)
{
    std::u32string board(kBoardCells, U'\0');
    for (const WordSlot& w : pattern.words) {
        const std::u32string& answer = bank.entries[w.entry].answer;
        for (std::size_t i = 0; i < answer.size(); ++i) {
            const std::size_t cell = w.cell + i * (w.down ? kBoardSide : 1);
            if (cell < board.size()) {
                board[cell] = answer[i];
            }
        }
    }
    return board;
}

BuildStats computeStats(const Bank& bank, const std::vector<Pattern>& patterns)
{
    BuildStats stats;
    std::map<int, int> uses;
    std::set<int> played;
    long totalWords = 0;
    long totalLetters = 0;
    double totalNamed = 0;
    for (std::size_t p = 0; p < patterns.size(); ++p) {
        for (const WordSlot& w : patterns[p].words) {
            ++uses[w.entry];
        }
        if (static_cast<int>(p) >= kPlayedPatterns) {
            continue;
        }
        const int words = static_cast<int>(patterns[p].words.size());
        stats.minWords = stats.patterns == 0 ? words : std::min(stats.minWords, words);
        stats.maxWords = std::max(stats.maxWords, words);
        ++stats.patterns;
        totalWords += words;
        for (const WordSlot& w : patterns[p].words) {
            played.insert(w.entry);
        }
        const std::u32string board = patternBoard(bank, patterns[p]);
        totalLetters += std::count_if(board.begin(), board.end(), [](char32_t c) { return c != 0; });
        const double named = nameCoverage(bank, patterns[p]);
        stats.minNameCoverage = stats.patterns == 1 ? named : std::min(stats.minNameCoverage, named);
        totalNamed += named;
    }
    for (const auto& [entry, count] : uses) {
        stats.maxReuse = std::max(stats.maxReuse, count);
    }
    stats.distinctAnswers = static_cast<int>(played.size());
    if (stats.patterns > 0) {
        stats.meanWords = static_cast<double>(totalWords) / stats.patterns;
        stats.meanCoverage = static_cast<double>(totalLetters) / (stats.patterns * kBoardCells);
        stats.meanNameCoverage = totalNamed / stats.patterns;
    }
    return stats;
}

std::string statsReport(const Bank& bank, const std::vector<Pattern>& patterns)
{
    const BuildStats stats = computeStats(bank, patterns);
    std::string out;
    char line[200];
    const auto add = [&](int written) { out.append(line, static_cast<std::size_t>(std::clamp(written, 0, 199))); };
    add(std::snprintf(line, sizeof line, "patterns: %d played%s\n", stats.patterns,
                      static_cast<int>(patterns.size()) > stats.patterns ? " + title" : ""));
    add(std::snprintf(line, sizeof line, "words per pattern: min %d, mean %.2f, max %d\n", stats.minWords, stats.meanWords,
                      stats.maxWords));
    add(std::snprintf(line, sizeof line, "distinct answers: %d of %zu in the bank\n", stats.distinctAnswers,
                      bank.entries.size()));
    add(std::snprintf(line, sizeof line, "maximum reuse of an answer: %d\n", stats.maxReuse));
    add(std::snprintf(line, sizeof line, "mean letter coverage: %.3f (%.1f of %d cells)\n", stats.meanCoverage,
                      stats.meanCoverage * kBoardCells, kBoardCells));
    add(std::snprintf(line, sizeof line, "name coverage (share of words the name's theme covers): min %.2f, mean %.2f\n",
                      stats.minNameCoverage, stats.meanNameCoverage));
    for (int p = 0; p < stats.patterns; ++p) {
        out += "  " + std::string(p < 10 ? " " : "") + std::to_string(p) + " " + patterns[p].name + ": "
            + std::to_string(patterns[p].words.size()) + " words, ";
        add(std::snprintf(line, sizeof line, "%.2f\n", nameCoverage(bank, patterns[p])));
    }
    return out;
}
