#include "records/battle_record_screen.h"

#include "puzzle/puzzle_set.h"
#include "records/record_texts.h"
#include "store/battle_records.h"
#include "view/labels.h"

#include <QLabel>


Record2::Record2(QWidget* owner, const QString& appDir, const PuzzleSet& puzzles, const BattleRecordTable& records)
    : RecordFrame(owner, appDir, 584), m_puzzles(puzzles), m_records(records)
{
    m_rowsRight = 577;
    auto header = [&](QRect box, QRect label, const QString& caption) {
        QLabel* text = addCell(box, label, Qt::AlignHCenter, kHeaderColor);
        text->setWordWrap(true);
        // A master rank wraps after マスター, both lines inside its cell.
        QString shown = caption;
        if (shown.startsWith(QStringLiteral("マスター")) && shown.size() > 4) {
            shown.insert(4, u'\n');
        }
        setFittedText(text, shown, text->font());
        text->setAccessibleName(caption);
    };
    header(QRect(16, 96, 33, 33), QRect(0, 10, 33, 17), QStringLiteral("№"));
    header(QRect(48, 96, 97, 33), QRect(0, 10, 97, 17), QStringLiteral("パターン名"));
    // The rank captions name the ranks; the master ranks drop their parentheses to wrap.
    const QString ranks[kRanks] = {
        QStringLiteral("タマゴ"), QStringLiteral("ベビー"), QStringLiteral("ミニ"), QStringLiteral("チビ"),
        QStringLiteral("マチュア"), QStringLiteral("マスターブロンズ"), QStringLiteral("マスターシルバー"),
        QStringLiteral("マスターゴールド"), QStringLiteral("zemka"),
    };
    for (int r = 0; r < kRanks; ++r) {
        header(QRect(144 + 48 * r, 96, 49, 33), QRect(0, 5, 49, 25), ranks[r]);
    }

    for (int row = 0; row < RowsPerPage; ++row) {
        const int y = 128 + 24 * row;
        cells[0][row] = addRowCell(row, QRect(16, y, 33, 25), QRect(0, 5, 33, 17), Qt::AlignHCenter, &boxes[0][row]);
        cells[1][row] = addRowCell(row, QRect(48, y, 97, 25), QRect(8, 5, 81, 17), Qt::AlignLeft, &boxes[1][row]);
        for (int r = 0; r < kRanks; ++r) {
            cells[2 + r][row] =
                addRowCell(row, QRect(144 + 48 * r, y, 49, 25), QRect(0, 5, 49, 17), Qt::AlignHCenter, &boxes[2 + r][row]);
        }
    }
    QStringList columns = {QStringLiteral("№"), QStringLiteral("パターン名")};
    for (const QString& rank : ranks) {
        columns.append(rank);
    }
    nameRows(QStringLiteral("CPU対戦の記録"), columns);

    Form_Load();
}

void Record2::ShowBattlePage()
{
    int p = (CurrentPage - 1) * RowsPerPage;
    for (int row = 0; row < RowsPerPage; ++row) {
        const bool shown = p < kShownPatterns;
        for (auto& column : boxes) {
            column[row]->setVisible(shown);
        }
        if (!shown) {
            continue;
        }
        showCell(cells[0][row], {QString::number(p), Qt::black});
        showCell(cells[1][row], {m_puzzles.PatternName[p], Qt::black});
        for (int r = 0; r < kRanks; ++r) {
            showCell(cells[2 + r][row], BattleCellText(m_records.Wins[p][r], m_records.Losses[p][r]));
        }
        ++p;
    }
}
