#pragma once

#include "records/record_frame.h"

#include <array>

struct PuzzleSet;
struct SingleRecordTable;

// The single-practice records of every pattern, ten to a page, with and
// without questions side by side.
class Record final : public RecordFrame {
    Q_OBJECT
public:
    Record(QWidget* owner, const QString& appDir, const PuzzleSet& puzzles, const SingleRecordTable& records);

    static constexpr int kColumns = 10;
    // cells[column][row]: number, name, then count, best, grade and date with
    // questions, then the same four without.
    std::array<std::array<QLabel*, RowsPerPage>, kColumns> cells{};
    std::array<std::array<QWidget*, RowsPerPage>, kColumns> boxes{};

    void ShowRecordPage();

protected:
    void showPage() override { ShowRecordPage(); }

private:
    void fillMode(int row, int firstColumn, qint16 count, double best, double date);

    const PuzzleSet& m_puzzles;
    const SingleRecordTable& m_records;
};
