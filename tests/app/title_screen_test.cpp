#include "support/main_fixture.h"

#include <QFontMetrics>

namespace {

class TitleScreen : public MainFixture {
protected:
    // A game of one taken word, its burst run for `ticks` ticks, then Esc.
    QImage boardAfterEscDuringBurst(int ticks)
    {
        startAndCountDown(0);
        answer(QStringLiteral("さくら"));
        main->Timer3->setInterval(33); // the burst is still running
        for (int i = 0; i < ticks; ++i) {
            main->Timer3_Timer();
        }
        pressEsc();
        return main->Picture4->image().copy();
    }
};

} // namespace

TEST_F(TitleScreen, AnInterruptedBurstLeavesTheBoardOfAnUninterruptedGame)
{
    makeMain();
    const QImage whole = boardAfterEscDuringBurst(11);
    for (int ticks : {1, 4, 10}) {
        EXPECT_EQ(boardAfterEscDuringBurst(ticks), whole) << ticks << " ticks";
    }

    // Enter right after the title's last burst: the title's fire does not stay either.
    main.reset();
    makeMain(false);
    for (int i = 0; i < 8; ++i) {
        main->Timer2_Timer();
    }
    main->Timer3_Timer();
    main->Timer3_Timer();
    main->Form_KeyDown(vbKeyReturn);
    pressEsc();
    EXPECT_EQ(main->Picture4->image(), whole);
}

TEST_F(TitleScreen, TitleTextsLookTheSameAfterTenGames)
{
    makeMain();
    const QImage subtitle = main->Picture2->image().copy();
    const QImage hint = main->Picture14->image().copy();
    for (int game = 0; game < 10; ++game) {
        startAndCountDown(0);
        pressEsc();
    }
    EXPECT_EQ(main->Picture2->image(), subtitle);
    EXPECT_EQ(main->Picture14->image(), hint);
}

TEST_F(TitleScreen, TheWholeVersionLineFitsInTheWindow)
{
    makeMain();
    const QRect inWindow = main->Picture2->geometry().intersected(main->rect());
    const int width = QFontMetrics(versionLineFont()).horizontalAdvance(versionLine());
    EXPECT_TRUE(versionLine().contains(QStringLiteral("zemka   V")));
    EXPECT_LE(width, inWindow.width()) << "the line is " << width << " pixels";

    // Its last digit is drawn: the column right of where it ends shows only the background.
    const QImage picture = main->Picture2->image();
    bool inked = false;
    for (int y = 20; y < picture.height(); ++y) {
        for (int x = width - 4; x < width; ++x) {
            inked |= picture.pixelColor(x, y) != main->Picture2->backColor();
        }
    }
    EXPECT_TRUE(inked);
}

TEST_F(TitleScreen, LabelsShowPuzzleAndRecordTextsAsTheyAre)
{
    // Every label a window makes is plain text, whatever data it is given.
    makeMain();
    for (QLabel* label : main->findChildren<QLabel*>()) {
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->text().toStdString();
    }
    Result dialog(main.get(), dir.path());
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->text().toStdString();
    }
}

TEST_F(TitleScreen, NoTimerRunsOnceTheTitleIsWritten)
{
    // An idle window must cost nothing: after the title and its last burst,
    // neither the game's timers nor any other timer of the window is left running.
    makeMain(false);
    for (int i = 0; i < 8; ++i) {
        main->Timer2_Timer();
    }
    ASSERT_TRUE(main->titleAnimationDone());
    for (int tick = 0; tick < 20 && main->Timer3->running(); ++tick) {
        main->Timer3_Timer();
    }
    for (Timer* timer : {main->Timer1, main->Timer2, main->Timer3, main->Timer4}) {
        EXPECT_FALSE(timer->running());
    }
    for (const QTimer* timer : main->findChildren<QTimer*>()) {
        EXPECT_FALSE(timer->isActive()) << timer->parent()->metaObject()->className();
    }
}
