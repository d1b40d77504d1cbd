#pragma once

#include <QImage>

// The play field's pictures, drawn in code at the sizes the screen uses.
namespace art {
QImage playFieldBackground(); // 342 × 544: logo strip, board panel, clock panel, question panel
QImage emptyTile();           // 39 × 39: dark blue block with four studs
QImage blankTile();           // 39 × 40: light blue, a word still to be answered
QImage playerTile();          // 39 × 39: yellow
QImage cpuTile();             // 39 × 39: pink
QImage explosionStrip();      // 800 × 80: ten frames on black
QImage resultBackground();    // 280 × 209: frame, cream panel, note sheet, dark plate
QImage buttonFace(const QString& caption); // 77 × 26: a button's face as its window stores it
} // namespace art
