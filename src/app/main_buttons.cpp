// The main screen's image buttons: start/quit follows the game's state,
// records opens the screen of the chosen mode, close ends the program.
// Space on a focused button presses it as the mouse does.

#include "app/main_form.h"
#include "app/module1.h"
#include "records/battle_record_screen.h"
#include "records/record_screen.h"
#include "view/image_button.h"

#include <QMouseEvent>
#include <QRadioButton>

namespace {
const ButtonFace kStart = ButtonFace::named(QStringLiteral("start"));
const ButtonFace kQuit = ButtonFace::named(QStringLiteral("quit"), false);
} // namespace

void Main::showStartButton(bool quitFace)
{
    Picture5->showImage(quitFace ? kQuit.init : kStart.init);
}

void Main::mouseMoveEvent(QMouseEvent*)
{
    Form_MouseMove();
}

void Main::Form_MouseMove()
{
    if (titleAnimationDone()) {
        if (game().PlayState == PlayState::Idle) {
            Picture5->showImage(kStart.init);
        } else if (game().PlayState == PlayState::Countdown) {
            Picture5->showImage(kQuit.init);
        }
    }
    Picture6->showInit();
    Picture7->showInit();
}

void Main::Picture5_MouseDown()
{
    if (game().PlayState == PlayState::Idle) {
        Picture5->showImage(kStart.down);
    } else if (game().PlayState == PlayState::Countdown) {
        Picture5->showImage(kQuit.over); // the quit face has no down image
    }
    Picture5->Pressed = QStringLiteral("1");
}

void Main::Picture5_MouseMove()
{
    if (!Picture5->Pressed.isEmpty() || !titleAnimationDone()) {
        return;
    }
    if (game().PlayState == PlayState::Idle) {
        Picture5->showImage(kStart.over);
    } else if (game().PlayState == PlayState::Countdown) {
        Picture5->showImage(kQuit.over);
    }
}

void Main::Picture5_MouseUp()
{
    // Nothing starts or stops while the title is being written.
    const bool pointerOver = !Picture5->bySpace();
    if (titleAnimationDone()) {
        if (game().PlayState == PlayState::Idle) {
            StartGame();
            const ButtonFace& face = game().PlayState == PlayState::Idle ? kStart : kQuit;
            Picture5->showImage(pointerOver ? face.over : face.init);
        } else {
            EndGame();
            Picture5->showImage(pointerOver ? kStart.over : kStart.init);
        }
    }
    Picture5->Pressed.clear();
}

void Main::Picture6_MouseUp()
{
    Picture6->showInit();
    Picture6->Pressed.clear();
    showRecords();
}

void Main::showRecords()
{
    if (Option5->isChecked()) {
        Record screen(this, m_appDir, m_module.puzzles, m_module.singleRecords);
        screen.setRecordsPlace(recordsPlaceText());
        screen.onPatternClicked = [this, &screen](int pattern) { showHistory(&screen, pattern, false); };
        screen.exec();
    } else {
        Record2 screen(this, m_appDir, m_module.puzzles, m_module.battleRecords);
        screen.setRecordsPlace(recordsPlaceText());
        screen.onPatternClicked = [this, &screen](int pattern) { showHistory(&screen, pattern, true); };
        screen.exec();
    }
}

void Main::Picture7_MouseUp()
{
    Picture7->Pressed.clear();
    close();
}
