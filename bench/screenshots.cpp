// tazumeki-screenshots OUTDIR: every window of the game drawn offscreen in
// known states, with a hand-moved clock, so that two builds can be compared
// pixel by pixel and the README's pictures can be made again. Set
// QT_SCALE_FACTOR=2 for the windows at a pixel ratio of 2.
#include "game_harness.h"

#include "platform/fonts.h"
#include "support/romaji_spelling.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <QTabWidget>
#include <functional>
#include <random>

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

// Types a pattern's answers key by key as a player would: a steady hand with
// some keys slower than others, and now and then a wrong vowel taken back.
void typePattern(GameHarness& game, int pattern, std::mt19937& dice)
{
    Main& main = game.main();
    game.startGame(pattern);
    std::uniform_int_distribution<int> pause(90, 260);
    std::uniform_int_distribution<int> slip(0, 29);
    while (main.game().PlayState != PlayState::Idle) {
        const QString& answer = game.module().puzzles.WordAnswer[pattern][main.game().WordIndex];
        const QString keys = romaji_spelling::romajiFor(answer).value_or(QString());
        game.clock().advance(900); // reading the clue
        for (const QChar key : keys) {
            // Hard reaches take longer: the number row's neighbours and the little fingers.
            const int extra = QStringLiteral("yxzqp").contains(key) ? 220 : 0;
            game.clock().advance(pause(dice) + extra);
            if (QStringLiteral("aiueo").contains(key) && slip(dice) == 0) {
                QTest::keyClick(main.Text1, key == u'i' ? 'o' : 'i');
                game.clock().advance(pause(dice));
                QTest::keyClick(main.Text1, Qt::Key_Backspace);
                game.clock().advance(pause(dice));
            }
            QTest::keyClick(main.Text1, key.toLatin1());
        }
        if (romaji_spelling::isKatakana(answer)) {
            QTest::keyClick(main.Text1, Qt::Key_Space);
        }
        if (main.game().WordIndex == game.module().puzzles.lastSlot(pattern)) {
            closeNextDialog();
        }
        game.clock().advance(pause(dice));
        QTest::keyClick(main.Text1, Qt::Key_Return);
        runBursts(main);
    }
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

    // A few games typed key by key, then the history's 苦手 page with a key hovered.
    std::mt19937 dice(20261209);
    for (int round = 0; round < 4; ++round) {
        for (int pattern : {0, 1, 2}) {
            typePattern(game, pattern, dice);
        }
    }
    game.stopTimers();
    QTimer::singleShot(0, [] {
        auto* window = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!window) {
            return;
        }
        auto* tabs = window->findChild<QTabWidget*>();
        tabs->setCurrentIndex(tabs->count() - 1);
        QCoreApplication::processEvents();
        QApplication::setActiveWindow(window);
        for (QWidget* child : window->findChildren<QWidget*>()) {
            if (qstrcmp(child->metaObject()->className(), "KeyboardMap") == 0) {
                child->setFocus(); // on A, the home row
                for (int i = 0; i < 7; ++i) {
                    QTest::keyClick(child, Qt::Key_Right); // to K
                }
            }
        }
        save(*window, QStringLiteral("history-weak"));
        window->done(0);
    });
    main.showHistory(&main, 0, false);
    return 0;
}
