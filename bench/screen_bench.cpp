// What a player waits for on the main screen, on the real Main with the
// shipped puzzle set: start-up, a right answer, a burst frame, one typed key,
// and the end of a recorded game with its save.
#include "game_harness.h"

#include "platform/files.h"
#include "platform/fonts.h"
#include "puzzle/puzzle_set.h"
#include "store/line_file.h"
#include "view/stored_art.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <benchmark/benchmark.h>

namespace {

constexpr int kLongPattern = 0;

// A right answer typed and Enter pressed, through to the repainted window:
// the word taken, its letters drawn, the frame moved, the next question shown.
void rightEnter(benchmark::State& state)
{
    GameHarness game;
    game.createMain();
    Main& main = game.main();
    game.startGame(kLongPattern);
    for (auto _ : state) {
        state.PauseTiming();
        if (main.game().PlayState == PlayState::Idle || main.game().WordIndex >= game.module().puzzles.lastSlot(main.game().PatternIndex)) {
            game.abandonGame(); // the last word would end the game and show the result
            game.startGame(kLongPattern);
        }
        main.Text1->setText(game.module().puzzles.WordAnswer[main.game().PatternIndex][main.game().WordIndex]);
        state.ResumeTiming();

        QTest::keyClick(main.Text1, Qt::Key_Return);
        QCoreApplication::processEvents();

        state.PauseTiming();
        game.stopTimers();
        game.sound().played.clear();
        state.ResumeTiming();
    }
}
BENCHMARK(rightEnter)->Unit(benchmark::kMicrosecond);

// One frame of the burst over a 7-cell word, through to the repainted window.
void explosionTick(benchmark::State& state)
{
    GameHarness game;
    game.createMain();
    Main& main = game.main();
    int pattern = 0;
    int slot = 0;
    if (!game.findWord(7, pattern, slot)) {
        state.SkipWithError("the shipped puzzle set has no 7-cell word");
        return;
    }
    main.StartExplosion(pattern, slot, Taker::Player);
    main.Timer3->setInterval(0);
    for (auto _ : state) {
        if (main.ExplosionFrame >= 10) {
            state.PauseTiming();
            main.StartExplosion(pattern, slot, Taker::Player);
            main.Timer3->setInterval(0);
            game.sound().played.clear();
            state.ResumeTiming();
        }
        main.Timer3_Timer();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(explosionTick)->Unit(benchmark::kMicrosecond);

// One romaji key through the built-in conversion to the repainted answer box.
void romajiKey(benchmark::State& state)
{
    GameHarness game;
    game.createMain();
    Main& main = game.main();
    game.startGame(kLongPattern);
    if (!main.Text1->conversion()) {
        state.SkipWithError("the first answer of the pattern is not kana");
        return;
    }
    static constexpr char kKeys[] = "kasitunehomiyuro";
    std::size_t n = 0;
    for (auto _ : state) {
        if (main.Text1->text().size() > 12) {
            state.PauseTiming();
            main.Text1->empty();
            QCoreApplication::processEvents();
            state.ResumeTiming();
        }
        QTest::keyClick(main.Text1, kKeys[n++ % (sizeof kKeys - 1)]);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(romajiKey)->Unit(benchmark::kMicrosecond);

// The whole main screen made: controls, pictures, then Form_Load reading the
// shipped data2.dat and both record files and writing the title board.
void mainWindowCreated(benchmark::State& state)
{
    GameHarness game;
    ScriptedRandom random;
    StdRandom keyRandom(1);
    GsxSeq seq(keyRandom);
    NotifierRecorder notifier;
    for (auto _ : state) {
        auto main = std::make_unique<Main>(game.module(), Main::Services{game.clock(), random, game.sound(), seq, notifier},
                                           GameFolders{game.folder(), game.folder(), {}, {}});
        benchmark::DoNotOptimize(main.get());
        state.PauseTiming();
        main.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(mainWindowCreated)->Unit(benchmark::kMillisecond);

// The puzzle set part of Form_Load alone: data2.dat read, unscrambled and parsed.
void loadShippedPuzzles(benchmark::State& state)
{
    GameHarness game;
    StdRandom random(3);
    GsxSeq seq(random);
    for (auto _ : state) {
        auto set = std::make_unique<PuzzleSet>();
        benchmark::DoNotOptimize(Get_Question(seq, game.folder(), *set).status);
    }
}
BENCHMARK(loadShippedPuzzles)->Unit(benchmark::kMicrosecond);

// The main screen's pictures at start-up: drawn in code, as the game did,
// against loaded from the program's resources, as it does now.
constexpr art::Piece kMainScreenPieces[] = {art::Piece::PlayField,  art::Piece::EmptyTile,   art::Piece::BlankTile,
                                            art::Piece::PlayerTile, art::Piece::CpuTile,     art::Piece::ExplosionStrip,
                                            art::Piece::StartButton, art::Piece::RecordButton, art::Piece::CloseButton};

void drawAllArt(benchmark::State& state)
{
    for (auto _ : state) {
        for (art::Piece piece : kMainScreenPieces) {
            benchmark::DoNotOptimize(art::draw(piece, 1));
        }
        benchmark::DoNotOptimize(art::appIcon());
    }
}
BENCHMARK(drawAllArt)->Unit(benchmark::kMillisecond);

void loadStoredArt(benchmark::State& state)
{
    for (auto _ : state) {
        for (art::Piece piece : kMainScreenPieces) {
            benchmark::DoNotOptimize(art::stored(piece, 1));
        }
        benchmark::DoNotOptimize(art::windowIcon());
    }
}
BENCHMARK(loadStoredArt)->Unit(benchmark::kMillisecond);

// EndGame of a single-practice game with a new best time: the record
// counted, data1.dat packed and replaced atomically, the result dialog shown.
// The records folder sits on the disk (the fsync reaches it) or, with a
// memory file system, where the fsync costs nothing.
void endGame(benchmark::State& state, const QString& parentDir)
{
    if (!parentDir.isEmpty() && !QFileInfo(parentDir).isWritable()) {
        state.SkipWithError("no memory file system here");
        return;
    }
    GameHarness game(parentDir);
    game.createMain();
    Main& main = game.main();
    for (auto _ : state) {
        state.PauseTiming();
        game.startGame(kLongPattern);
        const PuzzleSet& puzzles = game.module().puzzles;
        while (main.game().WordIndex < puzzles.lastSlot(kLongPattern)) {
            main.session().Text1_KeyDown(vbKeyReturn, puzzles.WordAnswer[kLongPattern][main.game().WordIndex]);
        }
        game.stopTimers();
        game.module().singleRecords.BestWithQuestion[kLongPattern] = 0; // every game a new best
        game.clock().advance(61'000);
        main.Text1->setText(puzzles.WordAnswer[kLongPattern][main.game().WordIndex]);
        closeNextDialog();
        state.ResumeTiming();

        // The last word's Enter: the game ends, its record is decided and saved.
        QTest::keyClick(main.Text1, Qt::Key_Return);

        state.PauseTiming();
        if (!fileExists(QDir(game.folder()).filePath(QStringLiteral("data1.dat")))) {
            state.SkipWithError("the game was not saved");
        }
        game.sound().played.clear();
        state.ResumeTiming();
    }
}
BENCHMARK_CAPTURE(endGame, disk, QString())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(endGame, memory, QStringLiteral("/dev/shm"))->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    installFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
