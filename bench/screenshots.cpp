// tazumeki-screenshots OUTDIR: every window of the game drawn offscreen in
// known states, with a hand-moved clock, so that two builds can be compared
// pixel by pixel and the README's pictures can be made again. Set
// QT_SCALE_FACTOR=2 for the windows at a pixel ratio of 2.
#include "game_harness.h"

#include "platform/fonts.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>

namespace {

QString outDir;

void save(QWidget& widget, const QString& name)
{
    QCoreApplication::processEvents();
    const QString file = QDir(outDir).filePath(name + QStringLiteral(".png"));
    if (!widget.grab().save(file)) {
        std::fprintf(stderr, "tazumeki-screenshots: cannot write %s\n", qPrintable(file));
    }
}

// Grabs the next modal dialog as soon as it shows, then closes it.
void grabNextDialog(const QString& name)
{
    QTimer::singleShot(0, [name] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            save(*dialog, name);
            dialog->done(0);
        }
    });
}

void runBursts(Main& main)
{
    while (main.Timer3->running()) {
        main.Timer3_Timer();
    }
}

void answerCurrent(GameHarness& game)
{
    Main& main = game.main();
    main.Text1->setText(game.module().puzzles.WordAnswer[main.game().PatternIndex][main.game().WordIndex]);
    QTest::keyClick(main.Text1, Qt::Key_Return);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: tazumeki-screenshots OUTDIR\n", stderr);
        return 2;
    }
    outDir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(outDir);
    installFontSubstitutions();

    GameHarness game;
    game.createMain();
    Main& main = game.main();
    runBursts(main);
    save(main, QStringLiteral("title"));

    game.startGame(0);
    answerCurrent(game);
    runBursts(main);
    game.clock().advance(12'300);
    main.Timer1_Timer();
    QTest::keyClicks(main.Text1, QStringLiteral("sak"));
    save(main, QStringLiteral("game"));

    main.Text1->clear();
    while (main.game().PlayState != PlayState::Idle) {
        if (main.game().WordIndex == game.module().puzzles.lastSlot(main.game().PatternIndex)) {
            grabNextDialog(QStringLiteral("result"));
        }
        answerCurrent(game);
        runBursts(main);
    }
    game.stopTimers();

    grabNextDialog(QStringLiteral("records"));
    main.Picture6_MouseUp();
    main.Option6->setChecked(true);
    grabNextDialog(QStringLiteral("battle-records"));
    main.Picture6_MouseUp();
    return 0;
}
