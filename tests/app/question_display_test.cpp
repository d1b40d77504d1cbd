#include "app/question_display.h"
#include "support/main_fixture.h"

TEST(QuestionLines, TwentyCharactersALineAndTheRestOnTheThird)
{
    const QString ten = QStringLiteral("あいうえおかきくけこ");
    EXPECT_EQ(splitQuestion(ten + ten)[0], ten + ten);
    EXPECT_TRUE(splitQuestion(ten + ten)[1].isEmpty());
    EXPECT_EQ(splitQuestion(ten + ten + QStringLiteral("さ"))[1], QStringLiteral("さ"));
    EXPECT_TRUE(splitQuestion(ten + ten + ten + ten)[2].isEmpty());
    EXPECT_EQ(splitQuestion(ten + ten + ten + ten + QStringLiteral("し"))[2], QStringLiteral("し"));
    const auto seventy = splitQuestion(ten.repeated(7));
    EXPECT_EQ(seventy[0].size(), 20);
    EXPECT_EQ(seventy[1].size(), 20);
    EXPECT_EQ(seventy[2].size(), 30);
    EXPECT_EQ(splitQuestion(QString())[0], QStringLiteral("（未登録）"));
    // A character outside the basic plane is one character, never cut in two.
    const QString wide = QString(19, u'あ') + QString::fromUcs4(U"\U00020B9F") + QStringLiteral("い");
    EXPECT_EQ(splitQuestion(wide)[0], QString(19, u'あ') + QString::fromUcs4(U"\U00020B9F"));
    EXPECT_EQ(splitQuestion(wide)[1], QStringLiteral("い"));
}

using QuestionPanel = MainFixture;

TEST_F(QuestionPanel, ShownForEachWordWhenQuestionsAreOn)
{
    makeMain();
    startAndCountDown(0);
    EXPECT_EQ(main->Label3[0]->text(), QStringLiteral("春の花"));
    answer(QStringLiteral("さくら"));
    EXPECT_EQ(main->Label3[0]->text(), QStringLiteral("（未登録）"));
}

TEST_F(QuestionPanel, ButtonsPeekOnlyWhileAnswering)
{
    makeMain();
    main->Option4->setChecked(true);
    main->Command3_Click();
    main->Command2_Click();
    EXPECT_TRUE(main->Label3[0]->text().isEmpty());
    EXPECT_TRUE(main->Label2->text().isEmpty());

    choosePattern(1);
    main->Form_KeyDown(vbKeyReturn);
    main->Command3_Click(); // during the countdown: nothing
    main->Command2_Click();
    EXPECT_FALSE(main->game().QuestionShownFlag);
    EXPECT_FALSE(main->game().AnswerShownFlag);
    clock.advance(3000);
    main->Timer4_Timer();
    EXPECT_TRUE(main->Label3[0]->text().isEmpty()); // questions are off

    main->Command3->click();
    EXPECT_TRUE(main->game().QuestionShownFlag);
    EXPECT_EQ(main->Label3[0]->text().size(), 20);
    EXPECT_EQ(main->Label3[1]->text(), QStringLiteral("二"));
    main->Command2->click();
    EXPECT_TRUE(main->game().AnswerShownFlag);
    EXPECT_EQ(main->Label2->text(), QStringLiteral("あいうえおかき"));
    EXPECT_EQ(main->focusWidget(), main->Text1);
}

TEST(QuestionLines, EnglishWrapsAtSpacesToTheLabels)
{
    const QString clue = QStringLiteral("Small round fruits that grow in bunches on a vine, eaten fresh or dried, "
                                        "and pressed to make wine");
    const auto lines = splitQuestion(clue);
    // Whole words on each line, none lost, and more of them than twenty characters hold.
    EXPECT_EQ(lines[0] + u' ' + lines[1] + (lines[2].isEmpty() ? QString() : u' ' + lines[2]), clue);
    EXPECT_TRUE(clue.startsWith(lines[0] + u' '));
    EXPECT_GT(lines[0].size(), 20);
}
