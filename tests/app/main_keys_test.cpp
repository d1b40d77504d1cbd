// The main screen from the keyboard alone: the focus order, the shortcuts in
// and out of answering, the focus frame, and what a screen reader is told.

#include "records/battle_record_screen.h"
#include "records/record_screen.h"
#include "support/accessible_names.h"
#include "support/main_fixture.h"
#include "view/focus_frame.h"

#include <functional>
#include <vector>

class MainKeys : public MainFixture {
protected:
    void showMain()
    {
        makeMain();
        main->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    }

    QWidget* focused() const { return main->focusWidget(); }

    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(keyTarget(), k, modifiers);
        QCoreApplication::processEvents(); // the frame follows once the key has done its work
    }

    // Where each press of the key takes the focus, until it has gone round.
    std::vector<QWidget*> round(Qt::Key k = Qt::Key_Tab)
    {
        std::vector<QWidget*> visited;
        QWidget* start = focused();
        do {
            key(k);
            visited.push_back(focused());
        } while (focused() != start && visited.size() < 30);
        return visited;
    }

    // The record screen an action opens, closed at once: "Record", "Record2" or "" when none opens.
    QString opens(const std::function<void()>& action)
    {
        QString opened;
        QTimer::singleShot(0, [&opened] {
            QWidget* modal = QApplication::activeModalWidget();
            opened = qobject_cast<Record*>(modal) ? QStringLiteral("Record")
                     : qobject_cast<Record2*>(modal) ? QStringLiteral("Record2")
                                                     : QString();
            if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                dialog->done(0);
            }
        });
        action();
        QCoreApplication::processEvents();
        return opened;
    }

    const FocusFrame* frame() const { return main->findChild<FocusFrame*>(); }
    QImage shot() const { return main->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QRect framedInWindow(QWidget* control) const
    {
        const QRect framed = FocusFrame::framedRect(control);
        return QRect(control->mapTo(main.get(), framed.topLeft()), framed.size());
    }
};

TEST_F(MainKeys, TabGoesDownTheOptionsThenTheButtons)
{
    showMain();
    EXPECT_EQ(focused(), main->Text1);
    // A group of options is one stop; a list that cannot be used is none.
    EXPECT_EQ(round(), (std::vector<QWidget*>{main->Option5, main->Option1, main->Option3, main->Picture5,
                                             main->Picture6, main->Picture7, main->Text1}));
    key(Qt::Key_Backtab);
    EXPECT_EQ(focused(), main->Picture7);

    // The arrows choose within a group, and a list chosen with them joins the round.
    main->Text1->setFocus();
    std::vector<QWidget*> visited;
    for (Qt::Key k : {Qt::Key_Tab, Qt::Key_Down, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Down, Qt::Key_Tab, Qt::Key_Tab,
                      Qt::Key_Down, Qt::Key_Tab}) {
        key(k);
        visited.push_back(focused());
    }
    EXPECT_EQ(visited, (std::vector<QWidget*>{main->Option5, main->Option6, main->Combo2, main->Option1, main->Option2,
                                               main->Combo1, main->Option3, main->Option4, main->Picture5}));
    EXPECT_TRUE(main->Option6->isChecked());
    EXPECT_TRUE(main->Option2->isChecked());
    EXPECT_TRUE(main->Option4->isChecked());
}

TEST_F(MainKeys, AGameKeepsTheKeyboardInTheAnswerBoxThenGivesTheFocusBack)
{
    showMain();
    choosePattern(0);
    main->Combo1->setFocus();
    pressEnter();
    ASSERT_EQ(main->game().PlayState, PlayState::Countdown);
    clock.advance(3000);
    main->Timer4_Timer();
    ASSERT_EQ(main->game().PlayState, PlayState::Answering);
    EXPECT_EQ(focused(), main->Text1);
    key(Qt::Key_Tab);
    key(Qt::Key_Backtab);
    EXPECT_EQ(focused(), main->Text1);

    answer(QStringLiteral("さくら"));
    answer(QStringLiteral("さかな"));
    answer(QStringLiteral("らいおん"));
    EXPECT_EQ(result.count, 1);
    EXPECT_EQ(main->game().PlayState, PlayState::Idle);
    EXPECT_EQ(focused(), main->Combo1);

    // Ended with Esc in the countdown, from a button.
    main->Picture6->setFocus();
    pressEnter();
    EXPECT_EQ(main->game().PlayState, PlayState::Countdown);
    pressEsc();
    EXPECT_EQ(main->game().PlayState, PlayState::Idle);
    EXPECT_EQ(focused(), main->Picture6);
}

TEST_F(MainKeys, ShortcutsOutOfAGameAndWithAltInOne)
{
    showMain();
    EXPECT_EQ(opens([&] { key(Qt::Key_F2); }), QStringLiteral("Record"));
    EXPECT_EQ(opens([&] { key(Qt::Key_R, Qt::AltModifier); }), QStringLiteral("Record"));
    main->Option6->setChecked(true);
    EXPECT_EQ(opens([&] { key(Qt::Key_F2); }), QStringLiteral("Record2"));
    main->Option5->setChecked(true);
    // Out of a game there is no answer or question to show.
    key(Qt::Key_1, Qt::AltModifier);
    key(Qt::Key_2, Qt::AltModifier);
    EXPECT_TRUE(main->Label2->text().isEmpty());
    EXPECT_TRUE(main->Text1->text().isEmpty()) << "Alt keys type nothing";

    main->Option4->setChecked(true); // no questions: Alt+2 has one to show
    startAndCountDown(1);
    main->Text1->setFocus();
    EXPECT_TRUE(main->Label3[0]->text().isEmpty());
    // While answering, F2 and plain letters are the answer box's.
    EXPECT_EQ(opens([&] { key(Qt::Key_F2); }), QString());
    key(Qt::Key_R);
    EXPECT_EQ(main->Text1->text(), QStringLiteral("r"));
    EXPECT_EQ(opens([&] { key(Qt::Key_R, Qt::AltModifier); }), QStringLiteral("Record"));
    key(Qt::Key_2, Qt::AltModifier);
    EXPECT_FALSE(main->Label3[0]->text().isEmpty());
    EXPECT_TRUE(main->game().QuestionShownFlag);
    key(Qt::Key_1, Qt::AltModifier);
    EXPECT_EQ(main->Label2->text(), QStringLiteral("あいうえおかき"));
    EXPECT_TRUE(main->game().AnswerShownFlag);
    EXPECT_EQ(main->Text1->text(), QStringLiteral("r"));
    EXPECT_EQ(main->game().PlayState, PlayState::Answering);
    EXPECT_EQ(focused(), main->Text1);

    key(Qt::Key_Q, Qt::AltModifier);
    EXPECT_FALSE(main->isVisible());
}

TEST_F(MainKeys, TheFrameShowsWhereTheKeyboardIsAndNowhereElse)
{
    showMain();
    main->Option5->setFocus();
    QCoreApplication::processEvents();
    const QImage untouched = shot();
    EXPECT_FALSE(frame()->isVisible()) << "focus set by the program, no key yet";

    key(Qt::Key_Tab);
    ASSERT_EQ(focused(), main->Option1);
    ASSERT_TRUE(frame()->isVisible());
    const QImage framed = shot();
    const QRect option = framedInWindow(main->Option1);
    const QPoint ring(option.left() - 2, option.center().y());
    EXPECT_EQ(framed.pixelColor(ring), FocusFrame::kRing);
    EXPECT_EQ(framed.pixelColor(ring - QPoint(1, 0)), FocusFrame::kEdge);
    EXPECT_NE(untouched.pixelColor(ring), FocusFrame::kRing);
    // Nothing else on the screen changed.
    const QRect around = option.adjusted(-FocusFrame::kMargin, -FocusFrame::kMargin, FocusFrame::kMargin, FocusFrame::kMargin);
    for (int y = 0; y < framed.height(); ++y) {
        for (int x = 0; x < framed.width(); ++x) {
            if (framed.pixel(x, y) != untouched.pixel(x, y)) {
                ASSERT_TRUE(around.contains(x, y)) << "changed at " << x << "," << y;
            }
        }
    }

    // Round an image button too.
    while (focused() != main->Picture5) {
        key(Qt::Key_Tab);
    }
    EXPECT_EQ(shot().pixelColor(main->Picture5->geometry().left() - 2, main->Picture5->geometry().center().y()),
              FocusFrame::kRing);

    // The answer box shows its focus itself.
    while (focused() != main->Text1) {
        key(Qt::Key_Tab);
    }
    EXPECT_FALSE(frame()->isVisible());

    // The pointer puts the screen back exactly as it was.
    key(Qt::Key_Tab);
    ASSERT_EQ(focused(), main->Option5);
    EXPECT_TRUE(frame()->isVisible());
    QTest::mouseClick(main.get(), Qt::LeftButton, {}, QPoint(200, 560)); // bare ground of the mode frame
    QCoreApplication::processEvents();
    EXPECT_FALSE(frame()->isVisible());
    EXPECT_EQ(shot(), untouched);
}

TEST_F(MainKeys, EveryControlAReaderMeetsHasAName)
{
    // The walk itself finds a picture without a name.
    QWidget bare;
    bare.resize(40, 40);
    new PictureBox(&bare, QRect(0, 0, 20, 20));
    EXPECT_EQ(unnamedControls(&bare).size(), 1);

    showMain();
    int met = 0;
    EXPECT_EQ(unnamedControls(main.get(), &met), QStringList());
    EXPECT_GE(met, 15);
    EXPECT_EQ(accessibleNameOf(main->Picture5), QStringLiteral("スタート"));
    EXPECT_TRUE(main->Picture6->toolTip().contains(QStringLiteral("F2")));

    // A battle in play, its question and answer shown.
    main->Option6->setChecked(true);
    startAndCountDown(0);
    key(Qt::Key_1, Qt::AltModifier);
    EXPECT_EQ(unnamedControls(main.get()), QStringList());
    EXPECT_EQ(accessibleNameOf(main->Picture5), QStringLiteral("中断"));
    EXPECT_EQ(main->Picture12->accessibleDescription(), QStringLiteral("春の花　答え：さくら"));
    EXPECT_EQ(main->KanaIndicator->accessibleDescription(), QStringLiteral("ひらがな"));
    pressEsc();
    EXPECT_EQ(accessibleNameOf(main->Picture5), QStringLiteral("スタート"));
    EXPECT_TRUE(main->Picture12->accessibleDescription().isEmpty());

    Result dialog(main.get(), dir.path());
    dialog.Label18->setText(QStringLiteral("12.345秒"));
    dialog.Label19->setText(QStringLiteral("新記録"));
    EXPECT_EQ(unnamedControls(&dialog, &met), QStringList());
    EXPECT_GE(met, 5);
    Record single(main.get(), dir.path(), module->puzzles, module->singleRecords);
    EXPECT_EQ(unnamedControls(&single), QStringList());
    Record2 battles(main.get(), dir.path(), module->puzzles, module->battleRecords);
    EXPECT_EQ(unnamedControls(&battles), QStringList());
}

TEST_F(MainKeys, TheBoardTellsTheCurrentWordAndTheLettersTaken)
{
    makeMain();
    EXPECT_TRUE(main->Picture4->accessibleDescription().isEmpty());
    startAndCountDown(0);
    EXPECT_EQ(main->Picture4->accessibleDescription(), QStringLiteral("3 文字、横、1 行目。取った文字：あなた 0"));
    answer(QStringLiteral("さくら"));
    // The down word through the first row's さ shows it.
    EXPECT_EQ(main->Picture4->accessibleDescription(), QStringLiteral("3 文字、縦、1 列目、さ？？。取った文字：あなた 3"));
    answer(QStringLiteral("さかな"));
    EXPECT_EQ(main->Picture4->accessibleDescription(), QStringLiteral("4 文字、縦、3 列目、ら？？？。取った文字：あなた 6"));
    answer(QStringLiteral("らいおん"));
    EXPECT_TRUE(main->Picture4->accessibleDescription().isEmpty()) << "the title again";

    // A battle counts the CPU's letters too.
    main->Option6->setChecked(true);
    main->Combo2->setCurrentIndex(8);
    startAndCountDown(2);
    answer(QStringLiteral("いぬ"));
    EXPECT_EQ(main->Picture4->accessibleDescription(), QStringLiteral("2 文字、横、3 行目。取った文字：あなた 2、CPU 0"));
    pressEsc();
}

TEST_F(MainKeys, TheResultDialogShowsItsFocusButOnlyEscClosesIt)
{
    makeMain();
    Result dialog(main.get(), dir.path());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_EQ(dialog.focusWidget(), dialog.Picture1);
    const FocusFrame* ring = dialog.findChild<FocusFrame*>();
    EXPECT_FALSE(ring->isVisible());
    for (Qt::Key k : {Qt::Key_Tab, Qt::Key_Space, Qt::Key_Return}) {
        QTest::keyClick(dialog.Picture1, k);
        QCoreApplication::processEvents();
        EXPECT_TRUE(dialog.isVisible());
    }
    EXPECT_TRUE(ring->isVisible());
    EXPECT_EQ(ring->control(), dialog.Picture1);
    QTest::keyClick(dialog.Picture1, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
}
