#include "clue_rules.h"
#include "crossword.h"
#include "set_check.h"
#include "themes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <random>
#include <set>
#include <stdexcept>

namespace {

// A bank of made-up answers over few letters, so that crossings are plentiful;
// every fifth answer is katakana and may only cross other katakana. Questions
// are strings of kanji drawn from thousands, so that they seldom share a
// phrase; every seventh one holds the answer before it, so that the two clash
// and must never share a grid.
std::string syntheticBank(int count)
{
    const std::u32string hiragana = U"あいうかきくさしたとなのん";
    const std::u32string katakana = U"アイカキサシタトンー";
    const char* tags[] = {"動物", "食べ物", "地理", "スポーツ", "乗り物"};
    std::string text = "さくら\t春に咲く花\t植物\t桜\r\nちょっと\t少し\t言葉\tちょっと\r\n"
                       "コーヒー\t苦い飲み物、黒い\t食べ物\tコーヒー\r\n";
    std::set<std::u32string> seen{U"さくら", U"ちょっと", U"コーヒー"};
    std::mt19937 rng(7);
    std::u32string previous;
    for (int made = 0; made < count;) {
        const std::u32string& letters = made % 5 == 0 ? katakana : hiragana;
        std::u32string word;
        const std::uint32_t length = 2 + drawBelow(rng, 6);
        while (word.size() < length) {
            word.push_back(letters[drawBelow(rng, static_cast<std::uint32_t>(letters.size()))]);
        }
        std::u32string question;
        while (question.size() < 10) {
            question.push_back(static_cast<char32_t>(0x4E00 + drawBelow(rng, 6000)));
        }
        if (made % 7 == 0 && !previous.empty()) {
            question += U"、" + previous;
        }
        if (foldKana(question).find(foldKana(word)) == std::u32string::npos && seen.insert(word).second) {
            text += encodeUtf8(word) + "\t" + encodeUtf8(question) + "\t" + tags[made % 5] + "\t" + encodeUtf8(word) + "\n";
            previous = word;
            ++made;
        }
    }
    return text;
}

// Fewer attempts than the shipped build: the synthetic bank crosses easily.
BuildOptions quickOptions(std::uint32_t seed, int attempts, std::vector<Theme> themes = {})
{
    BuildOptions options;
    options.seed = seed;
    options.attemptsPerPattern = attempts;
    options.themes = std::move(themes);
    return options;
}

Bank loadBank(const std::string& text)
{
    Bank bank;
    const std::vector<std::string> errors = parseBank(text, bank);
    EXPECT_TRUE(errors.empty()) << errors.front();
    return bank;
}

struct FileWord {
    int slot = 0;
    int cell = 0;
    int direction = 0;
    std::u32string answer;
    std::string question;
};

struct FilePattern {
    int lastWord = -1;
    std::string name;
    std::vector<FileWord> words;
};

// Splits one word-file line; text fields must be quoted and may hold commas.
std::vector<std::string> splitLine(const std::string& line, std::vector<bool>& quoted)
{
    std::vector<std::string> fields;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        quoted.push_back(i < line.size() && line[i] == '"');
        const std::size_t end = quoted.back() ? line.find('"', i + 1) + 1 : std::min(line.find(',', i), line.size());
        fields.push_back(quoted.back() ? line.substr(i + 1, end - i - 2) : line.substr(i, end - i));
        i = end;
    }
    return fields;
}

std::map<int, FilePattern> readWordFile(const std::string& text)
{
    std::map<int, FilePattern> patterns;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "the last line lacks CR LF";
        const std::string line = text.substr(start, end - start);
        start = end + 2;
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "a bare line end in: " << line;
        std::vector<bool> quoted;
        const std::vector<std::string> f = splitLine(line, quoted);
        EXPECT_EQ(f.size(), 7u) << line;
        if (f.size() != 7) {
            continue;
        }
        EXPECT_TRUE(quoted[5] && quoted[6]) << line;
        FilePattern& pattern = patterns[std::stoi(f[0])];
        if (f[1] == "1") {
            pattern.lastWord = std::stoi(f[2]);
            pattern.name = f[5];
            EXPECT_EQ(f[3] + f[4] + f[6], "00");
        } else {
            FileWord word{std::stoi(f[2]), std::stoi(f[3]), std::stoi(f[4]), {}, f[6]};
            EXPECT_TRUE(decodeUtf8(f[5], word.answer));
            pattern.words.push_back(word);
        }
    }
    return patterns;
}

int step(const FileWord& w)
{
    return w.direction == 1 ? kBoardSide : 1;
}

// Every rule a played pattern must keep, checked from the file alone.
std::vector<std::string> boardProblems(const FilePattern& pattern)
{
    std::vector<std::string> problems;
    const int count = static_cast<int>(pattern.words.size());
    if (count < kMinWords || count > kMaxWords || pattern.lastWord != count - 1) {
        problems.push_back(std::to_string(count) + " words, header says " + std::to_string(pattern.lastWord + 1));
    }
    std::u32string name;
    decodeUtf8(pattern.name, name);
    if (name.empty() || name.size() > kBoardSide) {
        problems.push_back("name \"" + pattern.name + "\" is empty or longer than 7");
    }
    std::u32string board(kBoardCells, U'\0');
    std::vector<std::set<int>> owners(kBoardCells);
    std::set<std::u32string> answers;
    for (int i = 0; i < count; ++i) {
        const FileWord& w = pattern.words[i];
        const int length = static_cast<int>(w.answer.size());
        const int along = w.direction == 1 ? w.cell / kBoardSide : w.cell % kBoardSide;
        if (w.slot != i || w.cell < 0 || w.cell >= kBoardCells || (w.direction != 0 && w.direction != 1)
            || along + length > kBoardSide) {
            problems.push_back("word " + std::to_string(i) + " is misplaced");
            continue;
        }
        if (i > 0 && std::pair(pattern.words[i - 1].cell, pattern.words[i - 1].direction) >= std::pair(w.cell, w.direction)) {
            problems.push_back("word " + std::to_string(i) + " is out of play order");
        }
        if (!answers.insert(w.answer).second) {
            problems.push_back("answer " + encodeUtf8(w.answer) + " twice");
        }
        for (int k = 0; k < length; ++k) {
            const int x = w.cell + k * step(w);
            if (board[x] && board[x] != w.answer[k]) {
                problems.push_back("crossing at cell " + std::to_string(x) + " disagrees");
            }
            board[x] = w.answer[k];
            owners[x].insert(i);
        }
    }
    // Each maximal run of two or more letters must start a word of its own length.
    for (int direction = 0; direction < 2; ++direction) {
        for (int line = 0; line < kBoardSide; ++line) {
            auto cellAt = [&](int k) { return direction == 1 ? k * kBoardSide + line : line * kBoardSide + k; };
            for (int k = 0; k < kBoardSide;) {
                int end = k;
                while (end < kBoardSide && board[cellAt(end)]) {
                    ++end;
                }
                if (end - k >= 2) {
                    const bool matched = std::any_of(pattern.words.begin(), pattern.words.end(), [&](const FileWord& w) {
                        return w.cell == cellAt(k) && w.direction == direction && static_cast<int>(w.answer.size()) == end - k;
                    });
                    if (!matched) {
                        problems.push_back("stray run at cell " + std::to_string(cellAt(k)));
                    }
                }
                k = std::max(end, k + 1);
            }
        }
    }
    // Connected, so every word crosses another: grow from word 0 through shared cells.
    std::set<int> reached{0};
    for (std::size_t before = 0; before != reached.size();) {
        before = reached.size();
        for (const std::set<int>& shared : owners) {
            if (std::any_of(shared.begin(), shared.end(), [&](int w) { return reached.count(w) > 0; })) {
                reached.insert(shared.begin(), shared.end());
            }
        }
    }
    if (static_cast<int>(reached.size()) != count) {
        problems.push_back("the words are not all connected");
    }
    return problems;
}

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

// Builds with a seed and checks every rule of the written file.
void checkBuiltSet(const Bank& bank, std::uint32_t seed, const std::vector<Theme>& themes = {})
{
    SCOPED_TRACE("seed " + std::to_string(seed));
    const std::vector<Pattern> built = buildPatterns(bank, quickOptions(seed, 20, themes));
    const std::string file = formatWordFile(bank, built);
    EXPECT_EQ(joined(wordFileProblems(bank, themes, file)), "");
    const std::map<int, FilePattern> patterns = readWordFile(file);
    ASSERT_EQ(patterns.size(), 100u);
    ASSERT_EQ(patterns.rbegin()->first, kTitlePattern);

    std::map<std::u32string, const BankEntry*> entryOf;
    for (const BankEntry& entry : bank.entries) {
        entryOf[entry.answer] = &entry;
    }
    const std::vector<std::vector<int>> clashes = clashLists(bank);
    const auto clash = [&](const FileWord& a, const FileWord& b) {
        const std::vector<int>& ofA = clashes[entryOf[a.answer] - bank.entries.data()];
        return std::binary_search(ofA.begin(), ofA.end(), static_cast<int>(entryOf[b.answer] - bank.entries.data()));
    };
    std::map<std::u32string, int> uses;
    std::set<std::string> names;
    int totalWords = 0;
    int numbered = 0;
    for (const auto& [number, filePattern] : patterns) {
        const FilePattern& pattern = filePattern;
        for (const FileWord& w : pattern.words) {
            ++uses[w.answer];
            ASSERT_TRUE(entryOf.count(w.answer)) << encodeUtf8(w.answer) << " is not in the bank";
            EXPECT_EQ(w.question, entryOf[w.answer]->question);
        }
        EXPECT_TRUE(names.insert(pattern.name).second) << "name used twice: " << pattern.name;
        if (number == kTitlePattern) {
            continue;
        }
        EXPECT_EQ(joined(boardProblems(pattern)), "") << "pattern " << number;
        totalWords += static_cast<int>(pattern.words.size());
        // The name stands for a theme that covers at least half of the words.
        const Pattern& made = built[number];
        int covered = 0;
        for (const FileWord& w : pattern.words) {
            const std::string& tag = entryOf[w.answer]->tag;
            covered += std::find(made.nameTags.begin(), made.nameTags.end(), tag) != made.nameTags.end();
        }
        EXPECT_GE(2 * covered, static_cast<int>(pattern.words.size())) << pattern.name;
        std::u32string name;
        decodeUtf8(pattern.name, name);
        EXPECT_LE(static_cast<int>(name.size()), kNameFits) << pattern.name;
        if (themes.empty()) {
            // Only tags name patterns; once a tag has named one, it goes on with a number (乗り物2).
            ASSERT_EQ(made.nameTags.size(), 1u);
            EXPECT_EQ(pattern.name.rfind(made.nameTags.front(), 0), 0u) << pattern.name;
            numbered += pattern.name != made.nameTags.front();
        }
        for (const FileWord& w : pattern.words) {
            // It never gives away an answer of its own pattern, in either script.
            EXPECT_EQ(foldKana(name).find(foldKana(w.answer)), std::u32string::npos) << pattern.name;
            // No clue gives away another answer of the grid or copies its clue.
            for (const FileWord& other : pattern.words) {
                if (&other != &w) {
                    EXPECT_FALSE(clash(w, other))
                        << encodeUtf8(w.answer) << " / " << encodeUtf8(other.answer) << " in pattern " << number;
                }
            }
        }
    }
    for (const auto& [answer, count] : uses) {
        EXPECT_LE(count, kMaxUses) << encodeUtf8(answer);
    }
    if (themes.empty()) {
        EXPECT_GT(numbered, 0); // seven tags cannot name ninety-nine patterns alone
    }
    EXPECT_GE(totalWords, 10 * kPlayedPatterns);

    const FilePattern& title = patterns.at(kTitlePattern);
    EXPECT_EQ(title.name, "タイトル");
    EXPECT_EQ(title.lastWord, 3);
    ASSERT_EQ(title.words.size(), 4u);
    for (int w = 0; w < 4; ++w) {
        EXPECT_EQ(title.words[w].cell, w * 15);
        EXPECT_EQ(title.words[w].direction, 0);
        EXPECT_EQ(title.words[w].answer.size(), 7u - w);
        // One script, katakana like the title glyphs: the bank has katakana of every length.
        EXPECT_NE(title.words[w].answer, foldKana(title.words[w].answer)) << encodeUtf8(title.words[w].answer);
    }

    const BuildStats stats = computeStats(bank, built);
    EXPECT_EQ(stats.patterns, kPlayedPatterns);
    EXPECT_NEAR(stats.meanWords, totalWords / 99.0, 1e-9);
    EXPECT_GE(stats.minNameCoverage, 0.5);
    EXPECT_GE(stats.meanNameCoverage, stats.minNameCoverage);
}

int clashingPairs(const Bank& bank)
{
    int pairs = 0;
    for (const std::vector<int>& clashes : clashLists(bank)) {
        pairs += static_cast<int>(clashes.size());
    }
    return pairs / 2;
}

} // namespace

TEST(CrosswordBuilder, EverySetKeepsTheRules)
{
    const Bank bank = loadBank(syntheticBank(600));
    // The planted clashes are there to be avoided.
    ASSERT_GE(clashingPairs(bank), 80);
    for (const std::uint32_t seed : {1u, 2u, 20240601u}) {
        checkBuiltSet(bank, seed);
    }
    // Themes of two tags name patterns too, each name once, and a narrow
    // theme beside a broad one still needs half of the words to be its own.
    std::vector<Theme> themes;
    const std::string listed = "乗り物と地理\t乗り物\t地理\n食と運動\t食べ物\tスポーツ\n旅の足\t乗り物\n";
    ASSERT_EQ(joined(parseThemes(listed, bank, themes)), "");
    checkBuiltSet(bank, 3, themes);
}

TEST(CrosswordBuilder, SameSeedGivesTheSameFile)
{
    const Bank bank = loadBank(syntheticBank(600));
    const std::string first = formatWordFile(bank, buildPatterns(bank, quickOptions(5, 20)));
    EXPECT_EQ(formatWordFile(bank, buildPatterns(bank, quickOptions(5, 20))), first);
    EXPECT_NE(formatWordFile(bank, buildPatterns(bank, quickOptions(6, 20))), first);
}

TEST(CrosswordBuilder, RefusesBanksThatCannotFillAPattern)
{
    // Nothing shares a letter, so no word can cross the first.
    const Bank disjoint = loadBank("あい\tq\tt\tあい\nうえ\tr\tt\tうえ\nおか\ts\tt\tおか\nきく\tu\tt\tきく\n"
                                   "けこ\tv\tt\tけこ\nさし\tw\tt\tさし\nすせそたちつて\tx\tt\tすせそたちつて\n"
                                   "なにぬねのは\ty\tt\tなにぬねのは\nひふへほま\tz\tt\tひふへほま\nみむめも\tq\tt\tみむめも\n");
    EXPECT_THROW(buildPatterns(disjoint, quickOptions(1, 5)), std::runtime_error);

    // Plenty of crossings but no seven-letter answer for the title.
    Bank noLongWords = loadBank(syntheticBank(600));
    std::erase_if(noLongWords.entries, [](const BankEntry& e) { return e.answer.size() == 7; });
    EXPECT_THROW(buildPatterns(noLongWords, quickOptions(1, 5)), std::runtime_error);
}

TEST(CrosswordOwnSet, AsManyPatternsAsTheWordsAllowEachKeepingTheRules)
{
    // Tags of the synthetic bank name patterns; a bank of 120 words cannot
    // fill 99 patterns of eight with each answer at most three times.
    const Bank bank = loadBank(syntheticBank(120));
    BuildOptions options = quickOptions(4, 20);
    options.setName = "Mine"; // short: the board check holds names to seven characters
    options.minWords = 8;
    options.nameFits = [](const std::string& name) { return name.size() <= 12; };
    const std::vector<Pattern> built = buildPatterns(bank, options);
    ASSERT_GE(built.size(), 5u);
    ASSERT_LT(built.size(), 99u);
    const std::string file = formatWordFile(bank, built);
    SetRules rules;
    rules.minWords = 8;
    rules.setName = options.setName;
    rules.nameFits = options.nameFits;
    EXPECT_EQ(joined(wordFileProblems(bank, {}, file, rules)), "");

    const std::map<int, FilePattern> patterns = readWordFile(file);
    ASSERT_EQ(patterns.size(), built.size()); // no title pattern: the game's own stands in
    std::map<std::u32string, int> uses;
    int untitled = 0;
    for (const auto& [number, pattern] : patterns) {
        EXPECT_EQ(joined(boardProblems(pattern)), "") << "pattern " << number;
        EXPECT_GE(pattern.words.size(), 8u);
        std::set<Script> scripts;
        for (const FileWord& w : pattern.words) {
            ++uses[w.answer];
            scripts.insert(answerScript(w.answer));
        }
        EXPECT_EQ(scripts.size(), 1u) << "pattern " << number; // katakana with ー never crosses hiragana
        if (built[number].nameTags.empty()) {
            EXPECT_EQ(pattern.name, "Mine " + std::to_string(number));
            ++untitled;
        } else {
            EXPECT_GE(nameCoverage(bank, built[number]), 0.5) << pattern.name;
        }
    }
    EXPECT_LT(untitled, static_cast<int>(patterns.size())); // the tags name most
    for (const auto& [answer, count] : uses) {
        EXPECT_LE(count, kMaxUses) << encodeUtf8(answer);
    }
    // Asked for fewer, it makes fewer, numbered from 0 as before.
    options.patterns = 3;
    EXPECT_EQ(formatWordFile(bank, buildPatterns(bank, options)).substr(0, 40), file.substr(0, 40));
    EXPECT_EQ(buildPatterns(bank, options).size(), 3u);

    // A name the file does not earn is still caught.
    std::string renamed = file;
    renamed.replace(renamed.find(built[0].name), built[0].name.size(), "Other 0");
    EXPECT_NE(joined(wordFileProblems(bank, {}, renamed, rules)), "");
}

TEST(CrosswordOwnSet, TooFewWordsGiveNoPatternAndNamesFitTheirCell)
{
    const Bank few = loadBank("あい\tq\tt\tあい\nいか\tr\tt\tいか\nかさ\ts\tt\tかさ\n");
    BuildOptions options = quickOptions(1, 5);
    options.setName = "Few";
    EXPECT_TRUE(buildPatterns(few, options).empty());
    SetRules rules;
    rules.setName = "Few";
    EXPECT_EQ(joined(wordFileProblems(few, {}, "", rules)), "no pattern to play\n");

    // Names measured by the caller: here at most ten bytes.
    const NameFits tenBytes = [](const std::string& name) { return name.size() <= 10; };
    EXPECT_EQ(ownSetPatternName("Everyday Japanese", 12, tenBytes), "Everyda 12"); // one word: cut in it
    EXPECT_EQ(ownSetPatternName("Week words", 21, tenBytes), "Week 21");           // else whole words
    EXPECT_EQ(ownSetPatternName("Cats and dogs", 3, tenBytes), "Cats and 3");
    EXPECT_EQ(ownSetPatternName("Supercalifragilistic", 98, [](const std::string& n) { return n.size() <= 2; }), "98");
    EXPECT_EQ(numberedName("animals", 2, tenBytes), "animals 2");
    EXPECT_EQ(numberedName("vegetables", 12, tenBytes), "vegetab 12");
    EXPECT_EQ(numberedName("春夏秋冬の花", 2, fitsNameCell), "春夏秋冬の2");
}

TEST(CrosswordClues, EnglishCluesCompareByWordsAndLettersInEitherCase)
{
    const auto entry = [](const std::u32string& answer, const std::u32string& clue) {
        BankEntry e;
        e.answer = answer;
        e.answerText = encodeUtf8(answer);
        e.clue = clue;
        e.written = answer;
        deriveEntry(e);
        return e;
    };
    // Near copies in English share their words, not just letter pairs.
    EXPECT_GE(clueSimilarity(entry(U"あに", U"My older brother (humble form)"), entry(U"あね", U"My older sister (humble form)")),
              kNearCopy);
    EXPECT_LT(clueSimilarity(entry(U"とら", U"Tiger, a big orange cat with black stripes"),
                             entry(U"ぞう", U"Elephant, with a long trunk")),
              kNearCopy);
    EXPECT_EQ(clueSimilarity(entry(U"ぎんこう", U"Bank"), entry(U"こうえん", U"Park")), 0.0);
    // A clue that says another's meaning points at it: milk is ミルク.
    const BankEntry milk = entry(U"ミルク", U"Milk (the loanword, as in coffee)");
    EXPECT_EQ(milk.gloss, U"milk");
    EXPECT_TRUE(entriesClash(milk, entry(U"うし", U"Cow; it says 'moo' and gives milk")));
    EXPECT_FALSE(entriesClash(milk, entry(U"ぶた", U"Pig; it says 'oink'")));
    EXPECT_EQ(entry(U"たまご", U"An egg, often laid by a chicken").gloss, U"egg");
    EXPECT_FALSE(entriesClash(entry(U"たまご", U"An egg, often laid by a chicken"),
                              entry(U"なす", U"Eggplant, purple and shiny")));
    EXPECT_EQ(entry(U"いぬ", U"A pet that barks and says 'wan wan'").gloss, U""); // a sentence, not a meaning
    EXPECT_EQ(entry(U"ねこ", U"にゃあと鳴く").gloss, U"");
    // An answer in letters is found in its clue whatever the case.
    EXPECT_EQ(answerGiveaways(entry(U"DNA", U"The dna in every cell")).size(), 1u);
    EXPECT_TRUE(answerGiveaways(entry(U"DNA", U"Genes are made of it")).empty());
    EXPECT_EQ(answerScript(U"DNA"), Script::Letters);
    EXPECT_EQ(answerScript(U"ーー"), Script::Katakana);
    EXPECT_EQ(answerScript(U"らーめん"), Script::Hiragana);
    EXPECT_EQ(answerScript(U"ゴミばこ"), Script::Mixed);
}

TEST(CrosswordBank, ReadsEntriesAsCodePoints)
{
    Bank bank;
    const std::string text = "\xEF\xBB\xBF"
                             "ちょっと\t少し、わずか\t言葉\tちょっと\r\n"
                             "\r\n"
                             "コーヒー\t苦い飲み物\t食べ物\tコーヒー\r\n"
                             "ラーメンやさん\tq\tt\tラーメン屋さん";
    ASSERT_EQ(joined(parseBank(text, bank)), "");
    ASSERT_EQ(bank.entries.size(), 3u);
    EXPECT_EQ(bank.entries[0].answer, U"ちょっと");
    EXPECT_EQ(bank.entries[0].question, "少し、わずか");
    EXPECT_EQ(bank.entries[1].answer.size(), 4u);
    EXPECT_EQ(bank.entries[1].tag, "食べ物");
    EXPECT_EQ(bank.entries[1].line, 3);
    EXPECT_EQ(bank.entries[1].kana, U"こーひー");
    EXPECT_EQ(bank.entries[2].answer.size(), 7u);
    EXPECT_EQ(bank.entries[2].answerText, "ラーメンやさん");
    EXPECT_EQ(bank.entries[2].written, U"ラーメン屋さん");
}

TEST(CrosswordBank, ReportsEveryBadLineAndDuplicate)
{
    Bank bank;
    const std::string text = "ねこ\tにゃあと鳴く\t動物\t猫\n"       // 1
                             "いぬ\tわんと鳴く\t動物\n"              // 2: three fields
                             "ね\t短すぎる\t動物\t根\n"            // 3
                             "ねこじゃらしぐさ\t長すぎる\t植物\tねこじゃらし草\n" // 4: eight letters
                             "うし\t\"も\"う\t動物\t牛\n"          // 5: quote
                             "ねこ\tもう一度\t動物\t猫\n"          // 6
                             "cat\t英語\t動物\tcat\n"               // 7: not kana
                             "とり\ta\xFF\t動物\t鳥\n"             // 8: bad UTF-8
                             "ねこ\t三度目\t動物\t猫\n";           // 9
    const std::string errors = joined(parseBank(text, bank));
    for (const char* expected : {"line 2:", "line 3:", "line 4:", "line 5:", "line 7:", "line 8:",
                                 "duplicated answer \"ねこ\" on lines 1 6 9"}) {
        EXPECT_NE(errors.find(expected), std::string::npos) << expected << " missing from\n" << errors;
    }
    EXPECT_EQ(errors.find("line 1:"), std::string::npos) << errors;
    EXPECT_EQ(errors.find("line 6:"), std::string::npos) << errors;
}

TEST(CrosswordBuilder, BoundedDrawIsPortableAndCoversItsRange)
{
    // Raw mt19937 output is fixed by the standard; the first value for the
    // default seed is 3499211612, so a draw below 10 must give 2.
    std::mt19937 pinned;
    EXPECT_EQ(drawBelow(pinned, 10), 2u);

    std::mt19937 rng(3);
    std::array<int, 3> seen{};
    for (int i = 0; i < 3000; ++i) {
        ++seen.at(drawBelow(rng, 3));
    }
    for (const int count : seen) {
        EXPECT_NEAR(count, 1000, 120);
    }
}

namespace {

// One bank entry from one bank line, which must be fair on its own.
BankEntry entryOf(const std::string& line)
{
    const Bank bank = loadBank(line);
    return bank.entries.empty() ? BankEntry{} : bank.entries.front();
}

} // namespace

TEST(CrosswordBank, RefusesQuestionsThatGiveTheirAnswerAway)
{
    struct Case {
        const char* line;
        const char* problem; // empty: the entry is fair
    };
    const Case cases[] = {
        {"たたみ\tい草で作る和室の床材\t家\t畳", ""},
        {"ねこ\t「○○に小判」\t動物\t猫", ""},
        {"ねこ\t「ネコに小判」\t動物\t猫", "holds its own answer"},         // the other kana script
        {"コーヒー\t苦いこーひー豆\t食べ物\tコーヒー", "holds its own answer"},
        {"ちかてつ\t地下鉄に乗る\t乗り物\t地下鉄", "holds the written form"},
        {"ちかてつ\t都会の地下を走る電車\t乗り物\t地下鉄", "holds \"地下\" from the written form"},
        {"えんぴつ\t芯が黒鉛の筆記用具\t学校\t鉛筆", "holds \"鉛筆\" from the written form"},
        {"いぶくろ\t食べた物をためる袋\t体\t胃袋", "holds \"袋\""},
        {"ねこ\t「○○に小判」。\t動物\t猫", "ends with 「。」"},
        {"テニス\t「ラブ」は0点のこと\tスポーツ\tテニス", "half-width digit"},
        {"テニス\t「ラブ」は０点のこと\tスポーツ\tテニス", ""}, // full-width is fine
        {"いぬ\t「○○も歩けば棒に当たる」\t動物\t", "empty question, tag or written form"},
    };
    for (const Case& c : cases) {
        Bank bank;
        const std::string errors = joined(parseBank(c.line, bank));
        if (*c.problem == '\0') {
            EXPECT_EQ(errors, "") << c.line;
            EXPECT_EQ(bank.entries.size(), 1u) << c.line;
        } else {
            EXPECT_NE(errors.find(c.problem), std::string::npos) << c.line << "\n" << errors;
            EXPECT_NE(errors.find("line 1: "), std::string::npos) << errors;
            EXPECT_TRUE(bank.entries.empty()) << c.line;
        }
    }
}

TEST(CrosswordClues, EntriesClashWhenOneQuestionHoldsTheOtherAnswer)
{
    const BankEntry oden = entryOf("おでん\tだいこんやちくわを煮込む冬の味\t料理\tおでん");
    const BankEntry karashi = entryOf("からし\tおでんに添える、黄色くて辛い薬味\t料理\tからし");
    const BankEntry gohan = entryOf("ごはん\t炊いたお米。「朝○○」\t食べ物\tご飯");
    const BankEntry kome = entryOf("こめ\t田んぼで育つ日本人の主食\t食べ物\t米");
    const BankEntry cat = entryOf("ネコ\tにゃあと鳴く\t動物\t猫");
    const BankEntry kotatsu = entryOf("こたつ\t冬はねこが丸くなる所\t家\tこたつ");
    EXPECT_TRUE(entriesClash(oden, karashi));   // kana
    EXPECT_TRUE(entriesClash(karashi, oden));   // either order
    EXPECT_TRUE(entriesClash(kome, gohan));     // written form 米 in 炊いたお米
    EXPECT_TRUE(entriesClash(cat, kotatsu));    // katakana answer, hiragana clue
    EXPECT_FALSE(entriesClash(oden, kome));
}

TEST(CrosswordClues, TwoKanaAnswersInsideAnotherClash)
{
    const BankEntry yuki = entryOf("ゆき\t冬の空から降る白いもの\t天気\t雪");
    const BankEntry hatsuyuki = entryOf("はつゆき\tその冬に一番先に降るもの\t天気\t初雪");
    const BankEntry iro = entryOf("いろ\t赤や青や黄のこと\t色\t色");
    const BankEntry gin = entryOf("ギンイロ\tメダルで二番目の輝き\t色\t銀色");
    const BankEntry kuji = entryOf("クジ\t当たりと外れを引くもの\t遊び\tくじ");
    const BankEntry amida = entryOf("あみだくじ\t縦線と横線で当たりを決める\t遊び\tあみだくじ");
    const BankEntry tai = entryOf("たい\t祝いの席の赤い魚\t魚\t鯛");
    const BankEntry sun = entryOf("たいよう\t昼間の空で輝く恒星\t自然\t太陽");
    const BankEntry koi = entryOf("こい\t池で泳ぐ錦の魚\t魚\t鯉");
    const BankEntry ice = entryOf("こおり\t水が冷えて固まったもの\t自然\t氷");
    EXPECT_TRUE(entriesClash(yuki, hatsuyuki));
    EXPECT_TRUE(entriesClash(hatsuyuki, yuki));
    EXPECT_TRUE(entriesClash(iro, gin));   // hiragana inside katakana
    EXPECT_TRUE(entriesClash(kuji, amida)); // katakana inside hiragana
    EXPECT_TRUE(entriesClash(tai, sun));
    // Shared letters out of order, or only one of two in a row, are not containment.
    EXPECT_FALSE(entriesClash(koi, ice));
    EXPECT_FALSE(entriesClash(yuki, iro));

    Bank bank;
    bank.entries = {yuki, iro, hatsuyuki, gin, koi};
    const std::vector<std::vector<int>> clashes = clashLists(bank);
    EXPECT_EQ(clashes[0], std::vector<int>{2});
    EXPECT_EQ(clashes[1], std::vector<int>{3});
    EXPECT_TRUE(clashes[4].empty());
}

TEST(CrosswordClues, NearCopiesAndNestedAnswersClash)
{
    const BankEntry sugar = entryOf("さとう\t料理の「さしすせそ」の「さ」\t料理\t砂糖");
    const BankEntry salt = entryOf("しお\t料理の「さしすせそ」の「し」\t料理\t塩");
    const BankEntry brother = entryOf("あに\t年上の男のきょうだい\t家\t兄");
    const BankEntry sister = entryOf("あね\t年上の女のきょうだい\t家\t姉");
    const BankEntry melon = entryOf("メロン\t網目模様の皮をもつ高級な果物\t果物\tメロン");
    const BankEntry muskMelon = entryOf("マスクメロン\t温室育ちの贈答用の実\t果物\tマスクメロン");
    const BankEntry curry = entryOf("カレー\tインド発祥とされる、スパイスの料理\t料理\tカレー");
    const BankEntry curryRice = entryOf("カレーライス\t給食で大人気。ルーを白いごはんに\t料理\tカレーライス");
    const BankEntry bread = entryOf("パン\t小麦粉をこねて焼いたもの\t食べ物\tパン");

    EXPECT_DOUBLE_EQ(clueSimilarity(sugar, salt), clueSimilarity(salt, sugar));
    EXPECT_GE(clueSimilarity(sugar, salt), kNearCopy);
    EXPECT_GE(clueSimilarity(brother, sister), kNearCopy);
    EXPECT_LT(clueSimilarity(melon, bread), 0.2);
    EXPECT_DOUBLE_EQ(clueSimilarity(melon, melon), 1.0);
    EXPECT_TRUE(entriesClash(sugar, salt));
    EXPECT_TRUE(entriesClash(brother, sister));
    EXPECT_TRUE(entriesClash(melon, muskMelon));
    EXPECT_TRUE(entriesClash(curry, curryRice));
    EXPECT_FALSE(entriesClash(melon, bread));
    EXPECT_FALSE(entriesClash(curry, sister));

    Bank bank;
    bank.entries = {sugar, bread, salt, melon, muskMelon};
    const std::vector<std::vector<int>> clashes = clashLists(bank);
    EXPECT_EQ(clashes[0], std::vector<int>{2});
    EXPECT_TRUE(clashes[1].empty());
    EXPECT_EQ(clashes[4], std::vector<int>{3});
}

TEST(CrosswordClues, VoicedFormsAndSharedWrittenFormsClash)
{
    EXPECT_EQ(plainKana(U"ミツバチ、いなりずし、パン"), U"みつはち、いなりすし、はん");
    const BankEntry bee = entryOf("はち\t黄色と黒のしまで刺す虫\t虫\t蜂");
    const BankEntry honeyBee = entryOf("みつばち\t花から花へ飛ぶ働き者\t虫\t蜜蜂");
    const BankEntry wasp = entryOf("アシナガバチ\t脚を垂らして飛ぶ細身の虫\t虫\tアシナガバチ");
    const BankEntry sushi = entryOf("すし\t酢飯に魚をのせて握る\t料理\t寿司");
    const BankEntry inari = entryOf("いなりずし\t油あげに酢飯を詰めたもの\t料理\t稲荷寿司");
    const BankEntry angry = entryOf("おこる\t腹を立てる\t感情\t怒る");
    const BankEntry anger = entryOf("いかり\t「○○心頭に発する」\t感情\t怒り");
    const BankEntry moon = entryOf("つき\t満ち欠けする夜の光\t自然\t月");
    const BankEntry fullMoon = entryOf("まんげつ\t十五夜のまあるい姿\t自然\t満月");
    const BankEntry letter = entryOf("てがみ\t便せんに書いて送る\t言葉\t手紙");
    const BankEntry gloves = entryOf("てぶくろ\t冬に指を包む\t服\t手袋");
    const BankEntry ice = entryOf("こおり\t水が冷えて固まったもの\t自然\t氷");
    const BankEntry carp = entryOf("こい\t池で泳ぐ錦の魚\t魚\t鯉");
    EXPECT_TRUE(entriesClash(bee, honeyBee));
    EXPECT_TRUE(entriesClash(wasp, bee)); // katakana, voiced, inside
    EXPECT_TRUE(entriesClash(sushi, inari));
    EXPECT_TRUE(entriesClash(angry, anger)); // 怒 leads both
    EXPECT_TRUE(entriesClash(moon, fullMoon)); // 月 inside 満月
    EXPECT_TRUE(writtenFormsOverlap(fullMoon, moon));
    // Two kanji apart from their first, and letters out of order, are not enough.
    EXPECT_FALSE(entriesClash(letter, gloves));
    EXPECT_FALSE(entriesClash(carp, ice));
    EXPECT_FALSE(entriesClash(honeyBee, wasp));
}

TEST(CrosswordClues, RarePhrasesNamedWordsAndKeptPairsClashAcrossTheBank)
{
    EXPECT_EQ(cluePhrases(U"米の和菓子。ソース、赤い実"),
              (std::vector<std::u32string>{U"ソース", U"和菓", U"和菓子", U"米の和", U"菓子", U"赤い実"}));
    std::string text = "きって\t封筒に貼る小さな紙\t趣味\t切手\n"              // 0
                       "てがみ\t便せんに書き、封筒に入れて送る\t言葉\t手紙\n"   // 1: 封筒 with 0
                       "かんきつるい\tみかんやレモンの仲間\t果物\t柑橘類\n"     // 2
                       "なつみかん\t春先に出回る酸っぱい実\t果物\t夏みかん\n"  // 3: みかん, named by 2
                       "みかん\tこたつで食べる冬の果物\t果物\tみかん\n"        // 4
                       "うなぎ\t土用の丑の日に食べる\t魚\tうなぎ\n"             // 5
                       "うし\tモーと鳴く家畜\t動物\t牛\n"                        // 6
                       "ほどう\tガードレールで車から守られた所\t町\t歩道\n"       // 7
                       "ほどうきょう\t階段で通りの上を渡る\t町\t歩道橋\n"        // 8
                       "おうだんほどう\t信号のそばの白い縞模様\t町\t横断歩道\n"; // 9: 歩道 with 8
    // 日本 in five questions says nothing about any of them.
    for (const char* line : {"すもう\t土俵でまわしを締めて組む、日本の国技\tスポーツ\t相撲\n",
                             "ふじさん\t日本で一番高く、頂上に雪をかぶる\t地理\t富士山\n",
                             "さくら\t日本の春を彩る、散り際の美しい花\t植物\t桜\n",
                             "きもの\t帯をしめてまとう、日本の衣装\t服\t着物\n",
                             "すし\t酢飯に魚をのせて握る、日本の料理\t料理\t寿司\n"}) {
        text += line;
    }
    Bank bank = loadBank(text);
    std::vector<std::vector<int>> clashes = clashLists(bank);
    EXPECT_EQ(clashes[0], std::vector<int>{1});
    EXPECT_EQ(clashes[2], (std::vector<int>{3, 4}));
    EXPECT_TRUE(clashes[5].empty());
    EXPECT_EQ(clashes[8], (std::vector<int>{7, 9}));
    EXPECT_TRUE(clashes[10].empty()) << clashes[10].size();
    EXPECT_FALSE(entriesClash(bank.entries[0], bank.entries[1])); // the bank-wide rules are not pairwise

    ASSERT_EQ(joined(parseKeptApart("# why\nうなぎ\tうし\t丑 is read うし\n", bank)), "");
    EXPECT_EQ(bank.keptApart, (std::vector<std::pair<int, int>>{{5, 6}}));
    clashes = clashLists(bank);
    EXPECT_EQ(clashes[5], std::vector<int>{6});
    EXPECT_EQ(clashes[6], std::vector<int>{5});

    const std::string errors = joined(parseKeptApart("うなぎ\tうし\n"            // 1: no reason
                                                     "うなぎ\tたこ\tnot here\n" // 2
                                                     "うし\tうし\tself\n",      // 3
                                                     bank));
    for (const char* expected : {"line 1: expected", "line 2: the answer \"たこ\"", "line 3: an answer kept apart"}) {
        EXPECT_NE(errors.find(expected), std::string::npos) << expected << " missing from\n" << errors;
    }
    EXPECT_TRUE(bank.keptApart.empty());
}

TEST(CrosswordThemes, ReadsTitlesAndReportsEveryBadLine)
{
    const Bank bank = loadBank("ねこ\tにゃあと鳴く\t動物\t猫\nさば\t青魚の一つ\t魚\tさば\nたい\t祝いの赤い魚\t魚\t鯛\n");
    std::vector<Theme> themes;
    const std::string good = "\xEF\xBB\xBF# 名前\tタグ\r\n生き物\t動物\t魚\r\n\r\n水の中\t魚\r\n";
    ASSERT_EQ(joined(parseThemes(good, bank, themes)), "");
    ASSERT_EQ(themes.size(), 2u);
    EXPECT_EQ(themes[0].title, "生き物");
    EXPECT_EQ(themes[0].tags, (std::vector<std::string>{"動物", "魚"}));

    const std::string bad = "生き物\t動物\n"       // 1
                            "ひとりぼっち\n"       // 2: no tag
                            "とても長い名前です\t魚\n" // 3: wider than the name cell
                            "生き物\t魚\n"           // 4: twice
                            "空\t天気\n";            // 5: no entry has the tag
    const std::string errors = joined(parseThemes(bad, bank, themes));
    for (const char* expected : {"line 2:", "line 3:", "line 4:", "line 5:"}) {
        EXPECT_NE(errors.find(expected), std::string::npos) << expected << " missing from\n" << errors;
    }
    EXPECT_EQ(errors.find("line 1:"), std::string::npos) << errors;

    // Each tag is a theme besides, unless a listed title already reads the same.
    const std::vector<Theme> all = withTagThemes(bank, {{"魚", {"魚", "動物"}}});
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].tags.size(), 2u);
    EXPECT_EQ(all[1].title, "動物");
}

TEST(CrosswordSetCheck, ReportsEveryGridThatBreaksARule)
{
    const Bank bank = loadBank("ピアノ\t白と黒の鍵盤が並ぶ楽器\t音楽\tピアノ\n"
                               "ギター\t六本の弦をかき鳴らす\t音楽\tギター\n"
                               "たいこ\tばちで打ち鳴らす\t音楽\t太鼓\n"
                               "ふえ\t息を吹き込んで鳴らす細い管\t音楽\t笛\n"
                               "うた\t声にのせたメロディー\t音楽\t歌\n"
                               "すず\t振るとちりんと鳴る\t音楽\t鈴\n"
                               "こくばん\tチョークで字を書く緑色のもの\t学校\t黒板\n"
                               "つくえ\t教室で勉強に使う台\t学校\t机\n"
                               "ノート\t授業の内容を書き留める\t学校\tノート\n"
                               "えんそく\tバスで出かける学校の行事\t学校\t遠足\n"
                               "ゆき\t冬の空から降る白いもの\t天気\t雪\n"
                               "はつゆき\tその冬に一番先に降るもの\t天気\t初雪\n"
                               "にじ\t空にかかる七色の橋\t天気\t虹\n"
                               "あめ\t傘を差す空模様\t天気\t雨\n"
                               "らっぱ\t吹き鳴らす金色の管\t音楽\tラッパ\n"
                               "こと\t十三本の弦を張った和楽器\t音楽\t琴\n"
                               "えんぴつ\t削って使う、芯の入った木の棒\t学校\t鉛筆\n");
    std::vector<Theme> themes;
    ASSERT_EQ(joined(parseThemes("音楽の時間\t音楽\nたのしい音楽\t音楽\nあめふり\t天気\n", bank, themes)), "");
    const auto pattern = [&](int number, const std::string& name, const std::vector<std::string>& answers) {
        std::string text = std::to_string(number) + ",1," + std::to_string(answers.size() - 1) + ",0,0,\"" + name + "\",\"\"\r\n";
        for (std::size_t w = 0; w < answers.size(); ++w) {
            const auto entry = std::find_if(bank.entries.begin(), bank.entries.end(),
                                            [&](const BankEntry& e) { return e.answerText == answers[w]; });
            const std::string question = entry == bank.entries.end() ? "謎" : entry->question;
            text += std::to_string(number) + ",0," + std::to_string(w) + "," + std::to_string(w * 7) + ",0,\""
                + answers[w] + "\",\"" + question + "\"\r\n";
        }
        return text;
    };
    std::string file = pattern(0, "音楽の時間", {"らっぱ", "こと", "たいこ", "こくばん", "つくえ", "えんぴつ"})
        // The school words do not count for a name that stands for music alone, numbered or not.
        + pattern(1, "音楽の時間2", {"ふえ", "うた", "こくばん", "つくえ", "えんぴつ", "えんそく"})
        + pattern(2, "たのしい音2", {"すず", "うた", "ふえ", "にじ", "あめ", "こくばん"}) // shortened to fit its number
        + pattern(3, "学校", {"こくばん", "つくえ", "えんそく", "えんぴつ", "らっぱ", "ゆき"})  // a tag names itself
        + pattern(4, "天気", {"ゆき", "はつゆき", "にじ", "あめ", "らっぱ", "こと"})
        + pattern(5, "雨の日", {"にじ", "あめ", "ゆき", "らっぱ", "こと", "たいこ"})
        + pattern(6, "学校", {"こくばん", "つくえ", "えんそく", "えんぴつ", "ふえ", "すず"})
        + pattern(7, "あめふり", {"あめ", "にじ", "ゆき", "らっぱ", "こと", "たいこ"})
        + pattern(8, "学校3", {"こくばん", "つくえ", "えんそく", "ノート", "うたごえ", "すず"}); // katakana among hiragana
    const std::string chalk = "\"チョーク";
    file.replace(file.find(chalk), chalk.size(), "\"白いチョーク");
    for (int p = 9; p < kPlayedPatterns; ++p) {
        file += pattern(p, "天気" + std::to_string(p), {"にじ", "あめ", "ゆき", "こくばん", "つくえ", "えんそく"});
    }
    file += pattern(kTitlePattern, "タイトル", {"ピアノ", "ギター"}) + "9,0,\"ゆき\"\r\n";

    const std::vector<std::string> problems = wordFileProblems(bank, themes, file);
    const std::string all = joined(problems);
    for (const char* expected : {"pattern 0: the question of \"こくばん\" is not the bank's",
                                 "pattern 1: only 2 of 6 words carry a tag the name \"音楽の時間2\" stands for",
                                 "pattern 4: \"ゆき\" and \"はつゆき\" must not share a grid",
                                 "pattern 5: the name \"雨の日\" is no theme's title",
                                 "pattern 6: the name \"学校\" is pattern 3's too",
                                 "pattern 7: the name \"あめふり\" gives away \"あめ\"",
                                 "pattern 8: the answer \"うたごえ\" is not in the bank", "not a line of the word file",
                                 // えんそく's question says 学校, numbered or not.
                                 "pattern 3: the question of \"えんそく\" says the name \"学校\" again",
                                 "pattern 8: the question of \"えんそく\" says the name \"学校3\" again",
                                 "pattern 8: \"ノート\" (katakana) does not share the script of \"こくばん\" (hiragana)",
                                 "pattern 5: the answer \"らっぱ\" is used more than 3 times in the set"}) {
        EXPECT_NE(all.find(expected), std::string::npos) << expected << " missing from\n" << all;
    }
    // Each answer used a fourth time is told once: らっぱ and eight more.
    EXPECT_EQ(std::count_if(problems.begin(), problems.end(),
                            [](const std::string& p) { return p.find("more than 3 times") != std::string::npos; }),
              9);
    EXPECT_EQ(problems.size(), 21u) << all;
}
