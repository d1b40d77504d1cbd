#include "platform/first_frame.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QTest>
#include <QWidget>
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
