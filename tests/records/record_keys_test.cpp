// The record screens from the keyboard: pages, the row highlight, Space on a
// row or a button, and the focus order.

#include "puzzle/puzzle_set.h"
#include "records/battle_record_screen.h"
#include "records/record_screen.h"
#include "store/battle_records.h"
#include "store/single_records.h"
#include "view/image_button.h"

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
    // Keys pressed where the focus is; the pattern highlighted after them.
    static int keys(RecordFrame& screen, std::initializer_list<Qt::Key> pressed)
    {
        for (Qt::Key k : pressed) {
            QTest::keyClick(screen.focusWidget(), k);
        }
        return screen.highlightedPattern();
    }
};

TEST_F(RecordKeys, PageKeysTurnAndArrowsMoveTheHighlightAcrossPages)
{
    Record screen(nullptr, QString(), *puzzles, *single);
    open(screen);
    EXPECT_EQ(keys(screen, {Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_PageUp}), -1);
    EXPECT_EQ(screen.CurrentPage, 2);
    EXPECT_EQ(keys(screen, {Qt::Key_Down, Qt::Key_Down}), 11);
    EXPECT_EQ(screen.boxes[1][1]->palette().color(QPalette::Window), RecordFrame::kHighlightColor);
    EXPECT_EQ(screen.boxes[1][0]->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(keys(screen, {Qt::Key_Up, Qt::Key_Up}), 9) << "over the top onto the page before";
    EXPECT_EQ(keys(screen, {Qt::Key_Down}), 10);
    EXPECT_EQ(keys(screen, {Qt::Key_PageUp, Qt::Key_Up}), 0) << "the page turns under the highlight";
    for (int page = 1; page < 10; ++page) {
        keys(screen, {Qt::Key_PageDown});
    }
    // The last page has nine rows.
    EXPECT_EQ(keys(screen, {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down,
                            Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down}), 98);
    EXPECT_EQ(keys(screen, {Qt::Key_PageUp, Qt::Key_Down, Qt::Key_PageDown}), 98);
    keys(screen, {Qt::Key_Escape});
    EXPECT_TRUE(screen.isVisible()) << "Esc does nothing";

    // Tab from the rows to ▲ (hidden on page 1), ▼ and close.
    std::vector<QWidget*> visited;
    for (int i = 0; i < 4; ++i) {
        keys(screen, {Qt::Key_Tab});
        visited.push_back(screen.focusWidget());
    }
    EXPECT_EQ(visited, (std::vector<QWidget*>{screen.Command1, screen.Picture24, screen.rowList, screen.Command1}))
        << "▼ is hidden on the last page";
}

TEST_F(RecordKeys, SpaceOpensTheHighlightedRowOrPressesTheFocusedButton)
{
    puzzles->PatternName[2] = QStringLiteral("動物");
    battle->Wins[2][8] = 3;
    Record2 screen(nullptr, QString(), *puzzles, *battle);
    open(screen);
    keys(screen, {Qt::Key_Space});
    EXPECT_TRUE(opened.empty()) << "the first Space only shows where the rows start";
    keys(screen, {Qt::Key_Down, Qt::Key_Down, Qt::Key_Space});
    EXPECT_EQ(opened, std::vector<int>{2});
    EXPECT_EQ(screen.rowList->accessibleDescription(), QStringLiteral("№ 2、パターン名 動物、zemka 3-0"));

    screen.Command2->setFocus();
    keys(screen, {Qt::Key_Space});
    EXPECT_EQ(screen.CurrentPage, 2);
    EXPECT_EQ(opened, std::vector<int>{2}) << "Space was the button's";
    screen.Picture24->setFocus();
    keys(screen, {Qt::Key_Space});
    EXPECT_FALSE(screen.isVisible());
}
