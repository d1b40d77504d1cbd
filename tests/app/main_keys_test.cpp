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
    // The record screen an action opens, closed at once: "Record", "Record2" or "".
    QString opens(const std::function<void()>& action)
    {
        QString opened;
        QTimer::singleShot(0, [&opened] {
            QWidget* modal = QApplication::activeModalWidget();
            opened = qobject_cast<Record*>(modal) ? "Record" : qobject_cast<Record2*>(modal) ? "Record2" : "";
            if (modal) {
                static_cast<QDialog*>(modal)->done(0);
            }
        });
        action();
        QCoreApplication::processEvents();
        return opened;
    }
    QImage shot() const { return main->grab().toImage().convertToFormat(QImage::Format_RGB32); }
};

TEST_F(MainKeys, TabGoesDownTheOptionsThenTheButtonsAndComesBackAfterAGame)
{
    showMain();
    std::vector<QWidget*> visited;
    // ↓ chooses within a frame, and a list it enables joins the round.
    for (Qt::Key k : {Qt::Key_Tab, Qt::Key_Down, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Down, Qt::Key_Tab, Qt::Key_Tab,
                      Qt::Key_Down, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab}) {
        key(k);
        visited.push_back(focused());
    }
    EXPECT_EQ(visited, (std::vector<QWidget*>{main->Option5, main->Option6, main->Combo2, main->Option1, main->Option2,
                                               main->Combo1, main->Option3, main->Option4, main->Picture5,
                                               main->Picture6, main->Picture7, main->Text1}));

    main->Option5->setChecked(true);
    main->Combo1->setCurrentIndex(0);
    main->Combo1->setFocus();
    pressEnter();
    clock.advance(3000);
    main->Timer4_Timer();
    key(Qt::Key_Tab); // a stray Tab must not take the next letters elsewhere
    EXPECT_EQ(focused(), main->Text1);
    answer(QStringLiteral("さくら"));
    answer(QStringLiteral("さかな"));
    answer(QStringLiteral("らいおん"));
    EXPECT_EQ(result.count, 1);
    EXPECT_EQ(focused(), main->Combo1);
}

TEST_F(MainKeys, ShortcutsOutOfAGameAndWithAltInOne)
{
    showMain();
    EXPECT_EQ(opens([&] { key(Qt::Key_F2); }), "Record");
    main->Option6->setChecked(true);
    EXPECT_EQ(opens([&] { key(Qt::Key_R, Qt::AltModifier); }), "Record2");
    main->Option5->setChecked(true);

    main->Option4->setChecked(true); // no questions: Alt+2 has one to show
    startAndCountDown(1);
    EXPECT_EQ(opens([&] { key(Qt::Key_F2); }), "") << "F2 is the answer box's while answering";
    key(Qt::Key_R);
    EXPECT_EQ(opens([&] { key(Qt::Key_R, Qt::AltModifier); }), "Record");
    key(Qt::Key_2, Qt::AltModifier);
    EXPECT_FALSE(main->Label3[0]->text().isEmpty());
    key(Qt::Key_1, Qt::AltModifier);
    EXPECT_EQ(main->Label2->text(), QStringLiteral("あいうえおかき"));
    EXPECT_EQ(main->Text1->text(), QStringLiteral("r")) << "the letter typed, the Alt keys not";
    key(Qt::Key_Q, Qt::AltModifier);
    EXPECT_FALSE(main->isVisible());
}

TEST_F(MainKeys, TheFrameShowsAfterKeysOnlyAndTheMouseTakesItAway)
{
    showMain();
    main->Option5->setFocus();
    QCoreApplication::processEvents();
    const QImage untouched = shot();
    key(Qt::Key_Tab);
    ASSERT_EQ(focused(), main->Option1);
    const QImage framed = shot();
    const QRect option(main->Option1->mapTo(main.get(), QPoint(0, 0)), FocusFrame::framedRect(main->Option1).size());
    const QPoint ring(option.left() - 2, option.center().y());
    EXPECT_EQ(framed.pixelColor(ring), FocusFrame::kRing);
    EXPECT_EQ(framed.pixelColor(ring - QPoint(1, 0)), FocusFrame::kEdge);
    const QRect around = option.adjusted(-3, -3, 3, 3);
    for (int y = 0; y < framed.height(); ++y) {
        for (int x = 0; x < framed.width(); ++x) {
            ASSERT_TRUE(framed.pixel(x, y) == untouched.pixel(x, y) || around.contains(x, y)) << x << "," << y;
        }
    }
    while (focused() != main->Text1) {
        key(Qt::Key_Tab);
    }
    EXPECT_FALSE(main->findChild<FocusFrame*>()->isVisible()) << "the answer box shows its focus itself";

    key(Qt::Key_Tab);
    ASSERT_EQ(focused(), main->Option5);
    QTest::mouseClick(main.get(), Qt::LeftButton, {}, QPoint(200, 560)); // bare ground of the mode frame
    EXPECT_EQ(shot(), untouched);
}

TEST_F(MainKeys, ScreenReadersFindANameOnEverythingAndHearTheCurrentWord)
{
    showMain();
    int met = 0;
    EXPECT_EQ(unnamedControls(main.get(), &met), QStringList());
    EXPECT_GE(met, 15);
    startAndCountDown(0);
    key(Qt::Key_1, Qt::AltModifier);
    EXPECT_EQ(unnamedControls(main.get()), QStringList());
    EXPECT_EQ(main->Picture5->accessibleName(), QStringLiteral("中断"));
    EXPECT_EQ(main->Picture12->accessibleDescription(), QStringLiteral("春の花　答え：さくら"));
    EXPECT_EQ(main->Picture4->accessibleDescription(), QStringLiteral("3 文字、横、1 行目。取った文字：あなた 0"));
    answer(QStringLiteral("さくら"));
    // The down word through the first row's さ shows it.
    EXPECT_EQ(main->Picture4->accessibleDescription(), QStringLiteral("3 文字、縦、1 列目、さ？？。取った文字：あなた 3"));
    pressEsc();
    EXPECT_EQ(main->Picture5->accessibleName(), QStringLiteral("スタート"));
    EXPECT_TRUE(main->Picture4->accessibleDescription().isEmpty());

    Result dialog(main.get(), dir.path());
    dialog.Label18->setText(QStringLiteral("12.345秒"));
    Record single(main.get(), dir.path(), module->puzzles, module->singleRecords);
    Record2 battles(main.get(), dir.path(), module->puzzles, module->battleRecords);
    for (QWidget* window : std::initializer_list<QWidget*>{&dialog, &single, &battles}) {
        EXPECT_EQ(unnamedControls(window, &met), QStringList()) << window->metaObject()->className();
    }
}
