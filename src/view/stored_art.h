#pragma once

#include "view/art.h"

#include <QIcon>
#include <QImage>

// Drawing the windows' pictures takes milliseconds the first frame cannot
// spare, so the build draws them at the stored ratios into the program's
// resources and the windows load them. Another ratio, or a program built
// without them, draws them on the spot.
namespace art {
QImage stored(Piece piece, qreal ratio);
QIcon windowIcon();
} // namespace art
