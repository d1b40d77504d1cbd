#include "view/stored_art.h"

#include <QPixmap>
#include <algorithm>

// At global scope: the resources' registration function is a global one.
static void registerStoredArt()
{
    static const bool once = [] {
        Q_INIT_RESOURCE(stored_art);
        return true;
    }();
    (void)once;
}

namespace {

QString storedPath(const QString& file)
{
    registerStoredArt();
    return QStringLiteral(":/art/") + file;
}

} // namespace

QImage art::stored(Piece piece, qreal ratio)
{
    if (std::find(kStoredRatios.begin(), kStoredRatios.end(), ratio) != kStoredRatios.end()) {
        QImage image(storedPath(storedFile(piece, static_cast<int>(ratio))));
        if (!image.isNull()) {
            image.setDevicePixelRatio(ratio);
            return image;
        }
    }
    return draw(piece, ratio);
}

QIcon art::windowIcon()
{
    QIcon icon;
    for (int size : kWindowIconSizes) {
        QPixmap pixmap(storedPath(windowIconFile(size)));
        if (pixmap.isNull()) {
            pixmap = QPixmap::fromImage(appIcon(size));
        }
        icon.addPixmap(pixmap);
    }
    return icon;
}
