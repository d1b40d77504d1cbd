#include "view/question_layout.h"

#include <QFontMetrics>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

QString joined(const QuestionLayout& layout)
{
    QStringList shown;
    for (const QString& line : layout.lines) {
        if (!line.isEmpty()) {
            shown.append(line);
        }
    }
    return shown.join(u' ');
}

} // namespace

TEST(QuestionLayout, JapaneseKeepsTwentyCharactersALine)
{
    const QString ten = QStringLiteral("あいうえおかきくけこ");
    const QuestionLayout sixty = layoutQuestion(ten.repeated(6));
    EXPECT_EQ(sixty.lines[0], ten + ten);
    EXPECT_EQ(sixty.lines[2], ten + ten);
    EXPECT_EQ(sixty.linesNeeded, 3);
    EXPECT_TRUE(sixty.fits());
    EXPECT_EQ(sixty.widestPx, QFontMetrics(questionFont()).horizontalAdvance(ten + ten));

    // Five characters past the third line: the third label still holds them all.
    const QuestionLayout long_ = layoutQuestion(ten.repeated(6) + QStringLiteral("さしすせそ"));
    EXPECT_EQ(long_.lines[2], ten + ten + QStringLiteral("さしすせそ"));
    EXPECT_EQ(long_.linesNeeded, 4);
    EXPECT_EQ(long_.overflowChars, 5);
    EXPECT_FALSE(long_.fits());

    // A space only between Japanese and a number is not a space between words.
    EXPECT_EQ(layoutQuestion(QStringLiteral("「 」の中")).linesNeeded, 1);
    const QuestionLayout empty = layoutQuestion(QString());
    EXPECT_EQ(empty.lines[0], QStringLiteral("（未登録）"));
    EXPECT_TRUE(empty.fits());
}

TEST(QuestionLayout, EnglishWrapsAtSpacesWithinTheWidth)
{
    const QString clue = QStringLiteral("A long yellow fruit that monkeys love to peel and eat in the trees, "
                                        "one hand at a time");
    const QuestionLayout layout = layoutQuestion(clue);
    EXPECT_EQ(layout.linesNeeded, 2);
    EXPECT_TRUE(layout.fits());
    EXPECT_EQ(joined(layout), clue); // broken only at spaces, none lost
    const QFontMetrics metrics(questionFont());
    for (const QString& line : layout.lines) {
        EXPECT_FALSE(line.startsWith(u' ') || line.endsWith(u' ')) << line.toStdString();
        EXPECT_LE(metrics.horizontalAdvance(line), kQuestionLineWidth) << line.toStdString();
    }
    // The first line is as full as whole words make it.
    const QString next = layout.lines[1].section(u' ', 0, 0);
    EXPECT_GT(metrics.horizontalAdvance(layout.lines[0] + u' ' + next), kQuestionLineWidth);

    // A word longer than a line is cut anywhere rather than run out of the box.
    const QuestionLayout word = layoutQuestion(QStringLiteral("Say ") + QString(80, u'm'));
    EXPECT_GE(word.linesNeeded, 2);
    EXPECT_LE(word.widestPx, kQuestionLineWidth);
}

TEST(QuestionLayout, SaysHowMuchDoesNotFit)
{
    const QString clue = QStringLiteral("The quick brown fox jumps over the lazy dog. ").repeated(4).trimmed();
    const QuestionLayout layout = layoutQuestion(clue);
    ASSERT_GT(layout.linesNeeded, kQuestionLines);
    EXPECT_FALSE(layout.fits());
    // The characters counted over are exactly what the three lines cannot hold.
    ASSERT_GT(layout.overflowChars, 0);
    EXPECT_TRUE(layoutQuestion(clue.chopped(layout.overflowChars)).fits());
    EXPECT_TRUE(layout.lines[2].endsWith(QStringLiteral("lazy dog."))); // the third label holds the rest

    // A line wider than the box: twenty full-width characters in a narrow one.
    const QuestionLayout narrow = layoutQuestion(QString(20, QChar(0x56FD)), questionFont(), 100);
    EXPECT_EQ(narrow.linesNeeded, 1);
    EXPECT_GT(narrow.widestPx, 100);
    EXPECT_FALSE(narrow.fits());
}
