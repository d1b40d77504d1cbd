// The record screens from the keyboard: pages, the row highlight, Space on a
// row or a button, and the focus order.

#include "puzzle/puzzle_set.h"
#include "records/battle_record_screen.h"
#include "records/record_screen.h"
#include "store/battle_records.h"
#include "store/single_records.h"
#include "view/focus_frame.h"
#include "view/image_button.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

class RecordKeys : public ::testing::Test {
protected:
    std::unique_ptr<PuzzleSet> puzzles = std::make_unique<PuzzleSet>();
    std::unique_ptr<SingleRecordTable> single = std::make_unique<SingleRecordTable>();
    std::unique_ptr<BattleRecordTable> battle = std::make_unique<BattleRecordTable>();
    std::vector<int> opened;

    void open(RecordFrame& screen)
    {
        screen.onPatternClicked = [this](int pattern) { opened.push_back(pattern); };
        screen.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
    }
    static void key(RecordFrame& screen, Qt::Key k)
    {
        QTest::keyClick(screen.focusWidget() ? screen.focusWidget() : &screen, k);
        QCoreApplication::processEvents();
    }
    static QColor rowColour(const Record& screen, int row) { return screen.boxes[1][row]->palette().color(QPalette::Window); }
};

TEST_F(RecordKeys, PageKeysTurnAndArrowsMoveTheHighlightAcrossPages)
{
    Record screen(nullptr, QString(), *puzzles, *single);
    open(screen);
    EXPECT_EQ(screen.highlightedRow(), -1);
    EXPECT_EQ(rowColour(screen, 0), QColor(Qt::white));
    key(screen, Qt::Key_PageDown);
    key(screen, Qt::Key_PageDown);
    EXPECT_EQ(screen.CurrentPage, 3);
    key(screen, Qt::Key_PageUp);
    EXPECT_EQ(screen.CurrentPage, 2);
    EXPECT_EQ(screen.highlightedRow(), -1) << "turning pages highlights nothing";

    key(screen, Qt::Key_Down);
    EXPECT_EQ(screen.highlightedPattern(), 10);
    EXPECT_EQ(rowColour(screen, 0), RecordFrame::kHighlightColor);
    EXPECT_EQ(screen.focusWidget(), screen.rowList);
    key(screen, Qt::Key_Down);
    EXPECT_EQ(screen.highlightedPattern(), 11);
    EXPECT_EQ(rowColour(screen, 0), QColor(Qt::white));
    EXPECT_EQ(rowColour(screen, 1), RecordFrame::kHighlightColor);
    // Past the top of a page to the bottom of the one before, and back.
    key(screen, Qt::Key_Up);
    key(screen, Qt::Key_Up);
    EXPECT_EQ(screen.CurrentPage, 1);
    EXPECT_EQ(screen.highlightedPattern(), 9);
    key(screen, Qt::Key_Down);
    EXPECT_EQ(screen.highlightedPattern(), 10);
    key(screen, Qt::Key_PageUp);
    EXPECT_EQ(screen.highlightedPattern(), 0) << "the page turns under the highlight";
    key(screen, Qt::Key_Up);
    EXPECT_EQ(screen.highlightedPattern(), 0);

    // The last page has nine rows: the highlight stays on them.
    for (int page = 1; page < 10; ++page) {
        key(screen, Qt::Key_PageDown);
    }
    key(screen, Qt::Key_PageDown);
    EXPECT_EQ(screen.CurrentPage, 10);
    for (int i = 0; i < 12; ++i) {
        key(screen, Qt::Key_Down);
    }
    EXPECT_EQ(screen.highlightedPattern(), 98);
    key(screen, Qt::Key_PageUp);
    EXPECT_EQ(screen.highlightedPattern(), 88);
    key(screen, Qt::Key_Down);
    key(screen, Qt::Key_PageDown);
    EXPECT_EQ(screen.highlightedPattern(), 98) << "row 9 has no pattern on the last page";
    EXPECT_TRUE(opened.empty());
    key(screen, Qt::Key_Escape);
    EXPECT_TRUE(screen.isVisible());
}

TEST_F(RecordKeys, SpaceOpensTheHighlightedRowOrPressesTheFocusedButton)
{
    Record2 screen(nullptr, QString(), *puzzles, *battle);
    open(screen);
    key(screen, Qt::Key_Space);
    EXPECT_TRUE(opened.empty()) << "the first Space only shows where the rows start";
    EXPECT_EQ(screen.highlightedRow(), 0);
    key(screen, Qt::Key_Down);
    key(screen, Qt::Key_Down);
    key(screen, Qt::Key_Space);
    EXPECT_EQ(opened, std::vector<int>{2});

    screen.Command2->setFocus();
    key(screen, Qt::Key_Space);
    EXPECT_EQ(screen.CurrentPage, 2);
    EXPECT_EQ(opened, std::vector<int>{2}) << "Space was the button's";
    key(screen, Qt::Key_Down);
    key(screen, Qt::Key_Space);
    EXPECT_EQ(opened, (std::vector<int>{2, 13}));

    screen.Picture24->setFocus();
    QTest::keyPress(screen.Picture24, Qt::Key_Space);
    EXPECT_TRUE(screen.isVisible());
    QTest::keyRelease(screen.Picture24, Qt::Key_Space);
    EXPECT_FALSE(screen.isVisible());
}

TEST_F(RecordKeys, TabGoesFromTheRowsToThePagingButtonsToClose)
{
    Record screen(nullptr, QString(), *puzzles, *single);
    open(screen);
    EXPECT_EQ(screen.focusWidget(), screen.rowList);
    std::vector<QWidget*> visited;
    for (int i = 0; i < 3; ++i) {
        key(screen, Qt::Key_Tab);
        visited.push_back(screen.focusWidget());
    }
    EXPECT_EQ(visited, (std::vector<QWidget*>{screen.Command2, screen.Picture24, screen.rowList})) << "▲ is hidden on page 1";
    key(screen, Qt::Key_PageDown);
    visited.clear();
    for (int i = 0; i < 4; ++i) {
        key(screen, Qt::Key_Tab);
        visited.push_back(screen.focusWidget());
    }
    EXPECT_EQ(visited, (std::vector<QWidget*>{screen.Command1, screen.Command2, screen.Picture24, screen.rowList}));
    const FocusFrame* ring = screen.findChild<FocusFrame*>();
    ASSERT_NE(ring, nullptr);
    EXPECT_TRUE(ring->isVisible());
    EXPECT_EQ(ring->control(), screen.rowList);
}

TEST_F(RecordKeys, TheHighlightedRowIsReadWithItsColumns)
{
    puzzles->PatternName[1] = QStringLiteral("動物");
    single->CountWithQuestion[1] = 4;
    single->BestWithQuestion[1] = 14999;
    Record screen(nullptr, QString(), *puzzles, *single);
    open(screen);
    EXPECT_EQ(screen.rowList->accessibleName(), QStringLiteral("シングル練習の記録"));
    key(screen, Qt::Key_Down);
    key(screen, Qt::Key_Down);
    const QString row = screen.rowList->accessibleDescription();
    EXPECT_TRUE(row.startsWith(QStringLiteral("№ 1、パターン名 動物、問題表示有 回数 4、問題表示有 最速タイム 14.999秒、"
                                              "問題表示有 レベル SS")))
        << row.toStdString();

    battle->Wins[0][8] = 3;
    Record2 battles(nullptr, QString(), *puzzles, *battle);
    open(battles);
    key(battles, Qt::Key_Down);
    EXPECT_EQ(battles.rowList->accessibleDescription(), QStringLiteral("№ 0、zemka 3-0")) << "empty cells are left out";
}
