#include "own_set_maker.h"
#include "word_list.h"

#include "platform/random.h"
#include "puzzle/own_set.h"
#include "puzzle/puzzle_set.h"
#include "store/gsx_seq.h"
#include "store/line_file.h"
#include "support/temp_dir.h"

#include <QFile>
#include <memory>
#include <random>
#include <set>

namespace {

// A word list of made-up hiragana answers over few kana, so that they cross
// often, with clues of made-up words that never copy each other. `untagged`
// of every four go without a tag.
QString madeUpList(int words, int untagged = 0)
{
    const std::u32string kana = U"あいうかきくさしたとなのん";
    const char* tags[] = {"alpha", "beta", "gamma"};
    std::mt19937 rng(11);
    QString text = QStringLiteral("# made up\n");
    std::set<std::u32string> seen;
    while (static_cast<int>(seen.size()) < words) {
        std::u32string answer;
        const std::uint32_t length = 2 + drawBelow(rng, 5);
        while (answer.size() < length) {
            answer.push_back(kana[drawBelow(rng, static_cast<std::uint32_t>(kana.size()))]);
        }
        if (!seen.insert(answer).second) {
            continue;
        }
        QString clue;
        for (int word = 0; word < 4; ++word) {
            for (std::uint32_t letter = 0; letter < 3 + drawBelow(rng, 5); ++letter) {
                clue.append(QChar(u'a' + static_cast<char16_t>(drawBelow(rng, 26))));
            }
            clue.append(u' ');
        }
        const int n = static_cast<int>(seen.size());
        const QString tag = n % 4 < untagged ? QString() : QString::fromLatin1(tags[n % 3]);
        text += QString::fromStdU32String(answer) + u'\t' + clue.trimmed() + u'\t' + tag + u'\n';
    }
    return text;
}

Bank bankOf(const QString& text)
{
    const WordList list = parseWordList(text.toUtf8(), QStringLiteral("list.tsv"));
    EXPECT_TRUE(list.ok()) << list.problems.join(u'\n').toStdString();
    return list.bank;
}

QStringList shippedTitleLines()
{
    QFile file(QStringLiteral(TAZUMEKI_PATTERNS));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QStringList title;
    for (const QString& line : textToLines(QString::fromUtf8(file.readAll()))) {
        if (line.startsWith(QStringLiteral("99,"))) {
            title.append(line);
        }
    }
    return title;
}

} // namespace

using OwnSetMaker = TempDirTest;

TEST_F(OwnSetMaker, MakesASetTheGameOpensWithTheShippedTitleAndTheSetsName)
{
    const Bank bank = bankOf(madeUpList(150, 1));
    const OwnSetBuild build = buildOwnSet(bank, {QStringLiteral("Week 12"), kPlayedPatterns, 1});
    ASSERT_TRUE(build.ok()) << build.problem.toStdString();
    EXPECT_GE(build.patterns.size(), 10u);
    EXPECT_LT(build.patterns.size(), 99u); // 150 words, each three times at most
    EXPECT_EQ(ownSetProblems(build.lines, bank), QStringList());

    writeFile("week.tazumeki", build.bytes);
    StdRandom random(1);
    GsxSeq seq(random);
    auto puzzles = std::make_unique<PuzzleSet>();
    const OwnSetLoad load = loadOwnSet(seq, path("week.tazumeki"), *puzzles);
    ASSERT_TRUE(load.set) << load.problem.toStdString();
    EXPECT_EQ(load.set->name, QStringLiteral("Week 12"));
    EXPECT_EQ(playablePatterns(*puzzles).size(), build.patterns.size());
    std::set<QString> names;
    for (std::size_t p = 0; p < build.patterns.size(); ++p) {
        EXPECT_GE(puzzles->lastSlot(static_cast<int>(p)) + 1, kOwnSetMinWords);
        names.insert(puzzles->PatternName[p]);
    }
    EXPECT_EQ(names.size(), build.patterns.size());
    EXPECT_TRUE(names.count(QStringLiteral("alpha")) && names.count(QStringLiteral("beta 2")));

    // The title board is the game's, only its name is the set's.
    QStringList title = shippedTitleLines();
    ASSERT_EQ(title.size(), 5);
    title[0].replace(QStringLiteral("\"タイトル\""), QStringLiteral("\"Week 12\""));
    EXPECT_EQ(build.lines.mid(build.lines.size() - 5), title);
}

TEST_F(OwnSetMaker, SameListAndSeedGiveTheSameBytes)
{
    const Bank bank = bankOf(madeUpList(120));
    const OwnSetBuild first = buildOwnSet(bank, {QStringLiteral("A"), 20, 7});
    ASSERT_TRUE(first.ok());
    EXPECT_EQ(buildOwnSet(bank, {QStringLiteral("A"), 20, 7}).bytes, first.bytes);
    EXPECT_NE(buildOwnSet(bank, {QStringLiteral("A"), 20, 8}).bytes, first.bytes);
    EXPECT_NE(buildOwnSet(bank, {QStringLiteral("B"), 20, 7}).bytes, first.bytes);
    // Asked for fewer patterns, it makes that many.
    EXPECT_EQ(buildOwnSet(bank, {QStringLiteral("A"), 2, 7}).patterns.size(), 2u);
}

TEST_F(OwnSetMaker, SaysHowManyMoreWordsAreNeeded)
{
    const OwnSetBuild five = buildOwnSet(bankOf(madeUpList(5)), {QStringLiteral("A"), kPlayedPatterns, 1});
    EXPECT_EQ(five.problem, QStringLiteral("5 word(s) make no pattern: a pattern holds at least 8 crossing words; "
                                           "add at least 3 more"));
    EXPECT_TRUE(five.bytes.isEmpty());
    // Ten words that share no kana cannot cross at all.
    const Bank apart = bankOf(QStringLiteral("あい\ta\nうえ\tb\nおか\tc\nきく\td\nけこ\te\nさし\tf\nすせ\tg\n"
                                             "そた\th\nちつ\ti\nてと\tj\nナニ\tk\nヌネ\tl\n"));
    EXPECT_EQ(buildOwnSet(apart, {QStringLiteral("A"), kPlayedPatterns, 1}).problem,
              QStringLiteral("the 12 words make no pattern of 8 crossing words. A grid holds one script, and the largest "
                             "here (hiragana) has 10 words; about 30 of one script usually make a pattern: add about 20 "
                             "more (short words of common kana cross best)"));
}

TEST(OwnSetNames, OnlyWhatASetCanStore)
{
    EXPECT_EQ(setNameProblem(QStringLiteral("今週のことば")), QString());
    EXPECT_EQ(setNameProblem(QStringLiteral("Everyday Japanese")), QString());
    EXPECT_EQ(setNameProblem(QString()), QStringLiteral("the set needs a name"));
    EXPECT_EQ(setNameProblem(QStringLiteral(" padded")), QStringLiteral("the set's name begins or ends with a space"));
    EXPECT_TRUE(setNameProblem(QStringLiteral("say \"hi\"")).contains(QStringLiteral("double quote")));
    EXPECT_TRUE(setNameProblem(QStringLiteral("tab\there")).contains(QStringLiteral("control character")));
    EXPECT_TRUE(setNameProblem(QStringLiteral("café")).contains(QStringLiteral("U+00E9")));
}

TEST(OwnSetCheck, FindsEveryEditThatBreaksTheRules)
{
    const Bank bank = bankOf(madeUpList(120));
    const OwnSetBuild build = buildOwnSet(bank, {QStringLiteral("Mine"), 5, 3});
    ASSERT_TRUE(build.ok());
    const auto edited = [&](const QString& from, const QString& to) {
        QStringList lines = build.lines;
        for (QString& line : lines) {
            if (line.contains(from)) {
                line.replace(from, to);
                break;
            }
        }
        return ownSetProblems(lines, bank).join(u'\n').toStdString();
    };
    const QString firstClue = QString::fromStdString(bank.entries[build.patterns[0].words[0].entry].question);
    EXPECT_NE(edited(firstClue, QStringLiteral("another clue")).find("is not the bank's"), std::string::npos);
    EXPECT_NE(edited(QStringLiteral("クッキー"), QStringLiteral("ケーキ")).find("not the game's title pattern"),
              std::string::npos);
    EXPECT_NE(edited(QStringLiteral("\"Mine\""), QStringLiteral("\"\"")).find("the set needs a name"), std::string::npos);
    const QString firstName = QString::fromStdString(build.patterns[0].name);
    EXPECT_NE(edited(QStringLiteral("0,1,"), QStringLiteral("7,1,")).find("pattern 0: missing"), std::string::npos);
    EXPECT_NE(edited(QLatin1Char('"') + firstName + QLatin1Char('"'), QStringLiteral("\"Mine 4\"")).find("no theme's title"),
              std::string::npos);
}
