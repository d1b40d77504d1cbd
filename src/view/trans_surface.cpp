#include "view/trans_surface.h"

#include <algorithm>

TransSurface::TransSurface(QSize size, qreal ratio) : m_own(size * ratio, QImage::Format_RGB32), m_target(&m_own)
{
    m_own.setDevicePixelRatio(ratio);
    m_own.fill(Qt::black);
}

TransSurface::TransSurface(QImage& target) : m_target(&target) {}

TransSurfaceHandle CreateDIB(int width, int height, qreal ratio)
{
    return std::make_unique<TransSurface>(QSize(width, height), ratio);
}

TransSurfaceHandle SetDIB(QImage& hDC)
{
    return std::make_unique<TransSurface>(hDC);
}

QImage& GetTransDC(TransSurface& surface)
{
    return surface.dc();
}

void ResetDIB(TransSurfaceHandle& surface)
{
    surface.reset();
}

namespace {

// Clips a copy of width × height from (srcX, srcY) to (x, y) against both
// images; calls copyRow(destRow, srcRow, count) per row that remains.
template <typename CopyRow>
void clippedCopy(QImage& dest, int x, int y, int width, int height, const QImage& src, int srcX, int srcY, CopyRow copyRow)
{
    if (dest.format() != QImage::Format_RGB32 && dest.format() != QImage::Format_ARGB32) {
        dest.convertTo(QImage::Format_RGB32);
    }
    const qreal ratio = dest.devicePixelRatio();
    QImage source = src.format() == QImage::Format_RGB32 || src.format() == QImage::Format_ARGB32
                        ? src
                        : src.convertToFormat(QImage::Format_RGB32);
    if (!qFuzzyCompare(source.devicePixelRatio(), ratio)) {
        source = source.scaled(QSizeF(source.deviceIndependentSize() * ratio).toSize(), Qt::IgnoreAspectRatio,
                               Qt::FastTransformation);
    }
    // Logical to image pixels; ratios are whole numbers (see pictureRatio).
    const int r = std::max(1, qRound(ratio));
    x *= r;
    y *= r;
    width *= r;
    height *= r;
    srcX *= r;
    srcY *= r;
    int left = std::max({0, -x, -srcX});
    int top = std::max({0, -y, -srcY});
    const int right = std::min({width, dest.width() - x, source.width() - srcX});
    const int bottom = std::min({height, dest.height() - y, source.height() - srcY});
    if (right <= left || bottom <= top) {
        return;
    }
    for (int row = top; row < bottom; ++row) {
        auto* d = reinterpret_cast<QRgb*>(dest.scanLine(y + row)) + x + left;
        const auto* s = reinterpret_cast<const QRgb*>(source.constScanLine(srcY + row)) + srcX + left;
        copyRow(d, s, right - left);
    }
}

} // namespace

void TransBitBlt(TransSurface& dest, int x, int y, int width, int height, const TransSurface& src, int srcX, int srcY,
                 double, int, int)
{
    clippedCopy(dest.dc(), x, y, width, height, src.dc(), srcX, srcY, [](QRgb* d, const QRgb* s, int count) {
        for (int i = 0; i < count; ++i) {
            if ((s[i] & 0x00FFFFFFu) != 0) {
                d[i] = s[i];
            }
        }
    });
}

void BitBlt(QImage& dest, int x, int y, int width, int height, const QImage& src, int srcX, int srcY)
{
    clippedCopy(dest, x, y, width, height, src, srcX, srcY,
                [](QRgb* d, const QRgb* s, int count) { std::copy(s, s + count, d); });
}
