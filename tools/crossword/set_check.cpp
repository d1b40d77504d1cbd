#include "set_check.h"

#include "clue_rules.h"
#include "crossword.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

struct CheckedWord {
    std::string answer;
    std::string question;
};

struct CheckedPattern {
    bool hasHeader = false;
    std::string name;
    std::vector<CheckedWord> words;
};

// The two quoted fields that end a line: "name or answer","question". Neither
// may hold a double quote, so the first two quotes close the first field.
bool quotedPair(std::string_view rest, std::string& first, std::string& second)
{
    if (rest.size() < 5 || rest.front() != '"' || rest.back() != '"') {
        return false;
    }
    const std::size_t close = rest.find('"', 1);
    if (close == std::string_view::npos || rest.substr(close, 3) != "\",\"") {
        return false;
    }
    first = std::string(rest.substr(1, close - 1));
    second = std::string(rest.substr(close + 3, rest.size() - close - 4));
    return second.find('"') == std::string::npos;
}

bool parseNumber(std::string_view text, int& value)
{
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string_view::npos) {
        return false;
    }
    value = std::stoi(std::string(text));
    return true;
}

// The themes a pattern name can stand for: its own title, or a title the
// builder numbered (乗り物2), shortened first when the number would not fit.
std::vector<const Theme*> themesNamed(const std::string& name, const std::vector<Theme>& themes, const NameFits& fits)
{
    std::size_t digits = 0;
    while (digits < name.size() && name[name.size() - 1 - digits] >= '0' && name[name.size() - 1 - digits] <= '9') {
        ++digits;
    }
    const std::string number = name.substr(name.size() - digits);
    const bool numbered = digits > 0 && digits < 6 && number.front() != '0' && number != "1";
    std::vector<const Theme*> named;
    for (const Theme& theme : themes) {
        if (theme.title == name || (numbered && numberedName(theme.title, std::stoi(number), fits) == name)) {
            named.push_back(&theme);
        }
    }
    return named;
}

} // namespace

std::vector<std::string> wordFileProblems(const Bank& bank, const std::vector<Theme>& listedThemes, std::string_view text,
                                          const SetRules& rules)
{
    std::vector<std::string> problems;
    std::map<int, CheckedPattern> patterns;
    for (const auto& [lineNumber, line] : textLines(text)) {
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        std::vector<std::string_view> head;
        std::size_t start = 0;
        for (int f = 0; f < 5 && start != std::string_view::npos; ++f) {
            const std::size_t comma = line.find(',', start);
            head.push_back(line.substr(start, comma == std::string_view::npos ? 0 : comma - start));
            start = comma == std::string_view::npos ? comma : comma + 1;
        }
        int number = 0;
        int kind = 0;
        std::string first;
        std::string second;
        if (start == std::string_view::npos || !parseNumber(head[0], number) || !parseNumber(head[1], kind) || kind > 1
            || !quotedPair(line.substr(start), first, second)) {
            problems.push_back(where + "not a line of the word file");
            continue;
        }
        CheckedPattern& pattern = patterns[number];
        if (kind == 1) {
            pattern.hasHeader = true;
            pattern.name = first;
        } else {
            pattern.words.push_back({first, second});
        }
    }

    std::map<std::string, int> entryOf;
    for (int e = 0; e < static_cast<int>(bank.entries.size()); ++e) {
        entryOf[bank.entries[e].answerText] = e;
    }
    const std::vector<Theme> themes = withTagThemes(bank, listedThemes, rules.nameFits);
    const std::vector<std::vector<int>> clashes = clashLists(bank);
    std::map<std::string, int> patternOfName;
    std::map<int, int> uses; // per entry
    const bool ownSet = !rules.setName.empty();
    int played = kPlayedPatterns;
    if (ownSet) {
        const auto last = patterns.lower_bound(kPlayedPatterns);
        played = last == patterns.begin() ? 0 : std::prev(last)->first + 1;
        if (played == 0) {
            problems.push_back("no pattern to play");
        }
    }
    for (int p = 0; p < played; ++p) {
        const std::string where = "pattern " + std::to_string(p) + ": ";
        const auto found = patterns.find(p);
        if (found == patterns.end() || !found->second.hasHeader) {
            problems.push_back(where + "missing");
            continue;
        }
        const CheckedPattern& pattern = found->second;
        if (const auto [other, fresh] = patternOfName.emplace(pattern.name, p); !fresh) {
            problems.push_back(where + "the name \"" + pattern.name + "\" is pattern " + std::to_string(other->second)
                               + "'s too");
        }
        const int words = static_cast<int>(pattern.words.size());
        if (words < rules.minWords) {
            problems.push_back(where + std::to_string(words) + " words; a pattern has at least "
                               + std::to_string(rules.minWords));
        }
        if (!rules.nameFits(pattern.name)) {
            problems.push_back(where + "the name \"" + pattern.name + "\" does not fit the name cell");
        }
        std::vector<int> entries;
        for (const CheckedWord& word : pattern.words) {
            const auto entry = entryOf.find(word.answer);
            if (entry == entryOf.end()) {
                problems.push_back(where + "the answer \"" + word.answer + "\" is not in the bank");
            } else if (bank.entries[entry->second].question != word.question) {
                problems.push_back(where + "the question of \"" + word.answer + "\" is not the bank's");
            } else {
                entries.push_back(entry->second);
                if (++uses[entry->second] == kMaxUses + 1) {
                    problems.push_back(where + "the answer \"" + word.answer + "\" is used more than "
                                       + std::to_string(kMaxUses) + " times in the set");
                }
            }
        }
        for (const int e : entries) {
            const Script script = answerScript(bank.entries[e].answer);
            const Script first = answerScript(bank.entries[entries.front()].answer);
            if (script != first || script == Script::Mixed) {
                problems.push_back(where + "\"" + bank.entries[e].answerText + "\" (" + scriptName(script)
                                   + ") does not share the script of \"" + bank.entries[entries.front()].answerText
                                   + "\" (" + scriptName(first) + ")");
                break;
            }
        }
        for (std::size_t a = 0; a < entries.size(); ++a) {
            for (std::size_t b = a + 1; b < entries.size(); ++b) {
                const std::vector<int>& ofA = clashes[entries[a]];
                if (std::binary_search(ofA.begin(), ofA.end(), entries[b])) {
                    problems.push_back(where + "\"" + bank.entries[entries[a]].answerText + "\" and \""
                                       + bank.entries[entries[b]].answerText + "\" must not share a grid");
                }
            }
        }

        const bool untitled = ownSet
            && (pattern.name == ownSetPatternName(rules.setName, p, rules.nameFits) || pattern.name == std::to_string(p));
        const std::vector<const Theme*> named = untitled ? std::vector<const Theme*>{} : themesNamed(pattern.name, themes, rules.nameFits);
        if (untitled) {
            for (const int e : entries) {
                if (nameGivesAway(pattern.name, bank.entries[e])) {
                    problems.push_back(where + "the name \"" + pattern.name + "\" gives away \""
                                       + bank.entries[e].answerText + "\"");
                }
            }
            continue;
        }
        if (named.empty()) {
            problems.push_back(where + "the name \"" + pattern.name + "\" is no theme's title");
            continue;
        }
        int bestCovered = 0;
        for (const Theme* theme : named) {
            const auto covered = std::count_if(entries.begin(), entries.end(), [&](int e) {
                return std::find(theme->tags.begin(), theme->tags.end(), bank.entries[e].tag) != theme->tags.end();
            });
            bestCovered = std::max(bestCovered, static_cast<int>(covered));
        }
        if (2 * bestCovered < words) {
            problems.push_back(where + "only " + std::to_string(bestCovered) + " of " + std::to_string(words)
                               + " words carry a tag the name \"" + pattern.name + "\" stands for");
        }
        for (const int e : entries) {
            const BankEntry& entry = bank.entries[e];
            if (nameGivesAway(pattern.name, entry)) {
                problems.push_back(where + "the name \"" + pattern.name + "\" gives away \"" + entry.answerText + "\"");
            }
            // A numbered name is its theme's title on screen less what the number cut.
            if (std::all_of(named.begin(), named.end(), [&](const Theme* t) { return nameInQuestion(t->title, entry); })) {
                problems.push_back(where + "the question of \"" + entry.answerText + "\" says the name \"" + pattern.name
                                   + "\" again");
            }
        }
    }
    return problems;
}
