#include "support/main_fixture.h"
#include "view/board.h"

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QStandardItemModel>

using GameFlow = MainFixture;

TEST_F(GameFlow, TitleAnimationLocksOutGamesUntilItEnds)
{
    makeMain(false);
    EXPECT_EQ(main->game().PlayState, PlayState::Answering);
    EXPECT_TRUE(isLightBlue(boardPixel(0))); // the title pattern's blank tiles
    pressEnter();
    main->Form_KeyDown(vbKeyEscape);
    EXPECT_EQ(main->game().PlayState, PlayState::Answering);
    EXPECT_FALSE(main->Timer4->running());

    for (int step = 1; step <= 8; ++step) {
        main->Timer2_Timer();
    }
    EXPECT_TRUE(main->game().PlayState == PlayState::Idle);
    EXPECT_FALSE(main->Timer2->running());
    EXPECT_TRUE(main->Timer3->running()); // the last row bursts
    EXPECT_EQ(main->TitleStep, 9);
    EXPECT_TRUE(isYellow(boardPixel(0)));
    EXPECT_TRUE(isYellow(boardPixel(48)));
    EXPECT_TRUE(isEmptyCell(boardPixel(7)));
    EXPECT_FALSE(main->Picture8[0]->isVisible());
}

TEST_F(GameFlow, CountdownShowsThreeTwoOneThenAnswering)
{
    makeMain();
    choosePattern(0);
    pressEnter();
    EXPECT_EQ(main->game().PlayState, PlayState::Countdown);
    EXPECT_FALSE(main->Frame1->isEnabled());
    EXPECT_FALSE(main->Text1->isEnabled());
    EXPECT_EQ(main->Label1->text(), QStringLiteral("№：00 パターン名：はじめ"));
    EXPECT_TRUE(isLightBlue(boardPixel(0)));
    EXPECT_TRUE(isEmptyCell(boardPixel(48)));

    QStringList digits;
    for (int t = 100; t < 3000; t += 100) {
        clock.advance(100);
        main->Timer4_Timer();
        if (digits.isEmpty() || digits.back() != main->Label5->text()) {
            digits.append(main->Label5->text());
        }
        ASSERT_EQ(main->Label6->text(), main->Label5->text());
    }
    EXPECT_EQ(digits, (QStringList{"3", "2", "1"}));
    clock.advance(100);
    main->Timer4_Timer();
    EXPECT_TRUE(main->Label5->text().isEmpty());
    EXPECT_EQ(main->game().PlayState, PlayState::Answering);
    EXPECT_FALSE(main->Timer4->running());
    EXPECT_TRUE(main->Timer1->running());
    EXPECT_TRUE(main->Text1->isEnabled());
    EXPECT_EQ(main->game().GameStartTime, double(clock.now));

    // Enter again does not restart anything.
    pressEnter(main.get());
    EXPECT_EQ(main->game().PlayState, PlayState::Answering);
    EXPECT_EQ(main->game().WordIndex, 0);
}

TEST_F(GameFlow, ShiftEnterStartsLikeEnter)
{
    makeMain();
    QTest::keyClick(main->Text1, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(main->game().PlayState, PlayState::Countdown);
}

TEST_F(GameFlow, ClockShowsOneDecimalAndStopsAt180)
{
    makeMain();
    startAndCountDown(0);
    clock.advance(100);
    main->Timer1_Timer();
    EXPECT_EQ(main->Label4->text(), QStringLiteral("0.1"));
    clock.advance(12'250);
    main->Timer1_Timer();
    EXPECT_EQ(main->Label4->text(), QStringLiteral("12.4")); // 12.35 rounds up
    clock.advance(180'000 - 12'350);
    answerResultDialog();
    main->Timer1_Timer();
    EXPECT_EQ(main->Label4->text(), QString()); // the title screen empties it again
    EXPECT_TRUE(main->game().PlayState == PlayState::Idle);
    EXPECT_EQ(result.count, 0);
    EXPECT_FALSE(fileExists(path("data1.dat")));
    EXPECT_TRUE(main->Frame1->isEnabled());
}

TEST_F(GameFlow, WrongAnswersOnlyEmptyTheBox)
{
    makeMain();
    startAndCountDown(0);
    for (const QString& wrong : {QStringLiteral("サクラ"), QStringLiteral("さくら "), QStringLiteral("ｻｸﾗ"), QString()}) {
        main->Text1->setText(wrong);
        pressEnter();
        EXPECT_TRUE(main->Text1->text().isEmpty());
        EXPECT_EQ(main->game().WordIndex, 0);
        EXPECT_EQ(main->game().PlayState, PlayState::Answering);
    }
    EXPECT_TRUE(isLightBlue(boardPixel(1)));
}

TEST_F(GameFlow, RightAnswersRevealWordsAndTheLastEndsTheGame)
{
    makeMain();
    startAndCountDown(0);
    EXPECT_EQ(main->Picture8[0]->geometry(), QRect(28, 112, 123, 3)); // さくら across at cell 0

    answer(QStringLiteral("さくら"));
    EXPECT_EQ(main->game().WordIndex, 1);
    EXPECT_TRUE(isYellow(main->Picture4->image().pixel(board::tilePos(2) + QPoint(4, 30))));
    EXPECT_EQ(main->game().LastTaker, Taker::Player);
    EXPECT_EQ(main->Picture8[2]->geometry(), QRect(28, 112, 3, 123)); // さかな down at cell 0
    EXPECT_EQ(sound.played.size(), 0); // the burst's sound comes with its first tick
    main->Timer3_Timer();
    EXPECT_TRUE(sound.played.value(0).endsWith(QStringLiteral("sound/Boom.wav")));

    answer(QStringLiteral("さかな"));
    answer(QStringLiteral("らいおん"));
    EXPECT_TRUE(main->game().PlayState == PlayState::Idle);
    EXPECT_TRUE(main->game().CompletedFlag);
    EXPECT_EQ(result.count, 1);
    EXPECT_TRUE(isEmptyCell(boardPixel(0))); // back to the title screen
}

TEST_F(GameFlow, TheLastWordIsRevealedButNotBurst)
{
    makeMain();
    startAndCountDown(1);
    const QRect frame = main->Picture8[0]->geometry().united(main->Picture8[3]->geometry());
    EXPECT_EQ(frame.size(), QSize(283, 43));
    main->Text1->setText(QStringLiteral("あいうえおかき"));
    QTimer::singleShot(0, [this] {
        // While the dialog is open the board still shows the whole word on yellow tiles.
        EXPECT_TRUE(isYellow(main->Picture4->image().pixel(board::tilePos(13) + QPoint(4, 30))));
        EXPECT_FALSE(main->Timer3->running());
        if (auto* dialog = QApplication::activeModalWidget()) {
            static_cast<QDialog*>(dialog)->done(0);
        }
    });
    pressEnter();
    EXPECT_TRUE(main->game().PlayState == PlayState::Idle);
}

TEST_F(GameFlow, EscEndsTheGameWithoutAResult)
{
    makeMain();
    choosePattern(0);
    pressEnter();
    answerResultDialog();
    pressEsc();
    EXPECT_TRUE(main->game().PlayState == PlayState::Idle);
    EXPECT_FALSE(main->Timer4->running());
    EXPECT_TRUE(main->Text1->isEnabled()); // the same title screen as after a whole game

    startAndCountDown(0);
    answer(QStringLiteral("さくら"));
    pressEsc();
    EXPECT_TRUE(main->game().PlayState == PlayState::Idle);
    EXPECT_FALSE(main->Timer1->running());
    EXPECT_EQ(result.count, 0);
    EXPECT_TRUE(!main->game().CompletedFlag);
    EXPECT_TRUE(main->Label1->text().isEmpty());
    EXPECT_FALSE(fileExists(path("data1.dat")));
}

TEST_F(GameFlow, AnInputMethodCommitIsNotAnAnswerUntilEnter)
{
    makeMain();
    startAndCountDown(0);
    QInputMethodEvent compose(QStringLiteral("さくら"), {});
    QCoreApplication::sendEvent(main->Text1, &compose);
    EXPECT_TRUE(main->Text1->text().isEmpty()); // still being composed
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("さくら"));
    QCoreApplication::sendEvent(main->Text1, &commit);
    EXPECT_EQ(main->game().WordIndex, 0);
    EXPECT_EQ(main->Text1->text(), QStringLiteral("さくら"));
    pressEnter();
    EXPECT_EQ(main->game().WordIndex, 1);
}

TEST_F(GameFlow, APatternWithoutWordsIsNeverOfferedNorStarted)
{
    QStringList lines = samplePuzzle();
    lines.removeAll(QStringLiteral("0,0,1,0,1,\"さかな\",\"\"")); // a word lost to damage
    ASSERT_TRUE(packLines(seq, lines, path("data2.dat")));
    makeMain();
    auto* items = qobject_cast<QStandardItemModel*>(main->Combo1->model());
    ASSERT_NE(items, nullptr);
    EXPECT_FALSE(items->item(50)->isEnabled()); // not in the file at all
    EXPECT_FALSE(items->item(0)->isEnabled());
    EXPECT_TRUE(items->item(1)->isEnabled());
    EXPECT_EQ(main->Combo1->count(), 99);

    choosePattern(50);
    pressEnter();
    EXPECT_EQ(main->game().PlayState, PlayState::Idle);
    EXPECT_FALSE(main->Label1->text().isEmpty()); // a line says why
    EXPECT_FALSE(main->Timer4->running());

    // Random choice draws only playable patterns.
    main->Option1->setChecked(true);
    for (double draw : {0.0, 0.3, 0.99}) {
        random = ScriptedRandom({draw});
        pressEnter();
        EXPECT_EQ(main->game().PlayState, PlayState::Countdown);
        EXPECT_TRUE(isPlayable(module->puzzles, main->game().PatternIndex)) << main->game().PatternIndex;
        pressEsc();
    }
}

TEST_F(GameFlow, QuickWordsLeaveNoBurstOnTheBoard)
{
    makeMain();
    startAndCountDown(0);
    const QImage before = main->Picture4->image().copy();
    main->Text1->setText(QStringLiteral("さくら"));
    pressEnter();
    for (int tick = 0; tick < 4; ++tick) {
        main->Timer3_Timer(); // the burst is halfway when the next word comes
    }
    main->Text1->setText(QStringLiteral("さかな"));
    pressEnter();
    while (main->Timer3->running()) {
        main->Timer3_Timer();
    }
    // Every pixel is a tile, a letter or the panel: nothing of the fire remains.
    const QImage& after = main->Picture4->image();
    EXPECT_TRUE(isYellow(boardPixel(1)));
    EXPECT_TRUE(isYellow(boardPixel(14)));
    for (int cell : {3, 8, 9, 15, 21, 22}) {
        const QPoint at = board::tilePos(cell) + QPoint(4, 30);
        EXPECT_EQ(after.pixel(at), before.pixel(at)) << "cell " << cell;
    }
    EXPECT_EQ(after.pixel(QPoint(20, 104)), before.pixel(QPoint(20, 104))); // the panel's edge
}

TEST_F(GameFlow, EscDuringABurstLeavesAnEmptyTitleBoard)
{
    makeMain();
    startAndCountDown(0);
    answer(QStringLiteral("さくら"));
    main->Timer3->setInterval(33); // the burst is still running
    main->Timer3_Timer();
    pressEsc();
    EXPECT_FALSE(main->Timer3->running());
    for (int cell = 0; cell < 49; ++cell) {
        ASSERT_TRUE(isEmptyCell(boardPixel(cell))) << cell;
    }
}
