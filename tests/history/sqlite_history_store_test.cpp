#include "history/sqlite_history_store.h"
#include "platform/files.h"
#include "support/file_size_limit.h"
#include "support/history_fakes.h"
#include "support/temp_dir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace {

PlayedGame battleGame()
{
    PlayedGame game = singleGame(12, QDateTime(QDate(2026, 12, 9), QTime(12, 34, 56)), 4000, false);
    game.mode = GameMode::Battle;
    game.rank = 8;
    game.playerLetters = 3;
    game.cpuLetters = 5;
    game.words = {wordPlay(0, QStringLiteral("いぬ"), 1500, Taker::Cpu, 2),
                  wordPlay(1, QStringLiteral("ねこ"), 1000, Taker::Player, 4),
                  wordPlay(2, QStringLiteral("からす"), 1500, Taker::Cpu, 1)};
    game.words[1].wrongEnters = 2;
    game.words[1].answerShown = true;
    return game;
}

// Runs SQL on history.db through a connection of its own.
QStringList query(const QString& file, const QString& sql)
{
    QStringList rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("test-peek"));
        db.setDatabaseName(file);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(sql)) {
                while (q.next()) {
                    rows.append(q.value(0).toString());
                }
            }
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("test-peek"));
    return rows;
}

} // namespace

using HistoryDatabase = TempDirTest;

TEST_F(HistoryDatabase, KeepsEveryOutcomeWithItsWordsInWalMode)
{
    PlayedGame completed = singleGame(3, QDateTime(QDate(2026, 12, 8), QTime(9, 0, 1)), 2500);
    completed.words = {wordPlay(0, QStringLiteral("さくら"), 1000, Taker::Player, 6),
                       wordPlay(1, QStringLiteral("さかな"), 1500, Taker::Player, 7)};
    completed.words[0].questionShown = true;
    PlayedGame aborted = singleGame(3, QDateTime(QDate(2026, 12, 8), QTime(9, 1, 0)), 700, true, Outcome::Aborted);
    aborted.words = {wordPlay(0, QStringLiteral("さくら"), 700, Taker::Nobody, 3)};
    PlayedGame timedOut = singleGame(4, QDateTime(QDate(2026, 12, 8), QTime(9, 5, 0)), 180'000, false, Outcome::TimedOut);
    timedOut.words = {wordPlay(0, QStringLiteral("ながい"), 180'000, Taker::Nobody)};
    {
        SqliteHistoryStore store(dir.path());
        EXPECT_FALSE(fileExists(path("history.db"))) << "nothing is opened before it is needed";
        QString error;
        for (const PlayedGame* game : {&completed, &aborted, &timedOut}) {
            ASSERT_TRUE(store.append(*game, &error)) << error.toStdString();
        }
        ASSERT_TRUE(store.append(battleGame(), &error));
        EXPECT_TRUE(store.takeNotice().isEmpty());
    }
    EXPECT_EQ(query(path("history.db"), QStringLiteral("PRAGMA journal_mode")), QStringList{QStringLiteral("wal")});

    SqliteHistoryStore reader(dir.path(), SqliteHistoryStore::Access::ReadOnly);
    const HistoryLoad load = reader.loadAll();
    ASSERT_TRUE(load.ok()) << load.error.toStdString();
    EXPECT_EQ(load.skipped, 0);
    ASSERT_EQ(load.games.size(), 4u);
    EXPECT_EQ(load.games[0].outcome, Outcome::Completed);
    EXPECT_EQ(load.games[1].outcome, Outcome::Aborted);
    EXPECT_EQ(load.games[2].outcome, Outcome::TimedOut);
    EXPECT_EQ(load.games[0].playedAt, completed.playedAt);
    EXPECT_EQ(load.games[0].timeMs, 2500);
    EXPECT_FALSE(load.games[0].rank.has_value());
    EXPECT_EQ(load.games[0].words[1].answer, QStringLiteral("さかな"));
    EXPECT_EQ(load.games[0].words[0].ms + load.games[0].words[1].ms, load.games[0].timeMs);
    EXPECT_TRUE(load.games[0].words[0].questionShown);
    EXPECT_EQ(load.games[1].words[0].taker, Taker::Nobody);

    const PlayedGame& battle = load.games[3];
    EXPECT_EQ(battle.mode, GameMode::Battle);
    EXPECT_EQ(battle.rank, 8);
    EXPECT_EQ(battle.cpuLetters, 5);
    EXPECT_EQ(battle.words[0].taker, Taker::Cpu);
    EXPECT_EQ(battle.words[2].taker, Taker::Cpu);
    EXPECT_EQ(battle.words[1].wrongEnters, 2);
    EXPECT_EQ(battle.words[1].keys, 4);
    EXPECT_TRUE(battle.words[1].answerShown);
    EXPECT_EQ(battle.keys(), 7);
}

TEST_F(HistoryDatabase, DamagedFileIsKeptAsideAndANewHistoryStarted)
{
    const QByteArray junk = QByteArray("not a database at all, a hand-edited file\n").repeated(200);
    writeFile("history.db", junk);

    // Reading for the data tool never moves it.
    SqliteHistoryStore reader(dir.path(), SqliteHistoryStore::Access::ReadOnly);
    EXPECT_FALSE(reader.loadAll().ok());
    EXPECT_EQ(readFile("history.db"), junk);

    SqliteHistoryStore store(dir.path());
    QString error;
    ASSERT_TRUE(store.append(battleGame(), &error)) << error.toStdString();
    EXPECT_EQ(readFile("history.db.damaged"), junk);
    EXPECT_TRUE(store.takeNotice().contains(QStringLiteral("history.db.damaged")));
    EXPECT_TRUE(store.takeNotice().isEmpty()) << "told once";
    EXPECT_EQ(store.loadAll().games.size(), 1u);
}

TEST_F(HistoryDatabase, ForeignTablesCountAsDamageAndHandEditedRowsAreSkipped)
{
    {
        SqliteHistoryStore store(dir.path());
        QString error;
        ASSERT_TRUE(store.append(battleGame(), &error));
        ASSERT_TRUE(store.append(battleGame(), &error));
    }
    query(path("history.db"), QStringLiteral("UPDATE games SET pattern = 500 WHERE id = 1"));
    query(path("history.db"), QStringLiteral("UPDATE words SET taker = 'ghost' WHERE game_id = 2 AND slot = 0"));
    SqliteHistoryStore reader(dir.path(), SqliteHistoryStore::Access::ReadOnly);
    HistoryLoad load = reader.loadAll();
    ASSERT_TRUE(load.ok());
    EXPECT_EQ(load.skipped, 2);
    ASSERT_EQ(load.games.size(), 1u);
    EXPECT_EQ(load.games[0].words.size(), 2u);

    // A database of some other program: put aside, not written into.
    const QString other = QDir(dir.path()).filePath(QStringLiteral("other"));
    QDir().mkpath(other);
    query(QDir(other).filePath(QStringLiteral("history.db")), QStringLiteral("CREATE TABLE games (id INTEGER, name TEXT)"));
    SqliteHistoryStore store(other);
    QString error;
    ASSERT_TRUE(store.append(battleGame(), &error)) << error.toStdString();
    EXPECT_TRUE(QFileInfo::exists(QDir(other).filePath(QStringLiteral("history.db.damaged"))));
    EXPECT_FALSE(store.takeNotice().isEmpty());
}

TEST_F(HistoryDatabase, FailedWritesSayWhyAndLoseNothingWritten)
{
    SqliteHistoryStore nowhere(path("missing-folder"));
    QString error;
    EXPECT_FALSE(nowhere.append(battleGame(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(path("missing-folder")));

    SqliteHistoryStore store(dir.path());
    ASSERT_TRUE(store.append(battleGame(), &error));
    PlayedGame huge = battleGame();
    huge.words[0].answer = QString(200'000, u'あ'); // far beyond the disk we leave
    {
        FileSizeLimit full(QFileInfo(path("history.db")).size() + 4096);
        error.clear();
        EXPECT_FALSE(store.append(huge, &error));
        EXPECT_FALSE(error.isEmpty());
    }
    ASSERT_TRUE(store.append(battleGame(), &error)) << "the store works again once there is room";
    const HistoryLoad load = store.loadAll();
    ASSERT_EQ(load.games.size(), 2u) << "the failed game left no half rows";
    EXPECT_EQ(load.games[1].words.size(), 3u);
}

TEST_F(HistoryDatabase, DamageTheCheckFindsOffTheGamesThreadIsPutAsideAtTheNextUse)
{
    {
        SqliteHistoryStore store(dir.path());
        QString error;
        for (int i = 0; i < 200; ++i) {
            ASSERT_TRUE(store.append(battleGame(), &error)) << error.toStdString();
        }
    }
    query(path("history.db"), QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    // Garble a page in the middle: the file opens and its tables read, but it is damaged.
    QByteArray bytes = readFile("history.db");
    ASSERT_GT(bytes.size(), 10 * 4096);
    bytes.replace(7 * 4096, 4096, QByteArray(4096, '\x5a'));
    writeFile("history.db", bytes);

    SqliteHistoryStore store(dir.path());
    QString error;
    EXPECT_TRUE(store.append(battleGame(), &error)) << "the game does not wait for the check";
    store.waitForIntegrityCheck();
    EXPECT_TRUE(store.append(battleGame(), &error)) << error.toStdString();
    EXPECT_TRUE(store.takeNotice().contains(QStringLiteral("history.db.damaged")));
    // A new history: the second game, and the first too when the check had
    // ended before it (then the first use already put the file aside).
    const std::size_t games = store.loadAll().games.size();
    EXPECT_TRUE(games == 1u || games == 2u) << games << " games: the 200 damaged ones are not in it";
    EXPECT_EQ(readFile("history.db.damaged").size(), bytes.size());
}

TEST_F(HistoryDatabase, ALinkWhereHistoryDbBelongsIsNeverOpened)
{
    QDir().mkpath(path("elsewhere"));
    writeFile("elsewhere/notes.db", "the player's own file");
    ASSERT_TRUE(QFile::link(path("elsewhere/notes.db"), path("history.db")));
    SqliteHistoryStore store(dir.path());
    QString error;
    EXPECT_FALSE(store.append(battleGame(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("history.db"))) << error.toStdString();
    EXPECT_FALSE(store.failedForNow());
    EXPECT_FALSE(store.loadAll().ok());
    EXPECT_EQ(readFile("elsewhere/notes.db"), QByteArray("the player's own file"));
    EXPECT_FALSE(QFileInfo::exists(path("history.db.damaged")));
}

TEST_F(HistoryDatabase, AnotherProgramsWriteFailsTheGameForNowOnly)
{
    SqliteHistoryStore store(dir.path());
    QString error;
    ASSERT_TRUE(store.append(battleGame(), &error));
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("test-writer"));
        other.setDatabaseName(path("history.db"));
        ASSERT_TRUE(other.open());
        QSqlQuery lock(other);
        ASSERT_TRUE(lock.exec(QStringLiteral("BEGIN IMMEDIATE")));
        EXPECT_FALSE(store.append(battleGame(), &error));
        EXPECT_TRUE(store.failedForNow());
        EXPECT_TRUE(error.contains(QStringLiteral("in use"))) << error.toStdString();
        lock.exec(QStringLiteral("ROLLBACK"));
        other.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("test-writer"));
    EXPECT_TRUE(store.append(battleGame(), &error)) << error.toStdString();
    EXPECT_FALSE(store.failedForNow());
    EXPECT_EQ(store.loadAll().games.size(), 2u);
}

TEST_F(HistoryDatabase, AHistoryOfTheFirstVersionOpensGainsWhatIsNewAndKeepsEveryRow)
{
    ASSERT_TRUE(QFile::copy(QStringLiteral(TAZUMEKI_FIXTURES "/history-v1.db"), path("history.db")));
    QFile::setPermissions(path("history.db"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const auto before = [&] {
        SqliteHistoryStore reader(dir.path(), SqliteHistoryStore::Access::ReadOnly);
        return reader.loadAll(); // an older file reads as it is, with nothing of what came later
    }();
    ASSERT_TRUE(before.ok()) << before.error.toStdString();
    ASSERT_EQ(before.games.size(), 3u);
    EXPECT_EQ(before.games[1].mode, GameMode::Battle);
    EXPECT_EQ(before.games[1].words[2].answer, QStringLiteral("からすみち"));
    EXPECT_FALSE(before.games[0].racedGame);

    SqliteHistoryStore store(dir.path());
    PlayedGame race = battleGame();
    race.mode = GameMode::Race;
    race.rank.reset();
    race.racedGame = 1;
    QString error;
    ASSERT_TRUE(store.append(race, &error)) << error.toStdString();
    const HistoryLoad after = store.loadAll();
    ASSERT_EQ(after.games.size(), 4u);
    for (std::size_t i = 0; i < 3; ++i) {
        const PlayedGame& a = before.games[i];
        const PlayedGame& b = after.games[i];
        EXPECT_EQ(a.id, b.id);
        EXPECT_EQ(a.playedAt, b.playedAt);
        EXPECT_EQ(a.mode, b.mode);
        EXPECT_EQ(a.timeMs, b.timeMs);
        ASSERT_EQ(a.words.size(), b.words.size());
        for (std::size_t w = 0; w < a.words.size(); ++w) {
            EXPECT_EQ(a.words[w].answer, b.words[w].answer);
            EXPECT_EQ(a.words[w].ms, b.words[w].ms);
            EXPECT_EQ(a.words[w].keys, b.words[w].keys);
        }
    }
    EXPECT_EQ(after.games[3].mode, GameMode::Race);
    EXPECT_EQ(after.games[3].racedGame, 1);
    EXPECT_EQ(query(path("history.db"), QStringLiteral("PRAGMA user_version")).value(0), QStringLiteral("4"));
}

TEST_F(HistoryDatabase, AHistoryOfTheRaceVersionGainsTheKeysTableAndKeepsEveryRow)
{
    ASSERT_TRUE(QFile::copy(QStringLiteral(TAZUMEKI_FIXTURES "/history-v2.db"), path("history.db")));
    QFile::setPermissions(path("history.db"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QStringList gamesBefore = query(path("history.db"), QStringLiteral("SELECT group_concat(id || mode || time_ms || "
                                                                              "ifnull(raced_game, '-')) FROM games"));
    const QStringList wordsBefore = query(path("history.db"), QStringLiteral("SELECT group_concat(game_id || slot || answer "
                                                                              "|| ms || ifnull(taker, '-')) FROM words"));
    {
        SqliteHistoryStore reader(dir.path(), SqliteHistoryStore::Access::ReadOnly);
        const HistoryLoad old = reader.loadAll(); // read as it is: no keys table yet
        ASSERT_TRUE(old.ok()) << old.error.toStdString();
        EXPECT_EQ(old.games.size(), 4u);
        EXPECT_EQ(old.games[3].racedGame, 1);
    }
    SqliteHistoryStore store(dir.path());
    PlayedGame typed = battleGame();
    KeyStroke k;
    k.ms = 120;
    k.key = QStringLiteral("k");
    k.kana = QStringLiteral("き");
    k.mora = 0;
    k.place = 0;
    k.missed = true;
    typed.words[0].strokes = {k};
    QString error;
    ASSERT_TRUE(store.append(typed, &error)) << error.toStdString();
    EXPECT_EQ(query(path("history.db"), QStringLiteral("PRAGMA user_version")).value(0), QStringLiteral("4"));
    EXPECT_EQ(query(path("history.db"), QStringLiteral("SELECT group_concat(id || mode || time_ms || "
                                                       "ifnull(raced_game, '-')) FROM games WHERE id <= 4")),
              gamesBefore);
    EXPECT_EQ(query(path("history.db"), QStringLiteral("SELECT group_concat(game_id || slot || answer || ms || "
                                                       "ifnull(taker, '-')) FROM words WHERE game_id <= 4")),
              wordsBefore);
    const HistoryLoad load = store.loadAll();
    ASSERT_EQ(load.games.size(), 5u);
    ASSERT_EQ(load.games[4].words[0].strokes.size(), 1u);
    EXPECT_TRUE(load.games[4].words[0].strokes[0].missed);
    EXPECT_EQ(load.games[4].words[0].strokes[0].kana, QStringLiteral("き"));
    EXPECT_TRUE(load.games[4].words[1].strokes.empty()) << "a word with no keys has no row";
}

TEST_F(HistoryDatabase, KeysAreWrittenWithTheirGameAndAHandEditedRowIsSkipped)
{
    PlayedGame game = battleGame();
    std::vector<KeyStroke> many(1800);
    for (std::size_t i = 0; i < many.size(); ++i) {
        many[i].ms = qint64(i) * 100;
        many[i].key = QString(QChar(u'a' + int(i % 26)));
    }
    game.words[1].strokes = many;
    game.words[2].strokes = {many[0]};
    game.words[2].inputMethod = true;
    {
        SqliteHistoryStore store(dir.path());
        QString error;
        ASSERT_TRUE(store.append(game, &error)) << error.toStdString();
        ASSERT_TRUE(store.append(game, &error)) << error.toStdString();
    }
    query(path("history.db"), QStringLiteral("UPDATE keys SET strokes = x'0102' WHERE game_id = 2 AND slot = 1"));
    query(path("history.db"), QStringLiteral("INSERT INTO keys VALUES (2, 9, 0, x'80')")); // a word the game lacks
    SqliteHistoryStore reader(dir.path(), SqliteHistoryStore::Access::ReadOnly);
    const HistoryLoad load = reader.loadAll();
    ASSERT_TRUE(load.ok());
    EXPECT_EQ(load.skipped, 2);
    ASSERT_EQ(load.games.size(), 2u);
    EXPECT_EQ(load.games[0].words[1].strokes.size(), 1800u);
    EXPECT_EQ(load.games[0].words[1].strokes[1799].ms, 179900);
    EXPECT_TRUE(load.games[0].words[2].inputMethod);
    EXPECT_TRUE(load.games[1].words[1].strokes.empty()) << "its keys unreadable, the word itself is kept";
    EXPECT_EQ(load.games[1].words[1].answer, QStringLiteral("ねこ"));
}
