#pragma once

#include "history/history_pages.h"
#include "history/weak_page.h"

#include <QDialog>

class QTabWidget;

// The play history of one pattern (single practice or battles, as the record
// screen it was opened from), with the whole history on a second page.
// Enter or Esc closes it. Tab goes from the page tabs (← → turn them) to the
// page's tables, which the arrows and page keys scroll.
class HistoryWindow final : public QDialog {
    Q_OBJECT
public:
    enum class Kind { Single, Battle };

    HistoryWindow(QWidget* owner, const HistoryLoad& history, const PuzzleSet& puzzles, const RankTable& ranks,
                  int pattern, Kind kind, QDate today);

    QTabWidget* tabs = nullptr;
    PatternPage single;  // filled for Kind::Single
    BattlePage battle;   // filled for Kind::Battle
    OverallPage overall;
    WeakPage weak;

protected:
    void showEvent(QShowEvent* event) override;
};

// Shows the history of a pattern modally over owner: what a HistoryViewer does.
void execHistoryWindow(QWidget* owner, const HistoryLoad& history, const PuzzleSet& puzzles, const RankTable& ranks,
                       int pattern, bool battle, QDate today);

