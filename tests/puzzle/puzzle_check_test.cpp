#include "puzzle/puzzle_check.h"
#include "puzzle/puzzle_set.h"
#include "puzzle/word_file.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

QList<PuzzleProblem> check(const QStringList& lines)
{
    auto set = std::make_unique<PuzzleSet>();
    WordFileReport report;
    ReadWordFile(lines, *set, &report);
    return checkPuzzleSet(*set, &report);
}

QString join(const QList<PuzzleProblem>& problems)
{
    QStringList out;
    for (const auto& p : problems) {
        out.append(QString::number(p.line) + u':' + p.message);
    }
    return out.join(u'\n');
}

} // namespace

TEST(PuzzleCheck, AGoodCrosswordHasNoProblems)
{
    const auto problems = check({QStringLiteral("0,1,1,0,0,\"x\",\"\""), QStringLiteral("0,0,0,0,0,\"さくら\",\"\""),
                                 QStringLiteral("0,0,1,0,1,\"さかな\",\"\"")});
    EXPECT_TRUE(problems.isEmpty()) << join(problems).toStdString();
}

TEST(PuzzleCheck, FindsEveryBrokenRuleWithItsLine)
{
    const auto problems = check({
        QStringLiteral("0,1,3,0,0,\"x\",\"\""),
        QStringLiteral("0,0,0,0,0,\"さくら\",\"\""),
        QStringLiteral("0,0,1,0,1,\"すいか\",\"\""),         // crosses さ with す
        QStringLiteral("0,0,2,5,0,\"かめ\",\"\""),           // column 5 + 2 fits
        QStringLiteral("0,0,3,6,0,\"ながいことば\",\"\""),   // off the board
        QStringLiteral("1,1,16,0,0,\"y\",\"\""),             // last word index out of range
        QStringLiteral("2,0,0,0,0,\"あいうえおかきく\",\"\""), // no header, too long
    });
    const QString text = join(problems);
    EXPECT_TRUE(text.contains(QStringLiteral("3:pattern 0, word 1"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("5:pattern 0, word 3 (ながいことば): the word leaves the board")));
    EXPECT_TRUE(text.contains(QStringLiteral("6:pattern 1: last word index 16")));
    EXPECT_TRUE(text.contains(QStringLiteral("pattern 2 has words but no header line")));
    EXPECT_TRUE(text.contains(QStringLiteral("longer than 7")));
    EXPECT_FALSE(text.contains(QStringLiteral("word 2 (かめ)")));
}
