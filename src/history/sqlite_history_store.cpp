#include "history/sqlite_history_store.h"

#include "history/stroke_blob.h"
#include "platform/files.h"
#include "platform/kept_copies.h"
#include "store/counts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>

namespace {

// 1: games and words; 2: the game a race ran against; 3: every key of a word;
// 4: the player's own puzzle set a game was played on.
constexpr int kSchemaVersion = 4;
constexpr int kLastPattern = kPlayablePatterns - 1;
constexpr int kLastRank = kRankCount - 1;
constexpr int kLastSlot = kWordSlots - 1;

const QString kGameColumns = QStringLiteral(
    "id, played_at, mode, pattern, rank, questions, answer_shown, outcome, time_ms, player_letters, cpu_letters");
const QString kWordColumns =
    QStringLiteral("game_id, slot, answer, ms, taker, wrong_enters, keys, question_shown, answer_shown");

// SQLite's own codes for a file that is not (or no longer) a database.
bool isDamageCode(const QSqlError& error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok) & 0xff;
    return ok && (code == 11 /* SQLITE_CORRUPT */ || code == 26 /* SQLITE_NOTADB */);
}

QString describe(const QSqlError& error)
{
    const QString text = error.text().trimmed();
    return text.isEmpty() ? QStringLiteral("unknown database error") : text;
}

bool exec(QSqlQuery& query, const QString& sql, QSqlError* error)
{
    if (query.exec(sql)) {
        return true;
    }
    *error = query.lastError();
    return false;
}

std::optional<PlayedGame> gameFromRow(const QSqlQuery& q)
{
    PlayedGame game;
    game.playedAt = playedAtFromText(q.value(1).toString());
    const auto mode = modeFromName(q.value(2).toString());
    const auto outcome = outcomeFromName(q.value(7).toString());
    bool patternOk = false;
    game.pattern = q.value(3).toInt(&patternOk);
    if (!game.playedAt.isValid() || !mode || !outcome || !patternOk || game.pattern < 0 || game.pattern > kLastPattern) {
        return std::nullopt;
    }
    game.mode = *mode;
    game.outcome = *outcome;
    if (game.mode == GameMode::Battle) {
        bool ok = false;
        const int rank = q.value(4).toInt(&ok);
        if (!ok || rank < 0 || rank > kLastRank) {
            return std::nullopt;
        }
        game.rank = rank;
    }
    game.questions = q.value(5).toInt() != 0;
    game.answerShown = q.value(6).toInt() != 0;
    game.timeMs = q.value(8).toLongLong();
    game.playerLetters = q.value(9).toInt();
    game.cpuLetters = q.value(10).toInt();
    game.id = q.value(0).toLongLong();
    if (game.mode == GameMode::Race && !q.value(11).isNull()) {
        game.racedGame = q.value(11).toLongLong();
    }
    game.setId = q.value(12).isNull() ? QString() : q.value(12).toString();
    if (game.timeMs < 0 || game.playerLetters < 0 || game.cpuLetters < 0) {
        return std::nullopt;
    }
    return game;
}

std::optional<WordPlay> wordFromRow(const QSqlQuery& q)
{
    WordPlay word;
    word.slot = q.value(1).toInt();
    word.answer = q.value(2).toString();
    word.ms = q.value(3).toLongLong();
    const auto taker = takerFromName(q.value(4).isNull() ? QString() : q.value(4).toString());
    word.wrongEnters = q.value(5).toInt();
    word.keys = q.value(6).toInt();
    word.questionShown = q.value(7).toInt() != 0;
    word.answerShown = q.value(8).toInt() != 0;
    if (!taker || word.slot < 0 || word.slot > kLastSlot || word.ms < 0 || word.wrongEnters < 0 || word.keys < 0) {
        return std::nullopt;
    }
    word.taker = *taker;
    return word;
}

bool hasColumn(const QSqlDatabase& db, const QString& table, const QString& column)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(table))) {
        return false;
    }
    while (query.next()) {
        if (query.value(1).toString() == column) {
            return true;
        }
    }
    return false;
}

bool hasTable(const QSqlDatabase& db, const QString& table)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?"));
    query.addBindValue(table);
    return query.exec() && query.next();
}

bool isBusyCode(const QSqlError& error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok) & 0xff;
    return ok && (code == 5 /* SQLITE_BUSY */ || code == 6 /* SQLITE_LOCKED */);
}

std::atomic<int> connectionSerial{0};

// The integrity check reads the whole file, longer the more games it holds
// (40 ms for ten thousand): it runs on a connection of its own, off the
// game's thread. True when the file is damaged.
bool integrityCheckFails(const QString& path)
{
    const QString name = QStringLiteral("tazumeki-history-check-%1").arg(++connectionSerial);
    bool damaged = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000"));
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("PRAGMA quick_check"))) {
                damaged = !query.next() || query.value(0).toString() != QLatin1String("ok");
            } else {
                damaged = isDamageCode(query.lastError());
            }
            query.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return damaged;
}

// Each word's keys, onto the words already read; a row that makes no sense
// is skipped, its word keeping no keys.
bool loadKeys(const QSqlDatabase& db, const std::map<qint64, std::size_t>& byId, HistoryLoad& load)
{
    QSqlQuery keys(db);
    keys.setForwardOnly(true);
    if (!keys.exec(QStringLiteral("SELECT game_id, slot, input_method, strokes FROM keys ORDER BY game_id, rowid"))) {
        load.error = describe(keys.lastError());
        return false;
    }
    while (keys.next()) {
        const auto owner = byId.find(keys.value(0).toLongLong());
        if (owner == byId.end()) {
            continue; // the keys of a skipped game go with it
        }
        std::vector<WordPlay>& words = load.games[owner->second].words;
        const int slot = keys.value(1).toInt();
        const auto word = std::find_if(words.begin(), words.end(), [slot](const WordPlay& w) { return w.slot == slot; });
        auto strokes = keys.value(3).metaType().id() == QMetaType::QByteArray
                           ? strokesFromBlob(keys.value(3).toByteArray())
                           : std::nullopt;
        if (word == words.end() || !strokes || !word->strokes.empty()) {
            ++load.skipped;
            continue;
        }
        word->strokes = std::move(*strokes);
        word->inputMethod = keys.value(2).toInt() != 0;
    }
    return true;
}

} // namespace

SqliteHistoryStore::SqliteHistoryStore(const QString& folder, Access access) : m_folder(folder), m_access(access)
{
    m_connection = QStringLiteral("tazumeki-history-%1").arg(++connectionSerial);
}

SqliteHistoryStore::~SqliteHistoryStore()
{
    waitForIntegrityCheck();
    close();
}

void SqliteHistoryStore::waitForIntegrityCheck()
{
    if (m_check.valid()) {
        m_check.wait();
    }
}

bool SqliteHistoryStore::checkFoundDamage()
{
    using namespace std::chrono_literals;
    if (!m_check.valid() || m_check.wait_for(0s) != std::future_status::ready) {
        return false;
    }
    return m_check.get();
}

bool SqliteHistoryStore::startAfreshIfDamaged(QString* error)
{
    if (!checkFoundDamage()) {
        return true;
    }
    close();
    *error = QStringLiteral("the integrity check failed");
    return startAfresh(error);
}

QString SqliteHistoryStore::path() const
{
    return QDir(m_folder).filePath(fileName());
}

QString SqliteHistoryStore::takeNotice()
{
    return std::exchange(m_notice, QString());
}

void SqliteHistoryStore::close()
{
    if (!QSqlDatabase::contains(m_connection)) {
        return;
    }
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
    m_open = false;
}

bool SqliteHistoryStore::open(QString* error)
{
    if (m_open) {
        return true;
    }
    if (m_blocked) {
        *error = m_blockedWhy;
        return false;
    }
    // A link could lead the game to write into a file it does not own.
    for (const QString& file : {path(), path() + QStringLiteral("-wal"), path() + QStringLiteral("-shm"),
                                path() + QStringLiteral("-journal")}) {
        const PathKind kind = pathKind(file);
        if (kind == PathKind::Link || kind == PathKind::Other) {
            m_blocked = true;
            m_blockedWhy = notAFileReason(file) + QStringLiteral("。プレイ履歴はそのままにして使いません");
            *error = m_blockedWhy;
            return false;
        }
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        *error = QStringLiteral("the SQLite driver of Qt is not installed");
        return false;
    }
    if (m_access == Access::ReadWrite && !QDir(m_folder).exists()) {
        *error = QStringLiteral("the folder %1 does not exist").arg(QDir::toNativeSeparators(m_folder));
        return false;
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
        db.setDatabaseName(path());
        // The game waits at most a frame for another program's write to end.
        db.setConnectOptions(m_access == Access::ReadOnly ? QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000;QSQLITE_OPEN_READONLY")
                                                          : QStringLiteral("QSQLITE_BUSY_TIMEOUT=16"));
        if (!db.open()) {
            *error = describe(db.lastError());
            db = QSqlDatabase();
            close();
            return false;
        }
    }
    switch (prepare(error)) {
    case Check::Fine:
        m_open = true;
        if (m_access == Access::ReadWrite && !m_check.valid() && !m_checked) {
            m_checked = true;
            m_check = std::async(std::launch::async, integrityCheckFails, path());
        }
        return true;
    case Check::Failed:
        close();
        return false;
    case Check::Damaged:
        break;
    }
    close();
    if (m_access == Access::ReadOnly) {
        *error = QStringLiteral("history.db is damaged: ") + *error;
        return false;
    }
    return startAfresh(error);
}

SqliteHistoryStore::Check SqliteHistoryStore::prepare(QString* error)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery query(db);
    QSqlError sqlError;
    auto fail = [&](const QSqlError& e) {
        *error = describe(e);
        return isDamageCode(e) ? Check::Damaged : Check::Failed;
    };

    if (m_access == Access::ReadOnly) { // the game checks off its thread once it is open
        if (!exec(query, QStringLiteral("PRAGMA quick_check"), &sqlError)) {
            return fail(sqlError);
        }
        if (!query.next() || query.value(0).toString() != QLatin1String("ok")) {
            *error = QStringLiteral("the integrity check failed");
            return Check::Damaged;
        }
    }
    if (!exec(query, QStringLiteral("PRAGMA user_version"), &sqlError) || !query.next()) {
        return fail(sqlError);
    }
    const int version = query.value(0).toInt();
    if (version > kSchemaVersion) {
        *error = QStringLiteral("history.db was written by a newer version of the game");
        return Check::Failed;
    }

    if (m_access == Access::ReadWrite) {
        // WAL: a game's rows reach the disk in one commit without blocking readers.
        if (!exec(query, QStringLiteral("PRAGMA journal_mode=WAL"), &sqlError)) {
            return fail(sqlError);
        }
        const QString create[] = {
            QStringLiteral("CREATE TABLE IF NOT EXISTS games (id INTEGER PRIMARY KEY, played_at TEXT NOT NULL, "
                           "mode TEXT NOT NULL, pattern INTEGER NOT NULL, rank INTEGER, questions INTEGER NOT NULL, "
                           "answer_shown INTEGER NOT NULL, outcome TEXT NOT NULL, time_ms INTEGER NOT NULL, "
                           "player_letters INTEGER NOT NULL, cpu_letters INTEGER NOT NULL)"),
            QStringLiteral("CREATE TABLE IF NOT EXISTS words (game_id INTEGER NOT NULL REFERENCES games(id), "
                           "slot INTEGER NOT NULL, answer TEXT NOT NULL, ms INTEGER NOT NULL, taker TEXT, "
                           "wrong_enters INTEGER NOT NULL, keys INTEGER NOT NULL, question_shown INTEGER NOT NULL, "
                           "answer_shown INTEGER NOT NULL)"),
            QStringLiteral("CREATE INDEX IF NOT EXISTS words_of_game ON words (game_id)"),
            QStringLiteral("CREATE TABLE IF NOT EXISTS keys (game_id INTEGER NOT NULL REFERENCES games(id), "
                           "slot INTEGER NOT NULL, input_method INTEGER NOT NULL, strokes BLOB NOT NULL)"),
            QStringLiteral("CREATE INDEX IF NOT EXISTS keys_of_game ON keys (game_id)"),
        };
        for (const QString& sql : create) {
            if (!exec(query, sql, &sqlError)) {
                return fail(sqlError);
            }
        }
        if (version < kSchemaVersion && !migrate(version, error)) {
            return Check::Failed;
        }
    }
    // Tables without the columns we read were not written by this game.
    for (const QString& sql : {QStringLiteral("SELECT %1 FROM games LIMIT 0").arg(kGameColumns),
                               QStringLiteral("SELECT %1 FROM words LIMIT 0").arg(kWordColumns)}) {
        if (!exec(query, sql, &sqlError)) {
            const Check check = fail(sqlError);
            return check == Check::Failed && m_access == Access::ReadWrite ? Check::Damaged : check;
        }
    }
    return Check::Fine;
}

bool SqliteHistoryStore::migrate(int from, QString* error)
{
    // Each step adds to what an older version wrote and keeps every row; all
    // steps and the new version number are one transaction.
    const QStringList steps[] = {
        {}, // 0 to 1: the tables themselves, made above
        {QStringLiteral("ALTER TABLE games ADD COLUMN raced_game INTEGER")},
        {}, // 2 to 3: the keys table, made above
        {QStringLiteral("ALTER TABLE games ADD COLUMN set_id TEXT")},
    };
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction()) {
        *error = describe(db.lastError());
        return false;
    }
    QSqlQuery query(db);
    QSqlError sqlError;
    for (int version = std::max(from, 1); version < kSchemaVersion; ++version) {
        for (const QString& sql : steps[version]) {
            // A column an interrupted older attempt already added is there to use.
            if (!exec(query, sql, &sqlError) && !sqlError.text().contains(QStringLiteral("duplicate column"))) {
                db.rollback();
                *error = describe(sqlError);
                return false;
            }
        }
    }
    if (!exec(query, QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion), &sqlError) || !db.commit()) {
        db.rollback();
        *error = describe(sqlError.isValid() ? sqlError : db.lastError());
        return false;
    }
    return true;
}

bool SqliteHistoryStore::startAfresh(QString* error)
{
    const QString why = *error;
    if (m_restarted) {
        // A new file damaged at once: something else is wrong; never loop.
        m_blocked = true;
        m_blockedWhy = QStringLiteral("history.db cannot be started afresh (%1)").arg(why);
        *error = m_blockedWhy;
        return false;
    }
    m_restarted = true;
    const QString file = path();
    const QString kept = keepDamagedCopy(file);
    if (kept.isEmpty()) {
        m_blocked = true;
        m_blockedWhy = QStringLiteral("history.db is damaged (%1) and could not be put aside").arg(why);
        *error = m_blockedWhy;
        return false;
    }
    // The journal belongs to the damaged file; a new database must not replay it.
    const QString wal = file + QStringLiteral("-wal");
    if (QFileInfo::exists(wal)) {
        keepDamagedCopy(wal);
    }
    for (const QString& leftover : {file, wal, file + QStringLiteral("-shm")}) {
        QFile::remove(leftover);
    }
    if (QFileInfo::exists(file)) {
        m_blocked = true;
        m_blockedWhy = QStringLiteral("history.db is damaged (%1) and could not be replaced").arg(why);
        *error = m_blockedWhy;
        return false;
    }
    m_notice = QStringLiteral("プレイ履歴 history.db が壊れていたため %1 として残し、新しい履歴を始めました。")
                   .arg(QFileInfo(kept).fileName());
    return open(error);
}

bool SqliteHistoryStore::append(const PlayedGame& game, QString* error)
{
    m_busy = false;
    QString why;
    for (const WordPlay& word : game.words) {
        if (word.answer.isEmpty()) { // no game is played with such a word; none is kept
            if (error) {
                *error = QStringLiteral("a word of the game has no answer");
            }
            return false;
        }
    }
    if (!open(&why) || !startAfreshIfDamaged(&why)) {
        if (error) {
            *error = why;
        }
        return false;
    }
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    auto failed = [&](const QSqlError& e) {
        db.rollback();
        m_busy = isBusyCode(e);
        if (error) {
            *error = m_busy ? QStringLiteral("history.db is in use by another program") : describe(e);
        }
        return false;
    };
    if (!db.transaction()) {
        return failed(db.lastError());
    }
    QSqlQuery insertGame(db);
    insertGame.prepare(QStringLiteral("INSERT INTO games (played_at, mode, pattern, rank, questions, answer_shown, "
                                      "outcome, time_ms, player_letters, cpu_letters, raced_game, set_id) "
                                      "VALUES (?,?,?,?,?,?,?,?,?,?,?,?)"));
    insertGame.addBindValue(playedAtText(game.playedAt));
    insertGame.addBindValue(modeName(game.mode));
    insertGame.addBindValue(game.pattern);
    insertGame.addBindValue(game.rank ? QVariant(*game.rank) : QVariant(QMetaType(QMetaType::Int)));
    insertGame.addBindValue(int(game.questions));
    insertGame.addBindValue(int(game.answerShown));
    insertGame.addBindValue(outcomeName(game.outcome));
    insertGame.addBindValue(game.timeMs);
    insertGame.addBindValue(game.playerLetters);
    insertGame.addBindValue(game.cpuLetters);
    insertGame.addBindValue(game.racedGame ? QVariant(*game.racedGame) : QVariant(QMetaType(QMetaType::LongLong)));
    insertGame.addBindValue(game.setId.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(game.setId));
    if (!insertGame.exec()) {
        return failed(insertGame.lastError());
    }
    const QVariant gameId = insertGame.lastInsertId();

    QSqlQuery insertWord(db);
    insertWord.prepare(QStringLiteral("INSERT INTO words (%1) VALUES (?,?,?,?,?,?,?,?,?)").arg(kWordColumns));
    for (const WordPlay& word : game.words) {
        insertWord.addBindValue(gameId);
        insertWord.addBindValue(word.slot);
        insertWord.addBindValue(word.answer);
        insertWord.addBindValue(word.ms);
        insertWord.addBindValue(word.taker == Taker::Nobody ? QVariant(QMetaType(QMetaType::QString))
                                                            : QVariant(takerName(word.taker)));
        insertWord.addBindValue(word.wrongEnters);
        insertWord.addBindValue(word.keys);
        insertWord.addBindValue(int(word.questionShown));
        insertWord.addBindValue(int(word.answerShown));
        if (!insertWord.exec()) {
            return failed(insertWord.lastError());
        }
    }
    QSqlQuery insertKeys(db);
    insertKeys.prepare(QStringLiteral("INSERT INTO keys (game_id, slot, input_method, strokes) VALUES (?,?,?,?)"));
    for (const WordPlay& word : game.words) {
        if (word.strokes.empty()) {
            continue;
        }
        insertKeys.addBindValue(gameId);
        insertKeys.addBindValue(word.slot);
        insertKeys.addBindValue(int(word.inputMethod));
        insertKeys.addBindValue(strokesToBlob(word.strokes));
        if (!insertKeys.exec()) {
            return failed(insertKeys.lastError());
        }
    }
    if (!db.commit()) {
        return failed(db.lastError());
    }
    return true;
}

HistoryLoad SqliteHistoryStore::loadAll()
{
    HistoryLoad load;
    if (!m_open && !QFileInfo::exists(path())) {
        return load; // nothing played yet; reading never creates the file
    }
    if (!open(&load.error) || !startAfreshIfDamaged(&load.error)) {
        return load;
    }
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    // One snapshot for both tables, even while the game writes.
    db.transaction();
    QSqlQuery games(db);
    games.setForwardOnly(true);
    // A file of an older version lacks the later columns: they read as empty.
    auto laterColumn = [&db](const QString& column) {
        return hasColumn(db, QStringLiteral("games"), column) ? column : QStringLiteral("NULL");
    };
    if (!games.exec(QStringLiteral("SELECT %1, %2, %3 FROM games ORDER BY id")
                        .arg(kGameColumns, laterColumn(QStringLiteral("raced_game")), laterColumn(QStringLiteral("set_id"))))) {
        load.error = describe(games.lastError());
        db.rollback();
        return load;
    }
    std::map<qint64, std::size_t> byId;
    while (games.next()) {
        if (auto game = gameFromRow(games)) {
            byId[games.value(0).toLongLong()] = load.games.size();
            load.games.push_back(std::move(*game));
        } else {
            ++load.skipped;
        }
    }
    QSqlQuery words(db);
    words.setForwardOnly(true);
    if (!words.exec(QStringLiteral("SELECT %1 FROM words ORDER BY game_id, rowid").arg(kWordColumns))) {
        load.error = describe(words.lastError());
        load.games.clear();
        db.rollback();
        return load;
    }
    while (words.next()) {
        const auto owner = byId.find(words.value(0).toLongLong());
        auto word = wordFromRow(words);
        if (owner == byId.end()) {
            continue; // a word of a skipped game goes with it
        }
        if (word) {
            load.games[owner->second].words.push_back(std::move(*word));
        } else {
            ++load.skipped;
        }
    }
    if (hasTable(db, QStringLiteral("keys")) && !loadKeys(db, byId, load)) {
        load.games.clear();
    }
    db.rollback();
    return load;
}
