#include "support/main_fixture.h"

#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QStyleHints>

namespace {

class AnswerBoxTest : public MainFixture {
protected:
    void typeKeys(const QString& keys) { QTest::keyClicks(main->Text1, keys); }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(main->Text1, key, modifiers);
    }
    QString text() const { return main->Text1->text(); }
    QString indicator() const { return main->KanaIndicator->text(); }
    void sendInputMethod(const QString& preedit, const QString& commit)
    {
        QInputMethodEvent event(preedit, {});
        event.setCommitString(commit);
        QApplication::sendEvent(main->Text1, &event);
    }
};

} // namespace

TEST_F(AnswerBoxTest, RomajiPlaysAPatternWithOneEnterPerWord)
{
    makeMain();
    typeKeys(QStringLiteral("abc")); // idle: the box takes keys as they are
    EXPECT_EQ(text(), QStringLiteral("abc"));
    EXPECT_TRUE(indicator().isEmpty());

    startAndCountDown(0);
    EXPECT_EQ(indicator(), QStringLiteral("あ"));
    typeKeys(QStringLiteral("sakura"));
    EXPECT_EQ(text(), QStringLiteral("さくら"));
    pressEnter();
    EXPECT_EQ(main->game().WordIndex, 1);
    typeKeys(QStringLiteral("SAKANA")); // Caps Lock on
    pressEnter();
    EXPECT_EQ(main->game().WordIndex, 2);

    typeKeys(QStringLiteral("raion"));
    EXPECT_EQ(text(), QStringLiteral("らいおn"));
    EXPECT_EQ(main->Text1->pending(), QStringLiteral("n"));
    answerResultDialog();
    pressEnter(); // the lone n becomes ん, then the word is answered
    EXPECT_EQ(result.count, 1);
    EXPECT_TRUE(main->game().PlayState == PlayState::Idle);
    EXPECT_EQ(module->singleRecords.CountWithQuestion[0], 1);
    EXPECT_TRUE(indicator().isEmpty());
}

TEST_F(AnswerBoxTest, AnEmptiedBoxStartsAfreshAndCannotBeUndone)
{
    makeMain();
    startAndCountDown(0);
    typeKeys(QStringLiteral("sak"));
    press(Qt::Key_F7);
    EXPECT_EQ(text(), QStringLiteral("サk"));
    EXPECT_EQ(indicator(), QStringLiteral("ア"));
    pressEnter(); // wrong
    EXPECT_TRUE(text().isEmpty());
    EXPECT_TRUE(main->Text1->pending().isEmpty());
    EXPECT_EQ(indicator(), QStringLiteral("あ"));
    press(Qt::Key_Z, Qt::ControlModifier);
    main->Text1->undo();
    EXPECT_TRUE(text().isEmpty());
    EXPECT_EQ(main->game().WordIndex, 0);
}

TEST_F(AnswerBoxTest, KindKeysConvertTheWholeBoxAndTheIndicatorFollows)
{
    makeMain();
    startAndCountDown(0);
    typeKeys(QStringLiteral("sakura"));
    press(Qt::Key_F7);
    EXPECT_EQ(text(), QStringLiteral("サクラ"));
    press(Qt::Key_F8);
    EXPECT_EQ(text(), QStringLiteral("ｻｸﾗ"));
    EXPECT_EQ(indicator(), QStringLiteral("ｱ"));
    press(Qt::Key_F10);
    EXPECT_EQ(text(), QStringLiteral("sakura"));
    EXPECT_EQ(indicator(), QStringLiteral("A"));
    press(Qt::Key_Space);
    EXPECT_EQ(text(), QStringLiteral("サクラ"));
    EXPECT_EQ(indicator(), QStringLiteral("ア"));
    press(Qt::Key_Space);
    EXPECT_EQ(text(), QStringLiteral("さくら"));
    EXPECT_EQ(indicator(), QStringLiteral("あ"));
    press(Qt::Key_Backspace);
    EXPECT_EQ(text(), QStringLiteral("さく"));
    press(Qt::Key_F6);
    typeKeys(QStringLiteral("ra"));
    pressEnter();
    EXPECT_EQ(main->game().WordIndex, 1);

    pressEsc();
    EXPECT_TRUE(indicator().isEmpty());
}

TEST_F(AnswerBoxTest, LettersInTheAnswerTurnTheConversionOff)
{
    makeMain();
    startAndCountDown(3);
    EXPECT_EQ(indicator(), QStringLiteral("A"));
    typeKeys(QStringLiteral("ABX"));
    EXPECT_EQ(text(), QStringLiteral("ABX"));
    pressEnter(); // wrong
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(text().isEmpty());
    typeKeys(QStringLiteral("ABC"));
    pressEnter();
    ASSERT_EQ(main->game().WordIndex, 1);

    // The next answer is kana holding a space: Space types it.
    EXPECT_EQ(indicator(), QStringLiteral("あ"));
    typeKeys(QStringLiteral("a i"));
    EXPECT_EQ(text(), QStringLiteral("あ い"));
    answerResultDialog();
    pressEnter();
    EXPECT_EQ(result.count, 1);
}

TEST_F(AnswerBoxTest, TheCpuTakingAWordTakesThePendingLettersToo)
{
    makeMain();
    main->Option6->setChecked(true);
    main->Combo2->setCurrentIndex(8);
    startAndCountDown(0);
    typeKeys(QStringLiteral("sak"));
    EXPECT_EQ(main->Text1->pending(), QStringLiteral("k"));
    clock.advance(60000);
    main->Timer1_Timer();
    ASSERT_EQ(main->game().WordIndex, 1);
    EXPECT_TRUE(text().isEmpty());
    EXPECT_TRUE(main->Text1->pending().isEmpty());
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(text().isEmpty());
    typeKeys(QStringLiteral("sakana"));
    EXPECT_EQ(text(), QStringLiteral("さかな"));
}

TEST_F(AnswerBoxTest, ARealInputMethodComposesAndCommitsUndisturbed)
{
    makeMain();
    startAndCountDown(0);
    sendInputMethod(QStringLiteral("さく"), QString());
    EXPECT_TRUE(text().isEmpty());
    sendInputMethod(QString(), QStringLiteral("さくら"));
    EXPECT_EQ(text(), QStringLiteral("さくら"));
    pressEnter(); // one Enter answers what the input method committed
    ASSERT_EQ(main->game().WordIndex, 1);

    // Romaji typed after a commit goes on after it.
    sendInputMethod(QString(), QStringLiteral("さか"));
    typeKeys(QStringLiteral("na"));
    EXPECT_EQ(text(), QStringLiteral("さかな"));
    pressEnter();
    EXPECT_EQ(main->game().WordIndex, 2);
}

// Left waiting, the caret stops blinking; a key or the focus wakes it, and
// the desktop's flash time always comes back.
TEST_F(AnswerBoxTest, AnIdleCaretRestsAndAKeyWakesIt)
{
    QStyleHints* hints = QGuiApplication::styleHints();
    const int desktopFlashTime = hints->cursorFlashTime();
    ASSERT_GT(desktopFlashTime, 0);
    makeMain();
    main->show();
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    main->Text1->setFocus();
    main->Text1->setBlinkFor(40);
    QTRY_VERIFY(main->Text1->caretResting());
    EXPECT_EQ(hints->cursorFlashTime(), 0);

    typeKeys(QStringLiteral("a"));
    EXPECT_FALSE(main->Text1->caretResting());
    EXPECT_EQ(hints->cursorFlashTime(), desktopFlashTime);
    QTRY_VERIFY(main->Text1->caretResting());

    main->Text1->clearFocus();
    EXPECT_EQ(hints->cursorFlashTime(), desktopFlashTime);
    QTest::qWait(100);
    EXPECT_FALSE(main->Text1->caretResting());

    main->Text1->setFocus();
    QTRY_VERIFY(main->Text1->caretResting());
    main.reset();
    EXPECT_EQ(hints->cursorFlashTime(), desktopFlashTime);
}

TEST_F(AnswerBoxTest, TheCaretMovesAndTypingAndBackspaceActThere)
{
    makeMain();
    startAndCountDown(0);
    typeKeys(QStringLiteral("sura"));
    press(Qt::Key_Left);
    typeKeys(QStringLiteral("k"));
    EXPECT_EQ(text(), QStringLiteral("すkら"));
    EXPECT_EQ(main->Text1->cursorPosition(), 2);
    typeKeys(QStringLiteral("u"));
    EXPECT_EQ(text(), QStringLiteral("すくら"));
    press(Qt::Key_Home);
    typeKeys(QStringLiteral("sa"));
    EXPECT_EQ(text(), QStringLiteral("さすくら"));
    press(Qt::Key_Right);
    press(Qt::Key_Backspace); // the す before the caret
    EXPECT_EQ(text(), QStringLiteral("さくら"));
    press(Qt::Key_End);
    pressEnter();
    EXPECT_EQ(main->game().WordIndex, 1);
}

TEST_F(AnswerBoxTest, AGameThatEndsLeavesNoHalfTypedLetters)
{
    makeMain();
    startAndCountDown(0);
    typeKeys(QStringLiteral("moch"));
    EXPECT_EQ(text(), QStringLiteral("もch"));
    pressEsc();
    EXPECT_EQ(text(), QStringLiteral("も"));
    EXPECT_TRUE(main->Text1->pending().isEmpty());
}

TEST_F(AnswerBoxTest, AMissFlashesTheFrameAndAWrongScriptShowsTheOneWanted)
{
    makeMain();
    startAndCountDown(0);
    const QImage before = main->Text1->grab().toImage();
    typeKeys(QStringLiteral("sakuru"));
    pressEnter();
    EXPECT_TRUE(text().isEmpty());
    EXPECT_TRUE(main->Text1->missShown());
    EXPECT_NE(main->Text1->grab().toImage(), before); // the frame is drawn
    EXPECT_EQ(indicator(), QStringLiteral("あ"));
    EXPECT_FALSE(main->KanaIndicator->autoFillBackground()); // a plain miss: the mark stays
    QTest::qWait(AnswerBox::kMissFlashMs + 100);
    EXPECT_FALSE(main->Text1->missShown());
    EXPECT_EQ(main->game().WordIndex, 0);

    // さくら typed in katakana: the mark shows あ, flashing.
    typeKeys(QStringLiteral("sakura"));
    press(Qt::Key_Space);
    EXPECT_EQ(text(), QStringLiteral("サクラ"));
    EXPECT_EQ(indicator(), QStringLiteral("ア"));
    pressEnter();
    EXPECT_EQ(indicator(), QStringLiteral("あ"));
    EXPECT_TRUE(main->KanaIndicator->autoFillBackground());
    QTest::qWait(800);
    EXPECT_FALSE(main->KanaIndicator->autoFillBackground());
}
