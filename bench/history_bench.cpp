// The play history on a long-played game: ten thousand games kept. What the
// player waits for at the end of the first game is the store opening and
// taking the game; the integrity check over the whole file runs meanwhile on
// another thread, and its cost is measured here too.
#include "history/sqlite_history_store.h"
#include "input/kana_composer.h"
#include "input/key_log.h"
#include "typed_history.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

PlayedGame aGame(int i)
{
    PlayedGame game;
    game.playedAt = QDateTime(QDate(2026, 1, 1), QTime(12, 0)).addSecs(i * 60);
    game.pattern = i % 99;
    game.outcome = Outcome::Completed;
    game.timeMs = 40'000;
    game.questions = true;
    for (int slot = 0; slot < 13; ++slot) {
        WordPlay word;
        word.slot = slot;
        word.answer = QStringLiteral("さくらんぼ");
        word.ms = 3000;
        word.taker = Taker::Player;
        word.keys = 12;
        game.words.push_back(word);
    }
    return game;
}

// A history.db of `games` games, made once: the store writes its tables, the
// rest goes in as one transaction.
const QString& longHistory(int games)
{
    static QTemporaryDir dir;
    static QString folder;
    if (!folder.isEmpty()) {
        return folder;
    }
    {
        SqliteHistoryStore store(dir.path());
        QString error;
        store.append(aGame(0), &error);
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-fill"));
        db.setDatabaseName(QDir(dir.path()).filePath(SqliteHistoryStore::fileName()));
        db.open();
        db.transaction();
        QSqlQuery game(db);
        game.prepare(QStringLiteral("INSERT INTO games (played_at, mode, pattern, rank, questions, answer_shown, "
                                    "outcome, time_ms, player_letters, cpu_letters) "
                                    "VALUES ('2026-01-01T12:00:00', 'single', ?, NULL, 1, 0, 'completed', 40000, 0, 0)"));
        QSqlQuery word(db);
        word.prepare(QStringLiteral("INSERT INTO words (game_id, slot, answer, ms, taker, wrong_enters, keys, "
                                    "question_shown, answer_shown) VALUES (?, ?, 'さくらんぼ', 3000, 'player', 0, 12, 1, 0)"));
        for (int i = 1; i < games; ++i) {
            game.addBindValue(i % 99);
            game.exec();
            const QVariant id = game.lastInsertId();
            for (int slot = 0; slot < 13; ++slot) {
                word.addBindValue(id);
                word.addBindValue(slot);
                word.exec();
            }
        }
        db.commit();
        QSqlQuery(db).exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-fill"));
    folder = dir.path();
    return folder;
}

// What the game's thread spends at the first game's end: open, check the tables, take the game.
void historyFirstAppend(benchmark::State& state)
{
    const QString& folder = longHistory(int(state.range(0)));
    int i = 0;
    for (auto _ : state) {
        auto store = std::make_unique<SqliteHistoryStore>(folder);
        QString error;
        if (!store->append(aGame(++i), &error)) {
            state.SkipWithError(qPrintable(error));
        }
        state.PauseTiming();
        store.reset(); // waits for the check, which is not the game's time
        state.ResumeTiming();
    }
}
BENCHMARK(historyFirstAppend)->Arg(10'000)->Unit(benchmark::kMillisecond);

// The integrity check over the whole file: once on the game's thread, now beside it.
void historyIntegrityCheck(benchmark::State& state)
{
    const QString& folder = longHistory(int(state.range(0)));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-check"));
        db.setDatabaseName(QDir(folder).filePath(SqliteHistoryStore::fileName()));
        db.open();
        for (auto _ : state) {
            QSqlQuery check(db);
            check.exec(QStringLiteral("PRAGMA quick_check"));
            check.next();
            benchmark::DoNotOptimize(check.value(0).toString());
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-check"));
}
BENCHMARK(historyIntegrityCheck)->Arg(10'000)->Unit(benchmark::kMillisecond);

// One key through the conversion and into the word's key log, as the answer
// box hands it on (its repaint is the screen benchmark's romajiKey).
void keyConversionAndLog(benchmark::State& state)
{
    static constexpr char kKeys[] = "kyasitunehomiyuronn";
    KeyLog log;
    KanaComposer composer;
    composer.setLog(&log);
    std::size_t n = 0;
    qint64 ms = 0;
    for (auto _ : state) {
        if (n % 180 == 0) { // a word of about a minute of typing, then the next
            state.PauseTiming();
            composer.clear();
            log.take();
            state.ResumeTiming();
        }
        const QChar key = QLatin1Char(kKeys[n++ % (sizeof kKeys - 1)]);
        composer.type(key, log.press(ms += 120, keyName(0, QString(key))));
        benchmark::DoNotOptimize(composer.text());
    }
}
BENCHMARK(keyConversionAndLog)->Unit(benchmark::kMicrosecond);

// The end of a 180 s game of 1,800 keys on an open history of 10,000 games:
// the game, its words and every key in one transaction.
void historySaveTypedGame(benchmark::State& state)
{
    const QString& folder = longHistory(10'000);
    SqliteHistoryStore store(folder);
    QString error;
    store.append(aGame(0), &error); // opened, as after the first game
    store.waitForIntegrityCheck();
    const PlayedGame game = typedGame(1, 15, int(state.range(0)) / 15);
    for (auto _ : state) {
        if (!store.append(game, &error)) {
            state.SkipWithError(qPrintable(error));
        }
    }
}
BENCHMARK(historySaveTypedGame)->Arg(1800)->Unit(benchmark::kMillisecond);

} // namespace
