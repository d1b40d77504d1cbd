#pragma once

#include "records/record_frame.h"

#include "store/counts.h"

#include <array>

struct BattleRecordTable;
struct PuzzleSet;

// The battle results of every pattern, ten to a page, one column per CPU rank.
class Record2 final : public RecordFrame {
    Q_OBJECT
public:
    Record2(QWidget* owner, const QString& appDir, const PuzzleSet& puzzles, const BattleRecordTable& records);

    static constexpr int kRanks = kRankCount;
    // Per row: number, name, then the nine ranks in rank order.
    std::array<std::array<QLabel*, RowsPerPage>, 2 + kRanks> cells{};
    std::array<std::array<QWidget*, RowsPerPage>, 2 + kRanks> boxes{};

    void ShowBattlePage();

protected:
    void showPage() override { ShowBattlePage(); }

private:
    const PuzzleSet& m_puzzles;
    const BattleRecordTable& m_records;
};
