#pragma once

#include "history/history_store.h"

#include <QDate>

class QChart;
class QLabel;
class QLineSeries;
class QTableWidget;
class QWidget;
struct PuzzleSet;
struct RankTable;

// The pages of the history window, each built from a loaded history.

// One pattern in single practice: the times of its completed games, its
// words' split times (the three slowest marked), games played, keys per minute.
struct PatternPage {
    QWidget* page = nullptr;
    QLabel* summary = nullptr;
    QChart* chart = nullptr;
    QLineSeries* typing = nullptr; // keys per minute per completed game, on the right axis
    QTableWidget* words = nullptr;
};
PatternPage buildPatternPage(const HistoryLoad& history, const PuzzleSet& puzzles, int pattern);

// One pattern in CPU battles: each rank's wins and losses over time, and the
// words the CPU took most often.
struct BattlePage {
    QWidget* page = nullptr;
    QLabel* summary = nullptr;
    QChart* chart = nullptr;
    QTableWidget* ranks = nullptr;
    QTableWidget* cpuWords = nullptr;
};
BattlePage buildBattlePage(const HistoryLoad& history, const PuzzleSet& puzzles, const RankTable& ranks, int pattern);

// The whole history: games and time played per day, and the patterns whose
// best improved most lately.
struct OverallPage {
    QWidget* page = nullptr;
    QLabel* summary = nullptr;
    QChart* gamesChart = nullptr;
    QChart* timeChart = nullptr;
    QTableWidget* improved = nullptr;
    QLabel* improvedNote = nullptr; // what an empty table means
};
OverallPage buildOverallPage(const HistoryLoad& history, const PuzzleSet& puzzles, QDate today);

// "1時間02分03秒" and shorter forms for less than an hour or a minute.
QString playedTimeText(qint64 ms);
