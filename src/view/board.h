#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <array>

#include "puzzle/puzzle_set.h" // boardCells

class PictureBox;
class QImage;
class PictureImage;
class QWidget;

namespace board {
constexpr int kSide = kBoardSide;
constexpr int kCells = kBoardCells;
constexpr int kTileSize = 39;
constexpr int kEffectSize = 80;

// Top left of a cell's tile in the play field.
constexpr QPoint tilePos(int cell)
{
    return QPoint(30 + 40 * (cell % kSide), 114 + 40 * (cell / kSide));
}

// Top left of a cell's 80 × 80 effect area, centred on its tile.
constexpr QPoint effectPos(int cell)
{
    return tilePos(cell) - QPoint(20, 20);
}

// The four bars around a block of rows × columns cells: top, bottom, left, right.
std::array<QRect, 4> frameBars(int rows, int columns, int startCell);
} // namespace board

// Copies a 39 × 39 tile into a cell; the screen waits for a refresh.
void drawTile(PictureBox& board, const QImage& tile, int cell);

// Every cell gets the empty-cell tile; the screen waits for a refresh.
void ClearBoard(PictureBox& board, const PictureImage& emptyTile);
// The word's cells as tiles still to be answered; one refresh for the word.
void DrawWordBlank(PictureBox& board, const PictureImage& blankTile, const QList<int>& cells);
// The word's letters on the taker's tile; one refresh for the word.
void DrawWordLetters(PictureBox& board, PictureImage& tile, const QString& answer, const QList<int>& cells);

// A word as a screen reader tells it: its length, its direction and line, and
// the letters its cells already show from the words before it, ？ for the
// rest ("3 文字、横、2 行目、さ？ら").
QString describeWord(const PuzzleSet& set, int pattern, int word);

void ShowWordFrame(const std::array<QWidget*, 4>& bars, int rows, int columns, int startCell);
void HideWordFrame(const std::array<QWidget*, 4>& bars);
