#include "view/picture_box.h"
#include "view/stored_art.h"

#include <QFile>
#include <QPainter>
#include <gtest/gtest.h>

// The build's pictures are what the code draws, pixel for pixel, at the
// ratio asked for: the player sees no difference from drawing them here.
TEST(StoredArt, EveryPieceIsTheDrawingAtEachStoredRatio)
{
    for (art::Piece piece : art::kPieces) {
        for (int ratio : art::kStoredRatios) {
            SCOPED_TRACE(art::storedFile(piece, ratio).toStdString());
            const QImage stored = art::stored(piece, ratio);
            const QImage drawn = art::draw(piece, ratio);
            ASSERT_FALSE(stored.isNull());
            EXPECT_TRUE(QFile::exists(QStringLiteral(":/art/") + art::storedFile(piece, ratio))); // loaded, not drawn
            EXPECT_EQ(stored.devicePixelRatio(), ratio);
            EXPECT_EQ(stored.deviceIndependentSize(), drawn.deviceIndependentSize());
            EXPECT_TRUE(stored.convertToFormat(QImage::Format_RGB32) == drawn.convertToFormat(QImage::Format_RGB32));
        }
    }
}

TEST(StoredArt, OtherRatiosAreDrawnAndTheIconHasEverySize)
{
    const QImage sharp = art::stored(art::Piece::EmptyTile, 3);
    EXPECT_EQ(sharp.size(), QSize(117, 117));
    EXPECT_EQ(sharp.devicePixelRatio(), 3);
    EXPECT_TRUE(sharp == art::draw(art::Piece::EmptyTile, 3));

    const QIcon icon = art::windowIcon();
    for (int size : art::kWindowIconSizes) {
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
        EXPECT_TRUE(icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied) ==
                    art::appIcon(size));
    }
}

TEST(StoredArt, PackedPixelsComeBackWholeOrNotAtAll)
{
    const QImage icon = art::appIcon(24);
    const QByteArray packed = art::packPixels(icon);
    QImage back = art::unpackPixels(packed);
    EXPECT_TRUE(back == icon);
    EXPECT_EQ(back.format(), QImage::Format_ARGB32_Premultiplied);
    back.setPixel(0, 0, 0xff00ff00); // a copy of its own: the packed bytes stay as they were
    EXPECT_TRUE(art::unpackPixels(packed) == icon);

    EXPECT_TRUE(art::packPixels(icon.convertToFormat(QImage::Format_RGB888)).isEmpty());
    EXPECT_TRUE(art::unpackPixels(packed.left(packed.size() - 1)).isNull());
    EXPECT_TRUE(art::unpackPixels(packed + 'x').isNull());
    EXPECT_TRUE(art::unpackPixels(packed.left(11)).isNull());
    EXPECT_TRUE(art::unpackPixels(QByteArray()).isNull());
    QByteArray otherFormat = packed;
    otherFormat[11] = char(QImage::Format_RGB888);
    EXPECT_TRUE(art::unpackPixels(otherFormat).isNull());
    QByteArray huge = packed;
    huge[0] = char(0x7f); // a width that would overflow the size check
    EXPECT_TRUE(art::unpackPixels(huge).isNull());
}

// A picture box shares its bitmap's pixels until something is drawn, and
// drawing or clearing never reaches the bitmap itself.
TEST(PictureImages, ClearingShowsTheBitmapAndDrawingLeavesItAlone)
{
    PictureImage picture(QSize(39, 39), Qt::black, 2);
    const QImage tile = art::stored(art::Piece::PlayerTile, 2);
    picture.setPicture(tile);
    EXPECT_TRUE(picture.image() == tile);
    {
        QPainter painter(&picture.image());
        painter.fillRect(QRect(0, 0, 10, 10), Qt::red);
    }
    EXPECT_EQ(picture.image().pixelColor(5, 5), QColor(Qt::red));
    EXPECT_TRUE(picture.picture() == tile);
    picture.Cls();
    EXPECT_TRUE(picture.image() == tile);

    // A smaller bitmap sits in the corner on the back colour.
    PictureImage wide(QSize(60, 39), Qt::black, 2);
    wide.setPicture(tile);
    EXPECT_EQ(wide.image().size(), QSize(120, 78));
    EXPECT_EQ(wide.image().pixelColor(100, 10), QColor(Qt::black));
    EXPECT_EQ(wide.image().pixelColor(10, 10), tile.pixelColor(10, 10));
}

// A bitmap given as the means to make it is made again at every clearing.
TEST(PictureImages, ABitmapMadeOnDemandComesBackAtEveryClearing)
{
    int made = 0;
    PictureImage board(QSize(39, 39), Qt::black, 1);
    board.setPicture([&made] {
        ++made;
        return art::stored(art::Piece::EmptyTile, 1);
    });
    const QImage tile = art::stored(art::Piece::EmptyTile, 1);
    EXPECT_TRUE(board.image() == tile);
    board.image().fill(Qt::red);
    board.Cls();
    EXPECT_TRUE(board.image() == tile);
    EXPECT_EQ(made, 2);
    board.setPicture(art::stored(art::Piece::CpuTile, 1)); // pixels again: the maker is dropped
    board.Cls();
    EXPECT_EQ(made, 2);
    EXPECT_TRUE(board.image() == art::stored(art::Piece::CpuTile, 1));
}
