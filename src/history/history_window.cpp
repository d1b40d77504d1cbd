#include "history/history_window.h"

#include "platform/fonts.h"
#include "platform/number_format.h"
#include "puzzle/puzzle_set.h"
#include "view/window_keys.h"

#include <QKeyEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

HistoryWindow::HistoryWindow(QWidget* owner, const HistoryLoad& history, const PuzzleSet& puzzles,
                             const RankTable& ranks, int pattern, Kind kind, QDate today)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::MSWindowsFixedSizeDialogHint)
{
    const int p = qBound(0, pattern, PuzzleSet::kPlayablePatterns - 1);
    // The title names the pattern: a screen reader says it as the window opens.
    setWindowTitle(QStringLiteral("Tazumeki － 履歴 №%1").arg(formatTwoDigits(p)));
    setFixedSize(720, 600);
    setFont(windowsFont(kPGothic, 9.75));
    // The record screens' colours: blue ground, pale blue headers, white text on the ground.
    setStyleSheet(QStringLiteral(
        "HistoryWindow { background: rgb(11, 164, 255); }"
        "QTabWidget::pane { border: 1px solid rgb(0, 60, 120); background: rgb(11, 164, 255); }"
        "QTabBar::tab { background: rgb(180, 236, 252); border: 1px solid rgb(0, 60, 120); padding: 4px 16px; }"
        "QTabBar::tab:selected { background: white; }"
        "QLabel { color: white; }"
        "QHeaderView::section { background: rgb(180, 236, 252); border: 1px solid rgb(0, 60, 120); padding: 2px; }"
        "QTableWidget { background: white; gridline-color: rgb(0, 60, 120); }"));

    tabs = new QTabWidget(this);
    // Tab reaches the page tabs, ← and → turn them.
    tabs->tabBar()->setAccessibleName(QStringLiteral("履歴のページ"));
    tabs->tabBar()->setToolTip(QStringLiteral("ページの切り替え（← →）"));
    if (kind == Kind::Single) {
        single = buildPatternPage(history, puzzles, p);
        tabs->addTab(single.page, QStringLiteral("パターン"));
    } else {
        battle = buildBattlePage(history, puzzles, ranks, p);
        tabs->addTab(battle.page, QStringLiteral("対戦"));
    }
    overall = buildOverallPage(history, puzzles, today);
    tabs->addTab(overall.page, QStringLiteral("全体"));
    weak = buildWeakPage(history, today);
    tabs->addTab(weak.page, QStringLiteral("苦手"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(tabs);

    // Enter or Esc closes the window whichever control has the focus.
    WindowKeys::install(this, [this](QKeyEvent* event) {
        const int key = event->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            done(QDialog::Accepted);
            return true;
        }
        return false;
    });
}

void HistoryWindow::showEvent(QShowEvent* event)
{
    centreOnOwner(this);
    QDialog::showEvent(event);
}

void execHistoryWindow(QWidget* owner, const HistoryLoad& history, const PuzzleSet& puzzles, const RankTable& ranks,
                       int pattern, bool battle, QDate today)
{
    HistoryWindow window(owner, history, puzzles, ranks, pattern,
                         battle ? HistoryWindow::Kind::Battle : HistoryWindow::Kind::Single, today);
    window.exec();
}
