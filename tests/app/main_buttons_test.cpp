#include "records/battle_record_screen.h"
#include "records/record_screen.h"
#include "support/main_fixture.h"

#include <QDir>

// Each button image file is one flat colour, so the face on show can be told by a pixel.
class MainButtons : public MainFixture {
protected:
    QMap<QString, QRgb> colours;

    void SetUp() override
    {
        MainFixture::SetUp();
        QDir(dir.path()).mkpath(QStringLiteral("image"));
        int n = 0;
        for (const QString& face : {QStringLiteral("start"), QStringLiteral("quit"), QStringLiteral("record"), QStringLiteral("close")}) {
            for (const QString& state : {QStringLiteral("init"), QStringLiteral("over"), QStringLiteral("down")}) {
                if (face == QStringLiteral("quit") && state == QStringLiteral("down")) {
                    continue;
                }
                const QString name = QStringLiteral("button_%1_%2").arg(face, state);
                QImage image(77, 26, QImage::Format_RGB32);
                ++n;
                image.fill(qRgb(10 * n, 255 - 10 * n, 128));
                colours[name] = image.pixel(0, 0);
                ASSERT_TRUE(image.save(path("image/" + name + ".bmp")));
            }
        }
    }

    QString face(ImageButton* button) const { return colours.key(button->image().pixel(5, 5), QStringLiteral("stored")); }
    void press(ImageButton* b) { QTest::mousePress(b, Qt::LeftButton); }
    void release(ImageButton* b, QPoint at = QPoint(5, 5)) { QTest::mouseRelease(b, Qt::LeftButton, {}, at); }
    void hover(ImageButton* b) { QTest::mouseMove(b, QPoint(10, 10)); }
    // Notes which record screen opens next, and closes it.
    static void closeScreenWhenOpen(QString& opened)
    {
        QTimer::singleShot(0, [&opened] {
            QWidget* modal = QApplication::activeModalWidget();
            opened = qobject_cast<Record*>(modal) ? QStringLiteral("Record") : qobject_cast<Record2*>(modal) ? QStringLiteral("Record2") : QString();
            if (modal) {
                static_cast<QDialog*>(modal)->done(0);
            }
        });
    }
    void moveOverWindow()
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(300, 660), main->mapToGlobal(QPointF(300, 660)), Qt::NoButton, {}, {});
        QCoreApplication::sendEvent(main.get(), &move);
    }
};

TEST_F(MainButtons, StartQuitFollowsTheGame)
{
    makeMain();
    main->show();
    moveOverWindow();
    EXPECT_EQ(face(main->Picture5), QStringLiteral("button_start_init"));
    hover(main->Picture5);
    EXPECT_EQ(face(main->Picture5), QStringLiteral("button_start_over"));
    press(main->Picture5);
    EXPECT_EQ(face(main->Picture5), QStringLiteral("button_start_down"));
    EXPECT_EQ(main->Picture5->Pressed, QStringLiteral("1"));
    hover(main->Picture5);
    EXPECT_EQ(face(main->Picture5), QStringLiteral("button_start_down"));
    release(main->Picture5, QPoint(-50, -50)); // released elsewhere: still starts
    EXPECT_EQ(main->game().PlayState, PlayState::Countdown);
    EXPECT_EQ(face(main->Picture5), QStringLiteral("button_quit_over"));
    EXPECT_TRUE(main->Picture5->Pressed.isEmpty());

    moveOverWindow();
    EXPECT_EQ(face(main->Picture5), QStringLiteral("button_quit_init"));
    press(main->Picture5);
    EXPECT_EQ(face(main->Picture5), QStringLiteral("button_quit_over")); // no quit down image
    release(main->Picture5);
    EXPECT_TRUE(main->game().PlayState == PlayState::Idle);
    EXPECT_EQ(face(main->Picture5), QStringLiteral("button_start_over"));
}

TEST_F(MainButtons, DuringAnsweringOnlyTheReleaseCounts)
{
    makeMain();
    startAndCountDown(0);
    const QString before = face(main->Picture5);
    moveOverWindow();
    hover(main->Picture5);
    press(main->Picture5);
    EXPECT_EQ(face(main->Picture5), before);
    answerResultDialog();
    release(main->Picture5);
    EXPECT_TRUE(main->game().PlayState == PlayState::Idle);
    EXPECT_EQ(result.count, 0);
}

TEST_F(MainButtons, NothingStartsWhileTheTitleIsWritten)
{
    makeMain(false);
    press(main->Picture5);
    release(main->Picture5);
    EXPECT_EQ(main->game().PlayState, PlayState::Answering);
    EXPECT_FALSE(main->Timer4->running());
}

TEST_F(MainButtons, RecordAndCloseButtons)
{
    makeMain();
    main->show();
    hover(main->Picture6);
    EXPECT_EQ(face(main->Picture6), QStringLiteral("button_record_over"));
    moveOverWindow();
    EXPECT_EQ(face(main->Picture6), QStringLiteral("button_record_init"));

    QString opened;
    closeScreenWhenOpen(opened);
    press(main->Picture6);
    EXPECT_EQ(face(main->Picture6), QStringLiteral("button_record_down"));
    release(main->Picture6);
    EXPECT_EQ(opened, QStringLiteral("Record"));
    EXPECT_EQ(face(main->Picture6), QStringLiteral("button_record_init"));

    main->Option6->setChecked(true);
    closeScreenWhenOpen(opened);
    press(main->Picture6);
    release(main->Picture6);
    EXPECT_EQ(opened, QStringLiteral("Record2"));

    press(main->Picture7);
    release(main->Picture7, QPoint(200, 200));
    EXPECT_FALSE(main->isVisible());
}

TEST_F(MainButtons, TheStartFaceReturnsHoweverAGameEnds)
{
    makeMain();
    main->show();
    // The time limit: no key, no pointer.
    startAndCountDown(0);
    main->Picture5->showImage(QStringLiteral("\\image\\button_quit_init.bmp"));
    clock.advance(180'000);
    main->Timer1_Timer();
    EXPECT_EQ(main->game().PlayState, PlayState::Idle);
    EXPECT_EQ(face(main->Picture5), QStringLiteral("button_start_init"));

    // The opponent's last word.
    main->Option6->setChecked(true);
    main->Combo2->setCurrentIndex(8);
    startAndCountDown(1);
    main->Picture5->showImage(QStringLiteral("\\image\\button_quit_init.bmp"));
    answerResultDialog();
    clock.advance(60'000);
    main->Timer1_Timer();
    EXPECT_EQ(main->game().PlayState, PlayState::Idle);
    EXPECT_EQ(face(main->Picture5), QStringLiteral("button_start_init"));

    // A pattern that cannot be played keeps the start face: nothing started.
    main->Option5->setChecked(true);
    choosePattern(50);
    pressEnter();
    EXPECT_EQ(face(main->Picture5), QStringLiteral("button_start_init"));
}

TEST_F(MainButtons, SpacePressesAFocusedButtonAsTheMouseDoesButEnterNever)
{
    makeMain();
    main->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    main->Picture5->setFocus();
    QTest::keyPress(main->Picture5, Qt::Key_Space);
    EXPECT_EQ(face(main->Picture5), QStringLiteral("button_start_down"));
    // The focus leaving while Space holds the button: nothing happens, the face goes back.
    QTest::keyClick(main->Picture5, Qt::Key_Tab);
    EXPECT_EQ(face(main->Picture5), QStringLiteral("button_start_init"));
    QTest::keyRelease(main->Picture6, Qt::Key_Space);
    EXPECT_EQ(main->game().PlayState, PlayState::Idle);

    main->Picture5->setFocus();
    QTest::keyClick(main->Picture5, Qt::Key_Space);
    EXPECT_EQ(main->game().PlayState, PlayState::Countdown);
    EXPECT_EQ(face(main->Picture5), QStringLiteral("button_quit_init")) << "the pointer is not over it";
    QTest::keyClick(main->Picture5, Qt::Key_Space);
    EXPECT_EQ(main->game().PlayState, PlayState::Idle);

    QString opened;
    main->Picture6->setFocus();
    closeScreenWhenOpen(opened);
    QTest::keyClick(main->Picture6, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(main->game().PlayState, PlayState::Countdown) << "Enter is the screen's";
    main->Form_KeyDown(vbKeyEscape);
    closeScreenWhenOpen(opened);
    QTest::keyClick(main->Picture6, Qt::Key_Space);
    EXPECT_EQ(opened, QStringLiteral("Record"));
    QTest::keyClick(main->Picture7, Qt::Key_Space);
    EXPECT_FALSE(main->isVisible());
}
