// The SQLite play history as a loadable module.

#include "history/sqlite_history_store.h"

#include <QObject>

class HistoryStoreModule final : public QObject, public SqliteHistoryStoreOpener {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TazumekiHistoryStoreOpener_iid)
    Q_INTERFACES(HistoryStoreOpener)
};

#include "history_store_plugin.moc"
