#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QWidget>
#include <functional>

// The device pixel ratio pictures are drawn at: the highest of the screens,
// rounded up to a whole number so that copies between pictures stay on whole
// pixels. Positions and sizes everywhere stay in logical pixels.
qreal pictureRatio();

// An image of a logical size, filled, with its pixels at ratio.
QImage ratioImage(QSize logical, qreal ratio, QColor fill);

// A picture's persistent image: a bitmap, drawing on top of it, and text
// printed at a position in a colour and font with a transparent background.
// Hidden tile pictures are only this; picture boxes on screen add a widget.
class PictureImage {
public:
    PictureImage(QSize size, QColor backColor, qreal ratio = pictureRatio());
    virtual ~PictureImage() = default;

    // The bitmap the picture shows under its drawing; also resets the image to it.
    void setPicture(const QImage& picture);
    // The same, kept as the means to make the bitmap again rather than as
    // pixels: for a large picture that is seldom cleared back to.
    void setPicture(std::function<QImage()> load);
    QImage picture() const;

    // The drawing context: what is drawn here persists until cleared.
    QImage& image() { return m_image; }
    const QImage& image() const { return m_image; }

    void setCurrentPos(QPoint pos) { m_currentPos = pos; }
    void setForeColor(QColor color) { m_foreColor = color; }
    void setPrintFont(const QFont& font) { m_printFont = font; }
    void Print(const QString& text);

    // Clears the image so that only the bitmap (or the back colour) shows.
    void Cls();

    QColor backColor() const { return m_backColor; }
    // Image pixels per logical pixel.
    qreal ratio() const { return m_image.devicePixelRatio(); }

protected:
    virtual void pictureChanged() {}

private:
    QColor m_backColor;
    QImage m_picture;
    std::function<QImage()> m_loadPicture;
    QImage m_image;
    QPoint m_currentPos;
    QColor m_foreColor = Qt::black;
    QFont m_printFont;
};

// A picture box on screen: it paints its persistent image. Refresh asks
// for that paint; drawing steps in between reach the player in one update,
// as widgets paint only when the event loop runs.
class PictureBox : public QWidget, public PictureImage {
    Q_OBJECT
public:
    PictureBox(QWidget* parent, QRect geometry, QColor backColor = Qt::white);

    void Refresh();

protected:
    void paintEvent(QPaintEvent* event) override;
    void pictureChanged() override { Refresh(); }
};
