// The history windows as a loadable module.

#include "history/history_viewer.h"
#include "history/history_window.h"

#include <QObject>

class HistoryWindowViewer final : public QObject, public HistoryViewer {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TazumekiHistoryViewer_iid)
    Q_INTERFACES(HistoryViewer)
public:
    void showHistory(QWidget* owner, const HistoryLoad& history, const PuzzleSet& puzzles, const RankTable& ranks,
                     int pattern, bool battle, QDate today) override
    {
        execHistoryWindow(owner, history, puzzles, ranks, pattern, battle, today);
    }
};

#include "history_viewer_plugin.moc"
