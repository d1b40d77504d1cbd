// The history window's 苦手 page on a history of 100,000 keys: read from
// history.db as the game reads it, figured, laid out and painted, as the
// player waits for it.
#include "game_harness.h"
#include "history/history_window.h"
#include "history/sqlite_history_store.h"
#include "typed_history.h"

#include <QApplication>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void weakPageOpens(benchmark::State& state)
{
    GameHarness game;
    QTemporaryDir dir;
    const int keys = int(state.range(0));
    {
        SqliteHistoryStore store(dir.path());
        QString error;
        for (int i = 0; i < keys / 100; ++i) { // ten words of ten keys a game
            if (!store.append(typedGame(i, 10, 10), &error)) {
                state.SkipWithError(qPrintable(error));
                return;
            }
        }
    }
    const QDate today = QDate(2026, 12, 9);
    // Opened once, as the game opens it: its integrity check runs on a thread
    // of its own, never on the game's.
    SqliteHistoryStore store(dir.path());
    if (!store.loadAll().ok()) {
        state.SkipWithError("history.db did not read");
        return;
    }
    for (auto _ : state) {
        const HistoryLoad history = store.loadAll();
        HistoryWindow window(nullptr, history, game.module().puzzles, game.module().ranks, 0,
                             HistoryWindow::Kind::Single, today);
        window.tabs->setCurrentWidget(window.weak.page);
        window.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window.weak.slowest->rowCount());
        state.PauseTiming();
        window.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(weakPageOpens)->Arg(100'000)->Unit(benchmark::kMillisecond);

} // namespace
