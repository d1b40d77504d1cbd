#include "records/record_screen.h"

#include "platform/number_format.h"
#include "puzzle/puzzle_set.h"
#include "records/record_texts.h"
#include "store/single_records.h"
#include "view/labels.h"

#include <QLabel>

namespace {

struct Column {
    int x;
    int width;
    int labelX;
    int labelWidth;
    Qt::Alignment alignment;
};

// Boxes overlap their neighbours by one pixel, so borders coincide.
constexpr Column kColumnsLayout[Record::kColumns] = {
    {16, 33, 0, 33, Qt::AlignHCenter}, {48, 97, 8, 81, Qt::AlignLeft},
    {144, 33, 0, 25, Qt::AlignRight},  {176, 65, 0, 57, Qt::AlignRight},
    {240, 33, 0, 33, Qt::AlignHCenter}, {272, 81, 0, 81, Qt::AlignHCenter},
    {352, 33, 0, 25, Qt::AlignRight},  {384, 65, 0, 57, Qt::AlignRight},
    {448, 33, 0, 33, Qt::AlignHCenter}, {480, 81, 0, 81, Qt::AlignHCenter},
};

} // namespace

Record::Record(QWidget* owner, const QString& appDir, const PuzzleSet& puzzles, const SingleRecordTable& records)
    : RecordFrame(owner, appDir, 576), m_puzzles(puzzles), m_records(records)
{
    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignVCenter;
    auto header = [&](QRect box, const QString& caption) {
        QLabel* label = addCell(box, QRect(0, 0, box.width(), box.height()), centred, kHeaderColor);
        label->setAlignment(centred);
        setFittedText(label, caption, label->font());
    };
    header(QRect(16, 96, 33, 33), QStringLiteral("№"));
    header(QRect(48, 96, 97, 33), QStringLiteral("パターン名"));
    header(QRect(144, 96, 209, 17), QStringLiteral("問題表示有クリア"));
    header(QRect(352, 96, 209, 17), QStringLiteral("問題表示無クリア"));
    const QString captions[] = {QStringLiteral("回数"), QStringLiteral("最速タイム"), QStringLiteral("ﾚﾍﾞﾙ"), QStringLiteral("達成日")};
    for (int i = 0; i < 4; ++i) {
        header(QRect(kColumnsLayout[2 + i].x, 112, kColumnsLayout[2 + i].width, 17), captions[i]);
        header(QRect(kColumnsLayout[6 + i].x, 112, kColumnsLayout[6 + i].width, 17), captions[i]);
    }

    for (int c = 0; c < kColumns; ++c) {
        const Column& col = kColumnsLayout[c];
        for (int row = 0; row < RowsPerPage; ++row) {
            cells[c][row] = addRowCell(row, QRect(col.x, 128 + 24 * row, col.width, 25),
                                       QRect(col.labelX, 5, col.labelWidth, 17), col.alignment, &boxes[c][row]);
        }
    }

    QStringList columns = {QStringLiteral("№"), QStringLiteral("パターン名")};
    for (const QString& mode : {QStringLiteral("問題表示有"), QStringLiteral("問題表示無")}) {
        for (const QString& caption : {QStringLiteral("回数"), QStringLiteral("最速タイム"), QStringLiteral("レベル"), QStringLiteral("達成日")}) {
            columns.append(mode + u' ' + caption);
        }
    }
    nameRows(QStringLiteral("シングル練習の記録"), columns);

    QLabel* note = makeLabel(this, QRect(48, 384, 289, 17), font(), Qt::AlignLeft | Qt::AlignVCenter, Qt::white);
    note->setText(QStringLiteral("※ 答えを見てクリアした場合，記録はのこりません"));

    Form_Load();
}

void Record::fillMode(int row, int firstColumn, qint16 count, double best, double date)
{
    showCell(cells[firstColumn][row], {QString::number(count), Qt::black});
    if (best != 0) {
        const CellText grade = GradeForTime(best);
        showCell(cells[firstColumn + 1][row], {formatNumber(best / 1000, 3) + QStringLiteral("秒"), Qt::black});
        showCell(cells[firstColumn + 2][row], grade);
        showCell(cells[firstColumn + 3][row], {shortDate(date), Qt::black});
    } else {
        for (int c = firstColumn + 1; c <= firstColumn + 3; ++c) {
            showCell(cells[c][row], {QStringLiteral("-"), Qt::black});
        }
    }
}

void Record::ShowRecordPage()
{
    int p = (CurrentPage - 1) * RowsPerPage;
    for (int row = 0; row < RowsPerPage; ++row) {
        const bool shown = p < kShownPatterns;
        for (int c = 0; c < kColumns; ++c) {
            boxes[c][row]->setVisible(shown);
        }
        if (!shown) {
            continue;
        }
        showCell(cells[0][row], {QString::number(p), Qt::black});
        showCell(cells[1][row], {m_puzzles.PatternName[p], Qt::black});
        fillMode(row, 2, m_records.CountWithQuestion[p], m_records.BestWithQuestion[p], m_records.DateWithQuestion[p]);
        fillMode(row, 6, m_records.CountNoQuestion[p], m_records.BestNoQuestion[p], m_records.DateNoQuestion[p]);
        ++p;
    }
}
