#include "store/battle_records.h"

#include "platform/files.h"
#include "store/quoted_fields.h"
#include "store/record_fields.h"
#include "store/record_file.h"

QStringList WriteBattleText(const BattleRecordTable& t)
{
    QStringList lines;
    lines.reserve(BattleRecordTable::kPatterns * BattleRecordTable::kRanks);
    for (int p = 0; p < BattleRecordTable::kPatterns; ++p) {
        for (int r = 0; r < BattleRecordTable::kRanks; ++r) {
            lines.append(formatRecordNumber(t.Wins[p][r]) + u',' + formatRecordNumber(t.Losses[p][r]));
        }
    }
    lines.append(t.extraLines);
    return lines;
}

QString ReadBattleText(const QStringList& lines, BattleRecordTable& t)
{
    constexpr int kLines = BattleRecordTable::kPatterns * BattleRecordTable::kRanks;
    QStringList problems;
    if (lines.size() < kLines) {
        problems.append(QStringLiteral("%1 of %2 lines").arg(lines.size()).arg(kLines));
    }
    for (int i = 0; i < kLines && i < lines.size(); ++i) {
        const QStringList f = splitWordFields(lines[i]);
        const auto wins = parseRecordNumber(f.value(0));
        const auto losses = parseRecordNumber(f.value(1));
        if (f.size() < 2 || !wins || !losses) {
            problems.append(QStringLiteral("line %1 cannot be read").arg(i + 1));
        }
        t.Wins[i / BattleRecordTable::kRanks][i % BattleRecordTable::kRanks] = wins.value_or(0);
        t.Losses[i / BattleRecordTable::kRanks][i % BattleRecordTable::kRanks] = losses.value_or(0);
    }
    t.extraLines = lines.mid(kLines);
    if (problems.size() > 4) {
        problems = problems.mid(0, 4) << QStringLiteral("…");
    }
    return problems.join(QStringLiteral(", "));
}

RecordLoad LoadBattleRecords(GsxSeq& seq, const QString& recordsDir, BattleRecordTable& table)
{
    table = BattleRecordTable{};
    return loadRecordFile(seq, recordFile(recordsDir, QStringLiteral("data3.dat")), QStringLiteral("user2.txt"),
                          BattleRecordTable::kPatterns * BattleRecordTable::kRanks,
                          [&](const QStringList& lines) { return ReadBattleText(lines, table); },
                          [&] { return WriteBattleText(table); });
}

bool SaveBattleRecords(GsxSeq& seq, const QString& recordsDir, const BattleRecordTable& table, QString* error)
{
    return saveRecordFile(seq, recordFile(recordsDir, QStringLiteral("data3.dat")), QStringLiteral("user2.txt"),
                          WriteBattleText(table), error);
}
