#include "puzzle/puzzle_set.h"
#include "records/battle_record_screen.h"
#include "records/record_screen.h"
#include "records/record_texts.h"
#include "store/battle_records.h"
#include "store/record_fields.h"
#include "store/single_records.h"
#include "view/image_button.h"
#include "view/labels.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

TEST(RecordTexts, GradesAndBattleCells)
{
    EXPECT_EQ(GradeForTime(14999).text, QStringLiteral("SS"));
    EXPECT_EQ(GradeForTime(14999).color, QColor(255, 0, 0));
    EXPECT_EQ(GradeForTime(15000).text, QStringLiteral("S"));
    EXPECT_EQ(GradeForTime(15000).color, QColor(0, 0, 255));
    EXPECT_EQ(GradeForTime(24999).text, QStringLiteral("A"));
    EXPECT_EQ(GradeForTime(29999).text, QStringLiteral("B"));
    EXPECT_EQ(GradeForTime(30000).text, QStringLiteral("C"));
    EXPECT_EQ(GradeForTime(30000).color, QColor(Qt::black));

    EXPECT_EQ(BattleCellText(1, 1).text, QStringLiteral("1-1"));
    EXPECT_EQ(BattleCellText(1, 1).color, QColor(Qt::black));
    EXPECT_EQ(BattleCellText(0, 2).text, QStringLiteral("0-2"));
    EXPECT_EQ(BattleCellText(0, 2).color, QColor(0, 0, 255));
    EXPECT_EQ(BattleCellText(5, 4).color, QColor(255, 0, 0));
    EXPECT_EQ(BattleCellText(1000, 3).text, QStringLiteral("1000-3"));
    EXPECT_TRUE(BattleCellText(0, 0).text.isEmpty());
    EXPECT_EQ(BattleCellText(0, 0).color, QColor(Qt::black));
    EXPECT_EQ(shortDate(dayNumber(2005, 11, 11)), QStringLiteral("2005/11/11"));
}

class RecordScreens : public ::testing::Test {
protected:
    std::unique_ptr<PuzzleSet> puzzles = std::make_unique<PuzzleSet>();
    std::unique_ptr<SingleRecordTable> single = std::make_unique<SingleRecordTable>();
    std::unique_ptr<BattleRecordTable> battle = std::make_unique<BattleRecordTable>();

    static QColor colour(const QLabel* label) { return label->palette().color(QPalette::WindowText); }
};

TEST_F(RecordScreens, SinglePracticePagesAndCells)
{
    puzzles->PatternName[3] = QStringLiteral("動物");
    single->CountWithQuestion[3] = 4;
    single->BestWithQuestion[3] = 14999;
    single->DateWithQuestion[3] = dayNumber(2026, 12, 9);
    single->CountNoQuestion[3] = 2;
    Record screen(nullptr, QString(), *puzzles, *single);
    EXPECT_EQ(screen.size(), QSize(616, 418));
    EXPECT_EQ(screen.cells[0][3]->text(), QStringLiteral("3"));
    EXPECT_EQ(screen.cells[1][3]->text(), QStringLiteral("動物"));
    EXPECT_EQ(screen.cells[2][3]->text(), QStringLiteral("4"));
    EXPECT_EQ(screen.cells[3][3]->text(), QStringLiteral("14.999秒"));
    EXPECT_EQ(screen.cells[4][3]->text(), QStringLiteral("SS"));
    EXPECT_EQ(colour(screen.cells[4][3]), QColor(255, 0, 0));
    EXPECT_EQ(screen.cells[5][3]->text(), QStringLiteral("2026/12/09"));
    // The mode without a best time shows its count and dashes.
    EXPECT_EQ(screen.cells[6][3]->text(), QStringLiteral("2"));
    EXPECT_EQ(screen.cells[7][3]->text(), QStringLiteral("-"));
    EXPECT_EQ(screen.cells[8][3]->text(), QStringLiteral("-"));
    EXPECT_EQ(colour(screen.cells[8][3]), QColor(Qt::black));
    EXPECT_TRUE(screen.Command1->isHidden());
    EXPECT_FALSE(screen.Command2->isHidden());

    for (int page = 2; page <= 10; ++page) {
        screen.Command2->click();
    }
    EXPECT_EQ(screen.CurrentPage, 10);
    EXPECT_EQ(screen.cells[0][8]->text(), QStringLiteral("98"));
    EXPECT_TRUE(screen.boxes[0][9]->isHidden());
    EXPECT_TRUE(screen.boxes[9][9]->isHidden());
    EXPECT_TRUE(screen.Command2->isHidden());
    screen.Command1->click();
    EXPECT_FALSE(screen.boxes[0][9]->isHidden());
    EXPECT_EQ(screen.cells[0][9]->text(), QStringLiteral("89"));
    // The red grade of page 1 does not colour the row that replaces it.
    EXPECT_EQ(colour(screen.cells[4][3]), QColor(Qt::black));
}

TEST_F(RecordScreens, BattleCellsAndPaging)
{
    battle->Wins[12][0] = 5;
    battle->Losses[12][0] = 4;
    battle->Losses[12][8] = 2;
    Record2 screen(nullptr, QString(), *puzzles, *battle);
    EXPECT_TRUE(screen.cells[2][2]->text().isEmpty());
    screen.Command2->click();
    EXPECT_EQ(screen.cells[0][2]->text(), QStringLiteral("12"));
    EXPECT_EQ(screen.cells[2][2]->text(), QStringLiteral("5-4"));
    EXPECT_EQ(colour(screen.cells[2][2]), QColor(255, 0, 0));
    EXPECT_EQ(screen.cells[10][2]->text(), QStringLiteral("0-2"));
    EXPECT_EQ(colour(screen.cells[10][2]), QColor(0, 0, 255));
    screen.Command2->click();
    EXPECT_TRUE(screen.cells[2][2]->text().isEmpty());
    EXPECT_EQ(colour(screen.cells[2][2]), QColor(Qt::black));
}

TEST_F(RecordScreens, EnterClosesEscDoesNothing)
{
    Record screen(nullptr, QString(), *puzzles, *single);
    screen.show();
    screen.Command2->setFocus();
    QTest::keyClick(screen.Command2, Qt::Key_Escape);
    EXPECT_TRUE(screen.isVisible());
    QTest::keyClick(screen.Command2, Qt::Key_Return);
    EXPECT_FALSE(screen.isVisible());
    EXPECT_EQ(screen.CurrentPage, 1); // Enter did not press the paging button

    Record2 battles(nullptr, QString(), *puzzles, *battle);
    battles.show();
    QTest::mousePress(battles.Picture24, Qt::LeftButton);
    QTest::mouseRelease(battles.Picture24, Qt::LeftButton, {}, QPoint(-100, 40));
    EXPECT_FALSE(battles.isVisible());
}

TEST_F(RecordScreens, NamesAndCaptionsAreNeverMarkup)
{
    puzzles->PatternName[0] = QStringLiteral("<b>動物</b>");
    Record screen(nullptr, QString(), *puzzles, *single);
    EXPECT_EQ(screen.cells[1][0]->text(), QStringLiteral("<b>動物</b>"));
    Record2 battles(nullptr, QString(), *puzzles, *battle);
    for (const QWidget* window : {static_cast<QWidget*>(&screen), static_cast<QWidget*>(&battles)}) {
        for (const QLabel* label : window->findChildren<QLabel*>()) {
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->text().toStdString();
        }
    }
}

// Every cell, and every header, shows the widest text it can be given whole.
TEST_F(RecordScreens, TheWidestTextsFitTheirCells)
{
    for (int p = 0; p < 10; ++p) {
        puzzles->PatternName[p] = QStringLiteral("いきものがかり"); // longer than any name the builder gives
        single->CountWithQuestion[p] = 32767;
        single->BestWithQuestion[p] = 180'000;
        single->DateWithQuestion[p] = dayNumber(2026, 12, 30);
        single->CountNoQuestion[p] = 9999;
        single->BestNoQuestion[p] = 999'999; // a hand-edited file
        single->DateNoQuestion[p] = dayNumber(9999, 12, 31);
        for (int r = 0; r < BattleRecordTable::kRanks; ++r) {
            battle->Wins[p][r] = 9999;
            battle->Losses[p][r] = 9999;
        }
    }
    Record records(nullptr, QString(), *puzzles, *single);
    Record2 battles(nullptr, QString(), *puzzles, *battle);
    int checked = 0;
    for (QDialog* screen : std::initializer_list<QDialog*>{&records, &battles}) {
        for (const QLabel* label : screen->findChildren<QLabel*>()) {
            if (label->isVisibleTo(screen) && !label->text().isEmpty() && label != records.placeLine &&
                label != battles.placeLine) {
                ++checked;
                EXPECT_TRUE(fitsInLabel(label, label->text(), label->font()))
                    << label->text().toStdString() << " in " << label->width() << " × " << label->height();
            }
        }
    }
    EXPECT_EQ(records.cells[3][0]->text(), QStringLiteral("180.000秒"));
    EXPECT_EQ(records.cells[7][0]->text(), QStringLiteral("999.999秒"));
    EXPECT_GT(checked, 200);
}
