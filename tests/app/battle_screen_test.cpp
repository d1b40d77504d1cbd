#include "support/history_fakes.h"
#include "support/main_fixture.h"

#include <QStandardItemModel>

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
    ASSERT_EQ(main->Combo2->count(), 10); // the nine ranks, then your own best
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

class RaceScreen : public Battle {
protected:
    MemoryHistoryStore store;
    void SetUp() override
    {
        Battle::SetUp();
        history = &store;
    }
    void chooseRace() { chooseRank(kRaceRank); }
};

TEST_F(RaceScreen, YourBestIsTheEntryAfterTheNineRanks)
{
    makeMain();
    ASSERT_EQ(main->Combo2->count(), 10);
    EXPECT_EQ(main->Combo2->itemText(9), QStringLiteral("自己ベスト"));

    // Nothing cleared yet: a line says so and nothing starts.
    chooseRace();
    choosePattern(0);
    pressEnter();
    EXPECT_EQ(main->game().PlayState, PlayState::Idle);
    EXPECT_EQ(main->Label1->text(), QStringLiteral("このパターンのクリア記録がありません"));

    // Cleared once in single practice; then raced, idle, the best takes the first word.
    main->Option5->setChecked(true);
    startAndCountDown(0);
    clock.advance(1000);
    answer(QStringLiteral("さくら"));
    clock.advance(1000);
    answer(QStringLiteral("さかな"));
    clock.advance(1000);
    answer(QStringLiteral("らいおん"));
    ASSERT_EQ(store.games.size(), 1u);

    chooseRace();
    startAndCountDown(0);
    EXPECT_EQ(main->game().mode, GameMode::Race);
    EXPECT_TRUE(main->PaceLabel->text().isEmpty());
    tick(1000);
    EXPECT_EQ(main->game().WordIndex, 1);
    EXPECT_TRUE(isPink(boardPixel(0)));
    EXPECT_EQ(main->PaceLabel->text(), QStringLiteral("0.0"));
    clock.advance(500);
    answer(QStringLiteral("さかな")); // half a second faster than the best
    EXPECT_EQ(main->PaceLabel->text(), QStringLiteral("−0.5"));
    tick(1000);
    EXPECT_EQ(main->game().PlayState, PlayState::Idle);
    EXPECT_EQ(result.message, QStringLiteral("7:3でＣＰＵの勝ち"));
    ASSERT_EQ(store.games.size(), 2u);
    EXPECT_EQ(store.games[1].mode, GameMode::Race);
    EXPECT_EQ(store.games[1].racedGame, 1);
    EXPECT_FALSE(fileExists(path("data3.dat"))) << "a race never touches the battle records";
    EXPECT_TRUE(main->PaceLabel->text().isEmpty()) << "the title screen again";
}

TEST_F(RaceScreen, AnUnreadableHistoryDisablesTheEntryAndSaysWhy)
{
    store.loadError = QStringLiteral("disk on fire");
    makeMain();
    chooseRank(3);
    chooseRace();
    EXPECT_EQ(main->Combo2->currentIndex(), 3);
    auto* items = qobject_cast<QStandardItemModel*>(main->Combo2->model());
    ASSERT_NE(items, nullptr);
    EXPECT_FALSE(items->item(kRaceRank)->isEnabled());
    EXPECT_TRUE(items->item(kRaceRank)->toolTip().contains(QStringLiteral("disk on fire")));
}
