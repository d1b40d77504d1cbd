// Racing your best: the opponent is your own fastest game of the pattern,
// read from the play history; a line beside the clock says how far ahead or
// behind you are after each word.

#include "app/main_form.h"
#include "app/module1.h"
#include "game/best_game_opponent.h"
#include "history/race_choice.h"
#include "platform/number_format.h"
#include "view/labels.h"

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QStandardItemModel>

#include <algorithm>
#include <cmath>

bool Main::racing() const
{
    return !singlePractice() && Combo2->currentIndex() == kRaceRank;
}

const HistoryLoad& Main::history()
{
    if (!m_history) {
        HistoryStore& store = historyStore();
        m_history = store.loadAll();
        keepOnlySet(m_history->games, setId()); // a pattern number means nothing in another set
        if (const QString notice = store.takeNotice(); !notice.isEmpty()) {
            tellAboutHistory(notice);
        }
    }
    return *m_history;
}

void Main::raceChosen()
{
    if (!racing()) {
        m_lastRank = Combo2->currentIndex();
        return;
    }
    const HistoryLoad& games = history();
    if (games.ok()) {
        return;
    }
    // Without a readable history there is nothing to race: the entry says why.
    if (auto* items = qobject_cast<QStandardItemModel*>(Combo2->model())) {
        QStandardItem* race = items->item(kRaceRank);
        race->setEnabled(false);
        race->setToolTip(QStringLiteral("プレイ履歴を読めないため選べません（%1）").arg(games.error));
    }
    Combo2->setCurrentIndex(m_lastRank);
}

bool Main::prepareRace(GameSession::Setup& setup)
{
    const HistoryLoad& games = history();
    if (!games.ok()) {
        Label1->setText(QStringLiteral("プレイ履歴を読めません"));
        return false;
    }
    if (setup.pattern) {
        if (!bestGameToRace(games.games, m_module.puzzles, *setup.pattern, setup.questionsOn)) {
            Label1->setText(QStringLiteral("このパターンのクリア記録がありません"));
            return false;
        }
    } else {
        const std::vector<int> raceable = patternsToRace(games.games, m_module.puzzles, setup.questionsOn);
        std::erase_if(setup.candidates,
                      [&](int p) { return std::find(raceable.begin(), raceable.end(), p) == raceable.end(); });
        if (setup.candidates.empty()) {
            Label1->setText(QStringLiteral("自己ベストと競えるパターンがありません"));
            return false;
        }
    }
    const bool questions = setup.questionsOn;
    setup.opponent = [this, questions](int pattern) -> std::shared_ptr<Opponent> {
        const std::optional<RaceTarget> target = bestGameToRace(history().games, m_module.puzzles, pattern, questions);
        m_raceSplits = target ? target->splitsMs : std::vector<qint64>();
        m_raceTimeMs = target ? target->timeMs : 0;
        m_gameLog.raceAgainst(target ? std::optional<qint64>(target->gameId) : std::nullopt);
        return std::make_shared<BestGameOpponent>(m_raceSplits);
    };
    return true;
}

void Main::showPace(int slot, qint64 atMs)
{
    if (game().mode != GameMode::Race) {
        PaceLabel->clear();
        return;
    }
    const double behind = paceSeconds(m_raceSplits, slot, atMs - static_cast<qint64>(game().GameStartTime));
    const QString figure = formatNumber(std::abs(behind), 1);
    const bool ahead = behind < 0 && figure != QLatin1String("0.0");
    PaceLabel->setText((ahead ? QStringLiteral("−") : behind > 0 && figure != QLatin1String("0.0") ? QStringLiteral("+") : QString()) +
                       figure);
    setTextColor(PaceLabel, ahead ? QColor(198, 255, 0) : QColor(255, 110, 110));
    PaceLabel->setAccessibleDescription(ahead ? QStringLiteral("%1 秒先行").arg(figure) : QStringLiteral("%1 秒遅れ").arg(figure));
}
