#include "history/history_pages.h"

#include "history/history_stats.h"
#include "history/page_parts.h"
#include "platform/fonts.h"
#include "platform/number_format.h"
#include "puzzle/puzzle_set.h"
#include "puzzle/rank_table.h"
#include "view/labels.h"

#include <QCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QTableWidget>
#include <QToolTip>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

const QColor kWithQuestions(0, 102, 204);
const QColor kWithoutQuestions(230, 110, 0);
const QColor kBest(220, 0, 40);
const QColor kSlowRow(255, 214, 214);
const QColor kTyping(0, 140, 60);

// Games come from a file a person may have edited: names only for known slots.
QString patternName(const PuzzleSet& puzzles, int pattern)
{
    return pattern >= 0 && pattern < PuzzleSet::kPatterns ? puzzles.PatternName[pattern] : QString();
}

QString rankName(const RankTable& ranks, int rank)
{
    if (rank == kRaceRank) {
        return kRaceRankName;
    }
    return rank >= 0 && rank < RankTable::kRanks ? ranks.RankName[rank] : QString::number(rank);
}

QString typingTip(const PatternProgress::Typing& game)
{
    return QStringLiteral("%1回目：毎分 %2 打 ・ ミス率 %3")
        .arg(int(game.n))
        .arg(formatNumber(game.keysPerMinute, 1))
        .arg(game.missRate ? formatNumber(*game.missRate * 100, 1) + u'%' : QStringLiteral("記録なし"));
}

QString patternTitle(const PuzzleSet& puzzles, int pattern)
{
    return QStringLiteral("№%1  %2").arg(formatTwoDigits(pattern), patternName(puzzles, pattern));
}

} // namespace

QString playedTimeText(qint64 ms)
{
    const qint64 total = std::max<qint64>(0, ms) / 1000;
    const qint64 h = total / 3600;
    const qint64 m = total / 60 % 60;
    const qint64 s = total % 60;
    if (h > 0) {
        return QStringLiteral("%1時間%2分%3秒").arg(h).arg(m, 2, 10, QLatin1Char('0')).arg(s, 2, 10, QLatin1Char('0'));
    }
    if (m > 0) {
        return QStringLiteral("%1分%2秒").arg(m).arg(s, 2, 10, QLatin1Char('0'));
    }
    return QStringLiteral("%1秒").arg(s);
}

PatternPage buildPatternPage(const HistoryLoad& history, const PuzzleSet& puzzles, int pattern)
{
    PatternPage page;
    const PatternProgress progress = patternProgress(history.games, pattern);
    auto kpm = [](std::optional<double> value) { return value ? formatNumber(*value, 1) : QStringLiteral("-"); };
    page.summary = caption(history.ok() ? QStringLiteral("プレイ %1 回（クリア %2 回）　毎分打鍵数：最速のゲーム %3　前回 %4")
                                              .arg(progress.played)
                                              .arg(progress.completed)
                                              .arg(kpm(progress.bestKeysPerMinute), kpm(progress.lastKeysPerMinute))
                                        : unreadable(history));
    page.page = pageWith(caption(patternTitle(puzzles, pattern) + QStringLiteral("  シングル練習の履歴"), true), page.summary);

    page.chart = makeChart(QStringLiteral("クリアタイムの推移"));
    double slowest = 10;
    for (const auto* points : {&progress.withQuestions, &progress.withoutQuestions}) {
        for (const QPointF& p : *points) {
            slowest = std::max(slowest, p.y());
        }
    }
    QValueAxis* x = countAxis(QStringLiteral("クリアした順"), progress.completed);
    QValueAxis* y = scaleAxis(QStringLiteral("秒"), 0, slowest * 1.1); // the slowest below the top
    page.chart->addAxis(x, Qt::AlignBottom);
    page.chart->addAxis(y, Qt::AlignLeft);
    attach(page.chart, lineSeries(QStringLiteral("問題有"), progress.withQuestions, kWithQuestions, true), x, y);
    attach(page.chart, lineSeries(QStringLiteral("問題無"), progress.withoutQuestions, kWithoutQuestions, true), x, y);
    attach(page.chart, lineSeries(QStringLiteral("最速記録"), progress.bestSoFar, kBest, false), x, y);
    // Keys per minute on the right; each point names its game's miss rate when hovered.
    std::vector<QPointF> typing;
    double fastest = 100;
    for (const PatternProgress::Typing& game : progress.typing) {
        typing.push_back(QPointF(game.n, game.keysPerMinute));
        fastest = std::max(fastest, game.keysPerMinute);
    }
    QValueAxis* perMinute = scaleAxis(QStringLiteral("打/分"), 0, fastest * 1.1);
    page.chart->addAxis(perMinute, Qt::AlignRight);
    page.typing = lineSeries(QStringLiteral("毎分打鍵数"), typing, kTyping, true);
    attach(page.chart, page.typing, x, perMinute);
    QObject::connect(page.typing, &QLineSeries::hovered, page.typing,
                     [games = progress.typing](const QPointF& point, bool on) {
                         if (!on) {
                             QToolTip::hideText();
                             return;
                         }
                         const auto game = std::min_element(games.begin(), games.end(), [&](const auto& a, const auto& b) {
                             return std::abs(a.n - point.x()) < std::abs(b.n - point.x());
                         });
                         if (game != games.end()) {
                             QToolTip::showText(QCursor::pos(), typingTip(*game));
                         }
                     });
    auto* view = viewOf(page.chart);
    view->setMinimumHeight(230);
    page.page->layout()->addWidget(view);

    const int words = puzzles.lastSlot(pattern) + 1;
    page.words = table(QStringLiteral("言葉ごとのタイム"),
                       {QStringLiteral("№"), QStringLiteral("答え"), QStringLiteral("最速"), QStringLiteral("中央値"),
                        QStringLiteral("前回"), QStringLiteral("回数"), QStringLiteral("遅い言葉")},
                       words);
    const std::vector<WordSplits> splits = wordSplits(history.games, pattern);
    for (int slot = 0; slot < words; ++slot) {
        setCell(page.words, slot, 0, QString::number(slot + 1));
        setCell(page.words, slot, 1, puzzles.WordAnswer[pattern][slot], Qt::AlignLeft);
        const QString& answer = puzzles.WordAnswer[pattern][slot];
        const auto found =
            std::find_if(splits.begin(), splits.end(), [&](const WordSplits& w) { return w.answer == answer; });
        const bool played = found != splits.end();
        setCell(page.words, slot, 2, played ? seconds(found->best) : QStringLiteral("-"), Qt::AlignRight);
        setCell(page.words, slot, 3, played ? seconds(found->median) : QStringLiteral("-"), Qt::AlignRight);
        setCell(page.words, slot, 4, played ? seconds(found->last) : QStringLiteral("-"), Qt::AlignRight);
        setCell(page.words, slot, 5, played ? QString::number(found->samples) : QStringLiteral("0"), Qt::AlignRight);
        setCell(page.words, slot, 6, played && found->slowest ? QStringLiteral("★") : QString());
        if (played && found->slowest) {
            for (int c = 0; c < page.words->columnCount(); ++c) {
                page.words->item(slot, c)->setBackground(kSlowRow);
            }
        }
    }
    page.words->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    page.words->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    page.page->layout()->addWidget(page.words);
    return page;
}

BattlePage buildBattlePage(const HistoryLoad& history, const PuzzleSet& puzzles, const RankTable& ranks, int pattern)
{
    BattlePage page;
    const BattleSummary summary = battleSummary(history.games, pattern);
    page.summary = caption(history.ok() ? QStringLiteral("決着した対戦 %1 回").arg(summary.battles) : unreadable(history));
    page.page = pageWith(caption(patternTitle(puzzles, pattern) + QStringLiteral("  ＣＰＵ対戦の履歴"), true), page.summary);

    page.chart = makeChart(QStringLiteral("ランク別の勝ち越し数の推移"));
    int low = -1;
    int high = 1;
    for (const RankBattles& rank : summary.ranks) {
        for (const QPointF& p : rank.balance) {
            low = std::min(low, int(p.y()));
            high = std::max(high, int(p.y()));
        }
    }
    QValueAxis* x = countAxis(QStringLiteral("対戦の順"), summary.battles);
    QValueAxis* y = scaleAxis(QStringLiteral("勝ち越し"), low, high, 4);
    page.chart->addAxis(x, Qt::AlignBottom);
    page.chart->addAxis(y, Qt::AlignLeft);
    for (const RankBattles& rank : summary.ranks) {
        const QColor colour = rank.rank == kRaceRank ? QColor(0, 140, 60) : QColor::fromHsv((rank.rank * 40) % 360, 220, 200);
        attach(page.chart, lineSeries(rankName(ranks, rank.rank), rank.balance, colour, true), x, y);
    }
    auto* view = viewOf(page.chart);
    view->setMinimumHeight(210);
    page.page->layout()->addWidget(view);

    page.ranks = table(QStringLiteral("ランク別の勝敗"),
                       {QStringLiteral("ランク"), QStringLiteral("勝ち"), QStringLiteral("負け"), QStringLiteral("引き分け"),
                        QStringLiteral("最近10戦（○勝 ●負 △分）")},
                       int(summary.ranks.size()));
    for (int row = 0; row < int(summary.ranks.size()); ++row) {
        const RankBattles& rank = summary.ranks[std::size_t(row)];
        setCell(page.ranks, row, 0, rankName(ranks, rank.rank), Qt::AlignLeft);
        setCell(page.ranks, row, 1, QString::number(rank.wins), Qt::AlignRight);
        setCell(page.ranks, row, 2, QString::number(rank.losses), Qt::AlignRight);
        setCell(page.ranks, row, 3, QString::number(rank.draws), Qt::AlignRight);
        setCell(page.ranks, row, 4, rank.recent, Qt::AlignLeft);
    }
    page.ranks->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    page.ranks->horizontalHeader()->setStretchLastSection(true);

    page.cpuWords = table(QStringLiteral("ＣＰＵに取られた言葉"),
                          {QStringLiteral("№"), QStringLiteral("ＣＰＵに取られた言葉（多い順に５つまで）"),
                           QStringLiteral("回数")},
                          int(summary.cpuWords.size()));
    for (int row = 0; row < int(summary.cpuWords.size()); ++row) {
        const CpuTakes& take = summary.cpuWords[std::size_t(row)];
        setCell(page.cpuWords, row, 0, QString::number(take.slot + 1));
        setCell(page.cpuWords, row, 1, take.answer, Qt::AlignLeft);
        setCell(page.cpuWords, row, 2, QString::number(take.count), Qt::AlignRight);
    }
    page.cpuWords->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    page.cpuWords->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);

    auto* tables = new QHBoxLayout;
    tables->addWidget(page.ranks, 3);
    tables->addWidget(page.cpuWords, 2);
    static_cast<QVBoxLayout*>(page.page->layout())->addLayout(tables);
    return page;
}

OverallPage buildOverallPage(const HistoryLoad& history, const PuzzleSet& puzzles, QDate today)
{
    OverallPage page;
    QString summary = history.ok() ? QStringLiteral("全 %1 ゲーム　合計プレイ時間 %2")
                                         .arg(history.games.size())
                                         .arg(playedTimeText(totalTimePlayed(history.games)))
                                   : unreadable(history);
    if (history.skipped > 0) {
        summary += QStringLiteral("（読めない行 %1 件を除きました）").arg(history.skipped);
    }
    page.summary = caption(summary);
    page.page = pageWith(caption(QStringLiteral("全体の履歴（最近30日）"), true), page.summary);

    const std::vector<DayTotals> days = dailyTotals(history.games, today);
    QStringList labels;
    auto* games = new QBarSet(QStringLiteral("ゲーム数"));
    auto* minutes = new QBarSet(QStringLiteral("プレイ時間（分）"));
    int mostGames = 1;
    double mostMinutes = 1;
    for (const DayTotals& day : days) {
        labels.append(day.day.toString(QStringLiteral("M/d")));
        games->append(day.games);
        minutes->append(std::round(double(day.ms) / 6000) / 10);
        mostGames = std::max(mostGames, day.games);
        mostMinutes = std::max(mostMinutes, double(day.ms) / 60000);
    }
    auto barChart = [&](const QString& title, QBarSet* set, QColor colour, double high, bool whole) {
        QChart* chart = makeChart(title);
        chart->legend()->hide();
        chart->setMargins(QMargins(4, 4, 14, 4)); // room for the last date
        set->setColor(colour);
        set->setBorderColor(colour.darker(130));
        auto* series = new QBarSeries;
        series->append(set);
        series->setBarWidth(0.8);
        // Bar i stands at x = i; thirty dates do not fit side by side, so
        // every fifth day is named, counting back from today.
        auto* x = new QCategoryAxis;
        x->setRange(-0.5, double(labels.size()) - 0.5);
        x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        x->setLabelsFont(windowsFont(kPGothic, 8.25));
        x->setGridLineVisible(false);
        for (qsizetype i = (labels.size() - 1) % 5; i < labels.size(); i += 5) {
            x->append(labels[i], double(i));
        }
        QValueAxis* y = scaleAxis(QString(), 0, high, 4, whole);
        chart->addAxis(x, Qt::AlignBottom);
        chart->addAxis(y, Qt::AlignLeft);
        attach(chart, series, x, y);
        return chart;
    };
    page.gamesChart = barChart(QStringLiteral("1日のゲーム数"), games, QColor(0, 130, 220), mostGames, true);
    page.timeChart =
        barChart(QStringLiteral("1日のプレイ時間（分）"), minutes, QColor(40, 170, 80), mostMinutes, false);
    auto* charts = new QHBoxLayout;
    for (QChart* chart : {page.gamesChart, page.timeChart}) {
        auto* view = viewOf(chart);
        view->setMinimumHeight(220);
        charts->addWidget(view);
    }
    auto* layout = static_cast<QVBoxLayout*>(page.page->layout());
    layout->addLayout(charts);

    const std::vector<Improvement> improved = improvedPatterns(history.games, today);
    layout->addWidget(caption(QStringLiteral("最近30日で最速タイムが一番縮んだパターン（５つまで）")));
    page.improved = table(QStringLiteral("最速タイムが縮んだパターン"),
                          {QStringLiteral("№"), QStringLiteral("パターン名"), QStringLiteral("30日より前の最速"),
                           QStringLiteral("最近30日の最速"), QStringLiteral("縮んだ時間")},
                          int(improved.size()));
    for (int row = 0; row < int(improved.size()); ++row) {
        const Improvement& entry = improved[std::size_t(row)];
        setCell(page.improved, row, 0, QString::number(entry.pattern));
        setCell(page.improved, row, 1, patternName(puzzles, entry.pattern), Qt::AlignLeft);
        setCell(page.improved, row, 2, seconds(entry.before), Qt::AlignRight);
        setCell(page.improved, row, 3, seconds(entry.now), Qt::AlignRight);
        setCell(page.improved, row, 4, seconds(entry.before - entry.now), Qt::AlignRight);
    }
    page.improved->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    page.improved->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    layout->addWidget(page.improved);
    // An empty table says why.
    page.improvedNote = caption(history.games.empty() ? QStringLiteral("まだゲームがありません。")
                                : improved.empty()    ? QStringLiteral("最近30日で縮んだ最速タイムはまだありません。")
                                                      : QString());
    page.improvedNote->setVisible(improved.empty());
    layout->addWidget(page.improvedNote);
    return page;
}
