// The data-file work a player waits for: start-up reads the puzzle set and both
// record files; the end of every recorded game writes one record file.
#include "platform/files.h"
#include "platform/random.h"
#include "puzzle/puzzle_set.h"
#include "puzzle/word_file.h"
#include "store/battle_records.h"
#include "store/gsx_seq.h"
#include "store/line_file.h"
#include "store/single_records.h"

#include <QString>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

QStringList shippedPuzzleLines()
{
    return textToLines(QString::fromUtf8(readWholeFile(QStringLiteral(TAZUMEKI_PATTERNS))));
}

void loadPuzzleSet(benchmark::State& state)
{
    StdRandom random(1);
    GsxSeq seq(random);
    const QByteArray container = *packData(seq, shippedPuzzleLines());
    for (auto _ : state) {
        auto set = std::make_unique<PuzzleSet>();
        ReadWordFile(unpackData(seq, container).lines, *set);
        benchmark::DoNotOptimize(set->WordAnswer[98][0]);
    }
    state.SetBytesProcessed(state.iterations() * container.size());
}
BENCHMARK(loadPuzzleSet)->Unit(benchmark::kMillisecond);

void saveSingleRecords(benchmark::State& state)
{
    StdRandom random(1);
    GsxSeq seq(random);
    auto table = std::make_unique<SingleRecordTable>();
    for (int p = 0; p < SingleRecordTable::kPatterns; ++p) {
        table->CountWithQuestion[p] = 12;
        table->BestWithQuestion[p] = 45678 + p;
        table->DateWithQuestion[p] = 46000 + p;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(packData(seq, WriteSingleText(*table)));
    }
}
BENCHMARK(saveSingleRecords)->Unit(benchmark::kMicrosecond);

void loadBattleRecords(benchmark::State& state)
{
    StdRandom random(1);
    GsxSeq seq(random);
    auto table = std::make_unique<BattleRecordTable>();
    const QByteArray container = *packData(seq, WriteBattleText(*table));
    for (auto _ : state) {
        ReadBattleText(unpackData(seq, container).lines, *table);
        benchmark::DoNotOptimize(table->Wins[98][8]);
    }
}
BENCHMARK(loadBattleRecords)->Unit(benchmark::kMicrosecond);

} // namespace
