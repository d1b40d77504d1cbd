#pragma once

#include <QImage>
#include <memory>

// Off-screen surfaces and the colour-keyed copy the explosion draws with.
// A surface either owns its pixels (CreateDIB) or stands for the persistent
// image of a picture (SetDIB), so drawing through it lands in that picture.
class TransSurface {
public:
    explicit TransSurface(QSize size, qreal ratio = 1);
    explicit TransSurface(QImage& target);

    QImage& dc() { return *m_target; }
    const QImage& dc() const { return *m_target; }

private:
    QImage m_own;
    QImage* m_target;
};

using TransSurfaceHandle = std::unique_ptr<TransSurface>;

// A black surface of width × height logical pixels, its pixels at ratio.
TransSurfaceHandle CreateDIB(int width, int height, qreal ratio = 1);
TransSurfaceHandle SetDIB(QImage& hDC);
QImage& GetTransDC(TransSurface& surface);
void ResetDIB(TransSurfaceHandle& surface);

// Both copies take logical pixels and work on the images' own pixels, so a
// picture drawn at a device pixel ratio of 2 is copied sharp; a source at
// another ratio than the destination's is scaled to it first.

// Copies the source rectangle to (x, y) and leaves the destination unchanged
// where the source is black. p1 to p3 are kept for the callers' signature.
void TransBitBlt(TransSurface& dest, int x, int y, int width, int height, const TransSurface& src, int srcX, int srcY,
                 double p1, int p2, int p3);

// Plain copy (SRCCOPY) between drawing contexts; parts outside either image are skipped.
void BitBlt(QImage& dest, int x, int y, int width, int height, const QImage& src, int srcX, int srcY);
