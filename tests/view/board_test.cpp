#include "puzzle/puzzle_set.h"
#include "view/board.h"
#include "view/trans_surface.h"

#include <gtest/gtest.h>
#include <memory>

TEST(BoardGeometry, TilesAndFrames)
{
    EXPECT_EQ(board::tilePos(0), QPoint(30, 114));
    EXPECT_EQ(board::tilePos(48), QPoint(270, 354));
    EXPECT_EQ(board::effectPos(8), QPoint(50, 134));
    const auto across = board::frameBars(1, 7, 0);
    EXPECT_EQ(across[0], QRect(28, 112, 283, 3));
    EXPECT_EQ(across[1], QRect(28, 152, 283, 3));
    EXPECT_EQ(across[2], QRect(28, 112, 3, 43));
    EXPECT_EQ(across[3], QRect(308, 112, 3, 43));
    const auto down = board::frameBars(3, 1, 16);
    EXPECT_EQ(down[2], QRect(108, 192, 3, 123));
}

TEST(BoardGeometry, DamagedWordsStayOnTheBoard)
{
    auto set = std::make_unique<PuzzleSet>();
    set->WordAnswer[0][0] = QStringLiteral("あいうえ");
    set->WordCell[0][0] = 5; // across from column 5: only two cells fit
    EXPECT_EQ(boardCells(*set, 0, 0), (QList<int>{5, 6}));
    set->WordDirection[0][0] = 1;
    set->WordCell[0][0] = 40; // down from row 5
    EXPECT_EQ(boardCells(*set, 0, 0), (QList<int>{40, 47}));
    set->WordCell[0][0] = -3;
    EXPECT_TRUE(boardCells(*set, 0, 0).isEmpty());
    set->WordCell[0][0] = 0;
    set->WordAnswer[0][0] = QString(30, u'あ');
    EXPECT_EQ(boardCells(*set, 0, 0).size(), 7);
}

TEST(TransSurfaces, BlackIsTransparentAndCopiesClip)
{
    QImage boardImage(100, 100, QImage::Format_RGB32);
    boardImage.fill(qRgb(10, 20, 30));
    auto boardSurface = SetDIB(boardImage);
    auto strip = CreateDIB(80, 80);
    GetTransDC(*strip).setPixel(5, 5, qRgb(255, 200, 0));
    TransBitBlt(*boardSurface, 50, 50, 80, 80, *strip, 0, 0, 0.2, 0, 0);
    EXPECT_EQ(boardImage.pixel(55, 55), qRgb(255, 200, 0));
    EXPECT_EQ(boardImage.pixel(56, 56), qRgb(10, 20, 30)); // black left the board alone

    auto back = CreateDIB(80, 80);
    BitBlt(GetTransDC(*back), 0, 0, 80, 80, boardImage, 40, 40);
    EXPECT_EQ(GetTransDC(*back).pixel(15, 15), qRgb(255, 200, 0));
    EXPECT_EQ(GetTransDC(*back).pixel(70, 70), qRgb(0, 0, 0)); // outside the source: untouched
    ResetDIB(back);
    EXPECT_EQ(back, nullptr);
}

TEST(TransSurfaces, CopiesTakeLogicalPixelsOverImagesAtTwiceTheDensity)
{
    QImage boardImage(200, 200, QImage::Format_RGB32); // 100 × 100 logical
    boardImage.setDevicePixelRatio(2);
    boardImage.fill(qRgb(10, 20, 30));
    auto boardSurface = SetDIB(boardImage);
    auto strip = CreateDIB(80, 80, 2);
    ASSERT_EQ(GetTransDC(*strip).size(), QSize(160, 160));
    GetTransDC(*strip).setPixel(11, 10, qRgb(255, 200, 0)); // logical (5.5, 5): half a logical pixel
    TransBitBlt(*boardSurface, 50, 50, 80, 80, *strip, 0, 0, 0.2, 0, 0);
    EXPECT_EQ(boardImage.pixel(111, 110), qRgb(255, 200, 0));
    EXPECT_EQ(boardImage.pixel(110, 110), qRgb(10, 20, 30));
    EXPECT_EQ(boardImage.pixel(199, 199), qRgb(10, 20, 30));

    auto back = CreateDIB(80, 80, 2);
    BitBlt(GetTransDC(*back), 0, 0, 80, 80, boardImage, 40, 40);
    EXPECT_EQ(GetTransDC(*back).pixel(31, 30), qRgb(255, 200, 0));
    EXPECT_EQ(GetTransDC(*back).pixel(119, 119), qRgb(10, 20, 30));
    EXPECT_EQ(GetTransDC(*back).pixel(121, 121), qRgb(0, 0, 0)); // beyond the board: untouched

    // A 1× source is scaled to the destination's density, not copied pixel for pixel.
    QImage plain(10, 10, QImage::Format_RGB32);
    plain.fill(qRgb(0, 255, 0));
    BitBlt(boardImage, 0, 0, 10, 10, plain, 0, 0);
    EXPECT_EQ(boardImage.pixel(19, 19), qRgb(0, 255, 0));
    EXPECT_EQ(boardImage.pixel(20, 20), qRgb(10, 20, 30));
}
