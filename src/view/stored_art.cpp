#include "view/stored_art.h"

#include <QPixmap>
#include <QResource>
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

QByteArray storedBytes(const QString& file)
{
    registerStoredArt();
    return QResource(QStringLiteral(":/art/") + file).uncompressedData();
}

} // namespace

QImage art::stored(Piece piece, qreal ratio)
{
    if (std::find(kStoredRatios.begin(), kStoredRatios.end(), ratio) != kStoredRatios.end()) {
        QImage image = unpackPixels(storedBytes(storedFile(piece, static_cast<int>(ratio))));
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
        QImage image = unpackPixels(storedBytes(windowIconFile(size)));
        icon.addPixmap(QPixmap::fromImage(image.isNull() ? appIcon(size) : image));
    }
    return icon;
}
