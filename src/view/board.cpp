#include "view/board.h"

#include "platform/fonts.h"
#include "puzzle/puzzle_set.h"
#include "view/picture_box.h"
#include "view/trans_surface.h"

#include <QWidget>

std::array<QRect, 4> board::frameBars(int rows, int columns, int startCell)
{
    const int r = startCell / kSide;
    const int c = startCell % kSide;
    const int left = 28 + 40 * c;
    const int top = 112 + 40 * r;
    return {
        QRect(left, top, 40 * columns + 3, 3),
        QRect(left, 112 + 40 * (r + rows), 40 * columns + 3, 3),
        QRect(left, top, 3, 40 * rows + 3),
        QRect(28 + 40 * (c + columns), top, 3, 40 * rows + 3),
    };
}

void drawTile(PictureBox& board, const QImage& tile, int cell)
{
    const QPoint at = board::tilePos(cell);
    BitBlt(board.image(), at.x(), at.y(), board::kTileSize, board::kTileSize, tile, 0, 0);
}

void ClearBoard(PictureBox& board, const PictureImage& emptyTile)
{
    for (int cell = 0; cell < board::kCells; ++cell) {
        drawTile(board, emptyTile.image(), cell);
    }
}

void DrawWordBlank(PictureBox& board, const PictureImage& blankTile, const QList<int>& cells)
{
    for (int cell : cells) {
        drawTile(board, blankTile.image(), cell);
    }
    if (!cells.isEmpty()) {
        board.Refresh();
    }
}

void DrawWordLetters(PictureBox& board, PictureImage& tile, const QString& answer, const QList<int>& cells)
{
    const QFont font = windowsFont(kPGothic, 12);
    for (qsizetype i = 0; i < cells.size() && i < answer.size(); ++i) {
        tile.Cls();
        tile.setCurrentPos(QPoint(13, 13));
        tile.setForeColor(QColor(0, 0, 255));
        tile.setPrintFont(font);
        tile.Print(answer.at(i));
        drawTile(board, tile.image(), cells[i]);
    }
    if (!cells.isEmpty()) {
        board.Refresh();
    }
}

QString describeWord(const PuzzleSet& set, int pattern, int word)
{
    const QList<int> cells = boardCells(set, pattern, word);
    if (cells.isEmpty()) {
        return {};
    }
    const int start = cells.front();
    const bool down = isDown(set.WordDirection[pattern][word]);
    QString text = down ? QStringLiteral("%1 文字、縦、%2 列目").arg(cells.size()).arg(start % board::kSide + 1)
                        : QStringLiteral("%1 文字、横、%2 行目").arg(cells.size()).arg(start / board::kSide + 1);
    QString letters(cells.size(), QChar(u'？'));
    bool any = false;
    for (int before = 0; before < word; ++before) {
        const QList<int> taken = boardCells(set, pattern, before);
        const QString& answer = set.WordAnswer[pattern][before];
        for (qsizetype i = 0; i < taken.size() && i < answer.size(); ++i) {
            if (const qsizetype at = cells.indexOf(taken[i]); at >= 0) {
                letters[at] = answer[i];
                any = true;
            }
        }
    }
    return any ? text + QStringLiteral("、") + letters : text;
}

void ShowWordFrame(const std::array<QWidget*, 4>& bars, int rows, int columns, int startCell)
{
    const auto geometry = board::frameBars(rows, columns, startCell);
    for (int i = 0; i < 4; ++i) {
        bars[i]->setGeometry(geometry[i]);
    }
    for (QWidget* bar : bars) {
        bar->show();
        bar->raise();
    }
}

void HideWordFrame(const std::array<QWidget*, 4>& bars)
{
    for (QWidget* bar : bars) {
        bar->hide();
    }
}
