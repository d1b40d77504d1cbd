#pragma once

#include "history/history_store.h"
#include "history/history_store_module.h"

#include <future>

// The history in history.db, a SQLite database in WAL mode, opened on first
// use. A file that is not a database, fails its check, or lacks the tables
// is put aside as a damaged copy and a new history started (read-write only;
// the check then runs off the game's thread and acts at the next use). A
// link in the place of the file is never opened.
class SqliteHistoryStore final : public HistoryStore {
public:
    enum class Access { ReadWrite, ReadOnly };

    explicit SqliteHistoryStore(const QString& folder, Access access = Access::ReadWrite);
    ~SqliteHistoryStore() override;
    SqliteHistoryStore(const SqliteHistoryStore&) = delete;
    SqliteHistoryStore& operator=(const SqliteHistoryStore&) = delete;

    static QString fileName() { return QStringLiteral("history.db"); }
    QString path() const;

    bool append(const PlayedGame& game, QString* error) override;
    bool failedForNow() const override { return m_busy; }
    // Waits for the integrity check of the open file, if one runs.
    void waitForIntegrityCheck();
    HistoryLoad loadAll() override;
    QString takeNotice() override;

private:
    enum class Check { Fine, Damaged, Failed };
    bool open(QString* error);
    Check prepare(QString* error);
    void close();
    bool startAfresh(QString* error);
    bool migrate(int from, QString* error);
    bool checkFoundDamage();
    bool startAfreshIfDamaged(QString* error);

    QString m_folder;
    Access m_access;
    QString m_connection;
    bool m_open = false;
    bool m_blocked = false; // a damaged file that could not be put aside is never written over
    QString m_blockedWhy;
    std::future<bool> m_check; // the integrity check, off the game's thread
    bool m_checked = false;
    bool m_busy = false;
    bool m_restarted = false;
    QString m_notice;
};

// Opens history.db in a records folder: what the history store module hands out.
class SqliteHistoryStoreOpener : public HistoryStoreOpener {
public:
    std::unique_ptr<HistoryStore> open(const QString& recordsDir) override
    {
        return std::make_unique<SqliteHistoryStore>(recordsDir);
    }
};
