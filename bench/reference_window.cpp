// The floor the game's start-up is held against: a bare Qt Widgets window of
// the game's size with one Japanese label, and nothing else.
#include "platform/first_frame.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(340, 667);
    QLabel label(QStringLiteral("タイピングの練習"), &window);
    label.move(20, 20);
    afterFirstFrame(window, [] { reportFirstFrameIfAsked(); });
    window.show();
    return QApplication::exec();
}
