#pragma once

#include "history/history_store.h"

#include <QDate>
#include <QtPlugin>

class QWidget;
struct PuzzleSet;
struct RankTable;

// Shows the history window. The windows and their charts live in a module
// of their own, loaded the first time a history is opened, so the charts'
// libraries cost the game's start-up nothing.
class HistoryViewer {
public:
    virtual ~HistoryViewer() = default;
    // Modal, owned by `owner`; returns when the window has been closed.
    virtual void showHistory(QWidget* owner, const HistoryLoad& history, const PuzzleSet& puzzles,
                             const RankTable& ranks, int pattern, bool battle, QDate today) = 0;
};

#define TazumekiHistoryViewer_iid "org.tazumeki.HistoryViewer/1"
Q_DECLARE_INTERFACE(HistoryViewer, TazumekiHistoryViewer_iid)

// The module's file name without its platform suffix.
inline const QString kHistoryViewerModule = QStringLiteral("tazumeki-history-window");
