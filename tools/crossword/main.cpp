// crossword-builder: fills the game's puzzle patterns from a word bank.

#include "crossword.h"
#include "set_check.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace {

constexpr double kMinMeanWords = 10.0;
constexpr int kMinDistinctAnswers = 700;

const char* kUsage = "usage: crossword-builder --bank WORDS.tsv --out patterns.txt [--themes THEMES.tsv] [--apart APART.tsv]\n"
                     "                         [--seed N] [--stats]\n"
                     "       crossword-builder --bank WORDS.tsv [--themes THEMES.tsv] [--apart APART.tsv] --check patterns.txt\n"
                     "  Builds puzzle patterns 0 to 98 and the title pattern 99 as a UTF-8 word file\n"
                     "  with CR LF line ends. --themes names themes (title, then tags, tab-separated);\n"
                     "  each tag is a theme besides. --apart lists answer pairs that never share a\n"
                     "  grid (two answers, then why). --stats prints the set's statistics.\n"
                     "  --check reports every way a written set breaks the builder's rules.\n";

int fail(const std::string& message)
{
    std::fprintf(stderr, "crossword-builder: %s\n", message.c_str());
    return 1;
}

bool readFile(const std::string& path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

} // namespace

int main(int argc, char* argv[])
{
    std::string bankPath;
    std::string outPath;
    std::string themesPath;
    std::string apartPath;
    std::string checkPath;
    BuildOptions options;
    bool showStats = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--bank" && hasValue) {
            bankPath = argv[++i];
        } else if (arg == "--out" && hasValue) {
            outPath = argv[++i];
        } else if (arg == "--check" && hasValue) {
            checkPath = argv[++i];
        } else if (arg == "--themes" && hasValue) {
            themesPath = argv[++i];
        } else if (arg == "--apart" && hasValue) {
            apartPath = argv[++i];
        } else if (arg == "--seed" && hasValue) {
            if (!parseSeed(argv[++i], options.seed)) {
                return fail(std::string("--seed takes a number from 0 to 4294967295, not ") + argv[i]);
            }
        } else if (arg == "--stats") {
            showStats = true;
        } else {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    if (bankPath.empty() || outPath.empty() == checkPath.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }

    std::string text;
    if (!readFile(bankPath, text)) {
        return fail(bankPath + ": cannot read");
    }
    Bank bank;
    const std::vector<std::string> errors = parseBank(text, bank);
    if (!errors.empty()) {
        for (const std::string& error : errors) {
            std::fprintf(stderr, "%s: %s\n", bankPath.c_str(), error.c_str());
        }
        return fail(std::to_string(errors.size()) + " problem(s) in the word bank; nothing written");
    }
    if (!apartPath.empty()) {
        std::string apartText;
        if (!readFile(apartPath, apartText)) {
            return fail(apartPath + ": cannot read");
        }
        const std::vector<std::string> apartErrors = parseKeptApart(apartText, bank);
        for (const std::string& error : apartErrors) {
            std::fprintf(stderr, "%s: %s\n", apartPath.c_str(), error.c_str());
        }
        if (!apartErrors.empty()) {
            return fail(std::to_string(apartErrors.size()) + " problem(s) in the pairs kept apart; nothing written");
        }
    }
    if (!themesPath.empty()) {
        std::string themeText;
        if (!readFile(themesPath, themeText)) {
            return fail(themesPath + ": cannot read");
        }
        const std::vector<std::string> themeErrors = parseThemes(themeText, bank, options.themes);
        for (const std::string& error : themeErrors) {
            std::fprintf(stderr, "%s: %s\n", themesPath.c_str(), error.c_str());
        }
        if (!themeErrors.empty()) {
            return fail(std::to_string(themeErrors.size()) + " problem(s) in the themes; nothing written");
        }
    }

    if (!checkPath.empty()) {
        std::string set;
        if (!readFile(checkPath, set)) {
            return fail(checkPath + ": cannot read");
        }
        const std::vector<std::string> problems = wordFileProblems(bank, options.themes, set);
        for (const std::string& problem : problems) {
            std::fprintf(stderr, "%s: %s\n", checkPath.c_str(), problem.c_str());
        }
        return problems.empty() ? 0 : fail(std::to_string(problems.size()) + " problem(s) in the puzzle set");
    }

    std::vector<Pattern> patterns;
    try {
        patterns = buildPatterns(bank, options);
    } catch (const std::runtime_error& error) {
        return fail(error.what());
    }
    const BuildStats stats = computeStats(bank, patterns);
    if (showStats) {
        std::fputs(statsReport(bank, patterns).c_str(), stdout);
    }
    // A set below these marks is not good enough to ship, so nothing is written.
    if (stats.meanWords < kMinMeanWords) {
        return fail("mean words per pattern is below 10; a larger bank or another --seed may help");
    }
    if (stats.distinctAnswers < kMinDistinctAnswers) {
        return fail("fewer than 700 distinct answers; the bank needs more usable words");
    }

    std::ofstream out(outPath, std::ios::binary | std::ios::trunc);
    const std::string file = formatWordFile(bank, patterns);
    out.write(file.data(), static_cast<std::streamsize>(file.size()));
    out.close();
    if (!out) {
        return fail(outPath + ": cannot write");
    }
    return 0;
}
