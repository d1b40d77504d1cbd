#include "platform/first_frame.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QWidget>
#include <future>
#include <gtest/gtest.h>

namespace {

class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

TEST(FirstFrame, WorkWaitsForTheFirstPaintAndRunsOnce)
{
    QWidget window;
    window.resize(120, 80);
    QLabel label(QStringLiteral("ラベル"), &window);
    PaintCounter counter;
    window.installEventFilter(&counter);
    int runs = 0;
    int paintsWhenRun = -1;
    afterFirstFrame(window, [&] {
        ++runs;
        paintsWhenRun = counter.paints;
    });

    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 0) << "nothing runs before the window is shown";

    window.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return runs > 0; }, 5000));
    EXPECT_GE(paintsWhenRun, 1) << "the work ran before the window was painted";

    // Later frames do not run it again.
    label.setText(QStringLiteral("変更"));
    window.repaint();
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 1);
}

TEST(FirstFrame, WorkGoesWithAWindowThatNeverShowed)
{
    int runs = 0;
    {
        QWidget window;
        afterFirstFrame(window, [&] { ++runs; });
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 0);
}

} // namespace

// Loaded on another thread, the image plugins serve the main thread.
TEST(FirstFrame, ImagePluginsLoadedElsewhereReadHere)
{
    std::async(std::launch::async, loadImagePlugins).get();
    QImage drawn(5, 3, QImage::Format_ARGB32);
    drawn.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    ASSERT_TRUE(drawn.save(&buffer, "PNG"));
    QImage read;
    ASSERT_TRUE(read.loadFromData(png));
    EXPECT_EQ(read.size(), QSize(5, 3));
    EXPECT_EQ(read.pixelColor(4, 2), QColor(Qt::red));
}
