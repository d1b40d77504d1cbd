#include "history/history_stats.h"

#include <QMap>
#include <algorithm>
#include <map>

namespace {

bool isSingleOf(const PlayedGame& game, int pattern)
{
    return game.mode == GameMode::Single && game.pattern == pattern;
}

// A time a record would count: completed without the answer shown.
bool recordable(const PlayedGame& game)
{
    return game.completed() && !game.answerShown;
}

} // namespace

qint64 median(std::vector<qint64> values)
{
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2] + 1) / 2;
}

std::optional<double> gameMissRate(const PlayedGame& game)
{
    int strokes = 0;
    int missed = 0;
    for (const WordPlay& word : game.words) {
        if (word.inputMethod) {
            return std::nullopt; // its keys were never seen
        }
        for (const KeyStroke& stroke : word.strokes) {
            ++strokes;
            missed += stroke.missed ? 1 : 0;
        }
    }
    return strokes > 0 ? std::optional<double>(double(missed) / strokes) : std::nullopt;
}

std::optional<double> keysPerMinute(const PlayedGame& game)
{
    if (game.timeMs <= 0) {
        return std::nullopt;
    }
    return game.keys() * 60000.0 / double(game.timeMs);
}

PatternProgress patternProgress(const std::vector<PlayedGame>& games, int pattern)
{
    PatternProgress progress;
    const PlayedGame* bestGame = nullptr;
    const PlayedGame* lastGame = nullptr;
    std::optional<double> best;
    for (const PlayedGame& game : games) {
        if (!isSingleOf(game, pattern)) {
            continue;
        }
        ++progress.played;
        if (!game.completed()) {
            continue;
        }
        const double n = ++progress.completed;
        const double seconds = double(game.timeMs) / 1000;
        (game.questions ? progress.withQuestions : progress.withoutQuestions).push_back(QPointF(n, seconds));
        lastGame = &game;
        if (const auto perMinute = keysPerMinute(game)) {
            progress.typing.push_back({n, *perMinute, gameMissRate(game)});
        }
        if (!bestGame || game.timeMs < bestGame->timeMs) {
            bestGame = &game;
        }
        if (recordable(game) && (!best || seconds < *best)) {
            if (best) {
                progress.bestSoFar.push_back(QPointF(n, *best)); // the step down
            }
            best = seconds;
        }
        if (best) {
            progress.bestSoFar.push_back(QPointF(n, *best));
        }
    }
    if (bestGame) {
        progress.bestKeysPerMinute = keysPerMinute(*bestGame);
        progress.lastKeysPerMinute = keysPerMinute(*lastGame);
    }
    return progress;
}

std::vector<WordSplits> wordSplits(const std::vector<PlayedGame>& games, int pattern)
{
    // By the word itself: a puzzle set that changed since never merges two words of one slot.
    std::map<QString, std::vector<qint64>> splits;
    std::map<QString, int> slotOf;
    for (const PlayedGame& game : games) {
        if (!isSingleOf(game, pattern)) {
            continue;
        }
        for (const WordPlay& word : game.words) {
            if (word.taker == Taker::Player) {
                splits[word.answer].push_back(word.ms);
                slotOf[word.answer] = word.slot;
            }
        }
    }
    std::vector<WordSplits> table;
    for (const auto& [answer, times] : splits) {
        WordSplits row;
        row.slot = slotOf[answer];
        row.answer = answer;
        row.samples = int(times.size());
        row.best = *std::min_element(times.begin(), times.end());
        row.median = median(times);
        row.last = times.back();
        table.push_back(row);
    }
    std::stable_sort(table.begin(), table.end(), [](const WordSplits& a, const WordSplits& b) { return a.slot < b.slot; });
    std::vector<WordSplits*> bySlowness;
    for (WordSplits& row : table) {
        bySlowness.push_back(&row);
    }
    std::stable_sort(bySlowness.begin(), bySlowness.end(),
                     [](const WordSplits* a, const WordSplits* b) { return a->median > b->median; });
    for (std::size_t i = 0; i < bySlowness.size() && i < 3; ++i) {
        bySlowness[i]->slowest = true;
    }
    return table;
}

BattleSummary battleSummary(const std::vector<PlayedGame>& games, int pattern, int limit)
{
    BattleSummary summary;
    std::map<int, RankBattles> ranks;
    std::map<QString, CpuTakes> takes;
    for (const PlayedGame& game : games) {
        if ((game.mode != GameMode::Battle && game.mode != GameMode::Race) || game.pattern != pattern) {
            continue;
        }
        for (const WordPlay& word : game.words) {
            if (word.taker == Taker::Cpu) {
                CpuTakes& take = takes[word.answer];
                take.slot = word.slot;
                take.answer = word.answer;
                ++take.count;
            }
        }
        const std::optional<int> against = game.mode == GameMode::Race ? std::optional<int>(kRaceRank) : game.rank;
        if (!game.completed() || !against) {
            continue;
        }
        const int n = ++summary.battles;
        RankBattles& rank = ranks[*against];
        rank.rank = *against;
        QChar mark;
        if (game.playerLetters > game.cpuLetters) {
            ++rank.wins;
            mark = u'○';
        } else if (game.playerLetters < game.cpuLetters) {
            ++rank.losses;
            mark = u'●';
        } else {
            ++rank.draws;
            mark = u'△';
        }
        rank.recent = (rank.recent + mark).right(10);
        rank.balance.push_back(QPointF(n, rank.wins - rank.losses));
    }
    for (auto& [r, rank] : ranks) {
        summary.ranks.push_back(rank);
    }
    for (auto& [answer, take] : takes) {
        summary.cpuWords.push_back(take);
    }
    std::stable_sort(summary.cpuWords.begin(), summary.cpuWords.end(),
                     [](const CpuTakes& a, const CpuTakes& b) { return a.count > b.count; });
    if (int(summary.cpuWords.size()) > limit) {
        summary.cpuWords.resize(std::size_t(std::max(0, limit)));
    }
    return summary;
}

std::vector<DayTotals> dailyTotals(const std::vector<PlayedGame>& games, QDate today, int days)
{
    std::vector<DayTotals> totals;
    const QDate first = today.addDays(1 - days);
    for (QDate day = first; day <= today; day = day.addDays(1)) {
        totals.push_back(DayTotals{day, 0, 0});
    }
    for (const PlayedGame& game : games) {
        const qint64 index = first.daysTo(game.playedAt.date());
        if (index >= 0 && index < qint64(totals.size())) {
            ++totals[std::size_t(index)].games;
            totals[std::size_t(index)].ms += game.timeMs;
        }
    }
    return totals;
}

qint64 totalTimePlayed(const std::vector<PlayedGame>& games)
{
    qint64 total = 0;
    for (const PlayedGame& game : games) {
        total += game.timeMs;
    }
    return total;
}

std::vector<Improvement> improvedPatterns(const std::vector<PlayedGame>& games, QDate today, int days, int limit)
{
    // Against the best before the period; for a pattern first played in it,
    // against its first time there.
    const QDate since = today.addDays(1 - days);
    std::map<int, Improvement> bests;
    std::map<int, bool> hadBefore;
    for (const PlayedGame& game : games) {
        if (game.mode != GameMode::Single || !recordable(game)) {
            continue;
        }
        Improvement& entry = bests[game.pattern];
        entry.pattern = game.pattern;
        const QDate played = game.playedAt.date();
        if (played < since) {
            if (!hadBefore[game.pattern] || game.timeMs < entry.before) {
                entry.before = game.timeMs;
            }
            hadBefore[game.pattern] = true;
        } else if (played <= today) {
            if (!hadBefore[game.pattern] && entry.now == 0) {
                entry.before = game.timeMs;
            }
            if (entry.now == 0 || game.timeMs < entry.now) {
                entry.now = game.timeMs;
            }
        }
    }
    std::vector<Improvement> improved;
    for (const auto& [pattern, entry] : bests) {
        if (entry.now > 0 && entry.now < entry.before) {
            improved.push_back(entry);
        }
    }
    std::stable_sort(improved.begin(), improved.end(), [](const Improvement& a, const Improvement& b) {
        return a.before - a.now > b.before - b.now;
    });
    if (int(improved.size()) > limit) {
        improved.resize(std::size_t(std::max(0, limit)));
    }
    return improved;
}
