// The windows on a screen with twice the pixel density: every picture must be
// drawn at that density, not drawn at 1× and scaled.

#include "records/record_screen.h"
#include "support/main_fixture.h"
#include "view/art.h"
#include "view/board.h"
#include "view/focus_frame.h"

#include <QPixmap>

namespace {

// Set before the test program creates its application.
const bool kTwiceTheDensity = [] {
    qputenv("QT_SCALE_FACTOR", "2");
    return true;
}();

// True when every aligned 2 × 2 block of the logical rectangle is one colour:
// the look of a 1× picture scaled up.
bool pixelDoubled(const QImage& image, QRect logical)
{
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    const QRect rect(logical.topLeft() * 2, logical.size() * 2);
    for (int y = rect.top(); y < rect.bottom(); y += 2) {
        for (int x = rect.left(); x < rect.right(); x += 2) {
            const QRgb c = pixels.pixel(x, y);
            if (pixels.pixel(x + 1, y) != c || pixels.pixel(x, y + 1) != c || pixels.pixel(x + 1, y + 1) != c) {
                return false;
            }
        }
    }
    return true;
}

QImage grabbed(QWidget& widget)
{
    const QImage shot = widget.grab().toImage();
    EXPECT_EQ(shot.devicePixelRatio(), 2);
    return shot;
}

} // namespace

class HighDensity : public MainFixture {};

TEST_F(HighDensity, PicturesHaveTwiceThePixelsAtTheSameLogicalSizes)
{
    ASSERT_TRUE(kTwiceTheDensity);
    EXPECT_EQ(pictureRatio(), 2);
    makeMain();
    EXPECT_EQ(main->size(), QSize(340, 667));
    EXPECT_EQ(main->Picture4->geometry(), QRect(0, 0, 342, 543));
    EXPECT_EQ(main->Picture4->image().size(), QSize(684, 1086));
    EXPECT_EQ(main->Picture10.image().size(), QSize(78, 78));
    EXPECT_EQ(main->Picture1.image().size(), QSize(1600, 160));
    EXPECT_EQ(main->Picture5->geometry(), QRect(256, 552, 77, 26));
    EXPECT_EQ(main->Picture5->image().size(), QSize(154, 52));

    // Tiles are copied whole into their logical cells: the empty cell on the
    // board is the empty tile, pixel for pixel.
    const QImage board = main->Picture4->image().copy(QRect(board::tilePos(8) * 2, QSize(78, 78)));
    EXPECT_EQ(board.convertToFormat(QImage::Format_RGB32), main->Picture9.image().convertToFormat(QImage::Format_RGB32));
}

TEST_F(HighDensity, TextEdgesOnTheMainScreenAreNotPixelDoubled)
{
    // The check itself: a 1× face scaled up is seen as doubled.
    const QImage scaledUp = art::button(QStringLiteral("記録"), art::ButtonState::Init).scaled(154, 52);
    EXPECT_TRUE(pixelDoubled(scaledUp, QRect(0, 0, 77, 26)));

    makeMain();
    const QImage shot = grabbed(*main);
    EXPECT_FALSE(pixelDoubled(shot, QRect(board::tilePos(0), QSize(39, 39))));  // a title glyph
    EXPECT_FALSE(pixelDoubled(shot, QRect(board::tilePos(45), QSize(39, 39)))); // "by"
    EXPECT_FALSE(pixelDoubled(shot, QRect(176, 56, 161, 17)));                 // the key help line
    EXPECT_FALSE(pixelDoubled(shot, QRect(248, 8, 92, 33)));                   // the version
    EXPECT_FALSE(pixelDoubled(shot, QRect(12, 10, 230, 44)));                  // the logo
    for (ImageButton* button : {main->Picture5, main->Picture6, main->Picture7}) {
        EXPECT_FALSE(pixelDoubled(shot, button->geometry()));
    }

    // A word's letters, and the question box's ruled lines.
    startAndCountDown(1);
    main->Text1->setText(QStringLiteral("あいうえおかき"));
    answerResultDialog();
    pressEnter();
    EXPECT_FALSE(pixelDoubled(main->Picture4->image(), QRect(board::tilePos(0), QSize(39, 39))));
    EXPECT_FALSE(pixelDoubled(grabbed(*main), QRect(24, 464, 33, 17))); // the 答え button
}

TEST_F(HighDensity, TheResultDialogAndRecordScreensAreSharp)
{
    Result dialog(nullptr, dir.path());
    dialog.Label18->setText(QStringLiteral("12.345秒"));
    const QImage result = grabbed(dialog);
    EXPECT_FALSE(pixelDoubled(result, QRect(20, 16, 240, 26)));  // "RESULT"
    EXPECT_FALSE(pixelDoubled(result, QRect(88, 88, 105, 25)));  // the time
    EXPECT_FALSE(pixelDoubled(result, QRect(169, 157, 77, 26))); // OK

    Record screen(nullptr, dir.path(), module->puzzles, module->singleRecords);
    const QImage records = grabbed(screen);
    EXPECT_FALSE(pixelDoubled(records, QRect(0, 0, 615, 77)));    // the banner
    EXPECT_FALSE(pixelDoubled(records, QRect(528, 384, 77, 26))); // 閉じる
}

TEST_F(HighDensity, ButtonFilesForTwiceTheDensityAreUsedWhenPresent)
{
    EXPECT_EQ(highDensityFile(QStringLiteral("\\image\\button_ok_init.bmp")), QStringLiteral("\\image\\button_ok_init@2x.bmp"));
    EXPECT_EQ(highDensityFile(QStringLiteral("\\image.d\\face")), QStringLiteral("\\image.d\\face@2x"));

    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("image")));
    // 1×: flat red. 2×: single-pixel checks, which no scaling of a 1× file makes.
    QImage flat(77, 26, QImage::Format_RGB32);
    flat.fill(Qt::red);
    ASSERT_TRUE(flat.save(path("image/button_ok_over.bmp"), "BMP"));
    QImage checks(154, 52, QImage::Format_RGB32);
    for (int y = 0; y < 52; ++y) {
        for (int x = 0; x < 154; ++x) {
            checks.setPixel(x, y, (x + y) % 2 ? qRgb(0, 0, 255) : qRgb(255, 255, 255));
        }
    }
    ASSERT_TRUE(checks.save(path("image/button_ok_over@2x.bmp"), "BMP"));

    Result dialog(nullptr, dir.path());
    dialog.Picture1->showImage(QStringLiteral("\\image\\button_ok_over.bmp"));
    EXPECT_EQ(dialog.Picture1->image().pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(dialog.Picture1->image().pixel(1, 0), qRgb(0, 0, 255));
    EXPECT_EQ(dialog.Picture1->geometry().size(), QSize(77, 26));

    // Without the 2× file the 1× one still shows, scaled to fill the button.
    ASSERT_TRUE(QFile::remove(path("image/button_ok_over@2x.bmp")));
    dialog.Picture1->showImage(QStringLiteral("\\image\\button_ok_over.bmp"));
    EXPECT_EQ(dialog.Picture1->image().pixel(1, 0), qRgb(255, 0, 0));
    EXPECT_EQ(dialog.Picture1->image().pixel(153, 51), qRgb(255, 0, 0));
}

TEST_F(HighDensity, TheFocusFrameIsDrawnInDevicePixels)
{
    makeMain();
    main->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    QTest::keyClick(main->Text1, Qt::Key_Tab);
    QCoreApplication::processEvents();
    ASSERT_EQ(main->focusWidget(), main->Option5);
    const QImage shot = grabbed(*main);
    const QRect framed = FocusFrame::framedRect(main->Option5);
    const QPoint at = main->Option5->mapTo(main.get(), framed.topLeft()) * 2;
    const int y = at.y() + framed.height(); // half way down, in device pixels
    // Two logical pixels of ring are four device pixels, the dark edge two more outside them.
    for (int x = at.x() - 4; x < at.x(); ++x) {
        EXPECT_EQ(shot.pixelColor(x, y), FocusFrame::kRing) << x;
    }
    for (int x = at.x() - 6; x < at.x() - 4; ++x) {
        EXPECT_EQ(shot.pixelColor(x, y), FocusFrame::kEdge) << x;
    }
    EXPECT_NE(shot.pixelColor(at.x() - 7, y), FocusFrame::kEdge);
}
