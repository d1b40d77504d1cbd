#pragma once

#include <QImage>

// The game's pictures, drawn in code at the sizes the screens use: the
// windows' own resources, and the button images the build writes to image/.
namespace art {
QImage playFieldBackground(); // 342 × 544: logo strip, board panel, clock panel, question panel
QImage emptyTile();           // 39 × 39: dark blue block with four studs
QImage blankTile();           // 39 × 40: light blue, a word still to be answered
QImage playerTile();          // 39 × 39: yellow
QImage cpuTile();             // 39 × 39: pink
QImage explosionStrip();      // 800 × 80: ten frames on black
QImage resultBackground();    // 280 × 209: frame, cream panel, note sheet, dark plate
QImage recordBanner();        // 615 × 78: the record screens' banner
QImage appIcon(int size = 64); // size × size: a yellow letter tile on a clear ground

enum class ButtonState { Init, Over, Down };
// A 77 × 26 button face with its caption: raised, lit, or pressed in.
QImage button(const QString& caption, ButtonState state);
} // namespace art
