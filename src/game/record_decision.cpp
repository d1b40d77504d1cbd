#include "game/record_decision.h"

#include "game/result_texts.h"
#include "store/battle_records.h"
#include "store/record_fields.h"
#include "store/single_records.h"

namespace {

// The line of the kind played: the count grows; a first time, a faster one,
// or one against an impossible best becomes the best, dated today.
void decideSingleLine(RecordDecision& d, const GameResult& game, const SingleRecordTable& single, QDate today)
{
    const int p = d.pattern;
    d.file = RecordDecision::File::Single;
    d.withQuestion = game.questionShown;
    const qint16 count = d.withQuestion ? single.CountWithQuestion[p] : single.CountNoQuestion[p];
    d.best = d.withQuestion ? single.BestWithQuestion[p] : single.BestNoQuestion[p];
    d.date = d.withQuestion ? single.DateWithQuestion[p] : single.DateNoQuestion[p];
    d.count = count < 32767 ? qint16(count + 1) : count; // a full count stays full instead of wrapping
    const double ms = double(game.timeMs);
    // A best no typing could reach (none, negative, or under 30 ms a letter)
    // stays in the file as read but is beaten by any real game.
    const bool impossible = d.best <= 0 || d.best < kFastestMsPerLetter * game.letters;
    if (impossible || ms < d.best) {
        d.best = ms;
        d.date = dayNumber(today.year(), today.month(), today.day());
        d.message = d.withQuestion ? kNewBestWithQuestion : kNewBestNoQuestion;
        d.sound = RecordDecision::Sound::NewRecord;
    }
}

} // namespace

RecordDecision decideRecord(const GameResult& game, const SingleRecordTable& single, const BattleRecordTable& battle,
                            QDate today)
{
    RecordDecision d;
    if (!game.completed()) {
        return d;
    }
    d.pattern = qBound(0, game.pattern, SingleRecordTable::kPatterns - 1);
    const int p = d.pattern;
    switch (game.mode) {
    case GameMode::Single:
        if (!game.answerShown) {
            decideSingleLine(d, game, single, today);
        }
        return d;
    case GameMode::Race: {
        // Every word won is a game faster than the best on each word: it counts
        // as a single-practice game would. The battle records never change.
        const bool everyWord = game.cpuLetters == 0 && game.playerLetters > 0;
        if (everyWord && !game.answerShown) {
            decideSingleLine(d, game, single, today);
        }
        d.message = battleResultText(game.playerLetters, game.cpuLetters);
        d.sound = game.playerLetters < game.cpuLetters   ? RecordDecision::Sound::Lost
                  : game.cpuLetters < game.playerLetters ? RecordDecision::Sound::NewRecord
                                                         : RecordDecision::Sound::None;
        return d;
    }
    case GameMode::Battle:
        break;
    }
    d.file = RecordDecision::File::Battle;
    d.rank = qBound(0, game.rank.value_or(0), BattleRecordTable::kRanks - 1);
    d.wins = battle.Wins[p][d.rank];
    d.losses = battle.Losses[p][d.rank];
    d.message = battleResultText(game.playerLetters, game.cpuLetters);
    if (game.playerLetters < game.cpuLetters) {
        d.losses += 1;
        d.sound = RecordDecision::Sound::Lost;
    } else if (game.cpuLetters < game.playerLetters) {
        d.wins += 1;
        d.sound = RecordDecision::Sound::NewRecord;
    }
    return d;
}

void applyRecord(const RecordDecision& d, SingleRecordTable& single, BattleRecordTable& battle)
{
    const int p = d.pattern;
    switch (d.file) {
    case RecordDecision::File::None:
        return;
    case RecordDecision::File::Single:
        (d.withQuestion ? single.CountWithQuestion : single.CountNoQuestion)[p] = d.count;
        (d.withQuestion ? single.BestWithQuestion : single.BestNoQuestion)[p] = d.best;
        (d.withQuestion ? single.DateWithQuestion : single.DateNoQuestion)[p] = d.date;
        return;
    case RecordDecision::File::Battle:
        battle.Wins[p][d.rank] = d.wins;
        battle.Losses[p][d.rank] = d.losses;
        return;
    }
}
