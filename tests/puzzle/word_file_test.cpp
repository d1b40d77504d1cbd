#include "puzzle/puzzle_set.h"
#include "puzzle/word_file.h"

#include <gtest/gtest.h>
#include <memory>

TEST(WordFields, QuotesCommasSpacesAndLineEnds)
{
    EXPECT_EQ(splitWordFields(QStringLiteral("5, 0,0,8,  1,\"さか,な\",\"問題です\"")),
              (QStringList{"5", "0", "0", "8", "1", "さか,な", "問題です"}));
    EXPECT_EQ(splitWordFields(QStringLiteral("1,1,3,,,名前,")), (QStringList{"1", "1", "3", "", "", "名前", ""}));
    EXPECT_EQ(splitWordFields(QStringLiteral("1,1,3,0,0,\"\",\"\"")), (QStringList{"1", "1", "3", "0", "0", "", ""}));
    // Unquoted text ends at the next comma; a quoted one keeps its spaces.
    EXPECT_EQ(splitWordFields(QStringLiteral("a b ,\" c \"")), (QStringList{"a b", " c "}));
    EXPECT_EQ(splitWordFields(QString()), QStringList{QString()});
    // An unclosed quote runs to the line end.
    EXPECT_EQ(splitWordFields(QStringLiteral("\"open,ended")), QStringList{"open,ended"});
}

namespace {

std::unique_ptr<PuzzleSet> read(const QStringList& lines, WordFileReport* report = nullptr)
{
    auto set = std::make_unique<PuzzleSet>();
    ReadWordFile(lines, *set, report);
    return set;
}

} // namespace

TEST(ReadWordFile, HeaderAndWordLines)
{
    const auto set = read({QStringLiteral("5,1,1,99,x,\"動物\",whatever"),
                           QStringLiteral("5,0,0,8,1,\"さかな\",\"海を泳ぐ\""),
                           QStringLiteral("5,2,1,8,2,\"さる\",")});
    EXPECT_EQ(set->LastWordIndex[5], 1);
    EXPECT_EQ(set->PatternName[5], QStringLiteral("動物"));
    EXPECT_EQ(set->WordCell[5][0], 8);
    EXPECT_TRUE(isDown(set->WordDirection[5][0]));
    EXPECT_EQ(set->WordAnswer[5][0], QStringLiteral("さかな"));
    EXPECT_EQ(set->WordQuestion[5][0], QStringLiteral("海を泳ぐ"));
    // Any field 2 but 1 is a word line.
    EXPECT_EQ(set->WordAnswer[5][1], QStringLiteral("さる"));
    EXPECT_FALSE(isDown(set->WordDirection[5][1]));
    EXPECT_TRUE(set->WordQuestion[5][1].isEmpty());
}

TEST(ReadWordFile, HeaderAfterItsWordsGivesTheSameSet)
{
    const QString header = QStringLiteral("3,1,0,0,0,\"名前\",\"\"");
    const QString word = QStringLiteral("3,0,0,0,0,\"あ\",\"\"");
    const auto before = read({header, word});
    const auto after = read({word, header});
    EXPECT_EQ(before->LastWordIndex, after->LastWordIndex);
    EXPECT_EQ(before->PatternName, after->PatternName);
    EXPECT_EQ(before->WordAnswer, after->WordAnswer);
}

TEST(ReadWordFile, LaterLinesOverwriteEarlierOnes)
{
    const auto set = read({QStringLiteral("0,0,0,0,0,\"いぬ\",\"\""), QStringLiteral("0,0,0,7,1,\"ねこ\",\"猫\"")});
    EXPECT_EQ(set->WordAnswer[0][0], QStringLiteral("ねこ"));
    EXPECT_EQ(set->WordCell[0][0], 7);
}

TEST(ReadWordFile, OnlyOneMeansDown)
{
    const auto set = read({QStringLiteral("0,0,0,0,2,a,"), QStringLiteral("0,0,1,0,0,a,"), QStringLiteral("0,0,2,0,-1,a,"),
                           QStringLiteral("0,0,3,0,1,a,")});
    EXPECT_FALSE(isDown(set->WordDirection[0][0]));
    EXPECT_FALSE(isDown(set->WordDirection[0][1]));
    EXPECT_FALSE(isDown(set->WordDirection[0][2]));
    EXPECT_TRUE(isDown(set->WordDirection[0][3]));
}

TEST(ReadWordFile, LinesOutsideTheTablesAreSkippedAndCounted)
{
    WordFileReport report;
    const auto set = read({QStringLiteral("100,1,0,0,0,x,"), QStringLiteral("-1,0,0,0,0,x,"), QStringLiteral("0,0,16,0,0,x,"),
                           QStringLiteral("0,0,-1,0,0,x,"), QStringLiteral("0,0,0,40000,0,x,"), QStringLiteral("0,0,0,0,0,x"),
                           QStringLiteral("0,zero,0,0,0,x,"), QString(), QStringLiteral("0,1,2,0,0,ok,")},
                          &report);
    EXPECT_EQ(report.skipped.size(), 7);
    EXPECT_EQ(report.skipped.front().line, 1);
    EXPECT_EQ(report.skipped.back().line, 7);
    EXPECT_TRUE(set->WordAnswer[0][0].isEmpty());
    EXPECT_EQ(set->PatternName[0], QStringLiteral("ok"));
    EXPECT_EQ(report.headerLine[0], 9);
}

TEST(ReadWordFile, APatternWithoutHeaderHasOneEmptyWord)
{
    const auto set = read({QStringLiteral("4,0,3,0,0,\"つき\",\"\"")});
    EXPECT_EQ(set->LastWordIndex[4], 0);
    EXPECT_TRUE(set->PatternName[4].isEmpty());
    EXPECT_TRUE(set->WordAnswer[4][0].isEmpty());
    EXPECT_EQ(set->WordAnswer[4][3], QStringLiteral("つき"));
}

TEST(ReadWordFile, LastSlotStaysInsideTheTable)
{
    const auto set = read({QStringLiteral("1,1,40,0,0,a,"), QStringLiteral("2,1,-3,0,0,b,")});
    EXPECT_EQ(set->lastSlot(1), 15);
    EXPECT_EQ(set->lastSlot(2), 0);
}

TEST(ReadWordFile, QuotedTextsKeepTheirCommas)
{
    const auto set = read({QStringLiteral("7,1,0,0,0,\"ある, 名前\",\"\""),
                           QStringLiteral("7,0,0,14,1,\"そら\",\"青い、広い\"")});
    EXPECT_EQ(set->PatternName[7], QStringLiteral("ある, 名前"));
    EXPECT_EQ(set->WordQuestion[7][0], QStringLiteral("青い、広い"));
    EXPECT_EQ(wordCells(*set, 7, 0), (QList<int>{14, 21}));
}
