#pragma once

#include <QImage>
#include <array>

// The game's pictures, drawn in code at the sizes the screens use: the
// windows' own resources, and the button images the build writes to image/.
// Sizes are logical pixels; ratio is the device pixel ratio the picture's
// pixels are drawn at, so a high-density screen gets a sharp picture.
namespace art {
QImage playFieldBackground(qreal ratio = 1); // 342 × 544: logo strip, board panel, clock panel, question panel
QImage emptyTile(qreal ratio = 1);           // 39 × 39: dark blue block with four studs
QImage blankTile(qreal ratio = 1);           // 39 × 40: light blue, a word still to be answered
QImage playerTile(qreal ratio = 1);          // 39 × 39: yellow
QImage cpuTile(qreal ratio = 1);             // 39 × 39: pink
QImage explosionStrip(qreal ratio = 1);      // 800 × 80: ten frames on black
QImage resultBackground(qreal ratio = 1);    // 280 × 209: frame, cream panel, note sheet, dark plate
QImage recordBanner(qreal ratio = 1);        // 615 × 78: the record screens' banner
QImage appIcon(int size = 64); // size × size: a yellow letter tile on a clear ground

enum class ButtonState { Init, Over, Down };
// A 77 × 26 button face with its caption: raised, lit, or pressed in.
QImage button(const QString& caption, ButtonState state, qreal ratio = 1);

// The pieces the windows show as they stand: the build draws each at the
// stored ratios into the program's resources (see stored_art.h).
enum class Piece {
    PlayField,
    EmptyTile,
    BlankTile,
    PlayerTile,
    CpuTile,
    ExplosionStrip,
    ResultBackground,
    RecordBanner,
    StartButton,
    RecordButton,
    CloseButton,
    OkButton,
};
inline constexpr std::array kPieces{Piece::PlayField,        Piece::EmptyTile,    Piece::BlankTile,
                                    Piece::PlayerTile,       Piece::CpuTile,      Piece::ExplosionStrip,
                                    Piece::ResultBackground, Piece::RecordBanner, Piece::StartButton,
                                    Piece::RecordButton,     Piece::CloseButton,  Piece::OkButton};
inline constexpr std::array kStoredRatios{1, 2};
// The window icon's sizes, the ones window managers ask for; menus take
// the installed theme icons.
inline constexpr std::array kWindowIconSizes{16, 24, 32, 48, 64};

QImage draw(Piece piece, qreal ratio);
// File names in the resource folder.
QString storedFile(Piece piece, int ratio);
QString windowIconFile(int size);

// A stored picture: its size and pixel format, then its pixels as they lie
// in memory, so that loading it is only the resources' own decompression,
// with no image file to decode before the first frame. Only 32-bit
// formats; anything else packs to nothing.
QByteArray packPixels(const QImage& image);
// The image over the bytes, without copying them; null when the bytes are
// not a whole packed picture.
QImage unpackPixels(const QByteArray& bytes);
} // namespace art
