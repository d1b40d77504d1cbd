#include "support/main_fixture.h"

class Battle : public MainFixture {
protected:
    void chooseRank(int r)
    {
        main->Option6->setChecked(true);
        main->Combo2->setCurrentIndex(r);
    }
    void tick(qint64 ms)
    {
        clock.advance(ms);
        answerResultDialog();
        main->Timer1_Timer();
        main->Timer3->setInterval(0);
    }
};

TEST_F(Battle, RankListAfterStartUp)
{
    makeMain();
    ASSERT_EQ(main->Combo2->count(), 9);
    EXPECT_EQ(main->Combo2->currentText(), QStringLiteral("タマゴ"));
    EXPECT_EQ(main->Combo2->itemText(8), QStringLiteral("zemka"));
}

TEST_F(Battle, AnIdlePlayerLosesEveryWordToZemka)
{
    makeMain();
    chooseRank(8);
    startAndCountDown(0);
    main->Text1->setText(QStringLiteral("さく")); // half typed
    // さくら: at least 0.4 + 3 × 0.2 seconds.
    tick(900);
    EXPECT_EQ(main->game().WordIndex, 0);
    for (int i = 0; i < 200 && main->game().PlayState != PlayState::Idle; ++i) {
        tick(100);
        if (main->game().WordIndex == 1 && i < 50) {
            EXPECT_TRUE(main->Text1->text().isEmpty());
        }
    }
    EXPECT_TRUE(main->game().PlayState == PlayState::Idle);
    EXPECT_EQ(main->game().CpuLetters, 10);
    EXPECT_EQ(main->game().PlayerLetters, 0);
    EXPECT_EQ(result.message, QStringLiteral("10:0でＣＰＵの勝ち"));
    EXPECT_TRUE(sound.played.contains(path("sound/loose.wav")));
    EXPECT_EQ(module->battleRecords.Losses[0][8], 1);
    const auto lines = unpackLines(seq, path("data3.dat")).lines;
    ASSERT_EQ(lines.size(), 891);
    EXPECT_EQ(lines[0 * 9 + 8], QStringLiteral("0,1"));
}

TEST_F(Battle, EachTakerHasItsTileColour)
{
    makeMain();
    chooseRank(8);
    startAndCountDown(0);
    answer(QStringLiteral("さくら"));
    tick(static_cast<qint64>(main->game().CpuWordTime * 1000));
    EXPECT_EQ(main->game().CpuLetters, 3);
    EXPECT_TRUE(isPink(boardPixel(14)));  // さかな, the CPU's
    EXPECT_TRUE(isYellow(boardPixel(1))); // さくら, the player's
}
