#pragma once

#include "history/history_store.h"

#include <QString>
#include <QtPlugin>
#include <memory>

// Opens the play history kept in a records folder. The SQLite store lives in
// a module of its own, loaded when the first game ends, so that Qt SQL costs
// the game's start-up nothing.
class HistoryStoreOpener {
public:
    virtual ~HistoryStoreOpener() = default;
    virtual std::unique_ptr<HistoryStore> open(const QString& recordsDir) = 0;
};

#define TazumekiHistoryStoreOpener_iid "org.tazumeki.HistoryStoreOpener/1"
Q_DECLARE_INTERFACE(HistoryStoreOpener, TazumekiHistoryStoreOpener_iid)

// The module's file name without its platform suffix.
inline const QString kHistoryStoreModule = QStringLiteral("tazumeki-history-store");

// The history when its module cannot be loaded: nothing is kept, and every
// write says why, so the player is told once and plays on.
class UnavailableHistoryStore final : public HistoryStore {
public:
    explicit UnavailableHistoryStore(QString why) : m_why(std::move(why)) {}
    bool append(const PlayedGame&, QString* error) override
    {
        if (error) {
            *error = m_why;
        }
        return false;
    }
    HistoryLoad loadAll() override { return HistoryLoad{{}, 0, m_why}; }

private:
    QString m_why;
};
