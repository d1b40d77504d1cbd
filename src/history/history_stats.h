#pragma once

#include "history/played_game.h"

#include <QDate>
#include <QPointF>
#include <optional>
#include <vector>

// Figures the history windows show, computed from the games alone.

// The middle value (of the two middle ones, their mean rounded up); 0 for none.
qint64 median(std::vector<qint64> values);

// Keys per minute of a game's time; none for a game of no time.
std::optional<double> keysPerMinute(const PlayedGame& game);

// The share of a game's keys that were missed; none when no keys were kept
// (games from before they were, or typed through an input method).
std::optional<double> gameMissRate(const PlayedGame& game);

// One pattern's single-practice progress. Points are (n, seconds) with n the
// 1-based number of the completed game; the best so far counts the games a
// record would count (answer not shown) and is drawn as steps.
struct PatternProgress {
    std::vector<QPointF> withQuestions;
    std::vector<QPointF> withoutQuestions;
    std::vector<QPointF> bestSoFar;
    int played = 0;    // every game that reached answering
    int completed = 0;
    std::optional<double> bestKeysPerMinute;
    std::optional<double> lastKeysPerMinute;
    // Each completed game's typing, numbered as the points above.
    struct Typing {
        double n = 0;
        double keysPerMinute = 0;
        std::optional<double> missRate;
    };
    std::vector<Typing> typing;
};
PatternProgress patternProgress(const std::vector<PlayedGame>& games, int pattern);

// Split times of each word of a pattern over its single-practice games, from
// the words the player took; a word is its answer, so a changed puzzle set
// never merges two. In slot order, the slot as last played.
struct WordSplits {
    int slot = 0;
    QString answer; // as last played
    int samples = 0;
    qint64 best = 0;
    qint64 median = 0;
    qint64 last = 0;
    bool slowest = false; // among the three largest medians
};
std::vector<WordSplits> wordSplits(const std::vector<PlayedGame>& games, int pattern);

// One CPU rank's battles on a pattern, completed battles only; races against
// the player's best come as the rank kRaceRank.
struct RankBattles {
    int rank = 0;
    int wins = 0;
    int losses = 0;
    int draws = 0;
    std::vector<QPointF> balance; // (battle number on the pattern, wins − losses so far)
    QString recent;               // the last ten, oldest first: ○ won, ● lost, △ drawn
};
struct CpuTakes {
    int slot = 0;
    QString answer;
    int count = 0;
};
struct BattleSummary {
    int battles = 0; // completed battles on the pattern
    std::vector<RankBattles> ranks; // ranks played, in rank order
    std::vector<CpuTakes> cpuWords; // most taken first, at most `limit`
};
BattleSummary battleSummary(const std::vector<PlayedGame>& games, int pattern, int limit = 5);

// Games and time played per day over the `days` days ending today.
struct DayTotals {
    QDate day;
    int games = 0;
    qint64 ms = 0;
};
std::vector<DayTotals> dailyTotals(const std::vector<PlayedGame>& games, QDate today, int days = 30);
qint64 totalTimePlayed(const std::vector<PlayedGame>& games);

// Patterns whose best recordable single-practice time got shorter within the
// last `days` days, the largest gain first: against the best before them, or
// for a pattern first played within them, against its first time there.
struct Improvement {
    int pattern = 0;
    qint64 before = 0;
    qint64 now = 0;
};
std::vector<Improvement> improvedPatterns(const std::vector<PlayedGame>& games, QDate today, int days = 30,
                                          int limit = 5);
